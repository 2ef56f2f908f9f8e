// The toolbars of the main window: built from the settings, the rows that overflow, the toolbars that
// are hidden, the zoom box typed into, and the command-set switch by tapping Ctrl twice.
#include "shell/ToolbarManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "classlib/windowing/ExtCtrls.h"
#include "classlib/windowing/Forms.h"
#include "classlib/windowing/ToolBar.h"
#include "core/Instance.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "core/OptionsHolder.h"
#include "document/Document.h"
#include "shell/DocDisp.h"
#include "shell/CommandManager.h"
#include "shell/MainForm.h"
#include "window/AdvComboBox.h"
#include "tests/core/message_robot.h"
#include "tests/shell/window_test_support.h"
#include "tests/shell/text_document.h"

namespace {

constexpr int32_t NoCommand = 17;

struct ToolbarManagerTest : testing::Test {
    void SetUp() override
    {
        SilentMessages = true;
        EditionString = "1.x Bright Ink";
        Toolbars = new TToolbarManager();
        Toolbars->Settings.SetDefaults();
        Form = new TMainForm(nullptr);
        Form->SetBounds(20, 20, 1000, 500);
        Form->Show();
        SetForegroundWindow(Form->Handle());
        SetFocus(Form->Handle());
        CommandManager().OnCommandUnavailable = [](int32_t) {};
        Toolbars->RebuildToolbars();
        Pump();
    }
    void TearDown() override
    {
        CommandManager().OnCommandUnavailable = nullptr;
        delete Form;
        delete Toolbars;
        EditionString.clear();
        SilentMessages = false;
    }
    static void Pump() { qptest::PumpMessages(); }
    static void Key(WORD key, bool up) { qptest::SendKey(key, up); }
    static void Tap(WORD key) { qptest::PressKey({}, key); }
    // The commands of a toolbar's controls, row after row (separators left out).
    std::vector<int32_t> ShownCommands(int toolbar) const
    {
        std::vector<int32_t> commands;
        for (TToolBar* row : Toolbars->Rows(toolbar))
            for (int i = 0; i < row->ControlCount(); ++i)
                if (row->Controls(i)->Tag != ToolbarSeparator)
                    commands.push_back(static_cast<int32_t>(row->Controls(i)->Tag));
        return commands;
    }
    static std::vector<int32_t> WithoutSeparators(std::vector<int32_t> list)
    {
        std::erase(list, ToolbarSeparator);
        return list;
    }
    int ClientTop() const
    {
        RECT r;
        GetWindowRect(Form->ClientHandle(), &r);
        POINT p = {r.left, r.top};
        ScreenToClient(Form->Handle(), &p);
        return p.y;
    }

    TToolbarManager* Toolbars = nullptr;
    TMainForm* Form = nullptr;
    // The commands act on selected text, so that they are enabled.
    TSelectedTextDocument Text;
};

} // namespace

TEST_F(ToolbarManagerTest, BuildsTheShownToolbarsFromTheSettings)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ShownCommands(i), WithoutSeparators(Toolbars->Settings.Toolbars[i].Commands)) << i;
    EXPECT_TRUE(Toolbars->Rows(3).empty()); // shown in print preview only
    EXPECT_TRUE(Toolbars->Rows(4).empty()); // headers and footers
    EXPECT_EQ(Toolbars->GetToolbarsHeight(), 3 * 26);
    EXPECT_EQ(ClientTop(), 3 * 26); // the document windows start below them

    // Buttons show their command's picture; the combo boxes hold their lists.
    auto* undo = dynamic_cast<TToolButton*>(Toolbars->ControlOfCommand(3840));
    ASSERT_NE(undo, nullptr);
    EXPECT_GE(undo->ImageIndex, 0);
    EXPECT_EQ(undo->ImageIndex, Toolbars->GetButtonImages().IndexOfCommand(3840));
    EXPECT_FALSE(undo->DropDownArrow);
    auto* open = dynamic_cast<TToolButton*>(Toolbars->ControlOfCommand(120));
    ASSERT_NE(open, nullptr);
    EXPECT_TRUE(open->DropDownArrow);
    const struct {
        int32_t Command;
        int Items;
        const char* First;
        const char* Last;
    } combos[] = {{206100, 13, "500%", "Deux pages"}, {212200, 18, "6", "72"}};
    for (const auto& c : combos) {
        auto* panel = dynamic_cast<TPanel*>(Toolbars->ControlOfCommand(c.Command));
        ASSERT_NE(panel, nullptr) << c.Command;
        auto* combo = dynamic_cast<TComboBox*>(panel->Controls(0));
        ASSERT_NE(combo, nullptr);
        ASSERT_EQ(combo->Count(), c.Items);
        EXPECT_EQ(combo->Items(0), c.First);
        EXPECT_EQ(combo->Items(c.Items - 1), c.Last);
    }
    // Every picture of the strip belongs to one command, in ascending order.
    const std::vector<int32_t>& images = Toolbars->GetButtonImages().ImageCommands;
    EXPECT_TRUE(std::is_sorted(images.begin(), images.end()));
    EXPECT_EQ(ImageList_GetImageCount(Toolbars->GetButtonImages().Small), static_cast<int>(images.size()));
    EXPECT_EQ(Toolbars->GetButtonImages().IndexOfCommand(4900),
              Toolbars->GetButtonImages().IndexOfCommand(5000));
}

