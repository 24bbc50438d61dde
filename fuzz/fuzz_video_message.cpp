// libFuzzer target: VideoMessage::fromJson on arbitrary text, then a round trip.
#include "fuzz/FuzzSupport.h"
#include "library/VideoMessage.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::silence();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    VideoMessage message;
    message.fromJson(QString::fromUtf8(reinterpret_cast<const char *>(data), int(size)));
    VideoMessage copy;
    copy.fromJson(message.toJson());
    copy.polylineScript(0);
    copy.polylineScript(1);
    return 0;
}
