// Program events: broadcasting to handlers and finding events by name.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/Events.h"

namespace {

struct TRecorder : TEventHandler {
    std::vector<std::pair<int, int32_t>>* Log;
    int Tag;
    TRecorder(std::vector<std::pair<int, int32_t>>* log, int tag) : Log(log), Tag(tag) {}
    void HandleEvent(int32_t event) override { Log->push_back({Tag, event}); }
};

} // namespace

TEST(Events, BroadcastReachesHandlersInRegistrationOrderUntilFreed)
{
    std::vector<std::pair<int, int32_t>> log;
    TriggerEvent(200); // nobody listens yet: nothing happens
    auto first = std::make_unique<TRecorder>(&log, 1);
    auto second = std::make_unique<TRecorder>(&log, 2);
    TriggerEvent(1002);
    first.reset();
    TriggerEvent(220);
    std::vector<std::pair<int, int32_t>> expected = {{1, 1002}, {2, 1002}, {2, 220}};
    EXPECT_EQ(log, expected);
}

TEST(Events, HandlerFreeingAnotherDuringBroadcastIsSkipped)
{
    std::vector<std::pair<int, int32_t>> log;
    struct TKiller : TEventHandler {
        std::unique_ptr<TRecorder>* Victim;
        void HandleEvent(int32_t) override { Victim->reset(); }
    };
    std::unique_ptr<TRecorder> victim;
    TKiller killer;
    killer.Victim = &victim;
    victim = std::make_unique<TRecorder>(&log, 1);
    TriggerEvent(2000);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(victim, nullptr);
}

TEST(Events, FindEventByName)
{
    const std::pair<const char*, int32_t> cases[] = {
        {"START", 200},
        {"start", 200},
        {"StArT", 200},
        {"EXIT", 220},
        {"ABOUT", 9000},
        {"WARNINGMSG", 1000},
        {"confirmationmsg", 1003},
        {"MOUSE_DOUBLECLICK", 13100},
        {"type_key_z", 12125},
        {"TYPE_KEY_0", 12200},
        {"", -1},
        {"STAR", -1},
        {"STARTS", -1},
        {"ZZZ", -1},
        {"AAA", -1},
    };
    for (const auto& [name, id] : cases)
        EXPECT_EQ(FindEventByName(name), id) << name;
    EXPECT_EQ(FindEventByName(std::string("START\0X", 7)), -1);
}

TEST(Events, TableIsSortedAndEveryNameIsFound)
{
    ASSERT_EQ(EventNameCount, 110);
    for (int i = 1; i < EventNameCount; ++i)
        EXPECT_LT(std::string(EventNames[i - 1].Name), std::string(EventNames[i].Name));
    for (int i = 0; i < EventNameCount; ++i)
        EXPECT_EQ(FindEventByName(EventNames[i].Name), EventNames[i].Id) << EventNames[i].Name;
}
