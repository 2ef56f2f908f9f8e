// The command manager: the texts of the commands from the program's tables, the categories, the
// commands of every menu, what running a command records, and the menus it keeps.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "classlib/runtime/StringList.h"
#include "classlib/windowing/Menus.h"
#include "core/MenuResource.h"
#include "core/Version.h"
#include "shell/CommandNames.h"
#include "tests/shell/command_fixture.h"

namespace {

BOOL CALLBACK AddResourceName(HMODULE, LPCSTR, LPSTR name, LONG_PTR list)
{
    reinterpret_cast<std::vector<std::string>*>(list)->push_back(name);
    return TRUE;
}

std::vector<std::string> MenuResourceNames()
{
    std::vector<std::string> names;
    EnumResourceNamesA(nullptr, "_MENU", AddResourceName, reinterpret_cast<LONG_PTR>(&names));
    return names;
}

std::vector<TMenuResourceItem> MenuResource(const std::string& name)
{
    HRSRC found = FindResourceA(nullptr, name.c_str(), "_MENU");
    const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, found)));
    std::vector<TMenuResourceItem> items;
    ParseMenuResource(items, data, SizeofResource(nullptr, found));
    return items;
}

void CollectCommands(const std::vector<TMenuResourceItem>& items, const std::string& menu,
                     std::vector<std::pair<std::string, uint32_t>>& out)
{
    for (const TMenuResourceItem& item : items) {
        if (item.Command != 0)
            out.emplace_back(menu + ": " + item.Caption, item.Command);
        CollectCommands(item.Items, menu, out);
    }
}

} // namespace

TEST(CommandTexts, CaptionsAndHintsComeFromTheTables)
{
    TCommandManager& m = CommandManager();
    EXPECT_EQ(m.GetCommandCaption(3900, true), "&Tout &rétablir");
    EXPECT_EQ(m.GetCommandCaption(3900, false), "Tout rétablir");
    EXPECT_EQ(m.GetCommandCaption(643, false), "Formats & modèles...");
    EXPECT_EQ(m.GetCommandCaption(9250, false), "Diminuer l'espacement avant paragraphe");
    // A command without a menu caption is named by its hint.
    EXPECT_EQ(m.GetCommandCaption(206100, false), "Zoom");
    EXPECT_EQ(m.GetCommandHint(140), "Fermer le document actif");
    EXPECT_EQ(m.GetCommandHint(6263, false, true),
              "Changer de jeu de commandes (touche CTRL 2 fois) (Catégorie : Fichier)");
    EXPECT_EQ(m.GetCommandHint(90300, false, true),
              "(liste des fenêtres de document) (Catégorie : Commandes de menu spéciales)");
    EXPECT_EQ(m.GetCommandHint(2000000000, false, true), "Autres boutons");
    EXPECT_EQ(m.GetCommandHint(17), "Commande inconnue");
    EXPECT_EQ(m.GetCommandHint(17, true, true, true), "");
    EXPECT_EQ(m.GetCommandCaption(17, false), "");
}

TEST(CommandTexts, EveryCategoryCommandAndNamedCommandHasAHint)
{
    TCommandManager& m = CommandManager();
    EXPECT_EQ(CommandCategory(4).Commands.size(), 83u); // the "Format" list is full
    for (int i = 0; i < CommandCategoryCount; ++i) {
        const TCommandCategory& category = CommandCategory(i);
        EXPECT_LE(category.Commands.size(), size_t(CommandCategoryCapacity));
        EXPECT_EQ(i == 7, category.Commands.back() != 6263) << category.Name; // 6263 closes lists 0 - 6
        for (int32_t command : category.Commands)
            EXPECT_NE(m.GetCommandHint(command, false, false, true), "") << category.Name << " " << command;
    }
    std::set<int32_t> numbers;
    for (size_t i = 0; i < std::size(CommandNames); ++i) {
        if (i > 0)
            EXPECT_LT(std::strcmp(CommandNames[i - 1].Name, CommandNames[i].Name), 0) << CommandNames[i].Name;
        EXPECT_TRUE(numbers.insert(CommandNames[i].Command).second) << CommandNames[i].Name;
        EXPECT_NE(m.GetCommandCaption(CommandNames[i].Command, false), "") << CommandNames[i].Name;
    }
    for (const TNewCommand& c : NewCommandTable())
        EXPECT_NE(m.GetCommandHint(c.Command, false, false, true), "") << c.Command;
}

