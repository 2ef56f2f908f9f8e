// The program's base forms.
#include "core/BaseForms.h"

void (*ShowHelpTopic)(int32_t topic) = nullptr;

TQuillpadForm::TQuillpadForm(TComponent* owner) : TForm(owner)
{
    Font().SetCharset(DEFAULT_CHARSET);
    Font().SetColor(clWindowText);
    Font().SetHeight(-11);
    Font().SetName("MS Sans Serif");
    Font().SetStyle(0);
    Font().SetPixelsPerInch(96);
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
    }
    TForm::WndProc(message);
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
