// Real key strokes for the document window's tests: each goes through the system's input queue to the
// focused window and the program's message loop, which turns it into key-down and character messages.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "classlib/windowing/Forms.h"

namespace qptest {

// Handles the messages waiting, a few times over, so that posted follow-ups (characters) run too.
inline void PumpKeys()
{
    for (int i = 0; i < 3; ++i) {
        Application->ProcessMessages();
        Sleep(2);
    }
}

// Handles messages for a while (timers run).
inline void PumpFor(DWORD milliseconds)
{
    const DWORD end = GetTickCount() + milliseconds;
    while (int32_t(GetTickCount() - end) < 0) {
        Application->ProcessMessages();
        Sleep(5);
    }
}

// Makes the window the active one with the keyboard focus (other test programs may hold the screen).
inline bool TakeFocus(TControl* window)
{
    for (int attempt = 0; attempt < 100 && GetFocus() != window->Handle(); ++attempt) {
        SetForegroundWindow(window->Handle());
        SetActiveWindow(window->Handle());
        window->SetFocus();
        Application->ProcessMessages();
        if (GetFocus() != window->Handle())
            Sleep(20);
    }
    return GetFocus() == window->Handle();
}

inline INPUT KeyInput(WORD key, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    if ((key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE)
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    return input;
}

// A key pressed and released with modifier keys (VK_SHIFT, VK_CONTROL, VK_MENU) held around it.
inline void PressKey(WORD key, const std::vector<WORD>& modifiers = {})
{
    std::vector<INPUT> inputs;
    for (WORD m : modifiers)
        inputs.push_back(KeyInput(m, false));
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
    for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m)
        inputs.push_back(KeyInput(*m, true));
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpKeys();
}

// Text in the Windows code page typed as the characters a keyboard or an input method sends, accents
// included.
inline void TypeText(const std::string& text)
{
    for (char c : text) {
        wchar_t wide = 0;
        MultiByteToWideChar(1252, 0, &c, 1, &wide, 1);
        INPUT inputs[2]{};
        for (int i = 0; i < 2; ++i) {
            inputs[i].type = INPUT_KEYBOARD;
            inputs[i].ki.wScan = wide;
            inputs[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, inputs, sizeof(INPUT));
        PumpKeys();
    }
}

} // namespace qptest
