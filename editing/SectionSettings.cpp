// Apply-to choices, fitting unequal columns, and applying a page setup or columns to the chosen sections.
#include "editing/SectionSettings.h"

#include <algorithm>
#include <string>

#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"

namespace {

enum : int { mfNoParagraphMarkFormat = 41 };

// Whether paragraph I ends its section with a section-break mark.
bool EndsSection(TDocument& doc, int32_t i)
{
    const TSection* s = doc.SectionOfParagraph(i);
    return s && s->LastParagraph == i && i != doc.StoryEnd(stMain);
}

bool IsWholeDocument(TDocument& doc, const TTextRange& selection)
{
    TTextRange body = doc.GetBodyRange();
    TTextRange s = selection;
    if (CompareTextPos(s.EndPos, s.StartPos) < 0)
        std::swap(s.StartPos, s.EndPos);
    return CompareTextPos(s.StartPos, body.StartPos) <= 0 && CompareTextPos(s.EndPos, body.EndPos) >= 0;
}

// Inserts a break of the kind that ends a section at Pos; the paragraph mark that it leaves beside it
// goes. Returns the paragraph that holds the new break.
int32_t InsertSectionBreak(TDocument& doc, TTextPos pos, uint8_t kind, TChangedRange& changed,
                           TOperation* operation)
{
    const int32_t length = doc.ParagraphLength(pos.ParIndex);
    const bool atStart = pos.Offset == 0;
    const bool atEnd = pos.Offset >= length - 1;
    const bool previousEnds = pos.ParIndex > 0 && EndsSection(doc, pos.ParIndex - 1);
    TModeFlagScope flags(doc);
    flags.On(mfNoParagraphMarkFormat);
    doc.PrepareInsertFormat(pos, 0);
    TChangedRange one;
    InsertPlainText(doc, std::string("\f\0", 2) + char(kind), pos, one, operation, ioSectionBreaks);
    doc.ChangedRanges->UnionChangedRange(changed, one);
    doc.SetModeFlag(mfSectionRangesStale, true);
    int32_t breakPar = pos.ParIndex;
    if (atStart && pos.ParIndex > 0 && !previousEnds) {
        // The paragraph before takes the break in place of its own mark.
        const int32_t before = pos.ParIndex - 1;
        DeleteRange(doc, TextPosAt(before, doc.ParagraphLength(before) - 1), TextPosAt(pos.ParIndex, 0), one,
                    operation, 0);
        doc.ChangedRanges->UnionChangedRange(changed, one);
        doc.SetModeFlag(mfSectionRangesStale, true);
        breakPar = before;
    } else if (atEnd && !atStart) {
        // The paragraph's own mark was left alone on the next line.
        const int32_t empty = pos.ParIndex + 1;
        if (empty + 1 <= doc.StoryEnd(stMain) && !EndsSection(doc, empty)) {
            DeleteRange(doc, TextPosAt(empty, 0), TextPosAt(empty + 1, 0), one, operation, ioKeepEndFormat);
            doc.ChangedRanges->UnionChangedRange(changed, one);
            doc.SetModeFlag(mfSectionRangesStale, true);
        }
    }
    return breakPar;
}

} // namespace

const char* ApplyToText(uint8_t choice)
{
    static const char* const texts[] = {"à tout le document", "à partir de ce point", "à la sélection",
                                        "à cette section", "aux sections sélectionnées"};
    return choice < 5 ? texts[choice] : "";
}

void FitColumnWidths(TSectionParams& params, const TPageSetup& pageSetup)
{
    const int32_t count = std::clamp<int32_t>(params[spColumnCount], 1, MaxColumns);
    if (count < 2 || params[spEqualWidths] != 0)
        return;
    int64_t widths = 0, gaps = 0;
    for (int n = 0; n < count; ++n) {
        widths += params[ColumnField(n, ceWidth)];
        if (n < count - 1)
            gaps += params[ColumnField(n, ceGapAfter)];
    }
    const int64_t textWidth = pageSetup[psTextWidth];
    if (widths + gaps == textWidth || widths <= 0)
        return; // nothing to share out in proportion
    for (int n = 0; n < count; ++n) {
        const int64_t w = int64_t(params[ColumnField(n, ceWidth)]) * (textWidth - gaps) / widths;
        params[ColumnField(n, ceWidth)] = int32_t(std::clamp<int64_t>(w, 0, INT32_MAX));
    }
}

