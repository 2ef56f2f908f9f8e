// Decoding Word property modifiers of both generations: the walk over a group, the operand lengths,
// and the paragraph, character, section and picture decoders.
#include "formats/word/WordProps.h"

#include <algorithm>
#include <cstring>

#include "core/Styles.h"
#include "core/TabTables.h"
#include "document/Document.h"
#include "formats/load/StylePasses.h"
#include "formats/word/WinWord.h"

namespace {

constexpr uint8_t kVariable = 255;

// Operand lengths of the first generation's sprms by opcode; 255 variable (a length byte follows).
constexpr uint8_t kWord6Lengths[256] = {
    0, 0,   2,   255, 1,   1,   1, 1,   1,   1,   1,   1,  255, 1, 1,   255, // 0
    2, 2,   2,   2,   4,   2,   2, 255, 1,   1,   2,   2,  2,   1, 2,   2,   // 16
    2, 2,   2,   2,   2,   1,   2, 2,   2,   2,   2,   2,  1,   2, 2,   2,   // 32
    2, 2,   1,   1,   255, 0,   0, 0,   0,   0,   0,   0,  0,   0, 0,   0,   // 48
    0, 1,   1,   1,   255, 2,   4, 1,   2,   3,   255, 1,  0,   0, 0,   0,   // 64
    2, 255, 255, 0,   0,   1,   1, 1,   1,   1,   1,   1,  1,   2, 1,   3,   // 80
    2, 2,   1,   2,   1,   2,   1, 255, 1,   255, 255, 2,  255, 2, 2,   0,   // 96
    0, 0,   0,   0,   0,   1,   1, 1,   255, 2,   2,   2,  2,   0, 0,   0,   // 112
    0, 0,   0,   1,   1,   255, 0, 0,   3,   3,   1,   1,  2,   2, 1,   1,   // 128
    2, 2,   2,   2,   1,   1,   1, 1,   2,   2,   2,   2,  1,   1, 2,   2,   // 144
    2, 2,   1,   1,   2,   2,   2, 2,   2,   2,   2,   2,  0,   0, 0,   0,   // 160
    0, 0,   0,   0,   0,   0,   2, 2,   2,   1,   1,   12, 255, 2, 255, 255, // 176
    4, 5,   4,   2,   4,   2,   2, 5,   4,   0,   0,   0,  0,   0, 0,   0,   // 192
    0, 0,   0,   0,   0,   0,   0, 0,   0,   0,   0,   0,  0,   0, 0,   0,   // 208
    0, 0,   0,   0,   0,   0,   0, 0,   0,   0,   0,   0,  0,   0, 0,   0,   // 224
    0, 0,   0,   0,   0,   0,   0, 0,   0,   0,   0,   0,  0,   0, 0,   0,   // 240
};

constexpr uint16_t kChgTabs97 = 0xC615, kDefTable97 = 0xD608;
constexpr uint8_t kChgTabs6 = 23, kDefTable6 = 190;

// The second generation's opcode of each first-generation opcode that a decoder lists; 0 for others.
struct TOpcodeMap {
    uint16_t Map[256] = {};
    constexpr TOpcodeMap()
    {
        const uint16_t pairs[][2] = {
            {2, 0x4600},   {5, 0x2403},   {7, 0x2405},   {8, 0x2406},   {9, 0x2407},   {15, 0xC60D},
            {16, 0x840E},  {17, 0x840F},  {19, 0x8411},  {20, 0x6412},  {21, 0xA413},  {22, 0xA414},
            {23, 0xC615},  {24, 0x2416},  {25, 0x2417},  {51, 0x2431},  {65, 0x0800},  {68, 0x6A03},
            {71, 0x0806},  {74, 0x6A09},  {75, 0x080A},  {80, 0x4A30},  {85, 0x0835},  {86, 0x0836},
            {87, 0x0837},  {88, 0x0838},  {89, 0x0839},  {90, 0x083A},  {91, 0x083B},  {117, 0x0855},
            {118, 0x0856}, {93, 0x4A4F},  {94, 0x2A3E},  {98, 0x2A42},  {104, 0x2A48}, {99, 0x4A43},
            {101, 0x4845}, {107, 0x484B}, {97, 0x486D},  {96, 0x8840},  {136, 0xF203}, {137, 0xF204},
            {138, 0x3005}, {142, 0x3009}, {143, 0x300A}, {144, 0x500B}, {145, 0x900C}, {147, 0x300E},
            {150, 0x3011}, {153, 0x3014}, {156, 0xB017}, {157, 0xB018}, {158, 0x3019}, {161, 0x501C},
            {162, 0x301D}, {164, 0xB01F}, {165, 0xB020}, {166, 0xB021}, {167, 0xB022}, {168, 0x9023},
            {169, 0x9024}, {120, 0xCE01}, {13, 0x260D}};
        for (const auto& p : pairs)
            Map[p[0]] = p[1];
    }
};
constexpr TOpcodeMap kWord6Opcodes;
// Not a decoder's opcode of the second generation: the first generation's list level.
constexpr uint16_t kListLevel6 = 0x260D;
constexpr uint16_t kHeaderFlags6 = 0x3014;

// One sprm: its opcode in second-generation numbering and its operand, read within its length.
struct TSprm {
    uint16_t Opcode;
    const uint8_t* Operand;
    int32_t Size;
    uint8_t U8(int32_t at) const { return at >= 0 && at < Size ? Operand[at] : 0; }
    uint16_t U16(int32_t at) const { return static_cast<uint16_t>(U8(at) | U8(at + 1) << 8); }
    int32_t S16(int32_t at) const { return static_cast<int16_t>(U16(at)); }
    uint32_t U32(int32_t at) const { return U16(at) | uint32_t(U16(at + 2)) << 16; }
};

template<typename F>
void ForEachSprm(bool word97, const uint8_t* group, int32_t size, F f)
{
    // The second generation walks while the offset is below the group's length less one.
    const int32_t end = word97 ? size - 1 : size;
    for (int32_t at = 0; at < end;) {
        const uint8_t* p = group + at;
        const int32_t length = WordSprmLength(word97, p, size - at);
        if (length <= 0)
            return;
        TSprm s{};
        if (word97) {
            s.Opcode = static_cast<uint16_t>(p[0] | p[1] << 8);
            const bool variable = (s.Opcode >> 13) == 6 && s.Opcode != kDefTable97;
            const int32_t head = s.Opcode == kDefTable97 ? 4 : variable ? 3 : 2;
            s.Operand = p + std::min(head, length);
            s.Size = length - std::min(head, length);
        } else {
            s.Opcode = kWord6Opcodes.Map[p[0]];
            const int32_t head = kWord6Lengths[p[0]] == kVariable ? 2 : 1;
            s.Operand = p + std::min(head, length);
            s.Size = length - std::min(head, length);
        }
        if (s.Opcode != 0)
            f(s);
        at += length;
    }
}

TStyleList* StylesOf(TWordDecodeContext& c)
{
    return c.Document ? c.Document->StyleList.get() : nullptr;
}

int32_t StyleTabTable(TWordDecodeContext& c, int32_t style)
{
    TStyleList* styles = StylesOf(c);
    const TStyle* s = styles ? styles->StyleOf(style) : nullptr;
    if (!s)
        return -1;
    TCharFormat chars;
    TParaFormat para;
    StyleFormats(c, style, chars, para);
    return para[pfTabTable];
}

int32_t TabKindOf(uint8_t type)
{
    switch (type & 7) {
    case 1: return tkCenter;
    case 2: return tkRight;
    case 3: return tkDecimal;
    case 4: return tkBar;
    default: return tkLeft;
    }
}

int32_t TabLeaderOf(uint8_t type)
{
    switch ((type >> 3) & 7) {
    case 0: return tlNone;
    case 1: return tlDots;
    case 2: return tlHyphens;
    default: return tlUnderline;
    }
}

// Tab changes: deleted positions (with tolerances for the plain form), then added tabs, over the tab
// table in force; the result registered with the document's tab manager. Counts are taken only as far
// as the operand holds them.
void ChangeTabs(TWordDecodeContext& c, const TSprm& s, bool withTolerance, TWordParaProps& para, int32_t from)
{
    TTabManager* tabs = c.Document ? c.Document->TabManager.get() : nullptr;
    if (!tabs)
        return;
    TTabTable table;
    const int32_t current = para[pfTabTable] != kWordUnset ? para[pfTabTable] : from;
    if (current >= 0 && current < tabs->Count())
        table.Assign(tabs->Table(current));
    const int32_t at = 0;
    const int32_t deleted = s.U8(at);
    const int32_t perDelete = withTolerance ? 4 : 2;
    const int32_t delCount = std::min(deleted, (s.Size - at - 1) / perDelete);
    for (int32_t i = 0; i < delCount; ++i) {
        const int32_t position = s.S16(at + 1 + 2 * i);
        if (withTolerance) {
            const int32_t tolerance = std::abs(s.S16(at + 1 + 2 * deleted + 2 * i));
            for (int k = table.Count() - 1; k >= 0; --k) {
                const int32_t p = TabStopPosition(table[k]);
                if (p >= position - tolerance && p <= position + tolerance)
                    table.DeleteTab(p);
            }
        } else {
            table.DeleteTab(position);
        }
    }
    const int32_t addAt = at + 1 + perDelete * deleted;
    const int32_t added = s.U8(addAt);
    const int32_t addCount = std::max(0, std::min(added, (s.Size - addAt - 1) / 3));
    for (int32_t i = 0; i < addCount; ++i) {
        const int32_t position = std::clamp(s.S16(addAt + 1 + 2 * i), 0, TTabManager::MaxTabPosition);
        const uint8_t type = s.U8(addAt + 1 + 2 * added + i);
        table.AddTab(PackTabStop(position, TabKindOf(type), TabLeaderOf(type)));
    }
    table.Sort();
    para[pfTabTable] = tabs->RegisterTabTable(table);
}

uint16_t Get16(const std::vector<uint8_t>& b, size_t at)
{
    return at + 2 <= b.size() ? static_cast<uint16_t>(b[at] | b[at + 1] << 8) : 0;
}
uint32_t Get32(const std::vector<uint8_t>& b, size_t at)
{
    return Get16(b, at) | uint32_t(Get16(b, at + 2)) << 16;
}

// The paragraph group of level Level of the list an override names; false when there is none. Every
// record is checked against the table that holds it.
bool FindListLevel(const TWordDecodeContext& c, int32_t ilfo, int32_t level, size_t& groupAt,
                   int32_t& groupSize)
{
    const std::vector<uint8_t>& lists = c.Lists;
    const std::vector<uint8_t>& overrides = c.Overrides;
    if (lists.size() < 2 || overrides.size() < 4)
        return false;
    const uint32_t overrideCount = Get32(overrides, 0);
    if (ilfo < 1 || uint32_t(ilfo) > overrideCount || 4 + uint64_t(ilfo) * 16 > overrides.size())
        return false;
    const uint32_t lsid = Get32(overrides, 4 + size_t(ilfo - 1) * 16);
    const uint16_t listCount = Get16(lists, 0);
    if (2 + uint64_t(listCount) * 28 > lists.size())
        return false;
    size_t at = 2 + size_t(listCount) * 28;
    for (uint16_t i = 0; i < listCount; ++i) {
        const size_t record = 2 + size_t(i) * 28;
        const bool simple = lists[record + 26] & 1;
        const int levels = simple ? 1 : 9;
        const bool found = Get32(lists, record) == lsid;
        for (int l = 0; l < levels; ++l) {
            if (at + 28 > lists.size())
                return false;
            const uint8_t chpx = lists[at + 24], papx = lists[at + 25];
            const size_t papxAt = at + 28, chpxAt = papxAt + papx, textAt = chpxAt + chpx;
            if (textAt + 2 > lists.size())
                return false;
            const size_t next = textAt + 2 + 2 * size_t(Get16(lists, textAt));
            if (next > lists.size())
                return false;
            if (found && l == level) {
                groupAt = papxAt;
                groupSize = papx;
                return true;
            }
            at = next;
        }
        if (found)
            return false;
    }
    return false;
}

bool DecodePara(TWordDecodeContext& c, const TSprm& s, TWordParaProps& p, bool styleMode, int32_t tabsFrom)
{
    switch (s.Opcode) {
    case 0x4600: {
        const int32_t istd = c.Word97 ? s.U16(0) : s.U8(0);
        p[pfStyle] = styleMode ? istd : MapStyle(c, istd);
        if (!styleMode)
            c.ParagraphStyle = p[pfStyle];
        break;
    }
    case 0x2403: p[pfAlignment] = std::min<int32_t>(s.U8(0), 3); break;
    case 0x2405: p[pfKeepTogether] = s.U8(0); break;
    case 0x2406: p[pfKeepWithNext] = s.U8(0); break;
    case 0x2407: p[pfPageBreakBefore] = s.U8(0); break;
    case kListLevel6: p[pfBullets] = s.U8(0) != 0; break;
    case 0x260A: p[wpListLevel] = s.U8(0); break;
    case 0x460B:
        p[pfBullets] = s.U16(0) > 0 ? 1 : 0;
        p[wpListOverride] = s.U16(0);
        break;
    case 0xC60D: ChangeTabs(c, s, false, p, tabsFrom); break;
    case 0xC615: ChangeTabs(c, s, true, p, tabsFrom); break;
    // Later versions write the indents with opcodes of their own, beside or instead of these.
    case 0x840E:
    case 0x845D: p[pfRightIndent] = s.S16(0); break;
    case 0x840F:
    case 0x845E: p[pfLeftIndent] = s.S16(0); break;
    case 0x8411:
    case 0x8460: p[pfFirstIndent] = s.S16(0); break;
    case 0x6412:
        p[pfLineSpacing] = s.S16(0);
        p[pfSpacingRule] = s.U16(2);
        break;
    case 0xA413: p[pfSpaceBefore] = s.U16(0); break;
    case 0xA414: p[pfSpaceAfter] = s.U16(0); break;
    case 0x2416: p[wpInTable] = s.U8(0); break;
    case 0x2417: p[wpRowEnd] = s.U8(0); break;
    case 0x2431: p[pfWidowControl] = s.U8(0); break;
    default: return false;
    }
    return true;
}

// Toggle operands: 128 the style's value, 129 its opposite (in style mode, the opposite of the base's,
// settled when the style list is resolved).
int32_t Toggle(const TWordDecodeContext& c, uint8_t operand, int field, bool styleMode)
{
    if (operand < 128)
        return operand;
    if (styleMode)
        return operand == 128 ? kWordUnset : kStyleToggle;
    int32_t styleValue = 0;
    if (c.ParagraphStyle >= 0 && size_t(c.ParagraphStyle) < c.StyleChars.size())
        styleValue = c.StyleChars[size_t(c.ParagraphStyle)][field];
    return operand == 128 ? styleValue : !styleValue;
}

int32_t MappedFont(const TWordDecodeContext& c, uint32_t index)
{
    return index < c.FontMap.size() ? c.FontMap[index] : c.DefaultFont;
}

void ApplyCharStyle(TWordDecodeContext& c, int32_t istd, TWordCharProps& ch)
{
    TStyleList* styles = StylesOf(c);
    if (!styles)
        return;
    const TStyle* style = styles->StyleOf(MapStyle(c, istd));
    if (!style)
        return;
    constexpr int32_t kHyperlinkStyle = 85;
    if (style->BuiltInId == kHyperlinkStyle && c.HyperlinkOpen)
        return;
    TCharFormat format = style->CharFormat;
    if (c.ParagraphStyle >= 0 && size_t(c.ParagraphStyle) < c.StyleChars.size()) {
        format = c.StyleChars[size_t(c.ParagraphStyle)];
        MergeCharFormat(format, style->CharFormat);
    }
    for (int f = 0; f < CharFormatFieldCount; ++f)
        if (format[f] != kWordUnset)
            ch[f] = format[f];
}

bool DecodeChar(TWordDecodeContext& c, const TSprm& s, TWordCharProps& ch, bool styleMode)
{
    switch (s.Opcode) {
    case 0x0800: ch[wcDeleted] = s.U8(0); break;
    case 0x6A03:
        ch[wcPictureLocation] = static_cast<int32_t>(s.U32(0));
        ch[wcSpecial] = 1;
        break;
    case 0x0806: ch[wcData] = s.U8(0); break;
    case 0x6A09: {
        const uint16_t font = s.U16(0), character = c.Word97 ? s.U16(2) : s.U8(2);
        ch[wcSymbol] = static_cast<int32_t>(font | uint32_t(character) << 16);
        ch[wcSpecial] = 1;
        if (font < c.FontMap.size())
            ch[cfFont] = c.FontMap[font];
        break;
    }
    case 0x080A: ch[wcOle2] = s.U8(0); break;
    case 0x680E: ch[wcObjectLocation] = static_cast<int32_t>(s.U32(0)); break;
    case 0x4A30:
        if (!styleMode)
            ApplyCharStyle(c, s.U16(0), ch);
        break;
    case 0x0835: ch[cfBold] = Toggle(c, s.U8(0), cfBold, styleMode); break;
    case 0x0836: ch[cfItalic] = Toggle(c, s.U8(0), cfItalic, styleMode); break;
    case 0x0837: ch[cfStrike] = Toggle(c, s.U8(0), cfStrike, styleMode); break;
    case 0x0838: ch[cfOutline] = Toggle(c, s.U8(0), cfOutline, styleMode); break;
    case 0x0839: ch[cfShadow] = Toggle(c, s.U8(0), cfShadow, styleMode); break;
    case 0x083A: ch[cfSmallCaps] = Toggle(c, s.U8(0), cfSmallCaps, styleMode); break;
    case 0x083B: ch[cfAllCaps] = Toggle(c, s.U8(0), cfAllCaps, styleMode); break;
    case 0x0854: ch[cfEngrave] = Toggle(c, s.U8(0), cfEngrave, styleMode); break;
    case 0x0858: ch[cfEmboss] = Toggle(c, s.U8(0), cfEmboss, styleMode); break;
    case 0x0855: ch[wcSpecial] = s.U8(0); break;
    case 0x0856: ch[wcObject] = s.U8(0); break;
    case 0x4A4F: ch[cfFont] = MappedFont(c, s.U16(0)); break;
    case 0x2A3E: {
        // The underline kinds the character format knows: single, words, double, dotted, thick and
        // the dash and wave kinds.
        const uint8_t kind = s.U8(0);
        const bool known = kind <= 4 || kind == 6 || kind == 7 || kind == 9 || kind == 10 || kind == 11 ||
                           kind == 20 || kind == 23 || kind == 25 || kind == 26 || kind == 27 || kind == 39 ||
                           kind == 43;
        ch[cfUnderline] = known ? kind : 1;
        break;
    }
    case 0x2A0C: ch[cfHighlight] = s.U8(0) & 0x1F; break;
    case 0x2A42: ch[cfColor] = s.U8(0) < 17 ? s.U8(0) : 0; break;
    case 0x2A48: ch[cfVertPos] = std::min<int32_t>(s.U8(0), 2); break;
    case 0x2A53: ch[cfDoubleStrike] = s.U8(0) & 0x7F; break;
    case 0x4A43: ch[cfSize] = std::clamp<int32_t>(s.U16(0), 2, 3276); break;
    case 0x4845: ch[cfRaise] = s.S16(0) / 2; break;
    case 0x484B: ch[cfKerning] = s.U16(0); break;
    case 0x4852: ch[cfScale] = std::clamp<int32_t>(s.U16(0), 1, 600); break;
    case 0x486D: ch[cfLanguage] = s.U16(0); break;
    case 0x6877: {
        // A COLORREF-like value: red, green, blue bytes; the document keeps 0x00BBGGRR.
        ch[cfUnderlineColor] = static_cast<int32_t>(s.U32(0) & 0xFFFFFF);
        break;
    }
    case 0x8840: ch[cfSpacing] = s.S16(0); break;
    default: return false;
    }
    return true;
}

bool DecodeSection(const TSprm& s, TWordSectionProps& sec)
{
    auto column = [&](int field) {
        const int32_t n = s.U8(0);
        // A column number beyond the table is dropped.
        if (n < kWordColumnEntries)
            sec[kWordSectionScalars + n * kWordColumnEntrySize + field] = s.U16(1);
    };
    switch (s.Opcode) {
    case 0xF203: column(1); break;
    case 0xF204: column(2); break;
    case 0x3005: sec[wsEvenlySpaced] = s.U8(0); break;
    case 0x3009: sec[wsBreakKind] = s.U8(0); break;
    case 0x300A: sec[wsTitlePage] = s.U8(0); break;
    case 0x500B: sec[wsColumnCount] = s.U16(0) + 1; break;
    case 0x900C: sec[wsColumnGap] = s.S16(0); break;
    case 0x300E: sec[wsPageNumberFormat] = s.U8(0); break;
    case 0x3011: sec[wsPageNumberRestart] = s.U8(0); break;
    case kHeaderFlags6: sec[wsHeaderFlags] = s.U8(0); break;
    case 0xB017: sec[wsHeaderDistance] = s.U16(0); break;
    case 0xB018: sec[wsFooterDistance] = s.U16(0); break;
    case 0x3019: sec[wsLineBetween] = s.U8(0); break;
    case 0x501C: sec[wsPageNumberStart] = s.U16(0); break;
    case 0x301D: sec[wsOrientation] = s.U8(0); break;
    case 0xB01F: sec[wsPageWidth] = s.U16(0); break;
    case 0xB020: sec[wsPageHeight] = s.U16(0); break;
    case 0xB021: sec[wsLeftMargin] = s.U16(0); break;
    case 0xB022: sec[wsRightMargin] = s.U16(0); break;
    case 0x9023: sec[wsTopMargin] = s.S16(0); break;
    case 0x9024: sec[wsBottomMargin] = s.S16(0); break;
    default: return false;
    }
    return true;
}

bool DecodePicture(const TSprm& s, TWordPictureScale& scale)
{
    if (s.Opcode != 0xCE01)
        return false;
    scale[0] = s.U16(0);
    scale[1] = s.U16(2);
    return true;
}

} // namespace

