// Readers of clipboard and drop data blocks, bounded by the block's reported size.
#include "core/ClipboardData.h"

#include <cstring>
#include <vector>

#include "classlib/graphics/Bitmap.h"

namespace {

uint32_t U32(const uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24);
}

uint16_t U16(const uint8_t* p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

void Put32(std::string& s, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s.push_back(char((v >> (8 * i)) & 0xFF));
}

void Put16(std::string& s, uint16_t v)
{
    s.push_back(char(v & 0xFF));
    s.push_back(char(v >> 8));
}

// A colour channel of a bit-field pixel scaled to 8 bits; an empty mask gives 0.
struct TChannel {
    uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;
    explicit TChannel(uint32_t mask) : Mask(mask)
    {
        if (!mask)
            return;
        while (!((mask >> Shift) & 1))
            ++Shift;
        while (Shift + Bits < 32 && ((mask >> (Shift + Bits)) & 1))
            ++Bits;
    }
    uint8_t Of(uint32_t pixel) const
    {
        if (!Mask)
            return 0;
        const uint32_t v = (pixel & Mask) >> Shift;
        const uint32_t most = Bits >= 32 ? 0xFFFFFFFFu : (1u << Bits) - 1;
        return uint8_t(uint64_t(v) * 255 / most);
    }
};

// Bit-field masks are contiguous runs of bits that do not overlap.
bool ValidMasks(uint32_t r, uint32_t g, uint32_t b)
{
    if ((r & g) || (r & b) || (g & b) || !(r | g | b))
        return false;
    for (uint32_t m : {r, g, b}) {
        if (!m)
            continue;
        const uint32_t low = m & (~m + 1); // lowest set bit
        if (((m + low) & m) != 0)
            return false; // a gap inside the run
    }
    return true;
}

} // namespace

std::string ReadClipboardText(const uint8_t* data, size_t size)
{
    if (!data)
        return {};
    const void* zero = std::memchr(data, 0, size);
    const size_t n = zero ? size_t(static_cast<const uint8_t*>(zero) - data) : size;
    return std::string(reinterpret_cast<const char*>(data), n);
}

std::u16string ReadClipboardUnicodeText(const uint8_t* data, size_t size)
{
    std::u16string text;
    if (!data)
        return text;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const char16_t c = char16_t(data[i] | (data[i + 1] << 8));
        if (c == 0)
            break;
        text.push_back(c);
    }
    return text;
}

