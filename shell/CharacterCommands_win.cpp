// The character format commands (12000 - 14999).
#include "shell/CommandExecutors.h"

bool ExecuteCharacterCommand(int32_t command)
{
    (void)command;
    return false;
}
