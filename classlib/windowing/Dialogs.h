// The message form: an icon by dialog type, the text, an optional check box and one button per kind.
#pragma once
#include <string>
#include <vector>

#include "classlib/windowing/DialogTypes.h"
#include "classlib/windowing/Forms.h"
#include "classlib/windowing/StdCtrls.h"

// Laid out in dialog units of its font's average character (the extent of the characters 32 to 254
// over their number). "&" in the text marks an accelerator: double it to show one. Every button
// carries its kind as its tag; the default button is OK, else Yes, else the first; Esc presses
// Cancel, else No, else OK.
class TMessageForm : public TForm {
public:
    // With a check-box caption, a check box stands under the text.
    TMessageForm(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                 const std::string& checkBoxCaption = {});
    TImage* Icon = nullptr;
    TLabel* Message = nullptr;
    TCheckBox* CheckBox = nullptr;
    std::vector<TButton*> Buttons;
    // The kind of the button that closed the form, or -1 (closed otherwise).
    int ClickedKind() const { return FClickedKind; }

private:
    int FClickedKind = -1;
};

// Shows the message form modally and returns the modal result.
int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);
