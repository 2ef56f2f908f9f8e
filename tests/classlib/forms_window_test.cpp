// Components, controls, forms and the message loop, driven by posted messages as a user would.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/windowing/Forms.h"
#include "classlib/windowing/StdCtrls.h"

namespace {

// A component that notes its name in a shared list when it is freed.
struct TNoted : TComponent {
    TNoted(TComponent* owner, std::string name, std::vector<std::string>& freed)
        : TComponent(owner), Freed(freed)
    {
        Name = std::move(name);
    }
    ~TNoted() override { Freed.push_back(Name); }
    std::vector<std::string>& Freed;
};

// A form with an OK (default) and a Cancel button.
struct TTwoButtonForm : TForm {
    TTwoButtonForm() : TForm(nullptr)
    {
        SetCaption("Essai");
        SetClientSize(200, 80);
        Ok = new TButton(this);
        Ok->SetParent(this);
        Ok->SetCaption("OK");
        Ok->SetBounds(20, 40, 75, 23);
        Ok->ModalResult = mrOk;
        Ok->SetDefault(true);
        CancelBtn = new TButton(this);
        CancelBtn->SetParent(this);
        CancelBtn->SetCaption("Annuler");
        CancelBtn->SetBounds(105, 40, 75, 23);
        CancelBtn->ModalResult = mrCancel;
        CancelBtn->Cancel = true;
        Check = new TCheckBox(this);
        Check->SetParent(this);
        Check->SetCaption("&Case");
        Check->SetBounds(20, 10, 120, 17);
    }
    TButton* Ok;
    TButton* CancelBtn;
    TCheckBox* Check;
};

// Runs Action on the next turn of whatever loop is running, and ends a modal loop that would otherwise
// never end (after 10 s) so that a broken test fails instead of hanging.
std::function<void()> PendingAction;
void CALLBACK RunPending(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    auto action = std::move(PendingAction);
    PendingAction = nullptr;
    if (action)
        action();
}
TForm* GuardedForm = nullptr;
void CALLBACK EndStuckModal(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (GuardedForm)
        GuardedForm->ModalResult = -1;
}

int RunModal(TForm& form, std::function<void()> action)
{
    PendingAction = std::move(action);
    SetTimer(nullptr, 0, 50, RunPending);
    GuardedForm = &form;
    UINT_PTR guard = SetTimer(nullptr, 0, 10000, EndStuckModal);
    int result = form.ShowModal();
    KillTimer(nullptr, guard);
    GuardedForm = nullptr;
    return result;
}

} // namespace

TEST(Component, FreesWhatItOwnsLastToFirst)
{
    std::vector<std::string> freed;
    auto* root = new TNoted(nullptr, "root", freed);
    new TNoted(root, "a", freed);
    auto* b = new TNoted(root, "b", freed);
    new TNoted(b, "b1", freed);
    new TNoted(root, "c", freed);
    auto* gone = new TNoted(root, "gone", freed);
    delete gone; // leaves its owner's list
    EXPECT_EQ(root->ComponentCount(), 3);
    EXPECT_EQ(root->FindComponent("B"), b);
    delete root;
    EXPECT_EQ(freed, (std::vector<std::string>{"gone", "root", "c", "b", "b1", "a"}));
}

TEST(Control, WindowIsMadeOnFirstNeedAndMadeAgainWithItsState)
{
    TTwoButtonForm form;
    EXPECT_FALSE(form.HandleAllocated());
    EXPECT_FALSE(form.Ok->HandleAllocated());
    HWND okWnd = form.Ok->Handle(); // makes the form and every child
    EXPECT_TRUE(form.HandleAllocated());
    EXPECT_TRUE(form.Check->HandleAllocated());
    EXPECT_EQ(GetParent(okWnd), form.Handle());
    EXPECT_EQ(TControl::FindControl(okWnd), form.Ok);

    form.Check->SetChecked(true);
    SetWindowTextA(form.Check->Handle(), "Modifiée");
    form.Ok->SetBounds(30, 45, 80, 25);
    form.RecreateWnd();
    EXPECT_NE(form.Ok->Handle(), okWnd);
    EXPECT_TRUE(form.Check->Checked());
    EXPECT_EQ(form.Check->Caption(), "Modifiée");
    EXPECT_EQ(form.Ok->Left(), 30);
    EXPECT_EQ(form.Ok->Width(), 80);
    EXPECT_EQ(form.ClientWidth(), 200);
}

