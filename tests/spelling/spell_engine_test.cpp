// The engine DLL through its entry points: what it exports, French words, text lexicons, options, errors.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/common/test_support.h"
#include "tests/spelling/engine_library.h"

namespace {

TEngineLibrary& E()
{
    return TEngineLibrary::Get();
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> Entries(const char* buffer)
{
    std::vector<std::string> out;
    for (const char* p = buffer; *p; p += strlen(p) + 1)
        out.emplace_back(p);
    return out;
}

// A main lexicon file built by hand from a dictionary's two files, as the build step lays it out.
std::string MainLexicon(const std::string& affixes, const std::string& words)
{
    std::string out("QLEX\x1A\x00\x01\x00", 8);
    for (size_t v : {affixes.size(), words.size()})
        for (int i = 0; i < 4; ++i)
            out += static_cast<char>((v >> (8 * i)) & 0xFF);
    return out + affixes + words;
}

// A session with the French main lexicon open, shared by the tests of French words.
class FrenchEngine : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Session = E().OpenSession();
        ASSERT_GE(Session, 0);
        Lexicon = E().OpenLex(Session, TEngineLibrary::FrenchLexicon().c_str(), 0);
        ASSERT_GE(Lexicon, 0) << "French lexicon not opened";
    }
    static void TearDownTestSuite() { E().CloseSession(Session); }

    static int16_t Check(const std::string& word)
    {
        char other[256] = {};
        return E().CheckWord(Session, word.c_str(), other, sizeof other);
    }
    static std::vector<std::string> Suggest(const std::string& word, int16_t depth = 50)
    {
        char buffer[2066];
        int16_t scores[16];
        int16_t n = E().Suggest(Session, word.c_str(), depth, buffer, sizeof buffer, scores, 16);
        EXPECT_GE(n, 0);
        auto list = Entries(buffer);
        EXPECT_EQ(static_cast<size_t>(n), list.size());
        return list;
    }

    static inline int16_t Session = -1, Lexicon = -1;
};

} // namespace

TEST(SpellEngineModule, ExportsExactlyTheEntryPointsAndImportsOnlySystemLibraries)
{
    HMODULE m = static_cast<HMODULE>(E().Module);
    ASSERT_NE(m, nullptr);
    auto base = reinterpret_cast<const unsigned char*>(m);
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& exp = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto dir = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + exp.VirtualAddress);
    auto names = reinterpret_cast<const DWORD*>(base + dir->AddressOfNames);
    std::set<std::string> exported;
    for (DWORD i = 0; i < dir->NumberOfNames; ++i)
        exported.insert(reinterpret_cast<const char*>(base + names[i]));
    const std::set<std::string> expected = {"SSCE_OpenSession", "SSCE_CloseSession", "SSCE_SetOption",
                                            "SSCE_OpenLex",     "SSCE_CreateLex",    "SSCE_CloseLex",
                                            "SSCE_GetLex",      "SSCE_AddToLex",     "SSCE_DelFromLex",
                                            "SSCE_CheckWord",   "SSCE_Suggest",      "SSCE_Version"};
    EXPECT_EQ(exported, expected);
    EXPECT_EQ(dir->NumberOfFunctions, 12u);

    const IMAGE_DATA_DIRECTORY& imp = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    const std::set<std::string> system = {"kernel32.dll", "msvcrt.dll", "user32.dll", "advapi32.dll"};
    for (auto d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imp.VirtualAddress); d->Name; ++d) {
        std::string name = reinterpret_cast<const char*>(base + d->Name);
        for (char& c : name)
            c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(system.count(name)) << name;
    }

    char version[1024];
    EXPECT_EQ(E().Version(version, sizeof version), 0);
    EXPECT_STRNE(version, "");
    EXPECT_LT(E().Version(version, 2), 0);
}

