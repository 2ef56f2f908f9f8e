// Other copies of the program, for the host build: there are none to find.
#include "core/Instance.h"

std::string EditionString;

void* FindRunningInstance(int)
{
    return nullptr;
}

intptr_t SendInstanceMessage(void*, int, intptr_t)
{
    return 0;
}

bool SendInstanceAtom(void*, int, const std::string&, intptr_t& answer)
{
    answer = 0;
    return false;
}

bool IsTrayInstanceRunning()
{
    return false;
}

bool HandOverToRunningInstance()
{
    return false;
}
