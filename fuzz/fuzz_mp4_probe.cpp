// libFuzzer target: the MP4 index reader (no FFmpeg) on arbitrary file
// contents, its stream list and the packet list of every stream.
#include "fuzz/FuzzSupport.h"
#include "telemetry/Mp4Probe.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::silence();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzSupport::writeInput(data, size, ".mp4");
    const std::optional<MediaProbe> probe = Mp4Probe::probe(path);
    const int streams = probe ? probe->streams.size() : 1;
    for (int i = 0; i < streams; ++i)
        Mp4Probe::samples(path, i, 1000);
    return 0;
}
