// The save commands as a person runs them: the program's save dialog answered through its controls, the
// file written and the document's name, coding, modified flag and recent files after; backups kept; a
// full disk and a read-only folder leaving the old file as it was and saying so.
#include <gtest/gtest.h>

#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>

#include "classlib/runtime/Files.h"
#include "core/Codings.h"
#include "core/DataFolder.h"
#include "core/Events.h"
#include "core/FileSys.h"
#include "core/PathUtils.h"
#include "editing/OperationParams.h"
#include "formats/save/Backups.h"
#include "formats/save/PictureFiles.h"
#include "codecs/PNG.h"
#include "document/DocObjects.h"
#include "formats/save/SaveCommands.h"
#include "shell/DocumentZip.h"
#include "tests/core/message_robot.h"
#include "tests/shell/command_fixture.h"

using qptest::ReadFileBytes;

namespace {

// Answers the program's file dialog of a title each time it shows, with the next of its answers (a name
// and a filter; an empty name cancels): notes what its folder strip holds, picks the filter, types the
// name and presses OK.
class TFileDialogDriver {
public:
    TFileDialogDriver(std::string title, std::string fileName, int filterIndex) : Title(std::move(title))
    {
        Then(std::move(fileName), filterIndex);
        Current = this;
        Timer = SetTimer(nullptr, 0, 100, Tick);
    }
    ~TFileDialogDriver()
    {
        KillTimer(nullptr, Timer);
        Current = nullptr;
    }
    void Then(std::string fileName, int filterIndex)
    {
        Answers.push_back({std::move(fileName), filterIndex});
    }

    std::string Title;
    bool Seen = false;
    int Shown = 0;
    std::string Texts; // the texts of the dialog's controls, one a line
    std::vector<std::string> FolderItems;
    std::vector<std::string> ProposedNames; // the name field at each showing

private:
    struct TAnswer {
        std::string FileName;
        int FilterIndex;
    };
    static BOOL CALLBACK Collect(HWND child, LPARAM data)
    {
        auto* driver = reinterpret_cast<TFileDialogDriver*>(data);
        char text[512] = "", cls[64] = "";
        GetWindowTextA(child, text, sizeof text);
        GetClassNameA(child, cls, sizeof cls);
        driver->Texts += std::string(text) + "\n";
        // The program's folder list is the drop-down list of its child dialog.
        if (lstrcmpiA(cls, "ComboBox") == 0 && GetDlgCtrlID(child) == 2001) {
            driver->FolderItems.clear();
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
        if (!driver)
            return;
        HWND dialog = FindWindowA("#32770", driver->Title.c_str());
        if (!dialog || !IsWindowVisible(dialog) || dialog == driver->LastDialog)
            return;

        driver->LastDialog = dialog;
        driver->Seen = true;
        const size_t answer = static_cast<size_t>(driver->Shown++);
        driver->Texts.clear();
        EnumChildWindows(dialog, Collect, reinterpret_cast<LPARAM>(driver));
        HWND name = GetDlgItem(dialog, 1152);
        if (!name)
            name = GetDlgItem(dialog, 1148);
        char proposed[MAX_PATH] = "";
        GetWindowTextA(name, proposed, sizeof proposed);
        driver->ProposedNames.push_back(proposed);
        if (answer >= driver->Answers.size() || driver->Answers[answer].FileName.empty()) {
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        const TAnswer& a = driver->Answers[answer];
        if (HWND types = GetDlgItem(dialog, 1136)) {
            SendMessageA(types, CB_SETCURSEL, static_cast<WPARAM>(a.FilterIndex - 1), 0);
            // What a choice in the list sends: the selection changed, then confirmed.
            for (WORD code : {WORD(CBN_SELCHANGE), WORD(CBN_SELENDOK)})
                SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1136, code), reinterpret_cast<LPARAM>(types));
        }
        SetWindowTextA(name, a.FileName.c_str());
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    }

