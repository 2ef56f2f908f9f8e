// The recording drawing surface.
#include "core/RecordingSurface.h"

TDrawOp& TRecordingSurface::Add(TDrawOpKind kind)
{
    TDrawOp& op = Ops.emplace_back();
    op.Kind = kind;
    op.Clipped = FClipped;
    op.Clip = FClip;
    op.Font = FFont;
    return op;
}

void TRecordingSurface::FillRect(const TRect& r, TColorRef color)
{
    TDrawOp& op = Add(TDrawOpKind::Fill);
    op.Rect = r;
    op.Color = color;
}

void TRecordingSurface::InvertRect(const TRect& r)
{
    Add(TDrawOpKind::Invert).Rect = r;
}

void TRecordingSurface::InvertPolygon(const TPoint (&corners)[4])
{
    Add(TDrawOpKind::InvertPolygon).Points.assign(corners, corners + 4);
}

void TRecordingSurface::SetPixel(int32_t x, int32_t y, TColorRef color)
{
    TDrawOp& op = Add(TDrawOpKind::Pixel);
    op.Rect = TRect{x, y, x + 1, y + 1};
    op.Color = color;
}

void TRecordingSurface::Polyline(const TPoint* points, int32_t count, TColorRef color, int32_t width)
{
    TDrawOp& op = Add(TDrawOpKind::Polyline);
    op.Points.assign(points, points + count);
    op.Color = color;
    op.Width = width;
}

void TRecordingSurface::FocusRect(const TRect& r, bool inverted)
{
    TDrawOp& op = Add(TDrawOpKind::Focus);
    op.Rect = r;
    op.Inverted = inverted;
}

void TRecordingSurface::WriteText(int32_t x, int32_t y, std::string_view text, const int32_t* advances,
                                  TColorRef color, const TRect* clip)
{
    TDrawOp& op = Add(TDrawOpKind::Text);
    op.Rect = TRect{x, y, x, y};
    op.Text.assign(text);
    if (advances)
        op.Advances.assign(advances, advances + text.size());
    op.Color = color;
    if (clip) {
        op.Clip = op.Clipped ? op.Clip : *clip;
        op.Clipped = true;
        IntersectRectInPlace(op.Clip, *clip);
    }
}

void TRecordingSurface::SaveClip()
{
    FSaved.push_back(TClipState{FClipped, FClip, Excluded.size()});
}

void TRecordingSurface::RestoreClip()
{
    if (FSaved.empty())
        return;
    FClipped = FSaved.back().Clipped;
    FClip = FSaved.back().Clip;
    Excluded.resize(FSaved.back().ExcludedCount);
    FSaved.pop_back();
}

void TRecordingSurface::IntersectClip(const TRect& r)
{
    if (!FClipped) {
        FClip = r;
        FClipped = true;
    } else if (!IntersectRectInPlace(FClip, r)) {
        FClip = TRect{0, 0, 0, 0};
    }
}

void TRecordingSurface::ExcludeClip(const TRect& r)
{
    Excluded.push_back(r);
}

void TRecordingSurface::CopyFrom(TDrawSurface&, const TRect& from, int32_t x, int32_t y)
{
    Add(TDrawOpKind::Copy).Rect = TRect{x, y, x + from.Right - from.Left, y + from.Bottom - from.Top};
}

void TRecordingSurface::SetSize(int32_t width, int32_t height)
{
    FWidth = width;
    FHeight = height;
}

std::vector<std::string> TRecordingSurface::Texts() const
{
    std::vector<std::string> texts;
    for (const TDrawOp& op : Ops)
        if (op.Kind == TDrawOpKind::Text)
            texts.push_back(op.Text);
    return texts;
}

std::vector<TPoint> TRecordingSurface::Pixels(TColorRef color) const
{
    std::vector<TPoint> pixels;
    for (const TDrawOp& op : Ops)
        if (op.Kind == TDrawOpKind::Pixel && op.Color == color)
            pixels.push_back(TPoint{op.Rect.Left, op.Rect.Top});
    return pixels;
}

std::vector<const TDrawOp*> TRecordingSurface::OfKind(TDrawOpKind kind) const
{
    std::vector<const TDrawOp*> ops;
    for (const TDrawOp& op : Ops)
        if (op.Kind == kind)
            ops.push_back(&op);
    return ops;
}
