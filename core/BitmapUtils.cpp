// Colour reduction, rotation and lightening of bitmaps.
#include "core/BitmapUtils.h"

#include <algorithm>
#include <unordered_set>

#include "classlib/graphics/Bitmap.h"
#include "classlib/runtime/Streams.h"

namespace {

constexpr uint32_t White = 0xFFFFFF;
constexpr size_t MaxPaletteColors = 256;

uint32_t ColorValue(const TRGBEntry& c)
{
    return (static_cast<uint32_t>(c.Red) << 16) | (static_cast<uint32_t>(c.Green) << 8) | c.Blue;
}

void PutU32(std::vector<uint8_t>& out, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

void PutU16(std::vector<uint8_t>& out, size_t at, uint16_t v)
{
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}

} // namespace

void CollectDistinctColors(const TBitmap& bitmap, std::vector<uint32_t>& colors)
{
    std::unordered_set<uint32_t> seen(colors.begin(), colors.end());
    auto add = [&](uint32_t color) {
        if (seen.insert(color).second)
            colors.push_back(color);
    };
    for (int32_t y = bitmap.GetHeight() - 1; y >= 0 && colors.size() <= MaxPaletteColors; --y)
        for (int32_t x = bitmap.GetWidth() - 1; x >= 0; --x)
            add(ColorValue(bitmap.GetPixelColor(x, y)));
    if (bitmap.Transparent)
        add(White);
}

void BuildPalettedDIB(const TBitmap& bitmap, std::vector<uint32_t>& colors, std::vector<uint8_t>& info,
                      std::vector<uint8_t>& bits)
{
    std::sort(colors.begin(), colors.end());
    const TPixelFormat format = colors.size() <= 2 ? pf1bit : colors.size() <= 16 ? pf4bit : pf8bit;
    const int bitCount = TBitmap::BitsPerPixelOf(format);
    const int32_t width = bitmap.GetWidth(), height = bitmap.GetHeight();
    const int32_t rowBytes = TBitmap::RowBytesOf(width, format);
    const size_t paletteSize = std::min(colors.size(), MaxPaletteColors);

    info.assign(40 + 4 * paletteSize, 0);
    PutU32(info, 0, 40);
    PutU32(info, 4, static_cast<uint32_t>(width));
    PutU32(info, 8, static_cast<uint32_t>(height));
    PutU16(info, 12, 1);
    PutU16(info, 14, static_cast<uint16_t>(bitCount));
    PutU32(info, 20, static_cast<uint32_t>(rowBytes) * static_cast<uint32_t>(height));
    PutU32(info, 32, static_cast<uint32_t>(paletteSize));
    for (size_t i = 0; i < paletteSize; ++i)
        PutU32(info, 40 + 4 * i, colors[i]);

    const uint32_t transparent = ColorValue(bitmap.TransparentColor);
    bits.assign(static_cast<size_t>(rowBytes) * static_cast<size_t>(height), 0);
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = bits.data() + static_cast<size_t>(height - 1 - y) * static_cast<size_t>(rowBytes);
        for (int32_t x = 0; x < width; ++x) {
            uint32_t color = ColorValue(bitmap.GetPixelColor(x, y));
            if (bitmap.Transparent && color == transparent)
                color = White;
            const auto found =
                std::lower_bound(colors.begin(), colors.begin() + static_cast<ptrdiff_t>(paletteSize), color);
            const int index =
                found != colors.end() && *found == color ? static_cast<int>(found - colors.begin()) : 0;
            TBitmap::SetPixelIndex(row, x, bitCount, index);
        }
    }
}

void ReduceBitmapColors(TBitmap& bitmap)
{
    bitmap.SetPixelFormat(pf24bit);
    if (bitmap.Empty())
        return;
    std::vector<uint32_t> colors;
    CollectDistinctColors(bitmap, colors);
    if (colors.size() > MaxPaletteColors)
        return;
    std::vector<uint8_t> info, bits;
    BuildPalettedDIB(bitmap, colors, info, bits);

    std::vector<uint8_t> file(14, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutU32(file, 2, static_cast<uint32_t>(14 + info.size() + bits.size()));
    PutU32(file, 10, static_cast<uint32_t>(14 + info.size()));
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), static_cast<int32_t>(file.size()));
    stream.WriteBuffer(info.data(), static_cast<int32_t>(info.size()));
    stream.WriteBuffer(bits.data(), static_cast<int32_t>(bits.size()));
    stream.SetPosition(0);
    const bool transparent = bitmap.Transparent;
    bitmap.LoadFromStream(stream);
    // The transparent pixels are white now.
    bitmap.Transparent = transparent;
    if (transparent)
        bitmap.TransparentColor = {255, 255, 255};
}

void RotateBitmapLeft(TBitmap& bitmap)
{
    if (bitmap.GetPixelFormat() == pf1bit || bitmap.GetPixelFormat() == pf4bit)
        bitmap.SetPixelFormat(pf8bit);
    const int32_t width = bitmap.GetWidth(), height = bitmap.GetHeight();
    const int bytes = bitmap.BitsPerPixel() / 8;
    TBitmap turned;
    turned.SetPixelFormat(bitmap.GetPixelFormat());
    if (bitmap.IsPaletted())
        turned.SetPalette(bitmap.GetPalette());
    turned.SetSize(height, width);
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* src = bitmap.ScanLine(y);
        for (int32_t x = 0; x < width; ++x)
            std::copy_n(src + x * bytes, bytes, turned.ScanLine(width - 1 - x) + y * bytes);
    }
    turned.Transparent = bitmap.Transparent;
    turned.TransparentColor = bitmap.TransparentColor;
    bitmap.Assign(turned);
}

void LightenBitmap(TBitmap& bitmap)
{
    bitmap.SetPixelFormat(pf24bit);
    for (int32_t y = 0; y < bitmap.GetHeight(); ++y) {
        uint8_t* row = bitmap.ScanLine(y);
        for (int32_t i = 0; i < bitmap.GetWidth() * 3; ++i)
            row[i] = static_cast<uint8_t>(row[i] + (255 - row[i]) * 7 / 10);
    }
}
