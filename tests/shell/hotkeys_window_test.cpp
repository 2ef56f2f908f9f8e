// Shortcuts typed on the keyboard of the main window: one- and two-stroke keys run their commands, the
// user's overrides replace the built-in keys, system-wide hot keys, and the shortcut texts.
#include "shell/HotKeys.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "classlib/windowing/Forms.h"
#include "core/Instance.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "core/OptionsHolder.h"
#include "core/Styles.h"
#include "document/Document.h"
#include "shell/DocDisp.h"
#include "window/DocForm.h"
#include "shell/CommandManager.h"
#include "shell/MainForm.h"
#include "tests/shell/window_test_support.h"
#include "tests/shell/text_document.h"

namespace {

// A number of no command range: no key runs it, and executing it records it as the last command and runs
// nothing.
constexpr int32_t NoCommand = 17;

struct HotKeysTest : testing::Test {
    void SetUp() override
    {
        SilentMessages = true;
        EditionString = "1.x Bright Ink";
        Form = new TMainForm(nullptr);
        Form->SetBounds(50, 50, 600, 400);
        Form->Show();
        SetForegroundWindow(Form->Handle());
        SetFocus(Form->Handle());
        CommandManager().OnCommandUnavailable = [this](int32_t command) { Unavailable.push_back(command); };
        HotKeyManager().RemoveAllOverrides();
        Pump();
    }
    void TearDown() override
    {
        HotKeyManager().RemoveAllOverrides();
        HotKeyManager().UnregisterHotKeys();
        CommandManager().OnCommandUnavailable = nullptr;
        delete Form;
        EditionString.clear();
        SilentMessages = false;
    }
    static void Pump() { qptest::PumpMessages(); }
    static void Press(std::initializer_list<WORD> shifts, WORD key) { qptest::PressKey(shifts, key); }
    // The command that the strokes handed to the command manager, or NoCommand when none.
    static int32_t Run(const std::function<void()>& strokes)
    {
        HotKeyManager().LastKeyCommand = NoCommand;
        strokes();
        return HotKeyManager().LastKeyCommand;
    }

    TMainForm* Form = nullptr;
    std::vector<int32_t> Unavailable;
    // The commands act on selected text, so that they are enabled.
    TSelectedTextDocument Text;
};

} // namespace

TEST_F(HotKeysTest, OneAndTwoStrokeShortcutsRunTheirCommands)
{
    const struct {
        const char* Keys;
        std::function<void()> Strokes;
        int32_t Command;
    } cases[] = {
        {"Ctrl+C", [] { Press({VK_CONTROL}, 'C'); }, 3340},
        {"Ctrl+Ins", [] { Press({VK_CONTROL}, VK_INSERT); }, 3340},
        {"Shift+Del", [] { Press({VK_SHIFT}, VK_DELETE); }, 3420},
        {"Ctrl+G", [] { Press({VK_CONTROL}, 'G'); }, 12120},
        {"Ctrl+Shift+F12",
         [] {
             Press({VK_CONTROL, VK_SHIFT}, VK_F12);
         },
         3680},
        {"Shift+Alt+D (a system key)",
         [] {
             Press({VK_SHIFT, VK_MENU}, 'D');
         },
         3540},
        {"Ctrl+K then Y", [] { Press({VK_CONTROL}, 'K'), Press({}, 'Y'); }, 3280},
        {"Ctrl+K then Del", [] { Press({VK_CONTROL}, 'K'), Press({}, VK_DELETE); }, 3320},
        {"Ctrl+Shift+K then U",
         [] {
             Press({VK_CONTROL, VK_SHIFT}, 'K'), Press({}, 'U');
         },
         3925},
        {"Shift+Alt+K then V",
         [] {
             Press({VK_SHIFT, VK_MENU}, 'K'), Press({}, 'V');
         },
         3511},
        // The second stroke's own shift keys do not count.
        {"Ctrl+K then Ctrl+T", [] { Press({VK_CONTROL}, 'K'), Press({VK_CONTROL}, 'T'); }, 3760},
        // Shift, Ctrl or Alt pressed alone leaves the prefix waiting.
        {"Ctrl+K, Shift, then Y", [] { Press({VK_CONTROL}, 'K'), Press({}, VK_SHIFT), Press({}, 'Y'); },
         3280},
        // An unbound second stroke runs nothing (the prefix itself is command 0), and the next stroke
        // starts afresh.
        {"Ctrl+K then Q", [] { Press({VK_CONTROL}, 'K'), Press({}, 'Q'); }, 0},
        {"Ctrl+K, Q, then Y", [] { Press({VK_CONTROL}, 'K'), Press({}, 'Q'), Press({}, 'Y'); }, 0},
        {"Ctrl+K, Q, then Ctrl+C", [] { Press({VK_CONTROL}, 'K'), Press({}, 'Q'), Press({VK_CONTROL}, 'C'); },
         3340},
        {"Ctrl+K, Ctrl+K, then Y", [] { Press({VK_CONTROL}, 'K'), Press({VK_CONTROL}, 'K'), Press({}, 'Y'); },
         0},
        {"Y alone", [] { Press({}, 'Y'); }, NoCommand},
    };
    for (const auto& c : cases) {
        Unavailable.clear();
        EXPECT_EQ(Run(c.Strokes), c.Command) << c.Keys;
        EXPECT_EQ(HotKeyManager().Pending(), 0u) << c.Keys;
    }
    // The command manager runs what the keys give it.
    CommandManager().ExecuteCommand(NoCommand);
    Press({VK_CONTROL}, 'N');
    EXPECT_EQ(CommandManager().GetLastCommand(), 100);
}

