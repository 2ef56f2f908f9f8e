// Off-screen bitmaps that drawing shares: a device-independent bitmap section on its own memory device
// context, and a screen-compatible bitmap of bounded size.
#pragma once
#include <windows.h>

#include <cstdint>

#include "classlib/graphics/GdiHandles_win.h"

// A memory device context and the bitmap it owns; the context's original bitmap stands in it when it
// owns none.
class TMemoryBitmapDC {
public:
    TMemoryBitmapDC();
    ~TMemoryBitmapDC();
    TMemoryBitmapDC(const TMemoryBitmapDC&) = delete;
    TMemoryBitmapDC& operator=(const TMemoryBitmapDC&) = delete;

    HDC DC() const { return FDC.get(); }
    HBITMAP Bitmap() const { return FBitmap.get(); }

protected:
    // Selects the bitmap (null: the original one) and deletes the one it replaces.
    void Replace(HBITMAP bitmap);

private:
    TMemoryDC FDC;
    HGDIOBJ FOriginal;
    TGdiObject<HBITMAP> FBitmap;
};

class TDIBBitmap : public TMemoryBitmapDC {
public:
    // 16 and 32 bits per pixel are taken as 24.
    explicit TDIBBitmap(int bitsPerPixel);

    // Makes the section again when a side changed: 1 bit per pixel is black and white, 2 to 8 bits
    // take the system palette's first colours.
    void SetSize(int32_t width, int32_t height);

    // The section's rows, bottom row first, each padded to 4 bytes.
    void* Bits() const { return FBits; }
    int BitsPerPixel() const { return FBitsPerPixel; }
    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }

private:
    struct {
        BITMAPINFOHEADER Header;
        RGBQUAD Colors[256];
    } FInfo = {};
    void* FBits = nullptr;
    int FBitsPerPixel;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
};

// Its context draws text with a transparent background.
class TServiceBitmap : public TMemoryBitmapDC {
public:
    TServiceBitmap(int32_t maxWidth, int32_t maxHeight);

    // Clamps the size to the maximum; with both sides at least 1 a bitmap compatible with the screen
    // of that size stands in the context, otherwise the context's original bitmap.
    void SetSize(int32_t width, int32_t height);

    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }

private:
    int32_t FMaxWidth, FMaxHeight;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
};
