// The document window under real mouse and key input: links followed on a click, the context menus of the
// right button and of the keyboard, Up, Down and the page keys moving between headers and footers, and
// what the window takes from the main window (activation, the cached frame, the main window's drags).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/windowing/ExtCtrls.h"
#include "classlib/windowing/Forms.h"
#include "classlib/windowing/ToolBar.h"
#include "core/Messages.h"
#include "document/Document.h"
#include "document/Field.h"
#include "document/Page.h"
#include "editing/HeaderFooterEditing.h"
#include "formats/load/DocumentLoad.h"
#include "tests/common/rtf_document.h"
#include "key_input.h"
#include "shell/DocDisp.h"
#include "tests/common/test_support.h"
#include "window/BaseForms.h"
#include "window/DocForm.h"
#include "window/DocWindowHost.h"
#include "window/Ruler.h"

namespace {

using qptest::PressKey;

// What the window asked of the main window.
struct TRecordingHost : TDocWindowHost {
    void ExecuteCommandWithArg(int32_t command, intptr_t argument) override
    {
        Variants.emplace_back(command, reinterpret_cast<const char*>(argument));
    }
    void ShowContextMenu(const std::vector<std::string>& menus, int x, int y) override
    {
        Menus.push_back(menus);
        MenuPoint = POINT{x, y};
    }
    void DocumentActivated(TDocument* document) override { Activated.push_back(document); }
    HBITMAP CachedFrame(HWND& from) override
    {
        from = FrameFrom;
        return Frame;
    }
    HWND DragSourceWindow() override { return DragSource; }

    std::vector<std::pair<int32_t, std::string>> Variants;
    std::vector<std::vector<std::string>> Menus;
    POINT MenuPoint{};
    std::vector<TDocument*> Activated;
    HBITMAP Frame = nullptr;
    HWND FrameFrom = nullptr;
    HWND DragSource = nullptr;
};

std::vector<int32_t> Commands;

class DocumentContext : public testing::Test {
protected:
    void SetUp() override
    {
        SilentMessages = true;
        SetDocWindowHost(&Host);
        SavedHook = ExecuteCommandHook;
        Commands.clear();
        ExecuteCommandHook = [](int32_t command) { Commands.push_back(command); };
        // A bookmark, a link to it, a page reference that is a link, a link address written out, a date
        // field, then enough paragraphs for several pages, under a header and a footer.
        std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}"
                          "{\\header \\pard Entete\\par}{\\footer \\pard Pied\\par}"
                          "\\pard Aller au {\\*\\bkmkstart but}but{\\*\\bkmkend but}.\\par "
                          "\\pard Lire {\\field{\\*\\fldinst HYPERLINK \"#but\"}{\\fldrslt le but}} ici et "
                          "{\\field{\\*\\fldinst PAGEREF but \\\\h}{\\fldrslt 1}} fin.\\par "
                          "\\pard Voir www.exemple.fr pour plus.\\par "
                          "\\pard Un {\\field{\\*\\fldinst DATE}{\\fldrslt 11/12/2026}} champ.\\par ";
        for (int i = 0; i < 150; ++i)
            rtf += "\\pard Paragraphe " + std::to_string(i) + " du document, assez long pour se voir.\\par ";
        rtf += "}";
        Doc = Dispatcher.AddDocument(std::make_unique<TDocument>(false));
        ASSERT_TRUE(qptest::LoadRtfText(*Doc, rtf));
        Window = Doc->Window;
        Window->SetClientSize(800, 600);
        Window->Show();
        ASSERT_TRUE(qptest::TakeFocus(Window));
    }
    void TearDown() override
    {
        ExecuteCommandHook = SavedHook;
        SetDocWindowHost(nullptr);
        if (Host.Frame)
            DeleteObject(Host.Frame);
    }
    // A client point a third into the character after a text position: its nearest boundary is the
    // position itself.
    TPoint PointAt(int32_t par, int32_t offset)
    {
        Doc->SetCaret(par, offset, 0, 4);
        Doc->MakeCaretVisible(1);
        const TPoint left{Doc->CaretState.X + Doc->CaretState.Shape.XOffset,
                          Doc->CaretState.Y + Doc->CaretState.Shape.Height / 2};
        Doc->SetCaret(par, offset + 1, 0, 4);
        const TPoint right{Doc->CaretState.X + Doc->CaretState.Shape.XOffset, left.Y};
        return Window->DocToClient(TPoint{left.X + (right.X - left.X) / 3, left.Y});
    }
    void Send(UINT msg, TPoint p, WPARAM keys)
    {
        SendMessageA(Window->Handle(), msg, keys, MAKELPARAM(p.X, p.Y));
    }
    void Click(TPoint p, WPARAM keys = 0)
    {
        Send(WM_LBUTTONDOWN, p, MK_LBUTTON | keys);
        Send(WM_LBUTTONUP, p, keys);
    }
    void RightClick(TPoint p)
    {
        Send(WM_RBUTTONDOWN, p, MK_RBUTTON);
        Send(WM_RBUTTONUP, p, 0);
    }
    std::string Place(const TTextPos& p)
    {
        return std::to_string(p.ParIndex) + ":" + std::to_string(p.Offset);
    }

