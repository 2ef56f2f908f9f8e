// Tables of contents built from the headings, refreshed and undone, the table styles made when missing,
// and envelopes: their section, their address styles and blocks.
#include <gtest/gtest.h>

#include "core/Codings.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "core/StyleManager.h"
#include "core/Styles.h"
#include "core/TabTables.h"
#include "document/Field.h"
#include "document/FieldCodes.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/Envelope.h"
#include "editing/HeaderFooterEditing.h"
#include "editing/OperationManager.h"
#include "editing/TableOfContents.h"
#include "formats/DocumentMemory.h"
#include "tests/common/test_support.h"
#include "tests/editing/edit_fixture.h"

using namespace qptest;

namespace {

// An empty first paragraph for the table, then headings of three levels: one holds a tab, one is only
// its paragraph mark, the last already carries a bookmark.
const char* const HeadingsRtf =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\s0 Normal;}{\\s1 heading 1;}{\\s2 heading 2;}"
    "{\\s3 heading 3;}}"
    "\\pard\\s0\\par "
    "\\pard\\s1 Introduction\\par "
    "\\pard\\s0 Du texte.\\par "
    "\\pard\\s2 Contexte\\tab g\\'e9n\\'e9ral\\par "
    "\\pard\\s3 D\\'e9tail\\par "
    "\\pard\\s1\\par "
    "\\pard\\s1 {\\*\\bkmkstart fin}Conclusion{\\*\\bkmkend fin}\\par "
    "\\pard\\s0 Fin.\\par}";

class TableOfContents : public testing::Test {
protected:
    void SetUp() override { SilentMessages = true; }
    void TearDown() override { SilentMessages = false; }

    static void Build(TEditDoc& d, const TTableOfContentsOptions& options)
    {
        TBuildTableOfContentsParams params;
        params.Options = options;
        ExecuteOperation(*d.Doc, params);
    }
    static TTableOfContentsOptions TwoLevels()
    {
        TTableOfContentsOptions o;
        o.Levels = 2;
        o.ShowTitle = 1;
        o.Title = "Table des matières";
        return o;
    }
    static int BuiltInIdOf(TEditDoc& d, int32_t par)
    {
        const TStyle* style = d.Doc->StyleList->StyleOf(d.Doc->Paragraphs[size_t(par)]->ParaFormat[pfStyle]);
        return style ? style->BuiltInId : -2;
    }
    // A heading made plain text (the caret in it, as the style box does).
    static void MakePlain(TEditDoc& d, int32_t par)
    {
        d.Select(par, 0, par, 0);
        TApplyStylesParams plain;
        plain.Range = Range(par, 0, par, int32_t(d.Text(par).size()));
        plain.Style = 0;
        ExecuteOperation(*d.Doc, plain);
    }
    static int BookmarkCount(TEditDoc& d)
    {
        d.Doc->UpdateFields();
        int n = 0;
        for (const auto& f : d.Doc->Fields)
            n += f->Kind == fkBookmark;
        return n;
    }
};

