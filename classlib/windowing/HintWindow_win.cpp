// The hint window: a pop-up of its own class that paints its text in the tooltip colours.
#include "classlib/windowing/HintWindow.h"

namespace {

constexpr int kMargin = 3;

HFONT HintFont()
{
    static HFONT font = [] {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        return CreateFontIndirectA(&metrics.lfStatusFont);
    }();
    return font;
}

} // namespace

THintWindow::~THintWindow()
{
    if (FHandle)
        DestroyWindow(FHandle);
}

SIZE THintWindow::CalcHintSize(const std::string& text)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, HintFont());
    RECT r = {0, 0, 400, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {r.right + 2 * kMargin + 2, r.bottom + 2 * kMargin + 2};
}

void THintWindow::ActivateHint(int left, int top, const std::string& text)
{
    if (!FHandle) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSA wc{};
        if (!GetClassInfoA(instance, "QuillpadHintWindow", &wc)) {
            wc.style = CS_SAVEBITS;
            wc.lpfnWndProc = WndProc;
            wc.hInstance = instance;
            wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
            wc.lpszClassName = "QuillpadHintWindow";
            RegisterClassA(&wc);
        }
        FHandle = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "QuillpadHintWindow", "",
                                  WS_POPUP | WS_BORDER, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
        SetWindowLongPtrA(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    FText = text;
    SetWindowTextA(FHandle, text.c_str());
    const SIZE size = CalcHintSize(text);
    SetWindowPos(FHandle, HWND_TOPMOST, left, top, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(FHandle, nullptr, TRUE);
}

void THintWindow::Hide()
{
    if (FHandle)
        ShowWindow(FHandle, SW_HIDE);
}

void THintWindow::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(FHandle, &ps);
    RECT r;
    GetClientRect(FHandle, &r);
    HBRUSH back = CreateSolidBrush(GetSysColor(COLOR_INFOBK));
    FillRect(dc, &r, back);
    DeleteObject(back);
    HGDIOBJ old = SelectObject(dc, HintFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    InflateRect(&r, -kMargin, -kMargin);
    DrawTextA(dc, FText.c_str(), static_cast<int>(FText.size()), &r, DT_NOPREFIX | DT_WORDBREAK);
    SelectObject(dc, old);
    EndPaint(FHandle, &ps);
}

LRESULT CALLBACK THintWindow::WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* self = reinterpret_cast<THintWindow*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    switch (msg) {
    case WM_PAINT:
        if (self) {
            self->Paint();
            return 0;
        }
        break;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_NCHITTEST: return HTTRANSPARENT;
    default: break;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}