int32_t MapStyle(const TWordDecodeContext& c, int32_t istd)
{
    return istd >= 0 && size_t(istd) < c.StyleIndexes.size() ? c.StyleIndexes[size_t(istd)] : 0;
}

void StyleFormats(TWordDecodeContext& c, int32_t style, TCharFormat& chars, TParaFormat& para)
{
    chars = DefaultCharFormat();
    para = DefaultParaFormat();
    TStyleList* styles = StylesOf(c);
    if (const TStyle* s = styles ? styles->StyleOf(style) : nullptr)
        s->ResolveFormat(chars, para, 0);
}

int32_t WordSprmLength(bool word97, const uint8_t* p, int32_t avail)
{
    int64_t length = 0;
    if (word97) {
        if (avail < 2)
            return 0;
        const uint16_t opcode = static_cast<uint16_t>(p[0] | p[1] << 8);
        switch (opcode >> 13) {
        case 0:
        case 1: length = 3; break;
        case 2:
        case 4:
        case 5: length = 4; break;
        case 3: length = 6; break;
        case 7: length = 5; break;
        default:
            if (avail < 3)
                return 0;
            if (opcode == kDefTable97) {
                if (avail < 4)
                    return 0;
                length = 4 + std::max(0, (p[2] | p[3] << 8) - 1);
            } else if (opcode == kChgTabs97 && p[2] == 255) {
                if (avail < 4)
                    return 0;
                const int32_t del = p[3];
                const int64_t addAt = 2 + 2 + 4 * int64_t(del);
                if (addAt >= avail)
                    return 0;
                length = 2 + 4 * int64_t(del) + 2 + 3 * int64_t(p[addAt]) + 1;
            } else {
                length = 3 + p[2];
            }
        }
    } else {
        if (avail < 1)
            return 0;
        const uint8_t opcode = p[0];
        const uint8_t fixed = kWord6Lengths[opcode];
        if (fixed != kVariable) {
            length = 1 + fixed;
        } else {
            if (avail < 2)
                return 0;
            if (opcode == kDefTable6) {
                if (avail < 3)
                    return 0;
                length = 3 + std::max(0, (p[1] | p[2] << 8) - 1);
            } else if (opcode == kChgTabs6 && p[1] == 255) {
                if (avail < 3)
                    return 0;
                const int32_t del = p[2];
                const int64_t addAt = 1 + 2 + 4 * int64_t(del);
                if (addAt >= avail)
                    return 0;
                length = 1 + 4 * int64_t(del) + 2 + 3 * int64_t(p[addAt]) + 1;
            } else {
                length = 2 + p[1];
            }
        }
    }
    return length <= avail ? static_cast<int32_t>(length) : 0;
}

