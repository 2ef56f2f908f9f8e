// Fuzz target: a PNG picture decoded, and its pixels read.
#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Streams.h"
#include "codecs/PNG.h"
#include "fuzz/Fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TMemoryStream stream;
    stream.Write(data, static_cast<int32_t>(size));
    stream.Seek(0, soBeginning);
    try {
        TPNGImage image;
        image.LoadFromStream(stream);
        const int32_t w = image.GetWidth(), h = image.GetHeight();
        if (w > 0 && h > 0) {
            image.GetPixelColor(0, 0);
            image.GetPixelColor(w - 1, h - 1);
        }
    } catch (const Exception&) {}
    return 0;
}
