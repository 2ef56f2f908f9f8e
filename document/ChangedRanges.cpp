// Changed ranges: where layout must start again after an edit, their union, the lines updated in place,
// and what is brought up to date afterwards.
#include <algorithm>

#include "document/Document.h"
#include "document/Page.h"
#include "document/ParLine.h"
#include "document/Field.h"
#include "document/ChangedRanges.h"

namespace {

TRepaintHook GRepaintHook = nullptr;

} // namespace

void SetRepaintHook(TRepaintHook hook)
{
    GRepaintHook = hook;
}

void TChangedRanges::UnionChangedRange(TChangedRange& dest, const TChangedRange& src)
{
    TDocument& document = *Document;
    dest[crWholeDocument] = (dest[crWholeDocument] || src[crWholeDocument]) ? 1 : 0;
    if (dest[crWholeDocument]) {
        dest[crFirstParagraph] = UndefinedField;
    } else if (src[crFirstParagraph] != UndefinedField &&
               (dest[crFirstParagraph] == UndefinedField || dest[crFirstParagraph] > src[crFirstParagraph])) {
        dest[crFirstParagraph] = src[crFirstParagraph];
        dest[crFirstPage] = src[crFirstPage];
        const int32_t par = dest[crFirstParagraph];
        if (document.StoryOfParagraph(par) == stHeadersFooters) {
            // A header or footer changed: the first page that shows it is laid out again.
            TModeFlagScope flags(document);
            flags.On(mfFindBookmarkLikeFields);
            TTextPos start{};
            MakeTextPos(par, 0, start);
            TTextRange range;
            const TField* field = document.FindFieldAt(start, range, nullptr, -1, fkHeaderFooter);
            for (const auto& page : document.Pages)
                if (field && (page->HeaderField == field || page->FooterField == field)) {
                    const int32_t first = dest[crFirstPage];
                    dest[crFirstPage] =
                        first == UndefinedField ? page->PageIndex : std::min(first, page->PageIndex);
                    dest[crWholeDocument] = 1;
                    break;
                }
        }
    }
    for (int i = crSelStartPar; i <= crCaretOffset; ++i)
        dest[i] = src[i];
}

void TChangedRanges::SetChangedRangeStart(TChangedRange& range, int32_t paragraph)
{
    TDocument& doc = *Document;
    if (paragraph < 0 || paragraph >= doc.ParagraphCount()) {
        range[crFirstParagraph] = range[crFirstPage] = UndefinedField;
        return;
    }
    while (paragraph > 0 &&
           doc.Paragraphs[static_cast<size_t>(paragraph - 1)]->ParaFormat[pfKeepWithNext] != 0 &&
           doc.Paragraphs[static_cast<size_t>(paragraph - 1)]->ParaFormat[pfKeepWithNext] != UndefinedField)
        --paragraph;
    const TParagraph& p = *doc.Paragraphs[static_cast<size_t>(paragraph)];
    if (doc.StoryOfParagraph(paragraph) == stHeadersFooters) {
        range[crFirstParagraph] = paragraph;
        range[crFirstPage] = UndefinedField;
    } else if (p.IsOnPage()) {
        range[crFirstParagraph] = paragraph;
        range[crFirstPage] = p.Lines.front()->Page->PageIndex;
    } else {
        range[crFirstParagraph] = range[crFirstPage] = UndefinedField;
    }
}

void TChangedRanges::AddUniquePair(int32_t paragraph, int32_t line)
{
    for (const auto& pair : ChangedLines)
        if (pair.first == paragraph && pair.second == line)
            return;
    ChangedLines.emplace_back(paragraph, line);
}

void TChangedRanges::RemovePairsFrom(int32_t paragraph)
{
    ChangedLines.erase(std::remove_if(ChangedLines.begin(), ChangedLines.end(),
                                      [&](const auto& pair) { return pair.first >= paragraph; }),
                       ChangedLines.end());
}

void TChangedRanges::RefreshAfterChange(const TChangedRange& given)
{
    TDocument& doc = *Document;
    ++doc.EditCount;
    TChangedRange range = given;
    doc.ViewState.UpdateRegion = TRect{};
    doc.SetModeFlag(mfRebuildingPages, true);
    {
        TModeFlagScope flags(doc);
        flags.Off(mfViewLive);
        flags.On(mfHoldScrolling);
        flags.On(32);
        // Pagination from the page before the first changed one, for a document that is paginated.
        const bool paginated = !doc.Pages.empty() || doc.GetModeFlag(mfPaginatedOnce);
        int32_t firstPage = INT32_MIN;
        if (range[crFirstParagraph] != UndefinedField) {
            if (range[crFirstPage] == UndefinedField) {
                if (doc.StoryOfParagraph(range[crFirstParagraph]) != stHeadersFooters)
                    range[crWholeDocument] = 1;
            } else {
                firstPage = std::max(range[crFirstPage] - 1, 0);
            }
            RemovePairsFrom(range[crFirstParagraph]);
        }
        if (range[crWholeDocument])
            firstPage = 0;
        if (paginated && firstPage != INT32_MIN) {
            // The pages in view; without a view, the page of the change (background pagination does the
            // rest).
            const int32_t lastVisible =
                std::max(doc.View() ? doc.LastVisiblePage() : firstPage + 1, firstPage);
            doc.Paginate(firstPage, lastVisible);
        }
        // The caret and the selection go where the change put them.
        const int32_t count = doc.ParagraphCount();
        if (range[crCaretPar] >= 0 && range[crCaretPar] < count) {
            const int32_t par = range[crCaretPar];
            const int32_t offset = std::clamp(range[crCaretOffset], 0, doc.ParagraphLength(par));
            if (paginated) {
                doc.SetCaret(par, offset, range[crCaretLine], 4);
            } else {
                MakeTextPos(par, offset, doc.Caret);
                doc.Caret.LineHint = range[crCaretLine];
                doc.Selection = TTextRange{doc.Caret, doc.Caret};
            }
            const bool selection = range[crSelStartPar] != UndefinedField && range[crSelStartPar] >= 0 &&
                                   range[crSelEndPar] >= 0 && range[crSelStartPar] < count &&
                                   range[crSelEndPar] < count &&
                                   (range[crSelStartPar] != range[crSelEndPar] ||
                                    range[crSelStartOffset] != range[crSelEndOffset]);
            if (selection) {
                TModeFlagScope quiet(doc);
                quiet.On(mfNoSelectionRepaint);
                doc.Select(range[crSelStartPar], range[crSelStartOffset], range[crSelEndPar],
                           range[crSelEndOffset], TDocument::soNoCommandRefresh);
            }
        }
        if (doc.EditedHeaderFooter)
            doc.RefreshHeaderFooterMode();
    }
    // The view follows the caret unless the change asked to keep it.
    if (!doc.GetModeFlag(mfNoScrollToCaret) && doc.View()) {
        const TPoint before = doc.ViewState.ScrollPos;
        doc.UpdateCaretGeometry();
        doc.MakeCaretVisible(0);
        if (before.X != doc.ViewState.ScrollPos.X || before.Y != doc.ViewState.ScrollPos.Y)
            range[crWholeDocument] = 1;
    }
    if (GRepaintHook)
        GRepaintHook(doc, range, ChangedLines);
    else if (range[crWholeDocument])
        doc.Invalidate();
    doc.SetModeFlag(mfKeepCharFormatState, false);
}
