// Reduction of bitmaps to 256 colours or to grey levels for GIF frames, and the colour tables of frames.
#include <algorithm>

#include "codecs/GIFCodec.h"

TGIFColor GIFColorOf(const TRGBEntry& entry)
{
    return entry.Red | (static_cast<uint32_t>(entry.Green) << 8) | (static_cast<uint32_t>(entry.Blue) << 16);
}

TRGBEntry GIFEntryOf(TGIFColor color)
{
    return {static_cast<uint8_t>(color), static_cast<uint8_t>(color >> 8), static_cast<uint8_t>(color >> 16)};
}

int TGIFPalette::IndexOf(TGIFColor color) const
{
    for (int i = 0; i < Count; ++i)
        if (GIFColorOf(Entries[static_cast<size_t>(i)]) == color)
            return i;
    return -1;
}

namespace {

int Distance(const TRGBEntry& a, const TRGBEntry& b)
{
    const int r = a.Red - b.Red, g = a.Green - b.Green, bl = a.Blue - b.Blue;
    return r * r + g * g + bl * bl;
}

// The entry of Palette[0..count) nearest to the colour (the first of equal distances).
int Nearest(const TRGBEntry* palette, int count, const TRGBEntry& color)
{
    int best = -1, bestDistance = 0;
    for (int i = 0; i < count; ++i) {
        const int d = Distance(palette[i], color);
        if (best < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

} // namespace

int TGIFPalette::NearestIndex(const TRGBEntry& color) const
{
    return Nearest(Entries.data(), Count, color);
}

TGIFColor TGIFPalette::ColorAt(int index) const
{
    return index >= 0 && index < Count ? GIFColorOf(Entries[static_cast<size_t>(index)]) : GIFNoColor;
}

namespace {

constexpr size_t BucketCount = 5191;
constexpr int MostDistinct = 2049;
constexpr TRGBEntry UnusedEntry{128, 128, 128};

struct TBucket {
    bool Used = false;
    TRGBEntry Color;
    uint32_t Count = 0;
    int Index = 0;
};

// The distinct colours of a bitmap under three channel masks, counted in an open hash table.
class TColorTable {
public:
    TColorTable() : Buckets(BucketCount) {}

    // Counts every pixel; false, with the table left partly filled, as soon as more than 2049 colours appear.
    bool Count(const TBitmap& bitmap, uint8_t red, uint8_t green, uint8_t blue)
    {
        std::fill(Buckets.begin(), Buckets.end(), TBucket{});
        Distinct = 0;
        RedMask = red, GreenMask = green, BlueMask = blue;
        for (int32_t y = 0; y < bitmap.GetHeight(); ++y)
            for (int32_t x = 0; x < bitmap.GetWidth(); ++x) {
                TBucket& bucket = Find(bitmap.GetPixelColor(x, y));
                if (!bucket.Used) {
                    if (Distinct == MostDistinct)
                        return false;
                    ++Distinct;
                    bucket.Used = true;
                }
                ++bucket.Count;
            }
        return true;
    }

    // The bucket of the masked colour: the one holding it, or the empty one where it goes.
    TBucket& Find(const TRGBEntry& color)
    {
        const TRGBEntry c{static_cast<uint8_t>(color.Red & RedMask),
                          static_cast<uint8_t>(color.Green & GreenMask),
                          static_cast<uint8_t>(color.Blue & BlueMask)};
        const uint64_t hash = static_cast<uint64_t>(c.Red + c.Green) * (c.Green + c.Blue) * (c.Blue + c.Red);
        size_t at = static_cast<size_t>(hash % BucketCount);
        while (Buckets[at].Used && !(Buckets[at].Color == c))
            at = (at + 1) % BucketCount;
        if (!Buckets[at].Used)
            Buckets[at].Color = c;
        return Buckets[at];
    }

    std::vector<TBucket> Buckets;
    int Distinct = 0;

private:
    uint8_t RedMask = 0xFF, GreenMask = 0xFF, BlueMask = 0xFF;
};

} // namespace

void ReduceGIFColors(const TBitmap& source, TBitmap& target)
{
    TColorTable table;
    uint8_t red = 0xFF, green = 0xFF, blue = 0xFF;
    while (!table.Count(source, red, green, blue)) {
        if (red < green)
            green = static_cast<uint8_t>(green << 1);
        else if (red <= blue)
            blue = static_cast<uint8_t>(blue << 1);
        else
            red = static_cast<uint8_t>(red << 1);
    }

    // The most frequent colours in turn, the first in table order among equals.
    std::vector<TBucket*> used;
    for (TBucket& b : table.Buckets)
        if (b.Used)
            used.push_back(&b);
    std::stable_sort(used.begin(), used.end(),
                     [](const TBucket* a, const TBucket* b) { return a->Count > b->Count; });
    const size_t chosen = std::min<size_t>(used.size(), 256);
    std::vector<TRGBEntry> palette(256, UnusedEntry);
    for (size_t i = 0; i < chosen; ++i) {
        palette[i] = used[i]->Color;
        used[i]->Index = static_cast<int>(i);
    }
    for (size_t i = chosen; i < used.size(); ++i)
        used[i]->Index = Nearest(palette.data(), static_cast<int>(chosen), used[i]->Color);

    TBitmap reduced;
    reduced.SetPixelFormat(pf8bit);
    reduced.SetSize(source.GetWidth(), source.GetHeight());
    reduced.SetPalette(std::move(palette));
    for (int32_t y = 0; y < source.GetHeight(); ++y) {
        uint8_t* row = reduced.ScanLine(y);
        for (int32_t x = 0; x < source.GetWidth(); ++x)
            row[x] = static_cast<uint8_t>(table.Find(source.GetPixelColor(x, y)).Index);
    }
    reduced.Transparent = source.Transparent;
    reduced.TransparentColor = source.TransparentColor;
    target = std::move(reduced);
}

void ConvertGIFToGrey(const TBitmap& source, TBitmap& target)
{
    TBitmap grey;
    grey.SetPixelFormat(pf8bit);
    grey.SetSize(source.GetWidth(), source.GetHeight());
    std::vector<TRGBEntry> palette(256);
    for (int i = 0; i < 256; ++i)
        palette[static_cast<size_t>(i)] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i),
                                           static_cast<uint8_t>(i)};
    grey.SetPalette(std::move(palette));
    for (int32_t y = 0; y < source.GetHeight(); ++y) {
        uint8_t* row = grey.ScanLine(y);
        for (int32_t x = 0; x < source.GetWidth(); ++x) {
            const TRGBEntry c = source.GetPixelColor(x, y);
            row[x] = static_cast<uint8_t>((77 * c.Red + 150 * c.Green + 29 * c.Blue) >> 8);
        }
    }
    grey.Transparent = source.Transparent;
    grey.TransparentColor = source.TransparentColor;
    target = std::move(grey);
}
