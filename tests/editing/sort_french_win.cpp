// Sorting paragraphs by the system's collation under a French locale: accented letters after their base
// letter and before the next one, lower case before upper case; undone exactly.
#include <gtest/gtest.h>

#include "core/Messages.h"
#include "editing/OperationManager.h"
#include "tests/editing/edit_fixture.h"

using namespace qptest;

TEST(FrenchSort, AccentsFollowTheirBaseLetters)
{
    // f, é, E, e, côte, cote, z, à, a (Windows-1252 bytes).
    TEditDoc d("{\\rtf1 f\\par \\'e9\\par E\\par e\\par c\\'f4te\\par cote\\par z\\par \\'e0\\par a}");
    const std::string before = d.Dump();
    TSortParagraphsParams p;
    p.Range = Range(0, 0, 8, 1);
    ExecuteOperation(*d.Doc, p);
    std::vector<std::string> texts;
    for (int32_t i = 0; i < 9; ++i)
        texts.push_back(d.Text(i));
    EXPECT_EQ(texts, (std::vector<std::string>{"a", "\xe0", "cote", "c\xf4te", "e", "E", "\xe9", "f", "z"}));
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
    p.Descending = 1;
    ExecuteOperation(*d.Doc, p);
    EXPECT_EQ(d.Text(0), "z");
    EXPECT_EQ(d.Text(8), "a");
}
