// Writing and reading tagged paragraph text in tests.
#include "tagged_text.h"

#include <cstdlib>

#include "document/InlineTags.h"

namespace qptest {

std::string TaggedText(const std::string& notation)
{
    std::string out;
    for (size_t i = 0; i < notation.size();) {
        if (notation[i] != '{') {
            out += notation[i++];
            continue;
        }
        const size_t colon = notation.find(':', i);
        const size_t close = notation.find('}', i);
        const int code = std::atoi(notation.substr(i + 1, colon - i - 1).c_str());
        const int32_t value = static_cast<int32_t>(
            std::strtol(notation.substr(colon + 1, close - colon - 1).c_str(), nullptr, 10));
        uint8_t tag[InlineTagSize];
        SetTag(tag, code, value);
        out.append(reinterpret_cast<const char*>(tag), InlineTagSize);
        i = close + 1;
    }
    return out;
}

std::string DescribeTagged(const uint8_t* data, int32_t size)
{
    std::string out;
    for (int32_t pos = 0; pos < size;) {
        if (data[pos] != 0) {
            out += static_cast<char>(data[pos++]);
            continue;
        }
        if (size - pos < InlineTagSize)
            return out + "{cut}";
        out += "{" + std::to_string(TagCode(data + pos)) + ":" + std::to_string(TagValue(data + pos)) + "}";
        pos += InlineTagSize;
    }
    return out;
}

void SetTaggedText(TParagraph& paragraph, const std::string& notation)
{
    const std::string s = TaggedText(notation);
    paragraph.Text.Assign(s.data(), static_cast<int32_t>(s.size()));
    paragraph.UpdatePlainText();
}

} // namespace qptest
