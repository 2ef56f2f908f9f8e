// Resampling of 24-bit bitmaps: contribution lists per destination column and row, two passes.
#include "codecs/Resample.h"

#include <cmath>
#include <vector>

#include "classlib/graphics/Bitmap.h"

bool FastDrawing = false;

float MitchellFilter(float x)
{
    const float t = std::fabs(x);
    if (t < 1.0f)
        return (7.0f * t * t * t - 12.0f * t * t + 16.0f / 3.0f) / 6.0f;
    if (t < 2.0f)
        return (-7.0f / 3.0f * t * t * t + 12.0f * t * t - 20.0f * t + 32.0f / 3.0f) / 6.0f;
    return 0.0f;
}

float TriangleFilter(float x)
{
    const float t = std::fabs(x);
    return t < 1.0f ? 1.0f - t : 0.0f;
}

namespace {

struct TContribution {
    int32_t Index;
    float Weight;
};

// For every destination index, the source indexes and weights that make it.
std::vector<std::vector<TContribution>> Contributions(int32_t destSize, int32_t sourceSize, float scale,
                                                      TResampleFilter filter, float support)
{
    std::vector<std::vector<TContribution>> lists(static_cast<size_t>(destSize));
    const bool shrinking = scale < 1.0f;
    const float width = shrinking ? support / scale : support;
    const float f = shrinking ? 1.0f / scale : 1.0f;
    for (int32_t i = 0; i < destSize; ++i) {
        const float centre = float(i) / scale;
        std::vector<TContribution>& list = lists[size_t(i)];
        list.reserve(size_t(2 * width + 1));
        const int32_t first = int32_t(std::floor(centre - width));
        const int32_t last = int32_t(std::ceil(centre + width));
        for (int32_t j = first; j <= last; ++j) {
            const float weight = shrinking ? filter((centre - float(j)) / f) / f : filter(centre - float(j));
            if (weight == 0.0f)
                continue;
            const int32_t magnitude = j < 0 ? -j : j;
            list.push_back({magnitude < sourceSize - 1 ? magnitude : sourceSize - 1, weight});
        }
        // The weights of a shrinking filter only come near 1 together: scaled to sum to 1 exactly, a flat
        // region keeps its colour.
        float sum = 0.0f;
        for (const TContribution& k : list)
            sum += k.Weight;
        if (sum > 0.0f)
            for (TContribution& k : list)
                k.Weight /= sum;
    }
    return lists;
}

uint8_t Channel(float sum)
{
    if (sum > 255.0f)
        return 255;
    if (sum < 0.0f)
        return 0;
    return uint8_t(std::nearbyint(sum));
}

// A one-pixel side on either end has no span to stretch: its scale is the plain ratio.
float Scale(int32_t dest, int32_t source)
{
    return source == 1 || dest == 1 ? float(dest) / float(source) : float(dest - 1) / float(source - 1);
}

} // namespace

void StretchBitmap(const TBitmap& original, TBitmap& dest, TResampleFilter filter, float support)
{
    const int32_t sw = original.GetWidth(), sh = original.GetHeight();
    const int32_t dw = dest.GetWidth(), dh = dest.GetHeight();
    if (sw < 1 || sh < 1 || dw < 1 || dh < 1)
        return;
    // Pixels are read and written 3 bytes each: bitmaps of other formats go through 24 bits.
    TBitmap converted;
    if (original.GetPixelFormat() != pf24bit) {
        converted.Assign(original);
        converted.SetPixelFormat(pf24bit);
    }
    const TBitmap& source = original.GetPixelFormat() == pf24bit ? original : converted;
    dest.SetPixelFormat(pf24bit);
    TBitmap work;
    work.SetPixelFormat(pf24bit);
    work.SetSize(dw, sh);

    const auto columns = Contributions(dw, sw, Scale(dw, sw), filter, support);
    for (int32_t y = 0; y < sh; ++y) {
        const uint8_t* in = source.ScanLine(y);
        uint8_t* out = work.ScanLine(y);
        for (int32_t x = 0; x < dw; ++x)
            for (int c = 0; c < 3; ++c) {
                float sum = 0.0f;
                for (const TContribution& k : columns[size_t(x)])
                    sum += k.Weight * in[k.Index * 3 + c];
                out[x * 3 + c] = Channel(sum);
            }
    }

    const auto rows = Contributions(dh, sh, Scale(dh, sh), filter, support);
    for (int32_t x = 0; x < dw; ++x)
        for (int32_t y = 0; y < dh; ++y)
            for (int c = 0; c < 3; ++c) {
                float sum = 0.0f;
                for (const TContribution& k : rows[size_t(y)])
                    sum += k.Weight * work.ScanLine(k.Index)[x * 3 + c];
                dest.ScanLine(y)[x * 3 + c] = Channel(sum);
            }
}

void Resample(const TBitmap& source, TBitmap& dest)
{
    if (FastDrawing)
        StretchBitmap(source, dest, TriangleFilter, 1.0f);
    else
        StretchBitmap(source, dest, MitchellFilter, 2.0f);
}