TEST_F(FrenchEngine, AcceptsFrenchWordsAndTheirWrittenOutLigaturesAndUnaccentedCapitals)
{
    for (const char* word : {"bonjour", "été",     "élève",   "cœur",    "coeur",      "œuvre",
                             "oeuvre",  "Oeuvre",  "OEUVRE",  "EDITION", "ÉDITION",    "ELEVE",
                             "Ecole",   "BONJOUR", "Bonjour", "l'élève", "curriculum", "REPRESENTATIVITE",
                             "ETIENNE", "ELEVES"})
        EXPECT_EQ(Check(word), 0) << word;
    for (const char* word : {"bonjuor", "elevee", "coeurr", "xqzw", "EDITIONN", "REPRESENTATIVITEE"})
        EXPECT_EQ(Check(word), SSCE_WORD_REJECTED) << word;
}

TEST_F(FrenchEngine, SuggestsTheWordMeantWithinTheRequestedCount)
{
    auto list = Suggest("bonjuor");
    EXPECT_NE(std::find(list.begin(), list.end(), "bonjour"), list.end());
    EXPECT_LE(list.size(), 16u);
    EXPECT_FALSE(Suggest("eleve").empty());
    EXPECT_LE(Suggest("maisonn", 25).size(), 5u);

    // A buffer too small for any entry still holds an empty list.
    char small[3] = {'x', 'x', 'x'};
    EXPECT_EQ(E().Suggest(Session, "bonjuor", 50, small, sizeof small, nullptr, 16), 0);
    EXPECT_EQ(small[0], '\0');
}

TEST_F(FrenchEngine, MainLexiconCanBeNeitherListedNorChanged)
{
    char buffer[64];
    EXPECT_EQ(E().GetLex(Session, Lexicon, buffer, sizeof buffer), SSCE_ERR_MAIN_LEXICON);
    EXPECT_EQ(E().AddToLex(Session, Lexicon, "zorglub", SSCE_ACTION_ACCEPT, nullptr), SSCE_ERR_MAIN_LEXICON);
    EXPECT_EQ(E().DelFromLex(Session, Lexicon, "bonjour"), SSCE_ERR_MAIN_LEXICON);
}

TEST(SpellEngineOptions, OptionsIgnoreKindsOfWords)
{
    int16_t s = E().OpenSession();
    struct {
        uint32_t option;
        const char* word;
    } cases[] = {
        {SSCE_OPT_IGNORE_DIGITS, "abc123"},   {SSCE_OPT_IGNORE_NUMBERS, "12,50"},
        {SSCE_OPT_IGNORE_ALL_CAPS, "ZXQW"},   {SSCE_OPT_IGNORE_CAPPED, "Zxqw"},
        {SSCE_OPT_IGNORE_MIXED_CASE, "zXqW"},
    };
    char other[16];
    for (const auto& c : cases) {
        EXPECT_EQ(E().CheckWord(s, c.word, other, sizeof other), SSCE_WORD_REJECTED) << c.word;
        EXPECT_EQ(E().SetOption(s, c.option, 1), 0);
        EXPECT_EQ(E().CheckWord(s, c.word, other, sizeof other), 0) << c.word;
        E().SetOption(s, c.option, 0);
    }
    EXPECT_EQ(E().SetOption(s, SSCE_OPT_IGNORE_NUMBERS, 1), 0);
    EXPECT_EQ(E().CheckWord(s, "12a", other, sizeof other), SSCE_WORD_REJECTED);
    EXPECT_EQ(E().SetOption(s, 3, 1), SSCE_ERR_ARGUMENT);
    EXPECT_EQ(E().SetOption(s, SSCE_OPT_IGNORE_DIGITS, 2), SSCE_ERR_ARGUMENT);
    E().CloseSession(s);
}

TEST_F(FrenchEngine, WithoutCaseSensitivityAWordMayDifferInCase)
{
    EXPECT_EQ(Check("londres"), SSCE_WORD_REJECTED);
    E().SetOption(Session, SSCE_OPT_CASE_SENSITIVE, 0);
    EXPECT_EQ(Check("londres"), 0);
    E().SetOption(Session, SSCE_OPT_CASE_SENSITIVE, 1);
}

