// The number separators of the user's Windows locale.
#include <windows.h>

#include "classlib/runtime/Format.h"

namespace {

char LocaleChar(LCTYPE item, char fallback)
{
    char buf[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, item, buf, sizeof buf) < 2)
        return fallback;
    return buf[0];
}

} // namespace

TFormatSettings LocaleFormatSettings()
{
    TFormatSettings s;
    s.DecimalSeparator = LocaleChar(LOCALE_SDECIMAL, '.');
    s.ThousandSeparator = LocaleChar(LOCALE_STHOUSAND, 0);
    return s;
}
