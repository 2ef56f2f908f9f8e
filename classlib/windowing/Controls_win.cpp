// The window of a control: its window class, creation from kept state, the one window procedure and
// the reflection of notifications to the child that sent them.
#include "classlib/windowing/Controls.h"

#include <algorithm>
#include <map>

#include "classlib/runtime/Exceptions.h"
#include "classlib/windowing/Forms.h"

namespace {

// The window property through which a window finds its control.
const char* const ControlProp = "QuillpadControl";

// The control whose window CreateWindowEx is making: its first message binds the two.
thread_local TControl* CreatingControl = nullptr;

// Ids of child windows, which the dialog manager needs; kept clear of IDOK, IDCANCEL and the like.
int NextControlId = 100;

struct TWindowClass {
    WNDPROC DefaultProc;
};
std::map<std::string, TWindowClass> WindowClasses;

} // namespace

uint32_t KeyboardShiftState()
{
    uint32_t shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= ssShift;
    if (GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= ssCtrl;
    return shift;
}

void ForEachChild(TControl* root, const std::function<void(TControl*)>& fn)
{
    for (int i = 0; i < root->ControlCount(); ++i) {
        TControl* c = root->Controls(i);
        fn(c);
        ForEachChild(c, fn);
    }
}

TControl::TControl(TComponent* owner) : TComponent(owner), FId(NextControlId++)
{
    if (NextControlId > 0x7FFF)
        NextControlId = 100;
    FFont.OnChange = [this] {
        if (!FTakingParentFont)
            FParentFont = false;
        FontChanged();
    };
}

TControl::~TControl()
{
    for (TControl* c : FControls)
        c->FParent = nullptr;
    FControls.clear();
    if (FHandle) {
        // The derived parts of this object are gone: the window's last messages go to its class alone.
        HWND wnd = FHandle;
        FHandle = nullptr;
        SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FDefWndProc));
        RemovePropA(wnd, ControlProp);
        Application->RemoveControlHint(wnd);
        DestroyWindow(wnd);
    }
    if (FParent) {
        auto& list = FParent->FControls;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

void TControl::SetParent(TControl* parent)
{
    if (parent == FParent)
        return;
    if (FHandle)
        DestroyHandle();
    if (FParent) {
        auto& list = FParent->FControls;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    FParent = parent;
    if (parent) {
        parent->FControls.push_back(this);
        if (FParentFont)
            TakeParentFont();
        if (parent->FHandle)
            CreateHandle();
    }
}

TControl* TControl::FindControl(HWND wnd)
{
    // Another running copy marks its windows alike: only this process's windows are ours.
    DWORD process = 0;
    if (!wnd || !GetWindowThreadProcessId(wnd, &process) || process != GetCurrentProcessId())
        return nullptr;
    return static_cast<TControl*>(GetPropA(wnd, ControlProp));
}

HWND TControl::Handle()
{
    if (!FHandle) {
        if (FParent && !FParent->FHandle)
            FParent->Handle(); // makes this window too
        if (!FHandle)
            CreateHandle();
    }
    return FHandle;
}

void TControl::CreateHandle()
{
    CreateWnd();
    for (TControl* c : FControls)
        if (!c->FHandle)
            c->CreateHandle();
}

void TControl::CreateParams(TCreateParams& params)
{
    params.Caption = FCaption;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (FVisible)
        params.Style |= WS_VISIBLE;
    if (!FEnabled)
        params.Style |= WS_DISABLED;
    if (FTabStop)
        params.Style |= WS_TABSTOP;
    params.X = FLeft;
    params.Y = FTop;
    params.Width = FWidth;
    params.Height = FHeight;
    if (FParent)
        params.WndParent = FParent->FHandle;
}

void TControl::CreateWnd()
{
    TCreateParams params;
    CreateParams(params);
    if (!params.ClassName)
        throw Exception("Classe de fenêtre non définie.");
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw Exception("Le contrôle \"" + Name + "\" n'a pas de fenêtre parente.");

    HINSTANCE instance = GetModuleHandleA(nullptr);
    auto known = WindowClasses.find(params.ClassName);
    if (known == WindowClasses.end()) {
        WNDCLASSA wc = {};
        WNDPROC defaultProc = DefWindowProcA;
        if (params.SystemClass) {
            if (!GetClassInfoA(nullptr, params.SystemClass, &wc))
                throw Exception(std::string("Classe système absente : ") + params.SystemClass);
            defaultProc = wc.lpfnWndProc;
        } else {
            wc.style = params.ClassStyle;
            wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
            // The program's icon (resource 1) in every caption; none when the program has no icon.
            wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
        }
        wc.lpfnWndProc = StdWndProc;
        wc.hInstance = instance;
        wc.lpszClassName = params.ClassName;
        if (!RegisterClassA(&wc))
            throw Exception(std::string("Impossible d'enregistrer la classe ") + params.ClassName);
        known = WindowClasses.emplace(params.ClassName, TWindowClass{defaultProc}).first;
    }
    FDefWndProc = known->second.DefaultProc;

    CreatingControl = this;
    HMENU id = (params.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<intptr_t>(FId)) : nullptr;
    HWND wnd =
        CreateWindowExA(params.ExStyle, params.ClassName, params.Caption.c_str(), params.Style, params.X,
                        params.Y, params.Width, params.Height, params.WndParent, id, instance, nullptr);
    CreatingControl = nullptr;
    if (!wnd)
        throw Exception(std::string("Impossible de créer la fenêtre ") + params.ClassName);
    FHandle = wnd;
    SendMessageA(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), 0);
    ReadBounds();
    if (!FHint.empty())
        Application->UpdateControlHint(this);
}

void TControl::DestroyHandle()
{
    if (!FHandle)
        return;
    for (TControl* c : FControls)
        c->DestroyHandle();
    DestroyWnd();
}

void TControl::DestroyWnd()
{
    FCaption = Caption();
    ReadBounds();
    DestroyWindow(FHandle);
    FHandle = nullptr;
}

void TControl::RecreateWnd()
{
    if (!FHandle)
        return;
    DestroyHandle();
    CreateHandle();
}

LRESULT CALLBACK TControl::StdWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TControl* control = static_cast<TControl*>(GetPropA(wnd, ControlProp));
    if (!control) {
        control = CreatingControl;
        if (!control)
            return DefWindowProcA(wnd, msg, wParam, lParam);
        CreatingControl = nullptr;
        control->FHandle = wnd;
        SetPropA(wnd, ControlProp, control);
    }
    TMessage message = {msg, wParam, lParam, 0};
    try {
        control->WndProc(message);
    } catch (...) {
        Application->HandleException(control);
    }
    return message.Result;
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage message = {msg, wParam, lParam, 0};
    WndProc(message);
    return message.Result;
}

