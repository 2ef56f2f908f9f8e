// Packed tab stops, tab tables, their register, and the working table with default stops.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/TabTables.h"

namespace {

TTabTable Table(const std::vector<uint32_t>& stops)
{
    TTabTable t;
    for (uint32_t s : stops)
        t.AddTab(s);
    return t;
}

std::vector<int32_t> Positions(const TTabTable& t)
{
    std::vector<int32_t> p;
    for (int i = 0; i < t.Count(); ++i)
        p.push_back(TabStopPosition(t[i]));
    return p;
}

std::vector<int32_t> Multiples(int32_t from, int32_t step, int32_t to)
{
    std::vector<int32_t> p;
    for (int32_t x = from; x <= to; x += step)
        p.push_back(x);
    return p;
}

} // namespace

TEST(TabTables, PackedStops)
{
    EXPECT_EQ(PackTabStop(1440, tkDecimal, tlDots), 0x130005A0u);
    EXPECT_EQ(PackTabStop(0x123456, tkBar, tlUnderline), 0x34123456u);
    EXPECT_EQ(PackTabStop(10, tkRight, tlNone), 0x0200000Fu); // below 16: 15
    EXPECT_EQ(PackTabStop(-200, tkLeft, tlNone), 15u);
    EXPECT_EQ(PackTabStop(16, tkLeft, tlNone), 16u);
    EXPECT_EQ(PackTabStop(0x1000010, 0x13, 0x12), 0x23000010u); // each part keeps to its bits
    int32_t pos, kind, leader;
    UnpackTabStop(0x3412ABCDu, pos, kind, leader);
    EXPECT_EQ(pos, 0x12ABCD);
    EXPECT_EQ(kind, 4);
    EXPECT_EQ(leader, 3);
}

TEST(TabTables, TableOperations)
{
    TTabTable t =
        Table({PackTabStop(2000, tkLeft, 0), PackTabStop(500, tkBar, 0), PackTabStop(2000, tkRight, 1),
               PackTabStop(1000, tkCenter, 0), PackTabStop(2000, tkLeft, 0) /* same value: dropped */});
    EXPECT_EQ(Positions(t), (std::vector<int32_t>{2000, 500, 2000, 1000}));
    EXPECT_EQ(t.IndexOf(2000), 2); // the last one at that position
    EXPECT_TRUE(t.HasTabAt(500));
    EXPECT_FALSE(t.HasTabAt(501));

    // Bar stops are never a tab's target.
    EXPECT_EQ(t.FindNextTab(0, false), PackTabStop(2000, tkLeft, 0));
    EXPECT_EQ(t.FindNextTab(2000, false), NoTabStop);
    EXPECT_EQ(t.FindNextTab(2000, true), PackTabStop(2000, tkLeft, 0));
    t.Sort();
    EXPECT_EQ(Positions(t), (std::vector<int32_t>{500, 1000, 2000, 2000}));
    EXPECT_EQ(t[2], PackTabStop(2000, tkLeft, 0)); // equal positions keep their order
    EXPECT_EQ(t.FindNextTab(0, false), PackTabStop(1000, tkCenter, 0));

    t.DeleteTab(2000);
    EXPECT_EQ(t.Count(), 3);
    EXPECT_EQ(t[2], PackTabStop(2000, tkLeft, 0));
    t.DeleteTab(7);
    EXPECT_EQ(t.Count(), 3);

    // A position below 15 is raised to 15 with its kind and leader.
    TTabTable low;
    low.AddTab(0x12000003u);
    EXPECT_EQ(low[0], 0x1200000Fu);

    // The 51st stop is dropped.
    TTabTable full;
    for (int i = 1; i <= 51; ++i)
        full.AddTab(PackTabStop(i * 100, tkLeft, 0));
    EXPECT_EQ(full.Count(), 50);
    EXPECT_FALSE(full.HasTabAt(5100));

    TTabTable copy;
    copy.Assign(t);
    EXPECT_TRUE(copy == t);
}

