// The spell-check systems the build ships, through the program's systems and the engine: the American and
// British ones, the French one with its three lexicons, and the place-name and proper-name lexicons alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "classlib/runtime/Files.h"
#include "core/Messages.h"
#include "tests/common/test_support.h"
#include "tools/SpellCheckSystem.h"
#include "tools/SpellEngine.h"

namespace {

constexpr int32_t American = 0x409, British = 0x809, French = 0x40C;

class ShippedSystems : public testing::Test {
protected:
    void SetUp() override
    {
        SilentMessages = true;
        ASSERT_TRUE(LoadSpellCheckEngine(qptest::BuildBinPath("Orthographe/French.qsc")));
    }
    void TearDown() override { SilentMessages = false; }

    // Starts the system of a file of the build's "Orthographe" folder; every fixed lexicon must open.
    static void StartShipped(TSpellCheckSystem& system, int fixedLexicons)
    {
        system.Start();
        ASSERT_TRUE(system.Running) << system.FileName;
        ASSERT_EQ(system.FixedLexicons.Count(), fixedLexicons);
        for (int i = 0; i < fixedLexicons; ++i)
            EXPECT_GE(static_cast<int>(system.FixedLexicons.Objects(i)), 0) << system.FixedLexicons[i];
    }

    // The words accepted and rejected, and the suggestions of a misspelling.
    static void ExpectWords(TSpellCheckSystem& system, int32_t language,
                            const std::vector<std::string>& accepted,
                            const std::vector<std::string>& rejected, const std::string& misspelt,
                            const std::string& suggestion)
    {
        char buffer[2066];
        for (const std::string& word : accepted)
            EXPECT_EQ(system.Suggest(word, language, buffer, sizeof buffer), skAccepted) << word;
        for (const std::string& word : rejected)
            EXPECT_EQ(system.Suggest(word, language, buffer, sizeof buffer), skRejected) << word;
        ASSERT_EQ(system.Suggest(misspelt, language, buffer, sizeof buffer), skRejected) << misspelt;
        std::vector<std::string> list;
        for (const char* p = buffer; *p; p += strlen(p) + 1)
            list.emplace_back(p);
        EXPECT_NE(std::find(list.begin(), list.end(), suggestion), list.end())
            << misspelt << ": " << testing::PrintToString(list);
    }
};

// A system of the test's own naming one lexicon of the build (full path), with no personal dictionary.
std::string OneLexiconSystem(const std::string& lexicon)
{
    const std::string folder = qptest::ScratchDir();
    const std::string file = folder + "\\Seul.qsc";
    std::ofstream(file, std::ios::binary)
        << "[General]\r\nLanguage=1036\r\nDescription=Seul\r\n[Fixed Lexicons]\r\nCount=1\r\nLexicon1="
        << qptest::BuildBinPath("Orthographe/Lex/" + lexicon) << "\r\n[Editable Lexicons]\r\nCount=0\r\n";
    return file;
}

} // namespace

TEST_F(ShippedSystems, AmericanSpellingsAcceptedAndBritishOnesRejected)
{
    TSpellCheckSystem system(qptest::BuildBinPath("Orthographe/English (American).qsc"));
    StartShipped(system, 2);
    ExpectWords(system, American,
                {"receive", "house", "Houses", "color", "center", "traveled", "dog's", "NASA"},
                {"colour", "centre", "travelled", "housse"}, "recieve", "receive");
    EXPECT_EQ(system.EditableLexicons.Count(), 1);
}

TEST_F(ShippedSystems, BritishSpellingsAcceptedAndAmericanOnesRejected)
{
    TSpellCheckSystem system(qptest::BuildBinPath("Orthographe/English (British).qsc"));
    StartShipped(system, 2);
    ExpectWords(system, British, {"receive", "house", "colour", "centre", "travelled", "organisation"},
                {"color", "center", "traveled"}, "neighbuor", "neighbour");
}

TEST_F(ShippedSystems, FrenchSystemOpensItsThreeLexicons)
{
    TSpellCheckSystem system(qptest::BuildBinPath("Orthographe/French.qsc"));
    StartShipped(system, 3);
    ExpectWords(system, French, {"bonjour", "Finistère", "Mathilde", "l'Allemagne"}, {"bonjuor"}, "Allemagen",
                "Allemagne");
}

TEST_F(ShippedSystems, PlaceNameLexiconHoldsPlacesOnly)
{
    TSpellCheckSystem system(OneLexiconSystem("lexique de la geographie.zlx"));
    StartShipped(system, 1);
    ExpectWords(system, French,
                {"Allemagne", "l'Allemagne", "d'Allemagne", "États-Unis", "Nouvelle-Zélande", "Finistère",
                 "Bouches-du-Rhône", "Guadeloupe", "Genève", "Hainaut", "Kaboul", "Tchécoslovaquie"},
                {"bonjour", "Mathilde", "Quillpad"}, "Finnistère", "Finistère");
}

TEST_F(ShippedSystems, ProperNameLexiconHoldsNamesOnly)
{
    TSpellCheckSystem system(OneLexiconSystem("lexique des noms propres.zlx"));
    StartShipped(system, 1);
    ExpectWords(system, French, {"Mathilde", "Isaac", "d'Isaac", "Dupont", "Durand", "Ségolène"},
                {"bonjour", "Allemagne", "Kaboul"}, "Mathlide", "Mathilde");
}
