// Path helpers that ask Windows: the temporary folder and drive types.
#include "core/PathUtils.h"

#include <windows.h>
#include <shlobj.h>

#include "core/FileSys.h"

std::string GetTempFolder()
{
    std::string folder = FileSys::SystemTempPath();
    if (folder.empty() || !DirectoryExists(folder)) {
        char path[MAX_PATH];
        if (SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, 0, path) == S_OK)
            folder = IncludeTrailingPathDelimiter(path);
    }
    return folder;
}

bool IsRemovableDrive(const std::string& path)
{
    const std::string root = GetPathDriveRoot(path);
    if (root.empty())
        return false;
    const UINT type = GetDriveTypeA(root.c_str());
    return type == DRIVE_REMOVABLE || type == DRIVE_CDROM;
}

bool IsProgramOnRemovableDrive()
{
    char name[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, name, MAX_PATH);
    return n > 0 && n < MAX_PATH && IsRemovableDrive(name);
}

std::string GetLoginUserName()
{
    char name[256];
    DWORD size = sizeof(name);
    return GetUserNameA(name, &size) ? std::string(name) : std::string();
}
