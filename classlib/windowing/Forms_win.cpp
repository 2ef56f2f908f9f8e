// Forms (close protocol, modal loop, deferred release) and the application's message loop.
#include "classlib/windowing/Forms.h"

#include <commctrl.h>

#include <vector>

namespace {
TApplication TheApplication;
}
TApplication* Application = &TheApplication;

TForm* GetParentForm(TControl* control)
{
    while (control && !dynamic_cast<TForm*>(control))
        control = control->Parent();
    return static_cast<TForm*>(control);
}

// ---- TForm

TForm::TForm(TComponent* owner) : TControl(owner)
{
    TControl::SetVisible(false);
    SetBounds(0, 0, 320, 240);
}

TForm::~TForm()
{
    if (Application->MainForm == this)
        Application->MainForm = nullptr;
}

void TForm::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.ClassName = "QuillpadForm";
    params.Style &= WS_DISABLED;
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
    switch (FBorderStyle) {
    case bsNone: params.Style |= WS_POPUP; break;
    case bsSingle: params.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: params.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION;
        params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    }
    if (FBorderStyle != bsNone) {
        if (FBorderIcons & biSystemMenu)
            params.Style |= WS_SYSMENU;
        if (FBorderStyle != bsDialog) {
            if (FBorderIcons & biMinimize)
                params.Style |= WS_MINIMIZEBOX;
            if (FBorderIcons & biMaximize)
                params.Style |= WS_MAXIMIZEBOX;
        }
        if ((FBorderIcons & biHelp) && !(params.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
            params.ExStyle |= WS_EX_CONTEXTHELP;
    }
    if (FormStyle == fsMDIChild && Application->MainForm && Application->MainForm->ClientHandle()) {
        params.Style = (params.Style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS;
        params.ExStyle |= WS_EX_MDICHILD;
        params.WndParent = Application->MainForm->ClientHandle();
        return;
    }
    // The main form is the program's task-bar window; the others stand above their owner.
    if (FModalOwner) {
        params.WndParent = FModalOwner;
    } else if (Application->MainForm == this) {
        params.WndParent = nullptr;
        params.ExStyle |= WS_EX_APPWINDOW;
    } else if (Application->MainForm && Application->MainForm->HandleAllocated()) {
        params.WndParent = Application->MainForm->Handle();
    } else {
        params.WndParent = Application->Handle();
    }
}

void TForm::CreateWnd()
{
    TControl::CreateWnd();
    if (HICON icon = Application ? Application->Icon() : nullptr) {
        SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    if (FormStyle != fsMDIForm)
        return;
    CLIENTCREATESTRUCT ccs{};
    ccs.idFirstChild = 0xFF00;
    FClientHandle = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                    WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE, 0, 0,
                                    0, 0, Handle(), nullptr, GetModuleHandleA(nullptr), &ccs);
}

void TForm::DestroyWnd()
{
    if (FClientHandle) {
        DestroyWindow(FClientHandle);
        FClientHandle = nullptr;
    }
    TControl::DestroyWnd();
}

void TForm::DefaultHandler(TMessage& message)
{
    if (FormStyle == fsMDIForm && FClientHandle && message.Msg < CM_BASE) {
        message.Result = DefFrameProcA(Handle(), FClientHandle, message.Msg, message.WParam, message.LParam);
        return;
    }
    if (FormStyle == fsMDIChild && HandleAllocated() && message.Msg < CM_BASE &&
        (GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD)) {
        message.Result = DefMDIChildProcA(Handle(), message.Msg, message.WParam, message.LParam);
        return;
    }
    TControl::DefaultHandler(message);
}

TForm* TForm::ActiveMDIChild()
{
    if (!FClientHandle)
        return nullptr;
    HWND child = reinterpret_cast<HWND>(SendMessageA(FClientHandle, WM_MDIGETACTIVE, 0, 0));
    return child ? dynamic_cast<TForm*>(FindControl(child)) : nullptr;
}

void TForm::SetBorderStyle(TFormBorderStyle style)
{
    FBorderStyle = style;
    RecreateWnd();
}

void TForm::SetBorderIcons(uint8_t icons)
{
    FBorderIcons = icons;
    RecreateWnd();
}

void TForm::SetVisible(bool visible)
{
    if (visible) {
        HWND wnd = Handle();
        if (!FPlaced) {
            FPlaced = true;
            if (Position == poScreenCenter) {
                RECT work;
                SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
                SetBounds(work.left + (work.right - work.left - Width()) / 2,
                          work.top + (work.bottom - work.top - Height()) / 2, Width(), Height());
            }
        }
        if (!IsWindowVisible(wnd))
            DoShow();
    }
    TControl::SetVisible(visible);
}

void TForm::DoShow()
{
    if (OnShow)
        OnShow(this);
}

void TForm::SetActiveControl(TControl* control)
{
    FActiveControl = control;
    if (control && HandleAllocated() && GetActiveWindow() == Handle())
        control->SetFocus();
}

void TForm::FocusActiveControl()
{
    TControl* target = nullptr;
    ForEachChild(this, [&](TControl* c) {
        if (c == FActiveControl)
            target = c;
    });
    auto focusable = [](TControl* c) {
        return c->HandleAllocated() && IsWindowVisible(c->Handle()) && IsWindowEnabled(c->Handle());
    };
    if (target && !focusable(target))
        target = nullptr;
    if (!target)
        ForEachChild(this, [&](TControl* c) {
            if (!target && c->TabStop() && focusable(c))
                target = c;
        });
    if (target)
        target->SetFocus();
}

bool TForm::SendDialogKey(WORD key)
{
    bool used = false;
    ForEachChild(this, [&](TControl* c) {
        if (!used && c->Perform(CM_DIALOGKEY, key, 0) != 0)
            used = true;
    });
    return used;
}

bool TForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::DoClose(TCloseAction& action)
{
    if (OnClose)
        OnClose(this, action);
}

void TForm::Close()
{
    if (FModal) {
        ModalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    bool isMain = Application->MainForm == this;
    TCloseAction action = isMain ? caFree : caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (isMain) {
        Hide();
        Application->Terminate();
    } else if (action == caHide) {
        Hide();
    } else if (action == caMinimize) {
        ShowWindow(Handle(), SW_MINIMIZE);
    } else {
        Release();
    }
}

void TForm::CloseModal()
{
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone)
        ModalResult = mrNone;
    else if (action == caFree)
        Release();
}

void TForm::Release()
{
    PostMessageA(Handle(), CM_RELEASE, 0, 0);
}

namespace {

struct TDisabledWindows {
    HWND Except;
    std::vector<HWND> List;
};

BOOL CALLBACK DisableWindow(HWND wnd, LPARAM data)
{
    auto* windows = reinterpret_cast<TDisabledWindows*>(data);
    if (wnd != windows->Except && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
        EnableWindow(wnd, FALSE);
        windows->List.push_back(wnd);
    }
    return TRUE;
}

} // namespace

int TForm::ShowModal()
{
    if (Visible() || !Enabled() || FModal)
        throw Exception("Impossible de rendre modale une fenêtre visible ou désactivée.");
    if (HWND capture = GetCapture()) {
        SendMessageA(capture, WM_CANCELMODE, 0, 0);
        ReleaseCapture();
    }
    HWND activeBefore = GetActiveWindow();
    if (activeBefore)
        FModalOwner = activeBefore;
    else if (Application->MainForm && Application->MainForm != this &&
             Application->MainForm->HandleAllocated())
        FModalOwner = Application->MainForm->Handle();
    else
        FModalOwner = Application->Handle();
    HWND self = Handle();
    if (FModalOwner != self)
        SetWindowLongPtrA(self, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(FModalOwner));

    TDisabledWindows disabled{self, {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&disabled));
    struct TRestore {
        TForm& Form;
        TDisabledWindows& Disabled;
        HWND ActiveBefore;
        ~TRestore()
        {
            for (HWND wnd : Disabled.List)
                if (IsWindow(wnd))
                    EnableWindow(wnd, TRUE);
            Form.Hide();
            Form.FModal = false;
            Form.FModalOwner = nullptr;
            if (ActiveBefore && IsWindow(ActiveBefore))
                SetActiveWindow(ActiveBefore);
        }
    } restore{*this, disabled, activeBefore};

    FModal = true;
    ModalResult = mrNone;
    Show();
    do {
        Application->HandleMessage();
        if (Application->Terminated())
            ModalResult = mrCancel;
        else if (ModalResult != mrNone)
            CloseModal();
    } while (ModalResult == mrNone);
    return ModalResult;
}

void TForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_CLOSE: Close(); return;
    case WM_ACTIVATE:
        if (LOWORD(message.WParam) == WA_INACTIVE) {
            TControl* focused = FindControl(GetFocus());
            if (focused && focused != this && GetParentForm(focused) == this)
                FActiveControl = focused;
            DefaultHandler(message);
        } else {
            DefaultHandler(message);
            FocusActiveControl();
        }
        return;
    case WM_COMMAND:
        // The dialog manager's Enter and Esc when no child took them.
        if (!ReflectNotification(message) && HIWORD(message.WParam) == 0 &&
            (LOWORD(message.WParam) == IDOK || LOWORD(message.WParam) == IDCANCEL)) {
            SendDialogKey(LOWORD(message.WParam) == IDOK ? VK_RETURN : VK_ESCAPE);
        }
        return;
    case CM_RELEASE: delete this; return;
    }
    TControl::WndProc(message);
}

