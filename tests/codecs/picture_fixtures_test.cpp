// The picture readers over the pictures ImageMagick wrote in every variant the readers take: each decodes to
// ImageMagick's own reading, within the tolerance of the variant.
#include <gtest/gtest.h>

#include "tests/codecs/picture_test_support.h"
#include "tests/common/test_support.h"

using namespace pictest;

namespace {

struct TFixture {
    const char* Name;
    int Tolerance;
};

void Check(const std::string& folder, const std::string& extension, const std::vector<TFixture>& fixtures)
{
    for (const TFixture& f : fixtures) {
        const std::string base = folder + "/" + f.Name;
        const std::string bytes = qptest::ReadFileBytes(qptest::DataPath(base + "." + extension));
        ASSERT_FALSE(bytes.empty()) << base;
        std::unique_ptr<TBitmap> bitmap;
        try {
            bitmap = LoadPicture(extension, bytes);
        } catch (const EAbort&) {
            ADD_FAILURE() << base << " is refused";
            continue;
        }
        std::string where;
        const TRaster expected = pngtest::ReadPPM(qptest::ReadFileBytes(qptest::DataPath(base + ".ppm")));
        const int d = LargestDifference(pngtest::RasterOf(*bitmap), expected, &where);
        EXPECT_TRUE(d >= 0 && d <= f.Tolerance) << base << ": " << d << " at " << where;
    }
}

TEST(PictureFixtures, Tiff)
{
    // 16-bit samples keep their high byte where ImageMagick rounds; 4-bit grey levels are × 16 where
    // ImageMagick takes × 17; the L*a*b* colours come from the program's own formula.
    Check("tiff", "tif",
          {{"rgb8-none-II", 0},
           {"rgb8-none-MM", 0},
           {"rgb8-lzw", 0},
           {"rgb8-lzw-pred2-MM", 0},
           {"rgb8-packbits-rps4", 0},
           {"rgb8-planar-lzw", 0},
           {"rgb8-planar-none", 0},
           {"rgb8-tiles16-none", 0},
           {"rgb8-tiles16-lzw-pred2", 0},
           {"rgba8-lzw", 0},
           {"rgb16-none-MM", 1},
           {"rgb16-lzw-pred2", 1},
           {"cmyk8-none", 1},
           {"lab8-none", 80},
           {"grey8-minisblack", 0},
           {"grey8-miniswhite", 0},
           {"grey4-packbits", 15},
           {"grey16-lzw-MM", 1},
           {"pal8-lzw", 0},
           {"pal4-none-MM", 0},
           {"pal2-none", 0},
           {"bw-none-minisblack", 0},
           {"bw-packbits-miniswhite", 0},
           {"bw-lzw", 0},
           {"bw-g3-1d", 0},
           {"bw-g3-1d-rps5", 0},
           {"bw-g3-2d", 0},
           {"bw-g4", 0},
           {"bw-g4-lsb", 0},
           {"multipage-last-grey", 0}});
}

TEST(PictureFixtures, Pcx)
{
    Check("pcx", "pcx", {{"rgb24", 0}, {"rgba32", 0}, {"pal256", 0}, {"runs", 0}});
}

TEST(PictureFixtures, Targa)
{
    // Colour maps and grey levels are kept at 6 bits per channel.
    Check("tga", "tga",
          {{"rgb24", 0},
           {"rgb24-rle", 0},
           {"rgba32", 0},
           {"rgba32-rle", 0},
           {"pal8", 3},
           {"pal8-rle", 3},
           {"grey8", 7},
           {"grey8-rle", 7},
           {"rgb24-topdown", 0}});
}

} // namespace