std::vector<uint8_t> ApplyToChoices(TDocument& doc, uint8_t& choice)
{
    doc.UpdateSectionRanges();
    std::vector<uint8_t> list;
    const bool several = doc.Sections.size() > 1;
    const bool editingHeader = doc.EditedHeaderFooter != nullptr;
    if (doc.HasSelection()) {
        const bool whole = IsWholeDocument(doc, doc.Selection);
        const int32_t first = std::min(doc.Selection.StartPos.ParIndex, doc.Selection.EndPos.ParIndex);
        const int32_t last = std::max(doc.Selection.StartPos.ParIndex, doc.Selection.EndPos.ParIndex);
        if (editingHeader) {
            list.push_back(atThisSection);
        } else if (!several) {
            if (!whole)
                list.push_back(atSelection);
        } else if (doc.SectionOfParagraph(first) != doc.SectionOfParagraph(last)) {
            list.push_back(atSelectedSections);
            if (!whole)
                list.push_back(atSelection);
        } else {
            list.push_back(atSelection);
            list.push_back(atThisSection);
        }
        list.push_back(atWholeDocument);
    } else {
        if (several)
            list.push_back(atThisSection);
        list.push_back(atWholeDocument);
        const TTextRange body = doc.GetBodyRange();
        const bool atStart = CompareTextPos(doc.Caret, body.StartPos) <= 0;
        const int32_t lastPar = body.EndPos.ParIndex;
        const bool atEnd =
            doc.Caret.ParIndex >= lastPar && doc.Caret.Offset >= doc.ParagraphLength(lastPar) - 1;
        if (!editingHeader && !atStart && !atEnd)
            list.push_back(atFromHere);
    }
    if (choice == atNone || (choice == atWholeDocument && (doc.HasSelection() || several)) ||
        std::find(list.begin(), list.end(), choice) == list.end())
        choice = list.front();
    return list;
}

void ExpandRangeToSectionRun(TDocument& doc, TTextRange& range)
{
    doc.UpdateSectionRanges();
    const TSection* owner = doc.PageSetupOwnerSection(range.StartPos.ParIndex);
    const int32_t count = int32_t(doc.Sections.size());
    int32_t last = doc.SectionOfParagraph(range.EndPos.ParIndex)->Number;
    while (last + 1 < count && doc.Sections[size_t(last)]->BreakKind() == 0)
        ++last;
    const int32_t lastPar = doc.Sections[size_t(last)]->LastParagraph;
    range.StartPos = TextPosAt(owner ? owner->FirstParagraph : 0, 0);
    range.EndPos = TextPosAt(lastPar, doc.ParagraphLength(lastPar));
}