TEST_F(TableOfContents, BuiltFromTheHeadingsAsOneOperation)
{
    TEditDoc d(HeadingsRtf);
    const std::string before = d.Dump();
    Build(d, TwoLevels());
    ASSERT_EQ(d.OperationCount(), 1);
    // The title, then an entry per heading of levels 1 and 2 with text; the tab became a blank.
    EXPECT_EQ(d.Text(0), "Table des matières");
    EXPECT_EQ(d.Text(1), "Introduction\x07?");
    EXPECT_EQ(d.Text(2), "Contexte général\x07?");
    EXPECT_EQ(d.Text(3), "Conclusion\x07?");
    EXPECT_EQ(d.Text(4), "");
    EXPECT_EQ(d.Text(5), "Introduction");
    EXPECT_EQ(BuiltInIdOf(d, 0), TocTitleStyleId);
    EXPECT_EQ(BuiltInIdOf(d, 1), 19);
    EXPECT_EQ(BuiltInIdOf(d, 2), 20);
    EXPECT_EQ(BuiltInIdOf(d, 3), 19);
    // The right-aligned stop with dots at the text width.
    TPageSetup page;
    d.Doc->GetCurrentPageSetup(page);
    const int32_t table = d.Doc->Paragraphs[1]->ParaFormat[pfTabTable];
    ASSERT_GE(table, 0);
    ASSERT_EQ(d.Doc->TabManager->Table(table).Count(), 1);
    EXPECT_EQ(d.Doc->TabManager->Table(table)[0], PackTabStop(page[psTextWidth], tkRight, tlDots));

    // The table field holds its code; the entries link to bookmarks on their headings, the existing
    // one reused; the page references read their numbers once results are computed.
    TTextRange range;
    const TField* toc = d.Doc->FindFieldAt(TextPosAt(2, 3), range, nullptr, ftTableOfContents, fkCode);
    ASSERT_NE(toc, nullptr);
    EXPECT_EQ(toc->Code, "TOC \\h \\o \"1-2\" \\r2");
    const TField* link = d.Doc->FindFieldAt(TextPosAt(3, 2), range, nullptr, ftHyperlink, fkCode);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Code, "HYPERLINK \\l \"fin\"");
    const TField* reference = d.Doc->FindFieldAt(TextPosAt(1, 13), range, nullptr, -1, fkCode);
    ASSERT_NE(reference, nullptr);
    EXPECT_EQ(reference->Code, "PAGEREF Introduction");
    EXPECT_TRUE(d.Doc->BookmarkNameExists("Contexte_général", nullptr));
    EXPECT_TRUE(d.Doc->BookmarkNameExists("_Table_des_matières", nullptr));
    EXPECT_EQ(BookmarkCount(d), 4);
    RefreshFields(*d.Doc, d.Doc->GetBodyRange());
    EXPECT_EQ(d.Text(1), "Introduction\x07"
                         "1");

    // Undone as one step, to the byte.
    while (d.CurrentIndex() >= 0)
        d.Undo();
    EXPECT_EQ(d.Dump(), before);
}

TEST_F(TableOfContents, RefreshFollowsTheHeadingsAndKeepsTheBookmarks)
{
    TEditDoc d(HeadingsRtf);
    Build(d, TwoLevels());
    const int bookmarks = BookmarkCount(d);
    // A heading renamed, another made plain text.
    ASSERT_EQ(d.Text(10), "Conclusion");
    d.TypeAt(10, 10, " et suite");
    MakePlain(d, 7);
    const std::string before = d.Dump();
    MakeTextPos(2, 1, d.Doc->Caret);
    d.Doc->ClearSelection();
    TTableOfContentsOptions refresh;
    refresh.Refresh = 1;
    refresh.ShowTitle = 1;
    refresh.Title = "Table des matières";
    Build(d, refresh);
    EXPECT_EQ(d.Text(0), "Table des matières");
    EXPECT_EQ(d.Text(1), "Introduction\x07?");
    EXPECT_EQ(d.Text(2), "Conclusion et suite\x07?");
    EXPECT_EQ(d.Text(3), "");
    EXPECT_EQ(BookmarkCount(d), bookmarks);
    TTextRange range;
    const TField* toc = d.Doc->FindFieldAt(TextPosAt(1, 3), range, nullptr, ftTableOfContents, fkCode);
    ASSERT_NE(toc, nullptr);
    EXPECT_EQ(toc->Code, "TOC \\h \\o \"1-2\" \\r2");
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
}

