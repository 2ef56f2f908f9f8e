// The commands of the history lists: dropping the stale or all entries of the file histories, and
// emptying the find, replace and language histories.
#include "core/FileList.h"
#include "core/Languages.h"
#include "core/OptionsHolder.h"
#include "document/DocumentHost.h"
#include "shell/CommandExecutors.h"
#include "shell/CommandManager.h"
#include "shell/Startup.h"
#include "tools/FindReplace.h"

bool ExecuteHistoryCommand(int32_t command)
{
    // The file list each pair of commands (stale entries, all entries) works on.
    static const struct {
        int32_t Stale;
        int FileList;
    } lists[] = {{340, 0}, {345, 3}, {349, 5}, {351, 3}};
    for (const auto& list : lists) {
        if (command != list.Stale && command != (list.Stale == 340 ? 343 : list.Stale + 1))
            continue;
        if (TOptionsHolder* holder = GetOptionsHolder()) {
            TFileList& files = holder->Owners.FileLists[list.FileList];
            if (command == list.Stale)
                files.RemoveMissing();
            else
                files.Names.clear();
        }
        CommandManager().DirtyFlags |= cdFileHistory;
        return true;
    }
    if (command == 12600) {
        LanguageManager().History.clear();
        DocumentHost().InvalidateCommands();
        return true;
    }
    if (command == 3660 || command == 3665) {
        if (FindReplaceForm)
            (command == 3660 ? FindReplaceForm->FindHistory : FindReplaceForm->ReplaceHistory).clear();
        return true;
    }
    return false;
}
