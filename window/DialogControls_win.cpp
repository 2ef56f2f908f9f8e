// The numeric edit boxes and the dialog form manager.
#include "window/DialogControls.h"

#include <commctrl.h>

#include "core/DecimalText.h"
#include "core/Messages.h"

namespace {

char DecimalSeparator()
{
    char text[4] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text) > 0 && text[0])
        return text[0];
    return ',';
}

} // namespace

TValidationEdit::TValidationEdit(TComponent* owner) : TEdit(owner) {}

std::string TValidationEdit::FormatValue(int32_t value) const
{
    return FormatFixedValue(value, FDigits, DecimalSeparator(), FTail);
}

void TValidationEdit::ShowValue()
{
    FShowing = true;
    SetText(FEmpty ? std::string() : FormatValue(FValue));
    FShowing = false;
}

void TValidationEdit::SetValue(int32_t value)
{
    if (RangeChecking && (value < Min || value > Max))
        return;
    if (!FEmpty && IsValid() && Text() == FormatValue(value) && value == FValue)
        return;
    FValue = value;
    FEmpty = false;
    ShowValue();
    ValueChanged();
}

void TValidationEdit::SetEmpty(bool empty)
{
    FEmpty = empty;
    ShowValue();
}

void TValidationEdit::SetNrOfDigitsAfterSeparator(int digits)
{
    FDigits = digits < 0 ? 0 : digits;
    ShowValue();
}

void TValidationEdit::SetTailString(const std::string& tail)
{
    FTail = tail;
    ShowValue();
}

bool TValidationEdit::IsValid()
{
    const std::optional<int32_t> v = ParseFixedValue(Text(), FDigits, DecimalSeparator(), FTail);
    return v && (!RangeChecking || (*v >= Min && *v <= Max));
}

void TValidationEdit::StoreTypedValue()
{
    if (!IsValid())
        return;
    FEmpty = false;
    FValue = *ParseFixedValue(Text(), FDigits, DecimalSeparator(), FTail);
}

void TValidationEdit::ReportInvalid()
{
    SetFocus();
    if (!ParseFixedValue(Text(), FDigits, DecimalSeparator(), FTail))
        ShowWarning("Le nombre spécifié n'est pas valide.");
    else if (RangeChecking)
        ShowWarning("Le nombre doit être compris entre " +
                    FormatFixedValue(Min, FDigits, DecimalSeparator()) + " et " +
                    FormatFixedValue(Max, FDigits, DecimalSeparator()) + ".");
}

void TValidationEdit::ValueChanged()
{
    if (OnValueChanged)
        OnValueChanged(this);
}

void TValidationEdit::WndProc(TMessage& message)
{
    // Typing: a valid text is the value at once; an invalid one leaves the old value.
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == EN_CHANGE && !FShowing) {
        FEmpty = false;
        StoreTypedValue();
        ValueChanged();
        return;
    }
    TEdit::WndProc(message);
}

// The up-down button of an up-down edit, over the system's own.
class TUpDownButton : public TControl {
public:
    TUpDownButton(TComponent* owner, TUpDownEdit* edit) : TControl(owner), Edit(edit) {}

protected:
    void CreateParams(TCreateParams& params) override
    {
        TControl::CreateParams(params);
        params.ClassName = "QuillpadUpDown";
        params.SystemClass = UPDOWN_CLASSA;
    }
    void CreateWnd() override
    {
        TControl::CreateWnd();
        SendMessageA(Handle(), UDM_SETRANGE32, 0, 2);
        SendMessageA(Handle(), UDM_SETPOS32, 0, 1);
    }
    void WndProc(TMessage& message) override
    {
        if (message.Msg == CN_NOTIFY) {
            auto* header = reinterpret_cast<NMHDR*>(message.LParam);
            if (header->code == UDN_DELTAPOS) {
                const int delta = reinterpret_cast<NMUPDOWN*>(message.LParam)->iDelta;
                Edit->Step(delta > 0 ? Edit->Increment : -Edit->Increment);
                message.Result = 1; // the button keeps its own position
                return;
            }
        }
        TControl::WndProc(message);
    }

private:
    TUpDownEdit* Edit;
};

TUpDownEdit::TUpDownEdit(TComponent* owner) : TValidationEdit(owner), FButton(new TUpDownButton(owner, this))
{}

void TUpDownEdit::CreateWnd()
{
    TValidationEdit::CreateWnd();
    FButton->SetParent(Parent());
    FButton->SetBounds(Left() + Width(), Top(), 17, Height());
    FButton->SetVisible(Visible());
    FButton->SetEnabled(Enabled());
}

void TUpDownEdit::SetVisible(bool visible)
{
    TValidationEdit::SetVisible(visible);
    FButton->SetVisible(visible);
}

void TUpDownEdit::SetEnabledState(bool enabled)
{
    SetEnabled(enabled);
    FButton->SetEnabled(enabled);
}

void TUpDownEdit::Step(int32_t step)
{
    StoreTypedValue();
    const bool plus = Text().rfind('+', 0) == 0;
    SetValue(StepFixedValue(Value(), step, Min, Max));
    if (plus && Text().rfind('+', 0) != 0) {
        const std::string text = "+" + Text();
        SetText(text);
    }
}

void TUpDownEdit::KeyDown(WORD& key, uint32_t shift)
{
    int32_t unit = 1;
    for (int i = 0; i < NrOfDigitsAfterSeparator(); ++i)
        unit *= 10;
    switch (key) {
    case VK_UP: Step(Increment); break;
    case VK_DOWN: Step(-Increment); break;
    case VK_PRIOR: Step(unit); break;
    case VK_NEXT: Step(-unit); break;
    default: TValidationEdit::KeyDown(key, shift); return;
    }
    key = 0;
}

void TUpDownEdit::WndProc(TMessage& message)
{
    if (message.Msg == WM_ENABLE)
        FButton->SetEnabled(message.WParam != 0);
    TValidationEdit::WndProc(message);
}

void TDlgFormManager::AddControl(TControl* control)
{
    FControls.push_back(control);
}

void TDlgFormManager::CollectSkipped()
{
    if (!KeepSkipped)
        FSkipped.clear();
    if (NoInvalidEdits)
        return;
    for (TControl* control : FControls)
        if (auto* edit = dynamic_cast<TValidationEdit*>(control))
            if (edit->Visible() && edit->Enabled() && !edit->Empty() && !edit->IsValid())
                FSkipped.insert(edit);
}

void TDlgFormManager::ControlChanged(TControl* control)
{
    if (!Enabled)
        return;
    FCurrent = control;
    if (OnGetDataFromControls)
        OnGetDataFromControls(this, control);
    FSkipped.insert(control);
    if (OnSetDataToControls)
        OnSetDataToControls(this);
    FSkipped.erase(control);
    FCurrent = nullptr;
}

bool TDlgFormManager::IsDefined(TControl* control) const
{
    if (!IsIncluded(control))
        return false;
    auto* edit = dynamic_cast<TValidationEdit*>(control);
    return !edit || !edit->Empty();
}

bool TDlgFormManager::ValidateControls()
{
    for (TControl* control : FControls) {
        auto* edit = dynamic_cast<TValidationEdit*>(control);
        if (edit && !edit->Empty() && !edit->IsValid()) {
            edit->ReportInvalid();
            return false;
        }
    }
    return true;
}