TEST(TabTables, RegisterSharesEqualTables)
{
    TTabManager m;
    EXPECT_EQ(m.RegisterTabTable(TTabTable()), -1);
    TTabTable a = Table({PackTabStop(1000, 0, 0), PackTabStop(2000, 0, 0)});
    TTabTable b = Table({PackTabStop(2000, 0, 0), PackTabStop(1000, 0, 0)});
    EXPECT_EQ(m.RegisterTabTable(a), 0);
    EXPECT_EQ(m.RegisterTabTable(b), 1); // same stops in another order: another table
    EXPECT_EQ(m.RegisterTabTable(Table({PackTabStop(1000, 0, 0), PackTabStop(2000, 0, 0)})), 0);
    EXPECT_EQ(m.Count(), 2);
    a.AddTab(PackTabStop(3000, 0, 0)); // the register keeps its own copy
    EXPECT_EQ(m.Table(0).Count(), 2);
}

TEST(TabTables, WorkingTable)
{
    TTabManager m;
    // No table: default stops every 720 twips up to 31680 less the right indent.
    EXPECT_EQ(Positions(m.BuildTabStops(-1, 0)), Multiples(720, 720, 31680));
    EXPECT_EQ(Positions(m.BuildTabStops(-1, 1440)), Multiples(720, 720, 30240));

    // Explicit stops, a bar stop left out, then default stops after the last one.
    int t = m.RegisterTabTable(Table(
        {PackTabStop(1000, tkRight, tlDots), PackTabStop(1800, tkBar, 0), PackTabStop(2500, tkLeft, 0)}));
    const TTabTable& w = m.BuildTabStops(t, 0);
    EXPECT_EQ(w[0], PackTabStop(1000, tkRight, tlDots));
    std::vector<int32_t> expected{1000, 2500};
    for (int32_t x : Multiples(2880, 720, 31680))
        expected.push_back(x);
    EXPECT_EQ(Positions(w), expected);

    // Stops at or beyond the limit end the copying, but the first stop is always taken and at
    // least one default stop follows an empty table.
    int far = m.RegisterTabTable(Table({PackTabStop(31000, 0, 0), PackTabStop(31500, 0, 0)}));
    EXPECT_EQ(Positions(m.BuildTabStops(far, 1000)), (std::vector<int32_t>{31000}));
    EXPECT_EQ(Positions(m.BuildTabStops(-1, 40000)), (std::vector<int32_t>{720}));
}

TEST(TabTables, WorkingTableFollowsWhatItDependsOn)
{
    TTabManager m;
    EXPECT_EQ(m.BuildTabStops(-1, 0).Count(), 44);
    // Another right indent or default interval with the same table rebuilds it.
    EXPECT_EQ(m.BuildTabStops(-1, 30000).Count(), 2);
    m.SetDefaultTabInterval(1440);
    EXPECT_EQ(Positions(m.BuildTabStops(-1, 30000)), (std::vector<int32_t>{1440}));
    EXPECT_EQ(Positions(m.BuildTabStops(-1, 0)), Multiples(1440, 1440, 31680));
    // An interval of 0 or less counts as the standard 720.
    for (int32_t interval : {0, -5}) {
        m.SetDefaultTabInterval(interval);
        EXPECT_EQ(Positions(m.BuildTabStops(-1, 0)), Multiples(720, 720, 31680)) << interval;
    }
    // A tiny interval fills the table to its 50 stops and ends.
    m.SetDefaultTabInterval(1);
    const TTabTable& tiny = m.BuildTabStops(-1, 0);
    EXPECT_EQ(tiny.Count(), 50);
    EXPECT_EQ(TabStopPosition(tiny[0]), 15); // stops below 15 twips are raised to 15
    // A table index that names no table counts as none.
    m.SetDefaultTabInterval(720);
    EXPECT_EQ(m.BuildTabStops(99, 0).Count(), 44);
}
