// The decimal separator of the user's default locale, asked of Windows.
#include "core/LocaleFormat.h"
#include <windows.h>

char LocaleDecimalSeparator()
{
    char buffer[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) > 1 && buffer[0])
        return buffer[0];
    return '.';
}
