// Fields, bookmarks and hyperlinks as edits: every computed result after pagination on a document of
// several sections, page references following their bookmarks, bookmarks and hyperlinks made, followed
// and taken away, each one undoable operation.
#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>

#include "core/Messages.h"
#include "core/Options.h"
#include "document/Field.h"
#include "document/FieldCodes.h"
#include "editing/Builders.h"
#include "editing/OperationManager.h"
#include "tests/common/test_support.h"
#include "tests/editing/edit_fixture.h"

using namespace qptest;

namespace {

// Three sections: the second restarts its page numbers at 5 in lower-case Roman and has two pages.
const char* const SectionsRtf =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\s0 Normal;}{\\s1 heading 1;}}"
    "{\\info{\\title Rapport annuel}{\\author Jeanne Martin}{\\subject}"
    "{\\creatim\\yr2024\\mo3\\dy9\\hr10\\min5}}"
    "\\pard\\s1 Introduction\\par "
    "\\pard\\s0 Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 0}} sur {\\field{\\*\\fldinst NUMPAGES}{\\fldrslt "
    "0}}"
    ", section {\\field{\\*\\fldinst SECTION}{\\fldrslt 0}}\\par "
    "Titre {\\field{\\*\\fldinst TITLE}{\\fldrslt x}} de {\\field{\\*\\fldinst AUTHOR \\\\* Upper}{\\fldrslt "
    "x}}"
    " sujet {\\field{\\*\\fldinst SUBJECT}{\\fldrslt x}}\\par "
    "Cr\\'e9\\'e9 le {\\field{\\*\\fldinst CREATEDATE \\\\@ \"d MMMM yyyy\"}{\\fldrslt x}}\\par "
    "Voir {\\field{\\*\\fldinst PAGEREF fin}{\\fldrslt x}} et {\\field{\\*\\fldinst PAGEREF "
    "absent}{\\fldrslt x}}"
    " et {\\field{\\*\\fldinst PAGEREF fin \\\\p}{\\fldrslt x}}\\par "
    "Chapitre {\\field{\\*\\fldinst STYLEREF \"heading 1\"}{\\fldrslt x}},"
    " {\\field{\\*\\fldinst STYLEREF Inconnu}{\\fldrslt x}}\\par "
    "Fichier {\\field{\\*\\fldinst FILENAME}{\\fldrslt x}} {\\field{\\*\\fldinst FILENAME \\\\p}{\\fldrslt "
    "x}}"
    "\\sect\\sectd\\pgnrestart\\pgnstarts5\\pgnlcrm"
    "\\pard\\s0 Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 0}} de la section {\\field{\\*\\fldinst SECTION}"
    "{\\fldrslt 0}} ({\\field{\\*\\fldinst SECTIONPAGES}{\\fldrslt 0}} pages)\\par "
    "\\page Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 0}}\\par "
    "\\sect\\sectd\\pard\\s0 Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 0}}, {\\*\\bkmkstart fin}la fin"
    "{\\*\\bkmkend fin}\\par}";

class Fields : public testing::Test {
protected:
    void SetUp() override { SilentMessages = true; }
    void TearDown() override { SilentMessages = false; }

    static void Refresh(TEditDoc& d) { RefreshFields(*d.Doc, d.Doc->GetBodyRange()); }
};

TEST_F(Fields, EveryComputedKindAfterPagination)
{
    TEditDoc d(SectionsRtf);
    d.Doc->FileName = "C:/Documents/rapport.rtf";
    const std::string before = d.Dump();
    Refresh(d);
    const struct {
        int32_t Paragraph;
        const char* Text;
    } expected[] = {
        {1, "Page 1 sur 4, section 1"},
        {2, "Titre Rapport annuel de JEANNE MARTIN sujet Aucun(e)"},
        {3, "Créé le 9 mars 2024"},
        {4, "Voir 7 et ? et en page 7"},
        {5, "Chapitre Introduction, Aucun paragraphe de style \"Inconnu\" n'a pu être trouvé !"},
        {6, "Fichier rapport.rtf C:/Documents/rapport.rtf"},
        {7, "Page v de la section 2 (2 pages)"},
        {8, "\x06Page vi"}, // after its page break
        {10, "Page 7, la fin"},
    };
    for (const auto& e : expected)
        EXPECT_EQ(d.Text(e.Paragraph), e.Text) << e.Paragraph;
    ASSERT_EQ(d.OperationCount(), 1);
    const std::string after = d.Dump();

    // Nothing changes the second time: no operation is recorded.
    Refresh(d);
    EXPECT_EQ(d.OperationCount(), 1);
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
    d.Redo();
    EXPECT_EQ(d.Dump(), after);
}

