// The compact menu resources: levels, special items, editing mode and the search by command.
#include <gtest/gtest.h>

#include "core/MenuResource.h"

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> list)
{
    return std::vector<uint8_t>(list.begin(), list.end());
}

std::vector<TMenuResourceItem> Parse(const std::vector<uint8_t>& data, const TMenuParseHooks& hooks = {})
{
    std::vector<TMenuResourceItem> items;
    ParseMenuResource(items, data.data(), data.size(), hooks);
    return items;
}

} // namespace

TEST(MenuResource, ItemsAndSubItems)
{
    const auto data = Bytes({3, 'a', 'b', 'c', 100, 0, 0, 0, 0xFE, 1, 'x', 101, 0, 0, 0, 0xFF, 0xFF});
    const auto items = Parse(data);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].Caption, "abc");
    EXPECT_EQ(items[0].Command, 100u);
    ASSERT_EQ(items[0].Items.size(), 1u);
    EXPECT_EQ(items[0].Items[0].Caption, "x");
    EXPECT_EQ(items[0].Items[0].Command, 101u);

    // A caption or a command cut by the end of the resource is not read.
    EXPECT_TRUE(Parse(Bytes({5, 'a', 'b'})).empty());
    EXPECT_TRUE(Parse(Bytes({1, 'a', 1, 0})).empty());
    EXPECT_EQ(Parse(Bytes({0xFE, 0xFE, 0xFE})).size(), 0u);
}

TEST(MenuResource, PlaceholdersAndReceivingItems)
{
    // A placeholder, the toolbar list and a plain item.
    const auto data =
        Bytes({1, 'p', 0xD0, 0xD1, 0x9A, 0x3B, 1, 't', 0x8E, 0x17, 0, 0, 1, 'q', 0x68, 1, 0, 0, 0xFF});
    TMenuParseHooks hooks;
    hooks.LoadMenu = [](const std::string& name) {
        TMenuResourceItem item;
        item.Caption = "de " + name;
        return std::vector<TMenuResourceItem>{item};
    };
    hooks.CommandCaption = [](uint32_t command) { return "commande " + std::to_string(command); };

    const auto normal = Parse(data, hooks);
    ASSERT_EQ(normal.size(), 2u); // the placeholder is dropped
    EXPECT_EQ(normal[0].Caption, "Barres d'outils");
    ASSERT_EQ(normal[0].Items.size(), 1u);
    EXPECT_EQ(normal[0].Items[0].Caption, "de TLBAR");
    EXPECT_EQ(normal[1].Command, 360u);

    MenuEditing = true;
    const auto edited = Parse(data, hooks);
    MenuEditing = false;
    ASSERT_EQ(edited.size(), 3u);
    EXPECT_EQ(edited[0].Caption, "( Vide )");
    EXPECT_FALSE(edited[0].Enabled);
    EXPECT_EQ(edited[1].Caption, "commande 6030");
    EXPECT_TRUE(edited[1].Items.empty());
}

TEST(MenuResource, SearchFindsASubItemBeforeItsParent)
{
    std::vector<TMenuResourceItem> items(1);
    items[0].Command = 7;
    items[0].Items.resize(2);
    items[0].Items[0].Command = 7;
    items[0].Items[0].Caption = "premier";
    items[0].Items[1].Command = 7;
    items[0].Items[1].Caption = "dernier";
    const TMenuResourceItem* found = FindMenuItemByTag(items, 7);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Caption, "dernier");
    EXPECT_EQ(FindMenuItemByTag(items, 8), nullptr);
}
