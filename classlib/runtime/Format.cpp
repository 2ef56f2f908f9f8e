// Printf-style formatting and the conversions between numbers and text.
#include "classlib/runtime/Format.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "classlib/runtime/Exceptions.h"

TFormatSettings FormatSettings = LocaleFormatSettings();

#if !defined(_WIN32)
TFormatSettings LocaleFormatSettings()
{
    return TFormatSettings{};
}
#endif

namespace {

[[noreturn]] void BadFormat(std::string_view pattern)
{
    throw EConvertError("Format \"" + std::string(pattern) +
                        "\" incorrect ou incompatible avec ses arguments.");
}

// The C library's text of a floating-point number, with the point replaced by the decimal separator.
std::string CFloat(char conversion, int precision, long double value)
{
    char conv[16];
    std::snprintf(conv, sizeof conv, "%%.%dL%c", precision, conversion);
    char buf[512];
    int n = std::snprintf(buf, sizeof buf, conv, value);
    std::string s;
    if (n >= static_cast<int>(sizeof buf)) {
        s.resize(static_cast<size_t>(n) + 1);
        std::snprintf(s.data(), s.size(), conv, value);
        s.resize(static_cast<size_t>(n));
    } else {
        s.assign(buf, n > 0 ? static_cast<size_t>(n) : 0);
    }
    for (char& c : s)
        if (c == '.')
            c = FormatSettings.DecimalSeparator;
    return s;
}

// Inserts the thousands separator into the integer digits of a fixed-point text.
std::string GroupThousands(const std::string& fixed)
{
    size_t start = (!fixed.empty() && fixed[0] == '-') ? 1 : 0;
    size_t end = start;
    while (end < fixed.size() && fixed[end] >= '0' && fixed[end] <= '9')
        ++end;
    if (FormatSettings.ThousandSeparator == 0 || end - start <= 3)
        return fixed;
    std::string out = fixed.substr(0, start);
    for (size_t i = start; i < end; ++i) {
        if (i > start && (end - i) % 3 == 0)
            out += FormatSettings.ThousandSeparator;
        out += fixed[i];
    }
    return out + fixed.substr(end);
}

// The value of an integer argument as an unsigned number: a negative 32-bit value is taken as its
// 32-bit pattern, as a Windows program expects of %u and %x.
uint64_t AsUnsigned(const TFormatArg& a)
{
    if (a.Kind == TFormatArg::akUInt)
        return a.UInt;
    if (a.Int < 0 && a.Int >= INT32_MIN)
        return static_cast<uint32_t>(a.Int);
    return static_cast<uint64_t>(a.Int);
}

std::string_view Trimmed(std::string_view t)
{
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t'))
        t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t'))
        t.remove_suffix(1);
    return t;
}

} // namespace

std::string UnsignedDigits(uint64_t v, unsigned base, bool upper)
{
    std::string s;
    do {
        s.insert(s.begin(), HexDigit(unsigned(v % base), upper));
        v /= base;
    } while (v);
    return s;
}

std::string HexBytes(const uint8_t* data, size_t size, bool upper)
{
    std::string text;
    text.reserve(size * 2);
    for (size_t i = 0; i < size; ++i) {
        text += HexDigit(data[i] >> 4, upper);
        text += HexDigit(data[i], upper);
    }
    return text;
}

std::string HexWord(uint32_t value, bool upper)
{
    std::string text;
    for (int shift = 28; shift >= 0; shift -= 4)
        text += HexDigit(value >> shift, upper);
    return text;
}