bool ReadClipboardDib(const uint8_t* data, size_t size, TBitmap& bitmap)
{
    if (!data || size < 12)
        return false;
    const uint32_t headerSize = U32(data);
    if (headerSize > size)
        return false;
    int64_t width = 0, height = 0;
    uint32_t bitCount = 0, compression = 0, used = 0;
    size_t entrySize = 4;
    uint32_t masks[3] = {};
    bool masksInHeader = false;
    if (headerSize == 12) {
        // The old core header: 16-bit sizes and a table of three-byte entries.
        width = U16(data + 4);
        height = int16_t(U16(data + 6));
        if (U16(data + 8) != 1)
            return false;
        bitCount = U16(data + 10);
        entrySize = 3;
    } else if (headerSize >= 40) {
        width = int32_t(U32(data + 4));
        height = int32_t(U32(data + 8));
        if (U16(data + 12) != 1)
            return false;
        bitCount = U16(data + 14);
        compression = U32(data + 16);
        used = U32(data + 32);
        if (headerSize >= 52) {
            masks[0] = U32(data + 40);
            masks[1] = U32(data + 44);
            masks[2] = U32(data + 48);
            masksInHeader = true;
        }
    } else {
        return false;
    }
    const bool bitFields = compression == 3;
    if (compression != 0 && !bitFields)
        return false; // compressed rows are not read from the clipboard
    if (bitFields && bitCount != 16 && bitCount != 32)
        return false;
    const bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (width <= 0 || height <= 0 || width > TBitmap::MaxDimension || height > TBitmap::MaxDimension ||
        width * height > TBitmap::MaxPixels)
        return false;

    uint64_t at = headerSize;
    if (bitFields && !masksInHeader) {
        if (at + 12 > size)
            return false;
        masks[0] = U32(data + at);
        masks[1] = U32(data + at + 4);
        masks[2] = U32(data + at + 8);
        at += 12;
    }
    if (!bitFields && (bitCount == 16 || bitCount == 32)) {
        // Without bit fields: 5-5-5 for 16 bits, 8-8-8 for 32.
        if (bitCount == 16) {
            masks[0] = 0x7C00;
            masks[1] = 0x03E0;
            masks[2] = 0x001F;
        } else {
            masks[0] = 0xFF0000;
            masks[1] = 0x00FF00;
            masks[2] = 0x0000FF;
        }
    }
    if ((bitCount == 16 || bitCount == 32) && !ValidMasks(masks[0], masks[1], masks[2]))
        return false;
    if (bitCount == 16 && ((masks[0] | masks[1] | masks[2]) >> 16) != 0)
        return false;

    TPixelFormat format;
    switch (bitCount) {
    case 1: format = pf1bit; break;
    case 4: format = pf4bit; break;
    case 8: format = pf8bit; break;
    case 16:
    case 24:
    case 32: format = pf24bit; break;
    default: return false;
    }
    // The colour table: for palette depths a count of 0 means the most the depth allows; deeper
    // bitmaps may carry an optional table, which is skipped.
    uint64_t colours = used;
    if (bitCount <= 8) {
        const uint32_t most = 1u << bitCount;
        if (colours == 0)
            colours = most;
        if (colours > 256)
            return false;
    } else if (colours > 256) {
        return false;
    }
    if (at + colours * entrySize > size)
        return false;
    const uint8_t* table = data + at;
    at += colours * entrySize;

    const uint64_t stride = ((uint64_t(width) * bitCount + 31) / 32) * 4;
    if (at + stride * uint64_t(height) > size)
        return false;
    const uint8_t* rows = data + at;

    TBitmap made;
    made.SetPixelFormat(format);
    made.SetSize(int32_t(width), int32_t(height));
    if (bitCount <= 8) {
        const uint32_t most = 1u << bitCount;
        const size_t count = size_t(colours < most ? colours : most);
        std::vector<TRGBEntry> palette(count);
        for (size_t i = 0; i < count; ++i)
            palette[i] = {table[i * entrySize + 2], table[i * entrySize + 1], table[i * entrySize]};
        made.SetPalette(palette);
    }
    const TChannel red(masks[0]), green(masks[1]), blue(masks[2]);
    for (int64_t y = 0; y < height; ++y) {
        // Row 0 of the bitmap is the top one; a bottom-up block stores it last.
        const uint8_t* src = rows + stride * uint64_t(topDown ? y : height - 1 - y);
        uint8_t* dst = made.ScanLine(int32_t(y));
        if (bitCount <= 8) {
            std::memcpy(dst, src, size_t(made.RowBytes() < int64_t(stride) ? made.RowBytes() : stride));
            if (colours < (1u << bitCount)) {
                // An index past the table is black.
                for (int32_t x = 0; x < int32_t(width); ++x)
                    if (uint32_t(TBitmap::GetPixelIndex(dst, x, int(bitCount))) >= colours)
                        TBitmap::SetPixelIndex(dst, x, int(bitCount), 0);
            }
        } else if (bitCount == 24) {
            std::memcpy(dst, src, size_t(width) * 3);
        } else {
            for (int64_t x = 0; x < width; ++x) {
                const uint32_t pixel = bitCount == 16 ? U16(src + 2 * x) : U32(src + 4 * x);
                dst[3 * x] = blue.Of(pixel);
                dst[3 * x + 1] = green.Of(pixel);
                dst[3 * x + 2] = red.Of(pixel);
            }
        }
    }
    bitmap = std::move(made);
    return true;
}

std::string WriteClipboardDib(const TBitmap& bitmap)
{
    std::string out;
    const bool paletted = bitmap.IsPaletted();
    const uint32_t colours = paletted ? uint32_t(bitmap.GetPalette().size()) : 0;
    Put32(out, 40);
    Put32(out, uint32_t(bitmap.GetWidth()));
    Put32(out, uint32_t(bitmap.GetHeight()));
    Put16(out, 1);
    Put16(out, uint16_t(bitmap.BitsPerPixel()));
    Put32(out, 0);
    Put32(out, uint32_t(bitmap.GetBits().size()));
    Put32(out, 3780);
    Put32(out, 3780);
    Put32(out, colours);
    Put32(out, 0);
    for (const TRGBEntry& e : bitmap.GetPalette()) {
        if (!paletted)
            break;
        out.push_back(char(e.Blue));
        out.push_back(char(e.Green));
        out.push_back(char(e.Red));
        out.push_back(0);
    }
    out.append(reinterpret_cast<const char*>(bitmap.GetBits().data()), bitmap.GetBits().size());
    return out;
}

bool ReadFileGroupDescriptor(const uint8_t* data, size_t size, TFileGroupInfo& info)
{
    // A count, then one 332-byte descriptor per item, its flags first.
    constexpr uint64_t DescriptorSize = 332;
    if (!data || size < 4)
        return false;
    const uint32_t count = U32(data);
    if (4 + uint64_t(count) * DescriptorSize > size)
        return false;
    info.Count = count;
    info.FirstFlags = count ? U32(data + 4) : 0;
    return true;
}

bool IsSingleDraggedLink(const uint8_t* data, size_t size)
{
    TFileGroupInfo info;
    return ReadFileGroupDescriptor(data, size, info) && info.Count == 1 &&
           (info.FirstFlags & FileDescriptorLinkFlag) != 0;
}
