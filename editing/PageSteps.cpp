// The page-setup and page-numbering steps of sections.
#include "editing/PageSteps.h"

#include "document/Document.h"
#include "document/Section.h"

namespace {

enum : int { mfUndoingLayout = 18 };

// The field a one-field selector exchanges.
int SelectorField(int32_t selector)
{
    constexpr int fields[6] = {psLeftMargin,   psRightMargin,    psTopMargin,
                               psBottomMargin, psHeaderDistance, psFooterDistance};
    return selector >= 0 && selector < 6 ? fields[selector] : -1;
}

// The pages and lines are laid out again after a change of sections' pages, columns or breaks.
void RelayoutSections(TDocument& doc, TChangedRange& range)
{
    doc.InvalidatePagination();
    doc.DiscardLineLayout();
    doc.SetZoomKind(doc.ViewState.ZoomKind);
    doc.UpdatePageLayout();
    doc.SetModeFlag(mfSectionRangesStale, true);
    doc.SetModeFlag(mfColumnWidthsStale, true);
    range[crWholeDocument] = 1;
}

// The sections from the one holding the first paragraph to the one holding the last.
std::vector<TSection*> SectionsOfParagraphs(TDocument& doc, int32_t first, int32_t last)
{
    std::vector<TSection*> sections;
    doc.UpdateSectionRanges();
    doc.SectionsInRange(TextRangeOf(TextPosAt(first, 0), TextPosAt(last, 0)), sections);
    return sections;
}

} // namespace

TChangePageParamsOperation::TChangePageParamsOperation(TDocument* document, const TTextRange& range,
                                                       int32_t selector, std::vector<TPageSetup> records)
    : TSubOperation(document), Range(range), Selector(selector), Saved(std::move(records))
{}

int64_t TChangePageParamsOperation::GetMemorySize() const
{
    return static_cast<int64_t>(sizeof(*this)) +
           static_cast<int64_t>(Saved.capacity() * sizeof(TPageSetup) + FDocumentBytes.capacity() * 8);
}

void TChangePageParamsOperation::ExchangeRecords()
{
    std::vector<TSection*> sections;
    Document->SectionsInRange(Range, sections);
    const size_t count = std::min(sections.size(), Saved.size());
    const int field = SelectorField(Selector);
    for (size_t k = count; k-- > 0;) {
        TPageSetup& current = sections[k]->PageSetup;
        if (field >= 0)
            std::swap(current[field], Saved[k][field]);
        else
            std::swap(current, Saved[k]);
    }
}

void TChangePageParamsOperation::ExchangeDocumentBytes()
{
    if (SelectorField(Selector) >= 0 || Saved.empty())
        return;
    if (!FBytesMade) {
        // The first application: the new bytes are those of the first record just put in place.
        FBytesMade = true;
        std::vector<TSection*> sections;
        Document->SectionsInRange(Range, sections);
        if (sections.empty())
            return;
        const TPageSetup& first = sections.front()->PageSetup;
        for (auto& s : Document->Sections)
            FDocumentBytes.emplace_back(first[psMirrorMargins], (s->PageSetup[psHeaderFlags] & ~0xFF) |
                                                                    (first[psHeaderFlags] & 0xFF));
    }
    for (size_t k = 0; k < Document->Sections.size() && k < FDocumentBytes.size(); ++k) {
        TPageSetup& p = Document->Sections[k]->PageSetup;
        std::swap(p[psMirrorMargins], FDocumentBytes[k].first);
        std::swap(p[psHeaderFlags], FDocumentBytes[k].second);
    }
}

void TChangePageParamsOperation::Finish(TChangedRange& range)
{
    RelayoutSections(*Document, range);
}

void TChangePageParamsOperation::Redo(TChangedRange& range)
{
    range = EmptyChangedRange();
    TModeFlagScope flags(*Document);
    flags.Off(mfViewLive);
    flags.On(mfHoldScrolling);
    flags.On(mfHoldCaret);
    flags.On(mfUndoingLayout);
    ExchangeRecords();
    ExchangeDocumentBytes();
    Finish(range);
}

void TChangePageParamsOperation::Undo(TChangedRange& range)
{
    range = EmptyChangedRange();
    TModeFlagScope flags(*Document);
    flags.Off(mfViewLive);
    flags.On(mfHoldScrolling);
    flags.On(mfHoldCaret);
    flags.On(mfUndoingLayout);
    ExchangeDocumentBytes();
    ExchangeRecords();
    Finish(range);
}

TFormatPageNumberOperation::TFormatPageNumberOperation(TDocument* document, int32_t firstParagraph,
                                                       int32_t lastParagraph,
                                                       std::vector<std::pair<int32_t, int32_t>> values)
    : TSubOperation(document), Saved(std::move(values)), FirstParagraph(firstParagraph),
      LastParagraph(lastParagraph)
{}

int64_t TFormatPageNumberOperation::GetMemorySize() const
{
    return static_cast<int64_t>(sizeof(*this) + Saved.capacity() * 8);
}

void TFormatPageNumberOperation::Undo(TChangedRange& range)
{
    range = EmptyChangedRange();
    const std::vector<TSection*> sections = SectionsOfParagraphs(*Document, FirstParagraph, LastParagraph);
    for (size_t k = 0; k < sections.size() && k < Saved.size(); ++k) {
        std::swap(sections[k]->PageNumberStyle, Saved[k].first);
        std::swap(sections[k]->PageNumberRestart, Saved[k].second);
    }
    // Page numbers shown in fields and headers follow at the next pagination.
    Document->SetModeFlag(mfPaginationComplete, false);
    if (!sections.empty())
        range[crFirstParagraph] = sections.front()->FirstParagraph;
    range[crWholeDocument] = 1;
}

TFormatSectionOperation::TFormatSectionOperation(TDocument* document, int32_t firstParagraph,
                                                 int32_t lastParagraph, std::vector<TSectionParams> records)
    : TSubOperation(document), Saved(std::move(records)), FirstParagraph(firstParagraph),
      LastParagraph(lastParagraph)
{}

int64_t TFormatSectionOperation::GetMemorySize() const
{
    return static_cast<int64_t>(sizeof(*this) + Saved.capacity() * sizeof(TSectionParams));
}

void TFormatSectionOperation::Undo(TChangedRange& range)
{
    range = EmptyChangedRange();
    const std::vector<TSection*> sections = SectionsOfParagraphs(*Document, FirstParagraph, LastParagraph);
    for (size_t k = 0; k < sections.size() && k < Saved.size(); ++k)
        std::swap(sections[k]->Params, Saved[k]);
    RelayoutSections(*Document, range);
    if (!sections.empty())
        range[crFirstParagraph] = sections.front()->FirstParagraph;
}

TChangeSectionBreakOperation::TChangeSectionBreakOperation(TDocument* document, int32_t paragraph,
                                                           int32_t kind)
    : TSubOperation(document), Paragraph(paragraph), SavedKind(kind)
{}

void TChangeSectionBreakOperation::Undo(TChangedRange& range)
{
    range = EmptyChangedRange();
    Document->UpdateSectionRanges();
    TSection* section = Document->SectionOfParagraph(Paragraph);
    if (!section || section->LastParagraph != Paragraph)
        return;
    std::swap(section->Params[spBreakKind], SavedKind);
    RelayoutSections(*Document, range);
    range[crFirstParagraph] = Paragraph;
}
