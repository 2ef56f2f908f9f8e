// The main frame window: the MDI frame of the document windows with its menu, status bar, document bar,
// timers, tray icon, clipboard-viewer link, dropped files and the messages of other running copies.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "classlib/windowing/Forms.h"
#include "classlib/windowing/Menus.h"

class TDocument;
class TButtonBar;
class TMinimizeToSystemTrayForm;

// Flags of the main form: work asked for the next idle pass, and states.
enum TMainFormFlag : uint32_t {
    mffRefreshPending = 0x1,
    mffRefreshSuspended = 0x2,
    mffSpellCheckSuspended = 0x4,
    mffTimedStatus = 0x8,
    mffDocumentRefresh = 0x10,
    mffCursorUpdate = 0x20,
    mffShowHeaderFooter = 0x40,
    mffInTray = 0x80,
    mffTrayIcon = 0x100,
    mffCloseQuery = 0x200,
    mffSessionEnding = 0x400,
    mffKeepStatus = 0x1000,
    mffAutosaveTimer = 0x2000,
    mffClipboardChanged = 0x4000,
    mffShowTips = 0x8000,
    mffRebuildDocBar = 0x10000,
    mffDocumentsChanged = 0x20000,
    mffProgress = 0x400000,
};

// The messages of the main window: from other copies, from the tray icon, and the deferred start-up.
constexpr UINT WM_INSTANCE = WM_USER + 1000;
constexpr UINT WM_TRAYICON = WM_USER + 1010;
constexpr UINT WM_DEFERREDSTARTUP = WM_USER + 1020;

// The panels of the status bar.
constexpr int StatusPanelCount = 7;

// The caret's place for the status bar: "à" its line's distance from the page top in the user's unit, its
// line on the page and its column; empty where the caret has no laid-out line.
std::string CaretPositionText(const TDocument& document);
// The name of a language: "( aucune )" for none, the system's name, or the number of an unknown one.
std::string LanguageName(int32_t language);

class TMainForm : public TForm {
public:
    explicit TMainForm(TComponent* owner);
    ~TMainForm() override;

    TDocument* GetActiveDocument();
    void InvalidateCommands() { Flags |= mffRefreshPending; }
    // Refreshes the status panels, the document bar and the captions (nothing while suspended).
    void UpdateInterface();
    void UpdateWindowCaptions();
    void UpdateAutosaveTimer();
    // Places the status bar, the document bar and the client area for the options in force.
    void RealignChildren() { LayoutChildren(); }

    // The main menu from the "MAIN" menu resource, and the system menu's tray item.
    void CreateMainMenu();
    // A pop-up menu by resource name, loaded on first use, with its lists and states as they are now.
    TPopupMenu* GetPopupMenu(const std::string& name);
    // Shows a pop-up menu with its commands' states at a screen point.
    void ShowPopupMenu(const std::string& name, int x, int y);
    // The menu bar's item tree (its top-level items are the menus of the bar).
    TMenuItem* MainMenuItems() const { return FMainMenu.get(); }
    // A menu of the bar about to open: its lists, states and system items made again; null when the
    // handle is not one of the bar's menus.
    TMenuItem* RefreshMenuPopup(HMENU popup);

    // Status bar: 0 panels, 1 simple text with the progress bar, 2 simple text.
    void SetStatusMode(int mode);
    void SetStatusText(const std::string& text);
    std::string GetStatusText() const { return FStatusText; }
    // The text of a panel: for the state panel one "0" or "1" per state icon, for the spell-check panel
    // the number of its picture's frame.
    std::string PanelText(int panel) const;
    // One "0" or "1" per state icon: new, template, backup available, restored, print preview, encrypted.
    std::string DocumentStates(const TDocument& document) const;
    // The frame of the spell-check status strip that the document's state shows.
    int SpellCheckStatusFrame(const TDocument& document) const;
    // The panel under a point of the status bar, -1 for none; what a double or right click there does.
    int StatusPanelAt(int x, int y) const;
    void StatusBarDoubleClicked(int x, int y);
    void StatusBarRightClicked(int x, int y);
    // The document's bookmarks as a menu, each item going to its bookmark (panels 0 and 1); null when
    // the document has none or a header or footer is being edited.
    TPopupMenu* BookmarkMenu(TDocument& document);
    void PushStatusText();
    void PopStatusText();
    void SetTimedStatus(const std::string& text);
    void ClearTimedStatus();
    void BeginProgress(int total, const std::string& text);
    void StepProgress(int position);
    void EndProgress(bool fill);
    int ProgressPosition() const { return FProgressLast; }
    HWND StatusBarHandle() const { return FStatusBar; }

    void MinimizeToTray();
    void RestoreFromTray();
    void AddTrayIcon();
    void RemoveTrayIcon();

    // The instance request of another copy, answered as WM_INSTANCE answers it.
    intptr_t HandleInstanceRequest(int request, intptr_t lparam);
    // The application's exception handler: an exception inside a delicate document operation closes
    // that document (after an emergency save when it changed); any other is shown as an anomaly.
    void HandleFatalException(const Exception& e);

    TButtonBar* DocButtonBar;
    // The notification-area button on the caption.
    TMinimizeToSystemTrayForm* TrayButton = nullptr;
    uint32_t Flags = 0;
    uint8_t OverwriteMode = 0;
    // 0 text, 1 hand scrolling, 2 format painter, 3 magnifier, 4 highlighter, 5 font colour.
    uint8_t MouseMode = 0;
    bool FullScreen = false;
    int AnimationFrame = 0;
    int AutosaveMinutes = -1;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;
    bool CloseQuery() override;

private:
    void LayoutChildren();
    void UpdateStatusPanels();
    void UpdateStatusHints();
    void DrawStatusPanel(const DRAWITEMSTRUCT& item);
    void ApplicationIdle(bool& done);
    void Timer(UINT id);
    void DeferredStartUp();
    void ApplyStatusMode();
    void OnMenuItem(TComponent* sender);

    HWND FStatusBar = nullptr;
    HWND FStatusHints = nullptr;
    std::string FPanelTexts[StatusPanelCount];
    HWND FProgressBar = nullptr;
    HWND FNextViewer = nullptr;
    HMENU FMenu = nullptr;
    std::unique_ptr<TMenuItem> FMainMenu;
    std::vector<std::pair<std::string, TPopupMenu*>> FPopups;
    std::vector<std::pair<HMENU, TMenuItem*>> FMenuPopups;
    std::unique_ptr<TPopupMenu> FBookmarkMenu;
    int FStatusMode = 0;
    std::string FStatusText;
    int FStatusNesting = 0;
    int FSavedStatusMode = 0;
    std::string FSavedStatusText;
    int FProgressTotal = 0;
    int FProgressLast = 0;
    int FClipboardCountdown = 20;
    bool FInEmergency = false;
};

// The main form while it exists.
extern TMainForm* MainForm;
// Set while start-up is unfinished; the deferred start-up message clears it.
extern bool StartingUp;
// The session name of this copy (empty without one).
extern std::string SessionName;
