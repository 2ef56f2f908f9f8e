// The table of contents builder: entries made from the heading paragraphs, linked to bookmarks on them,
// and the table styles imported from templates or made.
#include "editing/TableOfContents.h"

#include <algorithm>

#include "core/RecordUtils.h"
#include "core/StyleManager.h"
#include "core/Styles.h"
#include "core/TabTables.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/Field.h"
#include "document/FieldCodes.h"
#include "document/InlineTags.h"
#include "document/Section.h"
#include "document/TextAccess.h"
#include "editing/Builders.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "editing/OperationParams.h"
#include "editing/ParagraphExchange.h"

TStyleSourceLoader StyleSourceLoader = nullptr;

namespace {

constexpr int32_t IndentStep = 240;
const char* const ActionName = "la création de table des matières";

void Unite(TDocument& doc, TChangedRange& range, const TChangedRange& one)
{
    doc.ChangedRanges->UnionChangedRange(range, one);
}

// The built-in ids of the styles a table of the given depth uses: the title's, then "TOC 1" on.
std::vector<int32_t> TocStyleIds(int32_t levels)
{
    std::vector<int32_t> ids{TocTitleStyleId};
    for (int32_t n = 1; n <= levels; ++n)
        ids.push_back(FirstTocStyleId - 1 + n);
    return ids;
}

// A copy of the document's list whose styles name their own index, ready to be changed.
std::unique_ptr<TStyleList> CopyStyleList(const TStyleList& list)
{
    auto copy = std::make_unique<TStyleList>(list.Document, list.TabManager);
    copy->Assign(list);
    for (int32_t i = 0; i < copy->Count(); ++i)
        copy->Styles[size_t(i)]->ParaFormat[pfStyle] = i;
    return copy;
}

void InstallStyleList(TDocument& doc, std::unique_ptr<TStyleList> list, std::vector<int32_t> changed,
                      TChangedRange& range, TOperation* operation)
{
    auto info = std::make_unique<TFormatStyleListInfo>();
    info->Styles = std::move(list);
    info->Changed = std::move(changed);
    TChangedRange one;
    ChangeStyleList(doc, TextRangeOf(doc.Caret, doc.Caret), std::move(info), one, operation);
    Unite(doc, range, one);
}

int32_t ResolvedLeftIndent(const TStyle& style)
{
    TCharFormat charFormat;
    TParaFormat paraFormat;
    style.ResolveFormat(charFormat, paraFormat, 0);
    return IsFieldSet(paraFormat[pfLeftIndent]) ? paraFormat[pfLeftIndent] : 0;
}

// The plain character of a paragraph at an offset, 0 past its end.
uint8_t PlainAt(const TDocument& doc, int32_t par, int32_t offset)
{
    const TMemory& plain = doc.Paragraphs[size_t(par)]->PlainText;
    return offset >= 0 && offset < plain.Size() ? plain.Data()[offset] : 0;
}

// The first character of a heading that is no page, column or section break nor line end.
int32_t HeadingTextStart(const TDocument& doc, int32_t par)
{
    const int32_t length = doc.ParagraphLength(par);
    int32_t k = 0;
    while (k < length - 1 && PlainAt(doc, par, k) >= 2 && PlainAt(doc, par, k) <= 6)
        ++k;
    return k;
}

bool IsHeadingToList(const TDocument& doc, int32_t par, int32_t levels)
{
    const TParagraph& p = *doc.Paragraphs[size_t(par)];
    const TStyle* style = doc.StyleList ? doc.StyleList->StyleOf(p.ParaFormat[pfStyle]) : nullptr;
    return style && style->BuiltInId >= 1 && style->BuiltInId <= levels && p.CharacterCount() > 1;
}

bool IsFieldOfType(const TField* f, int type)
{
    return f && f->Kind == fkCode && f->FieldType == type;
}

// Whether a paragraph holds the begin mark of a table of contents.
bool HoldsTableStart(const TDocument& doc, int32_t par)
{
    bool found = false;
    const TParagraph& p = *doc.Paragraphs[size_t(par)];
    ForEachTag(p.Text.Data(), 0, p.Text.Size(), [&](int32_t, int code, int32_t value) {
        found = code == tcFieldStart && IsFieldOfType(FieldOfTag(value), ftTableOfContents);
        return !found;
    });
    return found;
}

// The bookmark that starts where the heading's text starts, made when there is none; its name.
std::string HeadingBookmark(TDocument& doc, int32_t par, TChangedRange& range, TOperation* operation)
{
    doc.UpdateFields();
    const int32_t start = HeadingTextStart(doc, par);
    for (const auto& f : doc.Fields)
        if (f->Kind == fkBookmark && f->StartPos.ParIndex == par && f->StartPos.Offset <= start)
            return f->Code;
    const TTextRange text = TextRangeOf(TextPosAt(par, start), TextPosAt(par, doc.ParagraphLength(par) - 1));
    auto bookmark = std::make_unique<TField>();
    bookmark->Kind = fkBookmark;
    bookmark->Code = doc.MakeBookmarkName(text);
    const std::string name = bookmark->Code;
    TChangedRange one;
    InsertFieldMarks(doc, std::move(bookmark), text.StartPos, 0, text.EndPos, 0x7FFFFFFF, one, operation);
    Unite(doc, range, one);
    return name;
}

// The name of the table's own bookmark: "_Table_des_matières", numbered from 1 when taken.
std::string TableBookmarkName(const TDocument& doc)
{
    const std::string base = "_Table_des_matières";
    std::string name = base;
    for (int32_t n = 1; doc.BookmarkNameExists(name, nullptr) && n < INT32_MAX; ++n)
        name = base + std::to_string(n);
    return name;
}

// The options a table being refreshed shows: its code's depth and page numbers, the stop its entries
// use; its styles first take the look its paragraphs were given by hand.
void ReadBackTable(TDocument& doc, const TField& table, const TTextRange& where,
                   TTableOfContentsOptions& options, TChangedRange& range, TOperation* operation)
{
    const TTocOptions parsed = ParseTocFieldCode(table.Code);
    options.Levels = parsed.HeadingLevels;
    const TTextRange selection = doc.Selection;
    const TTextPos caret = doc.Caret;
    for (int32_t id : TocStyleIds(9)) {
        const int32_t style = doc.StyleList->IndexOfBuiltIn(id);
        if (style < 0)
            continue;
        for (int32_t i = where.StartPos.ParIndex; i <= where.EndPos.ParIndex; ++i) {
            if (doc.Paragraphs[size_t(i)]->ParaFormat[pfStyle] != style || doc.ParagraphLength(i) <= 1)
                continue;
            doc.Selection = TextRangeOf(TextPosAt(i, 0), TextPosAt(i, doc.ParagraphLength(i) - 1));
            doc.Caret = doc.Selection.EndPos;
            TChangedRange one;
            UpdateStyleFromSelection(doc, one, operation, ActionName);
            Unite(doc, range, one);
            break;
        }
    }
    doc.Selection = selection;
    doc.Caret = caret;
    doc.UpdateFields();
    options.ShowPageNumbers = 0;
    for (const auto& f : doc.Fields)
        if (IsFieldOfType(f.get(), ftPageReference) && CompareTextPos(where.StartPos, f->StartPos) <= 0 &&
            CompareTextPos(f->EndPos, where.EndPos) <= 0)
            options.ShowPageNumbers = 1;
    options.RightAlignPageNumbers = 0;
    for (int32_t i = where.StartPos.ParIndex; i <= where.EndPos.ParIndex && !options.RightAlignPageNumbers;
         ++i) {
        const int32_t t = doc.Paragraphs[size_t(i)]->ParaFormat[pfTabTable];
        if (!IsFieldSet(t) || t < 0 || t >= doc.TabManager->Count())
            continue;
        const TTabTable& table = doc.TabManager->Table(t);
        bool tab = false;
        for (int32_t k = 0; k < doc.ParagraphLength(i) && !tab; ++k)
            tab = PlainAt(doc, i, k) == scTab;
        for (int s = 0; s < table.Count() && tab; ++s)
            if (TabStopKind(table[s]) == tkRight) {
                int32_t position, kind, leader;
                UnpackTabStop(table[s], position, kind, leader);
                options.RightAlignPageNumbers = 1;
                options.Leader = uint8_t(leader);
                break;
            }
    }
}

// Deletes the table found at the insertion point: its field, the links inside and its own bookmark go
// with their text.
void DeleteOldTable(TDocument& doc, TField& table, const TTextRange& where, TChangedRange& range,
                    TOperation* operation)
{
    doc.UpdateFields();
    TField* bookmark = nullptr;
    for (const auto& f : doc.Fields)
        if (f->Kind == fkBookmark && f->Code.rfind("_Table_des_mati", 0) == 0 &&
            CompareTextPos(f->StartPos, where.StartPos) == 0 && CompareTextPos(f->EndPos, where.EndPos) == 0)
            bookmark = f.get();
    TChangedRange one;
    RemoveFieldWithLinks(doc, table, one, operation);
    Unite(doc, range, one);
    if (bookmark) {
        RemoveFieldMarks(doc, *bookmark, one, operation);
        Unite(doc, range, one);
    }
    // The table's last paragraph goes whole when a paragraph follows it.
    TTextPos end = where.EndPos;
    if (end.Offset >= doc.ParagraphLength(end.ParIndex) - 1 && end.ParIndex < doc.StoryEnd(stMain))
        end = TextPosAt(end.ParIndex + 1, 0);
    DeleteRange(doc, where.StartPos, end, one, operation, 0);
    Unite(doc, range, one);
}

void AppendText(TMemory& buffer, const std::string& text)
{
    buffer.Append(text.data(), int32_t(text.size()));
}

void AppendParagraphEnd(TMemory& buffer)
{
    AppendInlineTag(buffer, tcSpecial, scParagraphMark);
    buffer.AppendByte(ParagraphEndByte);
}

// A heading's characters as an entry's: line, column and page breaks and tabs become blanks (none at the
// start), pictures, objects and notes are left out.
void AppendHeadingText(const TDocument& doc, int32_t par, TMemory& buffer)
{
    bool first = true;
    for (int32_t k = HeadingTextStart(doc, par); k < doc.ParagraphLength(par) - 1; ++k) {
        const uint8_t c = PlainAt(doc, par, k);
        if (c >= 4 && c <= 7) {
            if (!first)
                buffer.AppendByte(' ');
        } else if (c >= 10 && c <= 14) {
            AppendInlineTag(buffer, tcSpecial, c);
        } else if (c >= 32) {
            buffer.AppendByte(c);
        } else {
            continue;
        }
        first = false;
    }
}

std::unique_ptr<TField> NewCodeField(int type, std::string code)
{
    auto field = std::make_unique<TField>();
    field->Kind = fkCode;
    field->FieldType = uint8_t(type);
    field->Code = std::move(code);
    return field;
}

// The tab stop position of the table's entries: the text width, or the first column's.
int32_t EntryStopPosition(TDocument& doc, int32_t par)
{
    doc.UpdateSectionRanges();
    const TSection* section = doc.SectionOfParagraph(par);
    if (section && section->Params[spColumnCount] >= 2) {
        TColumnGeometry column;
        section->GetColumnGeometry(0, column);
        return column.Width;
    }
    const TSection* owner = doc.PageSetupOwnerSection(par);
    return owner ? owner->PageSetup[psTextWidth] : 0;
}

} // namespace