TEST_F(ToolbarManagerTest, ControlsThatDoNotFitGoToTheOverflowWindow)
{
    Form->SetBounds(20, 20, 400, 500);
    Pump();
    const std::vector<int32_t> all = WithoutSeparators(Toolbars->Settings.Toolbars[0].Commands);
    const std::vector<TToolBar*>& rows = Toolbars->Rows(0);
    ASSERT_GT(rows.size(), 1u);
    TToolBar* first = rows.front();
    ASSERT_GE(first->ControlCount(), 3);
    // The command-set switch stays on the first row, followed by the more-commands button.
    TControl* last = first->Controls(first->ControlCount() - 1);
    TControl* beforeLast = first->Controls(first->ControlCount() - 2);
    EXPECT_EQ(last->Tag, MoreCommandsCommand);
    EXPECT_EQ(beforeLast->Tag, 6263);
    EXPECT_LE(last->Left() + last->Width(), Form->ClientWidth() - 12);
    // Every command shows once, on the first row or on the overflow window.
    std::vector<int32_t> shown = ShownCommands(0);
    std::erase(shown, MoreCommandsCommand);
    EXPECT_EQ(std::multiset<int32_t>(shown.begin(), shown.end()),
              std::multiset<int32_t>(all.begin(), all.end()));
    EXPECT_NE(rows[1]->Parent(), first->Parent());

    // The more-commands button opens the window under itself.
    static_cast<TToolButton*>(last)->Click();
    Pump();
    TControl* window = rows[1]->Parent();
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
    RECT button, popup;
    GetWindowRect(last->Handle(), &button);
    GetWindowRect(window->Handle(), &popup);
    EXPECT_EQ(popup.right, button.right);
    EXPECT_EQ(popup.top, button.bottom + 2);
    Toolbars->CloseOverflowWindows();
    EXPECT_FALSE(IsWindowVisible(window->Handle()));
    EXPECT_FALSE(static_cast<TToolButton*>(last)->Down());
}

TEST_F(ToolbarManagerTest, EmptyToolbarsAndFullScreenHideToolbars)
{
    Toolbars->Settings.Toolbars[1].Commands.clear();
    Toolbars->Settings.Toolbars[4].Visible = true;
    Toolbars->RebuildToolbars();
    EXPECT_TRUE(Toolbars->Rows(1).empty());
    EXPECT_FALSE(Toolbars->Rows(4).empty());
    Form->FullScreen = true;
    Toolbars->RebuildToolbars();
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(Toolbars->Rows(i).empty()) << i;
    EXPECT_FALSE(Toolbars->Rows(4).empty());
    Form->FullScreen = false;
}

