// Reading Targa files: the header, the colour map kept at 6 bits per channel, and the rows, raw or in
// run-length packets.
#include "codecs/Targa.h"

#include <algorithm>
#include <cstring>

#include "codecs/PictureBytes.h"

namespace {

constexpr size_t HeaderSize = 18;

// The picture's units (pixels, or bytes of eight pixels at depth 1) in the file's order, raw or from
// run-length packets; no packet goes past the picture, and data that ends early leaves the rest 0.
class TTargaUnits {
public:
    TTargaUnits(const uint8_t* data, size_t size, size_t unit, bool packed)
        : Data(data), Size(size), Unit(unit), Packed(packed)
    {}
    void Fill(uint8_t* out, size_t count)
    {
        std::memset(out, 0, count * Unit);
        for (size_t done = 0; done < count;) {
            if (!Packed) {
                const size_t take = std::min(count - done, (Size - Pos) / Unit);
                std::memcpy(out + done * Unit, Data + Pos, take * Unit);
                Pos += take * Unit;
                return;
            }
            if (Left == 0) {
                if (Pos >= Size)
                    return;
                const uint8_t header = Data[Pos++];
                Left = size_t(header & 0x7F) + 1;
                Repeat = (header & 0x80) != 0;
                if (Repeat) {
                    if (Unit > Size - Pos)
                        return;
                    std::memcpy(Value, Data + Pos, Unit);
                    Pos += Unit;
                }
            }
            const size_t take = std::min(Left, count - done);
            for (size_t i = 0; i < take; ++i, ++done) {
                if (Repeat) {
                    std::memcpy(out + done * Unit, Value, Unit);
                } else {
                    if (Unit > Size - Pos)
                        return;
                    std::memcpy(out + done * Unit, Data + Pos, Unit);
                    Pos += Unit;
                }
            }
            Left -= take;
        }
    }

private:
    const uint8_t* Data;
    size_t Size;
    size_t Unit;
    bool Packed;
    size_t Pos = 0;
    size_t Left = 0;
    bool Repeat = false;
    uint8_t Value[4] = {};
};

} // namespace

void DecodeTarga(const uint8_t* data, size_t size, TBitmap& result)
{
    const TByteView v(data, size);
    if (size < HeaderSize)
        Abort();
    const int mapType = v.U8(1), type = v.U8(2), depth = v.U8(16), descriptor = v.U8(17);
    const uint32_t firstIndex = v.U16LE(3), mapLength = v.U16LE(5), entryBits = v.U8(7);
    const int64_t width = v.U16LE(12), height = v.U16LE(14);
    if (type != 1 && type != 2 && type != 3 && type != 9 && type != 10 && type != 11)
        Abort();
    if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32)
        Abort();
    // Depth 4 has no row layout of its own.
    if (depth == 4)
        Abort();
    size_t pos = HeaderSize + v.U8(0);

    // The colour map at 6 bits per channel, from 15- or 16-bit and 24-bit entries; entries past 256, and
    // entries of other sizes, are skipped by their real size.
    std::vector<TRGBEntry> palette(256);
    if (mapType == 1) {
        const size_t entryBytes = (entryBits + 7) / 8;
        for (uint32_t i = 0; i < mapLength; ++i, pos += entryBytes) {
            const uint32_t index = firstIndex + i;
            if (index >= 256 || !v.Holds(pos, entryBytes))
                continue;
            if (entryBits == 15 || entryBits == 16) {
                const uint16_t e = v.U16LE(pos);
                palette[index] = {uint8_t(((e >> 10) & 31) * 2), uint8_t(((e >> 5) & 31) * 2),
                                  uint8_t((e & 31) * 2)};
            } else if (entryBits == 24) {
                palette[index] = {uint8_t(v.U8(pos + 2) / 4), uint8_t(v.U8(pos + 1) / 4),
                                  uint8_t(v.U8(pos) / 4)};
            }
        }
    } else if (depth == 8) {
        for (int i = 0; i < 256; ++i) {
            const uint8_t g = uint8_t(i * 63 / 255);
            palette[size_t(i)] = {g, g, g};
        }
    }
    if (depth == 1) {
        palette[0] = {0, 0, 0};
        palette[1] = {63, 63, 63};
    }

    const TPixelFormat format = depth == 1 ? pf1bit : depth == 8 ? pf8bit : pf24bit;
    TBitmap bitmap = MakePictureBitmap(format, width, height);
    if (format == pf1bit) {
        bitmap.SetPalette({{0, 0, 0}, {255, 255, 255}});
    } else if (format == pf8bit) {
        std::vector<TRGBEntry> entries(256);
        for (size_t i = 0; i < 256; ++i)
            entries[i] = {uint8_t(palette[i].Red * 4), uint8_t(palette[i].Green * 4),
                          uint8_t(palette[i].Blue * 4)};
        bitmap.SetPalette(std::move(entries));
    } else {
        // A display palette of 8 red, 8 green and 4 blue levels.
        std::vector<TRGBEntry> entries;
        for (int r = 0; r < 8; ++r)
            for (int g = 0; g < 8; ++g)
                for (int b = 0; b < 4; ++b)
                    entries.push_back({uint8_t(((r + 1) * 8 - 1) * 4), uint8_t(((g + 1) * 8 - 1) * 4),
                                       uint8_t(((b + 1) * 16 - 1) * 4)});
        bitmap.SetPalette(std::move(entries));
    }

    const size_t unit = depth == 1 ? 1 : size_t(depth / 8);
    const size_t unitsPerRow = depth == 1 ? size_t(width + 7) / 8 : size_t(width);
    TTargaUnits units(data + std::min(pos, size), size - std::min(pos, size), unit, type >= 9);
    std::vector<uint8_t> raw(unitsPerRow * unit);
    const bool mirrored = (descriptor & 0x10) != 0, topDown = (descriptor & 0x20) != 0;
    for (int64_t r = 0; r < height; ++r) {
        units.Fill(raw.data(), unitsPerRow);
        uint8_t* row = bitmap.ScanLine(int32_t(topDown ? r : height - 1 - r));
        for (int64_t i = 0; i < width; ++i) {
            const int64_t x = mirrored ? width - 1 - i : i;
            switch (depth) {
            case 1:
                TBitmap::SetPixelIndex(row, int32_t(x), 1, (raw[size_t(i / 8)] >> (7 - (i & 7))) & 1);
                break;
            case 8: row[x] = raw[size_t(i)]; break;
            case 16: {
                const uint16_t p = uint16_t(raw[size_t(2 * i)] | (raw[size_t(2 * i + 1)] << 8));
                row[3 * x] = uint8_t((p & 31) * 8);
                row[3 * x + 1] = uint8_t(((p >> 5) & 31) * 8);
                row[3 * x + 2] = uint8_t(((p >> 10) & 31) * 8);
                break;
            }
            default: std::memcpy(row + 3 * x, raw.data() + size_t(i) * unit, 3);
            }
        }
    }
    result = std::move(bitmap);
}

void TTargaImage::LoadFromStream(TStream& stream)
{
    const std::vector<uint8_t> bytes = ReadPictureBytes(stream);
    TBitmap decoded;
    DecodeTarga(bytes.data(), bytes.size(), decoded);
    TBitmap::Assign(decoded);
}
