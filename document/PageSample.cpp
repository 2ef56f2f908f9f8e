// The page sample of the page dialogs: pages to scale, greeked rows per column, the mark of what changes.
#include "document/PageSample.h"

#include <algorithm>

#include "core/Colors.h"
#include "core/DrawSurface.h"

namespace {

constexpr int32_t PageGap = 15; // between two facing pages
constexpr TColorRef HighlightColor = 0x0000FF;
constexpr TColorRef PaperColor = 0xFFFFFF;
constexpr TColorRef FrameColor = 0x000000;

TColorRef PaletteColor(int slot, TColorRef fallback)
{
    TColorManager* manager = GetColorManager();
    TColorPalette* palette = manager ? manager->CurrentPalette() : nullptr;
    if (!palette)
        palette = manager ? manager->GetDefaultPalette() : nullptr;
    return palette ? palette->GetColor(slot) : fallback;
}

struct TScale {
    double Factor;
    int32_t operator()(int64_t twips) const { return int32_t(double(twips) * Factor + 0.5); }
};

// The rows of greeked text of one column between two heights.
void DrawRows(TDrawSurface& s, int32_t left, int32_t right, int32_t top, int32_t bottom, TColorRef color,
              bool shorten)
{
    for (int32_t y = top, k = 0; y < bottom; y += 2, ++k) {
        int32_t end = right;
        if (shorten && k % 3 == 2)
            end = std::max(left + 1, right - 6);
        if (end > left)
            s.FillRect(TRect{left, y, end, y + 1}, color);
    }
}

void DrawPage(TDrawSurface& s, int32_t x, int32_t y, const TScale& scale, const TPageSetup& ps,
              const TSectionParams& sp, const TPageSampleOptions& o, bool secondPage)
{
    const int32_t w = std::max(1, scale(ps[psWidth])), h = std::max(1, scale(ps[psHeight]));
    s.FillRect(TRect{x - 1, y - 1, x + w + 1, y + h + 1}, FrameColor);
    s.FillRect(TRect{x, y, x + w, y + h}, PaperColor);
    // A second facing page has its inside margin on the other side.
    int32_t leftMargin = ps[psLeftMargin], rightMargin = ps[psRightMargin];
    uint8_t highlight = o.Highlight;
    if (secondPage) {
        std::swap(leftMargin, rightMargin);
        if (highlight == shLeftMargin)
            highlight = shRightMargin;
        else if (highlight == shRightMargin)
            highlight = shLeftMargin;
    }
    const int32_t textLeft = x + scale(std::max(0, leftMargin));
    const int32_t textRight = std::max(textLeft + 1, x + w - scale(std::max(0, rightMargin)));
    const int32_t textTop = y + scale(std::max(0, ps[psTopMargin]));
    const int32_t textBottom = std::max(textTop + 1, y + h - scale(std::max(0, ps[psBottomMargin])));

    // Columns from the section's geometry on this page's text width.
    TPageSetup page = ps;
    page[psTextWidth] = ps[psWidth] - leftMargin - rightMargin;
    const int count = std::clamp<int32_t>(sp[spColumnCount], 1, MaxColumns);
    const TColorRef affected = PaletteColor(csFormattingMarks, 0x808080);
    const TColorRef other = PaletteColor(csRulerMargins, 0xC0C0C0);
    const int blocks = std::clamp<int>(o.Blocks, 1, 3);
    const int32_t height = textBottom - textTop;
    for (int b = 0; b < blocks; ++b) {
        const int32_t top = textTop + height * b / blocks, bottom = textTop + height * (b + 1) / blocks;
        const bool isAffected = blocks == 1 || b == o.AffectedBlock;
        for (int n = 0; n < count; ++n) {
            TColumnGeometry g;
            ComputeColumnGeometry(sp, page, n, g);
            const int32_t left = textLeft + scale(g.Left);
            const int32_t right = std::min(textRight, left + std::max(1, scale(g.Width)));
            DrawRows(s, left, right, top, bottom, isAffected ? affected : other,
                     !isAffected || o.ShortenAffected);
            if (n > 0 && sp[spLineBetween]) {
                TColumnGeometry before;
                ComputeColumnGeometry(sp, page, n - 1, before);
                const int32_t middle = textLeft + scale(int64_t(before.Left) + before.Width + before.Gap / 2);
                s.FillRect(TRect{middle, top, middle + 1, bottom}, affected);
            }
        }
    }

    // What the dialog field being edited concerns.
    switch (highlight) {
    case shLeftMargin: s.FillRect(TRect{textLeft - 1, y, textLeft, y + h}, HighlightColor); break;
    case shRightMargin: s.FillRect(TRect{textRight, y, textRight + 1, y + h}, HighlightColor); break;
    case shTopMargin: s.FillRect(TRect{x, textTop - 1, x + w, textTop}, HighlightColor); break;
    case shBottomMargin: s.FillRect(TRect{x, textBottom, x + w, textBottom + 1}, HighlightColor); break;
    case shHeader: {
        const int32_t hy = y + scale(std::max(0, ps[psHeaderDistance]));
        s.FillRect(TRect{textLeft, hy, textRight, hy + 1}, HighlightColor);
        break;
    }
    case shFooter: {
        const int32_t fy = y + h - scale(std::max(0, ps[psFooterDistance]));
        s.FillRect(TRect{textLeft, fy - 1, textRight, fy}, HighlightColor);
        break;
    }
    default: break;
    }

    // The page number: a small mark in the top or bottom margin.
    if (o.PageNumberMark >= 0 && o.PageNumberMark <= 5) {
        const int position = o.PageNumberMark % 3;
        const bool bottom = o.PageNumberMark >= 3;
        const int32_t markY = bottom ? (textBottom + y + h) / 2 - 1 : (y + textTop) / 2 - 1;
        const int32_t markX = position == 0   ? textLeft
                              : position == 1 ? (textLeft + textRight) / 2 - 1
                                              : textRight - 3;
        s.FillRect(TRect{markX, markY, markX + 3, markY + 2}, affected);
    }
}

} // namespace

void DrawPageSample(TDrawSurface& surface, const TRect& area, const TPageSetup& pageSetup,
                    const TSectionParams& params, const TPageSampleOptions& options)
{
    const int32_t width = pageSetup[psWidth], height = pageSetup[psHeight];
    const int32_t areaWidth = area.Right - area.Left, areaHeight = area.Bottom - area.Top;
    if (width <= 0 || height <= 0 || areaWidth <= 2 || areaHeight <= 2)
        return;
    const int pages = pageSetup[psMirrorMargins] && !options.SinglePage ? 2 : 1;
    // Room for the frames around the pages.
    const double byWidth = double(areaWidth - 2 * pages - PageGap * (pages - 1)) / (double(width) * pages);
    const double byHeight = double(areaHeight - 2) / double(height);
    const TScale scale{std::max(0.0, std::min(byWidth, byHeight))};
    const int32_t pageWidth = std::max(1, scale(width)), pageHeight = std::max(1, scale(height));
    const int32_t total = pageWidth * pages + PageGap * (pages - 1);
    int32_t x = area.Left + (areaWidth - total) / 2;
    const int32_t y = area.Top + (areaHeight - pageHeight) / 2;
    for (int p = 0; p < pages; ++p) {
        DrawPage(surface, x, y, scale, pageSetup, params, options, p == 1);
        x += pageWidth + PageGap;
    }
}
