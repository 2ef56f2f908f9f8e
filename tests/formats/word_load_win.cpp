// Word documents opened from files on Windows: the load reads them through the system's structured
// storage, to the same document as the program's own reader gives, and damaged files end cleanly
// there too.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "classlib/runtime/FileStream.h"
#include "classlib/windowing/DialogTypes.h"
#include "document/Document.h"
#include "formats/DocumentDump.h"
#include "formats/load/DocumentLoad.h"
#include "formats/word/SystemStorage.h"
#include "formats/word/WordReader.h"
#include "tests/common/test_support.h"
#include "tests/formats/word_text.h"

namespace {

std::string WriteScratch(const std::string& name, const std::string& bytes)
{
    std::string path = qptest::ScratchDir() + "\\" + name;
    TFileStream f(path, fmCreate);
    f.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    return path;
}

int Answer(const std::string&, uint8_t, uint16_t, uint8_t)
{
    return mrOk;
}

bool LoadPath(TDocument& doc, const std::string& path)
{
    TDocOpeningOptions options;
    options.FileName = path;
    TLoadedDocument loaded;
    return LoadDocumentFromFile(doc, options, loaded, Answer);
}

} // namespace

TEST(WordLoadWindows, SystemStorageReadsAsTheProgramsOwnReader)
{
    for (const char* name : {"caracteres97.doc", "structure97.doc", "image97.doc"}) {
        const std::string bytes = qptest::ReadFileBytes(qptest::DataPath(std::string("word/") + name));
        ASSERT_FALSE(bytes.empty());
        const std::string path = WriteScratch(name, bytes);
        {
            // The load keeps the file open for writing while the storage reads it.
            TFileStream held(path, fmOpenReadWrite | fmShareDenyWrite);
            auto storage = OpenSystemWordStorage(path);
            ASSERT_NE(storage, nullptr) << name;
            std::vector<uint8_t> stream;
            EXPECT_TRUE(storage->ReadStream("WordDocument", stream));
            EXPECT_GT(stream.size(), 1024u);
        }
        TDocument fromFile, fromBytes;
        ASSERT_TRUE(LoadPath(fromFile, path)) << name;
        EXPECT_EQ(fromFile.Coding, 2);
        ASSERT_TRUE(
            ReadWordDocumentBytes(fromBytes, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())
                .Read);
        fromBytes.FinishParagraphs();
        EXPECT_EQ(DumpDocument(fromFile), DumpDocument(fromBytes)) << name;
        fromFile.CloseFileHandle();
        DeleteFileA(path.c_str());
    }
}

// Cut short and with bytes flipped, files opened through the system's storage load or are refused with
// a message, never a fault.
TEST(WordLoadWindows, DamagedFilesEndCleanly)
{
    const std::string file = qptest::ReadFileBytes(qptest::DataPath("word/structure97.doc"));
    ASSERT_FALSE(file.empty());
    std::mt19937 random(23);
    for (int i = 0; i < 60; ++i) {
        std::string bad = i < 20 ? file.substr(0, file.size() * size_t(i) / 20) : file;
        for (int k = 0; i >= 20 && k < 8; ++k) {
            const size_t at = random() % bad.size();
            bad[at] = static_cast<char>(bad[at] ^ (1 << (random() % 8)));
        }
        const std::string path = WriteScratch("abime.doc", bad);
        TDocument doc;
        if (LoadPath(doc, path))
            EXPECT_TRUE(wordtest::StoriesAddUp(doc)) << i;
        doc.CloseFileHandle();
        DeleteFileA(path.c_str());
    }
}

// An encrypted Word file is refused with the message that says so, and nothing is read.
TEST(WordLoadWindows, EncryptedFileIsRefusedWithItsMessage)
{
    std::string bytes = qptest::ReadFileBytes(qptest::DataPath("word/caracteres97.doc"));
    // The flags word of the information block: the encrypted bit.
    const size_t fib = bytes.find(std::string("\xEC\xA5", 2));
    ASSERT_NE(fib, std::string::npos);
    bytes[fib + 11] = static_cast<char>(bytes[fib + 11] | 1);
    const std::string path = WriteScratch("crypte.doc", bytes);
    std::string shown;
    TDocOpeningOptions options;
    options.FileName = path;
    TLoadedDocument loaded;
    TDocument doc;
    EXPECT_FALSE(LoadDocumentFromFile(doc, options, loaded,
                                      [&shown](const std::string& text, uint8_t, uint16_t, uint8_t) {
                                          shown = text;
                                          return mrOk;
                                      }));
    EXPECT_NE(shown.find("est un document MS Word crypt"), std::string::npos) << shown;
    EXPECT_NE(shown.find("crypte.doc"), std::string::npos);
    DeleteFileA(path.c_str());
}

// The corpus's damaged and odd files opened from files, through the system's storage.
TEST(WordLoadWindows, CorpusDamagedFilesEndCleanly)
{
    const std::string dir = wordtest::CorpusDir();
    if (dir.empty())
        GTEST_SKIP() << "no corpus";
    const std::string index = qptest::ReadFileBytes(dir + "/word/INDEX.tsv");
    for (size_t at = 0; (at = index.find('\n', at)) != std::string::npos;) {
        const std::string name = index.substr(at + 1, index.find('\t', at + 1) - at - 1);
        ++at;
        if (name.rfind("crash/", 0) != 0 && name.rfind("other/", 0) != 0)
            continue;
        const std::string path = WriteScratch("corpus.doc", qptest::ReadFileBytes(dir + "/word/" + name));
        TDocument doc;
        if (LoadPath(doc, path))
            EXPECT_TRUE(wordtest::StoriesAddUp(doc)) << name;
        doc.CloseFileHandle();
        DeleteFileA(path.c_str());
    }
}
