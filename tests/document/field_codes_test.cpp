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

TEST(FieldCodes, HyperlinkCodesBuiltAndReadBack)
{
    EXPECT_EQ(BuildHyperlinkFieldCode("jean@exemple.fr", ""), "HYPERLINK \"mailto:jean@exemple.fr\"");
    EXPECT_EQ(BuildHyperlinkFieldCode("mailto:jean@exemple.fr", ""), "HYPERLINK \"mailto:jean@exemple.fr\"");
    EXPECT_EQ(BuildHyperlinkFieldCode("#Chapitre_2", ""), "HYPERLINK \\l \"Chapitre_2\"");
    EXPECT_EQ(BuildHyperlinkFieldCode("C:\\Docs\\a.rtf", "Voir"),
              "HYPERLINK \"C:\\\\Docs\\\\a.rtf\" \\o \"Voir\"");
    // Quotes and backslashes in the texts survive the round trip through the words of the code.
    const std::pair<std::string, std::string> texts[] = {
        {"http://exemple.fr/a", "Le \"bon\" lien"},
        {"C:\\Mes documents\\lettre.rtf", "fin\\"},
        {"#marque", ""},
    };
    for (const auto& [address, tooltip] : texts) {
        std::string readAddress, readTooltip;
        ParseHyperlinkFieldCode(BuildHyperlinkFieldCode(address, tooltip), readAddress, readTooltip);
        EXPECT_EQ(readAddress, address);
        EXPECT_EQ(readTooltip, tooltip);
    }
    bool bookmark = false;
    EXPECT_EQ(ParseHyperlinkTarget("HYPERLINK \\l \"marque\" \\o \"x\"", bookmark), "marque");
    EXPECT_TRUE(bookmark);
    EXPECT_EQ(ParseHyperlinkTarget("HYPERLINK \"http://a\"", bookmark), "http://a");
    EXPECT_FALSE(bookmark);
    EXPECT_EQ(ParseHyperlinkTarget("HYPERLINK", bookmark), "");
}

TEST(FieldCodes, PageReferenceDateAndSymbolCodes)
{
    TPageRefCode ref = ParsePageRefFieldCode("PAGEREF _Toc12 \\h");
    EXPECT_TRUE(ref.Hyperlink);
    EXPECT_FALSE(ref.Relative);
    EXPECT_EQ(ref.Bookmark, "_Toc12");
    ref = ParsePageRefFieldCode("PAGEREF \\p \"ma marque\"");
    EXPECT_TRUE(ref.Relative);
    EXPECT_EQ(ref.Bookmark, "ma marque");

    EXPECT_EQ(ParseDateFieldFormat("DATE \\@ \"dd/MM/yyyy\" \\* MERGEFORMAT"), "dd/MM/yyyy");
    EXPECT_EQ(ParseDateFieldFormat("DATE"), "");
    EXPECT_EQ(ParseDateFieldFormat("DATE \\@ \"dd MMMM"), "dd MMMM"); // cut short: up to the end

    int32_t character = 0;
    std::string font = "x";
    ParseSymbolFieldCode("SYMBOL", character, font);
    EXPECT_EQ(character, 63);
    EXPECT_EQ(font, "");
    ParseSymbolFieldCode(BuildSymbolFieldCode(183, "Symbol"), character, font);
    EXPECT_EQ(character, 183);
    EXPECT_EQ(font, "Symbol");
    EXPECT_EQ(BuildSymbolFieldCode(65, "Wingdings"), "SYMBOL 65 \\f \"Wingdings\"");
    ParseSymbolFieldCode("SYMBOL 99999999999 \\f \"", character, font);
    EXPECT_EQ(character, INT32_MAX);
    EXPECT_EQ(font, "");
    ParseSymbolFieldCode("SYMBOL 1 \\f ", character, font);
    EXPECT_EQ(font, "");
}

TEST(FieldCodes, TableOfContentsCodes)
{
    TTocOptions o = ParseTocFieldCode("TOC \\o \"1-12\" \\h");
    EXPECT_EQ(o.HeadingLevels, 1); // one digit only
    EXPECT_TRUE(o.PageNumbers);
    o = ParseTocFieldCode("TOC \\h");
    EXPECT_EQ(o.HeadingLevels, 3);
    EXPECT_FALSE(o.RightAligned);
    o = ParseTocFieldCode("TOC \\n");
    EXPECT_FALSE(o.PageNumbers);
    o = ParseTocFieldCode("TOC \\o"); // cut short: no digit where the level stands
    EXPECT_EQ(o.HeadingLevels, 1);
    o = ParseTocFieldCode("TOC \\r");
    EXPECT_TRUE(o.RightAligned);
    EXPECT_EQ(o.RightAlignedTabStyle, 0);

    TTocOptions written;
    written.HeadingLevels = 4;
    written.RightAligned = 1;
    written.RightAlignedTabStyle = 2;
    written.SeparatorUsed = 1;
    written.Separator = " \"-\" ";
    const std::string code = BuildTocFieldCode(written);
    EXPECT_EQ(code, "TOC \\h \\o \"1-4\" \\r3 \\e \" \"\"-\"\" \"");
    o = ParseTocFieldCode(code);
    EXPECT_EQ(o.HeadingLevels, 4);
    EXPECT_TRUE(o.RightAligned);
    EXPECT_EQ(o.RightAlignedTabStyle, 2);
    EXPECT_TRUE(o.SeparatorUsed);
    EXPECT_EQ(o.Separator, written.Separator);

    written = {};
    written.RightAligned = 0;
    EXPECT_EQ(BuildTocFieldCode(written), "TOC \\h \\o \"1-3\" \\p \" \"");
    written.PageNumbers = 0;
    EXPECT_EQ(BuildTocFieldCode(written), "TOC \\h \\o \"1-3\" \\n");
}
