// The caret's shape from the metrics of its font and its slanted bitmap.
#include "document/CaretShape.h"

#include <algorithm>

#include "core/Units.h"

namespace {

int32_t QuarterUp(int32_t v)
{
    return (v + 3) / 4;
}

} // namespace

TCaretShape ComputeCaretShape(int32_t ascent, int32_t descent, bool italic, bool smallCaps)
{
    int32_t height = ascent + descent;
    if (smallCaps)
        height = MulDivRound(height, 100, 80);
    height = std::max(height, 1);
    if (italic)
        return {QuarterUp(height) + 1, height, QuarterUp(std::max(descent, 0)) + 1, true};
    return {height >= 16 ? 2 : 1, height, 1, false};
}

std::vector<uint8_t> SlantedCaretPixels(const TCaretShape& shape)
{
    const int32_t w = shape.Width;
    const int32_t h = shape.Height;
    std::vector<uint8_t> pixels(size_t(w) * size_t(h), 0);
    const int32_t strokeWidth = h >= 16 ? 2 : 1;
    for (int32_t i = 0; i < QuarterUp(h); ++i) {
        const int32_t top = h - 4 * (i + 1);
        for (int32_t y = std::max(top, 0); y < std::min(top + 4, h); ++y)
            for (int32_t x = i; x < std::min(i + strokeWidth, w); ++x)
                pixels[size_t(y) * size_t(w) + size_t(x)] = 1;
    }
    return pixels;
}
