// Optional messages: the remembered answers of the messages the user asked not to see again, and the
// message-form entry that answers them without showing anything.
#pragma once
#include <cstdint>

class TMemory;

// Numbers of optional messages run from 0 to 127.
constexpr int OptionalMessageCount = 128;
// In an answer byte: the message is not to be shown any more; bits 0-6 hold the kind of the button
// pressed then (0 Yes, 1 No, 2 OK, 3 Cancel, 4 Abort, 5 Retry, 6 Ignore, 7 All, 8 No to all,
// 9 Yes to all).
constexpr uint8_t OptionalMessageOff = 0x80;

// The answer buffer, one byte per optional message (absent bytes count as 0); the settings holder loads
// it from and saves it to the setting "OptionalMsgs".
TMemory& OptionalMessageAnswers();
uint8_t OptionalMessageAnswer(int index);
// Stores an answer byte, growing the buffer (with zeros) to hold it first.
void SetOptionalMessageAnswer(int index, uint8_t answer);
// The user switched the message off and the remembered answer is a button kind.
bool OptionalMessageSwitchedOff(int index);

// The message-form entry beneath MessageDlgEx for the pending message: returns the remembered answer
// of an optional message switched off; otherwise shows the form (with its check box for an optional
// message), remembers the answer when the box was ticked and tells the user how to undo it.
int ShowMessageForm();

extern const char* const OptionalMessageCheckBoxCaption;
extern const char* const OptionalMessageOffNotice;
