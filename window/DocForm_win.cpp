// The document window: its scroll bars move the document's view, its size is the view's, and it shows
// the document's caret while it has the focus.
#include "window/DocForm.h"

#include <algorithm>
#include <vector>

#include "classlib/runtime/Format.h"
#include "classlib/windowing/ExtCtrls.h"
#include "classlib/windowing/TabSet.h"
#include "classlib/windowing/ToolBar.h"
#include "window/BaseForms.h"
#include "core/Colors.h"
#include "core/Events.h"
#include "core/Messages.h"
#include "core/OptionalMessages.h"
#include "core/Options.h"
#include "core/DCSurface.h"
#include "core/ShellUtils.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/Field.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "window/DocWindowHost.h"
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

// The page buttons' glyph: two small triangles pointing up or down.
void DrawPageGlyph(TCanvas& canvas, const RECT& area, bool up)
{
    HDC dc = canvas.Handle();
    const int cx = (area.left + area.right) / 2, cy = (area.top + area.bottom) / 2;
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    for (int k = 0; k < 2; ++k) {
        const int y = cy - 4 + k * 4;
        POINT shape[3];
        if (up)
            shape[0] = {cx - 3, y + 3}, shape[1] = {cx + 3, y + 3}, shape[2] = {cx, y};
        else
            shape[0] = {cx - 3, y}, shape[1] = {cx + 3, y}, shape[2] = {cx, y + 3};
        Polygon(dc, shape, 3);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

// The panel under the vertical bar: the face colour wherever its page buttons leave it bare.
class TPageButtonPanel : public TPanel {
public:
    using TPanel::TPanel;

protected:
    void Paint() override
    {
        RECT r{0, 0, Width(), Height()};
        Canvas().FillRect(r);
    }
};

void RunCommand(int32_t command)
{
    if (ExecuteCommandHook)
        ExecuteCommandHook(command);
}

// Optional message 6: the question before a changed document's window closes.
constexpr uint8_t SaveChangesMessage = 6;

// The operation kind that lets a changed document close without a question.
constexpr uint8_t okClosesQuietly = 54;

// Where the next document window of the main window goes, and the largest size a document window had.
TPoint CascadeOrigin{};
TPoint LargestSize{};

} // namespace

TPoint LargestDocumentWindowSize()
{
    return LargestSize;
}

void TDocumentForm::PlaceNewWindow()
{
    if (FormStyle != fsMDIChild || !HandleAllocated())
        return;
    HWND client = GetParent(Handle());
    if (!client)
        return;
    // The area is the main window's client area between its bars.
    RECT area;
    GetClientRect(client, &area);
    const int width = area.right - area.left, height = area.bottom - area.top;
    bool others = false;
    for (HWND child = GetWindow(client, GW_CHILD); child && !others; child = GetWindow(child, GW_HWNDNEXT))
        others = child != Handle() && GetWindow(child, GW_OWNER) == nullptr;
    const int step = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYSIZE);
    CascadeOrigin = others ? TPoint{CascadeOrigin.X + step, CascadeOrigin.Y + step} : TPoint{0, 0};
    if (width <= CascadeOrigin.X + 200 || height <= CascadeOrigin.Y + 200)
        CascadeOrigin = TPoint{0, 0};
    SetBounds(CascadeOrigin.X + 5, CascadeOrigin.Y + 5, std::max(100, width - 10),
              std::max(100, height - 10));
}

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
    BookmarkTabs = new TTabSet(this);
    BookmarkTabs->SetParent(this);
    BookmarkTabs->SetBounds(0, 0, 100, 20);
    BookmarkTabs->SetVisible(false);
    BookmarkTabs->OnTabClick = [this](TTabSet&, int index) { GoToBookmarkTab(index); };
    BookmarkTabs->OnTabDblClick = [](TTabSet&, int) { RunCommand(4520); };
    PageScrollPanel = new TPageButtonPanel(this);
    PageScrollPanel->SetParent(this);
    auto pageButton = [this](bool up) {
        auto* button = new TToolButton(this);
        button->SetParent(PageScrollPanel);
        button->Flat = false;
        button->SetHint(up ? "Page précédente" : "Page suivante");
        // Without a picture the image area is the button's centre.
        button->OnDrawImage = [up](TCanvas& canvas, const RECT& area) { DrawPageGlyph(canvas, area, up); };
        button->OnClick = [up](TComponent*) { RunCommand(up ? 4225 : 4226); };
        return button;
    };
    PageUpSpeedButton = pageButton(true);
    PageDownSpeedButton = pageButton(false);
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
    const TViewOptions& view = CurrentOptions().View;
    const bool fitsWidth = Document && (Document->ViewState.ZoomKind == zkPageWidth ||
                                        Document->ViewState.ZoomKind == zkTextWidth);
    const bool horizontal = (view.ScrollBars == 1 || view.ScrollBars == 3) && !fitsWidth;
    const bool vertical = view.ScrollBars == 2 || view.ScrollBars == 3;
    if (Document && !Document->Fields.empty())
        Document->UpdateFields();
    const bool tabs =
        view.Bookmarks && Document && !Document->EditedHeaderFooter && Document->Bookmarks.Count() > 0;
    const int th = BookmarkTabs->Height(), tabsShown = tabs ? 1 : 0, hShown = horizontal ? 1 : 0;
    BookmarkTabs->SetVisible(tabs);
    BookmarkTabs->SetBounds(-1, h - th, w + 2, th);
    HorScrollBar->SetVisible(horizontal);
    HorScrollBar->SetBounds(0, h - tabsShown * (th - 1) - cy, std::max(0, w - (vertical ? cx : 0)), cy);
    const int panelHeight = cy * hShown + 2 * cx;
    const int panelTop = h - tabsShown * (th - hShown) - cy * hShown - 2 * cx;
    PageScrollPanel->SetVisible(vertical);
    PageScrollPanel->SetBounds(w - cx, panelTop, cx, panelHeight);
    PageUpSpeedButton->SetBounds(0, 0, cx, cx);
    PageDownSpeedButton->SetBounds(0, cx, cx, cx);
    VerScrollBar->SetVisible(vertical);
    VerScrollBar->SetBounds(w - cx, 0, cx, std::max(0, panelTop));
    StraightEdge->SetVisible(view.Ruler);
    StraightEdge->SetBounds(0, 0, std::max(0, w - (vertical ? cx : 0)), StraightEdge->Height());
    VerStraightEdge->SetVisible(view.VerRuler);
    const int rulerHeight = view.Ruler ? StraightEdge->Height() : 0;
    VerStraightEdge->SetBounds(0, rulerHeight, VerStraightEdge->Width(),
                               std::max(0, h - cy * hShown - rulerHeight - tabsShown * (th - hShown)));
    SetScrollPageSizes();
}

