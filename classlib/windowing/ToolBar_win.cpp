// The toolbar row and its buttons, drawn by the library.
#include "classlib/windowing/ToolBar.h"

TToolButton::TToolButton(TComponent* owner) : TCustomControl(owner)
{
    SetBounds(0, 0, 23, 22);
}

void TToolButton::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.ClassName = "QuillpadToolButton";
}

void TToolButton::SetDown(bool down)
{
    if (down == FDown)
        return;
    FDown = down;
    Invalidate();
}

void TToolButton::SetMixed(bool mixed)
{
    if (mixed == FMixed)
        return;
    FMixed = mixed;
    Invalidate();
}

void TToolButton::Click()
{
    if (!Separator && Enabled())
        TCustomControl::Click();
}

void TToolButton::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_MOUSEMOVE: {
        if (!FHot && !Separator) {
            FHot = true;
            TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, Handle(), 0};
            TrackMouseEvent(&track);
            Invalidate();
        }
        break;
    }
    case WM_MOUSELEAVE:
        FHot = false;
        Invalidate();
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (Separator || !Enabled())
            return;
        FPressing = true;
        FOnArrow = DropDownArrow && static_cast<short>(LOWORD(message.LParam)) >= Width() - ArrowWidth;
        SetCapture(Handle());
        Invalidate();
        if (FOnArrow) {
            // The menu opens at once, under the button; it ends the capture.
            FPressing = false;
            ReleaseCapture();
            if (OnDropDown)
                OnDropDown(this);
            Invalidate();
        }
        return;
    case WM_LBUTTONUP:
        if (FPressing) {
            FPressing = false;
            ReleaseCapture();
            const int x = static_cast<short>(LOWORD(message.LParam));
            const int y = static_cast<short>(HIWORD(message.LParam));
            Invalidate();
            if (x >= 0 && y >= 0 && x < Width() && y < Height())
                Click();
        }
        return;
    case WM_CAPTURECHANGED:
        if (FPressing) {
            FPressing = false;
            Invalidate();
        }
        break;
    }
    TCustomControl::WndProc(message);
}

void TToolButton::Paint()
{
    TCanvas& canvas = Canvas();
    HDC dc = canvas.Handle();
    RECT r = {0, 0, Width(), Height()};
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(r);
    if (Separator) {
        RECT groove = {Width() / 2 - 1, 1, Width() / 2 + 1, Height() - 1};
        DrawEdge(dc, &groove, EDGE_ETCHED, BF_LEFT);
        return;
    }
    const bool sunken = FDown || (FPressing && FHot);
    if (FDown && !FPressing) {
        // A pressed state button shows a lighter, dithered face.
        canvas.Brush().SetColor(clSystemColor | COLOR_3DHILIGHT);
        RECT inner = {1, 1, Width() - 1, Height() - 1};
        canvas.FillRect(inner);
    }
    if (sunken)
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    else if (!Flat || (FHot && Enabled()))
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    if (FMixed && !sunken) {
        RECT inner = {1, 1, Width() - 1, Height() - 1};
        DrawEdge(dc, &inner, BDR_SUNKENOUTER, BF_RECT | BF_FLAT);
    }
    const int arrow = DropDownArrow ? ArrowWidth : 0;
    const int offset = sunken ? 1 : 0;
    int imageWidth = 0, imageHeight = 0;
    HIMAGELIST list = Enabled() || !DisabledImages ? Images : DisabledImages;
    if (list)
        ImageList_GetIconSize(list, &imageWidth, &imageHeight);
    const bool withText = !Text.empty();
    const int x = withText ? 4 : (Width() - arrow - imageWidth) / 2;
    const int y = (Height() - imageHeight) / 2;
    if (list && ImageIndex >= 0)
        ImageList_Draw(list, ImageIndex, dc, x + offset, y + offset, ILD_TRANSPARENT);
    if (OnDrawImage) {
        RECT area = {x + offset, y + offset, x + offset + imageWidth, y + offset + imageHeight};
        OnDrawImage(canvas, area);
    }
    if (withText) {
        RECT textRect = {x + imageWidth + 6 + offset, offset, Width() - arrow, Height() + offset};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        DrawTextA(dc, Text.c_str(), -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        SelectObject(dc, old);
    }
    if (DropDownArrow) {
        const int ax = Width() - arrow + 3 + offset, ay = Height() / 2 - 1 + offset;
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(Enabled() ? BLACK_PEN : WHITE_PEN));
        for (int i = 0; i < 3; ++i) {
            MoveToEx(dc, ax + i, ay + i, nullptr);
            LineTo(dc, ax + 5 - i, ay + i);
        }
        SelectObject(dc, oldPen);
        if (FHot && Flat) {
            RECT split = {Width() - arrow, 0, Width() - arrow + 2, Height()};
            DrawEdge(dc, &split, EDGE_ETCHED, BF_LEFT);
        }
    }
}

TToolBar::TToolBar(TComponent* owner) : TCustomControl(owner)
{
    SetBounds(0, 0, 200, 26);
}

void TToolBar::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.ClassName = "QuillpadToolBar";
    params.ExStyle |= WS_EX_CONTROLPARENT;
    params.Style |= WS_CLIPCHILDREN;
}

void TToolBar::WndProc(TMessage& message)
{
    // The buttons leave the context menu to their row.
    if (message.Msg == WM_CONTEXTMENU && OnContextMenu) {
        int x = static_cast<short>(LOWORD(message.LParam)), y = static_cast<short>(HIWORD(message.LParam));
        if (x == -1 && y == -1) {
            POINT p = {0, Height()};
            ClientToScreen(Handle(), &p);
            x = p.x;
            y = p.y;
        }
        OnContextMenu(x, y);
        return;
    }
    TCustomControl::WndProc(message);
}

void TToolBar::Paint()
{
    RECT r = {0, 0, Width(), Height()};
    Canvas().Brush().SetColor(clBtnFace);
    Canvas().FillRect(r);
    DrawEdge(Canvas().Handle(), &r, EDGE_ETCHED, BF_TOP);
}
