// Spell-check systems over a stand-in engine: the system file, starting with its lexicons, the messages of
// missing and damaged lexicons, the list of systems, and the binding's additions to the engine's answers.
#include <gtest/gtest.h>

#include <fstream>

#include "classlib/runtime/Files.h"
#include "core/IniFile.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "core/ProgramFolder.h"
#include "tests/common/test_support.h"
#include "tests/tools/stand_in_spell_engine.h"
#include "codecs/LexiconEnvelope.h"
#include "tools/SpellCheck.h"
#include "tools/SpellCheckSystem.h"
#include "tools/SpellEngine.h"

namespace {

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> Shown;

// A system folder of its own for each test: "<dir>/French.qsc" and its lexicons under "<dir>/Lex/".
class SpellSystem : public testing::Test {
protected:
    void SetUp() override
    {
        Engine = &UseStandInEngine();
        Dir = qptest::ScratchDir() + PathDelim;
        ForceDirectories(Dir + "Lex");
        WriteFile(Dir + "Lex/francais.zlx",
                  CompressLexicon("bonjour\r\nmaison\r\nhaus\r\ntuer\r\nausi\taussi\r\n"));
        WriteFile(Dir + "Lex/persodicfr.tlx", "Quillpad\r\n");
        WriteSystem(0x40C, {"francais.zlx"}, {"persodicfr.tlx"});
        Shown.clear();
        AfterMessageShown = [] { Shown.push_back(PendingMessage.Text); };
        CurrentOptions().SpellCheck = TSC_SpellCheckSystemSettings();
    }
    void TearDown() override { AfterMessageShown = nullptr; }

    void WriteSystem(int32_t language, std::vector<std::string> fixed, std::vector<std::string> editable,
                     const std::string& name = "French.qsc")
    {
        std::string text = "[General]\r\nLanguage=" + std::to_string(language) +
                           "\r\nDescription=Fran\xE7"
                           "ais\r\n";
        for (auto* list : {&fixed, &editable}) {
            text += list == &fixed ? "[Fixed Lexicons]\r\n" : "[Editable Lexicons]\r\n";
            text += "Count=" + std::to_string(list->size()) + "\r\n";
            for (size_t i = 0; i < list->size(); ++i)
                text += "Lexicon" + std::to_string(i + 1) + "=" + (*list)[i] + "\r\n";
        }
        WriteFile(Dir + name, text);
    }

    TStandInEngine* Engine = nullptr;
    std::string Dir;
};

bool ShownContains(const std::string& text)
{
    for (const std::string& s : Shown)
        if (s.find(text) != std::string::npos)
            return true;
    return false;
}

} // namespace

TEST(SpellCheckSettings, SystemListDropsEmptyAndRepeatedNames)
{
    TSC_Settings settings;
    settings.LoadSystemList("French.qsc;;FRENCH.QSC;Deutsch.qsc;");
    ASSERT_EQ(settings.Systems.Count(), 2);
    EXPECT_EQ(settings.Systems[0], "French.qsc");
    EXPECT_EQ(settings.Systems[1], "Deutsch.qsc");
    EXPECT_EQ(settings.SystemListText(), "French.qsc;Deutsch.qsc;");
}

TEST_F(SpellSystem, SystemFileIsReadAndWrittenBack)
{
    TSpellCheckSystem system(Dir + "French.qsc");
    ASSERT_TRUE(system.LoadSettings(true));
    EXPECT_EQ(system.Language, 0x40C);
    EXPECT_EQ(system.Description, "Fran\xE7"
                                  "ais");
    ASSERT_EQ(system.FixedLexicons.Count(), 1);
    EXPECT_EQ(system.FixedLexicons[0], "francais.zlx");
    EXPECT_EQ(system.EditableLexicons[0], "persodicfr.tlx");
    EXPECT_EQ(system.LanguageFlags, 0x7FFFFFFF);

    system.EditableLexicons.Add("autre.tlx");
    system.SaveSettings();
    TIniFile ini(Dir + "French.qsc", false);
    ini.OpenSection("Editable Lexicons");
    EXPECT_EQ(ini.ReadInteger("Count", 0, 100, 0), 2);
    EXPECT_EQ(ini.ReadString("Lexicon2", ""), "autre.tlx");
    ini.OpenSection("General");
    EXPECT_EQ(ini.ReadInteger("Language", 0, 0x7FFFFFFF, 0), 0x40C);

    TSpellCheckSystem missing(Dir + "Absent.qsc");
    EXPECT_FALSE(missing.LoadSettings(false));
    EXPECT_TRUE(Shown.empty());
    EXPECT_FALSE(missing.LoadSettings(true));
    EXPECT_TRUE(ShownContains("Impossible d'ouvrir le fichier \"" + ProgramFolder() + "Orthographe"));
}

