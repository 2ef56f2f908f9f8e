// Opening links and files through the shell: mail addresses, internet addresses, documents and files,
// with the confirmation answered by the message robot and the shell replaced by a recorder.
#include <gtest/gtest.h>

#include "core/Memory.h"
#include "core/Messages.h"
#include "core/OptionalMessages.h"
#include "core/Options.h"
#include "core/ShellUtils.h"
#include "tests/core/message_robot.h"

namespace {

using qptest::TEventRecorder;
using qptest::TRobot;

std::string ClipboardText()
{
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

struct OpenLinkTest : testing::Test {
    void SetUp() override
    {
        OptionalMessageAnswers().SetSize(0);
        LinkOpeners = {};
        LinkOpeners.ShellOpen = [this](const std::string& target) {
            Opened.push_back(target);
            return ShellSucceeds;
        };
    }
    void TearDown() override
    {
        EXPECT_FALSE(Robot.Unexpected) << "a message form showed that the test did not expect";
        LinkOpeners = {};
        OptionalMessageAnswers().SetSize(0);
        CurrentOptions().LoadSave.OpenHLinksInPlace = false;
    }
    std::vector<std::string> Opened;
    bool ShellSucceeds = true;
    TEventRecorder Recorder;
    TRobot Robot{Recorder};
};

} // namespace

TEST_F(OpenLinkTest, MailAndInternetAddressesOpenWithoutQuestion)
{
    EXPECT_TRUE(OpenInBrowser("nom@exemple.fr"));
    EXPECT_TRUE(OpenInBrowser("mailto:nom@exemple.fr"));
    EXPECT_TRUE(OpenInBrowser("http://exemple.fr/page"));
    EXPECT_TRUE(OpenInBrowser("C:\\Images\\photo.png"));
    EXPECT_TRUE(OpenInBrowser("C:\\Web\\page.htm"));
    EXPECT_EQ(Opened, (std::vector<std::string>{"MAILTO:nom@exemple.fr", "mailto:nom@exemple.fr",
                                                "http://exemple.fr/page", "C:\\Images\\photo.png",
                                                "C:\\Web\\page.htm"}));
    EXPECT_TRUE(Robot.Seen.empty());
}

TEST_F(OpenLinkTest, FailuresAreReportedAndTheAddressGoesToTheClipboard)
{
    ShellSucceeds = false;
    Robot.Then(TRobot::Click(mbOK));
    EXPECT_FALSE(OpenInBrowser("www.exemple.fr"));
    EXPECT_EQ(ClipboardText(), "www.exemple.fr");
    Robot.Then(TRobot::Click(mbOK));
    EXPECT_FALSE(OpenInBrowser("nom@exemple.fr"));
    Robot.Then(TRobot::Click(mbYes));
    Robot.Then(TRobot::Click(mbOK));
    EXPECT_FALSE(OpenInBrowser("C:\\absent\\notes.txt"));
    ASSERT_EQ(Robot.Seen.size(), 4u);
    EXPECT_NE(Robot.Seen[0].Text.find("navigateur Internet"), std::string::npos);
    EXPECT_NE(Robot.Seen[0].Text.find("www.exemple.fr"), std::string::npos);
    EXPECT_NE(Robot.Seen[1].Text.find("gestionnaire de courrier"), std::string::npos);
    EXPECT_NE(Robot.Seen[2].Text.find("Voulez-vous toujours ouvrir ce fichier"), std::string::npos);
    EXPECT_NE(Robot.Seen[3].Text.find("Impossible d'ouvrir \"C:\\absent\\notes.txt\""), std::string::npos);
}

TEST_F(OpenLinkTest, OtherFilesAreConfirmedAndARememberedYesNeverCoversPrograms)
{
    Robot.Then(TRobot::Click(mbNo));
    EXPECT_FALSE(OpenInBrowser("C:\\Docs\\tableau.xls"));
    EXPECT_TRUE(Opened.empty());
    ASSERT_EQ(Robot.Seen.size(), 1u);
    EXPECT_FALSE(Robot.Seen[0].CheckBox.empty()); // the user may stop this question for documents

    // The user answered Yes and asked not to be asked again.
    SetOptionalMessageAnswer(15, OptionalMessageOff | mbYes);
    EXPECT_TRUE(OpenInBrowser("C:\\Docs\\tableau.xls"));
    EXPECT_EQ(Robot.Seen.size(), 1u);

    // A program is asked about every time, without the box that would stop the question.
    Robot.Then(TRobot::Click(mbNo));
    EXPECT_FALSE(OpenInBrowser("C:\\Téléchargements\\setup.EXE"));
    Robot.Then(TRobot::Click(mbYes));
    EXPECT_TRUE(OpenInBrowser("C:\\Téléchargements\\script.vbs"));
    ASSERT_EQ(Robot.Seen.size(), 3u);
    EXPECT_TRUE(Robot.Seen[1].CheckBox.empty());
    EXPECT_EQ(Opened, (std::vector<std::string>{"C:\\Docs\\tableau.xls", "C:\\Téléchargements\\script.vbs"}));
}

TEST_F(OpenLinkTest, DocumentsOpenInTheProgram)
{
    std::vector<std::string> shown, documents, pictures;
    LinkOpeners.ShowOpenDocument = [&](const std::string& p) {
        shown.push_back(p);
        return p == "C:\\ouvert.rtf";
    };
    LinkOpeners.OpenDocument = [&](const std::string& p) { documents.push_back(p); };
    LinkOpeners.OpenPictureInNewDocument = [&](const std::string& p) { pictures.push_back(p); };
    EXPECT_TRUE(OpenInBrowser("C:\\ouvert.rtf"));
    CurrentOptions().LoadSave.OpenHLinksInPlace = true;
    EXPECT_TRUE(OpenInBrowser("C:\\lettre.doc"));
    EXPECT_TRUE(OpenInBrowser("C:\\photo.JPG"));
    EXPECT_EQ(shown.size(), 3u);
    EXPECT_EQ(documents, std::vector<std::string>{"C:\\lettre.doc"});
    EXPECT_EQ(pictures, std::vector<std::string>{"C:\\photo.JPG"});
    EXPECT_TRUE(Opened.empty());
    EXPECT_TRUE(Robot.Seen.empty());
}

TEST(ExecutableFileTypes, ByExtension)
{
    EXPECT_TRUE(IsExecutableFileType("C:\\a\\setup.exe"));
    EXPECT_TRUE(IsExecutableFileType("run.BAT"));
    EXPECT_TRUE(IsExecutableFileType("x.Lnk"));
    // Documents that carry macros and the other script kinds run code too.
    for (const char* name :
         {"rapport.docm", "modele.DOTM", "calc.xlsm", "diapo.pptm", "a.vb", "a.wsc", "a.psm1"})
        EXPECT_TRUE(IsExecutableFileType(name)) << name;
    EXPECT_FALSE(IsExecutableFileType("rapport.docx"));
    EXPECT_FALSE(IsExecutableFileType("lettre.rtf"));
    EXPECT_FALSE(IsExecutableFileType("exe"));
    EXPECT_FALSE(IsExecutableFileType("C:\\dossier.exe\\lettre"));
}
