// The document's sections: their paragraph ranges, which section and page setup govern a paragraph.
#include "document/Document.h"

#include "core/RecordUtils.h"
#include "document/Page.h"
#include "document/Section.h"

namespace {

// Same number of columns, same kind and the same widths and gaps.
bool SameColumnLayout(const TSectionParams& a, const TSectionParams& b)
{
    if (a[spColumnCount] != b[spColumnCount] || a[spEqualWidths] != b[spEqualWidths])
        return false;
    if (a[spEqualWidths])
        return a[spColumnGap] == b[spColumnGap];
    const int count = a[spColumnCount] < 1            ? 1
                      : a[spColumnCount] > MaxColumns ? MaxColumns
                                                      : a[spColumnCount];
    for (int n = 0; n < count; ++n)
        if (a[ColumnField(n, ceWidth)] != b[ColumnField(n, ceWidth)] ||
            a[ColumnField(n, ceGapAfter)] != b[ColumnField(n, ceGapAfter)])
            return false;
    return true;
}

} // namespace

void TDocument::UpdateSectionRanges()
{
    if (!GetModeFlag(mfSectionRangesStale))
        return;
    SetModeFlag(mfSectionRangesStale, false);
    int32_t number = 0;
    int32_t first = 0;
    const int32_t mainEnd = StoryEnd(stMain);
    if (Sections.size() > 1) {
        for (int32_t i = 0; i <= mainEnd && i < ParagraphCount(); ++i) {
            const TMemory& plain = Paragraphs[i]->PlainText;
            if (plain.Size() == 0 || plain.Data()[plain.Size() - 1] != 3)
                continue;
            TSection* section = Paragraphs[i]->GetSection();
            // A mark that names no section of this document ends nothing.
            if (!section || section->Document != this || section == Sections.back().get())
                continue;
            section->Number = number++;
            section->FirstParagraph = first;
            section->LastParagraph = i;
            first = i + 1;
        }
    }
    TSection& last = *Sections.back();
    last.Number = number;
    last.FirstParagraph = first;
    last.LastParagraph = mainEnd;
}

TSection* TDocument::SectionOfParagraph(int32_t i)
{
    UpdateSectionRanges();
    if (GetModeFlag(mfColumnWidthsStale)) {
        SetModeFlag(mfColumnWidthsStale, false);
        for (auto& section : Sections) {
            TSectionParams& p = section->Params;
            const int count = p[spColumnCount] > MaxColumns ? MaxColumns : p[spColumnCount];
            for (int n = 0; count > 1 && n < count; ++n) {
                TColumnGeometry column;
                section->GetColumnGeometry(n, column);
                p[ColumnField(n, ceX)] = column.Left;
                p[ColumnField(n, ceLeftBound)] = column.LeftBound;
                p[ColumnField(n, ceRightBound)] = column.RightBound;
            }
        }
    }
    for (auto it = Sections.rbegin(); it != Sections.rend(); ++it)
        if (i >= (*it)->FirstParagraph && i <= (*it)->LastParagraph)
            return it->get();
    if (EditedHeaderFooter && StoryOfParagraph(i) == stHeadersFooters && EditedHeaderFooterPage >= 0 &&
        EditedHeaderFooterPage < int32_t(Pages.size()))
        return PageSetupSectionOfPage(EditedHeaderFooterPage);
    return Sections.back().get();
}

TSection* TDocument::PageSetupOwnerSection(int32_t i)
{
    const TSection* section = SectionOfParagraph(i);
    int32_t index = int32_t(Sections.size()) - 1;
    while (index > 0 && Sections[index].get() != section)
        --index;
    while (index > 0 && Sections[index - 1]->BreakKind() == 0)
        --index;
    return Sections[index].get();
}

TSection* TDocument::PageSetupSectionOfPage(int32_t n)
{
    if (n >= int32_t(Pages.size()))
        n = int32_t(Pages.size()) - 1;
    while (n >= 0 && Pages[n]->Placements.empty())
        --n;
    if (n < 0)
        return PageSetupOwnerSection(0);
    return PageSetupOwnerSection(Pages[n]->Placements.front()->Paragraph->LayoutIndex);
}

void TDocument::GetCurrentPageSetup(TPageSetup& out)
{
    out = PageSetupOwnerSection(Caret.ParIndex)->PageSetup;
}

void TDocument::SelectionSectionParams(TSectionParams& out)
{
    std::vector<TSection*> sections;
    if (IsRangeEmpty(Selection))
        sections.push_back(SectionOfParagraph(Caret.ParIndex));
    else
        SectionsInRange(Selection, sections);
    out = sections.front()->Params;
    for (size_t k = 1; k < sections.size(); ++k) {
        const TSectionParams& p = sections[k]->Params;
        if (out[spColumnCount] != UndefinedField && !SameColumnLayout(out, p))
            out[spColumnCount] = UndefinedField;
        if (out[spLineBetween] != p[spLineBetween])
            out[spLineBetween] = UndefinedField;
        if (out[spEqualWidths] != p[spEqualWidths])
            out[spEqualWidths] = UndefinedField;
    }
}

void TDocument::SectionsInRange(const TTextRange& range, std::vector<TSection*>& list)
{
    const TSection* first = SectionOfParagraph(range.StartPos.ParIndex);
    const TSection* last = SectionOfParagraph(range.EndPos.ParIndex);
    bool inside = false;
    for (auto& section : Sections) {
        if (section.get() == first)
            inside = true;
        if (inside)
            list.push_back(section.get());
        if (section.get() == last && inside)
            break;
    }
}

void TDocument::GetPageExtent(TPageExtent& out)
{
    UpdateSectionRanges();
    out = ViewState.PageExtent;
}

bool TDocument::HasMultiColumnSection() const
{
    for (const auto& section : Sections)
        if (section->Params[spColumnCount] != 1)
            return true;
    return false;
}

bool TDocument::SectionsDifferInPageSize() const
{
    const TPageSetup& first = Sections.front()->PageSetup;
    for (const auto& section : Sections)
        if (section->PageSetup[psWidth] != first[psWidth] || section->PageSetup[psHeight] != first[psHeight])
            return true;
    return false;
}
