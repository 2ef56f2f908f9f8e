// The command form and the standard dialog: clipboard messages become commands, and a dialog closes
// through its button row's Cancel button, staying open when its handler says so.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "window/BaseForms.h"
#include "window/DialogButtons.h"

namespace {

std::vector<int32_t> Commands;
void RecordCommand(int32_t command)
{
    Commands.push_back(command);
}

constexpr UINT WM_STEP = WM_APP + 1;

// A dialog driven by posted messages once it shows: each step runs in turn, the dialog's own handler
// may keep it open, and a dialog still open after the steps is closed with OK so nothing waits.
class TDrivenDialog : public TStandardDialogForm {
public:
    explicit TDrivenDialog(const char* digits = "01") : TStandardDialogForm(nullptr)
    {
        SetClientSize(300, 120);
        Buttons->ButtonIndexes = digits;
        Buttons->RebuildButtons();
        OnShow = [this](TComponent*) { PostMessageA(Handle(), WM_STEP, 0, 0); };
    }
    int Run(std::vector<std::function<void(TDrivenDialog&)>> steps)
    {
        Steps = std::move(steps);
        return ShowModal();
    }
    std::vector<std::function<void(TDrivenDialog&)>> Steps;
    size_t Next = 0;
    std::vector<uint8_t> Clicked; // the kinds of the clicks the handler saw
    bool KeepOpenOnCancel = false;
    bool KeepOpenOnOk = false;

protected:
    void ButtonClick(TComponent* sender) override
    {
        TStandardDialogForm::ButtonClick(sender);
        const uint8_t kind = static_cast<TDlgButton*>(sender)->Kind;
        Clicked.push_back(kind);
        if ((kind == dbCancel && KeepOpenOnCancel) || (kind == dbOK && KeepOpenOnOk))
            ModalResult = mrNone;
    }
    void WndProc(TMessage& message) override
    {
        if (message.Msg == WM_STEP) {
            if (Next < Steps.size()) {
                Steps[Next++](*this);
                PostMessageA(Handle(), WM_STEP, 0, 0);
            } else {
                KeepOpenOnOk = KeepOpenOnCancel = false;
                ModalResult = mrAbort;
            }
            return;
        }
        TStandardDialogForm::WndProc(message);
    }
};

void PressEscape(TDrivenDialog& d)
{
    SendMessageA(d.Handle(), WM_COMMAND, IDCANCEL, 0);
}
void CloseBox(TDrivenDialog& d)
{
    SendMessageA(d.Handle(), WM_CLOSE, 0, 0);
}
void ClickOk(TDrivenDialog& d)
{
    d.OKButton()->Click();
}

} // namespace

TEST(CommandForm, ClipboardMessagesRunTheClipboardCommands)
{
    TQuillpadCommandForm form(nullptr);
    ExecuteCommandHook = RecordCommand;
    Commands.clear();
    for (UINT message : {WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR})
        EXPECT_EQ(SendMessageA(form.Handle(), message, 0, 0), 1);
    SendMessageA(form.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"));
    ExecuteCommandHook = nullptr;
    EXPECT_EQ(Commands, (std::vector<int32_t>{3420, 3340, 3360, 3200}));
}

TEST(StandardDialog, ClosingGoesThroughTheCancelButton)
{
    struct Case {
        const char* Name;
        const char* Digits;
        bool KeepOpenOnCancel, KeepOpenOnOk;
        std::vector<std::function<void(TDrivenDialog&)>> Steps;
        int Result;
        std::vector<uint8_t> Clicked;
    } cases[] = {
        {"Esc clicks Annuler", "01", false, false, {PressEscape}, mrCancel, {dbCancel}},
        {"the close box clicks Annuler", "01", false, false, {CloseBox}, mrCancel, {dbCancel}},
        {"a handler that refuses Cancel keeps the dialog open on Esc",
         "01",
         true,
         false,
         {PressEscape},
         mrAbort,
         {dbCancel}},
        {"and on the close box", "01", true, false, {CloseBox}, mrAbort, {dbCancel}},
        {"a handler that refuses OK keeps the dialog open", "01", false, true, {ClickOk}, mrAbort, {dbOK}},
        {"OK accepts", "01", false, false, {ClickOk}, mrOk, {dbOK}},
        {"a single button: Esc closes at once, nothing clicked",
         "0",
         false,
         false,
         {PressEscape},
         mrCancel,
         {}},
    };
    for (Case& c : cases) {
        TDrivenDialog dialog(c.Digits);
        dialog.KeepOpenOnCancel = c.KeepOpenOnCancel;
        dialog.KeepOpenOnOk = c.KeepOpenOnOk;
        EXPECT_EQ(dialog.Run(c.Steps), c.Result) << c.Name;
        EXPECT_EQ(dialog.Clicked, c.Clicked) << c.Name;
    }
}
