// Window geometry helpers: regions, points between controls, the mouse position.
#include <gtest/gtest.h>
#include <windows.h>

#include "classlib/windowing/Forms.h"
#include "classlib/windowing/StdCtrls.h"
#include "core/WindowUtils.h"

TEST(WindowUtils, ExcludeRectFromRgnCutsTheRectangleOut)
{
    TRegionHandle region = reinterpret_cast<TRegionHandle>(CreateRectRgn(0, 0, 100, 100));
    ExcludeRectFromRgn({10, 10, 50, 50}, region);
    HRGN rgn = reinterpret_cast<HRGN>(region);
    EXPECT_FALSE(PtInRegion(rgn, 20, 20));
    EXPECT_TRUE(PtInRegion(rgn, 5, 5));
    EXPECT_TRUE(PtInRegion(rgn, 60, 60));
    DeleteObject(rgn);
}

TEST(WindowUtils, PointsMoveBetweenControlsAndCursorFollows)
{
    TForm form(nullptr);
    form.SetClientSize(300, 200);
    form.SetBounds(100, 100, 320, 240);
    auto* a = new TButton(&form);
    a->SetParent(&form);
    a->SetBounds(10, 20, 50, 20);
    auto* b = new TButton(&form);
    b->SetParent(&form);
    b->SetBounds(110, 70, 50, 20);
    form.Show();

    TPoint p = MapControlPoint(a, b, {5, 5});
    EXPECT_EQ(p.X, 5 + 10 - 110);
    EXPECT_EQ(p.Y, 5 + 20 - 70);

    POINT origin = {0, 0};
    ClientToScreen(a->Handle(), &origin);
    ASSERT_TRUE(SetCursorPos(origin.x + 7, origin.y + 3));
    TPoint screen = GetCursorPosition();
    EXPECT_EQ(screen.X, origin.x + 7);
    EXPECT_EQ(screen.Y, origin.y + 3);
    TPoint inside = GetCursorPosInControl(a);
    EXPECT_EQ(inside.X, 7);
    EXPECT_EQ(inside.Y, 3);
}

TEST(WindowUtils, WorkAreaRectWithoutMainFormStaysAsGiven)
{
    TRect r = WorkAreaToScreenRect({1, 2, 3, 4});
    EXPECT_EQ(r.Left, 1);
    EXPECT_EQ(r.Bottom, 4);
}
