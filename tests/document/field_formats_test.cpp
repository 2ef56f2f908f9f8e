// Field results: keywords, number notations, date pictures in French and the case switches.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "classlib/runtime/DateTime.h"
#include "document/Field.h"

namespace {

// A field of a type with a code; each test keeps the fields it makes alive until the end.
const TField& Field(uint8_t type, const std::string& code)
{
    static std::vector<std::unique_ptr<TField>> made;
    made.push_back(std::make_unique<TField>());
    made.back()->FieldType = type;
    made.back()->Code = code;
    return *made.back();
}

TEST(FieldFormats, Keywords)
{
    EXPECT_EQ(Field(ftPage, "PAGE \\* roman").GetKeyword(), "PAGE");
    EXPECT_EQ(Field(0, "MACHIN truc").GetKeyword(), "MACHIN");
    EXPECT_EQ(Field(200, "").GetKeyword(), "");
}

TEST(FieldFormats, NumbersInTheNotationTheCodeAsks)
{
    const struct {
        const char* Code;
        int32_t Value;
        int32_t Default;
        const char* Text;
    } cases[] = {
        {"PAGE", 12, 255, "12"},
        {"PAGE", 4, 3, "iv"},
        {"PAGE \\* roman", 4, 0, "iv"},
        {"PAGE \\* ROMAN", 1999, 0, "MCMXCIX"},
        {"PAGE \\* alphabetic", 28, 0, "bb"},
        {"PAGE \\* ALPHABETIC", 3, 0, "C"},
        {"PAGE \\* roman \\* Upper", 9, 0, "IX"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Field(ftPage, c.Code).FormatNumber(c.Value, c.Default), c.Text) << c.Code;
}

TEST(FieldFormats, DatesByTheirPictureInFrench)
{
    const double date = EncodeDate(2026, 12, 11) + EncodeTime(16, 5, 9, 0); // a Friday
    EXPECT_EQ(Field(0, "DATE").FormatDateTime(date), "11/12/2026");
    EXPECT_EQ(Field(32, "TIME").FormatDateTime(date), "16:05");
    EXPECT_EQ(Field(0, "DATE \\@ \"dddd d MMMM yyyy\"").FormatDateTime(date), "vendredi 11 décembre 2026");
    EXPECT_EQ(Field(0, "DATE \\@ \"ddd dd MMM yy 'à' h:mm AM/PM\"").FormatDateTime(date),
              "ven. 11 déc. 26 à 4:05 PM");
    EXPECT_EQ(Field(0, "DATE \\@ \"dddd\" \\* Upper").FormatDateTime(date), "VENDREDI");
    EXPECT_EQ(Field(0, "DATE").FormatDateTime(0), "");
}

TEST(FieldFormats, CaseSwitchesTriedInOrder)
{
    EXPECT_EQ(Field(0, "X \\* Caps \\* Upper").ApplyCaseSwitch("été chaud"), "ÉTÉ CHAUD");
    EXPECT_EQ(Field(0, "X \\* Lower").ApplyCaseSwitch("ÉTÉ"), "été");
    EXPECT_EQ(Field(0, "X \\* FirstCap").ApplyCaseSwitch("école du soir"), "École du soir");
    EXPECT_EQ(Field(0, "X \\* Caps").ApplyCaseSwitch("l'ÉCOLE du SOIR-mÊme"), "L'école Du Soir-Même");
    EXPECT_EQ(Field(0, "X").ApplyCaseSwitch("tel quel"), "tel quel");
}

TEST(FieldFormats, PageReferenceLinks)
{
    EXPECT_TRUE(Field(ftPageReference, "PAGEREF _Toc1 \\h").HasHyperlinkSwitch());
    EXPECT_FALSE(Field(ftPageReference, "PAGEREF _Toc1").HasHyperlinkSwitch());
    EXPECT_FALSE(Field(ftHyperlink, "HYPERLINK \\h").HasHyperlinkSwitch());
}

} // namespace