void TDocumentForm::CalcViewRect()
{
    const int w = HandleAllocated() ? ClientWidth() : 0, h = HandleAllocated() ? ClientHeight() : 0;
    const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
    const int left = VerStraightEdge->Visible() ? VerStraightEdge->Width() : 0;
    const int top = StraightEdge->Visible() ? StraightEdge->Height() : 0;
    const int hShown = HorScrollBar->Visible() ? 1 : 0, tabsShown = BookmarkTabs->Visible() ? 1 : 0;
    const int bottom = h - (cy * hShown + (BookmarkTabs->Height() - hShown) * tabsShown);
    ViewRect =
        TRect{left, top, std::max(left, w - (VerScrollBar->Visible() ? cx : 0)), std::max(top, bottom)};
    if (Document) {
        Document->ViewState.ClientWidth = ViewRect.Right - ViewRect.Left;
        Document->ViewState.ClientHeight = ViewRect.Bottom - ViewRect.Top;
    }
}

void TDocumentForm::UpdateBookmarkTabs()
{
    if (!Document || !HandleAllocated())
        return;
    std::vector<std::string> names;
    for (int i = 0; i < Document->Bookmarks.Count(); ++i)
        names.push_back(Document->Bookmarks[i]);
    const bool shown = BookmarkTabs->Visible();
    if (names != BookmarkTabs->Tabs())
        BookmarkTabs->SetTabs(names);
    const bool wanted = CurrentOptions().View.Bookmarks && !Document->EditedHeaderFooter && !names.empty();
    if (wanted != shown)
        UpdateAfterResize();
}

void TDocumentForm::GoToBookmarkTab(int index)
{
    if (!CanEdit() || index < 0 || index >= Document->Bookmarks.Count())
        return;
    TDocument& doc = *Document;
    const auto* field = reinterpret_cast<const TField*>(doc.Bookmarks.Objects(index));
    if (!field)
        return;
    const TTextRange range = doc.GetFieldRange(*field);
    doc.Select(range.StartPos.ParIndex, range.StartPos.Offset, range.EndPos.ParIndex, range.EndPos.Offset, 0);
    TTextPos caret = doc.HasSelection() ? range.EndPos : range.StartPos;
    doc.LocateTextPos(caret, 0);
    doc.PlaceCaret(caret, 0);
    doc.MakeCaretVisible(1);
    SetFocus();
    if (doc.HasSelection())
        HideDocCaret();
    else
        RecreateCaret();
}

void TDocumentForm::DoClose(TCloseAction& action)
{
    // The close event fires before the document list closes the document (and its window with it).
    TriggerEvent(2040);
    TForm::DoClose(action);
}

