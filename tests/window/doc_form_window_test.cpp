// The document window with a document of several pages: its scroll bars after zooming and scrolling, and
// the system caret where the document places its caret.
#include <gtest/gtest.h>

#include <string>

#include "classlib/windowing/Forms.h"
#include "document/Document.h"
#include "document/Page.h"
#include "formats/load/LoadInput.h"
#include "formats/text/PlainText.h"
#include "key_input.h"
#include "shell/DocDisp.h"
#include "window/DocForm.h"
#include "window/Ruler.h"

namespace {

using qptest::TakeFocus;

SCROLLINFO BarInfo(TScrollBar* bar)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(bar->Handle(), SB_CTL, &info);
    return info;
}

// The system caret's rectangle in the client area of the window that owns it.
RECT SystemCaret(HWND& owner)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetCurrentThreadId(), &info);
    owner = info.hwndCaret;
    return info.rcCaret;
}

class DocumentWindow : public testing::Test {
protected:
    void SetUp() override
    {
        Doc = Dispatcher.AddDocument(std::make_unique<TDocument>(false));
        // 300 lines of text, one paragraph each: several pages of the default page.
        std::string text;
        for (int i = 1; i <= 300; ++i)
            text += "Ligne " + std::to_string(i) + " du document, assez longue pour se voir.\r\n";
        TLoadInput input(text.data(), int64_t(text.size()));
        int64_t length = 0;
        ReadPlainTextDocument(*Doc, input, TPlainTextFormats(), length);
        Doc->Relayout();
        Window = Doc->Window;
        Window->SetClientSize(600, 400);
        Window->Show();
        Application->ProcessMessages();
    }
    TDocDispatcher Dispatcher;
    TDocument* Doc = nullptr;
    TDocumentForm* Window = nullptr;
};

TEST_F(DocumentWindow, ScrollBarsFollowZoomAndScrolling)
{
    ASSERT_GE(Doc->Pages.size(), 4u);
    // The view lies between the rulers and the scroll bars.
    const int rulerWidth = Window->VerStraightEdge->Width(), rulerHeight = Window->StraightEdge->Height();
    const int cx = GetSystemMetrics(SM_CXVSCROLL) + rulerWidth;
    const int cy = GetSystemMetrics(SM_CYHSCROLL) + rulerHeight;
    // The view is the client area less the bars; the document lays its grid out for it.
    EXPECT_EQ(Doc->ViewState.ClientWidth, 600 - cx);
    EXPECT_EQ(Doc->ViewState.ClientHeight, 400 - cy);
    SCROLLINFO v = BarInfo(Window->VerScrollBar);
    EXPECT_EQ(v.nMax, Doc->ViewState.Grid.TotalHeight);
    EXPECT_EQ(int(v.nPage), 400 - cy);
    EXPECT_EQ(v.nPos, 0);
    EXPECT_EQ(Window->VerScrollBar->LargeChange, Doc->ViewState.ScrollRanges.VertPage);

    // Scrolling the document moves the bar.
    Doc->SetScrollPos({0, 700});
    EXPECT_EQ(BarInfo(Window->VerScrollBar).nPos, 700);
    // Twice the zoom: a grid twice as high, the bar's range and position with it.
    const int32_t pageHeight = Doc->ViewState.Grid.PageHeight;
    Doc->SetZoom(200);
    EXPECT_NEAR(Doc->ViewState.Grid.PageHeight, 2 * pageHeight, 1);
    v = BarInfo(Window->VerScrollBar);
    EXPECT_EQ(v.nMax, Doc->ViewState.Grid.TotalHeight);
    EXPECT_EQ(v.nPos, Doc->ViewState.ScrollPos.Y);
    EXPECT_NEAR(Doc->ViewState.ScrollPos.Y, 1400, 20);
    const SCROLLINFO h = BarInfo(Window->HorScrollBar);
    EXPECT_EQ(h.nMax, Doc->ViewState.Grid.TotalWidth);
    EXPECT_GT(Doc->ViewState.Grid.TotalWidth,
              Doc->ViewState.ClientWidth); // a page at 200 % is wider than the view

    // The user pages down and drags the horizontal bar: the document follows.
    SendMessageA(Window->Handle(), WM_VSCROLL, SB_PAGEDOWN, LPARAM(Window->VerScrollBar->Handle()));
    EXPECT_EQ(Doc->ViewState.ScrollPos.Y, v.nPos + Doc->ViewState.ScrollRanges.VertPage);
    EXPECT_EQ(BarInfo(Window->VerScrollBar).nPos, Doc->ViewState.ScrollPos.Y);
    SendMessageA(Window->Handle(), WM_HSCROLL, SB_BOTTOM, LPARAM(Window->HorScrollBar->Handle()));
    EXPECT_EQ(Doc->ViewState.ScrollPos.X, Doc->ViewState.Grid.TotalWidth - Doc->ViewState.ClientWidth);

    // Fitted to the page's width the view needs no horizontal bar and takes its room.
    Doc->SetZoomKind(zkPageWidth);
    EXPECT_FALSE(IsWindowVisible(Window->HorScrollBar->Handle()));
    EXPECT_EQ(Doc->ViewState.ClientHeight, 400 - rulerHeight);
    EXPECT_EQ(Doc->ViewState.ZoomPercent, (600 - cx - 20) * 100 / Doc->ViewState.PageExtent[2]);
    EXPECT_EQ(Doc->ViewState.ScrollPos.X, 0);
    Doc->SetZoomKind(zkPercent);
    EXPECT_TRUE(IsWindowVisible(Window->HorScrollBar->Handle()));
    EXPECT_EQ(Doc->ViewState.ClientHeight, 400 - cy);

    // A window made smaller: the view and the bars' page sizes follow.
    Window->SetClientSize(500, 300);
    Application->ProcessMessages();
    EXPECT_EQ(Doc->ViewState.ClientHeight, 300 - cy);
    EXPECT_EQ(int(BarInfo(Window->VerScrollBar).nPage), 300 - cy);
    EXPECT_EQ(BarInfo(Window->VerScrollBar).nMax, Doc->ViewState.Grid.TotalHeight);
}

