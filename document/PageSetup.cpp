// Page-setup defaults and bounds, and the geometry of section columns.
#include "document/PageSetup.h"

#include <algorithm>

namespace {

constexpr int32_t MinPageSize = 1440;  // one inch
constexpr int32_t MaxPageSize = 31680; // 22 inches

// Value * Num / Den rounded to the nearest integer, halves away from zero.
int64_t MulDivRound(int64_t value, int64_t num, int64_t den)
{
    const int64_t p = value * num;
    const int64_t q = p / den;
    const int64_t r = p % den;
    if (2 * (r < 0 ? -r : r) >= den)
        return p < 0 ? q - 1 : q + 1;
    return q;
}

int32_t Saturate(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// A margin or distance kept between 0 and 40 % of the dimension.
void Bound(int32_t& value, int32_t dimension)
{
    if (value < 0)
        value = 0;
    const int32_t limit = static_cast<int32_t>(MulDivRound(dimension, 40, 100));
    if (value > limit)
        value = limit;
}

} // namespace

void SetPageSetupDefaults(TPageSetup& p)
{
    p[psWidth] = 11905;
    p[psHeight] = 16838;
    p[psOrientation] = 0;
    p[psLeftMargin] = 1417;
    p[psRightMargin] = 1417;
    p[psTopMargin] = 1417;
    p[psBottomMargin] = 1417;
    p[psMirrorMargins] = 0;
    p[psTextWidth] = p[psWidth] - p[psLeftMargin] - p[psRightMargin];
    p[psHeaderDistance] = 720;
    p[psFooterDistance] = 720;
    p[psHeaderFlags] = 0;
}

void ValidatePageSetup(TPageSetup& p)
{
    p[psWidth] = std::clamp(p[psWidth], MinPageSize, MaxPageSize);
    p[psHeight] = std::clamp(p[psHeight], MinPageSize, MaxPageSize);
    Bound(p[psTopMargin], p[psHeight]);
    Bound(p[psBottomMargin], p[psHeight]);
    Bound(p[psLeftMargin], p[psWidth]);
    Bound(p[psRightMargin], p[psWidth]);
    Bound(p[psHeaderDistance], p[psHeight]);
    Bound(p[psFooterDistance], p[psHeight]);
    // The text width is what the margins leave; keep it true to the corrected values.
    p[psTextWidth] = p[psWidth] - p[psLeftMargin] - p[psRightMargin];
}

void ComputeColumnGeometry(const TSectionParams& params, const TPageSetup& pageSetup, int n,
                           TColumnGeometry& out)
{
    const int64_t textWidth = pageSetup[psTextWidth];
    const int count = std::clamp<int32_t>(params[spColumnCount], 1, MaxColumns);
    n = std::clamp(n, 0, count - 1);
    int64_t left = 0, width = 0, gap = 0, gapBefore = 0;
    if (count == 1) {
        // A single column is the whole text width.
        width = std::max<int64_t>(0, textWidth);
    } else if (params[spEqualWidths] != 0) {
        // The gaps together take at most 70 % of the text width.
        gap = std::min<int64_t>(params[spColumnGap], (textWidth * 7 / 10) / (count - 1));
        width = std::max<int64_t>(0, (textWidth - (count - 1) * gap) / count);
        left = (width + gap) * n;
        gapBefore = gap;
    } else {
        for (int i = 0; i < n; ++i)
            left += int64_t(params[ColumnField(i, ceWidth)]) + params[ColumnField(i, ceGapAfter)];
        width = params[ColumnField(n, ceWidth)];
        gap = params[ColumnField(n, ceGapAfter)];
        if (n > 0)
            gapBefore = params[ColumnField(n - 1, ceGapAfter)];
    }
    int64_t leftBound = left, rightBound = left + width;
    if (n > 0)
        leftBound -= gapBefore / 2;
    if (n < count - 1)
        rightBound += gap / 2;
    out.Left = Saturate(left);
    out.Width = Saturate(width);
    out.Gap = Saturate(gap);
    out.LeftBound = Saturate(leftBound);
    out.RightBound = Saturate(rightBound);
}
