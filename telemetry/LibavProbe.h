#pragma once

#include "telemetry/MediaProbe.h"

#include <QString>
#include <functional>

// The container facts and packets of a recording through the system's
// libavformat, loaded with dlopen on first use: programs that never meet a
// file outside Mp4Probe's reach start without FFmpeg's hundred-odd shared
// libraries. Thread-safe; every call opens its own demuxer.
class LibavProbe
{
public:
    // Recordings hold a few tracks; probing opens a decoder for each (1,000
    // video tracks take 1.5 GB), so a file with more is not probed.
    static constexpr unsigned maxStreams = 64;

    // Not ok when libav is missing or the file cannot be opened or probed.
    static MediaProbe probe(const QString &path);

    using PacketSink = std::function<void(const char *data, int size)>;
    // Hands the packets of stream streamIndex to sink in file order, at most
    // maxPackets of them; the other streams are skipped unread. False when
    // the file cannot be opened or probed (or libav is missing).
    static bool
    readPackets(const QString &path, int streamIndex, int maxPackets, const PacketSink &sink);

    // Loads libav if not yet done; false (and one log line) when it cannot.
    static bool load();
    // Silences libav's own messages, when libav is loaded at all.
    static void setQuiet();
};