// The kinds that hang on the document rather than the page: its other properties, its statistics
// (counted once over the whole text, results included) and its file's size.
TEST_F(Fields, PropertiesStatisticsAndFileSize)
{
    const std::string path = ScratchDir() + "/taille.rtf";
    {
        FILE* f = fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        const std::string bytes(3 * 1024 + 100, 'a');
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
    TEditDoc d(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\info{\\keywords bilan}{\\doccomm Relu}"
        "{\\operator Paul Durand}{\\revtim\\yr2024\\mo4\\dy2\\hr9\\min0}}"
        "\\pard Un deux trois quatre.\\par "
        "{\\field{\\*\\fldinst NUMWORDS}{\\fldrslt x}} {\\field{\\*\\fldinst NUMCHARS}{\\fldrslt x}}\\par "
        "{\\field{\\*\\fldinst KEYWORDS \\\\* Caps}{\\fldrslt x}} {\\field{\\*\\fldinst COMMENTS}{\\fldrslt "
        "x}}"
        " {\\field{\\*\\fldinst LASTSAVEDBY}{\\fldrslt x}}\\par "
        "{\\field{\\*\\fldinst SAVEDATE \\\\@ \"d/M/yyyy\"}{\\fldrslt x}}"
        " {\\field{\\*\\fldinst PRINTDATE \\\\@ \"d/M/yyyy\"}{\\fldrslt x}}\\par "
        "{\\field{\\*\\fldinst FILESIZE}{\\fldrslt x}} {\\field{\\*\\fldinst FILESIZE \\\\k}{\\fldrslt x}}"
        "\\par}");
    d.Doc->FileName = path;
    Refresh(d);
    // Before the update: 4 + 2 + 3 + 2 + 2 words, 21 + 3 + 5 + 3 + 3 characters with spaces.
    EXPECT_EQ(d.Text(1), "13 35");
    // A date never set reads "Aucun(e)".
    EXPECT_EQ(d.Text(2), "Bilan Relu Paul Durand");
    EXPECT_EQ(d.Text(3), "2/4/2024 Aucun(e)");
    EXPECT_EQ(d.Text(4), "3172 3");
    std::remove(path.c_str());
}

TEST_F(Fields, PageReferencesFollowTheirBookmarks)
{
    TEditDoc d("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard Voir page {\\field{\\*\\fldinst PAGEREF cible}"
               "{\\fldrslt x}} ou {\\field{\\*\\fldinst PAGEREF cible \\\\p}{\\fldrslt x}}\\par "
               "texte\\par {\\*\\bkmkstart cible}ici{\\*\\bkmkend cible}\\par}");
    Refresh(d);
    EXPECT_EQ(d.Text(0), "Voir page 1 ou ci-dessous");
    // A page break before the text takes the bookmark to the next page.
    d.TypeAt(1, 0, "\f");
    Refresh(d);
    EXPECT_EQ(d.Text(0), "Voir page 2 ou en page 2");
    // Moved before the reference, on the first page.
    TMoveTextParams move;
    move.SourceStart = TextPosAt(2, 0);
    move.SourceEnd = TextPosAt(3, 0);
    move.Target = TextPosAt(0, 0);
    ExecuteOperation(*d.Doc, move);
    Refresh(d);
    EXPECT_EQ(d.Text(1), "Voir page 1 ou ci-dessus");
}

TEST_F(Fields, AnInsertedDateShowsTodayAndTheCaretFollowsTheResult)
{
    TEditDoc d("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard\\plain\\lang1033 Le  fin\\par}");
    MakeTextPos(0, 3, d.Doc->Caret);
    d.Doc->Selection = TTextRange{d.Doc->Caret, d.Doc->Caret};
    TInsertFieldParams insert;
    insert.FieldType = 31;
    insert.Arguments = "\\@ \"yyyy\"";
    ExecuteOperation(*d.Doc, insert);
    EXPECT_EQ(d.Text(0), "Le ? fin");
    TTextRange range;
    TField* field = d.Doc->FindFieldAt(TextPosAt(0, 3), range, nullptr, -1, -1);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->Code, "DATE \\@ \"yyyy\"");
    // Written in the program's language.
    EXPECT_NE(d.ParLine(0).find("lang=1036"), std::string::npos) << d.ParLine(0);
    MakeTextPos(0, 6, d.Doc->Caret);
    Refresh(d);
    const std::time_t now = std::time(nullptr);
    const std::string year = std::to_string(std::localtime(&now)->tm_year + 1900);
    EXPECT_EQ(d.Text(0), "Le " + year + " fin");
    EXPECT_EQ(d.Doc->Caret.Offset, 9) << "the caret after the field moves with it";
    d.Undo();
    EXPECT_EQ(d.Text(0), "Le ? fin");
}

