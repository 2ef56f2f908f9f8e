// Pictures drawn on a Windows memory device context: scaled, through their rendering, and metafiles.
#include <windows.h>

#include <gtest/gtest.h>

#include "classlib/graphics/Bitmap.h"
#include "document/DocObjects.h"
#include "test_pictures.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "codecs/PNG.h"

namespace {

// A 24-bit memory bitmap selected into its own device context, white at first.
class TCanvasBitmap {
public:
    TCanvasBitmap(int width, int height) : Width(width), Height(height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        Dc = CreateCompatibleDC(nullptr);
        Section = CreateDIBSection(Dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&Bits), nullptr, 0);
        Old = SelectObject(Dc, Section);
        PatBlt(Dc, 0, 0, width, height, WHITENESS);
    }
    ~TCanvasBitmap()
    {
        SelectObject(Dc, Old);
        DeleteObject(Section);
        DeleteDC(Dc);
    }
    // The pixel as 0xRRGGBB.
    uint32_t Pixel(int x, int y)
    {
        GdiFlush();
        return Bits[y * Width + x] & 0xFFFFFF;
    }
    int Width, Height;
    HDC Dc;
    HBITMAP Section;
    HGDIOBJ Old;
    uint32_t* Bits = nullptr;
};

TObjectPlacement Place(int left, int top, int width, int height, uint32_t flags = 0)
{
    TObjectPlacement p;
    p.Left = left;
    p.Top = top;
    p.Right = left + width;
    p.Bottom = top + height;
    p.Flags = flags;
    return p;
}

} // namespace

TEST(PictureDrawing, PackedPictureDrawnScaledIntoABitmap)
{
    TDocument doc(true);
    doc.ViewState.ScreenDpi = 96;
    doc.SetZoom(50);
    auto owned = std::make_unique<TDocPicture>(&doc);
    owned->Width = 40 * 15;
    owned->Height = 20 * 15;
    owned->Image->SetBitmap(qptest::TwoColourBitmap(40, 20));
    TDocObject* picture = doc.ObjectManager->AddObject(std::move(owned));
    picture->Image->SetCompressed(true);
    ASSERT_TRUE(picture->Image->Packed);

    TCanvasBitmap canvas(60, 40);
    picture->Image->Draw(reinterpret_cast<TDCHandle>(canvas.Dc), Place(10, 10, 20, 10));
    // Drawing made the picture live and drew its half-size rendering.
    EXPECT_TRUE(picture->Image->IsLive());
    ASSERT_NE(picture->Image->ScaledRendering, nullptr);
    EXPECT_EQ(picture->Image->ScaledRendering->GetWidth(), 20);
    EXPECT_EQ(picture->Image->UseCount, 1);
    EXPECT_EQ(canvas.Pixel(12, 15), 0xFF0000u);
    EXPECT_EQ(canvas.Pixel(27, 15), 0x0000FFu);
    EXPECT_EQ(canvas.Pixel(5, 5), 0xFFFFFFu);
    EXPECT_EQ(canvas.Pixel(35, 25), 0xFFFFFFu);

    // Selected: sizing handles at the corners.
    picture->Image->Draw(reinterpret_cast<TDCHandle>(canvas.Dc), Place(10, 10, 20, 10, opSelected));
    EXPECT_EQ(canvas.Pixel(10, 10), 0x000000u);
    EXPECT_EQ(canvas.Pixel(29, 19), 0x000000u);

    // A dispatcher that keeps no decoded pictures packs it again after drawing.
    DocumentHost().KeepDecodedPictures = false;
    picture->Image->Draw(reinterpret_cast<TDCHandle>(canvas.Dc), Place(10, 10, 20, 10));
    DocumentHost().KeepDecodedPictures = true;
    EXPECT_TRUE(picture->Image->Packed);
}

TEST(PictureDrawing, PlaceholderAndMetafile)
{
    TDocument doc(true);
    doc.ViewState.ScreenDpi = 96;
    doc.SetZoom(100);

    // A metafile of a green rectangle, packed as its bits.
    RECT frame{0, 0, 1000, 1000};
    HDC recorder = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    RECT box{0, 0, 40, 40};
    FillRect(recorder, &box, green);
    DeleteObject(green);
    HENHMETAFILE metafile = CloseEnhMetaFile(recorder);
    std::vector<uint8_t> bits(GetEnhMetaFileBits(metafile, 0, nullptr));
    GetEnhMetaFileBits(metafile, UINT(bits.size()), bits.data());
    DeleteEnhMetaFile(metafile);

    auto owned = std::make_unique<TDocPicture>(&doc);
    owned->Width = owned->Height = 600;
    owned->Image->SetMetafileBits(bits, false, TMetafileHeader());
    TDocObject* picture = doc.ObjectManager->AddObject(std::move(owned));

    TCanvasBitmap canvas(60, 60);
    picture->Image->Draw(reinterpret_cast<TDCHandle>(canvas.Dc), Place(10, 10, 40, 40, opPlaceholder));
    EXPECT_TRUE(picture->Image->Packed); // placeholders do not decode the picture
    EXPECT_EQ(canvas.Pixel(11, 11), 0xC0C0C0u);

    picture->Image->Draw(reinterpret_cast<TDCHandle>(canvas.Dc), Place(10, 10, 40, 40));
    EXPECT_TRUE(picture->Image->IsLive());
    EXPECT_EQ(DocumentHost().LivePictureCount, 1);
    EXPECT_EQ(canvas.Pixel(20, 20), 0x00FF00u);
    picture->Image->SetCompressed(true);
    EXPECT_EQ(DocumentHost().LivePictureCount, 0);
    EXPECT_FALSE(picture->Image->PackedBytes.empty());
}
