// Real key strokes for the window tests of the shell: keys go through the system's input queue to the
// focused window, and the program's message loop handles them.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <iterator>

#include "classlib/windowing/Forms.h"

namespace qptest {

// Handles the messages waiting, a few times over, so that posted follow-ups run too.
inline void PumpMessages()
{
    for (int i = 0; i < 3; ++i) {
        Application->ProcessMessages();
        Sleep(5);
    }
}

inline void SendKey(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
    PumpMessages();
}

// A key pressed and released with shift keys held.
inline void PressKey(std::initializer_list<WORD> shifts, WORD key)
{
    for (WORD shift : shifts)
        SendKey(shift, false);
    SendKey(key, false);
    SendKey(key, true);
    for (auto s = std::rbegin(shifts); s != std::rend(shifts); ++s)
        SendKey(*s, true);
}

} // namespace qptest
