// Damaged and hostile PNG files: each ends in the silent abort and leaves the image as it was, or reads
// cleanly.
#include <gtest/gtest.h>

#include "codecs/PNG.h"
#include "tests/codecs/png_test_support.h"

using namespace pngtest;

namespace {

std::string PaletteFile(const std::string& header, const std::string& palette, const std::string& rows)
{
    return JoinChunks({MakeChunk("IHDR", header), MakeChunk("PLTE", palette),
                       MakeChunk("IDAT", Deflate(rows)), MakeChunk("IEND", "")});
}

// A 4 x 2 picture of 4-bit indices (0 1 2 3, then 3 2 1 0), and a palette of red, green, blue and white.
const std::string FourColours = std::string("\xFF\0\0\0\xFF\0\0\0\xFF\xFF\xFF\xFF", 12);
const std::string FourBitRows = std::string("\0\x01\x23\0\x32\x10", 6);

bool Refused(const std::string& file)
{
    TPNGImage image;
    try {
        Load(image, file);
    } catch (const EAbort&) {
        return true;
    }
    return false;
}

TEST(PngDamaged, WellFormedSyntheticFileReads)
{
    TPNGImage image;
    Load(image, PaletteFile(HeaderData(4, 2, 4, 3), FourColours, FourBitRows));
    EXPECT_TRUE((image.GetPixelColor(0, 0) == TRGBEntry{255, 0, 0}));
    EXPECT_TRUE((image.GetPixelColor(1, 0) == TRGBEntry{0, 255, 0}));
    EXPECT_TRUE((image.GetPixelColor(3, 0) == TRGBEntry{255, 255, 255}));
    EXPECT_TRUE((image.GetPixelColor(3, 1) == TRGBEntry{255, 0, 0}));
}

TEST(PngDamaged, MalformedFilesAreRefused)
{
    const std::string palette5(15, '\x10');
    const std::string rgbRow = std::string("\0", 1) + std::string(12, '\x40');
    struct TCase {
        const char* What;
        std::string File;
    } cases[] = {
        {"empty file", ""},
        {"signature only", "\x89PNG\r\n\x1A\n"},
        {"wrong signature",
         "\x89PNG\r\n\x1A\r" + PaletteFile(HeaderData(4, 2, 4, 3), FourColours, FourBitRows).substr(8)},
        {"more palette entries than 1 bit allows",
         PaletteFile(HeaderData(4, 2, 1, 3), std::string(9, '\x20'), std::string(4, '\0'))},
        {"more palette entries than 4 bits allow",
         PaletteFile(HeaderData(4, 2, 4, 3), std::string(17 * 3, '\x20'), FourBitRows)},
        {"palette of 300 entries",
         PaletteFile(HeaderData(4, 2, 8, 3), std::string(900, '\x20'), std::string(10, '\0'))},
        {"palette length not a multiple of 3",
         PaletteFile(HeaderData(4, 2, 4, 3), FourColours + "\x01", FourBitRows)},
        {"empty palette", PaletteFile(HeaderData(4, 2, 4, 3), "", FourBitRows)},
        {"palette picture without palette",
         JoinChunks({MakeChunk("IHDR", HeaderData(4, 2, 4, 3)), MakeChunk("IDAT", Deflate(FourBitRows)),
                     MakeChunk("IEND", "")})},
        {"palette after the image data",
         JoinChunks({MakeChunk("IHDR", HeaderData(4, 2, 4, 3)), MakeChunk("IDAT", Deflate(FourBitRows)),
                     MakeChunk("PLTE", FourColours), MakeChunk("IEND", "")})},
        {"two palettes", JoinChunks({MakeChunk("IHDR", HeaderData(4, 2, 4, 3)),
                                     MakeChunk("PLTE", FourColours), MakeChunk("PLTE", FourColours),
                                     MakeChunk("IDAT", Deflate(FourBitRows)), MakeChunk("IEND", "")})},
        {"two headers",
         JoinChunks({MakeChunk("IHDR", HeaderData(4, 2, 4, 3)), MakeChunk("IHDR", HeaderData(400, 2, 4, 3)),
                     MakeChunk("PLTE", FourColours), MakeChunk("IDAT", Deflate(FourBitRows)),
                     MakeChunk("IEND", "")})},
        {"header not first",
         JoinChunks({MakeChunk("PLTE", FourColours), MakeChunk("IHDR", HeaderData(4, 2, 4, 3)),
                     MakeChunk("IDAT", Deflate(FourBitRows)), MakeChunk("IEND", "")})},
        {"no image data", JoinChunks({MakeChunk("IHDR", HeaderData(4, 2, 4, 3)),
                                      MakeChunk("PLTE", FourColours), MakeChunk("IEND", "")})},
        {"short header", PaletteFile(HeaderData(4, 2, 4, 3).substr(0, 12), FourColours, FourBitRows)},
        {"width 0", PaletteFile(HeaderData(0, 2, 4, 3), FourColours, FourBitRows)},
        {"height 0", PaletteFile(HeaderData(4, 0, 4, 3), FourColours, FourBitRows)},
        {"width past the limit",
         PaletteFile(HeaderData(40000, 1, 8, 3), FourColours, std::string(40001, '\0'))},
        {"huge width", PaletteFile(HeaderData(0xFFFFFFFF, 1, 8, 3), FourColours, FourBitRows)},
        {"too many pixels", PaletteFile(HeaderData(30000, 30000, 1, 3), FourColours, FourBitRows)},
        {"16-bit palette", PaletteFile(HeaderData(4, 2, 16, 3), FourColours, FourBitRows)},
        {"3-bit grey", PaletteFile(HeaderData(4, 2, 3, 0), FourColours, FourBitRows)},
        {"4-bit RGB", PaletteFile(HeaderData(4, 2, 4, 2), FourColours, FourBitRows)},
        {"colour type 1", PaletteFile(HeaderData(4, 2, 8, 1), FourColours, FourBitRows)},
        {"colour type 7", PaletteFile(HeaderData(4, 2, 8, 7), FourColours, FourBitRows)},
        {"interlace method 2", PaletteFile(HeaderData(4, 2, 4, 3, 2), FourColours, FourBitRows)},
        {"compression method 1",
         PaletteFile(HeaderData(4, 2, 4, 3).substr(0, 10) + std::string("\x01\0\0", 3), FourColours,
                     FourBitRows)},
        {"filter type 5",
         PaletteFile(HeaderData(4, 2, 4, 3), FourColours, std::string("\x05\x01\x23\0\x32\x10", 6))},
        {"image data ends early", PaletteFile(HeaderData(4, 3, 4, 3), FourColours, FourBitRows)},
        {"image data cut short",
         JoinChunks({MakeChunk("IHDR", HeaderData(4, 2, 4, 3)), MakeChunk("PLTE", FourColours),
                     MakeChunk("IDAT", Deflate(FourBitRows).substr(0, 8)), MakeChunk("IEND", "")})},
        {"image data that does not inflate",
         JoinChunks({MakeChunk("IHDR", HeaderData(4, 2, 4, 3)), MakeChunk("PLTE", FourColours),
                     MakeChunk("IDAT", std::string("\x78\x9C\xFF\xFF\xFF\xFF\xFF\xFF", 8)),
                     MakeChunk("IEND", "")})},
        {"image data not zlib", JoinChunks({MakeChunk("IHDR", HeaderData(4, 1, 8, 2)),
                                            MakeChunk("IDAT", rgbRow), MakeChunk("IEND", "")})},
        {"chunk type that is not letters",
         JoinChunks({MakeChunk("IHDR", HeaderData(4, 2, 4, 3)), MakeChunk("PL1E", FourColours),
                     MakeChunk("PLTE", FourColours), MakeChunk("IDAT", Deflate(FourBitRows)),
                     MakeChunk("IEND", "")})},
    };
    for (const TCase& c : cases)
        EXPECT_TRUE(Refused(c.File)) << c.What;
}

TEST(PngDamaged, ChunkLengthPastTheEndIsRefused)
{
    std::string file = PaletteFile(HeaderData(4, 2, 4, 3), FourColours, FourBitRows);
    const size_t idat = file.find("IDAT") - 4;
    for (uint32_t length : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 1000u}) {
        std::string damaged = file;
        for (int i = 0; i < 4; ++i)
            damaged[idat + i] = static_cast<char>(length >> (24 - 8 * i));
        EXPECT_TRUE(Refused(damaged)) << length;
    }
}