    TRecordingHost Host;
    TDocDispatcher Dispatcher;
    TDocument* Doc = nullptr;
    TDocumentForm* Window = nullptr;
    void (*SavedHook)(int32_t) = nullptr;
};

TEST_F(DocumentContext, AClickOnALinkFollowsIt)
{
    // A hyperlink to a bookmark: the caret goes to the bookmark when the button comes up there.
    Click(PointAt(1, 7));
    EXPECT_EQ(Place(Doc->Caret), "0:9");
    // A press that moves off the link before coming up follows nothing.
    const TPoint link = PointAt(1, 7), elsewhere = PointAt(1, 14), reference = PointAt(1, 19);
    Doc->SetCaret(2, 0, 0, 4);
    Send(WM_LBUTTONDOWN, link, MK_LBUTTON);
    Send(WM_MOUSEMOVE, elsewhere, MK_LBUTTON);
    Send(WM_LBUTTONUP, elsewhere, 0);
    EXPECT_EQ(Doc->Caret.ParIndex, 2);
    // A page reference whose result is a link goes to its bookmark too.
    Doc->SetCaret(2, 0, 0, 4);
    Click(reference);
    EXPECT_EQ(Place(Doc->Caret), "0:9");
    EXPECT_TRUE(Host.Variants.empty());
}

TEST_F(DocumentContext, CtrlClickOnALinkAddressOpensIt)
{
    Click(PointAt(2, 8), MK_CONTROL);
    ASSERT_EQ(Host.Variants.size(), 1u);
    EXPECT_EQ(Host.Variants[0].first, 202500);
    EXPECT_EQ(Host.Variants[0].second, "www.exemple.fr");
    EXPECT_FALSE(Doc->HasSelection());
    // Ctrl+click on plain text selects the sentence, as before.
    Click(PointAt(3, 1), MK_CONTROL);
    EXPECT_EQ(Host.Variants.size(), 1u);
    EXPECT_EQ(Doc->GetRangeText(Doc->Selection), "Un 11/12/2026 champ.");
}

TEST_F(DocumentContext, TheRightButtonComposesTheMenuForThePlace)
{
    using TNames = std::vector<std::string>;
    const TNames text{"CLIPBRD", "-", "TXTFMT"};
    struct TCase {
        const char* What;
        int32_t Par, Offset;
        TNames Menus;
        const char* Caret; // where the caret goes
    };
    const std::vector<TCase> cases = {
        {"plain text", 5, 3, text, "5:3"},
        {"a hyperlink", 1, 7, {"CLIPBRD", "-", "HLINK"}, "1:7"},
        {"another field", 3, 5, {"CLIPBRD", "-", "FIELD"}, "3:5"},
    };
    for (const TCase& c : cases) {
        Doc->SetCaret(0, 0, 0, 4);
        Host.Menus.clear();
        const TPoint p = PointAt(c.Par, c.Offset);
        Doc->SetCaret(0, 0, 0, 4);
        RightClick(p);
        ASSERT_EQ(Host.Menus.size(), 1u) << c.What;
        EXPECT_EQ(Host.Menus[0], c.Menus) << c.What;
        EXPECT_EQ(Place(Doc->Caret), c.Caret) << c.What;
        POINT screen{p.X, p.Y};
        ClientToScreen(Window->Handle(), &screen);
        EXPECT_EQ(Host.MenuPoint.x, screen.x) << c.What;
        EXPECT_EQ(Host.MenuPoint.y, screen.y) << c.What;
    }
    // Inside the selection the selection stays, and the text menu comes with the clipboard's.
    const TPoint inside = PointAt(5, 3);
    Doc->Select(5, 0, 5, 10, 0);
    Host.Menus.clear();
    RightClick(inside);
    ASSERT_EQ(Host.Menus.size(), 1u);
    EXPECT_EQ(Host.Menus[0], text);
    EXPECT_EQ(Doc->GetRangeText(Doc->Selection), "Paragraphe");
    // Outside every page no menu opens.
    Host.Menus.clear();
    Doc->SetScrollPos(TPoint{0, 0});
    RightClick(TPoint{Window->ViewRect.Left + 2, Window->ViewRect.Top + 2});
    EXPECT_TRUE(Host.Menus.empty());
}