TEST_F(SpellSystem, StartOpensTheLexiconsAndStopDeletesTheInflatedCopies)
{
    CurrentOptions().SpellCheck.Flags = 0x0D3F;
    TSpellCheckSystem system(Dir + "French.qsc");
    system.Start();
    ASSERT_TRUE(system.Running);
    EXPECT_TRUE(Shown.empty());
    ASSERT_EQ(system.TempFiles.Count(), 1);
    const std::string copy = system.TempFiles[0];
    EXPECT_TRUE(FileExists(copy));
    EXPECT_EQ(Engine->LexiconFiles[static_cast<int>(system.FixedLexicons.Objects(0))], copy);
    EXPECT_GE(system.EditableLexicons.Objects(0), 0);
    EXPECT_GE(system.ExceptionLexicon, 0);
    EXPECT_EQ(system.CheckWord("bonjour", 0x40C), 0);
    EXPECT_EQ(system.CheckWord("Quillpad", 0x40C), 0);

    // The options, in their order, with mixed case left to the program.
    const std::vector<std::pair<uint32_t, uint32_t>> expected = {
        {1, 1},     {8, 1},      {4, 1},      {2, 0},    {0x200, 1}, {0x400, 0},
        {0x800, 0}, {0x1000, 0}, {0x2000, 0}, {0x20, 0}, {0x40, 1}};
    EXPECT_EQ(Engine->Options, expected);
    EXPECT_EQ(system.Settings.Flags, 0x0D37);

    system.Stop();
    EXPECT_FALSE(system.Running);
    EXPECT_FALSE(FileExists(copy));
    EXPECT_FALSE(Engine->SessionOpen);
    EXPECT_EQ(system.ExceptionLexicon, -1);
}

TEST_F(SpellSystem, MissingAndDamagedLexiconsEndInFrenchMessages)
{
    WriteFile(Dir + "Lex/abime.zlx", CompressLexicon("mot\r\n").substr(0, 9));
    WriteFile(Dir + "Lex/abime.tlx", "DAMAGED");
    WriteSystem(0x40C, {"francais.zlx", "abime.zlx", "absent.zlx", "/nulle/part/abime.tlx"}, {"perdu.tlx"});
    TSpellCheckSystem system(Dir + "French.qsc");
    system.Start();
    ASSERT_TRUE(system.Running);
    for (const char* name : {"abime.zlx", "absent.zlx", "/nulle/part/abime.tlx"})
        EXPECT_TRUE(ShownContains(
            std::string("Impossible de charger le dictionnaire \"") + name +
            "\".\r\nSouhaitez-vous conserver ce dictionnaire et renouveler votre tentative plus tard ?"))
            << name;
    // Kept (the answer was not No), each with its failed id, and no inflated copy of the damaged one.
    ASSERT_EQ(system.FixedLexicons.Count(), 4);
    EXPECT_LT(system.FixedLexicons.Objects(1), 0);
    EXPECT_LT(system.FixedLexicons.Objects(2), 0);
    EXPECT_EQ(system.TempFiles.Count(), 1);
    // The lexicon named in a folder that does not exist was looked for under "Lex/".
    EXPECT_TRUE(ShownContains("abime.tlx"));

    // A missing personal dictionary is created anew, and the user told so in French.
    EXPECT_TRUE(FileExists(Dir + "Lex/perdu.tlx"));
    EXPECT_GE(system.EditableLexicons.Objects(0), 0);
    EXPECT_TRUE(ShownContains("Votre dictionnaire personnel \"perdu.tlx\" est introuvable."));
}

