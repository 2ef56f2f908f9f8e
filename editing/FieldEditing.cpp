// Fields, bookmarks and hyperlinks as undoable edits: their marks put into the text or taken out, codes
// changed, hyperlinks made plain text again, and computed results written between the marks.
#include <algorithm>

#include "core/Messages.h"
#include "core/Options.h"
#include "core/Styles.h"
#include "core/SystemDefaults.h"
#include "core/TextUtils.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/FieldCodes.h"
#include "document/InlineTags.h"
#include "document/Field.h"
#include "editing/Builders.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "editing/OperationParams.h"
#include "editing/ParagraphExchange.h"
#include "editing/SubOperation.h"

namespace {

// A mark to put in: its field's handle, which end it is, where, and how many marks already standing at
// that place it goes after.
struct TMarkInsert {
    int32_t Handle;
    bool IsEnd;
    TTextPos Pos;
    int32_t Order;
    int32_t Byte = 0;
};

// Where a mark of order Order goes in a paragraph's text at a character offset.
int32_t MarkByte(const TMemory& text, int32_t offset, int32_t order)
{
    const uint8_t* s = text.Data();
    const int32_t size = text.Size();
    int32_t pos = ByteAfterPosition(s, size, offset), at = pos, counted = 0;
    while (counted < order && size - pos >= InlineTagSize && s[pos] == 0) {
        const int code = TagCode(s + pos);
        if (IsFieldMark(code)) {
            pos += InlineTagSize;
            at = pos;
            ++counted;
        } else if (IsFormatTag(code)) {
            pos += InlineTagSize;
        } else {
            break;
        }
    }
    return at;
}

// Text without the marks of the field of handle Handle.
void StripMarks(TMemory& text, int32_t handle)
{
    TMemory out;
    const uint8_t* s = text.Data();
    const int32_t size = text.Size();
    for (int32_t pos = 0; pos < size;) {
        if (s[pos] != 0) {
            const int32_t run = PlainRunLength(s + pos, size - pos);
            out.Append(s + pos, run);
            pos += run;
            continue;
        }
        const int32_t n = std::min(InlineTagSize, size - pos);
        if (!(n == InlineTagSize && IsFieldMark(TagCode(s + pos)) && TagValue(s + pos) == handle))
            out.Append(s + pos, n);
        pos += n;
    }
    text.AssignMemory(out);
}

// One step over the paragraphs First to Last: the marks of Remove taken out, Inserts put in; Owned (a new
// field) goes with the step until its marks are in the text.
void ApplyMarkStep(TDocument& doc, int32_t first, int32_t last, std::vector<TMarkInsert> inserts,
                   const TField* remove, std::unique_ptr<TField> owned, TChangedRange& range,
                   TOperation* operation)
{
    const int32_t count = doc.ParagraphCount();
    first = std::clamp(first, 0, count - 1);
    last = std::clamp(last, first, count - 1);
    std::vector<std::unique_ptr<TParagraph>> made;
    for (int32_t i = first; i <= last; ++i) {
        TParagraph& p = *doc.Paragraphs[size_t(i)];
        if (!p.GetNormalized())
            p.NormalizeTags();
        auto q = std::make_unique<TParagraph>(&doc);
        q->Text.AssignMemory(p.Text);
        q->ParaFormat = p.ParaFormat;
        if (remove)
            StripMarks(q->Text, remove->Handle);
        // Every place found in the text before any mark goes in; the later places first, and at one place
        // the end mark before the begin mark, so that a begin mark never follows its end mark.
        std::vector<TMarkInsert*> here;
        for (TMarkInsert& m : inserts)
            if (m.Pos.ParIndex == i) {
                m.Byte = MarkByte(q->Text, m.Pos.Offset, m.Order);
                here.push_back(&m);
            }
        std::stable_sort(here.begin(), here.end(), [](const TMarkInsert* a, const TMarkInsert* b) {
            return a->Byte != b->Byte ? a->Byte > b->Byte : a->IsEnd && !b->IsEnd;
        });
        for (const TMarkInsert* m : here) {
            TMemory tag;
            AppendInlineTag(tag, m->IsEnd ? tcFieldEnd : tcFieldStart, m->Handle);
            q->Text.Insert(tag.Data(), m->Byte, tag.Size());
        }
        made.push_back(std::move(q));
    }
    auto step = std::make_unique<TReplaceParagraphsOperation>(&doc, first, last - first + 1,
                                                              doc.StoryOfParagraph(first), std::move(made));
    if (owned)
        step->Exchange().Own(std::move(owned));
    ApplyStep(doc, std::move(step), range, operation);
    doc.FieldRescanFirst = doc.FieldRescanLast = UndefinedField;
    doc.SetModeFlag(mfFieldsDirty, true);
}

// Exchanges a field's code with the one it holds.
class TEditFieldOperation : public TSubOperation {
public:
    TEditFieldOperation(TDocument* document, TField* field, std::string code)
        : TSubOperation(document), FField(field), FCode(std::move(code))
    {}
    int64_t GetMemorySize() const override { return int64_t(sizeof(*this) + FCode.capacity()); }
    void Undo(TChangedRange& range) override
    {
        range = EmptyChangedRange();
        std::swap(FField->Code, FCode);
        Document->UpdateFields();
        range[crFirstParagraph] = FField->StartPos.ParIndex;
    }

private:
    TField* FField;
    std::string FCode;
};

void FinishCaretFields(TDocument& doc, TChangedRange& range)
{
    SetCaretFieldsTo(range, doc.Caret);
    range[crWholeDocument] = UndefinedField;
}

bool InTypeSet(const uint8_t* types, int type)
{
    return type >= 0 && type < 96 && (types[type / 8] >> (type % 8)) & 1;
}

} // namespace

