// libFuzzer target: VideoMessage::fromJson on arbitrary text, then a round trip,
// the clock and the trip facts of what was read.
#include "fuzz/FuzzSupport.h"
#include "library/ClipFacts.h"
#include "library/RecordClock.h"
#include "library/VideoMessage.h"

#include <QJsonDocument>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::silence();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    VideoMessage message;
    message.fromJson(QString::fromUtf8(reinterpret_cast<const char *>(data), int(size)));
    // The text written straight from the fields is the document's, byte for byte.
    const QByteArray text = message.toJsonBytes();
    if (text != QJsonDocument(message.toJsonObject()).toJson())
        abort();
    VideoMessage copy;
    copy.fromJson(QString::fromUtf8(text));
    copy.polylineScript(0);
    copy.polylineScript(1);
    RecordClock::apply(copy);
    RecordClock::timeAt(copy, 0);
    ClipFacts::of(copy).toJson();
    return 0;
}
