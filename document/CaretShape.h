// The caret's shape from its font, its pixels when slanted, and its top within a line.
#pragma once
#include <cstdint>
#include <vector>

#include "core/Units.h"
#include "core/FormatRecords.h"

// Size of the caret in pixels and how far it stands left of the character boundary.
struct TCaretShape {
    int32_t Width;
    int32_t Height;
    int32_t XOffset;
    bool Slanted; // italic text: drawn from the slanted bitmap
};

// The shape for a font of the given ascent and descent (pixels): upright, a bar 1 pixel wide (2 from a
// height of 16); italic, a slanted stroke. Small caps make the caret as tall as full-size capitals.
TCaretShape ComputeCaretShape(int32_t ascent, int32_t descent, bool italic, bool smallCaps);

// The slanted caret's bitmap, Width x Height bytes row by row: 1 where the stroke is (white), 0 around
// it (black). Steps of 4 pixels climb one pixel to the right from the bottom-left corner.
std::vector<uint8_t> SlantedCaretPixels(const TCaretShape& shape);

// What the caret's top depends on in its line (the line's own measures are screen pixels at 100 %).
struct TCaretLineMetrics {
    int32_t PageTop;     // view pixels
    int32_t SpaceBefore; // the line's counted space before
    int32_t Y;           // the line's y on its page
    int32_t Ascent;      // largest ascent, objects included
    int32_t TextAscent;  // largest ascent of the fonts
    int32_t Descent;
    int32_t Raise;       // largest raise on the line, points
    int32_t LineSpacing; // the paragraph's spacing value and rule
    int32_t SpacingRule;
};

// The caret's top in view pixels for a caret font of ascent A and descent D (pixels) in the format
// CaretFormat: its top meets the top of full-size text for superscript, its bottom the bottom of
// full-size text for subscript, raised text lifts it, and an exact line height that cuts the text moves
// it up by the share of the cut above the baseline. Scale gives the document's conversions
// (ApplyZoom, TwipsToDeviceY, TwipsToScreen).
template<class TScale>
int32_t CaretTop(const TCaretLineMetrics& line, const TCharFormat& caretFormat, int32_t a, int32_t d,
                 const TScale& scale)
{
    const int32_t baseline = line.PageTop + scale.ApplyZoom(line.SpaceBefore + line.Y + line.Ascent);
    if (caretFormat[cfSmallCaps] > 0) {
        a = MulDivRound(a, 100, 80);
        d = MulDivRound(d, 100, 80);
    }
    int32_t y;
    if (caretFormat[cfVertPos] == 1)
        y = baseline - MulDivRound(a, 100, 65);
    else if (caretFormat[cfVertPos] == 2)
        y = baseline + MulDivRound(d, 100, 65) - (a + d);
    else
        y = baseline - a;
    const int32_t formatRaise = caretFormat[cfRaise] == UndefinedField ? 0 : caretFormat[cfRaise];
    y += scale.TwipsToDeviceY(MulDivRound((line.Raise - formatRaise) * 100, 20, 100));
    if (line.SpacingRule == 0 && line.LineSpacing < 0) {
        const int32_t exact = scale.TwipsToDeviceY(-line.LineSpacing);
        const int32_t textHeight = line.TextAscent + line.Descent;
        if (exact >= scale.ApplyZoom(textHeight))
            y += exact - scale.ApplyZoom(textHeight);
        else if (textHeight > 0)
            y -= scale.ApplyZoom(MulDivRound(
                line.TextAscent, textHeight - scale.TwipsToScreen(-line.LineSpacing), textHeight));
    }
    return y;
}
