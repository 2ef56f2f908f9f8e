// Texts and words of read documents, for the Word and Write reader tests.
#include "tests/formats/word_text.h"

#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

#include "document/Document.h"
#include "formats/load/DocumentLoad.h"
#include "document/InlineTags.h"
#include "codecs/CodePages.h"
#include "tests/common/test_support.h"

namespace wordtest {

namespace {

void AppendUtf8(std::string& out, uint32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | c >> 6));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | c >> 12));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

} // namespace

std::string MainText(const TDocument& document)
{
    std::string out;
    for (int32_t i = 0; i < document.StoryLengths[stMain] && i < document.ParagraphCount(); ++i) {
        const TMemory& plain = document.Paragraphs[size_t(i)]->PlainText;
        for (int32_t k = 0; k < plain.Size(); ++k) {
            const uint8_t b = plain.Data()[k];
            switch (b) {
            case scTab:
            case scNonBreakingSpace:
            case scLineBreak: out.push_back(' '); break;
            case scEmDash: AppendUtf8(out, 0x2014); break;
            case scEnDash: AppendUtf8(out, 0x2013); break;
            case scNonBreakingHyphen: out.push_back('-'); break;
            default:
                if (b >= 32)
                    AppendUtf8(out, AnsiToUnicode(b));
                break;
            }
        }
        out.push_back('\n');
    }
    return out;
}

std::map<std::string, int> WordCounts(const std::string& utf8)
{
    std::map<std::string, int> counts;
    std::string word;
    for (size_t i = 0; i <= utf8.size(); ++i) {
        const unsigned char c = i < utf8.size() ? static_cast<unsigned char>(utf8[i]) : ' ';
        if (std::isalnum(c) || c >= 0x80) {
            word.push_back(static_cast<char>(c));
        } else if (!word.empty()) {
            ++counts[word];
            word.clear();
        }
    }
    return counts;
}

double WordRecall(const std::string& actual, const std::string& expected)
{
    const auto want = WordCounts(expected), have = WordCounts(actual);
    int total = 0, found = 0;
    for (const auto& [word, count] : want) {
        total += count;
        const auto it = have.find(word);
        found += it == have.end() ? 0 : std::min(count, it->second);
    }
    return total == 0 ? 1.0 : double(found) / total;
}

bool StoriesAddUp(const TDocument& document)
{
    int32_t total = 0;
    for (int32_t length : document.StoryLengths)
        total += length;
    return total == document.ParagraphCount() && document.StoryLengths[stMain] >= 1;
}

void ExpectLoadsCleanly(const std::string& bytes, const std::string& what)
{
    TDocument doc;
    TDocOpeningOptions options;
    options.SourceKind = 1;
    options.MemoryBlock = bytes.data();
    options.MemorySize = static_cast<int64_t>(bytes.size());
    options.Quiet = true;
    TLoadedDocument loaded;
    if (LoadDocumentFromFile(doc, options, loaded))
        EXPECT_TRUE(StoriesAddUp(doc)) << what;
}

std::string CorpusDir()
{
    // Tests run from the project's root; the corpus lies beside the project.
    const std::string dir = qptest::NativePath("../shared/corpus");
    return qptest::ReadFileBytes(dir + "/word/INDEX.tsv").empty() ? std::string() : dir;
}

} // namespace wordtest
