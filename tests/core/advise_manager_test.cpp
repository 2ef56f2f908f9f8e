// The tips of the advice window: their numbers, the first runs' order, random tips not repeated until
// all were shown, the way back through the history and its length.
#include <gtest/gtest.h>

#include <set>

#include "core/AdviseManager.h"

TEST(AdviseManager, TipsCarryTheirHelpNumbers)
{
    TAdviseManager tips("Premier astuce#12\r\nDeuxième#\r\nTroisième #x7\r\nQuatrième");
    ASSERT_EQ(tips.TipCount(), 4);
    EXPECT_EQ(tips.GetTip(0).Text, "Premier astuce");
    EXPECT_EQ(tips.GetTip(0).Number, 12);
    EXPECT_EQ(tips.GetTip(1).Text, "Deuxième#"); // "#" alone stays
    EXPECT_EQ(tips.GetTip(1).Number, 0);
    EXPECT_EQ(tips.GetTip(2).Text, "Troisième #x7");
    EXPECT_EQ(tips.GetTip(3).Text, "Quatrième");
    EXPECT_EQ(tips.GetTip(4).Text, "");
    EXPECT_EQ(TAdviseManager("").NextTip(0).Text, "");
}

TEST(AdviseManager, FirstRunsGoInOrderThenEveryTipOnceAtRandom)
{
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += "Astuce " + std::to_string(i) + "\r";
    TAdviseManager tips(text);
    EXPECT_EQ(tips.NextTip(3).Text, "Astuce 3"); // the fourth run shows the fourth tip first
    std::set<std::string> seen{"Astuce 3"};
    for (int i = 1; i < 12; ++i)
        EXPECT_TRUE(seen.insert(tips.NextTip(3).Text).second) << i;
    // All shown: a new round begins.
    EXPECT_FALSE(tips.NextTip(3).Text.empty());

    // Back and forward again through the history.
    ASSERT_TRUE(tips.CanGoBack());
    const std::string last = tips.GetTip(tips.History().back()).Text;
    const std::string before = tips.PreviousTip().Text;
    EXPECT_EQ(tips.NextTip(3).Text, last);
    EXPECT_NE(before, "");

    TAdviseManager later(text);
    later.NextTip(25); // beyond the first ten runs: random
    EXPECT_EQ(later.History().size(), 1u);
}

TEST(AdviseManager, TheHistoryKeepsTheLastThousandTips)
{
    TAdviseManager tips("a\rb\rc\r");
    for (size_t i = 0; i < TAdviseManager::MaxHistory + 1; ++i)
        tips.NextTip(50);
    EXPECT_EQ(tips.History().size(), TAdviseManager::MaxHistory);
    int back = 0;
    while (tips.CanGoBack()) {
        tips.PreviousTip();
        ++back;
    }
    EXPECT_EQ(back, int(TAdviseManager::MaxHistory) - 1);
}
