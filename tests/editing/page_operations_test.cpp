// Page setup of sections, shrinking a document by a page and page-number formats, each one undoable
// step, compared through the document dump.
#include <gtest/gtest.h>

#include <sstream>

#include "core/Messages.h"
#include "document/Page.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/OperationManager.h"
#include "tests/editing/edit_fixture.h"

using namespace qptest;

namespace {

std::vector<std::string> Shown;

class PageOperations : public ::testing::Test {
protected:
    void SetUp() override
    {
        Shown.clear();
        AfterMessageShown = [] { Shown.push_back(PendingMessage.Text); };
#ifdef _WIN32
        SilentMessages = true;
#endif
    }
    void TearDown() override
    {
        SilentMessages = false;
        AfterMessageShown = nullptr;
    }
};

// The dump's section lines, one per line.
std::string Sections(const TEditDoc& d)
{
    std::istringstream in(d.Dump());
    std::string out;
    for (std::string line; std::getline(in, line);)
        if (line.rfind("section", 0) == 0)
            out += line.substr(line.find(':') + 2) + "\n";
    return out;
}

// Three sections of one paragraph each.
const char* const ThreeSections =
    "{\\rtf1\\paperw11906\\paperh16838\\margl1417\\margr1417\\margt1417\\margb1417"
    "\\sectd un\\sect\\sectd deux\\sect\\sectd trois\\par}";

TPageSetup Request(std::initializer_list<std::pair<int, int32_t>> fields)
{
    TChangePageParamsParams params;
    for (const auto& [f, v] : fields)
        params.PageSetup[f] = v;
    return params.PageSetup;
}

} // namespace

TEST_F(PageOperations, PageSetupCopiesOnlyWhatTheRequestSets)
{
    const std::string a4 =
        "break=1 cols=1 page=11906x16838 margins=1417,1417,1417,1417 header=720 footer=720 pgn=0/-1\n";
    struct {
        TPageSetup request;
        std::string middle; // sections 1 and 2 after the change; section 0 stays as it was
        std::string first;
    } cases[] = {
        // One margin alone: at most four tenths of the page height (16838: 6735).
        {Request({{psBottomMargin, 9000}}),
         "break=1 cols=1 page=11906x16838 margins=1417,1417,1417,6735 header=720 footer=720 pgn=0/-1\n", a4},
        // A negative distance is corrected as a too large one is.
        {Request({{psHeaderDistance, -500}}),
         "break=1 cols=1 page=11906x16838 margins=1417,1417,1417,1417 header=0 footer=720 pgn=0/-1\n", a4},
        // Two margins: both, and nothing that the request leaves unset.
        {Request({{psLeftMargin, 2000}, {psRightMargin, 1000}}),
         "break=1 cols=1 page=11906x16838 margins=2000,1000,1417,1417 header=720 footer=720 pgn=0/-1\n", a4},
        // The orientation alone turns the page.
        {Request({{psOrientation, 1}}),
         "break=1 cols=1 page=16838x11906 landscape margins=1417,1417,1417,1417 header=720 footer=720 "
         "pgn=0/-1\n",
         a4},
        // Mirror margins and odd and even pages reach every section of the document.
        {Request({{psMirrorMargins, 1}, {psHeaderFlags, 1}, {psFooterDistance, -20}}),
         "break=1 cols=1 page=11906x16838 margins=1417,1417,1417,1417 header=720 footer=0 mirror oddeven "
         "pgn=0/-1\n",
         "break=1 cols=1 page=11906x16838 margins=1417,1417,1417,1417 header=720 footer=720 mirror oddeven "
         "pgn=0/-1\n"},
    };
    for (const auto& c : cases) {
        TEditDoc d(ThreeSections);
        d.Doc->PaginateAll();
        const std::string before = d.Dump();
        ASSERT_EQ(Sections(d), a4 + a4 + a4);
        TChangePageParamsParams params;
        params.PageSetup = c.request;
        params.Range = Range(1, 0, 2, 1);
        ExecuteOperation(*d.Doc, params);
        ASSERT_EQ(d.OperationCount(), 1) << c.middle;
        EXPECT_EQ(Sections(d), c.first + c.middle + c.middle);
        const std::string after = d.Dump();
        d.Undo();
        EXPECT_EQ(d.Dump(), before) << c.middle;
        d.Redo();
        EXPECT_EQ(d.Dump(), after) << c.middle;
    }
    // A request that sets nothing records nothing.
    TEditDoc d(ThreeSections);
    TChangePageParamsParams params;
    ExecuteOperation(*d.Doc, params);
    EXPECT_EQ(d.OperationCount(), 0);
}

