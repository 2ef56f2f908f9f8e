// Reading PNG files of every colour type, depth and interlacing, checked against ImageMagick's reading of
// them.
#include <gtest/gtest.h>

#include "classlib/graphics/Picture.h"
#include "codecs/PNG.h"
#include "tests/codecs/png_test_support.h"

using namespace pngtest;

namespace {

struct TFixture {
    const char* File;
    const char* Reference;
    TPixelFormat Format;
    uint32_t Gamma; // of the file's gAMA chunk, 0 without one
};

void PrintTo(const TFixture& f, std::ostream* os)
{
    *os << f.File;
}

// The pixels a picture must show: ImageMagick's reading, through the file's gamma correction.
TRaster Expected(const TFixture& f)
{
    TRaster r = ReadPPM(Fixture(f.Reference));
    for (TRGBEntry& p : r.Pixels)
        p = {GammaCorrect(p.Red, f.Gamma), GammaCorrect(p.Green, f.Gamma), GammaCorrect(p.Blue, f.Gamma)};
    return r;
}

void ExpectSamePixels(const TRaster& expected, const TRaster& actual)
{
    ASSERT_EQ(expected.Width, actual.Width);
    ASSERT_EQ(expected.Height, actual.Height);
    for (int32_t y = 0; y < expected.Height; ++y)
        for (int32_t x = 0; x < expected.Width; ++x) {
            TRGBEntry e = expected.At(x, y), a = actual.At(x, y);
            ASSERT_TRUE(e == a) << "pixel " << x << "," << y << ": expected " << int(e.Red) << " "
                                << int(e.Green) << " " << int(e.Blue) << ", got " << int(a.Red) << " "
                                << int(a.Green) << " " << int(a.Blue);
        }
}

class PngFixture : public testing::TestWithParam<TFixture> {};

TEST_P(PngFixture, ReadsThePixelsOfAnIndependentReader)
{
    const TFixture& f = GetParam();
    TPNGImage image;
    Load(image, Fixture(f.File));
    EXPECT_EQ(f.Format, image.GetPixelFormat());
    ExpectSamePixels(Expected(f), RasterOf(image));
}

constexpr uint32_t G1 = 100000;

INSTANTIATE_TEST_SUITE_P(PngSuite, PngFixture,
                         testing::Values(TFixture{"basn0g01.png", "basn0g01.ppm", pf1bit, G1},
                                         TFixture{"basn0g02.png", "basn0g02.ppm", pf4bit, G1},
                                         TFixture{"basn0g04.png", "basn0g04.ppm", pf4bit, G1},
                                         TFixture{"basn0g08.png", "basn0g08.ppm", pf8bit, G1},
                                         TFixture{"basn0g16.png", "basn0g16.ppm", pf8bit, G1},
                                         TFixture{"basn2c08.png", "basn2c08.ppm", pf24bit, G1},
                                         TFixture{"basn2c16.png", "basn2c16.ppm", pf24bit, G1},
                                         TFixture{"basn3p01.png", "basn3p01.ppm", pf1bit, G1},
                                         TFixture{"basn3p02.png", "basn3p02.ppm", pf4bit, G1},
                                         TFixture{"basn3p04.png", "basn3p04.ppm", pf4bit, G1},
                                         TFixture{"basn3p08.png", "basn3p08.ppm", pf8bit, G1},
                                         TFixture{"basn4a08.png", "basn4a08.ppm", pf8bit, G1},
                                         TFixture{"basn4a16.png", "basn4a16.ppm", pf8bit, G1},
                                         TFixture{"basn6a08.png", "basn6a08.ppm", pf24bit, G1},
                                         TFixture{"basn6a16.png", "basn6a16.ppm", pf24bit, G1},
                                         TFixture{"ftbrn2c08.png", "ftbrn2c08.ppm", pf24bit, G1},
                                         // Interlaced, without gamma.
                                         TFixture{"ibasn0g01.png", "basn0g01.ppm", pf1bit, 0},
                                         TFixture{"ibasn0g02.png", "basn0g02.ppm", pf4bit, 0},
                                         TFixture{"ibasn0g04.png", "basn0g04.ppm", pf4bit, 0},
                                         TFixture{"ibasn0g08.png", "basn0g08.ppm", pf8bit, 0},
                                         TFixture{"ibasn0g16.png", "basn0g16.ppm", pf8bit, 0},
                                         TFixture{"ibasn2c08.png", "basn2c08.ppm", pf24bit, 0},
                                         TFixture{"ibasn2c16.png", "basn2c16.ppm", pf24bit, 0},
                                         TFixture{"ibasn3p01.png", "basn3p01.ppm", pf1bit, 0},
                                         TFixture{"ibasn3p02.png", "basn3p02.ppm", pf4bit, 0},
                                         TFixture{"ibasn3p04.png", "basn3p04.ppm", pf4bit, 0},
                                         TFixture{"ibasn3p08.png", "basn3p08.ppm", pf8bit, 0},
                                         TFixture{"ibasn4a08.png", "basn4a08.ppm", pf8bit, 0},
                                         TFixture{"ibasn4a16.png", "basn4a16.ppm", pf8bit, 0},
                                         TFixture{"ibasn6a08.png", "basn6a08.ppm", pf24bit, 0},
                                         TFixture{"ibasn6a16.png", "basn6a16.ppm", pf24bit, 0}));

INSTANTIATE_TEST_SUITE_P(ImageMagick, PngFixture,
                         testing::Values(TFixture{"im-rgb8.png", "im-rgb8.ppm", pf24bit, 0},
                                         TFixture{"im-rgb16i.png", "im-rgb16i.ppm", pf24bit, 0},
                                         TFixture{"im-rgba8.png", "im-rgba8.ppm", pf24bit, 0},
                                         TFixture{"im-pal8.png", "im-pal8.ppm", pf8bit, 0},
                                         TFixture{"im-pal4.png", "im-pal4.ppm", pf4bit, 0},
                                         TFixture{"im-grey4.png", "im-grey4.ppm", pf4bit, 0},
                                         TFixture{"im-noise.png", "im-noise.ppm", pf24bit, 0}));

TEST(PngRead, TwoBitGreyBecomesFourBitsWithSixteenEntryPalette)
{
    TPNGImage image;
    Load(image, Fixture("ibasn0g02.png"));
    ASSERT_EQ(pf4bit, image.GetPixelFormat());
    const auto& palette = image.GetPalette();
    ASSERT_EQ(16u, palette.size());
    const uint8_t levels[] = {0, 85, 170, 255};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE((palette[i] == TRGBEntry{levels[i], levels[i], levels[i]})) << i;
}

TEST(PngRead, ImageDataSplitOverManyChunksReadsAsOne)
{
    const std::string file = Fixture("im-noise.png");
    std::vector<TRawChunk> chunks;
    for (const TRawChunk& c : SplitChunks(file)) {
        if (c.Type != "IDAT") {
            chunks.push_back(c);
            continue;
        }
        for (size_t at = 0; at < c.Data.size(); at += 97)
            chunks.push_back(MakeChunk("IDAT", c.Data.substr(at, 97)));
    }
    ASSERT_GT(chunks.size(), 100u);
    TPNGImage whole, split;
    Load(whole, file);
    Load(split, JoinChunks(chunks));
    ExpectSamePixels(RasterOf(whole), RasterOf(split));
}

TEST(PngRead, ReadsFromTheStreamPosition)
{
    std::string bytes = "leading bytes" + Fixture("basn3p04.png");
    TMemoryStream stream = StreamOf(bytes);
    stream.SetPosition(13);
    TPNGImage image;
    image.LoadFromStream(stream);
    EXPECT_EQ(32, image.GetWidth());
}

TEST(PngRead, RegisteredAsThePictureFormatOfItsExtension)
{
    TGraphicClass graphicClass = TPicture::FindFileFormat("png");
    ASSERT_NE(nullptr, graphicClass);
    std::unique_ptr<TGraphic> graphic = graphicClass();
    ASSERT_NE(nullptr, dynamic_cast<TPNGImage*>(graphic.get()));
    TMemoryStream stream = StreamOf(Fixture("basn2c08.png"));
    graphic->LoadFromStream(stream);
    EXPECT_EQ(32, graphic->GetWidth());
}

TEST(PngRead, KeepsTheChunksOfTheFile)
{
    TPNGImage image;
    Load(image, Fixture("basn3p08.png"));
    TChunkList& chunks = image.GetChunks();
    ASSERT_EQ(4, chunks.Count());
    EXPECT_EQ("IHDR", chunks.Item(0).GetType());
    EXPECT_EQ("gAMA", chunks.Item(1).GetType());
    EXPECT_EQ("PLTE", chunks.Item(2).GetType());
    EXPECT_EQ("IDAT", chunks.Item(3).GetType());
    auto& gamma = static_cast<TChunkGAMA&>(chunks.Item(1));
    EXPECT_EQ(100000u, gamma.Gamma);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(GammaCorrect(static_cast<uint8_t>(i), 100000), gamma.GammaTable[i]) << i;
}

} // namespace
