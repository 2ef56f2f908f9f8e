// The drawing surface over a Windows device context, and the shared off-screen line buffer.
#include "core/DCSurface.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "classlib/graphics/GdiHandles_win.h"
#include "classlib/graphics/SharedBitmaps_win.h"
#include "classlib/runtime/Exceptions.h"

namespace {

HDC DC(TDCHandle dc)
{
    return reinterpret_cast<HDC>(dc);
}

RECT ToRECT(const TRect& r)
{
    return RECT{r.Left, r.Top, r.Right, r.Bottom};
}

std::unique_ptr<TBitmapSurface> SystemLineBuffer;
TOffscreenSurface* InstalledLineBuffer = nullptr;

} // namespace

TDCSurface::~TDCSurface()
{
    for (uintptr_t region : FSavedClips)
        if (region)
            DeleteObject(reinterpret_cast<HRGN>(region));
}

void TDCSurface::FillRect(const TRect& r, TColorRef color)
{
    if (r.Right <= r.Left || r.Bottom <= r.Top)
        return;
    // The background colour of ExtTextOut's opaque rectangle fills without a brush.
    HDC dc = DC(FDC);
    const COLORREF old = SetBkColor(dc, COLORREF(color));
    const RECT rect = ToRECT(r);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

void TDCSurface::InvertRect(const TRect& r)
{
    PatBlt(DC(FDC), r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, DSTINVERT);
}

void TDCSurface::InvertPolygon(const TPoint (&corners)[4])
{
    POINT points[4];
    for (int i = 0; i < 4; ++i)
        points[i] = POINT{corners[i].X, corners[i].Y};
    const TGdiObject<HRGN> region(CreatePolygonRgn(points, 4, WINDING));
    InvertRgn(DC(FDC), region.get());
}

void TDCSurface::SetPixel(int32_t x, int32_t y, TColorRef color)
{
    SetPixelV(DC(FDC), x, y, COLORREF(color));
}

void TDCSurface::Polyline(const TPoint* points, int32_t count, TColorRef color, int32_t width)
{
    if (count < 2)
        return;
    HDC dc = DC(FDC);
    const TGdiObject<HPEN> pen(CreatePen(PS_SOLID, width, COLORREF(color)));
    HGDIOBJ old = SelectObject(dc, pen.get());
    std::vector<POINT> p(size_t(count), POINT{});
    for (int32_t i = 0; i < count; ++i)
        p[size_t(i)] = POINT{points[i].X, points[i].Y};
    ::Polyline(dc, p.data(), count);
    SelectObject(dc, old);
}

void TDCSurface::FocusRect(const TRect& r, bool inverted)
{
    const RECT rect = ToRECT(r);
    HDC dc = DC(FDC);
    DrawFocusRect(dc, &rect);
    if (!inverted || r.Right <= r.Left || r.Bottom <= r.Top)
        return;
    // The whole one-pixel frame inverted once more: the dots come back, the pixels between them invert.
    const int32_t w = r.Right - r.Left, h = r.Bottom - r.Top;
    PatBlt(dc, r.Left, r.Top, w, 1, DSTINVERT);
    if (h > 1)
        PatBlt(dc, r.Left, r.Bottom - 1, w, 1, DSTINVERT);
    if (h > 2) {
        PatBlt(dc, r.Left, r.Top + 1, 1, h - 2, DSTINVERT);
        if (w > 1)
            PatBlt(dc, r.Right - 1, r.Top + 1, 1, h - 2, DSTINVERT);
    }
}

void TDCSurface::WriteText(int32_t x, int32_t y, std::string_view text, const int32_t* advances,
                           TColorRef color, const TRect* clip)
{
    if (text.empty())
        return;
    HDC dc = DC(FDC);
    HGDIOBJ oldFont = FFont ? SelectObject(dc, reinterpret_cast<HGDIOBJ>(FFont)) : nullptr;
    const COLORREF oldColor = SetTextColor(dc, COLORREF(color));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const UINT oldAlign = SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    std::vector<INT> dx;
    if (advances)
        dx.assign(advances, advances + text.size());
    RECT rect{};
    if (clip)
        rect = ToRECT(*clip);
    ExtTextOutA(dc, x, y, clip ? ETO_CLIPPED : 0, clip ? &rect : nullptr, text.data(), UINT(text.size()),
                advances ? dx.data() : nullptr);
    SetTextAlign(dc, oldAlign);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColor);
    if (oldFont)
        SelectObject(dc, oldFont);
}

void TDCSurface::SaveClip()
{
    TGdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    if (GetClipRgn(DC(FDC), region.get()) != 1)
        region.reset();
    FSavedClips.push_back(reinterpret_cast<uintptr_t>(region.release()));
}

void TDCSurface::RestoreClip()
{
    if (FSavedClips.empty())
        return;
    const TGdiObject<HRGN> region(reinterpret_cast<HRGN>(FSavedClips.back()));
    FSavedClips.pop_back();
    SelectClipRgn(DC(FDC), region.get());
}

void TDCSurface::IntersectClip(const TRect& r)
{
    IntersectClipRect(DC(FDC), r.Left, r.Top, r.Right, r.Bottom);
}

void TDCSurface::ExcludeClip(const TRect& r)
{
    ExcludeClipRect(DC(FDC), r.Left, r.Top, r.Right, r.Bottom);
}

void TDCSurface::CopyFrom(TDrawSurface& source, const TRect& from, int32_t x, int32_t y)
{
    BitBlt(DC(FDC), x, y, from.Right - from.Left, from.Bottom - from.Top, DC(source.Handle()), from.Left,
           from.Top, SRCCOPY);
}

TBitmapSurface::TBitmapSurface(int32_t maxWidth, int32_t maxHeight)
    : FMaxWidth(maxWidth), FMaxHeight(maxHeight),
      FBuffer(std::make_unique<TServiceBitmap>(maxWidth, maxHeight)),
      FSurface(reinterpret_cast<TDCHandle>(FBuffer->DC()))
{}

TBitmapSurface::~TBitmapSurface() = default;

void TBitmapSurface::SetSize(int32_t width, int32_t height)
{
    width = std::min(width, FMaxWidth);
    height = std::min(height, FMaxHeight);
    if (width == FWidth && height == FHeight)
        return;
    FWidth = FHeight = 0;
    try {
        FBuffer->SetSize(width, height);
    } catch (const EOutOfMemory&) {
        // No bitmap of that size: the surface stays empty, as one of no size.
        FBuffer->SetSize(0, 0);
    }
    if (FBuffer->Bitmap()) {
        FWidth = width;
        FHeight = height;
    }
}

TOffscreenSurface* SharedLineBuffer()
{
    if (InstalledLineBuffer)
        return InstalledLineBuffer;
    if (!SystemLineBuffer) {
        // As wide and high as the largest screen a line may cover.
        SystemLineBuffer = std::make_unique<TBitmapSurface>(std::max(2048, GetSystemMetrics(SM_CXSCREEN) * 2),
                                                            std::max(1024, GetSystemMetrics(SM_CYSCREEN)));
    }
    return SystemLineBuffer.get();
}

void FreeSharedLineBuffer()
{
    SystemLineBuffer.reset();
}

void SetSharedLineBuffer(TOffscreenSurface* buffer)
{
    InstalledLineBuffer = buffer;
}
