// The host build has no locale tables: no language has a name.
#include "core/Languages.h"

std::string SystemLanguageName(int32_t)
{
    return std::string();
}
