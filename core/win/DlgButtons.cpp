// The standard row of dialog buttons.
#include "core/win/DlgButtons.h"

#include "classlib/windowing/Forms.h"

namespace {

const char* const Captions[] = {"OK", "Annuler", "Appliquer"};

} // namespace

TDlgButton::TDlgButton(TComponent* owner, uint8_t kind) : TButton(owner), Kind(kind)
{
    SetCaption(Captions[kind]);
    // OK and Apply accept the dialog, Cancel cancels it; the row's handler may keep the dialog open.
    ModalResult = kind == dbCancel ? mrCancel : mrOk;
    Cancel = kind == dbCancel;
    if (kind == dbOk)
        SetDefault(true);
}

TDlgButtons::TDlgButtons(TForm* form) : TComponent(form), FForm(form) {}

void TDlgButtons::RebuildButtons()
{
    for (TDlgButton* button : FButtons)
        delete button;
    FButtons.clear();
    std::vector<int> slots; // slot of the button of kind k
    for (char c : ButtonIndexes)
        if (c >= '0' && c <= '9' && slots.size() < 3)
            slots.push_back(c - '0');
    const int count = int(slots.size());
    for (int kind = 0; kind < count; ++kind) {
        auto* button = new TDlgButton(FForm, uint8_t(kind));
        button->SetParent(FForm);
        button->OnClick = [this](TComponent* sender) {
            LastKind = static_cast<TDlgButton*>(sender)->Kind;
            if (OnClick)
                OnClick(sender);
        };
        const int slot = slots[size_t(kind)];
        if (ButtonAlignment == 2) {
            const int left = FForm->ClientWidth() - (count - slot) * ButtonWidth -
                             (count - slot - 1) * Clearance - HorMargin;
            button->SetBounds(left, FForm->ClientHeight() - VerMargin - ButtonHeight, ButtonWidth,
                              ButtonHeight);
        } else {
            button->SetBounds(HorMargin + slot * (ButtonWidth + Clearance),
                              FForm->ClientHeight() - VerMargin - ButtonHeight, ButtonWidth, ButtonHeight);
        }
        FButtons.push_back(button);
    }
}

TDlgButton* TDlgButtons::ButtonOfKind(uint8_t kind) const
{
    return kind < FButtons.size() ? FButtons[kind] : nullptr;
}
