// The process's command line and the system locale, for the host build.
#include "core/PlatformInfo.h"

#include <fstream>
#include <sstream>

std::string ProcessCommandLine()
{
    // The arguments as the kernel keeps them, NUL-separated; each is quoted when it holds a blank.
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::stringstream raw;
    raw << in.rdbuf();
    std::string line, arg;
    for (char c : raw.str() + std::string(1, '\0')) {
        if (c != '\0') {
            arg += c;
            continue;
        }
        if (!line.empty())
            line += ' ';
        line += arg.find_first_of(" \t") == std::string::npos ? arg : "\"" + arg + "\"";
        arg.clear();
    }
    return line;
}

bool SystemLocaleIsSpanish()
{
    return false;
}
