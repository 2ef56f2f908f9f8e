// The spelling menu of the document window in the program put together: a right click on a misspelt
// word opens it with the word's suggestions first, a suggestion replaces the word as one undoable edit,
// and the word can be ignored or added to the personal dictionary; a word whose language has no checker
// gets the menu for that case.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "document/Document.h"
#include "document/Paragraph.h"
#include "editing/OperationManager.h"
#include "editing/OperationParams.h"
#include "doc_window_fixture.h"
#include "key_input.h"
#include "tests/shell/command_fixture.h"
#include "tests/tools/french_system.h"
#include "tools/SpellCheck.h"
#include "tools/SpellCheckSystem.h"

namespace {

// What the menu on the screen held, and the keys sent to it once it was read.
std::vector<std::string> ShownCaptions;
std::vector<WORD> KeysForMenu;

// Reads the menu window the system shows (its items as drawn), then types the keys into it; without
// keys it closes the menu.
void CALLBACK ReadShownMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if (!menuWindow || !IsWindowVisible(menuWindow))
        return;
    KillTimer(nullptr, timer);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    ShownCaptions.clear();
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        char text[256] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoA(menu, UINT(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            ShownCaptions.push_back("-");
            continue;
        }
        GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
        ShownCaptions.push_back(text);
    }
    if (KeysForMenu.empty()) {
        EndMenu();
        return;
    }
    for (WORD key : KeysForMenu)
        PostMessageA(menuWindow, WM_KEYDOWN, key, 0);
}

class SpellingMenu : public CommandFixture {
protected:
    void SetUp() override
    {
        CommandFixture::SetUp();
        ASSERT_TRUE(LoadBuildSpellEngine());
        FreeSpellCheckManager();
        SavedSystems = SpellCheckSettings().Systems;
        SpellCheckSettings().Systems.Clear();
        SpellCheckSettings().Systems.Add(MakeFrenchSystem(qptest::ScratchDir()));
        CurrentOptions().SpellCheck.Flags |= scoCheckAsYouType | scoUnderlineMistakes;
        const std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}\\f0\\fs28 "
                                "\\pard\\lang1036 Il fait bonjuor ici.\\par "
                                "\\pard\\lang1031 Guten Tag.\\par }";
        Doc = Open(WriteFile("orthographe.rtf", rtf));
        ASSERT_TRUE(Doc && Doc->Window);
        Window = Doc->Window;
        SetForegroundWindow(Form->Handle());
        Window->SetFocus();
        Pump();
    }
    void TearDown() override
    {
        FreeSpellCheckManager();
        SpellCheckSettings().Systems = SavedSystems;
        CommandFixture::TearDown();
    }
    // A client point inside a character of the first paragraphs.
    TPoint PointAt(int32_t par, int32_t offset)
    {
        return qptest::PointInCharacter(*Doc, *Window, par, offset);
    }
    // A right click at a point; the menu that opens is read, then gets the keys (or is closed).
    std::vector<std::string> RightClick(TPoint p, std::vector<WORD> keys = {})
    {
        ShownCaptions.clear();
        KeysForMenu = std::move(keys);
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, ReadShownMenu);
        SendMessageA(Window->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.X, p.Y));
        SendMessageA(Window->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(p.X, p.Y));
        KillTimer(nullptr, timer);
        Pump();
        return ShownCaptions;
    }
    std::string Text(int32_t par) { return Doc->GetText(TextPosAt(par, 0), Doc->ParagraphLength(par) - 1); }

    TStringList SavedSystems;
    TDocument* Doc = nullptr;
    TDocumentForm* Window = nullptr;
};

} // namespace

