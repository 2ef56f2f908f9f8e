// The off-screen bitmaps on memory device contexts.
#include <gtest/gtest.h>

#include "classlib/graphics/SharedBitmaps_win.h"

TEST(DIBBitmap, MakesASectionOfTheAskedDepth)
{
    const int cases[][2] = {{1, 1}, {4, 4}, {8, 8}, {16, 24}, {24, 24}, {32, 24}};
    for (const auto& c : cases) {
        TDIBBitmap dib(c[0]);
        EXPECT_EQ(dib.BitsPerPixel(), c[1]);
        dib.SetSize(5, 3);
        DIBSECTION section = {};
        ASSERT_EQ(GetObjectA(dib.Bitmap(), sizeof(section), &section), static_cast<int>(sizeof(section)));
        EXPECT_EQ(section.dsBm.bmBitsPixel, c[1]);
        EXPECT_EQ(section.dsBm.bmWidth, 5);
        EXPECT_EQ(section.dsBm.bmHeight, 3);
        EXPECT_NE(dib.Bits(), nullptr);
        EXPECT_EQ(GetCurrentObject(dib.DC(), OBJ_BITMAP), dib.Bitmap());
    }
    TDIBBitmap mono(1);
    mono.SetSize(8, 8);
    RGBQUAD colors[2];
    ASSERT_EQ(GetDIBColorTable(mono.DC(), 0, 2, colors), 2u);
    EXPECT_EQ(colors[0].rgbRed, 0);
    EXPECT_EQ(colors[1].rgbRed, 255);
    // Drawing reaches the bits.
    TDIBBitmap rgb(24);
    rgb.SetSize(2, 1);
    SetPixel(rgb.DC(), 1, 0, RGB(10, 20, 30));
    GdiFlush();
    const auto* bits = static_cast<const uint8_t*>(rgb.Bits());
    EXPECT_EQ(bits[3], 30);
    EXPECT_EQ(bits[5], 10);
}

TEST(ServiceBitmap, ClampsToItsMaximumAndFallsBackToTheOriginal)
{
    TServiceBitmap service(100, 50);
    HGDIOBJ original = GetCurrentObject(service.DC(), OBJ_BITMAP);
    service.SetSize(300, 20);
    EXPECT_EQ(service.Width(), 100);
    EXPECT_EQ(service.Height(), 20);
    BITMAP bm = {};
    GetObjectA(GetCurrentObject(service.DC(), OBJ_BITMAP), sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 100);
    EXPECT_EQ(bm.bmHeight, 20);
    service.SetSize(0, 10);
    EXPECT_EQ(service.Bitmap(), nullptr);
    EXPECT_EQ(GetCurrentObject(service.DC(), OBJ_BITMAP), original);
    EXPECT_EQ(GetBkMode(service.DC()), TRANSPARENT);
}
