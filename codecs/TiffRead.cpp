// Reading TIFF files: the directory chain, strips and tiles, the decompressions and the conversion of rows to
// pixels.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <set>
#include <string>

#include "codecs/PictureBytes.h"
#include "codecs/Tiff.h"
#include "codecs/TiffFax.h"

const char TiffTwelveBitWriter[16] = "GreyScan12 v1.0";

namespace {

enum : uint16_t {
    TagImageWidth = 256,
    TagImageLength = 257,
    TagBitsPerSample = 258,
    TagCompression = 259,
    TagPhotometric = 262,
    TagFillOrder = 266,
    TagStripOffsets = 273,
    TagSamplesPerPixel = 277,
    TagRowsPerStrip = 278,
    TagStripByteCounts = 279,
    TagPlanarConfiguration = 284,
    TagT4Options = 292,
    TagSoftware = 305,
    TagPredictor = 317,
    TagSampleFormat = 339,
    TagColorMap = 320,
    TagTileWidth = 322,
    TagTileLength = 323,
    TagTileOffsets = 324,
    TagTileByteCounts = 325,
};

enum : uint16_t { TypeShort = 3, TypeLong = 4, TypeRational = 5 };

// Directories visited at most: a chain that loops through more is stopped there.
constexpr int MaxDirectories = 4096;
// The largest row a file may ask for; beyond it the picture is refused.
constexpr uint64_t MaxRowBytes = 16ULL * 1024 * 1024;
constexpr uint32_t MaxSamples = 16;

struct TEntry {
    uint16_t Tag = 0;
    uint16_t Type = 0;
    uint32_t Count = 0;
    // Where the entry's value field lies in the file.
    uint64_t ValueAt = 0;
};

// The file with its byte order and the entries of the directory to decode.
class TTiffFile {
public:
    TTiffFile(const uint8_t* data, size_t size) : View(data, size) {}

    TByteView View;
    bool BigEndian = false;
    std::vector<TEntry> Entries;

    uint16_t U16(uint64_t at) const { return BigEndian ? View.U16BE(at) : View.U16LE(at); }
    uint32_t U32(uint64_t at) const { return BigEndian ? View.U32BE(at) : View.U32LE(at); }