    static inline TFileDialogDriver* Current = nullptr;
    std::vector<TAnswer> Answers;
    HWND LastDialog = nullptr;
    UINT_PTR Timer = 0;
};

// The entries of a zip archive by stored name, each inflated (empty when the archive cannot be read).
std::map<std::string, std::string> ZipEntries(const std::string& archive)
{
    std::map<std::string, std::string> entries;
    const std::string zip = ReadFileBytes(archive);
    const auto u16 = [&zip](size_t at) {
        return uint32_t(uint8_t(zip[at])) | uint32_t(uint8_t(zip[at + 1])) << 8;
    };
    const auto u32 = [&u16](size_t at) { return u16(at) | u16(at + 2) << 16; };
    if (zip.size() < 22 || u32(zip.size() - 22) != 0x06054B50)
        return entries;
    size_t at = u32(zip.size() - 22 + 16);
    for (uint32_t n = u16(zip.size() - 22 + 10); n > 0 && at + 46 <= zip.size(); --n) {
        const uint32_t packed = u32(at + 20), size = u32(at + 24), nameLength = u16(at + 28);
        const size_t local = u32(at + 42);
        const std::string name = zip.substr(at + 46, nameLength);
        at += 46 + nameLength + u16(at + 30) + u16(at + 32);
        const size_t data = local + 30 + u16(local + 26) + u16(local + 28);
        std::string out(size, '\0');
        z_stream z{};
        inflateInit2(&z, -15);
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zip.data() + data));
        z.avail_in = packed;
        z.next_out = reinterpret_cast<Bytef*>(out.data());
        z.avail_out = size;
        const int result = inflate(&z, Z_FINISH);
        inflateEnd(&z);
        entries[name] = result == Z_STREAM_END ? out : "(damaged)";
    }
    return entries;
}

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
    // The typed word keeps the format of the text it was typed into.
    EXPECT_NE(written.find(" Ajout}"), std::string::npos) << written;
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

// Another type chosen in the dialog's filter: the name takes its extension, the file its format, and the
// document its coding; the formatting question is answered as the user does.
TEST_F(SaveCommands, AnotherTypeChosenInTheFilterWritesThatFormat)
{
    TDocument* doc = OpenCopy("lettre.rtf");
    SilentMessages = false;
    qptest::TEventRecorder events;
    qptest::TRobot robot(events);
    robot.Then(qptest::TRobot::Click(mbYes)); // formatting will be lost: save as text all the same
    TFileDialogDriver driver("Enregistrer sous", Folder + "\\texte",
                             TCodingManager::CodingToSaveFilterIndex(cdAnsiText));
    CommandManager().ExecuteCommand(200);
    Pump();
    SilentMessages = true;
    EXPECT_EQ(driver.Shown, 1);
    EXPECT_EQ(driver.ProposedNames[0], "lettre.rtf");
    for (const qptest::TSeenForm& seen : robot.Seen)
        EXPECT_NE(seen.Text.find("seront perdus"), std::string::npos) << seen.Text;
    const std::string target = Folder + "\\texte.txt";
    EXPECT_EQ(doc->FileName, target);
    EXPECT_EQ(doc->Coding, cdAnsiText);
    EXPECT_FALSE(doc->IsModified());
    const std::string written = ReadFileBytes(target);
    EXPECT_EQ(written.rfind("Ajout ", 0), 0u) << written.substr(0, 40);
    EXPECT_EQ(written.find("{\\rtf"), std::string::npos);
    EXPECT_NE(doc->Window->Caption().find("texte.txt"), std::string::npos);
    EXPECT_EQ(std::count(events.Events.begin(), events.Events.end(), 2060), 1);
}

