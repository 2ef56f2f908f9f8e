// The control-word table, the writer's hexadecimal and escape forms, and the character-run counters (the
// scanning of words, parameters, escapes and hexadecimal data is the tokenizer's, tested with it).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "formats/rtf/RtfControlWords.h"

TEST(ControlWords, FindsEveryWordByItsNumber)
{
    const TControlWords& table = ControlWords();
    for (int n = 0; n < rwCount; ++n)
        EXPECT_EQ(table.FindIndex(TControlWords::NameOf(n)), n);
    struct {
        const char* word;
        int number;
    } cases[] = {{"par", rw_par}, {"pard", rw_pard}, {"pa", -1},   {"pardx", -1},   {"b", rw_b}, {"u", rw_u},
                 {"x", -1},       {"rtf", -1},       {"ansi", -1}, {"bin", rw_bin}, {"zz", -1},  {"", -1}};
    for (auto& c : cases)
        EXPECT_EQ(table.FindIndex(c.word), c.number) << c.word;
    EXPECT_EQ(TControlWords::KindOf(rw_fonttbl), TRtfWordKind::Destination);
    EXPECT_EQ(TControlWords::KindOf(rw_b), TRtfWordKind::Toggle);
    EXPECT_EQ(TControlWords::KindOf(rw_par), TRtfWordKind::Symbol);
    EXPECT_EQ(TControlWords::KindOf(rw_fs), TRtfWordKind::Value);
}

TEST(ControlWords, WritesHexPairsAndEscapes)
{
    const uint8_t bytes[] = {0x00, 0xE9, 0x7F};
    char hex[7] = {};
    BytesToHexPairs(hex, bytes, 3);
    EXPECT_STREQ(hex, "00e97f");
    char esc[13] = {};
    BytesToEscapes(bytes, esc, 3);
    EXPECT_STREQ(esc, "\\'00\\'e9\\'7f");
}

TEST(ControlWords, CountsCharacterRuns)
{
    const uint8_t text[] = {'a', 'b', 0xE9, 0xA0, '\\', 'c'};
    EXPECT_EQ(CountAsciiRun(text, 6), 2);
    EXPECT_EQ(CountHighRun(text + 2, 4), 2);
    EXPECT_EQ(CountPlainTextRun(text, 6), 3); // 160 is not plain text
    EXPECT_EQ(CountPlainTextRun(text, 1), 1);
    EXPECT_EQ(CountAsciiRun(text, 0), 0);
}
