// The document window under real key strokes: the navigation keys move the caret and extend the selection
// on a document of several pages, and typed characters, accents included, go into the document as
// undoable edits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/windowing/Forms.h"
#include "core/Messages.h"
#include "document/Document.h"
#include "document/Page.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"
#include "editing/OperationManager.h"
#include "formats/DocumentDump.h"
#include "formats/load/DocumentLoad.h"
#include "key_input.h"
#include "shell/DocDisp.h"
#include "tests/common/test_support.h"
#include "window/DocForm.h"

namespace {

using qptest::PressKey;

// The fixture's paragraphs (tests/data/window/make.sh): lines of 60 characters, columns are offsets.
constexpr int32_t LastParagraph = 92;

class DocumentKeyboard : public testing::Test {
protected:
    void SetUp() override
    {
        SilentMessages = true;
        Doc = Dispatcher.AddDocument(std::make_unique<TDocument>(false));
        TDocOpeningOptions options;
        options.FileName = qptest::DataPath("window/navigation.rtf");
        options.OpenMode = omReadOnly;
        TLoadedDocument loaded;
        ASSERT_TRUE(LoadDocumentFromFile(*Doc, options, loaded,
                                         [](const std::string&, uint8_t, uint16_t, uint8_t) { return 0; }));
        Doc->SetModeFlag(mfSectionRangesStale, true);
        Doc->InvalidatePagination();
        Doc->PaginateAll();
        Window = Doc->Window;
        Window->SetClientSize(800, 600);
        Window->Show();
        ASSERT_TRUE(qptest::TakeFocus(Window));
    }
    void StartAt(int32_t par, int32_t offset)
    {
        Doc->SetCaret(par, offset, 0, 4);
        Window->Keyboard = TKeyboardState{};
    }
    TDocDispatcher Dispatcher;
    TDocument* Doc = nullptr;
    TDocumentForm* Window = nullptr;
};

struct TPlace {
    int32_t Par, Offset;
};

struct TNavigationCase {
    const char* What;
    TPlace Start;
    std::vector<WORD> Keys; // each pressed with the modifiers below
    std::vector<WORD> Modifiers;
    TPlace Caret;
    TPlace SelStart, SelEnd; // equal to the caret: no selection
};

std::string Describe(const TTextPos& p)
{
    return std::to_string(p.ParIndex) + ":" + std::to_string(p.Offset);
}

TEST_F(DocumentKeyboard, NavigationKeysMoveTheCaretAndExtendTheSelection)
{
    const WORD shift = VK_SHIFT, ctrl = VK_CONTROL;
    const std::vector<TNavigationCase> cases = {
        {"Right", {0, 5}, {VK_RIGHT}, {}, {0, 6}, {0, 6}, {0, 6}},
        {"Left", {0, 5}, {VK_LEFT}, {}, {0, 4}, {0, 4}, {0, 4}},
        {"Left at a paragraph's start", {1, 0}, {VK_LEFT}, {}, {0, 179}, {0, 179}, {0, 179}},
        {"Right before a paragraph mark", {0, 179}, {VK_RIGHT}, {}, {1, 0}, {1, 0}, {1, 0}},
        {"Left at the story's start", {0, 0}, {VK_LEFT}, {}, {0, 0}, {0, 0}, {0, 0}},
        {"Ctrl+Right", {0, 5}, {VK_RIGHT}, {ctrl}, {0, 10}, {0, 10}, {0, 10}},
        {"Ctrl+Left", {0, 15}, {VK_LEFT}, {ctrl}, {0, 10}, {0, 10}, {0, 10}},
        {"Up", {0, 65}, {VK_UP}, {}, {0, 5}, {0, 5}, {0, 5}},
        {"Down", {0, 5}, {VK_DOWN}, {}, {0, 65}, {0, 65}, {0, 65}},
        {"Down into a short paragraph", {0, 125}, {VK_DOWN}, {}, {1, 5}, {1, 5}, {1, 5}},
        {"Down keeps its column through a short line",
         {0, 130},
         {VK_DOWN, VK_DOWN},
         {},
         {2, 10},
         {2, 10},
         {2, 10}},
        {"Up at the story's start", {0, 3}, {VK_UP}, {}, {0, 3}, {0, 3}, {0, 3}},
        {"Home", {0, 65}, {VK_HOME}, {}, {0, 60}, {0, 60}, {0, 60}},
        {"End of a wrapped line", {0, 65}, {VK_END}, {}, {0, 120}, {0, 120}, {0, 120}},
        {"End before a line break", {2, 3}, {VK_END}, {}, {2, 16}, {2, 16}, {2, 16}},
        {"End of a paragraph's last line", {2, 20}, {VK_END}, {}, {2, 34}, {2, 34}, {2, 34}},
        {"Ctrl+Home", {5, 65}, {VK_HOME}, {ctrl}, {0, 0}, {0, 0}, {0, 0}},
        {"Ctrl+End",
         {0, 65},
         {VK_END},
         {ctrl},
         {LastParagraph, 119},
         {LastParagraph, 119},
         {LastParagraph, 119}},
        {"Ctrl+Up", {1, 3}, {VK_UP, VK_UP}, {ctrl}, {0, 0}, {0, 0}, {0, 0}},
        {"Ctrl+Down", {0, 65}, {VK_DOWN}, {ctrl}, {1, 0}, {1, 0}, {1, 0}},
        {"Ctrl+Down in the last paragraph",
         {LastParagraph, 5},
         {VK_DOWN},
         {ctrl},
         {LastParagraph, 119},
         {LastParagraph, 119},
         {LastParagraph, 119}},
        {"Shift+Right", {0, 0}, {VK_RIGHT, VK_RIGHT, VK_RIGHT}, {shift}, {0, 3}, {0, 0}, {0, 3}},
        {"Shift+Right over a paragraph's end",
         {0, 178},
         {VK_RIGHT, VK_RIGHT, VK_RIGHT},
         {shift},
         {1, 1},
         {0, 178},
         {1, 1}},
        {"Shift+Left", {0, 10}, {VK_LEFT, VK_LEFT}, {shift}, {0, 8}, {0, 8}, {0, 10}},
        {"Shift+Ctrl+Right", {0, 0}, {VK_RIGHT}, {shift, ctrl}, {0, 10}, {0, 0}, {0, 10}},
        {"Shift+Down", {0, 5}, {VK_DOWN}, {shift}, {0, 65}, {0, 5}, {0, 65}},
        {"Shift+Up at the story's first line", {0, 5}, {VK_UP}, {shift}, {0, 0}, {0, 0}, {0, 5}},
        {"Shift+Home", {0, 65}, {VK_HOME}, {shift}, {0, 60}, {0, 60}, {0, 65}},
        {"Shift+End", {0, 65}, {VK_END}, {shift}, {0, 120}, {0, 65}, {0, 120}},
        {"Shift+Ctrl+Home", {1, 3}, {VK_HOME}, {shift, ctrl}, {0, 0}, {0, 0}, {1, 3}},
        {"Shift+Ctrl+End",
         {LastParagraph, 0},
         {VK_END},
         {shift, ctrl},
         {LastParagraph, 120},
         {LastParagraph, 0},
         {LastParagraph, 120}},
        {"Shift+Ctrl+Down", {0, 5}, {VK_DOWN}, {shift, ctrl}, {1, 0}, {0, 5}, {0, 180}},
    };
    for (const TNavigationCase& c : cases) {
        SCOPED_TRACE(c.What);
        StartAt(c.Start.Par, c.Start.Offset);
        for (WORD key : c.Keys)
            PressKey(key, c.Modifiers);
        EXPECT_EQ(Describe(Doc->Caret), Describe(TextPosAt(c.Caret.Par, c.Caret.Offset)));
        const TTextRange expected = TextRangeOf(TextPosAt(c.SelStart.Par, c.SelStart.Offset),
                                                TextPosAt(c.SelEnd.Par, c.SelEnd.Offset));
        if (IsRangeEmpty(expected)) {
            EXPECT_FALSE(Doc->HasSelection())
                << Describe(Doc->Selection.StartPos) << "-" << Describe(Doc->Selection.EndPos);
        } else {
            EXPECT_EQ(Describe(Doc->Selection.StartPos), Describe(expected.StartPos));
            EXPECT_EQ(Describe(Doc->Selection.EndPos), Describe(expected.EndPos));
        }
    }
}

TEST_F(DocumentKeyboard, WithASelectionTheKeysMoveFromItsEnds)
{
    const struct {
        WORD Key;
        TPlace Caret;
    } cases[] = {{VK_LEFT, {0, 70}}, {VK_RIGHT, {0, 80}}, {VK_UP, {0, 10}}, {VK_DOWN, {0, 140}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Key);
        StartAt(0, 80);
        Doc->Select(0, 70, 0, 80, 0);
        PressKey(c.Key);
        EXPECT_FALSE(Doc->HasSelection());
        EXPECT_EQ(Describe(Doc->Caret), Describe(TextPosAt(c.Caret.Par, c.Caret.Offset)));
    }
    // Shift moves the selection's moving end; back at the anchor nothing is selected.
    StartAt(0, 5);
    PressKey(VK_DOWN, {VK_SHIFT});
    PressKey(VK_UP, {VK_SHIFT});
    EXPECT_FALSE(Doc->HasSelection());
    EXPECT_EQ(Describe(Doc->Caret), "0:5");
}

TEST_F(DocumentKeyboard, PageDownKeepsTheCaretAtItsHeightInTheWindow)
{
    ASSERT_GE(Doc->Pages.size(), 3u);
    // A view of a height whose page steps land in text, not in the margins between pages.
    Window->SetClientSize(800, 500);
    qptest::PumpKeys();
    StartAt(0, 5);
    const int32_t height = Window->ViewRect.Bottom - Window->ViewRect.Top;
    const int32_t top = Window->DocToClient(TPoint{0, Doc->CaretState.Y}).Y;
    int32_t par = Doc->Caret.ParIndex;
    for (int i = 1; i <= 3; ++i) {
        SCOPED_TRACE(i);
        const int32_t scroll = Doc->ViewState.ScrollPos.Y;
        PressKey(VK_NEXT);
        EXPECT_EQ(Doc->ViewState.ScrollPos.Y, scroll + height * 90 / 100);
        EXPECT_GT(Doc->Caret.ParIndex, par);
        par = Doc->Caret.ParIndex;
        // Within a line of where it stood.
        EXPECT_NEAR(Window->DocToClient(TPoint{0, Doc->CaretState.Y}).Y, top, 20);
        EXPECT_EQ(Doc->Caret.Offset % 60, 5) << "the column is kept";
    }
    PressKey(VK_PRIOR, {});
    PressKey(VK_PRIOR, {});
    PressKey(VK_PRIOR, {});
    EXPECT_EQ(Doc->ViewState.ScrollPos.Y, 0);
    EXPECT_EQ(Describe(Doc->Caret), "0:5");
    // At the top PgUp goes to the start.
    PressKey(VK_PRIOR, {});
    EXPECT_EQ(Describe(Doc->Caret), "0:0");

    // Ctrl+PgDn: the next page's first text, that page's top at the view's top.
    PressKey(VK_NEXT, {VK_CONTROL});
    ASSERT_EQ(Doc->Caret.PageIndex, 1);
    const TParLine* first = Doc->Pages[1]->Lines.front();
    EXPECT_EQ(Describe(Doc->Caret), Describe(TextPosAt(first->Paragraph->LayoutIndex, first->FirstChar)));
    EXPECT_EQ(Doc->ViewState.ScrollPos.Y, Doc->GetPageRect(1).Top);
    PressKey(VK_PRIOR, {VK_CONTROL});
    EXPECT_EQ(Doc->Caret.PageIndex, 0);
    EXPECT_EQ(Describe(Doc->Caret), "0:0");
}

TEST_F(DocumentKeyboard, TypedCharactersWithTheirAccentsGoIntoTheDocument)
{
    StartAt(1, 0);
    const std::string typed = "Élève, où êtes-vous ? « Ça va »";
    qptest::TypeText(typed);
    EXPECT_EQ(Doc->GetText(TextPosAt(1, 0), int32_t(typed.size()) + 6), typed + "Court.");
    // The document's own dump of the paragraph, its format tags left out: the bytes of the Windows code
    // page.
    std::string dump = DumpDocument(*Doc);
    for (size_t at = dump.find('<'); at != std::string::npos; at = dump.find('<', at))
        dump.erase(at, dump.find('>', at) + 1 - at);
    EXPECT_NE(dump.find("P1: \\'c9l\\'e8ve, o\\'f9 \\'eates-vous ? \\'ab \\'c7a va \\'bbCourt.\n"),
              std::string::npos)
        << dump.substr(0, 600);
    EXPECT_EQ(Describe(Doc->Caret), Describe(TextPosAt(1, int32_t(typed.size()))));
}

TEST_F(DocumentKeyboard, TypingIntoASelectionReplacesItInOneUndoableStep)
{
    StartAt(0, 10);
    PressKey(VK_RIGHT, {VK_SHIFT, VK_CONTROL});
    ASSERT_EQ(Doc->GetRangeText(Doc->Selection), "mot000002 ");
    const int32_t before = Doc->UndoList.CurrentIndex;
    qptest::TypeText("x");
    EXPECT_EQ(Doc->GetText(TextPosAt(0, 0), 22), "mot000001 xmot000003 m");
    EXPECT_FALSE(Doc->HasSelection());
    EXPECT_EQ(Doc->UndoList.CurrentIndex, before + 1);
    Doc->OperationManager->Undo();
    EXPECT_EQ(Doc->GetText(TextPosAt(0, 0), 30), "mot000001 mot000002 mot000003 ");
}

TEST_F(DocumentKeyboard, KeysAndCharactersDoNothingWhileTheDocumentIsBeingBuilt)
{
    StartAt(0, 5);
    const std::string before = DumpDocument(*Doc);
    Doc->SetModeFlag(mfConstructing, true);
    PressKey(VK_RIGHT);
    qptest::TypeText("ab");
    Doc->SetModeFlag(mfConstructing, false);
    EXPECT_EQ(Describe(Doc->Caret), "0:5");
    EXPECT_EQ(DumpDocument(*Doc), before);
    // Afterwards the window edits again.
    qptest::TypeText("c");
    EXPECT_EQ(Doc->GetText(TextPosAt(0, 0), 7), "mot00c0");
}

} // namespace

