// Metafiles, icons, cursors and animated cursors read into pictures, every read bounded by the file's
// size.
#include "editing/PictureFiles.h"

#include <algorithm>
#include <cstring>

#include "classlib/graphics/Bitmap.h"
#include "classlib/runtime/Streams.h"
#include "codecs/PNG.h"
#include "document/DocObjects.h"

namespace {

uint32_t U32(const std::vector<uint8_t>& b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

uint16_t U16(const std::vector<uint8_t>& b, size_t at)
{
    return uint16_t(b[at] | b[at + 1] << 8);
}

int32_t TwipsOf(int64_t units, int64_t perInch)
{
    if (perInch <= 0)
        return 0;
    return int32_t(std::clamp<int64_t>(units * 1440 / perInch, 0, INT32_MAX));
}

constexpr uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr size_t PlaceableHeaderSize = 22;
constexpr int32_t HiMetricPerInch = 2540;

void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

// One image of an icon file: a PNG, or a device-independent bitmap twice as high as the icon (the colours,
// then a one-bit mask where 1 lets the background through).
std::unique_ptr<TBitmap> IconImage(const std::vector<uint8_t>& file, size_t at, size_t size)
{
    static const uint8_t pngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    const std::vector<uint8_t> image(file.begin() + std::ptrdiff_t(at),
                                     file.begin() + std::ptrdiff_t(at + size));
    if (size >= 8 && std::memcmp(image.data(), pngSignature, 8) == 0) {
        auto png = std::make_unique<TPNGImage>();
        if (!DecodePng(image.data(), image.size(), *png))
            return nullptr;
        return png;
    }
    if (size < 40 || U32(image, 0) < 40)
        return nullptr;
    const uint32_t headerSize = U32(image, 0);
    const int32_t width = int32_t(U32(image, 4)), doubled = int32_t(U32(image, 8));
    const int bits = U16(image, 14);
    const uint32_t compression = U32(image, 16);
    if (width <= 0 || width > 1024 || doubled <= 0 || doubled > 2048 || compression != 0 ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) || headerSize > size)
        return nullptr;
    const int32_t height = doubled / 2;
    uint32_t colours = U32(image, 32);
    if (bits <= 8 && (colours == 0 || colours > (1u << bits)))
        colours = 1u << bits;
    if (bits > 8)
        colours = 0;
    const size_t paletteBytes = size_t(colours) * 4;
    const size_t rowBytes = (size_t(width) * size_t(bits) + 31) / 32 * 4;
    const size_t maskRow = (size_t(width) + 31) / 32 * 4;
    const size_t colourBytes = rowBytes * size_t(height);
    const size_t pixels = headerSize + paletteBytes;
    if (pixels + colourBytes > size)
        return nullptr;
    // The colour half as a bitmap file of its own.
    std::vector<uint8_t> bmp(14 + 40 + paletteBytes + colourBytes, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    PutU32(bmp, 2, uint32_t(bmp.size()));
    PutU32(bmp, 10, uint32_t(14 + 40 + paletteBytes));
    std::memcpy(bmp.data() + 14, image.data(), 40);
    PutU32(bmp, 14 + 0, 40);
    PutU32(bmp, 14 + 8, uint32_t(height));
    PutU32(bmp, 14 + 20, uint32_t(colourBytes));
    PutU32(bmp, 14 + 32, colours);
    std::memcpy(bmp.data() + 54, image.data() + headerSize, paletteBytes + colourBytes);
    auto bitmap = std::make_unique<TBitmap>();
    TMemoryStream stream;
    stream.Write(bmp.data(), int32_t(bmp.size()));
    stream.SetPosition(0);
    bitmap->LoadFromStream(stream);
    bitmap->SetPixelFormat(pf24bit);
    // The background shows through as white: where the mask says so, and by the alpha of 32-bit icons.
    const bool mask = pixels + colourBytes + maskRow * size_t(height) <= size;
    bool alpha = false;
    if (bits == 32)
        for (int32_t y = 0; y < height && !alpha; ++y)
            for (int32_t x = 0; x < width && !alpha; ++x)
                alpha = image[pixels + size_t(y) * rowBytes + size_t(x) * 4 + 3] != 0;
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = bitmap->ScanLine(height - 1 - y); // file rows run from the bottom
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* p = row + size_t(x) * 3;
            if (alpha) {
                const int a = image[pixels + size_t(y) * rowBytes + size_t(x) * 4 + 3];
                for (int c = 0; c < 3; ++c)
                    p[c] = uint8_t((p[c] * a + 255 * (255 - a)) / 255);
            } else if (mask) {
                const uint8_t m = image[pixels + colourBytes + size_t(y) * maskRow + size_t(x) / 8];
                if (m & (0x80 >> (x % 8)))
                    p[0] = p[1] = p[2] = 255;
            }
        }
    }
    return bitmap;
}

} // namespace

