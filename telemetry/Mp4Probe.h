#pragma once

#include "telemetry/MediaProbe.h"

#include <QString>
#include <QVector>
#include <memory>
#include <optional>

// Reads what routing needs from an MP4/MOV file's own index (the moov box)
// without FFmpeg, with the same answers libavformat gives. nullopt when the
// file is no MP4/MOV or its index is beyond this reader: the caller then asks
// libavformat.
class Mp4Probe
{
public:
    // The index is read once, at the first question.
    explicit Mp4Probe(const QString &path);
    ~Mp4Probe();
    Mp4Probe(const Mp4Probe &) = delete;
    Mp4Probe &operator=(const Mp4Probe &) = delete;

    std::optional<MediaProbe> media();
    // The packets of one stream (index into MediaProbe::streams) in file
    // order, at most maxSamples; nullopt when the tables cannot be read.
    std::optional<QVector<SampleRef>> packets(int streamIndex, int maxSamples);

    static std::optional<MediaProbe> probe(const QString &path) { return Mp4Probe(path).media(); }
    static std::optional<QVector<SampleRef>>
    samples(const QString &path, int streamIndex, int maxSamples)
    {
        return Mp4Probe(path).packets(streamIndex, maxSamples);
    }

private:
    struct Index;
    const Index &index();

    QString m_path;
    std::unique_ptr<Index> m_index;
};
