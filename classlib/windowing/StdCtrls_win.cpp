// Push buttons, check boxes, labels and images.
#include "classlib/windowing/StdCtrls.h"

#include "classlib/windowing/Forms.h"

// ---- TButton

TButton::TButton(TComponent* owner) : TControl(owner)
{
    SetTabStop(true);
    SetBounds(0, 0, 75, 23);
}

void TButton::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.ClassName = "QuillpadButton";
    params.SystemClass = "BUTTON";
    params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value)
{
    FDefault = value;
    if (HandleAllocated())
        ShowAsDefault(value || Focused());
}

void TButton::ShowAsDefault(bool value)
{
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click()
{
    TForm* form = GetParentForm(this);
    if (form && ModalResult != mrNone)
        form->ModalResult = ModalResult;
    TControl::Click();
}

void TButton::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == BN_CLICKED)
            Click();
        return;
    case CM_DIALOGKEY:
        if (((message.WParam == VK_RETURN && FDefault) || (message.WParam == VK_ESCAPE && Cancel)) &&
            HandleAllocated() && IsWindowVisible(Handle()) && IsWindowEnabled(Handle())) {
            Click();
            message.Result = 1;
        }
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        // The focused button is the one Enter presses; the form's default button otherwise.
        DefaultHandler(message);
        bool focused = message.Msg == WM_SETFOCUS;
        ShowAsDefault(focused || FDefault);
        if (TForm* form = GetParentForm(this))
            ForEachChild(form, [&](TControl* c) {
                auto* button = dynamic_cast<TButton*>(c);
                if (button && button != this && button->FDefault)
                    button->ShowAsDefault(!focused);
            });
        return;
    }
    }
    TControl::WndProc(message);
}

// ---- TCheckBox

TButtonControl::TButtonControl(TComponent* owner, const char* className, uint32_t style, int width)
    : TControl(owner), FClassName(className), FStyle(style)
{
    SetTabStop(true);
    SetBounds(0, 0, width, 17);
}

void TButtonControl::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.ClassName = FClassName;
    params.SystemClass = "BUTTON";
    params.Style |= FStyle;
}

void TButtonControl::CreateWnd()
{
    TControl::CreateWnd();
    SendMessageA(Handle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TButtonControl::DestroyWnd()
{
    FChecked = Checked();
    TControl::DestroyWnd();
}

bool TButtonControl::Checked() const
{
    if (HandleAllocated())
        return SendMessageA(const_cast<TButtonControl*>(this)->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    return FChecked;
}

void TButtonControl::SetChecked(bool value)
{
    FChecked = value;
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner, "QuillpadCheckBox", BS_AUTOCHECKBOX, 97) {}

void TCheckBox::WndProc(TMessage& message)
{
    if (message.Msg == CN_COMMAND) {
        if (HIWORD(message.WParam) == BN_CLICKED) {
            FChecked = Checked();
            Click();
        }
        return;
    }
    TControl::WndProc(message);
}

// ---- TLabel

TLabel::TLabel(TComponent* owner) : TControl(owner)
{
    SetBounds(0, 0, 65, 13);
}

void TLabel::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.ClassName = "QuillpadLabel";
    params.SystemClass = "STATIC";
    params.Style |= SS_LEFT;
    if (!ShowAccelChar)
        params.Style |= SS_NOPREFIX;
}

// ---- TImage

void TImage::Paint()
{
    RECT r;
    GetClientRect(Handle(), &r);
    Canvas().FillRect(r);
    Canvas().Draw(0, 0, FIcon);
}
