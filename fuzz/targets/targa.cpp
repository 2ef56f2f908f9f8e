// Fuzz target: a Targa picture decoded into a bitmap.
#include "classlib/graphics/Bitmap.h"
#include "classlib/runtime/Exceptions.h"
#include "codecs/Targa.h"
#include "fuzz/Fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        TBitmap bitmap;
        DecodeTarga(data, size, bitmap);
    } catch (const Exception&) {}
    return 0;
}
