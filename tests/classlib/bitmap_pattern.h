// A test picture for the bitmap tests: a bitmap of any pixel format filled with a known pattern and palette.
#pragma once
#include <vector>

#include "classlib/graphics/Bitmap.h"

namespace bitmaptest {

// Pixel (x, y) has palette index or level x * 7 + y * 3 (kept within the format); palettes are full and
// distinct.
inline TBitmap Pattern(TPixelFormat format, int32_t width, int32_t height)
{
    TBitmap b;
    b.SetPixelFormat(format);
    b.SetSize(width, height);
    const int bits = TBitmap::BitsPerPixelOf(format);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            int v = x * 7 + y * 3;
            if (bits <= 8) {
                TBitmap::SetPixelIndex(b.ScanLine(y), x, bits, v & ((1 << bits) - 1));
            } else {
                uint8_t* p = b.ScanLine(y) + x * (bits / 8);
                p[0] = static_cast<uint8_t>(v), p[1] = static_cast<uint8_t>(v * 2),
                p[2] = static_cast<uint8_t>(v * 5);
            }
        }
    if (bits <= 8) {
        std::vector<TRGBEntry> palette(1u << bits);
        for (size_t i = 0; i < palette.size(); ++i)
            palette[i] = {static_cast<uint8_t>(i * 3), static_cast<uint8_t>(255 - i),
                          static_cast<uint8_t>(i * 11)};
        b.SetPalette(palette);
    }
    return b;
}

inline std::vector<TRGBEntry> Colours(const TBitmap& b)
{
    std::vector<TRGBEntry> c;
    for (int32_t y = 0; y < b.GetHeight(); ++y)
        for (int32_t x = 0; x < b.GetWidth(); ++x)
            c.push_back(b.GetPixelColor(x, y));
    return c;
}

constexpr TPixelFormat AllFormats[] = {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit};

} // namespace bitmaptest
