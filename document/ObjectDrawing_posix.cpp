// Where the system draws no pictures, objects show as their boxes.
#include "document/ObjectDrawing.h"

bool DrawObjectPicture(TDrawSurface&, TDocObject&, const TObjectPlacement&)
{
    return false;
}
