// Field codes: words, hyperlink addresses and tooltips.
#include "document/FieldCodes.h"

#include "core/TextUtils.h"

std::vector<std::string> SplitFieldCode(std::string_view code)
{
    // From the end: blanks outside quotes become line breaks, and a quoted part is cut off from what
    // follows its closing quote.
    std::string text(code);
    bool quoted = false;
    for (size_t i = text.size(); i-- > 0;) {
        if (text[i] == '"') {
            if (!quoted && i + 1 < text.size() && text[i + 1] != '\n')
                text.insert(i + 1, 1, '\n');
            quoted = !quoted;
        } else if (text[i] == ' ' && !quoted) {
            text[i] = '\n';
        }
    }
    text = ReplaceAll(text, "\\\\", "\\");
    std::vector<std::string> words;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string word = text.substr(start, end - start);
        if (!word.empty() && word.front() == '"')
            word.erase(0, 1);
        if (!word.empty() && word.back() == '"')
            word.pop_back();
        if (!word.empty())
            words.push_back(word);
        start = end + 1;
    }
    return words;
}

void ParseHyperlinkFieldCode(std::string_view code, std::string& address, std::string& tooltip)
{
    address.clear();
    tooltip.clear();
    const std::vector<std::string> words = SplitFieldCode(code);
    for (size_t i = 1; i < words.size(); ++i) {
        const bool bookmark = words[i] == "\\l", tip = words[i] == "\\o";
        if (bookmark || tip) {
            if (++i < words.size()) {
                if (bookmark)
                    address += "#" + words[i];
                else
                    tooltip = words[i];
            }
        } else if (address.empty()) {
            address = words[i];
        }
    }
}

namespace {

std::string LowerAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

} // namespace

std::string FormatPageNumber(int32_t n, int style)
{
    if (n < 1 || style < 1 || style > 4)
        return std::to_string(n);
    if (style <= 2) {
        std::string letters = IntToLetters(n);
        return style == 1 ? LowerAscii(letters) : letters;
    }
    std::string roman = IntToRoman(n);
    return style == 3 ? LowerAscii(roman) : roman;
}

int NotationOfNumberingFormat(int32_t format)
{
    static const int notations[] = {0, 4, 3, 2, 1};
    return format >= 0 && format <= 4 ? notations[format] : 0;
}

std::string FormatSymbolNumber(int32_t n)
{
    // Asterisk, dagger, double dagger, section sign (Windows-1252).
    static const char symbols[] = "*\x86\x87\xA7";
    constexpr int32_t length = sizeof symbols - 1;
    if (n < 1)
        return std::to_string(n);
    // Beyond a hundred repetitions the number is written in decimal rather than as a wall of symbols.
    const int32_t count = (n - 1) / length + 1;
    if (count > 100)
        return std::to_string(n);
    return std::string(size_t(count), symbols[(n - 1) % length]);
}

std::string FormatNumberingFormat(int32_t n, int32_t format)
{
    return format >= 5 ? FormatSymbolNumber(n) : FormatPageNumber(n, NotationOfNumberingFormat(format));
}
