// The background window: its gradient, its title and the run of the wizard.
#include "setup/BackgroundForm.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "setup/InstallLog.h"
#include "setup/SetupSystem.h"
#include "setup/Wizard.h"

namespace {
constexpr int GradientWidth = 378, GradientHeight = 96;

int MulDivRound(int a, int b, int c)
{
    return static_cast<int>((static_cast<long long>(a) * b * 2 + c) / (2 * c));
}
} // namespace

TMainForm::TMainForm(TComponent* owner) : TForm(owner)
{
    SetCaption(SetupTitle);
    SetBorderStyle(bsNone);
    SetBounds(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    HDC screen = GetDC(nullptr);
    bool deep = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES) >= 17;
    SetColor(deep ? RGB(0, 0, 208) : RGB(0, 0, 128));
    if (deep) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = GradientWidth;
        info.bmiHeader.biHeight = -GradientHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        std::vector<uint8_t> bits(size_t((GradientWidth * 3 + 3) & ~3) * GradientHeight);
        for (int y = 0; y < GradientHeight; ++y)
            for (int x = 0; x < GradientWidth; ++x) {
                int fade =
                    255 - std::max(MulDivRound(255, x, GradientWidth), MulDivRound(255, y, GradientHeight));
                uint8_t* p = bits.data() + size_t(y) * ((GradientWidth * 3 + 3) & ~3) + size_t(x) * 3;
                p[0] = 208, p[1] = uint8_t(fade), p[2] = uint8_t(fade);
            }
        FGradient = CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, bits.data(), &info, DIB_RGB_COLORS);
    }
    ReleaseDC(nullptr, screen);
    OnCloseQuery = [this](TComponent*, bool& canClose) { canClose = FClosingAllowed; };
}

TMainForm::~TMainForm()
{
    if (FGradient)
        DeleteObject(FGradient);
}

void TMainForm::Paint(HDC dc)
{
    if (FGradient) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, FGradient);
        BitBlt(dc, 0, 0, GradientWidth, GradientHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    HFONT font = CreateFontA(-MulDiv(24, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_BOLD, TRUE, FALSE,
                             FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    const char text[] = "Quillpad Bright Ink";
    SetTextColor(dc, FGradient ? RGB(0, 0, 160) : RGB(0, 0, 255));
    TextOutA(dc, 23, 19, text, sizeof(text) - 1);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, 19, 15, text, sizeof(text) - 1);
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

void TMainForm::RunWizard()
{
    {
        auto wizard = std::make_unique<TMainDlgForm>(nullptr);
        wizard->Background = this;
        try {
            wizard->ShowModal();
        } catch (const Exception& e) {
            Application->ShowException(e);
        }
        // The worker stops after its file when the user cancelled; the log then holds what was written.
        wizard->JoinWorker();
        if (InstallLog.IsOpen())
            SaveInstallation(wizard->Choices);
    }
    FClosingAllowed = true;
    Close();
}

void TMainForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_CREATE:
        TForm::WndProc(message);
        SetTimer(Handle(), 1, 10, nullptr);
        return;
    case WM_TIMER:
        KillTimer(Handle(), 1);
        RunWizard();
        return;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        Paint(dc);
        EndPaint(Handle(), &ps);
        return;
    }
    case WM_MOUSEACTIVATE: message.Result = MA_NOACTIVATE; return;
    }
    TForm::WndProc(message);
}
