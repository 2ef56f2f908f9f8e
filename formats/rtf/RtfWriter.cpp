// The Rich Text Format writer: the emitters, the character and paragraph formats written as differences,
// and the body (paragraphs, special characters, fields, bookmarks, notes, pictures and objects).
#include "formats/rtf/RtfWriter.h"

#include <algorithm>

#include "core/Fonts.h"
#include "core/Memory.h"
#include "core/TabTables.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/Section.h"
#include "document/Field.h"
#include "codecs/CharTables.h"
#include "formats/load/StylePasses.h"
#include "formats/rtf/RtfWriting.h"

namespace {

// The underline kinds and their words; any other kind is written as the last one.
constexpr std::pair<int32_t, TRtfWord> kUnderlines[] = {
    {0, rw_ulnone},   {1, rw_ul},         {2, rw_ulw},        {3, rw_uldb},        {4, rw_uld},
    {6, rw_ulth},     {7, rw_uldash},     {9, rw_uldashd},    {10, rw_uldashdd},   {11, rw_ulwave},
    {20, rw_ulthd},   {23, rw_ulthdash},  {25, rw_ulthdashd}, {26, rw_ulthdashdd}, {27, rw_ulhwave},
    {39, rw_ulldash}, {43, rw_ululdbwave}};

constexpr TRtfWord kToggleWords[CharFormatFieldCount] = {
    rw_f,          rw_fs,         rw_b,     rw_i,    rw_strike,  rw_striked, rw_ul, rw_ulc,
    rw_scaps,      rw_caps,       rw_shad,  rw_outl, rw_embo,    rw_impr,    rw_cf, rw_highlight,
    rw_nosupersub, rw_charscalex, rw_expnd, rw_up,   rw_kerning, rw_lang};

// Hundredths of a millimetre from twips, rounded half to even.
int32_t TwipsToHundredthsOfMm(int32_t twips)
{
    const int64_t n = int64_t(std::max(twips, 0)) * 127;
    int64_t q = n / 72;
    const int64_t r2 = (n % 72) * 2;
    if (r2 > 72 || (r2 == 72 && (q & 1)))
        ++q;
    return static_cast<int32_t>(q);
}

} // namespace

TRtfWriter::TRtfWriter(TDocument& document, const TTextRange& range, const TRtfWriteOptions& options)
    : Doc(document), Range(range), Options(options)
{
    Char = DefaultCharFormat();
    Para = DefaultPara();
}

TParaFormat TRtfWriter::DefaultPara() const
{
    TParaFormat p = DefaultParaFormat();
    p[pfWidowControl] = Doc.WidowControl;
    return p;
}

void TRtfWriter::Word(TRtfWord word)
{
    Out += '\\';
    Out += TControlWords::NameOf(word);
    Delimit = true;
}

void TRtfWriter::Word(TRtfWord word, int32_t value)
{
    Word(word);
    Out += std::to_string(value);
}

void TRtfWriter::Toggle(TRtfWord word, int32_t value)
{
    Word(word);
    if (value == 0)
        Out += '0';
    else if (InStyleSheet && value != kStyleToggle)
        Out += '1'; // in a style a bare toggle means "the opposite of the base style"
}

void TRtfWriter::TextGroup(TRtfWord word, const std::string& text, bool starred)
{
    if (text.empty())
        return;
    Open();
    if (starred)
        Out += "\\*";
    Word(word);
    Text(text);
    Close();
}

void TRtfWriter::Text(const uint8_t* p, int32_t n)
{
    if (n <= 0)
        return;
    if (Delimit)
        Out += ' ';
    Delimit = false;
    for (int32_t i = 0; i < n;) {
        const uint8_t c = p[i];
        const uint8_t kind = CharClassTable[c];
        if (kind == 1) {
            const int32_t run = CountAsciiRun(p + i, n - i);
            Out.append(reinterpret_cast<const char*>(p + i), size_t(run));
            i += run;
        } else if (kind == 2) {
            Out += '\\';
            Out += static_cast<char>(c);
            ++i;
        } else if (Options.EightBit) {
            Out += static_cast<char>(c);
            ++i;
        } else {
            char escape[4];
            BytesToEscapes(&c, escape, 1);
            Out.append(escape, sizeof escape);
            ++i;
        }
    }
}

