// File and folder functions over the Windows file system.
#include <windows.h>

#include "classlib/runtime/Files.h"

bool FileExists(const std::string& fileName)
{
    DWORD a = GetFileAttributesA(fileName.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& dir)
{
    DWORD a = GetFileAttributesA(dir.c_str());
    return !dir.empty() && a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const std::string& dir)
{
    std::string d = ExcludeTrailingPathDelimiter(dir);
    if (d.empty())
        return false;
    if (DirectoryExists(d) || (d.size() == 2 && d[1] == ':'))
        return DirectoryExists(IncludeTrailingPathDelimiter(d));
    std::string parent = ExtractFilePath(d);
    if (!parent.empty() && parent.size() < d.size() && !ForceDirectories(parent))
        return false;
    return CreateDirectoryA(d.c_str(), nullptr) || DirectoryExists(d);
}

bool DeleteFile(const std::string& fileName)
{
    return DeleteFileA(fileName.c_str()) != 0;
}

std::string GetCurrentDir()
{
    DWORD n = GetCurrentDirectoryA(0, nullptr);
    std::string s(n, '\0');
    n = GetCurrentDirectoryA(n, s.data());
    s.resize(n < s.size() ? n : 0);
    return s;
}

bool SetCurrentDir(const std::string& dir)
{
    return SetCurrentDirectoryA(dir.c_str()) != 0;
}
