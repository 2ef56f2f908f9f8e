// The general float-to-text conversion, and the decimal separator where no Windows runs.
#include "core/LocaleFormat.h"
#include <clocale>
#include <cstdio>

#ifndef _WIN32
char LocaleDecimalSeparator()
{
    const lconv* conv = std::localeconv();
    return conv && conv->decimal_point && conv->decimal_point[0] ? conv->decimal_point[0] : '.';
}
#endif

std::string FloatToText(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string text = buffer;
    // The C library writes its own separator; the user's locale decides the one shown.
    for (char& c : text)
        if (c == '.' || c == ',')
            c = LocaleDecimalSeparator();
    return text;
}
