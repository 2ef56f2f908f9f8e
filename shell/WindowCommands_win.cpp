// The window commands (90000 - 92999), the help commands (100000 - 102999) and the argument forms
// (200000 - 214999).
#include "shell/CommandExecutors.h"
#include "shell/WindowCommands.h"

#include <windows.h>

#include <algorithm>

#include "classlib/runtime/Files.h"
#include "classlib/runtime/Format.h"
#include "core/Events.h"
#include "core/Instance.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "core/ShellUtils.h"
#include "document/Document.h"
#include "shell/AdviseForm.h"
#include "shell/CommandManager.h"
#include "shell/DocDisp.h"
#include "shell/FileDialogs.h"
#include "shell/MainForm.h"
#include "shell/Splash.h"
#include "window/DocForm.h"

namespace {

// The window property that holds the state (plus one) of a window minimised by "Tout réduire".
const char* const MinimizedByAllProperty = "QuillpadMinimizedByAll";

std::string WithBackslash(const std::string& folder)
{
    return folder.empty() || folder.back() == '\\' ? folder : folder + '\\';
}

// The user asked to open the chosen documents read-only.
bool OpenReadOnly = false;

// The program's open dialog, for documents.
std::vector<std::string> AskFilesWithDialog(const std::string& initialName)
{
    return AskDocumentsToOpen(initialName, OpenReadOnly);
}

void RunPendingRefreshes()
{
    if (MainForm)
        MainForm->UpdateInterface();
}

std::vector<TDocumentForm*> DocumentWindows()
{
    std::vector<TDocumentForm*> windows;
    if (TDocDispatcher* dispatcher = GetDocDispatcher())
        for (int i = 0; i < dispatcher->DocumentCount(); ++i)
            if (TDocumentForm* window = dispatcher->Document(i)->Window; window && window->HandleAllocated())
                windows.push_back(window);
    return windows;
}

void ActivateWindow(TDocumentForm* window)
{
    if (!MainForm || !window)
        return;
    if (IsIconic(window->Handle()))
        SendMessageA(MainForm->ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(window->Handle()), 0);
    SendMessageA(MainForm->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window->Handle()), 0);
}

void SetWindowState(TDocumentForm* window, int state)
{
    const HWND wnd = window->Handle();
    const HWND client = MainForm->ClientHandle();
    switch (state) {
    case 0: SendMessageA(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(wnd), 0); break;
    case 1: ShowWindow(wnd, SW_MINIMIZE); break;
    case 2: SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(wnd), 0); break;
    }
}

int WindowState(TDocumentForm* window)
{
    return IsIconic(window->Handle()) ? 1 : IsZoomed(window->Handle()) ? 2 : 0;
}

// Open (200500): every chosen file through the dispatcher.
void OpenDocuments(const std::string& initialName)
{
    TDocDispatcher* dispatcher = GetDocDispatcher();
    if (!dispatcher || !dispatcher->CanOpenAnother())
        return;
    OpenReadOnly = false;
    for (const std::string& file : AskFilesToOpen(initialName))
        if (dispatcher->CanOpenAnother() &&
            (OpenReadOnly ? dispatcher->OpenDocument(file, 7, odOpen | odReadOnly)
                          : dispatcher->OpenFile(file)))
            TriggerEvent(2020);
    if (MainForm)
        MainForm->UpdateWindowCaptions();
}

// Adds a favourite (200600): a shortcut to the file in the favourites folder.
void AddFavorite(const std::string& fileName)
{
    const std::string folder = WithBackslash(CurrentOptions().Internal.FavFolder);
    if (fileName.empty() || folder.size() <= 1)
        return;
    CreateDirectoryA(folder.c_str(), nullptr);
    if (!CreateShortcut(folder + ExtractFileName(fileName) + ".lnk", fileName, "", ExtractFilePath(fileName)))
        ShowError(Format("Impossible d'ajouter \"%s\" aux favoris.", fileName));
    CommandManager().DirtyFlags |= cdFavorites;
    if (MainForm)
        MainForm->InvalidateCommands();
}

