// The program's dialog controls in a form: the numeric edit read as it is typed, the up-down steps, the
// form manager that never rewrites the control being edited, and the standard row of buttons.
#include <gtest/gtest.h>

#include <vector>

#include "core/Messages.h"
#include "window/DialogButtons.h"
#include "window/DialogControls.h"

namespace {

// Typing into an edit as the system does: the window's text changes and the edit hears of it.
void Type(TEdit& edit, const char* text)
{
    SetWindowTextA(edit.Handle(), text);
}

void Press(TControl& control, WORD key)
{
    control.Perform(CN_KEYDOWN, key, 0);
}

} // namespace

TEST(DialogControls, NumericEditReadsTypedTextsAndKeepsItsRange)
{
    TStandardDialogForm form(nullptr);
    auto* edit = new TValidationEdit(&form);
    edit->SetParent(&form);
    edit->Min = 0;
    edit->Max = 100;
    edit->SetNrOfDigitsAfterSeparator(1);
    edit->SetTailString(" cm");
    int changes = 0;
    edit->OnValueChanged = [&changes](TComponent*) { ++changes; };
    edit->SetValue(25);
    EXPECT_EQ(edit->Text(), "2,5 cm");
    EXPECT_EQ(changes, 1);
    // Out of range while range checking is on: nothing changes.
    edit->SetValue(101);
    EXPECT_EQ(edit->Value(), 25);
    EXPECT_EQ(edit->Text(), "2,5 cm");
    Type(*edit, "7,55");
    EXPECT_EQ(edit->Value(), 75) << "the decimals are cut, not rounded";
    EXPECT_TRUE(edit->IsValid());
    Type(*edit, "abc");
    EXPECT_EQ(edit->Value(), 75) << "an invalid text keeps the old value";
    EXPECT_FALSE(edit->IsValid());
    edit->SetEmpty(true);
    EXPECT_EQ(edit->Text(), "");
    EXPECT_TRUE(edit->Empty());
}

TEST(DialogControls, UpDownStepsSnapAndStayInTheRange)
{
    TStandardDialogForm form(nullptr);
    auto* edit = new TUpDownEdit(&form);
    edit->SetParent(&form);
    edit->Min = 0;
    edit->Max = 100;
    edit->Increment = 5;
    edit->SetValue(7);
    Press(*edit, VK_UP);
    EXPECT_EQ(edit->Value(), 10);
    edit->SetValue(7);
    Press(*edit, VK_DOWN);
    EXPECT_EQ(edit->Value(), 0);
    Press(*edit, VK_DOWN);
    EXPECT_EQ(edit->Value(), 0) << "kept at Min";
    Press(*edit, VK_PRIOR);
    EXPECT_EQ(edit->Value(), 1) << "Page Up adds one whole unit";
    edit->SetValue(98);
    Press(*edit, VK_UP);
    EXPECT_EQ(edit->Value(), 100) << "kept at Max";
}

TEST(DialogControls, FormManagerRefreshesTheOthersAndValidates)
{
    TStandardDialogForm form(nullptr);
    auto* width = new TValidationEdit(&form);
    auto* height = new TValidationEdit(&form);
    for (TValidationEdit* e : {width, height}) {
        e->SetParent(&form);
        e->Max = 1000;
    }
    TDlgFormManager manager(&form);
    manager.AddControl(width);
    manager.AddControl(height);
    // The data: a square; whichever side is edited, the other follows.
    int32_t side = 10;
    std::vector<TControl*> rewritten;
    manager.OnGetDataFromControls = [&](TDlgFormManager* m, TControl* c) {
        if (m->IsDefined(c))
            side = static_cast<TValidationEdit*>(c)->Value();
    };
    manager.OnSetDataToControls = [&](TDlgFormManager* m) {
        for (TValidationEdit* e : {width, height})
            if (m->IsIncluded(e)) {
                rewritten.push_back(e);
                e->SetValue(side);
            }
    };
    Type(*width, "40");
    manager.ControlChanged(width);
    EXPECT_EQ(side, 40);
    EXPECT_EQ(rewritten, (std::vector<TControl*>{height})) << "the edited control is never rewritten";
    EXPECT_EQ(height->Value(), 40);
    EXPECT_TRUE(manager.IsIncluded(width));
    EXPECT_TRUE(manager.ValidateControls());
    // An invalid field is reported (the warning is silent here) and OK is refused.
    SilentMessages = true;
    Type(*height, "5000");
    manager.CollectSkipped();
    EXPECT_FALSE(manager.IsIncluded(height));
    EXPECT_FALSE(manager.ValidateControls());
    SilentMessages = false;
}

TEST(DialogControls, ButtonRowAlongTheBottomRightEdge)
{
    TForm form(nullptr);
    form.SetClientSize(400, 300);
    TDlgButtons row(&form);
    row.ButtonIndexes = "102"; // Cancel first, then OK, then Apply
    row.RebuildButtons();
    TDlgButton* ok = row.Button(dbOK);
    TDlgButton* cancel = row.Button(dbCancel);
    TDlgButton* apply = row.Button(dbApply);
    ASSERT_TRUE(ok && cancel && apply);
    EXPECT_EQ(ok->Caption(), "OK");
    EXPECT_EQ(cancel->Caption(), "Annuler");
    EXPECT_EQ(apply->Caption(), "Appliquer");
    // Slot n of three: the client width less (3 - n) widths, (2 - n) clearances and the margin.
    EXPECT_EQ(cancel->Left(), 400 - 3 * 74 - 2 * 6 - 8);
    EXPECT_EQ(ok->Left(), 400 - 2 * 74 - 6 - 8);
    EXPECT_EQ(apply->Left(), 400 - 74 - 8);
    EXPECT_EQ(ok->Top(), 300 - 8 - 22);
    EXPECT_TRUE(ok->Default());
    EXPECT_TRUE(cancel->Cancel);
    EXPECT_EQ(row.LastClicked, 255);
    SendMessageA(apply->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(row.LastClicked, dbApply);
    EXPECT_EQ(form.ModalResult, mrOk);
}
