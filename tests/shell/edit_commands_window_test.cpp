// Every command of the edit range run through the command manager on a small document, with the text and
// selection it leaves; commands whose dialog or service is not in the program are named as unavailable.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/Codings.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "document/Document.h"
#include "document/Field.h"
#include "document/Section.h"
#include "editing/OperationManager.h"
#include "editing/OperationParams.h"
#include "formats/DocumentMemory.h"
#include "shell/CommandManager.h"
#include "tools/ClipboardManager.h"
#include "tools/PiggyBank.h"

namespace {

std::unique_ptr<TDocument> FromRtf(const std::string& rtf)
{
    std::unique_ptr<TDocument> doc = LoadDocumentFromMemory(rtf.data(), int64_t(rtf.size()), cdRtf);
    doc->SetModeFlag(mfHidden, false);
    doc->SetCaret(0, 0, 0, 4);
    return doc;
}

std::vector<std::string> Texts(const TDocument& doc)
{
    std::vector<std::string> texts;
    for (int32_t i = 0; i < doc.StoryLengths[stMain]; ++i) {
        const TMemory& plain = doc.Paragraphs[size_t(i)]->PlainText;
        texts.emplace_back(reinterpret_cast<const char*>(plain.Data()),
                           size_t(std::max(plain.Size() - 1, 0)));
    }
    return texts;
}

struct TSel {
    int32_t P1, O1, P2, O2;
};

class EditCommands : public testing::Test {
protected:
    void SetUp() override
    {
        SilentMessages = true;
        InstallRangeCopier();
        Clipboard = std::make_unique<TClipboardManager>();
        CommandManager().OnCommandUnavailable = [this](int32_t command) { Unavailable.push_back(command); };
    }
    void TearDown() override
    {
        CommandManager().DocumentOverride = nullptr;
        CommandManager().OnCommandUnavailable = nullptr;
        Clipboard.reset();
        SilentMessages = false;
    }
    // A document of the given text with the given selection (or caret), the commands acting on it.
    TDocument& Open(const std::string& rtf, TSel sel)
    {
        Doc = FromRtf(rtf);
        MakeTextPos(sel.P1, sel.O1, Doc->Selection.StartPos);
        MakeTextPos(sel.P2, sel.O2, Doc->Selection.EndPos);
        Doc->Caret = Doc->Selection.EndPos;
        CommandManager().DocumentOverride = Doc.get();
        return *Doc;
    }
    void Run(int32_t command)
    {
        // The clipboard may have changed since the last command (the main window would say so).
        CommandManager().DirtyFlags |= cdClipboard;
        CommandManager().ExecuteCommand(command);
    }
    TSel Selection() const
    {
        return {Doc->Selection.StartPos.ParIndex, Doc->Selection.StartPos.Offset,
                Doc->Selection.EndPos.ParIndex, Doc->Selection.EndPos.Offset};
    }

    std::unique_ptr<TClipboardManager> Clipboard;
    std::unique_ptr<TDocument> Doc;
    std::vector<int32_t> Unavailable;
};

bool operator==(const TSel& a, const TSel& b)
{
    return a.P1 == b.P1 && a.O1 == b.O1 && a.P2 == b.P2 && a.O2 == b.O2;
}

std::ostream& operator<<(std::ostream& out, const TSel& s)
{
    return out << "(" << s.P1 << "," << s.O1 << ")-(" << s.P2 << "," << s.O2 << ")";
}

} // namespace

