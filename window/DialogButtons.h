// The standard row of dialog buttons (OK, Cancel, Apply) along a form's bottom edge, and the standard
// dialog form built on it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "classlib/windowing/StdCtrls.h"
#include "window/BaseForms.h"

// Button kinds of a row.
enum TDlgButtonKind : uint8_t { dbOK = 0, dbCancel = 1, dbApply = 2 };

class TDlgButton : public TButton {
public:
    TDlgButton(TComponent* owner, uint8_t kind) : TButton(owner), Kind(kind) {}
    const uint8_t Kind;
};

class TDlgButtons : public TComponent {
public:
    // A row on the owning form; RebuildButtons makes its buttons.
    explicit TDlgButtons(TForm* form);
    // Frees the buttons and makes one per digit of ButtonIndexes: the digit n at position k puts the
    // button of kind k into slot n, slots laid out from the left by ButtonAlignment.
    void RebuildButtons();
    TDlgButton* Button(uint8_t kind) const;
    // Where the buttons stand: 0 left, 1 centre, 2 right (the other alignments leave them in place).
    int ButtonAlignment = 2;
    int ButtonWidth = 74;
    int ButtonHeight = 22;
    int HorMargin = 8;
    int VerMargin = 8;
    int Clearance = 6;
    std::string ButtonIndexes = "01";
    TNotifyEvent OnClick;
    // The kind of the button clicked last; 255 before any click.
    uint8_t LastClicked = 255;

private:
    TForm* Form;
    std::vector<TDlgButton*> Buttons;
};

// A dialog form with the OK and Cancel row; the Cancel button's caption can be changed.
class TStandardDialogForm : public TQuillpadForm {
public:
    explicit TStandardDialogForm(TComponent* owner);
    // Lays the buttons out again for the form's client size.
    void PlaceButtons() { Buttons->RebuildButtons(); }
    TDlgButton* OKButton() const { return Buttons->Button(dbOK); }
    TDlgButton* CancelButton() const { return Buttons->Button(dbCancel); }

protected:
    // A click of the row (bound at creation): the button's own result stands, OK for anything but a
    // row button; dialogs validate here and set the modal result back to 0 to stay open.
    virtual void ButtonClick(TComponent* sender);

    TDlgButtons* Buttons;
};