TEST_F(PageOperations, PageNumberFormatsPerSection)
{
    struct {
        int32_t par1, off1, par2, off2; // the selection (empty: the caret's section)
        std::string numbering;
    } cases[] = {{1, 1, 1, 1, "0/-1 2/5 0/-1"}, {0, 1, 1, 2, "2/5 2/5 0/-1"}, {2, 0, 2, 0, "0/-1 0/-1 2/5"}};
    for (const auto& c : cases) {
        TEditDoc d(ThreeSections);
        const std::string before = d.Dump();
        d.Select(c.par1, c.off1, c.par2, c.off2);
        TFormatPageNumbersParams params;
        params.Style = 2;
        params.Restart = 5;
        ExecuteOperation(*d.Doc, params);
        std::string numbering;
        for (auto& s : d.Doc->Sections)
            numbering += (numbering.empty() ? "" : " ") + std::to_string(s->PageNumberStyle) + "/" +
                         std::to_string(s->PageNumberRestart);
        EXPECT_EQ(numbering, c.numbering);
        d.Undo();
        EXPECT_EQ(d.Dump(), before);
    }
    // The numbers that the pages show start again at 5, in lower-case Roman numerals for fields.
    TEditDoc d(ThreeSections);
    d.Select(1, 0, 1, 0);
    TFormatPageNumbersParams params;
    params.Style = 2;
    params.Restart = 5;
    ExecuteOperation(*d.Doc, params);
    d.Doc->PaginateAll();
    ASSERT_EQ(d.Doc->Pages.size(), 3u);
    EXPECT_EQ(d.Doc->PageNumberOf(0), 1);
    EXPECT_EQ(d.Doc->PageNumberOf(1), 5);
    EXPECT_EQ(d.Doc->PageNumberOf(2), 6);
}

namespace {

// Lines of text at a size in half-points, as many as make two pages.
std::string Lines(int count, int size, int otherSize)
{
    std::string rtf = "{\\rtf1\\paperw11906\\paperh16838\\margl1417\\margr1417\\margt1417\\margb1417 ";
    for (int i = 0; i < count; ++i)
        rtf += "\\pard\\plain\\fs" + std::to_string(i % 7 == 3 ? otherSize : size) + " ligne " +
               std::to_string(i) + "\\par ";
    return rtf + "}";
}

int32_t PageCountOf(TEditDoc& d)
{
    d.Doc->InvalidatePagination();
    d.Doc->DiscardLineLayout();
    d.Doc->PaginateAll();
    return int32_t(d.Doc->Pages.size());
}

} // namespace

TEST_F(PageOperations, ReducingThePageCountStopsAtTheFirstSizeThatFits)
{
    // Find a line count that makes just over one page at 12 points.
    int count = 20;
    for (;; ++count) {
        TEditDoc probe(Lines(count, 24, 30));
        if (PageCountOf(probe) == 2)
            break;
        ASSERT_LT(count, 200);
    }
    TEditDoc d(Lines(count + 2, 24, 30));
    ASSERT_EQ(PageCountOf(d), 2);
    d.Select(1, 1, 1, 3);
    const std::string before = d.Dump();
    TReducePageCountParams params;
    ExecuteOperation(*d.Doc, params);
    ASSERT_EQ(d.OperationCount(), 1);
    EXPECT_EQ(PageCountOf(d), 1);
    const int32_t small = d.Doc->CharFormatAtOffset(0, 2)[cfSize];
    const int32_t large = d.Doc->CharFormatAtOffset(3, 2)[cfSize];
    EXPECT_LT(small, 24);
    EXPECT_EQ(large - small, 30 - 24); // every run by the same number of half-points
    // The selection is back where it was.
    EXPECT_EQ(d.Doc->Selection.StartPos.ParIndex, 1);
    EXPECT_EQ(d.Doc->Selection.EndPos.Offset, 3);
    // One half-point more and it would not fit.
    const std::string after = d.Dump();
    d.Undo();
    EXPECT_EQ(d.Dump(), before);
    TStepCharFormatFieldParams step;
    step.Range = d.Doc->GetBodyRange();
    step.Step = small + 1 - 24;
    ExecuteOperation(*d.Doc, step);
    EXPECT_EQ(PageCountOf(d), 2);
    EXPECT_TRUE(Shown.empty());
}

TEST_F(PageOperations, ReducingSaysWhenItCannot)
{
    struct {
        std::string rtf;
        std::string message;
    } cases[] = {
        {"{\\rtf1 une seule page\\par}",
         "Impossible de réduire le nombre de pages. Ce document n'a qu'une page."},
        // Already at one point, two pages through a page break.
        {"{\\rtf1\\fs2 un\\page deux\\par}", "Impossible de réduire le nombre de pages."},
        // Sizes above one point but a page break the text cannot shrink past.
        {"{\\rtf1\\fs4 un\\page deux\\par}", "Impossible de réduire le nombre de pages."},
    };
    for (const auto& c : cases) {
        TEditDoc d(c.rtf);
        const std::string before = d.Dump();
        Shown.clear();
        TReducePageCountParams params;
        ExecuteOperation(*d.Doc, params);
        EXPECT_EQ(d.OperationCount(), 0) << c.rtf;
        EXPECT_EQ(d.Dump(), before) << c.rtf;
        if (!SilentMessages) {
            ASSERT_EQ(Shown.size(), 1u) << c.rtf;
            EXPECT_EQ(Shown[0], c.message);
        }
    }
}