TEST_F(DocumentWindow, SystemCaretStandsWhereTheCaretIsPlaced)
{
    ASSERT_TRUE(TakeFocus(Window));
    Doc->UpdateCaretShape();
    Window->RecreateCaret();
    Doc->SetCaret(2, 6, 0, 0); // "Ligne 3" : after the 6th character
    HWND owner = nullptr;
    RECT caret = SystemCaret(owner);
    EXPECT_EQ(owner, Window->Handle());
    EXPECT_EQ(caret.left, Doc->CaretState.X - Doc->ViewState.ScrollPos.X + Window->ViewRect.Left);
    EXPECT_EQ(caret.top, Doc->CaretState.Y - Doc->ViewState.ScrollPos.Y + Window->ViewRect.Top);
    EXPECT_EQ(caret.bottom - caret.top, Doc->CaretState.Shape.Height);
    EXPECT_EQ(caret.right - caret.left, Doc->CaretState.Shape.Width);
    EXPECT_TRUE(Doc->IsCaretVisible());

    // A caret far down the document: the view scrolls to show it, the bar and the system caret follow.
    Doc->SetCaret(250, 3, 0, 0);
    EXPECT_GT(Doc->Caret.PageIndex, 1);
    EXPECT_TRUE(Doc->IsCaretVisible());
    EXPECT_GT(Doc->ViewState.ScrollPos.Y, 0);
    EXPECT_EQ(BarInfo(Window->VerScrollBar).nPos, Doc->ViewState.ScrollPos.Y);
    caret = SystemCaret(owner);
    EXPECT_EQ(caret.top, Doc->CaretState.Y - Doc->ViewState.ScrollPos.Y + Window->ViewRect.Top);
    EXPECT_GE(caret.top, 0);
    EXPECT_LE(caret.bottom, Doc->ViewState.ClientHeight + Window->ViewRect.Top);
    // It came from above: it stands at the bottom of the view, the rectangle's margin below it.
    EXPECT_EQ(Doc->CaretRect().Bottom - Doc->ViewState.ScrollPos.Y, Doc->ViewState.ClientHeight);

    // Losing the focus takes the caret away; getting it back makes it again at the caret.
    SetFocus(nullptr);
    Application->ProcessMessages();
    SystemCaret(owner);
    EXPECT_EQ(owner, nullptr);
    ASSERT_TRUE(TakeFocus(Window));
    caret = SystemCaret(owner);
    EXPECT_EQ(owner, Window->Handle());
    EXPECT_EQ(caret.top, Doc->CaretState.Y - Doc->ViewState.ScrollPos.Y + Window->ViewRect.Top);
}

} // namespace

namespace {

TEST_F(DocumentWindow, ThumbNearTheEndLaysOutAQuarterMorePages)
{
    // Four pages laid out of a document that the grid still takes for a hundred.
    Doc->InvalidatePagination();
    Doc->Paginate(0, 3);
    Doc->SetLayoutPageCount(100);
    ASSERT_EQ(Doc->Pages.size(), 4u);
    ASSERT_FALSE(Doc->GetModeFlag(mfPaginationComplete));
    SendMessageA(Window->Handle(), WM_VSCROLL, SB_PAGEDOWN, LPARAM(Window->VerScrollBar->Handle()));
    EXPECT_EQ(Doc->Pages.size(), 4u); // far from the end: nothing more
    SendMessageA(Window->Handle(), WM_VSCROLL, SB_BOTTOM, LPARAM(Window->VerScrollBar->Handle()));
    EXPECT_GE(Doc->Pages.size(), 6u); // up to page 4 + 4 / 4, laid out before the view moved
    EXPECT_EQ(Doc->ViewState.ScrollPos.Y, BarInfo(Window->VerScrollBar).nPos);
}

// For looking at the window as a person would:
//   bash scripts/screenshot.sh docform.png --title Document build/win-x86_64/tests/window_window_tests.exe
//     --gtest_also_run_disabled_tests --gtest_filter=DocumentWindow.DISABLED_Screenshot
// (one command line); it ends by itself after 30 s.
TEST_F(DocumentWindow, DISABLED_Screenshot)
{
    Window->SetCaption("Document");
    Doc->SetZoom(150);
    ASSERT_TRUE(TakeFocus(Window));
    Doc->UpdateCaretShape();
    Window->RecreateCaret();
    Doc->SetCaret(40, 5, 0, 0);
    const DWORD end = GetTickCount() + 30000;
    while (GetTickCount() < end) {
        Application->ProcessMessages();
        Sleep(20);
    }
}

} // namespace
