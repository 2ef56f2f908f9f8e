// Typing through the dispatcher: the text after the edit, after Undo and after Redo, typing groups, and
// what the text insertion makes of plain text.
#include <gtest/gtest.h>

#include "core/Options.h"
#include "document/Field.h"
#include "document/InlineTags.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "tests/editing/edit_fixture.h"

using namespace qptest;

namespace {

const char* const TwoParagraphs = "{\\rtf1 Hello {\\b world}\\par Second line\\par}";

} // namespace

TEST(Typing, CharacterUndoRedoRestoresTheDump)
{
    TEditDoc d(TwoParagraphs);
    const std::string before = d.Dump();
    d.TypeAt(0, 5, "X");
    EXPECT_EQ(d.Text(0), "HelloX world");
    EXPECT_EQ(d.OperationCount(), 1);
    EXPECT_EQ(d.Doc->OperationManager->OperationAt(0)->Kind, okTyping);
    EXPECT_TRUE(d.Doc->IsModified());
    const std::string after = d.Dump();
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
    EXPECT_FALSE(d.Doc->IsModified());
    d.Redo();
    EXPECT_EQ(d.Dump(), after);
    EXPECT_EQ(d.Doc->Caret.Offset, 6);
}

TEST(Typing, PlainTextBecomesTaggedText)
{
    struct {
        const char* text;
        const char* first;
        const char* second;
        int paragraphs;
    } cases[] = {
        {"a\r\nb", "Helloa", "b world", 4},
        {"a\n\rb", "Helloa", "b world", 4},
        {"a\tb\x01\x02",
         "Helloa\x07"
         "b world",
         nullptr, 3},
        {"p\x0c\x00\x09q", "Hellop\x06\x07q world", nullptr, 3},
    };
    for (const auto& c : cases) {
        TEditDoc d(TwoParagraphs);
        const std::string before = d.Dump();
        d.TypeAt(0, 5,
                 std::string(c.text, std::char_traits<char>::length(c.text) + (c.text[1] == '\x0c' ? 3 : 0)));
        EXPECT_EQ(d.Doc->ParagraphCount(), c.paragraphs) << c.text;
        EXPECT_EQ(d.Text(0), c.first) << c.text;
        if (c.second)
            EXPECT_EQ(d.Text(1), c.second) << c.text;
        d.Undo();
        EXPECT_EQ(d.Dump(), before) << c.text;
    }
}

TEST(Typing, OnlyTheProgramsOwnCallersMakeSectionBreaks)
{
    TEditDoc d(TwoParagraphs);
    const std::string before = d.Dump();
    TInsertTextParams typed;
    typed.Text = std::string("a\x0c\x00\x07"
                             "b",
                             5);
    MakeTextPos(0, 2, d.Doc->Caret);
    ExecuteOperation(*d.Doc, typed);
    EXPECT_EQ(d.Doc->Sections.size(), 1u);
    // The program's own insertion: a section break, its kind clamped to the four that exist.
    typed.Flags = ioSectionBreaks;
    MakeTextPos(1, 2, d.Doc->Caret);
    ExecuteOperation(*d.Doc, typed);
    ASSERT_EQ(d.Doc->Sections.size(), 2u);
    EXPECT_EQ(d.Doc->Sections.front()->BreakKind(), 3);
    EXPECT_EQ(d.Doc->Paragraphs[1]->GetSection(), d.Doc->Sections.front().get());
    const std::string after = d.Dump();
    d.Undo();
    EXPECT_EQ(d.Doc->Sections.size(), 1u);
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
    d.Redo();
    d.Redo();
    EXPECT_EQ(d.Dump(), after);
}

TEST(Typing, GroupsFollowTheTypedSpaces)
{
    struct {
        bool group;
        const char* typed;
        std::vector<std::string> afterEachUndo;
    } cases[] = {
        {true, "abc", {"Hello world"}},
        {true, "ab cd", {"Helloab world", "Hello world"}},
        {false, "abc", {"Helloab world", "Helloa world", "Hello world"}},
    };
    for (const auto& c : cases) {
        CurrentOptions().Edit.GroupUndo = c.group;
        TEditDoc d(TwoParagraphs);
        MakeTextPos(0, 5, d.Doc->Caret);
        for (const char* p = c.typed; *p; ++p)
            d.Type(std::string(1, *p));
        for (const std::string& expected : c.afterEachUndo) {
            d.Undo();
            EXPECT_EQ(d.Text(0), expected) << c.typed;
        }
        EXPECT_EQ(d.CurrentIndex(), -1);
        // Redo brings the characters back up to the first typed space.
        d.Redo();
        if (c.group)
            EXPECT_EQ(d.Text(0), std::string(c.typed) == "abc" ? "Helloabc world" : "Helloab  world");
    }
    CurrentOptions().Edit.GroupUndo = true;
}