// The zoom list (206100): a zoom table entry (percentage in the low 16 bits, kind in bits 16 - 23) or a
// plain percentage.
void SetZoom(TDocument& document, intptr_t argument)
{
    const auto value = static_cast<uint32_t>(argument);
    const int kind = static_cast<int>((value >> 16) & 0xFF);
    const int percent = static_cast<int>(value & 0xFFFF);
    // The fitting zooms measure the largest page: a document never laid out has it measured first.
    if (document.ViewState.PageExtent[2] <= 0)
        document.ComputePageExtent();
    if (kind >= 1 && kind <= 4) {
        document.SetZoomKind(kind);
    } else if (percent >= 10 && percent <= 500) {
        document.ViewState.ZoomPercent = percent;
        document.SetZoomKind(0);
        document.SetZoom(percent);
        document.UpdatePageLayout();
    } else {
        return;
    }
    document.Invalidate();
}

} // namespace

std::vector<std::string> (*AskFilesToOpen)(const std::string& initialName) = AskFilesWithDialog;

bool IsMinimizedByAll(TDocumentForm* window)
{
    return window && window->HandleAllocated() && GetPropA(window->Handle(), MinimizedByAllProperty);
}

bool InternetLibraryLoaded()
{
    static const bool loaded = LoadLibraryA("wininet.dll") != nullptr;
    return loaded;
}

bool ExecuteWindowCommand(int32_t command)
{
    if (!MainForm)
        return false;
    TDocDispatcher* dispatcher = GetDocDispatcher();
    switch (command) {
    case 90000: SendMessageA(MainForm->ClientHandle(), WM_MDICASCADE, 0, 0); return true;
    case 90020: SendMessageA(MainForm->ClientHandle(), WM_MDITILE, MDITILE_HORIZONTAL, 0); return true;
    case 90040: SendMessageA(MainForm->ClientHandle(), WM_MDITILE, MDITILE_VERTICAL, 0); return true;
    case 90060:
        for (TDocumentForm* window : DocumentWindows())
            if (!IsIconic(window->Handle())) {
                SetPropA(window->Handle(), MinimizedByAllProperty,
                         reinterpret_cast<HANDLE>(intptr_t(WindowState(window) + 1)));
                ShowWindow(window->Handle(), SW_MINIMIZE);
            }
        RunPendingRefreshes();
        return true;
    case 90080:
        for (TDocumentForm* window : DocumentWindows())
            if (HANDLE mark = RemovePropA(window->Handle(), MinimizedByAllProperty)) {
                const int state = static_cast<int>(reinterpret_cast<intptr_t>(mark)) - 1;
                if (state != WindowState(window))
                    SetWindowState(window, state);
            }
        RunPendingRefreshes();
        return true;
    case 90120:
        if (IsTrayInstanceRunning()) {
            ShowWindow(MainForm->Handle(), SW_MINIMIZE);
        } else {
            MainForm->MinimizeToTray();
            TriggerEvent(4420);
        }
        return true;
    case 90140: MainForm->RestoreFromTray(); return true;
    }
    if (command >= 90105 && command <= 90113) {
        const int index = command - 90105;
        if (dispatcher && index < dispatcher->DocumentCount())
            ActivateWindow(dispatcher->Document(index)->Window);
        return true;
    }
    if (command >= 90160 && command <= 90162) {
        if (TDocument* document = CommandManager().GetDocument(); document && document->Window)
            SetWindowState(document->Window, command - 90160);
        return true;
    }
    return false;
}

bool ExecuteHelpCommand(int32_t command)
{
    switch (command) {
    case 101100:
        // Over the frame only while it takes input; the pending request of the idle pass is answered.
        if (MainForm)
            MainForm->Flags &= ~mffShowTips;
        if (!MainForm || IsWindowEnabled(MainForm->Handle()))
            ExecuteAdviseDialog();
        return true;
    case 101120: OpenInBrowser("http://www.quillpad.fr/"); return true;
    case 101220: ShowAboutBox(); return true;
    }
    return false;
}

bool ExecuteArgumentCommand(int32_t command, intptr_t argument)
{
    TDocument* document = CommandManager().GetDocument();
    auto text = [argument] {
        const char* p = reinterpret_cast<const char*>(argument);
        return std::string(p ? p : "");
    };
    switch (command) {
    case 200500: OpenDocuments(text()); return true;
    case 200600: AddFavorite(text()); return true;
    case 202500: OpenInBrowser(text()); return true;
    case 206100:
        if (document)
            SetZoom(*document, argument);
        return true;
    case 206200:
        if (document) {
            const int32_t step = static_cast<int32_t>(argument);
            const int32_t zoom = std::clamp(document->ViewState.ZoomPercent + step, 10, 500);
            SetZoom(*document, zoom);
        }
        return true;
    }
    return false;
}
