// The build turns French literals into Windows-1252 bytes.
#include <gtest/gtest.h>
#include <string>

TEST(Charset, FrenchLiteralIsWindows1252)
{
    const std::string s = "é à œ €";
    const std::string expected = "\xE9 \xE0 \x9C \x80";
    EXPECT_EQ(s, expected);
}
