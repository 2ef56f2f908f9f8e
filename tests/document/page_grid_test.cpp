// The view's page grid: cells at each zoom kind, scroll ranges, visible pages and page margins.
#include <gtest/gtest.h>

#include "document/PageGrid.h"

namespace {

void ExpectRect(const TRect& r, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    EXPECT_EQ(r.Left, left);
    EXPECT_EQ(r.Top, top);
    EXPECT_EQ(r.Right, right);
    EXPECT_EQ(r.Bottom, bottom);
}

TEST(PageGrid, OnePageNarrowerThanTheClientIsCentred)
{
    TPageGrid g;
    g.Compute(zkPercent, 1, 794, 1123, 1000, 700);
    EXPECT_EQ(g.PagesPerRow, 1);
    EXPECT_EQ(g.TotalWidth, 1000); // raised to the client width
    EXPECT_EQ(g.TotalHeight, 1143);
    ExpectRect(g.CellRect(0), 103, 10, 897, 1133);
}

TEST(PageGrid, PercentZoomFillsRowsWithGapsAndMargins)
{
    TPageGrid g;
    g.Compute(zkPercent, 10, 200, 300, 1000, 800);
    EXPECT_EQ(g.PagesPerRow, 4); // (1000 - 10) div 210
    EXPECT_EQ(g.Rows, 3);
    EXPECT_EQ(g.TotalWidth, 1000); // 850 raised to the client
    EXPECT_EQ(g.TotalHeight, 940);
    // The grid is centred across; rows stand 10 pixels apart with 10-pixel outer margins.
    ExpectRect(g.CellRect(0), 85, 10, 285, 310);
    ExpectRect(g.CellRect(5), 295, 320, 495, 620);
    ExpectRect(g.CellRect(9), 295, 630, 495, 930);
    const TScrollRanges s = g.ScrollRanges();
    EXPECT_EQ(s.HorzMax, 1000);
    EXPECT_EQ(s.HorzPage, 900);
    EXPECT_EQ(s.VertMax, 940);
    EXPECT_EQ(s.VertPage, 720); // 90 % of the client height
}

TEST(PageGrid, PagesPerRowNeverExceedTheirCount)
{
    TPageGrid g;
    g.Compute(zkPercent, 2, 200, 300, 2000, 800);
    EXPECT_EQ(g.PagesPerRow, 2);
    EXPECT_EQ(g.TotalWidth, 2000);
    ExpectRect(g.CellRect(0), 795, 250, 995, 550); // the whole grid centred in the client
    ExpectRect(g.CellRect(1), 1005, 250, 1205, 550);
}

TEST(PageGrid, ClientNarrowerThanAPageGivesOnePerRowWithOuterMargins)
{
    TPageGrid g;
    g.Compute(zkPercent, 3, 800, 1100, 500, 400);
    EXPECT_EQ(g.PagesPerRow, 1);
    EXPECT_EQ(g.TotalWidth, 820); // page width + 20
    EXPECT_EQ(g.TotalHeight, 3 * 1110 + 10);
    ExpectRect(g.CellRect(0), 10, 10, 810, 1110);
    ExpectRect(g.CellRect(2), 10, 2230, 810, 3330);
    EXPECT_EQ(g.ClampScrollPos({5000, -3}).X, 320);
    EXPECT_EQ(g.ClampScrollPos({5000, -3}).Y, 0);
    EXPECT_EQ(g.ClampScrollPos({10, 99999}).Y, 3340 - 400);
}

TEST(PageGrid, TwoPagesPutPageOneAloneOnTheRight)
{
    TPageGrid g;
    g.Compute(zkTwoPages, 3, 300, 400, 1000, 600);
    EXPECT_EQ(g.PagesPerRow, 2);
    EXPECT_EQ(g.Rows, 2); // four cells: an empty one, then pages 1 to 3
    EXPECT_EQ(g.TotalHeight, 830);
    ExpectRect(g.CellRect(0), 505, 10, 805, 410);
    ExpectRect(g.CellRect(1), 195, 420, 495, 820);
    ExpectRect(g.CellRect(2), 505, 420, 805, 820);
    EXPECT_EQ(g.ScrollRanges().VertPage, 410); // one row
    EXPECT_EQ(g.FirstVisiblePage(0), 0);
    EXPECT_EQ(g.LastVisiblePage(0), 2); // row 1 of the grid, less the empty cell
}

TEST(PageGrid, FittingKindsStackOnePagePerRow)
{
    for (int kind : {zkTextWidth, zkWholePage}) {
        TPageGrid g;
        g.Compute(kind, 4, 300, 400, 2000, 500);
        EXPECT_EQ(g.PagesPerRow, 1) << kind;
        EXPECT_EQ(g.Rows, 4) << kind;
        ExpectRect(g.CellRect(1), 850, 420, 1150, 820);
        EXPECT_EQ(g.ScrollRanges().VertPage, kind == zkWholePage ? 410 : 450) << kind;
    }
}

TEST(PageGrid, VisiblePagesFollowTheScrollPosition)
{
    TPageGrid g;
    g.Compute(zkPercent, 40, 200, 300, 1000, 800); // 4 per row, rows 310 high
    EXPECT_EQ(g.FirstVisiblePage(0), 0);
    EXPECT_EQ(g.LastVisiblePage(0), 11);   // rows 0 to 2
    EXPECT_EQ(g.FirstVisiblePage(313), 0); // within 6 pixels of a row's top: the row above
    EXPECT_EQ(g.FirstVisiblePage(316), 4);
    EXPECT_EQ(g.LastVisiblePage(316), 15);
}

TEST(PageGrid, CenterPageInCellKeepsThePageSize)
{
    ExpectRect(CenterPageInCell({10, 10, 810, 1010}, 600, 800), 110, 110, 710, 910);
    ExpectRect(CenterPageInCell({10, 10, 810, 1010}, 599, 799), 110, 110, 709, 909);
}

TEST(PageGrid, ShortScrollsMoveTheContents)
{
    EXPECT_TRUE(ScrollMovesContents(100, 609, 600)); // 509 < 510
    EXPECT_FALSE(ScrollMovesContents(609, 99, 600));
    EXPECT_TRUE(ScrollMovesContents(0, 0, 600));
}

TEST(PageMargins, MirroredPagesOfOddIndexSwapTheirMargins)
{
    TPageSetup p{};
    SetPageSetupDefaults(p);
    p[psLeftMargin] = 2000;
    p[psScreenLeftMargin] = 133;
    p[psZoomLeftMargin] = 266;
    p[psScreenRightMargin] = 94;
    p[psZoomRightMargin] = 188;
    TPageMargins m = GetPageMargins(p, 1);
    EXPECT_EQ(m.LeftTwips, 2000); // not mirrored: as stored on every page
    p[psMirrorMargins] = 1;
    m = GetPageMargins(p, 0);
    EXPECT_EQ(m.LeftZoom, 266);
    m = GetPageMargins(p, 3);
    EXPECT_EQ(m.LeftTwips, 1417);
    EXPECT_EQ(m.RightTwips, 2000);
    EXPECT_EQ(m.LeftScreen, 94);
    EXPECT_EQ(m.RightScreen, 133);
    EXPECT_EQ(m.LeftZoom, 188);
    EXPECT_EQ(m.RightZoom, 266);
}

} // namespace
