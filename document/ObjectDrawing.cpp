// Drawing an embedded object on a drawing surface: its picture where the system draws pictures, else
// its outlined box.
#include "document/ObjectDrawing.h"

void DrawObjectOnSurface(TDrawSurface& surface, TDocObject& object, const TObjectPlacement& placement)
{
    if (DrawObjectPicture(surface, object, placement))
        return;
    const TPoint frame[5] = {{placement.Left, placement.Top},
                             {placement.Right - 1, placement.Top},
                             {placement.Right - 1, placement.Bottom - 1},
                             {placement.Left, placement.Bottom - 1},
                             {placement.Left, placement.Top}};
    surface.Polyline(frame, 5, 0, 1);
}
