// A laid-out page: the runs of paragraph lines placed on it, and its header and footer.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "codecs/Geometry.h"

class TDocument;
class TDrawSurface;
class TField;
class TParagraph;
class TParLine;
class TSection;

// Lines First..Last of one paragraph placed on a page, and their summed height.
struct TParagraphOnPageInfo {
    TParagraph* Paragraph;
    int32_t FirstLine;
    int32_t LastLine;
    int32_t Height;
};

class TPage {
public:
    TPage(TDocument* document, int32_t pageIndex);
    // Unlinks every line of the page (lines belong to their paragraphs).
    ~TPage();
    TPage(const TPage&) = delete;
    TPage& operator=(const TPage&) = delete;

    // Places lines First..Last of a paragraph after the page's other lines.
    void AddParagraphLines(TParagraph* paragraph, int32_t first, int32_t last);
    // The placement of paragraph I (by its layout index), or -1.
    int32_t FindParagraph(int32_t i) const;
    // Takes placement K and its lines off the page; -1 does nothing.
    void RemoveParagraphAt(int32_t k);
    // The section of the paragraph of the page's first line.
    TSection* GetSection() const;
    // Takes the header and footer lines off the page, its text height kept.
    void RemoveHeaderFooterLines();
    // Breaks a header or footer field for the page's text width and places its lines on the page: a
    // header down from the header distance, a footer up from the footer distance.
    void LayoutHeaderFooter(TField* field);
    // Draws the page with its top-left corner at (Left, Top): header, body lines from the line before
    // FirstParagraph's first on this page (INT32_MIN: all), footer, paper; on screen only what meets the
    // document's update region, with the guides, frames and labels of the view.
    void Draw(TDrawSurface& surface, int32_t left, int32_t top, int32_t firstParagraph);

    std::vector<std::unique_ptr<TParagraphOnPageInfo>> Placements; // in page order
    TDocument* Document;
    std::vector<TParLine*> Lines; // every line shown on the page, in page order; not owned
    int32_t PageIndex;
    int32_t Number = 0;            // the page number it shows, set by pagination
    int32_t TextHeight = 0;        // sum of the heights of the placed lines
    TField* HeaderField = nullptr; // set by pagination
    TField* FooterField = nullptr;
    // Which of the section's six header and footer slots the page shows (THeaderFooterSlot); the
    // field itself may come from an earlier section that fills that slot.
    int32_t HeaderSlot = 0;
    int32_t FooterSlot = 2;
    // Set by pagination: the page's rectangle in the view, how far its header and footer reach into
    // the text area (screen pixels at 100 %), and whether its last column was closed.
    TRect ViewRect{};
    int32_t HeaderHeight = 0;
    int32_t FooterHeight = 0;
    uint8_t ColumnFull = 0;
};
