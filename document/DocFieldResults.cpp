// Field results that depend on the page: page numbers, page counts, section numbers and section page
// counts, written between the field's marks.
#include "document/Document.h"

#include <algorithm>

#include "document/FieldCodes.h"
#include "document/InlineTags.h"
#include "document/Page.h"
#include "document/Section.h"
#include "document/Field.h"

namespace {

bool InTypeSet(const uint8_t* types, int type)
{
    return type >= 0 && type < 96 && (types[type / 8] >> (type % 8)) & 1;
}

// Where the marks of a field stand in a paragraph's stream: the begin mark's offset and the end mark's,
// or -1 when both are not in the paragraph.
struct TMarkPlaces {
    int32_t Begin = -1;
    int32_t End = -1;
};

TMarkPlaces FindMarks(const TMemory& text, const TField& field)
{
    TMarkPlaces places;
    ForEachTag(text.Data(), 0, text.Size(), [&](int32_t pos, int code, int32_t value) {
        if (value == field.Handle) {
            if (code == tcFieldStart && places.Begin < 0)
                places.Begin = pos;
            else if (code == tcFieldEnd && places.Begin >= 0)
                places.End = pos;
        }
        return true;
    });
    if (places.End < 0)
        places.Begin = -1;
    return places;
}

// The field types a header or footer shows for the page that shows it: those that depend on the page,
// and the word and character counts that UpdateStatisticsFields keeps current.
void PageFieldTypes(uint8_t types[12])
{
    std::fill(types, types + 12, uint8_t(0));
    for (int type : {int(ftNumPages), 27, 28, int(ftPage), int(ftSection), int(ftSectionPages)})
        types[type / 8] |= uint8_t(1u << (type % 8));
}

} // namespace

int32_t TDocument::PageNumberOf(int32_t pageIndex) const
{
    if (pageIndex >= 0 && pageIndex < int32_t(Pages.size()))
        return Pages[size_t(pageIndex)]->Number;
    return pageIndex + 1;
}

bool TDocument::ComputeFieldResult(const TField& field, int32_t paragraph, std::string& result)
{
    // The page that shows the field: the one a header or footer is laid out for, else its line's.
    int32_t pageIndex = -1;
    TSection* section = SectionInForce;
    if (!GetModeFlag(mfHeaderFooterPageFields)) {
        const TParagraph& p = *Paragraphs[size_t(paragraph)];
        const TTextRange range = GetFieldRange(field);
        const int32_t line = p.LineCount() > 0 ? p.LineAtOffset(range.StartPos.Offset, INT32_MAX, 0) : -1;
        if (line >= 0 && p.Lines[size_t(line)]->Page)
            pageIndex = p.Lines[size_t(line)]->Page->PageIndex;
        section = SectionOfParagraph(paragraph);
    }
    const int32_t number =
        GetModeFlag(mfHeaderFooterPageFields) ? PageNumberInForce : PageNumberOf(pageIndex);
    switch (field.FieldType) {
    case ftPage:
        if (!GetModeFlag(mfHeaderFooterPageFields) && pageIndex < 0)
            return false;
        result = FormatNumberingFormat(number, section ? section->PageNumberStyle : 0);
        return true;
    case ftNumPages:
        result = std::to_string(std::max<int32_t>(FieldPageCount, int32_t(Pages.size())));
        return true;
    case ftSection:
        if (!section)
            return false;
        result = std::to_string(section->Number + 1);
        return true;
    case ftSectionPages:
        if (!section)
            return false;
        result = std::to_string(section->PageCount());
        return true;
    default: return ComputeTextFieldResult(field, paragraph, result);
    }
}

bool MakeFieldResultText(const TMemory& text, const TField& field, const std::string& result, TMemory& out)
{
    const TMarkPlaces marks = FindMarks(text, field);
    if (marks.Begin < 0)
        return false;
    const uint8_t* s = text.Data();
    const int32_t from = marks.Begin + InlineTagSize;
    // The old result: format tags before its first character stay; a result that holds other fields or
    // objects is left alone.
    int32_t lead = from;
    while (lead < marks.End && s[lead] == 0 && IsFormatTag(TagCode(s + lead)))
        lead += InlineTagSize;
    std::string old;
    for (int32_t pos = lead; pos < marks.End;) {
        if (s[pos] != 0) {
            const int32_t run = PlainRunLength(s + pos, marks.End - pos);
            old.append(reinterpret_cast<const char*>(s + pos), size_t(run));
            pos += run;
            continue;
        }
        const int code = TagCode(s + pos);
        if (code == tcFieldStart || code == tcFieldEnd || code == tcPicture || code == tcOLEObject ||
            code == tcSectionBreak)
            return false;
        if (code == tcSpecial)
            old += char(PlainByteOfTag(code, TagValue(s + pos)));
        pos += InlineTagSize;
    }
    // Characters 0 and 1 would read as tags; the text stops at a paragraph break.
    std::string clean;
    for (char c : result) {
        if (c == '\r' || c == '\n')
            break;
        if (c != 0 && c != 1)
            clean += c;
    }
    if (clean == old)
        return false;
    // The format after the field stays what it was: tags after the new text bring back what the old
    // result left in force.
    TCharFormat start = DefaultCharFormat(), end = DefaultCharFormat();
    MergeFormatTags(s, 0, lead, false, start);
    MergeFormatTags(s, 0, marks.End, false, end);
    out.Clear();
    out.Append(s, lead);
    out.Append(clean.data(), int32_t(clean.size()));
    for (int i = 0; i < CharFormatFieldCount; ++i)
        if (start[i] != end[i])
            AppendInlineTag(out, i, end[i]);
    out.Append(s + marks.End, text.Size() - marks.End);
    return true;
}

