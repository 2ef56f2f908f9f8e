// Text replacement, byte scans, number notations at their limits, folders and record helpers.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Files.h"
#include "classlib/runtime/Format.h"
#include "core/DirUtils.h"
#include "codecs/Geometry.h"
#include "core/RecordUtils.h"
#include "core/TextUtils.h"
#include "tests/common/test_support.h"

TEST(TextUtils, ReplaceAll)
{
    EXPECT_EQ(BarsToLineBreaks("a||||b||"), "a\r\n\r\nb\r\n");
    EXPECT_EQ(LineBreaksToBars("a\r\n\r\nb"), "a||||b");
    EXPECT_EQ(BarsToLineBreaks("|||"), "\r\n|");
    // A run of backslashes ends as one, as field codes need.
    EXPECT_EQ(ReplaceAll("a\\\\\\\\\\b\\\\c", "\\\\", "\\"), "a\\b\\c");
    EXPECT_EQ(ReplaceAll("xaaay", "aa", "a"), "xay");
    // A replacement holding what it replaces is made once per occurrence, and ends.
    EXPECT_EQ(ReplaceAll("a-b-", "-", "--"), "a--b--");
    EXPECT_EQ(ReplaceAll("abab", "ab", "ba"), "baba");
    EXPECT_EQ(ReplaceAll("texte", "", "x"), "texte");
}

TEST(TextUtils, ByteScans)
{
    EXPECT_EQ(CountPlainChars("ab\tcd", 5), 2);
    EXPECT_EQ(CountPlainChars("abc\0\x16", 5), 3);
    EXPECT_EQ(CountPlainChars("\xE9t\xE9", 2), 2);
    EXPECT_EQ(IndexOfByte("abcabc", 'c', 6), 2);
    EXPECT_EQ(IndexOfByte("abcabc", 'c', 2), -1);
    EXPECT_EQ(IndexOfByte("abc", 'a', 0), -1);

    EXPECT_EQ(ComparePCharToBuf("abc", "abc", 3), 0);
    EXPECT_EQ(ComparePCharToBuf("abcd", "abc", 3), 1); // A goes on after the bytes
    EXPECT_EQ(ComparePCharToBuf("abc", "abd", 3), -1);
    EXPECT_EQ(ComparePCharToBuf("ab\xE9", "abc", 3), -1); // signed: 0xE9 is below 'c'
    EXPECT_EQ(ComparePCharToBuf("ab", "ab\0zz", 4), 1);   // A ends before Count bytes
}

TEST(TextUtils, CapitalAccents)
{
    EXPECT_EQ(StripCapitalAccents("ÉLÈVE À ÎLE ÔTÉ Ç é"), "ELEVE A ILE OTE Ç é");
    EXPECT_EQ(UpperCaseLocale(DefaultLanguage, "élève"), "ÉLÈVE");
    // Without the writing tools' option, accents of capitals count.
    EXPECT_TRUE(SameTextLocale(0x40C, "Été", "ÉTÉ"));
    EXPECT_FALSE(SameTextLocale(0x40C, "ETE", "ÉTÉ"));
    EXPECT_FALSE(SameTextLocale(0x40C, "ete", "etes"));
    CapitalsWithoutAccentsOption = [](int32_t language) { return (language & 0x3FF) == 12; };
    EXPECT_TRUE(SameTextLocale(0x40C, "ETE", "été"));
    EXPECT_TRUE(SameTextLocale(0x80C, "ELEVE", "élève"));
    EXPECT_FALSE(SameTextLocale(0x409, "ETE", "été")); // only French folds accents
    CapitalsWithoutAccentsOption = nullptr;
}

TEST(TextUtils, OtherBases)
{
    EXPECT_EQ(IntToBin(-5), "-101");
    EXPECT_EQ(IntToHexStr(255), "FF");
    EXPECT_EQ(IntToOct(0), "0");
    EXPECT_EQ(IntToOct(8), "10");
    EXPECT_EQ(IntToHexStr(INT32_MIN), "-80000000");

    EXPECT_EQ(HexToInt("-ff"), -255);
    EXPECT_EQ(HexToInt("+1A"), 26);
    EXPECT_EQ(HexToInt("- 7F "), -127);
    EXPECT_EQ(BinToInt("1111111111111111111111111111111"), INT32_MAX);
    EXPECT_EQ(BinToInt("000000000000000000000000000000000000000000000000000000000000000000000000000101"), 5);
    EXPECT_EQ(OctToInt("17777777777"), INT32_MAX);
    for (const char* bad : {"1G", "-", "", "  ", "80000000", "-80000000", "1 0"}) {
        try {
            HexToInt(bad);
            ADD_FAILURE() << bad;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, "Invalid integer constant") << bad;
        }
    }
    EXPECT_THROW(OctToInt("8"), Exception);
    EXPECT_THROW(BinToInt("2"), Exception);
}

