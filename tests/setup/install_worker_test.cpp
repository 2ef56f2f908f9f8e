// The installation: the queue of the chosen components with its upgrade steps, the worker that extracts
// it and asks the user through the window's side, and what the log keeps for the uninstaller.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "classlib/windowing/DialogTypes.h"
#include "setup/AttachedFiles.h"
#include "setup/InstallLog.h"
#include "setup/InstallWorker.h"
#include "setup/WorkerChannel.h"
#include "tests/common/test_support.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::string WriteSetup(const std::vector<TPayloadItem>& items)
{
    std::vector<uint8_t> setup = Bytes("MZ stub");
    AppendPayload(setup, items);
    std::string path = qptest::ScratchDir() + "\\setup.exe";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(setup.data()), std::streamsize(setup.size()));
    return path;
}

const std::vector<TPayloadItem> Payload = {
    {"Quillpad.exe", Bytes("programme"), 45000.5},
    {"Licence.txt", Bytes("licence"), 45000.5},
    {"ssce5332.dll", Bytes("moteur"), 45000.5},
    {"French.qsc", Bytes("[Système]"), 45000.5},
    {"francais.zlx", Bytes("lexique"), 45000.5},
    {"persodicfr.tlx", {}, 45000.5},
    {"Exemples\\Lettre.rtf", Bytes("{\\rtf1 lettre}"), 45000.5},
};

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Runs the worker to its end, answering its questions as the wizard would.
uint8_t RunWorker(TAttachedFiles& files, int answer, int& questions)
{
    WorkerChannel.Reopen();
    WorkerChannel.SetState(wsInstalling);
    TInstallThread worker(files);
    for (int i = 0; i < 2000; ++i) {
        uint8_t state = WorkerChannel.State();
        if (state == wsAsking) {
            ++questions;
            WorkerChannel.SetState(wsHeld);
            WorkerChannel.Answer(answer);
        } else if (state == wsFinished || state == wsFailed) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    worker.Join();
    return WorkerChannel.State();
}

class InstallWorkerTest : public testing::Test {
protected:
    void SetUp() override
    {
        InstallLog.Reset();
        PlainMessage = [](const std::string&, uint8_t, uint16_t) { return int(mrCancel); };
    }
    void TearDown() override
    {
        InstallLog.Reset();
        PlainMessage = nullptr;
    }
};

TEST_F(InstallWorkerTest, InstallsTheChosenComponentsAndLogsAllButThePersonalDictionary)
{
    TAttachedFiles files(WriteSetup(Payload));
    std::string d = qptest::ScratchDir() + "\\Quillpad";
    // An older installation's engine driver goes; an installer's leftovers go.
    CreateDirectoryA(d.c_str(), nullptr);
    std::ofstream(d + "\\Unwise.exe") << "x";
    InstallLog.Open(d);
    BuildInstallQueue(files, d, 1 | 4, "");
    EXPECT_TRUE(files.Queue(5).empty()) << "examples not chosen";
    EXPECT_EQ(files.TotalQueuedSize(), 9u + 7u + 6u + 9u + 7u + 0u);
    int questions = 0;
    EXPECT_EQ(RunWorker(files, mrCancel, questions), wsFinished);
    EXPECT_EQ(questions, 0);
    EXPECT_EQ(WorkerChannel.BytesDone.load(), files.TotalQueuedSize());
    for (const char* f :
         {"\\Quillpad.exe", "\\Licence.txt", "\\Orthographe\\Bin\\ssce5332.dll", "\\Orthographe\\French.qsc",
          "\\Orthographe\\Lex\\francais.zlx", "\\Orthographe\\Lex\\persodicfr.tlx"})
        EXPECT_TRUE(Exists(d + f)) << f;
    EXPECT_FALSE(Exists(d + "\\Unwise.exe"));
    EXPECT_FALSE(Exists(d + "\\Exemples"));
    std::vector<std::string> lines = InstallLog.Lines();
    auto logged = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(logged("File Copy: " + d + "\\Quillpad.exe"));
    EXPECT_TRUE(logged("Made Dir: " + d + "\\Orthographe\\Lex"));
    EXPECT_TRUE(logged("File Copy: " + d + "\\Orthographe\\Lex\\francais.zlx"));
    EXPECT_FALSE(logged("File Copy: " + d + "\\Orthographe\\Lex\\persodicfr.tlx"));

    // A second installation over the first replaces nothing up to date and never the French system.
    std::ofstream(d + "\\Orthographe\\French.qsc") << "réglages de l'utilisateur";
    BuildInstallQueue(files, d, 1 | 4, "");
    EXPECT_EQ(files.TotalQueuedSize(), 0u);
}

TEST_F(InstallWorkerTest, AFailedFileAsksThroughTheWindowSideAndAbortStopsTheWorker)
{
    TAttachedFiles files(WriteSetup(Payload));
    for (int answer : {mrIgnore, mrAbort}) {
        std::string d = qptest::ScratchDir() + "\\Quillpad";
        // A folder stands where the program file should go.
        ASSERT_TRUE(CreateDirectoryA(d.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((d + "\\Quillpad.exe").c_str(), nullptr));
        InstallLog.Open(d);
        BuildInstallQueue(files, d, 1 | 32, "");
        int questions = 0;
        uint8_t end = RunWorker(files, answer, questions);
        EXPECT_EQ(questions, 1);
        if (answer == mrIgnore) {
            EXPECT_EQ(end, wsFinished);
            EXPECT_TRUE(Exists(d + "\\Exemples\\Lettre.rtf"));
        } else {
            EXPECT_EQ(end, wsFailed);
            EXPECT_FALSE(Exists(d + "\\Licence.txt")) << "nothing after the aborted file";
        }
    }
}

TEST_F(InstallWorkerTest, AQuestionAfterTheWizardHasGoneIsAnsweredAbortAtOnce)
{
    TAttachedFiles files(WriteSetup(Payload));
    std::string d = qptest::ScratchDir() + "\\Quillpad";
    ASSERT_TRUE(CreateDirectoryA(d.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((d + "\\Quillpad.exe").c_str(), nullptr));
    BuildInstallQueue(files, d, 1, "");
    WorkerChannel.Reopen();
    WorkerChannel.Close();
    WorkerChannel.SetState(wsInstalling);
    TInstallThread worker(files);
    worker.Join();
    EXPECT_EQ(WorkerChannel.State(), wsFailed);
    WorkerChannel.Reopen();
}

TEST_F(InstallWorkerTest, SavingWritesTheInstallationKeyTheUninstallEntryAndTheLog)
{
    std::string d = qptest::ScratchDir() + "\\Quillpad";
    CreateDirectoryA(d.c_str(), nullptr);
    InstallLog.Open(d);
    InstallLog.Add("File Copy: " + d + "\\Quillpad.exe");
    TInstallChoices choices;
    choices.Destination = d;
    choices.ComponentLetters = "ACDH";
    choices.CreateGroup = false;
    SaveInstallation(choices);
    TInstallChoices back = ReadInstallChoices();
    EXPECT_EQ(back.Destination, d);
    EXPECT_EQ(back.ComponentLetters, "ACDH");
    EXPECT_FALSE(back.CreateGroup);
    EXPECT_EQ(back.Group, "Quillpad");
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, UninstallKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    char value[512] = {};
    DWORD size = sizeof(value);
    RegQueryValueExA(key, "UninstallString", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    EXPECT_EQ(std::string(value), "\"" + d + "\\Quillpad.exe\" -ui");
    EXPECT_EQ(qptest::ReadFileBytes(d + "\\Install.log"), "File Copy: " + d + "\\Quillpad.exe\r\n");
    RegDeleteKeyA(HKEY_CURRENT_USER, InstallKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, UninstallKey);
}

} // namespace
