// Number texts in the user's locale: the decimal separator and the general float-to-text conversion.
#pragma once
#include <string>

// The decimal separator of the user's default locale (a comma in French).
char LocaleDecimalSeparator();

// A number in the general format: up to 15 significant digits, no trailing zeros, the locale's decimal
// separator.
std::string FloatToText(double value);
