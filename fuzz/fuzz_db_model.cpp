// libFuzzer target: DbModel::fromJsonMessage on arbitrary text, then the row
// it would store.
#include "fuzz/FuzzSupport.h"
#include "library/DbModel.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::silence();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    DbModel model;
    model.fromJsonMessage(QString::fromUtf8(reinterpret_cast<const char *>(data), int(size)));
    model.toDbMap();
    return 0;
}
