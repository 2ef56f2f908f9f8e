// The reformatting queue: paragraphs waiting to be broken into lines again, and the re-break of one
// paragraph in place that keeps the pages when its lines keep their number and heights.
#include "document/ParReformatingManager.h"

#include <algorithm>
#include <vector>

#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/Page.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"
#include "document/Section.h"
#include "document/ChangedRanges.h"

void TParReformatingManager::AddParagraph(int32_t i)
{
    if (std::find(Pending.begin(), Pending.end(), i) == Pending.end())
        Pending.push_back(i);
}

namespace {

// The paragraph's text from the start of a line on holds a character of code 15 or a forced break.
bool HoldsCode(const TParagraph& p, int32_t fromChar, bool (*test)(uint8_t))
{
    const uint8_t* plain = p.PlainText.Data();
    for (int32_t i = std::max(fromChar, 0); i < p.PlainText.Size(); ++i)
        if (test(plain[i]))
            return true;
    return false;
}

bool IsForcedBreak(uint8_t c)
{
    return c == scColumnBreak || c == scLineBreak || c == scPageBreak;
}

bool IsFieldResult(uint8_t c)
{
    return c == scFieldResult;
}

} // namespace

void TParReformatingManager::ReformatParagraph(int32_t index, int32_t lineHint, TChangedRange& range)
{
    TDocument& doc = *Document;
    range = EmptyChangedRange();
    if (index < 0 || index >= doc.ParagraphCount())
        return;
    doc.ChangedRanges->SetChangedRangeStart(range, index);
    TParagraph& p = *doc.Paragraphs[static_cast<size_t>(index)];
    p.LayoutIndex = index;
    const int32_t fromLine = std::clamp(lineHint > 0 ? lineHint - 1 : 0, 0, std::max(p.LineCount() - 1, 0));
    bool inPlace = p.IsOnPage() && doc.StoryOfParagraph(index) != stHeadersFooters;
    if (inPlace) {
        const int32_t fromChar = p.LineCount() > 0 ? p.Lines[static_cast<size_t>(fromLine)]->FirstChar : 0;
        inPlace = !HoldsCode(p, fromChar, IsForcedBreak) && !HoldsCode(p, 0, IsFieldResult);
        for (const auto& line : p.Lines)
            if (line->RightLimit != p.Lines.front()->RightLimit)
                inPlace = false;
    }
    if (!inPlace) {
        // Pagination rebuilds the lines.
        p.SetNormalized(false);
        p.UpdateLayout(false, 0);
        doc.SetModeFlag(mfStatisticsStale, true);
        return;
    }
    std::vector<TParLineOnPageInfo> placed;
    placed.reserve(p.Lines.size());
    for (const auto& line : p.Lines)
        placed.emplace_back(*line);
    int32_t width;
    const TParLine& first = *p.Lines.front();
    TSection* section = doc.SectionOfParagraph(index);
    if (first.ColumnIndex > 0 || (section && section->Params[spColumnCount] > 1)) {
        TColumnGeometry column;
        section->GetColumnGeometry(first.ColumnIndex, column);
        width = column.Width;
    } else {
        width = doc.PageSetupOwnerSection(index)->PageSetup[psTextWidth];
    }
    // The new lines are built beside the old ones, which stay on their pages until it is known
    // whether the new ones can take their places.
    std::vector<std::unique_ptr<TParLine>> oldLines = std::move(p.Lines);
    p.Lines.clear();
    p.SetNormalized(false);
    p.UpdateLayout(true, width);

    bool same = p.LineCount() == static_cast<int32_t>(placed.size());
    for (int32_t i = 0; same && i < p.LineCount(); ++i) {
        const TParLine& line = *p.Lines[static_cast<size_t>(i)];
        same = line.Height == placed[static_cast<size_t>(i)].Height &&
               line.Overhang == placed[static_cast<size_t>(i)].Overhang;
    }
    if (same) {
        for (int32_t i = 0; i < p.LineCount(); ++i) {
            TParLine& line = *p.Lines[static_cast<size_t>(i)];
            const TParLineOnPageInfo& info = placed[static_cast<size_t>(i)];
            info.RestoreTo(line);
            oldLines[static_cast<size_t>(i)]->Page = nullptr;
            if (info.Page && info.PageLineIndex >= 0 &&
                info.PageLineIndex < static_cast<int32_t>(info.Page->Lines.size()))
                info.Page->Lines[static_cast<size_t>(info.PageLineIndex)] = &line;
            if (i >= fromLine && line.Page)
                doc.ChangedRanges->AddUniquePair(index, i);
        }
        range[crFirstParagraph] = UndefinedField;
    } else {
        // The pages are laid out again from the paragraph's page on: its old lines leave them now.
        std::swap(p.Lines, oldLines);
        for (const TParLineOnPageInfo& info : placed)
            if (info.Page)
                info.Page->RemoveParagraphAt(info.Page->FindParagraph(index));
        std::swap(p.Lines, oldLines);
    }
    doc.SetModeFlag(mfStatisticsStale, true);
}

void TParReformatingManager::ReformatPending()
{
    TDocument& doc = *Document;
    if (Pending.empty() || doc.IsViewBusy())
        return;
    TChangedRange united = EmptyChangedRange();
    {
        TBusyScope busy(doc);
        while (!Pending.empty()) {
            const int32_t index = Pending.back();
            TChangedRange range;
            ReformatParagraph(index, 0, range);
            doc.ChangedRanges->UnionChangedRange(united, range);
            Pending.pop_back();
        }
    }
    united[crCaretPar] = doc.Caret.ParIndex;
    united[crCaretOffset] = doc.Caret.Offset;
    united[crCaretLine] = doc.Caret.LineHint;
    doc.SetModeFlag(mfKeepCharFormatState, true);
    doc.ChangedRanges->RefreshAfterChange(united);
}