void TRtfWriter::Hex(const uint8_t* p, size_t n)
{
    const size_t at = Out.size();
    Out.resize(at + 2 * n);
    for (size_t done = 0; done < n;) {
        const int32_t count = static_cast<int32_t>(std::min<size_t>(n - done, size_t(1) << 30));
        BytesToHexPairs(Out.data() + at + 2 * done, p + done, count);
        done += size_t(count);
    }
    Delimit = false;
}

void TRtfWriter::LineEnd()
{
    if (!Options.EightBit)
        Raw("\r\n");
}

void TRtfWriter::CharField(int field, int32_t value, bool inStyle)
{
    switch (field) {
    case cfFont:
    case cfSize:
    case cfUnderlineColor:
    case cfColor:
    case cfHighlight:
    case cfScale:
    case cfKerning:
    case cfLanguage: Word(kToggleWords[field], value); break;
    case cfDoubleStrike: Word(rw_striked, value != 0); break;
    case cfUnderline: {
        TRtfWord word = rw_ulthldash;
        for (auto [kind, w] : kUnderlines)
            if (kind == value)
                word = w;
        Word(word);
        break;
    }
    case cfVertPos: Word(value == 1 ? rw_super : value == 2 ? rw_sub : rw_nosupersub); break;
    case cfSpacing:
        Word(rw_expnd, value * 4 / 20);
        Word(rw_expndtw, value);
        break;
    case cfRaise:
        if (value >= 0)
            Word(rw_up, 2 * value);
        else
            Word(rw_dn, -2 * value);
        break;
    default: Toggle(kToggleWords[field], value); break;
    }
    if (!inStyle)
        Char[field] = value;
}

void TRtfWriter::Tabs(int32_t table)
{
    if (!Doc.TabManager || table < 0 || table >= Doc.TabManager->Count())
        return;
    const TTabTable& tabs = Doc.TabManager->Table(table);
    for (int k = 0; k < tabs.Count(); ++k) {
        int32_t position, kind, leader;
        UnpackTabStop(tabs[k], position, kind, leader);
        if (kind == tkBar) {
            Word(rw_tb, position);
            continue;
        }
        if (kind == tkCenter)
            Word(rw_tqc);
        else if (kind == tkRight)
            Word(rw_tqr);
        else if (kind == tkDecimal)
            Word(rw_tqdec);
        if (leader == tlDots)
            Word(rw_tldot);
        else if (leader == tlHyphens)
            Word(rw_tlhyph);
        else if (leader == tlUnderline)
            Word(rw_tlul);
        Word(rw_tx, position);
    }
}

void TRtfWriter::ParaField(int field, const TParaFormat& f)
{
    const int32_t v = f[field];
    switch (field) {
    case pfFirstIndent: Word(rw_fi, v); break;
    case pfLeftIndent: Word(rw_li, v); break;
    case pfLineSpacing:
    case pfSpacingRule:
        Word(rw_sl, f[pfLineSpacing] == UndefinedField ? 240 : f[pfLineSpacing]);
        if (f[pfSpacingRule] != UndefinedField)
            Word(rw_slmult, f[pfSpacingRule]);
        break;
    case pfRightIndent: Word(rw_ri, v); break;
    case pfAlignment: Word(v == 1 ? rw_qc : v == 2 ? rw_qr : v == 3 ? rw_qj : rw_ql); break;
    case pfKeepWithNext: Word(v ? rw_keepn : rw_keepnoff); break;
    case pfKeepTogether: Word(v ? rw_keep : rw_keepoff); break;
    case pfPageBreakBefore: Word(v ? rw_pagebb : rw_pagebboff); break;
    case pfWidowControl: Word(v ? rw_widctlpar : rw_nowidctlpar); break;
    case pfSpaceBefore: Word(rw_sb, v); break;
    case pfSpaceAfter: Word(rw_sa, v); break;
    case pfStyle: Word(rw_s, v); break;
    case pfTabTable: Tabs(v); break;
    default: break;
    }
}

