// libFuzzer target: the gps-box reader on arbitrary file contents.
#include "fuzz/FuzzSupport.h"
#include "telemetry/GPSTool.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::silence();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    GPSTool tool;
    tool.readGpsBox(FuzzSupport::writeInput(data, size, ".mp4"));
    return 0;
}
