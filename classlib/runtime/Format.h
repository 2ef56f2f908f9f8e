// Text formatting and conversion of numbers under the user's number settings (decimal comma in French).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// The separators used to write and read numbers. Callers may change one for a call and restore it
// after.
struct TFormatSettings {
    char DecimalSeparator = ',';
    char ThousandSeparator = '\xA0';
};
// The user's locale's separators (on the host, the French ones: a comma and a no-break space).
TFormatSettings LocaleFormatSettings();
// The separators in force, taken from the user's locale when the program starts.
extern TFormatSettings FormatSettings;

// One argument of Format: an integer, a floating-point number or a text.
struct TFormatArg {
    enum TKind { akInt, akUInt, akFloat, akString } Kind;
    int64_t Int = 0;
    uint64_t UInt = 0;
    long double Float = 0;
    std::string_view Str;

    template<class T>
    requires std::is_integral_v<T> TFormatArg(T v)
    {
        if constexpr (std::is_signed_v<T>) {
            Kind = akInt;
            Int = v;
        } else {
            Kind = akUInt;
            UInt = v;
        }
    }
    TFormatArg(double v) : Kind(akFloat), Float(v) {}
    TFormatArg(long double v) : Kind(akFloat), Float(v) {}
    TFormatArg(float v) : Kind(akFloat), Float(v) {}
    TFormatArg(const char* s) : Kind(akString), Str(s ? s : "") {}
    TFormatArg(const std::string& s) : Kind(akString), Str(s) {}
    TFormatArg(std::string_view s) : Kind(akString), Str(s) {}
};

// Formats a printf-style pattern: %[-][0][width][.precision] then d or i (signed), u (unsigned),
// x or X (hexadecimal), c (a character code), s (text), f (fixed), e (scientific), g (general),
// n (fixed with thousands separators), or %% for a percent sign. Numbers use FormatSettings'
// separators. Without a precision f and n write 2 decimals and g up to 15 significant digits.
// A pattern that does not match its arguments raises EConvertError.
std::string FormatList(std::string_view pattern, const std::vector<TFormatArg>& args);

template<class... A>
std::string Format(std::string_view pattern, const A&... args)
{
    return FormatList(pattern, std::vector<TFormatArg>{TFormatArg(args)...});
}

// The shortest text of a value with up to 15 significant digits ("2,54", "1E+20", "0,001").
std::string FloatToStr(long double value);
std::string IntToStr(int64_t value);
// The digits of a value in a base from 2 to 16, upper- or lower-case letters beyond 9.
std::string UnsignedDigits(uint64_t value, unsigned base, bool upper);
// The hexadecimal digit of the low four bits of a value.
inline char HexDigit(unsigned value, bool upper)
{
    return (upper ? "0123456789ABCDEF" : "0123456789abcdef")[value & 15];
}
// Two hexadecimal digits a byte, the high half first.
std::string HexBytes(const uint8_t* data, size_t size, bool upper);
// Eight hexadecimal digits, the highest first.
std::string HexWord(uint32_t value, bool upper);

// Reading numbers: optional blanks around, an optional sign, decimal digits. StrToInt raises
// EConvertError for a text that is not an integer of 32 bits.
int32_t StrToInt(std::string_view text);
int32_t StrToIntDef(std::string_view text, int32_t fallback);
bool TryStrToInt(std::string_view text, int32_t& value);
// A decimal number with FormatSettings' decimal separator and an optional exponent ("1,5E3").
long double StrToFloat(std::string_view text);
bool TryStrToFloat(std::string_view text, long double& value);
