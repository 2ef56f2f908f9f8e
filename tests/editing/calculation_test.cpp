// The calculator on the text: the expression found around the caret, the result placed as the settings
// say (one undoable step), failures that change nothing but the selection, and column sums.
#include <gtest/gtest.h>

#include "core/Messages.h"
#include "core/Options.h"
#include "document/DocumentHost.h"
#include "editing/Builders.h"
#include "editing/Evaluator.h"
#include "tests/editing/edit_fixture.h"

using namespace qptest;

namespace {

// Keeps what would go to the clipboard.
class TClipboardHost : public TDocumentHost {
public:
    bool PutTextOnClipboard(const std::string& text) override
    {
        Clipboard = text;
        return true;
    }
    void CalculationBeep() override { ++Beeps; }
    std::string Clipboard = "(rien)";
    int Beeps = 0;
};

class Calculation : public testing::Test {
protected:
    void SetUp() override
    {
        SilentMessages = true;
        Saved = CurrentOptions().Calculator;
        SetDocumentHost(&Host);
    }
    void TearDown() override
    {
        SetDocumentHost(nullptr);
        CurrentOptions().Calculator = Saved;
        SilentMessages = false;
    }
    static void Calculate(TEditDoc& d)
    {
        TCalculateParams params;
        params.Range = d.Doc->HasSelection() ? d.Doc->Selection : TTextRange{d.Doc->Caret, d.Doc->Caret};
        ExecuteOperation(*d.Doc, params);
    }
    static std::string Selected(TEditDoc& d) { return d.Doc->GetRangeText(d.Doc->Selection); }

    TClipboardHost Host;
    TCalculatorOptions Saved;
};

const char* const Rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard Le total 12*3 vaut\\par 2+2\\par}";

TEST_F(Calculation, TheExpressionAtTheCaretIsFoundThenReplacedByItsValue)
{
    TEditDoc d(Rtf);
    const std::string before = d.Dump();
    MakeTextPos(0, 13, d.Doc->Caret); // right after "12*3"
    Calculate(d);
    EXPECT_EQ(Selected(d), "12*3");
    EXPECT_EQ(d.OperationCount(), 0) << "finding it changes nothing";
    EXPECT_EQ(Host.Beeps, 0);
    Calculate(d);
    EXPECT_EQ(d.Text(0), "Le total 36 vaut");
    EXPECT_EQ(d.OperationCount(), 1);
    EXPECT_EQ(Host.Beeps, 1);
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
}

TEST_F(Calculation, ResultsGoAfterTheExpressionOrToTheClipboard)
{
    TEditDoc d(Rtf);
    CurrentOptions().Calculator.ResHandling = 1;
    CurrentOptions().Calculator.Beep = false;
    d.Select(1, 0, 1, 3);
    Calculate(d);
    EXPECT_EQ(d.Text(1), "2+2=4");
    EXPECT_EQ(Host.Beeps, 0);

    CurrentOptions().Calculator.ResHandling = 0;
    d.Select(0, 9, 0, 13);
    Calculate(d);
    EXPECT_EQ(Host.Clipboard, "36");
    EXPECT_EQ(d.Text(0), "Le total 12*3 vaut");
    // A selection over two paragraphs is calculated to the end of its first.
    TEditDoc two("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard 1,5+1\\par 7\\par}");
    two.Select(0, 0, 1, 1);
    Calculate(two);
    EXPECT_EQ(Host.Clipboard, FormatEvaluationResult(2.5L));
}

TEST_F(Calculation, FailuresChangeNothingButTheSelection)
{
    // The faulty part is selected.
    TEditDoc d("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard 4/0+1 et 3+*2\\par mots sans nombre ici\\par}");
    const std::string before = d.Dump();
    d.Select(0, 0, 0, 5);
    Calculate(d);
    EXPECT_FALSE(Selected(d).empty());
    EXPECT_NE(std::string("4/0+1").find(Selected(d)), std::string::npos) << Selected(d);
    // Nothing evaluates around the caret; with detection off nothing is even tried.
    d.Doc->ClearSelection();
    MakeTextPos(1, 5, d.Doc->Caret);
    Calculate(d);
    EXPECT_FALSE(d.Doc->HasSelection());
    CurrentOptions().Calculator.Autodetect = false;
    MakeTextPos(0, 15, d.Doc->Caret);
    Calculate(d);
    EXPECT_FALSE(d.Doc->HasSelection());
    EXPECT_EQ(d.Dump(), before);
    EXPECT_EQ(d.OperationCount(), 0);
    EXPECT_EQ(Host.Clipboard, "(rien)");
    // A constant next to the caret is an expression.
    TEditDoc constant("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard valeur = pi ici\\par}");
    MakeTextPos(0, 11, constant.Doc->Caret);
    CurrentOptions().Calculator.Autodetect = true;
    Calculate(constant);
    EXPECT_EQ(Selected(constant), "pi");
}

TEST_F(Calculation, ColumnsOfNumbersInFrenchNotationAreSummed)
{
    long double sum = 0;
    EXPECT_TRUE(SumColumn({"1 234,5", "10", "", "  0,25 ", "2 000 000"}, sum));
    EXPECT_EQ(sum, 2001244.75L);
    // Groups of other than three digits are products, as the calculator reads them.
    EXPECT_TRUE(SumColumn({"2 50"}, sum));
    EXPECT_EQ(sum, 100.0L);
    EXPECT_FALSE(SumColumn({"1", "deux", "3"}, sum));

    TEditDoc d(Rtf);
    TInsertCalculationParams block;
    block.Block = "1 000,5\r\n2\r\n\r\n";
    ExecuteOperation(*d.Doc, block);
    EXPECT_EQ(Host.Clipboard, FormatEvaluationResult(1002.5L));
    EXPECT_EQ(Host.Beeps, 1);
    block.Block = "1\r\nx\r\n";
    ExecuteOperation(*d.Doc, block);
    EXPECT_EQ(Host.Clipboard, FormatEvaluationResult(1002.5L)) << "a piece that is no number: no result";
    EXPECT_EQ(d.OperationCount(), 0);
}

} // namespace
