// The calculator's pop-up list of functions: its rows, its place on the screen, type-ahead, and the
// chosen name put into the document as one undoable edit.
#include <gtest/gtest.h>

#include <string>

#include "classlib/windowing/ExtCtrls.h"
#include "classlib/windowing/Forms.h"
#include "core/Codings.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "core/TextUtils.h"
#include "document/Document.h"
#include "editing/Evaluator.h"
#include "editing/OperationManager.h"
#include "formats/DocumentMemory.h"
#include "window/InsertIdentifierForm.h"

namespace {

class InsertIdentifier : public testing::Test {
protected:
    void SetUp() override
    {
        SilentMessages = true;
        const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard x 2 y\\par}";
        Doc = LoadDocumentFromMemory(rtf.data(), int64_t(rtf.size()), cdRtf);
        ASSERT_TRUE(Doc);
        Doc->SetModeFlag(mfHidden, false); // keeps its undo history
        Saved = CurrentOptions().Calculator.SelectedFunc;
    }
    void TearDown() override
    {
        CurrentOptions().Calculator.SelectedFunc = Saved;
        SilentMessages = false;
    }
    std::string Text() const
    {
        const TMemory& plain = Doc->Paragraphs[0]->PlainText;
        return std::string(reinterpret_cast<const char*>(plain.Data()), size_t(plain.Size() - 1));
    }
    static void Char(TInsertIdentifierForm* form, char c)
    {
        SendMessageA(form->List->Handle(), WM_CHAR, WPARAM(uint8_t(c)), 0);
    }
    static std::string Selected(TInsertIdentifierForm* form)
    {
        return EvaluatorFunctionName(form->SelectedFunction());
    }
    std::unique_ptr<TDocument> Doc;
    int32_t Saved = 0;
};

TEST_F(InsertIdentifier, ListsEveryFunctionSortedAndPlacedOnTheScreen)
{
    CurrentOptions().Calculator.SelectedFunc = 27; // sqrt
    TInsertIdentifierForm* form = ShowInsertIdentifier(*Doc, 50, 60);
    Application->ProcessMessages();
    ASSERT_EQ(form->Entries().size(), 97u);
    for (size_t i = 1; i < form->Entries().size(); ++i)
        EXPECT_LE(CompareTextLocale(EvaluatorFunctionName(form->Entries()[i - 1]),
                                    EvaluatorFunctionName(form->Entries()[i])),
                  0)
            << i;
    EXPECT_EQ(Selected(form), "sqrt");
    EXPECT_TRUE(GetWindowLongPtrA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT r;
    GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 60);
    // Seven rows high, with a scroll bar; the descriptions start after the widest name.
    RECT client;
    GetClientRect(form->List->Handle(), &client);
    EXPECT_EQ(client.bottom, 7 * form->List->ItemHeight);
    EXPECT_TRUE(GetWindowLongPtrA(form->List->Handle(), GWL_STYLE) & WS_VSCROLL);
    EXPECT_GT(form->NameColumnWidth, 40);
    form->Close();
    Application->ProcessMessages();

    // Near the bottom of the screen the list goes up so that its seven rows show.
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    form = ShowInsertIdentifier(*Doc, 50, work.bottom - 10);
    GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.bottom, work.bottom);
    form->Close();
    Application->ProcessMessages();
}

TEST_F(InsertIdentifier, TypingSelectsAndEnterInsertsAtTheCaret)
{
    CurrentOptions().Calculator.SelectedFunc = 27;
    Doc->SetCaret(0, 4, 0, 4);
    TInsertIdentifierForm* form = ShowInsertIdentifier(*Doc, 50, 60);
    Application->ProcessMessages();
    Char(form, 't');
    EXPECT_EQ(Selected(form), "tan");
    Char(form, 'A');
    Char(form, 'n');
    Char(form, 'h');
    EXPECT_EQ(Selected(form), "tanh");
    // No name goes on with "tanhx": the prefix starts again from "x", which no name starts either.
    Char(form, 'x');
    EXPECT_EQ(Selected(form), "tanh");
    Char(form, 'c');
    EXPECT_EQ(Selected(form), "CelsEnFahr");
    Char(form, 'o');
    Char(form, 's');
    EXPECT_EQ(Selected(form), "cos");
    SendMessageA(form->List->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    Application->ProcessMessages();
    EXPECT_EQ(Text(), "x 2 cos()y");
    EXPECT_EQ(Doc->Caret.Offset, 8); // between the parentheses
    EXPECT_EQ(CurrentOptions().Calculator.SelectedFunc, 1);
    Doc->OperationManager->Undo();
    EXPECT_EQ(Text(), "x 2 y");
}

TEST_F(InsertIdentifier, TheSelectionGoesBetweenTheParentheses)
{
    Doc->Selection.StartPos = Doc->Caret;
    MakeTextPos(0, 2, Doc->Selection.StartPos);
    MakeTextPos(0, 3, Doc->Selection.EndPos);
    Doc->Caret = Doc->Selection.EndPos;
    InsertFunctionName(*Doc, 27);
    EXPECT_EQ(Text(), "x sqrt(2) y");
    EXPECT_EQ(Doc->UndoList.Count(), 1);
    Doc->OperationManager->Undo();
    EXPECT_EQ(Text(), "x 2 y");

    // Escape closes the list without inserting; the row chosen is kept for next time.
    TInsertIdentifierForm* form = ShowInsertIdentifier(*Doc, 50, 60);
    Char(form, 'l');
    Char(form, 'n');
    SendMessageA(form->List->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    Application->ProcessMessages();
    EXPECT_EQ(Text(), "x 2 y");
    EXPECT_EQ(CurrentOptions().Calculator.SelectedFunc, 23);
}

} // namespace
