// The default style list of new documents and the recognition of built-in style names.
#include <gtest/gtest.h>

#include "core/StyleManager.h"
#include "core/FormatRecords.h"

TEST(StyleManager, DefaultListOfNewDocuments)
{
    const TStyleList& list = *GetStyleManager().DefaultList;
    ASSERT_EQ(list.Count(), 22);
    const struct {
        int32_t Index;
        const char* Name;
        const char* DisplayName;
        int32_t BuiltInId, BasedOn, NextStyle;
    } rows[] = {
        {0, "Normal", "Normal", 0, -1, 0},         {1, "Heading 1", "Titre 1", 1, -1, -1},
        {9, "Heading 9", "Titre 9", 9, -1, -1},    {10, "Header", "En-tête", 31, 0, 10},
        {11, "Footer", "Pied de page", 32, 0, 11}, {12, "TOC Title", "Titre TM", 91, -1, -1},
        {13, "TOC 1", "TM 1", 19, -1, -1},         {21, "TOC 9", "TM 9", 27, -1, -1},
    };
    for (const auto& r : rows) {
        const TStyle& s = *list.StyleOf(r.Index);
        EXPECT_EQ(s.Name, r.Name);
        EXPECT_EQ(s.DisplayName, r.DisplayName);
        EXPECT_EQ(s.BuiltInId, r.BuiltInId) << r.Name;
        EXPECT_TRUE(s.IsBuiltIn);
        EXPECT_EQ(s.BasedOn, r.BasedOn) << r.Name;
        EXPECT_EQ(s.NextStyle, r.NextStyle) << r.Name;
        EXPECT_EQ(s.ParaFormat[pfStyle], r.Index);
    }
    EXPECT_EQ(list.StyleOf(0)->CharFormat[cfSize], 20);
    EXPECT_EQ(list.StyleOf(1)->CharFormat[cfSize], UndefinedField);
    EXPECT_EQ(list.StyleOf(12)->CharFormat[cfBold], 1);
    EXPECT_EQ(list.StyleOf(12)->ParaFormat[pfSpaceBefore], 120);
    EXPECT_EQ(list.StyleOf(21)->ParaFormat[pfLeftIndent], 8 * 240);
    // A document's copy is its own.
    TStyleList copy(nullptr, nullptr);
    copy.Assign(list);
    ASSERT_EQ(copy.Count(), 22);
    EXPECT_EQ(copy.StyleOf(10)->Owner, &copy);
    EXPECT_EQ(copy.StyleOf(10)->DisplayName, "En-tête");
    FreeStyleManager();
}

TEST(StyleManager, BuiltInNamesInEitherLanguage)
{
    const struct {
        const char* Typed;
        int32_t Id;
        const char* Name;
        const char* DisplayName;
    } cases[] = {
        {"titre 2", 2, "Heading 2", "Titre 2"},
        {"TITRE 2", 2, "Heading 2", "Titre 2"},
        {"heading 2", 2, "Heading 2", "Titre 2"},
        {"En-tête", 31, "Header", "En-tête"},
        {"en-tete", -1, "en-tete", "en-tete"},
        {"EN-TêTE", 31, "Header", "En-tête"},
        {"Note Heading", 79, "Note Heading", "En-tête de message"},
        {"Mon style", -1, "Mon style", "Mon style"},
    };
    TStyleList list(nullptr, nullptr);
    for (const auto& c : cases) {
        auto style = std::make_unique<TStyle>(&list);
        style->Name = style->DisplayName = c.Typed;
        list.Styles.push_back(std::move(style));
    }
    GetStyleManager().IdentifyBuiltInStyles(list);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const TStyle& s = *list.Styles[i];
        EXPECT_EQ(s.BuiltInId, cases[i].Id) << cases[i].Typed;
        EXPECT_EQ(s.IsBuiltIn, cases[i].Id >= 0) << cases[i].Typed;
        EXPECT_EQ(s.Name, cases[i].Name) << cases[i].Typed;
        EXPECT_EQ(s.DisplayName, cases[i].DisplayName) << cases[i].Typed;
    }
    EXPECT_EQ(BuiltInStyleName(92), "");
    FreeStyleManager();
}
