// Line patterns drawn on a recording surface: which pixels each pattern sets, the underline samples,
// and the adaptation of text colours to the page's background.
#include <gtest/gtest.h>

#include <vector>

#include "core/FontDevice.h"
#include "core/Fonts.h"
#include "core/LinePatterns.h"
#include "core/RecordingSurface.h"

namespace {

constexpr TColorRef A = 0x0000FF, B = 0x00FF00;

std::vector<int32_t> Xs(const std::vector<TPoint>& points)
{
    std::vector<int32_t> xs;
    for (const TPoint& p : points)
        xs.push_back(p.X);
    return xs;
}

TEST(LinePatterns, DottedLinesSetEverySecondOrThirdPixelUpToTheEnd)
{
    struct Case {
        void (*Draw)(TDrawSurface&, int32_t, int32_t, TColorRef, int32_t);
        int32_t X1, X2;
        std::vector<int32_t> Expected;
    } cases[] = {
        {DrawDottedHLine, 0, 4, {0, 2, 4}},
        {DrawDottedHLine, 0, 5, {0, 2, 4}},
        {DrawSpacedDottedHLine, 3, 9, {3, 6, 9}},
        {DrawDottedHLine, 5, 4, {}},
    };
    for (const Case& c : cases) {
        TRecordingSurface s;
        c.Draw(s, c.X1, c.X2, A, 7);
        EXPECT_EQ(Xs(s.Pixels(A)), c.Expected) << c.X1 << ".." << c.X2;
        for (const TPoint& p : s.Pixels(A))
            EXPECT_EQ(p.Y, 7);
    }
}

TEST(LinePatterns, PatternLinesRunInGroupsOfFive)
{
    TRecordingSurface s;
    DrawPatternHLine(s, 10, 12, B, A, 0);
    EXPECT_EQ(Xs(s.Pixels(A)), (std::vector<int32_t>{10, 12}));
    EXPECT_EQ(Xs(s.Pixels(B)), (std::vector<int32_t>{11, 13, 14})); // the group passes X2
    TRecordingSurface v;
    DrawDottedVLine(v, 3, 0, A, 9);
    std::vector<int32_t> ys;
    for (const TPoint& p : v.Pixels(A))
        ys.push_back(p.Y);
    EXPECT_EQ(ys, (std::vector<int32_t>{0, 2, 5, 7}));
}

TEST(LinePatterns, ZigzagKeepsItsPhaseAndClosesAtTheEnd)
{
    TRecordingSurface s;
    DrawZigzagLine(s, 10, 10, A, 0, 20);
    ASSERT_EQ(s.Ops.size(), 1u);
    const std::vector<TPoint>& single = s.Ops[0].Points;
    ASSERT_EQ(single.size(), 2u);
    EXPECT_EQ(single[0].X, 10);
    EXPECT_EQ(single[1].X, 10);
    EXPECT_EQ(single[0].Y, 21); // |10 - 0| mod 4 = 2: one below

    TRecordingSurface t;
    DrawZigzagLine(t, 1, 8, A, 0, 20);
    std::vector<int32_t> heights;
    for (const TPoint& p : t.Ops[0].Points)
        heights.push_back(p.Y - 20);
    // Points at 1, 2, 4, 6, 8 and the closing 8.
    EXPECT_EQ(Xs(t.Ops[0].Points), (std::vector<int32_t>{1, 2, 4, 6, 8, 8}));
    EXPECT_EQ(heights, (std::vector<int32_t>{0, 1, -1, 1, -1, -1}));
}

TEST(LinePatterns, WaveIsClippedToItsBandAndKeepsItsPhase)
{
    TRecordingSurface a, b;
    DrawWaveLine(a, 0, 40, A, 1, 2, 8, 0, 50);
    DrawWaveLine(b, 13, 40, A, 1, 2, 8, 0, 50);
    const TDrawOp& wave = *a.OfKind(TDrawOpKind::Polyline)[0];
    EXPECT_TRUE(wave.Clipped);
    EXPECT_EQ(wave.Clip.Left, 0);
    EXPECT_EQ(wave.Clip.Top, 50 - 4 - 1 - 1);
    EXPECT_EQ(wave.Clip.Bottom, 50 + 4 + 1 + 2);
    // The part drawn from 13 has the same points as the whole wave from 8 on.
    const std::vector<TPoint>& part = b.OfKind(TDrawOpKind::Polyline)[0]->Points;
    ASSERT_FALSE(part.empty());
    EXPECT_EQ(part.front().X, 8);
    for (const TPoint& p : part)
        for (const TPoint& q : wave.Points)
            if (p.X == q.X)
                EXPECT_EQ(p.Y, q.Y) << p.X;
    EXPECT_EQ(a.ClipDepth(), 0);
}

TEST(LinePatterns, DashedFrameLeavesOutWhatLiesLeftOfOrAboveZero)
{
    TRecordingSurface s;
    DrawDashedRectFrame(s, TRect{-6, -6, 10, 10}, A);
    for (const TDrawOp* op : s.OfKind(TDrawOpKind::Fill)) {
        EXPECT_GE(op->Rect.Left, 0);
        EXPECT_GE(op->Rect.Top, 0);
    }
    // The bottom edge: dashes from -6 every 8, cut at 0: [0, -2+...) none, [2, 6).
    bool found = false;
    for (const TDrawOp* op : s.OfKind(TDrawOpKind::Fill))
        found = found || (op->Rect.Top == 9 && op->Rect.Left == 2 && op->Rect.Right == 6);
    EXPECT_TRUE(found);
}

TEST(LinePatterns, UnderlineStyleCodes)
{
    EXPECT_EQ(IndexOfUnderlineStyle(0), 0);
    EXPECT_EQ(IndexOfUnderlineStyle(5), -1);
    EXPECT_EQ(IndexOfUnderlineStyle(55), 17);
    EXPECT_EQ(IndexOfUnderlineStyle(11), 9);
}

class UnderlineSamples : public testing::Test {
protected:
    void SetUp() override
    {
        SetFontDevice(&Device);
        FreeFontManager();
    }
    void TearDown() override
    {
        FreeFontManager();
        SetFontDevice(nullptr);
    }
    TFixedFontDevice Device;
};

TEST_F(UnderlineSamples, SamplesOfTheListEntries)
{
    const TRect entry{10, 0, 60, 11};
    TRecordingSurface none;
    DrawUnderlineStyle(none, entry, 5, false, A, nullptr);
    EXPECT_TRUE(none.Ops.empty());

    TCharFormat format = DefaultCharFormat();
    TFontManager& fm = GetFontManager();
    TSharedFont* font = fm.GetSharedFont(format, -8, false, true, fm.Device().MeasuringDC());
    TRecordingSurface words;
    DrawUnderlineStyle(words, entry, 2, false, A, font);
    ASSERT_EQ(words.Texts(), std::vector<std::string>{"Mots seuls"});
    EXPECT_EQ(words.OfKind(TDrawOpKind::Text)[0]->Rect.Left, 10);

    TRecordingSurface dots;
    DrawUnderlineStyle(dots, entry, 4, false, A, nullptr);
    // Two pixels every four from the left, on the middle row, cut at the right edge.
    const auto marks = dots.OfKind(TDrawOpKind::Fill);
    ASSERT_EQ(marks.size(), 13u);
    EXPECT_EQ(marks[0]->Rect.Left, 10);
    EXPECT_EQ(marks[0]->Rect.Right, 12);
    EXPECT_EQ(marks[0]->Rect.Top, 5);
    EXPECT_EQ(marks[1]->Rect.Left, 14);
    EXPECT_EQ(marks.back()->Rect.Right, 60);

    TRecordingSurface thickDash;
    DrawUnderlineStyle(thickDash, entry, 23, false, A, nullptr);
    EXPECT_EQ(thickDash.OfKind(TDrawOpKind::Fill)[0]->Rect.Bottom -
                  thickDash.OfKind(TDrawOpKind::Fill)[0]->Rect.Top,
              2);
}

TEST(ColorAdaptation, TextColoursAgainstTheirBackground)
{
    struct Case {
        TColorRef Color, Background, Expected;
    } cases[] = {
        {0x000000, 0xFFFFFF, 0x000000}, // black stays black on white
        {0x000000, 0x000000, 0xFFFFFF}, // and turns white on black
        {0xFFFFFF, 0xFFFFFF, 0xFFFFFF}, // white text has no darkness to give
        {0x808080, 0xFFFFFF, 0x808080}, // grey on white keeps its darkness
        {0x000000, 0x404040, 0xFFFFFF}, // black on dark grey turns white
    };
    for (const Case& c : cases)
        EXPECT_EQ(AdaptColorToBackground(c.Color, c.Background), c.Expected)
            << std::hex << c.Color << " on " << c.Background;
}

} // namespace
