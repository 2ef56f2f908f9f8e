// Opening files that another program holds, or that are read-only, on Windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "classlib/runtime/FileStream.h"
#include "classlib/windowing/DialogTypes.h"
#include "document/Document.h"
#include "formats/Codings.h"
#include "formats/DocumentDump.h"
#include "formats/load/DocumentLoad.h"
#include "formats/save/DocumentSave.h"
#include "tests/common/test_support.h"

namespace {
std::string WriteFile(const std::string& name, const std::string& bytes) {
    std::string path = qptest::ScratchDir() + "\\" + name;
    TFileStream f(path, fmCreate);
    f.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    return path;
}
int Refuse(const std::string&, uint8_t, uint16_t, uint8_t) { return mrCancel; }
} // namespace

TEST(DocumentLoadWindows, FileHeldByAnotherProgramStillOpens) {
    std::string path = WriteFile("occupe.rtf", "{\\rtf1 occup\\'e9}");
    // Another program has the file open for writing.
    HANDLE other = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    TDocument doc;
    TDocOpeningOptions options;
    options.FileName = path;
    options.Coding = cdRtf;
    options.Quiet = true;
    TLoadedDocument loaded;
    ASSERT_TRUE(LoadDocumentFromFile(doc, options, loaded, Refuse));
    EXPECT_TRUE(loaded.FromCopy);
    EXPECT_EQ(loaded.File, nullptr);
    EXPECT_EQ(DumpDocument(doc), "P0: occup\\'e9<par>\n");
    // Asked, the user may refuse the copy.
    TDocument refused;
    options.Quiet = false;
    TLoadedDocument none;
    EXPECT_FALSE(LoadDocumentFromFile(refused, options, none, Refuse));
    CloseHandle(other);
}

TEST(DocumentLoadWindows, ReadOnlyFileOpensForReading) {
    std::string path = WriteFile("lecture.txt", "seule");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    HANDLE probe = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        // Running with rights that write read-only files anyway (the administrator under Wine).
        CloseHandle(probe);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        GTEST_SKIP() << "read-only files are writable here";
    }
    TDocument doc;
    TDocOpeningOptions options;
    options.FileName = path;
    TLoadedDocument loaded;
    EXPECT_TRUE(LoadDocumentFromFile(doc, options, loaded, Refuse));
    EXPECT_TRUE(loaded.ReadOnly);
    EXPECT_FALSE(loaded.FromCopy);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(DocumentLoadWindows, SaveOverAFileThatCannotBeReplacedKeepsIt) {
    std::string path = WriteFile("tenu.txt", "ancien");
    TDocument doc;
    TDocOpeningOptions options;
    options.FileName = WriteFile("source.txt", "nouveau");
    TLoadedDocument loaded;
    ASSERT_TRUE(LoadDocumentFromFile(doc, options, loaded, Refuse));
    // Another program holds the target without letting it be replaced.
    HANDLE other = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    std::vector<std::string> asked;
    auto cancel = [&asked](const std::string& text, uint8_t, uint16_t, uint8_t) {
        asked.push_back(text);
        return mrCancel;
    };
    EXPECT_EQ(SaveDocumentToFile(doc, path, cdAnsiText, loaded, cancel), kSaveFailed);
    CloseHandle(other);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_NE(asked[1].find("n'a pas été modifié"), std::string::npos);
    EXPECT_EQ(qptest::ReadFileBytes(path), "ancien");
}