// ---- TApplication

TApplication::~TApplication()
{
    if (FHintWindow)
        DestroyWindow(FHintWindow);
    if (FHandle)
        DestroyWindow(FHandle);
}

void TApplication::SetHint(const std::string& hint)
{
    if (hint == FHint)
        return;
    FHint = hint;
    if (OnHint)
        OnHint(this);
}

namespace {

// The description of a control's window as a tool of the tooltip window.
TOOLINFOA ToolOf(HWND wnd)
{
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    HWND parent = GetParent(wnd);
    tool.hwnd = parent ? parent : wnd;
    tool.uId = reinterpret_cast<UINT_PTR>(wnd);
    return tool;
}

} // namespace

void TApplication::UpdateControlHint(TControl* control)
{
    if (!control->HandleAllocated())
        return;
    HWND wnd = control->Handle();
    if (control->Hint().empty()) {
        RemoveControlHint(wnd);
        return;
    }
    if (!FHintWindow) {
        INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&classes);
        FHintWindow =
            CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                            GetModuleHandleA(nullptr), nullptr);
        if (!FHintWindow)
            return; // no hint display: the control works without it
    }
    RemoveControlHint(wnd);
    TOOLINFOA tool = ToolOf(wnd);
    tool.lpszText = const_cast<char*>(control->Hint().c_str());
    SendMessageA(FHintWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void TApplication::RemoveControlHint(HWND wnd)
{
    if (!FHintWindow)
        return;
    TOOLINFOA tool = ToolOf(wnd);
    SendMessageA(FHintWindow, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

// Mouse messages go to the tooltip window too, which times its showing from them; the control under
// the mouse gives the application's hint.
void TApplication::RelayToHints(MSG& msg)
{
    if (msg.message < WM_MOUSEFIRST || msg.message > WM_MOUSELAST)
        return;
    if (FHintWindow)
        SendMessageA(FHintWindow, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    if (msg.message == WM_MOUSEMOVE) {
        TControl* control = TControl::FindControl(msg.hwnd);
        SetHint(control ? control->Hint() : std::string());
    }
}

HWND TApplication::Handle()
{
    if (!FHandle) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA wc = {};
        if (!GetClassInfoA(instance, "QuillpadApplication", &wc)) {
            wc.lpfnWndProc = DefWindowProcA;
            wc.hInstance = instance;
            wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1)); // the program's icon on the task bar
            wc.lpszClassName = "QuillpadApplication";
            RegisterClassA(&wc);
        }
        FHandle = CreateWindowExA(0, "QuillpadApplication", FTitle.c_str(),
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr,
                                  nullptr, instance, nullptr);
    }
    return FHandle;
}

void TApplication::SetTitle(const std::string& title)
{
    FTitle = title;
    if (FHandle)
        SetWindowTextA(FHandle, title.c_str());
}

void TApplication::SetIcon(int resource)
{
    // Shared icons from the program's resources are never destroyed.
    FIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resource));
    if (FHandle && FIcon) {
        SendMessageA(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(FIcon));
        SendMessageA(FHandle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(FIcon));
    }
}

