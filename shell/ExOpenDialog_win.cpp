// The extended open and save dialogs: the system's Explorer-style file dialog with the program's child
// template, placed at the centre of the screen, and its folder strip below the standard controls.
#include "shell/ExOpenDialog.h"

#include <commdlg.h>

#include <algorithm>

#include "classlib/runtime/Files.h"
#include "core/FileList.h"
#include "core/Options.h"
#include "core/PathUtils.h"

namespace {

constexpr UINT PlaceMessage = WM_USER + 2000;
constexpr int FolderComboId = 2001;
constexpr int ReadOnlyCheckId = 2002;
constexpr int FolderLabelId = 2003;
// The common dialog's controls.
constexpr int OkButtonId = IDOK;
constexpr int FileNameLabelId = 1090; // stc3
constexpr int FileNameEditId = 1152;  // edt1
constexpr int FileNameComboId = 1148; // cmb13, where the name field is a combo box
constexpr int PlaceholderId = 1119;   // stc32
constexpr int FileTypeComboId = 1136; // cmb1

const char* const ChangeListItem = "Modifier la liste...";

// The dialog being run (one at a time: the dialogs are modal) and whether it is still to be placed.
TExOpenDialog* Running = nullptr;
bool PlacementPending = false;

HWND TopWindow(HWND child)
{
    return GetParent(child);
}

HWND DialogItem(HWND child, int id)
{
    HWND item = GetDlgItem(TopWindow(child), id);
    if (!item && id == FileNameEditId)
        item = GetDlgItem(TopWindow(child), FileNameComboId);
    return item;
}

// A control's rectangle in the client coordinates of the child dialog.
RECT ItemRect(HWND child, HWND item)
{
    RECT r{};
    if (!item)
        return r;
    GetWindowRect(item, &r);
    MapWindowPoints(nullptr, child, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string WindowText(HWND wnd)
{
    char text[MAX_PATH + 1] = "";
    GetWindowTextA(wnd, text, sizeof text);
    return text;
}

std::string CurrentFolder(HWND child)
{
    char folder[MAX_PATH * 2] = "";
    SendMessageA(TopWindow(child), CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
    std::string path = folder;
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path;
}

void PlaceOpenDialog(HWND child)
{
    HWND top = TopWindow(child);
    RECT r;
    GetWindowRect(top, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (Running && Running->SizingEnabled && !PlacementPending) {
        // The standard controls' area takes its remembered size; the dialog sits a third of the way down.
        const int32_t size =
            ClampedOpenDialogSize(CurrentOptions().Internal.OpenDlgSize, screenWidth, screenHeight);
        const POINT corner = Running->StandardAreaCorner();
        width += (size >> 16) - corner.x;
        height += (size & 0xFFFF) - corner.y;
        SetWindowPos(top, nullptr, (screenWidth - width) / 2, (screenHeight - height) / 3, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        SetWindowPos(top, nullptr, (screenWidth - width) / 2, (screenHeight - height) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!PlacementPending && Running && Running->FolderHistory) {
        Running->FillFolderCombo();
        Running->SelectCurrentFolder();
    }
}

UINT_PTR CALLBACK OpenDialogHook(HWND child, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        TExOpenDialog* dialog = Running;
        if (!dialog)
            return 0;
        switch (message) {
        case WM_INITDIALOG:
            dialog->LayoutDone = false;
            dialog->ChildWindow = child;
            dialog->CreateControls();
            PlacementPending = true;
            return 0;
        case WM_NOTIFY: {
            const auto* notify = reinterpret_cast<const OFNOTIFYA*>(lParam);
            switch (notify->hdr.code) {
            case CDN_INITDONE:
                dialog->LayoutControls();
                PostMessageA(child, PlaceMessage, 0, 0);
                break;
            case CDN_FOLDERCHANGE: dialog->FolderChanged(); break;
            case CDN_FILEOK:
                dialog->ReadOnlyTicked =
                    SendMessageA(dialog->ReadOnlyCheck, BM_GETCHECK, 0, 0) == BST_CHECKED;
                break;
            case CDN_TYPECHANGE:
                dialog->FilterIndex = static_cast<int32_t>(notify->lpOFN->nFilterIndex);
                if (dialog->OnTypeChange)
                    dialog->OnTypeChange(*dialog);
                break;
            }
            return 0;
        }
        case PlaceMessage:
            PlacementPending = false;
            PlaceOpenDialog(child);
            return 0;
        case WM_WINDOWPOSCHANGED:
            if (PlacementPending)
                PlaceOpenDialog(child);
            if (dialog->SizingEnabled && dialog->LayoutDone)
                dialog->RelayoutControls();
            return 0;
        case WM_DESTROY:
            if (dialog->SizingEnabled) {
                const POINT corner = dialog->StandardAreaCorner();
                CurrentOptions().Internal.OpenDlgSize = (corner.x << 16) + corner.y;
            }
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == FolderComboId && HIWORD(wParam) == CBN_SELENDOK)
                dialog->FolderComboClick();
            return 0;
        }
    } catch (...) {
        // Nothing may cross the system's frames.
    }
    return 0;
}

// "a|b|c" as the system wants it: each part ended by a zero, the whole by another.
std::string SystemFilter(const std::string& filter)
{
    std::string result = filter;
    std::replace(result.begin(), result.end(), '|', '\0');
    result.push_back('\0');
    result.push_back('\0');
    return result;
}

} // namespace

const char* OpenDialogTemplate(bool showPreview, int screenWidth)
{
    if (!showPreview)
        return "OPENDOC_NOPREVIEW";
    return screenWidth >= 1024 ? "OPENDOC_HIRES" : "OPENDOC";
}

int32_t ClampedOpenDialogSize(int32_t stored, int screenWidth, int screenHeight)
{
    const int32_t largest = (screenWidth << 16) + screenHeight;
    if (stored <= 0 || stored > largest)
        return ((screenWidth / 2) << 16) + screenHeight * 2 / 3;
    return stored;
}

std::string FolderOfFile(const std::string& fileName)
{
    const size_t at = fileName.find_last_of("\\:");
    return at == std::string::npos ? std::string() : fileName.substr(0, at + 1);
}

void TExOpenDialog::CreateControls()
{
    const HFONT font = reinterpret_cast<HFONT>(SendMessageA(TopWindow(ChildWindow), WM_GETFONT, 0, 0));
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    FolderLabel = CreateWindowExA(0, "STATIC", "Dossiers :", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, ChildWindow,
                                  reinterpret_cast<HMENU>(FolderLabelId), instance, nullptr);
    FolderCombo =
        CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                        0, 0, 10, 10, ChildWindow, reinterpret_cast<HMENU>(FolderComboId), instance, nullptr);
    ReadOnlyCheck = CreateWindowExA(0, "BUTTON", "Ouvrir en\rlecture seule",
                                    WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE, 0, 0, 10, 10,
                                    ChildWindow, reinterpret_cast<HMENU>(ReadOnlyCheckId), instance, nullptr);
    for (HWND control : {FolderLabel, FolderCombo, ReadOnlyCheck})
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    FillFolderCombo();
}

void TExOpenDialog::LayoutControls()
{
    if (LayoutDone)
        return;
    HWND child = ChildWindow;
    const RECT ok = ItemRect(child, DialogItem(child, OkButtonId));
    const RECT field = ItemRect(child, DialogItem(child, FileNameEditId));
    const RECT label = ItemRect(child, DialogItem(child, FileNameLabelId));
    RECT client;
    GetClientRect(child, &client);
    // The strip lies below the standard controls, which the system has laid out in the placeholder.
    const int top = StandardAreaCorner().y;
    RECT comboRect;
    SetWindowPos(FolderCombo, nullptr, field.left, top, field.right - field.left, 18 * 16, SWP_NOZORDER);
    GetWindowRect(FolderCombo, &comboRect);
    const int comboHeight = comboRect.bottom - comboRect.top;
    HDC dc = GetDC(FolderLabel);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(FolderLabel, WM_GETFONT, 0, 0)));
    SIZE text{};
    GetTextExtentPoint32A(dc, "Dossiers :", 10, &text);
    SelectObject(dc, old);
    ReleaseDC(FolderLabel, dc);
    SetWindowPos(FolderLabel, nullptr, label.left, top + (comboHeight - text.cy) / 2, text.cx, text.cy,
                 SWP_NOZORDER);
    SetWindowPos(ReadOnlyCheck, nullptr, ok.left, top, ok.right - ok.left + 5, 28, SWP_NOZORDER);
    ShowWindow(ReadOnlyCheck, ReadOnlyChoice ? SW_SHOW : SW_HIDE);
    SendMessageA(ReadOnlyCheck, BM_SETCHECK, BST_UNCHECKED, 0);
    // The child dialog grows to hold the strip.
    const int needed = top + std::max<int>(comboHeight, 28) + 4;
    if (client.bottom < needed) {
        RECT topRect;
        GetWindowRect(TopWindow(child), &topRect);
        SetWindowPos(child, nullptr, 0, 0, client.right, needed, SWP_NOMOVE | SWP_NOZORDER);
        SetWindowPos(TopWindow(child), nullptr, 0, 0, topRect.right - topRect.left,
                     topRect.bottom - topRect.top + needed - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    }
    LayoutDone = true;
}

POINT TExOpenDialog::StandardAreaCorner()
{
    // The strip goes below the lowest of the standard controls, which the system may lay out beyond
    // the placeholder.
    const RECT placeholder = ItemRect(ChildWindow, GetDlgItem(ChildWindow, PlaceholderId));
    LONG bottom = placeholder.bottom;
    for (int id : {OkButtonId, int(IDCANCEL), FileTypeComboId})
        if (HWND item = DialogItem(ChildWindow, id))
            bottom = std::max<LONG>(bottom, ItemRect(ChildWindow, item).bottom + 4);
    return POINT{placeholder.right, bottom};
}

void TExOpenDialog::RelayoutControls()
{
    HWND child = ChildWindow;
    const RECT ok = ItemRect(child, DialogItem(child, OkButtonId));
    const RECT field = ItemRect(child, DialogItem(child, FileNameEditId));
    const RECT label = ItemRect(child, DialogItem(child, FileNameLabelId));
    const int top = StandardAreaCorner().y;
    RECT combo, text;
    GetWindowRect(FolderCombo, &combo);
    GetWindowRect(FolderLabel, &text);
    const int comboHeight = combo.bottom - combo.top;
    SetWindowPos(FolderCombo, nullptr, field.left, top, field.right - field.left, 18 * 16,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(FolderLabel, nullptr, label.left, top + (comboHeight - (text.bottom - text.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(ReadOnlyCheck, nullptr, ok.left, top, ok.right - ok.left + 5, 28,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(child, &client);
    const int needed = top + std::max<int>(comboHeight, 28) + 4;
    if (client.bottom < needed)
        SetWindowPos(child, nullptr, 0, 0, client.right, needed, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TExOpenDialog::FillFolderCombo()
{
    if (!FolderCombo)
        return;
    SendMessageA(FolderCombo, CB_RESETCONTENT, 0, 0);
    if (FolderHistory && !FolderHistory->Names.empty()) {
        RECT r;
        GetClientRect(FolderCombo, &r);
        const int width = std::max<int>(r.right - GetSystemMetrics(SM_CXVSCROLL) - 13, 40);
        HDC dc = GetDC(FolderCombo);
        const HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(FolderCombo, WM_GETFONT, 0, 0)));
        const auto measure = [dc](const std::string& s) {
            SIZE size{};
            GetTextExtentPoint32A(dc, s.c_str(), static_cast<int>(s.size()), &size);
            return static_cast<int>(size.cx);
        };
        for (const std::string& folder : FolderHistory->Names)
            SendMessageA(FolderCombo, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(ShortenPath(measure, folder, width).c_str()));
        std::string separator = "-";
        while (measure(separator) < r.right && separator.size() < 400)
            separator += '-';
        SelectObject(dc, old);
        ReleaseDC(FolderCombo, dc);
        for (const std::string& item : {separator, std::string("Supprimer les entrées caduques"),
                                        std::string("Supprimer toutes les entrées")})
            SendMessageA(FolderCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    SendMessageA(FolderCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ChangeListItem));
}

void TExOpenDialog::SelectCurrentFolder()
{
    if (!FolderCombo || !FolderHistory)
        return;
    const std::string current = CurrentFolder(ChildWindow);
    int index = -1;
    for (size_t i = 0; i < FolderHistory->Names.size(); ++i)
        if (lstrcmpiA(FolderHistory->Names[i].c_str(), current.c_str()) == 0) {
            index = static_cast<int>(i);
            break;
        }
    SendMessageA(FolderCombo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TExOpenDialog::FolderComboClick()
{
    const int count = static_cast<int>(SendMessageA(FolderCombo, CB_GETCOUNT, 0, 0));
    const int picked = static_cast<int>(SendMessageA(FolderCombo, CB_GETCURSEL, 0, 0));
    if (picked < 0)
        return;
    const int fromEnd = count - picked;
    if (fromEnd == 1) {
        // The history is edited through the folder-list dialog, which comes with the options.
        SelectCurrentFolder();
        return;
    }
    if (!FolderHistory || fromEnd == 4) {
        SendMessageA(FolderCombo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        return;
    }
    if (fromEnd == 2 || fromEnd == 3) {
        if (fromEnd == 2)
            FolderHistory->Names.clear();
        else
            FolderHistory->RemoveMissing();
        FillFolderCombo();
        SelectCurrentFolder();
        return;
    }
    if (picked >= static_cast<int>(FolderHistory->Names.size()))
        return;
    HWND field = DialogItem(ChildWindow, FileNameEditId);
    if (!FileNameSaved) {
        SavedFileName = WindowText(field);
        FileNameSaved = true;
    }
    // The dialog moves to a folder typed into its name field when Enter is pressed there.
    SetWindowTextA(field, FolderHistory->Names[static_cast<size_t>(picked)].c_str());
    SetFocus(field);
    PostMessageA(TopWindow(ChildWindow), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(DialogItem(ChildWindow, OkButtonId)));
}

void TExOpenDialog::FolderChanged()
{
    if (FileNameSaved) {
        SetWindowTextA(DialogItem(ChildWindow, FileNameEditId), SavedFileName.c_str());
        FileNameSaved = false;
    }
    if (FolderHistory)
        SelectCurrentFolder();
}

bool TExOpenDialog::Run(bool save)
{
    if (InitialDir.empty()) {
        InitialDir = FolderOfFile(FileName);
        if (InitialDir.empty()) {
            char current[MAX_PATH] = "";
            GetCurrentDirectoryA(MAX_PATH, current);
            InitialDir = std::string(current) + "\\";
        }
    }
    const std::string filter = SystemFilter(Filter);
    std::vector<char> buffer(MultiSelect ? 16384 : 260, '\0');
    lstrcpynA(buffer.data(), ExtractFileName(FileName).c_str(), static_cast<int>(buffer.size()));
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = GetActiveWindow();
    ofn.hInstance = GetModuleHandleA(nullptr);
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(std::max(FilterIndex, 1));
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = InitialDir.c_str();
    ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    // Every system the program runs on is newer than 4.0: a dialog with its preview can be resized.
    SizingEnabled = ShowPreview;
    if (SizingEnabled)
        ofn.Flags |= OFN_ENABLESIZING;
    if (save)
        ofn.Flags |= OFN_OVERWRITEPROMPT;
    else
        ofn.Flags |= OFN_FILEMUSTEXIST | (MultiSelect ? OFN_ALLOWMULTISELECT : 0);
    ofn.lpfnHook = OpenDialogHook;
    ofn.lpTemplateName = OpenDialogTemplate(ShowPreview, GetSystemMetrics(SM_CXSCREEN));
    const bool offered = ReadOnlyChoice;
    Running = this;
    ChildWindow = FolderLabel = FolderCombo = ReadOnlyCheck = nullptr;
    FileNameSaved = false;
    ReadOnlyTicked = false;
    const BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    Running = nullptr;
    InitialDir.clear();
    if (!ok) {
        ReadOnlyChoice = false;
        return false;
    }
    FilterIndex = static_cast<int32_t>(ofn.nFilterIndex);
    ReadOnlyChoice = offered && ReadOnlyTicked;
    Files.clear();
    // One name, or the folder followed by the names, each ended by a zero.
    std::vector<std::string> parts;
    for (const char* p = buffer.data(); *p; p += lstrlenA(p) + 1)
        parts.emplace_back(p);
    if (parts.size() == 1) {
        Files = parts;
    } else {
        const std::string folder = parts.empty() || parts[0].back() == '\\' ? parts[0] : parts[0] + "\\";
        for (size_t i = 1; i < parts.size(); ++i)
            Files.push_back(folder + parts[i]);
    }
    FileName = Files.empty() ? std::string() : Files.front();
    if (FolderHistory)
        for (const std::string& file : Files)
            FolderHistory->Add(FolderOfFile(file));
    return true;
}

bool TExOpenDialog::Execute()
{
    return Run(false);
}

bool TExSaveDialog::Execute()
{
    ReadOnlyChoice = false;
    return Run(true);
}
