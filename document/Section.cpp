// Sections: defaults, copying, columns, range tests and page counts.
#include "document/Section.h"

#include "document/Document.h"
#include "document/Page.h"
#include "document/TagTargets.h"

void SetSectionParamsDefaults(TSectionParams& params)
{
    params = TSectionParams{};
    params[spBreakKind] = 1;
    params[spColumnCount] = 1;
    params[spEqualWidths] = 1;
    params[spColumnGap] = 720;
}

TSection::TSection(TDocument* document)
    : Document(document), Handle(RegisterTagTarget(TTagTargetKind::Section, this))
{}

TSection::~TSection()
{
    ReleaseTagTarget(Handle);
}

void TSection::SetDefaults()
{
    SetSectionParamsDefaults(Params);
    SetPageSetupDefaults(PageSetup);
    PageNumberStyle = 0;
    PageNumberRestart = -1;
}

void TSection::Assign(const TSection& other)
{
    Params = other.Params;
    PageSetup = other.PageSetup;
    PageNumberStyle = other.PageNumberStyle;
    PageNumberRestart = other.PageNumberRestart;
}

void TSection::GetColumnGeometry(int n, TColumnGeometry& out) const
{
    const TSection* owner = Document->PageSetupOwnerSection(FirstParagraph);
    ComputeColumnGeometry(Params, (owner ? owner : this)->PageSetup, n, out);
}

bool TSection::RangeReachesEnd(const TTextRange& range) const
{
    const int32_t par = range.EndPos.ParIndex;
    if (par > LastParagraph)
        return true;
    return par == LastParagraph && par >= 0 && par < Document->ParagraphCount() &&
           range.EndPos.Offset == Document->Paragraphs[par]->PlainText.Size();
}

int32_t TSection::PageCount() const
{
    const auto& pages = Document->Pages;
    const int32_t count = int32_t(pages.size());
    int32_t first = -1;
    for (int32_t i = 0; i < count && first < 0; ++i) {
        if (pages[i]->Placements.empty())
            return 1;
        if (pages[i]->FindParagraph(FirstParagraph) >= 0)
            first = i;
    }
    if (first < 0)
        return 1;
    for (int32_t i = first + 1; i < count; ++i) {
        const TPage& page = *pages[i];
        if (page.Placements.empty())
            continue;
        if (page.Placements.front()->Paragraph->LayoutIndex > LastParagraph)
            return i - first;
    }
    return count - first;
}
