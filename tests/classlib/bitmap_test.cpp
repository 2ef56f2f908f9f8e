// The bitmap data model: sizes and their limits, row layout, pixel formats, palettes and the bitmap file
// format.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "classlib/graphics/Bitmap.h"
#include "tests/classlib/bitmap_pattern.h"

using namespace bitmaptest;

namespace {

std::string BytesOf(TMemoryStream& stream)
{
    return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.GetSize()));
}

TMemoryStream StreamOf(const std::string& bytes)
{
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    stream.SetPosition(0);
    return stream;
}

TEST(Bitmap, RowsArePaddedToFourBytesAndStoredBottomUp)
{
    struct {
        TPixelFormat Format;
        int32_t Width, RowBytes;
    } cases[] = {{pf1bit, 1, 4}, {pf1bit, 32, 4}, {pf1bit, 33, 8},  {pf4bit, 9, 8},
                 {pf8bit, 5, 8}, {pf24bit, 1, 4}, {pf24bit, 5, 16}, {pf32bit, 3, 12}};
    for (const auto& c : cases) {
        TBitmap b;
        b.SetPixelFormat(c.Format);
        b.SetSize(c.Width, 3);
        EXPECT_EQ(c.RowBytes, b.RowBytes()) << c.Width;
        EXPECT_EQ(size_t(c.RowBytes) * 3, b.GetBits().size());
        EXPECT_EQ(b.GetBits().data() + 2 * c.RowBytes, b.ScanLine(0)) << "the top row is stored last";
        EXPECT_EQ(b.GetBits().data(), b.ScanLine(2));
    }
}

TEST(Bitmap, SizesOutsideTheLimitsAreRefused)
{
    TBitmap b;
    EXPECT_TRUE(b.Empty());
    b.SetSize(0, 10);
    EXPECT_TRUE(b.Empty());
    EXPECT_TRUE(b.GetBits().empty());
    for (auto [w, h] : {std::pair{-1, 1},
                        {1, -1},
                        {TBitmap::MaxDimension + 1, 1},
                        {1, TBitmap::MaxDimension + 1},
                        {TBitmap::MaxDimension, TBitmap::MaxDimension}}) {
        EXPECT_THROW(b.SetSize(w, h), EInvalidGraphic) << w << " x " << h;
        EXPECT_EQ(0, b.GetWidth());
    }
    EXPECT_THROW(b.ScanLine(10), EInvalidGraphic);
    b.SetSize(2, 2);
    EXPECT_THROW(b.ScanLine(-1), EInvalidGraphic);
    EXPECT_THROW(b.ScanLine(2), EInvalidGraphic);
    EXPECT_THROW(b.GetPixelColor(2, 0), EInvalidGraphic);
}

TEST(Bitmap, PaletteFormatsAlwaysHaveAPalette)
{
    TBitmap b;
    EXPECT_TRUE(b.GetPalette().empty());
    b.SetPixelFormat(pf1bit);
    EXPECT_EQ((std::vector<TRGBEntry>{{0, 0, 0}, {255, 255, 255}}), b.GetPalette());
    b.SetPixelFormat(pf8bit);
    EXPECT_EQ(256u, b.GetPalette().size());
    EXPECT_THROW(b.SetPalette({}), EInvalidGraphic);
    b.SetPixelFormat(pf4bit);
    EXPECT_THROW(b.SetPalette(std::vector<TRGBEntry>(17)), EInvalidGraphic);
    b.SetPalette(std::vector<TRGBEntry>(3));
    EXPECT_EQ(3u, b.GetPalette().size());
}

TEST(Bitmap, ConversionsKeepThePicture)
{
    for (TPixelFormat from : AllFormats)
        for (TPixelFormat to : AllFormats) {
            TBitmap b = Pattern(from, 13, 5);
            const auto before = Colours(b);
            const bool possible = to >= pf24bit || (from <= pf8bit && from <= to);
            if (!possible) {
                EXPECT_THROW(b.SetPixelFormat(to), EInvalidGraphic) << from << " to " << to;
                EXPECT_EQ(from, b.GetPixelFormat());
                continue;
            }
            b.SetPixelFormat(to);
            EXPECT_EQ(to, b.GetPixelFormat());
            EXPECT_EQ(before, Colours(b)) << from << " to " << to;
        }
}

