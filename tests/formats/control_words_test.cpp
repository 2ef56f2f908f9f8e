// The control-word table and the scanners the reader and writer share.
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

TEST(ControlWords, ParsesWordsAndParameters)
{
    struct {
        const char* text;
        int letters, length;
        int32_t value, or1;
    } cases[] = {
        {"fs24 x", 2, 5, 24, 24},
        {"li-360\\", 2, 6, -360, -360},
        {"b0 ", 1, 3, 0, 0},
        {"b\\i", 1, 1, 0, 1},
        {"par x", 3, 4, 0, 1},
        {"fs99999999999", 2, 13, 2147483647, 2147483647},
        {"li-99999999999", 2, 14, -2147483647, -2147483647},
        {"li- x", 2, 2, 0, 1},
    };
    for (auto& c : cases) {
        std::string buffer = c.text;
        TRtfWordRecord word;
        ParseControlWord(buffer.data(), buffer.data() + buffer.size(), word);
        EXPECT_EQ(word.Letters, c.letters) << c.text;
        EXPECT_EQ(word.Length, c.length) << c.text;
        EXPECT_EQ(ParameterValue(word), c.value) << c.text;
        EXPECT_EQ(ParameterOr1(word), c.or1) << c.text;
    }
    std::string upper = "RTF1";
    TRtfWordRecord word;
    ParseControlWord(upper.data(), upper.data() + upper.size(), word);
    EXPECT_EQ(upper, "rtf1");
    // The parse stops at the given end, even inside the letters.
    std::string cut = "fonttbl";
    ParseControlWord(cut.data(), cut.data() + 4, word);
    EXPECT_EQ(word.Letters, 4);
}

TEST(ControlWords, HexPairsAreCheckedDigitByDigit)
{
    uint8_t out[8] = {};
    std::string text = "4a6B";
    const char* p = text.data();
    EXPECT_EQ(HexPairsToBytes(p, text.data() + text.size(), out, 8), 2);
    EXPECT_EQ(out[0], 0x4A);
    EXPECT_EQ(out[1], 0x6B);
    EXPECT_EQ(p, text.data() + 4);
    for (const char* bad : {"4aZZ", "4a4Z", "4a4"}) {
        std::string t = bad;
        p = t.data();
        EXPECT_EQ(HexPairsToBytes(p, t.data() + t.size(), out, 8), 1) << bad;
        EXPECT_EQ(p, t.data() + 2) << bad;
    }
    p = text.data();
    EXPECT_EQ(HexPairsToBytes(p, text.data() + text.size(), out, 0), 0);

    const uint8_t bytes[] = {0x00, 0xE9, 0x7F};
    char hex[7] = {};
    BytesToHexPairs(hex, bytes, 3);
    EXPECT_STREQ(hex, "00e97f");
    char esc[13] = {};
    BytesToEscapes(bytes, esc, 3);
    EXPECT_STREQ(esc, "\\'00\\'e9\\'7f");
}

TEST(ControlWords, EscapesDecodeInPlace)
{
    std::string text = "\\'e9\\'e8xy";
    int32_t left = EscapesToBytes(text.data(), static_cast<int32_t>(text.size()));
    EXPECT_EQ(left, 2);
    EXPECT_EQ(static_cast<uint8_t>(text[0]), 0xE9);
    EXPECT_EQ(static_cast<uint8_t>(text[1]), 0xE8);
    std::string broken = "\\'zz";
    EXPECT_EQ(EscapesToBytes(broken.data(), 4), 4);
    std::string shortText = "\\'e";
    EXPECT_EQ(EscapesToBytes(shortText.data(), 3), 3);
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
