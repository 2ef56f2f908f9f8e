// The locale functions under Windows in French: character types, case and string order.
#include <gtest/gtest.h>

#include "core/TextUtils.h"

TEST(TextUtilsWin, FrenchLocale)
{
    for (char c : std::string("aZ9éÉœçÿ"))
        EXPECT_TRUE(IsAlphaNumChar(DefaultLanguage, c)) << static_cast<int>(static_cast<unsigned char>(c));
    for (char c : std::string(" .,;'«»\x96"))
        EXPECT_FALSE(IsAlphaNumChar(0x40C, c)) << static_cast<int>(static_cast<unsigned char>(c));

    EXPECT_EQ(UpperCaseLocale(0x40C, "œuvre à l'été"), "ŒUVRE À L'ÉTÉ");
    EXPECT_EQ(CompareTextLocale("élan", "ELAN"), 1);
    EXPECT_EQ(CompareTextLocale("Été", "éTÉ"), 0);
    EXPECT_EQ(CompareTextLocale("élan", "eux"), -1); // é sorts with e
    EXPECT_EQ(CompareStrLocale("a", "A"), -1);
    EXPECT_EQ(CompareStrLocale("co-op", "coop"), -1); // string sort: the hyphen counts
}
