// Saving beside the target: the old file survives every failure.
#include <gtest/gtest.h>

#include "classlib/runtime/Files.h"
#include "core/SafeSave.h"
#include "tests/common/test_support.h"

namespace {
void WriteText(TStream& s, const std::string& text)
{
    s.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
}
} // namespace

TEST(SafeSave, ReplacesOnlyWhenComplete)
{
    std::string dir = qptest::ScratchDir();
    std::string target = dir + PathDelim + "lettre.rtf";
    {
        TFileStream old(target, fmCreate);
        WriteText(old, "ancien contenu");
    }
    {
        TSafeSave save(target);
        WriteText(save.Stream(), "nouveau");
        // Until the commit the target is untouched.
        EXPECT_EQ(qptest::ReadFileBytes(target), "ancien contenu");
        // Abandoned (a cancelled or failed write): nothing changes and the new file goes away.
    }
    EXPECT_EQ(qptest::ReadFileBytes(target), "ancien contenu");
    std::string temp;
    {
        TSafeSave save(target);
        temp = save.TempName();
        WriteText(save.Stream(), "nouveau");
        EXPECT_TRUE(save.Commit());
    }
    EXPECT_EQ(qptest::ReadFileBytes(target), "nouveau");
    EXPECT_FALSE(FileExists(temp));
}

TEST(SafeSave, NewFileAndRefusedReplace)
{
    std::string dir = qptest::ScratchDir();
    std::string target = dir + PathDelim + "neuf.txt";
    {
        TSafeSave save(target);
        WriteText(save.Stream(), "abc");
        EXPECT_TRUE(save.Commit());
    }
    EXPECT_EQ(qptest::ReadFileBytes(target), "abc");
    // A target that is a folder cannot be replaced: the new file is removed.
    std::string folder = dir + PathDelim + "dossier";
    ASSERT_TRUE(ForceDirectories(folder));
    std::string temp;
    {
        TSafeSave save(folder);
        temp = save.TempName();
        WriteText(save.Stream(), "x");
        EXPECT_FALSE(save.Commit());
    }
    EXPECT_FALSE(FileExists(temp));
    EXPECT_TRUE(DirectoryExists(folder));
}
