// The statistics of committed fixtures against counts made independently: the words, characters,
// paragraphs, lines and sentences from the text LibreOffice converts each fixture to, its pages from the
// PDF LibreOffice makes of it, its pictures from the file (scripts/make-statistics-text.sh).
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/Codings.h"
#include "document/Document.h"
#include "document/Statistics.h"
#include "formats/DocumentMemory.h"
#include "tests/common/test_support.h"

namespace {

// A word ends at these (as the program's statistics count words); the non-breaking space is one too.
bool IsSeparator(uint8_t c)
{
    static const std::string punctuation =
        "\x0F !\"#$%&()*+,-./:;<=>?@[\\]^_{|}~\x80\x84\x85\x93\x94\xAB\xBB\xA0";
    return (c >= 2 && c <= 13) || punctuation.find(char(c)) != std::string::npos;
}

TDocStatistics CountText(const std::string& text)
{
    TDocStatistics s;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        ++s.Lines;
        if (line.empty())
            continue;
        ++s.Paragraphs;
        bool inWord = false;
        for (size_t i = 0; i <= line.size(); ++i) {
            const uint8_t c = i < line.size() ? uint8_t(line[i]) : ' ';
            if (IsSeparator(c)) {
                s.Words += inWord;
                inWord = false;
            } else {
                inWord = true;
            }
            if (i == line.size() || c == '\t')
                continue;
            ++s.CharsWithSpaces;
            s.CharsWithoutSpaces += c != ' ' && c != 0xA0;
            // A run of sentence ends followed by a blank or the line's end closes a sentence.
            if ((c == '.' || c == '!' || c == '?') &&
                (i + 1 == line.size() || line[i + 1] == ' ' || uint8_t(line[i + 1]) == 0xA0))
                ++s.Sentences;
        }
        const size_t last = line.find_last_not_of(' ');
        if (last != std::string::npos && line[last] != '.' && line[last] != '!' && line[last] != '?')
            ++s.Sentences;
    }
    return s;
}

int32_t CountOccurrences(const std::string& text, const std::string& what)
{
    int32_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

class StatisticsFixture : public testing::TestWithParam<const char*> {};

} // namespace

TEST_P(StatisticsFixture, CountsAsTheIndependentText)
{
    const std::string name = GetParam();
    const std::string rtf = qptest::ReadFileBytes(qptest::DataPath("statistics/" + name + ".rtf"));
    const std::string text = qptest::ReadFileBytes(qptest::DataPath("statistics/" + name + ".txt"));
    const std::string pages = qptest::ReadFileBytes(qptest::DataPath("statistics/" + name + ".pages"));
    ASSERT_FALSE(rtf.empty());
    ASSERT_FALSE(text.empty());
    std::unique_ptr<TDocument> doc = LoadDocumentFromMemory(rtf.data(), int64_t(rtf.size()), cdRtf);
    ASSERT_TRUE(doc);
    doc->PaginateAll();
    TDocStatistics stats;
    doc->ComputeStatistics(stats);
    const TDocStatistics expected = CountText(text);
    EXPECT_EQ(stats.Pages, std::stoi(pages));
    EXPECT_EQ(stats.Words, expected.Words);
    EXPECT_EQ(stats.Sentences, expected.Sentences);
    EXPECT_EQ(stats.CharsWithoutSpaces, expected.CharsWithoutSpaces);
    EXPECT_EQ(stats.CharsWithSpaces, expected.CharsWithSpaces);
    EXPECT_EQ(stats.Paragraphs, expected.Paragraphs);
    // Two lines the text has no line for: a page break that starts a paragraph stands on a line of its
    // own, and the file's last paragraph mark leaves an empty paragraph (a line, no paragraph).
    EXPECT_EQ(stats.Lines, expected.Lines + CountOccurrences(rtf, "\\page ") + 1);
    EXPECT_EQ(stats.Pictures, CountOccurrences(rtf, "{\\pict"));

    // The statistics fields count characters and words the same way, without the rest.
    const TDocStatistics& fields = doc->FieldStatistics();
    EXPECT_EQ(fields.Words, expected.Words);
    EXPECT_EQ(fields.CharsWithSpaces, expected.CharsWithSpaces);
    EXPECT_EQ(fields.Sentences, 0);
    EXPECT_EQ(fields.Lines, 0);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, StatisticsFixture, testing::Values("lettre", "images"));
