// The RTF writer's file header: the font and colour tables, the style sheet, the information group, the
// document settings and the properties of sections with their headers and footers.
#include <algorithm>
#include <set>

#include "classlib/runtime/DateTime.h"
#include "core/Fonts.h"
#include "core/Styles.h"
#include "core/TabTables.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/Section.h"
#include "document/Field.h"
#include "core/Codings.h"
#include "formats/rtf/RtfWriting.h"

namespace {

// The fixed colour table: the colour fields of formats are indexes into it (0 is automatic).
constexpr uint8_t kColors[16][3] = {{0, 0, 0},     {0, 0, 255},   {0, 255, 255},   {0, 255, 0},
                                    {255, 0, 255}, {255, 0, 0},   {255, 255, 0},   {255, 255, 255},
                                    {0, 0, 128},   {0, 128, 128}, {0, 128, 0},     {128, 0, 128},
                                    {128, 0, 0},   {128, 128, 0}, {128, 128, 128}, {192, 192, 192}};

constexpr int32_t kFirstFunctionKey = 112, kLastFunctionKey = 135;

bool IsColorField(int field)
{
    return field == cfColor || field == cfHighlight || field == cfUnderlineColor;
}

} // namespace

// Finds the paragraphs of each note text and each header or footer, by the marks of the field that
// frames them.
void TRtfWriter::FindStories()
{
    for (int32_t i = Doc.StoryStart(stFootnotes); i < Doc.ParagraphCount(); ++i) {
        const TMemory& text = Doc.Paragraphs[size_t(i)]->Text;
        ForEachTag(text.Data(), 0, text.Size(), [&](int32_t, int code, int32_t value) {
            if (!IsFieldMark(code))
                return true;
            const TField* field = FieldOfTag(value);
            if (!field || (field->Kind != fkNoteText && field->Kind != fkHeaderFooter))
                return true;
            TStorySpan& span = Stories[value];
            if (code == tcFieldStart)
                span.First = i;
            else
                span.Last = i;
            return true;
        });
    }
    for (auto it = Stories.begin(); it != Stories.end();)
        it = it->second.First < 0 || it->second.Last < it->second.First ? Stories.erase(it) : std::next(it);
}

void TRtfWriter::FontTable()
{
    TFontManager& fonts = GetFontManager();
    std::set<int32_t> used{DefaultCharFormat()[cfFont]};
    bool bullets = false;
    for (const auto& p : Doc.Paragraphs) {
        bullets = bullets || p->ParaFormat[pfBullets];
        ForEachTag(p->Text.Data(), 0, p->Text.Size(), [&used](int32_t, int code, int32_t value) {
            if (code == cfFont)
                used.insert(value);
            return true;
        });
    }
    if (Doc.StyleList)
        for (const auto& style : Doc.StyleList->Styles)
            if (style->CharFormat[cfFont] != UndefinedField)
                used.insert(style->CharFormat[cfFont]);
    if (bullets)
        used.insert(fonts.BulletFont());
    Open();
    Word(rw_fonttbl);
    for (int32_t index : used) {
        if (index < 0 || index >= fonts.FontCount())
            continue;
        const TRegisteredFont& font = fonts.Font(index);
        Open();
        Word(rw_f, index);
        static constexpr TRtfWord families[] = {rw_fnil,    rw_froman,  rw_fswiss,
                                                rw_fmodern, rw_fscript, rw_fdecor};
        const int family = (font.PitchAndFamily >> 4) & 15;
        Word(family <= 5 ? families[family] : rw_fnil);
        Word(rw_fcharset, font.Charset);
        Word(rw_fprq, font.PitchAndFamily & 3);
        Text(font.Name + ";");
        Close();
    }
    Close();
}