TEST_F(ToolbarManagerTest, TypedZoomRunsTheZoomCommand)
{
    // The zoom acts on a document.
    qptest::TNewDocument session(Form);
    ASSERT_NE(session.Document, nullptr);
    Toolbars->UpdateAllToolbars();
    auto* panel = dynamic_cast<TPanel*>(Toolbars->ControlOfCommand(206100));
    ASSERT_NE(panel, nullptr);
    auto* combo = dynamic_cast<TComboBox*>(panel->Controls(0));
    const struct {
        const char* Typed;
        int32_t Command;
    } cases[] = {{"250", 206100}, {"501", NoCommand}, {"abc", NoCommand}};
    for (const auto& c : cases) {
        CommandManager().ExecuteCommand(NoCommand);
        combo->SetFocus();
        combo->SetText("");
        for (const char* p = c.Typed; *p; ++p)
            Tap(static_cast<WORD>(*p >= 'a' ? *p - 'a' + 'A' : *p));
        EXPECT_EQ(combo->Text(), c.Typed);
        Tap(VK_RETURN);
        EXPECT_EQ(CommandManager().GetLastCommand(), c.Command) << c.Typed;
    }
}

// The toolbars' lists open on the arrow keys with the list event, and only the size, font and style
// lists show the hint of the highlighted entry.
TEST_F(ToolbarManagerTest, ListsOpenOnTheArrowsAndTheSizeListShowsItsHint)
{
    for (int32_t command : {212200, 206100}) {
        auto* panel = dynamic_cast<TPanel*>(Toolbars->ControlOfCommand(command));
        ASSERT_NE(panel, nullptr) << command;
        auto* combo = dynamic_cast<TAdvComboBox*>(panel->Controls(0));
        ASSERT_NE(combo, nullptr) << command;
        qptest::TEventRecorder events;
        combo->SetFocus();
        Tap(VK_DOWN);
        EXPECT_TRUE(combo->DroppedDown()) << command;
        EXPECT_EQ(std::count(events.Events.begin(), events.Events.end(), 410), 1) << command;
        SendMessageA(combo->ListHandle(), LB_SETCURSEL, 2, 0);
        for (int i = 0; i < 20; ++i) {
            Pump();
            Sleep(10);
        }
        EXPECT_EQ(combo->Hint.Showing(), command == 212200) << command;
        if (command == 212200)
            EXPECT_EQ(combo->Hint.Text(), "8");
        Tap(VK_ESCAPE);
        SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
        Pump();
        EXPECT_FALSE(combo->Hint.Showing());
    }
}

TEST_F(ToolbarManagerTest, TappingCtrlTwiceSwitchesTheCommandSet)
{
    EXPECT_EQ(Toolbars->ControlOfCommand(7000), nullptr); // on the alternative set only
    Tap(VK_CONTROL);
    Tap(VK_CONTROL);
    EXPECT_TRUE(Toolbars->Alternative);
    EXPECT_NE(Toolbars->ControlOfCommand(7000), nullptr);
    EXPECT_EQ(ShownCommands(0), WithoutSeparators(Toolbars->Settings.Toolbars[0].AlternativeCommands));

    // Slowly: the second tap starts a new wait.
    Tap(VK_CONTROL);
    Sleep(GetDoubleClickTime() + 150);
    Tap(VK_CONTROL);
    EXPECT_TRUE(Toolbars->Alternative);
    // Another key between the taps cancels.
    Tap(VK_SHIFT);
    Tap(VK_CONTROL);
    Key(VK_CONTROL, false);
    Tap('C');
    Key(VK_CONTROL, true);
    Tap(VK_CONTROL);
    EXPECT_TRUE(Toolbars->Alternative);
    Tap(VK_SHIFT);
    Tap(VK_CONTROL);
    Tap(VK_CONTROL);
    EXPECT_FALSE(Toolbars->Alternative);
}

TEST_F(ToolbarManagerTest, ShortcutCommandsActivateToolbarControls)
{
    // A combo box gets the keyboard with its list open.
    ASSERT_TRUE(Toolbars->ActivateCommandControl(212100));
    auto* panel = dynamic_cast<TPanel*>(Toolbars->ControlOfCommand(212100));
    ASSERT_NE(panel, nullptr);
    HWND combo = panel->Controls(0)->Handle();
    EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_TRUE(IsChild(combo, GetFocus()) || GetFocus() == combo);
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    // A command of the other set switches the set first.
    EXPECT_TRUE(Toolbars->ActivateCommandControl(90040));
    EXPECT_TRUE(Toolbars->Alternative);
    EXPECT_NE(Toolbars->ControlOfCommand(90040), nullptr);
    EXPECT_FALSE(Toolbars->ActivateCommandControl(4711));
}
