// The standard row of dialog buttons along the bottom edge of a form: OK, Cancel and Apply, in the
// order the row's digits give.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "classlib/windowing/Forms.h"
#include "classlib/windowing/StdCtrls.h"

// The kinds of the row's buttons.
enum TDlgButtonKind : uint8_t { dbOk = 0, dbCancel = 1, dbApply = 2, dbNone = 255 };

// A button of the row, knowing its kind.
class TDlgButton : public TButton {
public:
    TDlgButton(TComponent* owner, uint8_t kind);
    uint8_t Kind;
};

class TDlgButtons : public TComponent {
public:
    // The row belongs to its form, which parents its buttons.
    explicit TDlgButtons(TForm* form);

    // Frees the buttons and makes one per digit of ButtonIndexes (spaces ignored, at most three): the
    // digit at position k puts the button of kind k into slot (the digit's value), laid out from the
    // form's right edge when ButtonAlignment is 2.
    void RebuildButtons();
    // The button made for position K of ButtonIndexes (the Cancel button for position 1), or nullptr.
    TDlgButton* ButtonOfKind(uint8_t kind) const;
    int ButtonCount() const { return int(FButtons.size()); }

    std::string ButtonIndexes = "01";
    int ButtonAlignment = 2;
    int ButtonWidth = 74;
    int ButtonHeight = 22;
    int HorMargin = 8;
    int VerMargin = 8;
    int Clearance = 6;
    // The kind of the button clicked last (dbNone before any click).
    uint8_t LastKind = dbNone;
    // Every button's click, the button as the sender.
    TNotifyEvent OnClick;

private:
    TForm* FForm;
    std::vector<TDlgButton*> FButtons;
};
