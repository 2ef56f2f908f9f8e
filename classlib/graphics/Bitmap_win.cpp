// The bitmap as a device-independent bitmap of the system.
#include "classlib/graphics/Bitmap_win.h"

#include <algorithm>
#include <cstring>

#include "classlib/graphics/GdiHandles_win.h"

void GetDIBInfo(const TBitmap& bitmap, TDIBInfo& info)
{
    std::memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bitmap.GetWidth();
    info.bmiHeader.biHeight = bitmap.GetHeight();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bitmap.BitsPerPixel());
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(bitmap.GetBits().size());
    if (bitmap.IsPaletted()) {
        const auto& palette = bitmap.GetPalette();
        info.bmiHeader.biClrUsed = 1u << bitmap.BitsPerPixel();
        for (size_t i = 0; i < palette.size() && i < 256; ++i)
            info.bmiColors[i] = {palette[i].Blue, palette[i].Green, palette[i].Red, 0};
    }
}

HBITMAP CreateBitmapHandle(const TBitmap& bitmap)
{
    if (bitmap.Empty())
        throw EInvalidGraphic("Une image vide n'a pas de représentation.");
    TDIBInfo info;
    GetDIBInfo(bitmap, info);
    void* bits = nullptr;
    TGdiObject<HBITMAP> handle(
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!handle || !bits)
        throw EOutOfMemory();
    std::memcpy(bits, bitmap.GetBits().data(), bitmap.GetBits().size());
    GdiFlush();
    return handle.release();
}

void DrawBitmap(HDC dc, const RECT& rect, const TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    TDIBInfo info;
    GetDIBInfo(bitmap, info);
    StretchDIBits(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, 0,
                  bitmap.GetWidth(), bitmap.GetHeight(), bitmap.GetBits().data(),
                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
}

bool DrawIntoBitmap(TBitmap& bitmap, const std::function<void(HDC dc)>& draw)
{
    if (bitmap.Empty())
        return false;
    TDIBInfo info;
    GetDIBInfo(bitmap, info);
    void* bits = nullptr;
    const TMemoryDC dc(CreateCompatibleDC(nullptr));
    const TGdiObject<HBITMAP> section(
        CreateDIBSection(dc.get(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dc || !section || !bits)
        return false;
    HGDIOBJ old = SelectObject(dc.get(), section.get());
    draw(dc.get());
    GdiFlush();
    // The section's rows run bottom up.
    const int32_t height = bitmap.GetHeight();
    const int64_t rowBytes = bitmap.RowBytes();
    const uint8_t* source = static_cast<const uint8_t*>(bits);
    for (int32_t y = 0; y < height; ++y)
        std::copy(source + (height - 1 - y) * rowBytes, source + (height - y) * rowBytes, bitmap.ScanLine(y));
    SelectObject(dc.get(), old);
    return true;
}