TEST(Typing, AutocorrectionIsNotGroupedWithTyping)
{
    TEditDoc d(TwoParagraphs);
    MakeTextPos(0, 5, d.Doc->Caret);
    d.Type("a");
    d.Type("b");
    d.Doc->UndoList.KindOverride = okAutocorrect;
    d.Type("c");
    d.Undo();
    EXPECT_EQ(d.Text(0), "Helloab world");
    d.Undo();
    EXPECT_EQ(d.Text(0), "Hello world");
}

TEST(Typing, SelectionIsReplacedOrKept)
{
    for (bool replace : {true, false}) {
        CurrentOptions().Edit.ReplaceSel = replace;
        TEditDoc d(TwoParagraphs);
        const std::string before = d.Dump();
        d.Select(0, 0, 0, 5);
        d.Type("Z");
        EXPECT_EQ(d.Text(0), replace ? "Z world" : "HelloZ world");
        EXPECT_EQ(d.OperationCount(), 1);
        EXPECT_FALSE(d.Doc->HasSelection());
        d.Undo();
        EXPECT_EQ(d.Dump(), before);
    }
    CurrentOptions().Edit.ReplaceSel = true;
}

TEST(Typing, ReplacingToTheEndKeepsTheLastMark)
{
    TEditDoc d(TwoParagraphs);
    d.Select(0, 2, 1, d.Doc->ParagraphLength(1));
    d.Type("y");
    ASSERT_EQ(d.Doc->ParagraphCount(), 1);
    EXPECT_EQ(d.Text(0), "Hey");
}

namespace {

// A character chosen in the symbol table, inserted at a place.
void InsertCharacterAt(TEditDoc& d, int32_t par, int32_t offset, uint8_t code, const char* font,
                       int32_t charset)
{
    MakeTextPos(par, offset, d.Doc->Caret);
    d.Doc->Selection = TTextRange{d.Doc->Caret, d.Doc->Caret};
    TInsertCharacterParams params;
    params.Character = code;
    params.FontName = font;
    params.Charset = charset;
    ExecuteOperation(*d.Doc, params);
}

} // namespace

TEST(Typing, ASymbolFontsCharacterBecomesASymbolFieldAndAnotherScriptsTakesItsLanguage)
{
    TEditDoc d(TwoParagraphs);
    const std::string before = d.Dump();
    InsertCharacterAt(d, 0, 5, 0x61, "Symbol", 2);
    EXPECT_EQ(d.OperationCount(), 1);
    EXPECT_EQ(d.Text(0), "Helloa world");
    ASSERT_EQ(d.Doc->Fields.size(), 1u);
    const TField& field = *d.Doc->Fields.front();
    EXPECT_EQ(field.FieldType, ftSymbol);
    EXPECT_EQ(field.Code, "SYMBOL 97 \\f \"Symbol\"");
    const TTextRange range = d.Doc->GetFieldRange(field);
    EXPECT_EQ(range.StartPos.Offset, 5);
    EXPECT_EQ(range.EndPos.Offset, 6);
    EXPECT_EQ(d.Doc->Caret.Offset, 6);
    const std::string after = d.Dump();
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
    EXPECT_TRUE(d.Doc->Fields.empty());
    d.Redo();
    EXPECT_EQ(d.Dump(), after);

    // A Greek character is marked as Greek; the text after it keeps its language.
    TEditDoc g(TwoParagraphs);
    InsertCharacterAt(g, 1, 0, 0xE1, "Arial", 161);
    EXPECT_TRUE(g.Doc->Fields.empty());
    EXPECT_EQ(g.Doc->CharFormatAtOffset(1, 1)[cfLanguage], 0x408);
    EXPECT_NE(g.Doc->CharFormatAtOffset(1, 2)[cfLanguage], 0x408);
}