TEST_F(Fields, BookmarksMadeNamedAndTakenAway)
{
    TEditDoc d("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard Un deux trois.\\par 2 \\'ab quatre \\'bb\\par}");
    const std::string before = d.Dump();
    const struct {
        TTextRange Range;
        const char* Name;
    } names[] = {
        {Range(0, 0, 0, 7), "Un_deux"},
        {Range(1, 0, 1, 11), "____quatre"},     // the digit, the quotes and the blanks
        {Range(0, 15, 0, 15), "Un_deux_trois"}, // the sentence at the caret
        {Range(0, 14, 0, 15), "Signet_1"},
    };
    MakeTextPos(0, 3, d.Doc->Caret);
    for (const auto& n : names)
        EXPECT_EQ(d.Doc->MakeBookmarkName(n.Range), n.Name);

    d.Select(0, 3, 0, 7);
    TFormatBookmarkParams bookmark;
    bookmark.Name = "Un_deux";
    ExecuteOperation(*d.Doc, bookmark);
    EXPECT_EQ(d.Doc->MakeBookmarkName(Range(0, 0, 0, 7)), "Un_deux_1");
    d.Doc->UpdateFields();
    ASSERT_EQ(d.Doc->Bookmarks.Count(), 1);
    EXPECT_EQ(d.Text(0), "Un deux trois.") << "a bookmark adds no character";
    const TField* made = d.Doc->FindBookmark("un_DEUX");
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(CompareTextPos(made->StartPos, TextPosAt(0, 3)), 0);
    EXPECT_EQ(CompareTextPos(made->EndPos, TextPosAt(0, 7)), 0);

    // Going to it selects it; without selecting, the caret stands at its start.
    d.Doc->ClearSelection();
    MakeTextPos(1, 2, d.Doc->Caret);
    EXPECT_TRUE(d.Doc->GoToBookmark("Un_deux", true));
    EXPECT_EQ(d.Doc->GetRangeText(d.Doc->Selection), "deux");
    EXPECT_FALSE(d.Doc->GoToBookmark("absent", true));

    TRemoveBookmarkParams remove;
    remove.Bookmark = d.Doc->FindBookmark("Un_deux");
    ExecuteOperation(*d.Doc, remove);
    EXPECT_EQ(d.Doc->FindBookmark("Un_deux"), nullptr);
    EXPECT_EQ(d.OperationCount(), 2);
    d.Undo();
    EXPECT_NE(d.Doc->FindBookmark("Un_deux"), nullptr);
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
    EXPECT_EQ(d.Doc->FindBookmark("Un_deux"), nullptr);
}

TEST_F(Fields, HyperlinksToBookmarksAndFiles)
{
    TEditDoc d(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard Aller au {\\*\\bkmkstart but}but{\\*\\bkmkend but}"
        ".\\par Lire \\par}");
    const std::string before = d.Dump();
    // Round typed text, to a bookmark.
    MakeTextPos(1, 5, d.Doc->Caret);
    d.Doc->ClearSelection();
    TInsertHyperlinkParams link;
    link.FieldCode = BuildHyperlinkFieldCode("#but", "");
    link.Text = "le but";
    ExecuteOperation(*d.Doc, link);
    EXPECT_EQ(d.Text(1), "Lire le but");
    TTextRange range;
    TField* made = d.Doc->FindFieldAt(TextPosAt(1, 6), range, nullptr, ftHyperlink, -1);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(CompareTextPos(range.StartPos, TextPosAt(1, 5)), 0);
    EXPECT_EQ(CompareTextPos(range.EndPos, TextPosAt(1, 11)), 0);
    EXPECT_NE(d.ParLine(1).find("ul="), std::string::npos) << "in the hyperlink format: " << d.ParLine(1);
    EXPECT_TRUE(d.Doc->FollowHyperlink(made->Code));
    EXPECT_EQ(d.Doc->Caret.ParIndex, 0);
    EXPECT_EQ(d.Doc->Caret.Offset, 9);

    // Round the selection, to a file.
    d.Select(0, 0, 0, 5);
    link.FieldCode = BuildHyperlinkFieldCode("notes.txt", "");
    link.Text.clear();
    ExecuteOperation(*d.Doc, link);
    EXPECT_EQ(d.Text(0), "Aller au but.");
    TField* file = d.Doc->FindFieldAt(TextPosAt(0, 1), range, nullptr, ftHyperlink, -1);
    ASSERT_NE(file, nullptr);
    std::string address, tooltip;
    ParseHyperlinkFieldCode(file->Code, address, tooltip);
    EXPECT_EQ(address, "notes.txt");

    // Without its bookmark the first link is broken; deactivating the selection's links leaves plain text.
    EXPECT_TRUE(FindBrokenHyperlinks(*d.Doc).empty());
    TRemoveBookmarkParams remove;
    remove.Bookmark = d.Doc->FindBookmark("but");
    ExecuteOperation(*d.Doc, remove);
    ASSERT_EQ(FindBrokenHyperlinks(*d.Doc).size(), 1u);
    d.Select(0, 0, 1, 11);
    ExecuteOperation(*d.Doc, TDeactivateHyperlinksParams{});
    EXPECT_EQ(d.Doc->FindFieldAt(TextPosAt(1, 6), range, nullptr, ftHyperlink, -1), nullptr);
    EXPECT_EQ(d.Doc->FindFieldAt(TextPosAt(0, 1), range, nullptr, ftHyperlink, -1), nullptr);
    EXPECT_EQ(d.ParLine(1).find("ul="), std::string::npos) << d.ParLine(1);
    EXPECT_EQ(d.Text(1), "Lire le but");
    for (int i = 0; i < 4; ++i)
        d.Undo();
    EXPECT_EQ(d.Dump(), before);
}

