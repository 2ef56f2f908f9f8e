// What only Windows gives: sharing a file that another program holds open, resources, locale order.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "classlib/runtime/AnsiStrings.h"
#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/FileStream.h"
#include "classlib/runtime/Files.h"
#include "classlib/runtime/ResourceStream.h"
#include "tests/common/test_support.h"

TEST(FileStreamWin, ReadsAFileAnotherProgramHoldsOpen)
{
    const std::string file = IncludeTrailingPathDelimiter(qptest::ScratchDir()) + "tenu.txt";
    // Another program keeps the file open for writing and lets others read and write it.
    HANDLE other = CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    DWORD done;
    WriteFile(other, "ouvert", 6, &done, nullptr);
    {
        TFileStream f(file, fmOpenRead);
        char buf[8];
        EXPECT_EQ(f.Read(buf, 8), 6);
        EXPECT_EQ(std::string(buf, 6), "ouvert");
        // Asking others not to write fails while they do.
        EXPECT_THROW(TFileStream(file, fmOpenRead | fmShareDenyWrite), EStreamError);
    }
    CloseHandle(other);

    // And while this program writes a file, others may read it but not write it.
    TFileStream mine(file, fmCreate);
    HANDLE reader = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    CloseHandle(reader);
    HANDLE writer = CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
}

TEST(ResourceStreamWin, ReadsAModulesResource)
{
    // The system library's version information: resource 1 of type 16, starting with its own length
    // and the wide text "VS_VERSION_INFO".
    TResourceStream r(GetModuleHandleA("kernel32.dll"), ResourceId(1), ResourceId(16));
    ASSERT_GT(r.GetSize(), 40);
    uint8_t head[40];
    r.ReadBuffer(head, 40);
    EXPECT_EQ(head[0] | head[1] << 8, r.GetSize());
    std::string key;
    for (int i = 6; i < 36; i += 2)
        key += static_cast<char>(head[i]);
    EXPECT_EQ(key, "VS_VERSION_INFO");
    EXPECT_THROW(r.Write(head, 1), EStreamError);
    EXPECT_THROW(TResourceStream(nullptr, "ABSENTE", RT_RCDATA_TYPE), EStreamError);
}

TEST(AnsiStringsWin, FrenchOrderAndCase)
{
    EXPECT_EQ(AnsiUpperCase("été œuvre"), "ÉTÉ ŒUVRE");
    EXPECT_EQ(AnsiLowerCase("ÉLÈVE"), "élève");
    EXPECT_EQ(AnsiCompareText("élan", "ELAN"), 1); // accents still count
    EXPECT_EQ(AnsiCompareText("école", "ÉCOLE"), 0);
    EXPECT_EQ(AnsiCompareText("élan", "eux"), -1); // é sorts with e, not after z
    EXPECT_EQ(AnsiCompareStr("a", "B"), -1);
}
