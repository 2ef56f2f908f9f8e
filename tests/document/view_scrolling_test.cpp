// The view in its window: scroll positions at each zoom kind, zooming at a place, the grid's page count,
// print preview, scrolling the caret into view, and what the window is asked to do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/FontDevice.h"
#include "core/Fonts.h"
#include "core/Options.h"
#include "document/DocumentHost.h"
#include "document/DocumentView.h"
#include "document/Page.h"
#include "document/ChangedRanges.h"
#include "paged_document.h"
#include "recording_view.h"
#include "ticking_clock.h"

using qptest::TPagedDocument;
using qptest::TViewHost;

namespace {

class ViewScrolling : public qptest::ViewHostTest {
protected:
    // Three pages of 576 x 196 (at 100 %), paginated, shown in a window of that client size.
    void Show(TPagedDocument& d, int32_t width, int32_t height, int pars = 25)
    {
        d.Par(pars);
        d.Prepare();
        d.Doc.PaginateAll();
        d.Doc.Window = reinterpret_cast<TDocumentForm*>(&WindowToken);
        d.ShowInWindow(width, height);
        Host.View.Calls.clear();
    }
};

TEST_F(ViewScrolling, PositionsAreClampedAtEachZoomKind)
{
    TPagedDocument d;
    Show(d, 500, 300);
    struct Case {
        int kind;
        TPoint far; // where a position far beyond the grid ends
    } cases[] = {
        // 576 x 196 pages one per row: 596 x 628.
        {zkPercent, {596 - 500, 628 - 300}},
        // 83 %: pages of 480 x 163 fill the width, nothing to scroll across.
        {zkPageWidth, {0, 3 * (163 + 10) + 10 - 300}},
        // 96 %: pages of 552 x 188 in a grid 572 wide; x always follows the text area, the page's left
        // (10) and margin (46) less 20 pixels.
        {zkTextWidth, {10 + 46 - 20, 3 * (188 + 10) + 10 - 300}},
        // 83 % again, the page's height fitting as well.
        {zkWholePage, {0, 3 * (163 + 10) + 10 - 300}},
        // 40 %: two rows of 78 pixels, lower than the window.
        {zkTwoPages, {0, 0}},
    };
    for (const Case& c : cases) {
        d.Doc.SetZoomKind(c.kind);
        d.Doc.SetScrollPos({100000, 100000});
        EXPECT_EQ(d.Doc.ViewState.ScrollPos.X, c.far.X) << c.kind;
        EXPECT_EQ(d.Doc.ViewState.ScrollPos.Y, c.far.Y) << c.kind;
        EXPECT_EQ(Host.View.Bars.Y, d.Doc.ViewState.ScrollPos.Y) << c.kind;
        d.Doc.SetScrollPos({-50, -50});
        EXPECT_EQ(d.Doc.ViewState.ScrollPos.Y, 0) << c.kind;
        EXPECT_EQ(d.Doc.ViewState.ScrollPos.X, c.kind == zkTextWidth ? c.far.X : 0) << c.kind;
    }
    // While mode flag 15 is set a position stands as given.
    d.Doc.SetModeFlag(mfKeepScrollPos, true);
    d.Doc.SetScrollPos({-7, 9999});
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.X, -7);
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.Y, 9999);
}

TEST_F(ViewScrolling, ShortScrollsMoveTheContentsLongOnesRepaint)
{
    TPagedDocument d;
    Show(d, 400, 300);
    d.Doc.SetScrollPos({0, 200}); // 200 < 85 % of 300
    d.Doc.SetScrollPos({0, 328}); // the bottom: 128
    d.Doc.SetScrollPos({0, 0});   // 328 >= 255: the whole view
    d.Doc.SetScrollPos({100, 0}); // across: 100 < 340
    d.Doc.SetScrollPos({0, 50});  // both coordinates change: the whole view
    const std::vector<std::string> expected{"scroll 0,-200", "scroll 0,-128", "repaint", "scroll -100,0",
                                            "repaint"};
    EXPECT_EQ(Host.View.Calls, expected);
    EXPECT_EQ(d.Doc.ViewState.UpdateRegion.Right, 400);
    EXPECT_EQ(d.Doc.ViewState.UpdateRegion.Bottom, 300);
    // Held back: the position is only stored.
    Host.View.Calls.clear();
    d.Doc.SetModeFlag(mfHoldScrolling, true);
    d.Doc.SetScrollPos({0, 120});
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.Y, 120);
    EXPECT_TRUE(Host.View.Calls.empty());
}