void TControl::DefaultHandler(TMessage& message)
{
    if (message.Msg >= CN_BASE && message.Msg < CN_BASE + 0x400) {
        // A reflected message the child did not take: the parent's default answer.
        UINT original = message.Msg - CN_BASE;
        message.Result = 0;
        if (original >= WM_CTLCOLORMSGBOX && original <= WM_CTLCOLORSTATIC && FHandle)
            message.Result = DefWindowProcA(GetParent(FHandle), original, message.WParam, message.LParam);
        return;
    }
    if (message.Msg >= CM_BASE && message.Msg < CN_BASE) {
        message.Result = 0;
        return;
    }
    if (!FHandle)
        return;
    message.Result = CallWindowProcA(FDefWndProc ? FDefWndProc : DefWindowProcA, FHandle, message.Msg,
                                     message.WParam, message.LParam);
}

bool TControl::ReflectNotification(TMessage& message)
{
    HWND from = nullptr;
    switch (message.Msg) {
    case WM_COMMAND:
        from = reinterpret_cast<HWND>(message.LParam);
        // Only a child's own notification: the dialog manager also sends IDOK and IDCANCEL with the
        // focused window in LParam.
        if (from && GetDlgCtrlID(from) != LOWORD(message.WParam))
            from = nullptr;
        break;
    case WM_NOTIFY: from = reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom; break;
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
        if (dis->CtlType != ODT_MENU)
            from = dis->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
        if (mis->CtlType != ODT_MENU && FHandle)
            from = GetDlgItem(FHandle, static_cast<int>(mis->CtlID));
        break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: from = reinterpret_cast<HWND>(message.LParam); break;
    default: return false;
    }
    TControl* child = FindControl(from);
    if (!child || child == this)
        return false;
    message.Result = child->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
    return true;
}

