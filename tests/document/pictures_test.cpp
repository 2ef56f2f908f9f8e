// Embedded pictures: packing and unpacking, the counting of live pictures and the scaled rendering.
#include "document/DocObjects.h"
#include "test_pictures.h"

#include <cstring>
#include <gtest/gtest.h>

#include "classlib/graphics/Bitmap.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "codecs/PNG.h"
#include "codecs/Resample.h"

namespace {

// A picture of Width × Height pixels at 96 dpi (15 twips a pixel).
TDocObject* AddPicture(TDocument& doc, int32_t width, int32_t height)
{
    auto picture = std::make_unique<TDocPicture>(&doc);
    picture->Width = width * 15;
    picture->Height = height * 15;
    if (width > 0 && height > 0)
        picture->Image->SetBitmap(qptest::TwoColourBitmap(width, height));
    return doc.ObjectManager->AddObject(std::move(picture));
}

class Pictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        Host.LivePictureCount = 0;
        Host.LivePictureBytes = 0;
        SetDocumentHost(&Host);
        Doc = std::make_unique<TDocument>(true);
        Doc->ViewState.ScreenDpi = 96;
        Doc->SetZoom(100);
    }
    void TearDown() override
    {
        Doc.reset();
        EXPECT_EQ(Host.LivePictureCount, 0);
        EXPECT_EQ(Host.LivePictureBytes, 0);
        SetDocumentHost(nullptr);
    }
    TDocumentHost Host;
    std::unique_ptr<TDocument> Doc;
};

} // namespace

TEST_F(Pictures, PackedAndUnpacked)
{
    TDocObject* picture = AddPicture(*Doc, 40, 20);
    TDocObjectImage& image = *picture->Image;
    EXPECT_EQ(Host.LivePictureCount, 1);
    EXPECT_EQ(Host.LivePictureBytes, 40 * 3 * 20);
    EXPECT_EQ(Doc->ObjectManager->FindObject(picture->Handle), picture);
    const int64_t liveMemory = picture->GetMemorySize();

    image.SetCompressed(true);
    EXPECT_TRUE(image.Packed);
    EXPECT_FALSE(image.IsLive());
    ASSERT_GE(image.PackedBytes.size(), 8u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.PackedBytes.data()) + 1, 3), "PNG");
    EXPECT_EQ(Host.LivePictureCount, 0);
    EXPECT_EQ(Host.LivePictureBytes, 0);
    EXPECT_LT(picture->GetMemorySize(), liveMemory);

    image.SetCompressed(false);
    ASSERT_TRUE(image.IsLive());
    EXPECT_FALSE(image.Packed);
    EXPECT_EQ(Host.LivePictureCount, 1);
    EXPECT_EQ(image.LiveSize, 40 * 3 * 20);
    const auto original = qptest::TwoColourBitmap(40, 20);
    ASSERT_EQ(image.Bitmap->GetWidth(), 40);
    for (int32_t y = 0; y < 20; ++y)
        EXPECT_EQ(0, std::memcmp(image.Bitmap->ScanLine(y), original->ScanLine(y), 40 * 3)) << y;

    // Deleting a live picture uncounts it; deleting a packed one changes nothing.
    TDocObject* packed = AddPicture(*Doc, 4, 4);
    packed->Image->SetCompressed(true);
    EXPECT_EQ(Host.LivePictureCount, 1);
    Doc->ObjectManager->DeleteObject(packed);
    EXPECT_EQ(Host.LivePictureCount, 1);
    Doc->ObjectManager->DeleteObject(picture);
    EXPECT_EQ(Host.LivePictureCount, 0);
    EXPECT_EQ(Host.LivePictureBytes, 0);
}

TEST_F(Pictures, CacheLimitKeepsPicturesPacked)
{
    TDocObject* a = AddPicture(*Doc, 8, 8);
    TDocObject* b = AddPicture(*Doc, 8, 8);
    a->Image->UseCount = 5;
    EXPECT_EQ(Doc->ObjectManager->LeastRecentlyUsed(nullptr), b);
    EXPECT_EQ(Doc->ObjectManager->LeastRecentlyUsed(b), a);
    b->Image->SetCompressed(true);
    EXPECT_EQ(Doc->ObjectManager->LeastRecentlyUsed(a), nullptr);

    // The plain host frees nothing: a picture that would pass the limit stays packed.
    Host.LivePictureLimit = 0;
    b->Image->SetCompressed(false);
    EXPECT_TRUE(b->Image->Packed);
    EXPECT_EQ(Host.LivePictureCount, 1);
    Host.LivePictureLimit = 16;
    b->Image->SetCompressed(false);
    EXPECT_TRUE(b->Image->IsLive());

    // Damaged packed bytes leave the picture packed.
    b->Image->SetCompressed(true);
    b->Image->PackedBytes.resize(20);
    b->Image->SetCompressed(false);
    EXPECT_TRUE(b->Image->Packed);
}

