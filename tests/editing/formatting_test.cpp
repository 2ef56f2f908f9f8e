// Character and paragraph formatting: every request field set, cleared or left alone, the indent rules,
// size and spacing steps run by run, the word at the caret, and Undo and Redo through the dump.
#include <gtest/gtest.h>

#include "core/Options.h"
#include "core/TabTables.h"
#include "editing/Builders.h"
#include "editing/OperationManager.h"
#include "tests/editing/edit_fixture.h"

using namespace qptest;

namespace {

void Format(TEditDoc& d, const TTextRange& range, const TCharFormat& format)
{
    TFormatTextParams params;
    params.Range = range;
    params.Format = format;
    ExecuteOperation(*d.Doc, params);
}

void FormatParagraph(TEditDoc& d, int32_t par, const TParaFormat& format)
{
    TFormatParagraphsParams params;
    params.Range = Range(par, 0, par, 0);
    params.Format = format;
    ExecuteOperation(*d.Doc, params);
}

} // namespace

TEST(CharacterFormat, FieldsSetClearedAndLeftAlone)
{
    TEditDoc d("{\\rtf1 ab{\\i\\fs30 cdef}gh\\par next\\par}");
    const std::string before = d.Dump();
    TCharFormat request = UnsetCharFormat();
    request[cfBold] = 1;   // set
    request[cfItalic] = 0; // cleared
    Format(d, Range(0, 1, 0, 4), request);
    ASSERT_EQ(d.OperationCount(), 1);
    struct {
        int32_t offset; // the character before it
        int32_t bold, italic, size;
    } expected[] = {{1, 0, 0, 24}, {2, 1, 0, 24}, {4, 1, 0, 30}, {5, 0, 1, 30}, {7, 0, 0, 24}};
    for (const auto& e : expected) {
        const TCharFormat f = d.Doc->CharFormatAtOffset(0, e.offset);
        EXPECT_EQ(f[cfBold], e.bold) << e.offset;
        EXPECT_EQ(f[cfItalic], e.italic) << e.offset;
        EXPECT_EQ(f[cfSize], e.size) << e.offset; // not set: left alone
    }
    const std::string after = d.Dump();
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
    d.Redo();
    EXPECT_EQ(d.Dump(), after);
    // Over several paragraphs.
    request = UnsetCharFormat();
    request[cfColor] = 6;
    Format(d, Range(0, 6, 1, 2), request);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(1, 2)[cfColor], 6);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(1, 3)[cfColor], 0);
    d.Undo();
    EXPECT_EQ(d.Dump(), after);
}

TEST(CharacterFormat, WithoutASelectionTheWordAtTheCaret)
{
    struct {
        int32_t caret;
        bool wholeWord;
    } cases[] = {{6, true}, {5, false}, {10, false}};
    for (const auto& c : cases) {
        TEditDoc d("{\\rtf1 some words here\\par\\par}");
        MakeTextPos(0, c.caret, d.Doc->Caret);
        TCharFormat request = UnsetCharFormat();
        request[cfBold] = 1;
        Format(d, Range(0, c.caret, 0, c.caret), request);
        EXPECT_EQ(d.OperationCount(), c.wholeWord ? 1 : 0) << c.caret;
        EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 6)[cfBold], c.wholeWord ? 1 : 0) << c.caret;
        EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 11)[cfBold], 0) << c.caret;
        // Otherwise the typing format takes it.
        EXPECT_EQ(d.Doc->InsertionFormat[cfBold], c.wholeWord ? 0 : 1) << c.caret;
    }
    // An empty paragraph: its end mark.
    TEditDoc d("{\\rtf1 some words here\\par\\par}");
    MakeTextPos(1, 0, d.Doc->Caret);
    TCharFormat request = UnsetCharFormat();
    request[cfSize] = 40;
    Format(d, Range(1, 0, 1, 0), request);
    EXPECT_EQ(d.OperationCount(), 1);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(1, 1)[cfSize], 40);
}

TEST(CharacterFormat, SizeSteps)
{
    struct {
        int32_t size, step, expected;
    } cases[] = {{12, -2000, 12}, {144, 2000, 144}, {20, 2150, 30},
                 {20, 2000, 22},  {24, -2000, 22},  {4, -5, 2}};
    for (const auto& c : cases) {
        TEditDoc d("{\\rtf1 \\fs" + std::to_string(c.size) + " text\\par}");
        TStepCharFormatFieldParams params;
        params.Range = Range(0, 0, 0, 4);
        params.Field = cfSize;
        params.Step = c.step;
        ExecuteOperation(*d.Doc, params);
        EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 2)[cfSize], c.expected) << c.size << " " << c.step;
    }
    // A mixed selection grows run by run.
    TEditDoc d("{\\rtf1 \\fs20 ab{\\fs24 cd}\\par}");
    const std::string before = d.Dump();
    TStepCharFormatFieldParams params;
    params.Range = Range(0, 0, 0, 4);
    params.Field = cfSize;
    params.Step = 2;
    ExecuteOperation(*d.Doc, params);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 2)[cfSize], 22);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 4)[cfSize], 26);
    EXPECT_EQ(d.OperationCount(), 1);
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
}

