// What an edit reports for repainting: lines laid out again in place, or the first changed paragraph and
// page, handed to the repaint hook once the document is paginated again.
#include <gtest/gtest.h>

#include "document/Page.h"
#include "document/ParLine.h"
#include "document/ChangedRanges.h"
#include "editing/OperationManager.h"
#include "tests/editing/edit_fixture.h"

using namespace qptest;

namespace {

struct TRepaint {
    int Calls = 0;
    TChangedRange Range{};
    std::vector<std::pair<int32_t, int32_t>> Lines;
} Last;

void Capture(TDocument&, const TChangedRange& range, std::vector<std::pair<int32_t, int32_t>>& lines)
{
    ++Last.Calls;
    Last.Range = range;
    Last.Lines = lines;
    lines.clear();
}

class Repaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        Last = TRepaint{};
        SetRepaintHook(Capture);
    }
    void TearDown() override { SetRepaintHook(nullptr); }
};

} // namespace

TEST_F(Repaint, InPlaceLinesOrTheFirstChangedPage)
{
    TEditDoc d("{\\rtf1 first paragraph\\par second paragraph\\par third\\par}");
    d.Doc->PaginateAll();
    ASSERT_FALSE(d.Doc->Pages.empty());
    // A character that keeps the line: only that line, no new layout.
    d.TypeAt(1, 3, "x");
    EXPECT_EQ(Last.Calls, 1);
    EXPECT_EQ(Last.Range[crFirstParagraph], UndefinedField);
    EXPECT_EQ(Last.Lines, (std::vector<std::pair<int32_t, int32_t>>{{1, 0}}));
    // A paragraph break: layout and pagination from its paragraph's page on.
    d.TypeAt(1, 5, "\r");
    EXPECT_EQ(Last.Calls, 2);
    EXPECT_EQ(Last.Range[crFirstParagraph], 1);
    EXPECT_EQ(Last.Range[crFirstPage], 0);
    EXPECT_TRUE(d.Doc->Paragraphs[2]->IsOnPage());
    EXPECT_EQ(d.Doc->Caret.ParIndex, 2);
    EXPECT_EQ(d.Doc->Caret.Offset, 0);
    // Undo reports too, and puts the caret back.
    d.Undo();
    EXPECT_EQ(Last.Calls, 3);
    EXPECT_EQ(Last.Range[crFirstParagraph], 1);
    EXPECT_EQ(d.Doc->Caret.ParIndex, 1);
    EXPECT_EQ(d.Doc->Caret.Offset, 5);
    EXPECT_TRUE(d.Doc->Paragraphs[1]->IsOnPage());
}