TEST_F(ViewScrolling, ZoomAtAPointKeepsThatPointStill)
{
    TPagedDocument d;
    Show(d, 400, 300);
    d.Doc.SetScrollPos({50, 230});
    // A point 30 pixels into page 1 from its left and 40 from its top, at (80, 75) in the window.
    const TRect page = d.Doc.Pages[1]->ViewRect;
    const TPoint point{page.Left + 30, page.Top + 40};
    const TPoint inWindow{point.X - d.Doc.ViewState.ScrollPos.X, point.Y - d.Doc.ViewState.ScrollPos.Y};
    const int32_t anchor[4] = {point.X - 5, point.Y - 5, point.X + 5, point.Y + 5};
    d.Doc.SetZoomAt(200, anchor);
    const TRect zoomed = d.Doc.Pages[1]->ViewRect;
    EXPECT_EQ(zoomed.Right - zoomed.Left, 1152);
    EXPECT_EQ(zoomed.Left + 60 - d.Doc.ViewState.ScrollPos.X, inWindow.X);
    EXPECT_EQ(zoomed.Top + 80 - d.Doc.ViewState.ScrollPos.Y, inWindow.Y);
    EXPECT_EQ(Host.View.Bars.Y, d.Doc.ViewState.ScrollPos.Y);
    EXPECT_EQ(Host.View.Calls.back(), "repaint");

    // Without an anchor the view's top-left corner stays: here 100 pixels into page 1 and 5 above it.
    d.Doc.SetScrollPos({d.Doc.Pages[1]->ViewRect.Left + 100, d.Doc.Pages[1]->ViewRect.Top - 5});
    d.Doc.SetZoom(100);
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.X, d.Doc.Pages[1]->ViewRect.Left + 50);
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.Y,
              d.Doc.Pages[1]->ViewRect.Top - 3); // 2.5 pixels, rounded away from 0
}

TEST_F(ViewScrolling, LayoutPageCountRepaintsOnlyWhatChanged)
{
    TPagedDocument d;
    Show(d, 400, 300);
    d.Doc.SetLayoutPageCount(100); // more rows below: the two visible pages stand still
    EXPECT_EQ(d.Doc.ViewState.Grid.TotalHeight, 100 * 206 + 10);
    EXPECT_TRUE(Host.View.Calls.empty());
    d.Doc.SetScrollPos({0, 2000});
    Host.View.Calls.clear();
    d.Doc.SetLayoutPageCount(3); // the view is beyond the grid: it moves up, and repaints
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.Y, 328);
    EXPECT_EQ(Host.View.Calls, std::vector<std::string>{"repaint"});
    Host.View.Calls.clear();
    d.Doc.SetLayoutPageCount(1); // rows go; the first page moves to the middle
    EXPECT_EQ(d.Doc.ViewState.Grid.TotalHeight, 300);
    EXPECT_EQ(d.Doc.Pages[0]->ViewRect.Top, 52);
    EXPECT_EQ(Host.View.Calls, std::vector<std::string>{"repaint"});
}

TEST_F(ViewScrolling, PreviewTakesItsOwnViewAndGivesTheDocumentsBack)
{
    TPagedDocument d;
    Show(d, 1300, 500);
    d.Doc.SetModeFlag(mfShowMarks, true);
    d.Doc.SetZoom(150);
    d.Doc.SetScrollPos({0, 120});
    CurrentOptions().Preview.ZoomKind = zkWholePage;
    Host.View.Calls.clear();
    d.Doc.SetPreviewMode(true);
    EXPECT_TRUE(d.Doc.PreviewMode);
    EXPECT_FALSE(d.Doc.GetModeFlag(mfShowMarks));
    EXPECT_EQ(d.Doc.ViewState.ZoomKind, zkWholePage);
    EXPECT_EQ(d.Doc.ViewState.ZoomPercent, (1300 - 20) * 100 / 576); // the page's width fits, and its height
    EXPECT_EQ(Host.View.Calls.front(), "relayout");
    // A zoom chosen while previewing is the preview's from now on.
    d.Doc.ViewState.ZoomKind = zkPercent;
    d.Doc.SetZoom(75);
    EXPECT_EQ(CurrentOptions().Preview.ZoomFactor, 75);
    EXPECT_EQ(CurrentOptions().Preview.ZoomKind, zkPercent);
    d.Doc.SetPreviewMode(false);
    EXPECT_FALSE(d.Doc.PreviewMode);
    EXPECT_TRUE(d.Doc.GetModeFlag(mfShowMarks));
    EXPECT_EQ(d.Doc.ViewState.ZoomPercent, 150);
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.Y, 120);
    EXPECT_EQ(Host.View.Bars.Y, 120);
}

