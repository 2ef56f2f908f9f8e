// Packed string tables: searched by id, listed, and read safely when damaged.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "classlib/runtime/StringList.h"
#include "core/PackedStrings.h"

namespace {

void PutU32(std::string& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A table as the resource generator makes it.
std::string Pack(const std::vector<std::pair<int32_t, std::string>>& rows)
{
    std::string out;
    PutU32(out, static_cast<uint32_t>(rows.size()));
    for (const auto& r : rows)
        PutU32(out, static_cast<uint32_t>(r.first));
    uint32_t offset = 4 + 8 * static_cast<uint32_t>(rows.size());
    for (const auto& r : rows) {
        PutU32(out, static_cast<uint32_t>(r.second.size()) | (offset << 8));
        offset += static_cast<uint32_t>(r.second.size());
    }
    for (const auto& r : rows)
        out += r.second;
    return out;
}

std::string Find(const std::string& table, int32_t id)
{
    return FindPackedString(table.data(), table.size(), id);
}

} // namespace

TEST(PackedStrings, OneStringIsFoundByItsIdAlone)
{
    const std::string table = Pack({{200, "Lancement"}});
    EXPECT_EQ(Find(table, 200), "Lancement");
    EXPECT_EQ(Find(table, 199), "");
    EXPECT_EQ(Find(table, 201), "");
    EXPECT_EQ(Find(Pack({}), 0), "");
}

TEST(PackedStrings, EveryIdOfALargerTableIsFound)
{
    std::vector<std::pair<int32_t, std::string>> rows;
    for (int32_t i = 0; i < 101; ++i)
        rows.push_back({-5000 + 97 * i, "texte " + std::to_string(i)});
    rows.push_back({INT32_MAX, "dernier"});
    rows.insert(rows.begin(), {INT32_MIN, "premier"});
    rows.push_back({INT32_MAX, ""}); // never reached: ids are distinct in a real table
    rows.pop_back();
    const std::string table = Pack(rows);
    for (const auto& r : rows)
        EXPECT_EQ(Find(table, r.first), r.second) << r.first;
    EXPECT_EQ(Find(table, -5001), "");
    EXPECT_EQ(Find(table, -4999), "");
    EXPECT_EQ(Find(table, 5000), "");
}

TEST(PackedStrings, ListHoldsTheTextsInTableOrderWithTheirIds)
{
    const std::string table = Pack({{3, "trois"}, {10, ""}, {42, "quarante-deux"}});
    TStringList list;
    list.Add("ancien");
    PackedStringsToList(table.data(), table.size(), list);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0], "trois");
    EXPECT_EQ(list.Objects(0), 3);
    EXPECT_EQ(list[1], "");
    EXPECT_EQ(list[2], "quarante-deux");
    EXPECT_EQ(list.Objects(2), 42);
}

TEST(PackedStrings, DamagedTablesReadNothingOutside)
{
    std::string table = Pack({{1, "un"}, {2, "deux"}, {3, "trois"}});
    // A count larger than the table holds: only the ids and entries that fit are searched.
    std::string bigCount = table;
    bigCount[3] = 0x7F;
    EXPECT_EQ(Find(bigCount, 3), "");
    // An entry whose text lies beyond the end gives an empty text; the others still read.
    std::string badEntry = table;
    badEntry[4 + 12 + 4 + 3] = 0x7F; // offset of the second text's entry, high byte
    EXPECT_EQ(Find(badEntry, 2), "");
    EXPECT_EQ(Find(badEntry, 3), "trois");
    // Cut short, or no table at all.
    EXPECT_EQ(Find(table.substr(0, 3), 1), "");
    EXPECT_EQ(FindPackedString(nullptr, 100, 1), "");
    TStringList list;
    PackedStringsToList(badEntry.data(), badEntry.size(), list);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[1], "");
}
