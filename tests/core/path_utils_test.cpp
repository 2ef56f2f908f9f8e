// Path helpers: temporary names, folder walks, sizes, shortened paths, captions, code pages and links.
#include <gtest/gtest.h>

#include <cstdlib>

#include "classlib/runtime/AnsiStrings.h"
#include "classlib/runtime/DateTime.h"
#include "classlib/runtime/Files.h"
#include "core/FileSys.h"
#include "core/Options.h"
#include "core/PathUtils.h"
#include "tests/common/test_support.h"

namespace {

std::string Join(const std::string& folder, const std::string& name)
{
    return IncludeTrailingPathDelimiter(folder) + name;
}

void Touch(const std::string& path, const std::string& text = "x")
{
    FileSys::WriteWholeFile(path, text);
}

// Points the temporary folder at a scratch folder of the test's own while it lives.
class TTempFolderScope {
public:
    TTempFolderScope() : Folder(IncludeTrailingPathDelimiter(qptest::ScratchDir()))
    {
#ifdef _WIN32
        _putenv_s("TMP", Folder.c_str());
        _putenv_s("TEMP", Folder.c_str());
#else
        setenv("TMPDIR", Folder.c_str(), 1);
#endif
    }
    ~TTempFolderScope()
    {
#ifdef _WIN32
        _putenv_s("TMP", "");
        _putenv_s("TEMP", "");
#else
        unsetenv("TMPDIR");
#endif
    }
    const std::string Folder;
};

} // namespace

TEST(TempFiles, NamesCountUpPastExistingFiles)
{
    TTempFolderScope temp;
    EXPECT_TRUE(SameText(GetTempFolder(), temp.Folder)) << GetTempFolder();
    EXPECT_EQ(GetTempFileNameOfKind(tfTmp), temp.Folder + "~Quillp0.tmp");
    Touch(temp.Folder + "~Quillp0.tmp");
    ForceDirectories(temp.Folder + "~Quillp1.tmp");
    EXPECT_EQ(GetTempFileNameOfKind(tfTmp), temp.Folder + "~Quillp2.tmp");
    EXPECT_EQ(GetTempFileNameOfKind(tfRtf), temp.Folder + "~Quillp0.rtf");
    EXPECT_EQ(GetTempFileNameOfKind(tfQad), temp.Folder + "~Quillp0.qad");
    EXPECT_EQ(GetTempFileNameOfKind(tfBmp), temp.Folder + "~Quillp0.bmp");
    EXPECT_EQ(GetUniquePlainTempFileName(".tmp"), temp.Folder + "Quillp0.tmp");
    EXPECT_EQ(GetUniqueTempFileName(""), temp.Folder + "~Quillp0");
}

TEST(TempFiles, CanWriteTempFileLeavesNothingAndSparesExistingFiles)
{
    TTempFolderScope temp;
    EXPECT_TRUE(CanWriteTempFile("essai.tmp"));
    EXPECT_FALSE(FileExists(temp.Folder + "essai.tmp"));
    Touch(temp.Folder + "garde.tmp", "contenu");
    EXPECT_FALSE(CanWriteTempFile("garde.tmp"));
    EXPECT_EQ(qptest::ReadFileBytes(temp.Folder + "garde.tmp"), "contenu");
}

TEST(TempFiles, DeleteTempFilesRemovesOnlyTheProgramsOwn)
{
    TTempFolderScope temp;
    Touch(temp.Folder + "~Quillp0.tmp");
    Touch(temp.Folder + "~quillp7.rtf");
    ForceDirectories(Join(temp.Folder + "~Quillp3", "images"));
    Touch(Join(temp.Folder + "~Quillp3", Join("images", "a.png")));
    Touch(temp.Folder + "Quillp0.tmp");
    Touch(temp.Folder + "autre.txt");
    DeleteTempFiles();
    EXPECT_FALSE(FileExists(temp.Folder + "~Quillp0.tmp"));
    EXPECT_FALSE(FileExists(temp.Folder + "~quillp7.rtf"));
    EXPECT_FALSE(DirectoryExists(temp.Folder + "~Quillp3"));
    EXPECT_TRUE(FileExists(temp.Folder + "Quillp0.tmp"));
    EXPECT_TRUE(FileExists(temp.Folder + "autre.txt"));
}