void CreateTocStyle(TStyleList& list, int32_t id)
{
    auto style = std::make_unique<TStyle>(&list);
    ClearCharFormatState(style->CharFormat);
    ClearParFormatState(style->ParaFormat);
    style->Name = std::string(BuiltInStyleName(id));
    style->DisplayName = std::string(BuiltInStyleDisplayName(id));
    const int32_t own = list.Count();
    style->BasedOn = 0;
    style->NextStyle = own;
    const int32_t above = id > FirstTocStyleId && id < FirstTocStyleId + 9 ? list.IndexOfBuiltIn(id - 1) : -1;
    if (id == TocTitleStyleId) {
        const TStyleList& defaults = *GetStyleManager().DefaultList;
        if (const TStyle* model = defaults.StyleOf(defaults.IndexOfBuiltIn(TocTitleStyleId))) {
            style->CharFormat = model->CharFormat;
            style->ParaFormat = model->ParaFormat;
            style->ParaFormat[pfTabTable] =
                UndefinedField; // the default list's tables are not the document's
        }
    } else if (above >= 0) {
        const TStyle& model = *list.StyleOf(above);
        style->BasedOn = model.BasedOn;
        if (model.NextStyle != above)
            style->NextStyle = model.NextStyle;
        style->CharFormat = model.CharFormat;
        style->ParaFormat = model.ParaFormat;
        style->ParaFormat[pfLeftIndent] = ResolvedLeftIndent(model) + IndentStep;
    } else if (id >= FirstTocStyleId && id < FirstTocStyleId + 9) {
        const TStyle* normal = list.StyleOf(0);
        style->ParaFormat[pfLeftIndent] =
            (id - FirstTocStyleId) * IndentStep + (normal ? ResolvedLeftIndent(*normal) : 0);
    }
    list.AddStyle(std::move(style));
    GetStyleManager().IdentifyBuiltInStyles(list);
}

