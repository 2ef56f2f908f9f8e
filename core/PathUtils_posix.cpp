// Path helpers that ask the system, for the host build: the temporary folder, no removable drives.
#include "core/PathUtils.h"

#include "core/FileSys.h"

std::string GetTempFolder()
{
    return FileSys::SystemTempPath();
}

bool IsRemovableDrive(const std::string&)
{
    return false;
}
