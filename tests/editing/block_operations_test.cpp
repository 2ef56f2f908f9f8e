// Erasing and formatting the rectangular selection through the dispatcher: the pieces it covers, and the
// document after Undo and Redo.
#include <gtest/gtest.h>

#include <string>

#include "core/Events.h"
#include "document/Page.h"
#include "document/ParLine.h"
#include "editing/Builders.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "tests/editing/edit_fixture.h"

using namespace qptest;

namespace {

// Counts the events of one number while it lives.
class TEventCounter : public TEventHandler {
public:
    explicit TEventCounter(int32_t event) : Event(event) {}
    void HandleEvent(int32_t event) override { Count += event == Event; }
    int32_t Event;
    int Count = 0;
};

// Four lines of digits on the first page; the block covers characters 1 to 3 of the lines of
// paragraphs First to Last (a paragraph of one character in between covers nothing: erasing the block
// never joins paragraphs).
class BlockSelection : public ::testing::Test {
protected:
    TEditDoc D{"{\\rtf1\\f0 012345\\par 678901\\par 2\\par 345678\\par}"};

    void Select(int32_t first, int32_t last)
    {
        D.Doc->PaginateAll();
        const TParLine& line = *D.Doc->Paragraphs[0]->Lines.front();
        const TParLine& top = *D.Doc->Paragraphs[size_t(first)]->Lines.front();
        const TParLine& bottom = *D.Doc->Paragraphs[size_t(last)]->Lines.front();
        TBlockSelection block;
        block.Active = true;
        block.Page = 0;
        block.Top = top.Y;
        block.Bottom = bottom.Y + bottom.Height;
        // From the left edge of character 1 to that of character 4: the middles of 1, 2 and 3 lie
        // between.
        block.X1 = line.DecodeCharX(1);
        block.X2 = line.DecodeCharX(4);
        D.Doc->SetBlockSelection(block);
    }
};

} // namespace

TEST_F(BlockSelection, PiecesAreTheCharactersBetweenTheTwoPositionsOnEachLine)
{
    Select(0, 3);
    const auto pieces = D.Doc->GetBlockPieces();
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0].StartPos.Offset, 1);
    EXPECT_EQ(pieces[0].EndPos.Offset, 4);
    EXPECT_EQ(pieces[2].StartPos.ParIndex, 2);
    // "2" ends before the band: its paragraph mark is never part of a piece.
    EXPECT_TRUE(IsRangeEmpty(pieces[2]));
    EXPECT_EQ(D.Doc->GetBlockText(), "123\r\n789\r\n\r\n456\r\n");
}

TEST_F(BlockSelection, EraseRemovesEachPieceAsOneOperation)
{
    TEventCounter erased(2300);
    const std::string before = D.Dump();
    Select(0, 3);
    ExecuteOperation(*D.Doc, TEraseBlockParams{});
    ASSERT_EQ(D.OperationCount(), 1);
    EXPECT_EQ(D.Doc->OperationManager->OperationAt(0)->Kind, 37);
    EXPECT_EQ(D.Text(0), "045");
    EXPECT_EQ(D.Text(1), "601");
    EXPECT_EQ(D.Text(2), "2");
    EXPECT_EQ(D.Text(3), "378");
    EXPECT_EQ(erased.Count, 1);
    // The caret stands where the first piece was, and the block is over.
    EXPECT_EQ(D.Doc->Caret.ParIndex, 0);
    EXPECT_EQ(D.Doc->Caret.Offset, 1);
    EXPECT_FALSE(D.Doc->BlockSelection.Active);
    const std::string after = D.Dump();
    D.Undo();
    EXPECT_EQ(D.Dump(), before);
    D.Redo();
    EXPECT_EQ(D.Dump(), after);
}

TEST_F(BlockSelection, FormatGivesEachPieceTheFormat)
{
    TEventCounter formatted(10080);
    const std::string before = D.Dump();
    Select(1, 3);
    TFormatBlockParams params;
    params.Format = UnsetCharFormat();
    params.Format[cfBold] = 1;
    ExecuteOperation(*D.Doc, params);
    ASSERT_EQ(D.OperationCount(), 1);
    EXPECT_EQ(D.Doc->OperationManager->OperationAt(0)->Kind, 38);
    EXPECT_EQ(formatted.Count, 1);
    EXPECT_EQ(D.Doc->CharFormatAtOffset(0, 2)[cfBold], 0); // above the block
    for (int32_t par : {1, 3}) {
        // The format of the character before each offset: 0 plain, 1 to 3 bold, 4 plain.
        EXPECT_EQ(D.Doc->CharFormatAtOffset(par, 1)[cfBold], 0) << par;
        EXPECT_EQ(D.Doc->CharFormatAtOffset(par, 2)[cfBold], 1) << par;
        EXPECT_EQ(D.Doc->CharFormatAtOffset(par, 4)[cfBold], 1) << par;
        EXPECT_EQ(D.Doc->CharFormatAtOffset(par, 5)[cfBold], 0) << par;
    }
    EXPECT_EQ(D.Doc->CharFormatAtOffset(2, 0)[cfBold], 0);
    const std::string after = D.Dump();
    D.Undo();
    EXPECT_EQ(D.Dump(), before);
    D.Redo();
    EXPECT_EQ(D.Dump(), after);
}

TEST_F(BlockSelection, NoBlockRecordsNothing)
{
    ExecuteOperation(*D.Doc, TEraseBlockParams{});
    TFormatBlockParams params;
    params.Format = UnsetCharFormat();
    params.Format[cfItalic] = 1;
    ExecuteOperation(*D.Doc, params);
    EXPECT_EQ(D.OperationCount(), 0);
}
