// The message routines with their form on the screen, answered by a robot that clicks as a user would.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "classlib/windowing/Dialogs.h"
#include "tests/core/message_robot.h"
#include "core/Events.h"
#include "core/Memory.h"
#include "core/Messages.h"
#include "core/OptionalMessages.h"
#include "core/Options.h"

namespace {

using qptest::TEventRecorder;
using qptest::TRobot;

struct MessageFormTest : testing::Test {
    void SetUp() override
    {
        OptionalMessageAnswers().SetSize(0);
        Application->SetTitle("Quillpad");
    }
    void TearDown() override
    {
        EXPECT_FALSE(Robot.Unexpected) << "a message form showed that the test did not expect";
        OptionalMessageAnswers().SetSize(0);
    }
    TEventRecorder Recorder;
    TRobot Robot{Recorder};
};

} // namespace

TEST_F(MessageFormTest, ReturnsTheButtonPressed)
{
    struct TCase {
        uint16_t Buttons;
        TRobot::TStep Answer;
        int Result;
    } cases[] = {
        {mbYesNoCancel, TRobot::Click(mbNo), mrNo},
        {mbYesNoCancel, TRobot::Click(mbYes), mrYes},
        {MsgDlgButton(mbAbort) | MsgDlgButton(mbRetry) | MsgDlgButton(mbIgnore), TRobot::Click(mbRetry),
         mrRetry},
        {MsgDlgButton(mbRetry) | MsgDlgButton(mbCancel), TRobot::Click(mbCancel), mrCancel},
        {mbOKOnly, TRobot::Key(VK_RETURN), mrOk},
        {mbYesNo, TRobot::Key(VK_RETURN), mrYes},
        {mbYesNo, TRobot::Key(VK_ESCAPE), mrNo},
        {mbYesNoCancel, TRobot::Key(VK_ESCAPE), mrCancel},
        {mbYesNo, TRobot::CloseBox(), mrCancel},
    };
    for (auto& c : cases) {
        Robot.Then(c.Answer);
        EXPECT_EQ(MessageDlgEx("Question ?", mtConfirmation, c.Buttons), c.Result) << c.Buttons;
    }
    ASSERT_EQ(Robot.Seen.size(), std::size(cases));
    EXPECT_EQ(Robot.Seen[0].Buttons, (std::vector<std::string>{"&Oui", "&Non", "Annuler"}));
    EXPECT_EQ(Robot.Seen[2].Buttons, (std::vector<std::string>{"A&bandonner", "&Réessayer", "I&gnorer"}));
}

TEST_F(MessageFormTest, ShowsTheTextWithItsLineBreaksAndAmpersands)
{
    Robot.Then(TRobot::Click(mbOK));
    Robot.Then(TRobot::Click(mbOK));
    EXPECT_EQ(ShowInformation("Première ligne.||Seconde ligne."), mrOk);
    EXPECT_EQ(ShowWarning("Copier & coller"), mrOk);
    ASSERT_EQ(Robot.Seen.size(), 2u);
    EXPECT_EQ(Robot.Seen[0].Caption, "Information");
    EXPECT_EQ(Robot.Seen[0].Text, "Première ligne.\r\nSeconde ligne.");
    EXPECT_EQ(Robot.Seen[1].Caption, "Avertissement");
    EXPECT_EQ(Robot.Seen[1].Text, "Copier && coller"); // shows as one ampersand
    EXPECT_GE(Robot.Seen[0].TextHeight, 2 * Robot.Seen[1].TextHeight - 2);
    EXPECT_EQ(Robot.Seen[0].Buttons, (std::vector<std::string>{"OK"}));
}

TEST_F(MessageFormTest, EachKindSoundsItsEventBeforeShowing)
{
    for (int i = 0; i < 6; ++i)
        Robot.Then(TRobot::Click(mbOK));
    for (uint8_t kind = 0; kind < 5; ++kind)
        EXPECT_EQ(MessageDlgEx("Texte", kind, mbOKOnly), mrOk);
    ShowError("Erreur");
    ASSERT_EQ(Robot.Seen.size(), 6u);
    EXPECT_EQ(Recorder.Events, (std::vector<int32_t>{1000, 1001, 1002, 1003, 1001}));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Robot.Seen[i].EventsBefore, static_cast<size_t>(i + 1)) << "the sound comes first";
    const char* captions[] = {"Avertissement", "Erreur", "Information", "Confirmation", "Quillpad", "Erreur"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Robot.Seen[i].Caption, captions[i]);
    EXPECT_FALSE(Robot.Seen[4].HasIcon); // a kind of its own: no icon, no sound
    EXPECT_TRUE(Robot.Seen[5].HasIcon);
}

