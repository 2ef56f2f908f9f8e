// Writing and reading the fixed-point numbers of the numeric edit boxes.
#include "core/DecimalText.h"

#include <algorithm>
#include <cstdlib>

std::string FormatFixedValue(int32_t value, int digits, char separator, const std::string& tail)
{
    const int64_t v = value;
    std::string text = std::to_string(v < 0 ? -v : v);
    if (digits > 0) {
        while (static_cast<int>(text.size()) <= digits)
            text.insert(0, "0");
        text.insert(text.size() - size_t(digits), 1, separator);
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == separator)
            text.pop_back();
    }
    if (v < 0)
        text.insert(0, "-");
    return text + tail;
}

std::string ScaleDecimalText(const std::string& text, int digits, char separator)
{
    if (text.find_first_of("0123456789") == std::string::npos)
        return {};
    std::string s = text;
    size_t at = s.find(separator);
    if (at == std::string::npos)
        at = s.find(',');
    if (at == std::string::npos)
        at = s.find('.');
    if (at == std::string::npos)
        return s + std::string(size_t(std::max(digits, 0)), '0');
    if (at == 0 || (at == 1 && s[0] == '-')) {
        s.insert(at, "0");
        ++at;
    }
    std::string decimals = s.substr(at + 1);
    decimals.resize(size_t(std::max(digits, 0)), '0');
    return s.substr(0, at) + decimals;
}

std::optional<int32_t> ParseFixedValue(const std::string& text, int digits, char separator,
                                       const std::string& tail)
{
    std::string s = text;
    const std::string unit = tail.substr(std::min(tail.find_first_not_of(' '), tail.size()));
    if (!unit.empty())
        for (size_t at; (at = s.find(unit)) != std::string::npos;)
            s.erase(at, unit.size());
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    s = ScaleDecimalText(s, digits, separator);
    size_t i = 0;
    const bool negative = !s.empty() && s[0] == '-';
    if (!s.empty() && (s[0] == '-' || s[0] == '+'))
        ++i;
    if (i == s.size())
        return std::nullopt;
    int64_t value = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9')
            return std::nullopt;
        value = value * 10 + (s[i] - '0');
        if (value > int64_t(INT32_MAX) + 1)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > INT32_MAX || value < INT32_MIN)
        return std::nullopt;
    return static_cast<int32_t>(value);
}

int32_t StepFixedValue(int32_t value, int32_t step, int32_t min, int32_t max)
{
    const int64_t size = std::llabs(int64_t(step));
    int64_t v = int64_t(value);
    if (size > 0)
        v = v - v % size + step;
    v = step >= 0 ? std::min<int64_t>(v, max) : std::max<int64_t>(v, min);
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}
