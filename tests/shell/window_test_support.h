// What the window tests of the shell share: real key strokes, which go through the system's input queue
// to the focused window and the program's message loop, and a new document in a window of the main form.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <iterator>
#include <memory>

#include "classlib/windowing/Forms.h"
#include "core/Options.h"
#include "core/OptionsHolder.h"
#include "shell/DocDisp.h"
#include "shell/MainForm.h"

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

// A new document in a window of the main form, with the options holder and the document dispatcher that
// it needs; all gone, and the options as they were, at the end of the scope.
struct TNewDocument {
    explicit TNewDocument(TMainForm* form)
    {
        Application->MainForm = form;
        Document = Dispatcher->NewDocument();
        PumpMessages();
    }
    ~TNewDocument()
    {
        Dispatcher.reset();
        Application->MainForm = nullptr;
        Holder.reset();
        CurrentOptions() = Saved;
    }
    TOptions Saved = CurrentOptions();
    std::unique_ptr<TOptionsHolder> Holder = std::make_unique<TOptionsHolder>();
    std::unique_ptr<TDocDispatcher> Dispatcher = std::make_unique<TDocDispatcher>();
    TDocument* Document = nullptr;
};

} // namespace qptest
