// Pages and the view painted on a recording surface: which pages and lines are drawn for an update
// region, frames and background, missing pages laid out on the spot, column blocks and rules, printing
// without paper or clip, margin limits in phase with scrolling, and repainting or invalidating the lines
// of a range.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/Colors.h"
#include "core/FontDevice.h"
#include "core/Fonts.h"
#include "core/Options.h"
#include "core/RecordingSurface.h"
#include "document/Page.h"
#include "paged_document.h"
#include "recording_view.h"

using qptest::TPagedDocument;
using qptest::TViewHost;

namespace {

TColorRef Slot(int slot)
{
    return GetColorManager()->CurrentPalette()->GetColor(slot);
}

bool Inside(const TRect& r, int32_t x, int32_t y)
{
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

class PagePainting : public qptest::ViewHostTest {
protected:
    // Pages of 576 x 196 at 100 %, ten lines each, shown in a window of that client size.
    void Show(TPagedDocument& d, int32_t width, int32_t height, bool paginate = true)
    {
        d.Prepare();
        if (paginate)
            d.Doc.PaginateAll();
        d.Doc.Window = reinterpret_cast<TDocumentForm*>(&WindowToken);
        d.ShowInWindow(width, height);
    }
    // The client rectangle of page N.
    TRect PageRect(TDocument& doc, int32_t n)
    {
        const TRect r = doc.Pages[size_t(n)]->ViewRect;
        return TRect{r.Left - doc.ViewState.ScrollPos.X, r.Top - doc.ViewState.ScrollPos.Y,
                     r.Right - doc.ViewState.ScrollPos.X, r.Bottom - doc.ViewState.ScrollPos.Y};
    }
    // The pages whose rectangles hold the text drawn.
    std::vector<int32_t> PagesWithText(TDocument& doc, const TRecordingSurface& s)
    {
        std::vector<int32_t> pages;
        for (const TDrawOp* op : s.OfKind(TDrawOpKind::Text))
            for (int32_t n = 0; n < int32_t(doc.Pages.size()); ++n)
                if (Inside(PageRect(doc, n), op->Rect.Left, op->Rect.Top) &&
                    std::find(pages.begin(), pages.end(), n) == pages.end())
                    pages.push_back(n);
        return pages;
    }
};

TEST_F(PagePainting, OnlyPagesMeetingTheUpdateRegionAreDrawnAndEveryVisiblePageIsFramed)
{
    TPagedDocument d;
    d.Par(25);
    Show(d, 700, 450);
    TDocument& doc = d.Doc;
    ASSERT_EQ(doc.LastVisiblePage(), 2);

    TRecordingSurface all;
    doc.SetUpdateRegion(TRect{0, 0, 700, 450});
    doc.Paint(all);
    EXPECT_EQ(PagesWithText(doc, all), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(all.ClipDepth(), 0);
    // The background is painted last, with every page, frame and shadow taken out of it.
    EXPECT_EQ(all.Ops.back().Kind, TDrawOpKind::Fill);
    EXPECT_EQ(all.Ops.back().Color, Slot(csPageGap));
    EXPECT_GE(all.Excluded.size(), 0u);

    // A region over the second page alone draws only its lines; frames are drawn for every page.
    const TRect second = PageRect(doc, 1);
    TRecordingSurface part;
    doc.SetUpdateRegion(TRect{second.Left + 60, second.Top + 50, second.Left + 200, second.Top + 100});
    doc.Paint(part);
    EXPECT_EQ(PagesWithText(doc, part), std::vector<int32_t>{1});
    int frames = 0;
    for (const TDrawOp* op : part.OfKind(TDrawOpKind::Fill))
        frames += op->Color == Slot(csPageOutline) && op->Rect.Right - op->Rect.Left == 578 ? 1 : 0;
    EXPECT_EQ(frames, 2 * (doc.LastVisiblePage() - doc.FirstVisiblePage() + 1));
}

TEST_F(PagePainting, PaintingLaysOutTheVisiblePagesStillMissing)
{
    TPagedDocument d;
    d.Par(60);
    Show(d, 700, 450, false);
    TDocument& doc = d.Doc;
    doc.Paginate(0, 0);
    ASSERT_LT(int32_t(doc.Pages.size()), 3);
    doc.ViewState.ScrollPos.Y = 2 * 206;
    TRecordingSurface s;
    doc.SetUpdateRegion(TRect{0, 0, 700, 450});
    doc.Paint(s);
    EXPECT_GE(int32_t(doc.Pages.size()), doc.LastVisiblePage() + 1);
    EXPECT_FALSE(PagesWithText(doc, s).empty());
    EXPECT_TRUE(doc.GetModeFlag(mfPainted));
}

TEST_F(PagePainting, EmptyColumnsArePaperWithoutRulesAndFullOnesGetTheirRule)
{
    TPagedDocument d;
    d.Par(4);
    TSection& section = d.EndSection(1, 3);
    section.Params[spLineBetween] = 1;
    Show(d, 700, 450);
    TDocument& doc = d.Doc;
    const TRect page = PageRect(doc, 0);
    TRecordingSurface s;
    doc.SetUpdateRegion(page);
    doc.Pages[0]->Draw(s, page.Left, page.Top, INT32_MIN);
    // The two empty columns are painted as paper down to the block's bottom, without the rule between
    // them; the lines of the first column draw the rule at its right bound.
    TColumnGeometry first, second;
    section.GetColumnGeometry(0, first);
    section.GetColumnGeometry(1, second);
    const int32_t secondLeft = page.Left + 48 + doc.TwipsToDeviceX(second.LeftBound);
    const int32_t firstRule = page.Left + 48 + doc.TwipsToDeviceX(first.RightBound);
    bool paper = false;
    int rules = 0;
    for (const TDrawOp* op : s.OfKind(TDrawOpKind::Fill)) {
        if (op->Color == Slot(csPageBackground) && op->Rect.Left == secondLeft &&
            op->Rect.Right == page.Right)
            paper = true;
        if (op->Color == Slot(csAutoText) && op->Rect.Right - op->Rect.Left == 1) {
            EXPECT_EQ(op->Rect.Left, firstRule);
            ++rules;
        }
    }
    EXPECT_EQ(rules, 4);
    EXPECT_TRUE(paper);
    EXPECT_EQ(s.ClipDepth(), 0);
}

TEST_F(PagePainting, PrintingDrawsTheLinesWithoutPaperOrClip)
{
    TPagedDocument d;
    d.Par(5);
    Show(d, 700, 450);
    TDocument& doc = d.Doc;
    doc.SetModeFlag(mfPrinting, true);
    TRecordingSurface s;
    doc.Pages[0]->Draw(s, 0, 0, INT32_MIN);
    EXPECT_EQ(s.Texts().size(), 5u);
    for (const TDrawOp& op : s.Ops) {
        EXPECT_FALSE(op.Clipped);
        EXPECT_FALSE(op.Kind == TDrawOpKind::Fill && op.Color == Slot(csPageBackground));
        EXPECT_NE(op.Kind, TDrawOpKind::Copy);
    }
    doc.SetModeFlag(mfPrinting, false);
}

TEST_F(PagePainting, MarginLimitsKeepTheirPhaseWhenTheViewScrolls)
{
    CurrentOptions().View.MarginBorders = true;
    TPagedDocument d;
    d.Par(3);
    Show(d, 700, 450);
    TDocument& doc = d.Doc;
    for (int32_t scroll : {0, 3, 7}) {
        doc.ViewState.ScrollPos.X = scroll;
        const TRect page = PageRect(doc, 0);
        TRecordingSurface s;
        doc.SetUpdateRegion(TRect{-100, -100, 1000, 1000});
        doc.Pages[0]->Draw(s, page.Left, page.Top, INT32_MIN);
        // The top limit lies one row above the text area: its limit-coloured pixels stand at the first
        // and third of every group of five counted in the view, whatever the scroll position.
        const int32_t row = page.Top + 48 - 1;
        int found = 0;
        for (const TPoint& p : s.Pixels(Slot(csPageMarginLimit)))
            if (p.Y == row) {
                const int32_t phase = ((p.X + scroll) % 5 + 5) % 5;
                EXPECT_TRUE(phase == 0 || phase == 2) << scroll << " " << p.X;
                ++found;
            }
        EXPECT_GT(found, 100) << scroll;
    }
}

TEST_F(PagePainting, HeaderIsLaidOutForThePageAndTakenOffAgain)
{
    TPagedDocument d;
    d.Par(3);
    d.HeaderFooter(*d.Doc.Sections.back(), hfOddHeader, 2);
    Show(d, 700, 450);
    TDocument& doc = d.Doc;
    const size_t before = doc.Pages[0]->Lines.size();
    const TRect page = PageRect(doc, 0);
    TRecordingSurface s;
    doc.SetUpdateRegion(page);
    doc.Pages[0]->Draw(s, page.Left, page.Top, INT32_MIN);
    int headerTexts = 0;
    for (const TDrawOp* op : s.OfKind(TDrawOpKind::Text))
        headerTexts += op->Text.find('h') != std::string::npos ? 1 : 0;
    EXPECT_GE(headerTexts, 1);
    EXPECT_EQ(doc.Pages[0]->Lines.size(), before);
}

TEST_F(PagePainting, ARangeInvalidatesOrRepaintsOnlyItsVisibleLines)
{
    TPagedDocument d;
    d.Par(25);
    Show(d, 700, 300);
    TDocument& doc = d.Doc;
    std::vector<TRect>& invalidated = Host.View.Invalidated;

    // One character: its line's rectangle alone, the text area's width.
    doc.InvalidateRange(TTextRange{{0, 3, 0, 0, 0, 0}, {0, 4, 0, 0, 0, 0}});
    ASSERT_EQ(invalidated.size(), 1u);
    const TParLine& line = *doc.Paragraphs[0]->Lines[3];
    const TRect r = invalidated[0];
    const TRect page = PageRect(doc, 0);
    EXPECT_EQ(r.Left, page.Left + 48);
    EXPECT_EQ(r.Right, page.Right - 48);
    EXPECT_EQ(r.Top, page.Top + line.Y);
    EXPECT_EQ(r.Bottom, r.Top + line.Height + 1);

    // A range running below the last visible page stops there.
    invalidated.clear();
    doc.InvalidateRange(TTextRange{{0, 0, 0, 0, 0, 0}, {0, 25, 0, 0, 0, 0}});
    EXPECT_EQ(int32_t(invalidated.size()), 10 * (doc.LastVisiblePage() + 1));

    // An empty range, and one starting at the very end of a paragraph and ending there, paint nothing.
    invalidated.clear();
    doc.InvalidateRange(TTextRange{{0, 2, 0, 0, 0, 0}, {0, 2, 0, 0, 0, 0}});
    EXPECT_TRUE(invalidated.empty());

    // Repainting draws the same lines straight onto the window.
    doc.RepaintRange(TTextRange{{0, 3, 0, 0, 0, 0}, {0, 5, 0, 0, 0, 0}});
    EXPECT_EQ(Host.View.Surface.Texts().size(), 2u);
    EXPECT_EQ(Host.View.Surface.ClipDepth(), 0);

    // A line whose text reaches into the band below (as layout marks it) brings that line along: it is
    // invalidated too, and repainted with the line above drawn into its band again.
    doc.Paragraphs[0]->Lines[4]->SharedBandLines = 1;
    invalidated.clear();
    doc.InvalidateRange(TTextRange{{0, 3, 0, 0, 0, 0}, {0, 4, 0, 0, 0, 0}});
    ASSERT_EQ(invalidated.size(), 2u);
    EXPECT_EQ(invalidated[1].Top, invalidated[0].Bottom - 1);
    Host.View.Surface = TRecordingSurface();
    doc.RepaintRange(TTextRange{{0, 3, 0, 0, 0, 0}, {0, 4, 0, 0, 0, 0}});
    EXPECT_EQ(Host.View.Surface.Texts().size(), 3u);
    EXPECT_EQ(Host.View.Surface.ClipDepth(), 0);
    doc.Paragraphs[0]->Lines[4]->SharedBandLines = 0;
}

} // namespace
