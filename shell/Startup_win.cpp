// The program's main block: start-up in its order, the message loop, shutdown in its order.
#include "shell/Startup.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Format.h"
#include "classlib/windowing/Forms.h"
#include "core/CmdLine.h"
#include "core/DataFolder.h"
#include "core/Events.h"
#include "core/Fonts.h"
#include "core/Instance.h"
#include "core/Languages.h"
#include "core/Messages.h"
#include "core/OptionsHolder.h"
#include "core/PathUtils.h"
#include "core/ProgramFolder.h"
#include "core/SettingsStorage.h"
#include "core/SharedObjects.h"
#include "core/SystemDefaults.h"
#include "core/Sounds.h"
#include "dialogs/OneShotSwitches.h"
#include "document/Document.h"
#include "core/Codings.h"
#include "shell/CommandManager.h"
#include "shell/DocDisp.h"
#include "shell/HotKeys.h"
#include "shell/MainForm.h"
#include "shell/Splash.h"
#include "shell/ToolbarManager.h"
#include "tools/AutocorrectOptions.h"
#include "formats/DocumentMemory.h"
#include "tools/ClipboardManager.h"
#include "shell/AdviseForm.h"
#include "tools/FindReplace.h"
#include "tools/SpellCheck.h"
#include "tools/SpellCheckSystem.h"

std::string RunAfterExitCommand;
TFindReplaceForm* FindReplaceForm = nullptr;

namespace {

// The services of the program, created in the order of start-up.
struct TServices {
    std::unique_ptr<TSoundManager> Sounds;
    std::unique_ptr<TClipboardManager> Clipboard;
    std::unique_ptr<TAutocorrectLangOptionsManager> Autocorrect;
    std::unique_ptr<TOptionsHolder> Options;
    std::unique_ptr<TToolbarManager> Toolbars;
    std::unique_ptr<TFindReplaceForm> FindReplace;
    std::unique_ptr<TDocDispatcher> Dispatcher;
    std::unique_ptr<TCodingManager> Codings;
};

void PlaceMainWindow(const TOptionsHolder& holder)
{
    const TMainWindowPlacement& p = holder.Owners.MainWnd;
    MainForm->SetBounds(p.X, p.Y, p.CX, p.CY);
}

void ShowMainWindow()
{
    const TMainWindowPlacement& p = GetOptionsHolder()->Owners.MainWnd;
    MainForm->UpdateInterface();
    MainForm->Show();
    if (p.State == 2)
        ShowWindow(MainForm->Handle(), SW_MAXIMIZE);
    MainForm->UpdateInterface();
}

// What the settings keep of the main window and the dispatcher before they are written.
void CollectOwnerValues(TOptionsHolder& holder, TServices& services)
{
    TOptionsOwnerValues& owners = holder.Owners;
    if (MainForm && MainForm->HandleAllocated()) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        GetWindowPlacement(MainForm->Handle(), &placement);
        const RECT& r = placement.rcNormalPosition;
        owners.MainWnd = {static_cast<uint8_t>(IsZoomed(MainForm->Handle()) ? 2 : 0), r.left, r.top,
                          r.right - r.left, r.bottom - r.top};
    }
    if (services.Dispatcher) {
        owners.DocsToReload =
            CurrentOptions().LoadSave.ReloadDocs ? services.Dispatcher->OpenDocumentList() : "";
        TDocument* active = MainForm ? MainForm->GetActiveDocument() : nullptr;
        owners.ReloadDocToActivate = active ? active->FileName : "";
    }
    if (services.FindReplace) {
        owners.FindHistory = services.FindReplace->FindHistory;
        owners.ReplaceHistory = services.FindReplace->ReplaceHistory;
        owners.FindTextFlags = services.FindReplace->Flags;
    }
    owners.SpellCheckSystems = SpellCheckSettings().SystemListText();
    owners.FontHistory = GetFontManager().HistoryText();
    owners.HotKeyOverrides = HotKeyManager().GetOverrides();
}

// The languages of the installed spell checkers whose settings can be read, in the list's order.
std::vector<int32_t> SpellCheckerLanguages()
{
    std::vector<int32_t> languages;
    for (const auto& system : SpellCheckManager()->Systems)
        if (system->SettingsLoaded || system->LoadSettings(false))
            languages.push_back(system->Language);
    return languages;
}

TServices* Running = nullptr;

