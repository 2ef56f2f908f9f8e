// Field codes split into words, and hyperlink codes read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/FieldCodes.h"

TEST(FieldCodes, SplitIntoWords)
{
    EXPECT_EQ(SplitFieldCode("HYPERLINK  \"http://a b\" \\o \"bulle\""),
              (std::vector<std::string>{"HYPERLINK", "http://a b", "\\o", "bulle"}));
    EXPECT_EQ(SplitFieldCode("REF \"nom\"suite"), (std::vector<std::string>{"REF", "nom", "suite"}));
    EXPECT_EQ(SplitFieldCode("INCLUDEPICTURE \"C:\\\\\\\\images\\\\a.png\""),
              (std::vector<std::string>{"INCLUDEPICTURE", "C:\\images\\a.png"}));
    EXPECT_TRUE(SplitFieldCode("   ").empty());
}

TEST(FieldCodes, HyperlinkAddressAndTooltip)
{
    std::string address, tooltip;
    ParseHyperlinkFieldCode("HYPERLINK \"doc.rtf\" \\l \"_Toc1\" \\o \"Voir le titre\"", address, tooltip);
    EXPECT_EQ(address, "doc.rtf#_Toc1");
    EXPECT_EQ(tooltip, "Voir le titre");
    ParseHyperlinkFieldCode("HYPERLINK \\l \"marque\"", address, tooltip);
    EXPECT_EQ(address, "#marque");
    EXPECT_EQ(tooltip, "");
    ParseHyperlinkFieldCode("HYPERLINK \"a\" \"b\" \\o", address, tooltip);
    EXPECT_EQ(address, "a"); // the first word only; a switch without its word is dropped
}
