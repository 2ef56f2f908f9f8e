// Case mapping and comparison of texts under the user's Windows locale.
#include <windows.h>

#include <climits>

#include "classlib/runtime/AnsiStrings.h"

namespace {

std::string MapCase(std::string_view text, DWORD flags)
{
    std::string s(text);
    if (!s.empty() && s.size() < INT_MAX)
        LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), static_cast<int>(text.size()), s.data(),
                     static_cast<int>(s.size()));
    return s;
}

int Compare(std::string_view a, std::string_view b, DWORD flags)
{
    int r = CompareStringA(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()), b.data(),
                           static_cast<int>(b.size()));
    return r == CSTR_LESS_THAN ? -1 : r == CSTR_GREATER_THAN ? 1 : 0;
}

} // namespace

std::string AnsiUpperCase(std::string_view text)
{
    return MapCase(text, LCMAP_UPPERCASE);
}

std::string AnsiLowerCase(std::string_view text)
{
    return MapCase(text, LCMAP_LOWERCASE);
}

int AnsiCompareStr(std::string_view a, std::string_view b)
{
    return Compare(a, b, 0);
}

int AnsiCompareText(std::string_view a, std::string_view b)
{
    return Compare(a, b, NORM_IGNORECASE);
}
