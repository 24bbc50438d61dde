#pragma once

#include "telemetry/MediaProbe.h"

#include <QString>
#include <QVector>
#include <optional>

// Reads what routing needs from an MP4/MOV file's own index (the moov box)
// without FFmpeg, with the same answers libavformat gives. nullopt when the
// file is no MP4/MOV or its index is beyond this reader: the caller then asks
// libavformat.
class Mp4Probe
{
public:
    static std::optional<MediaProbe> probe(const QString &path);
    // The packets of one stream (index into MediaProbe::streams) in file
    // order, at most maxSamples; nullopt when the tables cannot be read.
    static std::optional<QVector<SampleRef>>
    samples(const QString &path, int streamIndex, int maxSamples);
};
