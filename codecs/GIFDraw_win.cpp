// Drawing the current frame of a GIF image, its transparent colour leaving the destination as it was.
#include "codecs/GIF.h"

#include "classlib/graphics/Bitmap_win.h"
#include "classlib/graphics/Graphics.h"

namespace {

void StretchBitmap(HDC dc, const RECT& rect, const TBitmap& bitmap, DWORD rop)
{
    TDIBInfo info;
    GetDIBInfo(bitmap, info);
    StretchDIBits(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, 0,
                  bitmap.GetWidth(), bitmap.GetHeight(), bitmap.GetBits().data(),
                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, rop);
}

} // namespace

void TGIFImage::Draw(TCanvas& canvas, const TRect& rect) const
{
    if (Empty())
        return;
    const TGIFFrame& frame = *CurrentFrame();
    const TBitmap& bitmap = frame.GetBitmap();
    if (bitmap.Empty())
        return;
    HDC dc = canvas.Handle();
    const RECT area = {rect.Left, rect.Top, rect.Right, rect.Bottom};
    if (!Transparent || frame.TransparentColor == GIFNoColor) {
        StretchBitmap(dc, area, bitmap, SRCCOPY);
        return;
    }
    // The mask is white where the frame is transparent; the picture is black there.
    const TRGBEntry key = GIFEntryOf(frame.TransparentColor);
    const int32_t width = bitmap.GetWidth(), height = bitmap.GetHeight();
    TBitmap mask;
    mask.SetPixelFormat(pf1bit);
    mask.SetSize(width, height);
    mask.SetPalette({{0, 0, 0}, {255, 255, 255}});
    TBitmap picture;
    picture.Assign(bitmap);
    picture.SetPixelFormat(pf24bit);
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* maskRow = mask.ScanLine(y);
        uint8_t* p = picture.ScanLine(y);
        for (int32_t x = 0; x < width; ++x, p += 3)
            if (p[0] == key.Blue && p[1] == key.Green && p[2] == key.Red) {
                TBitmap::SetPixelIndex(maskRow, x, 1, 1);
                p[0] = p[1] = p[2] = 0;
            }
    }
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBitmap(dc, area, mask, SRCAND);
    StretchBitmap(dc, area, picture, SRCPAINT);
    SetStretchBltMode(dc, oldMode);
}
