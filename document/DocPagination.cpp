// Pagination: the lines of the main text placed on pages, column by column and section by section.
#include "document/Document.h"

#include <algorithm>
#include <cstdio>

#include "core/Units.h"
#include "document/DocumentHost.h"
#include "document/InlineTags.h"
#include "document/TimeSlice.h"
#include "document/Page.h"
#include "document/Section.h"
#include "document/Field.h"

namespace {

// Character codes that end a line by force.
constexpr uint8_t chSection = 3;
constexpr uint8_t chColumnBreak = 4;
constexpr uint8_t chPageBreak = 6;

bool IsForcedBreak(uint8_t c)
{
    return c >= chSection && c <= chPageBreak;
}

// Character N of a line, from its paragraph's plain text.
uint8_t CharOf(const TParLine& line, int32_t n)
{
    return line.CharAt(n);
}

// The character that ends a line (0 for an empty one).
uint8_t LastCharOf(const TParLine& line)
{
    return line.CharCount > 0 ? CharOf(line, line.CharCount - 1) : 0;
}

// The line holds one forced break alone.
bool IsLoneForcedBreak(const TParLine& line)
{
    return line.CharCount == 1 && IsForcedBreak(CharOf(line, 0));
}

bool IsLastLine(const TParLine& line)
{
    return line.LineIndex == line.Paragraph->LineCount() - 1;
}

// The paragraph ends with a section mark.
bool EndsSection(const TParagraph& p)
{
    const int32_t n = p.PlainText.Size();
    return n >= 1 && p.PlainText.Data()[n - 1] == chSection;
}

// Result of filling a column.
enum TColumnResult : int {
    crColumnFull = 0,
    crColumnBreak = 1,
    crPageBreak = 2, // or the column was closed
    crContinuousSection = 3,
    crNewPageSection = 4,
    crNothingPlaced = 5,
    crEndOfText = 6
};

// Pagination's working state for one call: drawing and the caret re-enter pagination, so the state
// lives here and not in globals.
class TPaginator {
public:
    TPaginator(TDocument& document, int32_t firstPage);
    TPaginator(const TPaginator&) = delete;
    TPaginator& operator=(const TPaginator&) = delete;
    // Lays out pages until more than LastWanted exist and the last one holds lines, or the text ends.
    void Run(int32_t lastWanted);

private:
    void ResumeChain(TPage& before);
    // Note numbering: the last automatic reference of each kind on the pages before the call, the
    // counters a page starts with, and the references a finished page shows.
    void FindLastReferences(int32_t before);
    void NoteLastReferences(const TPage& page);
    void StartCounters();
    const TNoteSettings& NoteSettings(int kind) const;
    void StartPage();
    // The height a header or footer field takes on a page: its lines summed in order, a line that
    // would bring the sum beyond 80 % of the page height getting height 0.
    int32_t HeaderFooterHeight(const TField* field, const TPageSetup& ps, TSection* section);
    TField* HeaderFooterField(TSection* section, int slot);
    int FillColumns();
    int LayoutBlock(int32_t columnCount, int32_t limit, bool& endedByColumnBreak, int32_t& tallest);
    int FillColumn(std::unique_ptr<TPage>& columnPage);
    int PlaceParagraph(TPage& column);
    int32_t SuppressedSpace(const TPage& column, int32_t line) const;
    void FinishBlock(int result, int32_t tallest);
    std::unique_ptr<TPage> NewColumnPage() const;
    int32_t TakeOffChain(TPage& column);

    // The place to go on from, saved before a section's columns are laid out and restored for each
    // balancing trial.
    struct TPlace {
        int32_t Par;
        int32_t Line;
    };

