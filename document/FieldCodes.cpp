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