// A refresh that finds no heading left deletes the old table, and undoing brings it back.
TEST_F(TableOfContents, NoHeadingsLeftRecordsTheRemoval)
{
    TEditDoc d(HeadingsRtf);
    TTableOfContentsOptions one;
    one.Levels = 1;
    Build(d, one);
    ASSERT_EQ(d.Text(0), "Introduction\x07?");
    for (int32_t par : {3, 8})
        MakePlain(d, par);
    ASSERT_EQ(d.Text(3), "Introduction");
    const std::string before = d.Dump();
    const int32_t count = d.OperationCount();
    MakeTextPos(0, 1, d.Doc->Caret);
    d.Doc->ClearSelection();
    TTableOfContentsOptions refresh;
    refresh.Refresh = 1;
    Build(d, refresh);
    ASSERT_EQ(d.OperationCount(), count + 1);
    EXPECT_EQ(d.Text(0), "");
    TTextRange range;
    EXPECT_EQ(d.Doc->FindFieldAt(TextPosAt(0, 0), range, nullptr, ftTableOfContents, fkCode), nullptr);
    EXPECT_FALSE(d.Doc->BookmarkNameExists("_Table_des_matières", nullptr));
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
}

// The table's styles come from a style source written by another word processor: the title and the two
// levels it defines replace the document's own, the third level is made from the second.
TEST_F(TableOfContents, StylesComeFromAStyleSourceFile)
{
    InstallRangeCopier();
    std::string rtf = HeadingsRtf;
    rtf.replace(rtf.find("{\\s3 heading 3;}"), 0, "{\\s4\\fs18 toc 1;}");
    TEditDoc d(rtf);
    auto resolved = [&](int32_t id, TCharFormat& c, TParaFormat& p) {
        const TStyle* style = d.Doc->StyleList->StyleOf(d.Doc->StyleList->IndexOfBuiltIn(id));
        ASSERT_NE(style, nullptr) << id;
        style->ResolveFormat(c, p, 0);
    };
    TCharFormat c;
    TParaFormat p;
    resolved(19, c, p);
    ASSERT_EQ(c[cfSize], 18);
    const std::string before = d.Dump();
    TTableOfContentsOptions o = TwoLevels();
    o.Levels = 3;
    o.StyleSource = qptest::DataPath("rtf/modele-tdm-lo.rtf");
    Build(d, o);
    ASSERT_EQ(d.OperationCount(), 1);
    EXPECT_EQ(d.Text(0), "Table des matières");
    EXPECT_EQ(BuiltInIdOf(d, 0), TocTitleStyleId);
    EXPECT_EQ(BuiltInIdOf(d, 1), 19);
    EXPECT_EQ(BuiltInIdOf(d, 3), 21);
    resolved(TocTitleStyleId, c, p);
    EXPECT_EQ(c[cfSize], 36);
    EXPECT_EQ(c[cfBold], 1);
    EXPECT_EQ(p[pfAlignment], 1);
    resolved(19, c, p);
    EXPECT_EQ(c[cfSize], 28);
    EXPECT_EQ(c[cfBold], 1);
    EXPECT_EQ(p[pfSpaceBefore], 113);
    resolved(20, c, p);
    EXPECT_EQ(c[cfItalic], 1);
    EXPECT_EQ(p[pfLeftIndent], 567);
    resolved(21, c, p);
    EXPECT_EQ(p[pfLeftIndent], 567 + 240);
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
    resolved(19, c, p);
    EXPECT_EQ(c[cfSize], 18);
    StyleSourceLoader = nullptr;
    DocumentTextLoader = nullptr;
}

