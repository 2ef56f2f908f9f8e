// The TIFF reader's structure rules on files put together entry by entry, and the writer: what it stores,
// read back by the program and by independent tools.
#include <gtest/gtest.h>

#include <cstring>

#include "codecs/Tiff.h"
#include "tests/codecs/picture_test_support.h"
#include "tests/common/test_support.h"

using namespace pictest;

namespace {

// A little-endian (or big-endian) TIFF file: the header, the data, then directories.
class TTiffBuilder {
public:
    explicit TTiffBuilder(bool bigEndian = false) : Big(bigEndian)
    {
        Bytes = Big ? "MM" : "II";
        U16(42);
        U32(0);
    }
    void U16(uint32_t v)
    {
        if (Big) {
            Bytes += char(v >> 8);
            Bytes += char(v);
        } else {
            Bytes += char(v);
            Bytes += char(v >> 8);
        }
    }
    void U32(uint32_t v)
    {
        if (Big) {
            U16(v >> 16);
            U16(v & 0xFFFF);
        } else {
            U16(v & 0xFFFF);
            U16(v >> 16);
        }
    }
    uint32_t Data(const std::string& bytes)
    {
        const auto at = uint32_t(Bytes.size());
        Bytes += bytes;
        return at;
    }
    struct TEntry {
        uint16_t Tag, Type;
        uint32_t Count, Value;
    };
    // A directory of the entries; its offset goes where Link says (the header when 4), its next offset is
    // Next. Returns where the next-offset field lies.
    uint32_t Directory(const std::vector<TEntry>& entries, uint32_t link = 4, uint32_t next = 0)
    {
        if (Bytes.size() & 1)
            Bytes += '\0';
        Patch(link, uint32_t(Bytes.size()));
        U16(uint32_t(entries.size()));
        for (const TEntry& e : entries) {
            U16(e.Tag);
            U16(e.Type);
            U32(e.Count);
            if (e.Type == 3 && e.Count == 1) {
                U16(e.Value);
                U16(0);
            } else {
                U32(e.Value);
            }
        }
        const auto nextAt = uint32_t(Bytes.size());
        U32(next);
        return nextAt;
    }
    void Patch(uint32_t at, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            Bytes[at + i] = char(Big ? v >> (24 - 8 * i) : v >> (8 * i));
    }
    std::string Bytes;
    bool Big;
};

// A grey picture of W × H whose rows are the given bytes, uncompressed, in one strip.
std::vector<TTiffBuilder::TEntry> GreyEntries(uint32_t w, uint32_t h, uint32_t strip, uint32_t length)
{
    return {{256, 4, 1, w},     {257, 4, 1, h}, {258, 3, 1, 8},     {262, 3, 1, 1},
            {273, 4, 1, strip}, {277, 3, 1, 1}, {279, 4, 1, length}};
}

TRaster Decode(const std::string& file)
{
    TBitmap bitmap;
    DecodeTiff(reinterpret_cast<const uint8_t*>(file.data()), file.size(), bitmap);
    return pngtest::RasterOf(bitmap);
}

uint8_t GreyAt(const TRaster& r, int x, int y)
{
    return r.At(x, y).Red;
}

TEST(Tiff, DirectoryChain)
{
    // Two directories: the second is decoded.
    TTiffBuilder two;
    const uint32_t a = two.Data("\x10\x20"), b = two.Data("\x30\x40\x50");
    const uint32_t next = two.Directory(GreyEntries(2, 1, a, 2));
    two.Directory(GreyEntries(3, 1, b, 3), next);
    TRaster r = Decode(two.Bytes);
    ASSERT_EQ(3, r.Width);
    EXPECT_EQ(0x50, GreyAt(r, 2, 0));

    // A chain that comes back to its first directory ends; so does one pointing to itself.
    TTiffBuilder loop;
    const uint32_t s = loop.Data("\x11\x22");
    const uint32_t n1 = loop.Directory(GreyEntries(2, 1, s, 2));
    const uint32_t n2 = loop.Directory(GreyEntries(1, 1, s, 1), n1);
    loop.Patch(n2, 8 + 2);
    EXPECT_EQ(1, Decode(loop.Bytes).Width);

    // A first directory offset of 0: no picture and no error.
    TTiffBuilder none;
    EXPECT_EQ(0, Decode(none.Bytes).Width);
}

TEST(Tiff, ValuesInTheEntryAndArraysWithinTheirCount)
{
    // Big-endian, BitsPerSample 8, 8 held in the entry itself: a two-sample picture whose values agree.
    TTiffBuilder big(true);
    const uint32_t s = big.Data(std::string("\x80\x10", 2));
    big.Directory({{256, 3, 1, 1},
                   {257, 3, 1, 1},
                   {258, 3, 2, 0x00080008},
                   {262, 3, 1, 1},
                   {273, 4, 1, s},
                   {277, 3, 1, 2},
                   {279, 4, 1, 2}});
    EXPECT_EQ(1, Decode(big.Bytes).Width);
    // Values that differ are refused.
    TTiffBuilder mixed(true);
    mixed.Directory({{256, 3, 1, 1}, {257, 3, 1, 1}, {258, 3, 2, 0x00080010}, {273, 4, 1, 8}});
    EXPECT_THROW(Decode(mixed.Bytes), EAbort);

    // One strip for three rows of one row each: the rows no strip covers stay black.
    TTiffBuilder strips;
    const uint32_t row = strips.Data("\x7f\x7f");
    strips.Directory({{256, 4, 1, 2},
                      {257, 4, 1, 3},
                      {258, 3, 1, 8},
                      {262, 3, 1, 1},
                      {273, 4, 1, row},
                      {278, 4, 1, 1},
                      {279, 4, 1, 2}});
    const TRaster r = Decode(strips.Bytes);
    ASSERT_EQ(3, r.Height);
    EXPECT_EQ(0x7f, GreyAt(r, 1, 0));
    EXPECT_EQ(0, GreyAt(r, 1, 2));
}

TEST(Tiff, SixteenBitSamples)
{
    // Grey of 16 bits: the high byte, or the value shifted by 4 for the one writer of 12 significant bits.
    auto grey = [](const std::string& software) {
        TTiffBuilder b;
        const uint32_t s = b.Data(std::string("\x00\x0F", 2));
        const uint32_t text = b.Data(software + std::string(1, '\0'));
        b.Directory({{256, 4, 1, 1},
                     {257, 4, 1, 1},
                     {258, 3, 1, 16},
                     {262, 3, 1, 1},
                     {273, 4, 1, s},
                     {279, 4, 1, 2},
                     {305, 2, uint32_t(software.size() + 1), text}});
        return GreyAt(Decode(b.Bytes), 0, 0);
    };
    EXPECT_EQ(0x0F, grey("Other writer 1.0"));
    EXPECT_EQ(0xF0, grey(TiffTwelveBitWriter));

    // One 16-bit RGB sample: five bits a channel, × 8.
    TTiffBuilder b;
    const uint32_t s = b.Data(std::string("\x1F\x7C", 2));
    b.Directory(
        {{256, 4, 1, 1}, {257, 4, 1, 1}, {258, 3, 1, 16}, {262, 3, 1, 2}, {273, 4, 1, s}, {279, 4, 1, 2}});
    EXPECT_EQ((TRGBEntry{248, 0, 248}), Decode(b.Bytes).At(0, 0));
}

// Bytes of a string of bits, the first most significant, padded with zeros.
std::string Bits(const std::string& bits)
{
    std::string bytes((bits.size() + 7) / 8, '\0');
    for (size_t i = 0; i < bits.size(); ++i)
        if (bits[i] == '1')
            bytes[i / 8] = char(bytes[i / 8] | (0x80 >> (i % 8)));
    return bytes;
}

TEST(Tiff, FaxUncompressedMode)
{
    // Black, white, black, then five white pixels in the uncompressed mode, and its exit to a white run: in
    // a two-dimensional row (T.6) and in a one-dimensional one (modified Huffman).
    const std::string pixels = "1"
                               "01"
                               "000001"
                               "0000001"
                               "0";
    for (const auto& [compression, entry] :
         {std::pair{4u, std::string("0000001111")}, std::pair{2u, std::string("000000001111")}}) {
        TTiffBuilder b;
        const std::string data = Bits(entry + pixels);
        const uint32_t s = b.Data(data);
        b.Directory({{256, 4, 1, 8},
                     {257, 4, 1, 1},
                     {259, 3, 1, compression},
                     {262, 3, 1, 0},
                     {273, 4, 1, s},
                     {279, 4, 1, uint32_t(data.size())}});
        const TRaster r = Decode(b.Bytes);
        std::string seen;
        for (int x = 0; x < 8; ++x)
            seen += GreyAt(r, x, 0) == 0 ? 'B' : 'W';
        EXPECT_EQ("BWBWWWWW", seen) << compression;
    }
}

TEST(Tiff, TilesAndRowsInOrder)
{
    // A 3 × 3 picture in 2 × 2 tiles: four tiles, the third starting the second tile row; the parts of edge
    // tiles outside the picture are dropped, and a fifth tile past the picture is ignored.
    TTiffBuilder b;
    std::vector<uint32_t> at;
    for (int t = 0; t < 5; ++t)
        at.push_back(b.Data(std::string(4, char(10 * (t + 1)))));
    const uint32_t offsets = b.Data(std::string(20, '\0'));
    for (int t = 0; t < 5; ++t)
        b.Patch(offsets + 4 * t, at[size_t(t)]);
    b.Directory({{256, 4, 1, 3},
                 {257, 4, 1, 3},
                 {258, 3, 1, 8},
                 {262, 3, 1, 1},
                 {322, 3, 1, 2},
                 {323, 3, 1, 2},
                 {324, 4, 5, offsets}});
    const TRaster r = Decode(b.Bytes);
    EXPECT_EQ(10, GreyAt(r, 1, 1));
    EXPECT_EQ(20, GreyAt(r, 2, 0));
    EXPECT_EQ(30, GreyAt(r, 0, 2));
    EXPECT_EQ(40, GreyAt(r, 2, 2));
}

TEST(Tiff, PackBitsRunsStopAtTheRowEnd)
{
    // A run of 5 copies in a row of 3 bytes: the rest of the run is dropped, the next row starts afresh.
    TTiffBuilder b;
    const uint32_t s = b.Data(std::string("\xFC\x40\x02\x01\x02\x03", 6));
    b.Directory(
        {{256, 4, 1, 3}, {257, 4, 1, 2}, {258, 3, 1, 8}, {259, 3, 1, 32773}, {262, 3, 1, 1}, {273, 4, 1, s}});
    const TRaster r = Decode(b.Bytes);
    EXPECT_EQ(0x40, GreyAt(r, 2, 0));
    EXPECT_EQ(0x01, GreyAt(r, 0, 1));
    EXPECT_EQ(0x03, GreyAt(r, 2, 1));
}

TEST(Tiff, RefusedFiles)
{
    TTiffBuilder zeroWidth;
    zeroWidth.Directory(GreyEntries(0, 1, 8, 1));
    TTiffBuilder huge;
    huge.Directory(GreyEntries(0xFFFFFFFF, 0xFFFFFFFF, 8, 1));
    TTiffBuilder noStrips;
    noStrips.Directory({{256, 4, 1, 1}, {257, 4, 1, 1}});
    TTiffBuilder wideRows;
    wideRows.Directory({{256, 4, 1, 30000}, {257, 4, 1, 1}, {258, 3, 1, 60000}, {273, 4, 1, 8}});
    for (const std::string& file : {std::string("XX*\0\x08\0\0\0", 8), zeroWidth.Bytes, huge.Bytes,
                                    noStrips.Bytes, wideRows.Bytes, std::string("II")})
        EXPECT_THROW(Decode(file), EAbort);
}

// A picture of every kind of colour, 61 × 37, with a flat area, gradients and noise.
TBitmap Sample()
{
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(61, 37);
    uint32_t seed = 7;
    for (int y = 0; y < 37; ++y)
        for (int x = 0; x < 61; ++x) {
            uint8_t* p = b.ScanLine(y) + 3 * x;
            seed = seed * 1103515245 + 12345;
            p[0] = y < 10 ? 200 : uint8_t(x * 4);
            p[1] = y < 10 ? 30 : uint8_t(y * 7);
            p[2] = y < 20 ? 90 : uint8_t(seed >> 16);
        }
    return b;
}

TEST(Tiff, WrittenPicturesReadBack)
{
    for (TPixelFormat format : {pf1bit, pf8bit, pf24bit, pf32bit}) {
        TBitmap source = Sample();
        if (format == pf1bit || format == pf8bit) {
            TBitmap indexed;
            indexed.SetPixelFormat(format);
            indexed.SetSize(61, 37);
            for (int y = 0; y < 37; ++y)
                for (int x = 0; x < 61; ++x)
                    TBitmap::SetPixelIndex(indexed.ScanLine(y), x, indexed.BitsPerPixel(), (x * y) % 2);
            source = indexed;
        } else {
            source.SetPixelFormat(format);
        }
        TTiffImage image;
        image.Assign(source);
        TMemoryStream stream;
        stream.WriteBuffer("pad", 3);
        image.SaveToStream(stream);
        stream.SetPosition(3);
        TTiffImage back;
        back.LoadFromStream(stream);
        EXPECT_EQ(pngtest::RasterOf(source).Pixels, pngtest::RasterOf(back).Pixels) << int(format);
    }
}

TEST(Tiff, WriterLayout)
{
    // One LZW strip with the predictor, fifteen entries; the coder clears its table before code 4094.
    TBitmap noise;
    noise.SetPixelFormat(pf24bit);
    noise.SetSize(300, 200);
    uint32_t seed = 1;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 900; ++x) {
            seed = seed * 1103515245 + 12345;
            noise.ScanLine(y)[x] = uint8_t(seed >> 16);
        }
    const std::vector<uint8_t> file = EncodeTiff(noise, 96, 120);
    ASSERT_GT(file.size(), 8u);
    EXPECT_EQ(0, std::memcmp(file.data(), "II*\0", 4));
    const uint32_t dir = file[4] | file[5] << 8 | file[6] << 16 | uint32_t(file[7]) << 24;
    EXPECT_EQ(15, file[dir] | file[dir + 1] << 8);
    EXPECT_EQ(0u, dir & 1);

