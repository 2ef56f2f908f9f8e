// Forms and the application: top-level windows with the close protocol and modal loops, and the one
// message loop body that serves the main loop, ProcessMessages and every modal loop.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "classlib/runtime/Exceptions.h"
#include "classlib/windowing/Controls.h"
#include "classlib/windowing/DialogTypes.h"

// What closing does to a form: nothing, hide it, free it (later, at its release), minimise it.
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum TBorderIcon : uint8_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
enum TPosition { poDesigned, poScreenCenter };
// A plain form, a document window inside the main form's MDI client, or the MDI frame itself.
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm };

using TCloseQueryEvent = std::function<void(TComponent* sender, bool& canClose)>;
using TCloseEvent = std::function<void(TComponent* sender, TCloseAction& action)>;

class TForm : public TControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    // Shows the form and runs the modal loop until ModalResult is set (or the application ends);
    // the other windows of the program are disabled meanwhile. Returns the modal result.
    int ShowModal();
    // The close protocol: a modal form gets ModalResult Cancel; another asks CloseQuery, then DoClose
    // chooses the action (hide, or free for the main form, which also ends the application).
    void Close();
    // Frees the form once the messages already queued have been handled.
    void Release();
    bool Modal() const { return FModal; }

    void SetVisible(bool visible) override;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    uint8_t BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(uint8_t icons);
    // Where the form first shows: as placed, or centred on the screen's work area.
    TPosition Position = poDesigned;
    // The form sees key presses before its focused control.
    bool KeyPreview = false;
    // The control focused when the form is activated.
    TControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TControl* control);
    // The MDI client window of a frame form, whose system keys the message loop translates.
    virtual HWND ClientHandle() const { return FClientHandle; }
    // Chosen before the window is made: an MDI child lives in the main form's client window.
    TFormStyle FormStyle = fsNormal;
    // The active MDI child of a frame form, or null.
    TForm* ActiveMDIChild();

    int ModalResult = mrNone;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;
    TNotifyEvent OnShow;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // MDI frames and children pass what they do not handle to the system's MDI procedures.
    void DefaultHandler(TMessage& message) override;
    virtual bool CloseQuery();
    virtual void DoClose(TCloseAction& action);
    virtual void DoShow();

private:
    friend class TApplication;
    void CloseModal();
    void FocusActiveControl();
    bool SendDialogKey(WORD key);

    TFormBorderStyle FBorderStyle = bsSizeable;
    uint8_t FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    TControl* FActiveControl = nullptr;
    HWND FModalOwner = nullptr;
    HWND FClientHandle = nullptr;
    bool FModal = false;
    bool FPlaced = false;
};

// The form a control stands on, or null.
TForm* GetParentForm(TControl* control);

class TApplication : public TComponent {
public:
    TApplication() : TComponent(nullptr) {}
    ~TApplication() override;

    // The application's own hidden window, made on first need; its caption is the title.
    HWND Handle();
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& title);
    // The icon of the application's window and of the forms made from now on: the program's icon
    // resource of that number (forms otherwise show resource 1 from their window class).
    void SetIcon(int resource);
    HICON Icon() const { return FIcon; }
    TForm* MainForm = nullptr;

    // Shows the main form and runs the main loop until the application terminates.
    void Run();
    // Asks the loop to end (the quit message).
    void Terminate();
    // True once the loop has received the quit message.
    bool Terminated() const { return FTerminated; }
    // One turn of the loop: a message when there is one, else the idle step, which waits for the next.
    void HandleMessage();
    // Handles every message waiting, without idling.
    void ProcessMessages();
    // Called inside a catch block: reports the exception being handled (the silent abort excepted)
    // through OnException, or in a message box.
    void HandleException(TComponent* sender);
    void ShowException(const Exception& e);

    // The hint of what the mouse or a menu points at now (a status bar shows it); OnHint fires when
    // it changes.
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& hint);
    TNotifyEvent OnHint;
    // The hint display of controls: a control's non-empty hint shows beside it while the mouse rests
    // on it. Controls keep it up to date as their windows and hints change.
    void UpdateControlHint(TControl* control);
    void RemoveControlHint(HWND wnd);
    // The system's tooltip window that shows control hints; null until a control has a hint.
    HWND HintWindow() const { return FHintWindow; }

    // The pre-filter: sees every message first; Handled stops it there.
    std::function<void(MSG& msg, bool& handled)> OnMessage;
    // Runs when the queue is empty; Done (true at first) false asks to be called again at once.
    std::function<void(TComponent* sender, bool& done)> OnIdle;
    std::function<void(TComponent* sender, const Exception& e)> OnException;

private:
    bool ProcessMessage(MSG& msg);
    bool IsKeyMsg(MSG& msg);
    bool IsDlgMsg(MSG& msg);
    void Idle();
    void RelayToHints(MSG& msg);

    HWND FHandle = nullptr;
    HWND FHintWindow = nullptr;
    HICON FIcon = nullptr;
    std::string FHint;
    std::string FTitle;
    bool FTerminated = false;
};

extern TApplication* Application;
