// Writing PNG files: what is written reads back the same, in the chunk order and with the row filters asked
// for.
#include <gtest/gtest.h>

#include "codecs/PNG.h"
#include "tests/codecs/png_test_support.h"

using namespace pngtest;

namespace {

// The filter type of each row of a non-interlaced file written by the codec.
std::vector<int> RowFilters(const std::string& file)
{
    auto chunks = SplitChunks(file);
    const std::string header = chunks.at(0).Data;
    const uint32_t width = (uint8_t(header[0]) << 24) | (uint8_t(header[1]) << 16) |
                           (uint8_t(header[2]) << 8) | uint8_t(header[3]);
    const int depth = header[8], colorType = header[9];
    const size_t rowBytes = colorType == 2 ? width * 3 : (width * depth + 7) / 8;
    const std::string rows = Inflate(ImageData(chunks));
    std::vector<int> filters;
    for (size_t at = 0; at < rows.size(); at += rowBytes + 1)
        filters.push_back(rows[at]);
    return filters;
}

std::vector<std::string> ChunkTypes(const std::string& file)
{
    std::vector<std::string> types;
    for (const TRawChunk& c : SplitChunks(file))
        types.push_back(c.Type);
    return types;
}

const char* const AllFixtures[] = {
    "basn0g01.png",  "basn0g02.png",  "basn0g04.png",  "basn0g08.png",  "basn0g16.png",  "basn2c08.png",
    "basn2c16.png",  "basn3p01.png",  "basn3p02.png",  "basn3p04.png",  "basn3p08.png",  "basn4a08.png",
    "basn4a16.png",  "basn6a08.png",  "basn6a16.png",  "ftbrn2c08.png", "ibasn0g01.png", "ibasn0g02.png",
    "ibasn0g04.png", "ibasn0g08.png", "ibasn0g16.png", "ibasn2c08.png", "ibasn2c16.png", "ibasn3p01.png",
    "ibasn3p02.png", "ibasn3p04.png", "ibasn3p08.png", "ibasn4a08.png", "ibasn4a16.png", "ibasn6a08.png",
    "ibasn6a16.png", "im-rgb8.png",   "im-rgb16i.png", "im-rgba8.png",  "im-pal8.png",   "im-pal4.png",
    "im-grey4.png",  "im-noise.png"};

TEST(PngWrite, EveryFixtureReadsBackAsItWasRead)
{
    for (const char* name : AllFixtures) {
        TPNGImage first, second;
        Load(first, Fixture(name));
        const std::string written = Save(first);
        Load(second, written);
        EXPECT_EQ(first.GetPixelFormat(), second.GetPixelFormat()) << name;
        EXPECT_EQ(RasterOf(first).Pixels, RasterOf(second).Pixels) << name;
        const std::string header = SplitChunks(written).at(0).Data;
        EXPECT_EQ(0, header[12]) << name << ": written without interlacing";
    }
}

TEST(PngWrite, PaletteBitmapHasHeaderPaletteDataEnd)
{
    TPNGImage image;
    image.SetPixelFormat(pf8bit);
    image.SetSize(20, 10);
    for (int32_t y = 0; y < 10; ++y)
        for (int32_t x = 0; x < 20; ++x)
            image.ScanLine(y)[x] = static_cast<uint8_t>(x * 10 + y);
    const std::string file = Save(image);
    EXPECT_EQ((std::vector<std::string>{"IHDR", "PLTE", "IDAT", "IEND"}), ChunkTypes(file));
    const auto chunks = SplitChunks(file);
    EXPECT_EQ(HeaderData(20, 10, 8, 3), chunks[0].Data);
    EXPECT_EQ(256u * 3, chunks[1].Data.size());
    TPNGImage back;
    Load(back, file);
    EXPECT_EQ(RasterOf(image).Pixels, RasterOf(back).Pixels);
}

TEST(PngWrite, TrueColourIsWrittenAsEightBitRgb)
{
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        TPNGImage image;
        image.SetPixelFormat(format);
        image.SetSize(3, 2);
        uint8_t* p = image.ScanLine(1) + (format == pf24bit ? 6 : 8);
        p[0] = 10, p[1] = 20, p[2] = 30; // blue, green, red of the bottom right pixel
        const std::string file = Save(image);
        EXPECT_EQ((std::vector<std::string>{"IHDR", "IDAT", "IEND"}), ChunkTypes(file));
        EXPECT_EQ(HeaderData(3, 2, 8, 2), SplitChunks(file)[0].Data);
        EXPECT_EQ(std::string(17, '\0') + "\x1E\x14\x0A", Inflate(ImageData(SplitChunks(file))));
    }
}