TEST(PngDamaged, BadCrcOfACriticalChunkIsRefused)
{
    for (const char* type : {"IHDR", "PLTE", "IDAT", "IEND"}) {
        auto chunks = SplitChunks(Fixture("basn3p04.png"));
        for (auto& c : chunks)
            if (c.Type == type)
                c.Crc ^= 1;
        EXPECT_TRUE(Refused(JoinChunks(chunks))) << type;
    }
}

TEST(PngDamaged, DamagedAncillaryChunkIsLeftOut)
{
    // A gAMA chunk with a bad CRC is dropped: the levels read as they are stored.
    auto chunks = SplitChunks(Fixture("basn0g08.png"));
    for (auto& c : chunks)
        if (c.Type == "gAMA")
            c.Crc ^= 1;
    TPNGImage damaged, plain;
    Load(damaged, JoinChunks(chunks));
    Load(plain, Fixture("ibasn0g08.png"));
    EXPECT_EQ(-1, damaged.GetChunks().FindChunk<TChunkGAMA>());
    EXPECT_EQ(RasterOf(plain).Pixels, RasterOf(damaged).Pixels);
}

TEST(PngDamaged, UnknownChunksAreSkipped)
{
    auto chunks = SplitChunks(Fixture("basn3p04.png"));
    chunks.insert(chunks.begin() + 1, MakeChunk("zzZz", std::string(50, 'q')));
    chunks.insert(chunks.begin() + 1, MakeChunk("ABCD", "critical but unknown"));
    TPNGImage image;
    Load(image, JoinChunks(chunks));
    EXPECT_EQ(32, image.GetWidth());
    EXPECT_EQ(4, image.GetChunks().Count());
}

