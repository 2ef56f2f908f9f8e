// What the core services ask of the running system: the process's command line and its locale.
#pragma once
#include <string>

// The command line the process was started with, program name first.
std::string ProcessCommandLine();
// The system's default locale is Spanish (primary language 10).
bool SystemLocaleIsSpanish();
