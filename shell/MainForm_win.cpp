// The main frame window: its children, its messages and its status texts.
#include "tools/ClipboardManager.h"
#include "tools/PiggyBank.h"
#include "shell/MainForm.h"

#include <commctrl.h>
#include <shellapi.h>

#include "classlib/runtime/Format.h"
#include "classlib/runtime/ResourceStream.h"
#include "core/CmdLine.h"
#include "core/Fonts.h"
#include "core/Instance.h"
#include "core/Kerning.h"
#include "core/MenuResource.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "core/OptionsHolder.h"
#include "core/ShellUtils.h"
#include "core/Sounds.h"
#include "core/DrawSurface.h"
#include "core/SystemUtils.h"
#include "document/Document.h"
#include "document/TimeSlice.h"
#include "document/ParReformatingManager.h"
#include "formats/save/DocumentSave.h"
#include "shell/CommandManager.h"
#include "shell/DocBar.h"
#include "shell/DocDisp.h"
#include "shell/HotKeys.h"
#include "shell/Splash.h"
#include "shell/SpellingMenu.h"
#include "shell/Startup.h"
#include "shell/ToolbarManager.h"
#include "shell/TrayButton.h"
#include "window/BaseForms.h"
#include "window/DocForm.h"
#include "window/DocWindowHost.h"

TMainForm* MainForm = nullptr;
bool StartingUp = true;
std::string SessionName;

namespace {

constexpr UINT_PTR TimerIds[] = {1, 2, 4, 5, 14, 15, 16, 17, 100};
constexpr UINT TimerPeriods[] = {100, 15000, 60000, 100, 30, 300, 1, 200, 100};
constexpr UINT_PTR TimedStatusTimer = 6;
constexpr UINT_PTR AutosaveTimer = 9;
constexpr UINT TrayCommand = 1;

// The items of a menu resource, with the toolbar list and the document bar's menu under their items.
std::vector<TMenuResourceItem> LoadMenuItems(const std::string& name)
{
    std::vector<TMenuResourceItem> items;
    const void* data = nullptr;
    uint32_t size = 0;
    HRSRC found = FindResourceA(nullptr, name.c_str(), "_MENU");
    if (found) {
        HGLOBAL loaded = LoadResource(nullptr, found);
        data = loaded ? LockResource(loaded) : nullptr;
        size = SizeofResource(nullptr, found);
    }
    if (!data)
        return items;
    TMenuParseHooks hooks;
    hooks.LoadMenu = [](const std::string& sub) { return LoadMenuItems(sub); };
    ParseMenuResource(items, static_cast<const uint8_t*>(data), size, hooks);
    return items;
}

void AddMenuItems(TMenuItem* parent, const std::vector<TMenuResourceItem>& items, const TNotifyEvent& click)
{
    for (const TMenuResourceItem& source : items) {
        auto* item = new TMenuItem(nullptr);
        item->Caption = source.Caption;
        item->Tag = source.Command;
        item->Enabled = source.Enabled;
        if (!item->IsLine())
            item->OnClick = click;
        parent->Add(item);
        AddMenuItems(item, source.Items, click);
    }
}

// Appends the visible items of Root to a system menu: sub-menus, states and separators.
void FillSystemMenu(HMENU menu, TMenuItem* root)
{
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* item = root->Items(i);
        if (!item->Visible)
            continue;
        if (item->IsLine()) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = item->Enabled ? MF_STRING : MF_STRING | MF_GRAYED;
        if (item->Checked)
            flags |= MF_CHECKED;
        if (item->Count() > 0) {
            HMENU sub = CreatePopupMenu();
            FillSystemMenu(sub, item);
            AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), item->Caption.c_str());
        } else {
            AppendMenuA(menu, flags, item->Command(), item->Caption.c_str());
        }
    }
}

TDocDispatcher* Dispatcher()
{
    return GetDocDispatcher();
}

// What the document windows ask of the main window.
class TMainDocWindowHost : public TDocWindowHost {
public:
    void ExecuteCommandWithArg(int32_t command, intptr_t argument) override
    {
        CommandManager().ExecuteCommandWithArg(command, argument);
    }
    void ShowContextMenu(const std::vector<std::string>& menus, int x, int y) override
    {
        std::string name;
        for (const std::string& part : menus)
            name += (name.empty() ? "" : "|") + part;
        if (MainForm && !name.empty())
            MainForm->ShowPopupMenu(name, x, y);
    }
    bool SpellingWordAtCaret(TDocument* document, bool again, TSpellingWord& word) override
    {
        return CaretSpellingWord(document, again, word);
    }
    void ShowSpellingMenu(const std::string& menu, const std::vector<std::string>& suggestions, int x,
                          int y) override
    {
        ::ShowSpellingMenu(menu, suggestions, x, y);
    }
    void DocumentActivated(TDocument*) override
    {
        if (!MainForm)
            return;
        MainForm->Flags |= mffDocumentsChanged;
        MainForm->InvalidateCommands();
        MainForm->ClearTimedStatus();
        MainForm->SetStatusMode(0);
    }
};

