// Drawing a GIF image's current frame on a device context, stretched, its transparent colour leaving the
// destination as it was.
#include <gtest/gtest.h>

#include <cstring>

#include "classlib/graphics/Graphics.h"
#include "classlib/graphics/SharedBitmaps_win.h"
#include "codecs/GIF.h"

namespace {

// The colour of a pixel of a 24-bit section, row 0 at the top.
TRGBEntry PixelOf(const TDIBBitmap& dib, int32_t width, int32_t height, int32_t x, int32_t y)
{
    const int32_t rowBytes = (width * 3 + 3) / 4 * 4;
    const auto* p =
        static_cast<const uint8_t*>(dib.Bits()) + static_cast<size_t>(height - 1 - y) * rowBytes + 3 * x;
    return {p[2], p[1], p[0]};
}

} // namespace

TEST(GifDraw, TransparentPixelsLeaveTheBackground)
{
    TBitmap frame;
    frame.SetPixelFormat(pf4bit);
    frame.SetSize(4, 2);
    frame.SetPalette({{255, 0, 0}, {0, 0, 255}, {250, 250, 0}});
    // Red, blue (transparent), yellow, blue on both rows.
    for (int32_t y = 0; y < 2; ++y) {
        TBitmap::SetPixelIndex(frame.ScanLine(y), 1, 4, 1);
        TBitmap::SetPixelIndex(frame.ScanLine(y), 2, 4, 2);
        TBitmap::SetPixelIndex(frame.ScanLine(y), 3, 4, 1);
    }
    frame.Transparent = true;
    frame.TransparentColor = {0, 0, 255};
    TGIFImage image;
    image.Assign(frame);

    for (bool transparent : {true, false}) {
        image.Transparent = transparent;
        TDIBBitmap dib(24);
        dib.SetSize(8, 4);
        std::memset(dib.Bits(), 0x40, 8 * 3 * 4); // grey background
        TCanvas canvas;
        canvas.SetHandle(dib.DC());
        image.Draw(canvas, TRect{0, 0, 8, 4});
        GdiFlush();
        const TRGBEntry background{0x40, 0x40, 0x40}, blue{0, 0, 255};
        for (int32_t y = 0; y < 4; ++y) {
            EXPECT_EQ((TRGBEntry{255, 0, 0}), PixelOf(dib, 8, 4, 0, y));
            EXPECT_EQ((TRGBEntry{255, 0, 0}), PixelOf(dib, 8, 4, 1, y));
            EXPECT_EQ(transparent ? background : blue, PixelOf(dib, 8, 4, 2, y)) << transparent;
            EXPECT_EQ((TRGBEntry{250, 250, 0}), PixelOf(dib, 8, 4, 5, y));
            EXPECT_EQ(transparent ? background : blue, PixelOf(dib, 8, 4, 7, y)) << transparent;
        }
    }
}