// The paragraph format as differences from the one written last, or "\pard" and the differences from
// the default when that is shorter or when something can only be cleared that way.
void TRtfWriter::ParagraphFormat(const TParaFormat& want)
{
    const TParaFormat base = DefaultPara();
    int fromCurrent = 0, fromDefault = 0;
    for (int f = 0; f < pfBullets; ++f) {
        fromCurrent += want[f] != Para[f];
        fromDefault += want[f] != base[f];
    }
    if (fromCurrent == 0)
        return;
    bool pard = fromCurrent > fromDefault || want[pfTabTable] != Para[pfTabTable];
    for (int f : {pfKeepWithNext, pfKeepTogether, pfPageBreakBefore})
        pard = pard || (Para[f] && !want[f]);
    const TParaFormat& from = pard ? base : Para;
    if (pard)
        Word(rw_pard);
    for (int f = 0; f < pfBullets; ++f) {
        if (want[f] == from[f] || (f == pfSpacingRule && want[pfLineSpacing] != from[pfLineSpacing]))
            continue;
        ParaField(f, want);
    }
    Para = want;
}

void TRtfWriter::PlainDefaults()
{
    Word(rw_plain);
    Char = DefaultCharFormat();
    if (Doc.DefaultLanguageId >= 0)
        Char[cfLanguage] = Doc.DefaultLanguageId;
    Word(rw_f, Char[cfFont]);
    Word(rw_fs, Char[cfSize]);
    Word(rw_pard);
    Para = DefaultPara();
}

void TRtfWriter::Bullet()
{
    // The bullet's text group carries no font change: a reader drops the two characters it shows.
    const int32_t font = GetFontManager().BulletFont();
    Raw("{");
    Word(rw_pntext);
    Raw(Options.EightBit ? "\xb7" : "\\'b7");
    Word(rw_tab);
    Raw("}{\\*");
    Word(rw_pn);
    Word(rw_pnlvlblt);
    Word(rw_pnf, font);
    Raw("{");
    Word(rw_pntxtb);
    Raw(Options.EightBit ? " \xb7}}" : " \\'b7}}");
}

void TRtfWriter::Special(int code)
{
    switch (code) {
    case scColumnBreak: Word(rw_column); break;
    case scLineBreak: Word(rw_line); break;
    case scPageBreak: Word(rw_page); break;
    case scTab: Word(rw_tab); break;
    case scNonBreakingSpace: Raw("\\~"); break;
    case scNonBreakingHyphen: Raw("\\_"); break;
    case scEmDash: Word(rw_emdash); break;
    case scEnDash: Word(rw_endash); break;
    case scOptionalHyphen: Raw("\\-"); break;
    case scFieldResult: Word(rw_chftn); break;
    default: break;
    }
}

void TRtfWriter::FieldStart(int32_t handle)
{
    const TField* field = FieldOfTag(handle);
    if (!field)
        return;
    if (field->Kind == fkBookmark) {
        Raw("{\\*");
        Word(rw_bkmkstart);
        Text(field->Code);
        Close();
    } else if (field->Kind == fkCode) {
        FieldFormats.push_back({Char, Para, WantPara});
        OpenFields.push_back(handle);
        Raw("{{");
        Word(rw_field);
        Raw("{\\*");
        Word(rw_fldinst);
        Raw("{");
        Text(field->Code);
        Raw("}}{");
        Word(rw_fldrslt);
        Raw("{");
    }
}

void TRtfWriter::CloseFieldsDownTo(size_t depth)
{
    while (OpenFields.size() > depth) {
        OpenFields.pop_back();
        Raw("}}}}");
        // The group's end brings back the formats of its start; the text goes on in its own.
        const TCharFormat want = Char;
        Char = FieldFormats.back().Char;
        Para = FieldFormats.back().Para;
        FieldFormats.pop_back();
        for (int f = 0; f < CharFormatFieldCount; ++f)
            if (want[f] != Char[f])
                CharField(f, want[f], false);
        ParagraphFormat(WantPara);
    }
}

void TRtfWriter::FieldEnd(int32_t handle)
{
    const TField* field = FieldOfTag(handle);
    if (!field)
        return;
    if (field->Kind == fkBookmark) {
        Raw("{\\*");
        Word(rw_bkmkend);
        Text(field->Code);
        Close();
    } else if (field->Kind == fkCode) {
        auto it = std::find(OpenFields.rbegin(), OpenFields.rend(), handle);
        if (it != OpenFields.rend())
            CloseFieldsDownTo(size_t(OpenFields.rend() - it) - 1);
    } else if (field->Kind == fkNoteReference && field->Owner) {
        Note(*field);
    }
}

