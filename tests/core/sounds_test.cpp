// The sound manager's choice of a sound for each event, the sound settings file and sound schemes.
#include <gtest/gtest.h>

#include "core/CmdLine.h"
#include "core/Messages.h"
#include "core/Sounds.h"
#include "tests/core/plugin_builder.h"
#include "tests/common/test_support.h"

using namespace qptest;

namespace {

// Settings that no file stands behind: the command line says not to load them.
struct TQuietCommandLine {
    TQuietCommandLine() { SetCommandLineParams({"-dls", "-dss"}); }
    ~TQuietCommandLine() { SetCommandLineParams({}); }
};

std::string SchemeFile(const std::string& name, const std::string& bytes)
{
    const std::string path = ScratchDir() + "/" + name;
    WriteBytes(path, bytes);
    return NativePath(path);
}

} // namespace

TEST(SoundManager, ChoosesOverrideSampleBeepOrSilence)
{
    TQuietCommandLine quiet;
    TSoundManager manager;
    manager.Settings.SoundScheme = SchemeFile(
        "choix.qsc", SoundSignature + SoundElement("OPENDOC", "RIFF-ancien") +
                         SoundElement("NEWDOC", "RIFF-nouveau") + SoundElement("OPENDOC", "RIFF-dernier"));
    manager.Settings.Overrides = {{12000, "C:\\touche.wav"}, {13000, "C:\\clic.wav"}};
    manager.LoadScheme();

    using K = TSoundChoice;
    const struct {
        int32_t Event;
        K::TKind Kind;
        const char* What; // the file, the wave image, or empty
        uint32_t Beep;
    } cases[] = {
        {2020, K::SchemeSample, "RIFF-dernier", 0}, // the later of two samples wins
        {2000, K::SchemeSample, "RIFF-nouveau", 0},
        {12000, K::WaveFile, "C:\\touche.wav", 0},
        {12450, K::WaveFile, "C:\\touche.wav", 0}, // every key shares the default key's entry
        {12470, K::Silent, "", 0},
        {12500, K::Silent, "", 0},
        {13100, K::WaveFile, "C:\\clic.wav", 0},
        {1000, K::SystemBeep, "", 0x30},
        {1001, K::SystemBeep, "", 0x10},
        {1002, K::SystemBeep, "", 0x40},
        {1003, K::SystemBeep, "", 0x20},
        {2040, K::Silent, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Event);
        const TSoundChoice choice = manager.ChooseSound(c.Event);
        EXPECT_EQ(choice.Kind, c.Kind);
        if (c.Kind == K::WaveFile)
            EXPECT_EQ(choice.File, c.What);
        if (c.Kind == K::SchemeSample) {
            ASSERT_TRUE(choice.Image);
            EXPECT_EQ(std::string(choice.Image->begin(), choice.Image->end()), c.What);
        }
        EXPECT_EQ(choice.BeepType, c.Beep);
    }

    // Suspended twice and resumed once: still silent.
    manager.SuspendSounds();
    manager.SuspendSounds();
    manager.ResumeSounds();
    EXPECT_EQ(manager.ChooseSound(1000).Kind, K::Silent);
    manager.ResumeSounds();
    EXPECT_EQ(manager.ChooseSound(1000).Kind, K::SystemBeep);

    // Typing sounds off: only the default key falls silent.
    EXPECT_TRUE(manager.KeySoundsEnabled());
    manager.Settings.DisabledEvents = {12000};
    EXPECT_FALSE(manager.KeySoundsEnabled());
    EXPECT_EQ(manager.ChooseSound(12000).Kind, K::Silent);
    EXPECT_EQ(manager.ChooseSound(12001).Kind, K::WaveFile);
}

TEST(SoundManager, DamagedSchemeAsksAndGoesOnWithoutOne)
{
    TQuietCommandLine quiet;
    TSoundManager manager;
    // A wave that is not a zlib stream plays nothing; the scheme itself is sound.
    manager.Settings.SoundScheme =
        SchemeFile("abime.qsc", SoundSignature + Element("SOUND", Element("EVENT", "NEWDOC") +
                                                                      Element("WAVE", "pas du zlib")));
    manager.LoadScheme();
    ASSERT_EQ(manager.ChooseSound(2000).Kind, TSoundChoice::SchemeSample);
    EXPECT_TRUE(manager.ChooseSound(2000).Image->empty());

    // A scheme whose "SOUND" holds a malformed list: the question, answered Cancel (not No) here,
    // keeps the name; the program goes on with no scheme.
    const std::string bad =
        SchemeFile("faux.qsc", SoundSignature + Element("SOUND", Element("EVENT", "x", 99)));
    manager.Settings.SoundScheme = bad;
    [[maybe_unused]] TMessagesForTest messages;
    PendingMessage.Text.clear();
    manager.LoadScheme();
    EXPECT_TRUE(TMessagesForTest::Shown("est altéré"));
    EXPECT_EQ(manager.Settings.SoundScheme, bad);
    EXPECT_EQ(manager.ChooseSound(1001).Kind, TSoundChoice::SystemBeep);
    EXPECT_FALSE(manager.HasSound(2000));
}

TEST(SoundSettings, RoundTripThroughTheirFileAndSkipEmptyOverrides)
{
    TSoundSettings settings;
    settings.SoundScheme = "C:\\Sons\\Doux.qsc";
    settings.DisabledEvents = {12000, 2040};
    settings.Overrides = {{2020, "C:\\ouvre.wav"}, {13000, "C:\\clic.wav"}};
    const std::string file = NativePath(ScratchDir() + "/Quillpad.qsd");
    settings.Save(file);

    TSoundSettings read;
    read.Load(file);
    EXPECT_EQ(read.SoundScheme, settings.SoundScheme);
    EXPECT_EQ(read.DisabledEvents, settings.DisabledEvents);
    ASSERT_EQ(read.Overrides.size(), 2u);
    EXPECT_EQ(read.GetOverride(2020), "C:\\ouvre.wav");
    EXPECT_EQ(read.GetOverride(13100), "C:\\clic.wav");

    const std::string sparse = ScratchDir() + "/vide.qsd";
    WriteBytes(sparse, "[Overrides]\r\nCount=2\r\n0=2020\r\nWav0=\r\n1=2040\r\nWav1=C:\\f.wav\r\n");
    read.Load(NativePath(sparse));
    ASSERT_EQ(read.Overrides.size(), 1u);
    EXPECT_EQ(read.GetOverride(2040), "C:\\f.wav");
    EXPECT_EQ(read.SoundScheme, "");
}
