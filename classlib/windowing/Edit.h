// An edit box over the system's own: one line, or several with a vertical scroll bar, and a limit on
// the length of its text.
#pragma once
#include <string>

#include "classlib/windowing/Controls.h"

class TEdit : public TControl {
public:
    explicit TEdit(TComponent* owner, bool multiLine = false);
    std::string Text();
    void SetText(const std::string& text);
    int MaxLength() const { return FMaxLength; }
    // At most this many characters can be typed (0: the system's limit).
    void SetMaxLength(int length);
    // Shows a mark for each character typed instead of the text (a password).
    void SetPasswordMode(bool on);
    // The text changed (typed, or set by the program).
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;

private:
    bool FMultiLine;
    int FMaxLength = 0;
    bool FPassword = false;
};
