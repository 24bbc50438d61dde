#include "library/TelemetryEvents.h"

#include "library/VideoMessage.h"

namespace EventDetector {

QVector<TelemetryEvent> detect(const VideoMessage &, const EventThresholds &)
{
    return {};
}

QString kindName(TelemetryEvent::Kind kind)
{
    switch (kind) {
    case TelemetryEvent::Kind::Braking:
        return QStringLiteral("braking");
    case TelemetryEvent::Kind::Acceleration:
        return QStringLiteral("acceleration");
    case TelemetryEvent::Kind::Turn:
        return QStringLiteral("turn");
    case TelemetryEvent::Kind::Impact:
        return QStringLiteral("impact");
    case TelemetryEvent::Kind::Speeding:
        return QStringLiteral("speeding");
    }
    return QString();
}

} // namespace EventDetector