void EnsureTocStyles(TDocument& doc, int32_t levels, const std::vector<const TStyleList*>& sources,
                     bool replaceFromFirst, TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    const std::vector<int32_t> ids = TocStyleIds(std::clamp(levels, 1, 9));
    for (size_t k = 0; k < sources.size(); ++k) {
        const TStyleList* source = sources[k];
        if (!source)
            continue;
        TImportStylesInfo info;
        info.Mode = k == 0 && replaceFromFirst ? 1 : 0;
        info.Source = source;
        for (int32_t id : ids) {
            const int32_t index = source->IndexOfBuiltIn(id);
            if (index >= 0 && (info.Mode == 1 || doc.StyleList->IndexOfBuiltIn(id) < 0))
                info.Requested.push_back(index);
        }
        if (info.Requested.empty())
            continue;
        std::unique_ptr<TStyleList> copy = CopyStyleList(*doc.StyleList);
        copy->ImportStyles(info, false);
        if (info.Added.empty() && info.Replaced.empty())
            continue;
        InstallStyleList(doc, std::move(copy), info.Replaced, range, operation);
    }
    std::unique_ptr<TStyleList> copy = CopyStyleList(*doc.StyleList);
    for (int32_t id : ids)
        if (copy->IndexOfBuiltIn(id) < 0)
            CreateTocStyle(*copy, id);
    if (copy->Count() > doc.StyleList->Count())
        InstallStyleList(doc, std::move(copy), {}, range, operation);
}

