// The wizard walked page by page over a small payload: the steps of each page, the installation on its
// worker, and the command line it builds for the installed program.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>

#include "classlib/windowing/DialogTypes.h"
#include "setup/AttachedFiles.h"
#include "setup/InstallLog.h"
#include "setup/Wizard.h"
#include "setup/WorkerChannel.h"
#include "tests/common/test_support.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

class WizardTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::vector<uint8_t> setup = Bytes("MZ stub");
        AppendPayload(setup, {{"Quillpad.exe", Bytes("programme"), 45000.5},
                              {"Licence.txt", Bytes("Accord\nde licence"), 45000.5},
                              {"French.qsc", Bytes("[Système]"), 45000.5}});
        std::string path = qptest::ScratchDir() + "\\setup.exe";
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(setup.data()), std::streamsize(setup.size()));
        PlainMessage = [this](const std::string& text, uint8_t, uint16_t) {
            Shown.push_back(text);
            return int(mrOk);
        };
        AttachedFiles = new TAttachedFiles(path);
        InstallLog.Reset();
    }
    void TearDown() override
    {
        delete AttachedFiles;
        AttachedFiles = nullptr;
        PlainMessage = nullptr;
        InstallLog.Reset();
    }
    std::vector<std::string> Shown;
};

TEST_F(WizardTest, WalksThePagesInstallsAndBuildsTheProgramsCommandLine)
{
    TMainDlgForm wizard(nullptr);
    bool running = true;
    wizard.ProgramRunning = [&] { return running; };
    std::string d = qptest::ScratchDir() + "\\Quillpad";
    EXPECT_EQ(wizard.Page(), 0);
    // The licence waits for the running copy to end.
    wizard.ShowPage(0, 1);
    EXPECT_EQ(wizard.Page(), 0);
    ASSERT_EQ(Shown.size(), 1u);
    running = false;
    Shown.clear();
    wizard.ShowPage(0, 1);
    EXPECT_EQ(wizard.LicenceText->Text(), "Accord\r\nde licence");
    wizard.ShowPage(1, 2);
    // The last installation's choices come from the registry, which another test program may be writing
    // at the same time: the box is ticked here.
    wizard.GroupBox->SetChecked(true);
    // A start-menu folder name of blanks is refused.
    wizard.GroupEdit->SetText("   ");
    wizard.ShowPage(2, 3);
    EXPECT_EQ(wizard.Page(), 2);
    ASSERT_EQ(Shown.size(), 1u);
    wizard.GroupEdit->SetText(" Quillpad ");
    wizard.ShowPage(2, 3);
    EXPECT_EQ(wizard.Page(), 3);
    EXPECT_EQ(wizard.Choices.Group, "Quillpad");
    wizard.DestinationEdit->SetText(d);
    wizard.ShowPage(3, 4);
    EXPECT_EQ(wizard.ComponentList->Sizes[0].back(), 'o');
    // Only the program and the French spell checker.
    for (int i = 1; i < 8; ++i)
        wizard.ComponentList->SetState(i, i == 2 ? 1 : 0);
    wizard.ShowPage(4, 5);
    wizard.ShowPage(5, 6);
    ASSERT_EQ(wizard.Page(), 6);
    for (int i = 0; i < 400 && wizard.Page() == 6; ++i) {
        Application->ProcessMessages();
        Sleep(10);
    }
    ASSERT_EQ(wizard.Page(), 7);
    wizard.JoinWorker();
    EXPECT_EQ(qptest::ReadFileBytes(d + "\\Quillpad.exe"), "programme");
    EXPECT_EQ(qptest::ReadFileBytes(d + "\\Orthographe\\French.qsc"), "[Système]");
    wizard.TypeBoxes[0]->SetChecked(true);
    wizard.TypeBoxes[1]->SetChecked(false);
    wizard.TypeBoxes[2]->SetChecked(true);
    EXPECT_EQ(wizard.ProgramArguments(), "-assoc rtf_doc -iscs \"" + d + "\\Orthographe\\French.qsc\"");
    wizard.TypeBoxes[0]->SetChecked(false);
    wizard.TypeBoxes[2]->SetChecked(false);
    wizard.Mask = 1 | 8;
    EXPECT_EQ(wizard.ProgramArguments(), " -iscs \"" + d + "\\Orthographe\\English (American).qsc;" + d +
                                             "\\Orthographe\\English (British).qsc;\"");
}

// Closing the wizard while it installs: "No" lets the installation go on to its end; "Abandonner" stops
// it after the file being written, with every written file logged and no partial file left.
TEST_F(WizardTest, ClosingDuringTheInstallationAsksAndStopsAfterTheCurrentFile)
{
    std::vector<TPayloadItem> items;
    std::string noise(1 << 18, '\0');
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 2654435761u) >> 13);
    items.push_back({"Quillpad.exe", Bytes(noise), 45000.5});
    for (int i = 0; i < 60; ++i)
        items.push_back({"Exemples\\Exemple " + std::to_string(i) + ".rtf", Bytes(noise), 45000.5});
    std::vector<uint8_t> setup = Bytes("MZ stub");
    AppendPayload(setup, items);
    std::string path = qptest::ScratchDir() + "\\gros.exe";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(setup.data()), std::streamsize(setup.size()));
    delete AttachedFiles;
    AttachedFiles = new TAttachedFiles(path);

    for (int answer : {mrNo, mrAbort}) {
        InstallLog.Reset();
        TMainDlgForm wizard(nullptr);
        wizard.ProgramRunning = [] { return false; };
        std::string d = qptest::ScratchDir() + "\\Quillpad";
        wizard.DestinationEdit->SetText(d);
        wizard.ShowPage(3, 4);
        wizard.ShowPage(4, 5);
        wizard.ShowPage(5, 6);
        Shown.clear();
        PlainMessage = [&](const std::string& text, uint8_t, uint16_t) {
            Shown.push_back(text);
            return answer;
        };
        wizard.Close();
        ASSERT_EQ(Shown.size(), 1u);
        EXPECT_EQ(Shown[0].substr(0, 34), "L'installation n'est pas terminée!");
        for (int i = 0; i < 1000 && wizard.Page() == 6 && WorkerChannel.State() != wsFinished; ++i) {
            Application->ProcessMessages();
            Sleep(5);
        }
        wizard.JoinWorker();
        int files = 0;
        for (int i = 0; i < 60; ++i)
            files += GetFileAttributesA((d + "\\Exemples\\Exemple " + std::to_string(i) + ".rtf").c_str()) !=
                     INVALID_FILE_ATTRIBUTES;
        int logged = 0;
        for (const std::string& line : InstallLog.Lines())
            logged += line.rfind("File Copy: " + d + "\\Exemples\\", 0) == 0;
        EXPECT_EQ(logged, files);
        if (answer == mrNo)
            EXPECT_EQ(files, 60);
        else
            EXPECT_LT(files, 60);
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((d + "\\Exemples\\~qp*").c_str(), &data);
        EXPECT_EQ(find, INVALID_HANDLE_VALUE) << "a temporary file was left";
        if (find != INVALID_HANDLE_VALUE)
            FindClose(find);
    }
}

} // namespace
