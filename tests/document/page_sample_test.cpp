// The page sample of the page dialogs, drawn on a recording surface: pages to scale and centred, two
// facing pages with mirrored margins, greeked rows per column, the line between columns, the marks.
#include <gtest/gtest.h>

#include "core/RecordingSurface.h"
#include "document/PageSample.h"

namespace {

TPageSetup A4()
{
    TPageSetup p{};
    SetPageSetupDefaults(p);
    p[psLeftMargin] = 2000;
    p[psRightMargin] = 1000;
    return p;
}

TSectionParams Columns(int count, bool line)
{
    TSectionParams sp{};
    sp[spColumnCount] = count;
    sp[spEqualWidths] = 1;
    sp[spColumnGap] = 720;
    sp[spLineBetween] = line ? 1 : 0;
    return sp;
}

// The white paper rectangles, left to right.
std::vector<TRect> Pages(const TRecordingSurface& s)
{
    std::vector<TRect> out;
    for (const auto& op : s.Ops)
        if (op.Kind == TDrawOpKind::Fill && op.Color == 0xFFFFFF)
            out.push_back(op.Rect);
    return out;
}

// The rows drawn one pixel high in the text colour, by their top.
std::vector<TRect> Rows(const TRecordingSurface& s, TColorRef paper)
{
    std::vector<TRect> out;
    for (const auto& op : s.Ops)
        if (op.Kind == TDrawOpKind::Fill && op.Rect.Bottom - op.Rect.Top == 1 && op.Color != paper &&
            op.Color != 0x0000FF && op.Rect.Right - op.Rect.Left > 3)
            out.push_back(op.Rect);
    return out;
}

} // namespace

TEST(PageSample, OnePageToScaleWithGreekedRows)
{
    TRecordingSurface s;
    DrawPageSample(s, TRect{0, 0, 200, 200}, A4(), Columns(1, false), {});
    const auto pages = Pages(s);
    ASSERT_EQ(pages.size(), 1u);
    const TRect& page = pages[0];
    // The height fills the area but for the frame; the width follows the paper's proportions, centred.
    EXPECT_EQ(page.Bottom - page.Top, 198);
    EXPECT_NEAR(page.Right - page.Left, 198 * 11905 / 16838, 1);
    EXPECT_NEAR(page.Left, 200 - page.Right, 1);
    const auto rows = Rows(s, 0xFFFFFF);
    ASSERT_GT(rows.size(), 20u);
    for (size_t k = 1; k < rows.size(); ++k)
        EXPECT_EQ(rows[k].Top - rows[k - 1].Top, 2);
    // Every third row ends 6 pixels short; the left margin is the wider one.
    EXPECT_EQ(rows[0].Right - rows[2].Right, 6);
    EXPECT_EQ(rows[1].Right, rows[0].Right);
    EXPECT_GT(rows[0].Left - page.Left, page.Right - rows[0].Right);
}

TEST(PageSample, FacingPagesMirrorTheirMargins)
{
    TPageSetup p = A4();
    p[psMirrorMargins] = 1;
    TRecordingSurface s;
    TPageSampleOptions o;
    o.Highlight = shLeftMargin;
    DrawPageSample(s, TRect{0, 0, 300, 200}, p, Columns(1, false), o);
    const auto pages = Pages(s);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[1].Left - pages[0].Right, 15);
    // The inside margin is marked on each page: left on the first, right on the second.
    std::vector<int32_t> marks;
    for (const auto& op : s.Ops)
        if (op.Color == 0x0000FF)
            marks.push_back(op.Rect.Left);
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_LT(marks[0] - pages[0].Left, pages[0].Right - marks[0]);
    EXPECT_GT(marks[1] - pages[1].Left, pages[1].Right - marks[1]);
    // One page when asked.
    TRecordingSurface single;
    o.SinglePage = true;
    DrawPageSample(single, TRect{0, 0, 300, 200}, p, Columns(1, false), o);
    EXPECT_EQ(Pages(single).size(), 1u);
}

TEST(PageSample, ColumnsLinesAndMarks)
{
    TRecordingSurface s;
    TPageSampleOptions o;
    o.PageNumberMark = 4; // bottom, centred
    DrawPageSample(s, TRect{0, 0, 400, 400}, A4(), Columns(3, true), o);
    const auto rows = Rows(s, 0xFFFFFF);
    // Three rows start at each height, one per column.
    const int32_t top = rows.front().Top;
    int perRow = 0;
    for (const auto& r : rows)
        perRow += r.Top == top ? 1 : 0;
    EXPECT_EQ(perRow, 3);
    int lines = 0, marks = 0;
    for (const auto& op : s.Ops) {
        const int32_t w = op.Rect.Right - op.Rect.Left, h = op.Rect.Bottom - op.Rect.Top;
        lines += w == 1 && h > 50 ? 1 : 0;
        marks += w == 3 && h == 2 ? 1 : 0;
    }
    EXPECT_EQ(lines, 2); // between the columns, from the second on
    EXPECT_EQ(marks, 1);
    // Nothing to draw in an empty area or for a page without size.
    TRecordingSurface none;
    DrawPageSample(none, TRect{0, 0, 0, 0}, A4(), Columns(1, false), {});
    TPageSetup zero{};
    DrawPageSample(none, TRect{0, 0, 100, 100}, zero, Columns(2, false), {});
    EXPECT_TRUE(none.Ops.empty());
}
