// What drawing asks of the system: filling, inverting, pixels and lines, text in a selected font,
// pictures and clipping, on one surface in device pixels.
#pragma once
#include <cstdint>
#include <string_view>

#include "core/Colors.h"
#include "core/FontDevice.h"
#include "codecs/Geometry.h"

// Pages, lines and the views draw on a surface: a window, a bitmap or a printer on Windows, a recording
// in the engine's own tests. Nothing is clipped unless a clip was set.
class TDrawSurface {
public:
    virtual ~TDrawSurface();

    // The device context behind the surface, 0 when there is none (pictures then only record their box).
    virtual TDCHandle Handle() = 0;

    virtual void FillRect(const TRect& r, TColorRef color) = 0;
    // Inverts the colours of a rectangle; of a four-cornered polygon.
    virtual void InvertRect(const TRect& r) = 0;
    virtual void InvertPolygon(const TPoint (&corners)[4]) = 0;
    virtual void SetPixel(int32_t x, int32_t y, TColorRef color) = 0;
    // A polyline with a solid pen of Width pixels (the last point is not drawn, as the system does).
    virtual void Polyline(const TPoint* points, int32_t count, TColorRef color, int32_t width) = 0;
    // A focus rectangle (dotted, drawn by inversion); Inverted draws it in inverted colours: the dots
    // fall on the pixels the plain one leaves.
    virtual void FocusRect(const TRect& r, bool inverted) = 0;

    // The font of the text that follows.
    virtual void SelectFont(TFontHandle font) = 0;
    // Text with its top-left corner at (X, Y), transparent background, each character advancing by its
    // entry of Advances (the font's own widths when null); Clip limits it when not null.
    virtual void WriteText(int32_t x, int32_t y, std::string_view text, const int32_t* advances,
                           TColorRef color, const TRect* clip = nullptr) = 0;

    // Clipping: saved and restored in pairs; the clip is narrowed to a rectangle, or a rectangle is
    // taken out of it.
    virtual void SaveClip() = 0;
    virtual void RestoreClip() = 0;
    virtual void IntersectClip(const TRect& r) = 0;
    virtual void ExcludeClip(const TRect& r) = 0;

    // Copies a rectangle of another surface (an off-screen bitmap) to (X, Y).
    virtual void CopyFrom(TDrawSurface& source, const TRect& from, int32_t x, int32_t y) = 0;
};

// A line drawn one pixel wide from (X1, Y1) to (X2, Y2), both ends included.
void DrawLine(TDrawSurface& s, int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColorRef color);

// An off-screen surface of bounded size whose contents can be copied to another surface (the shared
// line buffer of the views); the system's screen-compatible bitmap on Windows, a recording elsewhere.
class TOffscreenSurface : public TDrawSurface {
public:
    // Clamps the size to the maximum; the previous contents are lost.
    virtual void SetSize(int32_t width, int32_t height) = 0;
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
};

// The shared line buffer of the views (made on first use, freed at shutdown); the document code reaches
// it here so that the system's bitmap stays out of it. Nullptr where the system has none.
TOffscreenSurface* SharedLineBuffer();
void FreeSharedLineBuffer();
// Installs another buffer (the tests' recording one); nullptr goes back to the system's.
void SetSharedLineBuffer(TOffscreenSurface* buffer);
