// The EVENTNAMES resource generated from its text source: a packed table of the events' display texts.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

#include "core/Events.h"

namespace {

uint32_t U32(const uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

} // namespace

TEST(EventNamesResource, HoldsTheDisplayTextsOfSixtyNineEvents)
{
    HRSRC res = FindResourceA(nullptr, "EVENTNAMES", MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    ASSERT_NE(res, nullptr);
    const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, res)));
    const uint32_t size = SizeofResource(nullptr, res);
    ASSERT_GE(size, 4u);
    const uint32_t n = U32(data);
    ASSERT_EQ(n, 69u);
    ASSERT_GE(size, 4 + 8 * n);

    std::set<int32_t> known;
    for (int i = 0; i < EventNameCount; ++i)
        known.insert(EventNames[i].Id);
    std::map<int32_t, std::string> texts;
    int32_t previous = INT32_MIN;
    for (uint32_t i = 0; i < n; ++i) {
        const int32_t id = static_cast<int32_t>(U32(data + 4 + 4 * i));
        EXPECT_GT(id, previous);
        previous = id;
        EXPECT_TRUE(known.count(id)) << id;
        const uint32_t entry = U32(data + 4 + 4 * n + 4 * i);
        const uint32_t len = entry & 0xFF, offset = entry >> 8;
        ASSERT_LE(offset + len, size);
        texts[id] = std::string(reinterpret_cast<const char*>(data + offset), len);
    }
    EXPECT_EQ(texts[200], "Lancement d'Quillpad");
    EXPECT_EQ(texts[2100], "Passage au mode aperçu avant impression");
    EXPECT_EQ(texts[3020], "Passage au mode \"Masquer tout\"");
    EXPECT_EQ(texts[9000], "À propos d'Quillpad");
    EXPECT_EQ(texts[13000], "Clic de souris");
    EXPECT_EQ(texts.count(12100), 0u); // single keys have no display text
    EXPECT_EQ(texts.count(13100), 0u);
}
