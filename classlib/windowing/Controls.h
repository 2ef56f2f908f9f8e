// Controls: C++ objects that each keep a real window, made when first needed from the state kept here
// so that it can be made again, and served by one window procedure for every window.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/graphics/Graphics.h"
#include "classlib/windowing/Component.h"

// A window message as a control's WndProc sees it; Result is what the window procedure returns.
struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

// Messages of the class library. CM_ messages go between controls; CN_ + a system message is a
// notification that a parent received and reflected to the child it came from, or a key message
// offered to the focused control before the system translates it.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_RELEASE = CM_BASE + 1;   // a form frees itself
constexpr UINT CM_DIALOGKEY = CM_BASE + 2; // WParam: VK_RETURN or VK_ESCAPE; Result 1 when used
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;

// Shift state of a key event: a set of these bits.
enum TShiftState : uint32_t { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
uint32_t KeyboardShiftState();

using TKeyEvent = std::function<void(TComponent* sender, WORD& key, uint32_t shift)>;

// What CreateWindowEx gets for a control.
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    // The window class the library registers for the control, and the system class it extends (null
    // for a class of the library's own).
    const char* ClassName = nullptr;
    const char* SystemClass = nullptr;
    UINT ClassStyle = CS_DBLCLKS;
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // The parent window's control; children are listed in creation (tab) order. Parents do not own
    // their children: owners do.
    TControl* Parent() const { return FParent; }
    void SetParent(TControl* parent);
    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int index) const { return FControls[index]; }

    // The window, made (with the parent's, and with every child's) on first need.
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }
    // Destroys the window (and the children's) keeping their state, and makes them again.
    void RecreateWnd();
    void DestroyHandle();

    // Bounds in pixels: in the parent's client area for a child, on the screen for a form.
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { SetBounds(left, FTop, FWidth, FHeight); }
    void SetTop(int top) { SetBounds(FLeft, top, FWidth, FHeight); }
    void SetWidth(int width) { SetBounds(FLeft, FTop, width, FHeight); }
    void SetHeight(int height) { SetBounds(FLeft, FTop, FWidth, height); }
    int ClientWidth();
    int ClientHeight();
    // Sets the outer size so that the client area has this size.
    void SetClientSize(int width, int height);

    std::string Caption() const;
    void SetCaption(const std::string& text);
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool tabStop);
    // The font; a control whose ParentFont is set takes its parent's font and follows its changes.
    TFont& Font() { return FFont; }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool parentFont);
    TColor Color() const { return FBrush.Color(); }
    void SetColor(TColor color);

    // Shown beside the control while the mouse rests on it, and as the application's hint; empty
    // for none.
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& hint);

    bool Focused() const { return FHandle && GetFocus() == FHandle; }
    void SetFocus();
    void Invalidate();
    void Update();
    // Sends a message straight to the control's WndProc.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // The control of a window, or null for a window that is not one of the library's.
    static TControl* FindControl(HWND wnd);

    TNotifyEvent OnClick;
    TKeyEvent OnKeyDown;

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // Keeps what the window alone knows (its text) and destroys it.
    virtual void DestroyWnd();
    virtual void WndProc(TMessage& message);
    // The window class's own handling of a message.
    virtual void DefaultHandler(TMessage& message);
    // Fires OnClick.
    virtual void Click();
    // Fires OnKeyDown; a key set to 0 is used up.
    virtual void KeyDown(WORD& key, uint32_t shift);
    // Passes a notification from a child window to that child (as CN_ + the message); true when it
    // was one.
    bool ReflectNotification(TMessage& message);
    TBrush& Brush() { return FBrush; }

private:
    static LRESULT CALLBACK StdWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateHandle();
    void ReadBounds();
    void FontChanged();
    void TakeParentFont();

    HWND FHandle = nullptr;
    WNDPROC FDefWndProc = nullptr;
    TControl* FParent = nullptr;
    std::vector<TControl*> FControls;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    std::string FCaption;
    std::string FHint;
    bool FVisible = true;
    bool FEnabled = true;
    bool FTabStop = false;
    bool FParentFont = true;
    bool FTakingParentFont = false;
    int FId;
    TFont FFont;
    TBrush FBrush{clBtnFace};
};

// A control with a window class of the library's own, painted by Paint through its canvas. The message
// loop gives the dialog manager the keys that a control does not claim: one that wants arrows, Tab or
// Enter answers WM_GETDLGCODE.
class TCustomControl : public TControl {
public:
    explicit TCustomControl(TComponent* owner) : TControl(owner) {}
    TCanvas& Canvas() { return FCanvas; }

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    virtual void Paint() {}

private:
    TCanvas FCanvas;
};

// Calls Fn for every control below Root (not Root itself), parents before their children.
void ForEachChild(TControl* root, const std::function<void(TControl*)>& fn);
