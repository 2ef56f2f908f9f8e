// Running commands by number (the enabled check, the dispatch by range, the last command and its time)
// and the commands' texts from the COMMANDHINTS and MENUCOMMANDS tables.
#include "shell/CommandManager.h"

#include <windows.h>

#include <algorithm>

#include "classlib/runtime/Format.h"
#include "classlib/runtime/StringList.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "core/PackedStrings.h"
#include "core/Version.h"
#include "document/Document.h"
#include "shell/CommandExecutors.h"
#include "shell/HotKeys.h"
#include "shell/MainForm.h"
#include "shell/SpellingMenu.h"
#include "shell/ToolbarViewCommands.h"

TCommandManager& CommandManager()
{
    static TCommandManager manager;
    return manager;
}

std::string CommandShortcutText(int32_t command)
{
    const uint32_t key = HotKeyManager().HotKeyOfCommand(command);
    return key ? HotKeyToText(key) : std::string();
}

bool IsMenuListPlace(int32_t command)
{
    switch (command) {
    case FavoritesPlace:
    case FavoritesEnd:
    case HistoryPlace:
    case HistoryEnd:
    case InsertedFilesPlace:
    case InsertedFilesEnd:
    case InsertedPicturesPlace:
    case InsertedPicturesEnd:
    case FindHistoryPlace:
    case FindHistoryEnd:
    case ReplaceHistoryPlace:
    case ReplaceHistoryEnd:
    case WindowListPlace:
    case WindowListEnd:
    case LanguageHistoryPlace:
    case LanguageHistoryEnd: return true;
    }
    return false;
}

namespace {

// A number within [first, first + width), tested without sign as the ranges are.
bool InRange(int32_t command, uint32_t first, uint32_t width)
{
    return static_cast<uint32_t>(command) - first < width;
}

// The bytes of a resource of type "COMMANDHINTS"; empty when it is missing.
std::vector<uint8_t> LoadTableResource(const char* name)
{
    HRSRC found = FindResourceA(nullptr, name, "COMMANDHINTS");
    if (!found)
        return {};
    HGLOBAL loaded = LoadResource(nullptr, found);
    const auto* data = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    if (!data)
        return {};
    return std::vector<uint8_t>(data, data + SizeofResource(nullptr, found));
}

// Removes the access-key marks, walking from the end: "&&" leaves one "&".
std::string RemoveAmpersands(std::string text)
{
    for (size_t i = text.size(); i-- > 0;) {
        if (text[i] != '&')
            continue;
        text.erase(i, 1);
        if (i == 0)
            break;
        --i; // the character before a removed mark stays, even a second "&"
    }
    return text;
}

} // namespace

TCommandManager::TCommandManager() : LastCommandTime(GetTickCount()) {}

TCommandManager::~TCommandManager() = default;

void TCommandManager::Dispatch(int32_t command, intptr_t argument, bool withArgument)
{
    if (MainForm)
        MainForm->ClearTimedStatus();
    if (IsCommandEnabled(command)) {
        bool ran = false;
        bool known = true;
        if (withArgument) {
            if (InRange(command, 200000, 15000))
                ran = ExecuteArgumentCommand(command, argument);
            else
                known = false;
        } else if (ExecuteHistoryCommand(command) || ExecuteSpellingMenuCommand(command)) {
            ran = true;
        } else if (InRange(command, 100, 2900)) {
            ran = ExecuteFileCommand(command);
        } else if (InRange(command, 3000, 3000)) {
            ran = ExecuteEditCommand(command);
        } else if (InRange(command, 6000, 3000)) {
            ran = ExecuteViewCommand(command);
        } else if (InRange(command, 9000, 3000)) {
            ran = ExecuteParagraphCommand(command);
        } else if (InRange(command, 12000, 3000)) {
            ran = ExecuteCharacterCommand(command);
        } else if (InRange(command, 15000, 3000)) {
            ran = ExecutePageCommand(command);
        } else if (InRange(command, 90000, 3000)) {
            ran = ExecuteWindowCommand(command);
        } else if (InRange(command, 100000, 3000)) {
            ran = ExecuteHelpCommand(command);
        } else {
            known = false;
        }
        LastCommand = command;
        if (known && !ran) {
            if (OnCommandUnavailable)
                OnCommandUnavailable(command);
            else
                ShowError(Format("La commande %d n'est pas disponible dans cette version.", command));
        }
    }
    StampLastCommand();
    RefreshToolbarButtons();
    if (MainForm)
        MainForm->InvalidateCommands();
}