TEST_F(Fields, NestedFieldsFoundInnermostOrByType)
{
    TEditDoc d(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard {\\field{\\*\\fldinst TOC \\\\o \"1-3\"}{\\fldrslt "
        "Titre {\\field{\\*\\fldinst PAGEREF a}{\\fldrslt 3}}}}\\par}");
    TTextRange range;
    const TField* inner = d.Doc->FindFieldAt(TextPosAt(0, 6), range, nullptr, -1, -1);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->FieldType, ftPageReference);
    const TField* outer = d.Doc->FindFieldAt(TextPosAt(0, 6), range, nullptr, ftTableOfContents, -1);
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->FieldType, ftTableOfContents);
    // Taking the table away takes its page references with it; the text stays.
    MakeTextPos(0, 1, d.Doc->Caret);
    ExecuteOperation(*d.Doc, TRemoveTableOfContentsParams{});
    EXPECT_EQ(d.Text(0), "Titre 3");
    EXPECT_EQ(d.Doc->FindFieldAt(TextPosAt(0, 6), range, nullptr, -1, -1), nullptr);
    d.Undo();
    EXPECT_NE(d.Doc->FindFieldAt(TextPosAt(0, 6), range, nullptr, ftTableOfContents, -1), nullptr);
}

} // namespace

// Statistics shown in a footer are counted again only when the text changed since.
TEST_F(Fields, StatisticsFieldsOfTheFootersFollowTheText)
{
    TEditDoc d(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\footer\\pard {\\field{\\*\\fldinst NUMWORDS}{\\fldrslt 0}}"
        "\\par}\\pard Trois mots ici.\\par}");
    d.Doc->SetModeFlag(mfStatisticsStale, true);
    ASSERT_TRUE(d.Doc->UpdateStatisticsFields());
    EXPECT_EQ(d.Doc->FieldStatistics().Words, 3);
    EXPECT_FALSE(d.Doc->GetModeFlag(mfStatisticsStale));
    EXPECT_FALSE(d.Doc->UpdateStatisticsFields());
    d.TypeAt(0, 0, "Quatre ");
    EXPECT_TRUE(d.Doc->GetModeFlag(mfStatisticsStale));
    ASSERT_TRUE(d.Doc->UpdateStatisticsFields());
    EXPECT_EQ(d.Doc->FieldStatistics().Words, 4);

    // Without such a field in the headers and footers nothing is counted.
    TEditDoc plain(
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard Deux {\\field{\\*\\fldinst NUMWORDS}{\\fldrslt 0}}"
        "\\par}");
    plain.Doc->SetModeFlag(mfStatisticsStale, true);
    EXPECT_FALSE(plain.Doc->UpdateStatisticsFields());
}

// Before printing, the main text's fields are refreshed when the option says so, and the statistics shown
// in a footer are counted anew either way.
TEST_F(Fields, PrintingRefreshesTheFieldsAndTheFootersStatistics)
{
    const std::string rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\footer\\pard {\\field{\\*\\fldinst NUMWORDS}{\\fldrslt 0}}"
        "\\par}\\pard Trois mots ici {\\field{\\*\\fldinst NUMPAGES}{\\fldrslt 9}}\\par}";
    const bool kept = CurrentOptions().General.UpdFlds;
    for (bool update : {false, true}) {
        CurrentOptions().General.UpdFlds = update;
        TEditDoc d(rtf);
        ASSERT_TRUE(d.Doc->UpdateStatisticsFields());
        d.Doc->FieldStatisticsRecord.Words = -1; // what an earlier count left
        RefreshFieldsForPrinting(*d.Doc);
        EXPECT_EQ(d.Text(0), update ? "Trois mots ici 1" : "Trois mots ici 9");
        EXPECT_EQ(d.OperationCount(), update ? 1 : 0);
        EXPECT_EQ(d.Doc->FieldStatistics().Words, 4) << update;
        EXPECT_FALSE(d.Doc->GetModeFlag(mfStatisticsStale));
    }
    CurrentOptions().General.UpdFlds = kept;
}
