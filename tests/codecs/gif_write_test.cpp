// Writing GIF files: frames read back as they were, bitmaps of every pixel format encoded, the
// graphic-control extension and the version kept in line, colour reduction and the encoder's code table.
#include <gtest/gtest.h>

#include <random>

#include "codecs/GIFCodec.h"
#include "tests/codecs/gif_test_support.h"

using namespace giftest;

namespace {

// A bitmap of the format whose pixels follow a pattern; palette formats use every index of their table.
TBitmap PatternBitmap(TPixelFormat format, int32_t width, int32_t height)
{
    TBitmap b;
    b.SetPixelFormat(format);
    b.SetSize(width, height);
    const int bits = b.BitsPerPixel();
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const int v = x * x + 5 * y;
            if (bits <= 8) {
                TBitmap::SetPixelIndex(b.ScanLine(y), x, bits, v % (1 << bits));
            } else {
                uint8_t* p = b.ScanLine(y) + x * (bits / 8);
                // Few enough colours to be kept exactly.
                p[0] = static_cast<uint8_t>(v % 5 * 60), p[1] = static_cast<uint8_t>(y * 20),
                p[2] = static_cast<uint8_t>(x % 3 * 100);
            }
        }
    if (bits <= 8)
        b.SetPalette(Table(1 << bits));
    return b;
}

TEST(GifWrite, FixturesReadBackWithTheirFramesAndTiming)
{
    for (const char* name :
         {"im-pal256", "im-pal16i", "im-pal4", "im-bw", "im-grey", "im-noise", "im-transparent", "im-anim"}) {
        TGIFImage image;
        Load(image, Fixture(std::string(name) + ".gif"));
        TGIFImage again;
        Load(again, Save(image));
        ASSERT_EQ(image.FrameCount(), again.FrameCount()) << name;
        EXPECT_EQ(image.Version, again.Version) << name;
        for (int i = 0; i < image.FrameCount(); ++i) {
            const TGIFFrame &a = image.Frame(i), &b = again.Frame(i);
            EXPECT_EQ(FrameRaster(image, i).Pixels, FrameRaster(again, i).Pixels) << name << " " << i;
            EXPECT_EQ(a.Left, b.Left);
            EXPECT_EQ(a.Top, b.Top);
            EXPECT_EQ(a.Delay, b.Delay) << name << " " << i;
            EXPECT_EQ(a.Disposal, b.Disposal);
            EXPECT_EQ(a.TransparentColor, b.TransparentColor);
            EXPECT_EQ(a.Interlaced, b.Interlaced);
            EXPECT_EQ(a.HasLocalPalette, b.HasLocalPalette);
        }
    }
}

TEST(GifWrite, DelayOfTenHundredthsIsWrittenBackAsTen)
{
    TGIFImage image;
    Load(image, Header(3, 2, Table(4)) + GraphicControl(0, 10, 0) +
                    Image(0, 0, 3, 2, LiteralData(2, {0, 1, 2, 3, 2, 1})) + ";");
    EXPECT_EQ(100u, image.Frame(0).Delay);
    const std::string written = Save(image);
    EXPECT_NE(std::string::npos, written.find(GraphicControl(0, 10, 0)));
    // A new delay: milliseconds become hundredths.
    image.Frame(0).Delay = 1234;
    EXPECT_NE(std::string::npos, Save(image).find(GraphicControl(0, 123, 0)));
}

TEST(GifWrite, BitmapsOfEveryFormatReadBackWithTheirColours)
{
    for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit}) {
        const TBitmap source = PatternBitmap(format, 37, 11);
        TGIFImage image;
        image.Assign(source);
        EXPECT_EQ(1, image.Version);
        TGIFImage again;
        Load(again, Save(image));
        ASSERT_EQ(1, again.FrameCount());
        EXPECT_EQ(pngtest::RasterOf(source).Pixels, FrameRaster(again, 0).Pixels) << int(format);
        // The first frame's table is the global one.
        EXPECT_FALSE(again.Frame(0).HasLocalPalette);
        EXPECT_GT(again.Data().Palette.Count, 0);
    }
}

