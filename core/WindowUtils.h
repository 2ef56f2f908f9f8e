// Window geometry helpers: regions, points between controls, the work area and the mouse position.
#pragma once
#include "codecs/Geometry.h"
#include "core/Handles.h"

class TControl;

// The region becomes the region minus the rectangle.
void ExcludeRectFromRgn(const TRect& rect, TRegionHandle& region);
// A point in one control's client coordinates converted to another's, through the screen.
TPoint MapControlPoint(TControl* fromControl, TControl* toControl, TPoint point);
// A rectangle in the main window's placement coordinates (the work area) moved to screen coordinates.
TRect WorkAreaToScreenRect(const TRect& rect);
// The mouse position on the screen.
TPoint GetCursorPosition();
// The mouse position in the control's client coordinates.
TPoint GetCursorPosInControl(TControl* control);
