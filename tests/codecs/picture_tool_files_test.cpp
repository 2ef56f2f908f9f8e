// TIFF and GIF files written by the program as built (under Wine, the Windows build of the codecs) for the
// independent tools of the host: scripts/wine-picture-check.sh runs tiffinfo or gifsicle on each and compares
// ImageMagick's reading with the bitmap file written beside it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "codecs/Tiff.h"
#include "codecs/GIF.h"
#include "tests/common/test_support.h"
#include "tests/codecs/png_test_support.h"

namespace {

// A 61 × 37 picture: a flat band, gradients and noise.
TBitmap Sample(int seed)
{
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(61, 37);
    uint32_t s = uint32_t(seed);
    for (int y = 0; y < 37; ++y)
        for (int x = 0; x < 61; ++x) {
            uint8_t* p = b.ScanLine(y) + 3 * x;
            s = s * 1103515245 + 12345;
            p[0] = y < 10 ? 200 : uint8_t(x * 4);
            p[1] = y < 10 ? 30 : uint8_t(y * 7 + seed);
            p[2] = y < 20 ? 90 : uint8_t(s >> 16);
        }
    return b;
}

void Write(const std::string& path, TGraphic& graphic)
{
    TMemoryStream stream;
    graphic.SaveToStream(stream);
    pngtest::WriteFile(path, pngtest::BytesOf(stream));
}

TEST(PictureToolFiles, WrittenForTheToolsToCheck)
{
    const char* out = std::getenv("QP_TOOL_OUT");
    if (!out || !*out)
        GTEST_SKIP() << "QP_TOOL_OUT names no folder";
    const std::string dir = qptest::NativePath(out);
    std::ofstream list(dir + "/checks.txt", std::ios::binary);

    // TIFF: 24-bit, 8-bit and 1-bit bitmaps, each beside its own bitmap file.
    int n = 0;
    for (TPixelFormat format : {pf24bit, pf8bit, pf1bit}) {
        TBitmap source = Sample(n);
        if (format != pf24bit) {
            TBitmap indexed;
            indexed.SetPixelFormat(format);
            indexed.SetSize(61, 37);
            for (int y = 0; y < 37; ++y)
                for (int x = 0; x < 61; ++x)
                    TBitmap::SetPixelIndex(indexed.ScanLine(y), x, indexed.BitsPerPixel(),
                                           (x * 7 + y * 3) % 5);
            source = indexed;
        }
        TTiffImage tiff;
        tiff.Assign(source);
        const std::string name = "w" + std::to_string(n++);
        Write(dir + "/" + name + ".tif", tiff);
        Write(dir + "/" + name + ".bmp", source);
        list << name << ".tif\t" << name << ".bmp\n";
    }

    // GIF: a colour-reduced picture and a two-frame animation, each frame beside the bitmap it shows.
    TGIFImage gif;
    gif.AddFrame(Sample(1));
    gif.AddFrame(Sample(2));
    gif.Frame(1).Delay = 250;
    TMemoryStream stream;
    gif.SaveToStream(stream);
    pngtest::WriteFile(dir + "/anim.gif", pngtest::BytesOf(stream));
    stream.SetPosition(0);
    TGIFImage back;
    back.LoadFromStream(stream);
    for (int f = 0; f < back.FrameCount(); ++f) {
        TBitmap frame;
        frame.Assign(back.Frame(f).GetBitmap());
        const std::string name = "anim-" + std::to_string(f) + ".bmp";
        Write(dir + "/" + name, frame);
        list << "anim.gif[" << f << "]\t" << name << "\n";
    }
    EXPECT_TRUE(list.good());
}

} // namespace
