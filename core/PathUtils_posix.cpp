// Path helpers that ask the system, for the host build: the temporary folder, no removable drives.
#include "core/PathUtils.h"

#include <cstdlib>

#include "core/FileSys.h"

std::string GetTempFolder()
{
    return FileSys::SystemTempPath();
}

bool IsRemovableDrive(const std::string&)
{
    return false;
}

bool IsProgramOnRemovableDrive()
{
    return false;
}

std::string GetLoginUserName()
{
    const char* user = std::getenv("USER");
    return user ? user : "";
}
