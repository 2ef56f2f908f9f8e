// Range deletion: within and across paragraphs, sections, fields and bookmarks; what the join keeps, and
// the document after Undo and Redo.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/Section.h"
#include "document/Field.h"
#include "editing/Builders.h"
#include "editing/OperationManager.h"
#include "tests/editing/edit_fixture.h"

using namespace qptest;

namespace {

// Deletes, checks the text, undoes and redoes through the dump.
void DeleteAndCheck(TEditDoc& d, int32_t p1, int32_t o1, int32_t p2, int32_t o2, const std::string& first)
{
    const std::string before = d.Dump();
    d.Delete(p1, o1, p2, o2);
    EXPECT_EQ(d.Text(p1), first);
    EXPECT_EQ(d.OperationCount(), 1);
    const std::string after = d.Dump();
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
    d.Redo();
    EXPECT_EQ(d.Dump(), after);
}

} // namespace

TEST(Deletion, TheJoinedParagraphKeepsTheFirstOnesFormat)
{
    TEditDoc d("{\\rtf1 \\pard\\qc centred text\\par \\pard\\qr right text\\par}");
    DeleteAndCheck(d, 0, 4, 1, 6, "centtext");
    EXPECT_EQ(d.Doc->Paragraphs[0]->ParaFormat[pfAlignment], 1);
    // Removing whole paragraphs keeps the one after them as it is.
    TEditDoc e("{\\rtf1 \\pard\\qc centred\\par \\pard\\qr right\\par}");
    DeleteAndCheck(e, 0, 0, 1, 0, "right");
    EXPECT_EQ(e.Doc->Paragraphs[0]->ParaFormat[pfAlignment], 2);
}

TEST(Deletion, TheTextAfterTheRangeKeepsItsFormat)
{
    TEditDoc d("{\\rtf1 plain {\\b bold} {\\i italic} end\\par}");
    DeleteAndCheck(d, 0, 2, 0, 8, "plld italic end");
    EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 3)[cfBold], 1);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 2)[cfBold], 0);
}

TEST(Deletion, TheStorysLastMarkSurvives)
{
    TEditDoc d("{\\rtf1 one\\par two\\par three}");
    const int32_t last = d.Doc->StoryEnd(stMain);
    DeleteAndCheck(d, 0, 0, last, d.Doc->ParagraphLength(last), "");
    EXPECT_EQ(d.Doc->StoryLengths[stMain], 1);
    EXPECT_EQ(d.Doc->ParagraphLength(0), 1);
}

TEST(Deletion, AcrossASectionBreak)
{
    TEditDoc d("{\\rtf1 {\\footer first footer\\par}first\\sect second\\par}");
    ASSERT_EQ(d.Doc->Sections.size(), 2u);
    TSection* kept = d.Doc->Sections.back().get();
    EXPECT_EQ(kept->HeaderFooter[hfOddFooter], nullptr);
    TField* footer = d.Doc->Sections.front()->HeaderFooter[hfOddFooter];
    ASSERT_NE(footer, nullptr);
    DeleteAndCheck(d, 0, 3, 1, 2, "fircond");
    EXPECT_EQ(d.Doc->Sections.size(), 1u);
    // The section that stays takes the footer of the one whose break went.
    EXPECT_EQ(d.Doc->Sections.front().get(), kept);
    EXPECT_EQ(kept->HeaderFooter[hfOddFooter], footer);
    d.Undo();
    EXPECT_EQ(d.Doc->Sections.size(), 2u);
    EXPECT_EQ(kept->HeaderFooter[hfOddFooter], nullptr);
}

TEST(Deletion, FieldsInsideGoAndFieldsCutKeepTheirMarks)
{
    const char* rtf = "{\\rtf1 a{\\*\\bkmkstart in}bc{\\*\\bkmkend in}d "
                      "{\\field{\\*\\fldinst HYPERLINK \"http://x.org\"}{\\fldrslt link text}} e\\par}";
    TEditDoc d(rtf);
    ASSERT_EQ(d.Doc->Fields.size(), 2u);
    DeleteAndCheck(d, 0, 0, 0, 9, " text e");
    // The bookmark lay wholly in the range and left the document; the link, only cut, stays whole.
    ASSERT_EQ(d.Doc->Fields.size(), 1u);
    EXPECT_EQ(d.Doc->Fields.front()->Kind, fkCode);
    d.Doc->UpdateFields();
    EXPECT_EQ(d.Doc->Fields.front()->StartPos.Offset, 0);
    EXPECT_EQ(d.Doc->Fields.front()->EndPos.Offset, 5);
    d.Undo();
    EXPECT_EQ(d.Doc->Fields.size(), 2u);
    d.Doc->UpdateFields();
    EXPECT_EQ(d.Doc->Bookmarks.Count(), 1);
}