TEST_F(HotKeysTest, OverridesReplaceTheBuiltInKeys)
{
    THotKeyManager& keys = HotKeyManager();
    keys.SetHotKey(3340, MakeKeyCode(ssCtrl | ssShift, VK_F1));
    EXPECT_EQ(Run([] { Press({VK_CONTROL}, 'C'); }), NoCommand);
    EXPECT_EQ(Run([] { Press({VK_CONTROL}, VK_INSERT); }), NoCommand);
    EXPECT_EQ(Run([] { Press({VK_CONTROL, VK_SHIFT}, VK_F1); }), 3340);
    EXPECT_EQ(keys.HotKeyOfCommand(3340), MakeKeyCode(ssCtrl | ssShift, VK_F1));
    // A key taken from another command now runs the new one.
    keys.SetHotKey(600, MakeKeyCode(ssCtrl, 'G'));
    EXPECT_EQ(Run([] { Press({VK_CONTROL}, 'G'); }), 600);
    // No key at all.
    keys.SetHotKey(3420, 0);
    EXPECT_EQ(keys.HotKeyOfCommand(3420), 0u);
    EXPECT_EQ(Run([] { Press({VK_SHIFT}, VK_DELETE); }), NoCommand);
    EXPECT_EQ(keys.CaptionWithHotKey(3420, "Co&uper"), "Co&uper");
    keys.RemoveOverrides(3340);
    EXPECT_EQ(Run([] { Press({VK_CONTROL}, 'C'); }), 3340);
    EXPECT_EQ(keys.HotKeyOfCommand(3340), MakeKeyCode(ssCtrl, 'C'));

    // The settings keep the pairs as bytes; a block that ends inside a pair keeps its whole pairs.
    std::vector<uint8_t> block = keys.GetOverrides();
    ASSERT_EQ(block.size(), 16u);
    const std::vector<uint8_t> pairs = block;
    block.insert(block.end(), {0x0C, 0x0D, 0x00, 0x00, 0x04}); // three bytes short of a third pair
    keys.SetOverrides(block);
    EXPECT_EQ(keys.GetOverrides(), pairs);
    EXPECT_EQ(Run([] { Press({VK_CONTROL}, 'G'); }), 600);
    keys.SetOverrides(std::vector<uint8_t>(block.begin(), block.begin() + 7));
    EXPECT_TRUE(keys.GetOverrides().empty());
    EXPECT_EQ(Run([] { Press({VK_CONTROL}, 'G'); }), 12120);
}

TEST_F(HotKeysTest, EscapeLeavesFullScreen)
{
    Form->FullScreen = true;
    EXPECT_EQ(Run([] { Press({}, VK_ESCAPE); }), 7000);
    Form->FullScreen = false;
    EXPECT_EQ(Run([] { Press({}, VK_ESCAPE); }), NoCommand);
}

