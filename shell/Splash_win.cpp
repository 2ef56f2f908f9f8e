// The version resource, the splash window and the about box.
#include "shell/Splash.h"

#include <vector>

#include "classlib/runtime/Format.h"
#include "classlib/windowing/StdCtrls.h"
#include "core/Events.h"
#include "core/Instance.h"
#include "core/Options.h"
#include "core/Version.h"

TSplashWindow* SplashWindow = nullptr;

void ReadVersionInfo()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size) {
        std::vector<char> data(size);
        char* value = nullptr;
        UINT length = 0;
        if (GetFileVersionInfoA(path, 0, size, data.data()) &&
            VerQueryValueA(data.data(), "\\StringFileInfo\\040904E4\\FileVersion",
                           reinterpret_cast<void**>(&value), &length) &&
            length > 0)
            VersionString.assign(value, strnlen(value, length));
    }
    EditionString = EditionOfVersion(VersionString);
}

namespace {

constexpr int SplashWidth = 420;
constexpr int SplashHeight = 220;

} // namespace

TSplashWindow::TSplashWindow(TComponent* owner) : TForm(owner)
{
    SetBorderStyle(bsNone);
    Position = poScreenCenter;
    SetBounds(0, 0, SplashWidth, SplashHeight);
}

void TSplashWindow::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND: message.Result = 1; return;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        RECT r;
        GetClientRect(Handle(), &r);
        // The picture: a plain panel with the program's name and version.
        HBRUSH back = CreateSolidBrush(RGB(0x1F, 0x3A, 0x5F));
        FillRect(dc, &r, back);
        DeleteObject(back);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        HFONT font =
            CreateFontA(-36, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
        HGDIOBJ old = SelectObject(dc, font);
        RECT title = {r.left, r.top + 50, r.right, r.top + 110};
        DrawTextA(dc, "Quillpad 1.5", -1, &title, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
        SelectObject(dc, old);
        DeleteObject(font);
        font = CreateFontA(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
        old = SelectObject(dc, font);
        RECT line = {r.left, r.top + 120, r.right, r.top + 150};
        DrawTextA(dc, "Traitement de texte", -1, &line, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
        SelectObject(dc, old);
        DeleteObject(font);
        // The frame around the client area.
        HBRUSH frame = CreateSolidBrush(0xC0C0C0);
        FrameRect(dc, &r, frame);
        DeleteObject(frame);
        EndPaint(Handle(), &ps);
        return;
    }
    }
    TForm::WndProc(message);
}

void ShowSplash()
{
    SplashWindow = new TSplashWindow(nullptr);
    SplashWindow->Show();
    SplashWindow->Update();
}

void CloseSplash()
{
    if (SplashWindow) {
        SplashWindow->Release();
        SplashWindow = nullptr;
    }
}

std::string AboutText(const std::string& version, bool strongCipher)
{
    return Format("Quillpad version %s||Chiffrement des documents : %d bits||||"
                  "Vérification orthographique : moteur d'orthographe externe.||"
                  "Images JPEG : bibliothèque JPEG de l'Independent JPEG Group.",
                  version, strongCipher ? 256 : 128);
}

namespace {

class TAboutForm : public TForm {
public:
    explicit TAboutForm(TComponent* owner) : TForm(owner)
    {
        SetBorderStyle(bsDialog);
        SetCaption("À propos d'Quillpad");
        Position = poScreenCenter;
        SetClientSize(380, 170);
        KeyPreview = true;
        Lbl = new TLabel(this);
        Lbl->SetParent(this);
        Lbl->SetBounds(16, 16, 348, 138);
        std::string text = AboutText(VersionString, CurrentOptions().LoadSave.CipherStrength);
        for (size_t at; (at = text.find("||")) != std::string::npos;)
            text.replace(at, 2, "\r\n");
        Lbl->SetCaption(text);
        Lbl->OnClick = [this](TComponent*) { ModalResult = mrOk; };
        OnKeyDown = [this](TComponent*, WORD& key, uint32_t) {
            if (key == VK_ESCAPE)
                ModalResult = mrCancel;
        };
    }

protected:
    void WndProc(TMessage& message) override
    {
        if (message.Msg == WM_LBUTTONUP) {
            ModalResult = mrOk;
            return;
        }
        TForm::WndProc(message);
        if (message.Msg == WM_PAINT || message.Msg == WM_NCPAINT) {
            HDC dc = GetDC(Handle());
            RECT r;
            GetClientRect(Handle(), &r);
            HBRUSH frame = CreateSolidBrush(0x800000);
            FrameRect(dc, &r, frame);
            DeleteObject(frame);
            ReleaseDC(Handle(), dc);
        }
    }

private:
    TLabel* Lbl;
};

} // namespace

void ShowAboutBox()
{
    TriggerEvent(9000);
    TAboutForm form(nullptr);
    form.ShowModal();
}
