// The device-independent bitmap section and the service bitmap.
#include "classlib/graphics/SharedBitmaps_win.h"

#include <algorithm>

#include "classlib/runtime/Exceptions.h"

TMemoryBitmapDC::TMemoryBitmapDC() : FDC(CreateCompatibleDC(nullptr))
{
    if (!FDC)
        throw EOutOfMemory();
    FOriginal = GetCurrentObject(FDC.get(), OBJ_BITMAP);
}

TMemoryBitmapDC::~TMemoryBitmapDC()
{
    Replace(nullptr);
}

void TMemoryBitmapDC::Replace(HBITMAP bitmap)
{
    SelectObject(FDC.get(), bitmap ? bitmap : FOriginal);
    FBitmap.reset(bitmap);
}

TDIBBitmap::TDIBBitmap(int bitsPerPixel)
    : FBitsPerPixel((bitsPerPixel == 16 || bitsPerPixel == 32) ? 24 : bitsPerPixel)
{}

void TDIBBitmap::SetSize(int32_t width, int32_t height)
{
    if (width == FWidth && height == FHeight && Bitmap())
        return;
    BITMAPINFOHEADER& h = FInfo.Header;
    h = {};
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(FBitsPerPixel);
    h.biCompression = BI_RGB;
    if (FBitsPerPixel == 1) {
        FInfo.Colors[0] = {0, 0, 0, 0};
        FInfo.Colors[1] = {255, 255, 255, 0};
    } else if (FBitsPerPixel <= 8) {
        const int count = 1 << FBitsPerPixel;
        PALETTEENTRY entries[256] = {};
        const UINT got = GetSystemPaletteEntries(TScreenDC(), 0, static_cast<UINT>(count), entries);
        if (got == 0) // a display without a palette: the system's default colours
            GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0,
                              static_cast<UINT>(count), entries);
        for (int i = 0; i < count; ++i)
            FInfo.Colors[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    }
    void* bits = nullptr;
    HBITMAP bitmap =
        CreateDIBSection(DC(), reinterpret_cast<BITMAPINFO*>(&FInfo), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        throw EOutOfMemory();
    Replace(bitmap);
    FBits = bits;
    FWidth = width;
    FHeight = height;
}

TServiceBitmap::TServiceBitmap(int32_t maxWidth, int32_t maxHeight)
    : FMaxWidth(maxWidth), FMaxHeight(maxHeight)
{
    SetBkMode(DC(), TRANSPARENT);
}

void TServiceBitmap::SetSize(int32_t width, int32_t height)
{
    width = std::min(width, FMaxWidth);
    height = std::min(height, FMaxHeight);
    if (width >= 1 && height >= 1) {
        if (Bitmap() && width == FWidth && height == FHeight)
            return;
        HBITMAP bitmap = CreateCompatibleBitmap(TScreenDC(), width, height);
        if (!bitmap)
            throw EOutOfMemory();
        Replace(bitmap);
    } else {
        Replace(nullptr);
        width = std::max(width, 0);
        height = std::max(height, 0);
    }
    FWidth = width;
    FHeight = height;
}
