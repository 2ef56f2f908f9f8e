// A section of the main text: its columns and break, its page setup, page numbering and headers.
#pragma once
#include <cstdint>

#include "document/PageSetup.h"
#include "document/TextPos.h"

class TDocument;
class TField;

// The six header and footer slots of a section.
enum THeaderFooterSlot : int {
    hfOddHeader = 0, // or the header of every page
    hfEvenHeader = 1,
    hfOddFooter = 2, // or the footer of every page
    hfEvenFooter = 3,
    hfFirstHeader = 4,
    hfFirstFooter = 5,
    HeaderFooterSlotCount = 6
};

// New page, one column of equal width, gap 720, no line between.
void SetSectionParamsDefaults(TSectionParams& params);

// A run of paragraphs of the main text ended by a section-break mark or by the end of the story. The
// mark carries the section's Handle.
class TSection {
public:
    explicit TSection(TDocument* document);
    ~TSection();
    TSection(const TSection&) = delete;
    TSection& operator=(const TSection&) = delete;

    // Default parameters and page setup, arabic page numbers continuing the numbering.
    void SetDefaults();
    // Copies parameters, page setup and page numbering (not the headers, number or paragraph range).
    void Assign(const TSection& other);
    // Column N on the page setup of this section's page-setup owner.
    void GetColumnGeometry(int n, TColumnGeometry& out) const;
    // The range ends after this section's last paragraph, or exactly at its end.
    bool RangeReachesEnd(const TTextRange& range) const;
    // The laid-out pages the section covers; 1 until its first paragraph is on a page.
    int32_t PageCount() const;
    // The break that ends the section (TSectionParams field 0).
    int32_t BreakKind() const { return Params[spBreakKind]; }

    TDocument* Document; // owner, not owned
    int32_t Number = 0;  // index in the document (section ranges)
    int32_t FirstParagraph = 0;
    int32_t LastParagraph = 0; // holds the section mark, or ends story 0
    TSectionParams Params{};
    TPageSetup PageSetup{};                           // used only in a page-setup owner section
    TField* HeaderFooter[HeaderFooterSlotCount] = {}; // header and footer texts in story 3, not owned
    int32_t PageNumberStyle = 0;                      // 0 arabic, 1 I, 2 i, 3 A, 4 a, 5+ symbols
    int32_t PageNumberRestart = -1;                   // first page number, -1 continues
    int32_t Created = 1;
    uint8_t FullySaved = 0; // the file it came from held the whole section
    int32_t Handle;         // what a section-break tag carries
};
