// The batch file that deletes a program after it has ended.
#include "classlib/runtime/DelayedDelete.h"

#include <windows.h>

bool DeleteFileAfterExit(const std::string& path, const std::string& batchPath)
{
    // Bounded: a file that stays held is left after a minute rather than retried for ever.
    std::string text = "@echo off\r\n"
                       "set n=0\r\n"
                       ":1\r\n"
                       "del \"" +
                       path +
                       "\"\r\n"
                       "if not exist \"" +
                       path +
                       "\" goto 2\r\n"
                       "set /a n=n+1\r\n"
                       "if %n% geq 60 goto 2\r\n"
                       "ping -n 2 127.0.0.1 >nul\r\n"
                       "goto 1\r\n"
                       ":2\r\n"
                       "del \"" +
                       batchPath + "\"\r\n";
    HANDLE file = CreateFileA(batchPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
              written == text.size();
    CloseHandle(file);
    if (!ok)
        return false;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi = {};
    std::string line = "cmd.exe /c \"" + batchPath + "\"";
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE,
                        NORMAL_PRIORITY_CLASS | CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
        return false;
    WaitForInputIdle(pi.hProcess, 1000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}
