// The stack of current folders kept around file searches and dialogs, and file-name comparisons.
#pragma once
#include <string>
#include <string_view>

// The current folder with a trailing separator.
std::string GetCurrentDirSlash();
// Remembers the current folder; PopCurrentDir makes the last remembered one current again and forgets
// it (nothing when none is remembered).
void PushCurrentDir();
void PopCurrentDir();
// The same file name after upper-casing both with the system's character mapping.
bool SameFileName(std::string_view a, std::string_view b);
// The name without its extension.
std::string RemoveFileExt(std::string_view name);