TEST(TextUtils, LettersAndRomanAtTheirLimits)
{
    const struct {
        int32_t n;
        const char* letters;
    } letters[] = {
        {INT32_MIN, ""},
        {0, ""},
        {1, "A"},
        {26, "Z"},
        {27, "AA"},
        {28, "BB"},
        {52, "ZZ"},
        {53, "AAA"},
        {780, "ZZZZZZZZZZZZZZZZZZZZZZZZZZZZZZ"},
        {781, "781"},
        {INT32_MAX, "2147483647"},
    };
    for (const auto& c : letters)
        EXPECT_EQ(IntToLetters(c.n), c.letters) << c.n;

    const struct {
        int32_t n;
        const char* roman;
    } romans[] = {
        {-3, ""},
        {0, ""},
        {4, "IV"},
        {1999, "MCMXCIX"},
        {3999, "MMMCMXCIX"},
        {4000, "MMMM"},
        {10000001, "10000001"},
        {INT32_MAX, "2147483647"},
    };
    for (const auto& c : romans)
        EXPECT_EQ(IntToRoman(c.n), c.roman) << c.n;
    const std::string top = IntToRoman(MaxRomanNumber);
    EXPECT_EQ(top.size(), 10000u);
    EXPECT_EQ(top.find_first_not_of('M'), std::string::npos);

    EXPECT_EQ(RomanToIntDef("mcmxcix", -1), 1999);
    EXPECT_EQ(RomanToIntDef("MMMCMXCIX", -1), 3999);
    EXPECT_EQ(RomanToIntDef("IIII", -1), 4);
    EXPECT_EQ(RomanToIntDef("", -1), 0);
    EXPECT_EQ(RomanToIntDef("XAV", -1), -1);
    EXPECT_EQ(RomanToIntDef("IVA", -1), -1);
    EXPECT_EQ(RomanToIntDef(std::string(3000000, 'M'), -1), -1); // beyond 32 bits
    for (int n : {1, 9, 14, 40, 90, 400, 944, 2024, 3888})
        EXPECT_EQ(RomanToIntDef(IntToRoman(n), -1), n) << n;
}

TEST(TextUtils, FormatNumberSpaced)
{
    EXPECT_EQ(FormatNumberSpaced(1234567), "1 234 567");
    EXPECT_EQ(FormatNumberSpaced(-1000), "-1 000");
    EXPECT_EQ(FormatNumberSpaced(999), "999");
    EXPECT_EQ(Format("%.0n", 1000.0), "1\xA0"
                                      "000"); // the locale's separator is back
}

TEST(DirUtils, CurrentFolderStackAndNames)
{
    const std::string start = GetCurrentDir();
    const std::string scratch = qptest::ScratchDir();
    PushCurrentDir();
    ASSERT_TRUE(SetCurrentDir(scratch));
    EXPECT_TRUE(SameFileName(GetCurrentDirSlash(), IncludeTrailingPathDelimiter(scratch)));
    EXPECT_EQ(GetCurrentDirSlash().back(), PathDelim);
    PopCurrentDir();
    EXPECT_EQ(GetCurrentDir(), start);
    PopCurrentDir(); // nothing remembered: stays
    EXPECT_EQ(GetCurrentDir(), start);

    EXPECT_TRUE(SameFileName("Lettre.RTF", "lettre.rtf"));
    EXPECT_TRUE(SameFileName("Élève.txt", "élève.TXT"));
    EXPECT_FALSE(SameFileName("a.txt", "b.txt"));
    EXPECT_EQ(RemoveFileExt("lettre.rtf"), "lettre");
    EXPECT_EQ(RemoveFileExt("lettre"), "lettre");
}

TEST(RecordUtils, FillsAndTests)
{
    int32_t fields[24];
    FillDWords(fields, 24, 7);
    FillUndefined(fields + 1, 22);
    EXPECT_EQ(fields[0], 7);
    EXPECT_EQ(fields[23], 7);
    auto& charFormat = *reinterpret_cast<TCharFormat*>(fields + 1);
    EXPECT_TRUE(IsCharFormatUndefined(charFormat));
    fields[5] = 0;
    EXPECT_FALSE(IsCharFormatUndefined(charFormat));
    EXPECT_TRUE(CharFormatHasUndefined(charFormat));
    FillDWords(fields + 1, 22, 1);
    EXPECT_FALSE(CharFormatHasUndefined(charFormat));
    ClearCharFormatState(charFormat);
    EXPECT_TRUE(IsCharFormatUndefined(charFormat));
    EXPECT_EQ(fields[23], 7); // a character format is 22 fields, no more

    int32_t a[16], b[16];
    FillDWords(a, 16, 3);
    CopyDWords(a, b, 16);
    auto& pa = *reinterpret_cast<TParaFormat*>(a);
    auto& pb = *reinterpret_cast<TParaFormat*>(b);
    EXPECT_TRUE(SameParaFormat(pa, pb));
    b[15] = 4; // beyond the 15 fields
    EXPECT_TRUE(SameParaFormat(pa, pb));
    b[14] = 4;
    EXPECT_FALSE(SameParaFormat(pa, pb));
    ClearParFormatState(pa);
    EXPECT_TRUE(IsParaFormatUndefined(pa));
    EXPECT_EQ(a[15], 3);
}

TEST(Geometry, PointsAndRects)
{
    EXPECT_TRUE(SamePoint({3, 4}, {3, 4}));
    EXPECT_FALSE(SamePoint({3, 4}, {4, 3}));
    TRect r{0, 0, 100, 50};
    EXPECT_TRUE(IntersectRectInPlace(r, {10, -5, 60, 40}));
    EXPECT_EQ(r.Left, 10);
    EXPECT_EQ(r.Top, 0);
    EXPECT_EQ(r.Right, 60);
    EXPECT_EQ(r.Bottom, 40);
    EXPECT_FALSE(IntersectRectInPlace(r, {60, 0, 80, 40})); // touching edges leave nothing
}
