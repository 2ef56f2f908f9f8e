// The installation log and the folder helpers over the system's file calls.
#include "setup/InstallLog.h"

#include <windows.h>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Files.h"
#include "classlib/runtime/StringList.h"

TInstallLog InstallLog;

void TInstallLog::Open(const std::string& folder)
{
    std::lock_guard<std::mutex> hold(FLock);
    FLines.clear();
    FPath = IncludeTrailingPathDelimiter(folder) + "Install.log";
    if (FileExists(FPath)) {
        try {
            TStringList old;
            old.LoadFromFile(FPath);
            for (int i = 0; i < old.Count(); ++i)
                FLines.push_back(old[i]);
        } catch (const Exception&) {}
    }
    FOpen = true;
}

void TInstallLog::Add(const std::string& line)
{
    std::lock_guard<std::mutex> hold(FLock);
    if (FOpen && FSuspended == 0)
        FLines.push_back(line);
}

void TInstallLog::Suspend()
{
    std::lock_guard<std::mutex> hold(FLock);
    ++FSuspended;
}

void TInstallLog::Resume()
{
    std::lock_guard<std::mutex> hold(FLock);
    if (FSuspended > 0)
        --FSuspended;
}

bool TInstallLog::Suspended() const
{
    std::lock_guard<std::mutex> hold(FLock);
    return FSuspended > 0;
}

void TInstallLog::Save()
{
    std::lock_guard<std::mutex> hold(FLock);
    if (!FOpen)
        return;
    TStringList list;
    for (const std::string& line : FLines)
        list.Add(line);
    try {
        list.SaveToFile(FPath);
    } catch (const Exception&) {}
}

std::vector<std::string> TInstallLog::Lines() const
{
    std::lock_guard<std::mutex> hold(FLock);
    return FLines;
}

void TInstallLog::Reset()
{
    std::lock_guard<std::mutex> hold(FLock);
    FLines.clear();
    FPath.clear();
    FOpen = false;
    FSuspended = 0;
}

bool ForceFoldersLogged(const std::string& path)
{
    std::string dir = ExcludeTrailingPathDelimiter(path);
    if (dir.empty() || DirectoryExists(dir))
        return !dir.empty();
    std::string parent = ExcludeTrailingPathDelimiter(ExtractFilePath(dir));
    if (!parent.empty() && parent != dir && parent.back() != ':' && !ForceFoldersLogged(parent))
        return false;
    if (!CreateDirectoryA(dir.c_str(), nullptr))
        return DirectoryExists(dir);
    InstallLog.Add("Made Dir: " + dir);
    return true;
}

namespace {

template<class Fn>
void ForEachInFolder(const std::string& folder, Fn fn)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((IncludeTrailingPathDelimiter(folder) + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = data.cFileName;
        if (name != "." && name != "..")
            fn(name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

} // namespace

void CopyTreeLogged(const std::string& source, const std::string& destination)
{
    std::string from = IncludeTrailingPathDelimiter(source), to = IncludeTrailingPathDelimiter(destination);
    ForceFoldersLogged(to);
    ForEachInFolder(from, [&](const std::string& name, bool folder) {
        if (folder) {
            CopyTreeLogged(from + name, to + name);
        } else if (!FileExists(to + name) && CopyFileA((from + name).c_str(), (to + name).c_str(), TRUE)) {
            InstallLog.Add("File Copy: " + to + name);
        }
    });
}

void RemoveTree(const std::string& path)
{
    std::string dir = IncludeTrailingPathDelimiter(path);
    ForEachInFolder(dir, [&](const std::string& name, bool folder) {
        if (folder)
            RemoveTree(dir + name);
        else {
            SetFileAttributesA((dir + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((dir + name).c_str());
        }
    });
    RemoveDirectoryA(ExcludeTrailingPathDelimiter(path).c_str());
}
