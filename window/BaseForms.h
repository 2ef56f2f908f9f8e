// The base classes of the program's forms: the common font, help and closing rules of every form, the
// form that turns the clipboard keys into commands, and the pop-up form that stays on top until it
// loses the focus.
#pragma once
#include <cstdint>
#include <memory>

#include "classlib/windowing/Forms.h"

// Installed by the help service: opens a topic of the help file.
extern void (*ShowHelpTopic)(int32_t topic);
// Installed by the command manager: runs a command by its number.
extern void (*ExecuteCommandHook)(int32_t command);

// Whether forms start with their focus rectangles and access-key underlines hidden until the keyboard is
// used: 1 hidden, 0 shown, -1 (the default) as the system's setting for keyboard cues says.
extern int8_t HideKeyboardCues;

// The base of every form: the font "MS Sans Serif", 11 pixels, and a help topic (0: none).
class TQuillpadForm : public TForm {
public:
    explicit TQuillpadForm(TComponent* owner);
    int32_t HelpTopic() const { return FHelpTopic; }
    // A topic other than 0 also adds the help button to the border icons.
    void SetHelpTopic(int32_t topic);

protected:
    // The new window's handle stirs the random pool; the keyboard cues start hidden when asked.
    void CreateWnd() override;
    // The help button (SC_CONTEXTHELP) asks for the form's help at once instead of the system's help
    // mode; WM_HELP opens the form's topic. Esc closes a dialog that has no Cancel button.
    void WndProc(TMessage& message) override;
    // Closing with the Cancel result (the close box, Esc) goes through the Cancel button of the form's
    // last button row when it was not the button clicked last: the form stays open when the dialog's
    // handler of that click sets the modal result back to 0.
    bool CloseQuery() override;

private:
    int32_t FHelpTopic = 0;
};

// A form whose window procedure turns the clipboard messages into the clipboard commands.
class TQuillpadCommandForm : public TQuillpadForm {
public:
    using TQuillpadForm::TQuillpadForm;

protected:
    void WndProc(TMessage& message) override;
};

// A pop-up form kept above the other windows that frees itself once it is deactivated or its modal
// state is cancelled.
class TPopupStayOnTopForm : public TForm {
public:
    explicit TPopupStayOnTopForm(TComponent* owner) : TForm(owner) {}

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
};

// Creates a form of the class without owner, shows it modally and frees it; true when the result was OK.
template<class TFormClass>
bool ExecuteDialogClass()
{
    auto form = std::make_unique<TFormClass>(nullptr);
    return form->ShowModal() == mrOk;
}
