// The program's own dialog controls: the numeric edit box with a unit and range checking, its variant
// with an up-down button, and the manager that moves values between a dialog's controls and its data.
#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "classlib/windowing/Edit.h"

// A number with NrOfDigitsAfterSeparator decimals (the integer Value stands for Value / 10^n) and a unit
// shown after it; Empty shows nothing (a value that is mixed or not set).
class TValidationEdit : public TEdit {
public:
    explicit TValidationEdit(TComponent* owner);

    int32_t Value() const { return FValue; }
    // A value outside Min..Max is ignored while range checking is on; nothing happens when the text
    // already shows it; otherwise the value is stored and shown and OnValueChanged fires.
    void SetValue(int32_t value);
    bool Empty() const { return FEmpty; }
    // Clears the text (no value) or shows the value again; not counted as typing.
    void SetEmpty(bool empty);
    int32_t Min = 0;
    int32_t Max = 100;
    bool RangeChecking = true;
    int NrOfDigitsAfterSeparator() const { return FDigits; }
    void SetNrOfDigitsAfterSeparator(int digits);
    const std::string& TailString() const { return FTail; }
    void SetTailString(const std::string& tail);
    TNotifyEvent OnValueChanged;

    // The text parses as a number within Min..Max (or range checking is off).
    bool IsValid();
    // Stores the typed value when the text is valid and leaves the empty state.
    void StoreTypedValue();
    // Focuses the edit and says what is wrong with its number.
    void ReportInvalid();
    // The text of a value as the box shows it (the locale's decimal separator and the unit).
    std::string FormatValue(int32_t value) const;

protected:
    void WndProc(TMessage& message) override;
    virtual void ValueChanged();
    void ShowValue();

private:
    int32_t FValue = 0;
    bool FEmpty = false;
    int FDigits = 0;
    std::string FTail;
    bool FShowing = false; // the text is being set by the control itself
};

class TUpDownButton;

// The numeric edit with an up-down button beside it that follows its enabled and visible state: the
// arrows and Up and Down add or take Increment, Page Up and Page Down one whole unit; a step snaps the
// value to the step's multiples within Min..Max.
class TUpDownEdit : public TValidationEdit {
public:
    explicit TUpDownEdit(TComponent* owner);
    int32_t Increment = 1;
    void Step(int32_t step);
    void SetVisible(bool visible) override;
    void SetEnabledState(bool enabled);

protected:
    void CreateWnd() override;
    void KeyDown(WORD& key, uint32_t shift) override;
    void WndProc(TMessage& message) override;

private:
    TUpDownButton* FButton;
};

// Moves values between a dialog's controls and its data: a control being edited asks for the data to
// be taken from the controls and the other controls to be refreshed, never itself; a numeric edit
// that is empty or not valid keeps the data's old value.
class TDlgFormManager : public TComponent {
public:
    explicit TDlgFormManager(TComponent* owner) : TComponent(owner) {}
    void AddControl(TControl* control);
    void Include(TControl* control) { FSkipped.erase(control); }
    // Unless KeepSkipped, empties the skip set; unless NoInvalidEdits, skips every managed edit that is
    // visible, enabled, not empty and not valid.
    void CollectSkipped();
    void ControlChanged(TControl* control);
    bool IsIncluded(TControl* control) const { return FSkipped.count(control) == 0; }
    // Included and, for a numeric edit, not empty.
    bool IsDefined(TControl* control) const;
    // Reports the first managed numeric edit that is neither empty nor valid; true when there is none.
    bool ValidateControls();
    TControl* CurrentControl() const { return FCurrent; }

    bool Enabled = true;
    bool KeepSkipped = false;
    bool NoInvalidEdits = false;
    std::function<void(TDlgFormManager*, TControl*)> OnGetDataFromControls;
    std::function<void(TDlgFormManager*)> OnSetDataToControls;

private:
    std::vector<TControl*> FControls;
    std::set<TControl*> FSkipped;
    TControl* FCurrent = nullptr;
};
