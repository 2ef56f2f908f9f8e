// The tab row: tabs as trapezia side by side from the left, the selected one raised and joined to the
// window above it.
#include "classlib/windowing/TabSet.h"

#include <algorithm>

namespace {

constexpr int TabSlant = 6;   // pixels by which a tab's sides lean
constexpr int TabPadding = 6; // between a tab's text and its sides

} // namespace

TTabSet::TTabSet(TComponent* owner) : TCustomControl(owner)
{
    SetBounds(0, 0, 200, 20);
}

void TTabSet::SetTabs(const std::vector<std::string>& tabs)
{
    FTabs = tabs;
    FTabIndex = -1;
    Invalidate();
}

void TTabSet::SetTabIndex(int index)
{
    FTabIndex = index >= 0 && index < int(FTabs.size()) ? index : -1;
    Invalidate();
}

RECT TTabSet::TabRect(int index)
{
    RECT r{0, 0, 0, 0};
    if (index < 0 || index >= int(FTabs.size()))
        return r;
    HDC dc = GetDC(HandleAllocated() ? Handle() : nullptr);
    HGDIOBJ old = SelectObject(dc, Font().Handle());
    int x = 4;
    for (int i = 0; i <= index; ++i) {
        SIZE size{};
        GetTextExtentPoint32A(dc, FTabs[size_t(i)].c_str(), int(FTabs[size_t(i)].size()), &size);
        const int width = int(size.cx) + 2 * (TabPadding + TabSlant);
        if (i == index)
            r = RECT{x, 0, x + width, Height()};
        x += width - TabSlant;
    }
    SelectObject(dc, old);
    ReleaseDC(HandleAllocated() ? Handle() : nullptr, dc);
    return r;
}

int TTabSet::TabAt(int x, int y)
{
    if (y < 0 || y >= Height())
        return -1;
    // The selected tab lies above its neighbours where they overlap.
    if (FTabIndex >= 0) {
        const RECT r = TabRect(FTabIndex);
        if (x >= r.left && x < r.right)
            return FTabIndex;
    }
    for (int i = 0; i < int(FTabs.size()); ++i) {
        const RECT r = TabRect(i);
        if (x >= r.left && x < r.right)
            return i;
    }
    return -1;
}

void TTabSet::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN: {
        const int index = TabAt(int16_t(LOWORD(message.LParam)), int16_t(HIWORD(message.LParam)));
        if (index >= 0) {
            SetTabIndex(index);
            if (OnTabClick)
                OnTabClick(*this, index);
        }
        message.Result = 0;
        return;
    }
    case WM_LBUTTONDBLCLK: {
        const int index = TabAt(int16_t(LOWORD(message.LParam)), int16_t(HIWORD(message.LParam)));
        if (index >= 0 && OnTabDblClick)
            OnTabDblClick(*this, index);
        message.Result = 0;
        return;
    }
    default: break;
    }
    TCustomControl::WndProc(message);
}

void TTabSet::Paint()
{
    TCanvas& canvas = Canvas();
    HDC dc = canvas.Handle();
    RECT all{0, 0, Width(), Height()};
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(all);
    // The line that joins the tabs to the window above.
    canvas.Pen().SetColor(clSystemColor | COLOR_BTNSHADOW);
    canvas.MoveTo(0, 0);
    canvas.LineTo(Width(), 0);
    canvas.Font().Assign(Font());
    SetBkMode(dc, TRANSPARENT);
    auto drawTab = [&](int i) {
        const RECT r = TabRect(i);
        const bool selected = i == FTabIndex;
        const int bottom = Height() - 2;
        POINT shape[4] = {{r.left, selected ? 0 : 1},
                          {r.left + TabSlant, bottom},
                          {r.right - TabSlant, bottom},
                          {r.right, selected ? 0 : 1}};
        canvas.Brush().SetColor(selected ? clWindow : clBtnFace);
        canvas.Pen().SetColor(clWindowText);
        HGDIOBJ oldBrush = SelectObject(dc, canvas.Brush().Handle());
        HGDIOBJ oldPen = SelectObject(dc, canvas.Pen().Handle());
        Polygon(dc, shape, 4);
        if (selected) {
            // No line between the selected tab and the window.
            canvas.Pen().SetColor(clWindow);
            SelectObject(dc, canvas.Pen().Handle());
            MoveToEx(dc, r.left + 1, 0, nullptr);
            LineTo(dc, r.right, 0);
        }
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        RECT text{r.left + TabSlant, 1, r.right - TabSlant, bottom};
        SetTextColor(dc, ColorToRGB(clWindowText));
        canvas.DrawText(FTabs[size_t(i)], text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    };
    // From the right so that each tab overlaps the one after it; the selected one last, on top.
    for (int i = int(FTabs.size()) - 1; i >= 0; --i)
        if (i != FTabIndex)
            drawTab(i);
    if (FTabIndex >= 0)
        drawTab(FTabIndex);
}