TEST_F(ViewScrolling, FreshViewStartsAtTheText)
{
    TPagedDocument d;
    Show(d, 400, 300);
    d.Doc.ScrollToFirstText();
    // The page stands at (10, 10), its text 48 pixels in; wider than the window, so x can move too.
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.X, 58);
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.Y, 58);
    d.Doc.ScrollToFirstText(); // no longer a fresh view: nothing more
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.Y, 58);
    d.Doc.SetScrollPos({0, 0});
    CurrentOptions().View.KeepPageCorner = true;
    d.Doc.ScrollToFirstText();
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.Y, 0);
}

TEST_F(ViewScrolling, ViewShownBeforeThePaginationStartsAtTheText)
{
    // A document just opened: its window shows before the first pagination knows the page size.
    TPagedDocument d;
    d.Par(25);
    d.Prepare();
    d.Doc.ClearPageList();
    d.Doc.ViewState.PageExtent = TPageExtent{};
    d.Doc.Window = reinterpret_cast<TDocumentForm*>(&WindowToken);
    d.ShowInWindow(400, 300);
    d.Doc.ScrollToFirstText();
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.X, 58);
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.Y, 58);
}

TEST_F(ViewScrolling, FarCaretIsScrolledIntoView)
{
    TPagedDocument d;
    Show(d, 400, 300);
    d.Doc.UpdateCaretShape(); // 19 pixels high
    d.Doc.SetCaret(0, 0, 0, 0);
    EXPECT_TRUE(d.Doc.IsCaretVisible());
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.Y, 0);
    Host.View.Origin = {3, 4};
    // Page 1, line 2: its caret top is page 1's top (216) + 48 + 20 + 8 - 14 = 278, its bottom 297.
    d.Doc.SetCaret(0, 12, 12, 0);
    EXPECT_EQ(d.Doc.CaretState.Y, 278);
    // The widened caret rectangle ends at 299: the view moves by exactly the overhang.
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.Y, 0); // still in view: 297 <= 300
    d.Doc.SetCaret(0, 13, 13, 0);              // 10 pixels lower
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.Y, 309 - 300);
    EXPECT_TRUE(d.Doc.IsCaretVisible());
    EXPECT_EQ(Host.View.SystemCaret.X, 3 + d.Doc.CaretState.X - d.Doc.ViewState.ScrollPos.X);
    EXPECT_EQ(Host.View.SystemCaret.Y, 4 + d.Doc.CaretState.Y - d.Doc.ViewState.ScrollPos.Y);
    d.Doc.InvertSelectionRect();
    EXPECT_EQ(Host.View.Inverted.Top, Host.View.SystemCaret.Y);
    EXPECT_EQ(Host.View.Inverted.Bottom - Host.View.Inverted.Top, 19);

    // Keeping the caret away from the edge: a further third of the room left, (300 - 23) / 3.
    CurrentOptions().Edit.DiscrVerScroll = true;
    d.Doc.SetCaret(0, 20, 20, 0); // page 2, line 0
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.Y, d.Doc.CaretRect().Bottom - 300 + 92);
    // Back to the top: the view jumps to the caret, and a third more above it (clamped at 0).
    d.Doc.SetCaret(0, 0, 0, 0);
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.Y, 0);
    // Held back, the view stays.
    CurrentOptions().Edit.DiscrVerScroll = false;
    d.Doc.SetModeFlag(mfNoScrollToCaret, true);
    d.Doc.SetCaret(0, 14, 14, 0); // page 1, line 4: the widened rectangle ends at 319
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.Y, 0);
    EXPECT_FALSE(d.Doc.IsCaretVisible());
    d.Doc.MakeCaretVisible(1); // mode 1: its bottom at the middle of the window
    EXPECT_EQ(d.Doc.ViewState.ScrollPos.Y, 319 - 150);
}

TEST_F(ViewScrolling, ScrollPositionToShowARectangle)
{
    TPagedDocument d;
    Show(d, 1300, 500, 100); // 10 pages, two per row: 5 rows of 206, 1040 in all
    d.Doc.SetScrollPos({0, 400});
    struct Case {
        TRect r;
        int mode;
        TPoint expected;
    } cases[] = {
        {{100, 950, 120, 970}, 0, {0, 470}},          // just below: by the overhang
        {{100, 300, 120, 320}, 0, {0, 300}},          // above: to its top
        {{100, 500, 120, 520}, 0, {0, 400}},          // inside: nothing
        {{100, 700, 120, 720}, 1, {0, 470}},          // mode 1: its bottom at the middle
        {{100, 400, 120, 1500}, 0, {0, 400}},         // taller than the window, starting in it
        {{100, 520, 120, 1100}, 0, {0, 520}},         // taller and below: to its top
        {{100, 1100, 120, 1120}, 0, {0, 1040 - 500}}, // clamped to the grid's end
    };
    for (const Case& c : cases) {
        const TPoint p = d.Doc.ScrollPosToShow(c.r, c.mode);
        EXPECT_EQ(p.X, c.expected.X) << c.r.Top;
        EXPECT_EQ(p.Y, c.expected.Y) << c.r.Top;
    }
}

