// Headers and footers: their page-dependent fields laid out for each page, the mode in which they are
// edited, and page numbers put into them.
#include <gtest/gtest.h>

#include <string>

#include "core/Messages.h"
#include "core/StyleManager.h"
#include "document/InlineTags.h"
#include "document/Page.h"
#include "document/Field.h"
#include "layout_support.h"
#include "paged_document.h"
#include "tagged_text.h"

using qptest::TPagedDocument;

namespace {

std::vector<std::string> Shown;

// Main text of hand-made 10-pixel lines; headers and footers broken by the fixed font device (lines of
// 19 pixels), their fields owned by the document.
class HeaderFooter : public qptest::FixedDeviceTest {
protected:
    void SetUp() override
    {
        FixedDeviceTest::SetUp();
        Shown.clear();
        AfterMessageShown = [] { Shown.push_back(PendingMessage.Text); };
#ifdef _WIN32
        // The message form would wait for a click: messages are answered unseen there.
        SilentMessages = true;
#endif
    }
    void TearDown() override
    {
        SilentMessages = false;
        AfterMessageShown = nullptr;
        FixedDeviceTest::TearDown();
    }

    // A code field of a type, to write into a header as "{26:h}?{27:h}".
    std::string CodeField(uint8_t type, const char* code)
    {
        auto f = std::make_unique<TField>();
        f->Kind = fkCode;
        f->FieldType = type;
        f->Code = code;
        const std::string h = std::to_string(f->Handle);
        D.Doc.Fields.push_back(std::move(f));
        return "{26:" + h + "}?{27:" + h + "}";
    }

    // A header or footer of a section whose one paragraph holds Inside.
    TField& Block(TSection& section, int slot, const std::string& inside)
    {
        auto f = std::make_unique<TField>();
        f->Kind = fkHeaderFooter;
        auto p = std::make_unique<TParagraph>(&D.Doc);
        const std::string h = std::to_string(f->Handle);
        qptest::SetTaggedText(*p, "{26:" + h + "}" + inside + "{22:2}{27:" + h + "}");
        D.Doc.Paragraphs.push_back(std::move(p));
        ++D.Doc.StoryLengths[stHeadersFooters];
        TField& field = *f;
        section.HeaderFooter[slot] = &field;
        D.Doc.Fields.push_back(std::move(f));
        D.Doc.SetModeFlag(mfFieldsDirty, true);
        return field;
    }

    // The visible text of a field's first paragraph, without its end mark.
    std::string Text(const TField& field)
    {
        const TTextRange range = D.Doc.GetFieldRange(field);
        const TMemory& plain = D.Doc.Paragraphs[size_t(range.StartPos.ParIndex)]->PlainText;
        return std::string(reinterpret_cast<const char*>(plain.Data()), size_t(plain.Size() - 1));
    }

    // How many lines of story 3 a page holds.
    int HeaderFooterLinesOn(const TPage& page)
    {
        int n = 0;
        for (const TParLine* line : page.Lines)
            n += D.Doc.StoryOfParagraph(line->Paragraph->LayoutIndex) == stHeadersFooters;
        return n;
    }

    TPagedDocument D;
};

} // namespace

TEST_F(HeaderFooter, EachPageShowsItsNumberAndThePageCount)
{
    for (int i = 0; i < 5; ++i)
        D.Par(4);
    TField& header = Block(D.LastSection(), hfOddHeader,
                           "Page " + CodeField(ftPage, "PAGE") + " sur " + CodeField(ftNumPages, "NUMPAGES"));
    D.Prepare();
    // Pagination brings the header up to date for each page it starts.
    D.Doc.Paginate(0, 0);
    EXPECT_EQ(Text(header), "Page 1 sur 1");
    D.Doc.PaginateAll();
    const int32_t count = int32_t(D.Doc.Pages.size());
    ASSERT_GE(count, 3);
    EXPECT_EQ(Text(header), "Page " + std::to_string(count) + " sur " + std::to_string(count));
    // Laid out on each page in turn, it shows that page's number, its lines placed on the page.
    for (int32_t n = 0; n < count; ++n) {
        D.Doc.EditHeaderFooter(n, &header);
        EXPECT_EQ(Text(header), "Page " + std::to_string(n + 1) + " sur " + std::to_string(count));
        const TPage& page = *D.Doc.Pages[size_t(n)];
        ASSERT_EQ(HeaderFooterLinesOn(page), 1);
        EXPECT_EQ(page.Lines.back()->Y, 48); // the header distance
        EXPECT_EQ(page.Lines.back()->ColumnIndex, -1);
        // The caret stands at the start of the header.
        EXPECT_EQ(D.Doc.Caret.ParIndex, D.Doc.StoryStart(stHeadersFooters));
        EXPECT_EQ(D.Doc.Caret.PageIndex, n);
    }
    // Moving on to the next page took the header off the one before.
    EXPECT_EQ(HeaderFooterLinesOn(*D.Doc.Pages[0]), 0);
    // While it is edited on the first page, laying out the pages after leaves it there as it is.
    D.Doc.EditHeaderFooter(0, &header);
    D.Doc.Paginate(1, INT32_MAX);
    EXPECT_EQ(Text(header), "Page 1 sur " + std::to_string(count));
    EXPECT_EQ(HeaderFooterLinesOn(*D.Doc.Pages[0]), 1);
    EXPECT_EQ(int32_t(D.Doc.Pages.size()), count);
}

