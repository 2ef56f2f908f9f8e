// The program's own resources read raw: the generated EVENTNAMES table searched by id, and saved to a file.
#include <gtest/gtest.h>

#include "classlib/runtime/ResourceStream.h"
#include "classlib/runtime/StringList.h"
#include "tests/common/test_support.h"
#include "core/PackedStrings.h"
#include "core/SystemUtils.h"

TEST(ResourceData, EventNamesTableIsSearchedById)
{
    const TResourceData data = LoadResourceData("EVENTNAMES", RT_RCDATA_TYPE);
    ASSERT_NE(data.Data, nullptr);
    EXPECT_EQ(FindPackedString(data.Data, data.Size, 1003), "Message de confirmation");
    EXPECT_EQ(FindPackedString(data.Data, data.Size, 200), "Lancement d'Quillpad");
    EXPECT_EQ(FindPackedString(data.Data, data.Size, 13000), "Clic de souris");
    EXPECT_EQ(FindPackedString(data.Data, data.Size, 12100), "");
    TStringList list;
    PackedStringsToList(data.Data, data.Size, list);
    ASSERT_EQ(list.Count(), 69);
    EXPECT_EQ(list.Objects(0), 200);
    EXPECT_EQ(list[0], "Lancement d'Quillpad");
}

TEST(ResourceData, AbsentResourceGivesNothing)
{
    const TResourceData data = LoadResourceData("NOSUCHRESOURCE", RT_RCDATA_TYPE);
    EXPECT_EQ(data.Data, nullptr);
    EXPECT_EQ(data.Size, 0u);
    EXPECT_FALSE(SaveResourceToFile("NOSUCHRESOURCE", RT_RCDATA_TYPE, qptest::ScratchDir() + "\\absent.bin"));
}

TEST(ResourceData, SavedFileHoldsTheResourceBytes)
{
    const TResourceData data = LoadResourceData("EVENTNAMES", RT_RCDATA_TYPE);
    const std::string file = qptest::ScratchDir() + "\\events.bin";
    ASSERT_TRUE(SaveResourceToFile("EVENTNAMES", RT_RCDATA_TYPE, file));
    ASSERT_TRUE(SaveResourceToFile("EVENTNAMES", RT_RCDATA_TYPE, file)); // replaced
    EXPECT_EQ(qptest::ReadFileBytes(file), std::string(static_cast<const char*>(data.Data), data.Size));
    EXPECT_FALSE(
        SaveResourceToFile("EVENTNAMES", RT_RCDATA_TYPE, qptest::ScratchDir() + "\\no\\such\\dir\\x.bin"));
}
