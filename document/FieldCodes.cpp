// Field codes: building the codes the insert dialogs make, and reading back their words and options.
#include "document/FieldCodes.h"

#include <algorithm>

#include "core/PathUtils.h"
#include "core/TextUtils.h"

namespace {

// Whether the character at i is preceded by an odd run of backslashes (an escaped character).
bool IsEscaped(std::string_view text, size_t i)
{
    size_t run = 0;
    while (i > run && text[i - run - 1] == '\\')
        ++run;
    return run % 2 == 1;
}

// A text between double quotes, its own quotes escaped with a backslash (and its backslashes doubled
// when asked), so that SplitFieldCode gives it back whole.
std::string Quoted(std::string_view text, bool doubleBackslashes)
{
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        // A backslash before a quote or the closing quote is always doubled, or the quote would read
        // as escaped.
        const bool beforeQuote = i + 1 == text.size() || text[i + 1] == '"';
        if (c == '"' || (c == '\\' && (doubleBackslashes || beforeQuote)))
            out += '\\';
        out += c;
    }
    return out + '"';
}

} // namespace

std::vector<std::string> SplitFieldCode(std::string_view code)
{
    // From the end: blanks outside quotes become line breaks, and a quoted part is cut off from what
    // follows its closing quote.
    std::string text(code);
    bool quoted = false;
    for (size_t i = text.size(); i-- > 0;) {
        if (text[i] == '"' && !IsEscaped(text, i)) {
            if (!quoted && i + 1 < text.size() && text[i + 1] != '\n')
                text.insert(i + 1, 1, '\n');
            quoted = !quoted;
        } else if (text[i] == ' ' && !quoted) {
            text[i] = '\n';
        }
    }
    std::vector<std::string> words;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string word = text.substr(start, end - start);
        if (!word.empty() && word.front() == '"')
            word.erase(0, 1);
        if (!word.empty() && word.back() == '"' && !IsEscaped(word, word.size() - 1))
            word.pop_back();
        // Any run of backslashes ends as one, and an escaped quote is a quote of the text.
        word = ReplaceAll(ReplaceAll(word, "\\\\", "\\"), "\\\"", "\"");
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

std::string BuildHyperlinkFieldCode(const std::string& address, const std::string& tooltip)
{
    std::string target = address;
    if (!HasUrlPrefix(target) && target.find('@') != std::string::npos &&
        target.find("mailto:") == std::string::npos)
        target = "mailto:" + target;
    const bool doubleBackslashes = !IsLinkLikeText(target);
    std::string code = "HYPERLINK ";
    if (!target.empty() && target[0] == '#')
        code += "\\l " + Quoted(std::string_view(target).substr(1), doubleBackslashes);
    else
        code += Quoted(target, doubleBackslashes);
    if (!tooltip.empty())
        code += " \\o " + Quoted(tooltip, false);
    return code;
}

std::string ParseHyperlinkTarget(std::string_view code, bool& bookmark)
{
    const std::vector<std::string> words = SplitFieldCode(code);
    bookmark = std::find(words.begin(), words.end(), "\\l") != words.end();
    for (size_t i = 1; i < words.size(); ++i)
        if (words[i] != "\\l")
            return words[i];
    return {};
}

TPageRefCode ParsePageRefFieldCode(std::string_view code)
{
    TPageRefCode result;
    const std::vector<std::string> words = SplitFieldCode(code);
    for (size_t i = 1; i < words.size(); ++i) {
        if (words[i] == "\\h")
            result.Hyperlink = true;
        else if (words[i] == "\\p")
            result.Relative = true;
        else if (result.Bookmark.empty() && words[i][0] != '\\')
            result.Bookmark = words[i];
    }
    return result;
}

TTocOptions ParseTocFieldCode(std::string_view code)
{
    TTocOptions options;
    auto digitAt = [&](size_t i) {
        return i < code.size() && code[i] >= '0' && code[i] <= '9' ? code[i] - '0' : -1;
    };
    options.PageNumbers = code.find("\\n") == std::string_view::npos;
    const size_t r = code.find("\\r");
    options.RightAligned = r != std::string_view::npos;
    if (options.RightAligned)
        options.RightAlignedTabStyle = static_cast<uint8_t>(std::max(digitAt(r + 2) - 1, 0));
    const size_t o = code.find("\\o");
    if (o != std::string_view::npos)
        options.HeadingLevels = std::clamp(digitAt(o + 6), 1, 9);
    const size_t e = code.find("\\e");
    if (e != std::string_view::npos) {
        options.SeparatorUsed = 1;
        // A doubled quote stands for one quote; the text ends at a lone quote or at the code's end.
        for (size_t i = e + 4; i < code.size(); ++i) {
            if (code[i] == '"') {
                if (i + 1 < code.size() && code[i + 1] == '"') {
                    options.Separator += '"';
                    ++i;
                    continue;
                }
                break;
            }
            options.Separator += code[i];
        }
    }
    return options;
}

std::string BuildTocFieldCode(const TTocOptions& options)
{
    std::string code = "TOC \\h \\o \"1-" + std::to_string(std::clamp(options.HeadingLevels, 1, 9)) + "\"";
    if (!options.PageNumbers)
        code += " \\n";
    else if (options.RightAligned)
        code += " \\r" + std::to_string(std::min<int>(options.RightAlignedTabStyle + 1, 9));
    else
        code += " \\p \" \"";
    if (options.SeparatorUsed)
        code += " \\e \"" + ReplaceAll(options.Separator, "\"", "\"\"") + "\"";
    return code;
}

std::string ParseDateFieldFormat(std::string_view code)
{
    const size_t at = code.find("\\@ ");
    if (at == std::string_view::npos)
        return {};
    const size_t open = code.find('"', at + 3);
    if (open == std::string_view::npos)
        return {};
    const size_t close = code.find('"', open + 1);
    return std::string(
        code.substr(open + 1, (close == std::string_view::npos ? code.size() : close) - open - 1));
}

void ParseSymbolFieldCode(std::string_view code, int32_t& character, std::string& font)
{
    font.clear();
    const size_t space = code.find(' ');
    if (space == std::string_view::npos) {
        character = 63;
    } else {
        int64_t value = 0;
        for (size_t i = space + 1; i < code.size() && code[i] >= '0' && code[i] <= '9'; ++i)
            value = std::min<int64_t>(value * 10 + (code[i] - '0'), INT32_MAX);
        character = static_cast<int32_t>(value);
    }
    const size_t f = code.find("\\f ");
    if (f == std::string_view::npos)
        return;
    size_t start = f + 3;
    if (start < code.size() && code[start] == '"')
        ++start;
    const size_t close = code.find('"', start);
    font = std::string(
        code.substr(std::min(start, code.size()),
                    (close == std::string_view::npos ? code.size() : close) - std::min(start, code.size())));
}

std::string BuildSymbolFieldCode(int32_t character, const std::string& font)
{
    return "SYMBOL " + std::to_string(character) + " \\f " + Quoted(font, false);
}
