// The clipboard data readers: text cut at its terminator or the block's end, bitmaps found from their
// header with every size checked, damaged blocks refused, link descriptors.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "core/ClipboardData.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(uint8_t(v >> (8 * i)));
}
void Put16(Bytes& b, uint16_t v)
{
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

Bytes Header(int32_t w, int32_t h, uint16_t bpp, uint32_t compression = 0, uint32_t used = 0)
{
    Bytes b;
    Put32(b, 40);
    Put32(b, uint32_t(w));
    Put32(b, uint32_t(h));
    Put16(b, 1);
    Put16(b, bpp);
    Put32(b, compression);
    Put32(b, 0);
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, used);
    Put32(b, 0);
    return b;
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

bool Read(const Bytes& b, TBitmap& bitmap)
{
    return ReadClipboardDib(b.data(), b.size(), bitmap);
}

} // namespace

TEST(ClipboardText, StopsAtTheTerminatorOrTheBlockEnd)
{
    const uint8_t withZero[] = {'a', 'b', 0, 'c'};
    EXPECT_EQ(ReadClipboardText(withZero, sizeof withZero), "ab");
    // No terminator within the reported size: the size ends it, nothing beyond is read.
    const uint8_t noZero[] = {'x', 'y', 'z'};
    EXPECT_EQ(ReadClipboardText(noZero, 2), "xy");
    EXPECT_EQ(ReadClipboardText(nullptr, 10), "");

    const uint8_t wide[] = {'A', 0, 0xE9, 0, 0, 0, 'B', 0};
    EXPECT_EQ(ReadClipboardUnicodeText(wide, sizeof wide), u"A\u00e9");
    // An odd size leaves the half unit out.
    const uint8_t odd[] = {'A', 0, 'B'};
    EXPECT_EQ(ReadClipboardUnicodeText(odd, sizeof odd), u"A");
}

TEST(ClipboardDib, ReadsEveryDepthFromItsHeader)
{
    TBitmap bitmap;
    // 8 bits with a colour count of 2: the rows follow the two-entry table, not a 256-entry one.
    Bytes dib8 =
        Header(2, 2, 8, 0, 2) + Bytes{0, 0, 255, 0, 255, 255, 255, 0} + Bytes{0, 1, 0, 0, 1, 0, 0, 0};
    ASSERT_TRUE(Read(dib8, bitmap));
    EXPECT_EQ(bitmap.GetPixelFormat(), pf8bit);
    ASSERT_EQ(bitmap.GetPalette().size(), 2u);
    // Bottom-up: the first row stored is the bottom one.
    EXPECT_EQ(bitmap.GetPixelColor(0, 1), (TRGBEntry{255, 0, 0}));
    EXPECT_EQ(bitmap.GetPixelColor(1, 1), (TRGBEntry{255, 255, 255}));
    EXPECT_EQ(bitmap.GetPixelColor(0, 0), (TRGBEntry{255, 255, 255}));

    // A colour count of 0 at 1 bit: the whole two-entry table.
    Bytes dib1 = Header(1, 1, 1) + Bytes{0, 0, 0, 0, 0, 255, 0, 0} + Bytes{0x80, 0, 0, 0};
    ASSERT_TRUE(Read(dib1, bitmap));
    EXPECT_EQ(bitmap.GetPixelColor(0, 0), (TRGBEntry{0, 255, 0}));

    // 16 bits with 5-6-5 bit fields after the header, top-down.
    Bytes dib16 = Header(2, -1, 16, 3);
    Put32(dib16, 0xF800);
    Put32(dib16, 0x07E0);
    Put32(dib16, 0x001F);
    Put16(dib16, 0xF800);
    Put16(dib16, 0x001F);
    ASSERT_TRUE(Read(dib16, bitmap));
    EXPECT_EQ(bitmap.GetPixelFormat(), pf24bit);
    EXPECT_EQ(bitmap.GetPixelColor(0, 0), (TRGBEntry{255, 0, 0}));
    EXPECT_EQ(bitmap.GetPixelColor(1, 0), (TRGBEntry{0, 0, 255}));

    // 32 bits without bit fields: blue, green, red, unused.
    Bytes dib32 = Header(1, 1, 32) + Bytes{10, 20, 30, 0};
    ASSERT_TRUE(Read(dib32, bitmap));
    EXPECT_EQ(bitmap.GetPixelColor(0, 0), (TRGBEntry{30, 20, 10}));

    // 24 bits with an optional colour table of 3 entries that the rows follow.
    Bytes dib24 = Header(1, 1, 24, 0, 3) + Bytes(12, 0x77) + Bytes{1, 2, 3, 0};
    ASSERT_TRUE(Read(dib24, bitmap));
    EXPECT_EQ(bitmap.GetPixelColor(0, 0), (TRGBEntry{3, 2, 1}));

    // What is written reads back the same.
    const std::string again = WriteClipboardDib(bitmap);
    TBitmap second;
    ASSERT_TRUE(ReadClipboardDib(reinterpret_cast<const uint8_t*>(again.data()), again.size(), second));
    EXPECT_EQ(second.GetBits(), bitmap.GetBits());
}