void TRtfWriter::Note(const TField& reference)
{
    auto it = Stories.find(reference.Owner->Handle);
    if (it == Stories.end())
        return;
    const TSavedFormats saved{Char, Para, WantPara};
    const size_t fields = OpenFields.size();
    Open();
    Word(rw_footnote);
    if (reference.Owner->IsEndnote)
        Word(rw_ftnalt);
    PlainDefaults();
    const TStorySpan span = it->second;
    Paragraphs(span.First, span.Last, 0, INT32_MAX, true);
    CloseFieldsDownTo(fields);
    Close();
    Char = saved.Char;
    Para = saved.Para;
    WantPara = saved.Want;
}

void TRtfWriter::Picture(TDocObject& object, bool inObject)
{
    TDocObjectImage& image = *object.Image;
    Open();
    Word(rw_pict);
    if (!inObject)
        Raw(object.KeepProportions ? "{\\*\\picprop{\\sp{\\sn fLockAspectRatio}{\\sv 1}}}"
                                   : "{\\*\\picprop{\\sp{\\sn fLockAspectRatio}{\\sv 0}}}");
    std::vector<uint8_t> data;
    bool windowsMetafile = false;
    if (!image.JpegBytes.empty()) {
        Word(rw_jpegblip);
        data = image.JpegBytes;
    } else if (image.Kind == ikBitmap) {
        Word(rw_pngblip);
        data = image.GetPngBytes();
    } else {
        data = image.GetStoredMetafileBits(windowsMetafile);
        if (windowsMetafile)
            Word(rw_wmetafile, image.MetafileHeader.MapMode);
        else
            Word(rw_emfblip);
    }
    if (windowsMetafile) {
        Word(rw_picw, image.MetafileHeader.XExt);
        Word(rw_pich, image.MetafileHeader.YExt);
    } else {
        Word(rw_picw, TwipsToHundredthsOfMm(object.Width));
        Word(rw_pich, TwipsToHundredthsOfMm(object.Height));
    }
    Word(rw_picwgoal, object.Width);
    Word(rw_pichgoal, object.Height);
    if (object.ScaleX != 100)
        Word(rw_picscalex, object.ScaleX);
    if (object.ScaleY != 100)
        Word(rw_picscaley, object.ScaleY);
    Raw(" ");
    Hex(data.data(), data.size());
    Close();
}

void TRtfWriter::Object(TDocObject& object)
{
    auto* ole = dynamic_cast<TDocOLEObject*>(&object);
    if (!ole) {
        Picture(object, false);
        return;
    }
    static constexpr TRtfWord kinds[] = {rw_objemb, rw_objemb,   rw_objlink, rw_objautlink, rw_objsub,
                                         rw_objpub, rw_objicemb, rw_objhtml, rw_objocx};
    Open();
    Word(rw_object);
    Word(ole->ObjectKind < std::size(kinds) ? kinds[ole->ObjectKind] : rw_objemb);
    TextGroup(rw_objclass, ole->ClassName, true);
    TextGroup(rw_objname, ole->ObjectName, true);
    Word(rw_objw, ole->Width);
    Word(rw_objh, ole->Height);
    Raw("{\\*");
    Word(rw_objdata);
    Raw(" ");
    Hex(ole->Data.data(), ole->Data.size());
    Raw("}{");
    Word(rw_result);
    Picture(*ole, true);
    Raw("}}");
}

