// The view in its window: scroll positions, zooming at a place, the grid's page count, print preview,
// the update region and the scroll position that brings a rectangle into view.
#include "document/Document.h"

#include <algorithm>
#include <vector>

#include "core/Options.h"
#include "core/Units.h"
#include "document/DocumentHost.h"
#include "document/DocumentView.h"
#include "document/Page.h"
#include "document/Section.h"

namespace {

// While set, the grid is laid out again without repainting unless the sections differ in page size.
constexpr int mfRepaintOnPageSizeOnly = 12;

bool SameRect(const TRect& a, const TRect& b)
{
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

// Moves the view along one axis: a short distance moves the window's contents, a long one repaints.
void ScrollAlong(TDocument& d, bool vertical, int32_t to)
{
    int32_t& position = vertical ? d.ViewState.ScrollPos.Y : d.ViewState.ScrollPos.X;
    const int32_t from = position;
    TDocumentView* view = d.View();
    if (!view) {
        position = to;
        return;
    }
    view->HideDocCaret();
    view->FlushDeferredPaint();
    position = to;
    if (ScrollMovesContents(from, to, vertical ? d.ViewState.ClientHeight : d.ViewState.ClientWidth)) {
        if (vertical)
            view->ScrollContents(0, from - to);
        else
            view->ScrollContents(from - to, 0);
        if (!d.GetModeFlag(mfHoldScrolling))
            view->UpdateRulers();
    } else {
        d.Invalidate();
    }
    d.SetCaretPos();
}

// Scales an offset within a page of one size to a page of another.
int32_t ScaleOffset(int32_t offset, int32_t from, int32_t to)
{
    return from > 0 ? MulDivRound(offset, to, from) : offset;
}

} // namespace

TDocumentView* TDocument::View() const
{
    return Window ? DocumentHost().ViewOf(Window) : nullptr;
}

TPoint TDocument::ClampScrollPos(TPoint pos)
{
    if (GetModeFlag(mfKeepScrollPos))
        return pos;
    // In text-width zoom the text area of the caret's page starts 20 pixels from the left edge.
    if (ViewState.ZoomKind == zkTextWidth && !Pages.empty()) {
        const int32_t index =
            Caret.PageIndex >= 0 && Caret.PageIndex < int32_t(Pages.size()) ? Caret.PageIndex : 0;
        const TPage& page = *Pages[index];
        pos.X = page.ViewRect.Left +
                GetPageMargins(PageSetupSectionOfPage(index)->PageSetup, index).LeftZoom - 20;
    }
    return ViewState.Grid.ClampScrollPos(pos);
}

void TDocument::SetScrollPos(TPoint pos)
{
    pos = ClampScrollPos(pos);
    if (GetModeFlag(mfHoldScrolling)) {
        ViewState.ScrollPos = pos;
        return;
    }
    const bool horizontal = pos.X != ViewState.ScrollPos.X, vertical = pos.Y != ViewState.ScrollPos.Y;
    if (horizontal && vertical) {
        ViewState.ScrollPos = pos;
        Invalidate();
        SetCaretPos();
    } else if (vertical) {
        ScrollView(pos.Y);
    } else if (horizontal) {
        ScrollViewX(pos.X);
    }
    if (TDocumentView* view = View())
        view->SetScrollBarPositions(ViewState.ScrollPos);
}

void TDocument::ScrollView(int32_t y)
{
    ScrollAlong(*this, true, y);
}

void TDocument::ScrollViewX(int32_t x)
{
    ScrollAlong(*this, false, x);
}

void TDocument::Invalidate()
{
    ViewState.UpdateRegion = TRect{0, 0, ViewState.ClientWidth, ViewState.ClientHeight};
    if (TDocumentView* view = View()) {
        view->InvalidateView();
        if (!GetModeFlag(mfHoldScrolling))
            view->UpdateRulers();
    }
}

void TDocument::SetUpdateRegion(const TRect& rect)
{
    ViewState.UpdateRegion = rect;
}

TPoint TDocument::ScrollPosToShow(const TRect& r, int mode) const
{
    const int32_t cw = ViewState.ClientWidth, ch = ViewState.ClientHeight;
    const TRect v{ViewState.ScrollPos.X, ViewState.ScrollPos.Y, ViewState.ScrollPos.X + cw,
                  ViewState.ScrollPos.Y + ch};
    TPoint p = ViewState.ScrollPos;
    const int32_t margin = mode == 2 && ViewState.ZoomKind != zkTextWidth ? cw / 5 : 0;
    if (r.Left < v.Left) {
        p.X = r.Left - margin;
    } else if (r.Right > v.Right) {
        if (r.Right - r.Left < cw)
            p.X += r.Right - v.Right + margin;
        else
            p.X = r.Left;
    }
    const int32_t height = r.Bottom - r.Top;
    if (r.Top < v.Top) {
        p.Y = r.Top;
    } else if (mode == 1) {
        if (r.Bottom > v.Top + ch / 2)
            p.Y += r.Bottom - (v.Top + ch / 2);
    } else if (r.Bottom > v.Bottom) {
        if (height < ch)
            p.Y += r.Bottom - v.Bottom;
        else
            p.Y = r.Top;
    }
    // Keeping the caret away from the window's edge: a further third of the room left around it.
    if (CurrentOptions().Edit.DiscrVerScroll && height < ch) {
        if (p.Y < ViewState.ScrollPos.Y)
            p.Y -= (ch - height) / 3;
        else if (r.Bottom >= v.Bottom)
            p.Y += (ch - height) / 3;
    }
    p.X = std::max(0, std::min(p.X, ViewState.Grid.TotalWidth - cw));
    p.Y = std::max(0, std::min(p.Y, ViewState.Grid.TotalHeight - ch));
    return p;
}

void TDocument::SetZoomAt(int32_t p, const int32_t* anchor)
{
    ViewState.ZoomPercent = std::clamp(p, 10, 500);
    if (!GetModeFlag(mfPrinting) && !GetModeFlag(mfHidden))
        ViewState.ZoomPercent = EffectiveZoom();
    ViewState.LayoutZoom = ViewState.ZoomPercent;
    if (!GetModeFlag(mfPrinting)) {
        ViewState.DeviceDpiX = MulDivRound(ViewState.ScreenDpi, ViewState.ZoomPercent, 100);
        ViewState.DeviceDpiY = ViewState.DeviceDpiX;
    }
    UpdateDeviceMetrics();
    if (PreviewMode) {
        CurrentOptions().Preview.ZoomFactor = ViewState.ZoomPercent;
        CurrentOptions().Preview.ZoomKind = ViewState.ZoomKind;
    }
    if (GetModeFlag(mfViewNotReady) || GetModeFlag(mfHidden))
        return;
    // The point kept still: the anchor's centre, else the view's top-left corner. It keeps its place
    // within its page and its place in the window.
    const TPoint at =
        anchor ? TPoint{anchor[0] + (anchor[2] - anchor[0]) / 2, anchor[1] + (anchor[3] - anchor[1]) / 2}
               : ViewState.ScrollPos;
    const TPoint inWindow{at.X - ViewState.ScrollPos.X, at.Y - ViewState.ScrollPos.Y};
    const int32_t page = ViewState.Grid.PageAt(at);
    const TRect before = GetPageRect(page);
    {
        TModeFlagScope flags(*this);
        flags.On(mfHoldScrolling);
        UpdatePageLayout();
        const TRect after = GetPageRect(page);
        const TPoint moved{
            after.Left +
                ScaleOffset(at.X - before.Left, before.Right - before.Left, after.Right - after.Left),
            after.Top + ScaleOffset(at.Y - before.Top, before.Bottom - before.Top, after.Bottom - after.Top)};
        SetScrollPos({moved.X - inWindow.X, moved.Y - inWindow.Y});
    }
    if (TDocumentView* view = View())
        view->SetScrollBarPositions(ViewState.ScrollPos);
    Invalidate();
    if (!GetModeFlag(mfHoldCaret)) {
        TModeFlagScope flags(*this);
        flags.On(mfNoScrollToCaret);
        UpdateCaretShape();
        PlaceCaret(Caret, 2);
        if (TDocumentView* view = View(); view && view->HasFocus()) {
            view->DestroySystemCaret();
            CreateCaret();
            SetCaretPos();
        }
    }
}

void TDocument::SetLayoutPageCount(int32_t n)
{
    const int32_t first = FirstVisiblePage(), last = LastVisiblePage();
    std::vector<TRect> before;
    for (int32_t i = first; i <= last; ++i)
        before.push_back(GetPageRect(i));
    const TPoint scroll = ViewState.ScrollPos;
    {
        TModeFlagScope flags(*this);
        flags.On(mfHoldScrolling);
        LayoutPageCount = n;
        UpdatePageLayout();
    }
    bool same =
        first == FirstVisiblePage() && last == LastVisiblePage() && SamePoint(scroll, ViewState.ScrollPos);
    for (int32_t i = first; same && i <= last; ++i)
        same = SameRect(before[size_t(i - first)], GetPageRect(i));
    if (GetModeFlag(mfRepaintOnPageSizeOnly) ? SectionsDifferInPageSize() : !same)
        Invalidate();
}

void TDocument::ScrollToFirstText()
{
    if (ViewState.ZoomKind != zkPercent || ViewState.ScrollPos.X != 0 || ViewState.ScrollPos.Y != 0 ||
        CurrentOptions().View.KeepPageCorner || GetModeFlag(mfHidden))
        return;
    // A view shown before the first pagination has no page size yet: the grid is laid out with it first,
    // else the first page would be taken for a point in the middle of the window.
    if (ViewState.PageExtent[5] <= 0) {
        UpdateDeviceMetrics();
        ComputePageExtent();
        UpdateDeviceMetrics();
        UpdatePageLayout();
    }
    const TRect page = GetPageRect(0);
    const TPageSetup& p = Pages.empty() ? Sections.front()->PageSetup : PageSetupSectionOfPage(0)->PageSetup;
    SetScrollPos({page.Left + GetPageMargins(p, 0).LeftZoom, page.Top + p[psZoomTopMargin]});
}

void TDocument::SetViewSettings(const TViewSettings& settings)
{
    SetModeFlag(mfShowMarks, settings.ShowMarks);
    ViewState.ZoomPercent = std::clamp(settings.Zoom, 10, 500);
    ViewState.ZoomKind = std::min<uint8_t>(settings.ZoomKind, zkTwoPages);
}

void TDocument::ApplyPreviewSettings()
{
    ViewState.SavedViewSettings =
        TViewSettings{GetModeFlag(mfShowMarks), ViewState.ZoomPercent, ViewState.ZoomKind};
    const TPreviewOptions& preview = CurrentOptions().Preview;
    SetViewSettings(TViewSettings{preview.SpecSymbols, preview.ZoomFactor, preview.ZoomKind});
}

void TDocument::RestoreViewSettings()
{
    SetViewSettings(ViewState.SavedViewSettings);
}

void TDocument::SetPreviewMode(bool on)
{
    if (on == PreviewMode)
        return;
    if (on) {
        ViewState.SavedScrollPos = ViewState.ScrollPos;
        ApplyPreviewSettings();
        PreviewMode = true;
    } else {
        PreviewMode = false;
        RestoreViewSettings();
    }
    if (TDocumentView* view = View())
        view->RelayoutWindow();
    SetZoom(ViewState.ZoomPercent);
    if (!on) {
        TModeFlagScope flags(*this);
        flags.On(mfHoldScrolling);
        SetScrollPos(ViewState.SavedScrollPos);
    }
    if (TDocumentView* view = View())
        view->SetScrollBarPositions(ViewState.ScrollPos);
    Invalidate();
}