TEST(GifWrite, OneBitBitmapUsesMinimumCodeSizeTwo)
{
    TGIFImage image;
    image.Assign(PatternBitmap(pf1bit, 9, 4));
    Save(image);
    const TGIFItem* item = image.Frame(0).GetItem();
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(2, item->ImageData[0]);
    EXPECT_EQ(1, item->BitsPerPixel);
    EXPECT_EQ(2, item->Palette.Count);
}

TEST(GifWrite, VersionFollowsExtensionsAndFrames)
{
    auto signature = [](TGIFImage& image) { return Save(image).substr(0, 6); };
    TGIFImage plain;
    plain.Assign(PatternBitmap(pf4bit, 5, 5));
    EXPECT_EQ("GIF87a", signature(plain));

    TBitmap transparent = PatternBitmap(pf4bit, 5, 5);
    transparent.Transparent = true;
    transparent.TransparentColor = Table(16)[3];
    TGIFImage withTransparency;
    withTransparency.Assign(transparent);
    const std::string written = Save(withTransparency);
    EXPECT_EQ("GIF89a", written.substr(0, 6));
    EXPECT_NE(std::string::npos, written.find(GraphicControl(0x01, 0, 3)));

    TGIFImage withComment;
    Load(withComment, Header(3, 2, Table(4), "GIF87a") +
                          Image(0, 0, 3, 2, LiteralData(2, {0, 1, 2, 3, 2, 1})) + Comment({"fin"}) + ";");
    EXPECT_EQ(1, withComment.Version);
    const std::string commented = Save(withComment);
    EXPECT_EQ("GIF89a", commented.substr(0, 6));
    EXPECT_NE(std::string::npos, commented.find(Comment({"fin"})));

    TGIFImage animation;
    animation.AddFrame(PatternBitmap(pf8bit, 4, 4));
    EXPECT_EQ(1, animation.Version);
    EXPECT_EQ(1, animation.AddFrame(PatternBitmap(pf8bit, 6, 2)));
    EXPECT_EQ(2, animation.Version);
    EXPECT_EQ(1, animation.CurrentIndex);
    EXPECT_EQ(6, animation.ScreenWidth);
    EXPECT_EQ(4, animation.ScreenHeight);
}

TEST(GifWrite, GraphicControlKeepsOnlyAnExactTransparentColour)
{
    TGIFImage image;
    Load(image, Header(3, 2, Table(4)) + GraphicControl(0x01, 0, 2) +
                    Image(0, 0, 3, 2, LiteralData(2, {0, 1, 2, 3, 2, 1})) + ";");
    image.Frame(0).TransparentColor = 0x123456;
    image.Frame(0).Disposal = 3;
    EXPECT_NE(std::string::npos, Save(image).find(GraphicControl(0x0C, 0, 0)));
    // An empty comment is dropped.
    image.Frame(0).Extensions.push_back(TExtension(ekComment));
    Save(image);
    EXPECT_EQ(1u, image.Frame(0).Extensions.size());
}

TEST(GifWrite, TableHoldsEveryIndexThePixelsUse)
{
    // Two distinct colours at indices 0 and 15 of a 4-bit bitmap, and two grey levels far apart.
    TBitmap sparse;
    sparse.SetPixelFormat(pf4bit);
    sparse.SetSize(6, 2);
    sparse.SetPalette(Table(16));
    TBitmap::SetPixelIndex(sparse.ScanLine(0), 2, 4, 15);
    TBitmap grey = PatternBitmap(pf24bit, 6, 2);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 6; ++x)
            std::fill_n(grey.ScanLine(y) + 3 * x, 3, static_cast<uint8_t>(x == 4 ? 255 : 0));
    for (const TBitmap* source : {&sparse, &grey}) {
        TGIFImage image;
        image.Assign(*source);
        image.Frame(0).Grayscale = true;
        TGIFImage again;
        Load(again, Save(image));
        EXPECT_EQ(pngtest::RasterOf(*source).Pixels, FrameRaster(again, 0).Pixels);
    }
}

