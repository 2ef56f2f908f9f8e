// The zip archive writer checked by the unzip tool of the host, the contents compared byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "classlib/runtime/Files.h"
#include "formats/Zip.h"
#include "tests/common/test_support.h"

namespace {

void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// What a shell command prints, and its exit status.
int RunCommand(const std::string& command, std::string& output)
{
    output.clear();
    FILE* p = popen((command + " 2>&1").c_str(), "r");
    if (!p)
        return -1;
    char buf[512];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        output.append(buf, n);
    return pclose(p);
}

TEST(ZipTool, ArchivesThatUnzipChecksAndGivesBackByteForByte)
{
    const std::string Dir = qptest::ScratchDir();
    ForceDirectories(Dir + "/a");
    ForceDirectories(Dir + "/b");

    std::string big;
    for (int i = 0; i < 200000; ++i)
        big += char(i * 7919 % 251);
    WriteAll(Dir + "/a/Report.doc", "Premier rapport\r\n");
    WriteAll(Dir + "/b/Report.doc", big);
    WriteAll(Dir + "/a/vide.txt", "");
    TZipFile zip;
    zip.Open(Dir + "/docs.zip");
    EXPECT_TRUE(zip.AddFile(Dir + "/a/Report.doc"));
    EXPECT_TRUE(zip.AddFile(Dir + "/b/Report.doc"));
    EXPECT_TRUE(zip.AddFile(Dir + "/a/vide.txt"));
    zip.Close();
    std::string out;
    ASSERT_EQ(RunCommand("unzip -t '" + Dir + "/docs.zip'", out), 0) << out;
    EXPECT_NE(out.find("No errors detected"), std::string::npos) << out;
    // Same names are numbered: "Report.doc", then "Report (2).doc".
    ASSERT_EQ(RunCommand("cd '" + Dir + "' && mkdir -p out && cd out && unzip -o -q ../docs.zip", out), 0)
        << out;
    EXPECT_EQ(qptest::ReadFileBytes(Dir + "/out/Report.doc"), "Premier rapport\r\n");
    EXPECT_EQ(qptest::ReadFileBytes(Dir + "/out/Report (2).doc"), big);
    EXPECT_TRUE(FileExists(Dir + "/out/vide.txt"));
}

} // namespace
