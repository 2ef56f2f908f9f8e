// Text helpers: replacement, byte scans, case mapping and comparison under a locale, and numbers
// written in other bases, as letters or as Roman numerals.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Replaces every occurrence of Old by New. When New is shorter, an occurrence that a replacement
// forms with the text around it is replaced too (any run of backslashes, "\\\\" by "\\", ends as
// one); otherwise one pass is made from left to right.
std::string ReplaceAll(std::string_view text, std::string_view oldText, std::string_view newText);
// Message texts write a line break as "||".
std::string BarsToLineBreaks(std::string_view text);
std::string LineBreaksToBars(std::string_view text);

// Length of the leading run of bytes of code 32 or more within Count bytes.
int32_t CountPlainChars(const char* buffer, int32_t count);
// Index of the first occurrence of a byte within Count bytes, or -1.
int32_t IndexOfByte(const char* buffer, char value, int32_t count);
// Compares Count bytes as signed values: -1 or 1 at the first difference; when all are equal, 0 only
// when A ends (a 0 byte) right after them, else 1.
int ComparePCharToBuf(const char* a, const char* b, int32_t count);

// Language 0x400 stands for the program's default language.
constexpr int32_t DefaultLanguage = 0x400;
// The system's test of a character under a language: alphabetic or a digit.
bool IsAlphaNumChar(int32_t language, char c);
// Upper-case under a locale's rules.
void UpperCaseBufLocale(int32_t locale, const char* source, char* dest, int32_t count);
std::string UpperCaseLocale(int32_t locale, std::string_view text);
// Lower-case under a locale's rules.
void LowerCaseBufLocale(int32_t locale, const char* source, char* dest, int32_t count);
// Copies Count bytes, each accented capital of "ÀÁÂÈÉÊÌÍÎÒÓÔÙÚÛ" replaced by its plain letter.
void StripCapitalAccents(const char* source, char* dest, int32_t count);
std::string StripCapitalAccents(std::string_view text);
// Whether a language's autocorrection accepts capitals written without accents; installed by the
// writing tools (no language does while none is installed).
extern bool (*CapitalsWithoutAccentsOption)(int32_t language);
// Equal after upper-casing under the locale; in French with capitals accepted without accents, the
// accents of capitals do not count.
bool SameTextLocale(int32_t locale, std::string_view a, std::string_view b);
// The user's locale's string sort order as -1, 0 or 1, with and without regard to case.
int CompareStrLocale(std::string_view a, std::string_view b);
int CompareTextLocale(std::string_view a, std::string_view b);

// A whole number with spaces between thousands and no decimals ("1 234 567").
std::string FormatNumberSpaced(int64_t value);
// The digits of a number in base 2, 8 or 16 (capital hexadecimal digits), "-" before negatives.
std::string IntToBin(int64_t value);
std::string IntToOct(int64_t value);
std::string IntToHexStr(int64_t value);
// Reads an optional sign, then (after trimming) the digits of the base; an empty text, a wrong
// digit or a value above 2147483647 raises Exception "Invalid integer constant".
int32_t BinToInt(std::string_view text);
int32_t OctToInt(std::string_view text);
int32_t HexToInt(std::string_view text);
// Letter numbering: 1 A ... 26 Z, 27 AA, 28 BB ... 780 thirty Z; empty below 1, and the decimal
// number above 780.
std::string IntToLetters(int32_t n);
// Capital Roman numerals up to 10 000 000 (ten thousand M at most); empty below 1, and the decimal
// number above.
std::string IntToRoman(int32_t n);
// The value of Roman numerals in either case; Default for any other character or a value beyond 32
// bits; 0 for an empty text.
int32_t RomanToIntDef(std::string_view text, int32_t fallback);

constexpr int32_t MaxLetterNumber = 780;
constexpr int32_t MaxRomanNumber = 10000000;
