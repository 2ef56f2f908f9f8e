// The pixel patterns with which the views draw formatting marks, margin and column guides, page frames,
// underlines and spelling marks: dotted, patterned, zigzag and wave lines, dashed frames, etched rules.
#pragma once
#include <cstdint>

#include "core/DrawSurface.h"

class TSharedFont;

// The underline kinds the program supports, in their list order (the codes of the Word document
// format: 0 none, 1 single, 2 words only, 3 double, 11 wave...).
constexpr int UnderlineStyleCount = 18;
extern const int32_t UnderlineStyleCodes[UnderlineStyleCount];
// The position of a code in that list, -1 for any other code.
int IndexOfUnderlineStyle(int32_t code);

// Pixels at X1, X1 + 2, ... (spaced: X1 + 3, ...) while x is at most X2.
void DrawDottedHLine(TDrawSurface& s, int32_t x1, int32_t x2, TColorRef color, int32_t y);
void DrawSpacedDottedHLine(TDrawSurface& s, int32_t x1, int32_t x2, TColorRef color, int32_t y);
// Groups of five pixels from X1 while x is at most X2: the first and third in A, the others in B (the
// last group may pass X2 by up to four pixels).
void DrawPatternHLine(TDrawSurface& s, int32_t x1, int32_t x2, TColorRef colorB, TColorRef colorA, int32_t y);
void DrawPatternVLine(TDrawSurface& s, int32_t x, int32_t y1, TColorRef colorB, TColorRef colorA, int32_t y2);
// The first and third pixel of every group of five from Y1 while y is at most Y2.
void DrawDottedVLine(TDrawSurface& s, int32_t x, int32_t y1, TColorRef color, int32_t y2);
// A rule in the button-shadow colour at Y and one in the button-highlight colour below it.
void DrawEtchedHLine(TDrawSurface& s, int32_t x1, int32_t x2, int32_t y);
// Dashes 4 pixels long every 8 along the four edges from their starts, one pixel thick; what lies left
// of or above 0 is left out.
void DrawDashedRectFrame(TDrawSurface& s, const TRect& r, TColorRef color);
// A 1-pixel zigzag between BaseY - 1 and BaseY + 1 in steps of 2 pixels, in phase with Phase.
void DrawZigzagLine(TDrawSurface& s, int32_t x1, int32_t x2, TColorRef color, int32_t phase, int32_t baseY);
// A wave of the pen's width clipped to X1..X2, keeping its phase whatever part of it is drawn; Period is
// at least 2.
void DrawWaveLine(TDrawSurface& s, int32_t x1, int32_t x2, TColorRef color, int32_t penWidth,
                  int32_t amplitude, int32_t period, int32_t phase, int32_t baseY);
// The sample of an underline style in a list entry, in Color; the names of codes 0 and 2 in Font
// (centred when Centre is set).
void DrawUnderlineStyle(TDrawSurface& s, const TRect& r, int32_t code, bool centre, TColorRef color,
                        const TSharedFont* font);

// The colour in which text of a colour is drawn on a background: black stays black on white and becomes
// white on black; a light background darkens the text by the text's own darkness.
TColorRef AdaptColorToBackground(TColorRef color, TColorRef background);
