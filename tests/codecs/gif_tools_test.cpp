// What the GIF writer produces, checked by independent tools: gifsicle reads every file without complaint and
// ImageMagick reads the same pixels, frames, places and delays. Skipped where the tools cannot run (under
// Wine, or when they are missing).
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/common/test_support.h"
#include "tests/codecs/gif_test_support.h"

using namespace giftest;
using pngtest::RunTool;
using pngtest::WriteFile;

namespace {

bool ToolsPresent()
{
#ifdef _WIN32
    return false;
#else
    return std::system("command -v gifsicle >/dev/null 2>&1 && command -v compare >/dev/null 2>&1 && "
                       "command -v convert >/dev/null 2>&1 && command -v identify >/dev/null 2>&1") == 0;
#endif
}

// gifsicle reads the file without a warning or an error.
void ExpectGifsicleAccepts(const std::string& path)
{
    std::string report;
    EXPECT_EQ(0, RunTool("gifsicle --info '" + path + "'", &report)) << path << "\n" << report;
    EXPECT_EQ(std::string::npos, report.find("warning")) << report;
    EXPECT_EQ(std::string::npos, report.find("error")) << report;
}

// ImageMagick's count of pixels that differ between frame N of a GIF file and a bitmap file.
std::string FrameDiffers(const std::string& gif, int frame, const std::string& bmp)
{
    return pngtest::DifferentPixels(gif + "[" + std::to_string(frame) + "]", bmp);
}

std::string SaveBitmap(TBitmap& bitmap, const std::string& path)
{
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    WriteFile(path, pngtest::BytesOf(stream));
    return path;
}

class GifTools : public testing::Test {
protected:
    void SetUp() override
    {
        if (!ToolsPresent())
            GTEST_SKIP() << "gifsicle or ImageMagick cannot run here";
    }
};

TEST_F(GifTools, EncodedBitmapsShowTheirPixels)
{
    const std::string dir = qptest::ScratchDir();
    // A picture of many colours (reduced by the encoder) and one of few (kept exactly), each plain and
    // interlaced.
    TBitmap photo;
    photo.SetSize(120, 90);
    for (int32_t y = 0; y < 90; ++y)
        for (int32_t x = 0; x < 120; ++x) {
            uint8_t* p = photo.ScanLine(y) + 3 * x;
            p[0] = static_cast<uint8_t>(x * 2), p[1] = static_cast<uint8_t>(y * 3),
            p[2] = static_cast<uint8_t>((x * y) % 256);
        }
    TBitmap chart;
    chart.SetPixelFormat(pf4bit);
    chart.SetSize(61, 17);
    chart.SetPalette(Table(16));
    for (int32_t y = 0; y < 17; ++y)
        for (int32_t x = 0; x < 61; ++x)
            TBitmap::SetPixelIndex(chart.ScanLine(y), x, 4, (x / 4 + y) % 16);
    int n = 0;
    for (TBitmap* source : {&photo, &chart})
        for (bool interlaced : {false, true}) {
            TGIFImage image;
            image.Assign(*source);
            image.Frame(0).Interlaced = interlaced;
            const std::string path = dir + "/encoded" + std::to_string(n++) + ".gif";
            WriteFile(path, Save(image));
            ExpectGifsicleAccepts(path);
            // The picture as the frame now holds it (reduced to 256 colours for the photo).
            TBitmap shown;
            shown.Assign(image.Frame(0).GetBitmap());
            EXPECT_EQ("0", FrameDiffers(path, 0, SaveBitmap(shown, path + ".bmp"))) << path;
            std::string interlace;
            RunTool("identify -format '%[interlace]' '" + path + "'", &interlace);
            EXPECT_EQ(interlaced ? "GIF" : "None", interlace) << path;
        }
}

TEST_F(GifTools, AnimationKeepsFramesPlacesDelaysAndTransparency)
{
    const std::string dir = qptest::ScratchDir();
    TGIFImage image;
    TBitmap a;
    a.SetSize(30, 20);
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 30; ++x)
            std::fill_n(a.ScanLine(y) + 3 * x, 3, static_cast<uint8_t>(x < 15 ? 40 : 220));
    a.Transparent = true;
    a.TransparentColor = {220, 220, 220};
    image.AddFrame(a);
    image.Frame(0).Delay = 150;
    TBitmap b;
    b.SetPixelFormat(pf1bit);
    b.SetSize(9, 5);
    b.SetPalette({{255, 0, 0}, {0, 0, 255}});
    TBitmap::SetPixelIndex(b.ScanLine(2), 4, 1, 1);
    image.AddFrame(b);
    image.Frame(1).Left = 21;
    image.Frame(1).Top = 15;
    image.Frame(1).Delay = 40;
    image.Frame(1).Disposal = 2;
    const std::string path = dir + "/animation.gif";
    WriteFile(path, Save(image));
    ExpectGifsicleAccepts(path);
    std::string frames;
    EXPECT_EQ(0, RunTool("identify -format '%T %w %h %X %Y %D|' '" + path + "'", &frames));
    EXPECT_EQ("15 30 20 +0 +0 Undefined|4 9 5 +21 +15 Background|", frames);
    std::string screen;
    RunTool("identify -format '%W %H|' '" + path + "'", &screen);
    EXPECT_EQ("30 20|30 20|", screen);
    // The transparent half reads transparent; the second frame keeps its own table.
    std::string pixel;
    RunTool("convert '" + path +
                "[0]' -format '%[fx:p{20,5}.a] %[fx:p{2,5}.a] %[fx:int(255*p{2,5}.g)]' info:",
            &pixel);
    EXPECT_EQ("0 1 40", pixel);
    EXPECT_EQ("0", FrameDiffers(path, 1, SaveBitmap(b, dir + "/b.bmp")));
}

TEST_F(GifTools, RewrittenFixturesReadAsTheOriginals)
{
    const std::string dir = qptest::ScratchDir();
    for (const char* name : {"im-anim", "im-noise", "im-transparent", "im-grey"}) {
        TGIFImage image;
        Load(image, Fixture(std::string(name) + ".gif"));
        const std::string path = dir + "/" + name + ".gif";
        WriteFile(path, Save(image));
        ExpectGifsicleAccepts(path);
        const std::string original = qptest::DataPath(std::string("gif/") + name + ".gif");
        std::string before, after;
        RunTool("identify -format '%T %w %h %X %Y %D %[interlace]|' '" + original + "'", &before);
        RunTool("identify -format '%T %w %h %X %Y %D %[interlace]|' '" + path + "'", &after);
        EXPECT_EQ(before, after) << name;
        for (int i = 0; i < image.FrameCount(); ++i) {
            std::string output;
            RunTool("compare -metric AE '" + original + "[" + std::to_string(i) + "]' '" + path + "[" +
                        std::to_string(i) + "]' null:",
                    &output);
            EXPECT_EQ("0", output) << name << " frame " << i;
        }
    }
}

} // namespace
