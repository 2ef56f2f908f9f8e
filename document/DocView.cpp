// The document's view: the page extent, the grid of page cells, page rectangles and the scroll position.
#include "document/Document.h"

#include <algorithm>

#include "document/DocumentHost.h"
#include "document/DocumentView.h"
#include "document/Page.h"
#include "document/ParLine.h"
#include "document/Section.h"

void TDocument::ComputePageExtent()
{
    UpdateSectionRanges();
    TPageExtent e{};
    static constexpr int fields[7] = {psWidth,       psHeight,       psScreenWidth, psScreenHeight,
                                      psDeviceWidth, psDeviceHeight, psTextWidth};
    // The page-setup owners of the main text, from the last back to the first.
    TSection* section = SectionOfParagraph(StoryEnd(stMain));
    for (int32_t n = section->Number; n >= 0; --n) {
        if (n > 0 && Sections[n - 1]->BreakKind() == 0)
            continue;
        const TPageSetup& p = Sections[n]->PageSetup;
        for (int f = 0; f < 7; ++f)
            e[f] = std::max(e[f], p[fields[f]]);
    }
    ViewState.PageExtent = e;
}

TPageMargins TDocument::GetPageMargins(const TPageSetup& pageSetup, int32_t side) const
{
    return ::GetPageMargins(pageSetup, side);
}

TRect TDocument::PageRectInGrid(int32_t pageIndex) const
{
    return ViewState.Grid.CellRect(pageIndex);
}

TRect TDocument::CenterPageInCell(int32_t pageIndex, const TRect& cell)
{
    const TPageSetup& p = PageSetupSectionOfPage(pageIndex)->PageSetup;
    return ::CenterPageInCell(cell, p[psDeviceWidth], p[psDeviceHeight]);
}

TRect TDocument::GetPageRect(int32_t pageIndex)
{
    if (pageIndex >= 0 && pageIndex < int32_t(Pages.size()))
        return Pages[pageIndex]->ViewRect;
    return PageRectInGrid(pageIndex);
}

int32_t TDocument::FirstVisiblePage() const
{
    return ViewState.Grid.FirstVisiblePage(ViewState.ScrollPos.Y);
}

int32_t TDocument::LastVisiblePage() const
{
    return ViewState.Grid.LastVisiblePage(ViewState.ScrollPos.Y);
}

void TDocument::UpdatePageLayout()
{
    if (GetModeFlag(mfHidden))
        return;
    ViewState.Grid.Compute(ViewState.ZoomKind, LayoutPageCount, ViewState.PageExtent[4],
                           ViewState.PageExtent[5], ViewState.ClientWidth, ViewState.ClientHeight);
    for (auto& page : Pages)
        page->ViewRect = CenterPageInCell(page->PageIndex, PageRectInGrid(page->PageIndex));
    const TPoint clamped = ClampScrollPos(ViewState.ScrollPos);
    if (!SamePoint(clamped, ViewState.ScrollPos))
        SetScrollPos(clamped);
    ViewState.ScrollRanges = ViewState.Grid.ScrollRanges();
    if (TDocumentView* view = View())
        view->SetScrollRanges(ViewState.ScrollRanges, ViewState.ScrollPos);
    UpdateCaretGeometry();
    SetCaretPos();
}

void TDocument::SetZoomKind(int kind)
{
    const int oldKind = ViewState.ZoomKind;
    ViewState.ZoomKind = uint8_t(kind);
    // The fitting zooms need no horizontal scroll bar: the window's view may grow or shrink first.
    if (kind != oldKind)
        if (TDocumentView* view = View())
            view->RelayoutWindow();
    const int32_t zoom = EffectiveZoom();
    if (zoom != ViewState.ZoomPercent || kind != oldKind) {
        SetZoom(zoom);
        UpdatePageLayout();
    }
}

void TDocument::InvalidatePagination()
{
    UpdateDeviceMetrics();
    for (auto& section : Sections) {
        TPageSetup& p = section->PageSetup;
        p[psTextWidth] = p[psWidth] - p[psLeftMargin] - p[psRightMargin];
    }
    ComputePageExtent();
    UpdateDeviceMetrics();
    ClearPageList();
    SetModeFlag(mfPaginationComplete, false);
}

void TDocument::Relayout()
{
    SetModeFlag(mfSectionRangesStale, true);
    SetModeFlag(mfColumnWidthsStale, true);
    InvalidatePagination();
    PaginateAll();
}

void TDocument::RelayoutAll()
{
    if (TDocumentView* view = View())
        view->DropMouseState();
    if (EditedHeaderFooter)
        ToggleHeaderFooterMode(EditedHeaderFooterPage, nullptr);
    DiscardLineLayout();
    SetModeFlag(mfRebuildingPages, true);
    SetModeFlag(mfPaginationComplete, false);
    ClearPageList();
    {
        TStatusTextScope status;
        SetCaret(Caret.ParIndex, Caret.Offset, Caret.LineHint, 0);
    }
    Invalidate();
}

int32_t TDocument::FindPageOfLine(int32_t par, int32_t line)
{
    if (par < 0 || par >= ParagraphCount())
        return -1;
    auto placed = [&]() -> int32_t {
        const TParagraph& p = *Paragraphs[size_t(par)];
        if (line < 0 || line >= p.LineCount())
            return -1;
        const TPage* page = p.Lines[size_t(line)]->Page;
        return page ? page->PageIndex : -1;
    };
    int32_t slice = 1;
    for (int32_t found = placed(); found < 0; found = placed()) {
        if (GetModeFlag(mfPaginationComplete))
            return -1;
        const int32_t before = int32_t(Pages.size());
        Paginate(before, before + slice - 1);
        if (int32_t(Pages.size()) <= before)
            return placed(); // pagination made no page: it cannot place the line
        slice = std::min(slice * 2, 1 << 20);
    }
    return placed();
}