void DecodeParaSprms(TWordDecodeContext& context, const uint8_t* group, int32_t size, TWordParaProps& para,
                     bool styleMode)
{
    const int32_t tabsFrom = para[pfTabTable] != kWordUnset ? para[pfTabTable] : -1;
    ForEachSprm(context.Word97, group, size,
                [&](const TSprm& s) { DecodePara(context, s, para, styleMode, tabsFrom); });
}

void DecodeParaGroup(TWordDecodeContext& context, const uint8_t* group, int32_t size, TWordParaProps& para,
                     bool styleMode, int32_t basedOn)
{
    ClearWordRecord(para);
    if (size < 2)
        return;
    const int32_t istd = context.Word97 ? (group[0] | group[1] << 8) : group[0];
    if (styleMode) {
        const int32_t tabs = basedOn >= 0 ? StyleTabTable(context, basedOn) : -1;
        if (tabs >= 0)
            para[pfTabTable] = tabs;
        else
            para[pfWidowControl] = 1;
    } else {
        const int32_t style = MapStyle(context, istd);
        TCharFormat chars;
        TParaFormat format;
        if (size_t(style) < context.StyleParas.size())
            format = context.StyleParas[size_t(style)];
        else
            StyleFormats(context, style, chars, format);
        for (int f = 0; f < ParaFormatFieldCount; ++f)
            para[f] = format[f];
        para[pfStyle] = style;
        context.ParagraphStyle = style;
    }
    DecodeParaSprms(context, group + 2, size - 2, para, styleMode);
    // A list paragraph takes the paragraph properties of its list level (its tabs aside).
    const int32_t ilfo = para[wpListOverride];
    para[wpListOverride] = kWordUnset;
    size_t at = 0;
    int32_t levelSize = 0;
    if (context.Word97 && ilfo != kWordUnset &&
        FindListLevel(context, ilfo, para[wpListLevel] == kWordUnset ? 0 : para[wpListLevel], at,
                      levelSize)) {
        TWordParaProps level;
        ClearWordRecord(level);
        const int32_t style = context.ParagraphStyle;
        DecodeParaSprms(context, context.Lists.data() + at, levelSize, level, true);
        context.ParagraphStyle = style;
        for (int f = 0; f < ParaFormatFieldCount; ++f)
            if (f != pfTabTable && f != pfStyle && level[f] != kWordUnset)
                para[f] = level[f];
    }
}

