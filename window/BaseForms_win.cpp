// The program's base forms.
#include "window/BaseForms.h"

#include "window/DialogButtons.h"

#include "formats/Encryption.h"

void (*ShowHelpTopic)(int32_t topic) = nullptr;
void (*ExecuteCommandHook)(int32_t command) = nullptr;

namespace {

// The commands of the clipboard messages.
int32_t ClipboardCommand(UINT message)
{
    switch (message) {
    case WM_CUT: return 3420;
    case WM_COPY: return 3340;
    case WM_PASTE: return 3360;
    case WM_CLEAR: return 3200;
    default: return 0;
    }
}

// A button of the form that answers Esc.
bool HasCancelButton(const TComponent& form)
{
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* button = dynamic_cast<TButton*>(form.Components(i)); button && button->Cancel)
            return true;
    return false;
}

} // namespace

TQuillpadForm::TQuillpadForm(TComponent* owner) : TForm(owner)
{
    Font().SetCharset(DEFAULT_CHARSET);
    Font().SetColor(clWindowText);
    Font().SetHeight(-11);
    Font().SetName("MS Sans Serif");
    Font().SetStyle(0);
    Font().SetPixelsPerInch(96);
}

int8_t HideKeyboardCues = -1;

void TQuillpadForm::CreateWnd()
{
    TForm::CreateWnd();
    GetEncryptionManager().AddEntropy(int32_t(reinterpret_cast<uintptr_t>(Handle())));
    bool hide = HideKeyboardCues > 0;
    if (HideKeyboardCues < 0) {
        BOOL cuesShown = TRUE;
        hide = SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &cuesShown, 0) && !cuesShown;
    }
    if (hide)
        SendMessageA(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL),
                     0);
}

void TQuillpadForm::SetHelpTopic(int32_t topic)
{
    FHelpTopic = topic;
    if (topic != 0 && !(BorderIcons() & biHelp))
        SetBorderIcons(BorderIcons() | biHelp);
}

void TQuillpadForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_SYSCOMMAND:
        if ((message.WParam & 0xFFF0) == SC_CONTEXTHELP) {
            HELPINFO info = {};
            info.cbSize = sizeof(info);
            info.iContextType = HELPINFO_WINDOW;
            info.hItemHandle = Handle();
            GetCursorPos(&info.MousePos);
            SendMessageA(Handle(), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
            return;
        }
        break;
    case WM_HELP:
        if (FHelpTopic != 0) {
            if (ShowHelpTopic)
                ShowHelpTopic(FHelpTopic);
            message.Result = 1;
            return;
        }
        break;
    case WM_COMMAND:
        if (LOWORD(message.WParam) == IDCANCEL && message.LParam == 0 && Modal() && !HasCancelButton(*this)) {
            Close();
            return;
        }
        break;
    }
    TForm::WndProc(message);
}

bool TQuillpadForm::CloseQuery()
{
    if (ModalResult == mrCancel) {
        for (int i = ComponentCount() - 1; i >= 0; --i) {
            auto* row = dynamic_cast<TDlgButtons*>(Components(i));
            TDlgButton* cancel = row ? row->Button(dbCancel) : nullptr;
            if (!cancel)
                continue;
            if (row->LastClicked != dbCancel) {
                cancel->Click();
                if (ModalResult == mrNone)
                    return false;
            }
            break;
        }
    }
    return TForm::CloseQuery();
}

void TQuillpadCommandForm::WndProc(TMessage& message)
{
    const int32_t command = ClipboardCommand(message.Msg);
    if (command && ExecuteCommandHook)
        ExecuteCommandHook(command);
    TQuillpadForm::WndProc(message);
    if (command)
        message.Result = 1;
}

void TPopupStayOnTopForm::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    params.ExStyle |= WS_EX_TOPMOST;
}

void TPopupStayOnTopForm::WndProc(TMessage& message)
{
    if (message.Msg == WM_ACTIVATE && LOWORD(message.WParam) == WA_INACTIVE) {
        TForm::WndProc(message);
        Release();
        return;
    }
    if (message.Msg == WM_CANCELMODE) {
        TForm::WndProc(message);
        Release();
        return;
    }
    TForm::WndProc(message);
}
