// Colour reduction, rotation and lightening of bitmaps.
#include <gtest/gtest.h>

#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "core/BitmapUtils.h"

namespace {

TRGBEntry Rgb(uint32_t value)
{
    return {static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
}

void SetPixel(TBitmap& b, int32_t x, int32_t y, uint32_t value)
{
    uint8_t* p = b.ScanLine(y) + 3 * x;
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
    p[2] = static_cast<uint8_t>(value >> 16);
}

// A 24-bit bitmap whose pixel (x, y) has the colour Fn(x, y).
template<class F>
TBitmap Make(int32_t width, int32_t height, F fn)
{
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(width, height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            SetPixel(b, x, y, fn(x, y));
    return b;
}

} // namespace

TEST(BitmapUtils, LightenMovesSeventyPercentToWhite)
{
    TBitmap b = Make(3, 1, [](int32_t x, int32_t) {
        return x == 0 ? 0x000000u : x == 1 ? 0xFFFFFFu : 0x640A80u;
    });
    LightenBitmap(b);
    EXPECT_EQ(b.GetPixelColor(0, 0), (TRGBEntry{178, 178, 178}));
    EXPECT_EQ(b.GetPixelColor(1, 0), (TRGBEntry{255, 255, 255}));
    EXPECT_EQ(b.GetPixelColor(2, 0), (TRGBEntry{100 + 155 * 7 / 10, 10 + 245 * 7 / 10, 128 + 127 * 7 / 10}));
}

TEST(BitmapUtils, RotateLeftIsAQuarterTurnCounterClockwise)
{
    TBitmap b = Make(3, 2, [](int32_t x, int32_t y) { return static_cast<uint32_t>(0x10 * (y + 1) + x); });
    RotateBitmapLeft(b);
    ASSERT_EQ(b.GetWidth(), 2);
    ASSERT_EQ(b.GetHeight(), 3);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x)
            EXPECT_EQ(b.GetPixelColor(y, 2 - x), Rgb(0x10 * (y + 1) + x)) << x << "," << y;

    // A palette bitmap keeps its palette and indices.
    TBitmap p;
    p.SetPixelFormat(pf8bit);
    p.SetPalette({{1, 2, 3}, {4, 5, 6}});
    p.SetSize(2, 1);
    p.ScanLine(0)[1] = 1;
    RotateBitmapLeft(p);
    EXPECT_EQ(p.GetPixelFormat(), pf8bit);
    EXPECT_EQ(p.GetPixelColor(0, 1), (TRGBEntry{1, 2, 3}));
    EXPECT_EQ(p.GetPixelColor(0, 0), (TRGBEntry{4, 5, 6}));
}

TEST(BitmapUtils, DistinctColorsFromTheBottomRightStopPastTwoHundredFiftySix)
{
    TBitmap b =
        Make(2, 2, [](int32_t x, int32_t y) { return y == 0 ? 0x111111u : static_cast<uint32_t>(x + 1); });
    std::vector<uint32_t> colors;
    CollectDistinctColors(b, colors);
    EXPECT_EQ(colors, (std::vector<uint32_t>{2, 1, 0x111111}));
    b.Transparent = true;
    colors.clear();
    CollectDistinctColors(b, colors);
    EXPECT_EQ(colors, (std::vector<uint32_t>{2, 1, 0x111111, 0xFFFFFF}));

    // 300 new colours in each row: the bottom row alone is read.
    TBitmap many = Make(300, 3, [](int32_t x, int32_t y) { return static_cast<uint32_t>(1000 * y + x); });
    colors.clear();
    CollectDistinctColors(many, colors);
    EXPECT_EQ(colors.size(), 300u);
    EXPECT_EQ(colors.front(), 2299u);
}

TEST(BitmapUtils, ReduceColorsChoosesTheSmallestPaletteFormat)
{
    struct TCase {
        int Colors;
        TPixelFormat Format;
    } cases[] = {{1, pf1bit},  {2, pf1bit},   {3, pf4bit},   {16, pf4bit},
                 {17, pf8bit}, {256, pf8bit}, {257, pf24bit}};
    for (const TCase& c : cases) {
        const int n = c.Colors;
        auto color = [n](int32_t x, int32_t y) {
            return static_cast<uint32_t>(((y * 17 + x) % n) * 0x010203 + 7);
        };
        TBitmap b = Make(17, 17, color);
        ReduceBitmapColors(b);
        EXPECT_EQ(b.GetPixelFormat(), c.Format) << n;
        ASSERT_EQ(b.GetWidth(), 17);
        ASSERT_EQ(b.GetHeight(), 17);
        bool same = true;
        for (int32_t y = 0; y < 17; ++y)
            for (int32_t x = 0; x < 17; ++x)
                same = same && b.GetPixelColor(x, y) == Rgb(color(x, y));
        EXPECT_TRUE(same) << n;
        if (b.IsPaletted()) {
            const auto& palette = b.GetPalette();
            for (size_t i = 1; i < palette.size(); ++i)
                EXPECT_LT((palette[i - 1].Red << 16) | (palette[i - 1].Green << 8) | palette[i - 1].Blue,
                          (palette[i].Red << 16) | (palette[i].Green << 8) | palette[i].Blue);
        }
    }
}

TEST(BitmapUtils, ReducedTransparentBitmapShowsItsTransparentColourAsWhite)
{
    TBitmap b = Make(2, 1, [](int32_t x, int32_t) { return x == 0 ? 0xFF00FFu : 0x000080u; });
    b.Transparent = true;
    b.TransparentColor = Rgb(0xFF00FF);
    ReduceBitmapColors(b);
    EXPECT_EQ(b.GetPixelFormat(), pf4bit); // magenta, navy and white
    EXPECT_EQ(b.GetPixelColor(0, 0), Rgb(0xFFFFFF));
    EXPECT_EQ(b.GetPixelColor(1, 0), Rgb(0x000080));
    EXPECT_TRUE(b.Transparent);
    EXPECT_EQ(b.TransparentColor, Rgb(0xFFFFFF));
}
