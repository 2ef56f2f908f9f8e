// The bitmap: sizes, pixel formats and their conversions, palettes, and the bitmap file format.
#include "classlib/graphics/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

std::vector<TRGBEntry> GreyPalette(int count)
{
    std::vector<TRGBEntry> palette(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        auto v = static_cast<uint8_t>(count > 1 ? i * 255 / (count - 1) : 0);
        palette[static_cast<size_t>(i)] = {v, v, v};
    }
    return palette;
}

} // namespace

int TBitmap::GetPixelIndex(const uint8_t* row, int32_t x, int bits)
{
    switch (bits) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
    default: return row[x];
    }
}

void TBitmap::SetPixelIndex(uint8_t* row, int32_t x, int bits, int index)
{
    switch (bits) {
    case 1: {
        int shift = 7 - (x & 7);
        row[x >> 3] = static_cast<uint8_t>((row[x >> 3] & ~(1 << shift)) | ((index & 1) << shift));
        break;
    }
    case 4: {
        int shift = (x & 1) ? 0 : 4;
        row[x >> 1] = static_cast<uint8_t>((row[x >> 1] & ~(15 << shift)) | ((index & 15) << shift));
        break;
    }
    default: row[x] = static_cast<uint8_t>(index);
    }
}

namespace {

[[noreturn]] void RaiseBadBitmapFile()
{
    throw EInvalidGraphic("Le fichier bitmap n'est pas valide.");
}

uint32_t GetU32(const uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t GetU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

void PutU32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

void PutU16(uint8_t* p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

constexpr int32_t FileHeaderSize = 14;
constexpr int32_t InfoHeaderSize = 40;

} // namespace

int TBitmap::BitsPerPixelOf(TPixelFormat format)
{
    static constexpr int bits[] = {1, 4, 8, 24, 32};
    return bits[format];
}

int32_t TBitmap::RowBytesOf(int32_t width, TPixelFormat format)
{
    return static_cast<int32_t>((static_cast<int64_t>(width) * BitsPerPixelOf(format) + 31) / 32 * 4);
}

void TBitmap::SetSize(int32_t width, int32_t height)
{
    if (width < 0 || height < 0 || width > MaxDimension || height > MaxDimension ||
        static_cast<int64_t>(width) * height > MaxPixels)
        throw EInvalidGraphic("Les dimensions de l'image ne sont pas valides.");
    std::vector<uint8_t> bits(static_cast<size_t>(RowBytesOf(width, PixelFormat)) *
                              static_cast<size_t>(height));
    Bits = std::move(bits);
    Width = width;
    Height = height;
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == PixelFormat)
        return;
    const int newBits = BitsPerPixelOf(format);
    const bool toPalette = format <= pf8bit;
    if (Width == 0 || Height == 0) {
        PixelFormat = format;
        Palette = toPalette ? GreyPalette(1 << newBits) : std::vector<TRGBEntry>{};
        Bits.assign(static_cast<size_t>(RowBytes()) * static_cast<size_t>(Height), 0);
        return;
    }
    if (toPalette && (!IsPaletted() || BitsPerPixel() > newBits))
        throw EInvalidGraphic("Cette conversion de l'image n'est pas possible.");

    TBitmap converted;
    converted.PixelFormat = format;
    converted.SetSize(Width, Height);
    for (int32_t y = 0; y < Height; ++y) {
        const uint8_t* src = ScanLine(y);
        uint8_t* dst = converted.ScanLine(y);
        const int step = newBits / 8;
        for (int32_t x = 0; x < Width; ++x) {
            if (toPalette) {
                SetPixelIndex(dst, x, newBits, GetPixelIndex(src, x, BitsPerPixel()));
            } else {
                TRGBEntry c = GetPixelColor(x, y);
                uint8_t* p = dst + static_cast<size_t>(x) * step;
                p[0] = c.Blue;
                p[1] = c.Green;
                p[2] = c.Red;
            }
        }
    }
    if (toPalette)
        converted.Palette = std::move(Palette);
    *this = std::move(converted);
}

uint8_t* TBitmap::ScanLine(int32_t row)
{
    return const_cast<uint8_t*>(std::as_const(*this).ScanLine(row));
}

const uint8_t* TBitmap::ScanLine(int32_t row) const
{
    if (row < 0 || row >= Height)
        throw EInvalidGraphic("Ligne hors de l'image.");
    return Bits.data() + static_cast<size_t>(Height - 1 - row) * static_cast<size_t>(RowBytes());
}

TRGBEntry TBitmap::GetPixelColor(int32_t x, int32_t y) const
{
    if (x < 0 || x >= Width)
        throw EInvalidGraphic("Point hors de l'image.");
    const uint8_t* row = ScanLine(y);
    if (IsPaletted()) {
        auto index = static_cast<size_t>(GetPixelIndex(row, x, BitsPerPixel()));
        return index < Palette.size() ? Palette[index] : TRGBEntry{};
    }
    const uint8_t* p = row + static_cast<size_t>(x) * (BitsPerPixel() / 8);
    return {p[2], p[1], p[0]};
}

void TBitmap::SetPalette(std::vector<TRGBEntry> entries)
{
    size_t most = IsPaletted() ? (1u << BitsPerPixel()) : 256;
    if (entries.size() > most || (IsPaletted() && entries.empty()))
        throw EInvalidGraphic("La palette de l'image n'est pas valide.");
    Palette = std::move(entries);
}

void TBitmap::Assign(const TBitmap& source)
{
    if (&source == this)
        return;
    Width = source.Width;
    Height = source.Height;
    PixelFormat = source.PixelFormat;
    Palette = source.Palette;
    Bits = source.Bits;
    Transparent = source.Transparent;
    TransparentColor = source.TransparentColor;
}

void TBitmap::LoadFromStream(TStream& stream)
{
    const int64_t start = stream.GetPosition();
    const int64_t size = stream.GetSize() - start;
    uint8_t header[FileHeaderSize + InfoHeaderSize];
    if (size < static_cast<int64_t>(sizeof header))
        RaiseBadBitmapFile();
    stream.ReadBuffer(header, sizeof header);
    const uint8_t* info = header + FileHeaderSize;
    const uint32_t offBits = GetU32(header + 10);
    const uint32_t infoSize = GetU32(info);
    const auto width = static_cast<int32_t>(GetU32(info + 4));
    const auto rawHeight = static_cast<int32_t>(GetU32(info + 8));
    const int bitCount = GetU16(info + 14);
    const uint32_t used = GetU32(info + 32);
    if (header[0] != 'B' || header[1] != 'M' || infoSize < InfoHeaderSize || GetU16(info + 12) != 1 ||
        GetU32(info + 16) != 0 || width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN)
        RaiseBadBitmapFile();

    TBitmap loaded;
    switch (bitCount) {
    case 1: loaded.PixelFormat = pf1bit; break;
    case 4: loaded.PixelFormat = pf4bit; break;
    case 8: loaded.PixelFormat = pf8bit; break;
    case 24: loaded.PixelFormat = pf24bit; break;
    case 32: loaded.PixelFormat = pf32bit; break;
    default: RaiseBadBitmapFile();
    }
    const int32_t height = rawHeight < 0 ? -rawHeight : rawHeight;
    if (width > MaxDimension || height > MaxDimension || static_cast<int64_t>(width) * height > MaxPixels)
        RaiseBadBitmapFile();
    loaded.SetSize(width, height);

    if (loaded.IsPaletted()) {
        const uint32_t most = 1u << bitCount;
        const uint32_t count = used == 0 ? most : used;
        const int64_t paletteAt = FileHeaderSize + static_cast<int64_t>(infoSize);
        if (count > most || paletteAt + 4 * static_cast<int64_t>(count) > size)
            RaiseBadBitmapFile();
        std::vector<uint8_t> quads(4 * static_cast<size_t>(count));
        stream.SetPosition(start + paletteAt);
        stream.ReadBuffer(quads.data(), static_cast<int32_t>(quads.size()));
        loaded.Palette.resize(count);
        for (uint32_t i = 0; i < count; ++i)
            loaded.Palette[i] = {quads[4 * i + 2], quads[4 * i + 1], quads[4 * i]};
    }

    const int64_t bitsSize = static_cast<int64_t>(loaded.Bits.size());
    if (static_cast<int64_t>(offBits) + bitsSize > size)
        RaiseBadBitmapFile();
    stream.SetPosition(start + offBits);
    stream.ReadBuffer(loaded.Bits.data(), static_cast<int32_t>(bitsSize));
    if (rawHeight < 0) {
        // Top row first in the file.
        const size_t rowBytes = static_cast<size_t>(loaded.RowBytes());
        for (int32_t y = 0; y < height / 2; ++y)
            std::swap_ranges(loaded.Bits.begin() + static_cast<ptrdiff_t>(y * rowBytes),
                             loaded.Bits.begin() + static_cast<ptrdiff_t>((y + 1) * rowBytes),
                             loaded.Bits.begin() + static_cast<ptrdiff_t>((height - 1 - y) * rowBytes));
    }
    *this = std::move(loaded);
}

void TBitmap::SaveToStream(TStream& stream)
{
    if (Empty())
        throw EInvalidGraphic("Une image vide ne peut pas être enregistrée.");
    const uint32_t colours = IsPaletted() ? static_cast<uint32_t>(Palette.size()) : 0;
    const uint32_t offBits = FileHeaderSize + InfoHeaderSize + 4 * colours;
    uint8_t header[FileHeaderSize + InfoHeaderSize] = {'B', 'M'};
    PutU32(header + 2, offBits + static_cast<uint32_t>(Bits.size()));
    PutU32(header + 10, offBits);
    uint8_t* info = header + FileHeaderSize;
    PutU32(info, InfoHeaderSize);
    PutU32(info + 4, static_cast<uint32_t>(Width));
    PutU32(info + 8, static_cast<uint32_t>(Height));
    PutU16(info + 12, 1);
    PutU16(info + 14, static_cast<uint16_t>(BitsPerPixel()));
    PutU32(info + 20, static_cast<uint32_t>(Bits.size()));
    PutU32(info + 24, 3780); // 96 dots per inch
    PutU32(info + 28, 3780);
    PutU32(info + 32, colours);
    stream.WriteBuffer(header, sizeof header);
    std::vector<uint8_t> quads(4 * static_cast<size_t>(colours));
    for (uint32_t i = 0; i < colours; ++i) {
        quads[4 * i] = Palette[i].Blue;
        quads[4 * i + 1] = Palette[i].Green;
        quads[4 * i + 2] = Palette[i].Red;
    }
    stream.WriteBuffer(quads.data(), static_cast<int32_t>(quads.size()));
    stream.WriteBuffer(Bits.data(), static_cast<int32_t>(Bits.size()));
}