// Save as template through its command: a name outside the templates folder is refused with the
// information and the dialog again; the copy goes into the folder and the document keeps its name.
TEST_F(SaveCommands, SaveAsTemplateWritesACopyIntoTheTemplatesFolder)
{
    TDocument* doc = OpenCopy("lettre.rtf");
    SetDataFolder(Folder);
    const std::string templates = TemplatesFolder();
    SilentMessages = false;
    qptest::TEventRecorder events;
    qptest::TRobot robot(events);
    robot.Then(qptest::TRobot::Click(mbOK));
    TFileDialogDriver driver("Enregistrer comme modèle", Folder + "\\ailleurs.rtf",
                             TCodingManager::CodingToSaveFilterIndex(cdRtf));
    driver.Then(templates + "Lettre type", TCodingManager::CodingToSaveFilterIndex(cdRtf));
    CommandManager().ExecuteCommand(205);
    Pump();
    SilentMessages = true;
    SetDataFolder("");
    EXPECT_EQ(driver.Shown, 2);
    ASSERT_EQ(robot.Seen.size(), 1u);
    EXPECT_NE(robot.Seen[0].Text.find("dossier suivant"), std::string::npos) << robot.Seen[0].Text;
    EXPECT_NE(robot.Seen[0].Text.find(templates), std::string::npos) << robot.Seen[0].Text;
    EXPECT_FALSE(FileExists(Folder + "\\ailleurs.rtf"));
    const std::string written = ReadFileBytes(templates + "Lettre type.rtf");
    EXPECT_EQ(written.rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(written.find("Ajout "), std::string::npos);
    // The document is still itself: its name, file and changes.
    EXPECT_EQ(doc->FileName, Folder + "\\lettre.rtf");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(ReadFileBytes(doc->FileName), Original);
    EXPECT_EQ(std::count(events.Events.begin(), events.Events.end(), 2060), 1);
}

// Save all: every changed document written in place, the event once.
TEST_F(SaveCommands, SaveAllWritesEveryDocument)
{
    TDocument* first = OpenCopy("un.rtf");
    const std::string folder = Folder;
    const std::string second = folder + "\\deux.rtf";
    std::ofstream(second, std::ios::binary) << Original;
    TDocument* other = Open(second);
    Type(*other, "Deux ");
    qptest::TEventRecorder events;
    CommandManager().ExecuteCommand(220);
    EXPECT_FALSE(first->IsModified());
    EXPECT_FALSE(other->IsModified());
    EXPECT_NE(ReadFileBytes(folder + "\\un.rtf").find("Ajout "), std::string::npos);
    EXPECT_NE(ReadFileBytes(second).find("Deux "), std::string::npos);
    EXPECT_EQ(std::count(events.Events.begin(), events.Events.end(), 2060), 1);
}

// Zip all: the name proposed for the open documents, each put in under its own name, a changed one as it
// stands now; Zip of the active document alone proposes its name.
TEST_F(SaveCommands, ZipCommandsPackTheOpenDocuments)
{
    TDocument* changed = OpenCopy("un.rtf");
    const std::string folder = Folder;
    const std::string second = folder + "\\deux.rtf";
    std::ofstream(second, std::ios::binary) << Original;
    TDocument* kept = Open(second);
    ASSERT_FALSE(kept->IsModified());
    {
        TFileDialogDriver driver("Tout compresser (Zip)", folder + "\\tous.zip", 1);
        CommandManager().ExecuteCommand(225);
        Pump();
        ASSERT_EQ(driver.Shown, 1);
        EXPECT_EQ(driver.ProposedNames[0], "2_documents.zip");
    }
    std::map<std::string, std::string> entries = ZipEntries(folder + "\\tous.zip");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries["deux.rtf"], Original);
    EXPECT_EQ(entries["un.rtf"].rfind("{\\rtf1", 0), 0u)
        << entries["un.rtf"].size() << " [" << entries["un.rtf"].substr(0, 60) << "]";
    EXPECT_NE(entries["un.rtf"].find("Ajout "), std::string::npos);
    // The documents are as they were, and no temporary copy is left.
    EXPECT_TRUE(changed->IsModified());
    EXPECT_EQ(ReadFileBytes(folder + "\\un.rtf"), Original);

    {
        TFileDialogDriver driver("Compresser (Zip)", folder + "\\seul.zip", 1);
        CommandManager().ExecuteCommand(202);
        Pump();
        ASSERT_EQ(driver.Shown, 1);
        EXPECT_EQ(driver.ProposedNames[0], "deux.zip");
    }
    entries = ZipEntries(folder + "\\seul.zip");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries["deux.rtf"], Original);
    // A cancelled dialog writes nothing.
    {
        TFileDialogDriver driver("Compresser (Zip)", "", 1);
        CommandManager().ExecuteCommand(202);
        Pump();
        EXPECT_EQ(driver.Shown, 1);
    }
    EXPECT_EQ(FileSys::ListFolder(folder).size(), 4u);
}