TEST_F(EditCommands, EditingCommandsLeaveTheirText)
{
    const char* abcd = "{\\rtf1 abcd}";
    const TSel caret2{0, 2, 0, 2};
    struct TCase {
        int32_t Command;
        const char* Rtf;
        TSel Sel;
        std::vector<std::string> Expected;
    } cases[] = {
        {3000, abcd, caret2, {"ab", "cd"}},
        {3001,
         abcd,
         caret2,
         {"ab\x05"
          "cd"}},
        {3002,
         abcd,
         caret2,
         {"ab", "\x06"
                "cd"}},
        {3002,
         abcd,
         {0, 0, 0, 0},
         {"\x06"
          "abcd"}},
        {3003,
         abcd,
         caret2,
         {"ab\x07"
          "cd"}},
        {3004,
         abcd,
         caret2,
         {"ab\xa9"
          "cd"}},
        {3008,
         abcd,
         caret2,
         {"ab\x0b"
          "cd"}},
        {3009,
         abcd,
         caret2,
         {"ab\x0e"
          "cd"}},
        {3010,
         abcd,
         caret2,
         {"ab\x85"
          "cd"}},
        {3018,
         abcd,
         caret2,
         {"ab\xab"
          "cd"}},
        {3022,
         abcd,
         caret2,
         {"ab", "\x04"
                "cd"}},
        {3081, abcd, caret2, {"ab", "cd"}},
        {3200, abcd, {0, 1, 0, 3}, {"ad"}},
        {3200, abcd, {0, 1, 0, 1}, {"acd"}},
        {3220, abcd, caret2, {"acd"}},
        {3240, "{\\rtf1 un deux}", {0, 7, 0, 7}, {"un "}},
        {3260, "{\\rtf1 un deux}", {0, 0, 0, 0}, {"deux"}},
        {3280, abcd, caret2, {""}},
        {3300, abcd, caret2, {"cd"}},
        {3320, abcd, caret2, {"ab"}},
        {3500, abcd, {0, 0, 0, 2}, {"ababcd"}},
        {3920, "{\\rtf1 a\\par b\\par c}", {0, 0, 2, 1}, {"a b c"}},
        {3930, "{\\rtf1 c\\par a\\par b}", {0, 0, 2, 1}, {"a", "b", "c"}},
        {3931, "{\\rtf1 c\\par a\\par b}", {0, 0, 2, 1}, {"c", "b", "a"}},
        {3980, abcd, {0, 1, 0, 3}, {"aBCd"}},
        {4000, "{\\rtf1 ABCD}", {0, 1, 0, 3}, {"AbcD"}},
        {4020, "{\\rtf1 aBcD}", {0, 0, 0, 4}, {"AbCd"}},
        {4025, "{\\rtf1 bonjour. au revoir}", {0, 0, 0, 18}, {"Bonjour. Au revoir"}},
        {4030, "{\\rtf1 bonjour au revoir}", {0, 0, 0, 17}, {"Bonjour Au Revoir"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Command);
        TDocument& doc = Open(c.Rtf, c.Sel);
        const std::vector<std::string> before = Texts(doc);
        Run(c.Command);
        EXPECT_EQ(Texts(doc), c.Expected);
        // Each is one step that Undo takes back.
        Run(3840);
        EXPECT_EQ(Texts(doc), before);
        Run(3860);
        EXPECT_EQ(Texts(doc), c.Expected);
        if (c.Command == 3081) {
            ASSERT_EQ(doc.Sections.size(), 2u);
            EXPECT_EQ(doc.Sections.front()->Params[spBreakKind], 1);
        }
    }
    EXPECT_TRUE(Unavailable.empty());
}

TEST_F(EditCommands, SelectionCommandsLeaveTheirSelection)
{
    const char* text = "{\\rtf1 Un petit mot. Une phrase\\par suite}";
    struct TCase {
        int32_t Command;
        TSel Expected;
    } cases[] = {
        {3740, {0, 0, 1, 6}},  {3760, {0, 3, 0, 8}},  {3770, {0, 0, 0, 25}},
        {3780, {0, 0, 0, 13}}, {3790, {0, 0, 0, 25}}, {3810, {0, 0, 1, 6}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Command);
        Open(text, {0, 5, 0, 5});
        Run(c.Command);
        EXPECT_EQ(Selection(), c.Expected);
    }
}

TEST_F(EditCommands, ClipboardAndPiggyBankCommands)
{
    TDocument& doc = Open("{\\rtf1 un deux}", {0, 0, 0, 2});
    Run(3340); // copy "un"
    MakeTextPos(0, 7, doc.Caret);
    doc.Selection = TextRangeOf(doc.Caret, doc.Caret);
    Run(3360); // paste at the end: the insertion puts a space between the words
    EXPECT_EQ(Texts(doc), (std::vector<std::string>{"un deux un"}));
    Run(3840);
    EXPECT_EQ(Texts(doc), (std::vector<std::string>{"un deux"}));
    MakeTextPos(0, 3, doc.Selection.StartPos);
    MakeTextPos(0, 7, doc.Selection.EndPos);
    Run(3420); // cut "deux"
    EXPECT_EQ(Texts(doc), (std::vector<std::string>{"un "}));
    MakeTextPos(0, 0, doc.Caret);
    doc.Selection = TextRangeOf(doc.Caret, doc.Caret);
    Run(3380); // paste in the current format
    EXPECT_EQ(Texts(doc), (std::vector<std::string>{"deux un "}));

    // The piggy bank: two appends (one a cut), the insert pasted, emptied, its switch toggled.
    TDocument& source = Open("{\\rtf1 alpha beta}", {0, 0, 0, 5});
    Run(3440);
    MakeTextPos(0, 6, source.Selection.StartPos);
    MakeTextPos(0, 10, source.Selection.EndPos);
    Run(3445);
    EXPECT_EQ(Texts(source), (std::vector<std::string>{"alpha "}));
    TPiggyBank& bank = Clipboard->GetPiggyBank();
    EXPECT_EQ(Texts(*bank.Document), (std::vector<std::string>{"alpha", "beta"}));
    MakeTextPos(0, 0, source.Caret);
    source.Selection = TextRangeOf(source.Caret, source.Caret);
    Run(3480);
    EXPECT_EQ(Texts(source), (std::vector<std::string>{"alpha", "betaalpha "}));
    Run(3460);
    EXPECT_TRUE(bank.IsEmpty());
    EXPECT_FALSE(Clipboard->CollectEverything);
    Run(3485);
    EXPECT_TRUE(Clipboard->CollectEverything);
    Run(3485);
    EXPECT_FALSE(Clipboard->CollectEverything);
    EXPECT_TRUE(Unavailable.empty());
}

TEST_F(EditCommands, UndoAllAndRedoAll)
{
    TDocument& doc = Open("{\\rtf1 abc}", {0, 3, 0, 3});
    Run(3000);
    Run(3003);
    EXPECT_EQ(Texts(doc), (std::vector<std::string>{"abc", "\x07"}));
    Run(3880);
    EXPECT_EQ(Texts(doc), (std::vector<std::string>{"abc"}));
    Run(3900);
    EXPECT_EQ(Texts(doc), (std::vector<std::string>{"abc", "\x07"}));
}

TEST_F(EditCommands, CommandsOfLaterDialogsAreNamedUnavailable)
{
    // Something to paste, so that paste special is enabled.
    TDocument& doc = Open("{\\rtf1 abc}", {0, 0, 0, 1});
    Run(3340);
    doc.Selection = TextRangeOf(doc.Caret, doc.Caret);
    const int32_t later[] = {3400, 3520, 3580, 3600, 3620, 3630, 3640, 3645,
                             3960, 4060, 4100, 4500, 4520, 4540, 4600, 5100};
    for (int32_t command : later)
        Run(command);
    EXPECT_EQ(Unavailable, std::vector<int32_t>(std::begin(later), std::end(later)));
    EXPECT_EQ(Texts(*Doc), (std::vector<std::string>{"abc"}));
}

TEST_F(EditCommands, CalculatorFieldBookmarkAndHyperlinkCommands)
{
    TDocument& doc = Open("{\\rtf1 Total 12*3 vaut {\\field{\\*\\fldinst NUMPAGES}{\\fldrslt 0}}\\par "
                          "{\\*\\bkmkstart a}A{\\*\\bkmkend a} et {\\*\\bkmkstart b}B{\\*\\bkmkend b} "
                          "{\\field{\\*\\fldinst HYPERLINK \\\\l \"a\"}{\\fldrslt lien}}\\par}",
                          {0, 10, 0, 10});
    doc.Selection = TextRangeOf(doc.Caret, doc.Caret);
    // The expression at the caret is found, then calculated in its place.
    Run(4120);
    EXPECT_EQ(Selection(), (TSel{0, 6, 0, 10}));
    Run(4120);
    Run(5000);
    EXPECT_EQ(Texts(doc), (std::vector<std::string>{"Total 36 vaut 1", "A et B lien", ""}));

    // Next and previous bookmarks, round the document.
    doc.SetCaret(1, 0, 0, 4);
    const struct {
        int32_t Command, Offset;
    } steps[] = {{4511, 5}, {4511, 0}, {4510, 5}};
    for (const auto& s : steps) {
        Run(s.Command);
        EXPECT_EQ(doc.Caret.ParIndex, 1);
        EXPECT_EQ(doc.Caret.Offset, s.Offset) << s.Command;
    }
    // The link leads to its bookmark; made plain text, its words stay.
    doc.SetCaret(1, 8, 0, 4);
    Run(4545);
    EXPECT_EQ(doc.Caret.Offset, 0);
    doc.SetCaret(1, 8, 0, 4);
    Run(4560);
    TTextRange range;
    EXPECT_EQ(doc.FindFieldAt(TextPosAt(1, 8), range, nullptr, -1, -1), nullptr);
    EXPECT_EQ(Texts(doc)[1], "A et B lien");
    EXPECT_TRUE(Unavailable.empty());
    // Every change taken back at once.
    Run(3880);
    EXPECT_EQ(Texts(doc), (std::vector<std::string>{"Total 12*3 vaut 0", "A et B lien", ""}));
}

namespace {

// The text the clipboard holds, as another program reads it.
std::string ClipboardText()
{
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace

TEST_F(EditCommands, LinkAndFieldMenusCopyAndDeleteTheWholeLinkOrField)
{
    TDocument& doc =
        Open("{\\rtf1 Voir {\\field{\\*\\fldinst HYPERLINK \"http://exemple.fr/\" \\\\l \"haut\"}"
             "{\\fldrslt le site}} et {\\field{\\*\\fldinst NUMPAGES}{\\fldrslt 7}} pages\\par}",
             {0, 7, 0, 7});
    TTextRange range;
    // The link's copy selects the whole link and puts its address on the clipboard.
    Run(4555);
    ASSERT_NE(doc.GetFieldAtSelection(range, ftHyperlink), nullptr);
    EXPECT_EQ(Selection(), (TSel{range.StartPos.ParIndex, range.StartPos.Offset, range.EndPos.ParIndex,
                                 range.EndPos.Offset}));
    EXPECT_EQ(ClipboardText(), "http://exemple.fr/#haut");
    // The field's copy: the field selected, its result copied.
    const int32_t numPages = int32_t(Texts(doc)[0].find('7'));
    doc.SetCaret(0, numPages, 0, 4);
    doc.Selection = TextRangeOf(doc.Caret, doc.Caret);
    Run(4910);
    EXPECT_TRUE(doc.HasSelection());
    EXPECT_EQ(ClipboardText(), "7");
    // Deleting the link, then the field: their text goes with them.
    doc.SetCaret(0, 7, 0, 4);
    doc.Selection = TextRangeOf(doc.Caret, doc.Caret);
    Run(4565);
    EXPECT_EQ(Texts(doc)[0].find("le site"), std::string::npos) << Texts(doc)[0];
    EXPECT_EQ(doc.FindFieldAt(TextPosAt(0, 6), range, nullptr, ftHyperlink, -1), nullptr);
    doc.SetCaret(0, int32_t(Texts(doc)[0].find('7')), 0, 4);
    doc.Selection = TextRangeOf(doc.Caret, doc.Caret);
    Run(4920);
    EXPECT_EQ(Texts(doc)[0].find('7'), std::string::npos) << Texts(doc)[0];
    // The page number and the page count go in as fields at the caret.
    auto fieldsOf = [&doc](int type) {
        return std::count_if(doc.Fields.begin(), doc.Fields.end(),
                             [type](const auto& f) { return f->Kind == fkCode && f->FieldType == type; });
    };
    const auto pages = fieldsOf(ftPage), counts = fieldsOf(ftNumPages);
    doc.SetCaret(0, 0, 0, 4);
    doc.Selection = TextRangeOf(doc.Caret, doc.Caret);
    Run(3570);
    EXPECT_EQ(fieldsOf(ftPage), pages + 1);
    Run(3571);
    EXPECT_EQ(fieldsOf(ftNumPages), counts + 1);
    EXPECT_TRUE(Unavailable.empty());
    Run(3880);
    EXPECT_NE(Texts(doc)[0].find("le site"), std::string::npos);
    EXPECT_NE(Texts(doc)[0].find('7'), std::string::npos);
}

TEST_F(EditCommands, DateAndTimeCommandsInsertFieldsInTheTablesFormats)
{
    TDocument& doc = Open("{\\rtf1 abc}", {0, 0, 0, 0});
    const TOptions saved = CurrentOptions();
    CurrentOptions().Internal.DefDateFmt_Fr = 4;  // dd/MM/yyyy
    CurrentOptions().Internal.DefTimeFmt_Fr = 37; // HH:mm:ss
    // Each command leaves one more field at the caret, of its kind and with its picture.
    const struct {
        int32_t Command;
        int Type;
        const char* Code;
    } cases[] = {
        {3540, 31, "DATE \\@ \"dd/MM/yyyy\""},       {3560, 32, "TIME \\@ \"HH:mm:ss\""},
        {4260, 31, "DATE \\@ \"dd/MM/yyyy\""},       // the short date written out
        {4269, 31, "DATE \\@ \"dddd d MMMM yyyy\""}, // the long date
        {4262, 31, "DATE \\@ \"'le' dd/MM/yy\""},    {4284, 31, "DATE \\@ \"dd/MM/yyyy, HH:mm:ss\""},
        {4298, 32, "TIME \\@ \"hh:mm AM/PM\""},      {4301, 32, "TIME \\@ \"h 'h' mm AM/PM\""},
    };
    for (const auto& c : cases) {
        const size_t before = doc.Fields.size();
        Run(c.Command);
        ASSERT_EQ(doc.Fields.size(), before + 1) << c.Command;
        TTextRange range;
        const TField* field = doc.FindFieldAt(TextPosAt(0, doc.Caret.Offset - 1), range, nullptr, -1, fkCode);
        ASSERT_NE(field, nullptr) << c.Command;
        EXPECT_EQ(field->FieldType, c.Type) << c.Command;
        EXPECT_EQ(field->Code, c.Code);
    }
    // Once the results are computed, the first field shows today's date in its picture: two digits,
    // two digits, four digits.
    EXPECT_EQ(Texts(doc)[0], "????????abc");
    Run(5000);
    const std::string text = Texts(doc)[0];
    EXPECT_EQ(text.substr(text.size() - 3), "abc");
    const std::string date = text.substr(0, 10);
    EXPECT_TRUE(date.size() == 10 && date[2] == '/' && date[5] == '/' &&
                std::all_of(date.begin() + 6, date.end(), ::isdigit))
        << text;
    EXPECT_TRUE(Unavailable.empty());
    // Every insertion is taken back.
    Run(3880);
    EXPECT_EQ(Texts(doc), (std::vector<std::string>{"abc"}));
    EXPECT_TRUE(doc.Fields.empty());
    CurrentOptions() = saved;
}

TEST_F(EditCommands, GoToLastEditFindsTheCaretOfTheLastOperation)
{
    TDocument& doc = Open("{\\rtf1 abcdef\\par ghij}", {0, 1, 0, 1});
    // Nothing recorded yet: only the selection collapses, at the caret.
    doc.Select(0, 2, 1, 3, 0);
    ASSERT_TRUE(doc.HasSelection());
    const TTextPos caret = doc.Caret;
    Run(3820);
    EXPECT_EQ(Selection(), (TSel{caret.ParIndex, caret.Offset, caret.ParIndex, caret.Offset}));
    // After an edit: back where it left the caret, from anywhere.
    doc.SetCaret(0, 1, 0, 4);
    Run(3003);
    doc.Select(1, 1, 1, 4, 0);
    Run(3820);
    EXPECT_FALSE(doc.HasSelection());
    EXPECT_EQ(doc.Caret.ParIndex, 0);
    EXPECT_EQ(doc.Caret.Offset, 2);
    // With everything undone: where the first edit found the caret.
    Run(3840);
    ASSERT_EQ(doc.UndoList.CurrentIndex, -1) << doc.UndoList.Count();
    doc.SetCaret(1, 4, 0, 4);
    Run(3820);
    EXPECT_FALSE(doc.HasSelection());
    EXPECT_EQ(doc.Caret.ParIndex, 0);
    EXPECT_EQ(doc.Caret.Offset, 1);
    EXPECT_TRUE(Unavailable.empty());
}

TEST_F(EditCommands, TableOfContentsCommandsFollowTheHeadingsAndThePages)
{
    TDocument& doc = Open("{\\rtf1\\ansi{\\stylesheet{\\s0 Normal;}{\\s1 heading 1;}}"
                          "\\pard\\s0\\par \\pard\\s1 Introduction\\par \\pard\\s0 Du texte.\\par "
                          "\\pard\\s1 Conclusion\\par \\pard\\s0 Fin.\\par}",
                          {0, 0, 0, 0});
    TBuildTableOfContentsParams build;
    build.Options.Levels = 1;
    ExecuteOperation(doc, build);
    ASSERT_EQ(Texts(doc)[0], "Introduction\x07?");
    ASSERT_EQ(Texts(doc)[1], "Conclusion\x07?");
    // The page numbers read the pages as laid out.
    doc.SetCaret(0, 2, 0, 4);
    Run(4630);
    EXPECT_EQ(Texts(doc)[0], "Introduction\x07"
                             "1");
    EXPECT_EQ(Texts(doc)[1], "Conclusion\x07"
                             "1");
    // A heading renamed: the table is built again with it, in the same place.
    const int32_t last = doc.StoryLengths[stMain] - 3;
    ASSERT_EQ(Texts(doc)[size_t(last)], "Conclusion");
    doc.SetCaret(last, 10, 0, 4);
    TInsertTextParams more;
    more.Text = " et suite";
    ExecuteOperation(doc, more);
    doc.SetCaret(0, 2, 0, 4);
    Run(4620);
    EXPECT_EQ(Texts(doc)[1], "Conclusion et suite\x07?");
    EXPECT_EQ(Texts(doc)[2], "");
    // Outside a table neither does anything.
    const int32_t count = doc.UndoList.Count();
    doc.SetCaret(last, 0, 0, 4);
    Run(4620);
    Run(4630);
    EXPECT_EQ(doc.UndoList.Count(), count);
    EXPECT_TRUE(Unavailable.empty());
}
