// Deleting the text between two positions as one text step, with what the deletion touches repaired: the
// joined paragraph's format, the headers and footers of a section that goes, the spaces at the join, and
// the note texts and header and footer texts that nothing shows any more.
#include <algorithm>
#include <vector>

#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/Field.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/FormatSteps.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "editing/SubOperation.h"

namespace {

bool IsSpaceAt(const TDocument& doc, int32_t par, int32_t offset)
{
    const TMemory& plain = doc.Paragraphs[size_t(par)]->PlainText;
    return offset >= 0 && offset < plain.Size() && plain.Data()[offset] == ' ';
}

bool BeginsSection(const TDocument& doc, int32_t par)
{
    for (const auto& section : doc.Sections)
        if (section->FirstParagraph == par)
            return true;
    return false;
}

template<typename T>
bool Holds(const std::vector<std::unique_ptr<T>>& list, const T* item)
{
    for (const auto& p : list)
        if (p.get() == item)
            return true;
    return false;
}

// What a deletion leaves behind: the text of a note whose reference went, the header and footer texts of
// a section that went (those not passed on to the section before it).
struct TDeletionSnapshot {
    std::vector<TField*> NoteReferences;
    std::vector<TSection*> Sections;

    explicit TDeletionSnapshot(const TDocument& doc)
    {
        for (const auto& f : doc.Fields)
            if (f->Kind == fkNoteReference)
                NoteReferences.push_back(f.get());
        for (const auto& section : doc.Sections)
            Sections.push_back(section.get());
    }

    std::vector<TField*> Orphans(const TDocument& doc) const
    {
        std::vector<TField*> orphans;
        auto add = [&](TField* f) {
            if (f && Holds(doc.Fields, f) && std::find(orphans.begin(), orphans.end(), f) == orphans.end())
                orphans.push_back(f);
        };
        for (TField* reference : NoteReferences)
            if (!Holds(doc.Fields, reference))
                add(reference->Owner);
        for (TSection* section : Sections) {
            if (Holds(doc.Sections, section))
                continue;
            for (TField* slot : section->HeaderFooter) {
                bool shown = false;
                for (const auto& other : doc.Sections)
                    shown = shown || std::find(std::begin(other->HeaderFooter), std::end(other->HeaderFooter),
                                               slot) != std::end(other->HeaderFooter);
                if (!shown)
                    add(slot);
            }
        }
        return orphans;
    }
};

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
    bool takesLastParagraphs = false;
    if (e.Offset >= doc.ParagraphLength(e.ParIndex)) {
        // Ending on the end mark: the mark goes with the text, except the story's last one, which only a
        // range of whole paragraphs of the main text may take (not the story's first, nor one that
        // begins a section).
        if (e.ParIndex == doc.StoryEnd(story)) {
            takesLastParagraphs = (options & ioMayTakeLastMark) && story == stMain &&
                                  s.ParIndex != doc.StoryStart(story) && s.Offset == 0 &&
                                  !(doc.Sections.size() > 1 && BeginsSection(doc, s.ParIndex));
            e.Offset = doc.ParagraphLength(e.ParIndex) - 1;
            // Whole paragraphs go: the range starts at the end mark of the paragraph before them.
            if (takesLastParagraphs)
                s = TextPosAt(s.ParIndex - 1, doc.ParagraphLength(s.ParIndex - 1) - 1);
        } else {
            e = TextPosAt(e.ParIndex + 1, 0);
        }
    }
    if (CompareTextPos(e, s) <= 0) {
        // Nothing to delete: text typed there takes the format found there.
        doc.InsertFormatBefore = doc.InsertFormatAfter = doc.GetCharFormatAt(s);
        SetCaretFieldsTo(range, s);
        return;
    }
    TChangedRange one;
    if (e.ParIndex > s.ParIndex && ((s.Offset > 0 && !(options & ioKeepEndFormat)) || takesLastParagraphs)) {
        // The joined paragraph keeps the format of the first one.
        TParaFormat format = doc.Paragraphs[size_t(s.ParIndex)]->ParaFormat;
        FormatParagraphs(doc, TextRangeOf(e, e), format, one, operation);
        doc.ChangedRanges->UnionChangedRange(range, one);
    }
    const TDeletionSnapshot snapshot(doc);
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
    if (!(options & ioNoCleanup) && story == stMain) {
        const TTextPos kept = doc.Caret;
        for (TField* orphan : snapshot.Orphans(doc))
            RemoveFieldText(doc, *orphan, range, operation);
        doc.Caret = kept;
    }
    SetCaretFieldsTo(range, doc.Caret);
}

void RemoveFieldText(TDocument& doc, TField& field, TChangedRange& range, TOperation* operation)
{
    const TTextRange r = doc.GetFieldRange(field);
    const int32_t first = r.StartPos.ParIndex, last = r.EndPos.ParIndex;
    if (first < 0 || last < first || last >= doc.ParagraphCount())
        return;
    TChangedRange one;
    const int story = doc.StoryOfParagraph(first);
    if (r.StartPos.Offset == 0 && r.EndPos.Offset >= doc.ParagraphLength(last) && story != stMain &&
        doc.StoryOfParagraph(last) == story) {
        ApplyStep(doc,
                  std::make_unique<TReplaceParagraphsOperation>(&doc, first, last - first + 1, story,
                                                                std::vector<std::unique_ptr<TParagraph>>{}),
                  one, operation);
    } else {
        DeleteRange(doc, r.StartPos, r.EndPos, one, operation, ioNoCleanup);
    }
    doc.ChangedRanges->UnionChangedRange(range, one);
}
