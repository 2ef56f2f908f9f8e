// Drawing object pictures on a Windows device context.
#include "document/DocObjects.h"

#include <windows.h>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Bitmap_win.h"
#include "classlib/graphics/GdiHandles_win.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/Metafiles.h"
#include "codecs/PNG.h"

namespace {

const COLORREF PlaceholderColor = 0xC0C0C0;

// Copies a bitmap to the device: at its own size with a plain copy, otherwise stretched.
void CopyBitmap(HDC dc, const RECT& rect, const TBitmap& bitmap)
{
    TDIBInfo info;
    GetDIBInfo(bitmap, info);
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w == bitmap.GetWidth() && h == bitmap.GetHeight())
        SetDIBitsToDevice(dc, rect.left, rect.top, DWORD(w), DWORD(h), 0, 0, 0, UINT(h),
                          bitmap.GetBits().data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    else
        DrawBitmap(dc, rect, bitmap);
}

// The picture played into a device-independent bitmap of the rectangle's size, then copied.
void DrawThroughDib(HDC dc, const RECT& rect, TDocObjectImage& image)
{
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w < 1 || h < 1)
        return;
    TBitmap dib;
    dib.SetPixelFormat(pf24bit);
    if (image.Metafile) {
        if (!RenderMetafile(image.Metafile, w, h, dib))
            return;
    } else {
        dib.SetSize(w, h);
        const bool drawn = DrawIntoBitmap(dib, [&](HDC memory) {
            SetStretchBltMode(memory, COLORONCOLOR);
            DrawBitmap(memory, RECT{0, 0, w, h}, *image.Bitmap);
        });
        if (!drawn)
            return;
    }
    TDIBInfo info;
    GetDIBInfo(dib, info);
    StretchDIBits(dc, rect.left, rect.top, w, h, 0, 0, w, h, dib.GetBits().data(),
                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
}

void DrawPlaceholder(HDC dc, const RECT& rect, const TDocObjectImage& image, bool selected)
{
    if (selected)
        return;
    FillRect(dc, &rect, TGdiObject<HBRUSH>(CreateSolidBrush(PlaceholderColor)).get());
    const TDocument& document = *image.Owner->Document;
    const TGdiObject<HFONT> font(CreateFontA(document.DeviceFontHeight(0), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                                             DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
    HGDIOBJ old = SelectObject(dc, font.get());
    const int mode = SetBkMode(dc, TRANSPARENT);
    RECT box = rect;
    const char* label = dynamic_cast<const TDocOLEObject*>(image.Owner) ? "Objet OLE" : "Image";
    DrawTextA(dc, label, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SetBkMode(dc, mode);
    SelectObject(dc, old);
}

// Eight 6 × 6 squares at the corners and the middles of the sides, as one region.
HRGN SizingHandlesRegion(const RECT& r)
{
    const int xs[3] = {int(r.left), int((r.left + r.right) / 2 - 3), int(r.right - 6)};
    const int ys[3] = {int(r.top), int((r.top + r.bottom) / 2 - 3), int(r.bottom - 6)};
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            if (i == 1 && j == 1)
                continue;
            const TGdiObject<HRGN> square(CreateRectRgn(xs[i], ys[j], xs[i] + 6, ys[j] + 6));
            CombineRgn(region, region, square.get(), RGN_OR);
        }
    return region;
}

} // namespace

void TDocObjectImage::Draw(TDCHandle deviceContext, const TObjectPlacement& placement)
{
    HDC dc = reinterpret_cast<HDC>(deviceContext);
    const RECT rect{placement.Left, placement.Top, placement.Right, placement.Bottom};
    const bool placeholder = (placement.Flags & opPlaceholder) && !(placement.Flags & opPreview);
    if (!placeholder)
        SetCompressed(false);
    const TDocument& document = *Owner->Document;
    if (IsLive() && (placement.Flags & opDeviceIndependent) && !document.GetModeFlag(4)) {
        DrawThroughDib(dc, rect, *this);
    } else if (!placeholder) {
        if (PrepareScaledImage(placement))
            CopyBitmap(dc, rect, *ScaledRendering);
        else if (Metafile)
            PlayEnhMetaFile(dc, reinterpret_cast<HENHMETAFILE>(Metafile), &rect);
        else if (Bitmap)
            CopyBitmap(dc, rect, *Bitmap);
    } else {
        DrawPlaceholder(dc, rect, *this, (placement.Flags & opSelected) != 0);
    }
    if (placement.Flags & opSelected) {
        const TGdiObject<HRGN> handles(SizingHandlesRegion(rect));
        FillRgn(dc, handles.get(), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    ++UseCount;
    if (!DocumentHost().KeepDecodedPictures)
        SetCompressed(true);
}
