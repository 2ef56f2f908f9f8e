// Case mapping, comparison and trimming of 8-bit texts in the Windows code page.
#pragma once
#include <string>
#include <string_view>

// Upper- and lower-case under the user's locale (on the host: the Windows-1252 letters).
std::string AnsiUpperCase(std::string_view text);
std::string AnsiLowerCase(std::string_view text);
// The user's locale's order of two texts, as -1, 0 or 1, with or without regard to case (on the
// host: byte order, after upper-casing for the case-insensitive one).
int AnsiCompareStr(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);
inline bool SameText(std::string_view a, std::string_view b)
{
    return AnsiCompareText(a, b) == 0;
}

// The text without the blanks and control characters at its ends.
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);
