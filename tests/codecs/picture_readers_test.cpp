// The PCX, Targa and Photo CD readers on files put together byte by byte: the layouts the readers must take
// alike, palettes, orientations, and the checks that keep damaged counts inside the picture.
#include <gtest/gtest.h>

#include "codecs/PCD.h"
#include "codecs/PCX.h"
#include "codecs/Targa.h"
#include "tests/codecs/picture_test_support.h"

using namespace pictest;

namespace {

template<class T>
TRaster Read(void (*decode)(const uint8_t*, size_t, TBitmap&), const std::string& file,
             TPixelFormat* format = nullptr)
{
    TBitmap bitmap;
    decode(reinterpret_cast<const uint8_t*>(file.data()), file.size(), bitmap);
    if (format)
        *format = bitmap.GetPixelFormat();
    return pngtest::RasterOf(bitmap);
}

std::string PcxHeader(int bits, int planes, int width, int height, int bytesPerLine)
{
    std::string h(128, '\0');
    h[0] = 10;
    h[1] = 5;
    h[2] = 1;
    h[3] = char(bits);
    h[8] = char(width - 1);
    h[10] = char(height - 1);
    for (int i = 0; i < 16; ++i) { // palette entry i: (16 i, 255 - 16 i, 3 i)
        h[16 + 3 * i] = char(16 * i);
        h[17 + 3 * i] = char(255 - 16 * i);
        h[18 + 3 * i] = char(3 * i);
    }
    h[65] = char(planes);
    h[66] = char(bytesPerLine);
    return h;
}

TEST(Pcx, SixteenColoursInPlanesOrInNibbles)
{
    // Pixels 0 to 7 take colours 0, 1, ..., 7 and 15: once as four planes of one bit, once as one plane of
    // four bits. Literal bytes of 0xC0 and above go in runs of one.
    const int colours[8] = {0, 1, 2, 3, 4, 5, 6, 15};
    std::string planes, nibbles;
    auto literal = [](std::string& s, uint8_t b) {
        if (b >= 0xC0)
            s += '\xC1';
        s += char(b);
    };
    for (int p = 0; p < 4; ++p) {
        uint8_t byte = 0;
        for (int x = 0; x < 8; ++x)
            byte |= ((colours[x] >> p) & 1) << (7 - x);
        literal(planes, byte);
        literal(planes, 0);
    }
    for (int x = 0; x < 8; x += 2)
        literal(nibbles, uint8_t(colours[x] << 4 | colours[x + 1]));
    TPixelFormat a, b;
    const TRaster fromPlanes = Read<TPCXImage>(DecodePCX, PcxHeader(1, 4, 8, 1, 2) + planes, &a);
    const TRaster fromNibbles = Read<TPCXImage>(DecodePCX, PcxHeader(4, 1, 8, 1, 4) + nibbles, &b);
    EXPECT_EQ(pf4bit, a);
    EXPECT_EQ(pf4bit, b);
    EXPECT_EQ(fromPlanes.Pixels, fromNibbles.Pixels);
    EXPECT_EQ((TRGBEntry{240, 15, 45}), fromPlanes.At(7, 0));
}

TEST(Pcx, LongPaletteRunsAndWidths)
{
    // 256 colours: the palette is the file's last 768 bytes; a run of 63 is cut at the end of the picture.
    std::string palette(768, '\0');
    palette[3 * 9] = char(0xAB);
    const TRaster r = Read<TPCXImage>(DecodePCX, PcxHeader(8, 1, 4, 2, 4) + "\xFF\x09" + palette);
    EXPECT_EQ((TRGBEntry{0xAB, 0, 0}), r.At(3, 1));

    // A file too short to hold the palette after its header is read in grey levels.
    const TRaster grey = Read<TPCXImage>(DecodePCX, PcxHeader(8, 1, 2, 1, 2) + "\x05\x07");
    EXPECT_EQ((TRGBEntry{7, 7, 7}), grey.At(1, 0));

    // A width beyond the bytes of a line: the pixels past them read as 0, and nothing is read outside.
    const TRaster wide = Read<TPCXImage>(DecodePCX, PcxHeader(8, 1, 200, 1, 2) + "\x05\x07");
    EXPECT_EQ(200, wide.Width);

    for (const std::string& bad :
         {std::string(100, '\0'), PcxHeader(8, 2, 4, 1, 4) + "abcd", PcxHeader(0, 1, 4, 1, 4) + "abcd"})
        EXPECT_THROW(Read<TPCXImage>(DecodePCX, bad), EAbort);
}

std::string TgaHeader(int mapType, int type, int first, int length, int entryBits, int width, int height,
                      int depth, int descriptor)
{
    const char h[18] = {0,
                        char(mapType),
                        char(type),
                        char(first),
                        char(first >> 8),
                        char(length),
                        char(length >> 8),
                        char(entryBits),
                        0,
                        0,
                        0,
                        0,
                        char(width),
                        char(width >> 8),
                        char(height),
                        char(height >> 8),
                        char(depth),
                        char(descriptor)};
    return std::string(h, 18);
}

TEST(Targa, ColourMapsWithinTheirEntries)
{
    // A map from index 254 of four 24-bit entries: 254 and 255 are kept, the two past 256 skipped; the
    // pixels after the map are read where it really ends.
    const std::string map24 = std::string("\x00\x00\xFC\x00\xFC\x00\xFC\xFC\xFC\xFC\xFC\xFC", 12);
    TRaster r = Read<TTargaImage>(DecodeTarga, TgaHeader(1, 1, 254, 4, 24, 2, 1, 8, 0x20) + map24 +
                                                   std::string("\xFE\xFF", 2));
    EXPECT_EQ((TRGBEntry{252, 0, 0}), r.At(0, 0));
    EXPECT_EQ((TRGBEntry{0, 252, 0}), r.At(1, 0));

    // 32-bit entries are skipped by their real size: the pixels still start after them.
    r = Read<TTargaImage>(DecodeTarga, TgaHeader(1, 1, 0, 2, 32, 2, 1, 8, 0x20) + std::string(8, '\x7F') +
                                           std::string("\x01\x00", 2));
    EXPECT_EQ((TRGBEntry{0, 0, 0}), r.At(0, 0));
    EXPECT_EQ(2, r.Width);

    // Grey without a map: the ramp i × 63 / 255, in 6 bits.
    r = Read<TTargaImage>(DecodeTarga, TgaHeader(0, 3, 0, 0, 0, 1, 1, 8, 0) + "\xFF");
    EXPECT_EQ((TRGBEntry{252, 252, 252}), r.At(0, 0));
}

TEST(Targa, OrientationAndRuns)
{
    // Two rows stored bottom to top unless bit 5 says top to bottom; bit 4 mirrors each row.
    const std::string pixels = std::string("\x01\x01\x01\x02\x02\x02\x03\x03\x03\x04\x04\x04", 12);
    TRaster up = Read<TTargaImage>(DecodeTarga, TgaHeader(0, 2, 0, 0, 0, 2, 2, 24, 0) + pixels);
    TRaster down = Read<TTargaImage>(DecodeTarga, TgaHeader(0, 2, 0, 0, 0, 2, 2, 24, 0x20) + pixels);
    TRaster mirrored = Read<TTargaImage>(DecodeTarga, TgaHeader(0, 2, 0, 0, 0, 2, 2, 24, 0x30) + pixels);
    EXPECT_EQ(3, up.At(0, 0).Red);
    EXPECT_EQ(1, down.At(0, 0).Red);
    EXPECT_EQ(2, mirrored.At(0, 0).Red);

    // A run of 128 pixels in a picture of 3: the picture fills, nothing is written past it; a run crossing
    // rows goes on into the next row.
    TRaster run = Read<TTargaImage>(DecodeTarga, TgaHeader(0, 10, 0, 0, 0, 3, 1, 24, 0) + "\xFF\x10\x20\x30");
    EXPECT_EQ((TRGBEntry{0x30, 0x20, 0x10}), run.At(2, 0));
    TRaster crossing = Read<TTargaImage>(DecodeTarga, TgaHeader(0, 11, 0, 0, 0, 2, 2, 8, 0x20) +
                                                          std::string("\x82\x40\x00\x50", 4));
    EXPECT_EQ(0x40 * 63 / 255 * 4, crossing.At(0, 1).Red);
    EXPECT_EQ(0x50 * 63 / 255 * 4, crossing.At(1, 1).Red);

    // 16-bit pixels: five bits a channel, × 8.
    TRaster five =
        Read<TTargaImage>(DecodeTarga, TgaHeader(0, 2, 0, 0, 0, 1, 1, 16, 0) + std::string("\x1F\x7C", 2));
    EXPECT_EQ((TRGBEntry{248, 0, 248}), five.At(0, 0));

    for (const std::string& bad :
         {TgaHeader(0, 4, 0, 0, 0, 1, 1, 24, 0), TgaHeader(0, 2, 0, 0, 0, 1, 1, 15, 0),
          TgaHeader(0, 2, 0, 0, 0, 0, 1, 24, 0), TgaHeader(0, 2, 0, 0, 0, 1, 1, 4, 0),
          std::string("\0\0\x02", 3)})
        EXPECT_THROW(Read<TTargaImage>(DecodeTarga, bad), EAbort);
}

TEST(PhotoCd, OrientationAndColours)
{
    // A flat picture: luminance 100, chroma 156 and 137 (no colour), so red = green = blue = 1.407488 × 100.
    std::string file(0x30000 + 256 * 3 * 768, '\0');
    for (size_t i = 0x30000; i < file.size(); i += 3 * 768) {
        std::fill_n(file.begin() + long(i), 2 * 768, char(100));
        std::fill_n(file.begin() + long(i + 2 * 768), 384, char(156));
        std::fill_n(file.begin() + long(i + 2 * 768 + 384), 384, char(137));
    }
    // The first row's first pixel is brighter: upright it stays at the top left, turned it goes to the
    // bottom left.
    file[0x30000] = char(200);
    file[72] = 8;
    TRaster upright = Read<TPCDImage>(DecodePCD, file);
    EXPECT_EQ(768, upright.Width);
    EXPECT_EQ(512, upright.Height);
    EXPECT_EQ((TRGBEntry{141, 141, 141}), upright.At(5, 5));
    EXPECT_EQ(255, upright.At(0, 0).Red);
    file[72] = 9;
    TRaster turned = Read<TPCDImage>(DecodePCD, file);
    EXPECT_EQ(512, turned.Width);
    EXPECT_EQ(768, turned.Height);
    EXPECT_EQ(255, turned.At(0, 767).Red);

    file.resize(file.size() - 1);
    EXPECT_THROW(Read<TPCDImage>(DecodePCD, file), EAbort);
}

} // namespace
