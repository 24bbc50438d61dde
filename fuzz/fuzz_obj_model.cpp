// libFuzzer target: the OBJ reader on arbitrary file contents, with and
// without shared corners.
#include "fuzz/FuzzSupport.h"
#include "render/ObjMesh.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::silence();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzSupport::writeInput(data, size, ".obj");
    for (bool deduplicate : {true, false}) {
        auto mesh = loadObjModel(path, deduplicate);
        // Every index must name a vertex: the renderer uploads them as they are.
        if (mesh) {
            for (unsigned index : mesh->indices)
                if (index >= mesh->vertexCount)
                    __builtin_trap();
        }
    }
    return 0;
}
