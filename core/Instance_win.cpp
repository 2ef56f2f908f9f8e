// Finding other running copies of the program and sending them requests without ever waiting on a
// hung one.
#include "core/Instance.h"

#include <windows.h>

std::string EditionString;

namespace {

constexpr UINT AnswerTimeout = 3000; // milliseconds

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
    if (!SendMessageTimeoutA(static_cast<HWND>(window), InstanceMessage, static_cast<WPARAM>(request & 127),
                             lparam, SMTO_ABORTIFHUNG | SMTO_BLOCK, AnswerTimeout, &answer))
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
