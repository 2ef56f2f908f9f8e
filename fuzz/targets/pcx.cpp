// Fuzz target: a PCX picture decoded into a bitmap.
#include "classlib/graphics/Bitmap.h"
#include "classlib/runtime/Exceptions.h"
#include "codecs/PCX.h"
#include "fuzz/Fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        TBitmap bitmap;
        DecodePCX(data, size, bitmap);
    } catch (const Exception&) {}
    return 0;
}
