// The DOS and Unicode conversions of the Windows code page.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "codecs/CodePages.h"

// DOS text converts as the system converts it: what both code pages hold goes back and forth unchanged,
// and a character that one page lacks shows as its nearest form, never as another character.
TEST(CodePages, DosConversionAsTheSystemMakesIt)
{
    std::string oem = "\x82t\x82 \x85 l'\x87"
                      "a \xae\xaf \x9c"; // "été à l'ça «» £" in the DOS code page
    OemToAnsiBuffer(reinterpret_cast<uint8_t*>(oem.data()), static_cast<int32_t>(oem.size()));
    EXPECT_EQ(oem, "été à l'ça «» £");
    std::string shared = "éèêëàâäçùûüôöîïÉÈÀÇ«»£±°§";
    const std::string before = shared;
    AnsiToOemBuffer(reinterpret_cast<uint8_t*>(shared.data()), static_cast<int32_t>(shared.size()));
    OemToAnsiBuffer(reinterpret_cast<uint8_t*>(shared.data()), static_cast<int32_t>(shared.size()));
    EXPECT_EQ(shared, before);
    // Windows characters that DOS lacks: the apostrophe of "l’été", the "œ" of "cœur", the dashes.
    std::string lost = "l’été cœur — € Œ";
    AnsiToOemBuffer(reinterpret_cast<uint8_t*>(lost.data()), static_cast<int32_t>(lost.size()));
    EXPECT_EQ(lost, "l'\x82t\x82 cour - ? O");
    // DOS box drawing: the nearest signs.
    std::string box = "\xc9\xcd\xc4";
    OemToAnsiBuffer(reinterpret_cast<uint8_t*>(box.data()), static_cast<int32_t>(box.size()));
    EXPECT_EQ(box[0], '+');
    EXPECT_EQ(box[2], '-');
}

TEST(CodePages, Unicode)
{
    EXPECT_EQ(UnicodeToAnsi(0x20AC), 0x80);
    EXPECT_EQ(UnicodeToAnsi(0xE9), 0xE9);
    EXPECT_EQ(UnicodeToAnsi(0x2014), 151);
    EXPECT_EQ(UnicodeToAnsi(20320), -1);
    EXPECT_EQ(AnsiToUnicode(0x9C), 0x153u);
}
