// The edit box: the text is the window's caption, kept across re-creation by the control itself.
#include "classlib/windowing/Edit.h"

TEdit::TEdit(TComponent* owner, bool multiLine) : TControl(owner), FMultiLine(multiLine)
{
    SetTabStop(true);
    SetBounds(0, 0, 121, multiLine ? 89 : 21);
    SetColor(clWindow);
}

void TEdit::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.ClassName = FMultiLine ? "QuillpadMemo" : "QuillpadEdit";
    params.SystemClass = "EDIT";
    params.ExStyle |= WS_EX_CLIENTEDGE;
    params.Style |= ES_AUTOHSCROLL;
    if (FPassword)
        params.Style |= ES_PASSWORD;
    if (FMultiLine)
        params.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL;
}

void TEdit::CreateWnd()
{
    TControl::CreateWnd();
    SendMessageA(Handle(), EM_LIMITTEXT, WPARAM(FMaxLength), 0);
}

void TEdit::WndProc(TMessage& message)
{
    TControl::WndProc(message);
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == EN_CHANGE && OnChange)
        OnChange(this);
}

std::string TEdit::Text()
{
    return Caption();
}

void TEdit::SetText(const std::string& text)
{
    SetCaption(text);
}

void TEdit::SetMaxLength(int length)
{
    FMaxLength = length < 0 ? 0 : length;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_LIMITTEXT, WPARAM(FMaxLength), 0);
}

void TEdit::SetPasswordMode(bool on)
{
    FPassword = on;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETPASSWORDCHAR, on ? WPARAM('*') : 0, 0);
}
