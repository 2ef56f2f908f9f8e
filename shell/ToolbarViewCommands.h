// The view commands of the toolbars (6040 - 6043 and 6220 - 6280) and their states, over the toolbar
// manager's settings; and the refresh of the toolbar buttons after a command.
#pragma once
#include <cstdint>

// The number of toolbars among the first four shown in the current mode.
int VisibleToolbarCount();
// The checked state (0 checked, 1 not checked) of a toolbar command.
int ToolbarViewCommandState(int32_t command);
// Runs a toolbar command; false for a number it does not know.
bool ExecuteToolbarViewCommand(int32_t command);
// The enabled and checked states of every toolbar button brought up to date.
void RefreshToolbarButtons();
