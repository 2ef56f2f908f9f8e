// Text replacement, byte scans, numbers in other notations, and the host's locale functions.
#include "core/TextUtils.h"

#include <cstring>

#include "classlib/runtime/AnsiStrings.h"
#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Format.h"

bool (*CapitalsWithoutAccentsOption)(int32_t language) = nullptr;

std::string ReplaceAll(std::string_view text, std::string_view oldText, std::string_view newText)
{
    std::string s(text);
    if (oldText.empty())
        return s;
    // A shorter replacement may form a new occurrence with what surrounds it, which is replaced in
    // turn (the text shrinks each time, so this ends). A replacement as long or longer is made in one
    // pass from left to right, which always ends.
    const bool again = newText.size() < oldText.size();
    size_t from = 0;
    for (;;) {
        size_t p = s.find(oldText, from);
        if (p == std::string::npos)
            return s;
        s.replace(p, oldText.size(), newText);
        // Nothing before p matched, so a new occurrence overlaps the inserted text.
        from = !again ? p + newText.size() : p >= oldText.size() - 1 ? p - (oldText.size() - 1) : 0;
    }
}

std::string BarsToLineBreaks(std::string_view text)
{
    return ReplaceAll(text, "||", "\r\n");
}

std::string LineBreaksToBars(std::string_view text)
{
    return ReplaceAll(text, "\r\n", "||");
}

int32_t CountPlainChars(const char* buffer, int32_t count)
{
    int32_t n = 0;
    while (n < count && static_cast<unsigned char>(buffer[n]) >= 32)
        ++n;
    return n;
}

int32_t IndexOfByte(const char* buffer, char value, int32_t count)
{
    if (count <= 0)
        return -1;
    const void* p = std::memchr(buffer, value, static_cast<size_t>(count));
    return p ? static_cast<int32_t>(static_cast<const char*>(p) - buffer) : -1;
}