bool TDocumentForm::CloseQuery()
{
    if (!TForm::CloseQuery())
        return false;
    if (!Document || !Document->IsModified())
        return true;
    TDocument& doc = *Document;
    // A document whose only change is of the kind that needs no saving closes quietly.
    if (doc.UndoList.Count() == 1 && doc.OperationManager && doc.OperationManager->OperationAt(0) &&
        doc.OperationManager->OperationAt(0)->Kind == okClosesQuietly)
        return true;
    if (HandleAllocated())
        BringWindowToTop(Handle());
    std::string name = doc.FileName;
    if (HandleAllocated()) {
        TCanvas canvas;
        HDC dc = GetDC(Handle());
        canvas.SetHandle(dc);
        name = ShortenPath(canvas, name, 350);
        canvas.SetHandle(nullptr);
        ReleaseDC(Handle(), dc);
    }
    const int answer = MessageDlgWithOption(
        Format("Le document \"%s\" a changé. Voulez-vous enregistrer les modifications ?", name.c_str()),
        mtConfirmation, mbYesNoCancel, SaveChangesMessage);
    if (answer == mrCancel)
        return false;
    if (answer == mrYes) {
        // The save command; the window closes only when the document was saved.
        RunCommand(180);
        return Document && !Document->IsModified();
    }
    return true;
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
    if (Document->IsBusy()) {
        // Inside an edit: the region waits for its end.
        RECT r;
        GetUpdateRect(Handle(), &r, FALSE);
        TRect& pending = Document->PendingPaintRect;
        if (Document->PaintPending) {
            const RECT before{pending.Left, pending.Top, pending.Right, pending.Bottom};
            UnionRect(&r, &r, &before);
        }
        pending = TRect{r.left, r.top, r.right, r.bottom};
        Document->PaintPending = true;
        ValidateRect(Handle(), nullptr);
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    // The document paints the pages that meet the update region and the background between them.
    Document->SetUpdateRegion(TRect{ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom});
    HWND cachedFrom = nullptr;
    if (HBITMAP frame = DocWindowHost().CachedFrame(cachedFrom); frame && cachedFrom) {
        // The main window's cached picture of the screen stands in for the document while it is in use.
        POINT mine{0, 0}, theirs{0, 0};
        ClientToScreen(Handle(), &mine);
        ClientToScreen(cachedFrom, &theirs);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, frame);
        BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
               ps.rcPaint.bottom - ps.rcPaint.top, memory, ps.rcPaint.left + mine.x - theirs.x,
               ps.rcPaint.top + mine.y - theirs.y, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    } else {
        TDCSurface surface(reinterpret_cast<TDCHandle>(dc));
        Document->Paint(surface);
    }
    EndPaint(Handle(), &ps);
    UpdateBookmarkTabs();
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
    if (MouseMessage(message) || KeyMessage(message))
        return;
    switch (message.Msg) {
    case WM_ERASEBKGND: message.Result = 1; return;
    case WM_WINDOWPOSCHANGING:
        // Never smaller than 100 x 100 pixels.
        if (CanEdit()) {
            auto* pos = reinterpret_cast<WINDOWPOS*>(message.LParam);
            if (!(pos->flags & SWP_NOSIZE)) {
                pos->cx = std::max(pos->cx, 100);
                pos->cy = std::max(pos->cy, 100);
                LargestSize = TPoint{std::max(LargestSize.X, pos->cx), std::max(LargestSize.Y, pos->cy)};
            }
        }
        break;
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
    case WM_VSCROLL:
        // The page hint follows the thumb while it is dragged.
        if (CanEdit() && VerScrollBar->HandleAllocated() && HWND(message.LParam) == VerScrollBar->Handle()) {
            if (LOWORD(message.WParam) == SB_THUMBTRACK)
                TrackScrollHint();
            else if (LOWORD(message.WParam) == SB_ENDSCROLL || LOWORD(message.WParam) == SB_THUMBPOSITION)
                HideScrollHint();
        }
        break;
    case WM_SETFOCUS:
        if (CanEdit()) {
            RecreateCaret();
            DocumentHost().InvalidateCommands();
        }
        break;
    case WM_WINDOWPOSCHANGED: DocumentHost().InvalidateCommands(); break;
    case WM_MDIACTIVATE:
        // This window became the active child.
        if (CanEdit() && HandleAllocated() && HWND(message.LParam) == Handle()) {
            TDocument& doc = *Document;
            DocWindowHost().DocumentActivated(&doc);
            SetFocus();
            if (doc.PreviewMode) {
                CurrentOptions().Preview.ZoomFactor = doc.ViewState.ZoomPercent;
                CurrentOptions().Preview.ZoomKind = uint8_t(doc.ViewState.ZoomKind);
            }
            DocumentHost().InvalidateCommands();
        }
        break;
    case WM_KILLFOCUS:
        HideDocCaret();
        DestroySystemCaret();
        FCaretPending = false;
        break;
    default: break;
    }
}
