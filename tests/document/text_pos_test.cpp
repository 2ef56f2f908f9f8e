// Comparing, intersecting and differencing text positions and ranges.
#include <gtest/gtest.h>

#include <string>

#include "document/TextPos.h"

namespace {

TTextPos P(int32_t par, int32_t offset)
{
    // The caches differ on purpose: they never take part in comparisons.
    return TTextPos{par, offset, 99, 7, 3, 250};
}

TTextRange R(int32_t p1, int32_t o1, int32_t p2, int32_t o2)
{
    return TTextRange{P(p1, o1), P(p2, o2)};
}

std::string Show(const TTextRange& r)
{
    return "(" + std::to_string(r.StartPos.ParIndex) + "," + std::to_string(r.StartPos.Offset) + ")-(" +
           std::to_string(r.EndPos.ParIndex) + "," + std::to_string(r.EndPos.Offset) + ")";
}

TEST(TextPos, CompareByParagraphThenOffset)
{
    EXPECT_EQ(CompareTextPos(P(3, 10), P(4, 0)), -1);
    EXPECT_EQ(CompareTextPos(P(4, 0), P(4, 0)), 0);
    EXPECT_EQ(CompareTextPos(P(4, 1), P(4, 0)), 1);
    EXPECT_EQ(CompareTextPos(P(-1, 5), P(0, 0)), -1); // signed
    TTextPos a{};
    MakeTextPos(2, 5, a);
    EXPECT_EQ(a.ParIndex, 2);
    EXPECT_EQ(a.Offset, 5);
    EXPECT_EQ(a.LineHint, 0);
}

TEST(TextPos, PositionsInRanges)
{
    const TTextRange r = R(0, 2, 1, 4);
    EXPECT_TRUE(TextPosInRange(P(0, 2), r));
    EXPECT_TRUE(TextPosInRange(P(0, 900), r));
    EXPECT_FALSE(TextPosInRange(P(1, 4), r)); // the end is excluded
    EXPECT_FALSE(TextPosInRange(P(0, 1), r));
    EXPECT_FALSE(TextPosInRange(P(0, 2), R(0, 2, 0, 2))); // an empty range holds nothing
    EXPECT_TRUE(IsRangeEmpty(R(3, 1, 3, 1)));
    EXPECT_FALSE(IsRangeEmpty(r));
    EXPECT_TRUE(RangesEqual(r, R(0, 2, 1, 4)));
    EXPECT_FALSE(RangesEqual(r, R(0, 2, 1, 5)));
}

TEST(TextPos, IntersectRanges)
{
    TTextRange out{};
    EXPECT_TRUE(IntersectRanges(R(0, 0, 0, 5), R(0, 5, 0, 9), out));
    EXPECT_EQ(Show(out), "(0,5)-(0,5)");
    EXPECT_TRUE(IntersectRanges(R(0, 3, 2, 0), R(1, 0, 4, 4), out));
    EXPECT_EQ(Show(out), "(1,0)-(2,0)");
    EXPECT_FALSE(IntersectRanges(R(0, 0, 0, 4), R(0, 5, 0, 9), out));
}

TEST(TextPos, RangeDifferenceGivesThePartsToRepaint)
{
    const struct {
        TTextRange oldRange, newRange;
        std::string expected;
    } cases[] = {
        {R(0, 3, 0, 3), R(1, 1, 1, 1), ""},                          // both empty
        {R(0, 3, 0, 3), R(0, 1, 0, 6), "(0,1)-(0,6)"},               // old empty
        {R(0, 1, 0, 6), R(2, 0, 2, 0), "(0,1)-(0,6)"},               // new empty
        {R(0, 0, 0, 2), R(0, 5, 0, 9), "(0,0)-(0,2) (0,5)-(0,9)"},   // disjoint
        {R(0, 5, 0, 9), R(0, 0, 0, 2), "(0,0)-(0,2) (0,5)-(0,9)"},   // disjoint, new first
        {R(0, 2, 0, 8), R(0, 2, 0, 8), ""},                          // same
        {R(0, 2, 0, 8), R(0, 2, 1, 3), "(0,8)-(1,3)"},               // same start
        {R(0, 2, 1, 3), R(0, 2, 0, 8), "(0,8)-(1,3)"},               // same start, shrinks
        {R(0, 2, 0, 8), R(0, 5, 0, 8), "(0,2)-(0,5)"},               // same end
        {R(0, 2, 0, 8), R(0, 5, 0, 12), "(0,2)-(0,5) (0,8)-(0,12)"}, // overlap
        {R(0, 2, 0, 12), R(0, 5, 0, 8), "(0,2)-(0,5) (0,8)-(0,12)"}, // new inside old
        {R(0, 2, 0, 5), R(0, 5, 0, 9), "(0,2)-(0,5) (0,5)-(0,9)"},   // touching
    };
    for (const auto& c : cases) {
        TTextRange first{}, second{};
        const int n = RangeDifference(c.oldRange, c.newRange, first, second);
        std::string got = n >= 1 ? Show(first) : "";
        if (n == 2)
            got += " " + Show(second);
        EXPECT_EQ(got, c.expected) << Show(c.oldRange) << " -> " << Show(c.newRange);
    }
}

TEST(TextPos, BreakAndTabCodes)
{
    const uint8_t text[] = {'a', 2, 'b', 3};
    EXPECT_FALSE(ContainsBreakCode(text, 4));
    EXPECT_FALSE(ContainsTabCode(text, 4));
    for (uint8_t code : {4, 5, 6}) {
        const uint8_t withBreak[] = {'a', code};
        EXPECT_TRUE(ContainsBreakCode(withBreak, 2));
        EXPECT_FALSE(ContainsBreakCode(withBreak, 1)); // only within the length
    }
    const uint8_t tab[] = {'x', 7};
    EXPECT_TRUE(ContainsTabCode(tab, 2));
    EXPECT_FALSE(ContainsBreakCode(tab, 2));
}

} // namespace
