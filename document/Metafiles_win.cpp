// Metafiles through the Windows graphics interface.
#include "document/Metafiles.h"

#include <windows.h>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Bitmap_win.h"

TMetafileHandle MetafileFromBits(const std::vector<uint8_t>& bits, bool windowsMetafile,
                                 const TMetafileHeader& header)
{
    if (bits.empty())
        return 0;
    HENHMETAFILE metafile;
    if (windowsMetafile) {
        METAFILEPICT pict{header.MapMode, header.XExt, header.YExt, nullptr};
        metafile = SetWinMetaFileBits(UINT(bits.size()), bits.data(), nullptr, &pict);
    } else {
        metafile = SetEnhMetaFileBits(UINT(bits.size()), bits.data());
    }
    return reinterpret_cast<TMetafileHandle>(metafile);
}

std::vector<uint8_t> GetMetafileBits(TMetafileHandle metafile)
{
    HENHMETAFILE handle = reinterpret_cast<HENHMETAFILE>(metafile);
    const UINT size = GetEnhMetaFileBits(handle, 0, nullptr);
    std::vector<uint8_t> bits(size);
    if (size && GetEnhMetaFileBits(handle, size, bits.data()) != size)
        bits.clear();
    return bits;
}

void DeleteMetafile(TMetafileHandle metafile)
{
    if (metafile)
        DeleteEnhMetaFile(reinterpret_cast<HENHMETAFILE>(metafile));
}

bool RenderMetafile(TMetafileHandle metafile, int32_t width, int32_t height, TBitmap& out)
{
    if (!metafile || width < 1 || height < 1)
        return false;
    out.SetPixelFormat(pf24bit);
    out.SetSize(width, height);
    TDIBInfo info;
    GetDIBInfo(out, info);
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP dib =
        CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib) {
        DeleteDC(dc);
        return false;
    }
    HGDIOBJ old = SelectObject(dc, dib);
    RECT rect{0, 0, width, height};
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    PlayEnhMetaFile(dc, reinterpret_cast<HENHMETAFILE>(metafile), &rect);
    GdiFlush();
    const int32_t rowBytes = out.RowBytes();
    const uint8_t* source = static_cast<const uint8_t*>(bits);
    // The section's rows run bottom up, like the bitmap's own storage.
    for (int32_t y = 0; y < height; ++y)
        std::copy(source + int64_t(height - 1 - y) * rowBytes, source + int64_t(height - y) * rowBytes,
                  out.ScanLine(y));
    SelectObject(dc, old);
    DeleteObject(dib);
    DeleteDC(dc);
    return true;
}
