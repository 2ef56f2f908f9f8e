// Reading PCX files: the header, the run-length coded planes and the 16- or 256-colour palette.
#include "codecs/PCX.h"

#include <algorithm>

#include "codecs/PictureBytes.h"

namespace {

constexpr size_t HeaderSize = 128;
constexpr size_t LongPaletteSize = 768;

// The run-length packets of the picture data, read a scan line at a time; a run may go on into the next line,
// and data that ends early leaves the rest of the picture 0.
class TPCXRuns {
public:
    TPCXRuns(const uint8_t* data, size_t size) : Data(data), Size(size) {}
    void Fill(uint8_t* line, size_t count)
    {
        size_t done = 0;
        while (done < count) {
            if (RunLeft > 0) {
                const size_t take = std::min(RunLeft, count - done);
                std::fill_n(line + done, take, RunByte);
                done += take;
                RunLeft -= take;
                continue;
            }
            if (Pos >= Size) {
                std::fill(line + done, line + count, uint8_t(0));
                return;
            }
            const uint8_t b = Data[Pos++];
            if ((b & 0xC0) == 0xC0) {
                RunLeft = b & 63;
                RunByte = Pos < Size ? Data[Pos++] : 0;
            } else {
                line[done++] = b;
            }
        }
    }

private:
    const uint8_t* Data;
    size_t Size;
    size_t Pos = 0;
    size_t RunLeft = 0;
    uint8_t RunByte = 0;
};

} // namespace

void DecodePCX(const uint8_t* data, size_t size, TBitmap& result)
{
    const TByteView v(data, size);
    if (size < HeaderSize)
        Abort();
    const int version = v.U8(1), bits = v.U8(3), planes = v.U8(65);
    if (v.U8(0) != 10 || (version != 0 && version != 2 && version != 5) ||
        (planes != 1 && planes != 3 && planes != 4))
        Abort();
    const int64_t width = int64_t(v.U16LE(8)) - v.U16LE(4) + 1;
    const int64_t height = int64_t(v.U16LE(10)) - v.U16LE(6) + 1;
    const size_t bytesPerLine = v.U16LE(66);
    if (bits < 1 || bits > 8 || width < 1)
        Abort();
    // Pixels past the bytes of a plane line read as 0.
    const int64_t pixelsPerLine = int64_t(bytesPerLine) * 8 / bits;
    const int product = bits * planes;
    const TPixelFormat format = product == 1 || product == 4 || (bits == 2 && planes == 1) ? pf4bit
                                : product == 8                                             ? pf8bit
                                                                                           : pf24bit;
    TBitmap bitmap = MakePictureBitmap(format, width, height);
    if (format == pf4bit) {
        std::vector<TRGBEntry> palette(16);
        for (size_t i = 0; i < 16; ++i)
            palette[i] = {v.U8(16 + 3 * i), v.U8(17 + 3 * i), v.U8(18 + 3 * i)};
        bitmap.SetPalette(std::move(palette));
    } else if (format == pf8bit) {
        // The 256 colours end the file; a file too short to hold them after its header has grey levels.
        std::vector<TRGBEntry> palette(256);
        const bool held = size >= HeaderSize + LongPaletteSize;
        const size_t at = size - LongPaletteSize;
        for (size_t i = 0; i < 256; ++i)
            palette[i] = held ? TRGBEntry{data[at + 3 * i], data[at + 3 * i + 1], data[at + 3 * i + 2]}
                              : TRGBEntry{uint8_t(i), uint8_t(i), uint8_t(i)};
        bitmap.SetPalette(std::move(palette));
    }

    TPCXRuns runs(data + HeaderSize, size - HeaderSize);
    std::vector<uint8_t> line(bytesPerLine * size_t(planes));
    const int maxSample = (1 << bits) - 1;
    for (int64_t y = 0; y < height; ++y) {
        runs.Fill(line.data(), line.size());
        uint8_t* row = bitmap.ScanLine(int32_t(y));
        for (int64_t x = 0; x < std::min(width, pixelsPerLine); ++x) {
            // The sample of each plane at pixel X.
            auto sample = [&](int plane) -> int {
                const uint8_t* p = line.data() + size_t(plane) * bytesPerLine;
                switch (bits) {
                case 8: return p[x];
                case 4: return (p[x / 2] >> ((x & 1) ? 0 : 4)) & 15;
                case 2: return (p[x / 4] >> (6 - 2 * (x & 3))) & 3;
                default: return (p[x / 8] >> (7 - (x & 7))) & 1;
                }
            };
            if (format == pf24bit) {
                uint8_t* px = row + 3 * x;
                for (int plane = 0; plane < 3 && plane < planes; ++plane)
                    px[2 - plane] = uint8_t(sample(plane) * 255 / maxSample);
                continue;
            }
            int value = 0;
            const int shift = bits == 4 ? 4 : bits == 8 ? 8 : bits == 2 ? 2 : 1;
            for (int plane = planes - 1; plane >= 0; --plane)
                value |= sample(plane) << (shift * plane);
            TBitmap::SetPixelIndex(row, int32_t(x), format == pf8bit ? 8 : 4, value);
        }
    }
    result = std::move(bitmap);
}

void TPCXImage::LoadFromStream(TStream& stream)
{
    const std::vector<uint8_t> bytes = ReadPictureBytes(stream);
    TBitmap decoded;
    DecodePCX(bytes.data(), bytes.size(), decoded);
    TBitmap::Assign(decoded);
}
