// The system's names of languages, from its locale tables.
#include "core/Languages.h"
#include "core/ShellUtils.h"

std::string SystemLanguageName(int32_t language)
{
    return GetLocaleLanguageName(language);
}
