// Pictures that the document tests draw and pack.
#pragma once
#include <memory>

#include "classlib/graphics/Bitmap.h"

namespace qptest {

// A 24-bit bitmap whose left half is red and right half blue.
inline std::unique_ptr<TBitmap> TwoColourBitmap(int32_t width, int32_t height)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* p = bitmap->ScanLine(y) + x * 3;
            p[0] = x < width / 2 ? 0 : 255; // blue
            p[2] = x < width / 2 ? 255 : 0; // red
        }
    return bitmap;
}

} // namespace qptest