// Writes characters From to To (To excluded) of a paragraph; the end mark only when it lies in that
// span and DropMark is not set.
namespace {

bool FormatTagAt(const uint8_t* s, int32_t size, int32_t at)
{
    return size - at >= InlineTagSize && s[at] == 0 && IsFormatTag(TagCode(s + at));
}

bool SameFormat(const TCharFormat& a, const TCharFormat& b)
{
    return std::equal(a.F, a.F + CharFormatFieldCount, b.F);
}

// A temporary formatting: the format tags at From change the format Before, only text and special
// characters (no paragraph mark) follow, within the range, up to a run of format tags that gives every
// field its value Before back. Inside receives the format of the passage, End where the closing tags
// start and Resume where they end.
bool FindTemporaryFormat(const uint8_t* s, int32_t size, int32_t from, int32_t ch, int32_t to,
                         const TCharFormat& before, TCharFormat& inside, int32_t& end, int32_t& resume)
{
    inside = before;
    int32_t pos = from;
    for (; FormatTagAt(s, size, pos); pos += InlineTagSize)
        inside[TagCode(s + pos)] = TagValue(s + pos);
    if (SameFormat(inside, before))
        return false;
    bool passage = false;
    while (!FormatTagAt(s, size, pos)) {
        if (pos >= size || ch >= to)
            return false;
        if (s[pos] != 0) {
            const int32_t run = std::min(PlainRunLength(s + pos, size - pos), to - ch);
            pos += run;
            ch += run;
        } else if (size - pos >= InlineTagSize && TagCode(s + pos) == tcSpecial &&
                   TagValue(s + pos) != scParagraphMark) {
            pos += InlineTagSize;
            ++ch;
        } else {
            return false;
        }
        passage = true;
    }
    if (!passage || ch >= to)
        return false;
    const int32_t closing = pos;
    TCharFormat after = inside;
    for (; FormatTagAt(s, size, pos); pos += InlineTagSize)
        after[TagCode(s + pos)] = TagValue(s + pos);
    if (!SameFormat(after, before))
        return false;
    end = closing;
    resume = pos;
    return true;
}

} // namespace

void TRtfWriter::Paragraph(int32_t index, int32_t from, int32_t to, bool dropMark)
{
    const TParagraph& p = *Doc.Paragraphs[size_t(index)];
    const uint8_t* s = p.Text.Data();
    const int32_t size = p.Text.Size();
    int32_t start = 0;
    if (from == 0) {
        // A paragraph's formats start from the default: its leading format tags say what differs.
        TCharFormat lead = DefaultCharFormat();
        for (int32_t at = 0; size - at >= InlineTagSize && s[at] == 0 && IsZeroWidthTag(TagCode(s + at));
             at += InlineTagSize)
            if (IsFormatTag(TagCode(s + at)))
                lead[TagCode(s + at)] = TagValue(s + at);
        for (int f = 0; f < CharFormatFieldCount; ++f)
            if (lead[f] != Char[f])
                CharField(f, lead[f], false);
    } else {
        // The formats in force where the range starts, written in field order.
        start = p.CharToStreamOffset(from);
        TCharFormat at = DefaultCharFormat();
        MergeFormatTags(s, 0, start, false, at);
        for (int f = 0; f < CharFormatFieldCount; ++f)
            if (at[f] != Char[f])
                CharField(f, at[f], false);
    }
    if (p.ParaFormat[pfBullets] && from == 0)
        Bullet();
    int32_t ch = from;
    // A temporary formatting is written as a group, whose end gives the formats back.
    int32_t groupEnd = -1, groupResume = -1;
    TCharFormat beforeGroup{};
    for (int32_t pos = start; pos < size && ch < to;) {
        if (pos == groupEnd) {
            Close();
            Char = beforeGroup;
            pos = groupResume;
            groupEnd = -1;
            continue;
        }
        if (s[pos] != 0) {
            const int32_t run = std::min(PlainRunLength(s + pos, size - pos), to - ch);
            Text(s + pos, run);
            pos += run;
            ch += run;
            continue;
        }
        if (size - pos < InlineTagSize)
            break;
        const int code = TagCode(s + pos);
        const int32_t value = TagValue(s + pos);
        TCharFormat inside;
        if (IsFormatTag(code) && value != Char[code] && groupEnd < 0 &&
            FindTemporaryFormat(s, size, pos, ch, to, Char, inside, groupEnd, groupResume)) {
            beforeGroup = Char;
            Open();
            for (; FormatTagAt(s, size, pos); pos += InlineTagSize)
                if (TagValue(s + pos) != Char[TagCode(s + pos)])
                    CharField(TagCode(s + pos), TagValue(s + pos), false);
            continue;
        }
        pos += InlineTagSize;
        if (IsFormatTag(code)) {
            if (value != Char[code])
                CharField(code, value, false);
            continue;
        }
        if (code == tcFieldStart) {
            FieldStart(value);
            continue;
        }
        if (code == tcFieldEnd) {
            FieldEnd(value);
            continue;
        }
        ++ch;
        const bool last = ch == to;
        switch (code) {
        case tcSpecial:
            if (value == scParagraphMark) {
                if (last && dropMark)
                    break;
                if (Options.EightBit) {
                    Raw("\\\r");
                } else {
                    Word(rw_par);
                    LineEnd();
                }
            } else {
                Special(value);
            }
            break;
        case tcSectionBreak: {
            const auto& sections = Doc.Sections;
            auto it = std::find_if(sections.begin(), sections.end(),
                                   [value](const auto& section) { return section->Handle == value; });
            if (index == Range.EndPos.ParIndex || it == sections.end() || it + 1 == sections.end()) {
                if (!(last && dropMark)) {
                    Word(rw_par);
                    LineEnd();
                }
                break;
            }
            Word(rw_sect);
            Word(rw_sectd);
            SectionProperties(**(it + 1), false);
            SectionBreakOf(**it);
            LineEnd();
            break;
        }
        case tcPicture:
        case tcOLEObject:
            if (TDocObject* object = Doc.ObjectManager ? Doc.ObjectManager->FindObject(value) : nullptr)
                Object(*object);
            break;
        default: break;
        }
    }
}

