// Moving, duplicating, joining, splitting, sorting and transforming text: each one undoable step that
// Undo takes back to the very document it started from, and Redo brings back.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/Fonts.h"
#include "core/KeyboardLayouts.h"
#include "core/Messages.h"
#include "document/Field.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "formats/DocumentMemory.h"
#include "tests/editing/edit_fixture.h"

using namespace qptest;

namespace {

struct TRearrangeCase {
    const char* Name;
    const char* Rtf;
    std::function<void(TEditDoc&)> Act;
    std::vector<std::string> Expected; // the paragraphs after; empty: nothing changes and nothing is recorded
};

TTextPos P(int32_t par, int32_t offset)
{
    return TextPosAt(par, offset);
}

std::function<void(TEditDoc&)> Move(TTextPos s, TTextPos e, TTextPos t, uint8_t flags = 0)
{
    return [=](TEditDoc& d) {
        TMoveTextParams p;
        p.SourceStart = s;
        p.SourceEnd = e;
        p.Target = t;
        p.Flags = flags;
        ExecuteOperation(*d.Doc, p);
    };
}

std::function<void(TEditDoc&)> Duplicate(TTextPos s, TTextPos e, TTextPos t)
{
    return [=](TEditDoc& d) {
        TDuplicateTextParams p;
        p.SourceStart = s;
        p.SourceEnd = e;
        p.Target = t;
        ExecuteOperation(*d.Doc, p);
    };
}

std::function<void(TEditDoc&)> Join(int32_t p1, int32_t o1, int32_t p2, int32_t o2)
{
    return [=](TEditDoc& d) {
        d.Select(p1, o1, p2, o2);
        TJoinParagraphsParams p;
        p.FirstParagraph = p1;
        p.LastParagraph = p2;
        ExecuteOperation(*d.Doc, p);
    };
}

std::function<void(TEditDoc&)> Sort(int32_t p1, int32_t p2, bool descending)
{
    return [=](TEditDoc& d) {
        TSortParagraphsParams p;
        p.Range = Range(p1, 0, p2, 1);
        p.Descending = descending;
        ExecuteOperation(*d.Doc, p);
    };
}

std::function<void(TEditDoc&)> Transform(uint8_t mode, int32_t p1, int32_t o1, int32_t p2, int32_t o2)
{
    return [=](TEditDoc& d) {
        TTransformTextParams p;
        p.Mode = mode;
        p.Range = Range(p1, o1, p2, o2);
        ExecuteOperation(*d.Doc, p);
    };
}

std::vector<std::string> Texts(const TEditDoc& d)
{
    std::vector<std::string> texts;
    for (int32_t i = 0; i < d.Doc->StoryLengths[0]; ++i)
        texts.push_back(d.Text(i));
    return texts;
}

class Rearranging : public testing::Test {
protected:
    void SetUp() override
    {
        SilentMessages = true;
        InstallRangeCopier();
    }
    void TearDown() override { SilentMessages = false; }

    static void Run(const TRearrangeCase& c)
    {
        SCOPED_TRACE(c.Name);
        TEditDoc d(c.Rtf);
        const std::string before = d.Dump();
        const std::vector<std::string> textsBefore = Texts(d);
        c.Act(d);
        if (c.Expected.empty()) {
            EXPECT_EQ(Texts(d), textsBefore);
            EXPECT_EQ(d.OperationCount(), 0);
            return;
        }
        EXPECT_EQ(Texts(d), c.Expected);
        ASSERT_EQ(d.OperationCount(), 1) << "one undoable step";
        const std::string after = d.Dump();
        d.Undo();
        EXPECT_EQ(d.Dump(), before);
        d.Redo();
        EXPECT_EQ(d.Dump(), after);
    }
};

} // namespace

TEST_F(Rearranging, MovesAndDuplications)
{
    const TRearrangeCase cases[] = {
        {"forward in a paragraph",
         "{\\rtf1 one two three}",
         Move(P(0, 4), P(0, 8), P(0, 13)),
         {"one threetwo "}},
        {"backward into the paragraph before",
         "{\\rtf1 A1\\par B2}",
         Move(P(1, 0), P(1, 2), P(0, 0)),
         {"B2A1", ""}},
        {"a whole paragraph with its mark",
         "{\\rtf1 a\\par b\\par c}",
         Move(P(0, 0), P(1, 0), P(2, 0)),
         {"b", "a", "c"}},
        {"formatted text keeps its format and leaves none behind",
         "{\\rtf1 x{\\b bold}y\\par z}",
         Move(P(0, 1), P(0, 5), P(1, 1)),
         {"xy", "zbold"}},
        {"onto its own end", "{\\rtf1 abcdef}", Move(P(0, 1), P(0, 3), P(0, 3)), {}},
        {"into itself", "{\\rtf1 abcdef}", Move(P(0, 1), P(0, 4), P(0, 2)), {}},
        {"an empty range", "{\\rtf1 abcdef}", Move(P(0, 2), P(0, 2), P(0, 5)), {}},
        {"duplicated after itself", "{\\rtf1 abc}", Duplicate(P(0, 0), P(0, 2), P(0, 3)), {"abcab"}},
        {"duplicated paragraphs",
         "{\\rtf1 one\\par two}",
         Duplicate(P(0, 0), P(1, 0), P(1, 0)),
         {"one", "one", "two"}},
    };
    for (const auto& c : cases)
        Run(c);
}