// Header and footer editing brings the "Header" and "Footer" styles along: the template's, or the
// program's own with a centred stop in the middle of the text and a right-aligned one at its end.
TEST_F(TableOfContents, HeaderFooterEditingImportsItsStyles)
{
    TEditDoc d("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\s0 Normal;}}\\pard Lettre.\\par}");
    d.Doc->PaginateAll();
    const std::string before = d.Dump();
    ASSERT_LT(d.Doc->StyleList->IndexOfBuiltIn(31), 0);
    ToggleHeaderFooterEditing(*d.Doc, -1, nullptr);
    ASSERT_EQ(d.OperationCount(), 1);
    TPageSetup page;
    d.Doc->GetCurrentPageSetup(page);
    const int32_t width = page[psTextWidth];
    for (int32_t id : {31, 32}) {
        const int32_t index = d.Doc->StyleList->IndexOfBuiltIn(id);
        ASSERT_GE(index, 0) << id;
        const int32_t t = d.Doc->StyleList->StyleOf(index)->ParaFormat[pfTabTable];
        ASSERT_GE(t, 0);
        const TTabTable& stops = d.Doc->TabManager->Table(t);
        ASSERT_EQ(stops.Count(), 2);
        EXPECT_EQ(stops[0], PackTabStop(width / 2, tkCenter, tlNone));
        EXPECT_EQ(stops[1], PackTabStop(width, tkRight, tlNone));
    }
    // The header made takes its style.
    TField* header = d.Doc->Sections[0]->HeaderFooter[hfOddHeader];
    ASSERT_NE(header, nullptr);
    const int32_t par = d.Doc->GetFieldRange(*header).StartPos.ParIndex;
    EXPECT_EQ(BuiltInIdOf(d, par), 31);
    ToggleHeaderFooterEditing(*d.Doc, -1, nullptr);
    d.Undo();
    EXPECT_EQ(d.Dump(), before);

    // The template's own, as they stand; a document that has them takes nothing.
    StyleSourceLoader = [](TDocument&, const std::string& name) -> std::unique_ptr<TDocument> {
        const std::string rtf =
            "{\\rtf1{\\stylesheet{\\s0 Normal;}{\\s1\\fs40 header;}{\\s2\\fs16 footer;}}}";
        return name.empty() ? LoadDocumentFromMemory(rtf.data(), int64_t(rtf.size()), cdRtf) : nullptr;
    };
    TEditDoc e("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\s0 Normal;}}\\pard Lettre.\\par}");
    ToggleHeaderFooterEditing(*e.Doc, -1, nullptr);
    for (auto [id, size] : {std::pair{31, 40}, std::pair{32, 16}}) {
        const TStyle* style = e.Doc->StyleList->StyleOf(e.Doc->StyleList->IndexOfBuiltIn(id));
        ASSERT_NE(style, nullptr) << id;
        EXPECT_EQ(style->CharFormat[cfSize], size);
        EXPECT_FALSE(IsFieldSet(style->ParaFormat[pfTabTable]) && style->ParaFormat[pfTabTable] >= 0);
    }
    ToggleHeaderFooterEditing(*e.Doc, -1, nullptr);
    const int32_t count = e.Doc->StyleList->Count();
    ToggleHeaderFooterEditing(*e.Doc, -1, nullptr);
    EXPECT_EQ(e.Doc->StyleList->Count(), count);
    EXPECT_EQ(e.OperationCount(), 1);
    ToggleHeaderFooterEditing(*e.Doc, -1, nullptr);
    StyleSourceLoader = nullptr;
}

TEST_F(TableOfContents, MissingStylesAreMadeFromTheLevelAbove)
{
    TEditDoc d(HeadingsRtf);
    TStyleList& list = *d.Doc->StyleList;
    CreateTocStyle(list, 20);
    const TStyle& second = *list.StyleOf(list.IndexOfBuiltIn(20));
    EXPECT_EQ(second.ParaFormat[pfLeftIndent], 240);
    EXPECT_EQ(second.BasedOn, 0);
    CreateTocStyle(list, 21);
    const TStyle& third = *list.StyleOf(list.IndexOfBuiltIn(21));
    EXPECT_EQ(third.ParaFormat[pfLeftIndent], 480);
    EXPECT_EQ(third.NextStyle, list.IndexOfBuiltIn(21));
    EXPECT_EQ(third.DisplayName, "TM 3");
    CreateTocStyle(list, TocTitleStyleId);
    EXPECT_EQ(list.StyleOf(list.IndexOfBuiltIn(TocTitleStyleId))->CharFormat[cfBold], 1);

    // With no source at all, every table style is made, as one more style-list step.
    TEditDoc e(HeadingsRtf);
    TChangedRange range;
    EnsureTocStyles(*e.Doc, 3, {}, false, range, nullptr);
    for (int32_t id : {TocTitleStyleId, 19, 20, 21})
        EXPECT_GE(e.Doc->StyleList->IndexOfBuiltIn(id), 0) << id;
    EXPECT_LT(e.Doc->StyleList->IndexOfBuiltIn(22), 0);
}

