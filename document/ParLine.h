// One laid-out line of a paragraph: its extent in the paragraph's text, its character boundaries and
// metrics, and its place on a page.
#pragma once
#include <cstdint>

#include "core/Memory.h"

class TDrawSurface;
class TField;
class TLineBuilder;
class TPage;
class TParagraph;

// Where the line builder reads: the rest of a paragraph's tagged text.
struct TLineStream {
    uint8_t* Data;
    int32_t Remaining;
};

// Line breaking fills the extent, the boundaries and the metrics; pagination places the line on a page.
// Horizontal measures are layout units (eighths of a screen pixel at 100 %); heights are screen pixels.
class TParLine {
public:
    explicit TParLine(TParagraph* paragraph) : Paragraph(paragraph) {}
    ~TParLine();
    TParLine(const TParLine&) = delete;
    TParLine& operator=(const TParLine&) = delete;

    // --- Character boundaries: entry 0 is the start x, entry n the boundary after character n - 1.
    // Each entry keeps the italic bit of the font in use when it was appended in bit 31 and a sign in
    // bit 30 over a 30-bit magnitude.
    int32_t DecodeCharX(int32_t n) const;
    void SetCharX(int32_t n, int32_t x);
    void AddToCharX(int32_t n, int32_t delta);
    bool GetItalicBit(int32_t n) const;
    void SetItalicBit(int32_t n, bool italic);
    // Appends the boundary after character CharCount (entry CharCount + 1).
    void AppendCharX(int32_t x, bool italic);
    // Keeps room for Count + 1 entries.
    void ReserveCharX(int32_t count);
    int32_t LastX() const { return DecodeCharX(CharCount); }

    // --- Layout (LineBuilder.cpp, LineFinish.cpp) ---
    // Fills the line from the stream and advances the stream past the bytes it used.
    void BuildLine(TLineBuilder& builder, TLineStream& stream);
    // Alignment, metrics in screen pixels and the height; run on every new line, last line first.
    void FinishLayout();
    void ApplyAlignment();
    // Builds the line again over its own extent from its start format: true when the whole extent
    // still fits (the new measures stand); otherwise the old extent is kept and the answer is false.
    bool Relayout();
    // Screen pixels of space before the paragraph that this line carries.
    int32_t GetSpaceBefore() const;
    // The x where the line's text starts (indents), in layout units.
    int32_t GetStartX() const;
    // Raise and lowering, space before, ascent and descent, in screen pixels.
    int32_t GetNaturalHeight() const;
    // The line is the only character of its line and a page or column break, or a section break of a
    // section that starts a page.
    bool IsLonePageBreak() const;

    // Character code at character N of the line (from the paragraph's plain text).
    uint8_t CharAt(int32_t n) const;

    // --- Measuring at the zoom and drawing (LineMeasuring.cpp, LineDrawing.cpp) ---
    // Recomputes the widths of the characters at the document's zoom when it changed since the last
    // measurement: the laid-out widths scaled, the rounding spread over the characters that need the
    // pixel most.
    void EnsureMeasured();
    // X of boundary N at 100 % in screen pixels (hit testing).
    int32_t GetCharX(int32_t n);
    // X of boundary N in device pixels at the zoom, from the line's left edge (the page's left margin
    // and column): where drawing puts it and where the caret stands.
    int32_t GetZoomedX(int32_t n);
    // The characters whose middles lie in [X1, X2) (layout units from the line's left edge, as the
    // boundaries): First to End (exclusive); both at the first character past X1 when none does.
    void CharSpanInX(int32_t x1, int32_t x2, int32_t& first, int32_t& end) const;
    // The line's height at the zoom, as it stands at its y on the page.
    int32_t GetDisplayHeight() const;
    // The width of the line's box at the zoom: from its column's (or the text area's) left edge to the
    // right limit. Drawing paints the whole box.
    int32_t GetBoxWidth() const;
    // Draws the line's box with its left edge (the text area's or the column's) at X and its top at Y.
    void Draw(TDrawSurface& surface, int32_t x, int32_t y);

    int32_t* XBuffer = nullptr; // packed boundaries
    int32_t XCapacity = 0;      // bytes
    int32_t TextAscent = 0;     // largest font ascent on the line (objects do not raise it)
    TMemory Widths;             // measured widths at the zoom of the last measurement (drawing)
    int32_t MeasuredZoom = INT32_MIN;
    TParagraph* Paragraph;      // owner, not owned
    int32_t FormatAtStart = -1; // format-pool entry in force at the first byte, -1 the default
    int32_t RightLimit = 0;     // text width less the right indent, layout units
    int32_t ColumnIndex = 0;    // set by pagination
    int32_t Ascent = 0;         // largest ascent, objects included
    int32_t Descent = 0;        // largest descent
    int32_t StreamOffset = 0;   // extent in the paragraph's tagged text
    int32_t StreamLength = 0;
    int32_t Height = 0;          // screen pixels at 100 %, set by FinishLayout
    int32_t Y = 0;               // on the page, set by pagination
    int32_t SuppressedSpace = 0; // space before left out at the top of a page, set by pagination
    int32_t FirstChar = 0;       // extent in the paragraph's plain text
    int32_t CharCount = 0;
    uint16_t Raise = 0; // largest raise and lowering on the line, points
    uint16_t Lower = 0;
    TPage* Page = nullptr;     // the page that shows the line, nullptr when not placed
    int32_t LineIndex = 0;     // index in the paragraph
    int32_t PageLineIndex = 0; // index in the page's line list
    TField* FieldRefs[2] = {}; // last note reference measured on the line, by the field's flag
    uint8_t Overhang = 0;      // the line draws outside its box or is overlapped
    // The lines just before this one in its paragraph whose text reaches into its band (set by layout).
    int32_t SharedBandLines = 0;
};

// What a line knows of its place on a page, kept while its paragraph is broken again in place.
struct TParLineOnPageInfo {
    explicit TParLineOnPageInfo(const TParLine& line);
    void RestoreTo(TParLine& line) const;

    TPage* Page;
    int32_t PageLineIndex;
    int32_t Y;
    int32_t ColumnIndex;
    uint8_t Overhang;
    int32_t Height;
};
