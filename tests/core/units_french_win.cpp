// Lengths shown in the French locale the program runs under.
#include "classlib/runtime/Format.h"
#include "core/Options.h"
#include "core/Units.h"
#include <gtest/gtest.h>

TEST(UnitsFrench, DecimalComma)
{
    EXPECT_EQ(FormatSettings.DecimalSeparator, ',');
    const uint8_t saved = CurrentOptions().General.Measurements;
    CurrentOptions().General.Measurements = muCentimetres;
    EXPECT_EQ(GetMeasurementsManager()->FormatValue(1440), "2,54 cm");
    CurrentOptions().General.Measurements = muPicas;
    EXPECT_EQ(GetMeasurementsManager()->FormatValue(1500), "6,25 pi");
    CurrentOptions().General.Measurements = saved;
}
