// French spelling through the program's spell-check systems, on the engine and the dictionary of the build.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "classlib/runtime/Files.h"
#include "core/Messages.h"
#include "tests/common/test_support.h"
#include "tests/tools/french_system.h"
#include "tools/SpellCheckSystem.h"
#include "tools/SpellEngine.h"
#include "tools/SpellWordRules.h"

namespace {

// Nothing stops for a question here: every message answers Cancel unseen.
class FrenchSpelling : public testing::Test {
protected:
    void SetUp() override
    {
        SilentMessages = true;
        ASSERT_TRUE(LoadBuildSpellEngine());
    }
    void TearDown() override { SilentMessages = false; }
};

std::vector<std::string> Entries(const char* buffer, size_t size)
{
    return ReadEntryList(buffer, static_cast<int32_t>(size));
}

} // namespace

TEST_F(FrenchSpelling, EngineBesideTheSystemIsLoadedOnceAndAMissingOneIsReported)
{
    EXPECT_TRUE(SpellEngineLoaded());
    EXPECT_TRUE(LoadSpellCheckEngine("Z:\\nulle\\part\\French.qsc")); // loaded already: nothing to do
    EXPECT_NE(TSpellCheckSystem::SpellCheckEngineVersionText().find("\r\nVersion 1.0\r\n"),
              std::string::npos);
}

TEST_F(FrenchSpelling, FrenchWordsAcceptedAndMisspellingsGetSuggestions)
{
    TSpellCheckSystem system(MakeFrenchSystem(qptest::ScratchDir()));
    system.Start();
    ASSERT_TRUE(system.Running);
    char buffer[2066];
    for (const char* word :
         {"bonjour", "été", "élève", "cœur", "coeur", "œuvre", "oeuvre", "EDITION", "Écrire"})
        EXPECT_EQ(system.Suggest(word, 0x40C, buffer, sizeof buffer), skAccepted) << word;
    EXPECT_EQ(system.Suggest("bonjuor", 0x40C, buffer, sizeof buffer), skRejected);
    auto list = Entries(buffer, sizeof buffer);
    EXPECT_NE(std::find(list.begin(), list.end(), "bonjour"), list.end());
    // A caller that wants no suggestions gets the kind alone.
    EXPECT_EQ(system.Suggest("bonjuor", 0x40C, nullptr, 0), skRejected);
    system.Stop();
}

TEST_F(FrenchSpelling, WordAddedToThePersonalDictionaryIsAcceptedAfterARestart)
{
    const std::string folder = qptest::ScratchDir();
    const std::string file = MakeFrenchSystem(folder);
    {
        TSpellCheckSystem system(file);
        system.Start();
        ASSERT_TRUE(system.Running);
        EXPECT_EQ(system.CheckWord("Quillpad", 0x40C), SSCE_WORD_REJECTED);
        int perso = static_cast<int>(system.EditableLexicons.Objects(0));
        ASSERT_GE(perso, 0);
        EXPECT_FALSE(SpellCheckEngineError(system.AddToLex(perso, SSCE_ACTION_ACCEPT, "", "Quillpad")));
        EXPECT_EQ(system.CheckWord("Quillpad", 0x40C), 0);
    }
    EXPECT_EQ(qptest::ReadFileBytes(folder + "\\Lex\\perso.tlx"), "Quillpad\r\n");
    TSpellCheckSystem again(file);
    again.Start();
    ASSERT_TRUE(again.Running);
    EXPECT_EQ(again.CheckWord("Quillpad", 0x40C), 0);
    TStringList lines;
    again.GetLexiconText(static_cast<int>(again.EditableLexicons.Objects(0)), lines);
    EXPECT_EQ(lines.Text(), "Quillpad\r\n");
}

TEST_F(FrenchSpelling, DamagedLexiconLeavesTheSystemRunningOnTheOthers)
{
    const std::string folder = qptest::ScratchDir();
    ForceDirectories(folder + "\\Lex");
    const std::string zlx = qptest::ReadFileBytes(qptest::BuildBinPath("Orthographe/Lex/francais.zlx"));
    std::ofstream(folder + "\\Lex\\abime.zlx", std::ios::binary) << zlx.substr(0, zlx.size() / 2);
    TSpellCheckSystem system(MakeFrenchSystem(folder, {"abime.zlx"}));
    system.Start();
    ASSERT_TRUE(system.Running);
    EXPECT_LT(system.FixedLexicons.Objects(1), 0);
    EXPECT_EQ(system.CheckWord("bonjour", 0x40C), 0);
    // Only the good lexicon's inflated copy exists, and none after the stop.
    ASSERT_EQ(system.TempFiles.Count(), 1);
    const std::string copy = system.TempFiles[0];
    system.Stop();
    EXPECT_FALSE(FileExists(copy));
}
