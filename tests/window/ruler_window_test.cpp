// The document window's rulers under real mouse messages: indent markers and tab stops dragged change the
// paragraph format as one undoable edit; a click in the text band adds a stop of the selector's kind.
#include <gtest/gtest.h>

#include <string>

#include "classlib/windowing/Forms.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "core/TabTables.h"
#include "document/Document.h"
#include "document/Paragraph.h"
#include "document/Section.h"
#include "editing/OperationManager.h"
#include "formats/load/LoadInput.h"
#include "formats/text/PlainText.h"
#include "shell/DocDisp.h"
#include "window/DocForm.h"
#include "window/Ruler.h"

namespace {

class DocumentRuler : public testing::Test {
protected:
    void SetUp() override
    {
        SilentMessages = true;
        SavedUnit = CurrentOptions().General.Measurements;
        CurrentOptions().General.Measurements = 1; // inches: stops snap to sixteenths
        Doc = Dispatcher.AddDocument(std::make_unique<TDocument>(false));
        const std::string text = "Premier paragraphe.\r\nDeuxieme paragraphe.\r\n";
        TLoadInput input(text.data(), int64_t(text.size()));
        int64_t length = 0;
        ReadPlainTextDocument(*Doc, input, TPlainTextFormats(), length);
        Doc->Relayout();
        Window = Doc->Window;
        Window->SetClientSize(800, 500);
        Window->Show();
        Application->ProcessMessages();
        Ruler = Window->StraightEdge;
        Doc->SetCaret(0, 3, 0, 0);
        Ruler->UpdateFromCaret();
        const TPageMargins margins = Doc->GetPageMargins(Doc->Sections[0]->PageSetup, 0);
        TextStart = Ruler->State.PageLeft + margins.LeftZoom;
    }
    void TearDown() override { CurrentOptions().General.Measurements = SavedUnit; }

    void Drag(TPoint from, TPoint to)
    {
        SendMessageA(Ruler->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.X, from.Y));
        SendMessageA(Ruler->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((from.X + to.X) / 2, to.Y));
        SendMessageA(Ruler->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.X, to.Y));
        SendMessageA(Ruler->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(to.X, to.Y));
    }
    const TParaFormat& Format(int32_t par) { return Doc->Paragraphs[size_t(par)]->ParaFormat; }
    std::vector<int32_t> Stops(int32_t par)
    {
        std::vector<int32_t> stops;
        const int32_t table = Format(par)[pfTabTable];
        if (table >= 0)
            for (int k = 0; k < Doc->TabManager->Table(table).Count(); ++k)
                stops.push_back(TabStopPosition(Doc->TabManager->Table(table)[k]));
        return stops;
    }

    TDocDispatcher Dispatcher;
    TDocument* Doc = nullptr;
    TDocumentForm* Window = nullptr;
    TStraightEdge* Ruler = nullptr;
    int32_t TextStart = 0;
    uint8_t SavedUnit = 0;
};

TEST_F(DocumentRuler, RulersFrameTheView)
{
    EXPECT_TRUE(IsWindowVisible(Ruler->Handle()));
    EXPECT_TRUE(IsWindowVisible(Window->VerStraightEdge->Handle()));
    EXPECT_EQ(Window->ViewRect.Left, Window->VerStraightEdge->Width());
    EXPECT_EQ(Window->ViewRect.Top, Ruler->Height());
    const int y = Ruler->Height() - 5;
    EXPECT_EQ(Ruler->HitTest({TextStart, y}).Zone, rzLeftBox);
    EXPECT_EQ(Ruler->HitTest({TextStart, 4}).Zone, rzFirstIndent);
    EXPECT_EQ(Ruler->HitTest({TextStart + 150, y}).Zone, rzTextBand);
    EXPECT_EQ(Ruler->HitTest({5, 5}).Zone, rzTabSelector);
}

