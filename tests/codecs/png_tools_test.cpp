// What the PNG writer produces, checked by independent tools: pngcheck accepts every file and ImageMagick
// reads the same pixels as in the source. On the host the tests run the tools themselves; under Wine, where
// they cannot run, the files are written into the folder QP_TOOL_OUT names, with a list for
// scripts/wine-png-check.sh.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "codecs/PNG.h"
#include "tests/common/test_support.h"
#include "tests/codecs/png_test_support.h"

using namespace pngtest;

namespace {

// A file written into a folder (name within it), and the picture of the same folder whose pixels it must show
// (none: pngcheck only).
struct TToolCheck {
    std::string Written;
    std::string Reference;
};

// Every fixture read and written again at the best compression; those whose levels the writer keeps exactly
// (no gamma, at most 8 bits per sample) beside a copy of the source to compare with.
std::vector<TToolCheck> WriteFixtures(const std::string& dir)
{
    const char* exact[] = {
        "ibasn0g01.png", "ibasn0g02.png", "ibasn0g04.png", "ibasn0g08.png", "ibasn2c08.png", "ibasn3p01.png",
        "ibasn3p02.png", "ibasn3p04.png", "ibasn3p08.png", "ibasn4a08.png", "ibasn6a08.png", "im-rgb8.png",
        "im-rgba8.png",  "im-pal8.png",   "im-pal4.png",   "im-grey4.png",  "im-noise.png"};
    const char* others[] = {"basn0g16.png", "basn2c16.png",  "basn3p08.png",  "basn4a16.png",
                            "basn6a16.png", "ftbrn2c08.png", "im-rgb16i.png", "basn0g02.png"};
    std::vector<TToolCheck> checks;
    auto write = [&](const std::string& name, bool samePixels) {
        TPNGImage image;
        const std::string source = Fixture(name);
        Load(image, source);
        image.SetCompressionLevel(zcMax);
        WriteFile(dir + "/" + name, Save(image));
        if (samePixels)
            WriteFile(dir + "/source-" + name, source);
        checks.push_back({name, samePixels ? "source-" + name : ""});
    };
    for (const char* name : exact)
        write(name, true);
    for (const char* name : others)
        write(name, false);
    return checks;
}

// Bitmaps of every pixel format, written as PNG and as a bitmap file.
std::vector<TToolCheck> WriteFormats(const std::string& dir)
{
    std::vector<TToolCheck> checks;
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
                    p[0] = static_cast<uint8_t>(v), p[1] = static_cast<uint8_t>(3 * v),
                    p[2] = static_cast<uint8_t>(7 * y);
                }
            }
        if (bits <= 8) {
            std::vector<TRGBEntry> palette(1u << bits);
            for (size_t i = 0; i < palette.size(); ++i)
                palette[i] = {static_cast<uint8_t>(i * 5), static_cast<uint8_t>(i * 9),
                              static_cast<uint8_t>(250 - i)};
            image.SetPalette(palette);
        }
        const std::string name = "format" + std::to_string(bits);
        TMemoryStream bmp;
        image.TBitmap::SaveToStream(bmp);
        WriteFile(dir + "/" + name + ".bmp", BytesOf(bmp));
        WriteFile(dir + "/" + name + ".png", Save(image));
        checks.push_back({name + ".png", name + ".bmp"});
    }
    return checks;
}

#ifndef _WIN32
bool ToolsPresent()
{
    return std::system("command -v pngcheck >/dev/null 2>&1 && command -v compare >/dev/null 2>&1 && "
                       "command -v convert >/dev/null 2>&1") == 0;
}

void RunChecks(const std::string& dir, const std::vector<TToolCheck>& checks)
{
    for (const TToolCheck& check : checks) {
        std::string report;
        EXPECT_EQ(0, RunTool("pngcheck -v '" + dir + "/" + check.Written + "'", &report))
            << check.Written << "\n"
            << report;
        if (!check.Reference.empty()) {
            EXPECT_EQ("0", DifferentPixels(dir + "/" + check.Reference, dir + "/" + check.Written))
                << check.Written;
        }
    }
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
    const std::string dir = qptest::ScratchDir();
    RunChecks(dir, WriteFixtures(dir));
}

TEST_F(PngTools, BitmapsOfEveryFormatWriteTheSamePixelsAsTheBitmapFile)
{
    const std::string dir = qptest::ScratchDir();
    RunChecks(dir, WriteFormats(dir));
}
#endif

// The files for the tools, written by the program as built: under Wine, the Windows build of the codec.
TEST(PngToolFiles, WrittenForTheToolsToCheck)
{
    const char* out = std::getenv("QP_TOOL_OUT");
    if (!out || !*out)
        GTEST_SKIP() << "QP_TOOL_OUT names no folder";
    const std::string dir = qptest::NativePath(out);
    std::vector<TToolCheck> checks = WriteFixtures(dir);
    for (const TToolCheck& check : WriteFormats(dir))
        checks.push_back(check);
    std::ofstream list(dir + "/checks.txt", std::ios::binary);
    for (const TToolCheck& check : checks)
        list << check.Written << '\t' << check.Reference << '\n';
    EXPECT_TRUE(list.good());
}

} // namespace
