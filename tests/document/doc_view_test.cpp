// The document's view: the page extent, page rectangles and scroll ranges at each zoom kind.
#include <gtest/gtest.h>

#include "document/Page.h"
#include "paged_document.h"

using qptest::TPagedDocument;

namespace {

TEST(DocView, PageExtentIsTheLargestPageOfThePageSetupOwners)
{
    TPagedDocument d;
    d.Par(1);
    TSection& first = d.EndSection(0); // the second section shares the first one's page
    d.Par(1);
    TSection& second = d.EndSection(1);
    d.Par(1);
    d.Prepare();
    second.PageSetup[psWidth] = 20000; // not an owner: its page setup is not used
    d.LastSection().PageSetup[psHeight] = 5000;
    first.PageSetup[psWidth] = 9000;
    d.Doc.InvalidatePagination();
    EXPECT_EQ(d.Doc.ViewState.PageExtent[0], 9000);
    EXPECT_EQ(d.Doc.ViewState.PageExtent[1], 5000);
    EXPECT_EQ(d.Doc.ViewState.PageExtent[2], 600);
    EXPECT_EQ(d.Doc.ViewState.PageExtent[3], 333);
    EXPECT_EQ(d.Doc.ViewState.PageExtent[6], 7560);
}

void ExpectRect(const TRect& r, const TRect& expected, int kind)
{
    EXPECT_EQ(r.Left, expected.Left) << kind;
    EXPECT_EQ(r.Top, expected.Top) << kind;
    EXPECT_EQ(r.Right, expected.Right) << kind;
    EXPECT_EQ(r.Bottom, expected.Bottom) << kind;
}

TEST(DocView, PagesTakeTheirCellsAtEachZoomKind)
{
    TPagedDocument d;
    d.Par(25); // three pages of 576 x 196 at 100 %, text 480 wide
    d.Prepare();
    d.Doc.PaginateAll();
    d.ShowInWindow(1300, 500);
    struct Case {
        int kind;
        int32_t zoom, perRow, totalWidth, totalHeight;
        TRect first, second, third;
        int32_t vertPage, lastVisible, scrollX;
    } cases[] = {
        // Two per row, the grid centred in the client area.
        {zkPercent,
         100,
         2,
         1300,
         500,
         {69, 49, 645, 245},
         {655, 49, 1231, 245},
         {69, 255, 645, 451},
         450,
         5,
         0},
        // (1300 - 20) x 100 / 576: one per row with 10-pixel margins (one more on the left for the rounding).
        {zkPageWidth,
         222,
         1,
         1300,
         1345,
         {11, 10, 1289, 445},
         {11, 455, 1289, 890},
         {11, 900, 1289, 1335},
         450,
         1,
         0},
        // MulDiv(1300 - 40, 100, 480): the text area fills the client; the view starts 20 pixels left of it.
        {zkTextWidth,
         263,
         1,
         1532,
         1585,
         {10, 10, 1522, 525},
         {10, 535, 1522, 1050},
         {10, 1060, 1522, 1575},
         450,
         0,
         10 + 126 - 20},
        // The widest page fits in height too: the row is the vertical page step.
        {zkWholePage,
         222,
         1,
         1300,
         1345,
         {11, 10, 1289, 445},
         {11, 455, 1289, 890},
         {11, 900, 1289, 1335},
         445,
         1,
         0},
        // (1300 - 30) x 100 / 1152; page 1 alone on the right, pages 2 and 3 below. The zoom keeps the
        // view's corner at its place on page 1, which moved right: the view follows as far as it can.
        {zkTwoPages,
         110,
         2,
         1302,
         500,
         {656, 29, 1292, 245},
         {10, 255, 646, 471},
         {656, 255, 1292, 471},
         226,
         4,
         2},
    };
    for (const Case& c : cases) {
        d.Doc.SetZoomKind(c.kind);
        EXPECT_EQ(d.Doc.ViewState.ZoomPercent, c.zoom) << c.kind;
        EXPECT_EQ(d.Doc.ViewState.Grid.PagesPerRow, c.perRow) << c.kind;
        EXPECT_EQ(d.Doc.ViewState.Grid.TotalWidth, c.totalWidth) << c.kind;
        EXPECT_EQ(d.Doc.ViewState.Grid.TotalHeight, c.totalHeight) << c.kind;
        ExpectRect(d.Doc.Pages[0]->ViewRect, c.first, c.kind);
        ExpectRect(d.Doc.Pages[1]->ViewRect, c.second, c.kind);
        ExpectRect(d.Doc.Pages[2]->ViewRect, c.third, c.kind);
        EXPECT_EQ(d.Doc.ViewState.ScrollRanges.VertMax, c.totalHeight) << c.kind;
        EXPECT_EQ(d.Doc.ViewState.ScrollRanges.VertPage, c.vertPage) << c.kind;
        EXPECT_EQ(d.Doc.ViewState.ScrollRanges.HorzPage, 1170) << c.kind;
        EXPECT_EQ(d.Doc.FirstVisiblePage(), 0) << c.kind;
        EXPECT_EQ(d.Doc.LastVisiblePage(), c.lastVisible) << c.kind;
        EXPECT_EQ(d.Doc.ViewState.ScrollPos.X, c.scrollX) << c.kind;
    }
}

TEST(DocView, ScrollPositionStaysWithinTheGrid)
{
    TPagedDocument d;
    d.Par(25);
    d.Prepare();
    d.Doc.PaginateAll();
    d.ShowInWindow(400, 300); // narrower than a page: 596 x 628
    d.Doc.SetScrollPos({1000, 1000});
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.X, 196);
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.Y, 328);
    EXPECT_EQ(d.Doc.FirstVisiblePage(), 1);
    EXPECT_EQ(d.Doc.LastVisiblePage(), 3); // the row below the last shows nothing: painting stops
    d.Doc.SetScrollPos({-5, 210});         // within 6 pixels of row 1's top: row 0 still counts
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.X, 0);
    EXPECT_EQ(d.Doc.FirstVisiblePage(), 0);
    d.Doc.ViewState.ClientHeight = 700; // a taller window: everything shows
    d.Doc.ViewState.ScrollPos = {0, 300};
    d.Doc.UpdatePageLayout();
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.Y, 0);
}

} // namespace
