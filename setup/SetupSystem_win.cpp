// The setup program's system services over the Win32 and shell calls.
#include "setup/SetupSystem.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include "classlib/runtime/DelayedDelete.h"
#include "classlib/runtime/Files.h"
#include "classlib/runtime/Format.h"
#include "setup/InstallLog.h"

const char* const SetupTitle = "Installation d'Quillpad Bright Ink 1.5";

std::string SetupTempFolder()
{
    char buffer[MAX_PATH + 1] = {};
    DWORD length = GetTempPathA(MAX_PATH, buffer);
    std::string folder(buffer, length <= MAX_PATH ? length : 0);
    if (folder.empty() || !DirectoryExists(ExcludeTrailingPathDelimiter(folder)))
        folder = SpecialFolder(CSIDL_PERSONAL);
    return IncludeTrailingPathDelimiter(folder);
}

std::string SetupTempPrefix()
{
    std::string prefix = "~";
    for (const char* p = SetupTitle; *p; ++p)
        if ((*p >= 'A' && *p <= 'Z') || (*p >= 'a' && *p <= 'z'))
            prefix += *p;
    return prefix;
}

std::string SetupTempFileName(const std::string& extension)
{
    std::string base = SetupTempFolder() + SetupTempPrefix();
    for (unsigned n = 0;; ++n) {
        std::string name = base + std::to_string(n) + extension;
        if (GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES)
            return name;
    }
}

void DeleteSetupTempFiles()
{
    std::string folder = SetupTempFolder();
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + SetupTempPrefix() + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string path = folder + data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(path);
        else
            DeleteFileA(path.c_str());
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

namespace {
BOOL CALLBACK FindProgramWindow(HWND wnd, LPARAM found)
{
    if (GetPropA(wnd, "1.x Bright Ink")) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}
} // namespace

bool ProgramIsRunning()
{
    bool found = false;
    EnumWindows(FindProgramWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string SpecialFolder(int csidl)
{
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE))
        return {};
    return path;
}

bool MakeShellLink(const std::string& linkPath, const std::string& target, const std::string& arguments,
                   int iconIndex, const std::string& iconPath, const std::string& workingFolder)
{
    if (!ForceFoldersLogged(ExtractFilePath(linkPath)))
        return false;
    bool initialised = SUCCEEDED(CoInitialize(nullptr));
    bool saved = false;
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        link->SetPath(target.c_str());
        link->SetArguments(arguments.c_str());
        link->SetWorkingDirectory(workingFolder.c_str());
        if (!iconPath.empty())
            link->SetIconLocation(iconPath.c_str(), iconIndex);
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t wide[MAX_PATH];
            if (MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH))
                saved = SUCCEEDED(file->Save(wide, TRUE));
            file->Release();
        }
        link->Release();
    }
    if (initialised)
        CoUninitialize();
    if (saved)
        InstallLog.Add("File Copy: " + linkPath);
    return saved;
}

bool IsNewerSystem()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    GetVersionExA(&info);
    if (info.dwMajorVersion > 5 || (info.dwMajorVersion == 5 && info.dwMinorVersion >= 1))
        return true;
    if (info.dwMajorVersion != 5)
        return false;
    DWORD handle = 0, size = GetFileVersionInfoSizeA("comctl32.dll", &handle);
    if (!size)
        return false;
    std::vector<char> data(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    return GetFileVersionInfoA("comctl32.dll", 0, size, data.data()) &&
           VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
           HIWORD(fixed->dwFileVersionMS) >= 6;
}

std::string FormatSize(int64_t bytes)
{
    constexpr int64_t Mebi = 1048576;
    // Thousands separated by a blank for this call only.
    TFormatSettings saved = FormatSettings;
    FormatSettings.ThousandSeparator = ' ';
    std::string text;
    if (bytes >= 16777215) {
        long double mb = static_cast<long double>(bytes) / Mebi;
        text = Format("%s Mo", Format(mb >= 100 ? "%.0n" : "%.2n", mb));
    } else if (bytes % Mebi == 0) {
        text = Format("%s Mo", Format("%.0n", static_cast<long double>(bytes / Mebi)));
    } else {
        text = Format("%s Ko", Format("%.0n", static_cast<long double>(bytes) / 1024));
    }
    FormatSettings = saved;
    return text;
}

int64_t FreeDiskSpace(const std::string& folder)
{
    std::string dir = ExcludeTrailingPathDelimiter(folder);
    while (!dir.empty() && !DirectoryExists(dir)) {
        std::string parent = ExcludeTrailingPathDelimiter(ExtractFilePath(dir));
        if (parent == dir)
            break;
        dir = parent;
    }
    ULARGE_INTEGER available;
    if (!GetDiskFreeSpaceExA(dir.empty() ? nullptr : IncludeTrailingPathDelimiter(dir).c_str(), &available,
                             nullptr, nullptr))
        return 0;
    return static_cast<int64_t>(available.QuadPart);
}

bool StartProgram(const std::string& commandLine)
{
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi = {};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                        nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

void DeleteSetupAfterExit(const std::string& path)
{
    DeleteFileAfterExit(path, SetupTempFileName(".bat"));
}
