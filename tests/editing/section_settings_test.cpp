// Page setup and columns applied by the page dialogs' choices on a document of several sections, with
// the section breaks a choice needs; the choices that fit a selection; unequal columns fitted to the text
// width.
#include <gtest/gtest.h>

#include <sstream>

#include "document/Section.h"
#include "editing/OperationManager.h"
#include "editing/SectionSettings.h"
#include "tests/editing/edit_fixture.h"

using namespace qptest;

namespace {

// The paragraphs' texts ("#" where a section ends), then each section's break and left margin.
std::string Outline(const TEditDoc& d)
{
    std::string out;
    d.Doc->UpdateSectionRanges();
    for (int32_t i = 0; i <= d.Doc->StoryEnd(stMain); ++i)
        out += d.Text(i) + (d.Doc->SectionOfParagraph(i)->LastParagraph == i ? "#|" : "|");
    out += " ";
    for (auto& s : d.Doc->Sections)
        out += std::to_string(s->BreakKind()) + ":" + std::to_string(s->PageSetup[psLeftMargin]) + " ";
    return out;
}

const char* const Doc =
    "{\\rtf1\\margl1000\\sectd un\\par deux\\par trois\\sect\\sectd quatre\\par cinq\\par}";

} // namespace

TEST(SectionSettings, PageSetupByEveryChoice)
{
    struct {
        uint8_t choice;
        int32_t par1, off1, par2, off2; // selection or caret
        std::string outline;
    } cases[] = {
        {atWholeDocument, 0, 1, 0, 1, "un|deux|trois#|quatre|cinq|#| 1:2000 1:2000 "},
        {atThisSection, 3, 1, 3, 1, "un|deux|trois#|quatre|cinq|#| 1:1000 1:2000 "},
        {atSelectedSections, 1, 1, 3, 2, "un|deux|trois#|quatre|cinq|#| 1:2000 1:2000 "},
        // From the caret: a break where it stands.
        {atFromHere, 1, 2, 1, 2, "un|de#|ux|trois#|quatre|cinq|#| 1:1000 1:2000 1:2000 "},
        // From the start of a paragraph: the paragraph before takes the break.
        {atFromHere, 1, 0, 1, 0, "un#|deux|trois#|quatre|cinq|#| 1:1000 1:2000 1:2000 "},
        // The selection inside a paragraph: breaks before and after it.
        {atSelection, 1, 1, 1, 3, "un|d#|eu#|x|trois#|quatre|cinq|#| 1:1000 1:2000 1:1000 1:1000 "},
        // Whole paragraphs: the paragraph before and the selection's last paragraph take the breaks.
        {atSelection, 1, 0, 1, 4, "un#|deux#|trois#|quatre|cinq|#| 1:1000 1:2000 1:1000 1:1000 "},
        // A selection that ends its section needs a break before it only.
        {atSelection, 1, 0, 2, 5, "un#|deux|trois#|quatre|cinq|#| 1:1000 1:2000 1:1000 "},
    };
    for (const auto& c : cases) {
        TEditDoc d(Doc);
        d.Select(c.par1, c.off1, c.par2, c.off2);
        const std::string before = d.Dump();
        TPageSetup request;
        for (int32_t& f : request.F)
            f = UndefinedField;
        request[psLeftMargin] = 2000;
        ApplyPageSetup(*d.Doc, c.choice, nullptr, request);
        EXPECT_EQ(Outline(d), c.outline) << int(c.choice) << " " << c.par1 << "," << c.off1;
        ASSERT_EQ(d.OperationCount(), 1);
        const std::string after = d.Dump();
        d.Undo();
        EXPECT_EQ(d.Dump(), before) << int(c.choice) << " " << c.par1 << "," << c.off1;
        d.Redo();
        EXPECT_EQ(d.Dump(), after);
    }
}

TEST(SectionSettings, ContinuousBreaksAroundANewPageSetupStartNewPages)
{
    // Three sections joined by continuous breaks (a section's \sbknone is the break before it); the middle
    // one gets a page setup of its own.
    TEditDoc d("{\\rtf1\\margl1000\\sectd un\\par deux\\sect\\sectd\\sbknone trois\\par "
               "quatre\\sect\\sectd\\sbknone cinq\\par}");
    const std::string before = Outline(d);
    ASSERT_EQ(before, "un|deux#|trois|quatre#|cinq|#| 0:1000 0:1000 1:1000 ");
    d.Select(2, 1, 2, 1);
    TPageSetup request;
    for (int32_t& f : request.F)
        f = UndefinedField;
    request[psLeftMargin] = 2000;
    ApplyPageSetup(*d.Doc, atThisSection, nullptr, request);
    EXPECT_EQ(Outline(d), "un|deux#|trois|quatre#|cinq|#| 1:1000 1:2000 1:1000 ");
    ASSERT_EQ(d.OperationCount(), 1);
    d.Undo();
    EXPECT_EQ(Outline(d), before);
}

