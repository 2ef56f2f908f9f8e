// Pictures of Word documents: the picture header at a picture's location, its Windows metafile, or the
// picture of its drawing records (enhanced or Windows metafile, JPEG, PNG, bitmap), every length checked
// against the stream and compressed data inflated with a cap.
#include <algorithm>
#include <cstring>
#include <zlib.h>

#include "classlib/runtime/Streams.h"
#include "document/DocObjects.h"
#include "codecs/PNG.h"
#include "formats/rtf/RtfPictures.h"
#include "formats/word/WordPictures.h"
#include "formats/word/WordReading.h"

namespace {

constexpr uint32_t kMinPictureHeader = 68;
constexpr uint32_t kMaxInflated = 64 * 1024 * 1024;
constexpr int kMaxRecordDepth = 8;

uint16_t Get16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t Get32(const uint8_t* p)
{
    return p[0] | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Inflates zlib data into at most Cap bytes; false when they are damaged or larger.
bool InflateCapped(const uint8_t* data, size_t size, uint32_t cap, std::vector<uint8_t>& out)
{
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return false;
    out.resize(std::min<uint32_t>(cap, 1 << 20));
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(std::min<size_t>(size, UINT32_MAX));
    int r = Z_OK;
    for (;;) {
        z.next_out = out.data() + z.total_out;
        z.avail_out = static_cast<uInt>(out.size() - z.total_out);
        r = inflate(&z, Z_NO_FLUSH);
        if (r == Z_STREAM_END || (r != Z_OK && r != Z_BUF_ERROR))
            break;
        if (z.avail_out != 0 || out.size() >= cap) {
            r = Z_DATA_ERROR;
            break;
        }
        out.resize(std::min<size_t>(size_t(cap), out.size() * 2));
    }
    out.resize(z.total_out);
    inflateEnd(&z);
    return r == Z_STREAM_END;
}

} // namespace

std::vector<uint8_t> DibAsPng(const uint8_t* p, size_t size)
{
    constexpr int32_t kMaxSide = 16384;
    if (size < 40)
        return {};
    const uint32_t headerSize = Get32(p), compression = Get32(p + 16), used = Get32(p + 32);
    const int32_t width = static_cast<int32_t>(Get32(p + 4)), rawHeight = static_cast<int32_t>(Get32(p + 8));
    const uint16_t bits = Get16(p + 14);
    const bool masks = compression == 3 && bits == 32;
    if (headerSize < 40 || headerSize > size || (compression != 0 && !masks) || width <= 0 ||
        width > kMaxSide || rawHeight == 0 || rawHeight < -kMaxSide || rawHeight > kMaxSide ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
        return {};
    const int32_t height = rawHeight < 0 ? -rawHeight : rawHeight;
    const size_t colors =
        bits <= 8 ? (used > 0 ? std::min<size_t>(used, size_t(1) << bits) : size_t(1) << bits) : 0;
    const size_t paletteAt = headerSize + (masks && headerSize == 40 ? 12 : 0);
    const size_t stride = (size_t(width) * bits + 31) / 32 * 4;
    const size_t pixelsAt = paletteAt + 4 * colors;
    if (pixelsAt > size || stride * size_t(height) > size - pixelsAt)
        return {};
    TPNGImage png;
    png.SetPixelFormat(pf24bit);
    png.SetSize(width, height);
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = p + pixelsAt + stride * size_t(rawHeight > 0 ? height - 1 - y : y);
        uint8_t* out = png.ScanLine(y);
        for (int32_t x = 0; x < width; ++x, out += 3) {
            if (bits >= 24) {
                std::memcpy(out, row + size_t(x) * (bits / 8), 3);
                continue;
            }
            const size_t bit = size_t(x) * bits;
            const size_t index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
            if (index < colors)
                std::memcpy(out, p + paletteAt + 4 * index, 3);
            else
                std::memset(out, 0, 3);
        }
    }
    TMemoryStream stream;
    png.SaveToStream(stream);
    return std::vector<uint8_t>(stream.Memory(), stream.Memory() + stream.GetSize());
}

namespace {

// The picture of a blip record (header at P, its data up to End); false for a kind not read.
bool ReadBlip(const uint8_t* p, const uint8_t* end, TRtfPicture& picture)
{
    if (end - p < 8)
        return false;
    const uint16_t instance = Get16(p) >> 4, type = Get16(p + 2);
    const uint32_t length = Get32(p + 4);
    if (length > uint64_t(end - p - 8))
        return false;
    const uint8_t* data = p + 8;
    const uint8_t* dataEnd = data + length;
    auto skip = [&](uint16_t single, int32_t one, int32_t two) { return instance == single ? one : two; };
    switch (type) {
    case 0xF01A:
    case 0xF01B: {
        const int32_t head = type == 0xF01A ? skip(0x3D4, 16, 32) : skip(0x216, 16, 32);
        if (dataEnd - data < head + 34)
            return false;
        const uint8_t* header = data + head;
        const uint32_t plain = Get32(header), stored = Get32(header + 28);
        const int32_t width = static_cast<int32_t>(Get32(header + 20)),
                      height = static_cast<int32_t>(Get32(header + 24));
        const uint8_t* bits = header + 34;
        const size_t available = static_cast<size_t>(dataEnd - bits);
        const size_t size = std::min<size_t>(stored, available);
        picture.Data.clear();
        if (header[32] == 0) {
            if (!InflateCapped(bits, size, std::min(plain, kMaxInflated), picture.Data))
                return false;
        } else {
            picture.Data.assign(bits, bits + size);
        }
        picture.Kind = type == 0xF01A ? rpEnhancedMetafile : rpWindowsMetafile;
        picture.MetafileMode = 8;
        // The size is given in English metric units: 360 of them make 0.01 mm.
        picture.Width = std::max(1, width / 360);
        picture.Height = std::max(1, height / 360);
        return true;
    }
    case 0xF01F: {
        const int32_t head = skip(0x7A8, 17, 33);
        if (dataEnd - data <= head)
            return false;
        picture.Data = DibAsPng(data + head, static_cast<size_t>(dataEnd - data - head));
        picture.Kind = rpPng;
        return !picture.Data.empty();
    }
    case 0xF01D:
    case 0xF01E: {
        const int32_t head = type == 0xF01D ? skip(0x46A, 17, 33) : skip(0x6E0, 17, 33);
        if (dataEnd - data <= head)
            return false;
        picture.Kind = type == 0xF01D ? rpJpeg : rpPng;
        picture.Data.assign(data + head, dataEnd);
        return true;
    }
    default: return false;
    }
}

// Searches drawing records From..End for the first blip store entry with a picture.
bool FindBlip(const uint8_t* from, const uint8_t* end, int depth, TRtfPicture& picture)
{
    if (depth > kMaxRecordDepth)
        return false;
    for (const uint8_t* p = from; end - p >= 8;) {
        const uint16_t version = Get16(p) & 0xF, type = Get16(p + 2);
        const uint64_t length = Get32(p + 4);
        const uint8_t* data = p + 8;
        const uint8_t* next = length > uint64_t(end - data) ? end : data + length;
        if (version == 0xF) {
            if (FindBlip(data, next, depth + 1, picture))
                return true;
        } else if (type == 0xF007 && next - data >= 36) {
            const uint8_t nameLength = data[33];
            if (next - data > 36 + nameLength && ReadBlip(data + 36 + nameLength, next, picture))
                return true;
        } else if (type >= 0xF018 && type <= 0xF117) {
            if (ReadBlip(p, next, picture))
                return true;
        }
        p = next;
    }
    return false;
}

// Looks through drawing records From..End for the property tables of shape containers: the protection
// property with the aspect ratio unlocked (low byte below 128) clears KeepProportions.
void ReadShapeProtection(const uint8_t* from, const uint8_t* end, int depth, bool inShape,
                         bool& keepProportions)
{
    constexpr uint16_t kProtection = 127;
    if (depth > kMaxRecordDepth)
        return;
    for (const uint8_t* p = from; end - p >= 8;) {
        const uint16_t head = Get16(p), type = Get16(p + 2);
        const uint64_t length = Get32(p + 4);
        const uint8_t* data = p + 8;
        const uint8_t* next = length > uint64_t(end - data) ? end : data + length;
        if ((head & 0xF) == 0xF) {
            ReadShapeProtection(data, next, depth + 1, inShape || type == 0xF004, keepProportions);
        } else if (type == 0xF00B && inShape) {
            const size_t count = std::min<size_t>(head >> 4, size_t(next - data) / 6);
            for (size_t i = 0; i < count; ++i) {
                const uint8_t* property = data + 6 * i;
                if ((Get16(property) & 0x3FFF) == kProtection && property[2] < 128)
                    keepProportions = false;
            }
        }
        p = next;
    }
}

} // namespace

bool TWordReader::ReadPicture(uint32_t location, TDocPicture& object)
{
    const std::vector<uint8_t>& source = Word97 ? Data : Main;
    if (uint64_t(location) + kMinPictureHeader > source.size())
        return false;
    const uint8_t* p = source.data() + location;
    const uint32_t size = Get32(p);
    const uint16_t header = Get16(p + 4);
    if (header < kMinPictureHeader || header > size || uint64_t(location) + size > source.size())
        return false;
    TRtfPicture picture;
    const int32_t mode = static_cast<int16_t>(Get16(p + 6));
    picture.GoalWidth = static_cast<int16_t>(Get16(p + 28));
    picture.GoalHeight = static_cast<int16_t>(Get16(p + 30));
    // A picture scale the piece gives stands for the header's.
    const int32_t mx = RunScale[0] != kWordUnset ? RunScale[0] : Get16(p + 32);
    const int32_t my = RunScale[1] != kWordUnset ? RunScale[1] : Get16(p + 34);
    picture.ScaleX = mx > 0 ? mx / 10 : 100;
    picture.ScaleY = my > 0 ? my / 10 : 100;
    if (picture.GoalWidth <= 0 || picture.GoalHeight <= 0)
        picture.GoalWidth = picture.GoalHeight = 0;
    if (mode >= 1 && mode <= 8) {
        picture.Kind = rpWindowsMetafile;
        picture.MetafileMode = mode;
        picture.Width = static_cast<int16_t>(Get16(p + 8));
        picture.Height = static_cast<int16_t>(Get16(p + 10));
        picture.Data.assign(p + header, p + size);
    } else if (mode == 98 || mode == 99 || !Word97 || !FindBlip(p + header, p + size, 0, picture)) {
        return false;
    } else {
        ReadShapeProtection(p + header, p + size, 0, false, picture.KeepProportions);
    }
    const int32_t goalWidth = picture.GoalWidth, goalHeight = picture.GoalHeight;
    if (!SetRtfPictureImage(picture, object))
        return false;
    if (goalWidth > 0 && goalHeight > 0) {
        object.Width = goalWidth;
        object.Height = goalHeight;
    }
    return true;
}
