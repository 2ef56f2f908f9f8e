// The small button on the main window's caption, beside the system's buttons, that sends the program to
// the notification area; it never takes the focus.
#pragma once
#include "classlib/windowing/Forms.h"
#include "classlib/windowing/ToolBar.h"

class TMinimizeToSystemTrayForm : public TForm {
public:
    // A borderless form over Owner's caption, the size of one caption button.
    explicit TMinimizeToSystemTrayForm(TForm* owner);
    ~TMinimizeToSystemTrayForm() override;

    // Puts the button left of the three caption buttons of a window at Left, Top, Width wide.
    void PlaceOnCaption(int left, int top, int width);

    TToolButton* Button;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

private:
    // The focus goes back to the active document window, or to the main window.
    void GiveFocusBack();

    TForm* FOwnerForm;
    HFONT FGlyphFont = nullptr;
};