class FolderTree : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* f : {"sub1", "sub1/deep", "sub2", "Sub3"})
            ForceDirectories(P(f));
        for (const char* f : {"a.rtf", "b.txt", "sub1/c.rtf", "sub1/deep/d.RTF", "Sub3/e.rtf"})
            Touch(P(f));
    }
    // A path under the tree, written with "/" in the test.
    std::string P(std::string relative) const
    {
        for (char& c : relative)
            if (c == '/')
                c = PathDelim;
        return relative.empty() ? Root : Join(Root, relative);
    }
    const std::string Root = Join(qptest::ScratchDir(), "arbre");
};

TEST_F(FolderTree, FindFilesListsSubfoldersFirst)
{
    std::vector<std::string> found;
    FindFilesInTree(Root, "*.rtf", found);
    EXPECT_EQ(found,
              (std::vector<std::string>{P("sub1/deep/d.RTF"), P("sub1/c.rtf"), P("Sub3/e.rtf"), P("a.rtf")}));
    found.clear();
    FindFilesInTree(Root, "?.t*", found);
    EXPECT_EQ(found, std::vector<std::string>{P("b.txt")});
    std::vector<std::string> folders;
    ListSubfolders(Root, folders);
    EXPECT_EQ(folders, (std::vector<std::string>{P("sub1"), P("sub1/deep"), P("sub2"), P("Sub3")}));
}

TEST_F(FolderTree, EmptyFoldersAndDeletion)
{
    EXPECT_TRUE(IsFolderEmpty(P("sub2")));
    EXPECT_FALSE(IsFolderEmpty(P("sub1")));
    RemoveEmptySubfolders(Root);
    EXPECT_FALSE(DirectoryExists(P("sub2")));
    EXPECT_TRUE(DirectoryExists(P("sub1")));
    DeleteFolderTree(P("sub1"));
    EXPECT_FALSE(DirectoryExists(P("sub1")));
    EXPECT_TRUE(FileExists(P("a.rtf")));
    EXPECT_TRUE(FolderExists(Root));
    EXPECT_FALSE(FolderExists(P("a.rtf")));
}

TEST_F(FolderTree, CopyFolderTreeSkipsExcludedAndItself)
{
    const std::string copy = P("copie");
    ForceDirectories(copy);
    Touch(P("copie/a.rtf"), "ancien");
    CopyFolderTree(Root, copy, false, {P("Sub3")});
    std::vector<std::string> copied;
    FindFilesInTree(copy, "*", copied);
    EXPECT_EQ(copied, (std::vector<std::string>{P("copie/sub1/deep/d.RTF"), P("copie/sub1/c.rtf"),
                                                P("copie/a.rtf"), P("copie/b.txt")}));
    EXPECT_TRUE(DirectoryExists(P("copie/sub2")));
    EXPECT_EQ(qptest::ReadFileBytes(P("copie/a.rtf")), "ancien");
    CopyFolderTree(Root, copy, true, {});
    EXPECT_EQ(qptest::ReadFileBytes(P("copie/a.rtf")), "x");
    EXPECT_TRUE(FileExists(P("copie/Sub3/e.rtf")));
    EXPECT_FALSE(DirectoryExists(P("copie/copie")));
}