TEST_F(Pictures, ScaledRenderingRules)
{
    TDocObject* picture = AddPicture(*Doc, 40, 20);
    TDocObjectImage& image = *picture->Image;
    TObjectPlacement placement;
    EXPECT_FALSE(image.PrepareScaledImage(placement)); // 100 % everywhere: drawn directly

    picture->ScaleX = picture->ScaleY = 50;
    ASSERT_TRUE(image.PrepareScaledImage(placement));
    const TPNGImage* rendering = image.ScaledRendering.get();
    EXPECT_EQ(rendering->GetWidth(), 20);
    EXPECT_EQ(rendering->GetHeight(), 10);
    EXPECT_EQ(rendering->GetPixelColor(2, 5).Red, 255);
    EXPECT_EQ(rendering->GetPixelColor(17, 5).Blue, 255);
    EXPECT_TRUE(image.PrepareScaledImage(placement));
    EXPECT_EQ(image.ScaledRendering.get(), rendering); // the cached copy is reused

    // Outside the edited story the rendering is greyed, even at 100 %.
    picture->ScaleX = picture->ScaleY = 100;
    placement.Flags = opGreyed;
    ASSERT_TRUE(image.PrepareScaledImage(placement));
    const TRGBEntry grey = image.ScaledRendering->GetPixelColor(2, 5);
    EXPECT_EQ(grey.Red, grey.Blue);
    EXPECT_GT(grey.Red, 128);

    // A packed picture is rendered from its bytes without becoming live.
    placement.Flags = 0;
    picture->ScaleX = 75;
    image.SetCompressed(true);
    ASSERT_TRUE(image.PrepareScaledImage(placement));
    EXPECT_EQ(image.ScaledRendering->GetWidth(), 30);
    EXPECT_TRUE(image.Packed);
}

TEST_F(Pictures, SizesThatAreDrawnDirectly)
{
    TObjectPlacement placement;
    TDocObject* line = AddPicture(*Doc, 50, 1);
    line->ScaleX = 200;
    EXPECT_FALSE(line->Image->PrepareScaledImage(placement)); // 1 pixel high: never resampled

    TDocObject* big = AddPicture(*Doc, 1024, 768);
    Doc->SetZoom(150);
    EXPECT_FALSE(big->Image->PrepareScaledImage(placement)); // above 786,432 pixels
    Doc->SetZoom(100);
    EXPECT_FALSE(big->Image->PrepareScaledImage(placement));

    // A picture of no size, even greyed, never reaches a division.
    TDocObject* empty = AddPicture(*Doc, 0, 0);
    placement.Flags = opGreyed;
    EXPECT_FALSE(empty->Image->PrepareScaledImage(placement));
    EXPECT_EQ(empty->Image->ScaledRendering, nullptr);
}

TEST_F(Pictures, MetafilesAreDeflated)
{
    auto picture = std::make_unique<TDocPicture>(Doc.get());
    const std::vector<uint8_t> bits(5000, 7);
    picture->Image->SetMetafileBits(bits, false, TMetafileHeader());
    EXPECT_TRUE(picture->Image->Packed);
    EXPECT_LT(picture->Image->PackedBytes.size(), bits.size());
    // Past the packed-bytes limit, metafile bits are deflated once more.
    Host.PackedMetafileLimit = 1;
    TDocObject* added = Doc->ObjectManager->AddObject(std::move(picture));
    EXPECT_TRUE(added->Image->DeflatedTwice);
    EXPECT_GT(added->Image->UnpackedSize, 0);
    EXPECT_EQ(Host.LivePictureCount, 0);
}

TEST(Resample, MitchellSoftensAtTheSameSize)
{
    TBitmap source, dest;
    source.SetPixelFormat(pf24bit);
    source.SetSize(5, 5);
    source.ScanLine(2)[2 * 3] = 180;
    dest.SetPixelFormat(pf24bit);
    dest.SetSize(5, 5);
    Resample(source, dest);
    EXPECT_EQ(dest.ScanLine(2)[2 * 3], 142); // 180 × 8/9 × 8/9
    EXPECT_EQ(dest.ScanLine(2)[3 * 3], 9);   // 180 × 8/9 × 1/18
    EXPECT_EQ(dest.ScanLine(2)[4 * 3], 0);

    // One pixel wide stretched to ten: every pixel the same.
    TBitmap column, wide;
    column.SetPixelFormat(pf24bit);
    column.SetSize(1, 1);
    column.ScanLine(0)[1] = 200;
    wide.SetPixelFormat(pf24bit);
    wide.SetSize(10, 1);
    Resample(column, wide);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(wide.ScanLine(0)[x * 3 + 1], 200) << x;
}
