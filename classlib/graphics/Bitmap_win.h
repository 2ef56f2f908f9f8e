// The bitmap on Windows: its device-independent bitmap header, a bitmap handle made from it, and drawing it.
#pragma once
#include <windows.h>

#include <functional>

#include "classlib/graphics/Bitmap.h"

// A bitmap information block with room for a full colour table.
struct TDIBInfo {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[256];
};

// Fills the header and the colour table of the bitmap (the whole table of its format, past its palette
// black).
void GetDIBInfo(const TBitmap& bitmap, TDIBInfo& info);
// A new DIB section holding a copy of the bitmap; the caller deletes it. Raises EOutOfMemory when the system
// refuses it, EInvalidGraphic for an empty bitmap.
HBITMAP CreateBitmapHandle(const TBitmap& bitmap);
// Draws the bitmap stretched to the rectangle.
void DrawBitmap(HDC dc, const RECT& rect, const TBitmap& bitmap);
// Lets Draw paint on a memory context over a device-independent section of the bitmap's size and format,
// then copies the section's pixels into the bitmap; false (the bitmap unchanged) when no section is made.
bool DrawIntoBitmap(TBitmap& bitmap, const std::function<void(HDC dc)>& draw);
