// The byte classification tables that the document scanners share (RTF, plain text, settings values).
#pragma once
#include <array>
#include <cstdint>

namespace chartables {

constexpr std::array<uint8_t, 256> MakeLetters()
{
    std::array<uint8_t, 256> t{};
    for (int c = 'a'; c <= 'z'; ++c)
        t[c] = static_cast<uint8_t>(c);
    for (int c = 'A'; c <= 'Z'; ++c)
        t[c] = static_cast<uint8_t>(c - 'A' + 'a');
    return t;
}

constexpr std::array<uint8_t, 256> MakeHexValues()
{
    std::array<uint8_t, 256> t{};
    for (auto& v : t)
        v = 255;
    for (int c = '0'; c <= '9'; ++c)
        t[c] = static_cast<uint8_t>(c - '0');
    for (int c = 'a'; c <= 'f'; ++c)
        t[c] = static_cast<uint8_t>(c - 'a' + 10);
    for (int c = 'A'; c <= 'F'; ++c)
        t[c] = static_cast<uint8_t>(c - 'A' + 10);
    return t;
}

// 0 for codes 0 to 31, 1 for 32 to 127 other than "\", "{" and "}", 2 for those three, 3 for 128 to 255.
constexpr std::array<uint8_t, 256> MakeClasses()
{
    std::array<uint8_t, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[c] = c < 32 ? 0 : c < 128 ? 1 : 3;
    t['\\'] = t['{'] = t['}'] = 2;
    return t;
}

constexpr std::array<bool, 256> MakePlainText()
{
    std::array<bool, 256> t{};
    for (int c = 32; c < 256; ++c)
        t[c] = true;
    t['\\'] = t['{'] = t['}'] = false;
    t[150] = t[151] = t[160] = false;
    return t;
}

// The special character that a byte of a text file stands for (tab, breaks, hyphens, dashes, the
// non-breaking space), 0 for an ordinary byte.
constexpr std::array<uint8_t, 256> MakeTextSpecials()
{
    std::array<uint8_t, 256> t{};
    t[9] = 7;
    t[11] = 5;
    t[12] = 6;
    t[15] = 4;
    t[16] = 11;
    t[31] = 14;
    t[150] = 13;
    t[151] = 12;
    t[160] = 10;
    return t;
}

} // namespace chartables

// "A" to "Z" give "a" to "z", "a" to "z" themselves, everything else 0.
inline constexpr std::array<uint8_t, 256> LetterTable = chartables::MakeLetters();
// "0"-"9", "a"-"f", "A"-"F" give 0 to 15, everything else 255.
inline constexpr std::array<uint8_t, 256> HexValueTable = chartables::MakeHexValues();
inline constexpr std::array<uint8_t, 256> CharClassTable = chartables::MakeClasses();
// Every code but 0 to 31, "\", "{", "}", 150, 151 and 160.
inline constexpr std::array<bool, 256> PlainTextTable = chartables::MakePlainText();
inline constexpr std::array<uint8_t, 256> TextSpecialTable = chartables::MakeTextSpecials();

inline bool IsParameterChar(uint8_t c)
{
    return c == '-' || (c >= '0' && c <= '9');
}
inline bool IsDigitChar(uint8_t c)
{
    return c >= '0' && c <= '9';
}
