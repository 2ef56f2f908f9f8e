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
#include "editing/PasteSource.h"
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

// A document just read types at its start in the format of its first character, not the default one.
TEST(Typing, TextTypedAtTheStartOfAReadDocumentTakesTheFirstCharactersFormat)
{
    TEditDoc d("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}\\f1\\fs32 {\\b Gras} normal\\par}");
    const TCharFormat first = d.Doc->GetCharFormatAt(TextPosAt(0, 1));
    ASSERT_EQ(first[cfBold], 1);
    d.Type("X");
    EXPECT_EQ(d.Text(0), "XGras normal");
    const TCharFormat typed = d.Doc->GetCharFormatAt(TextPosAt(0, 1));
    for (int f : {int(cfFont), int(cfSize), int(cfBold)})
        EXPECT_EQ(typed[f], first[f]) << f;
}

// The find and replace form's replacement (code 19) and the default language (code 29): each one step of
// its own kind that Undo takes back exactly, nothing recorded when nothing changes.
TEST(Typing, ReplacementsAndTheDefaultLanguageAreStepsOfTheirOwn)
{
    struct {
        uint8_t replaceAll;
        TTextRange range;
        const char* text;
        const char* result;
        uint8_t kind;
    } cases[] = {
        {0, Range(0, 6, 0, 11), "monde", "Hello monde", okReplace},
        {1, Range(0, 11, 0, 6), "", "Hello ", okReplaceAll},
        {0, Range(0, 5, 0, 5), ",", "Hello, world", okReplace},
    };
    for (const auto& c : cases) {
        TEditDoc d("{\\rtf1 Hello world\\par Second\\par}");
        const std::string before = d.Dump();
        TFindReplaceParams replace;
        replace.Range = c.range;
        replace.Replacement = c.text;
        replace.ReplaceAll = c.replaceAll;
        ExecuteOperation(*d.Doc, replace);
        EXPECT_EQ(d.Text(0), c.result) << c.text;
        ASSERT_EQ(d.OperationCount(), 1) << c.text;
        EXPECT_EQ(d.Doc->OperationManager->OperationAt(0)->Kind, c.kind) << c.text;
        EXPECT_EQ(d.Doc->UndoList.KindOverride, 0xFF);
        const std::string after = d.Dump();
        d.Undo();
        EXPECT_EQ(d.Dump(), before) << c.text;
        d.Redo();
        EXPECT_EQ(d.Dump(), after) << c.text;
    }

    TEditDoc d("{\\rtf1 Hello\\par}");
    const std::string before = d.Dump();
    TChangeDefaultLanguageParams language;
    language.Language = 0x40C;
    ExecuteOperation(*d.Doc, language);
    ASSERT_EQ(d.OperationCount(), 1);
    EXPECT_EQ(d.Doc->OperationManager->OperationAt(0)->Kind, okDefaultLanguage);
    EXPECT_EQ(d.Doc->DefaultLanguageId, 0x40C);
    EXPECT_NE(d.Dump().find("lang=1036"), std::string::npos);
    ExecuteOperation(*d.Doc, language);
    EXPECT_EQ(d.OperationCount(), 1);
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
    d.Redo();
    EXPECT_EQ(d.Doc->DefaultLanguageId, 0x40C);
}

// Inserted text with the space adjustment: one space between words, none before clinging punctuation,
// decimals left alone; the caret after the inserted text; one Undo takes the whole insertion back.
TEST(Typing, InsertionsFitTheSpacesAroundThem)
{
    struct {
        const char* document;
        int32_t offset;
        const char* text;
        const char* result;
        int32_t caret;
    } cases[] = {
        {"Hello world", 6, "big", "Hello big world", 9},
        {"Hello world", 5, "big", "Hello big world", 9},
        {"Hello world", 11, "big", "Hello world big", 15},
        {"Hello world", 5, ",", "Hello, world", 6},
        {"Hello world", 6, "!", "Hello! world", 6},
        {"Hello  world", 6, "big", "Hello big world", 9},
        {"Prix 3", 6, ",5", "Prix 3,5", 8},
        {"Hello world", 0, "Oh", "Oh Hello world", 2},
        {"<>", 1, "deux", "<deux>", 5},
        {"a - b", 4, "c", "a - c b", 5},
    };
    for (const auto& c : cases) {
        TEditDoc d(std::string("{\\rtf1 ") + c.document + "\\par}");
        const std::string before = d.Dump();
        ExecuteBuilder(*d.Doc, okPaste, [&](TChangedRange& range, TOperation* operation) {
            d.Doc->PrepareInsertFormat(TextPosAt(0, c.offset), 0);
            InsertPlainText(*d.Doc, c.text, TextPosAt(0, c.offset), range, operation, ioAdjustSpaces);
        });
        EXPECT_EQ(d.Text(0), c.result) << c.document << " + " << c.text;
        EXPECT_EQ(d.Doc->Caret.Offset, c.caret) << c.document << " + " << c.text;
        ASSERT_EQ(d.OperationCount(), 1);
        d.Undo();
        EXPECT_EQ(d.Dump(), before) << c.text;
    }
}

