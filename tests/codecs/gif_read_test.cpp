// Reading GIF files: ImageMagick's pictures of every table size, interlaced, transparent and animated,
// checked against ImageMagick's reading of them, and the blocks of files put together by hand.
#include <gtest/gtest.h>

#include "classlib/graphics/Picture.h"
#include "tests/codecs/gif_test_support.h"

using namespace giftest;

namespace {

void ExpectSamePixels(const TRaster& expected, const TRaster& actual, const std::string& what)
{
    ASSERT_EQ(expected.Width, actual.Width) << what;
    ASSERT_EQ(expected.Height, actual.Height) << what;
    for (int32_t y = 0; y < expected.Height; ++y)
        for (int32_t x = 0; x < expected.Width; ++x) {
            const TRGBEntry e = expected.At(x, y), a = actual.At(x, y);
            ASSERT_TRUE(e == a) << what << " pixel " << x << "," << y << ": expected " << int(e.Red) << " "
                                << int(e.Green) << " " << int(e.Blue) << ", got " << int(a.Red) << " "
                                << int(a.Green) << " " << int(a.Blue);
        }
}

TEST(GifRead, FramesShowThePixelsOfAnIndependentReader)
{
    const struct {
        const char* Name;
        int Frames;
        TPixelFormat Format;
        bool Interlaced;
    } fixtures[] = {
        {"im-pal256", 1, pf8bit, false},      {"im-pal16i", 1, pf4bit, true}, {"im-pal4", 1, pf4bit, false},
        {"im-bw", 1, pf1bit, false},          {"im-grey", 1, pf8bit, true},   {"im-noise", 1, pf8bit, false},
        {"im-transparent", 1, pf8bit, false}, {"im-anim", 3, pf4bit, false},
    };
    for (const auto& f : fixtures) {
        TGIFImage image;
        Load(image, Fixture(std::string(f.Name) + ".gif"));
        ASSERT_EQ(f.Frames, image.FrameCount()) << f.Name;
        EXPECT_EQ(0, image.CurrentIndex) << f.Name;
        EXPECT_EQ(f.Format, image.Frame(0).GetBitmap().GetPixelFormat()) << f.Name;
        EXPECT_EQ(f.Interlaced, image.Frame(0).Interlaced) << f.Name;
        for (int i = 0; i < f.Frames; ++i)
            ExpectSamePixels(Reference(f.Name, i), FrameRaster(image, i),
                             std::string(f.Name) + " frame " + std::to_string(i));
        EXPECT_EQ(image.Frame(0).GetWidth(), image.GetWidth()) << f.Name;
    }
}

TEST(GifRead, AnimationKeepsPlacesTimingAndColourTables)
{
    TGIFImage image;
    Load(image, Fixture("im-anim.gif"));
    EXPECT_EQ(2, image.Version);
    EXPECT_EQ(40, image.ScreenWidth);
    EXPECT_EQ(30, image.ScreenHeight);
    EXPECT_EQ(8, image.Data().Palette.Count);
    const struct {
        uint16_t Left, Top;
        int Width, Height;
        uint32_t Delay;
        uint8_t Disposal;
        bool Local;
        int TableSize;
    } expected[] = {
        {0, 0, 40, 30, 100, 1, false, 8}, {5, 7, 20, 10, 250, 2, true, 2}, {12, 3, 17, 21, 1000, 3, true, 8}};
    for (int i = 0; i < 3; ++i) {
        const TGIFFrame& f = image.Frame(i);
        const auto& e = expected[i];
        EXPECT_EQ(e.Left, f.Left) << i;
        EXPECT_EQ(e.Top, f.Top) << i;
        EXPECT_EQ(e.Width, f.GetWidth()) << i;
        EXPECT_EQ(e.Height, f.GetHeight()) << i;
        EXPECT_EQ(e.Delay, f.Delay) << i;
        EXPECT_EQ(e.Disposal, f.Disposal) << i;
        EXPECT_EQ(e.Local, f.HasLocalPalette) << i;
        EXPECT_EQ(e.TableSize, f.GetItem()->Palette.Count) << i;
        EXPECT_EQ(GIFNoColor, f.TransparentColor) << i;
    }
    // Only the first frame is decoded on loading.
    EXPECT_TRUE(image.Frame(0).HasBitmap());
    EXPECT_FALSE(image.Frame(2).HasBitmap());
}

TEST(GifRead, TransparentColourAndFrameComment)
{
    TGIFImage image;
    Load(image, Fixture("im-transparent.gif"));
    const TGIFFrame& frame = image.Frame(0);
    // ImageMagick gives the transparent entry (21) the colour black.
    EXPECT_EQ(frame.GetItem()->Palette.ColorAt(21), frame.TransparentColor);
    EXPECT_EQ(0u, frame.TransparentColor);
    EXPECT_TRUE(image.IsTransparent());
    image.Transparent = false;
    EXPECT_FALSE(image.IsTransparent());
    ASSERT_EQ(2u, frame.Extensions.size());
    const TExtension& comment = frame.Extensions[frame.Extensions[0].Kind == ekComment ? 0 : 1];
    EXPECT_EQ(ekComment, comment.Kind);
    EXPECT_EQ(std::vector<std::string>{"Bonjour"}, comment.Lines);
    EXPECT_TRUE(image.Data().Comment.empty());
}

TEST(GifRead, RegisteredAsThePictureFormatOfItsExtension)
{
    TGraphicClass graphicClass = TPicture::FindFileFormat(".GIF");
    ASSERT_NE(nullptr, graphicClass);
    std::unique_ptr<TGraphic> graphic = graphicClass();
    ASSERT_NE(nullptr, dynamic_cast<TGIFImage*>(graphic.get()));
    TMemoryStream stream = pngtest::StreamOf("xyz" + Fixture("im-bw.gif"));
    stream.SetPosition(3);
    graphic->LoadFromStream(stream);
    EXPECT_EQ(37, graphic->GetWidth());
    EXPECT_EQ(11, graphic->GetHeight());
}

// A 3 x 2 frame of a four-colour table: pixels 0 1 2 / 3 2 1.
const std::vector<int> SixPixels = {0, 1, 2, 3, 2, 1};

TEST(GifRead, BlocksPutTogetherByHand)
{
    const std::string data = LiteralData(2, SixPixels);
    // Without a global table, with a local one; a frame of size 0 takes the screen's.
    {
        TGIFImage image;
        Load(image, Header(3, 2, {}, "GIF87a") + Image(0, 0, 0, 0, data, Table(4)) + ";");
        EXPECT_EQ(1, image.Version);
        EXPECT_EQ(0, image.Data().Palette.Count);
        const TRaster r = FrameRaster(image, 0);
        ASSERT_EQ(3, r.Width);
        ASSERT_EQ(2, r.Height);
        for (int i = 0; i < 6; ++i)
            EXPECT_TRUE(r.Pixels[static_cast<size_t>(i)] ==
                        Table(4)[static_cast<size_t>(SixPixels[static_cast<size_t>(i)])])
                << i;
    }
    // The signature's letters in any case; the background colour from the global table.
    {
        TGIFImage image;
        Load(image, Header(3, 2, Table(4), "gIf89a", 2) + Image(0, 0, 3, 2, data) + ";");
        EXPECT_EQ(GIFColorOf(Table(4)[2]), image.Data().BackgroundColor);
        EXPECT_FALSE(image.Frame(0).HasLocalPalette);
        EXPECT_EQ(2, image.Frame(0).GetItem()->BitsPerPixel);
    }
    // Graphic control: delay in hundredths, transparent index inside and outside the table, disposal.
    {
        TGIFImage image;
        Load(image, Header(3, 2, Table(4)) + GraphicControl(0x09, 10, 3) + Image(0, 0, 3, 2, data) +
                        GraphicControl(0x01, 7, 9) + Image(0, 0, 3, 2, data) + ";");
        EXPECT_EQ(100u, image.Frame(0).Delay);
        EXPECT_EQ(2, image.Frame(0).Disposal);
        EXPECT_EQ(GIFColorOf(Table(4)[3]), image.Frame(0).TransparentColor);
        EXPECT_EQ(70u, image.Frame(1).Delay);
        EXPECT_EQ(GIFNoColor, image.Frame(1).TransparentColor);
    }
    // Comments that follow the last frame become the image's comment text, two of them apart; plain-text and
    // application extensions are not kept, and a plain-text one drops what came before it.
    {
        TGIFImage image;
        const std::string plainText =
            std::string("!\x01\x0C", 3) + std::string(12, 'p') + Comment({"t"}).substr(2);
        const std::string application = "!\xFF\x0B"
                                        "NETSCAPE2.0" +
                                        std::string("\x03\x01\0\0\0", 5);
        Load(image, Header(3, 2, Table(4)) + application + Comment({"lost"}) + plainText + Comment({"kept"}) +
                        Image(0, 0, 3, 2, data) + Comment({"un", "deux"}) + Comment({"trois"}) + ";");
        ASSERT_EQ(1u, image.Frame(0).Extensions.size());
        EXPECT_EQ(std::vector<std::string>{"kept"}, image.Frame(0).Extensions[0].Lines);
        EXPECT_EQ((std::vector<std::string>{"un", "deux", "\r\n\r\n", "trois"}), image.Data().Comment);
    }
    // Zero bytes after a frame are skipped; a byte that starts no block ends the reading; so does the end of
    // the data.
    {
        TGIFImage image;
        Load(image, Header(3, 2, Table(4)) + Image(0, 0, 3, 2, data) + std::string(3, '\0') +
                        Image(1, 0, 3, 2, data) + "garbage" + Image(2, 0, 3, 2, data));
        EXPECT_EQ(2, image.FrameCount());
        TGIFImage unfinished;
        Load(unfinished, Header(3, 2, Table(4)) + Image(0, 0, 3, 2, data));
        EXPECT_EQ(1, unfinished.FrameCount());
    }
}

TEST(GifRead, DamagedCodesStopTheFrameWithoutEndingTheLoad)
{
    const std::vector<TRGBEntry> table = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {9, 9, 9}};
    auto load = [&](const std::string& data) {
        TGIFImage image;
        Load(image, Header(4, 3, table) + Image(0, 0, 4, 3, data) + ";");
        return FrameRaster(image, 0);
    };
    // Codes whose table entries point at each other: decoding stops, the rows not reached keep index 0.
    const TRaster loop = load(PackCodes(2, {{4, 3}, {1, 3}, {7, 3}, {6, 3}, {7, 4}, {2, 4}, {2, 4}}));
    EXPECT_TRUE(loop.At(0, 0) == table[1]);
    EXPECT_TRUE(loop.At(3, 2) == table[0]);
    // A minimum code size outside 2..9 decodes no more than one code.
    std::string wide = LiteralData(2, std::vector<int>(12, 2));
    wide[0] = 12;
    EXPECT_TRUE(load(wide).At(3, 2) == table[0]);
    // A code past the table's end ends the frame: the pixels not reached keep index 0.
    const TRaster past = load(PackCodes(2, {{4, 3}, {3, 3}, {7, 3}, {1, 3}, {0, 4}, {5, 4}}));
    EXPECT_TRUE(past.At(0, 0) == table[3]);
    EXPECT_TRUE(past.At(1, 0) == table[0]);
    // So does a string code before the table holds any string.
    const TRaster early = load(PackCodes(2, {{6, 3}, {1, 3}, {2, 3}}));
    EXPECT_TRUE(early.At(0, 0) == table[0]);
    EXPECT_TRUE(early.At(1, 0) == table[0]);
    // Minimum code size 3 with a four-entry table: pixel 6 shows grey 128 from the completed table, but the
    // first pixel after a clear code is taken within the table's bits.
    TGIFImage image;
    Load(image, Header(2, 1, table) + Image(0, 0, 2, 1, LiteralData(3, {5, 6})) + ";");
    EXPECT_TRUE(FrameRaster(image, 0).At(0, 0) == table[1]);
    EXPECT_TRUE((FrameRaster(image, 0).At(1, 0) == TRGBEntry{128, 128, 128}));
}

} // namespace
