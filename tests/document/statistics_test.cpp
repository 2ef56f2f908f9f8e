// Statistics: words, characters, paragraphs, lines, sentences and pictures of a document and of a
// selection, and the message that shows them.
#include <gtest/gtest.h>

#include <memory>

#include "document/Document.h"
#include "document/Statistics.h"
#include "layout_support.h"
#include "tagged_text.h"

namespace {

class Statistics : public qptest::FixedDeviceTest {
protected:
    void SetUp() override
    {
        FixedDeviceTest::SetUp();
        Doc = std::make_unique<TDocument>(true);
    }
    void TearDown() override
    {
        Doc.reset();
        FixedDeviceTest::TearDown();
    }
    // Makes the main text's paragraphs from notations (the paragraph mark added) and lays them out.
    void Set(std::initializer_list<const char*> texts)
    {
        bool first = true;
        for (const char* text : texts) {
            if (!first) {
                Doc->Paragraphs.push_back(std::make_unique<TParagraph>(Doc.get()));
                ++Doc->StoryLengths[stMain];
            }
            qptest::SetTaggedText(*Doc->Paragraphs.back(), std::string(text) + "{22:2}");
            first = false;
        }
        Doc->SetModeFlag(mfSectionRangesStale, true);
        Doc->SetModeFlag(mfColumnWidthsStale, true);
        Doc->InvalidatePagination();
        Doc->PaginateAll();
    }
    TDocStatistics Count()
    {
        TDocStatistics stats;
        Doc->ComputeStatistics(stats);
        return stats;
    }
    std::unique_ptr<TDocument> Doc;
};

TEST_F(Statistics, EmptyDocumentHasOneLineAndNoParagraph)
{
    Set({""});
    TDocStatistics s = Count();
    EXPECT_EQ(s.Paragraphs, 0);
    EXPECT_EQ(s.Lines, 1);
    EXPECT_EQ(s.Words, 0);
    EXPECT_EQ(s.CharsWithSpaces, 0);
    EXPECT_EQ(s.Sentences, 0);
    EXPECT_EQ(s.Pages, 1);
}

TEST_F(Statistics, WordsCharactersAndSentences)
{
    Set({"ab cdef", "Il pleut. Il vente ! Fin"});
    TDocStatistics s = Count();
    EXPECT_EQ(s.Paragraphs, 2);
    EXPECT_EQ(s.Words, 2 + 5);
    EXPECT_EQ(s.CharsWithSpaces, 7 + 24);
    EXPECT_EQ(s.CharsWithoutSpaces, 6 + 19);
    EXPECT_EQ(s.Sentences, 1 + 3);
    EXPECT_EQ(s.Pictures, 0);
    EXPECT_EQ(s.Lines, 2);
}

TEST_F(Statistics, SelectionEndingInsideAWordLeavesItOut)
{
    Set({"un deux trois", "quatre cinq"});
    Doc->Select(0, 3, 1, 8, 0); // "deux trois" to "quatre c"
    TDocStatistics s = Count();
    EXPECT_EQ(s.Words, 3); // deux, trois, quatre: "c" is still open
    EXPECT_EQ(s.Paragraphs, 2);
    EXPECT_EQ(s.Pages, 1);
    // A selection that ends at the start of a paragraph counts nothing of it.
    Doc->Select(0, 0, 1, 0, 0);
    s = Count();
    EXPECT_EQ(s.Paragraphs, 1);
    EXPECT_EQ(s.Words, 3);
}

TEST_F(Statistics, CharsOnlyModeSkipsParagraphsLinesAndSentences)
{
    Set({"Une phrase. Deux."});
    Doc->SetModeFlag(mfStatisticsCharsOnly, true);
    TDocStatistics s = Count();
    EXPECT_EQ(s.Words, 3);
    EXPECT_EQ(s.Paragraphs, 0);
    EXPECT_EQ(s.Lines, 0);
    EXPECT_EQ(s.Sentences, 0);
}

TEST(StatisticsMessage, CountsThenDates)
{
    TDocStatistics s;
    s.Pages = 3;
    s.Words = 12345;
    s.FileSize = 2048;
    const std::string text = FormatStatisticsMessage(s, "RTF", 45000.5, 45001.25, "Marie", 0);
    EXPECT_EQ(text.substr(0, 33), "Pages : 3||Mots : 12 345||Phrases");
    EXPECT_NE(
        text.find("||Taille du fichier : 2 048 octets||Format du fichier : RTF||||Créé le : 15/03/2023 12:00"
                  "||Dernier enreg. : 16/03/2023 06:00||Auteur du dernier enreg. : Marie"),
        std::string::npos)
        << text;
    EXPECT_EQ(text.find("Dernière impression"), std::string::npos);
}

} // namespace