bool TocEntryNeedsTab(const TDocument& doc, int32_t paragraph, int32_t position, int32_t leader)
{
    const int32_t t = doc.Paragraphs[size_t(paragraph)]->ParaFormat[pfTabTable];
    if (!IsFieldSet(t) || t < 0 || !doc.TabManager || t >= doc.TabManager->Count())
        return true;
    const TTabTable& table = doc.TabManager->Table(t);
    if (table.Count() != 1)
        return true;
    int32_t at, kind, lead;
    UnpackTabStop(table[0], at, kind, lead);
    return !(kind == tkRight && lead == leader && at <= position);
}

void BuildTableOfContents(TDocument& doc, const TTableOfContentsOptions& given, TChangedRange& range,
                          TOperation* operation)
{
    range = EmptyChangedRange();
    const uint8_t kind = operation ? operation->Kind : 0;
    TTableOfContentsOptions options = given;
    options.Levels = std::clamp(options.Levels, 1, 9);
    TTextPos insertion = doc.Caret;
    if (doc.HasSelection())
        insertion = CompareTextPos(doc.Selection.StartPos, doc.Selection.EndPos) <= 0 ? doc.Selection.StartPos
                                                                                      : doc.Selection.EndPos;
    if (doc.StoryOfParagraph(insertion.ParIndex) != stMain)
        return;
    std::string code;
    TTextRange where;
    if (TField* old = doc.FindFieldAt(insertion, where, nullptr, ftTableOfContents, fkCode)) {
        if (options.Refresh) {
            code = old->Code;
            ReadBackTable(doc, *old, where, options, range, operation);
        }
        DeleteOldTable(doc, *old, where, range, operation);
        insertion = where.StartPos;
    }
    if (code.empty()) {
        TTocOptions codeOptions;
        codeOptions.PageNumbers = options.ShowPageNumbers;
        codeOptions.RightAligned = options.RightAlignPageNumbers;
        codeOptions.RightAlignedTabStyle = options.Leader <= tlUnderline ? options.Leader : 0;
        codeOptions.HeadingLevels = options.Levels;
        code = BuildTocFieldCode(codeOptions);
    }

    // The headings from the insertion point to the end of the main text, or to the next table.
    doc.UpdateFields();
    std::vector<int32_t> headings;
    for (int32_t i = insertion.ParIndex; i <= doc.StoryEnd(stMain); ++i) {
        if (i > insertion.ParIndex && HoldsTableStart(doc, i))
            break;
        if (IsHeadingToList(doc, i, options.Levels))
            headings.push_back(i);
    }
    if (headings.empty()) {
        // Whatever was deleted stays recorded: undoing brings the old table back.
        SetCaretFieldsTo(range, doc.Caret);
        return;
    }

    // The styles first, from the style source and the template, the missing ones made.
    {
        std::unique_ptr<TDocument> styleSource, templateDocument;
        if (!options.StyleSource.empty() && StyleSourceLoader)
            styleSource = StyleSourceLoader(doc, options.StyleSource);
        std::vector<const TStyleList*> sources;
        if (styleSource && styleSource->StyleList)
            sources.push_back(styleSource->StyleList.get());
        // A template that does not load is skipped: the styles still missing are made.
        if (!doc.IsTemplateFile() && StyleSourceLoader)
            templateDocument = StyleSourceLoader(doc, std::string());
        if (templateDocument && templateDocument->StyleList)
            sources.push_back(templateDocument->StyleList.get());
        TChangedRange one;
        EnsureTocStyles(doc, options.Levels, sources, styleSource != nullptr, one, operation);
        Unite(doc, range, one);
    }

    // A bookmark on each heading, then the whole table as one insertion: its bookmark and field round
    // the title and the entries, each entry a link to its heading with a page reference.
    std::vector<std::string> names;
    for (int32_t h : headings)
        names.push_back(HeadingBookmark(doc, h, range, operation));
    std::vector<std::unique_ptr<TField>> fields;
    TMemory buffer;
    int32_t first = insertion.ParIndex;
    if (insertion.Offset > 0) {
        AppendParagraphEnd(buffer);
        ++first;
    }
    const TCharFormat plain = DefaultCharFormat();
    for (int i = 0; i < CharFormatFieldCount; ++i)
        AppendInlineTag(buffer, i, plain[i]);
    auto bookmark = std::make_unique<TField>();
    bookmark->Kind = fkBookmark;
    bookmark->Code = TableBookmarkName(doc);
    auto table = NewCodeField(ftTableOfContents, code);
    AppendInlineTag(buffer, tcFieldStart, bookmark->Handle);
    AppendInlineTag(buffer, tcFieldStart, table->Handle);
    std::vector<int32_t> styles; // built-in id of each paragraph of the table
    if (options.ShowTitle) {
        AppendText(buffer, options.Title);
        AppendParagraphEnd(buffer);
        styles.push_back(TocTitleStyleId);
    }
    for (size_t e = 0; e < headings.size(); ++e) {
        const int32_t h = headings[e];
        auto link = NewCodeField(ftHyperlink, BuildHyperlinkFieldCode("#" + names[e], ""));
        AppendInlineTag(buffer, tcFieldStart, link->Handle);
        AppendHeadingText(doc, h, buffer);
        if (options.ShowPageNumbers) {
            if (options.RightAlignPageNumbers)
                AppendInlineTag(buffer, tcSpecial, scTab);
            else
                buffer.AppendByte(' ');
            auto reference = NewCodeField(ftPageReference, "PAGEREF " + names[e]);
            AppendInlineTag(buffer, tcFieldStart, reference->Handle);
            buffer.AppendByte('?');
            AppendInlineTag(buffer, tcFieldEnd, reference->Handle);
            fields.push_back(std::move(reference));
        }
        AppendInlineTag(buffer, tcFieldEnd, link->Handle);
        fields.push_back(std::move(link));
        if (e + 1 == headings.size()) {
            AppendInlineTag(buffer, tcFieldEnd, table->Handle);
            AppendInlineTag(buffer, tcFieldEnd, bookmark->Handle);
        }
        AppendParagraphEnd(buffer);
        const TStyle* headingStyle = doc.StyleList->StyleOf(doc.Paragraphs[size_t(h)]->ParaFormat[pfStyle]);
        styles.push_back(FirstTocStyleId - 1 + headingStyle->BuiltInId);
    }
    fields.push_back(std::move(table));
    fields.push_back(std::move(bookmark));
    TChangedRange one;
    InsertDeleteText(doc, buffer, insertion, one, operation, 0, stMain, 0, {}, std::move(fields));
    Unite(doc, range, one);

    // Each paragraph takes its table style, and the entries the right-aligned stop for their numbers.
    const int32_t last = first + int32_t(styles.size()) - 1;
    for (int32_t i = first; i <= last; ++i) {
        const int32_t style = doc.StyleList->IndexOfBuiltIn(styles[size_t(i - first)]);
        if (style < 0)
            continue;
        // A paragraph with no text is styled at the caret.
        doc.ClearSelection();
        MakeTextPos(i, 0, doc.Caret);
        ApplyStyles(doc, TextRangeOf(TextPosAt(i, 0), TextPosAt(i, std::max(doc.ParagraphLength(i) - 1, 0))),
                    style, one, operation, nullptr, nullptr, true);
        Unite(doc, range, one);
    }
    if (options.ShowPageNumbers && options.RightAlignPageNumbers) {
        const int32_t position = EntryStopPosition(doc, first);
        for (int32_t i = first + (options.ShowTitle ? 1 : 0); i <= last; ++i) {
            int32_t leader = options.Leader;
            if (leader == 255) {
                leader = tlDots;
                const int32_t t = doc.Paragraphs[size_t(i)]->ParaFormat[pfTabTable];
                if (IsFieldSet(t) && t >= 0 && t < doc.TabManager->Count() &&
                    doc.TabManager->Table(t).Count() > 0) {
                    const TTabTable& own = doc.TabManager->Table(t);
                    leader = int32_t(own[own.Count() - 1] >> 28);
                }
            }
            leader = std::clamp(leader, int32_t(tlNone), int32_t(tlUnderline));
            if (!TocEntryNeedsTab(doc, i, position, leader))
                continue;
            TTabTable stops;
            stops.AddTab(PackTabStop(position, tkRight, leader));
            TParaFormat format = UnsetParaFormat();
            format[pfTabTable] = doc.TabManager->RegisterTabTable(stops);
            FormatParagraphs(doc, TextRangeOf(TextPosAt(i, 0), TextPosAt(i, 0)), format, one, operation);
            Unite(doc, range, one);
        }
    }
    doc.ClearSelection();
    MakeTextPos(last, std::max(doc.ParagraphLength(last) - 1, 0), doc.Caret);
    SetCaretFieldsTo(range, doc.Caret);
    range[crWholeDocument] = UndefinedField;
    if (operation)
        operation->Kind = kind;
}

