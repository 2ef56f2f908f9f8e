// Pages: placing runs of paragraph lines, finding and removing them.
#include "document/Page.h"

#include <algorithm>

#include "document/Document.h"
#include "document/ParLine.h"

TPage::TPage(TDocument* document, int32_t pageIndex) : Document(document), PageIndex(pageIndex) {}

TPage::~TPage()
{
    for (auto it = Lines.rbegin(); it != Lines.rend(); ++it)
        (*it)->Page = nullptr;
}

void TPage::AddParagraphLines(TParagraph* paragraph, int32_t first, int32_t last)
{
    auto placement = std::make_unique<TParagraphOnPageInfo>(TParagraphOnPageInfo{paragraph, first, last, 0});
    for (int32_t i = first; i <= last; ++i) {
        TParLine* line = paragraph->Lines[i].get();
        placement->Height += line->Height;
        line->Page = this;
        line->PageLineIndex = int32_t(Lines.size());
        Lines.push_back(line);
    }
    TextHeight += placement->Height;
    Placements.push_back(std::move(placement));
}

int32_t TPage::FindParagraph(int32_t i) const
{
    int32_t low = 0, high = int32_t(Placements.size()) - 1;
    while (low <= high) {
        const int32_t mid = low + (high - low) / 2;
        const int32_t index = Placements[mid]->Paragraph->LayoutIndex;
        if (index == i)
            return mid;
        if (index < i)
            low = mid + 1;
        else
            high = mid - 1;
    }
    return -1;
}

void TPage::RemoveParagraphAt(int32_t k)
{
    if (k < 0 || k >= int32_t(Placements.size()))
        return;
    TParagraphOnPageInfo& placement = *Placements[k];
    TextHeight -= placement.Height;
    // A paragraph broken again since it was placed may have fewer lines: its dropped lines left the
    // page when they were freed.
    for (int32_t i = std::min(placement.LastLine, placement.Paragraph->LineCount() - 1);
         i >= placement.FirstLine; --i) {
        TParLine* line = placement.Paragraph->Lines[i].get();
        if (line->Page != this)
            continue;
        const auto at = Lines.begin() + line->PageLineIndex;
        if (line->PageLineIndex < int32_t(Lines.size()) && *at == line)
            Lines.erase(at);
        line->Page = nullptr;
    }
    // The lines after the removed ones moved up in the page's list.
    for (int32_t i = 0; i < int32_t(Lines.size()); ++i)
        Lines[i]->PageLineIndex = i;
    Placements.erase(Placements.begin() + k);
}

TSection* TPage::GetSection() const
{
    if (Lines.empty())
        return nullptr;
    return Document->SectionOfParagraph(Lines.front()->Paragraph->LayoutIndex);
}
