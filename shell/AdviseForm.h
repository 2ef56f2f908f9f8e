// The advice window ("Trucs et astuces d'Quillpad"): one tip at a time, with the way back and forward
// through the tips and the choice of showing them at start-up.
#pragma once
#include <functional>
#include <string>

#include "classlib/windowing/Forms.h"
#include "core/AdviseManager.h"

class TButton;
class TCheckBox;
class TRichViewer;

class TAdviseForm : public TForm {
public:
    explicit TAdviseForm(TComponent* owner);

    TRichViewer* RichViewer;
    TButton* NextBtn;
    TButton* PrevBtn;
    TButton* DetailsBtn;
    TButton* CloseBtn;
    TCheckBox* ShowAtStartUpCheckBox;
    TTip CurrentTip;

    // Shows a tip and brings the buttons in line with it.
    void ShowTip(const TTip& tip);

protected:
    void WndProc(TMessage& message) override;
};

// The program's tips (the "TIPS" resource), made on first use; freed at shutdown.
TAdviseManager& AdviseManager();
void FreeAdviseManager();

// Command 101100: the advice window, modal; afterwards its check box gives the start-up option.
void ExecuteAdviseDialog();
// When set, runs as the advice window shows (a test's hand on it).
extern std::function<void(TAdviseForm&)> OnAdviseFormShown;
