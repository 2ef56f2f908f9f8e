// The DOS and Unicode conversions of the Windows code page.
#include <gtest/gtest.h>

#include <string>

#include "codecs/CodePages.h"

TEST(CodePages, DosConversionIsExactBothWays)
{
    std::string oem = "\x82t\x82 \x85 l'\x87"
                      "a"; // "été à l'ça" in the DOS code page
    uint8_t* p = reinterpret_cast<uint8_t*>(oem.data());
    OemToAnsiBuffer(p, static_cast<int32_t>(oem.size()));
    EXPECT_EQ(oem, "été à l'ça");
    for (int b = 0; b < 256; ++b) {
        uint8_t x = static_cast<uint8_t>(b);
        OemToAnsiBuffer(&x, 1);
        AnsiToOemBuffer(&x, 1);
        EXPECT_EQ(x, b);
    }
}

TEST(CodePages, Unicode)
{
    EXPECT_EQ(UnicodeToAnsi(0x20AC), 0x80);
    EXPECT_EQ(UnicodeToAnsi(0xE9), 0xE9);
    EXPECT_EQ(UnicodeToAnsi(0x2014), 151);
    EXPECT_EQ(UnicodeToAnsi(20320), -1);
    EXPECT_EQ(AnsiToUnicode(0x9C), 0x153u);
}
