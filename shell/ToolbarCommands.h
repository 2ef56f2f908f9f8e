// What the toolbars ask the command manager about a command: its caption, whether it is enabled and
// its checked state (0 checked, 1 not checked, 2 mixed).
#pragma once
#include <cstdint>
#include <string>

std::string ToolbarCommandCaption(int32_t command);
bool ToolbarCommandEnabled(int32_t command);
int ToolbarCommandState(int32_t command);
