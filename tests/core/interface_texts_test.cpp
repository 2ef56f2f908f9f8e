// The shared text tables are complete and in the program's code page.
#include <gtest/gtest.h>

#include <cstring>

#include <set>
#include <string>

#include "core/Colors.h"
#include "core/InterfaceTexts.h"

TEST(InterfaceTexts, EveryEntryIsPresent)
{
    auto check = [](const char* const* table, size_t count, const char* name) {
        for (size_t i = 0; i < count; ++i)
            EXPECT_TRUE(table[i] && *table[i]) << name << "[" << i << "]";
    };
#define CHECK(t) check(t, std::size(t), #t)
    CHECK(ButtonCaptions);
    CHECK(MessageFormCaptions);
    CHECK(VersionKinds);
    CHECK(GoToTargets);
    CHECK(ColumnPresets);
    CHECK(ApplyToChoices);
    CHECK(ToolbarNames);
    CHECK(CommandCategories);
    CHECK(NumberBases);
    CHECK(TabKindFormats);
    CHECK(UnderlineNames);
    CHECK(FormattingMarks);
    CHECK(AddressBookCaptions);
    CHECK(HeaderFooterKinds);
    CHECK(OwnFileTypes);
    CHECK(PasteSpecialFormats);
    CHECK(ColorNames);
    CHECK(DocumentFormatNames);
    CHECK(PagesPerSheet);
    CHECK(PageSelections);
    CHECK(WindowCaptions);
    CHECK(TypingModes);
    CHECK(BreakKinds);
    CHECK(ZoomKinds);
    CHECK(DefaultTemplates);
    CHECK(OperationNames);
    CHECK(AutocorrectDescriptions);
    CHECK(CalculatorFunctionDescriptions);
    CHECK(SpecialCharacters);
    CHECK(SpellCheckNotices);
#undef CHECK
    EXPECT_STREQ(ButtonCaptions[8], "Non \xE0 &tout");
    EXPECT_STREQ(GoToTargets[9], "&Choisir le signet :");
    EXPECT_STREQ(OperationNames[15], "la saisie de texte");
    EXPECT_STREQ(OperationNames[59], "l'insertion");
}

TEST(InterfaceTexts, TablesBeginAsTheProgramShowsThem)
{
    const auto startsWith = [](const char* text, const char* start) {
        return std::strncmp(text, start, std::strlen(start)) == 0;
    };
    // Quote styles 1 and 2: guillemets, then German low-high.
    EXPECT_STREQ(QuotationMarkPairs[1][0], "\xAB");
    EXPECT_STREQ(QuotationMarkPairs[1][1], "\xBB");
    EXPECT_STREQ(QuotationMarkPairs[2][0], "\x84");
    EXPECT_STREQ(QuotationMarkPairs[3][0], "\xBB");
    EXPECT_STREQ(AutocorrectDescriptions[0], "Remplacer\r\"%s\" par\r\"%s\"");
    EXPECT_STREQ(AutocorrectDescriptions[1], "Deux majuscules initiales - Corriger");
    EXPECT_TRUE(startsWith(CalculatorFunctionDescriptions[0], "donne le cosinus de l'angle"));
    EXPECT_STREQ(CalculatorFunctionDescriptions[96], "convertit des hectares en acres");
    EXPECT_STREQ(SpecialCharacters[0], "Tiret cadratin (long)");
    EXPECT_STREQ(SpecialCharacters[2], "Trait d'union ins\xE9"
                                       "cable");
    EXPECT_STREQ(SpellCheckNotices[0],
                 "Orthographe : l'option de v\xE9rification automatique n'est pas active.");
    for (const char* notice : SpellCheckNotices)
        EXPECT_TRUE(startsWith(notice, "Orthographe : ")) << notice;

    EXPECT_EQ(DocumentPropertyFields[0].Kind, 15);
    EXPECT_TRUE(startsWith(DocumentPropertyFields[0].Description,
                           "Le titre du document tel qu'on le trouve dans les Propri\xE9t\xE9s du document"));
    EXPECT_STREQ(DocumentPropertyFields[7].FixedSwitch, "\\p");
    EXPECT_EQ(DocumentPropertyFields[21].Options, froNoCase | froNumberFormat | froBookmark);
    EXPECT_EQ(DocumentPropertyFields[22].Kind, 10);

    EXPECT_STREQ(BuiltInColorSchemes[0].Name, "Standard");
    EXPECT_STREQ(BuiltInColorSchemes[1].Name, "Le Grand Bleu");
    EXPECT_STREQ(BuiltInColorSchemes[2].Name, "Humeur Moutarde");
    std::set<std::string> names;
    for (const TBuiltInColorScheme& builtIn : BuiltInColorSchemes) {
        EXPECT_TRUE(names.insert(builtIn.Name).second) << builtIn.Name;
        // Every scheme reads as the colour settings read it and is written back the same.
        TColorScheme scheme;
        scheme.LoadFromString(builtIn.Colors);
        EXPECT_EQ(scheme.SaveToString(), builtIn.Colors) << builtIn.Name;
        EXPECT_TRUE(std::strlen(builtIn.Colors) == 0 ||
                    std::strlen(builtIn.Colors) == 8 * ColorSchemeSlotCount);
    }
}
