// The program's path as Windows reports it.
#include "core/ProgramFolder.h"

#include <windows.h>

std::string ProgramPath()
{
    char path[MAX_PATH + 1] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, n);
}
