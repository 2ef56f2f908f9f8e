// Path parts, files and folders on disk, and the file stream.
#include <gtest/gtest.h>

#include <string>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/FileStream.h"
#include "classlib/runtime/Files.h"
#include "classlib/runtime/StringList.h"
#include "tests/common/test_support.h"

namespace {

// A path written with '/' in the tests, in the system's form.
std::string P(std::string s)
{
    for (char& c : s)
        if (c == '/')
            c = PathDelim;
    return s;
}

} // namespace

TEST(Files, PathParts)
{
    EXPECT_EQ(ExtractFilePath(P("/docs/lettre.rtf")), P("/docs/"));
    EXPECT_EQ(ExtractFileName(P("/docs/lettre.rtf")), "lettre.rtf");
    EXPECT_EQ(ExtractFileExt(P("/docs/lettre.rtf")), ".rtf");
    EXPECT_EQ(ExtractFileExt(P("/docs.old/lettre")), "");
    EXPECT_EQ(ExtractFileName("lettre"), "lettre");
    EXPECT_EQ(ExtractFilePath("lettre"), "");
    EXPECT_EQ(ChangeFileExt(P("/a.b/c.txt"), ".rtf"), P("/a.b/c.rtf"));
    EXPECT_EQ(ChangeFileExt(P("/a.b/c"), ".rtf"), P("/a.b/c.rtf"));
    EXPECT_EQ(ChangeFileExt("c.tar.gz", ""), "c.tar");
    EXPECT_EQ(IncludeTrailingPathDelimiter(P("/a")), P("/a/"));
    EXPECT_EQ(IncludeTrailingPathDelimiter(P("/a/")), P("/a/"));
    EXPECT_EQ(ExcludeTrailingPathDelimiter(P("/a/")), P("/a"));
#if defined(_WIN32)
    EXPECT_EQ(ExtractFilePath("C:lettre.rtf"), "C:");
    EXPECT_EQ(ExtractFileName("C:\\Docs/lettre.rtf"), "lettre.rtf");
#endif
}

TEST(Files, FoldersAndFiles)
{
    const std::string root = IncludeTrailingPathDelimiter(qptest::ScratchDir());
    const std::string deep = root + P("un/deux/trois");
    EXPECT_FALSE(DirectoryExists(deep));
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_TRUE(ForceDirectories(IncludeTrailingPathDelimiter(deep))); // already there
    EXPECT_FALSE(FileExists(deep));

    const std::string file = IncludeTrailingPathDelimiter(deep) + "note.txt";
    EXPECT_FALSE(FileExists(file));
    EXPECT_FALSE(DeleteFile(file));
    {
        TFileStream f(file, fmCreate);
        f.WriteBuffer("abc", 3);
    }
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(ForceDirectories(file + P("/sous"))); // a file stands in the way
    EXPECT_TRUE(DeleteFile(file));
    EXPECT_FALSE(FileExists(file));
}

TEST(Files, FileStreamReadsWritesAndSeeks)
{
    const std::string file = IncludeTrailingPathDelimiter(qptest::ScratchDir()) + "flux.bin";
    {
        TFileStream f(file, fmCreate);
        f.WriteBuffer("0123456789", 10);
        EXPECT_EQ(f.GetSize(), 10);
        f.SetPosition(2);
        char two[2];
        f.ReadBuffer(two, 2);
        EXPECT_EQ(std::string(two, 2), "23");
        f.WriteBuffer("XY", 2); // a write right after a read
        f.SetSize(8);
        EXPECT_EQ(f.GetSize(), 8);
    }
    EXPECT_EQ(qptest::ReadFileBytes(file), "0123XY67");
    {
        TFileStream f(file, fmOpenReadWrite | fmShareDenyWrite);
        EXPECT_EQ(f.Seek(-2, soEnd), 6);
        f.WriteBuffer("!", 1);
    }
    TFileStream f(file, fmOpenRead);
    char all[16];
    EXPECT_EQ(f.Read(all, 16), 8);
    EXPECT_EQ(std::string(all, 8), "0123XY!7");
    EXPECT_EQ(f.Read(all, 16), 0);
    EXPECT_THROW(f.ReadBuffer(all, 1), EStreamError);
}

TEST(Files, OpeningFailuresNameTheFile)
{
    const std::string dir = IncludeTrailingPathDelimiter(qptest::ScratchDir());
    try {
        TFileStream f(dir + "absent.txt", fmOpenRead);
        FAIL() << "opened a missing file";
    } catch (const EStreamError& e) {
        EXPECT_NE(e.Message.find("absent.txt"), std::string::npos);
    }
    EXPECT_THROW(TFileStream(dir + P("nulle/part/x.txt"), fmCreate), EStreamError);
    EXPECT_THROW(TFileStream(ExcludeTrailingPathDelimiter(dir), fmOpenRead), EStreamError); // a folder
}

TEST(Files, StringListFiles)
{
    const std::string file = IncludeTrailingPathDelimiter(qptest::ScratchDir()) + "liste.txt";
    TStringList l;
    l.SetText("premier\r\nsecond");
    l.SaveToFile(file);
    EXPECT_EQ(qptest::ReadFileBytes(file), "premier\r\nsecond\r\n");
    TStringList back;
    back.LoadFromFile(file);
    EXPECT_EQ(back.Count(), 2);
    EXPECT_EQ(back[1], "second");
    EXPECT_THROW(back.LoadFromFile(file + ".absent"), EStreamError);
}