    TDocument& FDocument;
    int32_t FPar = 0;                             // next paragraph to place
    int32_t FLine = 0;                            // its first line to place
    int32_t FMainEnd = 0;                         // last paragraph of the main text
    TPage* FPage = nullptr;                       // the page being filled
    std::vector<std::unique_ptr<TPage>> FColumns; // column pages of the current section block
    int32_t FTextTop = 0;                         // top of the text area: top margin + header overflow
    int32_t FTextHeight = 0;                      // height of the text area less header and footer overflow
    int32_t FBlockTop = 0;                        // top of the current section block within the text area
    int32_t FLimit = 0;                           // height limit of the column being filled
    int32_t FColumnIndex = -1;                    // -1 in a section of one column
    bool FPageHoldsText = false;                  // earlier columns or blocks of this page hold lines
    // The keep-with-next chain: its first paragraph and line, the column page it began on and the
    // pieces that column held before it.
    int32_t FChainPar = -1;
    int32_t FChainLine = 0;
    TPage* FChainColumn = nullptr;
    int32_t FChainPiecesBefore = 0;
    TPage* FPreviousColumn = nullptr; // the column page laid out before the current one
    int32_t FEndedBreakKind = -1;     // break kind of a section that ended the previous page
    int32_t FPagesAdded = 0;
    // Note numbering is on when references of some kind occur from the first paragraph of the call on.
    bool FNotes = false;
    bool FKindOccurs[2] = {}; // footnotes, endnotes
    int32_t FCounters[2] = {};
    const TField* FLastReference[2] = {}; // the last one on the pages laid out so far
};

// The last (or with First the first) automatic note reference of each kind that starts on a line (only those
// take part in the numbering), read from the line's text so that a footnote and an endnote on one line both
// count.
void LineReferences(const TParLine& line, const TField* last[2], bool first = false)
{
    last[0] = last[1] = nullptr;
    // Line breaking records the last automatic reference it measured: a line without one has none.
    if (!line.FieldRefs[1])
        return;
    const TParagraph& p = *line.Paragraph;
    const int32_t end = std::min(line.StreamOffset + line.StreamLength, p.Text.Size());
    ForEachTag(p.Text.Data(), std::max(line.StreamOffset, 0), end, [&](int32_t, int code, int32_t value) {
        if (code == tcFieldStart)
            if (const TField* f = FieldOfTag(value); f && f->Kind == fkNoteReference && f->AutoNumbered)
                if (!first || !last[f->NoteKind()])
                    last[f->NoteKind()] = f;
        return true;
    });
}

TPaginator::TPaginator(TDocument& document, int32_t firstPage) : FDocument(document)
{
    FMainEnd = document.StoryEnd(stMain);
    // Go on after the last line of the main text on the pages before (a blank page holds none).
    for (int32_t n = firstPage - 1; n >= 0; --n) {
        TPage& before = *document.Pages[n];
        const TParLine* last = nullptr;
        for (auto it = before.Lines.rbegin(); it != before.Lines.rend() && !last; ++it)
            if (document.StoryOfParagraph((*it)->Paragraph->LayoutIndex) != stHeadersFooters)
                last = *it;
        if (!last)
            continue;
        FPar = last->Paragraph->LayoutIndex;
        FLine = last->LineIndex + 1;
        if (IsLastLine(*last)) {
            ++FPar;
            FLine = 0;
            if (LastCharOf(*last) == chSection && EndsSection(*last->Paragraph) &&
                document.SectionOfParagraph(FPar - 1)->BreakKind() != 0)
                FEndedBreakKind = document.SectionOfParagraph(FPar - 1)->BreakKind();
        }
        FPreviousColumn = document.Pages[firstPage - 1].get();
        if (n == firstPage - 1)
            ResumeChain(before);
        break;
    }
    for (int kind = 0; kind < 2; ++kind)
        FKindOccurs[kind] = document.HasNoteReferencesFrom(FPar, kind);
    FNotes = FKindOccurs[0] || FKindOccurs[1];
    if (FNotes)
        FindLastReferences(firstPage);
}

const TNoteSettings& TPaginator::NoteSettings(int kind) const
{
    return kind ? FDocument.EndnoteSettings : FDocument.FootnoteSettings;
}

// Searches the pages before page Before from the last back, each from its last line, until every kind
// that occurs in the rest of the text has been found.
void TPaginator::FindLastReferences(int32_t before)
{
    for (int32_t n = before - 1; n >= 0; --n) {
        const TPage& page = *FDocument.Pages[n];
        for (auto it = page.Lines.rbegin(); it != page.Lines.rend(); ++it) {
            const TField* refs[2];
            LineReferences(**it, refs);
            for (int kind = 0; kind < 2; ++kind)
                if (refs[kind] && !FLastReference[kind])
                    FLastReference[kind] = refs[kind];
            if ((!FKindOccurs[0] || FLastReference[0]) && (!FKindOccurs[1] || FLastReference[1]))
                return;
        }
    }
}

void TPaginator::NoteLastReferences(const TPage& page)
{
    bool found[2] = {};
    for (auto it = page.Lines.rbegin(); it != page.Lines.rend() && !(found[0] && found[1]); ++it) {
        const TField* refs[2];
        LineReferences(**it, refs);
        for (int kind = 0; kind < 2; ++kind)
            if (refs[kind] && !found[kind]) {
                found[kind] = true;
                FLastReference[kind] = refs[kind];
            }
    }
}

// A page's counters go on after the last reference before it; they restart with each page (mode 2),
// or with a section other than that reference's (mode 1).
void TPaginator::StartCounters()
{
    const int32_t par = std::min(FPar, FMainEnd);
    for (int kind = 0; kind < 2; ++kind) {
        FCounters[kind] = 0;
        const TField* last = FLastReference[kind];
        if (!last)
            continue;
        switch (NoteSettings(kind).RestartMode) {
        case 0: FCounters[kind] = last->Number + 1; break;
        case 1:
            if (FDocument.SectionOfParagraph(last->StartPos.ParIndex) == FDocument.SectionOfParagraph(par))
                FCounters[kind] = last->Number + 1;
            break;
        default: break;
        }
    }
}

// A keep-with-next chain still open at the end of the page before goes on, as if that page had been
// laid out in this call: the run of pieces at the end of its last column whose paragraphs keep with
// the next, back to a section's start.
void TPaginator::ResumeChain(TPage& before)
{
    if (before.ColumnFull || before.Lines.empty() || IsForcedBreak(LastCharOf(*before.Lines.back())))
        return;
    const int32_t column = before.Lines.back()->ColumnIndex;
    auto columnOf = [](const TParagraphOnPageInfo& piece) {
        return piece.Paragraph->Lines[piece.FirstLine]->ColumnIndex;
    };
    int32_t first = -1;
    for (int32_t k = int32_t(before.Placements.size()) - 1; k >= 0; --k) {
        const TParagraphOnPageInfo& piece = *before.Placements[k];
        const int32_t par = piece.Paragraph->LayoutIndex;
        if (piece.Paragraph->ParaFormat[pfKeepWithNext] == 0 || columnOf(piece) != column)
            break;
        first = k;
        if (par > 0 && EndsSection(*FDocument.Paragraphs[par - 1]))
            break;
    }
    if (first < 0)
        return;
    FChainPar = before.Placements[first]->Paragraph->LayoutIndex;
    FChainLine = before.Placements[first]->FirstLine;
    FChainColumn = &before;
    FChainPiecesBefore = 0;
    for (int32_t k = 0; k < first; ++k)
        if (columnOf(*before.Placements[k]) == column)
            ++FChainPiecesBefore;
}

void TPaginator::Run(int32_t lastWanted)
{
    TDocument& d = FDocument;
    int emptyPages = 0;
    for (;;) {
        const TPlace before{FPar, FLine};
        StartPage();
        int result;
        do
            result = FillColumns();
        while (result == crContinuousSection);
        // A blank page is left for an even or odd section start; a second one in a row without progress
        // could only repeat for ever.
        emptyPages = FPage->Lines.empty() && FPar == before.Par && FLine == before.Line ? emptyPages + 1 : 0;
        if (FNotes)
            NoteLastReferences(*FPage);
        if (emptyPages >= 2)
            break;
        // The page gets its place in the view; its lines know their page and their place in its list.
        FPage->ViewRect = d.CenterPageInCell(FPage->PageIndex, d.PageRectInGrid(FPage->PageIndex));
        for (int32_t i = 0; i < int32_t(FPage->Lines.size()); ++i) {
            FPage->Lines[i]->Page = FPage;
            FPage->Lines[i]->PageLineIndex = i;
        }
        // A long run shows how far it got.
        ++FPagesAdded;
        if (FPagesAdded > 10 && !d.GetModeFlag(mfNoPaginationProgress)) {
            char text[64];
            std::snprintf(text, sizeof text, "Création des pages : %d", int(d.Pages.size()));
            DocumentHost().ShowProgressText(text);
        }
        if (result == crEndOfText)
            break;
        if (int32_t(d.Pages.size()) > lastWanted && !FPage->Lines.empty())
            break;
    }
}

std::unique_ptr<TPage> TPaginator::NewColumnPage() const
{
    return std::make_unique<TPage>(&FDocument, FPage->PageIndex);
}

TField* TPaginator::HeaderFooterField(TSection* section, int slot)
{
    // Walk back to earlier sections while a section has none of that kind.
    for (int32_t n = section->Number; n >= 0; --n)
        if (TField* f = FDocument.Sections[n]->HeaderFooter[slot])
            return f;
    return nullptr;
}

int32_t TPaginator::HeaderFooterHeight(const TField* field, const TPageSetup& ps, TSection* section)
{
    if (field == nullptr)
        return 0;
    TDocument& d = FDocument;
    // Its fields show this page's number and section. The field being edited keeps its lines, which
    // stand on the page it is edited on.
    const bool edited = field == d.EditedHeaderFooter;
    if (!edited)
        d.UpdateHeaderFooterFields(*field, FPage->PageIndex, section);
    const int32_t cap = MulDivRound(d.TwipsToScreen(ps[psHeight]), 80, 100);
    const int32_t rightLimit = d.TwipsToScreen(ps[psTextWidth] * 8);
    int32_t sum = 0;
    const TTextRange range = d.GetFieldRange(*field);
    const int32_t last = std::min(range.EndPos.ParIndex, d.ParagraphCount() - 1);
    for (int32_t i = std::max(range.StartPos.ParIndex, 0); i <= last; ++i) {
        TParagraph& p = *d.Paragraphs[i];
        // Lines made for another width are made again for this page's.
        const int32_t right = p.ParaFormat[pfRightIndent] == UndefinedField ? 0 : p.ParaFormat[pfRightIndent];
        if (!edited && p.GetLaidOut() && !p.Lines.empty() &&
            p.Lines.front()->RightLimit != rightLimit - d.TwipsToScreen(right * 8))
            p.UpdateLayout(false, 0);
        p.LayoutIndex = i;
        d.LayoutParagraph(i, ps[psTextWidth]);
        for (const auto& line : p.Lines) {
            if (sum + line->Height > cap)
                line->Height = 0;
            sum += line->Height;
        }
    }
    return sum;
}

void TPaginator::StartPage()
{
    TDocument& d = FDocument;
    d.Pages.push_back(std::make_unique<TPage>(&d, int32_t(d.Pages.size())));
    FPage = d.Pages.back().get();
    if (FNotes)
        StartCounters();
    const int32_t par = std::min(FPar, FMainEnd);
    TSection* section = d.SectionOfParagraph(par);
    const TPageSetup& ps = d.PageSetupOwnerSection(par)->PageSetup;
    int header = hfOddHeader, footer = hfOddFooter;
    const bool firstOfSection = FLine == 0 && FPar == section->FirstParagraph;
    if ((ps[psHeaderFlags] & 0xFF00) != 0 && firstOfSection) {
        header = hfFirstHeader;
        footer = hfFirstFooter;
    } else if ((ps[psHeaderFlags] & 0xFF) != 0 && d.Pages.size() % 2 == 0) {
        header = hfEvenHeader;
        footer = hfEvenFooter;
    }
    // The page's number: a section that starts here may start the numbering again (not on a blank page
    // left before it).
    const bool blank = (FEndedBreakKind == 2 && FPage->PageIndex % 2 == 0) ||
                       (FEndedBreakKind == 3 && FPage->PageIndex % 2 == 1);
    const TPage* previous = FPage->PageIndex > 0 ? d.Pages[size_t(FPage->PageIndex - 1)].get() : nullptr;
    if (firstOfSection && !blank && section->PageNumberRestart >= 0)
        FPage->Number = section->PageNumberRestart;
    else
        FPage->Number = previous ? previous->Number + 1 : 1;
    FPage->HeaderSlot = header;
    FPage->FooterSlot = footer;
    FPage->HeaderField = HeaderFooterField(section, header);
    FPage->FooterField = HeaderFooterField(section, footer);
    const int32_t top = d.TwipsToScreen(ps[psTopMargin]);
    const int32_t bottom = d.TwipsToScreen(ps[psBottomMargin]);
    FPage->HeaderHeight = std::max(0, d.TwipsToScreen(ps[psHeaderDistance]) +
                                          HeaderFooterHeight(FPage->HeaderField, ps, section) - top);
    FPage->FooterHeight = std::max(0, d.TwipsToScreen(ps[psFooterDistance]) +
                                          HeaderFooterHeight(FPage->FooterField, ps, section) - bottom);
    FTextTop = top + FPage->HeaderHeight;
    FTextHeight = d.TwipsToScreen(ps[psHeight] - ps[psTopMargin] - ps[psBottomMargin]) - FPage->HeaderHeight -
                  FPage->FooterHeight;
    FBlockTop = 0;
}

// ---------------------------------------------------------------------------------------------------
// Section blocks and their columns

int TPaginator::LayoutBlock(int32_t columnCount, int32_t limit, bool& endedByColumnBreak, int32_t& tallest)
{
    FColumns.clear();
    endedByColumnBreak = false;
    tallest = 0;
    int result = crColumnFull;
    for (int32_t c = 0; c < columnCount && (result == crColumnFull || result == crColumnBreak); ++c) {
        std::unique_ptr<TPage> column = NewColumnPage();
        FLimit = limit;
        FColumnIndex = columnCount > 1 ? c : -1;
        FPageHoldsText = !FPage->Lines.empty() || c > 0;
        result = FillColumn(column);
        endedByColumnBreak = endedByColumnBreak || result == crColumnBreak;
        tallest = std::max(tallest, column->TextHeight);
        FPreviousColumn = column.get();
        FColumns.push_back(std::move(column));
    }
    return result;
}

int TPaginator::FillColumns()
{
    TDocument& d = FDocument;
    if (FPar > FMainEnd)
        return crEndOfText;
    TSection* section = d.SectionOfParagraph(FPar);
    const int32_t columnCount = std::clamp<int32_t>(section->Params[spColumnCount], 1, MaxColumns);
    const int32_t limit = FTextHeight - FBlockTop;
    const TPlace start{FPar, FLine};
    const int32_t counters[2] = {FCounters[0], FCounters[1]};
    auto restart = [&] {
        FPar = start.Par;
        FLine = start.Line;
        FCounters[0] = counters[0];
        FCounters[1] = counters[1];
    };
    TPage* const previousColumn = FPreviousColumn;
    bool byColumnBreak = false;
    int32_t tallest = 0;
    int result = LayoutBlock(columnCount, limit, byColumnBreak, tallest);
    if (columnCount > 1 && result == crContinuousSection && !byColumnBreak && FColumns[0]->Lines.size() > 1) {
        // Balancing: the limit goes down 5 pixels at a time while the section still ends on the page;
        // the limit that gave the lowest bottom wins (the first one on ties).
        int32_t bestLimit = limit;
        int32_t bestBottom = tallest;
        for (int32_t trial = FColumns[0]->TextHeight; trial > 0; trial -= 5) {
            restart();
            FPreviousColumn = previousColumn;
            bool byBreak = false;
            int32_t bottom = 0;
            if (LayoutBlock(columnCount, trial, byBreak, bottom) != crContinuousSection)
                break;
            if (bottom < bestBottom) {
                bestBottom = bottom;
                bestLimit = trial;
            }
        }
        restart();
        FPreviousColumn = previousColumn;
        result = LayoutBlock(columnCount, bestLimit, byColumnBreak, tallest);
    }
    FinishBlock(result, tallest);
    // A section that ends on the page restarts the kinds numbered per section.
    if (result == crContinuousSection)
        for (int kind = 0; kind < 2; ++kind)
            if (NoteSettings(kind).RestartMode == 1)
                FCounters[kind] = 0;
    return result;
}

// The block's column pages join the page: a paragraph that goes on from one column into the next
// becomes one piece. The page then stands for the last column as the previous one.
void TPaginator::FinishBlock(int result, int32_t tallest)
{
    TPage& page = *FPage;
    for (std::unique_ptr<TPage>& column : FColumns) {
        while (!column->Placements.empty()) {
            const TParagraphOnPageInfo piece = *column->Placements.front();
            column->RemoveParagraphAt(0);
            int32_t first = piece.FirstLine;
            if (!page.Placements.empty() && page.Placements.back()->Paragraph == piece.Paragraph) {
                first = page.Placements.back()->FirstLine;
                page.RemoveParagraphAt(int32_t(page.Placements.size()) - 1);
            }
            page.AddParagraphLines(piece.Paragraph, first, piece.LastLine);
        }
        if (FChainColumn == column.get())
            FChainColumn = &page;
        page.ColumnFull = column->ColumnFull;
    }
    FColumns.clear();
    FPreviousColumn = &page;
    FBlockTop += tallest;
    page.TextHeight = FBlockTop;
    if (result == crNewPageSection)
        FEndedBreakKind = FDocument.SectionOfParagraph(FPar - 1)->BreakKind();
    else if (!page.Lines.empty())
        FEndedBreakKind = -1;
}

// ---------------------------------------------------------------------------------------------------
// One column

// Takes off Column its pieces from the last back to the chain's first paragraph; the first line of
// that paragraph's piece.
int32_t TPaginator::TakeOffChain(TPage& column)
{
    const TParagraph* chainFirst = FDocument.Paragraphs[FChainPar].get();
    int32_t firstLine = FChainLine;
    // The note references that move with the chain number again from the first of them.
    const TField* firstMoved[2] = {};
    while (!column.Placements.empty()) {
        const TParagraphOnPageInfo& piece = *column.Placements.back();
        const bool isFirst = piece.Paragraph == chainFirst;
        firstLine = piece.FirstLine;
        if (FNotes)
            for (int32_t i = std::min(piece.LastLine, piece.Paragraph->LineCount() - 1); i >= piece.FirstLine;
                 --i) {
                const TField* refs[2];
                LineReferences(*piece.Paragraph->Lines[i], refs, true);
                for (int kind = 0; kind < 2; ++kind)
                    if (refs[kind])
                        firstMoved[kind] = refs[kind];
            }
        column.RemoveParagraphAt(int32_t(column.Placements.size()) - 1);
        if (isFirst)
            break;
    }
    for (int kind = 0; kind < 2; ++kind)
        if (firstMoved[kind])
            FCounters[kind] = std::min(FCounters[kind], firstMoved[kind]->Number);
    return firstLine;
}

int TPaginator::FillColumn(std::unique_ptr<TPage>& columnPage)
{
    TDocument& d = FDocument;
    bool movedChain = false;
    while (FPar <= FMainEnd) {
        TPage& column = *columnPage;
        TParagraph& p = *d.Paragraphs[FPar];
        p.LayoutIndex = FPar;
        if (!p.GetLaidOut())
            d.LayoutParagraph(FPar, d.ColumnTextWidth(FPar, FColumnIndex));
        const int32_t piecesBefore = int32_t(column.Placements.size());
        const int r = PlaceParagraph(column);
        const bool keepsWithNext = p.ParaFormat[pfKeepWithNext] != 0;
        const bool breakBefore = p.ParaFormat[pfPageBreakBefore] != 0;
        const bool afterSectionEnd = FPar > 0 && EndsSection(*d.Paragraphs[FPar - 1]);
        if (r != 0) {
            if (FChainPar >= 0 && FChainPar < FPar) {
                const bool inPrevious = FChainColumn == FPreviousColumn;
                const bool drop =
                    inPrevious ? (FPreviousColumn->ColumnFull != 0 || breakBefore) : !keepsWithNext;
                if (drop || afterSectionEnd) {
                    FChainPar = -1;
                } else if (inPrevious && FChainPiecesBefore > 0) {
                    // The chain moves whole into this column.
                    FLine = TakeOffChain(*FPreviousColumn);
                    FPar = FChainPar;
                    FChainPar = -1;
                    columnPage = NewColumnPage();
                    movedChain = true;
                    continue;
                }
            }
            if (FChainPar < 0 && keepsWithNext) {
                FChainPar = FPar;
                FChainLine = FLine;
                FChainColumn = &column;
                FChainPiecesBefore = piecesBefore;
            }
            if (r == 1) {
                FLine = column.Placements.back()->LastLine + 1;
                break;
            }
            ++FPar;
            FLine = 0;
            if (EndsSection(p) || column.ColumnFull)
                break;
            continue;
        }
        // Nothing of the paragraph was placed here.
        if (FChainPar >= 0 && FChainColumn == &column && breakBefore)
            FChainPar = -1;
        if (FChainPar >= 0 && FChainPar < FPar && afterSectionEnd)
            FChainPar = -1;
        if (FChainPar >= 0 && FChainColumn == &column &&
            (FChainPiecesBefore > 0 || FPageHoldsText || FBlockTop > 0)) {
            FLine = TakeOffChain(column);
            FPar = FChainPar;
            FChainPar = -1;
            movedChain = true;
        }
        break;
    }
    const TPage& column = *columnPage;
    int result;
    if (column.Placements.empty()) {
        result = FPar > FMainEnd ? crEndOfText : (movedChain ? crColumnFull : crNothingPlaced);
    } else {
        const TParLine& last = *column.Lines.back();
        const uint8_t c = LastCharOf(last);
        if (c == chSection && IsLastLine(last))
            result = d.SectionOfParagraph(last.Paragraph->LayoutIndex)->BreakKind() == 0 ? crContinuousSection
                                                                                         : crNewPageSection;
        else if (c == chColumnBreak)
            result = crColumnBreak;
        else if (c == chPageBreak || column.ColumnFull)
            result = crPageBreak;
        else if (FPar > FMainEnd)
            result = crEndOfText;
        else
            result = crColumnFull;
    }
    if (result >= crColumnBreak && result <= crNewPageSection)
        FChainPar = -1;
    return result;
}

// ---------------------------------------------------------------------------------------------------
// One paragraph

// The part of line Line's height of the current paragraph that is not counted where it is placed: the
// space before of a paragraph's first line placed first at the top of the page's text area, or the
// smaller of two touching spaces between paragraphs of one section in one column.
int32_t TPaginator::SuppressedSpace(const TPage& column, int32_t line) const
{
    TDocument& d = FDocument;
    if (line != FLine)
        return 0;
    const TParagraph& p = *d.Paragraphs[FPar];
    const int32_t before = d.LineSpaceBefore(*p.Lines[line]);
    if (before <= 0)
        return 0;
    if (column.Placements.empty()) {
        if (FBlockTop != 0 || FPar == 0 || p.ParaFormat[pfPageBreakBefore] != 0)
            return 0;
        const TParagraph& previous = *d.Paragraphs[FPar - 1];
        if (!previous.Lines.empty() && IsForcedBreak(LastCharOf(*previous.Lines.back())))
            return 0;
        return before;
    }
    const TParagraphOnPageInfo& last = *column.Placements.back();
    if (line != 0 || last.Paragraph != d.Paragraphs[FPar - 1].get() || d.SpacingMode == 1 ||
        d.SectionOfParagraph(FPar - 1) != d.SectionOfParagraph(FPar))
        return 0;
    return std::min(before, d.TwipsToScreen(last.Paragraph->ParaFormat[pfSpaceAfter]));
}

int TPaginator::PlaceParagraph(TPage& column)
{
    TDocument& d = FDocument;
    if (column.ColumnFull)
        return 0;
    TParagraph& p = *d.Paragraphs[FPar];
    const bool columnEmpty = column.Placements.empty();
    const bool holdsSomething = !columnEmpty || FPageHoldsText || FBlockTop > 0;
    // After a section that starts on an even (odd) page, a page of the other side stays blank.
    if (!holdsSomething && ((FEndedBreakKind == 2 && FPage->PageIndex % 2 == 0) ||
                            (FEndedBreakKind == 3 && FPage->PageIndex % 2 == 1)))
        return 0;
    const int32_t first = FLine;
    if (first >= p.LineCount())
        return 2;
    if (p.ParaFormat[pfPageBreakBefore] != 0 && first == 0 && holdsSomething) {
        column.ColumnFull = 1;
        return 0;
    }
    const int32_t right = p.ParaFormat[pfRightIndent] == UndefinedField ? 0 : p.ParaFormat[pfRightIndent];
    const int32_t rightLimit = d.TwipsToScreen((d.ColumnTextWidth(FPar, FColumnIndex) - right) * 8);
    // Note references get their numbers; a number that changed breaks the paragraph again from there.
    int32_t saved[2] = {};
    bool numbered = false;
    bool rebroken = false;
    if (FNotes)
        for (int32_t i = first; i < p.LineCount() && !numbered; ++i)
            numbered = p.Lines[i]->FieldRefs[0] || p.Lines[i]->FieldRefs[1];
    if (numbered) {
        saved[0] = FCounters[0];
        saved[1] = FCounters[1];
        if (p.RefreshPageFields(first, FCounters)) {
            p.BreakIntoLines(first, rightLimit);
            rebroken = true;
        }
    }
    // Otherwise lines made for another width than the column's are broken again from the first of them.
    for (int32_t i = first; i < p.LineCount() && !rebroken; ++i)
        if (p.Lines[i]->RightLimit != rightLimit) {
            p.BreakIntoLines(i, rightLimit);
            break;
        }
    const int32_t last = p.LineCount() - 1;
    // A paragraph not placed whole leaves the counters after the references it shows here.
    auto recount = [&](int32_t placedLast) {
        if (!numbered)
            return;
        FCounters[0] = saved[0];
        FCounters[1] = saved[1];
        for (int32_t i = 0; placedLast >= first && i <= placedLast; ++i) {
            const TField* refs[2];
            LineReferences(*p.Lines[i], refs);
            for (int kind = 0; kind < 2; ++kind)
                if (refs[kind])
                    FCounters[kind] = refs[kind]->Number + 1;
        }
    };
    // Lines go in while they fit; a lone forced break always goes in.
    int32_t used = column.TextHeight;
    int32_t placedLast = first - 1;
    bool closes = false;
    for (int32_t i = first; i <= last; ++i) {
        const TParLine& line = *p.Lines[i];
        const int32_t counted = line.Height - SuppressedSpace(column, i);
        if (used + counted > FLimit && (holdsSomething || placedLast >= first) && !IsLoneForcedBreak(line))
            break;
        used += counted;
        placedLast = i;
        const uint8_t c = LastCharOf(line);
        if (c == chColumnBreak || c == chPageBreak ||
            (c == chSection && i == last && d.SectionOfParagraph(FPar)->BreakKind() != 0)) {
            closes = true;
            break;
        }
    }
    if (placedLast < last && placedLast >= first) {
        int32_t placed = placedLast - first + 1;
        if (first == 0 && p.ParaFormat[pfKeepTogether] != 0 && holdsSomething) {
            placed = 0; // kept together: it moves on whole
        } else if (p.ParaFormat[pfWidowControl] != 0 && !closes &&
                   !IsForcedBreak(LastCharOf(*p.Lines[placedLast]))) {
            if (first == 0 && placed == 1 && !columnEmpty)
                placed = 0;                    // no first line alone at the foot of a column
            else if (placedLast == last - 1) { // no last line alone at the head of the next
                if (first == 0 && p.LineCount() == 3 && !columnEmpty)
                    placed = 0;
                else if (placed >= 3)
                    --placed;
            }
        }
        placedLast = first + placed - 1;
    }
    if (placedLast < last)
        recount(placedLast);
    if (placedLast < first)
        return 0;
    if (closes)
        column.ColumnFull = 1;
    int32_t y = column.TextHeight;
    for (int32_t i = first; i <= placedLast; ++i) {
        TParLine& line = *p.Lines[i];
        line.SuppressedSpace = SuppressedSpace(column, i);
        line.ColumnIndex = FColumnIndex;
        line.Y = FTextTop + FBlockTop + y - line.SuppressedSpace;
        y += line.Height - line.SuppressedSpace;
    }
    column.AddParagraphLines(&p, first, placedLast);
    column.TextHeight = y;
    return placedLast == last ? 2 : 1;
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// The document's side

void TDocument::Paginate(int32_t firstPage, int32_t lastWanted, int32_t)
{
    TBusyScope busy(*this);
    UpdateSectionRanges();
    firstPage = std::clamp<int32_t>(firstPage, 0, int32_t(Pages.size()));
    // The header or footer being edited leaves its page while pagination works: the page before the
    // first one laid out is read, and may give up a keep-with-next chain.
    const bool editedPageKept =
        EditedHeaderFooter && EditedHeaderFooterPage >= 0 && EditedHeaderFooterPage < firstPage;
    if (editedPageKept)
        Pages[size_t(EditedHeaderFooterPage)]->RemoveHeaderFooterLines();
    Pages.resize(size_t(firstPage));
    TPaginator paginator(*this, firstPage);
    paginator.Run(lastWanted);
    if (Pages.size() > 1 && Pages.back()->Placements.empty())
        Pages.pop_back();
    // Complete when the last page ends with the last line of the main text (or there is none).
    const int32_t mainEnd = StoryEnd(stMain);
    bool complete = mainEnd < 0 || mainEnd >= ParagraphCount();
    if (!complete && !Pages.empty() && !Pages.back()->Placements.empty()) {
        const TParagraphOnPageInfo& piece = *Pages.back()->Placements.back();
        complete = piece.Paragraph == Paragraphs[mainEnd].get() &&
                   piece.LastLine == piece.Paragraph->LineCount() - 1;
    }
    SetModeFlag(mfPaginationComplete, complete);
    if (complete) {
        SetModeFlag(mfPaginatedOnce, true);
        SetModeFlag(mfRebuildingPages, false);
        SetModeFlag(mfStatisticsStale, true);
        FieldPageCount = int32_t(Pages.size());
    }
    // The header or footer being edited goes back on its page.
    if (EditedHeaderFooter && EditedHeaderFooterPage >= 0 && EditedHeaderFooterPage < int32_t(Pages.size()) &&
        (editedPageKept || EditedHeaderFooterPage >= firstPage)) {
        TPage& page = *Pages[size_t(EditedHeaderFooterPage)];
        if (page.HeaderField == EditedHeaderFooter || page.FooterField == EditedHeaderFooter)
            page.LayoutHeaderFooter(EditedHeaderFooter);
    }
    if (GetModeFlag(mfViewLive))
        DocumentHost().InvalidateCommands();
    const int32_t count = int32_t(Pages.size());
    if ((complete && count != LayoutPageCount) || count > LayoutPageCount)
        SetLayoutPageCount(count);
}

void TDocument::PaginateAll()
{
    if (GetModeFlag(mfPaginationComplete))
        return;
    TStatusTextScope status;
    Paginate(int32_t(Pages.size()), INT32_MAX);
}

bool TDocument::WantsBackgroundPagination() const
{
    return !GetModeFlag(mfPaginationComplete) && (!GetModeFlag(mfPaginatedOnce) || Pages.size() < 400);
}

void TDocument::PaginateSlice(TClock& clock)
{
    if (!WantsBackgroundPagination())
        return;
    TStatusTextScope status;
    RunTimeSlice(clock, 50, [this] {
        if (!WantsBackgroundPagination())
            return false;
        const int32_t next = int32_t(Pages.size());
        Paginate(next, next);
        return WantsBackgroundPagination() && int32_t(Pages.size()) > next;
    });
}

int32_t TDocument::LineSpaceBefore(const TParLine& line) const
{
    return line.GetSpaceBefore();
}

void TDocument::LayoutParagraph(int32_t i, int32_t widthTwips)
{
    TParagraph& p = *Paragraphs[i];
    p.LayoutIndex = i;
    if (!p.GetLaidOut())
        p.UpdateLayout(true, widthTwips);
}

int32_t TDocument::ColumnTextWidth(int32_t i, int32_t column)
{
    if (column >= 0) {
        TColumnGeometry geometry;
        SectionOfParagraph(i)->GetColumnGeometry(column, geometry);
        return geometry.Width;
    }
    return PageSetupOwnerSection(i)->PageSetup[psTextWidth];
}

void TDocument::DiscardLineLayout()
{
    // The pages let go of the lines first.
    for (auto& page : Pages)
        page->Lines.clear();
    for (auto& paragraph : Paragraphs) {
        paragraph->Lines.clear();
        paragraph->SetLaidOut(false);
    }
}

void TDocument::DiscardLayout()
{
    Pages.clear();
    DiscardLineLayout();
}

void TDocument::ClearPageList()
{
    Pages.clear();
}
