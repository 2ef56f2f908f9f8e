// The parts of the drawing surface that need no system.
#include "core/DrawSurface.h"

#include <algorithm>

TDrawSurface::~TDrawSurface() = default;

void DrawLine(TDrawSurface& s, int32_t x1, int32_t y1, int32_t x2, int32_t y2, TColorRef color)
{
    if (x1 == x2 || y1 == y2) {
        s.FillRect(TRect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1},
                   color);
        return;
    }
    // The system leaves the last point out: one more step past it draws both ends.
    const TPoint points[2] = {{x1, y1}, {x2 + (x2 > x1 ? 1 : -1), y2 + (y2 > y1 ? 1 : -1)}};
    s.Polyline(points, 2, color, 1);
}