void TControl::WndProc(TMessage& message)
{
    if (ReflectNotification(message))
        return;
    switch (message.Msg) {
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        SetTextColor(dc, ColorToRGB(FFont.Color()));
        SetBkColor(dc, ColorToRGB(FBrush.Color()));
        message.Result = reinterpret_cast<LRESULT>(FBrush.Handle());
        return;
    }
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: {
        WORD key = static_cast<WORD>(message.WParam);
        KeyDown(key, KeyboardShiftState());
        message.Result = key == 0 ? 1 : 0;
        return;
    }
    case WM_ERASEBKGND:
        if (FDefWndProc == DefWindowProcA) {
            RECT r;
            GetClientRect(FHandle, &r);
            ::FillRect(reinterpret_cast<HDC>(message.WParam), &r, FBrush.Handle());
            message.Result = 1;
            return;
        }
        break;
    case WM_WINDOWPOSCHANGED:
        DefaultHandler(message);
        ReadBounds();
        return;
    case WM_NCDESTROY: {
        HWND wnd = FHandle;
        DefaultHandler(message);
        RemovePropA(wnd, ControlProp);
        Application->RemoveControlHint(wnd);
        FHandle = nullptr;
        return;
    }
    }
    DefaultHandler(message);
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::KeyDown(WORD& key, uint32_t shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void TControl::ReadBounds()
{
    if (!FHandle || IsIconic(FHandle))
        return;
    RECT r;
    GetWindowRect(FHandle, &r);
    if (GetWindowLongPtrA(FHandle, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(nullptr, GetParent(FHandle), reinterpret_cast<POINT*>(&r), 2);
    FLeft = r.left;
    FTop = r.top;
    FWidth = r.right - r.left;
    FHeight = r.bottom - r.top;
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    if (FHandle)
        SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TControl::ClientWidth()
{
    RECT r;
    GetClientRect(Handle(), &r);
    return r.right;
}

int TControl::ClientHeight()
{
    RECT r;
    GetClientRect(Handle(), &r);
    return r.bottom;
}

void TControl::SetClientSize(int width, int height)
{
    TCreateParams params;
    CreateParams(params);
    RECT r = {0, 0, width, height};
    AdjustWindowRectEx(&r, params.Style, FALSE, params.ExStyle);
    SetBounds(FLeft, FTop, r.right - r.left, r.bottom - r.top);
    if (FHandle) {
        // A frame of unusual thickness: measure again.
        RECT c;
        GetClientRect(FHandle, &c);
        if (c.right != width || c.bottom != height)
            SetBounds(FLeft, FTop, FWidth + width - c.right, FHeight + height - c.bottom);
    }
}

std::string TControl::Caption() const
{
    if (!FHandle)
        return FCaption;
    int length = GetWindowTextLengthA(FHandle);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    length = GetWindowTextA(FHandle, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(length, 0)));
    return text;
}

void TControl::SetCaption(const std::string& text)
{
    FCaption = text;
    if (FHandle)
        SetWindowTextA(FHandle, text.c_str());
}

void TControl::SetHint(const std::string& hint)
{
    if (hint == FHint)
        return;
    FHint = hint;
    if (FHandle)
        Application->UpdateControlHint(this);
}

void TControl::SetVisible(bool visible)
{
    FVisible = visible;
    if (FHandle)
        ShowWindow(FHandle, visible ? SW_SHOW : SW_HIDE);
}

void TControl::SetEnabled(bool enabled)
{
    FEnabled = enabled;
    if (FHandle)
        EnableWindow(FHandle, enabled);
}

void TControl::SetTabStop(bool tabStop)
{
    FTabStop = tabStop;
    if (FHandle) {
        LONG_PTR style = GetWindowLongPtrA(FHandle, GWL_STYLE);
        style = tabStop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        SetWindowLongPtrA(FHandle, GWL_STYLE, style);
    }
}

void TControl::SetParentFont(bool parentFont)
{
    FParentFont = parentFont;
    if (parentFont && FParent)
        TakeParentFont();
}

void TControl::TakeParentFont()
{
    FTakingParentFont = true;
    FFont.Assign(FParent->FFont);
    FTakingParentFont = false;
}

void TControl::FontChanged()
{
    if (FHandle) {
        SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), TRUE);
        Invalidate();
    }
    for (TControl* c : FControls)
        if (c->FParentFont)
            c->TakeParentFont();
}

void TControl::SetColor(TColor color)
{
    FBrush.SetColor(color);
    Invalidate();
}

void TControl::SetFocus()
{
    ::SetFocus(Handle());
}

void TControl::Invalidate()
{
    if (FHandle)
        InvalidateRect(FHandle, nullptr, TRUE);
}

void TControl::Update()
{
    if (FHandle)
        UpdateWindow(FHandle);
}

// ---- TCustomControl

void TCustomControl::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.ClassName = "QuillpadCustomControl";
}

void TCustomControl::WndProc(TMessage& message)
{
    if (message.Msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        struct TEndPaint {
            TCanvas& Canvas;
            HWND Wnd;
            PAINTSTRUCT& Ps;
            ~TEndPaint()
            {
                Canvas.SetHandle(nullptr);
                EndPaint(Wnd, &Ps);
            }
        } guard{FCanvas, Handle(), ps};
        FCanvas.SetHandle(dc);
        FCanvas.Font() = Font();
        FCanvas.Brush().SetColor(Color());
        Paint();
        return;
    }
    TControl::WndProc(message);
}
