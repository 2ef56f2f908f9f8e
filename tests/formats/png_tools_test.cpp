// What the PNG writer produces, checked by independent tools: pngcheck accepts every file and ImageMagick reads
// the same pixels as in the source. Skipped where the tools cannot run (under Wine, or when they are missing).
#include <gtest/gtest.h>

#include <cstdlib>

#include "formats/PNG.h"
#include "tests/common/test_support.h"
#include "tests/formats/png_test_support.h"

using namespace pngtest;

namespace {

bool ToolsPresent()
{
#ifdef _WIN32
    return false;
#else
    return std::system("command -v pngcheck >/dev/null 2>&1 && command -v compare >/dev/null 2>&1 && "
                       "command -v convert >/dev/null 2>&1") == 0;
#endif
}

// ImageMagick's count of pixels that differ between two pictures, their transparency left out.
std::string DifferentPixels(const std::string& a, const std::string& b)
{
    const std::string dir = qptest::ScratchDir();
    EXPECT_EQ(0, RunTool("convert '" + a + "' -alpha off -depth 8 '" + dir + "/a.ppm'"));
    EXPECT_EQ(0, RunTool("convert '" + b + "' -alpha off -depth 8 '" + dir + "/b.ppm'"));
    std::string output;
    RunTool("compare -metric AE '" + dir + "/a.ppm' '" + dir + "/b.ppm' null:", &output);
    return output;
}

class PngTools : public testing::Test {
protected:
    void SetUp() override
    {
        if (!ToolsPresent())
            GTEST_SKIP() << "pngcheck or ImageMagick cannot run here";
    }
};

TEST_F(PngTools, WrittenFilesPassPngcheckAndKeepTheirPixels)
{
    // Pictures whose levels the writer keeps exactly: no gamma, at most 8 bits per sample.
    const char* exact[] = {"ibasn0g01.png", "ibasn0g02.png", "ibasn0g04.png", "ibasn0g08.png", "ibasn2c08.png",
                           "ibasn3p01.png", "ibasn3p02.png", "ibasn3p04.png", "ibasn3p08.png", "ibasn4a08.png",
                           "ibasn6a08.png", "im-rgb8.png", "im-rgba8.png", "im-pal8.png", "im-pal4.png",
                           "im-grey4.png", "im-noise.png"};
    // Pictures that lose precision or carry a gamma: pngcheck only.
    const char* others[] = {"basn0g16.png", "basn2c16.png", "basn3p08.png", "basn4a16.png", "basn6a16.png",
                            "ftbrn2c08.png", "im-rgb16i.png", "basn0g02.png"};
    const std::string dir = qptest::ScratchDir();
    auto check = [&](const char* name, bool samePixels) {
        TPNGImage image;
        Load(image, Fixture(name));
        image.SetCompressionLevel(zcMax);
        const std::string written = dir + "/" + name;
        WriteFile(written, Save(image));
        std::string report;
        EXPECT_EQ(0, RunTool("pngcheck -v '" + written + "'", &report)) << name << "\n" << report;
        if (samePixels) {
            EXPECT_EQ("0", DifferentPixels(qptest::DataPath(std::string("png/") + name), written)) << name;
        }
    };
    for (const char* name : exact)
        check(name, true);
    for (const char* name : others)
        check(name, false);
}

TEST_F(PngTools, BitmapsOfEveryFormatWriteTheSamePixelsAsTheBitmapFile)
{
    const std::string dir = qptest::ScratchDir();
    for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit}) {
        TPNGImage image;
        image.SetPixelFormat(format);
        image.SetSize(37, 11);
        const int bits = image.BitsPerPixel();
        for (int32_t y = 0; y < 11; ++y)
            for (int32_t x = 0; x < 37; ++x) {
                const int v = x * x + 5 * y;
                if (bits <= 8) {
                    TBitmap::SetPixelIndex(image.ScanLine(y), x, bits, v % (1 << bits));
                } else {
                    uint8_t* p = image.ScanLine(y) + x * (bits / 8);
                    p[0] = static_cast<uint8_t>(v), p[1] = static_cast<uint8_t>(3 * v), p[2] = static_cast<uint8_t>(7 * y);
                }
            }
        if (bits <= 8) {
            std::vector<TRGBEntry> palette(1u << bits);
            for (size_t i = 0; i < palette.size(); ++i)
                palette[i] = {static_cast<uint8_t>(i * 5), static_cast<uint8_t>(i * 9), static_cast<uint8_t>(250 - i)};
            image.SetPalette(palette);
        }
        const std::string name = dir + "/format" + std::to_string(bits);
        TMemoryStream bmp;
        image.TBitmap::SaveToStream(bmp);
        WriteFile(name + ".bmp", BytesOf(bmp));
        WriteFile(name + ".png", Save(image));
        std::string report;
        EXPECT_EQ(0, RunTool("pngcheck -v '" + name + ".png'", &report)) << bits << "\n" << report;
        EXPECT_EQ("0", DifferentPixels(name + ".bmp", name + ".png")) << bits;
    }
}

} // namespace