    // The codes of the strip, read as a decoder does: none is 4094 or 4095, and clear codes recur.
    const uint32_t stripAt = 14;
    const uint8_t* p = file.data() + stripAt;
    size_t bit = 0;
    int width = 9, next = 258, clears = 0, largest = 0;
    bool first = true;
    for (;;) {
        int code = 0;
        for (int i = 0; i < width; ++i, ++bit)
            code = (code << 1) | ((p[bit >> 3] >> (7 - (bit & 7))) & 1);
        if (code == 257)
            break;
        if (code == 256) {
            ++clears;
            width = 9;
            next = 258;
            first = true;
            continue;
        }
        largest = std::max(largest, code);
        if (!first)
            ++next;
        first = false;
        width = next >= 2047 ? 12 : next >= 1023 ? 11 : next >= 511 ? 10 : 9;
    }
    EXPECT_LT(largest, 4094);
    EXPECT_GT(clears, 2);
}

// Written files checked by tiffinfo and read back by ImageMagick; on the host only, where the tools run.
TEST(Tiff, ToolsReadWrittenFiles)
{
#ifdef _WIN32
    GTEST_SKIP() << "the tools run on the host";
#else
    if (pngtest::RunTool("which tiffinfo >/dev/null") != 0)
        GTEST_SKIP() << "no tiffinfo";
    const std::string dir = qptest::ScratchDir();
    const TBitmap sample = Sample();
    const std::vector<uint8_t> file = EncodeTiff(sample, 96, 96);
    pngtest::WriteFile(dir + "/w.tif", std::string(file.begin(), file.end()));
    std::string info;
    ASSERT_EQ(0, pngtest::RunTool("tiffinfo '" + dir + "/w.tif' 2>&1", &info)) << info;
    EXPECT_NE(std::string::npos, info.find("LZW")) << info;
    EXPECT_NE(std::string::npos, info.find("horizontal differencing")) << info;
    EXPECT_EQ(std::string::npos, info.find("Warning")) << info;
    ASSERT_EQ(0, pngtest::RunTool("convert '" + dir + "/w.tif' -depth 8 'ppm:" + dir + "/w.ppm' 2>&1"));
    const TRaster back = pngtest::ReadPPM(qptest::ReadFileBytes(dir + "/w.ppm"));
    EXPECT_EQ(pngtest::RasterOf(sample).Pixels, back.Pixels);
#endif
}

} // namespace
