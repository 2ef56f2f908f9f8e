// The save commands as a person runs them: the program's save dialog answered through its controls, the
// file written and the document's name, coding, modified flag and recent files after; backups kept; a
// full disk and a read-only folder leaving the old file as it was and saying so.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <fstream>

#include "classlib/runtime/Files.h"
#include "core/Codings.h"
#include "core/FileSys.h"
#include "editing/OperationParams.h"
#include "formats/save/Backups.h"
#include "formats/save/SaveCommands.h"
#include "tests/core/message_robot.h"
#include "tests/shell/command_fixture.h"

using qptest::ReadFileBytes;

namespace {

// Answers the program's file dialog of a title when it shows: notes what its folder strip holds, types
// a name, picks a filter and presses OK.
class TFileDialogDriver {
public:
    TFileDialogDriver(std::string title, std::string fileName, int filterIndex)
        : Title(std::move(title)), FileName(std::move(fileName)), FilterIndex(filterIndex)
    {
        Current = this;
        Timer = SetTimer(nullptr, 0, 100, Tick);
    }
    ~TFileDialogDriver()
    {
        KillTimer(nullptr, Timer);
        Current = nullptr;
    }

    std::string Title, FileName;
    int FilterIndex;
    bool Seen = false;
    std::string Texts; // the texts of the dialog's controls, one a line
    std::vector<std::string> FolderItems;

private:
    static BOOL CALLBACK Collect(HWND child, LPARAM data)
    {
        auto* driver = reinterpret_cast<TFileDialogDriver*>(data);
        char text[512] = "", cls[64] = "";
        GetWindowTextA(child, text, sizeof text);
        GetClassNameA(child, cls, sizeof cls);
        driver->Texts += std::string(text) + "\n";
        // The program's folder list is the drop-down list of its child dialog.
        if (lstrcmpiA(cls, "ComboBox") == 0 && GetDlgCtrlID(child) == 2001) {
            const int count = static_cast<int>(SendMessageA(child, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) {
                SendMessageA(child, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
                driver->FolderItems.push_back(text);
            }
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        TFileDialogDriver* driver = Current;
        if (!driver || driver->Seen)
            return;
        HWND dialog = FindWindowA("#32770", driver->Title.c_str());
        if (!dialog || !IsWindowVisible(dialog))
            return;
        driver->Seen = true;
        EnumChildWindows(dialog, Collect, reinterpret_cast<LPARAM>(driver));
        if (driver->FileName.empty()) {
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        if (HWND types = GetDlgItem(dialog, 1136)) {
            SendMessageA(types, CB_SETCURSEL, static_cast<WPARAM>(driver->FilterIndex - 1), 0);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1136, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(types));
        }
        HWND name = GetDlgItem(dialog, 1152);
        if (!name)
            name = GetDlgItem(dialog, 1148);
        SetWindowTextA(name, driver->FileName.c_str());
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    }

    static inline TFileDialogDriver* Current = nullptr;
    UINT_PTR Timer = 0;
};

struct SaveCommands : CommandFixture {
    // A copy of a fixture in the test's folder, opened in a window, with a word typed at its start.
    TDocument* OpenCopy(const std::string& name)
    {
        Folder = qptest::ScratchDir();
        Original = ReadFileBytes(qptest::DataPath("rtf/caracteres-lo.rtf"));
        const std::string path = Folder + "\\" + name;
        std::ofstream(path, std::ios::binary) << Original;
        TDocument* doc = Open(path);
        Type(*doc, "Ajout ");
        return doc;
    }
    static void Type(TDocument& doc, const std::string& text)
    {
        doc.SetCaret(0, 0, 0, 4);
        TInsertTextParams params;
        params.Text = text;
        ExecuteOperation(doc, params);
    }
    std::string Folder, Original;
};

} // namespace

TEST_F(SaveCommands, SaveAsThroughTheDialogTakesNameCodingAndRecentFiles)
{
    TDocument* doc = OpenCopy("lettre.rtf");
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(doc->IsModified());
    const std::string target = Folder + "\\copie.rtf";
    TFileDialogDriver driver("Enregistrer sous", target, TCodingManager::CodingToSaveFilterIndex(cdRtf));
    CommandManager().ExecuteCommand(200);
    Pump();
    ASSERT_TRUE(driver.Seen);
    // The program's strip under the standard controls: the folder list and its commands.
    EXPECT_NE(driver.Texts.find("Dossiers :"), std::string::npos) << driver.Texts;
    ASSERT_FALSE(driver.FolderItems.empty());
    EXPECT_EQ(driver.FolderItems.back(), "Modifier la liste...");

    EXPECT_EQ(doc->FileName, target);
    EXPECT_EQ(doc->Coding, cdRtf);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(doc->GetModeFlag(mfNoOwnFile));
    const std::string written = ReadFileBytes(target);
    EXPECT_EQ(written.rfind("{\\rtf1", 0), 0u) << written.substr(0, 40);
    EXPECT_NE(written.find("Ajout "), std::string::npos);
    // The old file is as it was; the new name heads the recent files, its folder the dialog's history.
    EXPECT_EQ(ReadFileBytes(Folder + "\\lettre.rtf"), Original);
    EXPECT_EQ(Holder->Owners.FileLists[0].Names.front(), target);
    EXPECT_EQ(Holder->Owners.FileLists[2].Names.front(), Folder + "\\");
    EXPECT_NE(doc->Window->Caption().find("copie.rtf"), std::string::npos);
    // The document keeps its new file open: another program may read it but not write it.
    EXPECT_EQ(FileSys::CopyOneFile(target, Folder + "\\lu.rtf", true), true);
    HANDLE writer = CreateFileA(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    if (writer != INVALID_HANDLE_VALUE)
        CloseHandle(writer);
}

TEST_F(SaveCommands, ACancelledDialogChangesNothing)
{
    TDocument* doc = OpenCopy("lettre.rtf");
    const std::string name = doc->FileName;
    TFileDialogDriver driver("Enregistrer sous", "", 1);
    CommandManager().ExecuteCommand(200);
    Pump();
    ASSERT_TRUE(driver.Seen);
    EXPECT_EQ(doc->FileName, name);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(ReadFileBytes(name), Original);
}

TEST_F(SaveCommands, SaveWritesInPlaceAndBacksUpTheOldVersionOnce)
{
    TDocument* doc = OpenCopy("lettre.rtf");
    CurrentOptions().LoadSave.CreateBackup = true;
    CurrentOptions().LoadSave.Backup_SepFolders = false;
    CurrentOptions().LoadSave.Backup_MinDiff = 2;
    Holder->BackupFolder = Folder + "\\Sauvegardes\\";
    const std::string name = doc->FileName;
    CommandManager().ExecuteCommand(180);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->FileName, name);
    EXPECT_NE(ReadFileBytes(name).find("Ajout "), std::string::npos);
    Type(*doc, "Encore ");
    CommandManager().ExecuteCommand(180);
    EXPECT_NE(ReadFileBytes(name).find("Encore Ajout "), std::string::npos);
    // Two saves within the minimum age: one backup, of the version that was on disk before the first.
    const std::vector<TBackupFile> backups = ListBackups(Holder->BackupFolder, name);
    ASSERT_EQ(backups.size(), 1u) << backups[0].Path << " " << backups.back().Path;
    EXPECT_EQ(ReadFileBytes(backups[0].Path), Original);
    // Only the document and its backup folder are there: no file was left beside them.
    EXPECT_EQ(FileSys::ListFolder(Folder).size(), 2u);
}

TEST_F(SaveCommands, SaveSelectionWritesOnlyTheSelection)
{
    TDocument* doc = OpenCopy("lettre.rtf");
    doc->Selection = TTextRange{TextPosAt(0, 0), TextPosAt(0, 5)};
    const std::string target = Folder + "\\extrait.rtf";
    TFileDialogDriver driver("Enregistrer la sélection dans un fichier", target,
                             TCodingManager::CodingToSaveFilterIndex(cdRtf));
    EXPECT_TRUE(SaveSelectionToFile(*doc, {}));
    const std::string written = ReadFileBytes(target);
    EXPECT_EQ(written.rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(written.find("\\pard Ajout}"), std::string::npos) << written;
    // The document itself is as it was.
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->FileName, Folder + "\\lettre.rtf");
}

// A small disk that the save fills, and a read-only one (folders the test script mounts; skipped where
// it cannot).
TEST_F(SaveCommands, AFullDiskOrAReadOnlyFolderLeavesTheOldFileAndSaysSo)
{
    const char* small = std::getenv("QP_SMALL_DISK");
    const char* readOnly = std::getenv("QP_READONLY_DISK");
    if (!small || !readOnly)
        GTEST_SKIP() << "needs the folders of scripts/small-disk-test.sh";
    SilentMessages = false;
    qptest::TEventRecorder events;
    for (const std::string& folder : {qptest::NativePath(small), qptest::NativePath(readOnly)}) {
        const std::string name = folder + "\\ancien.rtf";
        const std::string old = ReadFileBytes(name);
        ASSERT_FALSE(old.empty()) << name;
        TDocument* doc = Open(qptest::DataPath("rtf/caracteres-lo.rtf"));
        // Far more text than the small disk holds.
        Type(*doc, std::string(200000, 'x'));
        const size_t before = FileSys::ListFolder(folder).size();
        qptest::TRobot robot(events);
        robot.Then(qptest::TRobot::Click(mbCancel)); // the write or the creation failed: give up
        robot.Then(qptest::TRobot::Click(mbOK));     // the old file was not changed
        EXPECT_EQ(SaveDocumentAs(*doc, name, false), scFailed);
        ASSERT_EQ(robot.Seen.size(), 2u) << folder;
        EXPECT_NE(robot.Seen[0].Text.find("ancien.rtf"), std::string::npos) << robot.Seen[0].Text;
        EXPECT_NE(robot.Seen[1].Text.find("n'a pas été modifié"), std::string::npos) << robot.Seen[1].Text;
        EXPECT_FALSE(robot.Unexpected);
        EXPECT_EQ(ReadFileBytes(name), old);
        EXPECT_EQ(FileSys::ListFolder(folder).size(), before);
        // The document keeps its own name and stays modified.
        EXPECT_NE(doc->FileName, name);
        EXPECT_TRUE(doc->IsModified());
        Dispatcher->CloseDocument(doc, false);
    }
    SilentMessages = true;
}
