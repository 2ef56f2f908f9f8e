// The document bar's buttons: their layout, captions, painting and clicks.
#include "shell/DocBar.h"

#include <algorithm>

#include <shellapi.h>

#include "classlib/runtime/Files.h"
#include "core/PathUtils.h"
#include "core/ShellUtils.h"
#include "shell/ToolbarManager.h"

namespace {

int S(int pixels)
{
    return ScaleToScreen(pixels);
}

// The command whose toolbar picture the piggy bank's button shows.
constexpr int32_t PiggyBankCommand = 3440;

uintptr_t FileIcon(const std::string& fileName)
{
    SHFILEINFOA info{};
    // A file not written yet is asked for by its kind alone.
    const UINT byKind = FileExists(fileName) ? 0 : SHGFI_USEFILEATTRIBUTES;
    if (!SHGetFileInfoA(fileName.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                        SHGFI_ICON | SHGFI_SMALLICON | byKind))
        return 0;
    return reinterpret_cast<uintptr_t>(info.hIcon);
}

} // namespace

std::string FitButtonCaption(const std::string& caption, int width,
                             const std::function<int(const std::string&)>& textWidth)
{
    if (textWidth(caption) <= width - 28)
        return caption;
    std::string text = caption;
    while (!text.empty() && textWidth(text + "...") > width - 38) {
        const bool pair = text.size() >= 2 && text[text.size() - 1] == '&' && text[text.size() - 2] == '&';
        text.erase(text.size() - (pair ? 2 : 1));
    }
    return text + "...";
}

TButtonBar::TButtonBar(TComponent* owner) : TCustomControl(owner) {}

TButtonBar::~TButtonBar()
{
    while (!Buttons.empty())
        RemoveButton(ButtonCount() - 1);
}

void TButtonBar::AddDocument(TDocument* document, const std::string& fileName, bool piggyBank)
{
    const size_t slash = fileName.find_last_of("\\/");
    Buttons.push_back({document,
                       EscapeAmpersands(slash == std::string::npos ? fileName : fileName.substr(slash + 1)),
                       piggyBank ? 0 : FileIcon(fileName)});
    Active = document;
    UpdateLayout(true);
}

void TButtonBar::RenameDocument(const TDocument* document, const std::string& fileName)
{
    const int index = IndexOfDocument(document);
    if (index < 0)
        return;
    const size_t slash = fileName.find_last_of("\\/");
    TButton& button = Buttons[static_cast<size_t>(index)];
    button.Caption = EscapeAmpersands(slash == std::string::npos ? fileName : fileName.substr(slash + 1));
    // The piggy bank keeps its picture; any other button takes the icon of its new kind of file.
    if (button.Icon) {
        DestroyIcon(reinterpret_cast<HICON>(button.Icon));
        button.Icon = FileIcon(fileName);
    }
    Invalidate();
}

void TButtonBar::RemoveButton(int index)
{
    if (index < 0 || index >= ButtonCount())
        return;
    const TButton& button = Buttons[static_cast<size_t>(index)];
    if (button.Document == Active)
        Active = nullptr;
    if (button.Icon)
        DestroyIcon(reinterpret_cast<HICON>(button.Icon));
    Buttons.erase(Buttons.begin() + index);
    UpdateLayout(false);
}

int TButtonBar::IndexOfDocument(const TDocument* document) const
{
    for (int i = 0; i < ButtonCount(); ++i)
        if (Buttons[static_cast<size_t>(i)].Document == document)
            return i;
    return -1;
}

void TButtonBar::SetActiveDocument(TDocument* document)
{
    if (Active == document)
        return;
    Active = document;
    UpdateLayout(true);
}

void TButtonBar::UpdateLayout(bool keepActiveVisible)
{
    const int n = ButtonCount();
    const int width = Width();
    if (S(n * 80 + 4) < width || n == 0) {
        VisibleCount = std::max(1, std::min(n, (width - S(4)) / S(80)));
        ButtonWidth = std::min((width - S(32)) / VisibleCount, 160);
        FirstVisible = 0;
        ScrollButtonsShown = false;
    } else {
        const bool crowded = (n * S(80) + 2 * S(2)) / std::max(width, 1) >= 3;
        VisibleCount = std::max(1, (width - S(32)) / S(crowded ? 60 : 80));
        ButtonWidth = (width - S(32)) / VisibleCount;
        if (FirstVisible > n - VisibleCount)
            FirstVisible = std::max(0, n - VisibleCount);
        const int active = IndexOfDocument(Active);
        if (keepActiveVisible && active >= 0) {
            if (active < FirstVisible)
                FirstVisible = active;
            else if (active >= FirstVisible + VisibleCount)
                FirstVisible = active - VisibleCount + 1;
        }
        ScrollButtonsShown = true;
    }
    Invalidate();
}

