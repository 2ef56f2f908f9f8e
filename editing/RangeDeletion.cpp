// Deleting the text between two positions as one text step, with what the deletion touches repaired: the
// joined paragraph's format, the headers and footers of a section that goes, the spaces at the join.
#include <algorithm>

#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/FormatSteps.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"

namespace {

bool IsSpaceAt(const TDocument& doc, int32_t par, int32_t offset)
{
    const TMemory& plain = doc.Paragraphs[size_t(par)]->PlainText;
    return offset >= 0 && offset < plain.Size() && plain.Data()[offset] == ' ';
}

} // namespace

void DeleteRange(TDocument& doc, const TTextPos& startGiven, const TTextPos& endGiven, TChangedRange& range,
                 TOperation* operation, uint8_t options)
{
    range = EmptyChangedRange();
    TTextPos s = startGiven, e = endGiven;
    if (CompareTextPos(e, s) < 0)
        std::swap(s, e);
    const int32_t count = doc.ParagraphCount();
    s.ParIndex = std::clamp(s.ParIndex, 0, count - 1);
    s.Offset = std::clamp(s.Offset, 0, doc.ParagraphLength(s.ParIndex));
    const int story = doc.StoryOfParagraph(s.ParIndex);
    if (e.ParIndex >= count)
        e = TextPosAt(count - 1, doc.ParagraphLength(count - 1));
    e.Offset = std::clamp(e.Offset, 0, doc.ParagraphLength(e.ParIndex));
    // A range never runs past its story.
    if (e.ParIndex > doc.StoryEnd(story))
        e = TextPosAt(doc.StoryEnd(story), doc.ParagraphLength(doc.StoryEnd(story)));
    if (e.Offset >= doc.ParagraphLength(e.ParIndex)) {
        // Ending on the end mark: the mark goes with the text, except the story's last one.
        if (e.ParIndex == doc.StoryEnd(story))
            e.Offset = doc.ParagraphLength(e.ParIndex) - 1;
        else
            e = TextPosAt(e.ParIndex + 1, 0);
    }
    if (CompareTextPos(e, s) <= 0) {
        // Nothing to delete: text typed there takes the format found there.
        doc.InsertFormatBefore = doc.InsertFormatAfter = doc.GetCharFormatAt(s);
        SetCaretFieldsTo(range, s);
        return;
    }
    TChangedRange one;
    if (e.ParIndex > s.ParIndex && s.Offset > 0 && !(options & ioKeepEndFormat)) {
        // The joined paragraph keeps the format of the first one.
        TParaFormat format = doc.Paragraphs[size_t(s.ParIndex)]->ParaFormat;
        FormatParagraphs(doc, TextRangeOf(e, e), format, one, operation);
        doc.ChangedRanges->UnionChangedRange(range, one);
    }
    if (story == stMain && doc.Sections.size() > 1) {
        TSection* first = doc.SectionOfParagraph(s.ParIndex);
        TSection* last = doc.SectionOfParagraph(e.ParIndex);
        if (first && last && first != last) {
            // The section whose break goes leaves its headers and footers to the one that stays.
            TField* slots[HeaderFooterSlotCount];
            std::copy(last->HeaderFooter, last->HeaderFooter + HeaderFooterSlotCount, slots);
            bool changed = false;
            for (int i = 0; i < HeaderFooterSlotCount; ++i)
                if (!slots[i] && first->HeaderFooter[i]) {
                    slots[i] = first->HeaderFooter[i];
                    changed = true;
                }
            if (changed) {
                ApplyStep(doc, std::make_unique<TChangeSectionHeadersOperation>(&doc, last, slots), one,
                          operation);
                doc.ChangedRanges->UnionChangedRange(range, one);
            }
        }
    }
    auto step = std::make_unique<TInsertDeleteOperation>(&doc, TextRangeOf(s, e), story,
                                                         !(options & ioSharedObjects));
    ApplyStep(doc, std::move(step), one, operation);
    doc.ChangedRanges->UnionChangedRange(range, one);
    TTextPos caret = s;
    if (caret.ParIndex >= doc.ParagraphCount())
        caret = TextPosAt(caret.ParIndex - 1, doc.ParagraphLength(caret.ParIndex - 1) - 1);
    MakeTextPos(caret.ParIndex, caret.Offset, doc.Caret);
    if ((options & ioAdjustSpaces) && caret.Offset > 0 && IsSpaceAt(doc, caret.ParIndex, caret.Offset - 1) &&
        IsSpaceAt(doc, caret.ParIndex, caret.Offset)) {
        // A doubled space at the join becomes one.
        int32_t end = caret.Offset;
        while (IsSpaceAt(doc, caret.ParIndex, end))
            ++end;
        auto spaces = std::make_unique<TInsertDeleteOperation>(
            &doc, TextRangeOf(caret, TextPosAt(caret.ParIndex, end)), story, true);
        ApplyStep(doc, std::move(spaces), one, operation);
        doc.ChangedRanges->UnionChangedRange(range, one);
    }
    SetCaretFieldsTo(range, doc.Caret);
}
