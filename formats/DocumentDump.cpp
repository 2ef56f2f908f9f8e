// Writing the dump of a document.
#include "formats/DocumentDump.h"

#include <map>

#include "core/Fonts.h"
#include "document/Document.h"
#include "document/InlineTags.h"

namespace {

const char* const CharFieldNames[CharFormatFieldCount] = {
    "font", "size", "b", "i", "strike", "dstrike", "ul", "ulc", "scaps", "caps", "shad",
    "outl", "embo", "impr", "color", "hl", "vpos", "scale", "spacing", "raise", "kern", "lang"};

const char* const ParaFieldNames[ParaFormatFieldCount] = {
    "fi", "li", "sl", "slrule", "ri", "align", "keepn", "keep", "pagebb", "widow", "sb", "sa", "style", "tabs", "bullet"};

const char* SpecialName(int code) {
    switch (code) {
    case scParagraphMark: return "par";
    case scSectionBreak: return "sect";
    case scColumnBreak: return "column";
    case scLineBreak: return "line";
    case scPageBreak: return "page";
    case scTab: return "tab";
    case scNonBreakingSpace: return "nbsp";
    case scNonBreakingHyphen: return "nbhyphen";
    case scEmDash: return "emdash";
    case scEnDash: return "endash";
    case scOptionalHyphen: return "opthyphen";
    case scFieldResult: return "noteref";
    default: return nullptr;
    }
}

std::string Value(int32_t v) { return v == UndefinedField ? std::string("unset") : std::to_string(v); }

// Numbers handles by first appearance, one numbering per kind of tag.
class TNumbering {
public:
    int Of(int code, int32_t handle) {
        auto& m = Numbers[code == tcFieldEnd ? tcFieldStart : code];
        auto it = m.find(handle);
        if (it != m.end()) return it->second;
        int n = static_cast<int>(m.size());
        m[handle] = n;
        return n;
    }

private:
    std::map<int, std::map<int32_t, int>> Numbers;
};

void DumpText(const uint8_t* p, int32_t size, TNumbering& numbers, std::string& out) {
    static const char hex[] = "0123456789abcdef";
    for (int32_t k = 0; k < size;) {
        uint8_t c = p[k];
        if (c == 0 && k + InlineTagSize <= size) {
            int code = TagCode(p + k);
            int32_t value = TagValue(p + k);
            k += InlineTagSize;
            out += '<';
            if (code == cfFont && value >= 0 && value < GetFontManager().FontCount()) {
                out += "font=" + GetFontManager().Font(value).Name;
            } else if (IsFormatTag(code)) {
                out += CharFieldNames[code];
                out += '=' + Value(value);
            } else if (code == tcSpecial && SpecialName(value)) {
                out += SpecialName(value);
            } else if (code == tcSectionBreak) {
                out += "sect#" + std::to_string(numbers.Of(code, value));
            } else if (code == tcPicture || code == tcOLEObject) {
                out += (code == tcPicture ? "picture#" : "object#") + std::to_string(numbers.Of(code, value));
            } else if (IsFieldMark(code)) {
                out += (code == tcFieldStart ? "{#" : "}#") + std::to_string(numbers.Of(code, value));
            } else {
                out += "tag" + std::to_string(code) + '=' + Value(value);
            }
            out += '>';
            continue;
        }
        ++k;
        if (c >= 32 && c < 127 && c != '\\' && c != '<') {
            out += static_cast<char>(c);
        } else {
            out += "\\'";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
}

} // namespace

std::string DumpDocument(const TDocument& document) {
    std::string out;
    TNumbering numbers;
    const TParaFormat& base = DefaultParaFormat();
    for (size_t i = 0; i < document.Paragraphs.size(); ++i) {
        const TParagraph& p = *document.Paragraphs[i];
        out += "P" + std::to_string(i);
        for (int f = 0; f < ParaFormatFieldCount; ++f)
            if (p.ParaFormat[f] != base[f]) out += std::string(" ") + ParaFieldNames[f] + '=' + Value(p.ParaFormat[f]);
        out += ": ";
        DumpText(p.Text.Data(), p.Text.Size(), numbers, out);
        out += '\n';
    }
    return out;
}
