// Running commands by number and the time of the last one.
#include "shell/CommandManager.h"

#include <windows.h>

TCommandManager& CommandManager()
{
    static TCommandManager manager;
    return manager;
}

bool TCommandManager::ExecuteCommand(int32_t command)
{
    LastCommandTime = GetTickCount();
    const bool ran = Executor && Executor(command);
    LastCommandTime = GetTickCount();
    return ran;
}

bool TCommandManager::LastCommandOlderThan(uint32_t ms) const
{
    return GetTickCount() - LastCommandTime >= ms;
}