TMainDocWindowHost MainDocWindowHost;

} // namespace

TMainForm::TMainForm(TComponent* owner) : TForm(owner)
{
    MainForm = this;
    FormStyle = fsMDIForm;
    SetCaption(Application->Title());
    DocButtonBar = new TButtonBar(this);
    DocButtonBar->SetParent(this);
    DocButtonBar->OnActivateDocument = [](TDocument* document) {
        if (document && document->Window)
            SendMessageA(MainForm->ClientHandle(), WM_MDIACTIVATE,
                         reinterpret_cast<WPARAM>(document->Window->Handle()), 0);
    };
    DocButtonBar->OnContextMenu = [this](int x, int y) { ShowPopupMenu("DOCBAR", x, y); };
    TrayButton = new TMinimizeToSystemTrayForm(this);
    Application->OnIdle = [this](TComponent*, bool& done) { ApplicationIdle(done); };
    Application->OnMessage = [](MSG& msg, bool& handled) {
        if (msg.message >= WM_CUT && msg.message <= WM_CLEAR && MainForm && MainForm->GetActiveDocument())
            handled = CommandManager().HandleClipboardMessage(msg.message);
        if (ToolbarManager())
            ToolbarManager()->WatchSwitchKey(msg);
    };
    Application->OnException = [this](TComponent*, const Exception& e) { HandleFatalException(e); };
    // After every message: the transient status text goes and the command states are refreshed.
    AfterMessageShown = [] {
        if (MainForm) {
            MainForm->ClearTimedStatus();
            MainForm->InvalidateCommands();
        }
    };
    SetColor(clSystemColor | COLOR_APPWORKSPACE);
    // The document windows run commands, read the mouse tool and ask for menus through the main window.
    SetDocWindowHost(&MainDocWindowHost);
    ExecuteCommandHook = [](int32_t command) { CommandManager().ExecuteCommand(command); };
    MouseToolModeHook = [] { return MainForm ? int(MainForm->MouseMode) : 0; };
    StampLastCommandHook = [] { CommandManager().StampLastCommand(); };
}

TMainForm::~TMainForm()
{
    // The tray button's window goes before the main window that owns it.
    delete TrayButton;
    TrayButton = nullptr;
    for (auto& popup : FPopups)
        delete popup.second;
    if (Application->OnIdle)
        Application->OnIdle = nullptr;
    Application->OnMessage = nullptr;
    AfterMessageShown = nullptr;
    SetDocWindowHost(nullptr);
    ExecuteCommandHook = nullptr;
    MouseToolModeHook = nullptr;
    StampLastCommandHook = nullptr;
    if (MainForm == this)
        MainForm = nullptr;
}

void TMainForm::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    params.X = CW_USEDEFAULT;
    params.Y = CW_USEDEFAULT;
}

void TMainForm::CreateWnd()
{
    TForm::CreateWnd();
    HWND wnd = Handle();
    FStatusBar = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0,
                                 0, 0, wnd, nullptr, GetModuleHandleA(nullptr), nullptr);
    FProgressBar =
        CreateWindowExA(0, PROGRESS_CLASSA, nullptr, WS_CHILD, 0, 0, ScaleToScreen(153), ScaleToScreen(11),
                        FStatusBar, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(FProgressBar, PBM_SETRANGE, 0, MAKELPARAM(0, 24));
    if (FMenu)
        SetMenu(wnd, FMenu);
    // A second copy finds this window by its property.
    SetPropA(wnd, EditionString.c_str(), reinterpret_cast<HANDLE>(1));
    DragAcceptFiles(wnd, TRUE);
    for (size_t i = 0; i < std::size(TimerIds); ++i)
        SetTimer(wnd, TimerIds[i], TimerPeriods[i], nullptr);
    FNextViewer = SetClipboardViewer(wnd);
    ApplyStatusMode();
    LayoutChildren();
}

void TMainForm::DestroyWnd()
{
    HWND wnd = Handle();
    for (UINT_PTR id : TimerIds)
        KillTimer(wnd, id);
    ClearTimedStatus();
    KillTimer(wnd, AutosaveTimer);
    Flags &= ~mffAutosaveTimer;
    AutosaveMinutes = -1;
    DragAcceptFiles(wnd, FALSE);
    ChangeClipboardChain(wnd, FNextViewer);
    FNextViewer = nullptr;
    RemovePropA(wnd, EditionString.c_str());
    RemoveTrayIcon();
    if (FMenu) {
        SetMenu(wnd, nullptr);
        DestroyMenu(FMenu);
        FMenu = nullptr;
        FMenuPopups.clear();
    }
    if (FStatusHints)
        DestroyWindow(FStatusHints);
    FStatusBar = FProgressBar = FStatusHints = nullptr;
    for (std::string& text : FPanelTexts)
        text.clear();
    TForm::DestroyWnd();
}

