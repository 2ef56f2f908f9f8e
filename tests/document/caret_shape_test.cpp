// The caret's shape, its slanted bitmap and its top in a line.
#include <gtest/gtest.h>

#include <string>

#include "document/CaretShape.h"

namespace {

// The document's conversions for a 96-dpi screen at a zoom.
struct TTestScale {
    int32_t Zoom = 100;
    static int32_t Rounded(int64_t product, int64_t divisor)
    {
        return int32_t(product / divisor + (product % divisor >= divisor / 2 ? 1 : 0));
    }
    int32_t ApplyZoom(int32_t v) const { return Rounded(int64_t(v) * Zoom, 100); }
    int32_t TwipsToDeviceY(int32_t v) const { return Rounded(int64_t(v) * (96 * Zoom / 100), 1440); }
    int32_t TwipsToScreen(int32_t v) const { return Rounded(int64_t(v) * 96, 1440); }
};

TEST(CaretShape, WidthAndOffsetFollowHeightAndSlant)
{
    struct Case {
        int32_t ascent, descent;
        bool italic, smallCaps;
        TCaretShape expected;
    } cases[] = {
        {12, 4, false, false, {2, 16, 1, false}}, {12, 3, false, false, {1, 15, 1, false}},
        {32, 8, true, false, {11, 40, 3, true}}, // 40 / 4 + 1 wide, 8 / 4 + 1 offset
        {10, 3, true, false, {5, 13, 2, true}},  // quarters rounded up
        {10, 2, false, true, {1, 15, 1, false}}, // small caps: 12 * 100 / 80
        {0, 0, false, false, {1, 1, 1, false}},
    };
    for (const Case& c : cases) {
        const TCaretShape s = ComputeCaretShape(c.ascent, c.descent, c.italic, c.smallCaps);
        EXPECT_EQ(s.Width, c.expected.Width) << c.ascent;
        EXPECT_EQ(s.Height, c.expected.Height) << c.ascent;
        EXPECT_EQ(s.XOffset, c.expected.XOffset) << c.ascent;
        EXPECT_EQ(s.Slanted, c.expected.Slanted) << c.ascent;
    }
}

std::string Picture(const TCaretShape& shape)
{
    const std::vector<uint8_t> pixels = SlantedCaretPixels(shape);
    std::string out;
    for (int32_t y = 0; y < shape.Height; ++y) {
        for (int32_t x = 0; x < shape.Width; ++x)
            out += pixels[size_t(y * shape.Width + x)] ? '#' : '.';
        out += '\n';
    }
    return out;
}

TEST(CaretShape, SlantedStrokeClimbsOnePixelEveryFourRows)
{
    EXPECT_EQ(Picture(ComputeCaretShape(7, 3, true, false)), "..#.\n"
                                                             "..#.\n"
                                                             ".#..\n"
                                                             ".#..\n"
                                                             ".#..\n"
                                                             ".#..\n"
                                                             "#...\n"
                                                             "#...\n"
                                                             "#...\n"
                                                             "#...\n");
    const TCaretShape tall = ComputeCaretShape(13, 3, true, false); // 16 high: a 2-pixel stroke
    const std::string picture = Picture(tall);
    EXPECT_EQ(picture.substr(0, 6), "...##\n");
    EXPECT_EQ(picture.substr(picture.size() - 6), "##...\n");
}

TCaretLineMetrics Line()
{
    TCaretLineMetrics m{};
    m.PageTop = 100;
    m.Y = 50;
    m.Ascent = 13;
    m.TextAscent = 13;
    m.Descent = 3;
    m.LineSpacing = 240;
    m.SpacingRule = 1;
    return m;
}

TCharFormat Format(int32_t vertPos, int32_t raise)
{
    TCharFormat f = DefaultCharFormat();
    f[cfVertPos] = vertPos;
    f[cfRaise] = raise;
    return f;
}

TEST(CaretTop, FollowsSuperscriptSubscriptRaiseAndExactSpacing)
{
    const TTestScale scale;
    TCaretLineMetrics m = Line(); // baseline at 100 + 50 + 13 = 163
    EXPECT_EQ(CaretTop(m, Format(0, 0), 13, 3, scale), 150);
    EXPECT_EQ(CaretTop(m, Format(1, 0), 13, 3, scale), 143); // 163 - MulDiv(13, 100, 65)
    EXPECT_EQ(CaretTop(m, Format(2, 0), 13, 3, scale), 152); // 163 + 5 - 16
    m.Raise = 6;                                             // the line holds text raised by 6 points
    EXPECT_EQ(CaretTop(m, Format(0, 0), 13, 3, scale), 158); // 120 twips lower: 8 pixels
    EXPECT_EQ(CaretTop(m, Format(0, 6), 13, 3, scale), 150);
    m = Line();
    m.SpacingRule = 0;
    m.LineSpacing = -480; // exactly 32 pixels for 16 of text
    EXPECT_EQ(CaretTop(m, Format(0, 0), 13, 3, scale), 166);
    m.LineSpacing = -120;                                    // exactly 8 pixels: half the text is cut
    EXPECT_EQ(CaretTop(m, Format(0, 0), 13, 3, scale), 143); // up by MulDiv(13, 8, 16) = 7
    m.SpaceBefore = 10;
    EXPECT_EQ(CaretTop(m, Format(0, 0), 13, 3, scale), 153);
}

TEST(CaretTop, ScalesTheLineToTheZoom)
{
    const TTestScale scale{200};
    TCaretLineMetrics m = Line();
    TCharFormat small = Format(0, 0);
    small[cfSmallCaps] = 1;
    // Baseline 100 + 126; the caret font (already at the zoom) is 26 high, small caps 33.
    EXPECT_EQ(CaretTop(m, Format(0, 0), 26, 6, scale), 200);
    EXPECT_EQ(CaretTop(m, small, 26, 6, scale), 193);
}

} // namespace
