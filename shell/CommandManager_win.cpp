// Running commands by number: the dispatch by range, the last command and its time.
#include "shell/CommandManager.h"

#include <windows.h>

#include "core/Messages.h"
#include "classlib/runtime/Format.h"
#include "shell/CommandExecutors.h"
#include "shell/MainForm.h"

TCommandManager& CommandManager()
{
    static TCommandManager manager;
    return manager;
}

namespace {

// A number within [first, first + width), tested without sign as the ranges are.
bool InRange(int32_t command, uint32_t first, uint32_t width)
{
    return static_cast<uint32_t>(command) - first < width;
}

} // namespace

void TCommandManager::Dispatch(int32_t command, intptr_t argument, bool withArgument)
{
    if (MainForm)
        MainForm->ClearTimedStatus();
    bool ran = false;
    bool known = true;
    if (withArgument) {
        if (InRange(command, 200000, 15000))
            ran = ExecuteArgumentCommand(command, argument);
        else
            known = false;
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
    StampLastCommand();
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
