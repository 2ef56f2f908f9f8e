// The Word and Write readers over real files from public test suites: each file's main text holds the
// words that an independent program extracted from it. Skipped when the corpus is not beside the
// project.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "document/Document.h"
#include "formats/load/DocumentLoad.h"
#include "formats/word/WordReader.h"
#include "formats/write/WriteReader.h"
#include "tests/common/test_support.h"
#include "tests/formats/word_text.h"

namespace {

struct TCorpusFile {
    std::string File, Kind, Text, Features;
    int Words = 0;
};

std::vector<TCorpusFile> CorpusFiles(const std::string& dir)
{
    std::vector<TCorpusFile> files;
    std::istringstream index(qptest::ReadFileBytes(dir + "/word/INDEX.tsv"));
    std::string line;
    std::getline(index, line);
    while (std::getline(index, line)) {
        std::vector<std::string> cells;
        std::istringstream row(line);
        for (std::string cell; std::getline(row, cell, '\t');)
            cells.push_back(cell);
        if (cells.size() < 15)
            continue;
        TCorpusFile f{cells[0], cells[1], cells[5], cells[14], std::atoi(cells[8].c_str())};
        files.push_back(f);
    }
    return files;
}

} // namespace

// Western documents of both Word generations and Write files: their main text holds the words
// LibreOffice extracted.
TEST(WordCorpus, MainTextHoldsTheWordsOfAnIndependentReading)
{
    const std::string dir = wordtest::CorpusDir();
    if (dir.empty())
        GTEST_SKIP() << "no corpus";
    int checked = 0;
    for (const TCorpusFile& f : CorpusFiles(dir)) {
        const bool write = f.File.rfind("write/", 0) == 0;
        if (!write && f.File.rfind("word97/", 0) != 0 && f.File.rfind("word6/", 0) != 0)
            continue;
        const std::string bytes = qptest::ReadFileBytes(dir + "/word/" + f.File);
        const std::string expected = f.Text.empty() ? "" : qptest::ReadFileBytes(dir + "/word/" + f.Text);
        TDocument doc;
        std::string error;
        bool read = false;
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
        if (write) {
            TWriteReadResult r = ReadWriteDocument(doc, data, bytes.size());
            read = r.Read;
            error = r.Error;
        } else {
            TWordReadResult r = ReadWordDocumentBytes(doc, data, bytes.size());
            read = r.Read;
            error = r.Error;
        }
        const double recall = wordtest::WordRecall(wordtest::MainText(doc), expected);
        if (std::getenv("QP_CORPUS_REPORT"))
            std::printf("%-70s %s %.3f %s\n", f.File.c_str(), read ? "ok " : "ERR", recall, error.c_str());
        // Non-Western scripts fall outside the Western code page the program works in.
        if (f.Features.find("non-Western") != std::string::npos || f.Words < 5)
            continue;
        EXPECT_TRUE(read) << f.File << ": " << error;
        // The independent reading writes list labels and note marks as text; the document keeps them
        // as formats and fields.
        const bool labels =
            f.Features.find("lists") != std::string::npos || f.Features.find("endnotes") != std::string::npos;
        EXPECT_GE(recall, labels ? 0.4 : 0.7) << f.File;
        ++checked;
    }
    EXPECT_GT(checked, 100);
}

// The damaged, encrypted, fast-saved and misnamed files of the corpus, opened through the real load
// from memory: each gives a document or a clean refusal.
TEST(WordCorpus, DamagedAndOddFilesEndCleanly)
{
    const std::string dir = wordtest::CorpusDir();
    if (dir.empty())
        GTEST_SKIP() << "no corpus";
    for (const TCorpusFile& f : CorpusFiles(dir)) {
        if (f.File.rfind("crash/", 0) != 0 && f.File.rfind("other/", 0) != 0)
            continue;
        const std::string bytes = qptest::ReadFileBytes(dir + "/word/" + f.File);
        wordtest::ExpectLoadsCleanly(bytes, f.File);
    }
}