void TRtfWriter::ColorTable()
{
    bool needed = false;
    for (const auto& p : Doc.Paragraphs) {
        if (needed)
            break;
        ForEachTag(p->Text.Data(), 0, p->Text.Size(), [&needed](int32_t, int code, int32_t value) {
            needed = needed || (IsColorField(code) && value > 0);
            return !needed;
        });
    }
    if (Doc.StyleList)
        for (const auto& style : Doc.StyleList->Styles)
            for (int f : {cfColor, cfHighlight, cfUnderlineColor})
                needed = needed || (style->CharFormat[f] != UndefinedField && style->CharFormat[f] > 0);
    if (!needed)
        return;
    Raw("{");
    Word(rw_colortbl);
    Raw(";");
    for (const auto& c : kColors) {
        Word(rw_red, c[0]);
        Word(rw_green, c[1]);
        Word(rw_blue, c[2]);
        Raw(";");
    }
    Close();
}

void TRtfWriter::StyleSheet()
{
    if (!Doc.StyleList || Doc.StyleList->Count() == 0)
        return;
    InStyleSheet = true;
    LineEnd();
    Open();
    Word(rw_stylesheet);
    for (int32_t i = 0; i < Doc.StyleList->Count(); ++i)
        Style(i, *Doc.StyleList->StyleOf(i));
    Close();
    InStyleSheet = false;
}

void TRtfWriter::Style(int32_t index, const TStyle& style)
{
    Open();
    if (style.IsCharacterStyle) {
        Raw("\\*");
        Word(rw_cs, index);
    } else {
        Word(rw_s, index);
    }
    if (style.ShortCut) {
        const int32_t key = style.ShortCut & 0xFFFF, shift = style.ShortCut >> 16;
        Raw("{\\*");
        Word(rw_keycode);
        if (shift & 1)
            Word(rw_shift);
        if (shift & 4)
            Word(rw_ctrl);
        if (shift & 2)
            Word(rw_alt);
        if (key >= kFirstFunctionKey && key <= kLastFunctionKey) {
            Word(rw_fn, key - kFirstFunctionKey + 1);
        } else {
            const uint8_t c = static_cast<uint8_t>(key);
            Text(&c, 1);
        }
        Close();
    }
    if (style.BasedOn >= 0)
        Word(rw_sbasedon, style.BasedOn);
    Word(rw_snext, std::max(style.NextStyle, 0));
    for (int f = 0; f < CharFormatFieldCount; ++f)
        if (style.CharFormat[f] != UndefinedField)
            CharField(f, style.CharFormat[f], true);
    for (int f = 0; f < pfBullets; ++f) {
        const int32_t v = style.ParaFormat[f];
        if (v == UndefinedField || f == pfStyle ||
            (f == pfSpacingRule && style.ParaFormat[pfLineSpacing] != UndefinedField))
            continue;
        ParaField(f, style.ParaFormat);
    }
    Text(style.Name + ";");
    Close();
    LineEnd();
}

void TRtfWriter::Date(TRtfWord word, double value)
{
    if (value == 0)
        return;
    int year, month, day, hour, minute, second, ms;
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, minute, second, ms);
    Open();
    Word(word);
    Word(rw_yr, year);
    Word(rw_mo, month);
    Word(rw_dy, day);
    Word(rw_hr, hour);
    Word(rw_min, minute);
    Word(rw_sec, second);
    Close();
}

