// The setup program's background: a borderless window over the whole screen, never focused, from which
// the wizard runs once the message loop has started.
#pragma once
#include "classlib/windowing/Forms.h"

class TMainForm : public TForm {
public:
    explicit TMainForm(TComponent* owner);
    ~TMainForm() override;

protected:
    void WndProc(TMessage& message) override;

private:
    void RunWizard();
    void Paint(HDC dc);
    bool FClosingAllowed = false;
    HBITMAP FGradient = nullptr;
};