TEST(Deletion, EmptyRangeRecordsNothing)
{
    TEditDoc d("{\\rtf1 text\\par}");
    d.Delete(0, 2, 0, 2);
    EXPECT_EQ(d.OperationCount(), 0);
}

TEST(Deletion, OnlyWholeLastParagraphsOfTheMainTextMayTakeTheLastMark)
{
    // From where the range starts, with or without the option: the texts of the paragraphs left.
    struct TCase {
        const char* Rtf;
        int32_t Par, Offset;
        uint8_t Options;
        std::vector<std::string> Left;
    } cases[] = {
        {"{\\rtf1 \\qc one\\par \\qr two\\par three\\par}", 1, 0, ioMayTakeLastMark, {"one"}},
        {"{\\rtf1 \\qc one\\par \\qr two\\par three\\par}", 1, 0, 0, {"one", ""}},
        {"{\\rtf1 \\qc one\\par \\qr two\\par three\\par}", 1, 1, ioMayTakeLastMark, {"one", "t"}},
        {"{\\rtf1 \\qc one\\par \\qr two\\par three\\par}", 0, 0, ioMayTakeLastMark, {""}},
        // The range begins a section: the section's last mark stays.
        {"{\\rtf1 one\\sect two\\par three\\par}", 1, 0, ioMayTakeLastMark, {"one", ""}},
    };
    for (const TCase& c : cases) {
        TEditDoc d(c.Rtf);
        const std::string before = d.Dump();
        const int32_t last = d.Doc->StoryEnd(stMain);
        d.Delete(c.Par, c.Offset, last, d.Doc->ParagraphLength(last), c.Options);
        std::vector<std::string> left;
        for (int32_t i = 0; i < d.Doc->StoryLengths[stMain]; ++i)
            left.push_back(d.Text(i));
        EXPECT_EQ(left, c.Left) << c.Rtf << " from " << c.Par << "," << c.Offset;
        if (c.Left.size() == 1 && c.Left[0] == "one") {
            // The paragraph that stays keeps its own format, and the caret ends after its text.
            EXPECT_EQ(d.Doc->Paragraphs[0]->ParaFormat[pfAlignment], 1);
            EXPECT_EQ(d.Doc->Caret.ParIndex, 0);
            EXPECT_EQ(d.Doc->Caret.Offset, 3);
        }
        d.Undo();
        EXPECT_EQ(d.Dump(), before);
    }
}

TEST(Deletion, ANoteWhoseReferenceGoesAndTheHeadersOfASectionThatGoesLeaveWithThem)
{
    TEditDoc d("{\\rtf1 text{\\super\\chftn}{\\footnote {\\super\\chftn} the note\\par} more\\par}");
    ASSERT_EQ(d.Doc->StoryLengths[stFootnotes], 1);
    const size_t fields = d.Doc->Fields.size();
    DeleteAndCheck(d, 0, 3, 0, 6, "texmore");
    EXPECT_EQ(d.Doc->StoryLengths[stFootnotes], 0);
    EXPECT_TRUE(d.Doc->Fields.empty());
    d.Undo();
    EXPECT_EQ(d.Doc->StoryLengths[stFootnotes], 1);
    EXPECT_EQ(d.Doc->Fields.size(), fields);

    // Both sections have a footer: the one whose break goes loses its footer text.
    TEditDoc s("{\\rtf1 {\\footer first footer\\par}first\\sect {\\footer second footer\\par}second\\par}");
    ASSERT_EQ(s.Doc->Sections.size(), 2u);
    const int32_t headers = s.Doc->StoryLengths[stHeadersFooters];
    TField* second = s.Doc->Sections.back()->HeaderFooter[hfOddFooter];
    DeleteAndCheck(s, 0, 3, 1, 2, "fircond");
    EXPECT_EQ(s.Doc->StoryLengths[stHeadersFooters], headers - 1);
    EXPECT_EQ(s.Doc->Sections.front()->HeaderFooter[hfOddFooter], second);
    EXPECT_EQ(s.Doc->Fields.size(), 1u);
    EXPECT_EQ(s.Text(s.Doc->StoryStart(stHeadersFooters)), "second footer");
}