void TRtfWriter::Info()
{
    const TDocumentInfo& info = Doc.Info;
    Open();
    Word(rw_info);
    if (Options.SafetyCopy) {
        TextGroup(rw_autosavedorigname, Doc.FileName, true);
        TextGroup(rw_autosavedorigfmt, std::string(TCodingManager::GetCodingIdentifier(Options.Coding)),
                  true);
    }
    if (info.LastAuthor != info.Author)
        TextGroup(rw_operator, info.LastAuthor, false);
    TextGroup(rw_company, info.Company, true);
    Date(rw_creatim, info.CreationDate);
    if (info.LastSaveDate != info.CreationDate)
        Date(rw_revtim, info.LastSaveDate);
    Date(rw_printim, info.LastPrintDate);
    TextGroup(rw_title, info.Title, false);
    TextGroup(rw_subject, info.Subject, false);
    TextGroup(rw_author, info.Author, false);
    TextGroup(rw_keywords, info.Keywords, false);
    TextGroup(rw_doccomm, info.Comments, false);
    if (Options.SafetyCopy || Options.KeepCaret) {
        // The caret of the story being edited: a header or footer's own while one is open.
        const TTextPos caret = Doc.EditedHeaderFooter ? Doc.CaretBeforeHeaderFooter : Doc.Caret;
        if (caret.ParIndex > 0)
            Word(rw_dskparnr, caret.ParIndex);
        if (caret.Offset > 0)
            Word(rw_dskcharnr, caret.Offset);
    }
    Close();
}

void TRtfWriter::DocumentProperties()
{
    const bool preview = Doc.PreviewMode;
    const int32_t zoom = preview ? Doc.ViewState.SavedViewSettings.Zoom : Doc.ViewState.ZoomPercent;
    const int kind = preview ? Doc.ViewState.SavedViewSettings.ZoomKind : Doc.ViewState.ZoomKind;
    if (zoom != 100)
        Word(rw_viewscale, zoom);
    if (kind >= 1 && kind <= 4)
        Word(rw_viewzk, kind == 1 ? 2 : kind == 2 ? 3 : 1);
    if (Doc.TabManager && Doc.TabManager->DefaultTabInterval() != 720)
        Word(rw_deftab, Doc.TabManager->DefaultTabInterval());
    if (Doc.WidowControl)
        Word(rw_widowctrl);
    Word(rw_useltbaln);
    const TNoteSettings& fn = Doc.FootnoteSettings;
    const TNoteSettings& en = Doc.EndnoteSettings;
    if (fn.Position == 1)
        Word(rw_ftnbj);
    else if (fn.Position == 2)
        Word(rw_ftntj);
    static constexpr TRtfWord footFormats[] = {rw_ftnnar, rw_ftnnruc, rw_ftnnrlc, rw_ftnnauc, rw_ftnnalc};
    static constexpr TRtfWord endFormats[] = {rw_aftnnar, rw_aftnnruc, rw_aftnnrlc, rw_aftnnauc, rw_aftnnalc};
    if (fn.Format >= 0 && fn.Format <= 4)
        Word(footFormats[fn.Format]);
    else if (fn.Format == 9)
        Word(rw_ftnnchi);
    if (fn.StartNumber != 1)
        Word(rw_ftnstart, fn.StartNumber);
    if (fn.RestartMode == 1)
        Word(rw_ftnrestart);
    else if (fn.RestartMode == 2)
        Word(rw_ftnrstpg);
    Word(en.Position == 3 ? rw_aenddoc : rw_aendnotes);
    if (en.Format >= 0 && en.Format <= 4)
        Word(endFormats[en.Format]);
    else if (en.Format == 9)
        Word(rw_aftnnchi);
    if (en.StartNumber != 1)
        Word(rw_aftnstart, en.StartNumber);
    if (en.RestartMode == 1)
        Word(rw_aftnrestart);
}

void TRtfWriter::HeaderFooter(TRtfWord word, const TField* frame)
{
    if (!frame)
        return;
    auto it = Stories.find(frame->Handle);
    if (it == Stories.end())
        return;
    const TCharFormat savedChar = Char;
    const TParaFormat savedPara = Para, savedWant = WantPara;
    const size_t fields = OpenFields.size();
    LineEnd();
    Open();
    Word(word);
    PlainDefaults();
    Paragraphs(it->second.First, it->second.Last, 0, INT32_MAX, false);
    CloseFieldsDownTo(fields);
    Close();
    Char = savedChar;
    Para = savedPara;
    WantPara = savedWant;
}

