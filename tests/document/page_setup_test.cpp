// Page-setup defaults and bounds, and the geometry of section columns.
#include <gtest/gtest.h>

#include "document/PageSetup.h"

namespace {

TPageSetup A4()
{
    TPageSetup p{};
    SetPageSetupDefaults(p);
    return p;
}

TSectionParams Columns(int count, int equal, int gap)
{
    TSectionParams s{};
    s[spColumnCount] = count;
    s[spEqualWidths] = equal;
    s[spColumnGap] = gap;
    return s;
}

TEST(PageSetup, DefaultsAreA4)
{
    TPageSetup p{};
    p[psReserved] = 77;
    p[psScreenWidth] = 55;
    SetPageSetupDefaults(p);
    EXPECT_EQ(p[psWidth], 11905);
    EXPECT_EQ(p[psHeight], 16838);
    EXPECT_EQ(p[psOrientation], 0);
    for (int f : {psLeftMargin, psRightMargin, psTopMargin, psBottomMargin})
        EXPECT_EQ(p[f], 1417);
    EXPECT_EQ(p[psMirrorMargins], 0);
    EXPECT_EQ(p[psTextWidth], 9071);
    EXPECT_EQ(p[psHeaderDistance], 720);
    EXPECT_EQ(p[psFooterDistance], 720);
    EXPECT_EQ(p[psHeaderFlags], 0);
    EXPECT_EQ(p[psReserved], 77);    // left alone
    EXPECT_EQ(p[psScreenWidth], 55); // derived: the document recomputes it
}

TEST(PageSetup, ValidateBringsValuesWithinBounds)
{
    TPageSetup p = A4();
    p[psWidth] = 100;
    p[psHeight] = 40000;
    ValidatePageSetup(p);
    EXPECT_EQ(p[psWidth], 1440);
    EXPECT_EQ(p[psHeight], 31680);

    p = A4();
    p[psLeftMargin] = 6000;
    p[psRightMargin] = -5;
    p[psTopMargin] = 7000; // 40 % of 16838 is 6735.2
    p[psBottomMargin] = 6735;
    p[psHeaderDistance] = 9000;
    p[psFooterDistance] = -30; // corrected as negative margins are
    ValidatePageSetup(p);
    EXPECT_EQ(p[psLeftMargin], 4762);
    EXPECT_EQ(p[psRightMargin], 0);
    EXPECT_EQ(p[psTopMargin], 6735);
    EXPECT_EQ(p[psBottomMargin], 6735);
    EXPECT_EQ(p[psHeaderDistance], 6735);
    EXPECT_EQ(p[psFooterDistance], 0);
    EXPECT_EQ(p[psTextWidth], 11905 - 4762); // follows the corrected margins

    p = A4();
    p[psWidth] = 1447; // 40 % is 578.8: rounded to the nearest
    p[psLeftMargin] = 1000;
    ValidatePageSetup(p);
    EXPECT_EQ(p[psLeftMargin], 579);
}

TEST(PageSetup, EqualColumns)
{
    const TPageSetup p = A4();
    TColumnGeometry c0{}, c1{};
    ComputeColumnGeometry(Columns(2, 1, 720), p, 0, c0);
    ComputeColumnGeometry(Columns(2, 1, 720), p, 1, c1);
    EXPECT_EQ(c0.Width, 4175);
    EXPECT_EQ(c1.Width, 4175);
    EXPECT_EQ(c0.Left, 0);
    EXPECT_EQ(c1.Left, 4895);
    EXPECT_EQ(c0.LeftBound, 0);
    EXPECT_EQ(c0.RightBound, 4535);
    EXPECT_EQ(c1.LeftBound, 4535);
    EXPECT_EQ(c1.RightBound, 4895 + 4175);

    // The gaps together take at most 70 % of the text width.
    TColumnGeometry c{};
    ComputeColumnGeometry(Columns(3, 1, 20000), p, 2, c);
    EXPECT_EQ(c.Gap, 3174);
    EXPECT_EQ(c.Width, 907);
    EXPECT_EQ(c.Left, 2 * (907 + 3174));
}

TEST(PageSetup, UnequalColumns)
{
    const TPageSetup p = A4();
    TSectionParams s = Columns(3, 0, 720);
    const int widths[3] = {3000, 2000, 2500}, gaps[3] = {501, 1000, 0};
    for (int i = 0; i < 3; ++i) {
        s[ColumnField(i, ceWidth)] = widths[i];
        s[ColumnField(i, ceGapAfter)] = gaps[i];
    }
    TColumnGeometry c{};
    ComputeColumnGeometry(s, p, 1, c);
    EXPECT_EQ(c.Left, 3501);
    EXPECT_EQ(c.Width, 2000);
    EXPECT_EQ(c.Gap, 1000);
    EXPECT_EQ(c.LeftBound, 3501 - 250); // half the gap before, truncated
    EXPECT_EQ(c.RightBound, 5501 + 500);
    ComputeColumnGeometry(s, p, 2, c);
    EXPECT_EQ(c.Left, 6501);
    EXPECT_EQ(c.RightBound, 6501 + 2500); // the last column is not widened
}

TEST(PageSetup, OddColumnRequestsStayInside)
{
    const TPageSetup p = A4();
    TColumnGeometry c{};
    ComputeColumnGeometry(Columns(1, 1, 720), p, 0, c);
    EXPECT_EQ(c.Left, 0);
    EXPECT_EQ(c.Width, 9071);
    EXPECT_EQ(c.RightBound, 9071);
    // Counts and indexes out of range, as a damaged file may hold, read no entry past the record.
    ComputeColumnGeometry(Columns(1000, 0, 720), p, 500, c);
    ComputeColumnGeometry(Columns(-3, 1, 720), p, -1, c);
    EXPECT_EQ(c.Width, 9071);
    TSectionParams huge = Columns(64, 0, 0);
    for (int i = 0; i < MaxColumns; ++i)
        huge[ColumnField(i, ceWidth)] = INT32_MAX;
    ComputeColumnGeometry(huge, p, 63, c);
    EXPECT_EQ(c.Left, INT32_MAX);
}

} // namespace