TEST(CommandTexts, EveryMenuItemRunsACommandWithACaptionAndAHint)
{
    const std::vector<std::string> names = MenuResourceNames();
    // Every menu of the program.
    for (const char* expected :
         {"BKMRKTABS",       "CASE",      "CLIPBRD", "CLIPLIB", "DOC",      "DOCBAR",          "DOCBAR2",
          "EMAIL",           "FAVORITES", "FIELD",   "FIND",    "FMTPAL",   "HLINK",           "HSCRLBAR",
          "INSFILE",         "INSPIC",    "LNGHIST", "MAIN",    "MSPLTWRD", "MSPLTWRD_NOSUGG", "NEW",
          "NOSPELLCHECKER",  "OBJ",       "OPEN",    "REPLACE", "RULER",    "SAVEDOCAS",       "STATBAR",
          "STATBAR_SPLCHCK", "SYMBOL",    "SYSTRAY", "TLBAR",   "TOC",      "TXTFMT",          "VERRULER",
          "VSCRLBAR"})
        EXPECT_NE(std::find(names.begin(), names.end(), expected), names.end()) << expected;
    TCommandManager& m = CommandManager();
    size_t checked = 0;
    for (const std::string& name : names) {
        std::vector<std::pair<std::string, uint32_t>> commands;
        CollectCommands(MenuResource(name), name, commands);
        for (const auto& [item, command] : commands) {
            // The labels of items that menus show or hide run no command.
            const bool label = command >= 150220 && command <= 150320;
            if (command == MenuPlaceholder || IsMenuListPlace(int32_t(command)) || label)
                continue;
            EXPECT_NE(m.GetCommandHint(int32_t(command), false, false, true), "") << item;
            EXPECT_NE(m.GetCommandCaption(int32_t(command), false), "") << item;
            ++checked;
        }
    }
    EXPECT_GT(checked, 100u);
}

TEST(CommandTexts, ListsTheCommandsOfTheChosenCategoriesOnce)
{
    TStringList list;
    CommandManager().ListCommands(list, 0x01); // "Fichier"
    ASSERT_EQ(list.Count(), 36);
    EXPECT_EQ(list.Objects(0), 100);
    EXPECT_EQ(list[0], "Créer un nouveau document selon le modèle par défaut (Ctrl+N)"); // with its shortcut
    CommandManager().ListCommands(list, 0x03); // "Edition" adds its own, 6263 is already there
    EXPECT_EQ(list.Count(), 36 + 55);
    EXPECT_EQ(list.IndexOfObject(6263), 35);
}

TEST(CommandTexts, AnnouncesTheCommandsNewerThanThePreviousRun)
{
    const std::string saved = VersionString;
    VersionString = "1.5.1.7";
    EXPECT_EQ(CommandsNewerThan(10501001), (std::vector<int32_t>{5250, 6450, 635}));
    EXPECT_EQ(CommandsNewerThan(10501007), std::vector<int32_t>{});
    EXPECT_EQ(CommandsNewerThan(10501006).size(), 1u);
    std::vector<int32_t> shown;
    CommandManager().OnNewCommands = [&shown](const std::vector<int32_t>& commands) { shown = commands; };
    const int32_t last = CurrentOptions().Internal.LastRunVer;
    CurrentOptions().Internal.LastRunVer = 10102020;
    CommandManager().AnnounceNewCommands();
    EXPECT_EQ(shown.size(), 22u); // from (15700, 10102021) on
    EXPECT_EQ(shown.front(), 5250);
    EXPECT_EQ(shown.back(), 15700);
    CurrentOptions().Internal.LastRunVer = last;
    CommandManager().OnNewCommands = nullptr;
    VersionString = saved;
}