int ComparePCharToBuf(const char* a, const char* b, int32_t count)
{
    for (int32_t i = 0; i < count; ++i) {
        auto x = static_cast<signed char>(a[i]);
        auto y = static_cast<signed char>(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
        if (x == 0)
            return 1; // both end here: A does not end right after Count bytes
    }
    return a[count] == 0 ? 0 : 1;
}

namespace {

// The capitals of the accent table, sorted, and their plain letters position for position.
const char AccentedCapitals[] = "ÀÁÂÈÉÊÌÍÎÒÓÔÙÚÛ";
const char PlainCapitals[] = "AAAEEEIIIOOOUUU";

char StripCapitalAccent(char c)
{
    int lo = 0, hi = static_cast<int>(sizeof AccentedCapitals) - 2;
    auto u = static_cast<unsigned char>(c);
    while (lo <= hi) {
        int mid = (lo + hi) / 2;
        auto m = static_cast<unsigned char>(AccentedCapitals[mid]);
        if (m == u)
            return PlainCapitals[mid];
        if (m < u)
            lo = mid + 1;
        else
            hi = mid - 1;
    }
    return c;
}

std::string Digits(int64_t value, unsigned base)
{
    const uint64_t v = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    const std::string s = UnsignedDigits(v, base, true);
    return value < 0 ? "-" + s : s;
}

int32_t ReadDigits(std::string_view text, unsigned base)
{
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    std::string t = Trim(text);
    if (t.empty())
        throw Exception("Invalid integer constant");
    int64_t v = 0;
    for (char c : t) {
        unsigned d = c >= '0' && c <= '9'   ? static_cast<unsigned>(c - '0')
                     : c >= 'a' && c <= 'f' ? static_cast<unsigned>(c - 'a' + 10)
                     : c >= 'A' && c <= 'F' ? static_cast<unsigned>(c - 'A' + 10)
                                            : 99;
        if (d >= base)
            throw Exception("Invalid integer constant");
        v = v * base + d;
        if (v > INT32_MAX)
            throw Exception("Invalid integer constant");
    }
    return static_cast<int32_t>(negative ? -v : v);
}

int RomanDigit(char c)
{
    switch (c) {
    case 'I':
    case 'i': return 1;
    case 'V':
    case 'v': return 5;
    case 'X':
    case 'x': return 10;
    case 'L':
    case 'l': return 50;
    case 'C':
    case 'c': return 100;
    case 'D':
    case 'd': return 500;
    case 'M':
    case 'm': return 1000;
    default: return 0;
    }
}

} // namespace

void StripCapitalAccents(const char* source, char* dest, int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
        dest[i] = StripCapitalAccent(source[i]);
}

std::string StripCapitalAccents(std::string_view text)
{
    std::string s(text.size(), '\0');
    StripCapitalAccents(text.data(), s.data(), static_cast<int32_t>(text.size()));
    return s;
}

std::string UpperCaseLocale(int32_t locale, std::string_view text)
{
    std::string s(text.size(), '\0');
    UpperCaseBufLocale(locale, text.data(), s.data(), static_cast<int32_t>(text.size()));
    return s;
}

bool SameTextLocale(int32_t locale, std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    std::string ua = UpperCaseLocale(locale, a);
    std::string ub = UpperCaseLocale(locale, b);
    const bool french = (locale & 0x3FF) == 12;
    if (french && CapitalsWithoutAccentsOption && CapitalsWithoutAccentsOption(locale)) {
        ua = StripCapitalAccents(ua);
        ub = StripCapitalAccents(ub);
    }
    return ua == ub;
}

std::string FormatNumberSpaced(int64_t value)
{
    const char saved = FormatSettings.ThousandSeparator;
    FormatSettings.ThousandSeparator = ' ';
    std::string s = Format("%.0n", value);
    FormatSettings.ThousandSeparator = saved;
    return s;
}

std::string IntToBin(int64_t value)
{
    return Digits(value, 2);
}

std::string IntToOct(int64_t value)
{
    return Digits(value, 8);
}

std::string IntToHexStr(int64_t value)
{
    return Digits(value, 16);
}

int32_t BinToInt(std::string_view text)
{
    return ReadDigits(text, 2);
}

int32_t OctToInt(std::string_view text)
{
    return ReadDigits(text, 8);
}

int32_t HexToInt(std::string_view text)
{
    return ReadDigits(text, 16);
}

std::string IntToLetters(int32_t n)
{
    if (n < 1)
        return std::string();
    if (n > MaxLetterNumber)
        return std::to_string(n);
    return std::string(static_cast<size_t>((n - 1) / 26 + 1), static_cast<char>('A' + (n - 1) % 26));
}

std::string IntToRoman(int32_t n)
{
    if (n < 1)
        return std::string();
    if (n > MaxRomanNumber)
        return std::to_string(n);
    static const struct {
        int value;
        const char* text;
    } steps[] = {
        {1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"},
        {40, "XL"},  {10, "X"},   {9, "IX"},  {5, "V"},    {4, "IV"},  {1, "I"},
    };
    std::string s;
    for (const auto& step : steps)
        for (; n >= step.value; n -= step.value)
            s += step.text;
    return s;
}

int32_t RomanToIntDef(std::string_view text, int32_t fallback)
{
    int64_t v = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        int d = RomanDigit(text[i]);
        if (d == 0)
            return fallback;
        int next = i + 1 < text.size() ? RomanDigit(text[i + 1]) : 0;
        if (i + 1 < text.size() && next == 0)
            return fallback;
        if (next > d) {
            v += next - d;
            ++i;
        } else {
            v += d;
        }
        if (v > INT32_MAX)
            return fallback;
    }
    return static_cast<int32_t>(v);
}

#if !defined(_WIN32)
// Without Windows the locale functions follow the Windows-1252 letters for every language.
bool IsAlphaNumChar(int32_t, char c)
{
    auto u = static_cast<unsigned char>(c);
    if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z'))
        return true;
    if (u >= 0xC0)
        return u != 0xD7 && u != 0xF7;
    return u == 0x83 || u == 0x8A || u == 0x8C || u == 0x8E || u == 0x9A || u == 0x9C || u == 0x9E ||
           u == 0x9F || u == 0xAA || u == 0xB5 || u == 0xBA || u == 0xB2 || u == 0xB3 || u == 0xB9;
}

void UpperCaseBufLocale(int32_t, const char* source, char* dest, int32_t count)
{
    if (count <= 0)
        return;
    std::string s = AnsiUpperCase(std::string_view(source, static_cast<size_t>(count)));
    std::memcpy(dest, s.data(), s.size());
}

void LowerCaseBufLocale(int32_t, const char* source, char* dest, int32_t count)
{
    if (count <= 0)
        return;
    std::string s = AnsiLowerCase(std::string_view(source, static_cast<size_t>(count)));
    std::memcpy(dest, s.data(), s.size());
}

int CompareStrLocale(std::string_view a, std::string_view b)
{
    return AnsiCompareStr(a, b);
}

int CompareTextLocale(std::string_view a, std::string_view b)
{
    return AnsiCompareText(a, b);
}
#endif