void DecodeCharSprms(TWordDecodeContext& context, const uint8_t* group, int32_t size, TWordCharProps& chars,
                     bool styleMode)
{
    ForEachSprm(context.Word97, group, size,
                [&](const TSprm& s) { DecodeChar(context, s, chars, styleMode); });
}

void DecodeSectionSprms(TWordDecodeContext& context, const uint8_t* group, int32_t size,
                        TWordSectionProps& section)
{
    ForEachSprm(context.Word97, group, size, [&](const TSprm& s) { DecodeSection(s, section); });
}

void DecodePictureSprms(TWordDecodeContext& context, const uint8_t* group, int32_t size,
                        TWordPictureScale& scale)
{
    ForEachSprm(context.Word97, group, size, [&](const TSprm& s) { DecodePicture(s, scale); });
}

void DecodeAllSprms(TWordDecodeContext& context, const uint8_t* group, int32_t size, TWordParaProps& para,
                    TWordCharProps& chars, TWordSectionProps& section, TWordPictureScale& scale)
{
    ClearWordRecord(para);
    ClearWordRecord(chars);
    for (int i = 0; i < kWordSectionScalars; ++i)
        section[i] = kWordUnset;
    ClearWordRecord(scale);
    ForEachSprm(context.Word97, group, size, [&](const TSprm& s) {
        DecodePara(context, s, para, false, -1) || DecodeChar(context, s, chars, false) ||
            DecodeSection(s, section) || DecodePicture(s, scale);
    });
}