TEST_F(MessageFormTest, AnOptionalMessageOnceTickedAnswersWithoutShowing)
{
    const std::string question = "Une ou plusieurs enveloppes sont associées au document actif. Voulez-vous "
                                 "imprimer cette ou ces enveloppes ?";
    Robot.Then(TRobot::Click(mbYes)); // not ticked: asked again next time
    Robot.Then(TRobot::TickAndClick(mbNo));
    Robot.Then(TRobot::Click(mbOK)); // the notice that tells how to get the message back
    EXPECT_EQ(MessageDlgWithOption(question, mtConfirmation, mbYesNo, 18), mrYes);
    EXPECT_EQ(OptionalMessageAnswer(18), 0);
    EXPECT_EQ(MessageDlgWithOption(question, mtConfirmation, mbYesNo, 18), mrNo);
    EXPECT_EQ(OptionalMessageAnswer(18), OptionalMessageOff | mbNo);
    ASSERT_EQ(Robot.Seen.size(), 3u);
    EXPECT_EQ(Robot.Seen[0].CheckBox, "Ne plus &afficher ce message à l'avenir");
    EXPECT_EQ(Robot.Seen[2].Caption, "Information");
    EXPECT_EQ(Robot.Seen[2].CheckBox, "") << "the notice is never optional";
    const std::string notice =
        "Vous avez demandé à Quillpad de ne plus afficher le message précédent.\r\n\r\nVous";
    EXPECT_EQ(Robot.Seen[2].Text.substr(0, notice.size()), notice);
    const size_t events = Recorder.Events.size();

    // From now on: No at once, with neither form nor sound.
    EXPECT_EQ(MessageDlgWithOption(question, mtConfirmation, mbYesNo, 18), mrNo);
    EXPECT_EQ(Robot.Seen.size(), 3u);
    EXPECT_EQ(Recorder.Events.size(), events);
    EXPECT_EQ(PendingMessage.OptionalIndex, NoOptionalMessage);
}

TEST_F(MessageFormTest, TickingAndCancellingRemembersCancel)
{
    Robot.Then(TRobot::TickAndClick(mbCancel));
    Robot.Then(TRobot::Click(mbOK));
    EXPECT_EQ(MessageDlgWithOption("Enregistrer ?", mtConfirmation, mbYesNoCancel, 127), mrCancel);
    EXPECT_EQ(OptionalMessageAnswer(127), OptionalMessageOff | mbCancel);
    EXPECT_EQ(OptionalMessageAnswers().Size(), 128);
    EXPECT_EQ(MessageDlgWithOption("Enregistrer ?", mtConfirmation, mbYesNoCancel, 127), mrCancel);
    EXPECT_EQ(Robot.Seen.size(), 2u);
}

TEST_F(MessageFormTest, OnlyOptionalMessagesOfferTheCheckBox)
{
    Robot.Then(TRobot::Click(mbYes));
    Robot.Then(TRobot::CloseBox()); // closed without a button: nothing to remember
    EXPECT_EQ(MessageDlgEx("Continuer ?", mtConfirmation, mbYesNo), mrYes);
    EXPECT_EQ(MessageDlgWithOption("Continuer ?", mtConfirmation, mbYesNo, 4), mrCancel);
    ASSERT_EQ(Robot.Seen.size(), 2u);
    EXPECT_EQ(Robot.Seen[0].CheckBox, "");
    EXPECT_NE(Robot.Seen[1].CheckBox, "");
    EXPECT_EQ(OptionalMessageAnswer(4), 0);
}

TEST_F(MessageFormTest, CheckingAsYouTypeIsOffWhileAMessageWaitsAndComesBackAfterwards)
{
    uint16_t& flags = CurrentOptions().SpellCheck.Flags;
    const uint16_t saved = flags;
    std::vector<uint16_t> during;
    auto noteAndClick = [&](TMessageForm& form) {
        during.push_back(flags);
        TRobot::Click(mbOK)(form);
    };
    // The main window's follow-up already sees the word restored.
    static uint16_t afterMessage;
    AfterMessageShown = [] { afterMessage = CurrentOptions().SpellCheck.Flags; };
    for (uint16_t before : {uint16_t(0x0D34), uint16_t(0x0934), uint16_t(0xFFFF)}) {
        flags = before;
        Robot.Then(noteAndClick);
        EXPECT_EQ(MessageDlgEx("Texte", mtInformation, mbOKOnly), mrOk);
        EXPECT_EQ(flags, before);
        EXPECT_EQ(afterMessage, before);
        ASSERT_EQ(during.size(), 1u);
        EXPECT_EQ(during.back(), before & ~scoCheckAsYouType) << std::hex << before;
        during.clear();
    }
    AfterMessageShown = nullptr;
    // A message that shows nothing leaves the word as it was too.
    flags = 0x0D34;
    SilentMessages = true;
    MessageDlgEx("Texte", mtInformation, mbOKOnly);
    SilentMessages = false;
    SetOptionalMessageAnswer(7, OptionalMessageOff | mbYes);
    EXPECT_EQ(MessageDlgWithOption("Texte", mtConfirmation, mbYesNo, 7), mrYes);
    EXPECT_EQ(flags, 0x0D34);
    flags = saved;
}

void CALLBACK EndScreenshot(HWND, UINT, UINT_PTR, DWORD)
{
    Application->Terminate();
}

// Not run with the others: shows a French confirmation with its check box for a picture of the screen,
//   bash scripts/screenshot.sh confirmation.png --title Confirmation
//     build/win-x86_64/tests/core_window_tests.exe --gtest_also_run_disabled_tests
//     --gtest_filter=MessageScreenshot.*
// (one command line)
// and ends by itself after 30 s.
TEST(MessageScreenshot, DISABLED_FrenchConfirmationWithOption)
{
    Application->SetTitle("Quillpad");
    SetTimer(nullptr, 0, 30000, EndScreenshot);
    MessageDlgWithOption(
        "Une ou plusieurs enveloppes sont associées au document actif.||Voulez-vous imprimer "
        "cette ou ces enveloppes ?",
        mtConfirmation, mbYesNo, 18);
}