TEST(CommandTexts, UnderlineKinds)
{
    const std::pair<int32_t, int> kinds[] = {{12160, 1}, {12161, 2},  {12162, 3},  {12163, 4},  {12164, 7},
                                             {12165, 9}, {12166, 11}, {12167, 39}, {12168, 43}, {3000, 43}};
    for (auto [command, kind] : kinds)
        EXPECT_EQ(TCommandManager::UnderlineKindOfCommand(command), kind) << command;
}

using CommandRun = CommandFixture;

TEST_F(CommandRun, ADisabledCommandDoesNothingAndAnyOtherIsRecorded)
{
    TCommandManager& m = CommandManager();
    TDocument* doc = Dispatcher->NewDocument();
    ASSERT_TRUE(doc);
    m.ExecuteCommand(3720); // the overwrite switch
    EXPECT_EQ(m.GetLastCommand(), 3720);
    EXPECT_EQ(Form->OverwriteMode, 1);
    m.ExecuteCommand(3420); // cut with nothing selected: disabled
    EXPECT_EQ(m.GetLastCommand(), 3720);
    EXPECT_TRUE(Unavailable.empty());
    m.ExecuteCommand(95); // no range: nothing runs, yet it is the last command
    EXPECT_EQ(m.GetLastCommand(), 95);
    EXPECT_TRUE(Unavailable.empty());
    EXPECT_FALSE(m.LastCommandOlderThan(3000));
    EXPECT_TRUE(m.LastCommandOlderThan(0));
    // The system's clipboard messages are commands; others are not.
    EXPECT_TRUE(m.HandleClipboardMessage(WM_COPY)); // nothing selected: disabled, nothing recorded
    EXPECT_EQ(m.GetLastCommand(), 95);
    EXPECT_FALSE(m.HandleClipboardMessage(WM_UNDO));
    // A command of a range that no executor knows says so.
    m.ExecuteCommand(2999);
    EXPECT_EQ(Unavailable, std::vector<int32_t>{2999});
}

TEST(CommandMenus, SeparatorsThatSeparateNothingGo)
{
    auto make = [](std::initializer_list<std::pair<const char*, bool>> items) {
        auto* menu = new TMenuItem(nullptr);
        for (auto [caption, visible] : items) {
            auto* item = new TMenuItem(nullptr);
            item->Caption = caption;
            item->Visible = visible;
            menu->Add(item);
        }
        return std::unique_ptr<TMenuItem>(menu);
    };
    auto captions = [](TMenuItem* menu) {
        std::vector<std::string> out;
        for (int i = 0; i < menu->Count(); ++i)
            out.push_back(menu->Items(i)->Caption);
        return out;
    };
    const struct {
        std::initializer_list<std::pair<const char*, bool>> Items;
        std::vector<std::string> Kept;
    } cases[] = {
        {{{"-", true}, {"-", true}, {"A", true}, {"-", true}}, {"A"}},
        {{{"A", true}, {"-", true}, {"B", false}, {"-", true}, {"C", true}}, {"A", "-", "B", "C"}},
        {{{"A", true}, {"-", true}, {"B", false}}, {"A", "B"}},
        {{{"A", true}, {"-", true}, {"B", true}, {"-", true}, {"C", true}}, {"A", "-", "B", "-", "C"}},
    };
    for (const auto& c : cases) {
        auto menu = make(c.Items);
        CommandManager().TidySeparators(menu.get());
        EXPECT_EQ(captions(menu.get()), c.Kept);
    }
}

