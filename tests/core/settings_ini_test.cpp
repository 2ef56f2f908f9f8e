// The settings stores: the base store, the ini-file store, long texts, binary blocks and file lists.
#include <gtest/gtest.h>

#include "classlib/runtime/Exceptions.h"
#include "core/FileList.h"
#include "core/FileSys.h"
#include "core/IniFile.h"
#include "core/Options.h"
#include "tests/common/test_support.h"
#include "tests/core/settings_cases.h"

namespace {

std::string IniPath(const std::string& name = "test.ini")
{
    return IncludeTrailingPathDelimiter(qptest::ScratchDir()) + name;
}

std::string WriteFile(const std::string& text)
{
    const std::string path = IniPath();
    FileSys::WriteWholeFile(path, text);
    return path;
}

} // namespace

TEST(SettingsStorage, BaseStoreAnswersDefaultsAndKeepsNothing)
{
    TSettingsStorage s;
    settingscases::WriteAll(s);
    s.OpenSection("Values");
    EXPECT_FALSE(s.SectionExists("Values"));
    EXPECT_TRUE(s.ReadBool("True", true));
    EXPECT_FALSE(s.ReadBool("True", false));
    EXPECT_EQ(s.ReadInteger("X", 0, 10, 99), 99);
    EXPECT_EQ(s.ReadString("Plain", "def"), "def");
    EXPECT_EQ(s.ReadLongString("Long", "def"), "def");
    EXPECT_TRUE(s.ReadBinary("Binary").empty());
}

TEST(IniFile, EveryKindOfValueReadsBackUnchanged)
{
    const std::string path = IniPath();
    {
        TIniFile w(path, true);
        w.Root = "\\Software\\Blue Heron Works, Inc.\\Quillpad.1_x\\";
        settingscases::WriteAll(w);
        // Reads of a writer give their defaults.
        EXPECT_EQ(w.ReadString("Plain", "def"), "def");
    }
    TIniFile r(path, false);
    r.Root = "\\Software\\Blue Heron Works, Inc.\\Quillpad.1_x\\";
    settingscases::CheckAll(r);
    // The file is plain text for ordinary values.
    const std::string text = qptest::ReadFileBytes(path);
    EXPECT_EQ(text.substr(0, 56), "[\\Software\\Blue Heron Works, Inc.\\Quillpad.1_x\\Values]\r\n");
    EXPECT_NE(text.find("\r\nTrue=1\r\nFalse=0\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nSpaces=  deux espaces autour  \r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nMin=-2147483648\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n%[=C:\\Documents\\lettre[1]\r\n"), std::string::npos)
        << "a line ending in ] is encoded";
    EXPECT_NE(text.find("\r\n\r\n[\\Software\\Blue Heron Works, Inc.\\Quillpad.1_x\\Long]\r\nCount=4\r\n"),
              std::string::npos);
}

TEST(IniFile, ReadingFollowsTheFileRules)
{
    const std::string path = WriteFile("orphan=before any section\r\n"
                                       "[Main]\n"
                                       "Key=valeur\r"
                                       ";a comment line\r\n"
                                       "Other = spaced \r\n"
                                       "a=\r\n"
                                       "ab=\r\n"
                                       "Num=abc\r\n"
                                       "Big=50\r\n"
                                       "Yes=yes\r\n"
                                       "One=1\r\n"
                                       "[abc\r\n"
                                       "Lost=no\r\n"
                                       "[MAIN]\r\n"
                                       "Later=merged\r\n"
                                       "Key=second\r\n"
                                       "[Empty]\r\n");
    TIniFile r(path, false);
    EXPECT_TRUE(r.SectionExists("main"));
    EXPECT_TRUE(r.SectionExists("Empty"));
    EXPECT_FALSE(r.SectionExists("ab"));
    r.OpenSection("Main");
    EXPECT_EQ(r.ReadString("key", "def"), "second"); // the later line of a name wins
    EXPECT_EQ(r.ReadString("Other ", "def"), " spaced ");
    EXPECT_EQ(r.ReadString("a", "def"), "def"); // a line of two characters counts for nothing
    EXPECT_EQ(r.ReadString("ab", "def"), "");
    EXPECT_EQ(r.ReadString("orphan", "def"), "def");
    EXPECT_EQ(r.ReadString("Lost", "def"), "no"); // "[abc" is no section header
    EXPECT_EQ(r.ReadString("Later", "def"), "merged");
    EXPECT_EQ(r.ReadInteger("Num", 0, 30, 0), 0);
    EXPECT_EQ(r.ReadInteger("Num", 5, 30, 0), 5);
    EXPECT_EQ(r.ReadInteger("Big", 0, 10, 99), 10);
    EXPECT_EQ(r.ReadInteger("Absent", 0, 10, 99), 10); // the ini store clamps the default too
    EXPECT_EQ(r.ReadInteger("Absent", 100, 200, 99), 100);
    EXPECT_FALSE(r.ReadBool("Yes", true));
    EXPECT_TRUE(r.ReadBool("One", false));
    EXPECT_TRUE(r.ReadBool("Absent", true));
    r.OpenSection("NoSuch");
    EXPECT_EQ(r.ReadString("Key", "def"), "def");
}

