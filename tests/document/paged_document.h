// Documents built in memory with lines of given heights, for pagination, view and caret tests.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/Document.h"
#include "document/Section.h"
#include "document/Field.h"

namespace qptest {

// Every page is 576 x 196 screen pixels at 96 dpi with 48-pixel margins all round, so its text area
// is 100 pixels high: ten lines of the default 10 pixels. Headers and footers stand 48 pixels from
// the edges, so what they hold reaches into the text area by its own height.
class TPagedDocument {
public:
    TPagedDocument();

    // A paragraph of the main text with Lines lines of one character each, the last also holding the
    // paragraph mark. Options: k keep with next, t keep together, w widow control, b page break before.
    TParagraph& Par(int lines, const std::string& options = "", int32_t height = 10);
    // A paragraph whose first line is "a" and a forced break (4 column, 5 line, 6 page), the second
    // holding the mark alone.
    TParagraph& BreakPar(int code);
    // Ends a section at the last paragraph added: a new section with that break kind and column count
    // takes the paragraphs since the previous section's end.
    TSection& EndSection(int breakKind, int columns = 1);
    // The section after the last section break.
    TSection& LastSection() { return *Doc.Sections.back(); }
    // A footnote's text (story 1), not broken into lines: after the main text, before any header.
    TParagraph& NotePar();
    // A header or footer text of a section: Lines lines of Height, after every paragraph of the main
    // text.
    TField& HeaderFooter(TSection& section, int slot, int lines, int32_t height = 10);
    // Sets the page setup of every section (margins, header flags) and lays the pagination out anew.
    void Prepare();
    // Shows the document as in a window with a client area of that size, and lays its grid out.
    void ShowInWindow(int32_t width, int32_t height);

    // The pages as text: per page its runs of lines "paragraph:first-last", each column's runs after
    // "cN"; "-" for an empty page; pages separated by " | ".
    std::string Describe() const;

    TDocument Doc{true};
    int32_t HeaderFlags = 0; // byte 0 different odd and even pages, byte 1 different first page

private:
    std::vector<std::unique_ptr<TField>> FFields;
};

} // namespace qptest