TEST(ParagraphFormat, IndentRules)
{
    struct {
        int32_t fi, li;       // the paragraph's
        int32_t newFi, newLi; // the request's (not set: left alone)
        int32_t wantFi, wantLi;
    } cases[] = {
        {-360, 0, UndefinedField, 720, -360, 1080},
        {-360, 720, 200, UndefinedField, 200, 360},
        {0, 720, -300, UndefinedField, -300, 1020},
        {100, 100, 50, 60, 50, 60},
    };
    for (const auto& c : cases) {
        TEditDoc d("{\\rtf1 \\fi" + std::to_string(c.fi) + "\\li" + std::to_string(c.li) + " text\\par}");
        const std::string before = d.Dump();
        TParaFormat request = UnsetParaFormat();
        request[pfFirstIndent] = c.newFi;
        request[pfLeftIndent] = c.newLi;
        request[pfAlignment] = 3;
        FormatParagraph(d, 0, request);
        const TParaFormat& f = d.Doc->Paragraphs[0]->ParaFormat;
        EXPECT_EQ(f[pfFirstIndent], c.wantFi);
        EXPECT_EQ(f[pfLeftIndent], c.wantLi);
        EXPECT_EQ(f[pfAlignment], 3);
        EXPECT_EQ(f[pfSpaceAfter], 0);
        d.Undo();
        EXPECT_EQ(d.Dump(), before);
    }
}

TEST(ParagraphFormat, StepsAndTheirLimits)
{
    TEditDoc d("{\\rtf1 \\li100\\sb30 one\\par \\li100\\sb30 two\\par \\li500 three\\par}");
    const std::string before = d.Dump();
    TStepParagraphFormatParams params;
    params.Range = Range(0, 0, 2, 0);
    params.Kind = 0;
    params.Step = -300;
    ExecuteOperation(*d.Doc, params);
    EXPECT_EQ(d.Doc->Paragraphs[0]->ParaFormat[pfLeftIndent], 0);
    EXPECT_EQ(d.Doc->Paragraphs[2]->ParaFormat[pfLeftIndent], 200);
    params.Kind = 4;
    ExecuteOperation(*d.Doc, params);
    EXPECT_EQ(d.Doc->Paragraphs[1]->ParaFormat[pfSpaceBefore], 0);
    params.Kind = 2;
    ExecuteOperation(*d.Doc, params);
    EXPECT_EQ(d.Doc->Paragraphs[2]->ParaFormat[pfFirstIndent], -270);
    EXPECT_EQ(d.Doc->Paragraphs[2]->ParaFormat[pfLeftIndent], 470);
    EXPECT_EQ(d.Doc->Paragraphs[2]->ParaFormat[pfBullets], 1);
    EXPECT_EQ(d.OperationCount(), 3);
    d.Doc->OperationManager->UndoAll();
    EXPECT_EQ(d.Dump(), before);
}

TEST(ParagraphFormat, TabsAndTheDefaultInterval)
{
    TEditDoc d("{\\rtf1 one\\par two\\par}");
    const std::string before = d.Dump();
    TFormatTabsParams params;
    params.Interval = 360;
    params.TableIndex = 0;
    MakeTextPos(1, 1, d.Doc->Caret);
    ExecuteOperation(*d.Doc, params);
    EXPECT_EQ(d.Doc->TabManager->DefaultTabInterval(), 360);
    EXPECT_EQ(d.Doc->Paragraphs[1]->ParaFormat[pfTabTable], 0);
    EXPECT_NE(d.Doc->Paragraphs[0]->ParaFormat[pfTabTable], 0);
    d.Undo();
    EXPECT_EQ(d.Doc->TabManager->DefaultTabInterval(), 720);
    EXPECT_EQ(d.Dump(), before);
    d.Redo();
    EXPECT_EQ(d.Doc->Paragraphs[1]->ParaFormat[pfTabTable], 0);
}

TEST(FormatPainter, CharacterAndParagraphParts)
{
    TEditDoc d("{\\rtf1 one two\\par}");
    d.Select(0, 0, 0, 3);
    TFormatPainterParams params;
    params.CharFormat = UnsetCharFormat();
    params.CharFormat[cfUnderline] = 1;
    params.CharFormat[cfHighlight] = 4; // the painter never paints the highlight
    params.ParaFormat = UnsetParaFormat();
    params.ParaFormat[pfAlignment] = 2;
    ExecuteOperation(*d.Doc, params);
    EXPECT_EQ(d.OperationCount(), 1);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 2)[cfUnderline], 1);
    EXPECT_EQ(d.Doc->CharFormatAtOffset(0, 2)[cfHighlight], 0);
    EXPECT_EQ(d.Doc->Paragraphs[0]->ParaFormat[pfAlignment], 2);
}