TEST_F(FolderTree, SizesOnDisk)
{
    const int64_t cluster = GetClusterSize(Root);
    ASSERT_GT(cluster, 0);
    EXPECT_EQ(GetFileSizeByName(P("a.rtf")), 1);
    EXPECT_EQ(GetFileSizeByName(P("absent.rtf")), 0);
    EXPECT_EQ(FileSizeOnDisk(P("a.rtf")), cluster);
    Touch(P("b.txt"), std::string(static_cast<size_t>(cluster) + 1, 'y'));
    EXPECT_EQ(FileSizeOnDisk(P("b.txt")), 2 * cluster);
    EXPECT_EQ(FolderSizeOnDisk(Root), 6 * cluster);
    EXPECT_EQ(FormatFileSize(P("a.rtf")), "1 octets");
}

TEST(FileDates, TimesOfAFileAndOfAMissingOne)
{
    const std::string file = Join(qptest::ScratchDir(), "daté.txt");
    Touch(file);
    const double minute = 1.0 / 24 / 60;
    EXPECT_NEAR(GetFileModificationTime(file), Now(), minute);
    EXPECT_NEAR(GetFileCreationTime(file), Now(), minute);
    EXPECT_NEAR(GetFileDateTime(file + ".absent", ftModification), Now(), minute);
}

TEST(FileDates, DayNumbersCountRealDays)
{
    EXPECT_EQ(ApproxDayNumber(EncodeDate(2024, 3, 5)), 45356);
    EXPECT_EQ(ApproxDayNumber(EncodeDate(2024, 3, 5) + 0.99), 45356);
    // Across the end of a month of 30 days, of February in a leap year and of the year: one day each.
    EXPECT_EQ(ApproxDayNumber(EncodeDate(2024, 5, 1)) - ApproxDayNumber(EncodeDate(2024, 4, 30)), 1);
    EXPECT_EQ(ApproxDayNumber(EncodeDate(2024, 3, 1)) - ApproxDayNumber(EncodeDate(2024, 2, 28)), 2);
    EXPECT_EQ(ApproxDayNumber(EncodeDate(2025, 1, 1)) - ApproxDayNumber(EncodeDate(2024, 12, 31)), 1);
}

TEST(FormatByteSize, UnitsAndSeparators)
{
    const std::pair<int64_t, const char*> cases[] = {
        {0, "0 octets"},        {999, "999 octets"},    {65534, "65 534 octets"},    {65535, "64 Ko"},
        {1048576, "1 Mo"},      {2097152, "2 Mo"},      {2097153, "2 048 Ko"},       {16777214, "16 384 Ko"},
        {16777215, "16,00 Mo"}, {16777216, "16,00 Mo"}, {1073741824, "1 024,00 Mo"},
    };
    for (const auto& [size, text] : cases)
        EXPECT_EQ(FormatByteSize(size), text) << size;
}

TEST(ShortenPath, DropsFoldersFromTheLeftUntilItFits)
{
    auto width = [](const std::string& text) { return static_cast<int>(text.size()) * 7; };
    const std::string path = "C:\\Documents\\Lettres\\2024\\Mars\\courrier.rtf";
    const int full = width(path);
    TOptions& options = CurrentOptions();
    options.General.FullPaths = true;
    EXPECT_EQ(ShortenPath(width, path, full), path);
    EXPECT_EQ(ShortenPath(width, path, full - 1), "C:\\Documents\\...\\2024\\Mars\\courrier.rtf");
    EXPECT_EQ(ShortenPath(width, path, width("C:\\Documents\\...\\Mars\\courrier.rtf")),
              "C:\\Documents\\...\\Mars\\courrier.rtf");
    EXPECT_EQ(ShortenPath(width, path, 10), "C:\\Documents\\...\\Mars\\courrier.rtf"); // two folders stay
    EXPECT_EQ(ShortenPath(width, "C:\\Documents\\Lettres\\a.rtf", 10), "C:\\Documents\\Lettres\\a.rtf");
    EXPECT_EQ(ShortenPath(width, "C:\\A\\B\\C\\", 10), "C:\\A\\...\\C\\");
    options.General.FullPaths = false;
    EXPECT_EQ(ShortenPath(width, path, 1000), "courrier.rtf");
    EXPECT_EQ(ShortenPath(width, "C:\\A\\B\\C\\", 10), "C:\\A\\...\\C\\");
    options.General.FullPaths = true;
}

