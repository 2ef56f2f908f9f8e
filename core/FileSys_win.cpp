// File-system primitives over the ANSI Windows calls.
#include "core/FileSys.h"

#include <windows.h>

#include <algorithm>

#include "classlib/runtime/Exceptions.h"

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

void WriteWholeFile(const std::string& path, const std::string& data)
{
    const std::string tmp = path + ".~tmp";
    HANDLE h = CreateFileA(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = h != INVALID_HANDLE_VALUE;
    for (size_t done = 0; ok && done < data.size();) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1 << 20));
        DWORD put = 0;
        ok = WriteFile(h, data.data() + done, chunk, &put, nullptr) && put == chunk;
        done += put;
    }
    if (h != INVALID_HANDLE_VALUE)
        ok = CloseHandle(h) && ok;
    if (ok)
        ok = MoveFileExA(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) {
        DeleteFileA(tmp.c_str());
        throw EStreamError("Impossible d'écrire le fichier \"" + path + "\".");
    }
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
    return IncludeTrailingPathDelimiter((n == 0 || n >= sizeof(buffer)) ? std::string() : std::string(buffer, n));
}

} // namespace FileSys