void RunStartupAndLoop(TServices& services)
{
    // One-shot switches: each runs when given, then the program ends without a word.
    if (CmdLineSwitchPresent(swUninstall))
        services.Sounds->SuspendSounds();
    if (RunOneShotSwitches())
        Abort();

    const bool tray = CmdLineSwitchPresent(swSystemTray);
    if (tray && IsTrayInstanceRunning())
        Abort();
    SessionName = GetSessionName();
    if (!tray && HandOverToRunningInstance())
        Abort();

    services.Options = std::make_unique<TOptionsHolder>();
    std::unique_ptr<TSettingsStorage> store = OpenSettingsForLoad();
    store->OpenSection("General");
    CurrentOptions().General.ShowSplash = store->ReadBool("ShowSplash", true);
    HotKeyManager().SetOverrides(store->ReadBinary("HotKeyOverrides_fr"));
    if (!tray && CurrentOptions().General.ShowSplash)
        ShowSplash();
    TriggerEvent(200);
    CreateSharedObjects();

    Application->SetTitle(SessionName.empty() ? "Quillpad 1.5"
                                              : Format("%s - <%s>", "Quillpad 1.5", SessionName));
    services.Toolbars = std::make_unique<TToolbarManager>();
    auto* mainForm = new TMainForm(nullptr);
    Application->MainForm = mainForm;

    store->OpenSection("Internal\\Menus");
    CurrentOptions().Internal.ShowHotKeys = store->ReadBool("ShowHotKeys", true);
    CurrentOptions().Internal.MainMenu = store->ReadBinary("MainMenu_Fr");
    store->Root = SettingsRoot;
    mainForm->HandleNeeded();
    mainForm->CreateMainMenu();
    services.Toolbars->CreatePopupMenus();
    services.FindReplace = std::make_unique<TFindReplaceForm>();
    FindReplaceForm = services.FindReplace.get();
    services.Dispatcher = std::make_unique<TDocDispatcher>();
    services.Codings = std::make_unique<TCodingManager>();
    CodingManager = services.Codings.get();

    TOptionsHolder& holder = *services.Options;
    // After the options editor: the windows, the bars and the spell checker follow the new options.
    holder.OnApply = [] {
        MainForm->UpdateWindowCaptions();
        MainForm->UpdateAutosaveTimer();
        MainForm->RealignChildren();
        if (ToolbarManager())
            ToolbarManager()->RebuildToolbars();
        SpellCheckManager()->RestartSystems();
        MainForm->InvalidateCommands();
    };
    holder.Load(*store);
    services.FindReplace->FindHistory = holder.Owners.FindHistory;
    services.FindReplace->ReplaceHistory = holder.Owners.ReplaceHistory;
    services.FindReplace->Flags = holder.Owners.FindTextFlags;
    SpellCheckSettings().LoadSystemList(holder.Owners.SpellCheckSystems);
    // The dispatcher reached the spell-check manager before the list was read.
    SpellCheckManager()->LoadSystems();
    LanguageManager().LoadHistory(*store, SystemDefaults().UserLocale, SpellCheckerLanguages);
    store.reset();
    GetFontManager().SetHistoryText(holder.Owners.FontHistory);
    PlaceMainWindow(holder);
    mainForm->UpdateAutosaveTimer();
    services.Toolbars->RebuildToolbars();

    const bool recovery = services.Dispatcher->FindRecoveryFiles();
    bool late = true;
    if (!tray && (recovery || !holder.Owners.DocsToReload.empty() || StartupMode == 1 || StartupMode == 2)) {
        ShowMainWindow();
        services.Toolbars->RebuildToolbars();
        late = false;
    }
    if (CmdLineSwitchPresent(swFullScreen)) {
        TSoundsSuspended quiet;
        CommandManager().ExecuteCommand(7000);
    }
    if (StartupMode == 2)
        CloseSplash();
    services.Dispatcher->OpenStartupDocuments();
    if (tray)
        mainForm->MinimizeToTray();
    PostMessageA(mainForm->Handle(), WM_DEFERREDSTARTUP, 0, 0);
    CloseSplash();
    mainForm->UpdateInterface();
    if (late && !tray) {
        ShowMainWindow();
        services.Toolbars->RebuildToolbars();
    }

    HotKeyManager().RegisterHotKeys();
    while (!Application->Terminated())
        Application->HandleMessage();
    HotKeyManager().UnregisterHotKeys();

    // Shutdown.
    mainForm->RemoveTrayIcon();
    SaveAllSettings();
    CodingManager = nullptr;
    services.Codings.reset();
    services.Dispatcher.reset();
    FindReplaceForm = nullptr;
    services.FindReplace.reset();
    FreeAdviseManager();
    services.Options.reset();
    services.Clipboard.reset();
    delete mainForm;
    Application->MainForm = nullptr;
    services.Toolbars.reset();
    DestroySharedObjects();
    services.Sounds->Asynchronous = false;
    TriggerEvent(220);
    services.Sounds->Asynchronous = true;
    services.Autocorrect.reset();
    services.Sounds.reset();
}

} // namespace

void SaveAllSettings()
{
    TOptionsHolder* holder = GetOptionsHolder();
    if (!Running || !holder)
        return;
    CollectOwnerValues(*holder, *Running);
    holder->Save();
}

int ProgramMainBlock()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    SetDataFolder(ProgramFolder());
    ReadVersionInfo();
    TServices services;
    services.Sounds = std::make_unique<TSoundManager>();
    LoadCommandLine();
    ParseCommandLine();
    services.Clipboard = std::make_unique<TClipboardManager>();
    services.Clipboard->TargetDocument = [] { return CommandManager().GetDocument(); };
    services.Clipboard->RunCommand = [](int32_t command) { CommandManager().ExecuteCommand(command); };
    // The paste commands are enabled by what the clipboard manager can paste.
    CommandManager().QueryClipboard = [clipboard = services.Clipboard.get()](bool& available) {
        if (!clipboard->OpenClipboard())
            return false;
        available = clipboard->CanPaste();
        clipboard->CloseClipboard();
        return true;
    };
    InstallRangeCopier();
    SpellCheckSettings();
    services.Autocorrect = std::make_unique<TAutocorrectLangOptionsManager>();
    int exitCode = 0;
    Running = &services;
    try {
        RunStartupAndLoop(services);
    } catch (const EAbort&) {
        // The silent end: nothing is saved and no service is freed in order.
        services.Dispatcher.release();
        services.Options.release();
    } catch (const Exception& e) {
        ShowErrorMessage(Format("Anomalie :||%s.", e.Message));
        exitCode = 1;
    } catch (const std::exception& e) {
        ShowErrorMessage(Format("Anomalie :||%s.", e.what()));
        exitCode = 1;
    }
    Running = nullptr;
    if (!RunAfterExitCommand.empty())
        WinExec(RunAfterExitCommand.c_str(), SW_SHOW);
    DeleteTempFiles();
    return exitCode;
}