TEST_F(DocumentRuler, DraggedIndentsChangeTheParagraphUndoably)
{
    const int base = Ruler->Height() - 8;
    // The left box one inch to the right (a little short: it snaps to the sixteenth).
    Drag({TextStart, base + 2}, {TextStart + 95, base + 2});
    EXPECT_EQ(Format(0)[pfLeftIndent], 1440);
    EXPECT_EQ(Format(0)[pfFirstIndent], 0);
    EXPECT_EQ(Format(1)[pfLeftIndent], 0); // the other paragraph is left alone
    EXPECT_EQ(Window->State & dsRulerDrag, 0u);
    // The first-line marker half an inch further: the first line only.
    Ruler->UpdateFromCaret();
    Drag({TextStart + 96, 4}, {TextStart + 144, 4});
    EXPECT_EQ(Format(0)[pfLeftIndent], 1440);
    EXPECT_EQ(Format(0)[pfFirstIndent], 720);
    // Each drag is one step back.
    Doc->OperationManager->Undo();
    EXPECT_EQ(Format(0)[pfFirstIndent], 0);
    EXPECT_EQ(Format(0)[pfLeftIndent], 1440);
    Doc->OperationManager->Undo();
    EXPECT_EQ(Format(0)[pfLeftIndent], 0);
    // A drag that ends where it started changes nothing.
    const int32_t count = Doc->UndoList.Count();
    Ruler->UpdateFromCaret();
    Drag({TextStart, base + 2}, {TextStart + 1, base + 2});
    EXPECT_EQ(Doc->UndoList.Count(), count);
}

TEST_F(DocumentRuler, TabStopsAddedMovedAndDraggedOff)
{
    const int base = Ruler->Height() - 8;
    TStraightEdge::CurrentTabKind = tkLeft;
    // A click in the text band at two inches adds a left stop there.
    SendMessageA(Ruler->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(TextStart + 193, base - 3));
    SendMessageA(Ruler->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(TextStart + 193, base - 3));
    EXPECT_EQ(Stops(0), std::vector<int32_t>{2880});
    EXPECT_TRUE(Stops(1).empty());
    // Dragged to three inches it moves.
    Drag({TextStart + 192, base - 3}, {TextStart + 288, base - 3});
    EXPECT_EQ(Stops(0), std::vector<int32_t>{4320});
    // Dragged off the ruler it goes.
    Drag({TextStart + 288, base - 3}, {TextStart + 288, base + 60});
    EXPECT_TRUE(Stops(0).empty());
    Doc->OperationManager->Undo();
    EXPECT_EQ(Stops(0), std::vector<int32_t>{4320});
    Doc->OperationManager->Undo();
    EXPECT_EQ(Stops(0), std::vector<int32_t>{2880});
    // The selector steps through the five kinds.
    SendMessageA(Ruler->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(TStraightEdge::CurrentTabKind, tkCenter);
    TStraightEdge::CurrentTabKind = tkLeft;
}

// For looking at the window as a person would (one command line; it ends by itself after 30 s):
//   bash scripts/screenshot.sh rulers.png --title Document build/win-i686/tests/window_window_tests.exe
//     --gtest_also_run_disabled_tests --gtest_filter=DocumentRuler.DISABLED_Screenshot
TEST_F(DocumentRuler, DISABLED_Screenshot)
{
    Window->SetCaption("Document");
    const int base = Ruler->Height() - 8;
    // An indented first paragraph with two stops, the word "paragraphe" selected by a double click.
    Drag({TextStart, base + 2}, {TextStart + 48, base + 2});
    Ruler->UpdateFromCaret();
    Drag({TextStart + 48, 4}, {TextStart + 96, 4});
    for (int x : {240, 336}) {
        SendMessageA(Ruler->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(TextStart + x, base - 3));
        SendMessageA(Ruler->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(TextStart + x, base - 3));
    }
    Doc->SetCaret(0, 12, 0, 0);
    const TPoint p = Window->DocToClient(TPoint{Doc->CaretState.X + 2, Doc->CaretState.Y + 5});
    SendMessageA(Window->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.X, p.Y));
    SendMessageA(Window->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.X, p.Y));
    SendMessageA(Window->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.X, p.Y));
    SendMessageA(Window->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.X, p.Y));
    const DWORD end = GetTickCount() + 30000;
    while (GetTickCount() < end) {
        Application->ProcessMessages();
        Sleep(20);
    }
}

TEST(RulerSnap, SnapsToHalfASubdivisionOfTheUnit)
{
    struct Case {
        int32_t twips, unit, attractor, expected;
    } cases[] = {
        {1440 + 40, 1, UndefinedField, 1440}, // inches: sixteenths (90 twips)
        {1440 + 50, 1, UndefinedField, 1530},
        {1410, 1, 1425, 1425}, // nearer the starting value than the step: kept
        {1410, 1, 1380, 1440},
        {1000, 4, UndefinedField, 1020}, // millimetres: whole millimetres
        {100, 2, UndefinedField, 120},   // points: 3 points (60 twips)
        {-100, 0, UndefinedField, -71},  // centimetres: 1.25 mm
    };
    for (const Case& c : cases)
        EXPECT_EQ(TStraightEdge::SnapPosition(c.twips, c.unit, c.attractor), c.expected)
            << c.twips << " " << c.unit;
}

} // namespace