void TButtonBar::Scroll(int direction)
{
    const int step = VisibleCount == 1 ? 1 : VisibleCount - 1;
    FirstVisible = std::clamp(FirstVisible + direction * step, 0, std::max(0, ButtonCount() - VisibleCount));
    Invalidate();
}

int TButtonBar::ButtonAt(int x, int y) const
{
    if (y < 0 || y >= Height() || x < S(2))
        return -1;
    const int i = FirstVisible + (x - S(2)) / std::max(ButtonWidth, 1);
    return i < ButtonCount() && i < FirstVisible + VisibleCount ? i : -1;
}

void TButtonBar::Paint()
{
    TCanvas& canvas = Canvas();
    RECT all = {0, 0, Width(), Height()};
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(all);
    for (int i = FirstVisible; i < ButtonCount() && i < FirstVisible + VisibleCount; ++i) {
        RECT r = {S(2) + (i - FirstVisible) * ButtonWidth, S(2),
                  S(2) + (i - FirstVisible + 1) * ButtonWidth - S(2), Height() - S(2)};
        const bool down = Buttons[static_cast<size_t>(i)].Document == Active;
        if (down) {
            canvas.Brush().SetColor(clWindow);
            canvas.FillRect(r);
        }
        if (down || !Flat)
            DrawEdge(canvas.Handle(), &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        // The glyph: the file's icon, or the piggy bank's toolbar picture.
        const TButton& button = Buttons[static_cast<size_t>(i)];
        const int glyphY = (r.top + r.bottom - 16) / 2;
        if (button.Icon)
            DrawIconEx(canvas.Handle(), r.left + S(4), glyphY, reinterpret_cast<HICON>(button.Icon), 16, 16,
                       0, nullptr, DI_NORMAL);
        else if (ToolbarManager())
            ToolbarManager()->GetButtonImages().DrawCommandImage(PiggyBankCommand, canvas, r.left + S(4),
                                                                 glyphY);
        RECT text = r;
        text.left += S(4) + 16 + S(4);
        text.right -= S(4);
        const std::string caption =
            FitButtonCaption(Buttons[static_cast<size_t>(i)].Caption, ButtonWidth,
                             [&canvas](const std::string& t) { return canvas.TextWidth(t); });
        SetBkMode(canvas.Handle(), TRANSPARENT);
        canvas.DrawText(caption, text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
    if (ScrollButtonsShown) {
        const int x = Width() - S(30);
        RECT left = {x, S(3), x + S(14), Height() - S(3)},
             right = {x + S(15), S(3), x + S(29), Height() - S(3)};
        DrawFrameControl(canvas.Handle(), &left, DFC_SCROLL, DFCS_SCROLLLEFT);
        DrawFrameControl(canvas.Handle(), &right, DFC_SCROLL, DFCS_SCROLLRIGHT);
    }
}

void TButtonBar::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONUP: {
        const int x = static_cast<short>(LOWORD(message.LParam)),
                  y = static_cast<short>(HIWORD(message.LParam));
        if (ScrollButtonsShown && x >= Width() - S(30)) {
            Scroll(x < Width() - S(15) ? -1 : 1);
            return;
        }
        const int i = ButtonAt(x, y);
        if (i >= 0) {
            Active = Buttons[static_cast<size_t>(i)].Document;
            Invalidate();
            if (OnActivateDocument)
                OnActivateDocument(Active);
        }
        return;
    }
    case WM_RBUTTONUP:
        if (OnContextMenu) {
            POINT p = {static_cast<short>(LOWORD(message.LParam)),
                       static_cast<short>(HIWORD(message.LParam))};
            ClientToScreen(Handle(), &p);
            OnContextMenu(p.x, p.y);
        }
        return;
    case WM_SIZE:
        TCustomControl::WndProc(message);
        UpdateLayout(false);
        return;
    }
    TCustomControl::WndProc(message);
}
