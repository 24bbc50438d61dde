#pragma once

#include "telemetry/MediaProbe.h"

#include <QVector>
#include <functional>

class QFile;

// Reads the packets an MP4 index lists straight from the file, in order:
// packets that follow each other without a gap (a chunk of several) are read
// together, one system call for the run. Only the first headBytes of each
// packet are handed on, so a hostile size costs neither reading nor memory.
class IndexedPackets
{
public:
    using Sink = std::function<void(const char *data, int size)>;

    // A packet past the end of the file ends the stream; a cut one is handed
    // on as far as it goes, as libavformat does.
    static void
    read(QFile &file, const QVector<SampleRef> &samples, int headBytes, const Sink &sink);
};