TEST_F(SpellSystem, LexiconsAddedAndRemoved)
{
    TSpellCheckSystem system(Dir + "French.qsc");
    system.Start();
    EXPECT_EQ(system.AddLexicon(Dir + "Lex/../Lex/francais.zlx", almFixed) >= 0, true);
    EXPECT_EQ(system.AddLexicon("PERSODICFR.TLX", almEditable), -1); // listed already (case ignored)
    EXPECT_EQ(system.AddLexicon("francais.zlx", almEditable), -1);
    const std::string created = Dir + "Lex/nouveau.tlx";
    int id = system.AddLexicon(created, almEditableCreated);
    EXPECT_GE(id, 0);
    EXPECT_TRUE(FileExists(created));
    EXPECT_EQ(system.EditableLexicons.Count(), 2);
    EXPECT_TRUE(system.Modified);
    EXPECT_EQ(system.AddToLex(id, SSCE_ACTION_ACCEPT, "", "zorglub"), 0);
    EXPECT_EQ(system.CheckWord("zorglub", 0x40C), 0);
    system.RemoveLexicon(1, true);
    EXPECT_EQ(system.EditableLexicons.Count(), 1);
    EXPECT_EQ(system.CheckWord("zorglub", 0x40C), SSCE_WORD_REJECTED);
    EXPECT_EQ(ExtractFileName(TSpellCheckSystem::NewPersonalDictionaryName()), "Mon dictionnaire 1.tlx");
}

TEST_F(SpellSystem, SuggestGivesKindsSuggestionsAndTheDepthOfTheQuality)
{
    Engine->Suggestions["bonjuor"] = {"bonsoir", "bonjour", "Bonjour"};
    TSpellCheckSystem system(Dir + "French.qsc");
    system.Start();
    char buffer[2066];
    EXPECT_EQ(system.Suggest("bonjour", 0x40C, buffer, sizeof buffer), skAccepted);
    EXPECT_EQ(system.Suggest("ausi", 0x40C, buffer, sizeof buffer), skReplace);
    EXPECT_STREQ(buffer, "aussi");
    for (uint8_t quality : {0, 1, 2}) {
        CurrentOptions().SpellCheck.SuggestQuality = quality;
        system.Restart();
        EXPECT_EQ(system.Suggest("bonjuor", 0x40C, buffer, sizeof buffer), skRejected);
        EXPECT_EQ(Engine->LastDepth, 25 * (quality + 1));
    }
    // Tidied: the near entry first, the capitalised twin of a lower-case word dropped.
    std::vector<std::string> list;
    for (const char* p = buffer; *p; p += strlen(p) + 1)
        list.push_back(p);
    EXPECT_EQ(list, (std::vector<std::string>{"bonjour", "bonsoir"}));
}

TEST_F(SpellSystem, CompoundWordsAreAcceptedInCompoundLanguagesOnly)
{
    TSpellCheckSystem system(Dir + "French.qsc");
    system.Start();
    char buffer[64];
    EXPECT_EQ(system.Suggest("haustuer", 0x407, buffer, sizeof buffer), skAccepted);
    EXPECT_EQ(system.Suggest("haus-tuer", 0x407, buffer, sizeof buffer), skRejected);
    EXPECT_EQ(system.Suggest("haustuer", 0x40C, buffer, sizeof buffer), skRejected);
    // Case sensitivity is off during the split test only.
    EXPECT_EQ(Engine->Options.back(), (std::pair<uint32_t, uint32_t>{0x200, 1}));
    system.Settings.Flags |= scoSplitInEveryLanguage;
    EXPECT_EQ(system.Suggest("haustuer", 0x40C, buffer, sizeof buffer), skAccepted);
}

