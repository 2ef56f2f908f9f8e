// The document's units: twips to device and screen units at the zoom, device metrics and the zoom.
#include "core/Colors.h"
#include "core/Units.h"
#include "document/Document.h"
#include "document/Section.h"

#include <algorithm>
#include <limits>

namespace {

// Product / Divisor truncated, plus 1 when the remainder is at least half the divisor: non-negative
// values round half up, negative ones truncate toward zero.
int32_t RoundedQuotient(int64_t product, int64_t divisor)
{
    int64_t q = product / divisor;
    if (product % divisor >= divisor / 2)
        ++q;
    if (q > std::numeric_limits<int32_t>::max() || q < std::numeric_limits<int32_t>::min())
        throw Exception("Dépassement de capacité arithmétique.");
    return int32_t(q);
}

} // namespace

int32_t TDocument::TwipsToDeviceY(int32_t v) const
{
    return RoundedQuotient(int64_t(v) * ViewState.DeviceDpiY, 1440);
}
int32_t TDocument::TwipsToDeviceX(int32_t v) const
{
    return RoundedQuotient(int64_t(v) * ViewState.DeviceDpiX, 1440);
}
int32_t TDocument::TwipsToScreen(int32_t v) const
{
    return RoundedQuotient(int64_t(v) * ViewState.ScreenDpi, 1440);
}

int32_t TDocument::TwipsToDeviceYScaled(int32_t v, int32_t p) const
{
    return RoundedQuotient(int64_t(v) * ViewState.DeviceDpiY * p, 144000);
}

int32_t TDocument::TwipsToDeviceXScaled(int32_t v, int32_t p) const
{
    return RoundedQuotient(int64_t(v) * ViewState.DeviceDpiX * p, 144000);
}

int32_t TDocument::TwipsToScreenScaled(int32_t v, int32_t p) const
{
    return RoundedQuotient(int64_t(v) * ViewState.ScreenDpi * p, 144000);
}

int32_t TDocument::ScreenToTwips(int32_t v) const
{
    return MulDivRound(v, 1440, ViewState.ScreenDpi);
}
int32_t TDocument::DeviceYToTwips(int32_t v) const
{
    return MulDivRound(v, 1440, ViewState.DeviceDpiY);
}

int32_t TDocument::ApplyZoom(int32_t v) const
{
    return ViewState.ZoomPercent == 100 ? v : RoundedQuotient(int64_t(v) * ViewState.ZoomPercent, 100);
}

int32_t TDocument::ApplyLayoutZoom(int32_t v) const
{
    return ViewState.LayoutZoom == 100 ? v : RoundedQuotient(int64_t(v) * ViewState.LayoutZoom, 100);
}

int32_t TDocument::FontHeightFromHalfPoints(int32_t s) const
{
    return -RoundedQuotient(int64_t(s) * ViewState.ScreenDpi, 144);
}

int32_t TDocument::DeviceFontHeight(int32_t s) const
{
    return std::min(-RoundedQuotient(int64_t(s) * ViewState.DeviceDpiY, 144), -3);
}

void TDocument::UpdateDeviceMetrics()
{
    for (auto it = Sections.rbegin(); it != Sections.rend(); ++it) {
        TPageSetup& p = (*it)->PageSetup;
        p[psScreenWidth] = TwipsToScreen(p[psWidth]);
        p[psScreenHeight] = TwipsToScreen(p[psHeight]);
        p[psScreenLeftMargin] = TwipsToScreen(p[psLeftMargin]);
        p[psScreenRightMargin] = TwipsToScreen(p[psRightMargin]);
        p[psScreenTopMargin] = TwipsToScreen(p[psTopMargin]);
        p[psScreenBottomMargin] = TwipsToScreen(p[psBottomMargin]);
        p[psDeviceWidth] = TwipsToDeviceX(p[psWidth]);
        p[psDeviceHeight] = TwipsToDeviceY(p[psHeight]);
        p[psDeviceHeightPlus15] = p[psDeviceHeight] + 15;
        p[psZoomLeftMargin] = ApplyLayoutZoom(p[psScreenLeftMargin]);
        p[psZoomRightMargin] = ApplyLayoutZoom(p[psScreenRightMargin]);
        p[psZoomTopMargin] = ApplyZoom(p[psScreenTopMargin]);
        p[psZoomBottomMargin] = ApplyZoom(p[psScreenBottomMargin]);
    }
    TPageExtent& e = ViewState.PageExtent;
    e[2] = TwipsToScreen(e[0]);
    e[3] = TwipsToScreen(e[1]);
    e[4] = TwipsToDeviceX(e[0]);
    e[5] = TwipsToDeviceY(e[1]);
}

int32_t TDocument::EffectiveZoom()
{
    int32_t z = ViewState.ZoomPercent;
    const TPageExtent& e = ViewState.PageExtent;
    const int32_t w = ViewState.ClientWidth, h = ViewState.ClientHeight;
    // Without a window, or before the pages have a size, the zoom stands as it is.
    if (GetModeFlag(mfHasWindow) && e[2] > 0 && e[3] > 0) {
        switch (ViewState.ZoomKind) {
        case 1: z = int32_t(int64_t(w - 20) * 100 / e[2]); break;
        case 2: {
            const int32_t textWidth = TwipsToScreen(e[6]);
            if (textWidth > 0)
                z = MulDivRound(w - 40, 100, textWidth);
            break;
        }
        case 3:
        case 4:
            z = ViewState.ZoomKind == 3 ? int32_t(int64_t(w - 20) * 100 / e[2])
                                        : int32_t(int64_t(w - 30) * 100 / (2 * int64_t(e[2])));
            if (int64_t(e[3]) * z / 100 > h - 20)
                z = int32_t(int64_t(h - 20) * 100 / e[3]);
            SetModeFlag(mfFitsWholePages, true);
            break;
        default: break;
        }
    }
    return std::clamp(z, 10, 500);
}

void TDocument::SetZoom(int32_t p)
{
    SetZoomAt(p, nullptr);
}

void TDocument::SelectColorScheme()
{
    if (PreviewMode || GetModeFlag(mfPrinting))
        GetColorManager()->UseDefaultColors();
    else
        GetColorManager()->UseSchemeColors();
}
