// The program's cursors: each slot loaded once, by its name or the system cursor standing in for it.
#include <gtest/gtest.h>

#include <string>

#include "core/Cursors.h"

TEST(Cursors, SlotsLoadOnceWithTheirNames)
{
    EXPECT_EQ(std::string(CursorResourceName(crNormalCaret)), "NormalCaret");
    EXPECT_EQ(std::string(CursorResourceName(crWheelScl11Static)), "WheelScl_11_Static");
    EXPECT_EQ(std::string(CursorResourceName(crDragRemove)), "DragRemove");
    EXPECT_EQ(std::string(CursorResourceName(0)), "");
    TCursorManager& cursors = CursorManager();
    for (int slot = crNormalCaret; slot <= crDragRemove; ++slot) {
        const uintptr_t cursor = cursors.LoadCursorResource(slot);
        EXPECT_NE(cursor, 0u) << slot;
        EXPECT_EQ(cursors.LoadCursorResource(slot), cursor) << slot;
    }
    EXPECT_EQ(cursors.LoadCursorResource(0), 0u);
    EXPECT_EQ(cursors.LoadCursorResource(CursorSlotCount), 0u);
}