TEST_F(SpellSystem, CzechLexiconsAreMappedInMemoryAndTheFileKeptInTheProgramsCodePage)
{
    const std::string perso = "\x9E"
                              "ena\r\n";
    WriteFile(Dir + "Lex/ceske.tlx", perso);
    WriteSystem(0x405, {"francais.zlx"}, {"ceske.tlx"}, "Czech.qsc");
    TSpellCheckSystem system(Dir + "Czech.qsc");
    system.Start();
    ASSERT_TRUE(system.Running);
    int lex = static_cast<int>(system.EditableLexicons.Objects(0));
    // The engine sees the engine's form; the file is left as it was.
    EXPECT_EQ(Engine->Lexicons[lex].count("\xEE"
                                          "ena"),
              1u);
    EXPECT_EQ(qptest::ReadFileBytes(Dir + "Lex/ceske.tlx"), perso);
    char buffer[64];
    EXPECT_EQ(system.Suggest("\x9E"
                             "ena",
                             0x405, buffer, sizeof buffer),
              skAccepted);

    EXPECT_EQ(system.AddToLex(lex, SSCE_ACTION_ACCEPT, "",
                              "\x8A"
                              "koda"),
              0);
    EXPECT_EQ(Engine->Lexicons[lex].count("\xC6"
                                          "koda"),
              1u);
    EXPECT_EQ(qptest::ReadFileBytes(Dir + "Lex/ceske.tlx"), "\x8A"
                                                            "koda\r\n\x9E"
                                                            "ena\r\n");
    TStringList lines;
    system.GetLexiconText(lex, lines);
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines[0], "\x8A"
                        "koda");
    system.Stop();
    EXPECT_EQ(qptest::ReadFileBytes(Dir + "Lex/ceske.tlx"), "\x8A"
                                                            "koda\r\n\x9E"
                                                            "ena\r\n");
    EXPECT_EQ(system.TempFiles.Count(), 0);
}

TEST_F(SpellSystem, EngineErrorsAndListingsAndVersion)
{
    TSpellCheckSystem system(Dir + "French.qsc");
    system.Start();
    EXPECT_TRUE(SpellCheckEngineError(
        system.DelFromLex(static_cast<int>(system.EditableLexicons.Objects(0)), "absent")));
    EXPECT_TRUE(ShownContains("Erreur interne au vérificateur orthographique (-7)."));
    EXPECT_FALSE(SpellCheckEngineError(0));

    TStringList lines;
    system.GetLexiconText(static_cast<int>(system.FixedLexicons.Objects(0)), lines);
    EXPECT_GE(lines.IndexOf("ausi   --->   aussi"), 0);
    const std::string head = "Sentry Spelling-Checker Engine (SSCE)\r\nVersion 9.9\r\n";
    EXPECT_EQ(TSpellCheckSystem::SpellCheckEngineVersionText().substr(0, head.size()), head);
}

TEST_F(SpellSystem, SystemsAreFoundByLanguageThenByPrimaryLanguage)
{
    WriteSystem(0x407, {"francais.zlx"}, {}, "Deutsch.qsc");
    TSC_Settings& settings = SpellCheckSettings();
    settings.LoadSystemList(Dir + "French.qsc;" + Dir + "Deutsch.qsc;" + Dir + "Absent.qsc");
    FreeSpellCheckManager();
    TSpellCheckManager* manager = SpellCheckManager();
    ASSERT_EQ(manager->Systems.size(), 3u);
    EXPECT_TRUE(manager->HasSystemForLanguage(0x80C));
    EXPECT_FALSE(manager->HasSystemForLanguage(0x409));

    TSpellCheckSystem* belgian = manager->GetSystem(0x80C, false);
    ASSERT_NE(belgian, nullptr);
    EXPECT_EQ(belgian->Language, 0x40C);
    EXPECT_FALSE(belgian->Running);

    // Starting: the system that cannot be read is offered for removal (kept: the answer was not No).
    TSpellCheckSystem* german = manager->GetSystem(0x407, true);
    ASSERT_NE(german, nullptr);
    EXPECT_TRUE(german->Running);
    EXPECT_TRUE(ShownContains("Impossible de démarrer le vérificateur orthographique"));
    EXPECT_EQ(manager->Systems.size(), 3u);

    int generation = manager->CheckGeneration;
    manager->RestartSystems();
    EXPECT_EQ(manager->CheckGeneration, generation + 1);
    FreeSpellCheckManager();
    settings.Systems.Clear();
}