void ImportTemplateStyles(TDocument& doc, TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    if (!doc.StyleList || (doc.StyleList->IndexOfBuiltIn(31) >= 0 && doc.StyleList->IndexOfBuiltIn(32) >= 0))
        return;
    std::unique_ptr<TDocument> templateDocument;
    if (StyleSourceLoader)
        templateDocument = StyleSourceLoader(doc, std::string());
    const bool defaults = !templateDocument || !templateDocument->StyleList;
    const TStyleList& source = defaults ? *GetStyleManager().DefaultList : *templateDocument->StyleList;
    TImportStylesInfo info;
    info.Source = &source;
    for (int32_t id : {int32_t(31), int32_t(32)}) {
        const int32_t index = source.IndexOfBuiltIn(id);
        if (index >= 0 && doc.StyleList->IndexOfBuiltIn(id) < 0)
            info.Requested.push_back(index);
    }
    if (info.Requested.empty())
        return;
    std::unique_ptr<TStyleList> copy = CopyStyleList(*doc.StyleList);
    copy->ImportStyles(info, false);
    if (info.Added.empty())
        return;
    if (defaults) {
        // A centred stop in the middle of the text and a right-aligned one at its end.
        const TSection* owner = doc.PageSetupOwnerSection(0);
        const int32_t width = owner ? owner->PageSetup[psTextWidth] : 0;
        TTabTable stops;
        stops.AddTab(PackTabStop(width / 2, tkCenter, tlNone));
        stops.AddTab(PackTabStop(width, tkRight, tlNone));
        const int32_t table = doc.TabManager->RegisterTabTable(stops);
        for (int32_t id : {int32_t(31), int32_t(32)})
            if (const int32_t index = copy->IndexOfBuiltIn(id);
                index >= 0 && std::find(info.Added.begin(), info.Added.end(), index) != info.Added.end())
                copy->Styles[size_t(index)]->ParaFormat[pfTabTable] = table;
    }
    InstallStyleList(doc, std::move(copy), {}, range, operation);
}