TEST(SectionSettings, ColumnsByChoiceKeepEachSectionsBreak)
{
    // The section outline with each section's column count and gap.
    const auto columns = [](const TEditDoc& d) {
        std::string out = Outline(d);
        for (auto& s : d.Doc->Sections)
            out +=
                std::to_string(s->Params[spColumnCount]) + "/" + std::to_string(s->Params[spColumnGap]) + " ";
        return out;
    };
    struct {
        uint8_t choice;
        int32_t par1, off1, par2, off2;
        std::string outline;
    } cases[] = {
        {atWholeDocument, 0, 1, 0, 1, "un|deux|trois#|quatre|cinq|#| 0:1000 1:1000 2/360 2/360 "},
        {atThisSection, 3, 1, 3, 1, "un|deux|trois#|quatre|cinq|#| 0:1000 1:1000 1/720 2/360 "},
        {atSelection, 1, 0, 1, 4,
         "un#|deux#|trois#|quatre|cinq|#| 0:1000 0:1000 0:1000 1:1000 1/720 2/360 1/720 1/720 "},
    };
    for (const auto& c : cases) {
        TEditDoc d("{\\rtf1\\margl1000\\sectd un\\par deux\\par trois\\sect\\sectd\\sbknone quatre\\par "
                   "cinq\\par}");
        d.Select(c.par1, c.off1, c.par2, c.off2);
        const std::string before = d.Dump();
        TSectionParams request;
        for (int32_t& f : request.F)
            f = UndefinedField;
        request[spColumnCount] = 2;
        request[spColumnGap] = 360;
        ApplyColumns(*d.Doc, c.choice, nullptr, request);
        EXPECT_EQ(columns(d), c.outline) << int(c.choice);
        ASSERT_EQ(d.OperationCount(), 1);
        d.Undo();
        EXPECT_EQ(d.Dump(), before) << int(c.choice);
    }
}

TEST(SectionSettings, ChoicesThatFitTheSelection)
{
    struct {
        const char* rtf;
        int32_t par1, off1, par2, off2;
        uint8_t given;
        std::vector<uint8_t> list;
        uint8_t chosen;
    } cases[] = {
        {Doc, 1, 2, 1, 2, atNone, {atThisSection, atWholeDocument, atFromHere}, atThisSection},
        {Doc, 0, 0, 0, 0, atWholeDocument, {atThisSection, atWholeDocument}, atThisSection},
        {Doc, 1, 1, 3, 2, atNone, {atSelectedSections, atSelection, atWholeDocument}, atSelectedSections},
        {Doc, 1, 1, 1, 3, atThisSection, {atSelection, atThisSection, atWholeDocument}, atThisSection},
        {"{\\rtf1 un\\par deux\\par}",
         0,
         1,
         0,
         1,
         atWholeDocument,
         {atWholeDocument, atFromHere},
         atWholeDocument},
        {"{\\rtf1 un\\par deux\\par}", 0, 1, 1, 2, atNone, {atSelection, atWholeDocument}, atSelection},
    };
    for (const auto& c : cases) {
        TEditDoc d(c.rtf);
        d.Select(c.par1, c.off1, c.par2, c.off2);
        uint8_t choice = c.given;
        EXPECT_EQ(ApplyToChoices(*d.Doc, choice), c.list) << c.par1 << "," << c.off1;
        EXPECT_EQ(choice, c.chosen) << c.par1 << "," << c.off1;
    }
    EXPECT_STREQ(ApplyToText(atSelectedSections), "aux sections sélectionnées");
}

TEST(SectionSettings, UnequalColumnsFitTheTextWidth)
{
    TPageSetup page{};
    page[psTextWidth] = 9000;
    TSectionParams p{};
    p[spColumnCount] = 3;
    p[spEqualWidths] = 0;
    const int32_t widths[] = {1000, 2000, 3000}, gaps[] = {500, 500, 0};
    for (int n = 0; n < 3; ++n) {
        p[ColumnField(n, ceWidth)] = widths[n];
        p[ColumnField(n, ceGapAfter)] = gaps[n];
    }
    FitColumnWidths(p, page);
    EXPECT_EQ(p[ColumnField(0, ceWidth)], 1333);
    EXPECT_EQ(p[ColumnField(1, ceWidth)], 2666);
    EXPECT_EQ(p[ColumnField(2, ceWidth)], 4000);
    // Widths that add up to nothing are never divided by.
    for (int n = 0; n < 3; ++n)
        p[ColumnField(n, ceWidth)] = 0;
    FitColumnWidths(p, page);
    EXPECT_EQ(p[ColumnField(1, ceWidth)], 0);
}