void TMainForm::CreateMainMenu()
{
    const TNotifyEvent click = [this](TComponent* sender) { OnMenuItem(sender); };
    FMainMenu = std::make_unique<TMenuItem>(nullptr);
    const std::vector<uint8_t>& custom = CurrentOptions().Internal.MainMenu;
    std::vector<TMenuResourceItem> items;
    if (!custom.empty()) {
        TMenuParseHooks hooks;
        hooks.LoadMenu = [](const std::string& sub) { return LoadMenuItems(sub); };
        ParseMenuResource(items, custom.data(), custom.size(), hooks);
    }
    // A stored menu that yields no menu at all is damaged: the built-in one serves.
    if (items.empty())
        items = LoadMenuItems("MAIN");
    AddMenuItems(FMainMenu.get(), items, click);
    CommandManager().RebuildMenuLists(FMainMenu.get(), true);
    if (FMenu) {
        if (HandleAllocated())
            SetMenu(Handle(), nullptr);
        DestroyMenu(FMenu);
    }
    CommandManager().PrepareMenu(FMainMenu.get());
    FMenuPopups.clear();
    FMenu = CreateMenu();
    for (int i = 0; i < FMainMenu->Count(); ++i) {
        TMenuItem* item = FMainMenu->Items(i);
        if (!item->Visible || item->IsLine())
            continue;
        HMENU popup = CreatePopupMenu();
        FillSystemMenu(popup, item);
        AppendMenuA(FMenu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(popup), item->Caption.c_str());
        FMenuPopups.emplace_back(popup, item);
    }
    if (HandleAllocated())
        SetMenu(Handle(), FMenu);
    // The tray command in the system menu, before "Close".
    HMENU system = GetSystemMenu(Handle(), FALSE);
    const int count = GetMenuItemCount(system);
    std::string caption = "Réduire en barre système";
    if (GetMenuState(system, TrayCommand, MF_BYCOMMAND) == UINT(-1))
        InsertMenuA(system, count > 0 ? count - 1 : 0, MF_BYPOSITION | MF_STRING, TrayCommand,
                    caption.c_str());
}

TMenuItem* TMainForm::RefreshMenuPopup(HMENU popup)
{
    for (auto& [handle, item] : FMenuPopups) {
        if (handle != popup)
            continue;
        CommandManager().RebuildMenuLists(FMainMenu.get(), false);
        CommandManager().UpdateMenu(item);
        while (GetMenuItemCount(popup) > 0)
            DeleteMenu(popup, 0, MF_BYPOSITION);
        FillSystemMenu(popup, item);
        return item;
    }
    return nullptr;
}

void TMainForm::ShowPopupMenu(const std::string& name, int x, int y)
{
    GetPopupMenu(name)->Popup(x, y);
}

TPopupMenu* TMainForm::GetPopupMenu(const std::string& name)
{
    // A menu shown again: its lists and states as they are now.
    for (auto& popup : FPopups)
        if (popup.first == name) {
            CommandManager().RebuildMenuLists(popup.second->Items(), true);
            CommandManager().UpdateMenu(popup.second->Items());
            return popup.second;
        }
    auto* menu = new TPopupMenu(nullptr);
    // A name of several resources joined by "|" joins their menus, "-" standing for a separator.
    const TNotifyEvent click = [this](TComponent* sender) { OnMenuItem(sender); };
    size_t start = 0;
    while (start <= name.size()) {
        const size_t end = std::min(name.find('|', start), name.size());
        const std::string part = name.substr(start, end - start);
        if (part == "-") {
            auto* line = new TMenuItem(nullptr);
            line->Caption = "-";
            menu->Items()->Add(line);
        } else {
            AddMenuItems(menu->Items(), LoadMenuItems(part), click);
        }
        start = end + 1;
    }
    CommandManager().TidySeparators(menu->Items());
    CommandManager().RebuildMenuLists(menu->Items(), true);
    CommandManager().PrepareMenu(menu->Items());
    CommandManager().UpdateMenu(menu->Items());
    FPopups.emplace_back(name, menu);
    return menu;
}

void TMainForm::OnMenuItem(TComponent* sender)
{
    CommandManager().ExecuteCommand(static_cast<int32_t>(sender->Tag));
}

TDocument* TMainForm::GetActiveDocument()
{
    TForm* child = ActiveMDIChild();
    auto* window = dynamic_cast<TDocumentForm*>(child);
    if (!window || !Dispatcher() || Dispatcher()->DocumentCount() == 0)
        return nullptr;
    return window->Document;
}

