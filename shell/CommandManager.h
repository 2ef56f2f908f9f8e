// The command manager: every command number of a menu, toolbar, shortcut or message goes through one
// entry, which checks that the command is enabled, dispatches it by range to its executor and records it
// with the time; it also answers the commands' texts, their states and categories, and keeps menus.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TComponent;
class TDocument;
class TMenuItem;
class TStringList;

// The checked state of a command.
enum TCommandState : int { csChecked = 0, csUnchecked = 1, csMixed = 2 };

// Refresh requests of the command manager (its dirty flags).
enum TCommandDirtyFlag : uint8_t {
    cdClipboard = 0x1,    // the paste-available flag must be recomputed
    cdSpellWord = 0x4,    // the spelling of one word is being checked
    cdFavorites = 0x8,    // the favourites sub-menu must be rebuilt
    cdFileHistory = 0x10, // the file-history sub-menus
    cdWindowList = 0x20,  // the document-window list
};

// Numbers of menu items that mark where a list built at run time goes.
constexpr int32_t FavoritesPlace = 1250, FavoritesEnd = 1251;
constexpr int32_t HistoryPlace = 1300, HistoryEnd = 1301;
constexpr int32_t InsertedFilesPlace = 1310, InsertedFilesEnd = 1311;
constexpr int32_t InsertedPicturesPlace = 1320, InsertedPicturesEnd = 1321;
constexpr int32_t FindHistoryPlace = 3650, FindHistoryEnd = 3651;
constexpr int32_t ReplaceHistoryPlace = 3655, ReplaceHistoryEnd = 3656;
constexpr int32_t WindowListPlace = 90300, WindowListEnd = 90301;
constexpr int32_t LanguageHistoryPlace = 12610, LanguageHistoryEnd = 12611;
bool IsMenuListPlace(int32_t command);

class TCommandManager {
public:
    TCommandManager();
    ~TCommandManager();

    // Runs the command through the executor of its range when it is enabled.
    void ExecuteCommand(int32_t command);
    // Runs an argument form (200000 and above) with its argument.
    void ExecuteCommandWithArg(int32_t command, intptr_t argument);
    // The command's states (computed each time; see CommandStates_win.cpp).
    bool IsCommandEnabled(int32_t command);
    int GetCommandState(int32_t command);

    // The hint of a command: "Commande inconnue" (empty when Quiet) for a number without one; with the
    // shortcut text and the first category that lists the command when asked.
    std::string GetCommandHint(int32_t command, bool withShortcut = false, bool withCategory = false,
                               bool quiet = false);
    // The menu caption (the hint for a command without one), with or without its access-key marks.
    std::string GetCommandCaption(int32_t command, bool keepAmpersands);
    // Appends the commands of the categories set in the 8-bit set Categories (bit N category N) that
    // the list does not hold yet: each as its hint, with the number as the entry's object.
    void ListCommands(TStringList& list, uint8_t categories);

    // The document that commands act on: the override when set, else the active document.
    TDocument* GetDocument() const;
    void StampLastCommand();
    // At least Ms milliseconds have passed since the last command.
    bool LastCommandOlderThan(uint32_t ms) const;
    int32_t GetLastCommand() const { return LastCommand; }

    // WM_CUT, WM_COPY, WM_PASTE and WM_CLEAR run their commands; true (the message result 1) for them.
    bool HandleClipboardMessage(uint32_t message);

    // Menus: click handlers and captions made once, states and special captions at each opening, the
    // separators that separate nothing removed.
    void PrepareMenu(TMenuItem* menu);
    void UpdateMenu(TMenuItem* menu);
    void TidySeparators(TMenuItem* item);
    void MenuItemClick(TComponent* sender);
    // Rebuilds the run-time lists of a menu whose dirty flags ask for it (all of them with Force).
    void RebuildMenuLists(TMenuItem* menu, bool force);

    // Collects the commands that appeared since the version of the previous run and shows them.
    void AnnounceNewCommands();
    static int UnderlineKindOfCommand(int32_t command);

    // Set by the document dispatcher around work on a document that is not the active one.
    TDocument* DocumentOverride = nullptr;
    uint8_t DirtyFlags = cdClipboard | cdFavorites | cdFileHistory | cdWindowList;
    bool PasteAvailable = false;
    // The commands of the last new-commands notice, newest first.
    std::vector<int32_t> NewCommands;
    // Told of a known command that no executor ran (the shell shows its error; tests record it).
    std::function<void(int32_t command)> OnCommandUnavailable;
    // Shows the new-commands notice (none: a message lists their hints).
    std::function<void(const std::vector<int32_t>& commands)> OnNewCommands;
    // What the paste commands ask of the clipboard: whether it holds a format the program pastes;
    // false when the clipboard could not be opened (asked again later).
    std::function<bool(bool& available)> QueryClipboard;

private:
    void Dispatch(int32_t command, intptr_t argument, bool withArgument);
    void LoadTables();

    std::vector<uint8_t> HintTable;
    std::vector<uint8_t> MenuTable;
    bool TablesLoaded = false;
    uint32_t LastCommandTime = 0;
    int32_t LastCommand = 0;
};

TCommandManager& CommandManager();

// The text of the command's shortcut ("Ctrl+G"), empty when it has none.
std::string CommandShortcutText(int32_t command);

// The command categories of the command pickers: a name and the ordered list of the commands.
struct TCommandCategory {
    const char* Name;
    std::vector<int32_t> Commands;
};
constexpr int CommandCategoryCount = 8;
constexpr int CommandCategoryCapacity = 83;
const TCommandCategory& CommandCategory(int index);

// The version (folded into one number, 10102011 for 1.1.2.11) in which each newer command appeared.
struct TNewCommand {
    int32_t Command;
    int32_t Version;
};
const std::vector<TNewCommand>& NewCommandTable();
// The commands newer than the previous run's version, walked from the newest pair of the table.
std::vector<int32_t> CommandsNewerThan(int32_t previousVersion);