// Zip and send: the archive written in the temporary folder under the name of what is sent, handed to the
// mail program, then deleted; without a mail program (as under Wine), a message says so.
TEST_F(SaveCommands, ZipAndSendHandsTheArchiveToTheMailProgram)
{
    OpenCopy("un.rtf");
    const std::string folder = Folder;
    const std::string second = folder + "\\deux.rtf";
    std::ofstream(second, std::ios::binary) << Original;
    Open(second);
    std::vector<std::pair<std::string, std::string>> sent;
    std::vector<std::map<std::string, std::string>> archives;
    MailSender() = [&](const std::string& paths, const std::string& names) {
        sent.emplace_back(paths, names);
        archives.push_back(ZipEntries(paths));
        return true;
    };
    qptest::TEventRecorder events;
    CommandManager().ExecuteCommand(325);
    CommandManager().ExecuteCommand(305);
    MailSender() = nullptr;
    ASSERT_EQ(sent.size(), 2u);
    const std::string temp = IncludeTrailingPathDelimiter(GetTempFolder());
    EXPECT_EQ(sent[0], std::make_pair(temp + "2_docs.zip", std::string("2_docs.zip")));
    EXPECT_EQ(sent[1], std::make_pair(temp + "deux.zip", std::string("deux.zip")));
    ASSERT_EQ(archives[0].size(), 2u);
    EXPECT_NE(archives[0]["un.rtf"].find("Ajout "), std::string::npos);
    ASSERT_EQ(archives[1].size(), 1u);
    EXPECT_EQ(archives[1]["deux.rtf"], Original);
    EXPECT_FALSE(FileExists(sent[0].first));
    EXPECT_FALSE(FileExists(sent[1].first));
    EXPECT_EQ(std::count(events.Events.begin(), events.Events.end(), 2120), 2);

    // The system's own mail interface: none is set up under Wine.
    SilentMessages = false;
    {
        qptest::TRobot robot(events);
        robot.Then(qptest::TRobot::Click(mbOK));
        CommandManager().ExecuteCommand(305);
        ASSERT_EQ(robot.Seen.size(), 1u);
        EXPECT_NE(robot.Seen[0].Text.find("Aucun système de messagerie"), std::string::npos)
            << robot.Seen[0].Text;
    }
    SilentMessages = true;
    EXPECT_FALSE(FileExists(temp + "deux.zip"));
}