void TMainForm::LayoutChildren()
{
    if (!HandleAllocated())
        return;
    RECT r;
    GetClientRect(Handle(), &r);
    const TOptions& o = CurrentOptions();
    int bottom = r.bottom;
    const bool statusShown = o.View.StatusBar && !FullScreen;
    if (FStatusBar) {
        ShowWindow(FStatusBar, statusShown ? SW_SHOW : SW_HIDE);
        if (statusShown) {
            SendMessageA(FStatusBar, WM_SIZE, 0, 0);
            RECT s;
            GetWindowRect(FStatusBar, &s);
            bottom -= s.bottom - s.top;
            const int w = r.right;
            int parts[StatusPanelCount] = {
                w * 30 / 100, w * 55 / 100, w * 63 / 100, w * 72 / 100, w * 72 / 100 + 100, w - 60, -1};
            SendMessageA(FStatusBar, SB_SETPARTS, StatusPanelCount, reinterpret_cast<LPARAM>(parts));
            UpdateStatusHints();
        }
    }
    int top = ToolbarManager() ? ToolbarManager()->PlaceToolbars(r.right) : 0;
    const bool barShown = o.View.DocBtnBar && !FullScreen;
    const int barHeight = ScaleToScreen(26);
    DocButtonBar->SetVisible(barShown);
    if (barShown) {
        if (o.View.DocBtnBarAlign == 1) {
            DocButtonBar->SetBounds(0, 0, r.right, barHeight);
            top = barHeight;
        } else {
            bottom -= barHeight;
            DocButtonBar->SetBounds(0, bottom, r.right, barHeight);
        }
    }
    if (ClientHandle())
        MoveWindow(ClientHandle(), 0, top, r.right, std::max(0, bottom - top), TRUE);
}

