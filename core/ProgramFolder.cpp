// The program's folder from its path.
#include "core/ProgramFolder.h"

#include "classlib/runtime/Files.h"

std::string ProgramFolder()
{
    return ExtractFilePath(ProgramPath());
}
