// The view commands (6000 - 8999): formatting marks, margin limits, rulers, scroll bars, the document
// bar and the status bar, zoom, full screen, and header and footer editing.
#include "shell/CommandExecutors.h"

#include <windows.h>

#include "core/Events.h"
#include "core/Options.h"
#include "core/OptionsHolder.h"
#include "document/Document.h"
#include "document/Page.h"
#include "editing/HeaderFooterEditing.h"
#include "shell/CommandManager.h"
#include "shell/DocBar.h"
#include "shell/DocDisp.h"
#include "shell/MainForm.h"
#include "shell/ToolbarViewCommands.h"
#include "shell/WindowCommands.h"
#include "window/DocForm.h"

namespace {

// The zoom table of 6170 - 6174: percentage and zoom kind.
constexpr int ZoomEntries[5][2] = {{0, 1}, {0, 2}, {0, 3}, {0, 4}, {100, 0}};

// The frame's placement before full screen.
WINDOWPLACEMENT SavedPlacement{};

// The saved set of view options that matches the document's view (preview or not).
TViewElements* SavedViewSet(TDocument* document)
{
    TOptionsHolder* holder = GetOptionsHolder();
    if (!holder)
        return nullptr;
    return document && document->PreviewMode ? &holder->PreviewView : &holder->DocumentView;
}

// Every open document laid out and painted again after a view option changed.
void RelayoutDocuments()
{
    if (MainForm)
        MainForm->RealignChildren();
    if (TDocDispatcher* dispatcher = GetDocDispatcher())
        dispatcher->RelayoutAllDocuments();
}

// A boolean view option toggled, copied into the saved set of the document's view.
void ToggleViewOption(TDocument* document, bool TViewOptions::*option, bool TViewElements::*saved)
{
    TViewOptions& view = CurrentOptions().View;
    view.*option = !(view.*option);
    if (TViewElements* set = SavedViewSet(document))
        set->*saved = view.*option;
    RelayoutDocuments();
}

void SetScrollBars(TDocument* document, uint8_t value)
{
    CurrentOptions().View.ScrollBars = value;
    if (TViewElements* set = SavedViewSet(document))
        set->ScrollBars = value;
    RelayoutDocuments();
}

// Scrolls the view (6086 - 6091): top, end, a page up or down, a step up or down.
void ScrollDocument(TDocument& document, int32_t command)
{
    TPoint pos = document.ViewState.ScrollPos;
    const int32_t page = std::max(document.ViewState.ClientHeight - 20, 20);
    switch (command) {
    case 6086: pos.Y = 0; break;
    case 6087: pos.Y = INT32_MAX; break;
    case 6088: pos.Y -= page; break;
    case 6089: pos.Y += page; break;
    case 6090: pos.Y -= 20; break;
    case 6091: pos.Y += 20; break;
    }
    document.SetScrollPos(document.ClampScrollPos(pos));
}

// Header and footer editing moved (7350) between the header and the footer of the page, or (7400, 7401)
// to the same kind on the previous or next page of another section.
void MoveHeaderFooterEditing(TDocument& document, int32_t command)
{
    int32_t page = document.EditedHeaderFooterPage;
    if (page < 0 || page >= static_cast<int32_t>(document.Pages.size()))
        return;
    const bool header = document.Pages[size_t(page)]->HeaderField == document.EditedHeaderFooter;
    if (command == 7350) {
        const TPage& current = *document.Pages[size_t(page)];
        if (TField* other = header ? current.FooterField : current.HeaderField)
            document.EditHeaderFooter(page, other);
        return;
    }
    const TSection* section = document.Pages[size_t(page)]->GetSection();
    const int32_t step = command == 7400 ? -1 : 1;
    for (page += step; page >= 0; page += step) {
        if (page >= static_cast<int32_t>(document.Pages.size()) &&
            !document.GetModeFlag(mfPaginationComplete))
            document.Paginate(static_cast<int32_t>(document.Pages.size()), page);
        if (page >= static_cast<int32_t>(document.Pages.size()))
            return;
        const TPage& target = *document.Pages[size_t(page)];
        if (target.GetSection() == section)
            continue;
        if (TField* field = header ? target.HeaderField : target.FooterField)
            document.EditHeaderFooter(page, field);
        return;
    }
}

void ToggleFullScreen()
{
    TriggerEvent(3020);
    const HWND frame = MainForm->Handle();
    std::vector<TDocumentForm*> windows;
    bool oneMaximised = false;
    if (TDocDispatcher* dispatcher = GetDocDispatcher())
        for (int i = 0; i < dispatcher->DocumentCount(); ++i)
            if (TDocumentForm* window = dispatcher->Document(i)->Window; window && window->HandleAllocated())
                windows.push_back(window);
    if (windows.size() == 1)
        oneMaximised = IsZoomed(windows[0]->Handle()) != 0;
    MainForm->UpdateInterface();
    MainForm->FullScreen = !MainForm->FullScreen;
    const LONG style = GetWindowLongA(frame, GWL_STYLE);
    if (MainForm->FullScreen) {
        SavedPlacement.length = sizeof(SavedPlacement);
        GetWindowPlacement(frame, &SavedPlacement);
        SetWindowLongA(frame, GWL_STYLE, style & ~(WS_CAPTION | WS_THICKFRAME));
        ShowWindow(frame, SW_MAXIMIZE);
        const HMONITOR monitor = MonitorFromWindow(frame, MONITOR_DEFAULTTONEAREST);
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        GetMonitorInfoA(monitor, &info);
        const RECT& r = info.rcMonitor;
        SetWindowPos(frame, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_FRAMECHANGED);
    } else {
        SetWindowLongA(frame, GWL_STYLE, style | WS_CAPTION | WS_THICKFRAME);
        SetWindowPos(frame, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        if (SavedPlacement.length)
            SetWindowPlacement(frame, &SavedPlacement);
    }
    if (oneMaximised)
        SendMessageA(MainForm->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(windows[0]->Handle()),
                     0);
    MainForm->RealignChildren();
    RelayoutDocuments();
    RefreshToolbarButtons();
    SetActiveWindow(frame);
}

bool RunViewCommand(int32_t command)
{
    TDocument* document = CommandManager().GetDocument();
    TViewOptions& view = CurrentOptions().View;
    switch (command) {
    case 6000:
        if (!document)
            return true;
        document->SetModeFlag(mfShowMarks, !document->GetModeFlag(mfShowMarks));
        if (document->PreviewMode)
            CurrentOptions().Preview.SpecSymbols = document->GetModeFlag(mfShowMarks);
        document->UpdatePageLayout();
        document->Invalidate();
        return true;
    case 6020:
        ToggleViewOption(document, &TViewOptions::MarginBorders, &TViewElements::MarginBorders);
        return true;
    case 6060: ToggleViewOption(document, &TViewOptions::Ruler, &TViewElements::Ruler); return true;
    case 6065: ToggleViewOption(document, &TViewOptions::VerRuler, &TViewElements::VerRuler); return true;
    case 6350: ToggleViewOption(document, &TViewOptions::Bookmarks, &TViewElements::Bookmarks); return true;
    case 6100: ToggleViewOption(document, &TViewOptions::DocBtnBar, &TViewElements::DocBtnBar); return true;
    case 6140: ToggleViewOption(document, &TViewOptions::StatusBar, &TViewElements::StatusBar); return true;
    case 6080: SetScrollBars(document, view.ScrollBars ^ 1); return true;
    case 6081: SetScrollBars(document, view.ScrollBars ^ 2); return true;
    case 6130:
        view.FlatDocBtnBar = !view.FlatDocBtnBar;
        if (MainForm)
            MainForm->DocButtonBar->Invalidate();
        return true;
    case 6195:
    case 6196: CommandManager().ExecuteCommandWithArg(206200, command == 6195 ? -10 : 10); return true;
    case 7000: ToggleFullScreen(); return true;
    case 7200:
        if (document)
            ToggleHeaderFooterEditing(*document, -1, nullptr);
        return true;
    case 7300:
        // The body's text hidden or shown again while the headers and footers are edited.
        if (document) {
            document->SetModeFlag(mfHideBodyText, !document->GetModeFlag(mfHideBodyText));
            document->Invalidate();
        }
        return true;
    case 7350:
    case 7400:
    case 7401:
        if (document && document->EditedHeaderFooter)
            MoveHeaderFooterEditing(*document, command);
        return true;
    }
    if (command >= 6086 && command <= 6091) {
        if (document)
            ScrollDocument(*document, command);
        return true;
    }
    if (command >= 6120 && command <= 6125) {
        view.DocBtnBarAlign = static_cast<uint8_t>(command - 6120);
        if (MainForm)
            MainForm->RealignChildren();
        return true;
    }
    if (command >= 6170 && command <= 6174) {
        const int* entry = ZoomEntries[command - 6170];
        CommandManager().ExecuteCommandWithArg(206100, ZoomArgument(entry[0], entry[1]));
        return true;
    }
    return ExecuteToolbarViewCommand(command);
}

} // namespace

bool ExecuteViewCommand(int32_t command)
{
    const bool ran = RunViewCommand(command);
    if (MainForm)
        MainForm->UpdateInterface();
    return ran;
}