TEST_F(CommandRun, MenusShowTheStatesAndTheUndoCaption)
{
    TMenuItem* edit = BarMenu("&Edition");
    ASSERT_TRUE(edit);
    CommandManager().UpdateMenu(edit);
    TMenuItem* undo = edit->Items(0);
    EXPECT_EQ(undo->Caption, "Pas d'action à annuler\tCtrl+Z");
    EXPECT_FALSE(undo->Enabled); // no document
    TMenuItem* view = BarMenu("&Affichage");
    TDocument* doc = Dispatcher->NewDocument();
    ASSERT_TRUE(doc);
    doc->SetZoomKind(1);
    CommandManager().UpdateMenu(view);
    for (int i = 0; i < view->Count(); ++i) {
        TMenuItem* item = view->Items(i);
        if (item->Tag == 6170 || item->Tag == 6174)
            EXPECT_EQ(item->Checked, item->Tag == 6170) << item->Caption;
    }
    // The system menu of the bar follows the items when the menu opens.
    HMENU bar = GetMenu(Form->Handle());
    ASSERT_TRUE(bar);
    HMENU popup = nullptr;
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        char text[64] = "";
        GetMenuStringA(bar, UINT(i), text, sizeof text, MF_BYPOSITION);
        if (std::string(text) == "&Affichage")
            popup = GetSubMenu(bar, i);
    }
    ASSERT_TRUE(popup);
    SendMessageA(Form->Handle(), WM_INITMENUPOPUP, WPARAM(popup), 2);
    bool found = false;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        char text[128] = "";
        GetMenuStringA(popup, UINT(i), text, sizeof text, MF_BYPOSITION);
        if (std::string(text).rfind("Zoom largeur de &page", 0) == 0) {
            found = true;
            EXPECT_TRUE(GetMenuState(popup, UINT(i), MF_BYPOSITION) & MF_CHECKED);
        }
    }
    EXPECT_TRUE(found);
}

TEST(CommandMenus, ADamagedStoredMenuIsReadWithinItsSize)
{
    // Sub-menus nested far deeper than any menu: read without exhausting the stack.
    std::vector<uint8_t> deep;
    for (int i = 0; i < 200000; ++i) {
        deep.push_back(1);
        deep.push_back('A');
        for (int k = 0; k < 4; ++k)
            deep.push_back(k == 0 ? 100 : 0);
        deep.push_back(0xFE);
    }
    std::vector<TMenuResourceItem> items;
    ParseMenuResource(items, deep.data(), deep.size());
    ASSERT_EQ(items.size(), 1u);
    int depth = 0;
    for (const TMenuResourceItem* item = &items[0]; !item->Items.empty(); item = &item->Items[0])
        ++depth;
    EXPECT_LE(depth, 16);
    // A caption that runs past the end of the block is not read; what came before it is kept.
    const uint8_t truncated[] = {2, 'O', 'K', 100, 0, 0, 0, 200, 'x', 'y'};
    items.clear();
    ParseMenuResource(items, truncated, sizeof truncated);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].Caption, "OK");
    EXPECT_EQ(items[0].Command, 100u);
}

TEST_F(CommandRun, AStoredMenuThatGivesNoMenuLeavesTheBuiltInOne)
{
    CurrentOptions().Internal.MainMenu = {0xFF, 0x05, 'A'};
    Form->CreateMainMenu();
    EXPECT_GE(Form->MainMenuItems()->Count(), 7);
    EXPECT_EQ(Form->MainMenuItems()->Items(0)->Caption, "&Fichier");
    CurrentOptions().Internal.MainMenu = {4, 'M', 'o', 'i', '!', 0, 0, 0, 0,   0xFE,
                                          3, 'N', 'e', 'w', 100, 0, 0, 0, 0xFF};
    Form->CreateMainMenu();
    ASSERT_EQ(Form->MainMenuItems()->Count(), 1);
    EXPECT_EQ(Form->MainMenuItems()->Items(0)->Items(0)->Tag, 100);
    CurrentOptions().Internal.MainMenu.clear();
}
