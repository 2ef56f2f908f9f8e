// A drawing surface that records what is drawn on it, for checking drawing decisions without a system.
#pragma once
#include <string>
#include <vector>

#include "core/DrawSurface.h"

enum class TDrawOpKind : uint8_t { Fill, Invert, InvertPolygon, Pixel, Polyline, Focus, Text, Copy };

// One drawing call as it reached the surface, with the clip in force (Clipped: the clip rectangle
// applies; taken-out rectangles are kept apart).
struct TDrawOp {
    TDrawOpKind Kind;
    TRect Rect{}; // fill, invert, focus, copy target; the text's origin in Left, Top
    TColorRef Color = 0;
    int32_t Width = 0; // pen width of a polyline
    std::vector<TPoint> Points;
    std::string Text;
    std::vector<int32_t> Advances;
    TFontHandle Font = 0;
    bool Clipped = false;
    bool Inverted = false; // a focus rectangle in inverted colours
    TRect Clip{};
};

class TRecordingSurface : public TOffscreenSurface {
public:
    TDCHandle Handle() override { return 0; }
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
    void SetSize(int32_t width, int32_t height) override;
    int32_t Width() const override { return FWidth; }
    int32_t Height() const override { return FHeight; }

    std::vector<TDrawOp> Ops;
    // Rectangles taken out of the clip since it was last saved.
    std::vector<TRect> Excluded;
    int32_t ClipDepth() const { return int32_t(FSaved.size()); }

    // The texts written, in order, and the pixels set in a colour.
    std::vector<std::string> Texts() const;
    std::vector<TPoint> Pixels(TColorRef color) const;
    // The operations of a kind.
    std::vector<const TDrawOp*> OfKind(TDrawOpKind kind) const;

private:
    TDrawOp& Add(TDrawOpKind kind);
    struct TClipState {
        bool Clipped;
        TRect Clip;
        size_t ExcludedCount;
    };
    std::vector<TClipState> FSaved;
    bool FClipped = false;
    TRect FClip{};
    TFontHandle FFont = 0;
    int32_t FWidth = 0, FHeight = 0;
};