TEST_F(Rearranging, JoinsSortsAndCaseChanges)
{
    const TRearrangeCase cases[] = {
        {"three paragraphs become one", "{\\rtf1 a\\par b\\par c}", Join(0, 0, 2, 1), {"a b c"}},
        {"blocks divided by an empty paragraph stay", "{\\rtf1 A\\par\\par B}", Join(0, 0, 2, 1), {}},
        {"two blocks joined each",
         "{\\rtf1 a\\par b\\par\\par c\\par d}",
         Join(0, 0, 4, 1),
         {"a b", "", "c d"}},
        {"single line breaks go, a double one stays",
         "{\\rtf1 a\\line b\\line\\line c}",
         Join(0, 0, 0, 7),
         {"a b\x05\x05"
          "c"}},
        {"sorted ascending",
         "{\\rtf1 cherry\\par apple\\par banana}",
         Sort(0, 2, false),
         {"apple", "banana", "cherry"}},
        {"sorted descending",
         "{\\rtf1 cherry\\par apple\\par banana}",
         Sort(0, 2, true),
         {"cherry", "banana", "apple"}},
        {"already in order", "{\\rtf1 a\\par b}", Sort(0, 1, false), {}},
        {"a single paragraph is not sorted", "{\\rtf1 b a}", Sort(0, 0, false), {}},
        {"upper case", "{\\rtf1 abc d}", Transform(1, 0, 1, 0, 5), {"aBC D"}},
        {"lower case across paragraphs", "{\\rtf1 ABC\\par DEF}", Transform(2, 0, 1, 1, 2), {"Abc", "deF"}},
        {"inverted case", "{\\rtf1 aB1}", Transform(3, 0, 0, 0, 3), {"Ab1"}},
        {"sentence capitals in capitals",
         "{\\rtf1 HELLO WORLD. NEW ONE}",
         Transform(4, 0, 0, 0, 24),
         {"Hello world. New one"}},
        {"sentence capitals keep acronyms and names",
         "{\\rtf1 the NASA plan and Paris}",
         Transform(4, 0, 0, 0, 27),
         {"The NASA plan and Paris"}},
        {"sentence capitals after an opening parenthesis",
         "{\\rtf1 (hello) there}",
         Transform(4, 0, 0, 0, 13),
         {"(Hello) there"}},
        {"a sentence opening with a digit", "{\\rtf1 2 apples}", Transform(4, 0, 0, 0, 8), {}},
        {"word capitals in mixed case",
         "{\\rtf1 the NASA mcDonald plan}",
         Transform(5, 0, 0, 0, 24),
         {"The NASA Mcdonald Plan"}},
        {"word capitals in a sentence of capitals",
         "{\\rtf1 THE NASA PLAN}",
         Transform(5, 0, 0, 0, 13),
         {"The Nasa Plan"}},
        {"an empty selection", "{\\rtf1 abc}", Transform(1, 0, 1, 0, 1), {}},
        {"no layout to convert to", "{\\rtf1 abc}", Transform(0, 0, 0, 0, 3), {}},
    };
    for (const auto& c : cases)
        Run(c);
}

TEST_F(Rearranging, AMovedBookmarkGoesWithItsText)
{
    TEditDoc d("{\\rtf1 a{\\*\\bkmkstart here}bc{\\*\\bkmkend here}d\\par xyz}");
    TMoveTextParams p;
    p.SourceStart = P(0, 1);
    p.SourceEnd = P(0, 3);
    p.Target = P(1, 3);
    ExecuteOperation(*d.Doc, p);
    EXPECT_EQ(d.Text(0), "ad");
    EXPECT_EQ(d.Text(1), "xyzbc");
    d.Doc->UpdateFields();
    ASSERT_EQ(d.Doc->Fields.size(), 1u);
    EXPECT_EQ(d.Doc->Fields.front()->StartPos.ParIndex, 1);
    EXPECT_EQ(d.Doc->Fields.front()->StartPos.Offset, 3);
    EXPECT_EQ(d.Doc->Fields.front()->EndPos.Offset, 5);
}

