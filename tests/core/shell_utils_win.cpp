// Shell, locale and code-page helpers under Windows.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include "classlib/runtime/AnsiStrings.h"
#include "classlib/runtime/Files.h"
#include "core/FileSys.h"
#include "core/PathUtils.h"
#include "core/ShellUtils.h"
#include "tests/common/test_support.h"

TEST(ShellUtils, SystemFoldersAndUser)
{
    EXPECT_TRUE(DirectoryExists(GetWindowsFolder()));
    EXPECT_EQ(GetWindowsFolder().back(), '\\');
    EXPECT_FALSE(GetSpecialFolderPath(CSIDL_PERSONAL).empty());
    EXPECT_TRUE(DirectoryExists(GetTempFolder()));
    EXPECT_FALSE(GetLoginUserName().empty());
    EXPECT_FALSE(IsRemovableDrive(GetWindowsFolder()));
    EXPECT_FALSE(IsProgramOnRemovableDrive());
    EXPECT_EQ(ScaleToScreen(100), 100); // the prefix's screen is at 96 dots per inch
}

TEST(ShellUtils, LocalesCharsetsAndCodePages)
{
    EXPECT_EQ(LocaleAnsiCodePage(0x040C), 1252);
    EXPECT_EQ(LocaleAnsiCodePage(0x0419), 1251);
    EXPECT_EQ(CharsetOfCodePage(1251, 0), 204);
    EXPECT_EQ(CharsetOfCodePage(12345, 7), 7);
    EXPECT_EQ(CodePageOfCharset(238, 0), 1250);
    EXPECT_EQ(CodePageOfCharset(77, 9), 9);
    EXPECT_EQ(LocaleCharset(0x0408, false), 161);
    EXPECT_FALSE(GetLocaleLanguageName(0x040C).empty());

    EXPECT_EQ(UpperCaseCharIf('\xE9', 0x040C, true), '\xC9');
    EXPECT_EQ(UpperCaseCharIf('\xE9', 0x040C, false), '\xE9');
    EXPECT_TRUE(IsCasedLetter('\xE9', 0x040C));
    EXPECT_FALSE(IsCasedLetter('1', 0x040C));
    EXPECT_TRUE(IsUpperCaseLetter('\xC9', 0x040C));
    EXPECT_FALSE(IsUpperCaseLetter('\xE9', 0x040C));
}

TEST(ShellUtils, UnicodeToEightBitText)
{
    EXPECT_EQ(WideToAnsiBestCodePage(u"\u041F\u0440\u0438\u0432\u0435\u0442"), "\xCF\xF0\xE8\xE2\xE5\xF2");
    EXPECT_EQ(WideToAnsiBestCodePage(u"\u00C9t\u00E9"), "\xC9t\xE9");
    std::vector<int> ends;
    std::vector<int32_t> pages;
    EXPECT_EQ(WideToAnsiRuns(u"\u00C9t\u00E9 \u041C\u0438\u0440 ok", ends, pages),
              "\xC9t\xE9 \xCC\xE8\xF0 ok");
    EXPECT_EQ(ends, (std::vector<int>{4, 10}));
    EXPECT_EQ(pages, (std::vector<int32_t>{1252, 1251}));
    ends.clear();
    pages.clear();
    EXPECT_EQ(WideToAnsiRuns(u"abc", ends, pages), "abc");
    EXPECT_EQ(pages, std::vector<int32_t>{static_cast<int32_t>(GetACP())});
}

TEST(ShellUtils, ShellLinksAndInternetShortcuts)
{
    const std::string dir = IncludeTrailingPathDelimiter(qptest::ScratchDir());
    const std::string target = dir + "Lettre à Paul.rtf";
    FileSys::WriteWholeFile(target, "{\\rtf1}");
    ASSERT_TRUE(CreateShortcut(dir + "Lettre.lnk", target, "-p", dir));
    EXPECT_TRUE(SameText(GetShortcutTarget(dir + "Lettre.lnk"), target))
        << GetShortcutTarget(dir + "Lettre.lnk");
    EXPECT_EQ(GetShortcutTarget(dir + "absent.lnk"), "");
    FileSys::WriteWholeFile(dir + "site.url", "[InternetShortcut]\r\nURL=http://exemple.fr/page\r\n");
    EXPECT_EQ(ReadInternetShortcutFile(dir + "site.url"), "http://exemple.fr/page");
    EXPECT_TRUE(SameText(ResolveShellPath(target), target));
}

TEST(ShellUtils, RewindFile)
{
    const std::string name = IncludeTrailingPathDelimiter(qptest::ScratchDir()) + "rembobine.txt";
    FileSys::WriteWholeFile(name, "abc");
    HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    char buffer[3];
    DWORD got = 0;
    ReadFile(h, buffer, 3, &got, nullptr);
    EXPECT_TRUE(RewindFile(h));
    ReadFile(h, buffer, 1, &got, nullptr);
    EXPECT_EQ(buffer[0], 'a');
    CloseHandle(h);
}
