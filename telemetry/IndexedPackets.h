#pragma once

#include "telemetry/MediaProbe.h"

#include <QVector>
#include <functional>

class QFile;

// Reads the packets an MP4 index lists straight from the file, in order:
// packets that follow each other without a gap (a chunk of several) are read
// together, one system call for the run. Only the first headBytes of each
// packet are handed on, so a hostile size costs neither reading nor memory.
// A long stream is read in batches, many packets to a system call, where the
// system takes reads so; elsewhere it may be read ahead on a second thread
// while the sink decodes, so the reads and the decoding take the time of the
// slower, not of both.
class IndexedPackets
{
public:
    using Sink = std::function<void(const char *data, int size)>;

    // Streams of at least this many packets are read in batches or ahead:
    // below it, setting either up costs more than it saves.
    static constexpr int longStream = 256;

    // A packet past the end of the file ends the stream; a cut one is handed
    // on as far as it goes, as libavformat does. The sink is called on the
    // caller's thread. Streams of batchedFrom packets or more are read in
    // batches where the system can; else those of aheadFrom or more ahead.
    static void read(QFile &file,
                     const QVector<SampleRef> &samples,
                     int headBytes,
                     const Sink &sink,
                     int batchedFrom = longStream,
                     int aheadFrom = longStream);
};