TEST_F(TableOfContents, EntryTabsAreGivenOnlyWhereNeeded)
{
    TEditDoc d(HeadingsRtf);
    TTabTable stops;
    stops.AddTab(PackTabStop(5000, tkRight, tlDots));
    d.Doc->Paragraphs[2]->ParaFormat[pfTabTable] = d.Doc->TabManager->RegisterTabTable(stops);
    EXPECT_FALSE(TocEntryNeedsTab(*d.Doc, 2, 5000, tlDots));
    EXPECT_FALSE(TocEntryNeedsTab(*d.Doc, 2, 6000, tlDots));
    EXPECT_TRUE(TocEntryNeedsTab(*d.Doc, 2, 4000, tlDots));
    EXPECT_TRUE(TocEntryNeedsTab(*d.Doc, 2, 5000, tlHyphens));
    d.Doc->Paragraphs[2]->ParaFormat[pfTabTable] = -1;
    EXPECT_TRUE(TocEntryNeedsTab(*d.Doc, 2, 5000, tlDots));
}

class Envelope : public testing::Test {
protected:
    void SetUp() override
    {
        SilentMessages = true;
        Saved = CurrentOptions().Internal.Envelopes;
    }
    void TearDown() override
    {
        SilentMessages = false;
        CurrentOptions().Internal.Envelopes = Saved;
    }
    static void Create(TEditDoc& d, const std::string& recipient, const std::string& sender, bool reuse)
    {
        TCreateEnvelopeParams params;
        params.Recipient = recipient;
        params.Sender = sender;
        params.Reuse = reuse;
        ExecuteOperation(*d.Doc, params);
    }
    static int BuiltInIdOf(TEditDoc& d, int32_t par)
    {
        const TStyle* style = d.Doc->StyleList->StyleOf(d.Doc->Paragraphs[size_t(par)]->ParaFormat[pfStyle]);
        return style ? style->BuiltInId : -2;
    }
    TEnvelopeOptions Saved;
};

TEST_F(Envelope, NewFirstSectionWithBothBlocks)
{
    TEditDoc d("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\s0 Normal;}}"
               "{\\header\\pard En-t\\'eate\\par}\\pard Lettre.\\par Suite.\\par}");
    const std::string before = d.Dump();
    const TField* header = d.Doc->Sections.front()->HeaderFooter[hfOddHeader];
    ASSERT_NE(header, nullptr);
    Create(d, "Jean Dupont\r\n12 rue des Lilas\r\n75001 Paris\r\n\r\n", "Quillpad SA\r\n1 place Carnot",
           false);
    ASSERT_EQ(d.OperationCount(), 1);
    d.Doc->UpdateSectionRanges();
    ASSERT_EQ(d.Doc->Sections.size(), 2u);
    const TSection& envelope = *d.Doc->Sections[0];
    EXPECT_EQ(envelope.PageSetup[psWidth], 9184);
    EXPECT_EQ(envelope.PageSetup[psHeight], 6463);
    EXPECT_EQ(envelope.PageSetup[psOrientation], 1);
    for (int f :
         {psLeftMargin, psRightMargin, psTopMargin, psBottomMargin, psHeaderDistance, psFooterDistance})
        EXPECT_EQ(envelope.PageSetup[f], 0) << f;
    // The letter keeps its header; the envelope has six empty ones.
    EXPECT_EQ(d.Doc->Sections[1]->HeaderFooter[hfOddHeader], header);
    for (TField* slot : envelope.HeaderFooter) {
        ASSERT_NE(slot, nullptr);
        EXPECT_NE(slot, header);
    }
    const char* texts[] = {"Quillpad SA", "1 place Carnot", "Jean Dupont", "12 rue des Lilas", "75001 Paris"};
    for (int32_t i = 0; i < 5; ++i) {
        EXPECT_EQ(d.Text(i), texts[i]) << i;
        EXPECT_EQ(BuiltInIdOf(d, i), i < 2 ? SenderAddressStyleId : RecipientAddressStyleId) << i;
        EXPECT_EQ(d.Doc->Paragraphs[size_t(i)]->ParaFormat[pfLeftIndent], i < 2 ? 918 : 3674) << i;
    }
    EXPECT_EQ(d.Text(6), "Lettre.");
    EXPECT_EQ(d.Doc->Paragraphs[0]->ParaFormat[pfSpaceBefore], 646);
    // The recipient's block stands below the sender's: its space before is what remains of its y.
    const int32_t recipientSpace = d.Doc->Paragraphs[2]->ParaFormat[pfSpaceBefore];
    EXPECT_GT(recipientSpace, 0);
    EXPECT_LT(recipientSpace, 3232 - 646);
    EXPECT_EQ(d.Doc->Paragraphs[1]->ParaFormat[pfSpaceBefore], 0);
    EXPECT_EQ(d.Doc->Paragraphs[3]->ParaFormat[pfSpaceBefore], 0);
    d.Doc->PaginateAll();
    EXPECT_EQ(HasEnvelope(*d.Doc), 1);
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
}