void TMainForm::ApplyStatusMode()
{
    if (!FStatusBar)
        return;
    const bool simple = FStatusMode != 0;
    SendMessageA(FStatusBar, SB_SIMPLE, simple, 0);
    if (simple)
        SendMessageA(FStatusBar, SB_SETTEXTA, 255 | SBT_NOBORDERS,
                     reinterpret_cast<LPARAM>(FStatusText.c_str()));
    const bool progress = FStatusMode == 1 && CurrentOptions().View.StatusBar && !FullScreen;
    if (progress) {
        HDC dc = GetDC(FStatusBar);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(FStatusBar, WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32A(dc, FStatusText.c_str(), static_cast<int>(FStatusText.size()), &extent);
        SelectObject(dc, old);
        ReleaseDC(FStatusBar, dc);
        SetWindowPos(FProgressBar, nullptr, extent.cx + 20, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    ShowWindow(FProgressBar, progress ? SW_SHOW : SW_HIDE);
    if (!simple)
        UpdateStatusPanels();
}

void TMainForm::SetStatusMode(int mode)
{
    FStatusMode = mode;
    ApplyStatusMode();
}

void TMainForm::SetStatusText(const std::string& text)
{
    FStatusText = text;
    ApplyStatusMode();
}

void TMainForm::PushStatusText()
{
    if (FStatusNesting++ == 0) {
        FSavedStatusMode = FStatusMode;
        FSavedStatusText = FStatusText;
    }
}

void TMainForm::PopStatusText()
{
    if (FStatusNesting > 0 && --FStatusNesting == 0) {
        FStatusText = FSavedStatusText;
        SetStatusMode(FSavedStatusMode);
    }
}

void TMainForm::SetTimedStatus(const std::string& text)
{
    FStatusText = text;
    SetStatusMode(2);
    if (HandleAllocated())
        SetTimer(Handle(), TimedStatusTimer, 5000, nullptr);
    Flags |= mffTimedStatus;
}

void TMainForm::ClearTimedStatus()
{
    if (!(Flags & mffTimedStatus))
        return;
    if (HandleAllocated())
        KillTimer(Handle(), TimedStatusTimer);
    Flags &= ~mffTimedStatus;
    SetStatusMode(0);
}

void TMainForm::BeginProgress(int total, const std::string& text)
{
    if (!CurrentOptions().View.StatusBar || FullScreen)
        return;
    FProgressTotal = total;
    FProgressLast = 0;
    FStatusText = text;
    SendMessageA(FProgressBar, PBM_SETPOS, 0, 0);
    SetStatusMode(1);
    Flags |= mffProgress;
}

void TMainForm::StepProgress(int position)
{
    if (!(Flags & mffProgress) || FProgressTotal <= 0)
        return;
    const int bar = static_cast<int>(int64_t(position) * 25 / FProgressTotal);
    if (bar <= FProgressLast)
        return;
    FProgressLast = bar;
    SendMessageA(FProgressBar, PBM_SETPOS, bar, 0);
}

void TMainForm::EndProgress(bool fill)
{
    if (!(Flags & mffProgress))
        return;
    if (fill)
        SendMessageA(FProgressBar, PBM_SETPOS, 24, 0);
    SetStatusMode(0);
    Flags &= ~mffProgress;
}

void TMainForm::UpdateWindowCaptions()
{
    if (!Dispatcher())
        return;
    for (int i = 0; i < Dispatcher()->DocumentCount(); ++i) {
        TDocument* document = Dispatcher()->Document(i);
        if (!document->Window)
            continue;
        std::string caption = document->FileName;
        if (!CurrentOptions().General.FullPaths) {
            const size_t slash = caption.find_last_of("\\/");
            if (slash != std::string::npos)
                caption.erase(0, slash + 1);
        }
        if (document->OpenedFromCopy)
            caption = Format("%s (copie)", caption);
        else if (document->OpenedReadOnly)
            caption = Format("%s (en lecture seule)", caption);
        else if (Dispatcher()->IsRestored(document))
            caption = Format("%s (récupéré)", caption);
        document->Window->SetCaption(caption);
    }
    CommandManager().DirtyFlags |= cdWindowList;
    InvalidateCommands();
}

void TMainForm::UpdateAutosaveTimer()
{
    const int minutes = CurrentOptions().LoadSave.AutoSave;
    if (minutes == AutosaveMinutes || !HandleAllocated())
        return;
    KillTimer(Handle(), AutosaveTimer);
    Flags &= ~mffAutosaveTimer;
    if (minutes > 0) {
        SetTimer(Handle(), AutosaveTimer, static_cast<UINT>(minutes) * 60000, nullptr);
        Flags |= mffAutosaveTimer;
    }
    AutosaveMinutes = minutes;
}

void TMainForm::UpdateInterface()
{
    if (Flags & mffRefreshSuspended)
        return;
    // The run-time lists of the menus follow the open documents.
    if (Flags & mffDocumentsChanged) {
        Flags &= ~mffDocumentsChanged;
        CommandManager().DirtyFlags |= cdFileHistory | cdWindowList;
    }
    Flags &= ~(mffRefreshPending | mffDocumentRefresh);
    if (Dispatcher())
        Dispatcher()->ApplyDocumentViewSettings(GetActiveDocument());
    UpdateStatusPanels();
    if (ToolbarManager())
        ToolbarManager()->UpdateAllToolbars();
    TDocument* active = GetActiveDocument();
    if (Flags & mffRebuildDocBar) {
        Flags &= ~mffRebuildDocBar;
        while (DocButtonBar->ButtonCount() > 0)
            DocButtonBar->RemoveButton(0);
        if (Dispatcher())
            for (int i = 0; i < Dispatcher()->DocumentCount(); ++i)
                DocButtonBar->AddDocument(Dispatcher()->Document(i), Dispatcher()->Document(i)->FileName,
                                          Dispatcher()->Document(i)->GetModeFlag(mfPiggyBank));
    }
    DocButtonBar->SetActiveDocument(active);
}

void TMainForm::MinimizeToTray()
{
    if (Flags & mffInTray)
        return;
    UpdateInterface();
    PostMessageA(Handle(), WM_SHOWWINDOW, FALSE, 1);
    ShowWindow(Handle(), SW_HIDE);
    ShowWindow(Application->Handle(), SW_HIDE);
    AddTrayIcon();
    Flags |= mffInTray;
}

void TMainForm::RestoreFromTray()
{
    if (!(Flags & mffInTray))
        return;
    TriggerEvent(4440);
    ShowWindow(Handle(), SW_SHOW);
    ShowWindow(Application->Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    Flags &= ~mffInTray;
}

void TMainForm::AddTrayIcon()
{
    if (Flags & mffTrayIcon)
        return;
    NOTIFYICONDATAA data{};
    data.cbSize = 88;
    data.hWnd = Handle();
    data.uID = 0;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAYICON;
    data.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    lstrcpynA(data.szTip, Application->Title().c_str(), sizeof(data.szTip));
    Shell_NotifyIconA(NIM_ADD, &data);
    Flags |= mffTrayIcon;
}

void TMainForm::RemoveTrayIcon()
{
    if (!(Flags & mffTrayIcon) || !HandleAllocated())
        return;
    NOTIFYICONDATAA data{};
    data.cbSize = 88;
    data.hWnd = Handle();
    data.uID = 0;
    Shell_NotifyIconA(NIM_DELETE, &data);
    Flags &= ~mffTrayIcon;
}

intptr_t TMainForm::HandleInstanceRequest(int request, intptr_t lparam)
{
    if (Application->Terminated() || StartupMode == 2)
        return 0;
    TDocDispatcher* dispatcher = Dispatcher();
    switch (request) {
    case 0:
        RestoreFromTray();
        if (IsIconic(Handle()))
            ShowWindow(Handle(), SW_RESTORE);
        SetForegroundWindow(Handle());
        return 0;
    case 1:
        if (CurrentOptions().General.NewDocAtStartUp && dispatcher && dispatcher->DocumentCount() == 0)
            CommandManager().ExecuteCommand(100);
        if (CurrentOptions().Internal.AdviseAtStartUp && dispatcher &&
            (dispatcher->DocumentCount() == 0 ||
             (dispatcher->DocumentCount() == 1 && dispatcher->IsNewDocument(dispatcher->Document(0)) &&
              !dispatcher->Document(0)->IsModified())))
            Flags |= mffShowTips;
        return 0;
    case 2: {
        const bool enabled = IsWindowEnabled(Handle());
        const int count = dispatcher ? dispatcher->DocumentCount() : 0;
        TDocument* active = GetActiveDocument();
        return enabled && count < TDocDispatcher::MaxDocuments && (!active || !active->IsViewBusy()) ? 1 : 0;
    }
    case 3:
    case 4: {
        char path[1025] = "";
        GlobalGetAtomNameA(static_cast<ATOM>(lparam), path, sizeof(path));
        const bool opened = dispatcher && dispatcher->OpenFile(path);
        SetForegroundWindow(Handle());
        if (request == 4 && opened) {
            CommandManager().ExecuteCommand(280);
            CommandManager().ExecuteCommand(140);
        }
        return opened ? 1 : 0;
    }
    case 5:
        if (Flags & mffInTray)
            return 2;
        return IsIconic(Handle()) ? 1 : 0;
    case 6: {
        char text[300] = "";
        GlobalGetAtomNameA(static_cast<ATOM>(lparam), text, sizeof(text));
        return Format("Session: %s", SessionName) == text ? 1 : 0;
    }
    case 7: ShowWindow(Handle(), SW_MINIMIZE); return 0;
    case 8:
        if (IsTrayInstanceRunning())
            PostQuitMessage(0);
        else
            MinimizeToTray();
        return 0;
    }
    return 0;
}

void TMainForm::HandleFatalException(const Exception& e)
{
    if (FInEmergency)
        return;
    TDocDispatcher* dispatcher = Dispatcher();
    if (!dispatcher || !dispatcher->InDelicateOperation()) {
        ShowError(Format("Anomalie :||%s.", e.Message));
        return;
    }
    // The document cannot be trusted any more: it is closed, after an emergency save when it changed.
    FInEmergency = true;
    TDocument* document = dispatcher->DelicateDocument();
    document->DiscardLayout();
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(Handle(), &placement);
    ShowWindow(Handle(), SW_MINIMIZE);
    ShowError(Format("Message d'exception||\"%s\"||apparu lors de l'exécution d'une opération délicate. Le "
                     "document \"%s\" doit être fermé.",
                     e.Message, document->FileName));
    if (document->IsModified() &&
        MessageDlgEx(
            Format("Le document \"%s\" a été modifié. Quillpad pourrait essayer d'enregistrer le présent "
                   "document dans un autre dossier. Enregistrer ce document ?",
                   document->FileName),
            mtError, mbYesNo) == mrYes) {
        const std::string& name = document->FileName;
        const size_t dot = name.find_last_of('.');
        const size_t slash = name.find_last_of("\\/");
        const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
        const std::string target = Format("%s_Sauvegarde d'urgence", hasExt ? name.substr(0, dot) : name) +
                                   (hasExt ? name.substr(dot) : std::string());
        if (SaveDocumentToNamedFile(*document, target, 0) != 0)
            ShowError(Format("Impossible d'enregistrer le fichier \"%s\".", target));
    }
    try {
        dispatcher->CloseDocument(document, false);
    } catch (...) {}
    dispatcher->ResetDelicateOperation();
    FInEmergency = false;
    Flags &= ~mffRefreshPending;
    SetWindowPlacement(Handle(), &placement);
}

bool TMainForm::CloseQuery()
{
    if (TClipboardManager* clipboard = GetClipboardManager())
        if (!clipboard->QueryCloseApp())
            return false;
    Flags |= mffCloseQuery;
    const bool allowed = TForm::CloseQuery();
    Flags &= ~(mffCloseQuery | mffSessionEnding);
    return allowed;
}

void TMainForm::DeferredStartUp()
{
    StartingUp = false;
    if (CurrentOptions().Internal.AdviseAtStartUp && StartupDocuments.empty())
        Flags |= mffShowTips;
    CommandManager().AnnounceNewCommands();
    TDocDispatcher* dispatcher = Dispatcher();
    if (dispatcher)
        for (int i = dispatcher->DocumentCount() - 1; i >= 0; --i)
            dispatcher->Document(i)->ScrollToFirstText();
    UpdateInterface();
}

void TMainForm::Timer(UINT id)
{
    if (Application->Terminated() || StartingUp)
        return;
    TDocument* active = GetActiveDocument();
    switch (id) {
    case 1:
        if (active && !active->IsViewBusy() && active->WantsBackgroundPagination() &&
            CommandManager().LastCommandOlderThan(300)) {
            PushStatusText();
            active->PaginateSlice(SystemClock());
            PopStatusText();
        }
        // Statistics shown in headers and footers are counted again once the user pauses; the pages
        // drawn then show them.
        if (active && CommandManager().LastCommandOlderThan(3000) && active->UpdateStatisticsFields())
            active->Invalidate();
        break;
    case 2:
        GetFontManager().SortFontCache();
        GetKerningPairsManager().SortByUse();
        break;
    case 4: {
        // The shared off-screen bitmap follows the widest page shown; unneeded, it shrinks step by step.
        TOffscreenSurface* bitmap = SharedLineBuffer();
        const TDocDispatcher* dispatcher = Dispatcher();
        if (!dispatcher || dispatcher->DocumentCount() == 0) {
            if (bitmap->Width() != 0 || bitmap->Height() != 0)
                bitmap->SetSize(0, 0);
            break;
        }
        int32_t width = 0;
        for (int i = 0; i < dispatcher->DocumentCount(); ++i)
            width = std::max(width, dispatcher->Document(i)->ViewState.Grid.PageWidth);
        if (width >= bitmap->Width() && bitmap->Height() < 2)
            break;
        bitmap->SetSize(width, bitmap->Height() / 2);
        break;
    }
    case 5:
        if (active && !active->IsViewBusy() && CommandManager().LastCommandOlderThan(300)) {
            active->ReformatingManager->ReformatPending();
            if (Dispatcher())
                Dispatcher()->ApplyDocumentColors(active);
        }
        break;
    case TimedStatusTimer:
        // A document being replaced keeps the text until it is there.
        if (!(Flags & mffKeepStatus))
            ClearTimedStatus();
        break;
    case AutosaveTimer:
        if (Dispatcher())
            Dispatcher()->AutosaveAll();
        break;
    case 15:
        // The spell-check picture of a document being checked turns.
        if (active) {
            AnimationFrame = (AnimationFrame + 1) % 6;
            if (active->SpellState == 5)
                InvalidateCommands();
        }
        break;
    }
}

void TMainForm::ApplicationIdle(bool& done)
{
    done = true;
    if (Application->Terminated() || StartingUp)
        return;
    if (Flags & mffClipboardChanged) {
        if (--FClipboardCountdown <= 0) {
            FClipboardCountdown = 20;
            Flags &= ~mffClipboardChanged;
            // The history or the piggy bank takes the new content.
            if (TClipboardManager* clipboard = GetClipboardManager())
                clipboard->ClipboardChanged();
        }
        done = false;
    }
    if (Flags & (mffRefreshPending | mffDocumentRefresh | mffRebuildDocBar | mffDocumentsChanged))
        UpdateInterface();
    if (Flags & mffShowTips) {
        // Cleared first: a tips window that cannot show must not come back at every pass.
        Flags &= ~mffShowTips;
        TSoundManager* sounds = GetSoundManager();
        if (sounds)
            sounds->SuspendSounds();
        struct TResume {
            TSoundManager* Sounds;
            ~TResume()
            {
                if (Sounds)
                    Sounds->ResumeSounds();
            }
        } resume{sounds};
        CommandManager().ExecuteCommand(101100);
    }
    if (!(Flags & mffInTray) && CommandManager().LastCommandOlderThan(200))
        RemoveTrayIcon();
}

void TMainForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_SIZE:
        TForm::WndProc(message);
        LayoutChildren();
        return;
    case WM_COMMAND:
        if (message.LParam == 0 && FMainMenu && HIWORD(message.WParam) == 0) {
            if (TMenuItem* item = FMainMenu->FindCommand(LOWORD(message.WParam))) {
                item->Click();
                return;
            }
        }
        DefaultHandler(message);
        return;
    case WM_SYSCOMMAND:
        if ((message.WParam & 0xFFF0) == TrayCommand || message.WParam == TrayCommand) {
            CommandManager().ExecuteCommand(90120);
            return;
        }
        break;
    case WM_WINDOWPOSCHANGING: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(message.LParam);
        if (Application->Terminated() || FInEmergency ||
            (pos->flags & (SWP_NOSIZE | SWP_NOMOVE)) == (SWP_NOSIZE | SWP_NOMOVE))
            break;
        if (!(pos->flags & SWP_NOSIZE)) {
            pos->cx = std::max(pos->cx, 350);
            pos->cy = std::max(pos->cy, 320);
        }
        // The tray button follows the caption, from the new place or size or the current ones.
        RECT now{};
        GetWindowRect(Handle(), &now);
        if (TrayButton)
            TrayButton->PlaceOnCaption(pos->flags & SWP_NOMOVE ? now.left : pos->x,
                                       pos->flags & SWP_NOMOVE ? now.top : pos->y,
                                       pos->flags & SWP_NOSIZE ? now.right - now.left : pos->cx);
        break;
    }
    case WM_WINDOWPOSCHANGED:
        if (!Application->Terminated()) {
            const bool shown = IsWindowVisible(Handle()) && !IsIconic(Handle()) && !FullScreen;
            if (TrayButton && (shown || TrayButton->HandleAllocated()))
                SetWindowPos(TrayButton->Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                                 (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        }
        break;
    case WM_INITMENUPOPUP:
        if (HIWORD(message.LParam) == 0 && RefreshMenuPopup(reinterpret_cast<HMENU>(message.WParam)))
            return;
        break;
    case WM_TIMER: Timer(static_cast<UINT>(message.WParam)); return;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        if (FStatusBar && item->hwndItem == FStatusBar) {
            DrawStatusPanel(*item);
            message.Result = 1;
            return;
        }
        break;
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
        if (FStatusBar && header->hwndFrom == FStatusBar &&
            (header->code == NM_DBLCLK || header->code == NM_RCLICK)) {
            const auto* mouse = reinterpret_cast<const NMMOUSE*>(message.LParam);
            if (header->code == NM_DBLCLK)
                StatusBarDoubleClicked(mouse->pt.x, mouse->pt.y);
            else
                StatusBarRightClicked(mouse->pt.x, mouse->pt.y);
            message.Result = 1;
            return;
        }
        break;
    }
    case WM_DRAWCLIPBOARD:
        if (!Application->Terminated()) {
            InvalidateCommands();
            if (!StartingUp)
                Flags |= mffClipboardChanged;
        }
        if (FNextViewer)
            SendMessageA(FNextViewer, message.Msg, message.WParam, message.LParam);
        return;
    case WM_CHANGECBCHAIN:
        if (reinterpret_cast<HWND>(message.WParam) == FNextViewer)
            FNextViewer = reinterpret_cast<HWND>(message.LParam);
        else if (FNextViewer)
            SendMessageA(FNextViewer, message.Msg, message.WParam, message.LParam);
        return;
    case WM_DROPFILES: {
        auto drop = reinterpret_cast<HDROP>(message.WParam);
        std::vector<std::string> files;
        const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            char name[MAX_PATH] = "";
            DragQueryFileA(drop, i, name, MAX_PATH);
            files.push_back(name);
        }
        DragFinish(drop);
        if (Dispatcher())
            Dispatcher()->DropFiles(files, false);
        return;
    }
    case WM_INSTANCE:
        message.Result = HandleInstanceRequest(static_cast<int>(message.WParam & 127), message.LParam);
        return;
    case WM_TRAYICON:
        if (message.LParam == WM_LBUTTONDBLCLK) {
            CommandManager().ExecuteCommand(90140);
        } else if (message.LParam == WM_RBUTTONUP) {
            POINT p;
            GetCursorPos(&p);
            SetForegroundWindow(Handle());
            ShowPopupMenu("SYSTRAY", p.x, p.y);
            PostMessageA(Handle(), WM_NULL, 0, 0);
        }
        return;
    case WM_DEFERREDSTARTUP: DeferredStartUp(); return;
    // Keys of the main window itself go to the shortcuts; a system-wide hot key runs its command.
    case CN_KEYDOWN:
        HotKeyManager().WMKeyDown(message);
        if (message.Result == 0)
            break;
        return;
    case CN_SYSKEYDOWN:
        HotKeyManager().WMSysKeyDown(message);
        if (message.Result == 0)
            break;
        return;
    case WM_SYSCHAR:
        HotKeyManager().WMSysChar(message);
        if (message.Result == 0)
            break;
        return;
    case WM_HOTKEY: CommandManager().ExecuteCommand(static_cast<int32_t>(message.WParam)); return;
    case WM_QUERYENDSESSION:
        Flags |= mffSessionEnding;
        if (!CloseQuery()) {
            message.Result = 0;
            return;
        }
        SaveAllSettings();
        while (Dispatcher() && Dispatcher()->DocumentCount() > 0)
            Dispatcher()->CloseDocument(Dispatcher()->Document(Dispatcher()->DocumentCount() - 1), false);
        message.Result = 1;
        return;
    case WM_MDIACTIVATE: break;
    }
    TForm::WndProc(message);
}
