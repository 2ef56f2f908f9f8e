// Formatting of texts and numbers under the French separators, and reading numbers back.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Format.h"

TEST(Format, FrenchLocaleSeparators)
{
    // Wine runs the tests in French and the host keeps the French separators.
    EXPECT_EQ(FormatSettings.DecimalSeparator, ',');
    EXPECT_EQ(FormatSettings.ThousandSeparator, '\xA0');
}

TEST(Format, Patterns)
{
    const std::string s = "texte";
    EXPECT_EQ(Format("Session: %s", "Bureau"), "Session: Bureau");
    EXPECT_EQ(Format("%s - <%s>", s, std::string_view("x")), "texte - <x>");
    EXPECT_EQ(Format("Zoom %d%%", 150), "Zoom 150%");
    EXPECT_EQ(Format(" Page %d/%d   Sec %d/%d", 1, 12, 2, 3), " Page 1/12   Sec 2/3");
    EXPECT_EQ(Format("%d|%i|%d", -42, int64_t{-9000000000}, INT32_MIN), "-42|-9000000000|-2147483648");
    EXPECT_EQ(Format("%u %u", 4000000000u, -1), "4000000000 4294967295");
    EXPECT_EQ(Format("%x %X %x %.8X", 255, 0xBEEF, -1, 0x1F), "ff BEEF ffffffff 0000001F");
    EXPECT_EQ(Format("[%5d][%-5d][%05d][%05d][%.3d]", 42, 42, 42, -42, 7),
              "[   42][42   ][00042][-0042][007]");
    EXPECT_EQ(Format("[%6s][%-6s][%.2s]", "ab", "ab", "abcdef"), "[    ab][ab    ][ab]");
    EXPECT_EQ(Format("%c%c", 'O', 75), "OK");
    EXPECT_EQ(Format("fin sans argument"), "fin sans argument");
    EXPECT_EQ(Format("%s", std::string("é")), "\xE9");
}

TEST(Format, FloatsUseTheDecimalComma)
{
    EXPECT_EQ(Format("%.2f", 3.14159), "3,14");
    EXPECT_EQ(Format("%f", 12.0), "12,00");
    EXPECT_EQ(Format("%.0f", 2.5), "2");
    EXPECT_EQ(Format("%.3f", -0.0005), "-0,001");
    EXPECT_EQ(Format("%8.2f|%-8.1f|", 3.14159, 2.25), "    3,14|2,2     |");
    EXPECT_EQ(Format("%g", 2.5), "2,5");
    EXPECT_EQ(Format("%g", 123456789.5), "123456789,5");
    EXPECT_EQ(Format("%g", 1e20), "1e+20");
    EXPECT_EQ(Format("%.3e", 12345.678), "1,235e+04");
    EXPECT_EQ(Format("%.2f", 7), "7,00"); // an integer argument is accepted by the float kinds
}

TEST(Format, ThousandsSeparators)
{
    EXPECT_EQ(Format("%.0n", 1234567.0), "1\xA0"
                                         "234\xA0"
                                         "567");
    EXPECT_EQ(Format("%.2n", -1234.5), "-1\xA0"
                                       "234,50");
    EXPECT_EQ(Format("%n", 999.0), "999,00");
    EXPECT_EQ(Format("%.0n", 100000), "100\xA0"
                                      "000");

    // A caller sets the separators for one call and puts them back.
    const TFormatSettings saved = FormatSettings;
    FormatSettings.ThousandSeparator = ' ';
    EXPECT_EQ(Format("%s octets", Format("%.0n", 65534.0)), "65 534 octets");
    FormatSettings.DecimalSeparator = '.';
    EXPECT_EQ(Format("%.2f", 1.5), "1.50");
    FormatSettings = saved;
}

TEST(Format, MismatchedPatternsRaise)
{
    const char* bad[] = {"%d", "%s %s", "%q", "%", "%5"};
    for (const char* p : bad)
        EXPECT_THROW(Format(p, "texte"), EConvertError) << p;
    EXPECT_THROW(Format("%s", 5), EConvertError);
    EXPECT_THROW(Format("%f", "5"), EConvertError);
}

TEST(Format, NumbersToTextAndBack)
{
    EXPECT_EQ(FloatToStr(2.54), "2,54");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0,3");
    EXPECT_EQ(FloatToStr(72), "72");
    EXPECT_EQ(FloatToStr(-0.001), "-0,001");
    EXPECT_EQ(IntToStr(-12), "-12");

    const struct {
        const char* text;
        bool ok;
        int32_t value;
    } ints[] = {
        {"42", true, 42},
        {" -17 ", true, -17},
        {"+5", true, 5},
        {"2147483647", true, INT32_MAX},
        {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"12a", false, 0},
        {"1 2", false, 0},
    };
    for (const auto& c : ints) {
        int32_t v = 0;
        EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
        EXPECT_EQ(StrToIntDef(c.text, -99), c.ok ? c.value : -99) << c.text;
    }
    EXPECT_THROW(StrToInt("abc"), EConvertError);

    EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat("3,5")), 3.5);
    EXPECT_DOUBLE_EQ(static_cast<double>(StrToFloat(" -1,5E3 ")), -1500.0);
    long double v;
    for (const char* bad : {"3.5", "inf", "nan", "0x10", "", "1,5,2", "1e99999"})
        EXPECT_FALSE(TryStrToFloat(bad, v)) << bad;
    EXPECT_THROW(StrToFloat("douze"), EConvertError);
}
