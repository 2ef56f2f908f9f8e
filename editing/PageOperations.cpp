// Page setup of sections, shrinking the text by a page, and the page-number format of sections.
#include <algorithm>

#include "core/Messages.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/Page.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "editing/PageSteps.h"

namespace {

enum : int { mfHoldRepaint = 12 };

// The fields a page-setup request may carry; the others are derived from the device and the zoom.
constexpr int RequestFields[] = {psWidth,          psHeight,         psOrientation,  psLeftMargin,
                                 psRightMargin,    psTopMargin,      psBottomMargin, psMirrorMargins,
                                 psHeaderDistance, psFooterDistance, psHeaderFlags};
// The fields that a one-field request changes, by selector.
constexpr int SingleFields[] = {psLeftMargin,   psRightMargin,    psTopMargin,
                                psBottomMargin, psHeaderDistance, psFooterDistance};

// The selector of a request: one of the six margins and distances alone (0-5), the orientation alone
// (6), nothing (-1), or several fields (7).
int32_t RequestSelector(const TPageSetup& request)
{
    int set = 0, last = -1;
    for (int f : RequestFields)
        if (IsFieldSet(request[f])) {
            ++set;
            last = f;
        }
    if (set == 0)
        return -1;
    if (set > 1)
        return 7;
    if (last == psOrientation)
        return 6;
    for (int k = 0; k < 6; ++k)
        if (SingleFields[k] == last)
            return k;
    return 7;
}

int32_t PageCount(TDocument& doc)
{
    doc.InvalidatePagination();
    doc.DiscardLineLayout();
    doc.Paginate(0, 0x7FFFFFFF);
    return static_cast<int32_t>(doc.Pages.size());
}

} // namespace

void ChangePageParams(TDocument& doc, const TPageSetup& request, const TTextRange& range,
                      TChangedRange& changed, TOperation* operation)
{
    changed = EmptyChangedRange();
    const int32_t selector = RequestSelector(request);
    if (selector < 0)
        return;
    std::vector<TSection*> sections;
    doc.SectionsInRange(range, sections);
    if (sections.empty())
        return;
    std::vector<TPageSetup> records(sections.size());
    for (size_t k = sections.size(); k-- > 0;) {
        TSection* owner = doc.PageSetupOwnerSection(sections[k]->FirstParagraph);
        const TPageSetup& inForce = owner ? owner->PageSetup : sections[k]->PageSetup;
        TPageSetup record = sections[k]->PageSetup;
        if (selector < 6) {
            // One margin or distance, at most four tenths of its page dimension, never negative.
            const int field = SingleFields[selector];
            const int32_t dimension =
                field == psLeftMargin || field == psRightMargin ? inForce[psWidth] : inForce[psHeight];
            record[field] =
                std::clamp(request[field], 0, std::max(0, int32_t(int64_t(dimension) * 40 / 100)));
        } else if (selector == 6) {
            // A turn of the page: width and height follow the new orientation.
            record[psOrientation] = request[psOrientation] != 0 ? 1 : 0;
            if ((record[psOrientation] == 1) != (record[psWidth] > record[psHeight]))
                std::swap(record[psWidth], record[psHeight]);
        } else {
            // Only what the request sets; "not set" never becomes a value.
            for (int f : RequestFields)
                if (IsFieldSet(request[f]))
                    record[f] = request[f];
            ValidatePageSetup(record);
        }
        records[k] = record;
    }
    auto step = std::make_unique<TChangePageParamsOperation>(&doc, range, selector < 6 ? selector : 7,
                                                             std::move(records));
    ApplyStep(doc, std::move(step), changed, operation);
    changed[crCaretPar] = doc.Caret.ParIndex;
    changed[crCaretOffset] = doc.Caret.Offset;
    changed[crCaretLine] = doc.Caret.LineIndex;
}

