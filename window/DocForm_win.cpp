// The document window: its scroll bars move the document's view, its size is the view's, and it shows
// the document's caret while it has the focus.
#include "window/DocForm.h"

#include <vector>

#include "core/Colors.h"
#include "core/Options.h"
#include "core/DCSurface.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "window/Ruler.h"

namespace {

// A monochrome bitmap of the slanted caret: white where the stroke is.
HBITMAP SlantedCaretBitmap(const TCaretShape& shape)
{
    const std::vector<uint8_t> pixels = SlantedCaretPixels(shape);
    const int rowBytes = ((shape.Width + 15) / 16) * 2; // rows of whole 16-bit words
    std::vector<uint8_t> bits(size_t(rowBytes) * size_t(shape.Height), 0);
    for (int y = 0; y < shape.Height; ++y)
        for (int x = 0; x < shape.Width; ++x)
            if (pixels[size_t(y) * size_t(shape.Width) + size_t(x)])
                bits[size_t(y) * size_t(rowBytes) + size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
    return CreateBitmap(shape.Width, shape.Height, 1, 1, bits.data());
}

} // namespace

TDocumentForm::TDocumentForm(TComponent* owner, TDocument* document) : TForm(owner), Document(document)
{
    SetBounds(40, 40, 640, 480);
    HorScrollBar = new TScrollBar(this, false);
    HorScrollBar->SetParent(this);
    HorScrollBar->SmallChange = 16;
    HorScrollBar->OnChange = [this](TComponent*) { HorScrollBarChange(); };
    VerScrollBar = new TScrollBar(this, true);
    VerScrollBar->SetParent(this);
    VerScrollBar->SmallChange = 16;
    VerScrollBar->OnChange = [this](TComponent*) { VerScrollBarChange(); };
    StraightEdge = new TStraightEdge(this, false);
    VerStraightEdge = new TStraightEdge(this, true);
}

TDocumentForm::~TDocumentForm()
{
    ReleaseDropTarget();
    DestroySystemCaret();
}

void TDocumentForm::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
}

bool TDocumentForm::CanEdit() const
{
    return Document && !Document->GetModeFlag(mfConstructing) && !(Application && Application->Terminated());
}

void TDocumentForm::LayoutControls()
{
    if (!HandleAllocated())
        return;
    const int w = ClientWidth(), h = ClientHeight();
    const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
    const bool horizontal = !Document || (Document->ViewState.ZoomKind != zkPageWidth &&
                                          Document->ViewState.ZoomKind != zkTextWidth);
    HorScrollBar->SetVisible(horizontal);
    HorScrollBar->SetBounds(0, h - cy, std::max(0, w - cx), cy);
    VerScrollBar->SetBounds(w - cx, 0, cx, std::max(0, h - (horizontal ? cy : 0)));
    const bool ruler = CurrentOptions().View.Ruler, verRuler = CurrentOptions().View.VerRuler;
    StraightEdge->SetVisible(ruler);
    StraightEdge->SetBounds(0, 0, std::max(0, w - cx), StraightEdge->Height());
    VerStraightEdge->SetVisible(verRuler);
    const int rulerHeight = ruler ? StraightEdge->Height() : 0;
    VerStraightEdge->SetBounds(0, rulerHeight, VerStraightEdge->Width(),
                               std::max(0, h - (horizontal ? cy : 0) - rulerHeight));
    SetScrollPageSizes();
}

void TDocumentForm::CalcViewRect()
{
    const int w = HandleAllocated() ? ClientWidth() : 0, h = HandleAllocated() ? ClientHeight() : 0;
    const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
    const int left = VerStraightEdge->Visible() ? VerStraightEdge->Width() : 0;
    const int top = StraightEdge->Visible() ? StraightEdge->Height() : 0;
    ViewRect =
        TRect{left, top, std::max(left, w - cx), std::max(top, h - (HorScrollBar->Visible() ? cy : 0))};
    if (Document) {
        Document->ViewState.ClientWidth = ViewRect.Right - ViewRect.Left;
        Document->ViewState.ClientHeight = ViewRect.Bottom - ViewRect.Top;
    }
}

