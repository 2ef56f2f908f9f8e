// The document window's own controls and gestures: the bookmark tabs and where they put the caret, the
// page buttons, the close question, the hand that drags the view and the middle button that scrolls it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/windowing/ExtCtrls.h"
#include "classlib/windowing/Forms.h"
#include "classlib/windowing/TabSet.h"
#include "classlib/windowing/ToolBar.h"
#include "window/BaseForms.h"
#include "core/Messages.h"
#include "core/OptionalMessages.h"
#include "core/Options.h"
#include "core/Styles.h"
#include "document/Document.h"
#include "editing/OperationParams.h"
#include "tests/common/rtf_document.h"
#include "key_input.h"
#include "shell/DocDisp.h"
#include "window/DocForm.h"
#include "window/ScrollHint.h"
#include "window/Ruler.h"

namespace {

// The commands the window ran, through the command manager's hook.
std::vector<int32_t> Commands;

class DocumentWindowControls : public testing::Test {
protected:
    void SetUp() override
    {
        SilentMessages = true;
        SavedView = CurrentOptions().View;
        SavedHook = ExecuteCommandHook;
        Commands.clear();
        ExecuteCommandHook = [](int32_t command) { Commands.push_back(command); };
        // Two bookmarks, at the start and at the end of 120 paragraphs, and a heading among them.
        std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}"
                          "{\\stylesheet{\\s0 Normal;}{\\s1 heading 1;}}"
                          "\\pard {\\*\\bkmkstart Debut}Premier{\\*\\bkmkend Debut} paragraphe.\\par ";
        for (int i = 0; i < 120; ++i)
            rtf += (i == 60 ? std::string("\\pard\\s1 Chapitre deux\\par ") : std::string()) +
                   "\\pard Paragraphe " + std::to_string(i) + " du document, assez long pour se voir.\\par ";
        rtf += "\\pard {\\*\\bkmkstart Fin}Dernier{\\*\\bkmkend Fin} paragraphe.\\par }";
        Doc = Dispatcher.AddDocument(std::make_unique<TDocument>(false));
        ASSERT_TRUE(qptest::LoadRtfText(*Doc, rtf));
        Window = Doc->Window;
        Window->SetClientSize(640, 480);
        Window->Show();
        qptest::TakeFocus(Window);
    }
    void TearDown() override
    {
        CurrentOptions().View = SavedView;
        ExecuteCommandHook = SavedHook;
        MouseToolModeHook = nullptr;
        SilentMessages = true;
    }
    void Send(HWND to, UINT msg, TPoint p, WPARAM keys) { SendMessageA(to, msg, keys, MAKELPARAM(p.X, p.Y)); }
    void ClickControl(TControl* control, TPoint p, bool twice = false)
    {
        Send(control->Handle(), WM_LBUTTONDOWN, p, MK_LBUTTON);
        Send(control->Handle(), WM_LBUTTONUP, p, 0);
        if (twice) {
            Send(control->Handle(), WM_LBUTTONDBLCLK, p, MK_LBUTTON);
            Send(control->Handle(), WM_LBUTTONUP, p, 0);
        }
    }
    RECT Bounds(TControl* control)
    {
        RECT r;
        GetWindowRect(control->Handle(), &r);
        MapWindowPoints(nullptr, Window->Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    TDocDispatcher Dispatcher;
    TDocument* Doc = nullptr;
    TDocumentForm* Window = nullptr;
    TViewOptions SavedView;
    void (*SavedHook)(int32_t) = nullptr;
};

TEST_F(DocumentWindowControls, BookmarkTabsShowTheBookmarksAndGoToThem)
{
    Application->ProcessMessages();
    ASSERT_TRUE(IsWindowVisible(Window->BookmarkTabs->Handle()));
    EXPECT_EQ(Window->BookmarkTabs->Tabs(), (std::vector<std::string>{"Debut", "Fin"}));
    // The tabs along the bottom edge, the horizontal bar just above them (their top lines shared), the
    // page buttons below the vertical bar, the view above all of them.
    const int w = Window->ClientWidth(), h = Window->ClientHeight();
    const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
    const int th = Window->BookmarkTabs->Height();
    EXPECT_EQ(Bounds(Window->BookmarkTabs).top, h - th);
    EXPECT_EQ(Bounds(Window->HorScrollBar).top, h - (th - 1) - cy);
    const RECT panel = Bounds(Window->PageScrollPanel);
    EXPECT_EQ(panel.left, w - cx);
    EXPECT_EQ(panel.bottom, h - (th - 1));
    EXPECT_EQ(panel.bottom - panel.top, cy + 2 * cx);
    EXPECT_EQ(Bounds(Window->VerScrollBar).bottom, panel.top);
    EXPECT_EQ(Window->ViewRect.Bottom, h - cy - (th - 1));

    // A click on the second tab selects its bookmark, far down: the view goes there.
    const RECT tab = Window->BookmarkTabs->TabRect(1);
    ClickControl(Window->BookmarkTabs, TPoint{(tab.left + tab.right) / 2, th / 2});
    EXPECT_EQ(Doc->GetRangeText(Doc->Selection), "Dernier");
    EXPECT_GT(Doc->ViewState.ScrollPos.Y, 0);
    EXPECT_TRUE(Doc->IsCaretVisible());
    // A double click manages the bookmarks.
    ClickControl(Window->BookmarkTabs, TPoint{(tab.left + tab.right) / 2, th / 2}, true);
    EXPECT_EQ(Commands, std::vector<int32_t>{4520});

    // Without the option, no tabs: the bar and the view reach the bottom edge.
    CurrentOptions().View.Bookmarks = false;
    Window->SetClientSize(640, 470);
    Application->ProcessMessages();
    EXPECT_FALSE(IsWindowVisible(Window->BookmarkTabs->Handle()));
    EXPECT_EQ(Bounds(Window->HorScrollBar).bottom, Window->ClientHeight());
    EXPECT_EQ(Window->ViewRect.Bottom, Window->ClientHeight() - cy);
}

TEST_F(DocumentWindowControls, PageButtonsRunThePageCommands)
{
    ClickControl(Window->PageDownSpeedButton, TPoint{3, 3});
    ClickControl(Window->PageUpSpeedButton, TPoint{3, 3});
    EXPECT_EQ(Commands, (std::vector<int32_t>{4226, 4225}));
    // Scroll bars of kind 1 (horizontal only): no vertical bar and no page buttons.
    CurrentOptions().View.ScrollBars = 1;
    Window->SetClientSize(600, 480);
    Application->ProcessMessages();
    EXPECT_FALSE(IsWindowVisible(Window->PageScrollPanel->Handle()));
    EXPECT_FALSE(IsWindowVisible(Window->VerScrollBar->Handle()));
    EXPECT_EQ(Window->ViewRect.Right, 600);
}

TEST_F(DocumentWindowControls, AChangedDocumentAsksBeforeItsWindowCloses)
{
    TInsertTextParams typed;
    typed.Text = "x";
    ExecuteOperation(*Doc, typed);
    ASSERT_TRUE(Doc->IsModified());
    // Cancel (what a silent message answers): the window stays.
    SendMessageA(Window->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindowVisible(Window->Handle()));

    // Yes: the save command runs; a save that fails keeps the window open, one that succeeds closes it.
    SilentMessages = false;
    const uint8_t saved = OptionalMessageAnswer(6);
    SetOptionalMessageAnswer(6, OptionalMessageOff | 0);
    SendMessageA(Window->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Commands, std::vector<int32_t>{180});
    EXPECT_TRUE(IsWindowVisible(Window->Handle()));
    ExecuteCommandHook = [](int32_t command) {
        Commands.push_back(command);
        if (command == 180)
            GetDocDispatcher()->Document(0)->SetModified(false);
    };
    SendMessageA(Window->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(Window->Handle()));

    // No: the window closes without saving.
    Window->Show();
    ExecuteOperation(*Doc, typed);
    Commands.clear();
    SetOptionalMessageAnswer(6, OptionalMessageOff | 1);
    SendMessageA(Window->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(Window->Handle()));
    EXPECT_TRUE(Commands.empty());
    EXPECT_TRUE(Doc->IsModified());
    SetOptionalMessageAnswer(6, saved);
}

TEST_F(DocumentWindowControls, TheHandDragsTheViewAndTheMiddleButtonScrollsIt)
{
    MouseToolModeHook = [] { return 1; };
    const TPoint start{300, 300};
    Send(Window->Handle(), WM_LBUTTONDOWN, start, MK_LBUTTON);
    EXPECT_TRUE(Window->State & dsHandPanning);
    Send(Window->Handle(), WM_MOUSEMOVE, TPoint{290, 180}, MK_LBUTTON);
    EXPECT_EQ(Doc->ViewState.ScrollPos.Y, 120);
    Send(Window->Handle(), WM_MOUSEMOVE, TPoint{300, 250}, MK_LBUTTON);
    EXPECT_EQ(Doc->ViewState.ScrollPos.Y, 50);
    Send(Window->Handle(), WM_LBUTTONUP, TPoint{300, 250}, 0);
    EXPECT_FALSE(Window->State & dsHandPanning);
    Send(Window->Handle(), WM_MOUSEMOVE, TPoint{300, 100}, 0);
    EXPECT_EQ(Doc->ViewState.ScrollPos.Y, 50) << "after the release the view stays";
    MouseToolModeHook = nullptr;

    // The middle button: the view scrolls towards the pointer while it lies beyond the dead zone.
    Send(Window->Handle(), WM_MBUTTONDOWN, start, MK_MBUTTON);
    EXPECT_TRUE(Window->State & dsMiddleAutoscroll);
    Send(Window->Handle(), WM_MOUSEMOVE, TPoint{300, 310}, MK_MBUTTON);
    qptest::PumpFor(150);
    EXPECT_EQ(Doc->ViewState.ScrollPos.Y, 50) << "within the dead zone";
    Send(Window->Handle(), WM_MOUSEMOVE, TPoint{300, 400}, MK_MBUTTON);
    qptest::PumpFor(200);
    const int32_t scrolled = Doc->ViewState.ScrollPos.Y;
    EXPECT_GT(scrolled, 100);
    Send(Window->Handle(), WM_MBUTTONUP, TPoint{300, 400}, 0);
    EXPECT_FALSE(Window->State & dsMiddleAutoscroll);
    qptest::PumpFor(100);
    EXPECT_EQ(Doc->ViewState.ScrollPos.Y, scrolled);
}

TEST_F(DocumentWindowControls, DraggingTheThumbShowsThePageAndItsHeading)
{
    ASSERT_GE(Doc->Pages.size(), 3u);
    // The reader knows "heading 1" as the built-in heading.
    ASSERT_EQ(Doc->StyleList->Styles[1]->Name, "Heading 1");
    ASSERT_EQ(Doc->StyleList->Styles[1]->BuiltInId, 1);
    const HWND bar = Window->VerScrollBar->Handle();
    // The thumb where the view's middle lies on the third page, which comes after the heading.
    const TRect third = Doc->PageRectInGrid(2);
    Window->VerScrollBar->SetPosition((third.Top + third.Bottom) / 2 -
                                      (Window->ViewRect.Bottom - Window->ViewRect.Top) / 2);
    SendMessageA(Window->Handle(), WM_VSCROLL, SB_THUMBTRACK, LPARAM(bar));
    ASSERT_NE(Window->ScrollHint, nullptr);
    EXPECT_TRUE(IsWindowVisible(Window->ScrollHint->Handle()));
    EXPECT_EQ(Window->ScrollHint->Text, "Page 3\nChapitre deux");
    // Back at the top: the first page, no heading before it.
    Window->VerScrollBar->SetPosition(0);
    SendMessageA(Window->Handle(), WM_VSCROLL, SB_THUMBTRACK, LPARAM(bar));
    EXPECT_EQ(Window->ScrollHint->Text, "Page 1");
    SendMessageA(Window->Handle(), WM_VSCROLL, SB_ENDSCROLL, LPARAM(bar));
    EXPECT_FALSE(IsWindowVisible(Window->ScrollHint->Handle()));
}

TEST_F(DocumentWindowControls, APaintDuringAnEditWaitsForItsEnd)
{
    UpdateWindow(Window->Handle());
    const POINT middle{(Window->ViewRect.Left + Window->ViewRect.Right) / 2,
                       (Window->ViewRect.Top + Window->ViewRect.Bottom) / 2};
    auto pixel = [&] {
        HDC dc = GetDC(Window->Handle());
        const COLORREF c = GetPixel(dc, middle.x, middle.y);
        ReleaseDC(Window->Handle(), dc);
        return c;
    };
    const COLORREF painted = pixel();
    auto smear = [&] {
        HDC dc = GetDC(Window->Handle());
        HBRUSH brush = CreateSolidBrush(RGB(0, 255, 0));
        const RECT r{middle.x - 5, middle.y - 5, middle.x + 5, middle.y + 5};
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        ReleaseDC(Window->Handle(), dc);
    };
    smear();
    // Busy: the paint asked for is put off, and the document remembers it.
    Doc->BeginBusy();
    InvalidateRect(Window->Handle(), nullptr, FALSE);
    UpdateWindow(Window->Handle());
    EXPECT_TRUE(Doc->PaintPending);
    EXPECT_EQ(pixel(), RGB(0, 255, 0));
    Doc->BeginBusy();
    Doc->EndBusy();
    EXPECT_TRUE(Doc->PaintPending) << "still inside the outer action";
    // The end of the action asks for it again.
    Doc->EndBusy();
    EXPECT_FALSE(Doc->PaintPending);
    UpdateWindow(Window->Handle());
    EXPECT_EQ(pixel(), painted);
}

// For looking at the window as a person would, with a selection, the rulers and the bookmark tabs:
//   bash scripts/screenshot.sh fenetre.png --title Fenetre build/win-x86_64/tests/window_window_tests.exe
//     --gtest_also_run_disabled_tests --gtest_filter=DocumentWindowControls.DISABLED_Screenshot
// (one command line); it ends by itself after 30 s.
TEST_F(DocumentWindowControls, DISABLED_Screenshot)
{
    Window->SetCaption("Fenetre");
    Window->SetClientSize(800, 600);
    Doc->SetZoom(100);
    qptest::TakeFocus(Window);
    Doc->SetCaret(0, 0, 0, 4);
    qptest::PressKey(VK_DOWN, {VK_SHIFT});
    qptest::PressKey(VK_DOWN, {VK_SHIFT});
    qptest::PressKey(VK_RIGHT, {VK_SHIFT, VK_CONTROL});
    qptest::PumpFor(30000);
}

} // namespace
