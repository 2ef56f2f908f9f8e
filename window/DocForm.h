// The window of one document: the view of its pages between two scroll bars, and its system caret.
#pragma once
#include <string>
#include <vector>

#include "classlib/windowing/Forms.h"
#include "classlib/windowing/ScrollBar.h"
#include "document/DocumentView.h"
#include "window/DocKeyboard.h"
#include "window/DocMouse.h"

class TDocument;
class TField;
class TPage;
class TStraightEdge;
class TDocForm_OLEDragDropManager;
class TPanel;
class TTabSet;
class TToolButton;
class TScrollHintWindow;
struct TBlockSelection;
struct TSpellingWord;
struct TPageMargins;
struct TPageSetup;

// The largest size (pixels) a document window has had in this run.
TPoint LargestDocumentWindowSize();

// The menu resources a context menu joins for a set of its parts, "-" standing for a separator.
std::vector<std::string> ContextMenuNames(uint32_t parts);

// State bits of the window: which mouse or ruler action is under way, and what is suspended.
enum : uint32_t {
    dsScrollBarsSuspended = 0x4000, // the view sets the scroll bars: their changes are not the user's
    dsScrollHintShown = 0x8000,     // the page hint beside the vertical bar shows
};

class TDocumentForm : public TForm, public TDocumentView {
public:
    TDocumentForm(TComponent* owner, TDocument* document);
    ~TDocumentForm() override;

    // Places the scroll bars for the client area (the horizontal one hidden while the zoom fits the
    // page's or the text's width), then their page sizes.
    void LayoutControls();
    // The view: the client area less the scroll bars shown; its size goes to the document.
    void CalcViewRect();
    void SetScrollPageSizes();
    // A point of the client area as a point of the document's view, and back.
    TPoint ClientToDoc(TPoint p) const;
    TPoint DocToClient(TPoint p) const;
    // The caret is made again from the document's caret shape and shown when it may be.
    void RecreateCaret();
    // Marks the caret to be shown at the next occasion when it may be shown now.
    void UpdateCaretPending();
    // A new child window of the main window: its restored place, cascaded from the one before.
    void PlaceNewWindow();
    bool CaretShown() const { return FCaretShown; }

    TDocument* Document; // not owned: the document owns its window
    TScrollBar* HorScrollBar;
    TScrollBar* VerScrollBar;
    // One tab per bookmark of the main text; a click goes to it, a double click manages the bookmarks.
    TTabSet* BookmarkTabs;
    // Below the vertical scroll bar: the previous-page and next-page buttons.
    TPanel* PageScrollPanel;
    TToolButton* PageUpSpeedButton;
    TToolButton* PageDownSpeedButton;
    // The page hint beside the vertical bar while its thumb is dragged; made at the first drag.
    TScrollHintWindow* ScrollHint = nullptr;
    // Fills the bookmark tabs from the document's bookmarks when they changed, and lays the controls out
    // again when the tabs appear or go.
    void UpdateBookmarkTabs();
    // Goes to the bookmark of a tab: its text selected, or the caret at an empty one.
    void GoToBookmarkTab(int index);
    TRect ViewRect{};
    uint32_t State = 0;

    // What the document asks of its window.
    TPoint ViewOrigin() override { return TPoint{ViewRect.Left, ViewRect.Top}; }
    bool HasFocus() override { return Focused(); }
    void RelayoutWindow() override;
    void DropMouseState() override { CancelMouseMode(); }
    void HideDocCaret() override;
    void ShowDocCaret() override;
    void FlushDeferredPaint() override;
    void ScrollContents(int32_t dx, int32_t dy) override;
    void InvalidateView() override;
    void InvalidateViewRect(const TRect& r) override;
    void DrawOnView(const std::function<void(TDrawSurface&)>& draw) override;
    void SetScrollRanges(const TScrollRanges& ranges, TPoint pos) override;
    void SetScrollBarPositions(TPoint pos) override;
    // Brings the rulers shown up to date with the caret (Ruler_win.cpp).
    void UpdateRulers() override;
    void CreateSystemCaret(const TCaretShape& shape) override;
    void SetSystemCaretPos(TPoint client) override;
    void DestroySystemCaret() override;
    void InvertCaretRect(const TRect& client, const TCaretShape& shape) override;

