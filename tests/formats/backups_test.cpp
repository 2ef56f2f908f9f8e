// Backup copies: their names, and how many are kept by age, count and folder size.
#include <gtest/gtest.h>

#include <fstream>

#include "classlib/runtime/Files.h"
#include "classlib/windowing/DialogTypes.h"
#include "core/FileSys.h"
#include "formats/save/Backups.h"
#include "tests/common/test_support.h"

namespace {

TDateTime At(int day, int hour, int minute, int second = 0)
{
    return EncodeDate(2026, 12, day) + EncodeTime(hour, minute, second, 0);
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> Names(const std::vector<TBackupFile>& backups)
{
    std::vector<std::string> names;
    for (const TBackupFile& b : backups)
        names.push_back(ExtractFileName(b.Path));
    return names;
}

struct TBackupFolder {
    std::string Root = qptest::ScratchDir();
    std::string Document = IncludeTrailingPathDelimiter(Root) + "Lettre.rtf";
    TBackupSettings Settings;
    std::vector<std::string> Questions;
    int Answer = mrCancel;
    TAskUser Ask = [this](const std::string& text, uint8_t, uint16_t, uint8_t) {
        Questions.push_back(text);
        return Answer;
    };
    TBackupFolder()
    {
        Settings.Create = true;
        Settings.Folder = IncludeTrailingPathDelimiter(Root) + "Sauvegardes";
        Settings.SepFolders = false;
        WriteFile(Document, "{\\rtf1 version}");
    }
    std::vector<std::string> Kept() { return Names(ListBackups(Settings.Folder, Document)); }
};

} // namespace

TEST(Backups, NamesCarryTheStampAndAreRecognisedExactly)
{
    EXPECT_EQ(BackupFileName(std::string("Docs") + PathDelim + "Lettre.rtf", At(9, 7, 5)),
              "Lettre 26-12-09 0705.rtf");
    EXPECT_EQ(BackupFileName("Notes", At(31, 23, 59)), "Notes 26-12-31 2359");
    struct {
        const char* Name;
        bool IsBackup;
        const char* Base;
    } cases[] = {
        {"Lettre 26-12-09 0705.rtf", true, "Lettre"}, {"Mon.rapport 26-01-31 1200.doc", true, "Mon.rapport"},
        {"Notes 26-12-31 2359", true, "Notes"},       {"Lettre.rtf", false, ""},
        {"Lettre 26-12-09 705.rtf", false, ""},   // a digit short
        {"Lettre 26-13-09 0705.rtf", false, ""},  // no 13th month
        {"Lettre 26-12-09 2460.rtf", false, ""},  // no such minute
        {"Lettre_26-12-09 0705.rtf", false, ""},  // not the stamp's space
        {"Lettre 26-12-09 0705x.rtf", false, ""}, // something after the stamp
    };
    for (const auto& c : cases) {
        std::string base;
        EXPECT_EQ(BackupFileBaseName(c.Name, base), c.IsBackup) << c.Name;
        if (c.IsBackup) {
            EXPECT_EQ(base, c.Base) << c.Name;
        }
    }
}

TEST(Backups, TablesOfAgesAndCounts)
{
    EXPECT_EQ(BackupMinimumSeconds(0), 60);
    EXPECT_EQ(BackupMinimumSeconds(2), 300);
    EXPECT_EQ(BackupMinimumSeconds(11), 4 * 3600);
    EXPECT_EQ(BackupMinimumSeconds(16), 24 * 3600);
    EXPECT_EQ(BackupMaximumCount(0), 1);
    EXPECT_EQ(BackupMaximumCount(2), 3);
    EXPECT_EQ(BackupMaximumCount(8), 50);
    EXPECT_EQ(BackupMaximumCount(9), 0); // no limit
}

TEST(Backups, TwoSavesWithinTheMinimumAgeMakeOne)
{
    TBackupFolder f;
    f.Settings.MinDiffIndex = 2; // 5 minutes
    EXPECT_TRUE(MakeBackupCopy(f.Document, f.Document, f.Settings, At(9, 10, 0, 30), f.Ask));
    EXPECT_TRUE(MakeBackupCopy(f.Document, f.Document, f.Settings, At(9, 10, 4, 50), f.Ask));
    EXPECT_EQ(f.Kept(), std::vector<std::string>{"Lettre 26-12-09 1000.rtf"});
    EXPECT_EQ(
        qptest::ReadFileBytes(IncludeTrailingPathDelimiter(f.Settings.Folder) + "Lettre 26-12-09 1000.rtf"),
        "{\\rtf1 version}");
    // Five minutes after the stamp's minute a new one is made.
    EXPECT_TRUE(MakeBackupCopy(f.Document, f.Document, f.Settings, At(9, 10, 5, 0), f.Ask));
    EXPECT_EQ(f.Kept().size(), 2u);
    EXPECT_TRUE(f.Questions.empty());
}

TEST(Backups, AFourthSaveDeletesTheOldestOfThreeAndNothingElse)
{
    TBackupFolder f;
    f.Settings.MinDiffIndex = 0;  // 1 minute
    f.Settings.MaxFilesIndex = 2; // 3 per document
    const std::string folder = IncludeTrailingPathDelimiter(f.Settings.Folder);
    ASSERT_TRUE(ForceDirectories(folder));
    // Files that are not this document's backups: another document's, a near miss, the user's own.
    const std::vector<std::string> others = {"Autre 26-12-01 0800.rtf", "Lettre 26-12-01 0800.doc",
                                             "Lettre 26-12-01 080.rtf", "Lettre.rtf", "notes.txt"};
    for (const std::string& name : others)
        WriteFile(folder + name, "x");
    for (int minute = 0; minute < 4; ++minute)
        EXPECT_TRUE(MakeBackupCopy(f.Document, f.Document, f.Settings, At(9, 11, minute * 2), f.Ask));
    EXPECT_EQ(f.Kept(), (std::vector<std::string>{"Lettre 26-12-09 1102.rtf", "Lettre 26-12-09 1104.rtf",
                                                  "Lettre 26-12-09 1106.rtf"}));
    for (const std::string& name : others)
        EXPECT_TRUE(FileExists(folder + name)) << name;
}

TEST(Backups, OneSubfolderPerDocumentWhenAsked)
{
    TBackupFolder f;
    f.Settings.SepFolders = true;
    f.Settings.MaxFilesIndex = 3;
    EXPECT_TRUE(MakeBackupCopy(f.Document, f.Document, f.Settings, At(9, 12, 0), f.Ask));
    EXPECT_TRUE(FileExists(IncludeTrailingPathDelimiter(f.Settings.Folder) + "Lettre" + PathDelim +
                           "Lettre 26-12-09 1200.rtf"));
    // A single backup per document needs no folder of its own.
    f.Settings.MaxFilesIndex = 0;
    EXPECT_EQ(BackupFolderOf(f.Settings, f.Document), IncludeTrailingPathDelimiter(f.Settings.Folder));
}

TEST(Backups, TheSizeLimitAsksAndYesDeletesTheOldestBackupsOnly)
{
    TBackupFolder f;
    f.Settings.MaxMegabytes = 1;
    f.Settings.MaxFilesIndex = 9;
    const std::string folder = IncludeTrailingPathDelimiter(f.Settings.Folder);
    ASSERT_TRUE(ForceDirectories(folder));
    const std::string half(600 * 1024, 'a');
    WriteFile(folder + "Autre 26-12-01 0800.rtf", half); // the oldest backup of the folder
    WriteFile(folder + "Vieux 26-12-02 0800.rtf", "y");
    WriteFile(folder + "photo.jpg", std::string(300 * 1024, 'p')); // not a backup: never deleted
    WriteFile(f.Document, std::string(200 * 1024, 'd'));
    // Cancel gives the backup up and deletes nothing.
    f.Answer = mrCancel;
    EXPECT_TRUE(MakeBackupCopy(f.Document, f.Document, f.Settings, At(9, 13, 0), f.Ask));
    ASSERT_EQ(f.Questions.size(), 1u);
    EXPECT_NE(f.Questions[0].find("taille limite"), std::string::npos);
    EXPECT_TRUE(f.Kept().empty());
    EXPECT_TRUE(FileExists(folder + "Autre 26-12-01 0800.rtf"));
    // Yes deletes the oldest backups until the copy fits.
    f.Answer = mrYes;
    EXPECT_TRUE(MakeBackupCopy(f.Document, f.Document, f.Settings, At(9, 13, 0), f.Ask));
    EXPECT_FALSE(FileExists(folder + "Autre 26-12-01 0800.rtf"));
    EXPECT_TRUE(FileExists(folder + "Vieux 26-12-02 0800.rtf"));
    EXPECT_TRUE(FileExists(folder + "photo.jpg"));
    EXPECT_EQ(f.Kept().size(), 1u);
}

TEST(Backups, NothingWhenOffAndAFailedCopyIsAskedAgain)
{
    TBackupFolder f;
    f.Settings.Create = false;
    EXPECT_TRUE(MakeBackupCopy(f.Document, f.Document, f.Settings, At(9, 14, 0), f.Ask));
    EXPECT_FALSE(DirectoryExists(f.Settings.Folder));
    // The backup folder's place is taken by the target name as a folder: the copy cannot be made.
    f.Settings.Create = true;
    const std::string target = IncludeTrailingPathDelimiter(f.Settings.Folder) + "Lettre 26-12-09 1400.rtf";
    ASSERT_TRUE(ForceDirectories(target));
    f.Answer = mrCancel;
    EXPECT_FALSE(MakeBackupCopy(f.Document, f.Document, f.Settings, At(9, 14, 0), f.Ask));
    ASSERT_EQ(f.Questions.size(), 1u);
    EXPECT_NE(f.Questions[0].find("Erreur lors de la création d'une copie de sauvegarde"), std::string::npos);
}