void TDocumentForm::SetScrollPageSizes()
{
    HorScrollBar->SetPageSize(ViewRect.Right - ViewRect.Left);
    VerScrollBar->SetPageSize(ViewRect.Bottom - ViewRect.Top);
}

TPoint TDocumentForm::ClientToDoc(TPoint p) const
{
    return TPoint{p.X + Document->ViewState.ScrollPos.X - ViewRect.Left,
                  p.Y + Document->ViewState.ScrollPos.Y - ViewRect.Top};
}

TPoint TDocumentForm::DocToClient(TPoint p) const
{
    return TPoint{p.X - Document->ViewState.ScrollPos.X + ViewRect.Left,
                  p.Y - Document->ViewState.ScrollPos.Y + ViewRect.Top};
}

void TDocumentForm::RelayoutWindow()
{
    LayoutControls();
    CalcViewRect();
    SetScrollPageSizes();
}

void TDocumentForm::UpdateAfterResize()
{
    RelayoutWindow();
    if (!CanEdit())
        return;
    {
        TModeFlagScope flags(*Document);
        flags.Off(mfViewLive);
        Document->SetZoom(Document->ViewState.ZoomPercent);
    }
    // The fitting zooms may show or hide the horizontal bar.
    RelayoutWindow();
    if (Focused())
        RecreateCaret();
}

void TDocumentForm::HideDocCaret()
{
    if (FCaretShown && HandleAllocated())
        HideCaret(Handle());
    FCaretShown = false;
}

void TDocumentForm::ShowDocCaret()
{
    if (FHasCaret && !FCaretShown && HandleAllocated())
        ShowCaret(Handle());
    FCaretShown = FHasCaret;
    FCaretPending = false;
}

void TDocumentForm::UpdateCaretPending()
{
    FCaretPending = Focused() && CanEdit() && !Document->HasSelection() &&
                    !Document->GetModeFlag(mfPrinting) && !Document->IsViewBusyNoAutoscroll();
}

void TDocumentForm::RecreateCaret()
{
    DestroySystemCaret();
    if (!CanEdit() || !Focused())
        return;
    Document->CreateCaret();
    Document->SetCaretPos();
    if (!Document->HasSelection() && !Document->GetModeFlag(mfPrinting))
        ShowDocCaret();
}

void TDocumentForm::CreateSystemCaret(const TCaretShape& shape)
{
    DestroySystemCaret();
    if (!HandleAllocated() || !Focused())
        return;
    if (shape.Slanted)
        FCaretBitmap = SlantedCaretBitmap(shape);
    FHasCaret = CreateCaret(Handle(), FCaretBitmap, shape.Width, shape.Height) != 0;
}

void TDocumentForm::SetSystemCaretPos(TPoint client)
{
    if (FHasCaret)
        SetCaretPos(client.X, client.Y);
    UpdateRulers();
}

void TDocumentForm::DestroySystemCaret()
{
    if (FHasCaret)
        DestroyCaret();
    if (FCaretBitmap)
        DeleteObject(FCaretBitmap);
    FCaretBitmap = nullptr;
    FHasCaret = false;
    FCaretShown = false;
}

void TDocumentForm::InvertCaretRect(const TRect& client, const TCaretShape& shape)
{
    if (!HandleAllocated())
        return;
    HDC dc = GetDC(Handle());
    const int w = client.Right - client.Left, h = client.Bottom - client.Top;
    if (shape.Slanted) {
        // The stroke's white pixels turn what lies under them over, the black ones leave it.
        HBITMAP bitmap = SlantedCaretBitmap(shape);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(dc, client.Left, client.Top, w, h, memory, 0, 0, SRCINVERT);
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(bitmap);
    } else {
        PatBlt(dc, client.Left, client.Top, w, h, DSTINVERT);
    }
    ReleaseDC(Handle(), dc);
}

void TDocumentForm::FlushDeferredPaint()
{
    if (HandleAllocated())
        UpdateWindow(Handle());
}

void TDocumentForm::ScrollContents(int32_t dx, int32_t dy)
{
    if (!HandleAllocated())
        return;
    const RECT view{ViewRect.Left, ViewRect.Top, ViewRect.Right, ViewRect.Bottom};
    ScrollWindowEx(Handle(), dx, dy, &view, &view, nullptr, nullptr, SW_INVALIDATE);
    UpdateWindow(Handle());
}

