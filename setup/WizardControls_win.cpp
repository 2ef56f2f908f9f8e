// The component check list, the folder chooser, the busy animation and the logos.
#include "setup/WizardControls.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "classlib/runtime/Files.h"

// ---- TComponentList

constexpr int BoxWidth = 18;

TComponentList::TComponentList(TComponent* owner) : TListBox(owner, true) {}

void TComponentList::AddEntry(const std::string& caption, int state, bool locked)
{
    FStates.push_back(state);
    FLocked.push_back(locked);
    Sizes.emplace_back();
    Add(caption);
}

void TComponentList::SetState(int index, int state)
{
    FStates[index] = state;
    Invalidate();
}

void TComponentList::Toggle(int index)
{
    if (index < 0 || index >= Count())
        return;
    if (FLocked[index])
        FStates[index] = 2; // the program is always installed
    else
        FStates[index] = FStates[index] == 1 ? 0 : 1;
    Invalidate();
    if (OnToggle && !FLocked[index])
        OnToggle(this);
}

void TComponentList::WndProc(TMessage& message)
{
    if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) {
        TListBox::WndProc(message);
        int x = static_cast<short>(LOWORD(message.LParam));
        LRESULT hit = SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, message.LParam);
        if (HIWORD(hit) == 0 && (x < BoxWidth || message.Msg == WM_LBUTTONDBLCLK))
            Toggle(LOWORD(hit));
        return;
    }
    if (message.Msg == WM_CHAR && message.WParam == ' ') {
        Toggle(ItemIndex());
        return;
    }
    TListBox::WndProc(message);
}

