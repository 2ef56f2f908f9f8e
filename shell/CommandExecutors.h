// The executors of the command-number ranges, one source file each. Each runs the numbers it knows
// and returns false for the others; the command manager tells the user about a known command that
// no executor ran.
#pragma once
#include <cstdint>

// The history lists' own commands (340 - 352 of the file histories, 3660 and 3665 of the find and
// replace histories), run before the range executors.
bool ExecuteHistoryCommand(int32_t command);
bool ExecuteFileCommand(int32_t command);      // 100 - 2999: files, tools and their settings
bool ExecuteEditCommand(int32_t command);      // 3000 - 5999: editing, clipboard, insertion
bool ExecuteViewCommand(int32_t command);      // 6000 - 8999: view, bars, zoom
bool ExecuteParagraphCommand(int32_t command); // 9000 - 11999: paragraph format
bool ExecuteCharacterCommand(int32_t command); // 12000 - 14999: character format
bool ExecutePageCommand(int32_t command);      // 15000 - 17999: pictures, sections, columns
bool ExecuteWindowCommand(int32_t command);    // 90000 - 92999: document windows and tray
bool ExecuteHelpCommand(int32_t command);      // 100000 - 102999: help, about
// 200000 - 214999: the argument forms, run with a 32-bit argument.
bool ExecuteArgumentCommand(int32_t command, intptr_t argument);

// The commands inserting the current date or time: this number plus the index of the format in the
// table of date and time formats.
constexpr int32_t DateTimeCommand = 4260;
