// The notification-area button on the main window's caption.
#include "shell/TrayButton.h"

#include "core/ShellUtils.h"
#include "shell/CommandManager.h"
#include "shell/MainForm.h"

namespace {

constexpr int32_t TrayCommandNumber = 90120;

} // namespace

TMinimizeToSystemTrayForm::TMinimizeToSystemTrayForm(TForm* owner) : TForm(owner), FOwnerForm(owner)
{
    SetBorderStyle(bsNone);
    SetBounds(0, 0, GetSystemMetrics(SM_CXSIZE) - GetSystemMetrics(SM_CXEDGE),
              GetSystemMetrics(SM_CYSIZE) - 2 * GetSystemMetrics(SM_CYEDGE));
    FGlyphFont =
        CreateFontA(-ScaleToScreen(10), 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Marlett");
    Button = new TToolButton(this);
    Button->SetParent(this);
    Button->SetBounds(0, 0, Width(), Height());
    Button->Flat = true;
    Button->SetHint(CommandManager().GetCommandHint(TrayCommandNumber));
    Button->OnDrawImage = [this](TCanvas& canvas, const RECT&) {
        // The glyph "i" of the caption-button font, centred (2 pixels of margin).
        RECT r = {2, 2, Button->Width() - 2, Button->Height() - 2};
        HDC dc = canvas.Handle();
        HGDIOBJ old = SelectObject(dc, FGlyphFont);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawTextA(dc, "i", 1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        SelectObject(dc, old);
    };
    Button->OnClick = [](TComponent*) { CommandManager().ExecuteCommand(TrayCommandNumber); };
}

TMinimizeToSystemTrayForm::~TMinimizeToSystemTrayForm()
{
    if (FGlyphFont)
        DeleteObject(FGlyphFont);
}

void TMinimizeToSystemTrayForm::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    // Owned by the main window: hidden and shown with it, and never in the task bar.
    params.WndParent = FOwnerForm->HandleAllocated() ? FOwnerForm->Handle() : nullptr;
    params.ExStyle = (params.ExStyle & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
}

void TMinimizeToSystemTrayForm::PlaceOnCaption(int left, int top, int width)
{
    if (!FOwnerForm->HandleAllocated())
        return;
    const int x = left + width - GetSystemMetrics(SM_CXSIZEFRAME) - 4 * GetSystemMetrics(SM_CXSIZE) +
                  GetSystemMetrics(SM_CXEDGE);
    const int y = top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYEDGE);
    // Where the caption is, topmost without taking the activation.
    SetWindowPos(Handle(), HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void TMinimizeToSystemTrayForm::GiveFocusBack()
{
    if (Application->Terminated() || !MainForm)
        return;
    TForm* child = MainForm->ActiveMDIChild();
    ::SetFocus(child ? child->Handle() : MainForm->Handle());
}

void TMinimizeToSystemTrayForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_MOUSEACTIVATE:
        GiveFocusBack();
        message.Result = MA_NOACTIVATE;
        return;
    case WM_SETFOCUS: GiveFocusBack(); return;
    }
    TForm::WndProc(message);
}