TEST(IniFile, MissingFileReadsAsEmpty)
{
    TIniFile r(IniPath("absent.ini"), false);
    EXPECT_FALSE(r.SectionExists("General"));
    r.OpenSection("General");
    EXPECT_TRUE(r.ReadBool("ShowSplash", true));
    EXPECT_EQ(r.ReadLongString("Long", "def"), "def");
}

TEST(IniFile, WriterAppendsSectionsAsOpened)
{
    const std::string path = IniPath();
    {
        TIniFile w(path, true);
        w.OpenSection("A");
        w.WriteInteger("X", 1);
        w.OpenSection("B");
        w.OpenSection("A");
        w.WriteInteger("Y", 2);
        w.UpdateFile();
    }
    EXPECT_EQ(qptest::ReadFileBytes(path), "[A]\r\nX=1\r\n\r\n[B]\r\n\r\n[A]\r\nY=2\r\n");
    TIniFile r(path, false);
    r.OpenSection("A");
    EXPECT_EQ(r.ReadInteger("X", 0, 9, 0), 1);
    EXPECT_EQ(r.ReadInteger("Y", 0, 9, 0), 2);
}

TEST(IniFile, UnwritableFileRaisesAndKeepsNothingHalfWritten)
{
    TIniFile w(IncludeTrailingPathDelimiter(IniPath("no-such-folder")) + "x.ini", true);
    w.OpenSection("A");
    EXPECT_THROW(w.UpdateFile(), EStreamError);
}