void InsertFieldMarks(TDocument& doc, std::unique_ptr<TField> field, const TTextPos& start,
                      int32_t beginOrder, const TTextPos& end, int32_t endOrder, TChangedRange& range,
                      TOperation* operation)
{
    const int32_t handle = field->Handle;
    ApplyMarkStep(doc, start.ParIndex, end.ParIndex,
                  {{handle, false, start, beginOrder}, {handle, true, end, endOrder}}, nullptr,
                  std::move(field), range, operation);
}

void InsertFieldMark(TDocument& doc, TField& field, bool isEnd, const TTextPos& pos, int32_t order,
                     TChangedRange& range, TOperation* operation)
{
    ApplyMarkStep(doc, pos.ParIndex, pos.ParIndex, {{field.Handle, isEnd, pos, order}}, nullptr, nullptr,
                  range, operation);
}

void RemoveFieldMarks(TDocument& doc, const TField& field, TChangedRange& range, TOperation* operation)
{
    const TTextRange where = doc.GetFieldRange(field);
    ApplyMarkStep(doc, where.StartPos.ParIndex, where.EndPos.ParIndex, {}, &field, nullptr, range, operation);
}

void FormatBookmark(TDocument& doc, const std::string& name, TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    auto field = std::make_unique<TField>();
    field->Kind = fkBookmark;
    field->Code = name;
    TTextRange where = doc.HasSelection() ? doc.Selection : TextRangeOf(doc.Caret, doc.Caret);
    if (CompareTextPos(where.EndPos, where.StartPos) < 0)
        std::swap(where.StartPos, where.EndPos);
    InsertFieldMarks(doc, std::move(field), where.StartPos, 0, where.EndPos, 0x7FFFFFFF, range, operation);
    FinishCaretFields(doc, range);
}

void RemoveField(TDocument& doc, TField& field, TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    RemoveFieldMarks(doc, field, range, operation);
    FinishCaretFields(doc, range);
}

void EditField(TDocument& doc, TField& field, const std::string& code, TChangedRange& range,
               TOperation* operation)
{
    range = EmptyChangedRange();
    if (field.Code == code)
        return;
    ApplyStep(doc, std::make_unique<TEditFieldOperation>(&doc, &field, code), range, operation);
    FinishCaretFields(doc, range);
}

