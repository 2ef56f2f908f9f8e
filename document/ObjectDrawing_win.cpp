// Drawing an object's picture through a surface's device context.
#include "document/ObjectDrawing.h"

bool DrawObjectPicture(TDrawSurface& surface, TDocObject& object, const TObjectPlacement& placement)
{
    if (!surface.Handle() || !object.Image)
        return false;
    object.Image->Draw(surface.Handle(), placement);
    return true;
}
