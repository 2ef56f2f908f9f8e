// Window geometry helpers over the system's regions, window placement and cursor.
#include "core/WindowUtils.h"

#include <windows.h>

#include "classlib/windowing/Forms.h"

void ExcludeRectFromRgn(const TRect& rect, TRegionHandle& region)
{
    const TGdiObject<HRGN> cut(CreateRectRgn(rect.Left, rect.Top, rect.Right, rect.Bottom));
    if (cut)
        CombineRgn(reinterpret_cast<HRGN>(region), reinterpret_cast<HRGN>(region), cut.get(), RGN_DIFF);
}

TPoint MapControlPoint(TControl* fromControl, TControl* toControl, TPoint point)
{
    POINT p = {point.X, point.Y};
    ClientToScreen(fromControl->Handle(), &p);
    ScreenToClient(toControl->Handle(), &p);
    return {p.x, p.y};
}

TRect WorkAreaToScreenRect(const TRect& rect)
{
    TRect result = rect;
    if (!Application || !Application->MainForm)
        return result;
    HWND wnd = Application->MainForm->Handle();
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    RECT screen;
    if (!GetWindowPlacement(wnd, &placement) || !GetWindowRect(wnd, &screen))
        return result;
    // Only a normal (restored) window has the same rectangle in both systems but for the offset.
    int dx = screen.left - placement.rcNormalPosition.left;
    int dy = screen.top - placement.rcNormalPosition.top;
    result.Left += dx;
    result.Right += dx;
    result.Top += dy;
    result.Bottom += dy;
    return result;
}

TPoint GetCursorPosition()
{
    POINT p = {0, 0};
    GetCursorPos(&p);
    return {p.x, p.y};
}

TPoint GetCursorPosInControl(TControl* control)
{
    POINT p = {0, 0};
    GetCursorPos(&p);
    ScreenToClient(control->Handle(), &p);
    return {p.x, p.y};
}