void TApplication::Run()
{
    if (MainForm)
        MainForm->Show();
    while (!FTerminated)
        HandleMessage();
}

void TApplication::Terminate()
{
    PostQuitMessage(0);
}

void TApplication::HandleMessage()
{
    MSG msg;
    try {
        if (!ProcessMessage(msg))
            Idle();
    } catch (...) {
        HandleException(this);
    }
}

void TApplication::ProcessMessages()
{
    MSG msg;
    for (;;) {
        try {
            if (!ProcessMessage(msg))
                return;
        } catch (...) {
            HandleException(this);
        }
    }
}

// The one loop body: pre-filter, key preview, dialog keys, MDI accelerators, dispatch.
bool TApplication::ProcessMessage(MSG& msg)
{
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    bool handled = false;
    if (OnMessage)
        OnMessage(msg, handled);
    if (handled)
        return true;
    RelayToHints(msg);
    if (IsKeyMsg(msg) || IsDlgMsg(msg))
        return true;
    if (MainForm && MainForm->HandleAllocated()) {
        HWND client = MainForm->ClientHandle();
        if (client && TranslateMDISysAccel(client, &msg))
            return true;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

bool TApplication::IsKeyMsg(MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return false;
    TControl* control = nullptr;
    for (HWND wnd = msg.hwnd; wnd && !control; wnd = GetParent(wnd))
        control = TControl::FindControl(wnd);
    if (!control)
        return false;
    TForm* form = GetParentForm(control);
    UINT cn = CN_BASE + msg.message;
    if (form && form != control && form->KeyPreview && form->Perform(cn, msg.wParam, msg.lParam) != 0)
        return true;
    return control->Perform(cn, msg.wParam, msg.lParam) != 0;
}

bool TApplication::IsDlgMsg(MSG& msg)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd)
        return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (!dynamic_cast<TForm*>(TControl::FindControl(root)))
        return false;
    return IsDialogMessageA(root, &msg) != 0;
}

void TApplication::Idle()
{
    bool done = true;
    if (OnIdle)
        OnIdle(this, done);
    if (done)
        WaitMessage();
}

void TApplication::HandleException(TComponent* sender)
{
    auto report = [&](const Exception& e) {
        if (OnException) {
            try {
                OnException(sender, e);
            } catch (...) {}
        } else {
            ShowException(e);
        }
    };
    try {
        throw;
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        report(e);
    } catch (const std::exception& e) {
        report(Exception(e.what()));
    } catch (...) {
        report(Exception("Erreur inconnue."));
    }
}

void TApplication::ShowException(const Exception& e)
{
    MessageBoxA(GetActiveWindow(), e.Message.c_str(), FTitle.c_str(), MB_OK | MB_ICONERROR);
}