TEST(PngWrite, FilterChoiceFollowsTheRepeatCount)
{
    // Two equal rows rising by one: Sub (ahead of Paeth on a tie) suits the first, Paeth or Up the second.
    TPNGImage image;
    image.SetPixelFormat(pf8bit);
    image.SetSize(64, 2);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 64; ++x)
            image.ScanLine(y)[x] = static_cast<uint8_t>(x);
    EXPECT_EQ(TPNGImage::DefaultFilters, image.GetFilters());
    EXPECT_EQ((std::vector<int>{1, 4}), RowFilters(Save(image)));
    image.SetFilters(pfNone | pfSub | pfUp | pfAverage | pfPaeth);
    EXPECT_EQ((std::vector<int>{1, 2}), RowFilters(Save(image)));
    image.SetFilters(0);
    EXPECT_EQ(pfNone, image.GetFilters());
    EXPECT_EQ((std::vector<int>{0, 0}), RowFilters(Save(image)));
}

TEST(PngWrite, DefaultFiltersNeverUseUp)
{
    // Vertical stripes: Up suits every row but the first.
    TPNGImage stripes;
    stripes.SetSize(50, 20);
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 150; ++x)
            stripes.ScanLine(y)[x] = static_cast<uint8_t>(x * x * 37 + x);
    std::vector<int> filters = RowFilters(Save(stripes));
    EXPECT_EQ(filters.end(), std::find(filters.begin(), filters.end(), 2));
    stripes.SetFilters(0x1F);
    filters = RowFilters(Save(stripes));
    EXPECT_EQ(19, std::count(filters.begin(), filters.end(), 2));

    for (const char* name : AllFixtures) {
        TPNGImage image;
        Load(image, Fixture(name));
        filters = RowFilters(Save(image));
        EXPECT_EQ(filters.end(), std::find(filters.begin(), filters.end(), 2)) << name;
    }
}

TEST(PngWrite, RowsOfFourBytesOrLessUseNone)
{
    TPNGImage image;
    image.SetPixelFormat(pf8bit);
    image.SetSize(4, 3);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 4; ++x)
            image.ScanLine(y)[x] = 7;
    EXPECT_EQ((std::vector<int>{0, 0, 0}), RowFilters(Save(image)));
}

TEST(PngWrite, CompressionLevelsMapToZlibLevels)
{
    TPNGImage image;
    Load(image, Fixture("im-rgb8.png"));
    std::vector<size_t> sizes;
    for (TZCompressionLevel level : {zcNone, zcFastest, zcDefault, zcMax}) {
        image.SetCompressionLevel(level);
        sizes.push_back(ImageData(SplitChunks(Save(image))).size());
    }
    EXPECT_GT(sizes[0], 97u * 61 * 3); // stored
    EXPECT_LT(sizes[1], sizes[0] / 4);
    EXPECT_LE(sizes[2], sizes[1]);
    EXPECT_LE(sizes[3], sizes[2]);
}

