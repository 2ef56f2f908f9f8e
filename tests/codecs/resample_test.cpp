// Resampling over a table of sizes: flat colours stay exact, sizes of one pixel and extreme ratios end, and
// bitmaps of other formats go through 24 bits.
#include <gtest/gtest.h>

#include "classlib/graphics/Bitmap.h"
#include "codecs/Resample.h"

namespace {

TBitmap Flat(int32_t w, int32_t h, TRGBEntry c)
{
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            uint8_t* p = b.ScanLine(y) + 3 * x;
            p[0] = c.Blue;
            p[1] = c.Green;
            p[2] = c.Red;
        }
    return b;
}

TEST(Resample, FlatColoursAtEverySize)
{
    const struct {
        int32_t Sw, Sh, Dw, Dh;
    } sizes[] = {{10, 10, 10, 10}, {10, 10, 3, 7},   {10, 10, 37, 23}, {1, 1, 5, 5},    {5, 5, 1, 1},
                 {1, 9, 1, 2},     {2000, 3, 1, 1},  {3, 2000, 2, 1},  {1, 1, 1, 1},    {7, 1, 1000, 1},
                 {997, 13, 2, 5},  {2, 2, 300, 300}, {300, 1, 1, 300}, {41, 17, 40, 16}};
    for (bool fast : {false, true}) {
        FastDrawing = fast;
        for (const auto& s : sizes) {
            const TBitmap source = Flat(s.Sw, s.Sh, {200, 31, 7});
            TBitmap dest = Flat(s.Dw, s.Dh, {0, 0, 0});
            Resample(source, dest);
            for (int32_t y = 0; y < s.Dh; ++y)
                for (int32_t x = 0; x < s.Dw; ++x)
                    ASSERT_EQ((TRGBEntry{200, 31, 7}), dest.GetPixelColor(x, y))
                        << s.Sw << "x" << s.Sh << " to " << s.Dw << "x" << s.Dh << " at " << x << "," << y;
        }
    }
    FastDrawing = false;
}

TEST(Resample, OtherPixelFormats)
{
    // A two-colour source, columns 0-3 black and 4-7 white, shrunk into a 32-bit bitmap of two pixels.
    TBitmap source;
    source.SetPixelFormat(pf1bit);
    source.SetSize(8, 2);
    source.SetPalette({{0, 0, 0}, {255, 255, 255}});
    for (int32_t y = 0; y < 2; ++y)
        source.ScanLine(y)[0] = 0x0F;
    TBitmap dest;
    dest.SetPixelFormat(pf32bit);
    dest.SetSize(2, 1);
    Resample(source, dest);
    EXPECT_EQ(pf24bit, dest.GetPixelFormat());
    // The ends keep their sides: darker on the left, lighter on the right.
    EXPECT_LT(dest.GetPixelColor(0, 0).Red, dest.GetPixelColor(1, 0).Red);
}

} // namespace
