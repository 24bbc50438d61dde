#include "telemetry/Mp4Probe.h"

std::optional<MediaProbe> Mp4Probe::probe(const QString &)
{
    return std::nullopt;
}

std::optional<QVector<SampleRef>> Mp4Probe::samples(const QString &, int, int)
{
    return std::nullopt;
}
