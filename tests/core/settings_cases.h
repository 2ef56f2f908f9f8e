// Values of every kind that a settings store must give back unchanged, shared by the store tests.
#pragma once
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/SettingsStorage.h"

namespace settingscases {

inline std::string LongText()
{
    // Blanks and line breaks around the 512-character piece boundaries.
    std::string text;
    for (int i = 0; text.size() < 1600; ++i)
        text += "mot" + std::to_string(i) + ((i % 7 == 0) ? "  \r\n" : " ");
    text.replace(510, 6, "  \n  ");
    return text;
}

inline const std::vector<std::pair<std::string, std::string>>& Strings()
{
    static const std::vector<std::pair<std::string, std::string>> cases = {
        {"Empty", ""},
        {"Plain", "Quillpad"},
        {"Spaces", "  deux espaces autour  "},
        {"Quotes", "\"entre guillemets\""},
        {"Accents", "Éléphant à côté d'un cœur"},
        {"Break", "première ligne\r\nseconde ligne"},
        {"LoneLF", "a\nb"},
        {"Bracket", "[Section]"},
        {"LeadingEquals", "=valeur"},
        {"Percent", "%41%"},
        {"Semicolon", ";pas un commentaire"},
        {"[", "C:\\Documents\\lettre[1]"},
        {"]", "]"},
        {"%", "nom en pour-cent"},
        {"A", "A"},
    };
    return cases;
}

inline const std::vector<std::pair<std::string, int32_t>>& Integers()
{
    static const std::vector<std::pair<std::string, int32_t>> cases = {
        {"Zero", 0}, {"One", 1}, {"Negative", -42}, {"Min", INT32_MIN}, {"Max", INT32_MAX},
    };
    return cases;
}

inline std::vector<uint8_t> Block()
{
    std::vector<uint8_t> block;
    for (int i = 0; i < 700; ++i)
        block.push_back(static_cast<uint8_t>(i * 37));
    return block;
}

// Writes one value of every kind.
inline void WriteAll(TSettingsStorage& s)
{
    s.OpenSection("Values");
    s.WriteBool("True", true);
    s.WriteBool("False", false);
    for (const auto& [name, value] : Integers())
        s.WriteInteger(name, value);
    for (const auto& [name, value] : Strings())
        s.WriteString(name, value);
    s.WriteLongString("Long", LongText());
    s.WriteLongString("LongEmpty", "");
    const std::vector<uint8_t> block = Block();
    s.WriteBinary("Binary", block.data(), block.size());
}

// Reads every value back and compares.
inline void CheckAll(TSettingsStorage& s)
{
    EXPECT_TRUE(s.SectionExists("Values"));
    EXPECT_FALSE(s.SectionExists("Absent"));
    s.OpenSection("values"); // letter case of section names does not matter
    EXPECT_TRUE(s.ReadBool("True", false));
    EXPECT_FALSE(s.ReadBool("False", true));
    for (const auto& [name, value] : Integers())
        EXPECT_EQ(s.ReadInteger(name, INT32_MIN, INT32_MAX, 7), value) << name;
    for (const auto& [name, value] : Strings())
        EXPECT_EQ(s.ReadString(name, "<absent>"), value) << name;
    EXPECT_EQ(s.ReadString("plain", "<absent>"), "Quillpad"); // nor that of value names
    EXPECT_EQ(s.ReadLongString("Long", "<absent>"), LongText());
    EXPECT_EQ(s.ReadLongString("LongEmpty", "<absent>"), "");
    EXPECT_EQ(s.ReadLongString("NoSuchSection", "<absent>"), "<absent>");
    EXPECT_EQ(s.ReadBinary("Binary"), Block());
    EXPECT_TRUE(s.ReadBinary("NoSuchSection").empty());
}

} // namespace settingscases
