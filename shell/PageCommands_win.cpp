// The page and object commands (15000 - 17999): pictures, section breaks, columns, page numbers.
#include "shell/CommandExecutors.h"

bool ExecutePageCommand(int32_t command)
{
    (void)command;
    return false;
}
