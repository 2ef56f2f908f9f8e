// The program's base forms: common font, help button and help topic, the pop-up that frees itself,
// and running a dialog class.
#include <gtest/gtest.h>

#include "classlib/windowing/StdCtrls.h"
#include "window/BaseForms.h"

namespace {

int32_t HelpAsked = 0;
void RecordHelp(int32_t topic)
{
    HelpAsked = topic;
}

struct TOkDialog : TQuillpadForm {
    explicit TOkDialog(TComponent* owner) : TQuillpadForm(owner)
    {
        Ok = new TButton(this);
        Ok->SetParent(this);
        Ok->ModalResult = mrOk;
        Ok->SetDefault(true);
        OnShow = [this](TComponent*) { PostMessageA(Ok->Handle(), BM_CLICK, 0, 0); };
    }
    TButton* Ok;
};

} // namespace

TEST(QuillpadForm, EveryFormHasTheCommonFont)
{
    TQuillpadForm form(nullptr);
    EXPECT_EQ(form.Font().Name(), "MS Sans Serif");
    EXPECT_EQ(form.Font().Height(), -11);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    EXPECT_EQ(label->Font().Name(), "MS Sans Serif");
    LOGFONTA lf = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(label->Handle(), WM_GETFONT, 0, 0)), sizeof(lf), &lf);
    EXPECT_EQ(lf.lfHeight, -11);
}

// A form that notes the change of its keyboard-cue state that it asks of the system.
struct TCueForm : TQuillpadForm {
    using TQuillpadForm::TQuillpadForm;
    void WndProc(TMessage& message) override
    {
        if (message.Msg == WM_CHANGEUISTATE)
            Asked = message.WParam;
        TQuillpadForm::WndProc(message);
    }
    WPARAM Asked = 0;
};

TEST(QuillpadForm, KeyboardCuesStartHiddenWhenAsked)
{
    const int8_t saved = HideKeyboardCues;
    for (const int8_t hide : {int8_t(1), int8_t(0)}) {
        HideKeyboardCues = hide;
        TCueForm form(nullptr);
        form.Handle();
        EXPECT_EQ(form.Asked, hide ? MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL) : 0u)
            << int(hide);
    }
    HideKeyboardCues = saved;
}

TEST(QuillpadForm, HelpTopicAddsTheHelpButtonAndOpensTheTopic)
{
    TQuillpadForm form(nullptr);
    form.SetBorderStyle(bsDialog);
    form.SetHelpTopic(0);
    EXPECT_FALSE(GetWindowLongPtrA(form.Handle(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    form.SetHelpTopic(4200);
    EXPECT_TRUE(GetWindowLongPtrA(form.Handle(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP);

    ShowHelpTopic = RecordHelp;
    HelpAsked = 0;
    form.Show();
    SendMessageA(form.Handle(), WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
    ShowHelpTopic = nullptr;
    EXPECT_EQ(HelpAsked, 4200);
    EXPECT_EQ(GetCapture(), nullptr) << "no system help mode";
}

TEST(PopupStayOnTopForm, FreesItselfWhenDeactivated)
{
    static bool freed;
    freed = false;
    struct TPopup : TPopupStayOnTopForm {
        TPopup() : TPopupStayOnTopForm(nullptr) {}
        ~TPopup() override { freed = true; }
    };
    TForm other(nullptr);
    auto* popup = new TPopup;
    popup->Show();
    EXPECT_TRUE(GetWindowLongPtrA(popup->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    Application->ProcessMessages();
    EXPECT_FALSE(freed);
    other.Show(); // takes the activation
    // Other test programs share the screen and may hold the foreground: ask again until it comes.
    for (int attempt = 0; attempt < 100 && !freed; ++attempt) {
        SetForegroundWindow(other.Handle());
        SetActiveWindow(other.Handle());
        Application->ProcessMessages();
        if (!freed)
            Sleep(20);
    }
    EXPECT_TRUE(freed);
}

TEST(ExecuteDialogClass, TrueWhenTheDialogEndsWithOk)
{
    EXPECT_TRUE(ExecuteDialogClass<TOkDialog>());
}