namespace {

// The continuous breaks at either end of the range become new-page breaks, so that a page setup of its
// own starts and ends on pages of its own.
void BreakPagesAround(TDocument& doc, const TTextRange& range, TChangedRange& changed, TOperation* operation)
{
    doc.UpdateSectionRanges();
    std::vector<TSection*> sections;
    doc.SectionsInRange(range, sections);
    if (sections.empty())
        return;
    std::vector<int32_t> paragraphs;
    const int32_t first = sections.front()->Number, last = sections.back()->Number;
    if (first > 0 && doc.Sections[size_t(first - 1)]->BreakKind() == 0)
        paragraphs.push_back(doc.Sections[size_t(first - 1)]->LastParagraph);
    if (last + 1 < int32_t(doc.Sections.size()) && sections.back()->BreakKind() == 0)
        paragraphs.push_back(sections.back()->LastParagraph);
    for (int32_t paragraph : paragraphs) {
        TChangedRange one;
        ChangeSectionBreak(doc, paragraph, 1, one, operation);
        doc.ChangedRanges->UnionChangedRange(changed, one);
    }
}

// Applies a page setup or columns to the sections of the choice.
void ApplySectionSettings(TDocument& doc, uint8_t choice, const TTextRange* given,
                          const TPageSetup* pageSetup, const TSectionParams* columns)
{
    TBusyScope busy(doc);
    auto operation = std::make_unique<TOperation>(&doc, pageSetup ? okPageSetup : okFormatSections);
    // A page setup of its own needs pages of its own; columns may start anywhere on a page.
    const uint8_t breakKind = pageSetup ? 1 : 0;
    TChangedRange changed = EmptyChangedRange();
    doc.UpdateSectionRanges();
    TTextRange range;
    if (given) {
        range = *given;
    } else {
        switch (choice) {
        case atFromHere: {
            const TSection* section = doc.SectionOfParagraph(doc.Caret.ParIndex);
            int32_t start = doc.Caret.ParIndex;
            if (!(section && section->FirstParagraph == doc.Caret.ParIndex && doc.Caret.Offset == 0))
                start = InsertSectionBreak(doc, doc.Caret, breakKind, changed, operation.get()) + 1;
            doc.UpdateSectionRanges();
            const int32_t last = doc.StoryEnd(stMain);
            range = TextRangeOf(TextPosAt(start, 0), TextPosAt(last, doc.ParagraphLength(last)));
            break;
        }
        case atSelection: {
            TTextRange sel = doc.Selection;
            if (CompareTextPos(sel.EndPos, sel.StartPos) < 0)
                std::swap(sel.StartPos, sel.EndPos);
            // A selection that takes in a paragraph's mark ends at that paragraph's end.
            sel.EndPos.Offset = std::min(sel.EndPos.Offset, doc.ParagraphLength(sel.EndPos.ParIndex) - 1);
            // The break after it first, so that the start keeps its place.
            const int32_t endPar = sel.EndPos.ParIndex;
            const bool endsSection = sel.EndPos.Offset >= doc.ParagraphLength(endPar) - 1 &&
                                     doc.SectionOfParagraph(endPar)->LastParagraph == endPar;
            if (!endsSection)
                InsertSectionBreak(doc, sel.EndPos, breakKind, changed, operation.get());
            doc.UpdateSectionRanges();
            int32_t first = sel.StartPos.ParIndex, last = endPar;
            const TSection* section = doc.SectionOfParagraph(first);
            if (!(sel.StartPos.Offset == 0 && section && section->FirstParagraph == first)) {
                const int32_t before = doc.ParagraphCount();
                first = InsertSectionBreak(doc, sel.StartPos, breakKind, changed, operation.get()) + 1;
                last += doc.ParagraphCount() - before;
                doc.UpdateSectionRanges();
            }
            range = TextRangeOf(TextPosAt(first, 0), TextPosAt(std::max(first, last), 0));
            break;
        }
        case atThisSection: {
            const TSection* s = doc.SectionOfParagraph(doc.Caret.ParIndex);
            range = TextRangeOf(TextPosAt(s->FirstParagraph, 0), TextPosAt(s->LastParagraph, 0));
            break;
        }
        case atSelectedSections: range = doc.Selection; break;
        default: range = doc.GetBodyRange(); break;
        }
    }
    doc.UpdateSectionRanges();
    TChangedRange one;
    if (pageSetup) {
        ChangePageParams(doc, *pageSetup, range, one, operation.get());
        doc.ChangedRanges->UnionChangedRange(changed, one);
        BreakPagesAround(doc, range, changed, operation.get());
    } else {
        FormatSections(doc, range, *columns, one, operation.get());
        doc.ChangedRanges->UnionChangedRange(changed, one);
    }
    doc.SetModeFlag(mfKeepCharFormatState, false);
    if (operation->IsEmpty() || doc.OpenedReadOnly)
        return;
    doc.ChangedRanges->RefreshAfterChange(changed);
    doc.OperationManager->AddOperation(std::move(operation));
}

} // namespace

void ApplyPageSetup(TDocument& doc, uint8_t choice, const TTextRange* range, const TPageSetup& request)
{
    ApplySectionSettings(doc, choice, range, &request, nullptr);
}

void ApplyColumns(TDocument& doc, uint8_t choice, const TTextRange* range, const TSectionParams& request)
{
    ApplySectionSettings(doc, choice, range, nullptr, &request);
}
