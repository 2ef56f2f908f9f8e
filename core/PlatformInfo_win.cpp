// The process's command line and the system locale, asked of Windows.
#include "core/PlatformInfo.h"

#include <windows.h>

std::string ProcessCommandLine()
{
    const char* line = GetCommandLineA();
    return line ? line : "";
}

bool SystemLocaleIsSpanish()
{
    return PRIMARYLANGID(GetSystemDefaultLangID()) == LANG_SPANISH;
}
