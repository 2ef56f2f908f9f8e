// The program's own file and folder.
#pragma once
#include <string>

// The program's full path.
std::string ProgramPath();
// The program's folder, with a trailing separator.
std::string ProgramFolder();