bool LoadMetafilePicture(const std::vector<uint8_t>& bytes, bool windowsMetafile, TDocObject& object)
{
    if (!windowsMetafile) {
        // The enhanced metafile's header: record type 1, the frame in hundredths of a millimetre, " EMF".
        if (bytes.size() < 88 || U32(bytes, 0) != 1 || U32(bytes, 40) != 0x464D4520)
            return false;
        const int64_t width = int64_t(int32_t(U32(bytes, 32))) - int32_t(U32(bytes, 24));
        const int64_t height = int64_t(int32_t(U32(bytes, 36))) - int32_t(U32(bytes, 28));
        object.Width = TwipsOf(width, HiMetricPerInch);
        object.Height = TwipsOf(height, HiMetricPerInch);
        object.Image->SetMetafileBits(bytes, false, TMetafileHeader{});
        return object.Width > 0 && object.Height > 0;
    }
    std::vector<uint8_t> bits = bytes;
    TMetafileHeader header;
    if (bytes.size() >= PlaceableHeaderSize && U32(bytes, 0) == PlaceableKey) {
        // The placeable header gives the size: a box in units of which Inch make an inch.
        const int64_t width = int64_t(int16_t(U16(bytes, 10))) - int16_t(U16(bytes, 6));
        const int64_t height = int64_t(int16_t(U16(bytes, 12))) - int16_t(U16(bytes, 8));
        const int64_t inch = U16(bytes, 14);
        object.Width = TwipsOf(width, inch);
        object.Height = TwipsOf(height, inch);
        bits.erase(bits.begin(), bits.begin() + PlaceableHeaderSize);
    } else {
        object.Width = object.Height = 1440; // a metafile that does not say its size: one inch square
    }
    // The metafile header: type 1 or 2, 9 words long, version 0x100 or 0x300.
    if (bits.size() < 18 || (U16(bits, 0) != 1 && U16(bits, 0) != 2) || U16(bits, 2) != 9 ||
        (U16(bits, 4) != 0x100 && U16(bits, 4) != 0x300) || object.Width <= 0 || object.Height <= 0)
        return false;
    header.XExt = int32_t(int64_t(object.Width) * HiMetricPerInch / 1440);
    header.YExt = int32_t(int64_t(object.Height) * HiMetricPerInch / 1440);
    object.Image->SetMetafileBits(bits, true, header);
    return true;
}

std::unique_ptr<TBitmap> IconFileBitmap(const std::vector<uint8_t>& bytes)
{
    // The directory: reserved 0, type 1 (icon) or 2 (cursor), the count, then 16 bytes per image.
    if (bytes.size() < 6 || U16(bytes, 0) != 0 || (U16(bytes, 2) != 1 && U16(bytes, 2) != 2))
        return nullptr;
    const size_t count = U16(bytes, 4);
    if (count == 0 || 6 + count * 16 > bytes.size())
        return nullptr;
    size_t best = count;
    int64_t bestArea = -1;
    for (size_t i = 0; i < count; ++i) {
        const size_t entry = 6 + i * 16;
        const int64_t w = bytes[entry] ? bytes[entry] : 256, h = bytes[entry + 1] ? bytes[entry + 1] : 256;
        const uint64_t size = U32(bytes, entry + 8), offset = U32(bytes, entry + 12);
        if (offset + size <= bytes.size() && w * h > bestArea) {
            best = i;
            bestArea = w * h;
        }
    }
    if (best == count)
        return nullptr;
    const size_t entry = 6 + best * 16;
    return IconImage(bytes, U32(bytes, entry + 12), U32(bytes, entry + 8));
}

std::unique_ptr<TBitmap> AnimatedCursorBitmap(const std::vector<uint8_t>& bytes)
{
    // "RIFF" size "ACON", then chunks; the frames are "icon" chunks inside a "LIST" of type "fram".
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "ACON", 4) != 0)
        return nullptr;
    size_t at = 12;
    const size_t end = std::min<size_t>(bytes.size(), size_t(U32(bytes, 4)) + 8);
    while (at + 8 <= end) {
        const size_t size = U32(bytes, at + 4);
        const size_t body = at + 8;
        if (size > end - body)
            return nullptr;
        if (std::memcmp(bytes.data() + at, "LIST", 4) == 0 && size >= 4 &&
            std::memcmp(bytes.data() + body, "fram", 4) == 0) {
            for (size_t inner = body + 4; inner + 8 <= body + size;) {
                const size_t length = U32(bytes, inner + 4);
                if (length > body + size - inner - 8)
                    return nullptr;
                if (std::memcmp(bytes.data() + inner, "icon", 4) == 0)
                    return IconFileBitmap(
                        std::vector<uint8_t>(bytes.begin() + std::ptrdiff_t(inner + 8),
                                             bytes.begin() + std::ptrdiff_t(inner + 8 + length)));
                inner += 8 + length + (length & 1);
            }
            return nullptr;
        }
        at = body + size + (size & 1);
    }
    return nullptr;
}
