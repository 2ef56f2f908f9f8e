// The bitmap as a system bitmap: the DIB section made from it and its drawing hold the same pixels.
#include <gtest/gtest.h>

#include "classlib/graphics/Bitmap_win.h"
#include "tests/classlib/bitmap_pattern.h"

using namespace bitmaptest;

namespace {

// The pixels of a bitmap handle, as colours, the top row first.
std::vector<TRGBEntry> HandleColours(HBITMAP handle, int32_t width, int32_t height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint8_t> bits(static_cast<size_t>(width) * height * 4);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(height,
              GetDIBits(dc, handle, 0, static_cast<UINT>(height), bits.data(), &info, DIB_RGB_COLORS));
    DeleteDC(dc);
    std::vector<TRGBEntry> colours;
    for (size_t i = 0; i < bits.size(); i += 4)
        colours.push_back({bits[i + 2], bits[i + 1], bits[i]});
    return colours;
}

TEST(BitmapHandle, DibSectionHoldsThePicture)
{
    for (TPixelFormat format : AllFormats) {
        const TBitmap b = Pattern(format, 37, 11);
        HBITMAP handle = CreateBitmapHandle(b);
        ASSERT_NE(nullptr, handle);
        DIBSECTION section{};
        ASSERT_EQ(static_cast<int>(sizeof section), GetObjectA(handle, sizeof section, &section));
        EXPECT_EQ(37, section.dsBm.bmWidth);
        EXPECT_EQ(11, section.dsBm.bmHeight);
        EXPECT_EQ(b.BitsPerPixel(), section.dsBm.bmBitsPixel);
        EXPECT_EQ(Colours(b), HandleColours(handle, 37, 11)) << b.BitsPerPixel();
        DeleteObject(handle);
    }
    EXPECT_THROW(CreateBitmapHandle(TBitmap()), EInvalidGraphic);
}

TEST(BitmapHandle, DrawingStretchesThePicture)
{
    for (TPixelFormat format : AllFormats) {
        const TBitmap b = Pattern(format, 13, 5);
        TBitmap target;
        target.SetSize(26, 10);
        HBITMAP surface = CreateBitmapHandle(target);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, surface);
        DrawBitmap(dc, RECT{0, 0, 26, 10}, b);
        SelectObject(dc, old);
        DeleteDC(dc);
        const std::vector<TRGBEntry> drawn = HandleColours(surface, 26, 10);
        DeleteObject(surface);
        for (int32_t y = 0; y < 10; ++y)
            for (int32_t x = 0; x < 26; ++x)
                ASSERT_TRUE(drawn[static_cast<size_t>(y) * 26 + x] == b.GetPixelColor(x / 2, y / 2))
                    << b.BitsPerPixel() << ": " << x << "," << y;
    }
}

} // namespace
