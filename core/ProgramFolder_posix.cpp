// The program's path on the host.
#include "core/ProgramFolder.h"

#include <filesystem>

std::string ProgramPath()
{
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).string();
}