TEST_F(HeaderFooter, ASectionCanStartItsNumberingAgainInItsOwnStyle)
{
    for (int i = 0; i < 3; ++i)
        D.Par(5);
    TSection& first = D.EndSection(1);
    for (int i = 0; i < 4; ++i)
        D.Par(5);
    TSection& second = D.LastSection();
    second.PageNumberRestart = 4;
    second.PageNumberStyle = 2; // lower-case Roman numerals
    TField& header = Block(first, hfOddHeader,
                           CodeField(ftPage, "PAGE") + "/" + CodeField(ftSection, "SECTION") + "/" +
                               CodeField(ftSectionPages, "SECTIONPAGES"));
    D.Prepare();
    D.Doc.PaginateAll();
    std::vector<std::string> shown;
    for (int32_t n = 0; n < int32_t(D.Doc.Pages.size()); ++n) {
        D.Doc.EditHeaderFooter(n, &header);
        shown.push_back(Text(header));
    }
    // Ten lines fill a page, less the header's 19 pixels that reach into the text area: eight lines.
    EXPECT_EQ(shown, (std::vector<std::string>{"1/1/2", "2/1/2", "iv/2/3", "v/2/3", "vi/2/3"}));
}

TEST_F(HeaderFooter, ModeOnAndOffKeepsTheText)
{
    D.Par(3);
    D.Par(3);
    D.Prepare();
    D.Doc.PaginateAll();
    D.Doc.StyleList->Assign(*GetStyleManager().DefaultList);
    D.Doc.SetCaret(1, 1, 0, 4);
    const TTextPos before = D.Doc.Caret;
    D.Doc.ToggleHeaderFooterMode(-1, nullptr);
    // The first section got its six headers and footers in their styles, and the header of the
    // caret's page is edited.
    EXPECT_EQ(D.Doc.StoryLengths[stHeadersFooters], HeaderFooterSlotCount);
    for (int slot = 0; slot < HeaderFooterSlotCount; ++slot) {
        const TField* f = D.LastSection().HeaderFooter[slot];
        ASSERT_NE(f, nullptr);
        const TParagraph& p = *D.Doc.Paragraphs[size_t(D.Doc.GetFieldRange(*f).StartPos.ParIndex)];
        EXPECT_EQ(p.ParaFormat[pfStyle],
                  slot == hfOddHeader || slot == hfEvenHeader || slot == hfFirstHeader ? 10 : 11);
    }
    ASSERT_EQ(D.Doc.EditedHeaderFooter, D.LastSection().HeaderFooter[hfOddHeader]);
    EXPECT_EQ(D.Doc.StoryOfParagraph(D.Doc.Caret.ParIndex), stHeadersFooters);
    EXPECT_EQ(HeaderFooterLinesOn(*D.Doc.Pages[0]), 1);
    // Text typed into the header stays when the mode is left; the caret goes back.
    TParagraph& p = *D.Doc.Paragraphs[size_t(D.Doc.Caret.ParIndex)];
    const std::string h = std::to_string(D.Doc.EditedHeaderFooter->Handle);
    qptest::SetTaggedText(p, "{26:" + h + "}Rapport annuel{22:2}{27:" + h + "}");
    p.UpdateLayout(false, 0);
    D.Doc.SetModeFlag(mfFieldsDirty, true);
    D.Doc.ToggleHeaderFooterMode(-1, nullptr);
    EXPECT_EQ(D.Doc.EditedHeaderFooter, nullptr);
    EXPECT_EQ(HeaderFooterLinesOn(*D.Doc.Pages[0]), 0);
    EXPECT_EQ(D.Doc.Caret.ParIndex, before.ParIndex);
    EXPECT_EQ(D.Doc.Caret.Offset, before.Offset);
    EXPECT_EQ(Text(*D.LastSection().HeaderFooter[hfOddHeader]), "Rapport annuel");
    // On again: nothing more is created, and the header shows its text on the page.
    D.Doc.ToggleHeaderFooterMode(-1, nullptr);
    EXPECT_EQ(D.Doc.StoryLengths[stHeadersFooters], HeaderFooterSlotCount);
    EXPECT_EQ(Text(*D.Doc.EditedHeaderFooter), "Rapport annuel");
    EXPECT_EQ(HeaderFooterLinesOn(*D.Doc.Pages[0]), 1);
    // The footer is placed up from the footer distance: 196 - 48 - 19.
    D.Doc.EditHeaderFooter(0, D.LastSection().HeaderFooter[hfOddFooter]);
    EXPECT_EQ(D.Doc.Pages[0]->Lines.back()->Y, 129);
    D.Doc.ToggleHeaderFooterMode(-1, nullptr);
    EXPECT_EQ(D.Doc.EditedHeaderFooter, nullptr);
}