TEST(SettingsLongValues, PiecesAndCount)
{
    const std::string path = IniPath();
    {
        TIniFile w(path, true);
        w.WriteLongString("L1000", std::string(1000, 'x'));
        w.WriteLongString("L512", std::string(512, 'y'));
        // A blank after the first 512 characters runs the piece on.
        w.WriteLongString("Blank", std::string(512, 'z') + "   tail");
        const uint8_t bytes[] = {0x0A, 0xFF};
        w.WriteBinary("Bin", bytes, 2);
    }
    const std::string text = qptest::ReadFileBytes(path);
    EXPECT_NE(
        text.find("[L1000]\r\nCount=2\r\n0=" + std::string(512, 'x') + "\r\n1=" + std::string(488, 'x')),
        std::string::npos);
    EXPECT_NE(text.find("[L512]\r\nCount=1\r\n0=" + std::string(512, 'y') + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("[Blank]\r\nCount=2\r\n0=" + std::string(512, 'z') + "   t\r\n1=ail\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("[Bin]\r\nCount=1\r\n0=0aff\r\n"), std::string::npos);
}

TEST(SettingsLongValues, BinaryStopsAtTheFirstPairThatIsNotHexadecimal)
{
    const std::string path = WriteFile("[Bin]\r\nCount=1\r\n0=0A1bzz33\r\n[Odd]\r\nCount=1\r\n0=abc\r\n"
                                       "[NoCount]\r\n0=ffff\r\n");
    TIniFile r(path, false);
    EXPECT_EQ(r.ReadBinary("Bin"), (std::vector<uint8_t>{0x0A, 0x1B, 0, 0}));
    EXPECT_EQ(r.ReadBinary("Odd"), (std::vector<uint8_t>{0xAB}));
    EXPECT_TRUE(r.ReadBinary("NoCount").empty());
}

TEST(SettingsLongValues, MissingPiecesEndTheTextAndAHugeCountReadsAtOnce)
{
    // Fewer pieces than "Count" read back whole; a damaged "Count" stops at the first missing piece.
    const std::string path = WriteFile("[Short]\r\nCount=5\r\n0=abc\r\n1=def\r\n"
                                       "[Huge]\r\nCount=2147483647\r\n0=ff\r\n"
                                       "[Empty]\r\nCount=0\r\n");
    TIniFile r(path, false);
    EXPECT_EQ(r.ReadLongString("Short", "def"), "abcdef");
    EXPECT_EQ(r.ReadLongString("Huge", "def"), "ff");
    EXPECT_EQ(r.ReadBinary("Huge"), (std::vector<uint8_t>{0xFF}));
    EXPECT_EQ(r.ReadLongString("Empty", "def"), "");
    EXPECT_EQ(r.ReadLongString("Absent", "def"), "def");
}

TEST(FileList, ThirtyEntriesSurviveSaveAndLoad)
{
    TFileList list(TFileList::flFiles);
    for (int i = 0; i < 30; ++i)
        list.Names.push_back("C:\\Docs\\lettre[" + std::to_string(i) + "]");
    list.Names[27] = "=à la une]";
    const std::string path = IniPath();
    {
        TIniFile w(path, true);
        w.OpenSection("RecentDocs");
        list.Save(w);
    }
    TIniFile r(path, false);
    r.OpenSection("RecentDocs");
    TFileList loaded(TFileList::flFiles);
    loaded.Load(r);
    EXPECT_EQ(loaded.Names, list.Names);
}

TEST(FileList, LoadSkipsEmptyValuesAndReadsTheLock)
{
    const std::string path = WriteFile("[F]\r\nCount=40\r\nA=un\r\nB=\r\nC=trois\r\nLocked=1\r\n");
    TIniFile r(path, false);
    r.OpenSection("F");
    TFileList files(TFileList::flFiles), folders(TFileList::flFolders);
    files.Load(r);
    folders.Load(r);
    EXPECT_EQ(files.Names, (std::vector<std::string>{"un", "trois"}));
    EXPECT_FALSE(files.Locked);
    EXPECT_TRUE(folders.Locked);
}

TEST(FileList, AddTrimAndLock)
{
    TOptions& options = CurrentOptions();
    const int32_t saved = options.General.DocsToKeep;
    options.General.DocsToKeep = 3;
    TFileList list(TFileList::flFiles);
    for (const char* name : {"a", "b", "c", "d"})
        list.Add(name);
    EXPECT_EQ(list.Names, (std::vector<std::string>{"d", "c", "b"}));
    list.Add("B"); // listed: moved to the front, nothing trimmed
    EXPECT_EQ(list.Names, (std::vector<std::string>{"B", "d", "c"}));
    options.General.DocsToKeep = 0;
    list.Add("d"); // no history: only removed
    EXPECT_EQ(list.Names, (std::vector<std::string>{"B", "c"}));
    list.TrimTo(1);
    EXPECT_EQ(list.Names, (std::vector<std::string>{"B"}));
    options.General.DocsToKeep = 3;
    TFileList folders(TFileList::flFolders);
    folders.Add("x");
    folders.Locked = true;
    folders.Add("y");
    folders.TrimTo(0);
    EXPECT_EQ(folders.Names, (std::vector<std::string>{"x"}));
    options.General.DocsToKeep = saved;
}

TEST(FileList, RemoveMissingKeepsWhatExists)
{
    const std::string dir = IncludeTrailingPathDelimiter(qptest::ScratchDir());
    FileSys::WriteWholeFile(dir + "here.rtf", "x");
    ForceDirectories(dir + "sub");
    const std::string current = GetCurrentDir();
    TFileList files(TFileList::flFiles), folders(TFileList::flFolders);
    files.Names = {dir + "gone.rtf", dir + "here.rtf", dir + "sub"};
    folders.Names = {dir + "sub", dir + "here.rtf", dir + "gone"};
    files.RemoveMissing();
    folders.RemoveMissing();
    EXPECT_EQ(files.Names, (std::vector<std::string>{dir + "here.rtf"}));
    EXPECT_EQ(folders.Names, (std::vector<std::string>{dir + "sub"}));
    EXPECT_EQ(GetCurrentDir(), current);
}