TEST_F(ViewScrolling, OnDemandPaginationKeepsTheStatusText)
{
    TPagedDocument d;
    d.Par(125);
    d.Par(175);
    d.Prepare();
    d.Doc.Paginate(0, 0);
    TTextPos pos{};
    pos.Offset = 120;
    pos.LineHint = 120;
    d.Doc.LocateTextPos(pos);
    EXPECT_EQ(pos.PageIndex, 12);
    // Slices of 1, 2, 4 and 8 pages, the status text kept once around them all.
    EXPECT_EQ(Host.Status, (std::vector<std::string>{"push", "pop"}));
    Host.Status.clear();
    d.Doc.LocateTextPos(pos); // laid out already: nothing said
    EXPECT_TRUE(Host.Status.empty());
    // A background slice and pagination to the end keep it too; with nothing left to lay out they say
    // nothing.
    TTickingClock clock(20);
    d.Doc.PaginateSlice(clock);
    EXPECT_EQ(Host.Status, (std::vector<std::string>{"push", "pop"}));
    EXPECT_EQ(d.Doc.Pages.size(), 19u);
    Host.Status.clear();
    d.Doc.PaginateAll();
    EXPECT_EQ(d.Doc.Pages.size(), 30u);
    ASSERT_GE(Host.Status.size(), 3u);
    EXPECT_EQ(Host.Status.front(), "push");
    EXPECT_EQ(Host.Status[1], "text"); // its progress shows in between
    EXPECT_EQ(Host.Status.back(), "pop");
    Host.Status.clear();
    d.Doc.PaginateAll();
    d.Doc.PaginateSlice(clock);
    EXPECT_TRUE(Host.Status.empty());
}

TEST_F(ViewScrolling, CaretPlacementWithASelectionAndAPendingWord)
{
    TPagedDocument d;
    d.BreakPar(6); // "a", a page break, then the mark on its own line
    d.Prepare();
    d.Doc.PaginateAll();
    d.Doc.Window = reinterpret_cast<TDocumentForm*>(&WindowToken);
    TTextPos start{};
    d.Doc.LocateTextPos(start);
    d.Doc.Selection = TTextRange{start, start};
    d.Doc.Selection.EndPos.Offset = 2;
    // With a selection the caret stays after the break unless the window asks for the step.
    TTextPos afterBreak{};
    afterBreak.Offset = 2;
    d.Doc.LocateTextPos(afterBreak, 1); // the end of line 0
    d.Doc.PlaceCaret(afterBreak, 0);
    EXPECT_EQ(d.Doc.Caret.Offset, 2);
    Host.StateWord = 2;
    d.Doc.PlaceCaret(afterBreak, 0);
    EXPECT_EQ(d.Doc.Caret.Offset, 1);

    // A word typed at 0..1 is checked once the caret leaves it, not while it stays.
    d.Doc.Selection = TTextRange{d.Doc.Caret, d.Doc.Caret};
    TTextRange word{start, start};
    word.EndPos.Offset = 1;
    d.Doc.CaretState.PendingWord = {true, word};
    d.Doc.SetCaret(0, 1, 0, 0);
    EXPECT_TRUE(Host.Checked.empty());
    d.Doc.SetCaret(0, 2, 1, 2);
    ASSERT_EQ(Host.Checked.size(), 1u);
    EXPECT_EQ(Host.Checked[0].EndPos.Offset, 1);
    EXPECT_FALSE(d.Doc.CaretState.PendingWord.Pending);
}

TEST_F(ViewScrolling, EditedPropertiesMakeTheDocumentModified)
{
    TPagedDocument d;
    Host.Accept = false;
    d.Doc.EditProperties();
    EXPECT_FALSE(d.Doc.IsModified());
    EXPECT_FALSE(d.Doc.GetModeFlag(mfStatisticsStale));
    Host.Accept = true;
    d.Doc.EditProperties();
    EXPECT_EQ(d.Doc.Info.Title, "Rapport");
    EXPECT_TRUE(d.Doc.IsModified());
    EXPECT_TRUE(d.Doc.GetModeFlag(mfStatisticsStale));
    EXPECT_EQ(d.Doc.UndoList.SavedMark, INT32_MIN);
}

} // namespace
