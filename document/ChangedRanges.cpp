// Changed ranges: where layout must start again after an edit, their union, the lines updated in place,
// and what is brought up to date afterwards.
#include <algorithm>

#include "document/Document.h"
#include "document/Page.h"
#include "document/ParLine.h"
#include "document/Field.h"
#include "editing/OperationManager.h"

void TOperationManager::UnionChangedRange(TChangedRange& dest, const TChangedRange& src)
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

void TOperationManager::SetChangedRangeStart(TChangedRange& range, int32_t paragraph)
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

void TOperationManager::AddUniquePair(int32_t paragraph, int32_t line)
{
    for (const auto& pair : ChangedLines)
        if (pair.first == paragraph && pair.second == line)
            return;
    ChangedLines.emplace_back(paragraph, line);
}

void TOperationManager::RemovePairsFrom(int32_t paragraph)
{
    ChangedLines.erase(std::remove_if(ChangedLines.begin(), ChangedLines.end(),
                                      [&](const auto& pair) { return pair.first >= paragraph; }),
                       ChangedLines.end());
}

void TOperationManager::RefreshAfterChange(const TChangedRange& range)
{
    TDocument& doc = *Document;
    if (range[crFirstParagraph] != UndefinedField)
        RemovePairsFrom(range[crFirstParagraph]);
    // The caret goes where the change put it.
    if (range[crCaretPar] != UndefinedField && range[crCaretPar] >= 0 &&
        range[crCaretPar] < doc.ParagraphCount()) {
        MakeTextPos(range[crCaretPar], range[crCaretOffset], doc.Caret);
        doc.Caret.LineHint = range[crCaretLine];
    }
    doc.SetModeFlag(mfKeepCharFormatState, false);
}