TEST_F(Rearranging, SplitMakesEveryLineAParagraph)
{
    TEditDoc d("{\\rtf1 one two three four five six seven eight nine ten}");
    // Lines of a narrow column: the paragraph wraps more than once.
    d.Doc->Paragraphs[0]->SetLaidOut(false);
    d.Doc->LayoutParagraph(0, 1000);
    const int32_t lines = d.Doc->Paragraphs[0]->LineCount();
    ASSERT_GT(lines, 1);
    const std::string before = d.Dump();
    TSplitParagraphsParams p;
    ExecuteOperation(*d.Doc, p);
    ASSERT_EQ(d.Doc->StoryLengths[0], lines);
    std::string joined;
    for (int32_t i = 0; i < lines; ++i) {
        EXPECT_FALSE(d.Text(i).empty());
        EXPECT_NE(d.Text(i).back(), ' ') << "the space at the wrap point goes";
        joined += (i ? " " : "") + d.Text(i);
    }
    EXPECT_EQ(joined, "one two three four five six seven eight nine ten");
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
}

namespace {

// Two layouts, French and American, whose keys give a and q, z and w the other way round.
class TTwoLayouts : public TLayoutSystem {
public:
    static constexpr uintptr_t French = 0x040C040C;
    static constexpr uintptr_t American = 0x04090409;
    std::vector<uintptr_t> InstalledLayouts() override { return {French, American}; }
    uintptr_t ActiveLayout() override { return Active; }
    int TranslateChar(uint8_t c, uintptr_t from, uintptr_t to) override
    {
        if (c >= 0x80)
            return -1; // no key of either types it
        if (from == to)
            return c;
        switch (c) {
        case 'a': return 'q';
        case 'q': return 'a';
        case 'z': return 'w';
        case 'w': return 'z';
        case 'A': return 'Q';
        case 'Z': return 'W';
        default: return c;
        }
    }
    void Activate(uintptr_t layout) override { Active = layout; }
    uintptr_t Active = French;
};

} // namespace

TEST_F(Rearranging, RetypesInTheOtherKeyboardLayout)
{
    TTwoLayouts layouts;
    SetLayoutSystem(&layouts);
    Run({"typed in the wrong layout",
         "{\\rtf1 zqsd Azerty \\'e9t\\'e9}",
         Transform(0, 0, 0, 0, 15),
         {"wasd Qwerty \xe9t\xe9"}});
    // The text takes the target layout's language, and that layout becomes the active one.
    TEditDoc d("{\\rtf1 zqsd}");
    layouts.Active = TTwoLayouts::French;
    Transform(0, 0, 0, 0, 4)(d);
    EXPECT_EQ(d.Text(0), "wasd");
    EXPECT_EQ(d.Doc->GetLanguageAt(0, 1), 0x0409);
    EXPECT_EQ(layouts.Active, TTwoLayouts::American);
    SetLayoutSystem(nullptr);
}

// The character-set change (mode 6): the range takes the language and its fonts their variants for the
// language's script; the text before and after keeps its own; one Undo takes it back. Without a language
// (the dialog's part) nothing is recorded.
TEST_F(Rearranging, CharacterSetChangeGivesLanguageAndFontVariants)
{
    TEditDoc d("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Times New Roman;}}\\f0 abc {\\f1 def} ghi\\par}");
    const std::string before = d.Dump();
    TTransformTextParams p;
    p.Mode = 6;
    p.Range = Range(0, 1, 0, 7);
    ExecuteOperation(*d.Doc, p);
    EXPECT_EQ(d.OperationCount(), 0);
    p.Parameter = 0x408; // Greek
    ExecuteOperation(*d.Doc, p);
    ASSERT_EQ(d.OperationCount(), 1);
    EXPECT_EQ(d.Doc->OperationManager->OperationAt(0)->Kind, 35);
    EXPECT_EQ(d.Text(0), "abc def ghi");
    TFontManager& fonts = GetFontManager();
    for (int32_t offset : {2, 3, 4, 5, 6, 7}) {
        const TCharFormat f = d.Doc->CharFormatAtOffset(0, offset);
        EXPECT_EQ(f[cfLanguage], 0x408) << offset;
        EXPECT_EQ(fonts.FontOfIndex(f[cfFont]).Charset, 161) << offset;
    }
    EXPECT_EQ(fonts.FontOfIndex(d.Doc->CharFormatAtOffset(0, 5)[cfFont]).Name, "Times New Roman");
    EXPECT_EQ(fonts.FontOfIndex(d.Doc->CharFormatAtOffset(0, 2)[cfFont]).Name, "Arial");
    EXPECT_NE(d.Doc->CharFormatAtOffset(0, 1)[cfLanguage], 0x408);
    EXPECT_NE(fonts.FontOfIndex(d.Doc->CharFormatAtOffset(0, 9)[cfFont]).Charset, 161);
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
}
