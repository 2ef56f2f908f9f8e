// Character types, case mapping and string order under a Windows locale.
#include <windows.h>

#include "core/TextUtils.h"

bool IsAlphaNumChar(int32_t language, char c)
{
    WORD type = 0;
    if (!GetStringTypeExA(static_cast<LCID>(language), CT_CTYPE1, &c, 1, &type))
        return false;
    return (type & (C1_ALPHA | C1_DIGIT)) != 0;
}

void UpperCaseBufLocale(int32_t locale, const char* source, char* dest, int32_t count)
{
    if (count > 0)
        LCMapStringA(static_cast<LCID>(locale), LCMAP_UPPERCASE, source, count, dest, count);
}

void LowerCaseBufLocale(int32_t locale, const char* source, char* dest, int32_t count)
{
    if (count > 0)
        LCMapStringA(static_cast<LCID>(locale), LCMAP_LOWERCASE, source, count, dest, count);
}

namespace {

int Compare(std::string_view a, std::string_view b, DWORD flags)
{
    int r = CompareStringA(LOCALE_USER_DEFAULT, flags | SORT_STRINGSORT, a.data(), static_cast<int>(a.size()),
                           b.data(), static_cast<int>(b.size()));
    return r == CSTR_LESS_THAN ? -1 : r == CSTR_GREATER_THAN ? 1 : 0;
}

} // namespace

int CompareStrLocale(std::string_view a, std::string_view b)
{
    return Compare(a, b, 0);
}

int CompareTextLocale(std::string_view a, std::string_view b)
{
    return Compare(a, b, NORM_IGNORECASE);
}
