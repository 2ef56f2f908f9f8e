// Inserting another document at the selection: its text, styles, pictures and fields come along as one
// operation that undo takes back whole.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/Codings.h"
#include "core/Styles.h"
#include "document/Document.h"
#include "document/DocObjects.h"
#include "document/PageSetup.h"
#include "document/Paragraph.h"
#include "document/Section.h"
#include "editing/DocumentContent.h"
#include "tests/common/test_support.h"
#include "document/TextAccess.h"
#include "tests/editing/edit_fixture.h"

using qptest::TEditDoc;

namespace {

const char* const TargetRtf = "{\\rtf1\\ansi{\\stylesheet{\\s0 Normal;}{\\s1\\b Titre;}}"
                              "\\pard\\plain Avant apres\\par}";
const char* const SourceRtf = "{\\rtf1\\ansi{\\stylesheet{\\s0 Normal;}{\\s1\\i Titre;}{\\s2\\qc Citation;}}"
                              "\\pard\\plain\\s1 Un titre\\par\\pard\\plain\\s2 Une citation\\par}";

std::string StyleName(const TDocument& doc, int32_t par)
{
    const TStyle* style = doc.StyleList->StyleOf(doc.Paragraphs[size_t(par)]->ParaFormat[pfStyle]);
    return style ? style->Name : "(none)";
}

int32_t StyleCount(const TDocument& doc)
{
    return doc.StyleList->Count();
}

std::string ReadFixture(const std::string& name)
{
    std::ifstream in(qptest::DataPath(name), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(InsertDocument, KeepsOneStyleOfEachNameAddsTheMissingOnesAndUndoesWhole)
{
    TEditDoc target(TargetRtf);
    TEditDoc source(SourceRtf);
    const std::string before = target.Dump();
    target.Select(0, 6, 0, 6);
    ASSERT_TRUE(InsertDocument(*target.Doc, *source.Doc));
    // The source's last paragraph mark ends its text: what followed the caret starts a paragraph.
    EXPECT_EQ(target.Text(0), "Avant Un titre");
    EXPECT_EQ(target.Text(1), "Une citation");
    EXPECT_EQ(target.Text(2), "apres");
    // "Titre" is the target's own style, kept once; "Citation" came with the text.
    EXPECT_EQ(StyleCount(*target.Doc), 3);
    EXPECT_EQ(StyleName(*target.Doc, 1), "Citation");
    EXPECT_EQ(target.OperationCount(), 1);
    const std::string after = target.Dump();
    target.Undo();
    EXPECT_EQ(target.Dump(), before);
    target.Redo();
    EXPECT_EQ(target.Dump(), after);
}

TEST(InsertDocument, PicturesPassToTheTarget)
{
    TEditDoc target(TargetRtf);
    TEditDoc source(ReadFixture("rtf/images-lo.rtf"));
    const size_t pictures = source.Doc->ObjectManager->Objects.size();
    ASSERT_GT(pictures, 0u);
    const std::string before = target.Dump();
    target.Select(0, 5, 0, 5);
    ASSERT_TRUE(InsertDocument(*target.Doc, *source.Doc));
    EXPECT_EQ(target.Doc->ObjectManager->Objects.size(), pictures);
    EXPECT_GT(target.Doc->ParagraphCount(), 1);
    target.Undo();
    EXPECT_EQ(target.Dump(), before);
}

TEST(InsertDocument, PlainTextKeepsTabsAndTakesTheTargetsFormat)
{
    TEditDoc target(TargetRtf);
    TEditDoc source("{\\rtf1\\ansi\\pard\\plain\\b un\\tab deux\\par trois\\par}");
    source.Doc->Coding = cdAnsiText;
    target.Select(0, 0, 0, 0);
    ASSERT_TRUE(InsertDocument(*target.Doc, *source.Doc));
    EXPECT_EQ(target.Text(0), "un\x07"
                              "deux");
    EXPECT_EQ(target.Text(1), "trois");
    EXPECT_EQ(target.Text(2), "Avant apres");
    // Plain text comes in the target's format, not the source's bold.
    EXPECT_EQ(target.Doc->GetCharFormatAt(TextPosAt(0, 1))[cfBold],
              target.Doc->GetCharFormatAt(TextPosAt(2, 7))[cfBold]);
}

TEST(InsertDocument, AnEmptySourceInsertsNothing)
{
    TEditDoc target(TargetRtf);
    TEditDoc source("{\\rtf1\\ansi}");
    target.Select(0, 3, 0, 3);
    EXPECT_FALSE(InsertDocument(*target.Doc, *source.Doc));
    EXPECT_EQ(target.OperationCount(), 0);
}

// Into an empty document the inserted document's last section comes too: its columns and page setup;
// a document that already holds text keeps its own.
TEST(InsertDocument, AnEmptyDocumentTakesTheSectionFormatting)
{
    const char* const landscape = "{\\rtf1\\ansi\\paperw16838\\paperh11906\\margl1000\\margr1200\\landscape"
                                  "\\sectd\\cols2\\colsx500\\pard\\plain Large\\par}";
    TEditDoc empty("{\\rtf1\\ansi\\paperw11906\\paperh16838\\pard\\plain}");
    ASSERT_EQ(empty.Doc->StoryLengths[stMain], 1) << empty.Dump();
    TEditDoc source(landscape);
    const std::string before = empty.Dump();
    empty.Select(0, 0, 0, 0);
    ASSERT_TRUE(InsertDocument(*empty.Doc, *source.Doc));
    const TSection& section = *empty.Doc->Sections.front();
    EXPECT_EQ(section.PageSetup[psWidth], 16838);
    EXPECT_EQ(section.PageSetup[psHeight], 11906);
    EXPECT_EQ(section.PageSetup[psLeftMargin], 1000);
    EXPECT_EQ(section.PageSetup[psRightMargin], 1200);
    EXPECT_EQ(section.PageSetup[psOrientation], 1);
    EXPECT_EQ(section.Params[spColumnCount], 2);
    EXPECT_EQ(empty.OperationCount(), 1);
    empty.Undo();
    EXPECT_EQ(empty.Dump(), before);

    TEditDoc full(TargetRtf);
    TPageSetup own = full.Doc->Sections.front()->PageSetup;
    full.Select(0, 5, 0, 5);
    ASSERT_TRUE(InsertDocument(*full.Doc, *source.Doc));
    EXPECT_EQ(full.Doc->Sections.front()->PageSetup[psWidth], own[psWidth]);
    EXPECT_EQ(full.Doc->Sections.front()->Params[spColumnCount], 1);
}