void DeactivateHyperlink(TDocument& doc, TField& field, TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    const TTextRange where = doc.GetFieldRange(field);
    RemoveFieldMarks(doc, field, range, operation);
    // The text takes the underline and colour its paragraph's style gives.
    TCharFormat format = UnsetCharFormat();
    TCharFormat styleChar;
    TParaFormat stylePara;
    const TStyle* style =
        doc.StyleList
            ? doc.StyleList->StyleOf(doc.Paragraphs[size_t(where.StartPos.ParIndex)]->ParaFormat[pfStyle])
            : nullptr;
    if (style) {
        style->ResolveFormat(styleChar, stylePara, 0);
    } else {
        styleChar = DefaultCharFormat();
    }
    format[cfUnderline] = styleChar[cfUnderline] == UndefinedField ? 0 : styleChar[cfUnderline];
    format[cfColor] = styleChar[cfColor] == UndefinedField ? 0 : styleChar[cfColor];
    TChangedRange one;
    FormatText(doc, where, format, one, operation, 1);
    doc.ChangedRanges->UnionChangedRange(range, one);
    FinishCaretFields(doc, range);
}

void DeactivateHyperlinks(TDocument& doc, TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    if (!doc.HasSelection()) {
        ShowInformation("Cette action (\"la désactivation des liens hypertextes\") ne s'applique qu'à une "
                        "sélection. Sélectionnez le fragment de texte visé et recommencez.");
        return;
    }
    TTextRange selection = doc.Selection;
    if (CompareTextPos(selection.EndPos, selection.StartPos) < 0)
        std::swap(selection.StartPos, selection.EndPos);
    doc.UpdateFields();
    std::vector<TField*> links;
    for (const auto& f : doc.Fields)
        if (f->Kind == fkCode && f->FieldType == ftHyperlink &&
            CompareTextPos(f->StartPos, selection.EndPos) <= 0 &&
            CompareTextPos(selection.StartPos, f->EndPos) <= 0)
            links.push_back(f.get());
    std::sort(links.begin(), links.end(),
              [](const TField* a, const TField* b) { return CompareTextPos(a->StartPos, b->StartPos) > 0; });
    if (!links.empty())
        doc.ClearSelection();
    for (TField* link : links) {
        TChangedRange one;
        DeactivateHyperlink(doc, *link, one, operation);
        doc.ChangedRanges->UnionChangedRange(range, one);
    }
    FinishCaretFields(doc, range);
}

std::vector<TField*> FindBrokenHyperlinks(TDocument& doc)
{
    doc.UpdateFields();
    std::vector<TField*> broken;
    for (const auto& f : doc.Fields) {
        if (f->Kind != fkCode || f->FieldType != ftHyperlink)
            continue;
        std::string address, tooltip;
        ParseHyperlinkFieldCode(f->Code, address, tooltip);
        if (!address.empty() && address[0] == '#' && !doc.BookmarkNameExists(address.substr(1), nullptr))
            broken.push_back(f.get());
    }
    return broken;
}

void DeactivateBrokenHyperlinks(TDocument& doc, TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    std::vector<TField*> broken = FindBrokenHyperlinks(doc);
    if (broken.empty())
        return;
    if (MessageDlgEx(
            "Certains liens hypertextes sont associés à des signets qui ne sont plus présents dans ce "
            "document. Voulez-vous qu'Quillpad désactive ces liens hypertextes ?",
            3, 1 | 2) != 6)
        return;
    doc.ClearSelection();
    for (auto it = broken.rbegin(); it != broken.rend(); ++it) {
        TChangedRange one;
        DeactivateHyperlink(doc, **it, one, operation);
        doc.ChangedRanges->UnionChangedRange(range, one);
    }
    FinishCaretFields(doc, range);
}

