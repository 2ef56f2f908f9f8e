// The dialog button row and the standard dialog form.
#include "window/DialogButtons.h"

#include "classlib/windowing/DialogTypes.h"

TDlgButtons::TDlgButtons(TForm* form) : TComponent(form), Form(form) {}

TDlgButton* TDlgButtons::Button(uint8_t kind) const
{
    for (TDlgButton* b : Buttons)
        if (b->Kind == kind)
            return b;
    return nullptr;
}

void TDlgButtons::RebuildButtons()
{
    for (TDlgButton* b : Buttons)
        delete b;
    Buttons.clear();
    // Slot of each kind, from the digits (spaces ignored, at most three).
    std::vector<std::pair<int, uint8_t>> slots;
    uint8_t kind = 0;
    for (char c : ButtonIndexes) {
        if (c == ' ')
            continue;
        if (c >= '0' && c <= '9' && kind < 3)
            slots.emplace_back(c - '0', kind);
        ++kind;
    }
    const int count = static_cast<int>(slots.size());
    const int rowWidth = count * ButtonWidth + (count - 1) * Clearance;
    for (auto [slot, k] : slots) {
        auto* button = new TDlgButton(Form, k);
        Buttons.push_back(button);
        button->SetParent(Form);
        static const char* const captions[3] = {MsgDlgButtonCaptions[mbOK], MsgDlgButtonCaptions[mbCancel],
                                                "Appliquer"};
        button->SetCaption(captions[k]);
        button->ModalResult = k == dbCancel ? mrCancel : mrOk;
        button->SetDefault(k == dbOK);
        button->Cancel = k == dbCancel;
        int left = button->Left();
        const int top = Form->ClientHeight() - VerMargin - ButtonHeight;
        if (ButtonAlignment == 2)
            left = Form->ClientWidth() - (count - slot) * ButtonWidth - (count - slot - 1) * Clearance -
                   HorMargin;
        else if (ButtonAlignment == 1)
            left = (Form->ClientWidth() - rowWidth) / 2 + slot * (ButtonWidth + Clearance);
        else if (ButtonAlignment == 0)
            left = HorMargin + slot * (ButtonWidth + Clearance);
        button->SetBounds(left, top, ButtonWidth, ButtonHeight);
        button->OnClick = [this, k](TComponent* sender) {
            LastClicked = k;
            if (OnClick)
                OnClick(sender);
        };
    }
}

TStandardDialogForm::TStandardDialogForm(TComponent* owner)
    : TQuillpadForm(owner), Buttons(new TDlgButtons(this))
{
    SetBorderStyle(bsDialog);
    Position = poScreenCenter;
    Buttons->OnClick = [this](TComponent* sender) { ButtonClick(sender); };
}

void TStandardDialogForm::ButtonClick(TComponent* sender)
{
    if (!dynamic_cast<TDlgButton*>(sender))
        ModalResult = mrOk;
}