TEST_F(DocumentContext, TheContextKeyOpensTheMenuForTheCaret)
{
    Doc->SetCaret(5, 3, 0, 4);
    PressKey(VK_APPS);
    ASSERT_EQ(Host.Menus.size(), 1u) << "one menu, not one for the key-down and one for the key-up";
    EXPECT_EQ(Host.Menus[0], (std::vector<std::string>{"CLIPBRD", "-", "TXTFMT"}));
    RECT r;
    GetWindowRect(Window->Handle(), &r);
    EXPECT_EQ(Host.MenuPoint.x, r.left + (r.right - r.left) / 3);
    EXPECT_EQ(Host.MenuPoint.y, r.top + (r.bottom - r.top) / 3);
    // In a hyperlink the link's menu takes the text menu's place.
    Doc->SetCaret(1, 7, 0, 4);
    PressKey(VK_APPS);
    ASSERT_EQ(Host.Menus.size(), 2u);
    EXPECT_EQ(Host.Menus[1], (std::vector<std::string>{"CLIPBRD", "-", "HLINK"}));
    // The table of contents' menu follows the link's without a separator.
    EXPECT_EQ(ContextMenuNames(0x1 | 0x8 | 0x10), (std::vector<std::string>{"CLIPBRD", "-", "HLINK", "TOC"}));
}

TEST_F(DocumentContext, TheWindowsControlsHaveTheirMenus)
{
    // A right click on the ruler comes to the window as the system's context-menu message.
    SendMessageA(Window->StraightEdge->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 5));
    SendMessageA(Window->StraightEdge->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(40, 5));
    ASSERT_EQ(Host.Menus.size(), 1u);
    EXPECT_EQ(Host.Menus[0], std::vector<std::string>{"RULER"});
    const struct {
        TControl* Control;
        const char* Menu;
    } controls[] = {{Window->VerStraightEdge, "VERRULER"},
                    {Window->HorScrollBar, "HSCRLBAR"},
                    {Window->VerScrollBar, "VSCRLBAR"},
                    {Window->PageDownSpeedButton, "DOC"}};
    for (const auto& c : controls) {
        Host.Menus.clear();
        SendMessageA(Window->Handle(), WM_CONTEXTMENU, WPARAM(c.Control->Handle()), MAKELPARAM(300, 200));
        ASSERT_EQ(Host.Menus.size(), 1u) << c.Menu;
        EXPECT_EQ(Host.Menus[0], std::vector<std::string>{c.Menu});
        EXPECT_EQ(Host.MenuPoint.x, 300);
    }
}

TEST_F(DocumentContext, UpAndDownMoveBetweenHeadersAndFooters)
{
    ASSERT_GE(Doc->Pages.size(), 3u);
    ToggleHeaderFooterEditing(*Doc, 0, nullptr);
    ASSERT_NE(Doc->EditedHeaderFooter, nullptr);
    ASSERT_EQ(Doc->EditedHeaderFooter, Doc->Pages[0]->HeaderField);
    struct TStep {
        WORD Key;
        int32_t Page;
        bool Header;
    };
    const std::vector<TStep> steps = {
        {VK_DOWN, 0, false}, // the header's footer on its page
        {VK_DOWN, 1, true},  // the next page's header
        {VK_UP, 0, false},   // back to the footer before it
        {VK_UP, 0, true},    // and the header of that page
        {VK_UP, 0, true},    // nothing before the first page
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        PressKey(steps[i].Key);
        const TPage& page = *Doc->Pages[size_t(steps[i].Page)];
        EXPECT_EQ(Doc->EditedHeaderFooterPage, steps[i].Page) << "step " << i;
        EXPECT_EQ(Doc->EditedHeaderFooter, steps[i].Header ? page.HeaderField : page.FooterField)
            << "step " << i;
        EXPECT_FALSE(Doc->IsOutsideEditedStory(Doc->Caret.ParIndex)) << "step " << i;
    }
    // Shift+Up on the story's first line only selects to its start.
    PressKey(VK_END);
    PressKey(VK_UP, {VK_SHIFT});
    EXPECT_EQ(Doc->EditedHeaderFooter, Doc->Pages[0]->HeaderField);
    EXPECT_TRUE(Doc->HasSelection());
}