bool TDocument::ReplaceFieldResult(int32_t paragraph, const TField& field, const std::string& text)
{
    TParagraph& p = *Paragraphs[size_t(paragraph)];
    TMemory made;
    if (!MakeFieldResultText(p.Text, field, text, made))
        return false;
    p.Text.AssignMemory(made);
    p.UpdatePlainText();
    p.SetNormalized(false);
    p.UpdateLayout(false, 0);
    return true;
}

bool TDocument::GetFieldResultBytes(const TField& field, std::string& bytes)
{
    const int32_t paragraph = GetFieldRange(field).StartPos.ParIndex;
    if (paragraph < 0 || paragraph >= ParagraphCount())
        return false;
    const TMemory& text = Paragraphs[size_t(paragraph)]->Text;
    const TMarkPlaces marks = FindMarks(text, field);
    if (marks.Begin < 0)
        return false;
    const int32_t from = marks.Begin + InlineTagSize;
    bytes.assign(reinterpret_cast<const char*>(text.Data()) + from, size_t(marks.End - from));
    return true;
}

bool TDocument::SetFieldResultBytes(const TField& field, const std::string& bytes)
{
    const int32_t paragraph = GetFieldRange(field).StartPos.ParIndex;
    if (paragraph < 0 || paragraph >= ParagraphCount())
        return false;
    TParagraph& p = *Paragraphs[size_t(paragraph)];
    const TMarkPlaces marks = FindMarks(p.Text, field);
    if (marks.Begin < 0)
        return false;
    const int32_t from = marks.Begin + InlineTagSize;
    const int32_t length = marks.End - from;
    if (size_t(length) == bytes.size() && std::equal(bytes.begin(), bytes.end(), p.Text.Data() + from))
        return true;
    p.Text.Delete(from, length);
    p.Text.Insert(bytes.data(), from, int32_t(bytes.size()));
    p.UpdatePlainText();
    p.UpdateLayout(false, 0);
    return true;
}

bool TDocument::UpdateFieldResults(int32_t firstParagraph, int32_t lastParagraph, const uint8_t* types)
{
    UpdateSectionRanges();
    UpdateFields();
    firstParagraph = std::max(firstParagraph, 0);
    lastParagraph = std::min(lastParagraph, ParagraphCount() - 1);
    bool changed = false;
    for (int32_t i = firstParagraph; i <= lastParagraph; ++i) {
        // The fields whose begin mark is in the paragraph, last first.
        std::vector<TField*> found;
        const TParagraph& p = *Paragraphs[size_t(i)];
        ForEachTag(p.Text.Data(), 0, p.Text.Size(), [&](int32_t, int code, int32_t value) {
            if (code == tcFieldStart)
                if (TField* f = FieldOfTag(value); f && f->Kind == fkCode && InTypeSet(types, f->FieldType))
                    found.push_back(f);
            return true;
        });
        bool paragraphChanged = false;
        for (auto it = found.rbegin(); it != found.rend(); ++it) {
            std::string result;
            if (ComputeFieldResult(**it, i, result) && ReplaceFieldResult(i, **it, result))
                paragraphChanged = true;
        }
        if (paragraphChanged) {
            changed = true;
            // The marks after the new results moved: only this paragraph is scanned again, unless a
            // whole scan is pending anyway.
            if (!GetModeFlag(mfFieldsDirty)) {
                FieldRescanFirst = FieldRescanLast = i;
                SetModeFlag(mfFieldsDirty, true);
                UpdateFields();
                FieldRescanFirst = FieldRescanLast = INT32_MIN;
            }
        }
    }
    return changed;
}

bool TDocument::UpdateHeaderFooterFields(const TField& field, int32_t pageIndex, TSection* section)
{
    uint8_t types[12];
    PageFieldTypes(types);
    TModeFlagScope flags(*this);
    flags.On(mfHeaderFooterPageFields);
    PageNumberInForce = PageNumberOf(pageIndex);
    SectionInForce = section;
    const TTextRange range = GetFieldRange(field);
    const bool changed = UpdateFieldResults(range.StartPos.ParIndex, range.EndPos.ParIndex, types);
    SectionInForce = nullptr;
    return changed;
}
