// The view commands (6000 - 8999): view toggles, bars, zoom, headers and footers.
#include "shell/CommandExecutors.h"

bool ExecuteViewCommand(int32_t command)
{
    (void)command;
    return false;
}