TEST(PngDamaged, PaletteIndexPastThePaletteReadsAsBlack)
{
    const std::string twoColours("\xFF\0\0\0\xFF\0", 6);
    TPNGImage image;
    Load(image, PaletteFile(HeaderData(4, 2, 4, 3), twoColours, FourBitRows));
    EXPECT_TRUE((image.GetPixelColor(1, 0) == TRGBEntry{0, 255, 0}));
    EXPECT_TRUE((image.GetPixelColor(2, 0) == TRGBEntry{0, 0, 0}));
}

TEST(PngDamaged, RefusedFileLeavesTheImageAsItWas)
{
    TPNGImage image;
    Load(image, Fixture("basn2c08.png"));
    const TRaster before = RasterOf(image);
    EXPECT_THROW(Load(image, PaletteFile(HeaderData(4, 2, 4, 3), FourColours,
                                         std::string("\x05\x01\x23\0\x32\x10", 6))),
                 EAbort);
    EXPECT_EQ(pf24bit, image.GetPixelFormat());
    EXPECT_EQ(before.Pixels, RasterOf(image).Pixels);
    EXPECT_NE(-1, image.GetChunks().FindChunk<TChunkGAMA>());
}

// Every cut of a file, and every single-bit change, either ends in the silent abort or reads a whole picture.
TEST(PngDamaged, EveryTruncationAndBitFlipEndsCleanly)
{
    for (const char* name : {"basn3p04.png", "ibasn0g16.png", "basn6a08.png"}) {
        const std::string file = Fixture(name);
        TPNGImage good;
        Load(good, file);
        const TRaster expected = RasterOf(good);
        for (size_t cut = 0; cut < file.size(); ++cut) {
            TPNGImage image;
            try {
                Load(image, file.substr(0, cut));
            } catch (const EAbort&) {
                continue;
            }
            // Only the end chunk may be missing.
            EXPECT_GE(cut, file.size() - 12) << name << " cut at " << cut;
            EXPECT_EQ(expected.Pixels, RasterOf(image).Pixels) << name << " cut at " << cut;
        }
        for (size_t bit = 0; bit < file.size() * 8; ++bit) {
            std::string damaged = file;
            damaged[bit / 8] = static_cast<char>(damaged[bit / 8] ^ (1 << (bit % 8)));
            TPNGImage image;
            try {
                Load(image, damaged);
            } catch (const EAbort&) {
                continue;
            }
            EXPECT_EQ(expected.Width, image.GetWidth()) << name << " bit " << bit;
        }
    }
}

} // namespace