namespace {

// A clipboard that only names the language its text was copied in.
class TLocaleSource : public TPasteSource {
public:
    bool Open() override { return true; }
    void Close() override {}
    bool HasFormat(int32_t) override { return false; }
    bool CanPaste() override { return false; }
    bool IsTextContent() override { return true; }
    bool IsDropping() override { return false; }
    int32_t RectangularFormat() override { return 0; }
    int32_t NotWholeWordsFormat() override { return 0; }
    int32_t FileGroupFormat() override { return 0; }
    bool PasteInto(TDocument&, int32_t, bool, TPasteResult&) override { return false; }
    bool CanPastePiggyBank(const TDocument&) override { return false; }
    bool PiggyBankContent(TDocument&, TDocumentContent&) override { return false; }
    int32_t ClipboardLocale() override { return Locale; }
    int32_t Locale = 0;
};

} // namespace

// The language inserted text takes: the clipboard's while pasting, else the document's default language
// when it writes the Western character set.
TEST(Typing, InsertionLanguageFromTheClipboardOrTheDocument)
{
    struct {
        bool pasting;
        int32_t locale;
        int32_t documentLanguage;
        int32_t expected;
    } cases[] = {
        {true, 0x408, -1, 0x408},     {true, 0x09, 0x40C, 0x409}, {true, 0, 0x40C, 0x40C},
        {false, 0x408, 0x40C, 0x40C}, {false, 0, 0x408, 999},     {false, 0, -1, 999},
    };
    TPasteSource* previous = PasteSource();
    TLocaleSource source;
    SetPasteSource(&source);
    for (const auto& c : cases) {
        TEditDoc d("{\\rtf1 Hello\\par}");
        source.Locale = c.locale;
        d.Doc->DefaultLanguageId = c.documentLanguage;
        d.Doc->SetModeFlag(mfPasting, c.pasting);
        int32_t language = 999, font = 0;
        GetInsertionLanguage(*d.Doc, 0, language, font);
        EXPECT_EQ(language, c.expected) << c.locale << " " << c.documentLanguage;
    }
    SetPasteSource(previous);
}

// A character typed in the format around it is recorded as the compact typing step; one that brings a
// format of its own, or a break, as the general text step. Each undoes and redoes to the dump, and a
// character typed just before a field's begin mark goes in after the mark.
TEST(Typing, PlainCharactersTakeTheCompactStep)
{
    TEditDoc d("{\\rtf1 ab {\\b gras} {\\field{\\*\\fldinst PAGE}{\\fldrslt 7}} fin\\par}");
    struct TCase {
        int32_t offset;
        const char* text;
        bool bold;    // the typing format asked for
        bool compact; // the step expected
    } cases[] = {{1, "x", false, true},
                 {5, "y", true, true},
                 {5, "z", false, false},
                 {11, "w", false, true},
                 {2, "\r", false, false}};
    CurrentOptions().Edit.GroupUndo = false; // each undo takes back its own case
    for (const TCase& c : cases) {
        const std::string before = d.Dump();
        MakeTextPos(0, c.offset, d.Doc->Caret);
        d.Doc->Selection = TTextRange{d.Doc->Caret, d.Doc->Caret};
        d.Doc->PrepareInsertFormat(d.Doc->Caret, 1);
        d.Doc->InsertedTextFormat[cfBold] = c.bold;
        TInsertTextParams params;
        params.Text = c.text;
        d.Doc->SetModeFlag(mfNoInsertFormat, true); // the format set above stays
        ExecuteOperation(*d.Doc, params);
        d.Doc->SetModeFlag(mfNoInsertFormat, false);
        TOperation* op = d.Doc->OperationManager->OperationAt(d.CurrentIndex());
        ASSERT_EQ(op->StepCount(), 1u) << c.text;
        EXPECT_EQ(dynamic_cast<TTypedCharOperation*>(&op->Step(0)) != nullptr, c.compact) << c.text;
        if (c.text[0] != '\r')
            EXPECT_EQ(d.Doc->CharFormatAtOffset(0, c.offset + 1)[cfBold], c.bold) << c.text;
        const std::string after = d.Dump();
        d.Undo();
        EXPECT_EQ(d.Dump(), before) << c.text;
        d.Redo();
        EXPECT_EQ(d.Dump(), after) << c.text;
    }
    CurrentOptions().Edit.GroupUndo = true;
    EXPECT_EQ(d.Text(0), "ax");
    EXPECT_EQ(d.Text(1), "b gzyras w7 fin");
    // "w" went in after the field's begin mark: it is part of the field's result.
    EXPECT_NE(d.ParLine(1).find("w7"), std::string::npos);
}
