// The password dialogs of encrypted documents: a new password typed twice for saving, the password of a
// document being opened. Each can remember the password for the rest of the run, enciphered in memory
// and never written to disk.
#pragma once
#include <string>

// True and the typed password, enciphered in memory, when the dialog closes with OK.
bool AskPasswordForSaving(std::string& password);
bool AskPasswordForOpening(std::string& password);
