// Off-screen bitmaps that drawing shares: a device-independent bitmap section on its own memory device
// context, and a screen-compatible bitmap of bounded size.
#pragma once
#include <windows.h>

#include <cstdint>

class TDIBBitmap {
public:
    // 16 and 32 bits per pixel are taken as 24.
    explicit TDIBBitmap(int bitsPerPixel);
    ~TDIBBitmap();
    TDIBBitmap(const TDIBBitmap&) = delete;
    TDIBBitmap& operator=(const TDIBBitmap&) = delete;

    // Makes the section again when a side changed: 1 bit per pixel is black and white, 2 to 8 bits
    // take the system palette's first colours.
    void SetSize(int32_t width, int32_t height);

    HDC DC() const { return FDC; }
    HBITMAP Bitmap() const { return FBitmap; }
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
    HDC FDC = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FOriginal = nullptr;
    void* FBits = nullptr;
    int FBitsPerPixel;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
};

class TServiceBitmap {
public:
    TServiceBitmap(int32_t maxWidth, int32_t maxHeight);
    ~TServiceBitmap();
    TServiceBitmap(const TServiceBitmap&) = delete;
    TServiceBitmap& operator=(const TServiceBitmap&) = delete;

    // Clamps the size to the maximum; with both sides at least 1 a bitmap compatible with the screen
    // of that size stands in the context, otherwise the context's original bitmap.
    void SetSize(int32_t width, int32_t height);

    // The memory device context, drawing text with a transparent background.
    HDC DC() const { return FDC; }
    HBITMAP Bitmap() const { return FBitmap; }
    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }

private:
    HDC FDC = nullptr;
    HGDIOBJ FOriginal = nullptr;
    HBITMAP FBitmap = nullptr;
    int32_t FMaxWidth, FMaxHeight;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
};
