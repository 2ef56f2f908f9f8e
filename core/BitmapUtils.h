// Bitmap helpers of the picture and drawing code: colour reduction to a palette, a quarter turn and
// lightening.
#pragma once
#include <cstdint>
#include <vector>

class TBitmap;

// Colours here are 24-bit values with blue in the low byte and red in the high byte (the byte order of
// a device-independent bitmap's colour table).

// Adds each distinct colour of the bitmap to Colors, rows from the bottom one up and pixels from right
// to left, stopping after the row in which the list passes 256 entries; a transparent bitmap adds
// white too.
void CollectDistinctColors(const TBitmap& bitmap, std::vector<uint32_t>& colors);
// Sorts Colors (at most 256) and builds a palettised device-independent bitmap of the bitmap: Info
// receives the 40-byte header and the colour table (the sorted colours), Bits the rows, bottom row
// first, each padded to 4 bytes, every pixel the index of its colour (1 bit per pixel for 1 or 2
// colours, 4 for 3 to 16, 8 for more). The transparent colour of a transparent bitmap counts as white.
void BuildPalettedDIB(const TBitmap& bitmap, std::vector<uint32_t>& colors, std::vector<uint8_t>& info,
                      std::vector<uint8_t>& bits);
// Converts the bitmap to 24 bits and, when it has 256 colours or fewer, makes it the palettised bitmap
// of its colours; a transparent bitmap then has white as its transparent colour.
void ReduceBitmapColors(TBitmap& bitmap);
// Turns the bitmap a quarter counter-clockwise: source pixel (x, y) goes to (y, width - 1 - x).
void RotateBitmapLeft(TBitmap& bitmap);
// Converts to 24 bits and moves every colour byte 70 % of the way to white.
void LightenBitmap(TBitmap& bitmap);