TEST(GifWrite, InterlacedFrameReadsBack)
{
    TGIFImage image;
    image.Assign(PatternBitmap(pf8bit, 13, 19));
    image.Frame(0).Interlaced = true;
    TGIFImage again;
    Load(again, Save(image));
    EXPECT_TRUE(again.Frame(0).Interlaced);
    EXPECT_EQ(FrameRaster(image, 0).Pixels, FrameRaster(again, 0).Pixels);
}

TEST(GifWrite, EncoderClearsItsTableBeforeCode4094)
{
    TBitmap noise;
    noise.SetPixelFormat(pf8bit);
    noise.SetSize(150, 100);
    noise.SetPalette(Table(256));
    std::mt19937 random(7);
    for (int32_t y = 0; y < 100; ++y)
        for (int32_t x = 0; x < 150; ++x)
            noise.ScanLine(y)[x] = static_cast<uint8_t>(random() % 256);
    const std::vector<uint8_t> data = EncodeGIFPixels(noise, false);
    const std::vector<int> codes = CodesOf(data);
    int clears = 0;
    for (int c : codes) {
        EXPECT_LT(c, 4094);
        clears += c == 256;
    }
    EXPECT_EQ(257, codes.back());
    EXPECT_GE(clears, 3);
    // Sub-blocks of 255 bytes, then a shorter one and the terminator.
    EXPECT_EQ(255, data[1]);
    EXPECT_EQ(0, data.back());
    TGIFItem item;
    item.ImageData = data;
    item.Width = 150;
    item.Height = 100;
    item.BitsPerPixel = 8;
    item.Palette.Count = 256;
    std::copy_n(Table(256).begin(), 256, item.Palette.Entries.begin());
    TBitmap decoded;
    DecodeGIFItem(item, false, decoded);
    EXPECT_EQ(noise.GetBits(), decoded.GetBits());
}

TEST(GifWrite, ReductionDropsBlueThenRedThenGreenBits)
{
    // 12 reds x 12 greens x 32 blues: too many colours until the lowest blue bit and then the lowest red bit
    // go.
    TBitmap many;
    many.SetSize(72, 64);
    for (int i = 0; i < 72 * 64; ++i) {
        uint8_t* p = many.ScanLine(i / 72) + 3 * (i % 72);
        p[0] = static_cast<uint8_t>(i % 32), p[1] = static_cast<uint8_t>(i / 32 % 12),
        p[2] = static_cast<uint8_t>(i / 384);
    }
    TBitmap reduced;
    ReduceGIFColors(many, reduced);
    ASSERT_EQ(pf8bit, reduced.GetPixelFormat());
    bool oddGreen = false;
    for (const TRGBEntry& e : reduced.GetPalette()) {
        EXPECT_EQ(0, e.Blue & 1);
        EXPECT_EQ(0, e.Red & 1);
        oddGreen |= (e.Green & 1) != 0;
    }
    EXPECT_TRUE(oddGreen);
}

