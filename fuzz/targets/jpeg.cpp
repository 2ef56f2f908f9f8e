// Fuzz target: a JPEG picture read and decoded as the documents' pictures are.
#include <vector>

#include "classlib/runtime/Exceptions.h"
#include "codecs/JpegImage.h"
#include "fuzz/Fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        TJPEGImage image;
        image.LoadFromBytes(data, size);
        std::vector<uint8_t> rgb;
        image.Decode(rgb);
    } catch (const Exception&) {}
    return 0;
}
