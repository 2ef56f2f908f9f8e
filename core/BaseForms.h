// The base classes of the program's forms: the common font and help of every form, and the pop-up
// form that stays on top until it loses the focus.
#pragma once
#include <cstdint>
#include <memory>

#include "classlib/windowing/Forms.h"

// Installed by the help service: opens a topic of the help file.
extern void (*ShowHelpTopic)(int32_t topic);

// The base of every form: the font "MS Sans Serif", 11 pixels, and a help topic (0: none).
class TQuillpadForm : public TForm {
public:
    explicit TQuillpadForm(TComponent* owner);
    int32_t HelpTopic() const { return FHelpTopic; }
    // A topic other than 0 also adds the help button to the border icons.
    void SetHelpTopic(int32_t topic);

protected:
    // The help button (SC_CONTEXTHELP) asks for the form's help at once instead of the system's help
    // mode; WM_HELP opens the form's topic.
    void WndProc(TMessage& message) override;

private:
    int32_t FHelpTopic = 0;
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