TEST_F(Envelope, ReusedSectionAndNoSender)
{
    TEditDoc d("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\s0 Normal;}}"
               "\\pard\\par\\sect\\sectd\\pard Lettre.\\par}");
    d.Doc->UpdateSectionRanges();
    ASSERT_EQ(d.Doc->Sections.size(), 2u);
    CurrentOptions().Internal.Envelopes.Width = 12472;
    CurrentOptions().Internal.Envelopes.Height = 6236;
    Create(d, "Marie Curie\r\nParis", "", true);
    d.Doc->UpdateSectionRanges();
    EXPECT_EQ(d.Doc->Sections.size(), 2u);
    EXPECT_EQ(d.Doc->Sections[0]->PageSetup[psWidth], 12472);
    EXPECT_EQ(d.Text(0), "Marie Curie");
    EXPECT_EQ(d.Text(1), "Paris");
    EXPECT_EQ(BuiltInIdOf(d, 0), RecipientAddressStyleId);
    EXPECT_EQ(d.Doc->Paragraphs[0]->ParaFormat[pfSpaceBefore], 3118); // the whole recipient y
    EXPECT_EQ(d.Doc->StyleList->IndexOfBuiltIn(SenderAddressStyleId) >= 0, true);
}

// The address styles come from the template of the settings, or from the program's own when it lacks one.
TEST_F(Envelope, AddressStylesFromTheTemplateOfTheSettings)
{
    InstallRangeCopier();
    auto sizeOf = [](TEditDoc& d, int32_t id) {
        const TStyle* style = d.Doc->StyleList->StyleOf(d.Doc->StyleList->IndexOfBuiltIn(id));
        return style ? style->CharFormat[cfSize] : -1;
    };
    CurrentOptions().Internal.Envelopes.AddrFont = "{\\rtf1{\\stylesheet{\\s0 Normal;}{\\s1\\fs40 envelope "
                                                   "address;}{\\s2\\fs16 Adresse exp\\'e9diteur;}}}";
    TEditDoc d("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard Lettre.\\par}");
    Create(d, "Marie Curie", "Quillpad", false);
    EXPECT_EQ(sizeOf(d, RecipientAddressStyleId), 40);
    EXPECT_EQ(sizeOf(d, SenderAddressStyleId), 16);

    CurrentOptions().Internal.Envelopes.AddrFont =
        "{\\rtf1{\\stylesheet{\\s0 Normal;}{\\s1\\fs40 envelope address;}}}";
    TEditDoc e("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\pard Lettre.\\par}");
    Create(e, "Marie Curie", "Quillpad", false);
    EXPECT_EQ(sizeOf(e, RecipientAddressStyleId), 24);
    EXPECT_EQ(sizeOf(e, SenderAddressStyleId), 20);
    StyleSourceLoader = nullptr;
    DocumentTextLoader = nullptr;
}

} // namespace
