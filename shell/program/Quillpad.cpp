// The program's entry point: until start-up is built, a window that shows the build works.
#include <windows.h>

#include "core/CmdLine.h"
#include "dialogs/OneShotSwitches.h"

static LRESULT CALLBACK MainProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        const char text[] = "Quillpad : traitement de texte en préparation.";
        TextOutA(dc, 20, 20, text, sizeof(text) - 1);
        EndPaint(wnd, &ps);
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int show)
{
    LoadCommandLine();
    if (RunOneShotSwitches())
        return 0;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MainProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "TQuillpadMainForm";
    RegisterClassA(&wc);
    HWND wnd = CreateWindowA(wc.lpszClassName, "Quillpad", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                             640, 480, nullptr, nullptr, inst, nullptr);
    ShowWindow(wnd, show);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