TEST(Bitmap, AssignCopiesEverything)
{
    TBitmap source = Pattern(pf4bit, 7, 3), target;
    target.Assign(source);
    EXPECT_EQ(pf4bit, target.GetPixelFormat());
    EXPECT_EQ(source.GetPalette(), target.GetPalette());
    EXPECT_EQ(source.GetBits(), target.GetBits());
}

TEST(BitmapFile, EveryFormatReadsBack)
{
    for (TPixelFormat format : AllFormats) {
        TBitmap b = Pattern(format, 13, 5), back;
        TMemoryStream stream;
        b.SaveToStream(stream);
        const std::string file = BytesOf(stream);
        EXPECT_EQ("BM", file.substr(0, 2));
        stream.SetPosition(0);
        back.LoadFromStream(stream);
        EXPECT_EQ(format, back.GetPixelFormat());
        EXPECT_EQ(b.GetPalette(), back.GetPalette());
        EXPECT_EQ(b.GetBits(), back.GetBits());
    }
}

TEST(BitmapFile, TopRowFirstFileReads)
{
    TBitmap b = Pattern(pf8bit, 6, 4), back;
    TMemoryStream stream;
    b.SaveToStream(stream);
    std::string file = BytesOf(stream);
    const size_t bits = file.size() - b.GetBits().size();
    const int32_t height = -4;
    std::memcpy(file.data() + 22, &height, 4);
    for (int32_t y = 0; y < 4; ++y)
        std::memcpy(file.data() + bits + y * 8, b.ScanLine(y), 8);
    TMemoryStream top = StreamOf(file);
    back.LoadFromStream(top);
    EXPECT_EQ(Colours(b), Colours(back));
}

TEST(BitmapFile, DamagedFilesAreRefusedAndChangeNothing)
{
    TBitmap b = Pattern(pf4bit, 9, 3);
    TMemoryStream stream;
    b.SaveToStream(stream);
    const std::string file = BytesOf(stream);
    auto with = [&](size_t at, uint32_t value, int size) {
        std::string f = file;
        std::memcpy(f.data() + at, &value, static_cast<size_t>(size));
        return f;
    };
    const std::string cases[] = {
        "",
        file.substr(0, 53),
        file.substr(0, file.size() - 1),
        "BX" + file.substr(2),
        with(18, 0, 4),           // width 0
        with(22, 0, 4),           // height 0
        with(18, 0x80000000u, 4), // negative width
        with(22, 0x80000000u, 4), // the most negative height
        with(18, 40000, 4),       // width past the limit
        with(28, 16, 2),          // 16 bits per pixel
        with(30, 1, 4),           // compressed
        with(26, 2, 2),           // two planes
        with(46, 17, 4),          // more colours than 4 bits allow
        with(14, 39, 4),          // short information header
        with(14, 0x7FFFFFF0u, 4), // information header past the end
        with(10, 0xFFFFFFF0u, 4), // pixels past the end
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        TBitmap target = Pattern(pf24bit, 2, 2);
        TMemoryStream s = StreamOf(cases[i]);
        EXPECT_THROW(target.LoadFromStream(s), EInvalidGraphic) << "case " << i;
        EXPECT_EQ(pf24bit, target.GetPixelFormat());
        EXPECT_EQ(2, target.GetWidth());
    }
}

TEST(BitmapFile, EmptyBitmapIsNotWritten)
{
    TBitmap b;
    TMemoryStream stream;
    EXPECT_THROW(b.SaveToStream(stream), EInvalidGraphic);
    EXPECT_EQ(0, stream.GetSize());
}

} // namespace