TEST_F(HotKeysTest, SystemWideHotKeysOfQuitAndRestore)
{
    THotKeyManager& keys = HotKeyManager();
    keys.RegisterHotKeys(Form->Handle());
    EXPECT_TRUE(keys.Registered().empty()); // neither has a shortcut of its own
    keys.SetHotKey(90140, MakeKeyCode(ssCtrl | ssAlt, 'K', 'R'));
    keys.RegisterHotKeys(Form->Handle());
    EXPECT_EQ(keys.Registered(), (std::vector<int32_t>{90140}));
    keys.UnregisterHotKeys();
    EXPECT_TRUE(keys.Registered().empty());
    // The system's message for a hot key runs the command of its id.
    CommandManager().ExecuteCommand(NoCommand);
    SendMessageA(Form->Handle(), WM_HOTKEY, 90140, 0);
    EXPECT_EQ(CommandManager().GetLastCommand(), 90140);
}

TEST(HotKeyTextTest, ShortcutsAsText)
{
    EXPECT_EQ(HotKeyManager().TableSize(), 152);
    const struct {
        uint32_t Key;
        const char* Text;
    } texts[] = {
        {MakeKeyCode(ssCtrl, 'K', 'Y'), "Ctrl+K, Y"},
        {MakeKeyCode(ssCtrl | ssShift, 'K', VK_DELETE), "Ctrl+Maj+K, Suppr"},
        {MakeKeyCode(ssShift | ssAlt, 'D'), "Maj+Alt+D"},
        {MakeKeyCode(0, VK_F12), "F12"},
        {MakeKeyCode(ssCtrl | ssShift | ssAlt, VK_RETURN), "Ctrl+Maj+Alt+Entrée"},
    };
    for (const auto& t : texts)
        EXPECT_EQ(HotKeyToText(t.Key), t.Text);
    EXPECT_EQ(HotKeyManager().CaptionWithHotKey(3340, "Co&pier"), "Co&pier\tCtrl+C");

    std::vector<uint32_t> free;
    HotKeyManager().FreeKeys(free);
    auto offered = [&](uint32_t key) { return std::find(free.begin(), free.end(), key) != free.end(); };
    EXPECT_FALSE(offered(MakeKeyCode(ssCtrl, 'C')));      // copy
    EXPECT_FALSE(offered(MakeKeyCode(ssCtrl, 'K', 'Y'))); // bound after the prefix
    EXPECT_FALSE(offered(MakeKeyCode(ssShift, 'A')));     // letters only with Ctrl or two shift keys
    EXPECT_TRUE(offered(MakeKeyCode(ssCtrl | ssShift, 'A')));
    EXPECT_TRUE(offered(MakeKeyCode(ssCtrl, 'K', 'B')));
    EXPECT_TRUE(offered(MakeKeyCode(ssShift | ssAlt, 'K', '7')));
    EXPECT_FALSE(offered(MakeKeyCode(ssShift | ssAlt, '7'))); // digits only with Ctrl
    EXPECT_TRUE(offered(MakeKeyCode(0, VK_F11)));
}

TEST_F(HotKeysTest, KeysTypedInADocumentWindow)
{
    qptest::TNewDocument session(Form);
    TDocument* document = session.Document;
    ASSERT_NE(document, nullptr);
    ASSERT_NE(document->Window, nullptr);
    document->Window->SetFocus();
    Pump();
    ASSERT_TRUE(document->Window->Focused());
    EXPECT_EQ(Run([] { Press({VK_CONTROL}, 'K'), Press({}, 'Y'); }), 3280);

    // A key bound to no command applies the style it is the shortcut of.
    TStyleList& styles = *document->StyleList;
    int32_t heading = -1;
    for (int32_t i = 0; i < styles.Count() && heading < 0; ++i)
        if (styles.StyleOf(i)->IsHeading())
            heading = i;
    ASSERT_GE(heading, 0);
    const uint32_t key = MakeKeyCode(ssCtrl | ssShift | ssAlt, 'H');
    ASSERT_EQ(HotKeyManager().CommandForKeyCode(key), -1);
    const_cast<TStyle*>(styles.StyleOf(heading))->ShortCut = static_cast<int32_t>(key);
    EXPECT_EQ(Run([] { Press({VK_CONTROL, VK_SHIFT, VK_MENU}, 'H'); }), NoCommand);
    TParaFormat format{};
    document->GetParFormatStateOfRange(document->Selection, format, false);
    EXPECT_EQ(format[pfStyle], heading);
    EXPECT_EQ(HotKeyToTextHook(static_cast<int32_t>(key)), "Ctrl+Maj+Alt+H");
}