TEST(GifWrite, ReductionKeepsTheMostFrequentColoursAndMapsTheRestToTheNearest)
{
    // 300 colours: (i, 0, 0) once each for i < 250 and 50 bright blues; (10, 0, 0) and the blues most often.
    TBitmap b;
    b.SetSize(400, 1);
    for (int x = 0; x < 400; ++x) {
        uint8_t* p = b.ScanLine(0) + 3 * x;
        if (x < 250)
            p[2] = static_cast<uint8_t>(x);
        else if (x < 300)
            p[0] = static_cast<uint8_t>(200 + x - 250), p[1] = p[2] = 0;
        else
            p[2] = 10;
    }
    for (int x = 250; x < 300; ++x) // each blue twice
        std::copy_n(b.ScanLine(0) + 3 * x, 3, b.ScanLine(0) + 3 * (x + 100 <= 399 ? x + 100 : x));
    TBitmap reduced;
    ReduceGIFColors(b, reduced);
    const auto& palette = reduced.GetPalette();
    EXPECT_TRUE((palette[0] == TRGBEntry{10, 0, 0}));
    // The blues, seen twice, are all kept; every pixel maps to itself or to an entry at the least distance.
    auto distance = [](TRGBEntry a, TRGBEntry b) {
        return (a.Red - b.Red) * (a.Red - b.Red) + (a.Green - b.Green) * (a.Green - b.Green) +
               (a.Blue - b.Blue) * (a.Blue - b.Blue);
    };
    for (int x = 0; x < 400; ++x) {
        const TRGBEntry in = b.GetPixelColor(x, 0), out = reduced.GetPixelColor(x, 0);
        int best = 1 << 30;
        for (const TRGBEntry& e : palette)
            best = std::min(best, distance(in, e));
        EXPECT_EQ(best, distance(in, out)) << x;
        if (x >= 250 && x < 300) {
            EXPECT_TRUE(in == out) << x;
        }
    }
    // Few colours are kept exactly; unused entries are grey.
    TBitmap few = PatternBitmap(pf24bit, 20, 7), exact;
    ReduceGIFColors(few, exact);
    EXPECT_EQ(pngtest::RasterOf(few).Pixels, pngtest::RasterOf(exact).Pixels);
    EXPECT_TRUE((exact.GetPalette().back() == TRGBEntry{128, 128, 128}));
}

TEST(GifWrite, GreyLevelsFromRedGreenAndBlue)
{
    TBitmap b;
    b.SetSize(3, 1);
    const uint8_t colours[3][3] = {{0, 0, 255}, {0, 255, 0}, {255, 255, 255}}; // blue, green, red order
    for (int x = 0; x < 3; ++x)
        std::copy_n(colours[x], 3, b.ScanLine(0) + 3 * x);
    TBitmap grey;
    ConvertGIFToGrey(b, grey);
    EXPECT_EQ((77 * 255) >> 8, grey.ScanLine(0)[0]);
    EXPECT_EQ((150 * 255) >> 8, grey.ScanLine(0)[1]);
    EXPECT_EQ(255, grey.ScanLine(0)[2]);
    EXPECT_TRUE((grey.GetPalette()[77] == TRGBEntry{77, 77, 77}));
}

TEST(GifWrite, CopiesShareDataAndKeepFrames)
{
    TGIFImage image;
    Load(image, Fixture("im-anim.gif"));
    TGIFImage copy;
    copy.Assign(image);
    EXPECT_EQ(3, copy.FrameCount());
    EXPECT_EQ(image.Frame(2).GetItem(), copy.Frame(2).GetItem());
    EXPECT_EQ(&image.Data(), &copy.Data());
    // Changing the copy's shared data leaves the original alone.
    copy.EditData().AspectRatio = 49;
    EXPECT_EQ(0, image.Data().AspectRatio);
    // One frame of another image keeps its colours.
    TGIFImage single;
    single.Assign(image.Frame(1));
    TGIFImage again;
    Load(again, Save(single));
    EXPECT_EQ(FrameRaster(image, 1).Pixels, FrameRaster(again, 0).Pixels);
    EXPECT_EQ(250u, again.Frame(0).Delay);
    // To a bitmap: the current frame; a frame gives its transparent colour too.
    image.CurrentIndex = 2;
    TBitmap bitmap;
    image.AssignTo(bitmap);
    EXPECT_EQ(17, bitmap.GetWidth());
    TGIFImage transparent;
    Load(transparent, Fixture("im-transparent.gif"));
    transparent.Frame(0).AssignTo(bitmap);
    EXPECT_TRUE(bitmap.Transparent);
    EXPECT_TRUE((bitmap.TransparentColor == TRGBEntry{0, 0, 0}));
}

TEST(GifWrite, LengthPrefixedData)
{
    TGIFImage image;
    Load(image, Fixture("im-pal4.gif"));
    TMemoryStream stream;
    image.WriteData(stream);
    stream.SetPosition(0);
    TGIFImage again;
    again.ReadData(stream);
    EXPECT_EQ(FrameRaster(image, 0).Pixels, FrameRaster(again, 0).Pixels);
    EXPECT_EQ(stream.GetSize(), stream.GetPosition());
}

} // namespace
