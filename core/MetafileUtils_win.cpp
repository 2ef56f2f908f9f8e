// Metafiles and bitmaps turned into each other.
#include "core/MetafileUtils.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Bitmap_win.h"
#include "classlib/graphics/Metafile_win.h"
#include "core/BitmapUtils.h"
#include "classlib/graphics/SharedBitmaps_win.h"
#include "codecs/GIF.h"

void DrawMetafileOnBitmap(const TMetafile& metafile, TBitmap& bitmap, int32_t width, int32_t height)
{
    SIZE size = {width, height};
    if (size.cx == 0 && size.cy == 0)
        size = {metafile.GetWidth(), metafile.GetHeight()};
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(size.cx, size.cy);
    if (bitmap.Empty())
        return;
    TDIBBitmap canvas(24);
    canvas.SetSize(size.cx, size.cy);
    RECT area = {0, 0, size.cx, size.cy};
    FillRect(canvas.DC(), &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (metafile.Handle())
        PlayEnhMetaFile(canvas.DC(), metafile.Handle(), &area);
    GdiFlush();
    // The section's rows and the bitmap's are laid out alike: bottom row first, padded to 4 bytes.
    const int32_t rowBytes = bitmap.RowBytes();
    for (int32_t y = 0; y < size.cy; ++y)
        std::memcpy(bitmap.ScanLine(y),
                    static_cast<const uint8_t*>(canvas.Bits()) +
                        static_cast<size_t>(size.cy - 1 - y) * rowBytes,
                    static_cast<size_t>(rowBytes));
    ReduceBitmapColors(bitmap);
}

TBitmapHandle MetafileToBitmapHandle(const TMetafile& metafile, int32_t width, int32_t height)
{
    TBitmap bitmap;
    DrawMetafileOnBitmap(metafile, bitmap, width, height);
    return reinterpret_cast<TBitmapHandle>(CreateBitmapHandle(bitmap));
}

void AssignMetafileAsBitmap(const TMetafile& metafile, TBitmap& graphic, int32_t width, int32_t height)
{
    TBitmap bitmap;
    DrawMetafileOnBitmap(metafile, bitmap, width, height);
    graphic.Assign(bitmap);
}

std::unique_ptr<TMetafile> BitmapToMetafile(const TBitmap& bitmap)
{
    const TScreenDC screen;
    const int width = bitmap.GetWidth(), height = bitmap.GetHeight();
    // The frame in hundredths of a millimetre on the screen the metafile refers to.
    RECT frame = {0, 0, MulDiv(width, 100 * GetDeviceCaps(screen, HORZSIZE), GetDeviceCaps(screen, HORZRES)),
                  MulDiv(height, 100 * GetDeviceCaps(screen, VERTSIZE), GetDeviceCaps(screen, VERTRES))};
    HDC dc = CreateEnhMetaFileA(screen, nullptr, &frame, nullptr);
    if (!dc)
        throw EOutOfMemory();
    RECT area = {0, 0, width, height};
    if (bitmap.Transparent && !bitmap.Empty()) {
        FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        TBitmap copy;
        copy.Assign(bitmap);
        copy.SetPixelFormat(pf24bit);
        const TRGBEntry key = bitmap.TransparentColor;
        for (int32_t y = 0; y < height; ++y) {
            uint8_t* p = copy.ScanLine(y);
            for (int32_t x = 0; x < width; ++x, p += 3)
                if (p[0] == key.Blue && p[1] == key.Green && p[2] == key.Red)
                    p[0] = p[1] = p[2] = 255;
        }
        DrawBitmap(dc, area, copy);
    } else {
        DrawBitmap(dc, area, bitmap);
    }
    auto metafile = std::make_unique<TMetafile>();
    metafile->SetHandle(CloseEnhMetaFile(dc));
    return metafile;
}

std::unique_ptr<TMetafile> GifImageToMetafile(const TGIFImage& image)
{
    TBitmap bitmap;
    image.AssignTo(bitmap);
    const TGIFFrame* frame = image.CurrentFrame();
    bitmap.Transparent = frame && image.IsTransparent() && frame->TransparentColor != GIFNoColor;
    if (bitmap.Transparent)
        bitmap.TransparentColor = GIFEntryOf(frame->TransparentColor);
    return BitmapToMetafile(bitmap);
}
