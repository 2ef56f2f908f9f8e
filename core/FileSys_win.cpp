// File-system primitives over the ANSI Windows calls.
#include "core/FileSys.h"

#include <windows.h>

#include <algorithm>

#include "classlib/runtime/DateTime.h"

namespace FileSys {

std::vector<TEntry> ListFolder(const std::string& folder)
{
    std::vector<TEntry> entries;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((IncludeTrailingPathDelimiter(folder) + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return entries;
    do {
        std::string name = fd.cFileName;
        if (name == "." || name == "..")
            continue;
        entries.push_back({name, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    SortEntries(entries);
    return entries;
}

bool RemoveFolder(const std::string& path)
{
    return RemoveDirectoryA(path.c_str()) != 0;
}

bool CopyOneFile(const std::string& source, const std::string& dest, bool overwrite)
{
    return CopyFileA(source.c_str(), dest.c_str(), overwrite ? FALSE : TRUE) != 0;
}

int64_t FileSize(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return -1;
    LARGE_INTEGER size;
    BOOL ok = GetFileSizeEx(h, &size);
    CloseHandle(h);
    return ok ? size.QuadPart : -1;
}

namespace {

double LocalDateTime(const FILETIME& utc)
{
    FILETIME local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st))
        return 0;
    return ComposeDateTime(EncodeDate(st.wYear, st.wMonth, st.wDay),
                           EncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds));
}

} // namespace

bool FileTimes(const std::string& path, double& created, double& modified)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return false;
    created = LocalDateTime(data.ftCreationTime);
    modified = LocalDateTime(data.ftLastWriteTime);
    return true;
}

int64_t ClusterSize(const std::string& root)
{
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!GetDiskFreeSpaceA(root.empty() ? nullptr : root.c_str(), &sectorsPerCluster, &bytesPerSector,
                           &freeClusters, &clusters))
        return 0;
    return static_cast<int64_t>(sectorsPerCluster) * bytesPerSector;
}

std::string FullPath(const std::string& path)
{
    if (path.empty())
        return path;
    char full[MAX_PATH * 2];
    DWORD n = GetFullPathNameA(path.c_str(), sizeof(full), full, nullptr);
    if (n == 0 || n >= sizeof(full))
        return path;
    char longName[MAX_PATH * 2];
    DWORD m = GetLongPathNameA(full, longName, sizeof(longName));
    if (m == 0 || m >= sizeof(longName))
        return full;
    return longName;
}

std::string SystemTempPath()
{
    char buffer[MAX_PATH * 2];
    DWORD n = GetTempPathA(sizeof(buffer), buffer);
    return IncludeTrailingPathDelimiter((n == 0 || n >= sizeof(buffer)) ? std::string()
                                                                        : std::string(buffer, n));
}

} // namespace FileSys
