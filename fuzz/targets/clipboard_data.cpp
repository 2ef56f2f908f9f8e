// Fuzz target: a clipboard or drop data block read by every reader the clipboard code has for it.
#include "classlib/graphics/Bitmap.h"
#include "core/ClipboardData.h"
#include "fuzz/Fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReadClipboardText(data, size);
    ReadClipboardUnicodeText(data, size);
    TFileGroupInfo info;
    ReadFileGroupDescriptor(data, size, info);
    TBitmap bitmap;
    if (ReadClipboardDib(data, size, bitmap)) {
        // What was read can be written back and read again to the same picture.
        const std::string again = WriteClipboardDib(bitmap);
        TBitmap second;
        if (!ReadClipboardDib(reinterpret_cast<const uint8_t*>(again.data()), again.size(), second) ||
            second.GetBits() != bitmap.GetBits())
            __builtin_trap();
    }
    return 0;
}
