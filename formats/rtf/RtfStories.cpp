// The RTF reader's stories outside the main text: headers and footers framed by a field of their
// section, footnotes and endnotes as a reference in the text and a text of their own, note numbers.
#include <algorithm>
#include <vector>

#include "core/Memory.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/Paragraph.h"
#include "document/Section.h"
#include "document/Field.h"
#include "formats/load/ParagraphBuilder.h"
#include "formats/rtf/RtfReading.h"

namespace {

void MoveInto(TParagraphList& from, TParagraphList& to)
{
    for (auto& p : from)
        to.push_back(std::move(p));
    from.clear();
}

} // namespace

TParagraphList TRtfReader::BeginStory(TField& frame)
{
    TParagraphList saved = std::move(Doc.Paragraphs);
    Doc.Paragraphs.clear();
    TParagraph& p = NewParagraph();
    p.ParaFormat = DefaultParaFormat();
    p.ParaFormat[pfWidowControl] = Doc.WidowControl;
    AppendInlineTag(p.Text, tcFieldStart, frame.Handle);
    const TCharFormat& base = DefaultCharFormat();
    for (int f = CharFormatFieldCount - 1; f >= 0; --f)
        if (Char[f] != base[f])
            p.AppendZeroWidthTag(f, Char[f]);
    Cur = &p;
    ++StoryDepth;
    return saved;
}

TParagraphList TRtfReader::EndStory(TParagraphList saved)
{
    TParagraphList filled = std::move(Doc.Paragraphs);
    Doc.Paragraphs = std::move(saved);
    Cur = Doc.Paragraphs.back().get();
    --StoryDepth;
    return filled;
}

// Reads the rest of a group as a story of its own, framed by Frame; the paragraphs read, without the
// empty one the last paragraph end opened. Fields and bookmarks that open in the story end in it.
TParagraphList TRtfReader::ReadStory(int depth, TField& frame)
{
    TField* const outerField = CurrentField;
    const size_t openBefore = OpenFields.size(), outerStoryFields = StoryOpenFields;
    CurrentField = nullptr;
    StoryOpenFields = openBefore;
    TParagraphList filled = EndStory([&] {
        TParagraphList saved = BeginStory(frame);
        ReadGroupBody(depth, nullptr);
        return saved;
    }());
    DropEmptyLastParagraph(filled);
    while (OpenFields.size() > openBefore) {
        AppendInlineTag(filled.back()->Text, tcFieldEnd, OpenFields.back()->Handle);
        OpenFields.pop_back();
    }
    CurrentField = outerField;
    StoryOpenFields = outerStoryFields;
    return filled;
}

void TRtfReader::ReadHeaderFooter(int depth, int slot)
{
    if (BreaksForbidden()) {
        SkipGroup(depth);
        return;
    }
    const bool wasInHeaderFooter = InHeaderFooter;
    InHeaderFooter = true;
    PushState();
    auto frame = std::make_unique<TField>();
    frame->Kind = fkHeaderFooter;
    const size_t fieldsBefore = Doc.Fields.size();
    TParagraphList filled = ReadStory(depth, *frame);
    const bool empty = filled.size() == 1 && filled.front()->CharacterCount() == 0;
    if (!empty) {
        TParagraph& last = *filled.back();
        if (!EndsWithParagraphMark(last))
            last.AppendSpecial(scParagraphMark);
        AppendInlineTag(last.Text, tcFieldEnd, frame->Handle);
        Doc.Sections.back()->HeaderFooter[slot] = frame.get();
        Doc.Fields.push_back(std::move(frame));
        MoveInto(filled, HeadersFooters);
    } else {
        // Fields marked in a header that holds nothing go with it; those of the notes and headers read
        // inside it stay with their own text.
        std::vector<int32_t> marked;
        const TMemory& text = filled.front()->Text;
        ForEachTag(text.Data(), 0, text.Size(), [&marked](int32_t, int code, int32_t value) {
            if (IsFieldMark(code))
                marked.push_back(value);
            return true;
        });
        auto goes = [&marked](const TField* f) {
            return std::find(marked.begin(), marked.end(), f->Handle) != marked.end();
        };
        OpenFields.erase(std::remove_if(OpenFields.begin(), OpenFields.end(), goes), OpenFields.end());
        Doc.Fields.erase(std::remove_if(Doc.Fields.begin() + static_cast<std::ptrdiff_t>(fieldsBefore),
                                        Doc.Fields.end(),
                                        [&goes](const std::unique_ptr<TField>& f) { return goes(f.get()); }),
                         Doc.Fields.end());
    }
    PopState();
    InHeaderFooter = wasInHeaderFooter;
}

void TRtfReader::ReadFootnote(int depth)
{
    if (BreaksForbidden() || Deleted) {
        SkipGroup(depth);
        return;
    }
    PushState();
    // The reference: the last character of the text, an automatic number when there is none.
    if (Cur->CharacterCount() == 0)
        AddSpecial(scFieldResult);
    auto reference = std::make_unique<TField>();
    reference->Kind = fkNoteReference;
    reference->AutoNumbered = Cur->LastCharacter() == scFieldResult;
    // Its start goes before that character, and before the starts of the fields that frame it, so
    // that the marks stay nested.
    const uint8_t* s = Cur->Text.Data();
    const int32_t size = Cur->Text.Size();
    int32_t item = 0;
    for (int32_t pos = 0; pos < size;) {
        if (s[pos] != 0) {
            item = pos + PlainRunLength(s + pos, size - pos) - 1;
            pos = item + 1;
            continue;
        }
        if (size - pos < InlineTagSize)
            break;
        if (IsRunEndingTag(TagCode(s + pos)))
            item = pos;
        pos += InlineTagSize;
    }
    while (item >= InlineTagSize && s[item - InlineTagSize] == 0 &&
           TagCode(s + item - InlineTagSize) == tcFieldStart)
        item -= InlineTagSize;
    InsertInlineTag(Cur->Text, item, tcFieldStart, reference->Handle);
    AppendInlineTag(Cur->Text, tcFieldEnd, reference->Handle);

    auto text = std::make_unique<TField>();
    text->Kind = fkNoteText;
    text->Reference = reference.get();
    reference->Owner = text.get();
    TField& noteText = *text;
    Doc.Fields.push_back(std::move(reference));
    Doc.Fields.push_back(std::move(text));
    FootnoteAlternate = false;
    TParagraphList filled = ReadStory(depth, noteText);
    TParagraph& last = *filled.back();
    if (!EndsWithParagraphMark(last))
        last.AppendSpecial(scParagraphMark);
    AppendInlineTag(last.Text, tcFieldEnd, noteText.Handle);
    noteText.IsEndnote = FootnoteAlternate;
    MoveInto(filled, FootnoteAlternate ? Endnotes : Footnotes);
    FootnoteAlternate = false;
    PopState();
}

// "\chftn": the note's number, shown automatically.
void TRtfReader::AddNoteNumber()
{
    // A style's entry has no text to hold it.
    if (Deleted || StyleEntry)
        return;
    TField& number = AddField(fkNoteNumber);
    AppendInlineTag(Cur->Text, tcFieldStart, number.Handle);
    Cur->AppendSpecial(scFieldResult);
    AppendInlineTag(Cur->Text, tcFieldEnd, number.Handle);
}

// The stories follow the main text: footnotes, endnotes, headers and footers.
void TRtfReader::AppendStories()
{
    Doc.AppendStories(Footnotes, Endnotes, HeadersFooters);
}
