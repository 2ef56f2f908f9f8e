// The toolbar commands of the view range. The toolbars themselves come with the toolbar manager: until
// it keeps settings, no toolbar is shown and these commands have nothing to change.
#include "shell/ToolbarViewCommands.h"

#include "shell/CommandManager.h"

int VisibleToolbarCount()
{
    return 0;
}

int ToolbarViewCommandState(int32_t command)
{
    (void)command;
    return csUnchecked;
}

bool ExecuteToolbarViewCommand(int32_t command)
{
    (void)command;
    return false;
}

void RefreshToolbarButtons() {}