TEST(Form, ModalResultComesFromTheButtonClicked)
{
    TTwoButtonForm form;
    int clicks = 0;
    form.Ok->OnClick = [&](TComponent* sender) {
        EXPECT_EQ(sender, form.Ok);
        ++clicks;
    };
    EXPECT_EQ(RunModal(form, [&] { PostMessageA(form.Ok->Handle(), BM_CLICK, 0, 0); }), mrOk);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    // Shown again, the same form answers Cancel.
    EXPECT_EQ(RunModal(form, [&] { PostMessageA(form.CancelBtn->Handle(), BM_CLICK, 0, 0); }), mrCancel);
}

TEST(Form, DialogKeysPressTheDefaultAndCancelButtons)
{
    TTwoButtonForm form;
    EXPECT_EQ(RunModal(form, [&] { PostMessageA(form.Check->Handle(), WM_KEYDOWN, VK_ESCAPE, 0); }),
              mrCancel);
    EXPECT_EQ(RunModal(form, [&] { PostMessageA(form.Check->Handle(), WM_KEYDOWN, VK_RETURN, 0); }), mrOk);
    // The accelerator of the check box ticks it; the close box cancels.
    EXPECT_EQ(RunModal(form,
                       [&] {
                           PostMessageA(form.Ok->Handle(), WM_SYSCHAR, 'c', 1 << 29);
                           PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
                       }),
              mrCancel);
    EXPECT_TRUE(form.Check->Checked());
}

TEST(Form, CloseQueryCanKeepAModalFormOpen)
{
    TTwoButtonForm form;
    int asked = 0;
    form.OnCloseQuery = [&](TComponent*, bool& canClose) { canClose = ++asked > 1; };
    int result = RunModal(form, [&] {
        PostMessageA(form.CancelBtn->Handle(), BM_CLICK, 0, 0);
        PostMessageA(form.Ok->Handle(), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(asked, 2);
}

TEST(Form, ReleaseFreesTheFormOnceQueuedMessagesAreHandled)
{
    bool freed = false;
    struct TFreed : TForm {
        explicit TFreed(bool& f) : TForm(nullptr), Flag(f) {}
        ~TFreed() override { Flag = true; }
        bool& Flag;
    };
    auto* form = new TFreed(freed);
    form->OnClose = [](TComponent*, TCloseAction& action) { action = caFree; };
    form->Show();
    form->Close();
    EXPECT_FALSE(freed);
    Application->ProcessMessages();
    EXPECT_TRUE(freed);
}

TEST(Control, ExceptionsInHandlersStopAtTheWindowProcedure)
{
    TTwoButtonForm form;
    std::string reported;
    Application->OnException = [&](TComponent* sender, const Exception& e) {
        EXPECT_EQ(sender, &form); // the click reached the button through its form's window procedure
        reported = e.Message;
    };
    form.Ok->OnClick = [](TComponent*) { throw Exception("Échec voulu"); };
    int result = RunModal(form, [&] { PostMessageA(form.Ok->Handle(), BM_CLICK, 0, 0); });
    Application->OnException = nullptr;
    EXPECT_EQ(reported, "Échec voulu");
    EXPECT_EQ(result, mrOk); // the modal result was set before the handler failed
}

TEST(Form, KeyPreviewLetsTheFormTakeKeysBeforeItsControl)
{
    TTwoButtonForm form;
    form.KeyPreview = true;
    std::vector<std::string> seen;
    form.OnKeyDown = [&](TComponent*, WORD& key, uint32_t) {
        seen.push_back("form");
        if (key == 'X')
            key = 0;
    };
    form.Check->OnKeyDown = [&](TComponent*, WORD&, uint32_t) { seen.push_back("check"); };
    form.Show();
    PostMessageA(form.Check->Handle(), WM_KEYDOWN, 'X', 0);
    PostMessageA(form.Check->Handle(), WM_KEYDOWN, 'Y', 0);
    Application->ProcessMessages();
    EXPECT_EQ(seen, (std::vector<std::string>{"form", "form", "check"}));
}

TEST(CustomControl, PaintsThroughItsCanvas)
{
    struct TSwatch : TCustomControl {
        using TCustomControl::TCustomControl;
        void Paint() override
        {
            Canvas().Brush().SetColor(RGB(255, 0, 0));
            Canvas().Pen().SetColor(RGB(0, 0, 255));
            Canvas().Rectangle(0, 0, Width(), Height());
        }
    };
    TForm form(nullptr);
    auto* swatch = new TSwatch(&form);
    swatch->SetParent(&form);
    swatch->SetBounds(10, 10, 40, 30);
    form.Show();
    form.Update();
    swatch->Update();
    HDC dc = GetDC(swatch->Handle());
    EXPECT_EQ(GetPixel(dc, 20, 15), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 0, 15), RGB(0, 0, 255));
    ReleaseDC(swatch->Handle(), dc);
}