void InsertHyperlink(TDocument& doc, const std::string& code, const std::string& text, TChangedRange& range,
                     TOperation* operation)
{
    range = EmptyChangedRange();
    TTextPos start, end;
    if (doc.HasSelection() && text.empty()) {
        start = doc.Selection.StartPos;
        end = doc.Selection.EndPos;
        if (CompareTextPos(end, start) < 0)
            std::swap(start, end);
    } else {
        start = doc.Caret;
        if (doc.HasSelection())
            start = CompareTextPos(doc.Selection.StartPos, doc.Selection.EndPos) <= 0 ? doc.Selection.StartPos
                                                                                      : doc.Selection.EndPos;
        TModeFlagScope flags(doc);
        flags.On(mfKeepFields);
        TOptions& options = CurrentOptions();
        const bool asYouType = options.Autocorrect.AsYouType;
        options.Autocorrect.AsYouType = false;
        try {
            InsertTextAtSelection(doc, text, 0, range, operation);
        } catch (...) {
            options.Autocorrect.AsYouType = asYouType;
            throw;
        }
        options.Autocorrect.AsYouType = asYouType;
        end = doc.Caret;
    }
    auto field = std::make_unique<TField>();
    field->Kind = fkCode;
    field->FieldType = ftHyperlink;
    field->Code = code;
    TChangedRange one;
    InsertFieldMarks(doc, std::move(field), start, 0x7FFFFFFF, end, 0x7FFFFFFF, one, operation);
    doc.ChangedRanges->UnionChangedRange(range, one);
    TCharFormat format = UnsetCharFormat();
    format[cfUnderline] = CurrentOptions().Edit.HLink_ULine;
    format[cfColor] = CurrentOptions().Edit.HLink_Color;
    FormatText(doc, TextRangeOf(start, end), format, one, operation, 1);
    doc.ChangedRanges->UnionChangedRange(range, one);
    doc.ClearSelection();
    MakeTextPos(end.ParIndex, end.Offset, doc.Caret);
    FinishCaretFields(doc, range);
}

void InsertField(TDocument& doc, int type, const std::string& arguments, TChangedRange& range,
                 TOperation* operation)
{
    range = EmptyChangedRange();
    InsertTextAtSelection(doc, "?", 0, range, operation);
    doc.ClearSelection();
    const TTextPos end = doc.Caret;
    const TTextPos start = TextPosAt(end.ParIndex, std::max(end.Offset - 1, 0));
    auto field = std::make_unique<TField>();
    field->Kind = fkCode;
    field->FieldType = uint8_t(std::clamp(type, 0, FieldTypeCount - 1));
    field->Code = field->GetKeyword();
    if (!arguments.empty())
        field->Code += " " + arguments;
    TField& made = *field;
    TChangedRange one;
    InsertFieldMarks(doc, std::move(field), start, 0x7FFFFFFF, end, 0, one, operation);
    doc.ChangedRanges->UnionChangedRange(range, one);
    if (IsDateTimeFieldType(made.FieldType)) {
        // A date or time is written in the program's language, whatever the language around it.
        TCharFormat format = UnsetCharFormat();
        format[cfLanguage] = SystemDefaults().UserLocale;
        FormatText(doc, doc.GetFieldRange(made), format, one, operation, 1);
        doc.ChangedRanges->UnionChangedRange(range, one);
    }
    FinishCaretFields(doc, range);
}

void AllComputedFieldTypes(uint8_t types[12])
{
    std::fill(types, types + 12, uint8_t(0));
    for (int type : {10, 15, 16, 17, 18, 19, 20, 21, 22, 23, 26, 27, 28, 29, 31, 32, 33, 37, 65, 66, 69})
        types[type / 8] |= uint8_t(1u << (type % 8));
}

bool IsDateTimeFieldType(int type)
{
    return type == 21 || type == 22 || type == 23 || type == 31 || type == 32;
}