void TComponentList::DrawItem(int index, TCanvas& canvas, const RECT& rect, bool selected)
{
    canvas.Brush().SetColor(clWindow);
    canvas.FillRect(rect);
    RECT box = {rect.left + 2, rect.top + (rect.bottom - rect.top - 13) / 2, rect.left + 15, 0};
    box.bottom = box.top + 13;
    UINT state =
        DFCS_BUTTONCHECK | (FStates[index] ? DFCS_CHECKED : 0) | (FStates[index] == 2 ? DFCS_INACTIVE : 0);
    DrawFrameControl(canvas.Handle(), &box, DFC_BUTTON, state);
    RECT text = rect;
    text.left += BoxWidth;
    canvas.Brush().SetColor(selected ? clHighlight : clWindow);
    canvas.FillRect(text);
    canvas.Font().SetColor(FLocked[index] ? clGrayText : selected ? clHighlightText : clWindowText);
    SetBkMode(canvas.Handle(), TRANSPARENT);
    text.left += 2;
    text.right -= 2;
    canvas.DrawText(Items(index), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    canvas.DrawText(Sizes[index], text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_RIGHT);
}

// ---- TFolderChooser

TFolderChooser::TFolderChooser(TComponent* owner, TControl* parent, int left, int top, int width, int height)
{
    Folders = new TListBox(owner);
    Folders->SetParent(parent);
    Folders->SetBounds(left, top, width, height - 28);
    Drives = new TComboBox(owner, false);
    Drives->SetParent(parent);
    Drives->SetBounds(left, top + height - 22, width, 200);
    char drives[512] = {};
    GetLogicalDriveStringsA(sizeof(drives) - 1, drives);
    for (const char* d = drives; *d; d += strlen(d) + 1)
        Drives->Add(std::string(d, 2));
    Drives->OnChange = [this](TComponent*) {
        int i = Drives->ItemIndex();
        if (i >= 0) {
            Browse(Drives->Items(i) + "\\");
            if (OnChoose)
                OnChoose(FFolder);
        }
    };
    Folders->OnChange = [this](TComponent*) {
        int i = Folders->ItemIndex();
        if (i < 0)
            return;
        std::string entry = Folders->Items(i);
        std::string next = entry == "[..]" ? ExtractFilePath(ExcludeTrailingPathDelimiter(FFolder))
                                           : IncludeTrailingPathDelimiter(FFolder) + entry;
        if (next.empty())
            return;
        Browse(next);
        if (OnChoose)
            OnChoose(ExcludeTrailingPathDelimiter(FFolder).size() == 2
                         ? IncludeTrailingPathDelimiter(FFolder)
                         : ExcludeTrailingPathDelimiter(FFolder));
    };
}

void TFolderChooser::Browse(const std::string& folder)
{
    // The nearest folder that exists.
    std::string dir = ExcludeTrailingPathDelimiter(folder);
    while (dir.size() > 2 && !DirectoryExists(dir))
        dir = ExcludeTrailingPathDelimiter(ExtractFilePath(dir));
    FFolder = dir.size() <= 2 ? dir + "\\" : dir;
    for (int i = 0; i < Drives->Count(); ++i)
        if (lstrcmpiA(Drives->Items(i).c_str(), FFolder.substr(0, 2).c_str()) == 0 &&
            Drives->ItemIndex() != i)
            Drives->SetItemIndex(i);
    Fill();
}

void TFolderChooser::Fill()
{
    Folders->Clear();
    if (ExcludeTrailingPathDelimiter(FFolder).size() > 2)
        Folders->Add("[..]");
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((IncludeTrailingPathDelimiter(FFolder) + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    std::vector<std::string> names;
    do {
        std::string name = data.cFileName;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    for (const std::string& name : names)
        Folders->Add(name);
}

// ---- TBusyAnimation

void TBusyAnimation::Start()
{
    FActive = true;
    SetTimer(Handle(), 1, 120, nullptr);
}

void TBusyAnimation::Stop()
{
    FActive = false;
    if (HandleAllocated())
        KillTimer(Handle(), 1);
    Invalidate();
}

void TBusyAnimation::WndProc(TMessage& message)
{
    if (message.Msg == WM_TIMER) {
        FStep = (FStep + 1) % 8;
        Invalidate();
        return;
    }
    TCustomControl::WndProc(message);
}

void TBusyAnimation::Paint()
{
    for (int i = 0; i < 8; ++i) {
        bool lit = FActive && (i == FStep || i == (FStep + 7) % 8);
        Canvas().Brush().SetColor(lit ? RGB(0, 0, 208) : RGB(200, 200, 230));
        RECT r = {i * 22, 4, i * 22 + 16, 20};
        Canvas().FillRect(r);
    }
}

// ---- TLogoPanel

void TLogoPanel::Paint()
{
    RECT all = {0, 0, Width(), Height()};
    int steps = 64;
    for (int i = 0; i < steps; ++i) {
        int shade = 255 - 200 * i / steps;
        Canvas().Brush().SetColor(RGB(shade, shade, 208 + 47 * (steps - i) / steps));
        RECT band = all;
        if (FSmall) {
            band.left = all.right * i / steps;
            band.right = all.right * (i + 1) / steps;
        } else {
            band.top = all.bottom * i / steps;
            band.bottom = all.bottom * (i + 1) / steps;
        }
        Canvas().FillRect(band);
    }
    Canvas().Brush().SetStyle(bsClear);
    if (FSmall) {
        // The page title.
        Canvas().Font().SetStyle(fsBold);
        Canvas().Font().SetHeight(-15);
        Canvas().Font().SetColor(clBlack);
        RECT text = {12, 0, all.right - 8, all.bottom};
        Canvas().DrawText(Caption(), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    } else {
        Canvas().Font().SetName("Arial");
        Canvas().Font().SetSize(16);
        Canvas().Font().SetStyle(fsBold | fsItalic);
        Canvas().Font().SetColor(clWhite);
        RECT text = {8, all.bottom - 90, all.right - 4, all.bottom - 8};
        Canvas().DrawText("Quillpad\nBright Ink", text, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    }
    Canvas().Brush().SetStyle(bsSolid);
}