TEST_F(SpellingMenu, ASuggestionChosenReplacesTheWordInOneUndoableStep)
{
    const std::vector<std::string> shown = RightClick(PointAt(0, 10), {VK_DOWN, VK_RETURN});
    ASSERT_GE(shown.size(), 3u);
    // The suggestions come first, then a line, then the menu of a misspelt word.
    const std::string first = shown[0];
    EXPECT_NE(std::find(shown.begin(), shown.end(), "bonjour"), shown.end());
    const auto line = std::find(shown.begin(), shown.end(), "-");
    ASSERT_NE(line, shown.end());
    EXPECT_EQ(*(line + 1), "Toujours ignorer");
    EXPECT_EQ(*(line + 2), "Ajouter au dictionnaire");
    // The first suggestion, chosen with the keys, took the word's place.
    EXPECT_EQ(Text(0), "Il fait " + first + " ici.");
    Doc->OperationManager->Undo();
    EXPECT_EQ(Text(0), "Il fait bonjuor ici.");
    // The word checked at the click is underlined as misspelt.
    RightClick(PointAt(0, 10));
    const TParagraph& paragraph = *Doc->Paragraphs[0];
    ASSERT_EQ(paragraph.Misspellings.size(), 1u);
    EXPECT_EQ(paragraph.Misspellings[0].Start, 8);
    EXPECT_EQ(paragraph.Misspellings[0].End, 15);
    EXPECT_EQ(paragraph.Misspellings[0].Kind, 0xFF);
}

TEST_F(SpellingMenu, AWordIgnoredOrAddedIsNoLongerFlagged)
{
    // Ignored for the session: the next right click opens the ordinary text menu.
    RightClick(PointAt(0, 10));
    CommandManager().ExecuteCommand(813);
    EXPECT_FALSE(SpellCheckManager()->CaretWord.Misspelled);
    std::vector<std::string> shown = RightClick(PointAt(0, 10));
    EXPECT_EQ(std::find(shown.begin(), shown.end(), "Toujours ignorer"), shown.end());
    EXPECT_FALSE(shown.empty());
    EXPECT_TRUE(Unavailable.empty());

    // Added to the dictionary: the personal dictionary holds it and it stays accepted after a restart.
    Doc->SetCaret(0, 0, 0, 4);
    TInsertTextParams params;
    params.Text = "Quillpadd ";
    ExecuteOperation(*Doc, params);
    shown = RightClick(PointAt(0, 3));
    ASSERT_NE(std::find(shown.begin(), shown.end(), "Ajouter au dictionnaire"), shown.end());
    CommandManager().ExecuteCommand(816);
    EXPECT_FALSE(SpellCheckManager()->CaretWord.Misspelled);
    TSpellCheckSystem* system = SpellCheckManager()->GetSystem(0x40C, true);
    ASSERT_TRUE(system);
    system->Restart();
    char buffer[512];
    EXPECT_EQ(system->Suggest("Quillpadd", 0x40C, buffer, sizeof buffer), skAccepted);
}

TEST_F(SpellingMenu, AWordWithoutCheckerGetsItsOwnMenu)
{
    EXPECT_EQ(RightClick(PointAt(1, 2)),
              (std::vector<std::string>{"&Langue du texte...", "-", "Pendant la frappe",
                                        "Souligner les erreurs", "Autres options..."}));
    // With spelling not checked as you type, the ordinary menu opens on a misspelt word.
    CurrentOptions().SpellCheck.Flags &= uint16_t(~scoCheckAsYouType);
    const std::vector<std::string> shown = RightClick(PointAt(0, 10));
    EXPECT_FALSE(shown.empty());
    EXPECT_EQ(std::find(shown.begin(), shown.end(), "Toujours ignorer"), shown.end());
}

TEST_F(SpellingMenu, TheContextKeyOnAFlaggedWordOpensTheSpellingMenu)
{
    ASSERT_TRUE(qptest::TakeFocus(Window));
    Doc->SetCaret(0, 11, 0, 5);
    ShownCaptions.clear();
    KeysForMenu.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, ReadShownMenu);
    qptest::PressKey(VK_APPS);
    KillTimer(nullptr, timer);
    Pump();
    EXPECT_NE(std::find(ShownCaptions.begin(), ShownCaptions.end(), "bonjour"), ShownCaptions.end());
    EXPECT_NE(std::find(ShownCaptions.begin(), ShownCaptions.end(), "Toujours ignorer"), ShownCaptions.end());
}

// For looking at the spelling menu as a person sees it (the menu closes by itself after 30 s):
//   bash scripts/screenshot.sh menu.png --wait 15 build/win-x86_64/tests/window_window_tests.exe
//     --gtest_also_run_disabled_tests --gtest_filter=SpellingMenu.DISABLED_Screenshot
TEST_F(SpellingMenu, DISABLED_Screenshot)
{
    const TPoint p = PointAt(0, 10);
    const UINT_PTR timer = SetTimer(nullptr, 0, 30000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
    SendMessageA(Window->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.X, p.Y));
    KillTimer(nullptr, timer);
}
