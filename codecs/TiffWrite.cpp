// Writing TIFF files: one LZW strip of 24-bit RGB pixels with horizontal differencing.
#include <cstring>

#include "codecs/ScreenResolution.h"
#include "codecs/Tiff.h"

namespace {

class TLittleEndianWriter {
public:
    std::vector<uint8_t> Bytes;
    size_t Position() const { return Bytes.size(); }
    void U16(uint32_t v)
    {
        Bytes.push_back(uint8_t(v));
        Bytes.push_back(uint8_t(v >> 8));
    }
    void U32(uint32_t v)
    {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void Entry(uint16_t tag, uint16_t type, uint32_t count, uint32_t value)
    {
        U16(tag);
        U16(type);
        U32(count);
        // A SHORT value lies in the first two bytes of the field.
        if (type == 3 && count == 1) {
            U16(value);
            U16(0);
        } else {
            U32(value);
        }
    }
};

} // namespace

std::vector<uint8_t> EncodeTiff(const TBitmap& source, uint32_t dotsPerInchX, uint32_t dotsPerInchY)
{
    TBitmap bitmap;
    bitmap.Assign(source);
    bitmap.SetPixelFormat(pf24bit);
    const uint32_t width = uint32_t(bitmap.GetWidth()), height = uint32_t(bitmap.GetHeight());

    // Rows from the top, red, green, blue, each byte less the same channel of the pixel to its left.
    std::vector<uint8_t> pixels;
    pixels.reserve(size_t(width) * height * 3);
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* row = bitmap.ScanLine(int32_t(y));
        for (uint32_t x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) {
                const uint8_t value = row[3 * x + 2 - c];
                pixels.push_back(x == 0 ? value : uint8_t(value - row[3 * (x - 1) + 2 - c]));
            }
    }
    const std::vector<uint8_t> strip = TiffLzwEncode(pixels);

    TLittleEndianWriter out;
    out.Bytes.resize(8);
    const uint32_t bitsAt = uint32_t(out.Position());
    for (int i = 0; i < 3; ++i)
        out.U16(8);
    const uint32_t stripAt = uint32_t(out.Position());
    out.Bytes.insert(out.Bytes.end(), strip.begin(), strip.end());
    const uint32_t rationalsAt = uint32_t(out.Position());
    const uint32_t rationals[4][2] = {{dotsPerInchX, 1}, {dotsPerInchY, 1}, {0, 10000}, {0, 10000}};
    for (const auto& r : rationals) {
        out.U32(r[0]);
        out.U32(r[1]);
    }
    if (out.Position() & 1)
        out.Bytes.push_back(0);
    const uint32_t directoryAt = uint32_t(out.Position());
    const uint8_t header[8] = {'I',
                               'I',
                               42,
                               0,
                               uint8_t(directoryAt),
                               uint8_t(directoryAt >> 8),
                               uint8_t(directoryAt >> 16),
                               uint8_t(directoryAt >> 24)};
    std::memcpy(out.Bytes.data(), header, 8);

    out.U16(15);
    out.Entry(256, 4, 1, width);
    out.Entry(257, 4, 1, height);
    out.Entry(258, 3, 3, bitsAt);
    out.Entry(259, 3, 1, 5);
    out.Entry(262, 3, 1, 2);
    out.Entry(273, 4, 1, stripAt);
    out.Entry(277, 3, 1, 3);
    out.Entry(278, 4, 1, height);
    out.Entry(279, 4, 1, uint32_t(strip.size()));
    out.Entry(282, 5, 1, rationalsAt);
    out.Entry(283, 5, 1, rationalsAt + 8);
    out.Entry(286, 5, 1, rationalsAt + 16);
    out.Entry(287, 5, 1, rationalsAt + 24);
    out.Entry(296, 3, 1, 2);
    out.Entry(317, 3, 1, 2);
    out.U32(0);
    return std::move(out.Bytes);
}

// Offsets count from where the file starts in the stream, so that the reader, which starts there too, finds
// them again.
void TTiffImage::SaveToStream(TStream& stream)
{
    const std::vector<uint8_t> file = EncodeTiff(*this, ScreenDotsPerInch(true), ScreenDotsPerInch(false));
    stream.WriteBuffer(file.data(), int32_t(file.size()));
}
