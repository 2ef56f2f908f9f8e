// Trimming, and the host's case mapping and comparison of Windows-1252 texts.
#include "classlib/runtime/AnsiStrings.h"

namespace {

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

std::string TrimLeft(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    return std::string(text.substr(i));
}

std::string TrimRight(std::string_view text)
{
    size_t n = text.size();
    while (n > 0 && IsBlank(text[n - 1]))
        --n;
    return std::string(text.substr(0, n));
}

std::string Trim(std::string_view text)
{
    return TrimLeft(TrimRight(text));
}

#if !defined(_WIN32)
namespace {

unsigned char Upper1252(unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<unsigned char>(c - 0x20);
    switch (c) {
    case 0x9A: return 0x8A; // š
    case 0x9C: return 0x8C; // œ
    case 0x9E: return 0x8E; // ž
    case 0xFF: return 0x9F; // ÿ
    default: return c;
    }
}

unsigned char Lower1252(unsigned char c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<unsigned char>(c + 0x20);
    switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
    }
}

int CompareBytes(std::string_view a, std::string_view b, unsigned char (*map)(unsigned char))
{
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = map(static_cast<unsigned char>(a[i]));
        unsigned char y = map(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

unsigned char Same(unsigned char c)
{
    return c;
}

} // namespace

std::string AnsiUpperCase(std::string_view text)
{
    std::string s(text);
    for (char& c : s)
        c = static_cast<char>(Upper1252(static_cast<unsigned char>(c)));
    return s;
}

std::string AnsiLowerCase(std::string_view text)
{
    std::string s(text);
    for (char& c : s)
        c = static_cast<char>(Lower1252(static_cast<unsigned char>(c)));
    return s;
}

int AnsiCompareStr(std::string_view a, std::string_view b)
{
    return CompareBytes(a, b, Same);
}

int AnsiCompareText(std::string_view a, std::string_view b)
{
    return CompareBytes(a, b, Upper1252);
}
#endif
