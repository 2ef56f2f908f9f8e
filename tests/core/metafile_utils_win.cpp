// Metafiles played onto bitmaps and bitmaps recorded into metafiles, on memory device contexts.
#include <gtest/gtest.h>

#include "classlib/runtime/Streams.h"
#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Metafile_win.h"
#include "core/MetafileUtils.h"

namespace {

// A metafile of Width x Height screen pixels: red on its left half, blue on its right half.
std::unique_ptr<TMetafile> TwoColours(int width, int height)
{
    HDC screen = GetDC(nullptr);
    RECT frame = {0, 0, MulDiv(width, 100 * GetDeviceCaps(screen, HORZSIZE), GetDeviceCaps(screen, HORZRES)),
                  MulDiv(height, 100 * GetDeviceCaps(screen, VERTSIZE), GetDeviceCaps(screen, VERTRES))};
    HDC dc = CreateEnhMetaFileA(screen, nullptr, &frame, nullptr);
    ReleaseDC(nullptr, screen);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), blue = CreateSolidBrush(RGB(0, 0, 255));
    RECT left = {0, 0, width / 2, height}, right = {width / 2, 0, width, height};
    FillRect(dc, &left, red);
    FillRect(dc, &right, blue);
    DeleteObject(red);
    DeleteObject(blue);
    auto metafile = std::make_unique<TMetafile>();
    metafile->SetHandle(CloseEnhMetaFile(dc));
    return metafile;
}

const TRGBEntry Red{255, 0, 0}, Blue{0, 0, 255}, White{255, 255, 255};

} // namespace

TEST(MetafileUtils, PlaysAMetafileAtItsOwnSizeOrTheOneAsked)
{
    auto metafile = TwoColours(40, 20);
    EXPECT_NEAR(metafile->GetWidth(), 40, 1);
    EXPECT_NEAR(metafile->GetHeight(), 20, 1);
    TBitmap bitmap;
    DrawMetafileOnBitmap(*metafile, bitmap, 0, 0);
    EXPECT_EQ(bitmap.GetWidth(), metafile->GetWidth());
    EXPECT_EQ(bitmap.GetHeight(), metafile->GetHeight());
    EXPECT_EQ(bitmap.GetPixelColor(2, 10), Red);
    EXPECT_EQ(bitmap.GetPixelColor(bitmap.GetWidth() - 3, 10), Blue);
    EXPECT_TRUE(bitmap.IsPaletted()) << "few colours: reduced to a palette";

    DrawMetafileOnBitmap(*metafile, bitmap, 10, 4);
    EXPECT_EQ(bitmap.GetWidth(), 10);
    EXPECT_EQ(bitmap.GetHeight(), 4);
    EXPECT_EQ(bitmap.GetPixelColor(1, 1), Red);
    EXPECT_EQ(bitmap.GetPixelColor(8, 1), Blue);

    HBITMAP handle = reinterpret_cast<HBITMAP>(MetafileToBitmapHandle(*metafile, 7, 3));
    BITMAP bm = {};
    GetObjectA(handle, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 7);
    EXPECT_EQ(bm.bmHeight, 3);
    DeleteObject(handle);
}

TEST(MetafileUtils, AFrameNarrowerThanAPixelGivesWidthOne)
{
    HDC screen = GetDC(nullptr);
    RECT frame = {0, 0, 1, 500};
    HDC dc = CreateEnhMetaFileA(screen, nullptr, &frame, nullptr);
    ReleaseDC(nullptr, screen);
    MoveToEx(dc, 0, 0, nullptr);
    TMetafile metafile;
    metafile.SetHandle(CloseEnhMetaFile(dc));
    TBitmap bitmap;
    AssignMetafileAsBitmap(metafile, bitmap, 0, 0);
    EXPECT_EQ(bitmap.GetWidth(), 1);
    EXPECT_GT(bitmap.GetHeight(), 1);
}

TEST(MetafileUtils, BitmapRecordedInAMetafileComesBack)
{
    TBitmap bitmap;
    bitmap.SetSize(6, 2);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 6; ++x) {
            uint8_t* p = bitmap.ScanLine(y) + 3 * x;
            p[2] = x < 3 ? 255 : 0; // red on the left, blue on the right
            p[0] = x < 3 ? 0 : 255;
        }
    auto metafile = BitmapToMetafile(bitmap);
    TBitmap back;
    DrawMetafileOnBitmap(*metafile, back, 6, 2);
    EXPECT_EQ(back.GetPixelColor(0, 0), Red);
    EXPECT_EQ(back.GetPixelColor(5, 1), Blue);

    bitmap.Transparent = true;
    bitmap.TransparentColor = Blue;
    metafile = BitmapToMetafile(bitmap);
    DrawMetafileOnBitmap(*metafile, back, 6, 2);
    EXPECT_EQ(back.GetPixelColor(0, 0), Red);
    EXPECT_EQ(back.GetPixelColor(5, 1), White);

    // Its file bytes read back as the same picture.
    TMemoryStream stream;
    metafile->SaveToStream(stream);
    stream.SetPosition(0);
    TMetafile copy;
    copy.LoadFromStream(stream);
    EXPECT_EQ(copy.GetWidth(), metafile->GetWidth());
    TMemoryStream junk;
    junk.WriteBuffer("not a metafile", 14);
    junk.SetPosition(0);
    EXPECT_THROW(copy.LoadFromStream(junk), EInvalidGraphic);
    EXPECT_NE(copy.Handle(), nullptr);
}