void TRtfWriter::SectionProperties(const TSection& section, bool first)
{
    const TPageSetup& ps = section.PageSetup;
    const TPageSetup& base = FirstSection->PageSetup;
    static constexpr int fields[] = {psWidth,       psHeight,    psLeftMargin,
                                     psRightMargin, psTopMargin, psBottomMargin};
    static constexpr TRtfWord documentWords[] = {rw_paperw, rw_paperh, rw_margl,
                                                 rw_margr,  rw_margt,  rw_margb};
    static constexpr TRtfWord sectionWords[] = {rw_pgwsxn,   rw_pghsxn,   rw_marglsxn,
                                                rw_margrsxn, rw_margtsxn, rw_margbsxn};
    for (int k = 0; k < 6; ++k)
        if (first || ps[fields[k]] != base[fields[k]])
            Word(first ? documentWords[k] : sectionWords[k], ps[fields[k]]);
    if (ps[psOrientation])
        Word(rw_lndscpsxn);
    if (first && ps[psMirrorMargins])
        Word(rw_margmirror);
    if (ps[psHeaderDistance] != 720)
        Word(rw_headery, ps[psHeaderDistance]);
    if (ps[psFooterDistance] != 720)
        Word(rw_footery, ps[psFooterDistance]);
    if (first && (ps[psHeaderFlags] & 0xFF))
        Word(rw_facingp);
    if (ps[psHeaderFlags] & 0xFF00)
        Word(rw_titlepg);
    static constexpr TRtfWord numbers[] = {rw_pgndec, rw_pgnucrm, rw_pgnlcrm, rw_pgnucltr, rw_pgnlcltr};
    if (section.PageNumberStyle >= 0 && section.PageNumberStyle <= 4)
        Word(numbers[section.PageNumberStyle]);
    if (section.PageNumberRestart >= 0) {
        Word(rw_pgnrestart);
        Word(rw_pgnstarts, section.PageNumberRestart);
    } else {
        Word(rw_pgncont);
    }
    const TSectionParams& sp = section.Params;
    if (sp[spColumnCount] > 1) {
        Word(rw_cols, sp[spColumnCount]);
        if (sp[spColumnGap] != 720)
            Word(rw_colsx, sp[spColumnGap]);
        if (!sp[spEqualWidths]) {
            for (int n = 0; n < sp[spColumnCount] && n < MaxColumns; ++n) {
                Word(rw_colno, n + 1);
                Word(rw_colw, sp[ColumnField(n, ceWidth)]);
                if (n + 1 < sp[spColumnCount])
                    Word(rw_colsr, sp[ColumnField(n, ceGapAfter)]);
            }
        }
    }
    if (sp[spLineBetween])
        Word(rw_linebetcol);
    const auto* slots = section.HeaderFooter;
    if (slots[hfEvenHeader]) {
        HeaderFooter(rw_headerr, slots[hfOddHeader]);
        HeaderFooter(rw_headerl, slots[hfEvenHeader]);
    } else {
        HeaderFooter(rw_header, slots[hfOddHeader]);
    }
    HeaderFooter(rw_headerf, slots[hfFirstHeader]);
    if (slots[hfEvenFooter]) {
        HeaderFooter(rw_footerr, slots[hfOddFooter]);
        HeaderFooter(rw_footerl, slots[hfEvenFooter]);
    } else {
        HeaderFooter(rw_footer, slots[hfOddFooter]);
    }
    HeaderFooter(rw_footerf, slots[hfFirstFooter]);
    if (section.RangeReachesEnd(Range))
        Word(rw_sectfullsaved);
}

// How the section after Section starts: the break that ends Section.
void TRtfWriter::SectionBreakOf(const TSection& section)
{
    switch (section.BreakKind()) {
    case 0: Word(rw_sbknone); break;
    case 2: Word(rw_sbkeven); break;
    case 3: Word(rw_sbkodd); break;
    default: break;
    }
}