TEST_F(FrenchEngine, ManyThreadsCheckingAtOnceGetTheSameAnswers)
{
    std::vector<std::thread> threads;
    std::vector<int> wrong(4, 0);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t, &wrong] {
            for (int i = 0; i < 200; ++i)
                wrong[t] += (Check("élève") != 0) + (Check("bonjuor") != SSCE_WORD_REJECTED);
        });
    for (auto& th : threads)
        th.join();
    EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

TEST(SpellEngineTextLexicon, WordsAddedToAFileLexiconStayAfterTheSessionEnds)
{
    std::string file = qptest::ScratchDir() + "\\perso.tlx";
    int16_t s = E().OpenSession();
    ASSERT_GE(s, 0);
    int16_t lex = E().CreateLex(s, file.c_str(), SSCE_ANY_LANGUAGE);
    ASSERT_GE(lex, 0);
    EXPECT_EQ(E().CreateLex(s, file.c_str(), SSCE_ANY_LANGUAGE), SSCE_ERR_EXISTS);
    char other[64];
    EXPECT_EQ(E().CheckWord(s, "Quillpad", other, sizeof other), SSCE_WORD_REJECTED);
    EXPECT_EQ(E().AddToLex(s, lex, "Quillpad", SSCE_ACTION_ACCEPT, nullptr), 0);
    EXPECT_EQ(E().AddToLex(s, lex, "ausi", SSCE_ACTION_REPLACE, "aussi"), 0);
    EXPECT_EQ(E().AddToLex(s, lex, "ôté", SSCE_ACTION_ACCEPT, nullptr), 0);
    EXPECT_EQ(E().CloseSession(s), 0);
    EXPECT_EQ(qptest::ReadFileBytes(file), "Quillpad\r\nausi\taussi\r\n\xF4t\xE9\r\n");

    s = E().OpenSession();
    lex = E().OpenLex(s, file.c_str(), 0);
    ASSERT_GE(lex, 0);
    EXPECT_EQ(E().CheckWord(s, "Quillpad", other, sizeof other), 0);
    EXPECT_EQ(E().CheckWord(s, "ausi", other, sizeof other), SSCE_WORD_REPLACE);
    EXPECT_STREQ(other, "aussi");
    char tiny[3];
    EXPECT_EQ(E().CheckWord(s, "ausi", tiny, sizeof tiny), SSCE_WORD_REPLACE);
    EXPECT_STREQ(tiny, "au");

    char buffer[65536];
    EXPECT_EQ(E().GetLex(s, lex, buffer, sizeof buffer), 3);
    EXPECT_EQ(Entries(buffer), (std::vector<std::string>{"Quillpad", "ausi\taussi", "\xF4t\xE9"}));
    EXPECT_EQ(E().GetLex(s, lex, buffer, 12), 1);

    EXPECT_EQ(E().DelFromLex(s, lex, "Quillpad"), 0);
    EXPECT_EQ(E().DelFromLex(s, lex, "Quillpad"), SSCE_ERR_NOT_FOUND);
    EXPECT_EQ(E().CheckWord(s, "Quillpad", other, sizeof other), SSCE_WORD_REJECTED);
    EXPECT_EQ(qptest::ReadFileBytes(file), "ausi\taussi\r\n\xF4t\xE9\r\n");
    EXPECT_EQ(qptest::ReadFileBytes(file + ".~new"), "");
    E().CloseSession(s);
}

