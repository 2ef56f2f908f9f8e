// The drawing surface over a Windows device context, and the shared off-screen line buffer.
#include "core/DCSurface.h"

#include <windows.h>

#include <algorithm>
#include <memory>

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
    HRGN region = CreatePolygonRgn(points, 4, WINDING);
    InvertRgn(DC(FDC), region);
    DeleteObject(region);
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
    HPEN pen = CreatePen(PS_SOLID, width, COLORREF(color));
    HGDIOBJ old = SelectObject(dc, pen);
    std::vector<POINT> p(size_t(count), POINT{});
    for (int32_t i = 0; i < count; ++i)
        p[size_t(i)] = POINT{points[i].X, points[i].Y};
    ::Polyline(dc, p.data(), count);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void TDCSurface::FocusRect(const TRect& r)
{
    const RECT rect = ToRECT(r);
    DrawFocusRect(DC(FDC), &rect);
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
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetClipRgn(DC(FDC), region) != 1) {
        DeleteObject(region);
        region = nullptr;
    }
    FSavedClips.push_back(reinterpret_cast<uintptr_t>(region));
}

void TDCSurface::RestoreClip()
{
    if (FSavedClips.empty())
        return;
    HRGN region = reinterpret_cast<HRGN>(FSavedClips.back());
    FSavedClips.pop_back();
    SelectClipRgn(DC(FDC), region);
    if (region)
        DeleteObject(region);
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
      FSurface(reinterpret_cast<TDCHandle>(CreateCompatibleDC(nullptr)))
{
    FOriginal = reinterpret_cast<uintptr_t>(GetCurrentObject(DC(FSurface.Handle()), OBJ_BITMAP));
    SetBkMode(DC(FSurface.Handle()), TRANSPARENT);
}

TBitmapSurface::~TBitmapSurface()
{
    HDC dc = DC(FSurface.Handle());
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(FOriginal));
    if (FBitmap)
        DeleteObject(reinterpret_cast<HBITMAP>(FBitmap));
    DeleteDC(dc);
}

void TBitmapSurface::SetSize(int32_t width, int32_t height)
{
    width = std::min(width, FMaxWidth);
    height = std::min(height, FMaxHeight);
    if (width == FWidth && height == FHeight)
        return;
    HDC dc = DC(FSurface.Handle());
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(FOriginal));
    if (FBitmap)
        DeleteObject(reinterpret_cast<HBITMAP>(FBitmap));
    FBitmap = 0;
    FWidth = FHeight = 0;
    if (width >= 1 && height >= 1) {
        HDC screen = GetDC(nullptr);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        if (bitmap) {
            SelectObject(dc, bitmap);
            FBitmap = reinterpret_cast<uintptr_t>(bitmap);
            FWidth = width;
            FHeight = height;
        }
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
