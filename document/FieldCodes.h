// Field codes: splitting a code into its words and reading a hyperlink's address and tooltip.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The words of a field code: split at blanks outside double quotes and after each quoted part, runs of
// backslashes made one, the quotes around a word taken off, empty words dropped.
std::vector<std::string> SplitFieldCode(std::string_view code);
// The address of a hyperlink code ("\l" adds "#" and a bookmark to it) and its tooltip ("\o").
void ParseHyperlinkFieldCode(std::string_view code, std::string& address, std::string& tooltip);

// A page or note number in a notation: 0 decimal, 1 lower-case letters, 2 upper-case letters, 3 lower-case
// Roman, 4 upper-case Roman. A number the notation cannot show (below 1, or beyond its range) is written
// in decimal.
std::string FormatPageNumber(int32_t n, int style);
// The notation of FormatPageNumber for a numbering format of sections and notes (0 decimal, 1 upper-case
// Roman, 2 lower-case Roman, 3 upper-case letters, 4 lower-case letters).
int NotationOfNumberingFormat(int32_t format);
// A number written with the symbol sequence: the symbol at (n - 1) mod its length, repeated n / length
// times rounded up; decimal below 1.
std::string FormatSymbolNumber(int32_t n);
// A number in a numbering format of sections and notes: 0 to 4 as NotationOfNumberingFormat, 5 and above
// the symbol sequence.
std::string FormatNumberingFormat(int32_t n, int32_t format);
