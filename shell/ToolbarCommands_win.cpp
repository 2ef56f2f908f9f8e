// The toolbars' questions about commands, answered by the command manager.
#include "shell/ToolbarCommands.h"

#include "shell/CommandManager.h"

std::string ToolbarCommandCaption(int32_t command)
{
    return CommandManager().GetCommandCaption(command, false);
}

bool ToolbarCommandEnabled(int32_t command)
{
    return CommandManager().IsCommandEnabled(command);
}

int ToolbarCommandState(int32_t command)
{
    return CommandManager().GetCommandState(command);
}
