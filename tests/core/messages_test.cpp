// Message routines on the paths that show nothing: silent mode and optional messages switched off;
// the answer store of optional messages; percentages.
#include <gtest/gtest.h>

#include <vector>

#include "classlib/runtime/Exceptions.h"
#include "core/Events.h"
#include "core/Memory.h"
#include "core/Messages.h"
#include "core/OptionalMessages.h"
#include "core/SystemUtils.h"
#include "codecs/JpegImage.h"

namespace {

struct TEventRecorder : TEventHandler {
    void HandleEvent(int32_t event) override { Events.push_back(event); }
    std::vector<int32_t> Events;
};

struct MessagesTest : testing::Test {
    void SetUp() override { OptionalMessageAnswers().SetSize(0); }
    void TearDown() override
    {
        OptionalMessageAnswers().SetSize(0);
        SilentMessages = false;
    }
    TEventRecorder Recorder;
};

} // namespace

TEST_F(MessagesTest, SilentModeAnswersCancelWithoutSoundOrForm)
{
    SilentMessages = true;
    EXPECT_EQ(MessageDlgEx("Voulez-vous||continuer ?", mtConfirmation, mbYesNo), mrCancel);
    EXPECT_EQ(ShowInformation("Terminé."), mrCancel);
    EXPECT_EQ(ShowWarning("Attention."), mrCancel);
    ShowError("Erreur.");
    EXPECT_EQ(MessageDlgWithOption("Texte", mtConfirmation, mbYesNo, 3), mrCancel);
    EXPECT_TRUE(Recorder.Events.empty());
    EXPECT_EQ(PendingMessage.OptionalIndex, NoOptionalMessage);
}

TEST_F(MessagesTest, AMessageSwitchedOffGivesItsRememberedAnswerSilently)
{
    // (index, remembered kind, result): No, Cancel, OK, Yes to all.
    const int cases[][3] = {
        {21, mbNo, mrNo}, {5, mbCancel, mrCancel}, {8, mbOK, mrOk}, {127, mbYesToAll, mrYesToAll}};
    for (const auto& c : cases) {
        SetOptionalMessageAnswer(c[0], static_cast<uint8_t>(c[1] | OptionalMessageOff));
        EXPECT_EQ(MessageDlgWithOption("Question", mtConfirmation, mbYesNoCancel, static_cast<uint8_t>(c[0])),
                  c[2]);
        EXPECT_EQ(PendingMessage.OptionalIndex, NoOptionalMessage);
    }
    EXPECT_TRUE(Recorder.Events.empty()) << "no sound for a message switched off";
}

TEST_F(MessagesTest, AnswerStoreGrowsToEveryIndexThatCanBeAsked)
{
    EXPECT_EQ(OptionalMessageAnswer(100), 0);
    SetOptionalMessageAnswer(127, 0x81);
    TMemory& answers = OptionalMessageAnswers();
    ASSERT_EQ(answers.Size(), 128);
    for (int i = 0; i < 127; ++i)
        EXPECT_EQ(answers.Data()[i], 0) << i;
    EXPECT_TRUE(OptionalMessageSwitchedOff(127));
    SetOptionalMessageAnswer(3, 0x80);
    EXPECT_EQ(answers.Size(), 128);
    EXPECT_TRUE(OptionalMessageSwitchedOff(3));
    SetOptionalMessageAnswer(128, 0x80); // no optional message has that number
    SetOptionalMessageAnswer(-1, 0x80);
    EXPECT_EQ(answers.Size(), 128);
    // A byte naming no button (a damaged setting) does not silence the message; one without bit 7
    // only remembers.
    SetOptionalMessageAnswer(9, 0x8F);
    SetOptionalMessageAnswer(10, 0x01);
    EXPECT_FALSE(OptionalMessageSwitchedOff(9));
    EXPECT_FALSE(OptionalMessageSwitchedOff(10));
}

#ifndef _WIN32
// Without a display the form cannot run: the message goes to the standard error, its sound still
// fires, and the caller sees Cancel.
TEST_F(MessagesTest, WithoutADisplayTheCallerSeesCancel)
{
    EXPECT_EQ(MessageDlgEx("Quillpad a détecté||un problème.", mtWarning, mbYesNo), mrCancel);
    EXPECT_EQ(ShowInformation("Info"), mrCancel);
    MessageDlgEx("Sans son", 4, mbOKOnly);
    EXPECT_EQ(Recorder.Events, (std::vector<int32_t>{1000, 1002}));
}
#endif

TEST(PercentOf, RoundsToTheNearestWithin32Bits)
{
    const int32_t cases[][3] = {{200, 50, 100},
                                {3, 50, 2},
                                {1, 49, 0},
                                {-3, 50, -2},
                                {-1, 49, 0},
                                {INT32_MAX, 200, INT32_MAX},
                                {INT32_MIN, 200, INT32_MIN},
                                {1000, -15, -150}};
    for (const auto& c : cases)
        EXPECT_EQ(PercentOf(c[0], c[1]), c[2]) << c[0] << " " << c[1];
}

TEST(SystemUtils, PhysicalMemoryIsKnown)
{
    EXPECT_GT(TotalPhysicalMemory(), 16u * 1024 * 1024);
}

TEST(SystemUtils, AbsentJpegResourceRaises)
{
    TJPEGImage image;
    EXPECT_THROW(LoadJpegFromResource(image, "NOSUCHPICTURE"), EStreamError);
    EXPECT_TRUE(image.Empty());
}
