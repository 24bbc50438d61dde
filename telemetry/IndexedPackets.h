#pragma once

#include "telemetry/MediaProbe.h"

#include <QVector>
#include <functional>

class QFile;

// Reads the packets an MP4 index lists straight from the file, in order:
// packets that follow each other without a gap (a chunk of several) are read
// together, one system call for the run. Only the first headBytes of each
// packet are handed on, so a hostile size costs neither reading nor memory.
// A long stream is read ahead on a second thread while the sink decodes, so
// the reads and the decoding take the time of the slower, not of both.
class IndexedPackets
{
public:
    using Sink = std::function<void(const char *data, int size)>;

    // Streams of at least this many packets are read ahead.
    static constexpr int readAheadFrom = 256;

    // A packet past the end of the file ends the stream; a cut one is handed
    // on as far as it goes, as libavformat does. The sink is called on the
    // caller's thread.
    static void read(QFile &file,
                     const QVector<SampleRef> &samples,
                     int headBytes,
                     const Sink &sink,
                     int aheadFrom = readAheadFrom);
};
