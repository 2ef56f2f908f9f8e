// A GIF image's current frame recorded into a metafile, white where the frame is transparent.
#include <gtest/gtest.h>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Metafile_win.h"
#include "core/MetafileUtils.h"
#include "codecs/GIF.h"

namespace {

const TRGBEntry Red{255, 0, 0}, Blue{0, 0, 255}, White{255, 255, 255}, Green{0, 255, 0};

// A GIF file of two frames read back: a 6 x 2 frame, red on the left and blue on the right with blue
// transparent, then a green 3 x 3 frame.
void LoadTwoFrames(TGIFImage& image)
{
    TBitmap first;
    first.SetPixelFormat(pf1bit);
    first.SetSize(6, 2);
    first.SetPalette({Red, Blue});
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 3; x < 6; ++x)
            TBitmap::SetPixelIndex(first.ScanLine(y), x, 1, 1);
    first.Transparent = true;
    first.TransparentColor = Blue;
    TBitmap second;
    second.SetPixelFormat(pf1bit);
    second.SetSize(3, 3);
    second.SetPalette({Green, Green});
    TGIFImage made;
    made.AddFrame(first);
    made.AddFrame(second);
    TMemoryStream stream;
    made.SaveToStream(stream);
    stream.SetPosition(0);
    image.LoadFromStream(stream);
}

} // namespace

TEST(GifMetafile, CurrentFrameIsRecordedWithItsTransparency)
{
    TGIFImage image;
    LoadTwoFrames(image);
    ASSERT_EQ(0, image.CurrentIndex);
    auto metafile = GifImageToMetafile(image);
    TBitmap back;
    DrawMetafileOnBitmap(*metafile, back, 6, 2);
    EXPECT_EQ(back.GetPixelColor(0, 0), Red);
    EXPECT_EQ(back.GetPixelColor(5, 1), White);

    // Without transparent drawing the frame keeps its colours.
    image.Transparent = false;
    metafile = GifImageToMetafile(image);
    DrawMetafileOnBitmap(*metafile, back, 6, 2);
    EXPECT_EQ(back.GetPixelColor(5, 1), Blue);

    image.CurrentIndex = 1;
    metafile = GifImageToMetafile(image);
    EXPECT_NEAR(metafile->GetWidth(), 3, 1);
    DrawMetafileOnBitmap(*metafile, back, 3, 3);
    EXPECT_EQ(back.GetPixelColor(1, 1), Green);
}