// The selected picture saved through its command in each of the seven formats: the dialog proposes the
// name that continues the user's numbering, and each file is of its format (a JPEG picture keeps its
// own bytes, a PNG one its pixels).
TEST_F(SaveCommands, SaveThePictureInEveryFormat)
{
    Folder = qptest::ScratchDir();
    const std::string path = Folder + "\\images.rtf";
    std::ofstream(path, std::ios::binary) << ReadFileBytes(qptest::DataPath("rtf/images-lo.rtf"));
    TDocument* doc = Open(path);
    ASSERT_NE(doc, nullptr);
    // Nothing selected: the information, and no dialog.
    SilentMessages = false;
    qptest::TEventRecorder events;
    {
        qptest::TRobot robot(events);
        robot.Then(qptest::TRobot::Click(mbOK));
        CommandManager().ExecuteCommand(3700);
        ASSERT_EQ(robot.Seen.size(), 1u);
        EXPECT_NE(robot.Seen[0].Text.find("Sélectionnez une image"), std::string::npos);
    }
    SilentMessages = true;
    CurrentOptions().Internal.PictureNamePattern = "Image%s.%s";
    CurrentOptions().Internal.SavePict_Index = 1;
    Holder->Owners.SavePictDlgFilter = 1;
    const char* const magic[] = {"BM", nullptr, "\xD7\xCD\xC6\x9A", "\xFF\xD8\xFF", "GIF8", "\x89PNG", "II*"};
    int lastNumber = -1, lastFormat = 0;
    for (int picture : {0, 1})
        for (int format = 0; format < pfFormatCount; ++format) {
            // The picture of the paragraph selected alone.
            for (int at = 0; at < doc->ParagraphLength(picture); ++at) {
                doc->Selection = TTextRange{TextPosAt(picture, at), TextPosAt(picture, at + 1)};
                if (doc->IsObjectSelected())
                    break;
            }
            ASSERT_TRUE(doc->IsObjectSelected()) << picture;
            const std::string name = Folder + "\\photo" + std::to_string(7 + picture * 10 + format);
            TFileDialogDriver driver("Enregistrer l'image sous", name, format + 1);
            CommandManager().ExecuteCommand(3700);
            Pump();
            ASSERT_EQ(driver.Shown, 1);
            // The proposal continues the numbering of the name chosen last, with the format chosen last.
            EXPECT_EQ(driver.ProposedNames[0], lastNumber < 0 ? std::string("Image1.bmp")
                                                              : "photo" + std::to_string(lastNumber + 1) +
                                                                    "." + PictureFileExtension(lastFormat));
            lastNumber = 7 + picture * 10 + format;
            lastFormat = format;
            const std::string written = ReadFileBytes(name + "." + PictureFileExtension(format));
            ASSERT_GT(written.size(), 8u) << name << " " << format;
            if (format == pfEmf)
                EXPECT_EQ(written.substr(40, 4), " EMF");
            else
                EXPECT_EQ(written.rfind(magic[format], 0), 0u) << format;
            TDocObjectImage& image = *doc->GetObjectAt(doc->Selection.StartPos)->Image;
            if (format == pfJpeg && picture == 1) {
                ASSERT_FALSE(image.JpegBytes.empty());
                EXPECT_EQ(written, std::string(image.JpegBytes.begin(), image.JpegBytes.end()));
            }
            if (format == pfPng || format == pfTiff || format == pfBmp) {
                // The pixels of the picture, as the program reads them back.
                TPNGImage original;
                const std::vector<uint8_t> png = image.GetPngBytes();
                ASSERT_TRUE(DecodePng(png.data(), png.size(), original));
                if (format == pfPng) {
                    TPNGImage back;
                    ASSERT_TRUE(
                        DecodePng(reinterpret_cast<const uint8_t*>(written.data()), written.size(), back));
                    ASSERT_EQ(back.GetWidth(), original.GetWidth());
                    for (int y = 0; y < back.GetHeight(); ++y)
                        for (int x = 0; x < back.GetWidth(); ++x)
                            ASSERT_EQ(back.GetPixelColor(x, y), original.GetPixelColor(x, y))
                                << x << "," << y;
                }
            }
        }
    EXPECT_EQ(CurrentOptions().Internal.PictureNamePattern, "photo%s.%s");
    EXPECT_EQ(CurrentOptions().Internal.SavePict_Index, 7 + 10 + pfFormatCount);
    EXPECT_EQ(Holder->Owners.SavePictDlgFilter, pfFormatCount);
    EXPECT_FALSE(doc->IsModified());
}

// Save as insert: the name proposed from the selected words, the inserts folder and its pictures
// folder made, a name outside it refused with the warning and the dialog again.
TEST_F(SaveCommands, SaveTheSelectionAsAnInsert)
{
    TDocument* doc = OpenCopy("lettre.rtf");
    const std::string inserts = Folder + "\\Inserts";
    CurrentOptions().ClipLib.Folder = inserts;
    doc->Selection = TTextRange{TextPosAt(0, 0), TextPosAt(0, 6)}; // "Ajout "
    SilentMessages = false;
    qptest::TEventRecorder events;
    qptest::TRobot robot(events);
    robot.Then(qptest::TRobot::Click(mbOK));
    TFileDialogDriver driver("Enregistrer comme insert", Folder + "\\dehors.rtf",
                             TCodingManager::CodingToSaveFilterIndex(cdRtf));
    driver.Then(inserts + "\\Ajout.rtf", TCodingManager::CodingToSaveFilterIndex(cdRtf));
    CommandManager().ExecuteCommand(5250);
    Pump();
    SilentMessages = true;
    ASSERT_EQ(driver.Shown, 2);
    EXPECT_EQ(driver.ProposedNames[0], "Ajout.rtf");
    ASSERT_EQ(robot.Seen.size(), 1u);
    EXPECT_NE(robot.Seen[0].Text.find("Les inserts doivent être placés"), std::string::npos)
        << robot.Seen[0].Text;
    EXPECT_TRUE(DirectoryExists(inserts + "\\Images"));
    EXPECT_FALSE(FileExists(Folder + "\\dehors.rtf"));
    const std::string written = ReadFileBytes(inserts + "\\Ajout.rtf");
    EXPECT_NE(written.find(" Ajout }"), std::string::npos) << written;
    EXPECT_TRUE(doc->IsModified());
}