    const TEntry* Find(uint16_t tag) const
    {
        for (const TEntry& e : Entries)
            if (e.Tag == tag)
                return &e;
        return nullptr;
    }
    uint32_t Count(uint16_t tag) const
    {
        const TEntry* e = Find(tag);
        return e ? e->Count : 0;
    }
    // The single value of a tag, or the default when it is absent.
    uint32_t Value(uint16_t tag, uint32_t absent) const
    {
        const TEntry* e = Find(tag);
        if (!e)
            return absent;
        return e->Type == TypeShort ? U16(e->ValueAt) : U32(e->ValueAt);
    }
    // Element I of a tag's array; 0 past its count or for types other than SHORT and LONG.
    uint32_t Element(const TEntry* e, uint64_t i) const
    {
        if (!e || i >= e->Count)
            return 0;
        if (e->Count == 1)
            return e->Type == TypeShort ? U16(e->ValueAt) : U32(e->ValueAt);
        if (e->Type == TypeShort)
            return e->Count <= 2 ? U16(e->ValueAt + 2 * i) : U16(uint64_t(U32(e->ValueAt)) + 2 * i);
        if (e->Type == TypeLong)
            return U32(uint64_t(U32(e->ValueAt)) + 4 * i);
        return 0;
    }
    // The text of an ASCII tag, at most Limit characters.
    std::string Text(uint16_t tag, size_t limit) const
    {
        const TEntry* e = Find(tag);
        if (!e)
            return {};
        const uint64_t at = e->Count <= 4 ? e->ValueAt : U32(e->ValueAt);
        std::string text;
        for (uint64_t i = 0; i < std::min<uint64_t>(e->Count, limit); ++i)
            text.push_back(char(View.U8(at + i)));
        return text;
    }
};

// Reads the chain of directories and keeps the entries of the last one; false when the first directory
// offset is 0.
bool ReadDirectories(TTiffFile& file)
{
    const TByteView& v = file.View;
    if (v.GetSize() < 8)
        Abort();
    if (v.U8(0) == 'I' && v.U8(1) == 'I')
        file.BigEndian = false;
    else if (v.U8(0) == 'M' && v.U8(1) == 'M')
        file.BigEndian = true;
    else
        Abort();
    uint32_t offset = file.U32(4);
    if (offset == 0)
        return false;
    std::set<uint32_t> visited;
    bool any = false;
    while (offset != 0 && visited.size() < MaxDirectories && visited.insert(offset).second) {
        if (!v.Holds(offset, 2))
            break;
        const uint16_t count = file.U16(offset);
        std::vector<TEntry> entries;
        for (uint32_t i = 0; i < count; ++i) {
            const uint64_t at = uint64_t(offset) + 2 + 12 * uint64_t(i);
            if (!v.Holds(at, 12))
                break;
            entries.push_back({file.U16(at), file.U16(at + 2), file.U32(at + 4), at + 8});
        }
        file.Entries = std::move(entries);
        any = true;
        offset = file.U32(uint64_t(offset) + 2 + 12 * uint64_t(count));
    }
    if (!any)
        Abort();
    return true;
}

// One strip's or tile's rows, decompressed a row at a time.
class TRowSource {
public:
    virtual ~TRowSource() = default;
    // Fills the row of Count bytes; false when the row cannot be decoded.
    virtual bool Next(uint8_t* row, size_t count) = 0;
    // Whether a row that cannot be decoded makes the picture unreadable (a corrupt LZW stream); other rows
    // only end the decoding, and the picture keeps the rows read before.
    virtual bool Fatal() const { return false; }
};

class TPlainRows : public TRowSource {
public:
    TPlainRows(const uint8_t* data, size_t size) : Data(data), Size(size) {}
    bool Next(uint8_t* row, size_t count) override
    {
        if (count > Size - Pos)
            return false;
        if (count == 0)
            return true;
        std::memcpy(row, Data + Pos, count);
        Pos += count;
        return true;
    }

private:
    const uint8_t* Data;
    size_t Size;
    size_t Pos = 0;
};

// PackBits: runs and literal copies never pass the end of the row; what is left of one is dropped.
class TPackBitsRows : public TRowSource {
public:
    TPackBitsRows(const uint8_t* data, size_t size) : Data(data), Size(size) {}
    bool Next(uint8_t* row, size_t count) override
    {
        size_t done = 0;
        while (done < count) {
            if (Pos >= Size)
                return false;
            const int n = int8_t(Data[Pos++]);
            if (n == -128)
                continue;
            if (n >= 0) {
                const size_t length = size_t(n) + 1;
                if (length > Size - Pos)
                    return false;
                const size_t take = std::min(length, count - done);
                std::memcpy(row + done, Data + Pos, take);
                done += take;
                Pos += length;
            } else {
                if (Pos >= Size)
                    return false;
                const size_t take = std::min(size_t(1 - n), count - done);
                std::memset(row + done, Data[Pos++], take);
                done += take;
            }
        }
        return true;
    }

private:
    const uint8_t* Data;
    size_t Size;
    size_t Pos = 0;
};

class TLzwRows : public TRowSource {
public:
    TLzwRows(const uint8_t* data, size_t size) : Decoder(data, size) {}
    bool Next(uint8_t* row, size_t count) override { return Decoder.Decode(row, count); }
    bool Fatal() const override { return true; }

private:
    TTiffLzwDecoder Decoder;
};

class TFaxRows : public TRowSource {
public:
    TFaxRows(const uint8_t* data, size_t size, int32_t width, TFaxDecoder::TMode mode, bool lsbFirst)
        : Decoder(data, size, width, mode, lsbFirst)
    {}
    bool Next(uint8_t* row, size_t) override { return Decoder.DecodeRow(row); }

private:
    TFaxDecoder Decoder;
};

// What the picture's directory says, and how its rows become pixels.
class TTiffDecoder {
public:
    TTiffDecoder(const TTiffFile& file) : File(file) {}
    void Decode(TBitmap& result);

private:
    void ReadFields();
    // The rows of a strip or tile; null for a compression the reader does not know, whose pixels stay black.
    std::unique_ptr<TRowSource> Source(uint32_t offset, uint32_t byteCount, int32_t width) const;
    // Decompresses one row of Width pixels and turns it into samples; false when it cannot be decoded.
    bool ReadRow(TRowSource& source, int32_t width, int samples, std::vector<uint8_t>& out);
    void ConvertRow(const std::vector<uint8_t>& samples, uint8_t* target, int32_t x0, int32_t count) const;
    // Ends the decoding at a row that cannot be decoded: the silent abort when the row's data is corrupt.
    static void Failed(const TRowSource& source)
    {
        if (source.Fatal())
            Abort();
    }
    void DecodeStrips(TBitmap& bitmap);
    void DecodePlanarStrips(TBitmap& bitmap);
    void DecodeTiles(TBitmap& bitmap);
    uint64_t RowBytes(int32_t width, int samples) const;

