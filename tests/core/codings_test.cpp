// The list of document formats: filters, save indexes, extensions and templates.
#include <gtest/gtest.h>

#include "core/Codings.h"

namespace {
int CountEntries(const std::string& filter)
{
    int bars = 0;
    for (char c : filter)
        bars += c == '|';
    return (bars + 1) / 2;
}
} // namespace

TEST(Codings, FiltersListTheFormats)
{
    std::string open = TCodingManager::GetOpenFilter();
    std::string save = TCodingManager::GetSaveFilter();
    EXPECT_EQ(CountEntries(open), 9);
    EXPECT_EQ(CountEntries(save), 6);
    EXPECT_NE(save.back(), '|');
    EXPECT_EQ(save.find("Write"), std::string::npos);
    EXPECT_EQ(open.rfind("Tous les fichiers (*.*)|*.*"), open.size() - 27);
    EXPECT_EQ(save.substr(0, 26), "Document RTF (*.rtf)|*.rtf");
}

TEST(Codings, SaveFilterIndexesSkipWrite)
{
    const int codings[] = {0, 1, 2, 4, 5, 6};
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(TCodingManager::SaveFilterIndexToCoding(i), codings[i - 1]) << i;
        EXPECT_EQ(TCodingManager::CodingToSaveFilterIndex(codings[i - 1]), i) << i;
    }
    EXPECT_FALSE(TCodingManager::CanSaveCoding(cdWrite));
    EXPECT_TRUE(TCodingManager::CanSaveCoding(cdDosText));
}

TEST(Codings, DefaultExtension)
{
    EXPECT_EQ(TCodingManager::AddDefaultExtension("report.", 1), "report");
    EXPECT_EQ(TCodingManager::AddDefaultExtension("report.", 5), "report");
    EXPECT_EQ(TCodingManager::AddDefaultExtension("report.txt", 1), "report.txt");
    EXPECT_EQ(TCodingManager::AddDefaultExtension("report", 4), "report.cod");
    EXPECT_EQ(TCodingManager::AddDefaultExtension("c:\\my.docs\\report", 1), "c:\\my.docs\\report.rtf");
}

TEST(Codings, ClassifiesExtensions)
{
    struct {
        const char* name;
        uint8_t picture;
        bool document, web;
    } cases[] = {
        {"photo.JPEG", 3, false, false}, {"a.tga", 9, false, false},
        {"a.xyz", 255, false, false},    {"a", 255, false, false},
        {"a.ani", 12, false, false},     {"Lettre.RTF", 255, true, false},
        {"x.Doc", 255, true, false},     {"page.HTML", 255, false, true},
        {"song.mp3", 255, false, true},  {"c:\\dir.png\\file", 255, false, false},
    };
    for (auto& c : cases) {
        EXPECT_EQ(TCodingManager::GetPictureFormat(c.name), c.picture) << c.name;
        EXPECT_EQ(TCodingManager::IsDocumentExt(c.name), c.document) << c.name;
        EXPECT_EQ(TCodingManager::IsWebOrMediaExt(c.name), c.web) << c.name;
    }
    EXPECT_TRUE(TCodingManager::IsKnownExtension("WRI"));
    EXPECT_FALSE(TCodingManager::IsKnownExtension("dot"));
}

TEST(Codings, IdentifiersAndTemplates)
{
    EXPECT_EQ(TCodingManager::GetCodingIdentifier(cdWord6), "MS Word 6.0");
    EXPECT_EQ(TCodingManager::FindCodingByIdentifier("DOS text"), cdDosText);
    EXPECT_EQ(TCodingManager::FindCodingByIdentifier("dos text"), -1);
    EXPECT_EQ(TCodingManager::GetCodingIdentifier(7), "");
    std::array<std::string, 6> templates = {"N.rtf", "W6.rtf", "W97.rtf", "C.rtf", "P.rtf", "D.rtf"};
    const char* expected[] = {"N.rtf", "W6.rtf", "W97.rtf", "N.rtf", "C.rtf", "P.rtf", "P.rtf", "P.rtf"};
    for (int coding = 0; coding <= 7; ++coding)
        EXPECT_EQ(TCodingManager::GetTemplateForCoding(coding, templates), expected[coding]) << coding;
}