TEST_F(DocumentContext, PageDownInAHeaderGoesToTheFooterItMeets)
{
    ToggleHeaderFooterEditing(*Doc, 0, nullptr);
    Doc->SetScrollPos(TPoint{0, 0});
    Window->Keyboard = TKeyboardState{};
    PressKey(VK_NEXT);
    EXPECT_EQ(Doc->EditedHeaderFooterPage, 0);
    EXPECT_EQ(Doc->EditedHeaderFooter, Doc->Pages[0]->FooterField);
    EXPECT_GT(Doc->ViewState.ScrollPos.Y, 0);
    for (int i = 0; i < 4; ++i)
        PressKey(VK_NEXT);
    EXPECT_GT(Doc->EditedHeaderFooterPage, 0) << "further pages' headers and footers";
    EXPECT_NE(Doc->EditedHeaderFooter, nullptr);
    // Ctrl+PgDn leaves header and footer editing.
    PressKey(VK_NEXT, {VK_CONTROL});
    EXPECT_EQ(Doc->EditedHeaderFooter, nullptr);
}

TEST_F(DocumentContext, ThePagePanelIsPaintedInTheFaceColour)
{
    // Both bars shown: the square below the page buttons, beside the horizontal bar.
    ASSERT_TRUE(Window->PageScrollPanel->Visible());
    ASSERT_TRUE(Window->HorScrollBar->Visible());
    RedrawWindow(Window->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
    HDC dc = GetDC(Window->PageScrollPanel->Handle());
    const COLORREF square = GetPixel(dc, cx / 2, 2 * cx + cy / 2);
    ReleaseDC(Window->PageScrollPanel->Handle(), dc);
    EXPECT_EQ(square, GetSysColor(COLOR_BTNFACE));
}

TEST_F(DocumentContext, ActivationAndTheCachedFrame)
{
    // The main window's part of the activation, and the focus.
    SetFocus(nullptr);
    SendMessageA(Window->Handle(), WM_MDIACTIVATE, 0, LPARAM(Window->Handle()));
    ASSERT_EQ(Host.Activated.size(), 1u);
    EXPECT_EQ(Host.Activated[0], Doc);
    EXPECT_EQ(GetFocus(), Window->Handle());
    // Another window's activation is not this one's.
    SendMessageA(Window->Handle(), WM_MDIACTIVATE, WPARAM(Window->Handle()), 0);
    EXPECT_EQ(Host.Activated.size(), 1u);

    // While the main window's cached frame is in use the window shows it instead of the document.
    HDC screen = GetDC(nullptr);
    Host.Frame = CreateCompatibleBitmap(screen, 1200, 1000);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, Host.Frame);
    RECT all{0, 0, 1200, 1000};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(memory, &all, red);
    DeleteObject(red);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    Host.FrameFrom = Window->Handle();
    InvalidateRect(Window->Handle(), nullptr, FALSE);
    UpdateWindow(Window->Handle());
    HDC dc = GetDC(Window->Handle());
    const TPoint middle{(Window->ViewRect.Left + Window->ViewRect.Right) / 2,
                        (Window->ViewRect.Top + Window->ViewRect.Bottom) / 2};
    EXPECT_EQ(GetPixel(dc, middle.X, middle.Y), RGB(255, 0, 0));
    Host.FrameFrom = nullptr;
    InvalidateRect(Window->Handle(), nullptr, FALSE);
    UpdateWindow(Window->Handle());
    EXPECT_NE(GetPixel(dc, middle.X, middle.Y), RGB(255, 0, 0));
    ReleaseDC(Window->Handle(), dc);
}

TEST_F(DocumentContext, DragsOfTheMainWindowsOwnSource)
{
    // The page buttons' panel stands for the main window's drag source.
    TControl& source = *Window->PageScrollPanel;
    // No drag of the main window's: nothing is accepted.
    EXPECT_FALSE(Window->FormDragOver(source.Handle(), PointAt(5, 3)));
    Host.DragSource = source.Handle();
    EXPECT_FALSE(Window->FormDragOver(Window->Handle(), PointAt(5, 3))) << "another control's drag";
    Doc->SetCaret(0, 0, 0, 4);
    const TPoint target = PointAt(6, 4);
    Doc->SetCaret(0, 0, 0, 4);
    Window->OwnDragEnter();
    EXPECT_TRUE(Window->FormDragOver(source.Handle(), target));
    EXPECT_EQ(Place(Doc->Caret), "6:4") << "the caret marks the drop point";
    Window->FormDragDrop();
    EXPECT_EQ(Commands, std::vector<int32_t>{5200});
    EXPECT_EQ(Place(Doc->Caret), "6:4");
    EXPECT_EQ(Window->State & dsMouseGestures, 0u);
}

} // namespace
