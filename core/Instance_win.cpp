// Finding other running copies of the program and sending them requests without ever waiting on a
// hung one.
#include "core/Instance.h"

#include <windows.h>

#include "classlib/runtime/Format.h"
#include "core/CmdLine.h"

std::string EditionString;

namespace {

constexpr UINT AnswerTimeout = 3000;    // milliseconds
constexpr UINT DocumentTimeout = 60000; // for opening and printing

struct TSearch {
    int Mode;
    HWND Found;
};

BOOL CALLBACK EnumProc(HWND wnd, LPARAM lp)
{
    auto* search = reinterpret_cast<TSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid == GetCurrentProcessId() || !GetPropA(wnd, EditionString.c_str()))
        return TRUE;
    bool suits = true;
    switch (search->Mode) {
    case 1:
    case 3: suits = (SendInstanceMessage(wnd, 2, 0) & 0xFF) != 0; break;
    case 2:
    case 4: suits = SendInstanceMessage(wnd, 5, 0) == 2; break;
    default: break;
    }
    if (!suits)
        return TRUE;
    search->Found = wnd;
    return FALSE;
}

} // namespace

void* FindRunningInstance(int mode)
{
    if (EditionString.empty())
        return nullptr;
    TSearch search = {mode, nullptr};
    EnumWindows(EnumProc, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

intptr_t SendInstanceMessage(void* window, int request, intptr_t lparam)
{
    DWORD_PTR answer = 0;
    // Opening a document may take a while: its atom must outlive the receiver's reading of it.
    const UINT timeout = (request & 127) == 3 || (request & 127) == 4 ? DocumentTimeout : AnswerTimeout;
    if (!SendMessageTimeoutA(static_cast<HWND>(window), InstanceMessage, static_cast<WPARAM>(request & 127),
                             lparam, SMTO_ABORTIFHUNG | SMTO_BLOCK, timeout, &answer))
        return 0;
    return static_cast<intptr_t>(answer);
}

bool SendInstanceAtom(void* window, int request, const std::string& text, intptr_t& answer)
{
    answer = 0;
    ATOM atom = text.size() <= 255 ? GlobalAddAtomA(text.c_str()) : 0;
    if (!atom)
        return false;
    answer = SendInstanceMessage(window, request, atom);
    GlobalDeleteAtom(atom);
    return true;
}

bool IsTrayInstanceRunning()
{
    return FindRunningInstance(4) != nullptr;
}

bool HandOverToRunningInstance()
{
    int mode;
    switch (StartupMode) {
    case 0: mode = 2; break;
    case 1: mode = 1; break;
    case 2:
        if (CmdLineSwitchPresent(swPrintTo) || CmdLineSwitchPresent(swNoPrintDialog))
            return false;
        mode = 3;
        break;
    default: return false;
    }
    HWND window = static_cast<HWND>(FindRunningInstance(mode));
    if (!window)
        return false;
    intptr_t answer = 0;
    if (!SendInstanceAtom(window, 6, Format("Session: %s", GetSessionName()), answer) || (answer & 0xFF) == 0)
        return false;
    const intptr_t state = SendInstanceMessage(window, 5, 0);
    SendInstanceMessage(window, 0, 0);
    if (mode == 1 || mode == 3) {
        DWORD lockTimeout = 0;
        const bool changeLock = LOBYTE(LOWORD(GetVersion())) > 4;
        if (changeLock) {
            SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &lockTimeout, 0);
            SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0);
        }
        std::vector<std::string> unsent;
        for (const std::string& path : StartupDocuments)
            if (!SendInstanceAtom(window, mode == 1 ? 3 : 4, path, answer))
                unsent.push_back(path);
        if (mode == 3) {
            if (state == 1)
                SendInstanceMessage(window, 7, 0);
            else if (state == 2)
                SendInstanceMessage(window, 8, 0);
        }
        if (changeLock)
            SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                                  reinterpret_cast<void*>(uintptr_t(lockTimeout)), 0);
        if (!unsent.empty()) {
            // These names cannot travel in an atom: this copy opens them itself.
            StartupDocuments = unsent;
            return false;
        }
        return true;
    }
    if (!CmdLineSwitchPresent(swDontCreateNewDoc))
        SendInstanceMessage(window, 1, 0);
    return true;
}