TEST(SpellEngineTextLexicon, InMemoryLexiconsAndCaseInsensitiveLookup)
{
    int16_t s = E().OpenSession();
    int16_t lex = E().CreateLex(s, nullptr, SSCE_ANY_LANGUAGE);
    ASSERT_GE(lex, 0);
    EXPECT_EQ(E().AddToLex(s, lex, "Zorglub", SSCE_ACTION_ACCEPT, nullptr), 0);
    char other[64];
    EXPECT_EQ(E().CheckWord(s, "Zorglub", other, sizeof other), 0);
    EXPECT_EQ(E().CheckWord(s, "zorglub", other, sizeof other), SSCE_WORD_REJECTED);
    E().SetOption(s, SSCE_OPT_CASE_SENSITIVE, 0);
    EXPECT_EQ(E().CheckWord(s, "zorglub", other, sizeof other), 0);

    // Entries that would break the file's lines, and unknown actions, are refused.
    EXPECT_EQ(E().AddToLex(s, lex, "a\tb", SSCE_ACTION_ACCEPT, nullptr), SSCE_ERR_ARGUMENT);
    EXPECT_EQ(E().AddToLex(s, lex, "", SSCE_ACTION_ACCEPT, nullptr), SSCE_ERR_ARGUMENT);
    EXPECT_EQ(E().AddToLex(s, lex, "mot", SSCE_ACTION_REPLACE, nullptr), SSCE_ERR_ARGUMENT);
    EXPECT_EQ(E().AddToLex(s, lex, "mot", 'x', nullptr), SSCE_ERR_ARGUMENT);
    EXPECT_EQ(E().CloseLex(s, lex), 0);
    EXPECT_EQ(E().CloseLex(s, lex), SSCE_ERR_LEXICON);
    E().CloseSession(s);
}

TEST(SpellEngineErrors, UnknownSessionsAndLexiconsAndUnusableFiles)
{
    char buffer[64];
    EXPECT_EQ(E().CheckWord(31, "mot", buffer, sizeof buffer), SSCE_ERR_SESSION);
    EXPECT_EQ(E().CheckWord(-1, "mot", buffer, sizeof buffer), SSCE_ERR_SESSION);
    EXPECT_EQ(E().CloseSession(200), SSCE_ERR_SESSION);
    int16_t s = E().OpenSession();
    EXPECT_EQ(E().CloseLex(s, 5), SSCE_ERR_LEXICON);
    EXPECT_EQ(E().CheckWord(s, nullptr, buffer, sizeof buffer), SSCE_ERR_ARGUMENT);

    std::string dir = qptest::ScratchDir();
    const std::string affixes = "SET UTF-8\nTRY ab\n";
    struct {
        const char* name;
        std::string bytes;
        int16_t error;
    } cases[] = {
        {"binary.lex", std::string("\x01\x4C\xE5\xBF\x00\x13garbage", 12), SSCE_ERR_FORMAT},
        {"truncated.lex", MainLexicon(affixes, "1\nmaison\n").substr(0, 30), SSCE_ERR_FORMAT},
        {"latin1.lex", MainLexicon("SET ISO8859-1\n", "1\nmaison\n"), SSCE_ERR_FORMAT},
        {"nowords.lex", MainLexicon(affixes, "1\n"), SSCE_ERR_FORMAT},
    };
    for (const auto& c : cases) {
        WriteFile(dir + "\\" + c.name, c.bytes);
        EXPECT_EQ(E().OpenLex(s, (dir + "\\" + c.name).c_str(), 0), c.error) << c.name;
    }
    EXPECT_EQ(E().OpenLex(s, (dir + "\\missing.lex").c_str(), 0), SSCE_ERR_FILE);
    E().CloseSession(s);
}

TEST(SpellEngineConversion, SuggestionsThatWindows1252CannotHoldAreDropped)
{
    std::string file = qptest::ScratchDir() + "\\small.lex";
    // In UTF-8: "ŝalom", which has no Windows-1252 form, and "œuvre", which has one.
    WriteFile(file, MainLexicon("SET UTF-8\nTRY \xC5\x9D\xC5\x93\n", "2\n\xC5\x9D"
                                                                     "alom\n\xC5\x93uvre\n"));
    int16_t s = E().OpenSession();
    ASSERT_GE(E().OpenLex(s, file.c_str(), 0), 0);
    char buffer[512];
    EXPECT_EQ(E().CheckWord(s, "œuvre", buffer, sizeof buffer), 0);
    EXPECT_EQ(E().Suggest(s, "salom", 75, buffer, sizeof buffer, nullptr, 16), 0);
    EXPECT_EQ(E().Suggest(s, "ouvre", 75, buffer, sizeof buffer, nullptr, 16), 1);
    EXPECT_STREQ(buffer, "œuvre");
    E().CloseSession(s);
}
