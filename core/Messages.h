// The program's message routines: every message, warning, error and question reaches the user here.
#pragma once
#include <cstdint>
#include <string>

#include "classlib/windowing/DialogTypes.h"

// The message being shown, shared with the message form. OptionalIndex is the number (0 to 127) of
// an optional message during a call of MessageDlgWithOption, NoOptionalMessage otherwise.
struct TPendingMessage {
    std::string Text;
    uint8_t Kind = 0;
    uint16_t Buttons = 0;
    uint8_t OptionalIndex = 255;
};
constexpr uint8_t NoOptionalMessage = 255;
extern TPendingMessage PendingMessage;

// Set around work that must not stop for questions: every message then answers Cancel unseen.
extern bool SilentMessages;

// Installed by the main window: what it does after every message (clears its transient status text,
// refreshes its command states, tells the active document that a message was shown).
extern void (*AfterMessageShown)();

// Shows Text ("||" a line break) as a message of a kind (0 warning, 1 error, 2 information,
// 3 confirmation; another kind shows without sound or icon) with a set of buttons (bit 0 Yes, 1 No,
// 2 OK, 3 Cancel, 4 Abort, 5 Retry, 6 Ignore) and returns the button pressed (1 OK, 2 Cancel,
// 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No). Program event 1000 + kind fires first. Cancel is also
// the answer when nothing could be shown; the system's message box stands in for a message form
// that fails. Checking spelling as the user types is off while the message shows.
int MessageDlgEx(const std::string& text, uint8_t kind, uint16_t buttons);
// The same for optional message number Index (0 to 127): the form offers to stop showing it, after
// which the answer then given is returned without showing anything.
int MessageDlgWithOption(const std::string& text, uint8_t kind, uint16_t buttons, uint8_t optionalIndex);
int ShowInformation(const std::string& text);
int ShowWarning(const std::string& text);
void ShowError(const std::string& text);
// The system's message box with the error icon, whatever the silent mode, and no sound.
void ShowErrorMessage(const std::string& text);
