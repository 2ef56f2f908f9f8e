// Points and rectangles of the engine, in whatever unit their user works (pixels or twips).
#pragma once
#include <cstdint>
#include <type_traits>

struct TPoint {
    int32_t X;
    int32_t Y;
};

// Left and top inside, right and bottom outside.
struct TRect {
    int32_t Left;
    int32_t Top;
    int32_t Right;
    int32_t Bottom;
};

static_assert(sizeof(TPoint) == 8 && std::is_trivially_copyable_v<TPoint>);
static_assert(sizeof(TRect) == 16 && std::is_trivially_copyable_v<TRect>);

inline bool SamePoint(const TPoint& a, const TPoint& b)
{
    return a.X == b.X && a.Y == b.Y;
}

// Clips Rect to Clip side by side; true when something is left.
inline bool IntersectRectInPlace(TRect& rect, const TRect& clip)
{
    if (rect.Left < clip.Left)
        rect.Left = clip.Left;
    if (rect.Top < clip.Top)
        rect.Top = clip.Top;
    if (rect.Right > clip.Right)
        rect.Right = clip.Right;
    if (rect.Bottom > clip.Bottom)
        rect.Bottom = clip.Bottom;
    return rect.Right > rect.Left && rect.Bottom > rect.Top;
}
