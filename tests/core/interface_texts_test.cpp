// The shared text tables are complete and in the program's code page.
#include <gtest/gtest.h>

#include <cstring>

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
#undef CHECK
    EXPECT_STREQ(ButtonCaptions[8], "Non \xE0 &tout");
    EXPECT_STREQ(GoToTargets[9], "&Choisir le signet :");
    EXPECT_STREQ(OperationNames[15], "la saisie de texte");
    EXPECT_STREQ(OperationNames[59], "l'insertion");
}
