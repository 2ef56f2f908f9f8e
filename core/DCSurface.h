// The drawing surface over a device context of the system.
#pragma once
#include <memory>
#include <vector>

#include "core/DrawSurface.h"

class TServiceBitmap;

// Draws on a device context it does not own; what it selects into the context is put back after each
// call, and the clip saved by SaveClip is restored by RestoreClip.
class TDCSurface : public TDrawSurface {
public:
    explicit TDCSurface(TDCHandle dc) : FDC(dc) {}
    ~TDCSurface() override;
    TDCSurface(const TDCSurface&) = delete;
    TDCSurface& operator=(const TDCSurface&) = delete;

    TDCHandle Handle() override { return FDC; }
    void FillRect(const TRect& r, TColorRef color) override;
    void InvertRect(const TRect& r) override;
    void InvertPolygon(const TPoint (&corners)[4]) override;
    void SetPixel(int32_t x, int32_t y, TColorRef color) override;
    void Polyline(const TPoint* points, int32_t count, TColorRef color, int32_t width) override;
    void FocusRect(const TRect& r, bool inverted) override;
    void SelectFont(TFontHandle font) override { FFont = font; }
    void WriteText(int32_t x, int32_t y, std::string_view text, const int32_t* advances, TColorRef color,
                   const TRect* clip) override;
    void SaveClip() override;
    void RestoreClip() override;
    void IntersectClip(const TRect& r) override;
    void ExcludeClip(const TRect& r) override;
    void CopyFrom(TDrawSurface& source, const TRect& from, int32_t x, int32_t y) override;

protected:
    TDCHandle FDC;

private:
    TFontHandle FFont = 0;
    // Clips saved by SaveClip: a copy of the clip region, or 0 for none.
    std::vector<uintptr_t> FSavedClips;
};

// A surface over a memory device context that owns a screen-compatible bitmap of bounded size.
class TBitmapSurface : public TOffscreenSurface {
public:
    TBitmapSurface(int32_t maxWidth, int32_t maxHeight);
    ~TBitmapSurface() override;
    TBitmapSurface(const TBitmapSurface&) = delete;
    TBitmapSurface& operator=(const TBitmapSurface&) = delete;

    TDCHandle Handle() override { return FSurface.Handle(); }
    void FillRect(const TRect& r, TColorRef color) override { FSurface.FillRect(r, color); }
    void InvertRect(const TRect& r) override { FSurface.InvertRect(r); }
    void InvertPolygon(const TPoint (&corners)[4]) override { FSurface.InvertPolygon(corners); }
    void SetPixel(int32_t x, int32_t y, TColorRef color) override { FSurface.SetPixel(x, y, color); }
    void Polyline(const TPoint* points, int32_t count, TColorRef color, int32_t width) override
    {
        FSurface.Polyline(points, count, color, width);
    }
    void FocusRect(const TRect& r, bool inverted) override { FSurface.FocusRect(r, inverted); }
    void SelectFont(TFontHandle font) override { FSurface.SelectFont(font); }
    void WriteText(int32_t x, int32_t y, std::string_view text, const int32_t* advances, TColorRef color,
                   const TRect* clip) override
    {
        FSurface.WriteText(x, y, text, advances, color, clip);
    }
    void SaveClip() override { FSurface.SaveClip(); }
    void RestoreClip() override { FSurface.RestoreClip(); }
    void IntersectClip(const TRect& r) override { FSurface.IntersectClip(r); }
    void ExcludeClip(const TRect& r) override { FSurface.ExcludeClip(r); }
    void CopyFrom(TDrawSurface& source, const TRect& from, int32_t x, int32_t y) override
    {
        FSurface.CopyFrom(source, from, x, y);
    }
    void SetSize(int32_t width, int32_t height) override;
    int32_t Width() const override { return FWidth; }
    int32_t Height() const override { return FHeight; }

private:
    int32_t FMaxWidth, FMaxHeight;
    int32_t FWidth = 0, FHeight = 0;
    std::unique_ptr<TServiceBitmap> FBuffer;
    TDCSurface FSurface;
};