    const TTiffFile& File;
    uint32_t Width = 0, Height = 0;
    uint32_t Bits = 1;
    uint32_t Compression = 1;
    uint32_t Photometric = 2;
    uint32_t FillOrder = 1;
    uint32_t Samples = 1;
    uint32_t RowsPerStrip = 0;
    uint32_t Planar = 1;
    uint32_t T4Options = 0;
    uint32_t Predictor = 1;
    int32_t TileWidth = -1, TileLength = -1;
    int GreyShift = 8;
    // 16-bit grey levels stored as signed integers, shown with 0 as the middle level.
    bool Signed = false;
    bool OneBit = false;
    std::vector<TRGBEntry> ColorMap;
    std::vector<uint8_t> Row;
    // The bytes of the strips being read, in the other bit order (emptied before each strip).
    mutable std::vector<std::vector<uint8_t>> Reversed;
};

void TTiffDecoder::ReadFields()
{
    Width = File.Value(TagImageWidth, 0);
    Height = File.Value(TagImageLength, 0);
    const TEntry* bits = File.Find(TagBitsPerSample);
    if (bits) {
        Bits = File.Element(bits, 0);
        for (uint32_t i = 1; i < std::min<uint32_t>(bits->Count, 16); ++i)
            if (File.Element(bits, i) != Bits)
                Abort();
    }
    Compression = File.Value(TagCompression, 1);
    Photometric = File.Value(TagPhotometric, 2);
    FillOrder = File.Value(TagFillOrder, 1);
    Samples = File.Value(TagSamplesPerPixel, 1);
    // No picture the program reads has samples of no bits or of more than 16, nor more than 16 samples
    // a pixel: such values would only ask for rows of gigabytes.
    if (Bits == 0 || Bits > 16 || Samples == 0 || Samples > MaxSamples)
        Abort();
    RowsPerStrip = File.Value(TagRowsPerStrip, Height);
    if (RowsPerStrip == 0xFFFFFFFF || RowsPerStrip == 0)
        RowsPerStrip = Height;
    Planar = File.Value(TagPlanarConfiguration, 1);
    T4Options = File.Value(TagT4Options, 0);
    Predictor = File.Value(TagPredictor, 1);
    Signed = File.Value(TagSampleFormat, 1) == 2;
    TileWidth = int32_t(File.Value(TagTileWidth, uint32_t(-1)));
    TileLength = int32_t(File.Value(TagTileLength, uint32_t(-1)));
    if (File.Text(TagSoftware, 15) == std::string(TiffTwelveBitWriter, 15))
        GreyShift = 4;
    if (Samples == 1 && Bits == 1 && Compression >= 1 && Compression <= 4 && Photometric == 2)
        Photometric = 0;
    OneBit = Samples == 1 && Bits == 1 && Photometric != 3;
    if (Photometric == 3 && Bits >= 1 && Bits <= 8) {
        const TEntry* map = File.Find(TagColorMap);
        const uint32_t n = 1u << Bits;
        ColorMap.resize(n);
        for (uint32_t i = 0; i < n; ++i)
            ColorMap[i] = {uint8_t(File.Element(map, i) >> 8), uint8_t(File.Element(map, n + i) >> 8),
                           uint8_t(File.Element(map, 2 * n + i) >> 8)};
    }
}

uint64_t TTiffDecoder::RowBytes(int32_t width, int samples) const
{
    return (uint64_t(samples) * uint64_t(width) * Bits + 7) / 8;
}

std::unique_ptr<TRowSource> TTiffDecoder::Source(uint32_t offset, uint32_t byteCount, int32_t width) const
{
    const TByteView& v = File.View;
    const size_t start = std::min<size_t>(offset, v.GetSize());
    size_t size = v.GetSize() - start;
    if (byteCount != 0)
        size = std::min<size_t>(size, byteCount);
    const uint8_t* data = v.Bytes() + start;
    const bool lsb = FillOrder == 2;
    // Fax codes give one bit per pixel and nothing else.
    if (Compression >= 2 && Compression <= 4 && (Bits != 1 || Samples != 1))
        return nullptr;
    if (lsb && (Compression < 2 || Compression > 4)) {
        std::vector<uint8_t> reversed(size);
        for (size_t i = 0; i < size; ++i)
            reversed[i] = ReverseBits(data[i]);
        Reversed.push_back(std::move(reversed));
        data = Reversed.back().data();
    }
    switch (Compression) {
    case 1: return std::make_unique<TPlainRows>(data, size);
    case 2: return std::make_unique<TFaxRows>(data, size, width, TFaxDecoder::fmModifiedHuffman, lsb);
    case 3:
        return std::make_unique<TFaxRows>(
            data, size, width, (T4Options & 1) ? TFaxDecoder::fmGroup3TwoDim : TFaxDecoder::fmGroup3, lsb);
    case 4: return std::make_unique<TFaxRows>(data, size, width, TFaxDecoder::fmGroup4, lsb);
    case 5: return std::make_unique<TLzwRows>(data, size);
    case 32773: return std::make_unique<TPackBitsRows>(data, size);
    default: return nullptr;
    }
}

bool TTiffDecoder::ReadRow(TRowSource& source, int32_t width, int samples, std::vector<uint8_t>& out)
{
    const size_t rowBytes = size_t(RowBytes(width, samples));
    std::vector<uint8_t>& row = Row;
    row.resize(rowBytes);
    if (!source.Next(row.data(), rowBytes))
        return false;
    const size_t count = size_t(width) * size_t(samples);
    if (Bits == 4) {
        out.resize(rowBytes * 2);
        for (size_t i = 0; i < rowBytes; ++i) {
            out[2 * i] = row[i] >> 4;
            out[2 * i + 1] = row[i] & 15;
        }
    } else if (Bits < 8 && !OneBit) {
        // Packed samples of 1 to 7 bits, one byte each.
        out.assign(count, 0);
        for (size_t i = 0; i < count; ++i) {
            uint32_t value = 0;
            for (uint32_t b = 0; b < Bits; ++b) {
                const uint64_t bit = uint64_t(i) * Bits + b;
                value = (value << 1) | ((row[size_t(bit >> 3)] >> (7 - (bit & 7))) & 1);
            }
            out[i] = uint8_t(value);
        }
    } else {
        out.assign(row.begin(), row.end());
    }
    if (Predictor == 2 && Compression == 5) {
        if (Bits == 8 && (samples == 1 || samples == 3 || samples == 4)) {
            for (size_t i = size_t(samples); i < count && i < out.size(); ++i)
                out[i] = uint8_t(out[i] + out[i - size_t(samples)]);
        } else if (Bits == 16 && (samples == 1 || samples == 3 || samples == 4)) {
            const size_t n = size_t(samples);
            for (size_t i = n; i < count && 2 * i + 1 < out.size(); ++i) {
                uint8_t* p = &out[2 * i];
                const uint8_t* q = &out[2 * (i - n)];
                if (File.BigEndian) {
                    const uint16_t v = uint16_t(((p[0] << 8) | p[1]) + ((q[0] << 8) | q[1]));
                    p[0] = uint8_t(v >> 8);
                    p[1] = uint8_t(v);
                } else {
                    const uint16_t v = uint16_t((p[0] | (p[1] << 8)) + (q[0] | (q[1] << 8)));
                    p[0] = uint8_t(v);
                    p[1] = uint8_t(v >> 8);
                }
            }
        }
    }
    if (Signed && Bits == 16 && samples == 1 && Photometric <= 1)
        for (size_t i = File.BigEndian ? 0 : 1; i < out.size(); i += 2)
            out[i] ^= 0x80;
    // Four-bit grey levels spread over the byte (palette indices stay as they are).
    if (Bits == 4 && samples == 1 && Photometric != 3)
        for (uint8_t& b : out)
            b = uint8_t(b * 16);
    return true;
}

uint8_t LabChannel(double v)
{
    if (v < 0)
        return 0;
    if (v >= 1)
        return 255;
    return uint8_t(std::sqrt(v) * 256);
}

void LabToBgr(const uint8_t* s, uint8_t* p)
{
    const double l = s[0] / 255.0 * 100;
    auto axis = [](uint8_t byte) {
        int v = int8_t(byte);
        if (v == -128)
            v = 128;
        return (v + 127) / 255.0 * 200 - 100;
    };
    const double a = axis(s[1]), b = axis(s[2]);
    const double fy = (l + 16) / 116;
    double x, y, z;
    if (l >= 7.9996) {
        x = std::pow(fy + 0.002 * a, 3);
        y = fy * fy * fy;
        z = std::pow(fy - 0.005 * b, 3);
    } else {
        y = l * 0.0011070519207350825;
        x = y + 0.0002568383202773854 * a;
        z = y - 0.0006420958006934634 * b;
    }
    p[2] = LabChannel(2.69 * x - 1.276 * y - 0.414 * z);
    p[1] = LabChannel(-1.022 * x + 1.978 * y + 0.044 * z);
    p[0] = LabChannel(0.061 * x - 0.224 * y + 1.163 * z);
}

// Converts Count pixels of a row of samples into the bitmap row from pixel X0 on.
void TTiffDecoder::ConvertRow(const std::vector<uint8_t>& s, uint8_t* target, int32_t x0, int32_t count) const
{
    if (OneBit) {
        // The fax decoders write white as 1, which a black-is-zero picture reads the other way round.
        const bool fax = Compression >= 2 && Compression <= 4;
        const bool invert = fax ? Photometric == 1 : Photometric == 0;
        for (int32_t x = 0; x < count; ++x) {
            const size_t i = size_t(x);
            int bit = i / 8 < s.size() ? (s[i / 8] >> (7 - (i & 7))) & 1 : 0;
            if (invert)
                bit ^= 1;
            TBitmap::SetPixelIndex(target, x0 + x, 1, bit);
        }
        return;
    }
    const bool msbFirst = File.BigEndian;
    const size_t n = Samples;
    for (int32_t x = 0; x < count; ++x) {
        uint8_t* p = target + 3 * size_t(x0 + x);
        const size_t i = size_t(x);
        auto sample8 = [&](size_t k) -> uint8_t { return i * n + k < s.size() ? s[i * n + k] : 0; };
        auto sample16 = [&](size_t k) -> uint16_t {
            const size_t at = 2 * (i * n + k);
            if (at + 1 >= s.size())
                return 0;
            return msbFirst ? uint16_t((s[at] << 8) | s[at + 1]) : uint16_t(s[at] | (s[at + 1] << 8));
        };
        if (Photometric == 2 && (n == 3 || n == 4) && Bits == 8) {
            p[2] = sample8(0);
            p[1] = sample8(1);
            p[0] = sample8(2);
        } else if (Photometric == 2 && (n == 3 || n == 4) && Bits == 16) {
            p[2] = uint8_t(sample16(0) >> 8);
            p[1] = uint8_t(sample16(1) >> 8);
            p[0] = uint8_t(sample16(2) >> 8);
        } else if (Photometric == 2 && n == 1 && Bits == 16) {
            const uint16_t v = sample16(0);
            p[2] = uint8_t(((v >> 10) & 31) * 8);
            p[1] = uint8_t(((v >> 5) & 31) * 8);
            p[0] = uint8_t((v & 31) * 8);
        } else if (Photometric == 3 && n == 1 && Bits <= 8) {
            const uint8_t index = sample8(0);
            const TRGBEntry c = index < ColorMap.size() ? ColorMap[index] : TRGBEntry{};
            p[2] = c.Red;
            p[1] = c.Green;
            p[0] = c.Blue;
        } else if (Photometric <= 1 && n == 1 && (Bits == 4 || Bits == 8)) {
            const uint8_t v = Photometric == 0 ? uint8_t(255 - sample8(0)) : sample8(0);
            p[0] = p[1] = p[2] = v;
        } else if (Photometric <= 1 && n == 1 && Bits == 16) {
            const uint16_t v = Photometric == 0 ? uint16_t(65535 - sample16(0)) : sample16(0);
            p[0] = p[1] = p[2] = uint8_t(std::min(255, v >> GreyShift));
        } else if (Photometric == 5 && n == 4 && Bits == 8) {
            const int k = 255 - sample8(3);
            p[2] = uint8_t(k * (255 - sample8(0)) / 255);
            p[1] = uint8_t(k * (255 - sample8(1)) / 255);
            p[0] = uint8_t(k * (255 - sample8(2)) / 255);
        } else if (Photometric == 8 && n == 3 && Bits == 8) {
            const uint8_t lab[3] = {sample8(0), sample8(1), sample8(2)};
            LabToBgr(lab, p);
        }
    }
}

void TTiffDecoder::DecodeStrips(TBitmap& bitmap)
{
    const TEntry* offsets = File.Find(TagStripOffsets);
    const TEntry* counts = File.Find(TagStripByteCounts);
    std::vector<uint8_t> samples;
    for (uint32_t k = 0; k < offsets->Count; ++k) {
        const uint64_t first = uint64_t(k) * RowsPerStrip;
        if (first >= Height)
            break;
        const uint32_t rows = uint32_t(std::min<uint64_t>(RowsPerStrip, Height - first));
        Reversed.clear();
        auto source = Source(File.Element(offsets, k), File.Element(counts, k), int32_t(Width));
        if (!source)
            return;
        for (uint32_t r = 0; r < rows; ++r) {
            if (!ReadRow(*source, int32_t(Width), int(Samples), samples))
                return Failed(*source);
            ConvertRow(samples, bitmap.ScanLine(int32_t(first + r)), 0, int32_t(Width));
        }
    }
}

void TTiffDecoder::DecodePlanarStrips(TBitmap& bitmap)
{
    if (Photometric != 2 || Samples != 3 || Bits != 8)
        return;
    const TEntry* offsets = File.Find(TagStripOffsets);
    const TEntry* counts = File.Find(TagStripByteCounts);
    const uint32_t group = offsets->Count / 3;
    std::vector<uint8_t> planes[3];
    for (uint32_t k = 0; k < group; ++k) {
        const uint64_t first = uint64_t(k) * RowsPerStrip;
        if (first >= Height)
            break;
        const uint32_t rows = uint32_t(std::min<uint64_t>(RowsPerStrip, Height - first));
        std::unique_ptr<TRowSource> sources[3];
        Reversed.clear();
        for (uint32_t c = 0; c < 3; ++c)
            sources[c] = Source(File.Element(offsets, c * group + k), File.Element(counts, c * group + k),
                                int32_t(Width));
        if (!sources[0])
            return;
        for (uint32_t r = 0; r < rows; ++r) {
            for (int c = 0; c < 3; ++c)
                if (!ReadRow(*sources[c], int32_t(Width), 1, planes[c]))
                    return Failed(*sources[c]);
            uint8_t* line = bitmap.ScanLine(int32_t(first + r));
            for (uint32_t x = 0; x < Width; ++x) {
                line[3 * x + 2] = planes[0][x];
                line[3 * x + 1] = planes[1][x];
                line[3 * x] = planes[2][x];
            }
        }
    }
}

// Tiles go left to right, then top to bottom; the parts of edge tiles outside the picture are dropped, and
// tiles past the picture's end are ignored.
void TTiffDecoder::DecodeTiles(TBitmap& bitmap)
{
    // Early tiled files list their tiles under the strip tags.
    const bool old = File.Count(TagTileOffsets) == 0;
    const TEntry* offsets = File.Find(old ? TagStripOffsets : TagTileOffsets);
    const TEntry* counts = File.Find(old ? TagStripByteCounts : TagTileByteCounts);
    if (RowBytes(TileWidth, int(Samples)) > MaxRowBytes)
        Abort();
    std::vector<uint8_t> samples;
    uint64_t x = 0, y = 0;
    for (uint32_t k = 0; k < offsets->Count && y < Height; ++k) {
        Reversed.clear();
        auto source = Source(File.Element(offsets, k), File.Element(counts, k), TileWidth);
        if (!source)
            return;
        const int32_t columns = int32_t(std::min<uint64_t>(uint64_t(TileWidth), Width - x));
        const uint64_t rows = std::min<uint64_t>(uint64_t(TileLength), Height - y);
        for (uint64_t r = 0; r < rows; ++r) {
            if (!ReadRow(*source, TileWidth, int(Samples), samples))
                return Failed(*source);
            ConvertRow(samples, bitmap.ScanLine(int32_t(y + r)), int32_t(x), columns);
        }
        x += uint64_t(TileWidth);
        if (x >= Width) {
            x = 0;
            y += uint64_t(TileLength);
        }
    }
}

void TTiffDecoder::Decode(TBitmap& result)
{
    ReadFields();
    const bool tiled = TileWidth >= 1 && TileLength >= 1;
    TBitmap bitmap = MakePictureBitmap(OneBit ? pf1bit : pf24bit, Width, Height);
    if (OneBit)
        bitmap.SetPalette({{0, 0, 0}, {255, 255, 255}});
    if (RowBytes(int32_t(Width), int(Samples)) > MaxRowBytes)
        Abort();
    if (!tiled) {
        if (File.Count(TagStripOffsets) == 0)
            Abort();
        if (Planar == 1)
            DecodeStrips(bitmap);
        else if (Planar == 2)
            DecodePlanarStrips(bitmap);
    } else {
        if ((File.Count(TagTileOffsets) == 0 && File.Count(TagStripOffsets) == 0) || Planar == 2)
            Abort();
        if (Planar == 1)
            DecodeTiles(bitmap);
    }
    result = std::move(bitmap);
}

} // namespace

void DecodeTiff(const uint8_t* data, size_t size, TBitmap& bitmap)
{
    TTiffFile file(data, size);
    if (!ReadDirectories(file)) {
        bitmap = TBitmap();
        return;
    }
    TTiffDecoder(file).Decode(bitmap);
}

void TTiffImage::LoadFromStream(TStream& stream)
{
    const std::vector<uint8_t> bytes = ReadPictureBytes(stream);
    TBitmap decoded;
    DecodeTiff(bytes.data(), bytes.size(), decoded);
    TBitmap::Assign(decoded);
}