void ReducePageCount(TDocument& doc, TChangedRange& changed, TOperation* operation)
{
    changed = EmptyChangedRange();
    if (PageCount(doc) <= 1) {
        ShowInformation("Impossible de réduire le nombre de pages. Ce document n'a qu'une page.");
        return;
    }
    const TTextRange remembered = doc.Selection;
    const TTextPos caret = doc.Caret;
    // Without an operation to record into, the steps still go somewhere they can be taken back from.
    TOperation local(&doc, okCommand);
    TOperation* steps = operation ? operation : &local;
    {
        TModeFlagScope flags(doc);
        flags.On(mfNoSelectionRepaint);
        flags.On(mfHoldRepaint);
        flags.Off(mfViewLive);
        bool stuck = false;
        for (;;) {
            const TTextRange body = doc.GetBodyRange();
            doc.Select(body.StartPos.ParIndex, body.StartPos.Offset, body.EndPos.ParIndex, body.EndPos.Offset,
                       TDocument::soNoCommandRefresh | TDocument::soRepaintNewOnly);
            // The step before changed nothing: the text is as small as it goes, even where the sizes
            // of the selection differ (a mark that keeps its own size).
            if (doc.CharFormatState[cfSize] == 2 || stuck) {
                // The text is as small as it goes: everything is taken back.
                TChangedRange undone;
                steps->Undo(undone);
                steps->ClearSteps();
                DocumentHost().PushStatusText();
                PageCount(doc);
                DocumentHost().PopStatusText();
                ShowInformation("Impossible de réduire le nombre de pages.");
                break;
            }
            const int32_t before = static_cast<int32_t>(doc.Pages.size());
            const size_t stepCount = steps->StepCount();
            TChangedRange one;
            StepCharFormatField(doc, doc.Selection, cfSize, -1, one, steps);
            stuck = steps->StepCount() == stepCount;
            doc.ChangedRanges->UnionChangedRange(changed, one);
            if (PageCount(doc) != before)
                break;
        }
    }
    doc.Select(remembered.StartPos.ParIndex, remembered.StartPos.Offset, remembered.EndPos.ParIndex,
               remembered.EndPos.Offset, TDocument::soNoCommandRefresh);
    doc.Caret = caret;
    changed[crSelStartPar] = remembered.StartPos.ParIndex;
    changed[crSelStartOffset] = remembered.StartPos.Offset;
    changed[crSelEndPar] = remembered.EndPos.ParIndex;
    changed[crSelEndOffset] = remembered.EndPos.Offset;
    changed[crCaretPar] = caret.ParIndex;
    changed[crCaretOffset] = caret.Offset;
    changed[crWholeDocument] = 1;
}

void FormatPageNumbers(TDocument& doc, int32_t style, int32_t restart, TChangedRange& changed,
                       TOperation* operation)
{
    changed = EmptyChangedRange();
    doc.UpdateSectionRanges();
    int32_t first, last;
    if (doc.EditedHeaderFooter && doc.EditedHeaderFooterPage >= 0 &&
        doc.EditedHeaderFooterPage < static_cast<int32_t>(doc.Pages.size())) {
        const TSection* section = doc.Pages[size_t(doc.EditedHeaderFooterPage)]->GetSection();
        if (!section)
            return;
        first = section->FirstParagraph;
        last = section->LastParagraph;
    } else if (doc.HasSelection()) {
        first = std::min(doc.Selection.StartPos.ParIndex, doc.Selection.EndPos.ParIndex);
        last = std::max(doc.Selection.StartPos.ParIndex, doc.Selection.EndPos.ParIndex);
    } else {
        const TSection* section = doc.SectionOfParagraph(doc.Caret.ParIndex);
        if (!section)
            return;
        first = section->FirstParagraph;
        last = section->LastParagraph;
    }
    std::vector<TSection*> sections;
    doc.SectionsInRange(TextRangeOf(TextPosAt(first, 0), TextPosAt(last, 0)), sections);
    std::vector<std::pair<int32_t, int32_t>> values(sections.size(), {style, restart});
    ApplyStep(doc, std::make_unique<TFormatPageNumberOperation>(&doc, first, last, std::move(values)),
              changed, operation);
    changed[crCaretPar] = doc.Caret.ParIndex;
    changed[crCaretOffset] = doc.Caret.Offset;
    changed[crCaretLine] = UndefinedField;
    changed[crSelStartPar] = doc.Selection.StartPos.ParIndex;
    changed[crSelStartOffset] = doc.Selection.StartPos.Offset;
    changed[crSelEndPar] = doc.Selection.EndPos.ParIndex;
    changed[crSelEndOffset] = doc.Selection.EndPos.Offset;
}
