// Measurement units, format conversions and the paper size table.
#include "classlib/runtime/Format.h"
#include "core/Options.h"
#include "core/PaperSizes.h"
#include "core/Units.h"
#include <gtest/gtest.h>

namespace {

// Sets the unit setting for one test and puts it back.
class UnitSetting {
public:
    explicit UnitSetting(int unit) : FSaved(CurrentOptions().General.Measurements)
    {
        CurrentOptions().General.Measurements = uint8_t(unit);
    }
    ~UnitSetting() { CurrentOptions().General.Measurements = FSaved; }

private:
    uint8_t FSaved;
};

// The text with the decimal separator in force in place of the comma.
std::string Comma(const std::string& text)
{
    std::string s = text;
    for (char& c : s)
        if (c == ',')
            c = FormatSettings.DecimalSeparator;
    return s;
}

} // namespace

TEST(Units, MulDivRoundsHalfAwayFromZero)
{
    EXPECT_EQ(MulDivRound(5, 1, 10), 1);
    EXPECT_EQ(MulDivRound(4, 1, 10), 0);
    EXPECT_EQ(MulDivRound(-5, 1, 10), -1);
    EXPECT_EQ(MulDivRound(-4, 1, 10), 0);
    EXPECT_EQ(MulDivRound(5, 1, -10), -1);
    EXPECT_EQ(MulDivRound(2000000000, 4, 1), INT32_MAX);
}

TEST(Units, FormatConversions)
{
    struct Case {
        int32_t (*f)(int32_t);
        int32_t in, out;
    };
    const Case cases[] = {
        {TwipsToTenthsOfMM, 1440, 254},
        {TwipsToHundredthsOfInch, 1440, 100},
        {TwipsToHundredthsOfPoint, 1, 10},
        {TwipsToHundredthsOfPoint, -1, -10},
        {TwipsTo600Dpi, 1440, 600},
        {TwipsToHundredthsOfMM, 1440, 2540},
        {TenthsOfMMToTwips, 254, 1440},
        {HundredthsOfInchToTwips, 100, 1440},
        {HundredthsOfPointToTwips, 10, 2},
        {Dots600ToTwips, 600, 1440},
        {HundredthsOfMMToTwips, 2540, 1440},
        {HundredthsOfMMToTwips, -2540, -1440},
        {TwipsToHundredthsOfPoint, INT32_MAX, INT32_MAX},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.f(c.in), c.out) << c.in;
}

TEST(Units, FormatValueInEveryUnit)
{
    const char* const expected[] = {"2,54 cm", "1\"", "72 pt", "6 pi", "25 mm", "25 mm"};
    for (int unit = 0; unit <= 5; ++unit) {
        UnitSetting setting(unit);
        EXPECT_EQ(GetMeasurementsManager()->FormatValue(1440), Comma(expected[unit])) << unit;
    }
    UnitSetting points(muPoints);
    EXPECT_EQ(GetMeasurementsManager()->ToUnit(1), 10);
    EXPECT_EQ(GetMeasurementsManager()->FromUnit(10), 2);
    EXPECT_EQ(GetMeasurementsManager()->UnitSuffix(), " pt");
    // Ties go to the even whole number: 2.5 pt and 3.5 pt.
    EXPECT_EQ(GetMeasurementsManager()->FormatValue(50), "2 pt");
    EXPECT_EQ(GetMeasurementsManager()->FormatValue(70), "4 pt");
    UnitSetting cm(muCentimetres);
    EXPECT_EQ(GetMeasurementsManager()->FormatValue(-567), Comma("-1 cm"));
    EXPECT_EQ(GetMeasurementsManager()->FormatValue(11905), Comma("21 cm"));
    EXPECT_EQ(GetMeasurementsManager()->FormatValue(1417), Comma("2,5 cm"));
}

TEST(PaperSizes, NamesAndSearches)
{
    EXPECT_EQ(GetPaperSizeName(1, false), "A4 (210 x 297 mm)");
    EXPECT_EQ(GetPaperSizeName(1, true), "A4 (297 x 210 mm)");
    EXPECT_EQ(GetPaperSizeName(12, true), "US Quarto (10 13/16 x 8 1/2 in.)");
    EXPECT_EQ(GetPaperSizeName(35, true), "Taille personnalisée");
    EXPECT_EQ(GetPaperSizeName(36, false), "");

    EXPECT_EQ(FindPaperSize(11905, 16838), 1);
    EXPECT_EQ(FindPaperSize(16838, 11905), 1);
    EXPECT_EQ(FindPaperSize(11925, 16818), 1);
    EXPECT_EQ(FindPaperSize(11930, 16838), 35);
    EXPECT_EQ(FindPaperSize(0, 0), 35);
    EXPECT_EQ(GetPaperSizeCode(12240, 15840), 1);
    EXPECT_EQ(GetPaperSizeCode(24480, 31680), 0);
    EXPECT_EQ(GetPaperSizeCode(1, 1), 0);
    EXPECT_EQ(FindEnvelopeSize(9184, 6463), 16);
    EXPECT_EQ(FindEnvelopeSize(11905, 16838), -1);
    // C5 matches the envelope entry, not a paper before it.
    EXPECT_EQ(FindEnvelopeSize(9184, 12983), 15);
}
