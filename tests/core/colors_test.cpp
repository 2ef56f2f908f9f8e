// Colour schemes, palettes and the nearest standard colour.
#include "core/Colors.h"
#include "core/SystemColors.h"
#include <gtest/gtest.h>

TEST(ColorScheme, TextReadsBackEverySlotItWrites)
{
    TColorScheme scheme;
    for (int i = 0; i < ColorSchemeSlotCount; ++i)
        scheme.Slots[i] = 0x010203 * (i + 1);
    const std::string text = scheme.SaveToString();
    EXPECT_EQ(text.size(), 13u * 8);
    EXPECT_EQ(text.substr(0, 16), "0001020300020406");
    TColorScheme back;
    back.LoadFromString(text);
    EXPECT_TRUE(back.IsEqual(scheme)); // the user's slots 11 and 12 included
}

TEST(ColorScheme, TextRules)
{
    TColorScheme scheme;
    scheme.Slots[0] = 0x00FF00;
    scheme.Slots[2] = int32_t(0xABCDEF01);
    // Trailing default slots are left out; an inner one is written as FFFFFFFF.
    EXPECT_EQ(scheme.SaveToString(), "0000FF00FFFFFFFFABCDEF01");
    EXPECT_EQ(TColorScheme().SaveToString(), "");

    // A built-in scheme text of 11 groups sets slots 0 to 10; 11 and 12 keep their defaults.
    TColorScheme loaded;
    loaded.Slots[11] = 5;
    loaded.LoadFromString(std::string(88, '1'));
    for (int i = 0; i <= 10; ++i)
        EXPECT_EQ(loaded.Slots[i], 0x11111111);
    EXPECT_EQ(loaded.Slots[11], -1);
    EXPECT_EQ(loaded.Slots[12], -1);

    // A short text, a broken group or a damaged value leaves the rest at the defaults.
    loaded.LoadFromString("00000001000000");
    EXPECT_EQ(loaded.Slots[0], 1);
    EXPECT_EQ(loaded.Slots[1], -1);
    loaded.LoadFromString("0000000200X0000000000003");
    EXPECT_EQ(loaded.Slots[0], 2);
    EXPECT_EQ(loaded.Slots[1], -1);
    EXPECT_EQ(loaded.Slots[2], -1);
    loaded.LoadFromString("");
    EXPECT_TRUE(loaded.IsEqual(TColorScheme()));
}

TEST(ColorScheme, DefaultsAndAssign)
{
    TColorScheme scheme;
    EXPECT_EQ(scheme.GetColor(csPageMarginLimit), 0xFF0000u);
    EXPECT_EQ(scheme.GetColor(csNewTabStops), 0x0000FFu);
    EXPECT_EQ(scheme.GetColor(csPageBackground), GetSystemColor(SysColorWindow));
    EXPECT_EQ(scheme.GetColor(csRulerBackground), GetSystemColor(SysColorButtonFace));
    scheme.Slots[csPageBackground] = 0x123456;
    EXPECT_EQ(scheme.GetColor(csPageBackground), 0x123456u);

    TColorScheme copy;
    copy.Assign(scheme);
    EXPECT_TRUE(copy.IsEqual(scheme));
    EXPECT_EQ(std::string(ColorSlotName(2)), "Arrière-plan de page");
}

TEST(ColorManager, SwitchesPalettes)
{
    TColorManager manager;
    EXPECT_EQ(manager.CurrentPalette(), manager.UserPalette());
    manager.UseDefaultColors();
    TColorPalette* def = manager.CurrentPalette();
    EXPECT_EQ(def, manager.GetDefaultPalette());
    EXPECT_EQ(def->GetColor(csPageBackground), 0xFFFFFFu);
    EXPECT_EQ(def->GetColor(csPageGap), 0x808080u);

    TColorScheme scheme;
    scheme.Slots[csAutoText] = 0x0000AA;
    manager.UpdateSchemeColors(scheme);
    EXPECT_EQ(manager.UserPalette()->GetColor(csAutoText), 0x0000AAu);
    // The built-in palette was made again and is still the current one.
    EXPECT_EQ(manager.CurrentPalette(), manager.GetDefaultPalette());
    manager.UseSchemeColors();
    EXPECT_EQ(manager.CurrentPalette()->GetColor(csAutoText), 0x0000AAu);
}

TEST(StandardColors, Nearest)
{
    EXPECT_EQ(NearestStandardColor(0x7F7F7F), 15);
    EXPECT_EQ(NearestStandardColor(0x000000), 1);
    EXPECT_EQ(NearestStandardColor(0xFFFFFF), 8);
    EXPECT_EQ(NearestStandardColor(0x0000F0), 6);
    // Equally far from black (1) and dark red (13): the lower index wins.
    EXPECT_EQ(NearestStandardColor(0x000040), 1);

    std::vector<TColorTableEntry> table(2);
    table[0].Automatic = true;
    table[1].Color = 0xC0C0C1;
    TColorManager::MatchColorTable(table);
    EXPECT_EQ(table[0].StandardIndex, 0);
    EXPECT_EQ(table[1].StandardIndex, 16);
}