// The dump's line of a paragraph.
std::string DumpedParagraph(TDocument& doc, int32_t par)
{
    const std::string dump = DumpDocument(doc), head = "P" + std::to_string(par) + ": ";
    const size_t at = dump.find(head);
    return at == std::string::npos ? "" : dump.substr(at, dump.find('\n', at) - at);
}

// The fixture is set in Courier New throughout; a document opens with the default typing format, so text
// typed where the caret was moved to must take the format of the text there.
TEST_F(DocumentKeyboard, TypedTextTakesTheFormatOfTheTextAtTheCaret)
{
    // At a paragraph's start (its first character's format), by key.
    PressKey(VK_DOWN, {VK_CONTROL});
    ASSERT_EQ(Describe(Doc->Caret), "1:0");
    qptest::TypeText("ab");
    EXPECT_EQ(DumpedParagraph(*Doc, 1), "P1: <font=Courier New>abCourt.<par>");
    // Inside a paragraph (the character before the caret), by key.
    PressKey(VK_DOWN, {VK_CONTROL});
    PressKey(VK_RIGHT);
    qptest::TypeText("c");
    EXPECT_EQ(DumpedParagraph(*Doc, 2),
              "P2: <font=Courier New>Acvant la coupure<line>apr\\'e8s la coupure.<par>");

    // By a click, from a caret left with another typing format.
    Doc->SetCaret(3, 10, 0, 0);
    const TPoint click = Window->DocToClient(TPoint{Doc->CaretState.X + Doc->CaretState.Shape.XOffset,
                                                    Doc->CaretState.Y + Doc->CaretState.Shape.Height / 2});
    Doc->SetCaret(0, 0, 0, 0);
    Doc->InsertionFormat = DefaultCharFormat();
    SendMessageA(Window->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(click.X, click.Y));
    SendMessageA(Window->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(click.X, click.Y));
    ASSERT_EQ(Describe(Doc->Caret), "3:10");
    qptest::TypeText("d");
    EXPECT_EQ(DumpedParagraph(*Doc, 3).substr(0, 36), "P3: <font=Courier New>mot000100 dmot");

    // A typing format changed at the caret (bold with nothing selected) holds until the caret moves.
    Doc->InsertionFormat[cfBold] = 1;
    qptest::TypeText("e");
    PressKey(VK_RIGHT);
    qptest::TypeText("f");
    EXPECT_EQ(DumpedParagraph(*Doc, 3).substr(0, 48), "P3: <font=Courier New>mot000100 d<b=1>e<b=0>mfot");
}
