// The reformatting queue: only the paragraphs that changed are broken again, in place when their lines
// keep their number and heights, for pagination otherwise.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "document/Page.h"
#include "document/ParLine.h"
#include "document/ParReformatingManager.h"
#include "document/Paragraph.h"
#include "document/Section.h"
#include "document/ChangedRanges.h"
#include "layout_support.h"
#include "tagged_text.h"

using qptest::LineTexts;

namespace {

// A page of three paragraphs, each broken for the page's text width and placed on page 0.
class ReformatQueue : public qptest::FixedFontTest {
protected:
    void SetUp() override
    {
        FixedFontTest::SetUp();
        qptest::SetTaggedText(*Doc->Paragraphs[0], "Premier paragraphe.{22:2}");
        for (const char* text : {"Le deuxième paragraphe tient sur une ligne.{22:2}", "Le dernier.{22:2}"}) {
            Doc->Paragraphs.push_back(std::make_unique<TParagraph>(Doc.get()));
            ++Doc->StoryLengths[stMain];
            qptest::SetTaggedText(*Doc->Paragraphs.back(), text);
        }
        Width = Doc->Sections[0]->PageSetup[psTextWidth];
        Doc->Pages.push_back(std::make_unique<TPage>(Doc.get(), 0));
        for (int32_t i = 0; i < 3; ++i) {
            TParagraph& p = Par(i);
            p.LayoutIndex = i;
            p.UpdateLayout(true, Width);
            Doc->Pages[0]->AddParagraphLines(&p, 0, p.LineCount() - 1);
        }
    }
    TParagraph& Par(int32_t i) { return *Doc->Paragraphs[static_cast<size_t>(i)]; }
    // Types text into paragraph I before its end mark.
    void Type(int32_t i, const std::string& text)
    {
        TParagraph& p = Par(i);
        std::string s(reinterpret_cast<const char*>(p.Text.Data()), static_cast<size_t>(p.Text.Size()));
        s.insert(s.size() - InlineTagSize, text);
        p.Text.Assign(s.data(), static_cast<int32_t>(s.size()));
        p.UpdatePlainText();
        p.SetNormalized(false);
    }
    std::vector<TParLine*> Lines(int32_t i)
    {
        std::vector<TParLine*> lines;
        for (auto& l : Par(i).Lines)
            lines.push_back(l.get());
        return lines;
    }
    int32_t Width = 0;
};

} // namespace

TEST_F(ReformatQueue, OnlyQueuedParagraphsAreBrokenAgainInPlace)
{
    const auto first = Lines(0), second = Lines(1), third = Lines(2);
    const std::vector<TParLine*> page = Doc->Pages[0]->Lines;
    ASSERT_EQ(page.size(), 3u);

    Type(1, " Encore");
    TParReformatingManager& queue = *Doc->ReformatingManager;
    queue.AddParagraph(1);
    queue.AddParagraph(1);
    EXPECT_TRUE(queue.HasPending());
    EXPECT_EQ(queue.Pending.size(), 1u);
    queue.ReformatPending();
    EXPECT_FALSE(queue.HasPending());

    // The other paragraphs keep their lines; the changed one has new lines in the same places.
    EXPECT_EQ(Lines(0), first);
    EXPECT_EQ(Lines(2), third);
    ASSERT_EQ(Par(1).LineCount(), 1);
    EXPECT_NE(Lines(1)[0], second[0]);
    EXPECT_EQ(LineTexts(Par(1)),
              (std::vector<std::string>{"Le deuxième paragraphe tient sur une ligne. Encore|"}));
    EXPECT_EQ(Doc->Pages[0]->Lines, (std::vector<TParLine*>{page[0], Lines(1)[0], page[2]}));
    EXPECT_EQ(Lines(1)[0]->Page, Doc->Pages[0].get());
    EXPECT_EQ(Lines(1)[0]->PageLineIndex, 1);
    // The line is listed for repainting; the pages stand.
    EXPECT_EQ(Doc->ChangedRanges->ChangedLines, (std::vector<std::pair<int32_t, int32_t>>{{1, 0}}));
}

TEST_F(ReformatQueue, InPlaceRangeAsksNoNewLayout)
{
    Type(1, "!");
    TChangedRange range;
    Doc->ReformatingManager->ReformatParagraph(1, 0, range);
    EXPECT_EQ(range[crFirstParagraph], UndefinedField);
    EXPECT_TRUE(Doc->GetModeFlag(mfStatisticsStale));
}

TEST_F(ReformatQueue, MoreLinesAskForPagination)
{
    const auto first = Lines(0);
    Type(1, std::string(120, 'x'));
    TChangedRange range;
    Doc->ReformatingManager->ReformatParagraph(1, 0, range);
    EXPECT_EQ(range[crFirstParagraph], 1);
    EXPECT_EQ(range[crFirstPage], 0);
    EXPECT_GT(Par(1).LineCount(), 1);
    // The paragraph's lines leave the page for pagination to place; the others stay.
    EXPECT_EQ(Doc->Pages[0]->Lines, (std::vector<TParLine*>{first[0], Lines(2)[0]}));
    for (auto& line : Par(1).Lines)
        EXPECT_EQ(line->Page, nullptr);
}

TEST_F(ReformatQueue, ForcedBreaksAndUnplacedParagraphsGoToPagination)
{
    qptest::SetTaggedText(Par(1), "Avec{22:5}saut de ligne.{22:2}");
    TChangedRange range;
    Doc->ReformatingManager->ReformatParagraph(1, 0, range);
    EXPECT_FALSE(Par(1).GetLaidOut());
    EXPECT_EQ(Par(1).LineCount(), 0);
    EXPECT_EQ(Doc->Pages[0]->Lines.size(), 2u); // its line left the page when it was freed

    // A paragraph that no page shows is only dropped.
    Doc->Paragraphs.push_back(std::make_unique<TParagraph>(Doc.get()));
    ++Doc->StoryLengths[stMain];
    qptest::SetTaggedText(*Doc->Paragraphs.back(), "Hors page.{22:2}");
    Doc->Paragraphs.back()->UpdateLayout(true, Width);
    Doc->ReformatingManager->ReformatParagraph(3, 0, range);
    EXPECT_FALSE(Par(3).GetLaidOut());
    EXPECT_EQ(range[crFirstParagraph], UndefinedField);
}