TEST_F(HeaderFooter, EditingEndsWhenItsPageNoLongerShowsTheField)
{
    D.Par(3);
    D.Prepare();
    D.Doc.PaginateAll();
    D.Doc.ToggleHeaderFooterMode(-1, nullptr);
    ASSERT_NE(D.Doc.EditedHeaderFooter, nullptr);
    D.Doc.RefreshHeaderFooterMode();
    EXPECT_NE(D.Doc.EditedHeaderFooter, nullptr);
    D.Doc.ClearPageList();
    D.Doc.RefreshHeaderFooterMode();
    EXPECT_EQ(D.Doc.EditedHeaderFooter, nullptr);
}

TEST_F(HeaderFooter, PageNumbersGoIntoEmptyFootersOnly)
{
    // The empty header and the footer each take 19 pixels of the text area: six lines fit a page.
    for (int i = 0; i < 3; ++i)
        D.Par(6);
    D.HeaderFlags = 0x0001; // different odd and even pages
    D.Prepare();
    TPageNumberChoice choice;
    choice.InFooter = true;
    choice.Alignment = 3; // outside
    D.Doc.InsertPageNumbers(choice);
    EXPECT_TRUE(Shown.empty());
    TSection& s = D.LastSection();
    EXPECT_EQ(Text(*s.HeaderFooter[hfOddFooter]), "?");
    EXPECT_EQ(Text(*s.HeaderFooter[hfFirstFooter]), "");
    EXPECT_EQ(Text(*s.HeaderFooter[hfOddHeader]), "");
    auto alignment = [&](int slot) {
        return D.Doc.Paragraphs[size_t(D.Doc.GetFieldRange(*s.HeaderFooter[slot]).StartPos.ParIndex)]
            ->ParaFormat[pfAlignment];
    };
    EXPECT_EQ(alignment(hfOddFooter), 2);
    EXPECT_EQ(alignment(hfEvenFooter), 0);
    // Each page's footer shows its number: odd pages the odd footer, even pages the even one.
    D.Doc.PaginateAll();
    ASSERT_EQ(D.Doc.Pages.size(), 3u);
    for (int32_t n = 0; n < 3; ++n) {
        TField* footer = D.Doc.Pages[size_t(n)]->FooterField;
        EXPECT_EQ(footer, s.HeaderFooter[n % 2 == 0 ? hfOddFooter : hfEvenFooter]);
        D.Doc.EditHeaderFooter(n, footer);
        EXPECT_EQ(Text(*footer), std::to_string(n + 1));
    }
    D.Doc.ToggleHeaderFooterMode(-1, nullptr);
    // Now that footers hold text, nothing more is inserted: the user is told how to do it by hand.
    const size_t fields = D.Doc.Fields.size();
    D.Doc.InsertPageNumbers(choice);
    EXPECT_EQ(D.Doc.Fields.size(), fields);
    if (!SilentMessages) {
        ASSERT_EQ(Shown.size(), 1u);
        EXPECT_NE(Shown[0].find("Le présent document contient un ou plusieurs en-têtes"), std::string::npos);
    }
}

TEST_F(HeaderFooter, AFooterTallerThanFourFifthsOfThePageKeepsItsFirstLines)
{
    D.Par(2);
    std::string words;
    for (int i = 0; i < 200; ++i)
        words += "mot ";
    TField& footer = Block(D.LastSection(), hfOddFooter, words);
    D.Prepare();
    D.Doc.PaginateAll();
    D.Doc.EditHeaderFooter(0, &footer);
    const TParagraph& p = *D.Doc.Paragraphs[size_t(D.Doc.GetFieldRange(footer).StartPos.ParIndex)];
    ASSERT_GT(p.LineCount(), 9);
    // 157 of the page's 196 pixels hold eight lines of 19; the footer's last line stands on the footer
    // distance.
    int32_t height = 0;
    for (const auto& line : p.Lines) {
        EXPECT_EQ(line->Height, line->LineIndex < 8 ? 19 : 0) << line->LineIndex;
        EXPECT_EQ(line->Page, D.Doc.Pages[0].get());
        height += line->Height;
    }
    EXPECT_EQ(p.Lines[0]->Y, 196 - 48 - height);
    EXPECT_EQ(p.Lines[7]->Y + 19, 196 - 48);
}