void TDocumentForm::InvalidateView()
{
    if (!HandleAllocated())
        return;
    const RECT view{ViewRect.Left, ViewRect.Top, ViewRect.Right, ViewRect.Bottom};
    InvalidateRect(Handle(), &view, FALSE);
}

void TDocumentForm::SetScrollRanges(const TScrollRanges& ranges, TPoint pos)
{
    State |= dsScrollBarsSuspended;
    HorScrollBar->SetRange(0, ranges.HorzMax);
    HorScrollBar->LargeChange = ranges.HorzPage;
    VerScrollBar->SetRange(0, ranges.VertMax);
    VerScrollBar->LargeChange = ranges.VertPage;
    SetScrollPageSizes();
    SetScrollBarPositions(pos);
    State &= ~dsScrollBarsSuspended;
}

void TDocumentForm::SetScrollBarPositions(TPoint pos)
{
    const uint32_t saved = State;
    State |= dsScrollBarsSuspended;
    HorScrollBar->SetPosition(pos.X);
    VerScrollBar->SetPosition(pos.Y);
    State = saved;
}

void TDocumentForm::HorScrollBarChange()
{
    if ((State & dsScrollBarsSuspended) || !CanEdit())
        return;
    Document->SetScrollPos(TPoint{HorScrollBar->Position(), Document->ViewState.ScrollPos.Y});
}

void TDocumentForm::VerScrollBarChange()
{
    if ((State & dsScrollBarsSuspended) || !CanEdit())
        return;
    // Near the end of a document still being paginated, a quarter more pages are laid out first.
    const int position = VerScrollBar->Position();
    if (MulDiv(VerScrollBar->Max(), 9, 10) < position && !Document->GetModeFlag(mfPaginationComplete)) {
        TStatusTextScope status;
        const int32_t count = int32_t(Document->Pages.size());
        Document->Paginate(count, count + count / 4);
    }
    Document->SetScrollPos(TPoint{Document->ViewState.ScrollPos.X, position});
}

void TDocumentForm::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    // The document paints the pages that meet the update region and the background between them.
    Document->SetUpdateRegion(TRect{ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom});
    {
        TDCSurface surface(reinterpret_cast<TDCHandle>(dc));
        Document->Paint(surface);
    }
    EndPaint(Handle(), &ps);
    if (FHasCaret && !FCaretShown && Focused() && !Document->HasSelection())
        ShowDocCaret();
}

void TDocumentForm::InvalidateViewRect(const TRect& r)
{
    if (!HandleAllocated())
        return;
    RECT rect{r.Left, r.Top, r.Right, r.Bottom};
    const RECT view{ViewRect.Left, ViewRect.Top, ViewRect.Right, ViewRect.Bottom};
    if (IntersectRect(&rect, &rect, &view))
        InvalidateRect(Handle(), &rect, FALSE);
}

void TDocumentForm::DrawOnView(const std::function<void(TDrawSurface&)>& draw)
{
    if (!HandleAllocated())
        return;
    HDC dc = GetDC(Handle());
    IntersectClipRect(dc, ViewRect.Left, ViewRect.Top, ViewRect.Right, ViewRect.Bottom);
    {
        TDCSurface surface(reinterpret_cast<TDCHandle>(dc));
        draw(surface);
    }
    ReleaseDC(Handle(), dc);
}

void TDocumentForm::WndProc(TMessage& message)
{
    if (MouseMessage(message))
        return;
    switch (message.Msg) {
    case WM_ERASEBKGND: message.Result = 1; return;
    case WM_PAINT:
        if (CanEdit()) {
            Paint();
            message.Result = 0;
            return;
        }
        break;
    default: break;
    }
    TForm::WndProc(message);
    switch (message.Msg) {
    case WM_SIZE: UpdateAfterResize(); break;
    case WM_SETFOCUS:
        if (CanEdit())
            RecreateCaret();
        break;
    case WM_KILLFOCUS:
        HideDocCaret();
        DestroySystemCaret();
        FCaretPending = false;
        break;
    default: break;
    }
}
