// The fixed-point numbers of the numeric edit boxes: how values show, how typed texts read, how steps snap.
#include <gtest/gtest.h>

#include "core/DecimalText.h"

TEST(DecimalText, ValuesShowWithTheirDecimalsAndUnit)
{
    const struct {
        int32_t value;
        int digits;
        const char* tail;
        const char* shown;
    } cases[] = {{12345, 2, "", "123,45"}, {12300, 2, "", "123"},        {5, 2, "", "0,05"},
                 {-5, 2, "", "-0,05"},     {100, 0, "", "100"},          {0, 1, "", "0"},
                 {25, 1, " cm", "2,5 cm"}, {-1200, 1, " pt", "-120 pt"}, {INT32_MIN, 0, "", "-2147483648"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatFixedValue(c.value, c.digits, ',', c.tail), c.shown) << c.value;
}

TEST(DecimalText, TypedTextsReadAsTheyAreMeant)
{
    const struct {
        const char* text;
        int digits;
        const char* tail;
        std::optional<int32_t> value;
    } cases[] = {
        {"2,55", 1, "", 25},          // the decimals are cut, not rounded
        {"abc", 1, "", std::nullopt}, // no digit
        {"2.5", 1, "", 25},           // the other separators serve too
        {",5", 2, "", 50},
        {"-,5", 1, "", -5},
        {"12", 2, "", 1200},
        {"3,5 cm", 1, " cm", 35},
        {"3,5cm ", 1, " cm", 35},
        {"1x2", 0, "", std::nullopt},
        {"+7", 0, "", 7},
        {"99999999999", 0, "", std::nullopt},
        {"-2147483648", 0, "", INT32_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseFixedValue(c.text, c.digits, ',', c.tail), c.value) << c.text;
}

TEST(DecimalText, StepsSnapToTheirMultiplesWithinTheRange)
{
    EXPECT_EQ(StepFixedValue(7, 5, 0, 100), 10);
    EXPECT_EQ(StepFixedValue(7, -5, 0, 100), 0);
    EXPECT_EQ(StepFixedValue(98, 5, 0, 100), 100);
    EXPECT_EQ(StepFixedValue(3, -5, 2, 100), 2);
    EXPECT_EQ(StepFixedValue(10, 10, 0, 1000), 20);
}
