// One laid-out line of a paragraph: its extent in the paragraph's text and its place on a page.
#pragma once
#include <cstdint>

class TParagraph;
class TPage;

// Line breaking fills the extent and the start format; pagination places the line on a page.
class TParLine {
public:
    explicit TParLine(TParagraph* paragraph) : Paragraph(paragraph) {}
    TParLine(const TParLine&) = delete;
    TParLine& operator=(const TParLine&) = delete;

    TParagraph* Paragraph;         // owner, not owned
    int32_t FormatAtStart = -1;    // format-pool entry in force at the first byte, -1 the default
    int32_t StreamOffset = 0;      // extent in the paragraph's tagged text
    int32_t StreamLength = 0;
    int32_t FirstChar = 0;         // extent in the paragraph's plain text
    int32_t CharCount = 0;
    int32_t ColumnIndex = -1;      // column on the page, -1 outside columns
    int32_t Height = 0;            // screen pixels at 100 %
    int32_t Y = 0;                 // on the page
    uint8_t Overhang = 0;          // the line draws outside its box or is overlapped
    TPage* Page = nullptr;         // the page that shows the line, nullptr when not placed
    int32_t LineIndex = 0;         // index in the paragraph
    int32_t PageLineIndex = 0;     // index in the page's line list
};

// What a line knows of its place on a page, kept while its paragraph is broken again.
class TParLineOnPageInfo {
public:
    explicit TParLineOnPageInfo(const TParLine& line)
        : Page(line.Page), PageLineIndex(line.PageLineIndex), Y(line.Y), ColumnIndex(line.ColumnIndex),
          Overhang(line.Overhang), Height(line.Height)
    {
    }
    // Puts the place back on a line.
    void RestoreTo(TParLine& line) const
    {
        line.Page = Page;
        line.PageLineIndex = PageLineIndex;
        line.Y = Y;
        line.ColumnIndex = ColumnIndex;
        line.Overhang = Overhang;
        line.Height = Height;
    }

    TPage* Page;
    int32_t PageLineIndex;
    int32_t Y;
    int32_t ColumnIndex;
    uint8_t Overhang;
    int32_t Height;
};
