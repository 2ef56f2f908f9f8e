// Pagination: where pages and columns break, on documents built in memory with lines of known heights.
#include <gtest/gtest.h>

#include <functional>

#include "core/FontDevice.h"
#include "core/Fonts.h"
#include "document/DocumentHost.h"
#include "document/Page.h"
#include "document/TimeSlice.h"
#include "paged_document.h"
#include "ticking_clock.h"
#include "tagged_text.h"

using qptest::TPagedDocument;

namespace {

struct TBreakCase {
    const char* Name;
    std::function<void(TPagedDocument&)> Build;
    const char* Pages;
};

// Ten lines of 10 pixels fill a page.
const TBreakCase BreakCases[] = {
    {"text flows on to the next page",
     [](TPagedDocument& d) {
         d.Par(6);
         d.Par(6);
     },
     "0:0-5 1:0-3 | 1:4-5"},
    {"text ending on a page boundary leaves no empty page",
     [](TPagedDocument& d) {
         d.Par(4);
         d.Par(6);
     },
     "0:0-3 1:0-5"},
    {"widow control moves a three-line paragraph whole",
     [](TPagedDocument& d) {
         d.Par(8);
         d.Par(3, "w");
     },
     "0:0-7 | 1:0-2"},
    {"widow control leaves no first line alone",
     [](TPagedDocument& d) {
         d.Par(9);
         d.Par(5, "w");
     },
     "0:0-8 | 1:0-4"},
    {"widow control carries no last line alone",
     [](TPagedDocument& d) {
         d.Par(5);
         d.Par(6, "w");
     },
     "0:0-4 1:0-3 | 1:4-5"},
    {"without widow control a last line goes alone",
     [](TPagedDocument& d) {
         d.Par(5);
         d.Par(6);
     },
     "0:0-4 1:0-4 | 1:5"},
    {"keep together moves the paragraph whole",
     [](TPagedDocument& d) {
         d.Par(5);
         d.Par(8, "t");
     },
     "0:0-4 | 1:0-7"},
    {"a paragraph taller than a page is split all the same",
     [](TPagedDocument& d) {
         d.Par(2);
         d.Par(12, "t");
     },
     "0:0-1 | 1:0-9 | 1:10-11"},
    {"keep with next takes the heading along",
     [](TPagedDocument& d) {
         d.Par(8);
         d.Par(1, "k");
         d.Par(4, "t");
     },
     "0:0-7 | 1:0 2:0-3"},
    {"keep with next before a paragraph that splits stays",
     [](TPagedDocument& d) {
         d.Par(8);
         d.Par(1, "k");
         d.Par(4);
     },
     "0:0-7 1:0 2:0 | 2:1-3"},
    {"a chain of keep-with-next paragraphs moves together",
     [](TPagedDocument& d) {
         d.Par(7);
         d.Par(1, "k");
         d.Par(1, "k");
         d.Par(3, "t");
     },
     "0:0-6 | 1:0 2:0 3:0-2"},
    {"a keep-with-next paragraph split at the foot of a page takes its chain along",
     [](TPagedDocument& d) {
         d.Par(8);
         d.Par(1, "k");
         d.Par(3, "k");
         d.Par(1);
     },
     "0:0-7 | 1:0 2:0-2 3:0"},
    {"page break before starts a page",
     [](TPagedDocument& d) {
         d.Par(3);
         d.Par(2, "b");
     },
     "0:0-2 | 1:0-1"},
    {"page break before at the top of a page makes no empty page",
     [](TPagedDocument& d) {
         d.Par(2, "b");
         d.Par(1);
     },
     "0:0-1 1:0"},
    {"a page break ends the page",
     [](TPagedDocument& d) {
         d.BreakPar(6);
         d.Par(2);
     },
     "0:0 | 0:1 1:0-1"},
    {"a line break does not",
     [](TPagedDocument& d) {
         d.BreakPar(5);
         d.Par(2);
     },
     "0:0-1 1:0-1"},
    {"a column break ends the column",
     [](TPagedDocument& d) {
         d.BreakPar(4);
         d.Par(3);
         d.LastSection().Params[spColumnCount] = 2;
     },
     "c0 0:0 c1 0:1 1:0-2"},
    {"columns fill in turn",
     [](TPagedDocument& d) {
         d.Par(25);
         d.LastSection().Params[spColumnCount] = 2;
     },
     "c0 0:0-9 c1 0:10-19 | c0 0:20-24"},
    {"a new-page section starts a page",
     [](TPagedDocument& d) {
         d.Par(3);
         d.EndSection(1);
         d.Par(2);
     },
     "0:0-2 | 1:0-1"},
    {"a continuous section goes on below",
     [](TPagedDocument& d) {
         d.Par(3);
         d.EndSection(0);
         d.Par(2);
     },
     "0:0-2 1:0-1"},
    {"an odd-page section after page 1 leaves page 2 blank",
     [](TPagedDocument& d) {
         d.Par(3);
         d.EndSection(3);
         d.Par(2);
     },
     "0:0-2 | - | 1:0-1"},
    {"an even-page section after page 1 starts on page 2",
     [](TPagedDocument& d) {
         d.Par(3);
         d.EndSection(2);
         d.Par(2);
     },
     "0:0-2 | 1:0-1"},
    {"an even-page section after page 2 leaves page 3 blank",
     [](TPagedDocument& d) {
         d.Par(12);
         d.EndSection(2);
         d.Par(1);
     },
     "0:0-9 | 0:10-11 | - | 1:0"},
    {"columns of a section ending on the page are balanced",
     [](TPagedDocument& d) {
         d.Par(6);
         d.EndSection(0, 2);
         d.Par(2);
     },
     "c0 0:0-2 c1 0:3-5 1:0-1"},
    {"balanced columns take the lowest bottom",
     [](TPagedDocument& d) {
         d.Par(3);
         d.Par(2, "t");
         d.EndSection(0, 2);
         d.Par(1);
     },
     "c0 0:0-2 c1 1:0-1 2:0"},
    {"a header takes room",
     [](TPagedDocument& d) {
         d.Par(9);
         d.HeaderFooter(d.LastSection(), hfOddHeader, 2);
     },
     "0:0-7 | 0:8"},
    {"a footer takes room",
     [](TPagedDocument& d) {
         d.Par(8);
         d.HeaderFooter(d.LastSection(), hfOddFooter, 3);
     },
     "0:0-6 | 0:7"},
    {"odd and even pages have their own headers",
     [](TPagedDocument& d) {
         d.HeaderFlags = 1;
         d.Par(15);
         d.HeaderFooter(d.LastSection(), hfOddHeader, 2);
         d.HeaderFooter(d.LastSection(), hfEvenHeader, 4);
     },
     "0:0-7 | 0:8-13 | 0:14"},
    {"the first page of a section has its own header",
     [](TPagedDocument& d) {
         d.HeaderFlags = 0x100;
         d.Par(12);
         d.HeaderFooter(d.LastSection(), hfFirstHeader, 5);
     },
     "0:0-4 | 0:5-11"},
    {"a section without a header takes the one before",
     [](TPagedDocument& d) {
         d.Par(3);
         TSection& first = d.EndSection(1);
         d.Par(7);
         d.HeaderFooter(first, hfOddHeader, 5);
     },
     "0:0-2 | 1:0-4 | 1:5-6"},
    {"a header of more than 80 % of the page counts only the lines within",
     [](TPagedDocument& d) {
         d.Par(2);
         d.HeaderFooter(d.LastSection(), hfOddHeader, 30); // 15 lines within 157 of 196 pixels count
     },
     "0:0 | 0:1"}, // no room left: a line a page
};

TEST(Pagination, BreaksPagesAndColumns)
{
    for (const TBreakCase& c : BreakCases) {
        TPagedDocument d;
        c.Build(d);
        d.Prepare();
        d.Doc.PaginateAll();
        EXPECT_EQ(d.Describe(), c.Pages) << c.Name;
        EXPECT_TRUE(d.Doc.GetModeFlag(mfPaginationComplete)) << c.Name;
    }
}

TEST(Pagination, AnEmptyMainTextGivesOneEmptyPage)
{
    TPagedDocument d;
    d.NotePar();
    d.Prepare();
    d.Doc.PaginateAll();
    EXPECT_EQ(d.Describe(), "-");
    EXPECT_TRUE(d.Doc.GetModeFlag(mfPaginationComplete));
    TTextPos pos{};
    d.Doc.LocateTextPos(pos);
    EXPECT_EQ(pos.PageIndex, -1);
}

TEST(Pagination, ParagraphsAreBrokenForTheWidthOfTheirColumn)
{
    TFixedFontDevice device;
    SetFontDevice(&device);
    FreeFontManager();
    TPagedDocument d;
    TParagraph& p = d.Par(1);
    std::string words;
    for (int i = 0; i < 60; ++i)
        words += "mot ";
    qptest::SetTaggedText(p, words + "{22:2}");
    d.LastSection().Params[spColumnCount] = 2;
    d.Prepare();
    p.UpdateLayout(true, 7200); // broken for the whole text width
    const int32_t wholeWidthLines = p.LineCount();
    ASSERT_EQ(p.Lines[0]->RightLimit, 3840);
    d.Doc.PaginateAll();
    EXPECT_GT(p.LineCount(), wholeWidthLines); // broken again for a column of 3,240 twips
    for (const auto& line : p.Lines) {
        EXPECT_EQ(line->RightLimit, 1728);
        EXPECT_GE(line->ColumnIndex, 0);
        EXPECT_NE(line->Page, nullptr);
    }
    FreeFontManager();
    SetFontDevice(nullptr);
}

TEST(Pagination, HeaderLinesBeyondFourFifthsOfThePageGetNoHeight)
{
    TPagedDocument d;
    d.Par(2);
    d.HeaderFooter(d.LastSection(), hfOddHeader, 18); // 157 of 196 pixels hold 15 lines
    d.Prepare();
    d.Doc.PaginateAll();
    const TParagraph& header = *d.Doc.Paragraphs.back();
    EXPECT_EQ(header.Lines[14]->Height, 10);
    EXPECT_EQ(header.Lines[15]->Height, 0);
    EXPECT_EQ(header.Lines[17]->Height, 0);
    EXPECT_EQ(d.Doc.Pages[0]->HeaderHeight, 150);
}

// Every line's page, place in the page, column and y, as text.
std::string Placements(const TPagedDocument& d)
{
    std::string out;
    for (const auto& p : d.Doc.Paragraphs)
        for (const auto& line : p->Lines)
            if (line->Page)
                out += std::to_string(line->Page->PageIndex) + "/" + std::to_string(line->PageLineIndex) +
                       "/" + std::to_string(line->ColumnIndex) + "/" + std::to_string(line->Y) + "/" +
                       std::to_string(line->SuppressedSpace) + " ";
    return out;
}

TEST(Pagination, LinesGetTheirPageColumnAndY)
{
    TPagedDocument d;
    d.Par(9);
    TParagraph& spaced = d.Par(3);
    spaced.ParaFormat[pfSpaceBefore] = 150; // 10 pixels, counted in the first line's height
    spaced.Lines[0]->Height = 20;
    d.Par(2).ParaFormat[pfSpaceBefore] = 150;
    d.Doc.Paragraphs.back()->Lines[0]->Height = 20;
    d.HeaderFooter(d.LastSection(), hfOddHeader, 1);
    d.Prepare();
    d.Doc.PaginateAll();
    ASSERT_EQ(d.Describe(), "0:0-8 | 1:0-2 2:0-1");
    // Page 1: the header reaches 10 pixels into the text area, which starts at 48 + 10.
    const TParLine& top = *d.Doc.Paragraphs[1]->Lines[0];
    EXPECT_EQ(top.Y, 48); // its space before is not counted at the top of the page
    EXPECT_EQ(top.SuppressedSpace, 10);
    EXPECT_EQ(d.Doc.Paragraphs[1]->Lines[1]->Y, 68);
    const TParLine& next = *d.Doc.Paragraphs[2]->Lines[0];
    EXPECT_EQ(next.SuppressedSpace, 0); // no space after above it
    EXPECT_EQ(next.Y, 88);
    EXPECT_EQ(next.PageLineIndex, 3);
    EXPECT_EQ(d.Doc.Pages[1]->HeaderHeight, 10);
    EXPECT_EQ(d.Doc.Pages[1]->TextHeight, 60);
    EXPECT_EQ(d.Doc.Paragraphs[0]->Lines[8]->Y, 58 + 80);
}

TEST(Pagination, TouchingSpacesBetweenParagraphsCountOnce)
{
    TPagedDocument d;
    d.Par(2).ParaFormat[pfSpaceAfter] = 90; // 6 pixels
    TParagraph& second = d.Par(2);
    second.ParaFormat[pfSpaceBefore] = 150; // 10 pixels: 6 of them are not counted
    second.Lines[0]->Height = 20;
    d.Prepare();
    d.Doc.PaginateAll();
    EXPECT_EQ(second.Lines[0]->SuppressedSpace, 6);
    EXPECT_EQ(second.Lines[0]->Y, 48 + 20 - 6);
    d.Doc.SpacingMode = 1;
    d.Doc.Paginate(0, INT32_MAX);
    EXPECT_EQ(second.Lines[0]->SuppressedSpace, 0);
}

// A document that uses most rules at once.
void BuildMixed(TPagedDocument& d)
{
    d.HeaderFlags = 1;
    d.Par(8);
    d.Par(1, "k");
    d.Par(3, "k");
    d.Par(7);
    d.Par(4, "w");
    d.Par(1, "k");
    d.Par(3, "t");
    d.EndSection(3);
    d.Par(6);
    d.EndSection(0, 2);
    d.BreakPar(6);
    d.Par(14, "w");
    d.EndSection(2, 3);
    d.Par(40);
    d.HeaderFooter(d.LastSection(), hfOddHeader, 2);
    d.HeaderFooter(d.LastSection(), hfEvenFooter, 1);
}

TEST(Pagination, SlicesGiveTheSamePagesAsOneRun)
{
    TPagedDocument whole;
    BuildMixed(whole);
    whole.Prepare();
    whole.Doc.PaginateAll();
    const std::string expected = whole.Describe();
    ASSERT_GT(whole.Doc.Pages.size(), 6u);
    ASSERT_TRUE(whole.Doc.Pages[3]->Lines.empty()) << expected; // the blank page before the odd-page section

    TPagedDocument sliced;
    BuildMixed(sliced);
    sliced.Prepare();
    for (int guard = 0; !sliced.Doc.GetModeFlag(mfPaginationComplete) && guard < 100; ++guard) {
        const int32_t n = int32_t(sliced.Doc.Pages.size());
        sliced.Doc.Paginate(n, n);
        EXPECT_GT(int32_t(sliced.Doc.Pages.size()), n);
    }
    EXPECT_EQ(sliced.Describe(), expected);
    EXPECT_EQ(Placements(sliced), Placements(whole));

    // Laying out again from any page, a blank one too, rebuilds the same pages.
    for (int32_t from : {4, 3, 7, 5, 1}) {
        sliced.Doc.Paginate(from, INT32_MAX);
        EXPECT_EQ(sliced.Describe(), expected) << from;
        EXPECT_EQ(Placements(sliced), Placements(whole)) << from;
    }
}

TEST(Pagination, BackgroundSlicesPaginateAPageAtATimeWithinTheirTime)
{
    TPagedDocument d;
    d.Par(95);
    d.Prepare();
    TTickingClock clock(20); // 20 ms per reading: three pages per 50-ms slice
    d.Doc.PaginateSlice(clock);
    EXPECT_EQ(d.Doc.Pages.size(), 3u);
    EXPECT_FALSE(d.Doc.GetModeFlag(mfPaginationComplete));
    d.Doc.PaginateSlice(clock);
    d.Doc.PaginateSlice(clock);
    d.Doc.PaginateSlice(clock);
    EXPECT_EQ(d.Doc.Pages.size(), 10u);
    EXPECT_TRUE(d.Doc.GetModeFlag(mfPaginationComplete));
    EXPECT_FALSE(d.Doc.WantsBackgroundPagination());
    EXPECT_EQ(d.Doc.FieldPageCount, 10);
    EXPECT_EQ(d.Doc.LayoutPageCount, 10);
}

// Records the progress texts that pagination shows.
class TRecordingHost : public TDocumentHost {
public:
    void ShowProgressText(const std::string& text) override { Texts.push_back(text); }
    std::vector<std::string> Texts;
};

TEST(Pagination, LongRunsShowTheirProgress)
{
    TRecordingHost host;
    SetDocumentHost(&host);
    TPagedDocument d;
    d.Par(125);
    d.Prepare();
    d.Doc.Paginate(0, 9); // ten pages in one call: nothing shown
    EXPECT_TRUE(host.Texts.empty());
    d.Doc.Paginate(0, INT32_MAX);
    ASSERT_EQ(host.Texts.size(), 3u); // from the eleventh page of the call on
    EXPECT_EQ(host.Texts[0], "Cr\xE9"
                             "ation des pages : 11");
    EXPECT_EQ(host.Texts[2], "Cr\xE9"
                             "ation des pages : 13");
    host.Texts.clear();
    d.Doc.SetModeFlag(mfNoPaginationProgress, true); // printing shows none
    d.Doc.Paginate(0, INT32_MAX);
    EXPECT_TRUE(host.Texts.empty());
    SetDocumentHost(nullptr);
}

} // namespace