TEST(ClipboardDib, RefusesDamagedBlocksAndKeepsTheBitmap)
{
    Bytes masksOverlap = Header(1, 1, 32, 3);
    Put32(masksOverlap, 0xFF00);
    Put32(masksOverlap, 0x0FF0);
    Put32(masksOverlap, 0x00FF);
    Put32(masksOverlap, 0);
    Bytes masksMissing = Header(1, 1, 16, 3) + Bytes{0, 0, 0, 0};
    Bytes headerTooLarge = Header(1, 1, 24);
    headerTooLarge[0] = 200;
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"rows cut short", Header(4, 4, 24) + Bytes(10, 0)},
        {"table past the end", Header(1, 1, 8, 0, 200) + Bytes(16, 0)},
        {"colour count above 256", Header(1, 1, 8, 0, 0x10000000) + Bytes(64, 0)},
        {"header larger than the block", headerTooLarge},
        {"header of an unknown size", Bytes{20, 0, 0, 0} + Bytes(40, 0)},
        {"run-length compression", Header(1, 1, 8, 1) + Bytes(1100, 0)},
        {"bit fields at 24 bits", Header(1, 1, 24, 3) + Bytes(20, 0)},
        {"overlapping masks", masksOverlap},
        {"masks missing", masksMissing},
        {"zero width", Header(0, 1, 24) + Bytes(4, 0)},
        {"too many pixels", Header(30000, 30000, 1) + Bytes(64, 0)},
        {"planes not 1",
         [] {
             Bytes b = Header(1, 1, 24) + Bytes(4, 0);
             b[12] = 2;
             return b;
         }()},
        {"depth 7", Header(1, 1, 7) + Bytes(600, 0)},
        {"shorter than any header", Bytes{12, 0, 0}},
    };
    for (const auto& [name, bytes] : cases) {
        TBitmap bitmap;
        bitmap.SetSize(3, 3);
        EXPECT_FALSE(Read(bytes, bitmap)) << name;
        EXPECT_EQ(bitmap.GetWidth(), 3) << name;
    }
}

TEST(ClipboardDib, IndexesPastTheTableAreBlack)
{
    // Two colours listed, a pixel pointing to entry 200.
    Bytes dib = Header(1, 1, 8, 0, 2) + Bytes{9, 9, 9, 0, 255, 255, 255, 0} + Bytes{200, 0, 0, 0};
    TBitmap bitmap;
    ASSERT_TRUE(Read(dib, bitmap));
    EXPECT_EQ(bitmap.GetPixelColor(0, 0), (TRGBEntry{9, 9, 9}));
}

TEST(FileGroupDescriptor, OneLinkOnly)
{
    auto block = [](uint32_t count, uint32_t flags, size_t descriptors) {
        Bytes b;
        Put32(b, count);
        for (size_t i = 0; i < descriptors; ++i) {
            Put32(b, flags);
            b.resize(b.size() + 328);
        }
        return b;
    };
    Bytes one = block(1, 0x8000 | 0x40, 1);
    EXPECT_TRUE(IsSingleDraggedLink(one.data(), one.size()));
    Bytes two = block(2, 0x8000, 2);
    EXPECT_FALSE(IsSingleDraggedLink(two.data(), two.size()));
    Bytes file = block(1, 0x40, 1);
    EXPECT_FALSE(IsSingleDraggedLink(file.data(), file.size()));
    // A count the block cannot hold.
    Bytes lying = block(1000000, 0x8000, 1);
    TFileGroupInfo info;
    EXPECT_FALSE(ReadFileGroupDescriptor(lying.data(), lying.size(), info));
}
