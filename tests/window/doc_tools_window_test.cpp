// The main window's view tool and character-format picker under the document window's mouse, and the
// hints over links, driven by real mouse messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Messages.h"
#include "document/Document.h"
#include "doc_window_fixture.h"
#include "key_input.h"
#include "shell/DocDisp.h"
#include "window/BaseForms.h"
#include "window/DocForm.h"
#include "window/DocWindowHost.h"

namespace {

int ToolMode = 0;
std::vector<int32_t> Commands;

// The zoom steps of the view tool are applied; picked formats are kept.
struct TToolHost : TDocWindowHost {
    void ExecuteCommandWithArg(int32_t command, intptr_t argument) override
    {
        Steps.emplace_back(command, int32_t(argument));
        if (command == 206200 && Doc)
            Doc->SetZoom(Doc->ViewState.ZoomPercent + int32_t(argument));
    }
    void AddPaletteFormat(const TCharFormat& format) override { Picked.push_back(format); }
    TDocument* Doc = nullptr;
    std::vector<std::pair<int32_t, int32_t>> Steps;
    std::vector<TCharFormat> Picked;
};

class DocumentTools : public testing::Test {
protected:
    void SetUp() override
    {
        SilentMessages = true;
        SetDocWindowHost(&Host);
        SavedHook = ExecuteCommandHook;
        Commands.clear();
        ToolMode = 0;
        ExecuteCommandHook = [](int32_t command) { Commands.push_back(command); };
        MouseToolModeHook = [] { return ToolMode; };
        std::string rtf =
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}\\f0\\fs24 "
            "\\pard Aller au {\\*\\bkmkstart but}but{\\*\\bkmkend but} {\\b gras} ici.\\par "
            "\\pard Lire {\\field{\\*\\fldinst HYPERLINK \"http://exemple.fr/\"}{\\fldrslt le site}} et "
            "{\\field{\\*\\fldinst PAGEREF but \\\\h}{\\fldrslt 1}} fin.\\par ";
        for (int i = 0; i < 80; ++i)
            rtf += "\\pard Paragraphe " + std::to_string(i) + " du document, assez long pour se voir.\\par ";
        rtf += "}";
        Doc = Dispatcher.AddDocument(std::make_unique<TDocument>(false));
        ASSERT_TRUE(qptest::LoadRtfText(*Doc, rtf));
        Host.Doc = Doc;
        Window = Doc->Window;
        Window->SetClientSize(700, 500);
        Window->Show();
        ASSERT_TRUE(qptest::TakeFocus(Window));
    }
    void TearDown() override
    {
        ExecuteCommandHook = SavedHook;
        MouseToolModeHook = nullptr;
        SetDocWindowHost(nullptr);
    }
    void Send(UINT msg, TPoint p, WPARAM keys)
    {
        SendMessageA(Window->Handle(), msg, keys, MAKELPARAM(p.X, p.Y));
    }
    TPoint PointAt(int32_t par, int32_t offset)
    {
        return qptest::PointInCharacter(*Doc, *Window, par, offset);
    }

    TToolHost Host;
    TDocDispatcher Dispatcher;
    TDocument* Doc = nullptr;
    TDocumentForm* Window = nullptr;
    void (*SavedHook)(int32_t) = nullptr;
};

} // namespace

TEST_F(DocumentTools, TheViewToolZoomsAroundThePlaceClicked)
{
    Doc->SetZoom(100);
    ToolMode = 3;
    const TPoint p = PointAt(40, 5);
    const TTextPos before = Window->HitTest(p).Pos;
    Send(WM_MOUSEMOVE, p, 0);
    EXPECT_EQ(Window->Mouse.Cursor, 13);
    Send(WM_LBUTTONDOWN, p, MK_LBUTTON);
    Send(WM_LBUTTONUP, p, 0);
    EXPECT_EQ(Doc->ViewState.ZoomPercent, 110);
    EXPECT_EQ(Window->HitTest(p).Pos.ParIndex, before.ParIndex)
        << "the paragraph clicked stays under the pointer";
    Send(WM_LBUTTONDBLCLK, p, MK_LBUTTON);
    Send(WM_LBUTTONUP, p, 0);
    Send(WM_RBUTTONDOWN, p, MK_RBUTTON);
    Send(WM_RBUTTONUP, p, 0);
    Send(WM_RBUTTONDBLCLK, p, MK_RBUTTON);
    Send(WM_RBUTTONUP, p, 0);
    EXPECT_EQ(Host.Steps, (std::vector<std::pair<int32_t, int32_t>>{
                              {206200, 10}, {206200, 10}, {206200, -10}, {206200, -10}}));
    EXPECT_EQ(Doc->ViewState.ZoomPercent, 100);
    EXPECT_EQ(Window->HitTest(p).Pos.ParIndex, before.ParIndex);
    EXPECT_TRUE(Commands.empty()) << "the tool stays";
    EXPECT_FALSE(Doc->HasSelection());
    // Esc leaves the tool.
    qptest::PressKey(VK_ESCAPE);
    EXPECT_EQ(Commands, std::vector<int32_t>{700});
}

TEST_F(DocumentTools, ThePickerTakesTheFormatUnderThePointAndEnds)
{
    ToolMode = 6;
    Send(WM_LBUTTONDOWN, PointAt(0, 14), MK_LBUTTON);
    Send(WM_LBUTTONUP, PointAt(0, 14), 0);
    ASSERT_EQ(Host.Picked.size(), 1u);
    EXPECT_GT(Host.Picked[0][cfBold], 0);
    EXPECT_EQ(Commands, std::vector<int32_t>{700});
    // Outside every page nothing is picked and the tool stays.
    Send(WM_LBUTTONDOWN, TPoint{2, 2}, MK_LBUTTON);
    Send(WM_LBUTTONUP, TPoint{2, 2}, 0);
    EXPECT_EQ(Host.Picked.size(), 1u);
    // A right click ends the picker.
    Send(WM_RBUTTONDOWN, PointAt(1, 2), MK_RBUTTON);
    EXPECT_EQ(Commands, (std::vector<int32_t>{700, 700}));
}

TEST_F(DocumentTools, HintsTellWhereALinkLeads)
{
    Send(WM_MOUSEMOVE, PointAt(1, 6), 0);
    EXPECT_EQ(Window->Hint(), "http://exemple.fr/");
    Send(WM_MOUSEMOVE, PointAt(0, 2), 0);
    EXPECT_EQ(Window->Hint(), "");
    // The page reference's result is a link to its bookmark.
    Doc->SetCaret(1, 0, 0, 4);
    int32_t offset = 0;
    const std::string text = Doc->GetText(TextPosAt(1, 0), Doc->ParagraphLength(1) - 1);
    offset = int32_t(text.find(" fin")) - 1;
    Send(WM_MOUSEMOVE, PointAt(1, offset), 0);
    EXPECT_EQ(Window->Hint(), "#but");
}
