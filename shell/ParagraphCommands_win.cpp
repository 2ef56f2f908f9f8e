// The paragraph format commands (9000 - 11999).
#include "shell/CommandExecutors.h"

bool ExecuteParagraphCommand(int32_t command)
{
    (void)command;
    return false;
}
