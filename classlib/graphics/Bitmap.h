// The class library's bitmap: size, pixel format, palette and rows laid out as a device-independent bitmap.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/graphics/Graphic.h"

enum TPixelFormat : uint8_t { pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

// One colour of a palette.
struct TRGBEntry {
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;
    friend bool operator==(const TRGBEntry&, const TRGBEntry&) = default;
};

// Rows are stored bottom row first, each padded to a multiple of 4 bytes, so the pixels are the bits of a
// device-independent bitmap as they stand. 24-bit pixels are blue, green, red; 32-bit pixels add an unused
// byte; palette formats pack indices from the high bits of each byte. A palette format always has a palette
// of 1 to 2^bits entries.
class TBitmap : public TGraphic {
public:
    // The largest side and the largest number of pixels a bitmap may have.
    static constexpr int32_t MaxDimension = 32767;
    static constexpr int64_t MaxPixels = 64LL * 1024 * 1024;

    int32_t GetWidth() const override { return Width; }
    int32_t GetHeight() const override { return Height; }
    TPixelFormat GetPixelFormat() const { return PixelFormat; }
    // Changes the pixel format and keeps the picture: to 24 or 32 bits from any format, and to a palette
    // format from one of fewer or as many bits (indices and palette kept). Any other change of a non-empty
    // bitmap raises EInvalidGraphic. An empty bitmap that becomes a palette format gets a grey palette of
    // 2^bits entries.
    void SetPixelFormat(TPixelFormat format);
    // Resizes the bitmap; every pixel becomes 0. A negative size or one beyond the limits raises
    // EInvalidGraphic.
    void SetSize(int32_t width, int32_t height);

    static int BitsPerPixelOf(TPixelFormat format);
    int BitsPerPixel() const { return BitsPerPixelOf(PixelFormat); }
    bool IsPaletted() const { return PixelFormat <= pf8bit; }
    // Bytes per row, padding included.
    int32_t RowBytes() const { return RowBytesOf(Width, PixelFormat); }
    static int32_t RowBytesOf(int32_t width, TPixelFormat format);
    // The pixels of a row, row 0 being the top one; a row outside the bitmap raises EInvalidGraphic.
    uint8_t* ScanLine(int32_t row);
    const uint8_t* ScanLine(int32_t row) const;
    // The colour of a pixel (through the palette for palette formats; an index past its end gives black).
    TRGBEntry GetPixelColor(int32_t x, int32_t y) const;
    // The palette index of pixel X of a row of a 1-, 4- or 8-bit format, and setting it.
    static int GetPixelIndex(const uint8_t* row, int32_t x, int bits);
    static void SetPixelIndex(uint8_t* row, int32_t x, int bits, int index);

    const std::vector<TRGBEntry>& GetPalette() const { return Palette; }
    // A palette format takes 1 to 2^bits entries, raising EInvalidGraphic otherwise; 24- and 32-bit bitmaps
    // keep at most 256 entries as a display palette.
    void SetPalette(std::vector<TRGBEntry> entries);
    // All rows, bottom row first.
    const std::vector<uint8_t>& GetBits() const { return Bits; }

    virtual void Assign(const TBitmap& source);

    // Drawn and converted with the pixels of TransparentColor standing for the background.
    bool Transparent = false;
    TRGBEntry TransparentColor;

    // The bitmap file format: uncompressed 1, 4, 8, 24 and 32 bits per pixel. A file it cannot read raises
    // EInvalidGraphic and leaves the bitmap as it was.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;

private:
    int32_t Width = 0;
    int32_t Height = 0;
    TPixelFormat PixelFormat = pf24bit;
    std::vector<TRGBEntry> Palette;
    std::vector<uint8_t> Bits;
};
