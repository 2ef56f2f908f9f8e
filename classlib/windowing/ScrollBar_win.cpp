// The scroll bar controls: their state kept here and given to the system bar whenever either changes.
#include "classlib/windowing/ScrollBar.h"

#include <algorithm>

TScrollBar::TScrollBar(TComponent* owner, bool vertical) : TControl(owner), FVertical(vertical)
{
    const int thickness = GetSystemMetrics(vertical ? SM_CXVSCROLL : SM_CYHSCROLL);
    SetBounds(0, 0, vertical ? thickness : 120, vertical ? 120 : thickness);
}

void TScrollBar::CreateParams(TCreateParams& params)
{
    TControl::CreateParams(params);
    params.ClassName = FVertical ? "QuillpadVScrollBar" : "QuillpadHScrollBar";
    params.SystemClass = "SCROLLBAR";
    params.Style |= FVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::CreateWnd()
{
    TControl::CreateWnd();
    Apply();
}

void TScrollBar::SetRange(int min, int max)
{
    FMin = min;
    FMax = std::max(min, max);
    FPosition = std::clamp(FPosition, FMin, FMax);
    Apply();
}

void TScrollBar::SetPageSize(int pageSize)
{
    FPageSize = std::max(0, pageSize);
    Apply();
}

void TScrollBar::SetPosition(int position)
{
    FPosition = std::clamp(position, FMin, FMax);
    Apply();
}

void TScrollBar::Apply()
{
    if (!HandleAllocated())
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = FMin;
    info.nMax = FMax;
    info.nPage = static_cast<UINT>(FPageSize);
    info.nPos = FPosition;
    SetScrollInfo(Handle(), SB_CTL, &info, TRUE);
}

void TScrollBar::Scroll(int code)
{
    int position = FPosition;
    switch (code) {
    case SB_LINEUP: position -= SmallChange; break;
    case SB_LINEDOWN: position += SmallChange; break;
    case SB_PAGEUP: position -= LargeChange; break;
    case SB_PAGEDOWN: position += LargeChange; break;
    case SB_TOP: position = FMin; break;
    case SB_BOTTOM: position = FMax; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(Handle(), SB_CTL, &info);
        position = std::clamp(info.nTrackPos, FMin, FMax);
        if (code == SB_THUMBTRACK)
            Tracking(position);
        break;
    }
    default: return;
    }
    position = std::clamp(position, FMin, FMax);
    if (position == FPosition)
        return;
    SetPosition(position);
    if (OnChange)
        OnChange(this);
}

void TScrollBar::WndProc(TMessage& message)
{
    if (message.Msg == CN_HSCROLL || message.Msg == CN_VSCROLL) {
        Scroll(LOWORD(message.WParam));
        message.Result = 0;
        return;
    }
    TControl::WndProc(message);
}

TScrollBar95::TScrollBar95(TComponent* owner, bool vertical) : TScrollBar(owner, vertical)
{
    SetPageSize(18);
}

void TScrollBar95::Tracking(int position)
{
    if (OnTrackBarDragEvent)
        OnTrackBarDragEvent(this, position);
}

void TScrollBar95::WndProc(TMessage& message)
{
    TScrollBar::WndProc(message);
    if ((message.Msg == WM_CANCELMODE ||
         (message.Msg == WM_CAPTURECHANGED && reinterpret_cast<HWND>(message.LParam) != Handle())) &&
        OnCancelMode)
        OnCancelMode(this);
}