    // --- Mouse input (DocHitTest_win.cpp, DocMouse_win.cpp, ClickAndType_win.cpp) ---
    // What lies under a client point.
    THitResult HitTest(TPoint client);
    // The steps a double click at the hit would run to put the caret there (into the hit's record).
    void ComputeClickAndType(THitResult& hit, TPage& page, const TPageSetup& ps, const TPageMargins& margins);
    // The client rectangle of the object at a position; which of its eight handles holds a point (0: none).
    bool ObjectClientRect(const TTextPos& position, TRect& rect);
    static int ObjectHandleAt(const TRect& r, TPoint p);
    // Handles the mouse messages after the class library; true when the message is used up.
    bool MouseMessage(TMessage& message);
    void MouseDown(TPoint p, WPARAM keys);
    void MouseMove(TPoint p, WPARAM keys);
    void MouseUp(TPoint p, WPARAM keys);
    void MouseDoubleClick(TPoint p, WPARAM keys);
    void MouseWheel(int delta, WPARAM keys, TPoint p);
    // Ends every mouse gesture and its feedback.
    void CancelMouseMode();
    // The right button: the caret or the selection for the place, then the context menu for it
    // (DocContextMenu_win.cpp); the context menu asked from the keyboard at a screen point.
    void RightButtonDown(TPoint p, WPARAM keys);
    void ContextMenuFromKeyboard(TPoint screen);
    // Whether the spelling menu is for the caret: spelling is checked as you type with its mistakes
    // underlined, and the word at the caret (checked again when asked) is flagged.
    bool SpellingMenuApplies(bool checkAgain, TSpellingWord& word);
    // Opens the spelling menu of the word at the caret at a screen point: its suggestions and what can be
    // done with the word, or what can be done for a language that has no checker.
    void ShowSpellingPopup(TPoint screen, const TSpellingWord& word);
    // The main window's view tool: the zoom steps around the point, which stays under the pointer.
    void ViewToolClick(TPoint p, int32_t step);
    // The character-format picker: the format of the text under the point goes to the format palette and
    // the tool ends (DocMouseTools_win.cpp).
    void PickCharFormat(TPoint p);
    // The hint over a link: a hyperlink's target, or "#" and the bookmark of a page reference.
    static std::string LinkHint(const THitResult& hit);
    // The menu resource of one of the window's controls (rulers, scroll bars, tabs, page buttons).
    std::string ControlMenu(HWND control);
    // Follows a hyperlink, or goes to the bookmark of a page reference whose result is a link.
    void FollowLink(const TField& field);

    // --- Keyboard input and typing (DocKeyboard_win.cpp, DocTyping_win.cpp) ---
    // The key-down of the focused window: shortcuts first, then the navigation keys.
    void KeyDown(WORD& key, uint32_t shift) override;
    // A typed character (32 to 255) becomes an edit of the document; false when it was not used.
    bool KeyChar(uint8_t ch);
    TKeyboardState Keyboard;
    TMouseGesture Mouse;
    // The horizontal and the vertical ruler (owned as components).
    TStraightEdge* StraightEdge = nullptr;
    TStraightEdge* VerStraightEdge = nullptr;
    // The drop target registered for the window while it has a handle (DropTarget_win.cpp).
    TDocForm_OLEDragDropManager* DropTarget = nullptr;
    std::string LastRectangleText; // the text of the last Alt+drag rectangle
    // Drags of the main window's own drag source (its clip library): the pointer came in (the drop
    // point shows as for a drop from another program), moves over the window (false when the drag is
    // not the main window's), and drops the clip at the drop point.
    void OwnDragEnter();
    bool FormDragOver(HWND source, TPoint client);
    void FormDragDrop();

protected:
    void CreateParams(TCreateParams& params) override;
    // The close question: a changed document is saved, or not, or stays open.
    bool CloseQuery() override;
    void DoClose(TCloseAction& action) override;
    // The drop target is registered with the window's handle and revoked before it goes.
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;

private:
    // The plain key messages after the class library (Esc, Ctrl, the context-menu key) and the characters;
    // true when the message is used up.
    bool KeyMessage(TMessage& message);
    void NavigationKey(WORD key, uint32_t shift);
    void MoveCaretTo(TTextPos target);
    void PageKey(WORD key);
    void CtrlPageKey(WORD key);
    // Up or Down past the edited header or footer: editing goes to the neighbouring one.
    void MoveToNeighbourHeaderFooter(bool down);
    friend class TStraightEdge;
    friend class TDocForm_OLEDragDropManager;
    void ReleaseDropTarget();
    // The caret marks the drop point of a drag coming from outside the window.
    void PrepareExternalDrop();
    // The window may act for its document: it has one, and the document is built.
    bool CanEdit() const;
    void UpdateAfterResize();
    void Paint();
    void HorScrollBarChange();
    void VerScrollBarChange();

    void StartUnitSelection(const TTextRange& range, int unit);
    void SelectRange(const TTextRange& range, const TTextPos& caret);
    TTextRange UnitRangeAt(const THitResult& hit);
    void ExtendSelectionTo(const THitResult& hit);
    // The page hint while the vertical thumb is dragged (ScrollHint_win.cpp).
    int32_t ScrollHintPage(int32_t thumb);
    std::string ScrollHintText(int32_t page);
    void TrackScrollHint();
    void HideScrollHint();
    int32_t ScrollHintShownPage = -1;
    int MouseToolMode() const;
    void PanView(TPoint p);
    void MiddleButtonDown(TPoint p);
    void MiddleAutoscroll();
    void CheckDragAutoscroll(TPoint p);
    void DragAutoscroll();
    TRect RectFrame() const;
    void DrawRectFrame();
    TBlockSelection RectangleBlock(const TRect& frame);
    void FinishRectangle(const TMouseGesture& gesture);
    void CopyTextToClipboard(const std::string& text);
    void StartResizing(const THitResult& hit, TPoint p);
    void DrawResizeFrame();
    void ScalePictureByMouse(TPoint p);
    void ApplyPictureScale(const TMouseGesture& gesture);

    HBITMAP FCaretBitmap = nullptr;
    bool FHasCaret = false;
    bool FCaretShown = false;
    bool FCaretPending = false;
};
