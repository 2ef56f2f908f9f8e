// Documents built in memory with lines of given heights.
#include "paged_document.h"

#include "document/Page.h"
#include "tagged_text.h"

namespace qptest {

namespace {

// Breaks a paragraph by hand: line i holds character i, the last line the rest of the plain text.
void MakeLines(TParagraph& p, const std::vector<int32_t>& counts, int32_t height)
{
    p.Lines.clear();
    int32_t first = 0;
    for (size_t i = 0; i < counts.size(); ++i) {
        auto line = std::make_unique<TParLine>(&p);
        line->LineIndex = int32_t(i);
        line->FirstChar = first;
        line->CharCount = counts[i];
        line->Height = height;
        line->Ascent = height - 2;
        line->TextAscent = height - 2;
        line->Descent = 2;
        // Characters 10 pixels wide (80 layout units) from the left edge.
        line->ReserveCharX(counts[i]);
        line->XBuffer[0] = 0;
        for (int32_t c = 0; c < counts[i]; ++c) {
            line->CharCount = c;
            line->AppendCharX(80 * (c + 1), false);
        }
        line->CharCount = counts[i];
        line->StreamOffset = p.CharToStreamOffset(first);
        line->StreamLength =
            (i + 1 == counts.size() ? p.Text.Size() : p.CharToStreamOffset(first + counts[i])) -
            line->StreamOffset;
        first += counts[i];
        p.Lines.push_back(std::move(line));
    }
    p.SetLaidOut(true);
}

} // namespace

TPagedDocument::TPagedDocument()
{
    Doc.Paragraphs.clear();
    Doc.StoryLengths[stMain] = 0;
    Doc.ViewState.ScreenDpi = 96;
    Doc.SetZoom(100);
}

TParagraph& TPagedDocument::Par(int lines, const std::string& options, int32_t height)
{
    Doc.Paragraphs.push_back(std::make_unique<TParagraph>(&Doc));
    ++Doc.StoryLengths[stMain];
    TParagraph& p = *Doc.Paragraphs.back();
    SetTaggedText(p, std::string(size_t(lines), 'a') + "{22:2}");
    std::vector<int32_t> counts(size_t(lines), 1);
    counts.back() = 2;
    MakeLines(p, counts, height);
    for (char c : options) {
        const int field = c == 'k'   ? pfKeepWithNext
                          : c == 't' ? pfKeepTogether
                          : c == 'w' ? pfWidowControl
                                     : pfPageBreakBefore;
        p.ParaFormat[field] = 1;
    }
    return p;
}

TParagraph& TPagedDocument::BreakPar(int code)
{
    Doc.Paragraphs.push_back(std::make_unique<TParagraph>(&Doc));
    ++Doc.StoryLengths[stMain];
    TParagraph& p = *Doc.Paragraphs.back();
    SetTaggedText(p, "a{22:" + std::to_string(code) + "}{22:2}");
    MakeLines(p, {2, 1}, 10);
    return p;
}

TSection& TPagedDocument::EndSection(int breakKind, int columns)
{
    auto section = std::make_unique<TSection>(&Doc);
    section->SetDefaults();
    section->Params[spBreakKind] = breakKind;
    section->Params[spColumnCount] = columns;
    TSection& s = *section;
    Doc.Sections.insert(Doc.Sections.end() - 1, std::move(section));
    // The last paragraph ends with the section's mark in place of the paragraph mark.
    TParagraph& p = *Doc.Paragraphs.back();
    std::string text(size_t(p.LineCount()), 'a');
    SetTaggedText(p, text + "{23:" + std::to_string(s.Handle) + "}");
    Doc.SetModeFlag(mfSectionRangesStale, true);
    return s;
}

TParagraph& TPagedDocument::NotePar()
{
    Doc.Paragraphs.push_back(std::make_unique<TParagraph>(&Doc));
    ++Doc.StoryLengths[stFootnotes];
    TParagraph& p = *Doc.Paragraphs.back();
    SetTaggedText(p, "n{22:2}");
    return p;
}

TField& TPagedDocument::HeaderFooter(TSection& section, int slot, int lines, int32_t height)
{
    FFields.push_back(std::make_unique<TField>());
    TField& field = *FFields.back();
    field.Kind = fkHeaderFooter;
    Doc.Paragraphs.push_back(std::make_unique<TParagraph>(&Doc));
    ++Doc.StoryLengths[stHeadersFooters];
    TParagraph& p = *Doc.Paragraphs.back();
    SetTaggedText(p, std::string(size_t(lines), 'h') + "{22:2}");
    std::vector<int32_t> counts(size_t(lines), 1);
    counts.back() = 2;
    MakeLines(p, counts, height);
    field.StartPos.ParIndex = field.EndPos.ParIndex = Doc.ParagraphCount() - 1;
    section.HeaderFooter[slot] = &field;
    return field;
}

void TPagedDocument::Prepare()
{
    for (auto& section : Doc.Sections) {
        TPageSetup& p = section->PageSetup;
        p[psWidth] = 8640;
        p[psHeight] = 2940;
        p[psLeftMargin] = p[psRightMargin] = p[psTopMargin] = p[psBottomMargin] = 720;
        p[psHeaderDistance] = p[psFooterDistance] = 720;
        p[psHeaderFlags] = HeaderFlags;
    }
    Doc.SetModeFlag(mfSectionRangesStale, true);
    Doc.SetModeFlag(mfColumnWidthsStale, true);
    Doc.InvalidatePagination();
    // The lines were made for the width of their column, those of headers and footers for the page's.
    for (int32_t i = 0; i <= Doc.StoryEnd(stMain); ++i) {
        const int column = Doc.SectionOfParagraph(i)->Params[spColumnCount] > 1 ? 0 : -1;
        const int32_t limit = Doc.TwipsToScreen(Doc.ColumnTextWidth(i, column) * 8);
        for (auto& line : Doc.Paragraphs[i]->Lines)
            line->RightLimit = limit;
    }
    const int32_t pageLimit = Doc.TwipsToScreen(Doc.Sections.front()->PageSetup[psTextWidth] * 8);
    for (int32_t i = Doc.StoryStart(stHeadersFooters); i <= Doc.StoryEnd(stHeadersFooters); ++i)
        for (auto& line : Doc.Paragraphs[i]->Lines)
            line->RightLimit = pageLimit;
}

void TPagedDocument::ShowInWindow(int32_t width, int32_t height)
{
    Doc.SetModeFlag(mfHidden, false);
    Doc.SetModeFlag(mfViewNotReady, false);
    Doc.SetModeFlag(mfHasWindow, true);
    Doc.ViewState.ClientWidth = width;
    Doc.ViewState.ClientHeight = height;
    Doc.UpdatePageLayout();
}

std::string TPagedDocument::Describe() const
{
    std::string out;
    for (const auto& page : Doc.Pages) {
        if (!out.empty())
            out += " | ";
        if (page->Lines.empty()) {
            out += "-";
            continue;
        }
        std::string text;
        int32_t column = -1;
        for (size_t i = 0; i < page->Lines.size(); ++i) {
            const TParLine& line = *page->Lines[i];
            const bool newColumn = line.ColumnIndex >= 0 && (i == 0 || line.ColumnIndex != column);
            const bool sameRun = i > 0 && !newColumn && page->Lines[i - 1]->Paragraph == line.Paragraph;
            if (sameRun)
                continue;
            // A run ends at the last line of the same paragraph and column.
            size_t j = i;
            while (j + 1 < page->Lines.size() && page->Lines[j + 1]->Paragraph == line.Paragraph &&
                   page->Lines[j + 1]->ColumnIndex == line.ColumnIndex)
                ++j;
            if (!text.empty())
                text += " ";
            if (newColumn)
                text += "c" + std::to_string(line.ColumnIndex) + " ";
            column = line.ColumnIndex;
            text += std::to_string(line.Paragraph->LayoutIndex) + ":" + std::to_string(line.LineIndex);
            if (j > i)
                text += "-" + std::to_string(page->Lines[j]->LineIndex);
        }
        out += text;
    }
    return out;
}

} // namespace qptest