void UpdateFieldResults(TDocument& doc, const TTextRange& given, const uint8_t* types, TChangedRange& range,
                        TOperation* operation)
{
    range = EmptyChangedRange();
    doc.FieldStatisticsValid = false;
    TTextRange where = given;
    if (CompareTextPos(where.EndPos, where.StartPos) < 0)
        std::swap(where.StartPos, where.EndPos);
    const int32_t first = std::clamp(where.StartPos.ParIndex, 0, doc.ParagraphCount() - 1);
    const int32_t last = std::clamp(where.EndPos.ParIndex, first, doc.ParagraphCount() - 1);
    // Page numbers need the pages first.
    if (!doc.GetModeFlag(mfHeaderFooterPageFields))
        doc.PaginateAll();
    doc.UpdateFields();
    TTextPos caret = doc.Caret;
    TTextRange selection = doc.Selection;
    for (int32_t i = first; i <= last; ++i) {
        const bool headerFooter = doc.StoryOfParagraph(i) == stHeadersFooters;
        // The fields that end in the paragraph, the last first; each result computed before any is written.
        std::vector<std::pair<TField*, std::string>> updates;
        const TParagraph& p = *doc.Paragraphs[size_t(i)];
        ForEachTag(p.Text.Data(), 0, p.Text.Size(), [&](int32_t, int code, int32_t value) {
            if (code == tcFieldEnd)
                if (TField* f = FieldOfTag(value);
                    f && f->Kind == fkCode && InTypeSet(types, f->FieldType) &&
                    !(headerFooter && (f->FieldType == ftPage || f->FieldType == ftSection ||
                                       f->FieldType == ftSectionPages || f->FieldType == ftNumPages)))
                    updates.emplace_back(f, std::string());
            return true;
        });
        for (auto& [field, result] : updates)
            if (!doc.ComputeFieldResult(*field, i, result))
                field = nullptr;
        for (auto it = updates.rbegin(); it != updates.rend(); ++it) {
            if (!it->first)
                continue;
            TParagraph& q = *doc.Paragraphs[size_t(i)];
            auto made = std::make_unique<TParagraph>(&doc);
            if (!q.GetNormalized())
                q.NormalizeTags();
            if (!MakeFieldResultText(q.Text, *it->first, it->second, made->Text))
                continue;
            made->ParaFormat = q.ParaFormat;
            const int32_t before = q.CharacterCount();
            const int32_t fieldEnd = it->first->EndPos.Offset;
            std::vector<std::unique_ptr<TParagraph>> one;
            one.push_back(std::move(made));
            ApplyStep(doc,
                      std::make_unique<TReplaceParagraphsOperation>(&doc, i, 1, doc.StoryOfParagraph(i),
                                                                    std::move(one)),
                      range, operation);
            // What stands after the field in its paragraph moves by the change in length.
            const int32_t delta = doc.Paragraphs[size_t(i)]->CharacterCount() - before;
            for (TTextPos* pos : {&caret, &selection.StartPos, &selection.EndPos})
                if (pos->ParIndex == i && pos->Offset >= fieldEnd)
                    pos->Offset = std::max(pos->Offset + delta, 0);
            doc.SetModeFlag(mfFieldsDirty, true);
        }
        doc.UpdateFields();
    }
    MakeTextPos(caret.ParIndex, caret.Offset, doc.Caret);
    doc.Selection = selection;
    FinishCaretFields(doc, range);
}

void RefreshFields(TDocument& doc, const TTextRange& range)
{
    doc.PaginateAll();
    TUpdateFieldResultsParams params;
    params.Range = range;
    AllComputedFieldTypes(params.Types);
    ExecuteOperation(doc, params);
    doc.PaginateAll();
}

void RefreshFieldsForPrinting(TDocument& doc)
{
    if (CurrentOptions().General.UpdFlds)
        RefreshFields(doc, doc.GetBodyRange());
    doc.SetModeFlag(mfStatisticsStale, true);
    doc.UpdateStatisticsFields();
}

void RemoveFieldWithLinks(TDocument& doc, TField& field, TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    const TTextRange where = doc.GetFieldRange(field);
    std::vector<TField*> inside;
    for (const auto& f : doc.Fields)
        if (f.get() != &field && f->Kind == fkCode &&
            (f->FieldType == ftPageReference || f->FieldType == ftHyperlink) &&
            CompareTextPos(where.StartPos, f->StartPos) <= 0 && CompareTextPos(f->EndPos, where.EndPos) <= 0)
            inside.push_back(f.get());
    TChangedRange one;
    RemoveFieldMarks(doc, field, one, operation);
    doc.ChangedRanges->UnionChangedRange(range, one);
    for (TField* f : inside) {
        RemoveFieldMarks(doc, *f, one, operation);
        doc.ChangedRanges->UnionChangedRange(range, one);
    }
    FinishCaretFields(doc, range);
}
