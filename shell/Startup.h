// The program's start-up and shutdown: every service created, the documents opened, the message loop
// run, then the settings saved and the services freed, each in its order.
#pragma once
#include <string>

class TFindReplaceForm;

// The find-and-replace form while the program runs (its histories feed the find and replace menus).
extern TFindReplaceForm* FindReplaceForm;

// The program to start after this one ended (a downloaded setup program); empty for none.
extern std::string RunAfterExitCommand;

// Writes every setting, with what the main window, the dispatcher and the find-and-replace form hold,
// to the store that the switches choose.
void SaveAllSettings();

// The whole life of the program; returns its exit code.
int ProgramMainBlock();
