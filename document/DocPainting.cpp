// Painting the document's view: the visible pages with their frames and shadows on the background,
// and repainting the lines of a range.
#include <algorithm>
#include <vector>

#include "core/Colors.h"
#include "core/DrawSurface.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/DocumentView.h"
#include "document/Page.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"
#include "document/Section.h"

namespace {

bool Meets(const TRect& a, const TRect& b)
{
    TRect r = a;
    return IntersectRectInPlace(r, b);
}

TRect Offset(const TRect& r, int32_t dx, int32_t dy)
{
    return TRect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

TColorRef PaletteColor(int slot, TColorRef fallback)
{
    if (TColorManager* manager = GetColorManager())
        if (TColorPalette* palette = manager->CurrentPalette())
            return palette->GetColor(slot);
    return fallback;
}

// The lines whose bands a line's text reaches: the lines after it in its paragraph that are drawn with
// it, and the second line of its page when it is the page's first line and overhangs, in the same story
// and column.
std::vector<TParLine*> LinesBelowReached(TDocument& d, TParLine& line)
{
    std::vector<TParLine*> lines;
    TParagraph& p = *line.Paragraph;
    for (int32_t k = line.LineIndex + 1; k < p.LineCount(); ++k) {
        TParLine& below = *p.Lines[size_t(k)];
        if (below.LineIndex - below.SharedBandLines > line.LineIndex || below.Page != line.Page ||
            below.ColumnIndex != line.ColumnIndex)
            break;
        lines.push_back(&below);
    }
    const TPage* page = line.Page;
    if (page && line.Overhang && page->Lines.size() > 1 && page->Lines[0] == &line) {
        TParLine* second = page->Lines[1];
        if (second->ColumnIndex == line.ColumnIndex &&
            d.StoryOfParagraph(second->Paragraph->LayoutIndex) ==
                d.StoryOfParagraph(line.Paragraph->LayoutIndex) &&
            std::find(lines.begin(), lines.end(), second) == lines.end())
            lines.push_back(second);
    }
    return lines;
}

// Draws one placed line on the window, clipped to its rectangle; CaretShown is cleared when the caret
// had to be hidden for it.
void PaintLine(TDocument& d, TDrawSurface& surface, TParLine& line, bool& caretShown)
{
    const TRect r = d.LineClientRect(line);
    if (!Meets(r, TRect{0, 0, d.ViewState.ClientWidth + (d.View() ? d.View()->ViewOrigin().X : 0),
                        d.ViewState.ClientHeight + (d.View() ? d.View()->ViewOrigin().Y : 0)}))
        return;
    if (TDocumentView* view = d.View(); view && caretShown) {
        const TPoint origin = view->ViewOrigin();
        const TRect caret =
            Offset(TRect{d.CaretState.X, d.CaretState.Y, d.CaretState.X + d.CaretState.Shape.Width,
                         d.CaretState.Y + d.CaretState.Shape.Height},
                   origin.X - d.ViewState.ScrollPos.X, origin.Y - d.ViewState.ScrollPos.Y);
        if (Meets(caret, r)) {
            view->HideDocCaret();
            caretShown = false;
        }
    }
    TModeFlagScope flags(d);
    if (r.Bottom - r.Top - 1 > line.GetDisplayHeight())
        flags.On(mfOverhangDrawing);
    int32_t x = r.Left;
    if (line.ColumnIndex >= 0) {
        TColumnGeometry column;
        d.SectionOfParagraph(line.Paragraph->LayoutIndex)->GetColumnGeometry(line.ColumnIndex, column);
        x += d.TwipsToDeviceX(column.Left);
    }
    surface.SaveClip();
    surface.IntersectClip(r);
    line.Draw(surface, x, r.Top);
    surface.RestoreClip();
}

} // namespace

void TDocument::Paint(TDrawSurface& surface)
{
    TDocumentView* view = View();
    if (view)
        view->HideDocCaret();
    const bool wasLive = GetModeFlag(mfViewLive);
    TModeFlagScope flags(*this);
    flags.Off(mfViewLive);
    SelectColorScheme();
    const TPoint origin = view ? view->ViewOrigin() : TPoint{0, 0};
    const int32_t dx = origin.X - ViewState.ScrollPos.X, dy = origin.Y - ViewState.ScrollPos.Y;
    const TColorRef frame = PaletteColor(csPageOutline, 0x000000);
    const TColorRef background = PaletteColor(csPageGap, 0x808080);
    const int32_t pagesBefore = int32_t(Pages.size());
    const int32_t first = FirstVisiblePage();
    const int32_t last = GetModeFlag(mfPaintFirstPageOnly) ? first : LastVisiblePage();
    surface.SaveClip();
    surface.IntersectClip(ViewState.UpdateRegion);
    std::vector<TRect> covered;
    for (int32_t i = first; i <= last; ++i) {
        if (i >= int32_t(Pages.size())) {
            if (GetModeFlag(mfPaginationComplete))
                break;
            TModeFlagScope paginating(*this);
            paginating.On(mfRebuildingPages);
            TStatusTextScope status;
            Paginate(int32_t(Pages.size()), last);
            if (i >= int32_t(Pages.size()))
                break;
        }
        TPage& page = *Pages[size_t(i)];
        const TRect r = Offset(page.ViewRect, dx, dy);
        const TRect widened{r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1};
        if (Meets(r, ViewState.UpdateRegion))
            page.Draw(surface, r.Left, r.Top, INT32_MIN);
        // The frame, and the shadow below and to the right.
        surface.FillRect(TRect{widened.Left, widened.Top, widened.Right, r.Top}, frame);
        surface.FillRect(TRect{widened.Left, r.Bottom, widened.Right, widened.Bottom}, frame);
        surface.FillRect(TRect{widened.Left, r.Top, r.Left, r.Bottom}, frame);
        surface.FillRect(TRect{r.Right, r.Top, widened.Right, r.Bottom}, frame);
        const TRect bottomShadow{widened.Left + 4, widened.Bottom, widened.Right + 4, widened.Bottom + 4};
        const TRect rightShadow{widened.Right, widened.Top + 4, widened.Right + 4, widened.Bottom};
        if (Meets(bottomShadow, ViewState.UpdateRegion))
            surface.FillRect(bottomShadow, frame);
        if (Meets(rightShadow, ViewState.UpdateRegion))
            surface.FillRect(rightShadow, frame);
        covered.push_back(widened);
        covered.push_back(bottomShadow);
        covered.push_back(rightShadow);
    }
    // The background between the pages.
    for (const TRect& r : covered)
        surface.ExcludeClip(r);
    surface.FillRect(ViewState.UpdateRegion, background);
    surface.RestoreClip();
    if (view && wasLive && view->HasFocus() && !HasSelection())
        view->ShowDocCaret();
    if (pagesBefore != int32_t(Pages.size()))
        DocumentHost().InvalidateCommands();
    SetModeFlag(mfPainted, true);
}

bool TDocument::PageAreaIntersects(int32_t pageIndex, const TRect& r)
{
    const TRect page = GetPageRect(pageIndex);
    return Meets(TRect{page.Left - 1, page.Top - 1, page.Right + 5, page.Bottom + 5}, r);
}

TRect TDocument::LineClientRect(const TParLine& line)
{
    if (!line.Page)
        return TRect{0, 0, 0, 0};
    const TPage& page = *line.Page;
    const TPageSetup& ps = PageSetupSectionOfPage(page.PageIndex)->PageSetup;
    const TPoint origin = View() ? View()->ViewOrigin() : TPoint{0, 0};
    const int32_t left = page.ViewRect.Left + origin.X - ViewState.ScrollPos.X;
    const int32_t top = page.ViewRect.Top + origin.Y - ViewState.ScrollPos.Y + ApplyZoom(line.Y);
    const TPageMargins m = GetPageMargins(ps, page.PageIndex);
    int32_t height = line.GetDisplayHeight();
    // The last line of a page may draw below its box.
    if (line.Overhang && page.Lines.back() == &line &&
        StoryOfParagraph(line.Paragraph->LayoutIndex) != stHeadersFooters)
        height += height * 15 / 100;
    return TRect{left + m.LeftZoom, top, left + ps[psDeviceWidth] - m.RightZoom, top + height + 1};
}

void TDocument::PaintRangeLines(TDrawSurface& surface, const TTextPos& pos, bool& caretShown)
{
    if (pos.PageIndex < 0 || pos.PageIndex >= int32_t(Pages.size()) || pos.ParIndex < 0 ||
        pos.ParIndex >= ParagraphCount())
        return;
    TParagraph& p = *Paragraphs[size_t(pos.ParIndex)];
    if (pos.LineIndex < 0 || pos.LineIndex >= p.LineCount())
        return;
    TParLine& line = *p.Lines[size_t(pos.LineIndex)];
    if (!line.Page)
        return;
    PaintLine(*this, surface, line, caretShown);
    // Text that reaches down into the bands below is drawn again there.
    for (TParLine* below : LinesBelowReached(*this, line))
        PaintLine(*this, surface, *below, caretShown);
}

namespace {

// Calls F for every line of a range that lies on a visible page, in order, until a line beyond the
// last visible page; a start at the very end of its paragraph starts with the next paragraph.
template<typename F>
void ForEachVisibleLine(TDocument& d, TTextRange range, F f)
{
    if (d.Paragraphs.empty())
        return;
    TTextPos& start = range.StartPos;
    if (start.ParIndex >= 0 && start.ParIndex < d.ParagraphCount() - 1 &&
        start.Offset >= d.ParagraphLength(start.ParIndex) && start.ParIndex + 1 < d.StoryEnd(stMain)) {
        ++start.ParIndex;
        start.Offset = 0;
    }
    if (IsRangeEmpty(range))
        return;
    const int32_t firstPage = d.FirstVisiblePage(), lastPage = d.LastVisiblePage();
    const int32_t lastPar = std::min(range.EndPos.ParIndex, d.ParagraphCount() - 1);
    for (int32_t i = std::max(0, start.ParIndex); i <= lastPar; ++i) {
        TParagraph& p = *d.Paragraphs[size_t(i)];
        if (!p.GetLaidOut() || p.Lines.empty())
            return;
        int32_t from = 0, to = p.LineCount() - 1;
        if (i == start.ParIndex)
            while (from < to && p.Lines[size_t(from + 1)]->FirstChar <= start.Offset)
                ++from;
        if (i == range.EndPos.ParIndex)
            while (to > from && p.Lines[size_t(to)]->FirstChar >= range.EndPos.Offset)
                --to;
        for (int32_t k = from; k <= to; ++k) {
            TParLine& line = *p.Lines[size_t(k)];
            if (!line.Page)
                continue; // a paragraph no page holds (a note, a header not being edited)
            const int32_t page = line.Page->PageIndex;
            if (page > lastPage)
                return;
            if (page >= firstPage) {
                TTextPos pos{i, line.FirstChar, k, page, k, 0};
                f(pos, line);
            }
        }
    }
}

} // namespace

void TDocument::RepaintRange(const TTextRange& range)
{
    TDocumentView* view = View();
    if (!view)
        return;
    SelectColorScheme();
    bool caretShown = true;
    view->DrawOnView([&](TDrawSurface& surface) {
        ViewState.UpdateRegion = TRect{0, 0, ViewState.ClientWidth + view->ViewOrigin().X,
                                       ViewState.ClientHeight + view->ViewOrigin().Y};
        ForEachVisibleLine(
            *this, range, [&](const TTextPos& pos, TParLine&) { PaintRangeLines(surface, pos, caretShown); });
    });
    if (!caretShown && GetModeFlag(mfViewLive) && view->HasFocus() && !HasSelection())
        view->ShowDocCaret();
    SetModeFlag(mfPainted, true);
}

void TDocument::InvalidateRange(const TTextRange& range)
{
    TDocumentView* view = View();
    if (!view)
        return;
    ForEachVisibleLine(*this, range, [&](const TTextPos&, TParLine& line) {
        view->InvalidateViewRect(LineClientRect(line));
        for (TParLine* below : LinesBelowReached(*this, line))
            view->InvalidateViewRect(LineClientRect(*below));
    });
}