void TCommandManager::ExecuteCommand(int32_t command)
{
    Dispatch(command, 0, false);
}

void TCommandManager::ExecuteCommandWithArg(int32_t command, intptr_t argument)
{
    Dispatch(command, argument, true);
}

TDocument* TCommandManager::GetDocument() const
{
    if (DocumentOverride)
        return DocumentOverride;
    return MainForm ? MainForm->GetActiveDocument() : nullptr;
}

void TCommandManager::StampLastCommand()
{
    LastCommandTime = GetTickCount();
}

bool TCommandManager::LastCommandOlderThan(uint32_t ms) const
{
    return static_cast<int32_t>(GetTickCount() - LastCommandTime) >= static_cast<int32_t>(ms);
}

bool TCommandManager::HandleClipboardMessage(uint32_t message)
{
    static const std::pair<uint32_t, int32_t> commands[] = {
        {WM_CUT, 3420}, {WM_COPY, 3340}, {WM_PASTE, 3360}, {WM_CLEAR, 3200}};
    for (auto [m, command] : commands)
        if (m == message) {
            ExecuteCommand(command);
            return true;
        }
    return false;
}

void TCommandManager::LoadTables()
{
    if (TablesLoaded)
        return;
    HintTable = LoadTableResource("COMMANDHINTS");
    MenuTable = LoadTableResource("MENUCOMMANDS");
    TablesLoaded = true;
}

std::string TCommandManager::GetCommandHint(int32_t command, bool withShortcut, bool withCategory, bool quiet)
{
    LoadTables();
    std::string text = FindPackedString(HintTable.data(), HintTable.size(), command);
    if (text.empty())
        return quiet ? std::string() : std::string("Commande inconnue");
    if (withShortcut) {
        const std::string shortcut = CommandShortcutText(command);
        if (!shortcut.empty())
            text = Format("%s (%s)", text, shortcut);
    }
    if (withCategory)
        for (int i = 0; i < CommandCategoryCount; ++i) {
            const TCommandCategory& category = CommandCategory(i);
            if (std::find(category.Commands.begin(), category.Commands.end(), command) !=
                category.Commands.end()) {
                text = Format("%s (Catégorie : %s)", text, category.Name);
                break;
            }
        }
    return text;
}

std::string TCommandManager::GetCommandCaption(int32_t command, bool keepAmpersands)
{
    LoadTables();
    std::string text = FindPackedString(MenuTable.data(), MenuTable.size(), command);
    if (text.empty())
        return GetCommandHint(command, false, false, true);
    return keepAmpersands ? text : RemoveAmpersands(text);
}

void TCommandManager::ListCommands(TStringList& list, uint8_t categories)
{
    for (int i = 0; i < CommandCategoryCount; ++i) {
        if (!(categories & (1u << i)))
            continue;
        const std::vector<int32_t>& commands = CommandCategory(i).Commands;
        for (size_t k = 0; k < commands.size() && k < CommandCategoryCapacity && commands[k] != 0; ++k)
            if (list.IndexOfObject(commands[k]) < 0)
                list.Add(GetCommandHint(commands[k], true, false, true), commands[k]);
    }
}

void TCommandManager::AnnounceNewCommands()
{
    NewCommands = CommandsNewerThan(CurrentOptions().Internal.LastRunVer);
    if (NewCommands.empty())
        return;
    if (OnNewCommands) {
        OnNewCommands(NewCommands);
        return;
    }
    std::string text = "Nouvelles commandes de cette version :|";
    for (int32_t command : NewCommands)
        text += "|" + GetCommandCaption(command, false);
    ShowInformation(text);
}

int TCommandManager::UnderlineKindOfCommand(int32_t command)
{
    switch (command) {
    case 12160: return 1;
    case 12161: return 2;
    case 12162: return 3;
    case 12163: return 4;
    case 12164: return 7;
    case 12165: return 9;
    case 12166: return 11;
    case 12167: return 39;
    }
    return 43;
}

std::vector<int32_t> CommandsNewerThan(int32_t previousVersion)
{
    std::vector<int32_t> commands;
    if (CurrentVersionNumber() <= previousVersion)
        return commands;
    const std::vector<TNewCommand>& table = NewCommandTable();
    for (auto it = table.rbegin(); it != table.rend(); ++it)
        if (it->Version > previousVersion)
            commands.push_back(it->Command);
    return commands;
}