std::string FormatList(std::string_view pattern, const std::vector<TFormatArg>& args)
{
    std::string out;
    size_t next = 0;
    size_t i = 0;
    while (i < pattern.size()) {
        char c = pattern[i++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i < pattern.size() && pattern[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        bool left = false, zero = false;
        for (; i < pattern.size() && (pattern[i] == '-' || pattern[i] == '0'); ++i)
            (pattern[i] == '-' ? left : zero) = true;
        int width = 0, precision = -1;
        for (; i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9'; ++i)
            width = std::min(width * 10 + (pattern[i] - '0'), 4096);
        if (i < pattern.size() && pattern[i] == '.') {
            precision = 0;
            for (++i; i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9'; ++i)
                precision = std::min(precision * 10 + (pattern[i] - '0'), 64);
        }
        if (i >= pattern.size() || next >= args.size())
            BadFormat(pattern);
        char conv = pattern[i++];
        const TFormatArg& a = args[next++];
        const bool isInt = a.Kind == TFormatArg::akInt || a.Kind == TFormatArg::akUInt;
        const bool isNumber = isInt || a.Kind == TFormatArg::akFloat;
        std::string s;
        bool numeric = true;
        switch (conv) {
        case 'd':
        case 'i':
        case 'u':
        case 'x':
        case 'X': {
            if (!isInt)
                BadFormat(pattern);
            bool negative = false;
            uint64_t magnitude;
            if (conv == 'd' || conv == 'i') {
                negative = a.Kind == TFormatArg::akInt && a.Int < 0;
                magnitude = negative ? 0 - static_cast<uint64_t>(a.Int) : AsUnsigned(a);
            } else {
                magnitude = AsUnsigned(a);
            }
            s = UnsignedDigits(magnitude, (conv == 'x' || conv == 'X') ? 16 : 10, conv == 'X');
            if (precision >= 0 && static_cast<int>(s.size()) < precision)
                s.insert(0, static_cast<size_t>(precision) - s.size(), '0');
            if (negative)
                s.insert(0, 1, '-');
            break;
        }
        case 'c':
            if (!isInt)
                BadFormat(pattern);
            s.assign(1, static_cast<char>(AsUnsigned(a)));
            numeric = false;
            break;
        case 's':
            if (a.Kind != TFormatArg::akString)
                BadFormat(pattern);
            s = a.Str;
            if (precision >= 0 && static_cast<int>(s.size()) > precision)
                s.resize(static_cast<size_t>(precision));
            numeric = false;
            break;
        case 'f':
        case 'e':
        case 'g':
        case 'n': {
            if (!isNumber)
                BadFormat(pattern);
            long double v = a.Kind == TFormatArg::akFloat ? a.Float
                            : a.Kind == TFormatArg::akInt ? static_cast<long double>(a.Int)
                                                          : static_cast<long double>(a.UInt);
            if (conv == 'g') {
                s = CFloat('g', precision < 0 ? 15 : std::max(precision, 1), v);
            } else if (conv == 'e') {
                s = CFloat('e', precision < 0 ? 6 : precision, v);
            } else {
                s = CFloat('f', precision < 0 ? 2 : precision, v);
                if (conv == 'n')
                    s = GroupThousands(s);
            }
            break;
        }
        default: BadFormat(pattern);
        }
        if (static_cast<int>(s.size()) < width) {
            size_t pad = static_cast<size_t>(width) - s.size();
            if (left)
                s.append(pad, ' ');
            else if (zero && numeric && std::isdigit(static_cast<unsigned char>(s.back())))
                s.insert(s[0] == '-' ? 1 : 0, pad, '0');
            else
                s.insert(0, pad, ' ');
        }
        out += s;
    }
    return out;
}

std::string FloatToStr(long double value)
{
    return CFloat('g', 15, value);
}

std::string IntToStr(int64_t value)
{
    return std::to_string(value);
}

bool TryStrToInt(std::string_view text, int32_t& value)
{
    std::string_view t = Trimmed(text);
    bool negative = false;
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
        negative = t[0] == '-';
        t.remove_prefix(1);
    }
    if (t.empty())
        return false;
    int64_t v = 0;
    for (char c : t) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
        if (v > static_cast<int64_t>(INT32_MAX) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v > INT32_MAX)
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

int32_t StrToInt(std::string_view text)
{
    int32_t v;
    if (!TryStrToInt(text, v))
        throw EConvertError("\"" + std::string(text) + "\" n'est pas une valeur entière correcte.");
    return v;
}

int32_t StrToIntDef(std::string_view text, int32_t fallback)
{
    int32_t v;
    return TryStrToInt(text, v) ? v : fallback;
}

bool TryStrToFloat(std::string_view text, long double& value)
{
    std::string_view t = Trimmed(text);
    if (t.empty())
        return false;
    // Only digits, signs, the decimal separator and an exponent: no "inf", "nan" or hexadecimal.
    std::string s;
    for (char c : t) {
        if (c == FormatSettings.DecimalSeparator)
            s += '.';
        else if ((c >= '0' && c <= '9') || c == '-' || c == '+' || c == 'e' || c == 'E')
            s += c;
        else
            return false;
    }
    errno = 0;
    char* end = nullptr;
    long double v = std::strtold(s.c_str(), &end);
    if (end != s.c_str() + s.size() || end == s.c_str() || errno == ERANGE || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

long double StrToFloat(std::string_view text)
{
    long double v;
    if (!TryStrToFloat(text, v))
        throw EConvertError("\"" + std::string(text) + "\" n'est pas une valeur numérique correcte.");
    return v;
}
