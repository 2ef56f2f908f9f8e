// Replacing a file on Windows: one rename that overwrites the target, written through to the disk.
#include <windows.h>

#include "core/SafeSave.h"

bool ReplaceFileWith(const std::string& source, const std::string& target)
{
    return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
           0;
}