TEST(PathText, DriveRootsCaptionsAndLinks)
{
    EXPECT_EQ(GetPathDriveRoot("C:\\Docs\\a.rtf"), "C:\\");
    EXPECT_EQ(GetPathDriveRoot("\\\\serveur\\partage\\a.rtf"), "\\\\serveur\\partage\\");
    EXPECT_EQ(GetPathDriveRoot("relatif.rtf"), "");

    EXPECT_EQ(EscapeAmpersands("-"), "- ");
    EXPECT_EQ(EscapeAmpersands("Pierre & Fils"), "Pierre && Fils");
    EXPECT_EQ(EscapeAmpersands("--"), "--");
    EXPECT_EQ(CaptionWithShortcut("&Ouvrir...\tCtrl+O"), "Ouvrir... (Ctrl+O)");
    EXPECT_EQ(CaptionWithShortcut("Pierre && Fils"), "Pierre & Fils");
    EXPECT_EQ(CaptionWithShortcut("Fin&"), "Fin&");
    EXPECT_EQ(CaptionWithShortcut("Rien\t"), "Rien");

    EXPECT_TRUE(IsShortcutFile("C:\\Bureau\\Quillpad.LnK"));
    EXPECT_FALSE(IsShortcutFile("a.lnkx"));
    EXPECT_FALSE(IsShortcutFile("lnk"));
    EXPECT_EQ(ReadInternetShortcutUrl("[InternetShortcut]\r\nurl=http://exemple.fr/\r\nIconIndex=0"),
              "http://exemple.fr/");
    EXPECT_EQ(ReadInternetShortcutUrl("[InternetShortcut]\nIconURL=x\n"), "");
    EXPECT_TRUE(HasUrlPrefix("WWW.exemple.fr"));
    EXPECT_TRUE(HasUrlPrefix("ftp://a"));
    EXPECT_FALSE(HasUrlPrefix("mailto:a@b"));
    EXPECT_TRUE(IsLinkLikeText("nom@exemple.fr"));
    EXPECT_TRUE(IsLinkLikeText("http://a"));
    EXPECT_FALSE(IsLinkLikeText("C:\\lettre.rtf"));
}

TEST(CodePages, OfCharactersAndTexts)
{
    const std::pair<uint32_t, int32_t> cases[] = {
        {65, -1},     {127, -1},    {128, 1252},  {255, 1252},  {256, 1250},  {337, 1250}, {338, 1252},
        {339, 1252},  {340, 1250},  {383, 1250},  {384, 1257},  {591, 1257},  {592, -1},   {880, 1253},
        {1024, 1251}, {1279, 1251}, {1424, 1255}, {1536, 1256}, {1791, 1256}, {19968, -1},
    };
    for (const auto& [ch, cp] : cases)
        EXPECT_EQ(CodePageForUnicodeChar(ch, -1), cp) << ch;
    const std::u16string russian = u"\u041F\u0440\u0438\u0432\u0435\u0442, \u00E9!";
    EXPECT_EQ(BestCodePageForText(reinterpret_cast<const uint16_t*>(russian.data()),
                                  static_cast<int>(russian.size()), 7),
              1251);
    EXPECT_EQ(BestCodePageForText(reinterpret_cast<const uint16_t*>(u"abc"), 3, 7), 7);

    const std::u16string wide = u"a\uF041\uF0FFz";
    std::string ansi = "????";
    CopySymbolChars(reinterpret_cast<const uint16_t*>(wide.data()), ansi.data(), 4);
    EXPECT_EQ(ansi, "?A\xFF?");
    uint8_t table[256];
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<uint8_t>(i == 'a' ? 'b' : i);
    std::string text = "banane";
    TranslateBytes(text.data(), 4, table);
    EXPECT_EQ(text, "bbnbne");
}
