// The names the commands that save a part of a document propose: pictures numbered on from the user's
// own choice, inserts named after their first words.
#include <gtest/gtest.h>

#include "formats/save/PictureFiles.h"
#include "formats/save/SaveCommands.h"

TEST(PictureNames, ProposalAndNumberingContinuedFromTheChosenName)
{
    EXPECT_EQ(ProposedPictureName("Image%s.%s", 1, pfPng), "Image1.png");
    EXPECT_EQ(ProposedPictureName("Image%s.%s", 12, pfTiff), "Image12.tif");
    EXPECT_EQ(ProposedPictureName("Image%s.%s", 3, 99), "Image3.bmp") << "an unknown format is a bitmap";
    const struct {
        const char* Chosen;
        const char* Pattern;
        int32_t Counter;
    } cases[] = {
        {"C:\\Images\\Vacances7.jpg", "Vacances%s.%s", 8},
        {"Plan 009.png", "Plan %s.%s", 10},
        {"42.gif", "%s.%s", 43},
        {"100%Rouge5.bmp", "100%%Rouge%s.%s", 6}, // a percent sign of the name stays itself
        {"Sans numéro.png", "Image%s.%s", 3},     // no digits: the numbering goes on as it was
        {"Photo12.v2.png", "Photo12.v%s.%s", 3},  // the digits that end the stem
        {"Trop1234567890.png", "Image%s.%s", 3},  // too many digits for a number
    };
    for (const auto& c : cases) {
        std::string pattern = "Image%s.%s";
        int32_t counter = 3;
        ContinuePictureNumbering(c.Chosen, pattern, counter);
        EXPECT_EQ(pattern, c.Pattern) << c.Chosen;
        EXPECT_EQ(counter, c.Counter) << c.Chosen;
        EXPECT_NO_THROW(ProposedPictureName(pattern, counter, pfJpeg)) << c.Chosen;
    }
    std::string pattern = "Image%s.%s";
    int32_t counter = 1;
    ContinuePictureNumbering("Photo7.jpg", pattern, counter);
    EXPECT_EQ(ProposedPictureName(pattern, counter, pfJpeg), "Photo8.jpg");
    EXPECT_EQ(PictureSaveFilter().substr(0, 26), "Image bitmap (*.bmp)|*.bmp");
}

TEST(InsertNames, FirstWordsWithoutWhatCannotEndThem)
{
    const struct {
        const char* Text;
        const char* Name;
    } cases[] = {
        {"Bonjour à tous !", "Bonjour à tous"},
        {"Ligne\x02suite\x07tab", "Ligne suite tab"},
        {"  a:b/c\\d*e?f\"g<h>i|j  ", "a b c d e f g h i j"},
        {"... !!! ---", ""},
        {"", ""},
        {"Une phrase assez longue pour dépasser les cinquante caractères permis",
         "Une phrase assez longue pour dépasser les cinquant"},
        {"Quarante-neuf caractères exactement, puis un point.",
         "Quarante-neuf caractères exactement, puis un point"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InsertNameFromText(c.Text), c.Name) << c.Text;
}
