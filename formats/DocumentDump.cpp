// Writing the dump of a document.
#include "formats/DocumentDump.h"

#include <map>
#include <vector>

#include "classlib/runtime/Format.h"
#include "core/Fonts.h"
#include "core/Styles.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/Section.h"
#include "document/Field.h"

namespace {

const char* const CharFieldNames[CharFormatFieldCount] = {
    "font", "size", "b",    "i",     "strike", "dstrike", "ul",    "ulc",     "scaps", "caps", "shad",
    "outl", "embo", "impr", "color", "hl",     "vpos",    "scale", "spacing", "raise", "kern", "lang"};

const char* const ParaFieldNames[ParaFormatFieldCount] = {"fi",    "li",    "sl",    "slrule", "ri",
                                                          "align", "keepn", "keep",  "pagebb", "widow",
                                                          "sb",    "sa",    "style", "tabs",   "bullet"};

const char* SpecialName(int code)
{
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

// A font by its name, with its character set when that is not the Western one.
std::string FontName(int32_t index)
{
    const TRegisteredFont& font = GetFontManager().Font(index);
    return font.Charset == 0 ? font.Name : font.Name + "/" + std::to_string(font.Charset);
}

std::string Value(int32_t v)
{
    return v == UndefinedField ? std::string("unset") : std::to_string(v);
}

// Numbers handles by first appearance, one numbering per kind of tag.
class TNumbering {
public:
    // The handles of one kind in the order they were numbered.
    std::vector<int32_t> Handles(int code) const
    {
        std::vector<int32_t> out;
        auto it = Numbers.find(code);
        if (it == Numbers.end())
            return out;
        out.resize(it->second.size());
        for (auto& [handle, n] : it->second)
            out[static_cast<size_t>(n)] = handle;
        return out;
    }
    int Find(int code, int32_t handle) const
    {
        auto it = Numbers.find(code);
        if (it == Numbers.end())
            return -1;
        auto h = it->second.find(handle);
        return h == it->second.end() ? -1 : h->second;
    }

    int Of(int code, int32_t handle)
    {
        auto& m = Numbers[code == tcFieldEnd ? tcFieldStart : code];
        auto it = m.find(handle);
        if (it != m.end())
            return it->second;
        int n = static_cast<int>(m.size());
        m[handle] = n;
        return n;
    }

private:
    std::map<int, std::map<int32_t, int>> Numbers;
};

// One line for a picture or an OLE object: its size and scale, the kind of its picture (with the pixel
// size of a bitmap kept as PNG bytes), and what an OLE object carries.
std::string DescribeObject(const TDocObject& object)
{
    std::string out = std::to_string(object.Width) + "x" + std::to_string(object.Height) + " twips " +
                      std::to_string(object.ScaleX) + "%x" + std::to_string(object.ScaleY) + "%" +
                      (object.KeepProportions ? "" : " free-proportions");
    const TDocObjectImage& image = *object.Image;
    if (image.Kind == ikMetafile) {
        out += image.FromWindowsMetafile ? " windows-metafile" : " metafile";
    } else {
        out += " bitmap";
        const std::vector<uint8_t>& png = image.PackedBytes;
        if (png.size() >= 24) {
            auto be32 = [&png](size_t at) {
                return uint32_t(png[at]) << 24 | uint32_t(png[at + 1]) << 16 | uint32_t(png[at + 2]) << 8 |
                       png[at + 3];
            };
            out += " " + std::to_string(be32(16)) + "x" + std::to_string(be32(20));
        }
    }
    if (auto* ole = dynamic_cast<const TDocOLEObject*>(&object))
        out += " kind=" + std::to_string(ole->ObjectKind) + " class=" + ole->ClassName +
               " name=" + ole->ObjectName + " data=" + std::to_string(ole->Data.size());
    return out;
}

void DumpText(const uint8_t* p, int32_t size, TNumbering& numbers, std::string& out)
{
    for (int32_t k = 0; k < size;) {
        uint8_t c = p[k];
        if (c == 0 && k + InlineTagSize <= size) {
            int code = TagCode(p + k);
            int32_t value = TagValue(p + k);
            k += InlineTagSize;
            out += '<';
            if (code == cfFont && value >= 0 && value < GetFontManager().FontCount()) {
                out += "font=" + FontName(value);
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
            out += HexBytes(&c, 1, false);
        }
    }
}

std::string Quote(const std::string& text)
{
    std::string out = "\"";
    TNumbering none;
    DumpText(reinterpret_cast<const uint8_t*>(text.data()), static_cast<int32_t>(text.size()), none, out);
    return out + "\"";
}

void DumpField(const TField& f, const TNumbering& numbers, std::string& out)
{
    static const char* const kinds[] = {"code",    "bookmark",   "notetext",
                                        "noteref", "notenumber", "headerfooter"};
    out += f.Kind < 6 ? kinds[f.Kind] : "kind" + std::to_string(f.Kind);
    if (f.Kind == fkCode)
        out += " type=" + std::to_string(f.FieldType);
    if (f.Kind == fkCode || f.Kind == fkBookmark)
        out += " " + Quote(f.Code);
    if (f.Kind == fkNoteText) {
        out += f.IsEndnote ? " endnote" : " footnote";
        if (f.Reference)
            out += " ref=#" + std::to_string(numbers.Find(tcFieldStart, f.Reference->Handle));
    }
    if (f.Kind == fkNoteReference) {
        if (f.AutoNumbered)
            out += " auto";
        if (f.Owner)
            out += " text=#" + std::to_string(numbers.Find(tcFieldStart, f.Owner->Handle));
    }
}

void DumpFormat(const int32_t* fields, int count, const char* const* names, bool character, std::string& out)
{
    for (int i = 0; i < count; ++i) {
        if (fields[i] == UndefinedField)
            continue;
        out += std::string(" ") + names[i] + '=';
        if (character && i == cfFont && fields[i] >= 0 && fields[i] < GetFontManager().FontCount())
            out += FontName(fields[i]);
        else
            out += Value(fields[i]);
    }
}

void DumpSections(const TDocument& document, const TNumbering& numbers, std::string& out)
{
    static const char* const slots[] = {"header",     "evenheader",  "footer",
                                        "evenfooter", "firstheader", "firstfooter"};
    for (size_t i = 0; i < document.Sections.size(); ++i) {
        const TSection& s = *document.Sections[i];
        const TSectionParams& sp = s.Params;
        const TPageSetup& ps = s.PageSetup;
        out += "section" + std::to_string(i) + ": break=" + Value(sp[spBreakKind]) +
               " cols=" + Value(sp[spColumnCount]);
        if (sp[spColumnCount] > 1) {
            if (sp[spEqualWidths]) {
                out += " gap=" + Value(sp[spColumnGap]);
            } else {
                for (int n = 0; n < sp[spColumnCount] && n < MaxColumns; ++n)
                    out += " col" + std::to_string(n + 1) + "=" + Value(sp[ColumnField(n, ceWidth)]) + "+" +
                           Value(sp[ColumnField(n, ceGapAfter)]);
            }
        }
        if (sp[spLineBetween])
            out += " line";
        out += " page=" + Value(ps[psWidth]) + "x" + Value(ps[psHeight]);
        if (ps[psOrientation])
            out += " landscape";
        out += " margins=" + Value(ps[psLeftMargin]) + "," + Value(ps[psRightMargin]) + "," +
               Value(ps[psTopMargin]) + "," + Value(ps[psBottomMargin]) +
               " header=" + Value(ps[psHeaderDistance]) + " footer=" + Value(ps[psFooterDistance]);
        if (ps[psMirrorMargins])
            out += " mirror";
        if (ps[psHeaderFlags] & 0xFF)
            out += " oddeven";
        if (ps[psHeaderFlags] & 0xFF00)
            out += " titlepage";
        if (s.FullySaved)
            out += " fullysaved";
        out += " pgn=" + std::to_string(s.PageNumberStyle) + "/" + std::to_string(s.PageNumberRestart);
        for (int k = 0; k < HeaderFooterSlotCount; ++k)
            if (s.HeaderFooter[k])
                out += std::string(" ") + slots[k] + "=#" +
                       std::to_string(numbers.Find(tcFieldStart, s.HeaderFooter[k]->Handle));
        out += '\n';
    }
}

void DumpStyles(const TDocument& document, std::string& out)
{
    if (!document.StyleList)
        return;
    const TStyleList& list = *document.StyleList;
    for (int32_t i = 0; i < list.Count(); ++i) {
        const TStyle& s = *list.StyleOf(i);
        out += "style" + std::to_string(i) + ": " + Quote(s.Name) + (s.IsCharacterStyle ? " char" : "") +
               " base=" + std::to_string(s.BasedOn) + " next=" + std::to_string(s.NextStyle);
        if (s.ShortCut)
            out += " key=" + std::to_string(s.ShortCut);
        DumpFormat(&s.CharFormat[0], CharFormatFieldCount, CharFieldNames, true, out);
        DumpFormat(&s.ParaFormat[0], ParaFormatFieldCount, ParaFieldNames, false, out);
        out += '\n';
    }
}

} // namespace

std::string DumpDocument(const TDocument& document, bool whole)
{
    static const char* const stories[] = {"main", "footnotes", "endnotes", "headers and footers"};
    std::string out;
    TNumbering numbers;
    const TParaFormat& base = DefaultParaFormat();
    int32_t storyEnd = document.StoryLengths[stMain];
    int story = 0;
    for (size_t i = 0; i < document.Paragraphs.size(); ++i) {
        while (story + 1 < StoryCount && static_cast<int32_t>(i) >= storyEnd) {
            ++story;
            storyEnd += document.StoryLengths[story];
            if (document.StoryLengths[story] > 0)
                out += std::string("== ") + stories[story] + "\n";
        }
        const TParagraph& p = *document.Paragraphs[i];
        out += "P" + std::to_string(i);
        for (int f = 0; f < ParaFormatFieldCount; ++f)
            if (p.ParaFormat[f] != base[f])
                out += std::string(" ") + ParaFieldNames[f] + '=' + Value(p.ParaFormat[f]);
        out += ": ";
        DumpText(p.Text.Data(), p.Text.Size(), numbers, out);
        out += '\n';
    }
    std::vector<int32_t> fields = numbers.Handles(tcFieldStart);
    for (size_t n = 0; n < fields.size(); ++n) {
        out += "#" + std::to_string(n) + ": ";
        if (const TField* f = FieldOfTag(fields[n]))
            DumpField(*f, numbers, out);
        else
            out += "(none)";
        out += '\n';
    }
    for (int code : {tcPicture, tcOLEObject}) {
        const std::vector<int32_t> handles = numbers.Handles(code);
        for (size_t n = 0; n < handles.size(); ++n) {
            const TDocObject* object =
                document.ObjectManager ? document.ObjectManager->FindObject(handles[n]) : nullptr;
            out += (code == tcPicture ? "picture#" : "object#") + std::to_string(n) + ": " +
                   (object ? DescribeObject(*object) : std::string("missing")) + '\n';
        }
    }
    if (!whole)
        return out;
    DumpSections(document, numbers, out);
    DumpStyles(document, out);
    auto notes = [&](const char* name, const TNoteSettings& n) {
        out += std::string(name) + ": position=" + std::to_string(n.Position) +
               " format=" + std::to_string(n.Format) + " start=" + std::to_string(n.StartNumber) +
               " restart=" + std::to_string(n.RestartMode) + "\n";
    };
    notes("footnotes", document.FootnoteSettings);
    notes("endnotes", document.EndnoteSettings);
    out += "zoom=" + std::to_string(document.ViewState.ZoomPercent) + "/" +
           std::to_string(document.ViewState.ZoomKind) + " widow=" + std::to_string(document.WidowControl) +
           " lang=" + std::to_string(document.DefaultLanguageId) + "\n";
    const TDocumentInfo& info = document.Info;
    for (auto [name, text] : {std::pair{"title", &info.Title},
                              {"subject", &info.Subject},
                              {"author", &info.Author},
                              {"keywords", &info.Keywords},
                              {"comments", &info.Comments},
                              {"lastauthor", &info.LastAuthor},
                              {"company", &info.Company}})
        if (!text->empty())
            out += std::string(name) + "=" + Quote(*text) + "\n";
    return out;
}
