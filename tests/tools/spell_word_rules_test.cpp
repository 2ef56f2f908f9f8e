// The program's additions to the engine's answers: Czech maps, retries, compound splitting, suggestion lists.
#include <gtest/gtest.h>

#include <set>

#include "tools/SpellWordRules.h"

TEST(SpellWordRules, CzechMapsChangeOnlyTheirFivePairs)
{
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    std::string mapped = all;
    MapToEngineChars(mapped);
    for (int c = 1; c < 256; ++c) {
        const char expected = c == 0x9E   ? '\xEE'
                              : c == 0x8E ? '\xCE'
                              : c == 0x9D ? '\xE7'
                              : c == 0x8A ? '\xC6'
                              : c == 0x9A ? '\xE6'
                                          : static_cast<char>(c);
        EXPECT_EQ(mapped[c - 1], expected) << c;
    }
    std::string word = "\x9E\x65na \x8A\x9Akoda";
    std::string back = word;
    MapToEngineChars(back);
    EXPECT_EQ(back, "\xEE\x65na \xC6\xE6koda");
    MapFromEngineChars(back);
    EXPECT_EQ(back, word);
}

TEST(SpellWordRules, SwissGermanSharpS)
{
    std::string v;
    EXPECT_TRUE(SwissGermanVariant("Strasse", v));
    EXPECT_EQ(v, "Stra\xDF"
                 "e");
    EXPECT_TRUE(SwissGermanVariant("Schlossstrasse", v));
    EXPECT_EQ(v, "Schlo\xDF"
                 "stra\xDF"
                 "e"); // of "sss" the first pair
    // A word that starts with "ss" is never retried, even with a second "ss" further on.
    EXPECT_FALSE(SwissGermanVariant("ssabcss", v));
    EXPECT_FALSE(SwissGermanVariant("Haus", v));
}

TEST(SpellWordRules, CanadianFrenchVariesTheFirstFourCapitalVowelsOnly)
{
    std::vector<std::string> tried;
    auto reject = [&](const std::string& w) {
        tried.push_back(w);
        return 1;
    };
    EXPECT_EQ(CheckAccentedCapitals("AEIOUA", reject), 1);
    EXPECT_EQ(tried.size(), 256u);
    EXPECT_EQ(tried.front(), "AEIOUA");
    for (const std::string& w : tried)
        EXPECT_EQ(w.substr(4), "UA");
    EXPECT_EQ(std::set<std::string>(tried.begin(), tried.end()).size(), 256u);

    tried.clear();
    auto acceptEcole = [&](const std::string& w) {
        tried.push_back(w);
        return w == "\xC9"
                    "COLE"
                   ? 0
                   : 1;
    };
    EXPECT_EQ(CheckAccentedCapitals("ECOLE", acceptEcole), 0);
    // E, then È, each with the 16 choices of the O and the second E, then É with the plain O and E.
    EXPECT_EQ(tried.size(), 33u);
    EXPECT_EQ(tried.back(), "\xC9"
                            "COLE");
}

TEST(SpellWordRules, CompoundSplitting)
{
    const std::set<std::string> known = {"haus", "tuer", "schluessel", "ab", "abc"};
    int checks = 0;
    auto check = [&](const std::string& w) {
        ++checks;
        return known.count(w) ? 0 : 1;
    };
    EXPECT_TRUE(SplitsIntoKnownWords("haustuer", check));
    EXPECT_TRUE(SplitsIntoKnownWords("haustuerschluessel", check));
    EXPECT_FALSE(SplitsIntoKnownWords("hausx", check));
    EXPECT_FALSE(SplitsIntoKnownWords("abab", check)); // pieces of two characters are too short
    EXPECT_FALSE(SplitsIntoKnownWords("haus", check)); // the whole word alone is no split
    // A long word that never splits is settled in a bounded number of checks.
    checks = 0;
    EXPECT_FALSE(SplitsIntoKnownWords(std::string(90, 'x'), check));
    EXPECT_LT(checks, 90 * 90);
    EXPECT_FALSE(SplitsIntoKnownWords(std::string(101, 'x'), check));
}

TEST(SpellWordRules, EntryListsReadAndWriteWithinTheirBuffer)
{
    const char buffer[] = "un\0deux\0\0trois\0";
    EXPECT_EQ(ReadEntryList(buffer, sizeof buffer), (std::vector<std::string>{"un", "deux"}));
    const char unended[4] = {'a', '\0', 'b', 'c'};
    EXPECT_EQ(ReadEntryList(unended, 4), (std::vector<std::string>{"a", "bc"}));

    char out[9];
    std::fill(std::begin(out), std::end(out), 'x');
    EXPECT_EQ(WriteEntryList({"abc", "defg", "h"}, out, 8), 1);
    EXPECT_EQ(std::string(out, 5), std::string("abc\0\0", 5));
    EXPECT_EQ(out[8], 'x');
}

TEST(SpellWordRules, TidyingPutsNearEntriesFirstAndMergesCaseVariants)
{
    // Near: equal but for case, two neighbours swapped, one character removed, inserted or replaced.
    EXPECT_EQ(
        TidySuggestions("maison", {"poisson", "maisons", "masion", "raison", "maison", "Maison"}, 0x40C),
        (std::vector<std::string>{"maisons", "masion", "raison", "maison", "poisson"}));
    EXPECT_EQ(TidySuggestions("Paris", {"Pari", "paris", "Paris", "pairs"}, 0x40C),
              (std::vector<std::string>{"Pari", "Paris", "pairs"}));
    // Canadian French also offers each entry with its capitals' accents taken off.
    EXPECT_EQ(TidySuggestions("ECOLE",
                              {"\xC9"
                               "COLE",
                               "COLLE"},
                              0xC0C),
              (std::vector<std::string>{"\xC9"
                                        "COLE",
                                        "ECOLE", "COLLE"}));
    EXPECT_EQ(TidySuggestions("a", {"b", "B"}, 0x40C), (std::vector<std::string>{"b", "B"}));
}
