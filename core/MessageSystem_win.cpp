// The message routines' windows: the class library's message form and the system's message box.
#include "core/MessageSystem.h"

#include "classlib/windowing/Dialogs.h"
#include "core/OptionalMessages.h"

TMessageFormAnswer RunMessageForm(const std::string& text, uint8_t kind, uint16_t buttons, bool withOptionBox)
{
    TMessageForm form(text, kind < mtCustom ? static_cast<TMsgDlgType>(kind) : mtCustom, buttons,
                      withOptionBox ? OptionalMessageCheckBoxCaption : "");
    TMessageFormAnswer answer;
    answer.Result = form.ShowModal();
    answer.ClickedKind = form.ClickedKind();
    answer.BoxTicked = form.CheckBox && form.CheckBox->Checked();
    return answer;
}

void ShowSystemMessageBox(const std::string& text, TSystemBoxKind kind)
{
    if (kind == sbError)
        MessageBoxA(Application->Handle(), text.c_str(), nullptr, MB_OK | MB_ICONERROR);
    else
        MessageBoxA(Application->Handle(), text.c_str(), Application->Title().c_str(), MB_OK);
}

bool ApplicationTerminating()
{
    return Application->Terminated();
}

void BringApplicationPopupToFront()
{
    HWND owner = Application->MainForm && Application->MainForm->HandleAllocated()
                     ? Application->MainForm->Handle()
                     : Application->Handle();
    HWND popup = GetLastActivePopup(owner);
    if (popup && popup != owner && popup != GetForegroundWindow() && IsWindowVisible(popup) &&
        IsWindowEnabled(popup))
        SetForegroundWindow(popup);
}

bool ApplicationWindowVisible()
{
    return IsWindowVisible(Application->Handle()) != 0;
}

void HideApplicationWindow()
{
    ShowWindow(Application->Handle(), SW_HIDE);
}