TEST(PngWrite, GammaIsWrittenBackAndUndoneOnTheLevels)
{
    TPNGImage image;
    Load(image, Fixture("basn2c08.png"));
    auto written = SplitChunks(Save(image));
    ASSERT_EQ("gAMA", written[1].Type);
    EXPECT_EQ(std::string("\0\x01\x86\xA0", 4), written[1].Data); // 100000
    // Without the gamma chunk the written levels are the stored ones (the highlights, which the correction
    // merges, within 2).
    written.erase(written.begin() + 1);
    TPNGImage stored, original;
    Load(stored, JoinChunks(written));
    Load(original, Fixture("ibasn2c08.png"));
    const TRaster a = RasterOf(original), b = RasterOf(stored);
    for (size_t i = 0; i < a.Pixels.size(); ++i) {
        EXPECT_NEAR(a.Pixels[i].Red, b.Pixels[i].Red, 2) << i;
        EXPECT_NEAR(a.Pixels[i].Green, b.Pixels[i].Green, 2) << i;
        EXPECT_NEAR(a.Pixels[i].Blue, b.Pixels[i].Blue, 2) << i;
    }
}

TEST(PngWrite, PaletteIsWrittenWithTheGammaUndone)
{
    TPNGImage image;
    Load(image, Fixture("basn3p08.png"));
    const auto written = SplitChunks(Save(image));
    const auto original = SplitChunks(Fixture("basn3p08.png"));
    ASSERT_EQ("PLTE", written[2].Type);
    // Levels the correction keeps apart come back exactly; the others to a level that reads the same.
    TPNGImage back;
    Load(back, JoinChunks(written));
    EXPECT_EQ(image.GetPalette(), back.GetPalette());
    EXPECT_EQ(original[2].Data.size(), written[2].Data.size());
}

TEST(PngWrite, PictureChangedAfterLoadingKeepsItsLevels)
{
    // Levels that no stored level corrects to are written as the nearest one, never as black.
    TPNGImage image;
    Load(image, Fixture("basn2c08.png"));
    TBitmap plain;
    plain.SetSize(8, 1);
    for (int32_t x = 0; x < 8; ++x) {
        uint8_t* p = plain.ScanLine(0) + 3 * x;
        p[0] = p[1] = p[2] = static_cast<uint8_t>(5 + 30 * x);
    }
    image.Assign(plain);
    TPNGImage back;
    Load(back, Save(image));
    for (int32_t x = 0; x < 8; ++x) {
        int level = 5 + 30 * x;
        EXPECT_NEAR(level, back.GetPixelColor(x, 0).Red, 12) << x;
    }
}

TEST(PngWrite, IndicesPastThePaletteGetEntries)
{
    TPNGImage image;
    image.SetPixelFormat(pf4bit);
    image.SetSize(2, 1);
    image.SetPalette({{1, 2, 3}, {4, 5, 6}});
    image.ScanLine(0)[0] = 0x1B; // indices 1 and 11
    const auto chunks = SplitChunks(Save(image));
    ASSERT_EQ("PLTE", chunks[1].Type);
    EXPECT_EQ(12u * 3, chunks[1].Data.size());
    EXPECT_EQ(std::string("\x01\x02\x03\x04\x05\x06", 6), chunks[1].Data.substr(0, 6));
}

TEST(PngWrite, EmptyImageEndsInTheSilentAbort)
{
    TPNGImage image;
    TMemoryStream stream;
    EXPECT_THROW(image.SaveToStream(stream), EAbort);
    image.SetSize(0, 5);
    EXPECT_THROW(image.SaveToStream(stream), EAbort);
}

TEST(PngWrite, AssignCopiesBitmapAndFilters)
{
    TPNGImage source, target;
    Load(source, Fixture("basn3p04.png"));
    source.SetFilters(pfSub);
    target.Assign(source);
    EXPECT_EQ(pfNone | pfSub, target.GetFilters());
    EXPECT_EQ(RasterOf(source).Pixels, RasterOf(target).Pixels);
    EXPECT_EQ(source.GetPalette(), target.GetPalette());
}

TEST(PngWrite, MissingChunksAreAddedInOrder)
{
    TPNGImage image;
    image.SetPixelFormat(pf1bit);
    image.SetSize(9, 3);
    TChunkList& chunks = image.GetChunks();
    chunks.Clear();
    chunks.Add(std::make_unique<TChunkIEND>(chunks));
    EXPECT_EQ((std::vector<std::string>{"IHDR", "PLTE", "IDAT", "IEND"}), ChunkTypes(Save(image)));
}

} // namespace
