// The program's entry point.
#include <windows.h>

#include "shell/Startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return ProgramMainBlock();
}
