// The zip archive writer: the records it writes, names in the DOS code page, and a failed entry.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "classlib/runtime/Files.h"
#include "core/Messages.h"
#include "formats/Zip.h"
#include "tests/common/test_support.h"

namespace {

std::string ReadAll(const std::string& path)
{
    return qptest::ReadFileBytes(path);
}

void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class ZipFile : public testing::Test {
protected:
    void SetUp() override
    {
        Dir = qptest::ScratchDir();
        ForceDirectories(Dir + "/a");
        ForceDirectories(Dir + "/b");
    }
    std::string Dir;
};

TEST_F(ZipFile, EmptyArchiveIsTheEndRecordAlone)
{
    TZipFile zip;
    zip.Open(Dir + "/vide.zip");
    zip.Close();
    const std::string bytes = ReadAll(Dir + "/vide.zip");
    EXPECT_EQ(bytes, std::string("PK\x05\x06", 4) + std::string(18, '\0'));
}

TEST_F(ZipFile, AccentedNamesAreStoredInTheDosCodePage)
{
    // "été.txt" in the Windows code page; the archive holds the DOS bytes 82 82 for the two "é".
    const std::string name = "\xE9t\xE9.txt";
    WriteAll(Dir + "/a/" + name, "x");
    TZipFile zip;
    zip.Open(Dir + "/noms.zip");
    EXPECT_TRUE(zip.AddFile(Dir + "/a/" + name));
    zip.Close();
    const std::string bytes = ReadAll(Dir + "/noms.zip");
    EXPECT_EQ(bytes.substr(30, 7), "\x82t\x82.txt");
    EXPECT_EQ(bytes[8], 8); // deflate
    EXPECT_EQ(bytes[6], 2); // the flags of the best compression
}

TEST_F(ZipFile, AFileThatCannotBeReadFailsTheArchive)
{
    WriteAll(Dir + "/a/bon.txt", "bon");
    TZipFile zip;
    zip.Open(Dir + "/rate.zip");
    EXPECT_TRUE(zip.AddFile(Dir + "/a/bon.txt"));
    // The message about the missing file answers unseen.
    SilentMessages = true;
    EXPECT_FALSE(zip.AddFile(Dir + "/a/absent.txt"));
    SilentMessages = false;
    zip.Close();
    EXPECT_FALSE(FileExists(Dir + "/rate.zip"));
}

} // namespace
