// Drawing an embedded object's picture on a drawing surface.
#pragma once
#include "core/DrawSurface.h"
#include "document/DocObjects.h"

// Draws the object's picture (or its placeholder) in the placement's box; where the surface has no
// device context only the box is outlined.
void DrawObjectOnSurface(TDrawSurface& surface, TDocObject& object, const TObjectPlacement& placement);
// Draws the picture through the surface's device context; false where there is none.
bool DrawObjectPicture(TDrawSurface& surface, TDocObject& object, const TObjectPlacement& placement);