void TRtfWriter::Paragraphs(int32_t first, int32_t last, int32_t startOffset, int32_t endOffset,
                            bool dropLastMark)
{
    for (int32_t i = first; i <= last && i < Doc.ParagraphCount(); ++i) {
        const TParagraph& p = *Doc.Paragraphs[size_t(i)];
        WantPara = p.ParaFormat;
        ParagraphFormat(p.ParaFormat);
        const int32_t to = i == last ? std::min(endOffset, p.PlainText.Size()) : p.PlainText.Size();
        Paragraph(i, i == first ? startOffset : 0, to, i == last && dropLastMark);
    }
}

void TRtfWriter::Write()
{
    FindStories();
    Raw("{\\rtf1\\ansi");
    Delimit = true;
    if (Doc.DefaultLanguageId >= 0) {
        Word(rw_deflang, Doc.DefaultLanguageId);
        Char[cfLanguage] = Doc.DefaultLanguageId;
    }
    if (Doc.DefaultLanguageCoding > 0)
        Word(rw_deflangcoding, Doc.DefaultLanguageCoding);
    FontTable();
    ColorTable();
    StyleSheet();
    Info();
    DocumentProperties();
    LineEnd();
    const int32_t firstPar = std::clamp(Range.StartPos.ParIndex, 0, std::max(Doc.ParagraphCount() - 1, 0));
    FirstSection = Doc.SectionOfParagraph(firstPar);
    if (!FirstSection && !Doc.Sections.empty())
        FirstSection = Doc.Sections.front().get();
    if (FirstSection)
        SectionProperties(*FirstSection, true);
    PlainDefaults();
    LineEnd();
    const int32_t last = std::min(Range.EndPos.ParIndex, Doc.ParagraphCount() - 1);
    // The document's final paragraph mark is the end of the text, not a paragraph of its own.
    const bool dropLastMark = last == Doc.StoryEnd(stMain);
    for (int32_t i = firstPar; i <= last; ++i) {
        const TParagraph& p = *Doc.Paragraphs[size_t(i)];
        WantPara = p.ParaFormat;
        ParagraphFormat(p.ParaFormat);
        const int32_t from = i == firstPar ? Range.StartPos.Offset : 0;
        const int32_t to = i == last ? std::min(Range.EndPos.Offset, p.PlainText.Size()) : p.PlainText.Size();
        Paragraph(i, from, to, i == last && dropLastMark);
        if (Options.Progress)
            Options.Progress(++Written);
    }
    CloseFieldsDownTo(0);
    Close();
}

void WriteRtf(TDocument& document, const TTextRange& range, const TRtfWriteOptions& options, TMemory& out)
{
    document.UpdateSectionRanges();
    TRtfWriter writer(document, range, options);
    writer.Write();
    out.Append(writer.Out.data(), static_cast<int32_t>(writer.Out.size()));
}
