// libFuzzer target: the data-stream reader (through libavformat) and the
// text and binary sample decoders on arbitrary file contents.
#include "fuzz/FuzzSupport.h"
#include "telemetry/GPSTool.h"
#include "telemetry/TelemetryFormats.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::silence();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray packet = QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                                      int(qMin<size_t>(size, 512)));
    TelemetryFormats::decodeTextSample(packet);
    // In a stream, after the packet's own first half, the packet decodes as
    // it does alone.
    TelemetryFormats::BinarySampleDecoder stream;
    stream.decode(packet.left(packet.size() / 2));
    if (stream.decode(packet).toJsonObject()
        != TelemetryFormats::decodeBinarySample(packet).toJsonObject())
        std::abort();
    GPSTool tool;
    tool.readDataStream(FuzzSupport::writeInput(data, size, ".mp4"));
    return 0;
}
