// The host build has no structured storage of the system: the program's own reader serves.
#include "formats/word/SystemStorage.h"

std::unique_ptr<TWordStreamSource> OpenSystemWordStorage(const std::string&)
{
    return nullptr;
}
