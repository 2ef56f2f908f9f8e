// Finding and asking other running copies of the program through their main windows.
#pragma once
#include <cstdint>
#include <string>

// The message between copies (WM_USER + 1000); wParam is the request, lParam 0 or a global atom.
constexpr unsigned InstanceMessage = 0x400 + 1000;

// The edition string: the name of the window property by which a copy's main window is recognised
// (set at start-up).
extern std::string EditionString;

// The first top-level window of another copy that suits the mode, or none: 0 any copy; 1 and 3 one
// that can take a document now; 2 and 4 one that sits in the notification area.
void* FindRunningInstance(int mode);
// Sends a request (its low 7 bits) and returns the answer; a copy that does not answer within a few
// seconds (a minute for opening and printing, unless it hangs) answers 0.
intptr_t SendInstanceMessage(void* window, int request, intptr_t lparam);
// Sends a request with the text as a global atom, deleted afterwards. False, with no message sent,
// when the text cannot be made an atom (more than 255 characters): the caller then handles it itself.
bool SendInstanceAtom(void* window, int request, const std::string& text, intptr_t& answer);

// A running copy of the same session in the notification area.
bool IsTrayInstanceRunning();
// Offers this copy's command-line documents to a running copy of the same session (by the start-up
// mode: documents to open or print go to a copy that can take them, a start without documents joins
// only a copy in the notification area). True when that copy took over and this one must end. A path
// that cannot travel in an atom stays in the start-up documents, and this copy then starts to open it.
bool HandOverToRunningInstance();
