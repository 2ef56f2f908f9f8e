// The caret on laid-out documents: locating positions, stepping, placing it, its shape and its place.
#include <gtest/gtest.h>

#include "core/FontDevice.h"
#include "core/Fonts.h"
#include "document/Page.h"
#include "layout_support.h"
#include "paged_document.h"
#include "tagged_text.h"

using qptest::TPagedDocument;

namespace {

// The font manager measures through the fixed device: a 12-point font has ascent 14 and descent 5.
class CaretTest : public qptest::FixedDeviceTest {
protected:
    TTextPos Located(TPagedDocument& d, int32_t par, int32_t offset, int32_t hint = 0, int32_t flag = 0)
    {
        TTextPos pos{};
        pos.ParIndex = par;
        pos.Offset = offset;
        pos.LineHint = hint;
        d.Doc.LocateTextPos(pos, flag);
        return pos;
    }
};

TEST_F(CaretTest, LocatesLinePageAndXAcrossLinesPagesAndTheDocument)
{
    TPagedDocument d;
    d.Par(3);
    d.Par(12); // lines 0 to 6 on page 0, 7 to 11 on page 1
    d.Prepare();
    // At a wrap point the hint decides: the end of the line before, or with the later line as hint
    // the start of that line.
    struct Case {
        int32_t par, offset, hint, line, page, x;
    } cases[] = {
        {0, 0, 0, 0, 0, 0},    // start of the document
        {0, 1, 0, 0, 0, 80},   // end of line 0
        {0, 1, 1, 1, 0, 0},    // start of line 1
        {0, 3, 0, 2, 0, 80},   // before a paragraph mark
        {1, 7, 0, 6, 0, 80},   // end of page 0
        {1, 7, 7, 7, 1, 0},    // start of page 1
        {1, 9, 9, 9, 1, 0},    // a line in the middle of page 1
        {1, 12, 0, 11, 1, 80}, // the last mark: end of the document
    };
    for (const Case& c : cases) {
        const TTextPos pos = Located(d, c.par, c.offset, c.hint);
        EXPECT_EQ(pos.LineIndex, c.line) << c.par << ":" << c.offset;
        EXPECT_EQ(pos.PageIndex, c.page) << c.par << ":" << c.offset;
        EXPECT_EQ(pos.X, c.x) << c.par << ":" << c.offset;
    }
}

TEST_F(CaretTest, LocatingPaginatesInGrowingSlices)
{
    TPagedDocument d;
    for (int i = 0; i < 20; ++i)
        d.Par(10); // a page each
    d.Prepare();
    EXPECT_EQ(Located(d, 5, 0).PageIndex, 5);
    EXPECT_EQ(d.Doc.Pages.size(), 7u); // slices of 1, 2 and 4 pages
    EXPECT_FALSE(d.Doc.GetModeFlag(mfPaginationComplete));
    EXPECT_EQ(Located(d, 2, 4).PageIndex, 2);
    EXPECT_EQ(d.Doc.Pages.size(), 7u); // already placed: nothing more to lay out
}

TEST_F(CaretTest, TextThatNoPageHoldsStopsOnceThePaginationIsComplete)
{
    TPagedDocument d;
    for (int i = 0; i < 3; ++i)
        d.Par(10);
    d.NotePar();
    d.HeaderFooter(d.LastSection(), hfOddHeader, 1);
    d.Prepare();
    const TTextPos note = Located(d, 3, 0);
    EXPECT_TRUE(d.Doc.GetModeFlag(mfPaginationComplete));
    EXPECT_EQ(d.Doc.Pages.size(), 4u); // the header takes a line from each page
    EXPECT_EQ(note.PageIndex, -1);
    const TTextPos header = Located(d, 4, 0);
    EXPECT_EQ(header.PageIndex, 0); // the first page that shows it
    EXPECT_EQ(header.LineIndex, 0);
    d.Doc.EditedHeaderFooter = d.LastSection().HeaderFooter[hfOddHeader];
    d.Doc.EditedHeaderFooterPage = 2;
    EXPECT_EQ(Located(d, 4, 0).PageIndex, 2); // the page it is edited on
    d.Doc.EditedHeaderFooter = nullptr;
}

TEST_F(CaretTest, StepsCrossParagraphEndsAndStopAtTheMainTextEnds)
{
    TPagedDocument d;
    d.Par(2);
    d.Par(1);
    d.NotePar();
    d.Prepare();
    TTextPos pos{};
    pos.ParIndex = 1;
    pos.Offset = 0;
    ASSERT_TRUE(d.Doc.PrevCharPos(pos));
    EXPECT_EQ(pos.ParIndex, 0);
    EXPECT_EQ(pos.Offset, 2); // before the paragraph mark
    ASSERT_TRUE(d.Doc.NextCharPos(pos));
    EXPECT_EQ(pos.ParIndex, 1);
    EXPECT_EQ(pos.Offset, 0);
    ASSERT_TRUE(d.Doc.NextCharPos(pos));
    EXPECT_FALSE(d.Doc.NextCharPos(pos)); // the main text's last mark
    EXPECT_EQ(pos.Offset, 1);
    pos.ParIndex = 0;
    pos.Offset = 0;
    EXPECT_FALSE(d.Doc.PrevCharPos(pos));
}

TEST_F(CaretTest, PlacingTheCaretAfterABreakPutsItBeforeTheBreak)
{
    TPagedDocument d;
    d.BreakPar(6); // "a", a page break, then the mark on the next line
    d.Par(1);
    d.Prepare();
    TTextPos pos = Located(d, 0, 2, 0, 1); // the end of line 0, after the break
    ASSERT_EQ(pos.LineIndex, 0);
    d.Doc.PlaceCaret(pos, 0);
    EXPECT_EQ(d.Doc.Caret.Offset, 1);
    EXPECT_EQ(d.Doc.Caret.LineIndex, 0);
    EXPECT_EQ(d.Doc.Caret.X, 80);
    d.Doc.PlaceCaret(pos, 2); // option 2 leaves it where it was put
    EXPECT_EQ(d.Doc.Caret.Offset, 2);
    d.Doc.SetCaret(0, 99, 0, 0); // clamped to the mark, at the start of page 1
    EXPECT_EQ(d.Doc.Caret.Offset, 2);
    EXPECT_EQ(d.Doc.Caret.LineIndex, 1);
    EXPECT_EQ(d.Doc.Caret.PageIndex, 1);
}

// 日 (93 FA) and あ (82 A0) in a font of the Shift-JIS character set, then the mark.
TEST_F(CaretTest, NeverStandsBetweenTheBytesOfADoubleByteCharacter)
{
    TPagedDocument d;
    d.Par(1);
    const int f = GetFontManager().RegisterFont("Arial", 128, 0);
    qptest::SetTaggedText(*d.Doc.Paragraphs[0], "{0:" + std::to_string(f) + "}\x93\xfa\x82\xa0{22:2}");
    d.Prepare();
    EXPECT_EQ(d.Doc.CharBoundary(0, 1, true), 2);
    EXPECT_EQ(d.Doc.CharBoundary(0, 3, false), 2);
    EXPECT_EQ(d.Doc.CharBoundary(0, 2, false), 2);
    // Moving forward into a character goes on to its end; moving back goes to its start.
    d.Doc.PlaceCaret(Located(d, 0, 0), 0);
    d.Doc.PlaceCaret(Located(d, 0, 1), 0);
    EXPECT_EQ(d.Doc.Caret.Offset, 2);
    EXPECT_EQ(d.Doc.Caret.X, 160); // after the first character, a full em
    d.Doc.PlaceCaret(Located(d, 0, 4), 0);
    d.Doc.PlaceCaret(Located(d, 0, 3), 0);
    EXPECT_EQ(d.Doc.Caret.Offset, 2);
    // In a single-byte font the same bytes are two characters each.
    qptest::SetTaggedText(*d.Doc.Paragraphs[0], "\x93\xfa\x82\xa0{22:2}");
    d.Prepare();
    EXPECT_EQ(d.Doc.CharBoundary(0, 1, true), 1);
}

TEST_F(CaretTest, ShapeFollowsTheTypingFormat)
{
    TPagedDocument d;
    d.Par(1);
    d.Prepare();
    d.Doc.UpdateCaretShape();
    EXPECT_EQ(d.Doc.CaretState.Ascent, 14);
    EXPECT_EQ(d.Doc.CaretState.Descent, 5);
    EXPECT_EQ(d.Doc.CaretState.Shape.Height, 19);
    EXPECT_EQ(d.Doc.CaretState.Shape.Width, 2);
    EXPECT_FALSE(d.Doc.CaretState.Shape.Slanted);
    d.Doc.InsertionFormat[cfItalic] = 1;
    d.Doc.UpdateCaretShape();
    EXPECT_TRUE(d.Doc.CaretState.Shape.Slanted);
    EXPECT_EQ(d.Doc.CaretState.Shape.Width, 6); // 19 / 4 rounded up, + 1
    EXPECT_EQ(d.Doc.CaretState.Shape.XOffset, 3);
    d.Doc.InsertionFormat[cfItalic] = 0;
    d.Doc.InsertionFormat[cfSize] = 12; // 6 points: ascent 7, descent 2
    d.Doc.UpdateCaretShape();
    EXPECT_EQ(d.Doc.CaretState.Shape.Height, 9);
    EXPECT_EQ(d.Doc.CaretState.Shape.Width, 1);
    // Super- and subscripts take the caret of their smaller font, 65 % of the size.
    d.Doc.InsertionFormat[cfSize] = 15;
    d.Doc.UpdateCaretShape();
    const int32_t smallAscent = d.Doc.CaretState.Ascent, smallHeight = d.Doc.CaretState.Shape.Height;
    d.Doc.InsertionFormat[cfSize] = 24;
    for (int32_t position : {1, 2}) {
        d.Doc.InsertionFormat[cfVertPos] = position;
        d.Doc.UpdateCaretShape();
        EXPECT_EQ(d.Doc.CaretState.Ascent, smallAscent) << position;
        EXPECT_EQ(d.Doc.CaretState.Shape.Height, smallHeight) << position;
    }
    EXPECT_LT(smallHeight, 19);
    d.Doc.InsertionFormat[cfVertPos] = 0;
    // With a selection the caret takes the format of the text at the caret: here italic.
    qptest::SetTaggedText(*d.Doc.Paragraphs[0], "{3:1}a{22:2}");
    TTextPos start{}, end{};
    end.Offset = 1;
    d.Doc.Selection = TTextRange{start, end};
    d.Doc.Caret = end;
    d.Doc.UpdateCaretShape();
    EXPECT_TRUE(d.Doc.CaretState.Shape.Slanted);
    EXPECT_EQ(d.Doc.CaretState.Shape.Height, 19);
}

TEST_F(CaretTest, GeometryFollowsPageLineAndZoom)
{
    TPagedDocument d;
    d.Par(12);
    d.Prepare();
    d.Doc.PaginateAll();
    d.ShowInWindow(800, 600);
    // Two pages of 576 x 196 one above the other, centred: page 0 at (112, 99), page 1 at (112, 305).
    ASSERT_EQ(d.Doc.Pages[1]->ViewRect.Left, 112);
    ASSERT_EQ(d.Doc.Pages[1]->ViewRect.Top, 305);
    d.Doc.UpdateCaretShape();
    struct Case {
        int32_t offset, hint, x, y;
    } cases[] = {
        {0, 0, 159, 99 + 48 + 8 - 14},    // page 0, line 0: margin 48, baseline 8 below the line top
        {3, 3, 159, 99 + 78 + 8 - 14},    // the start of line 3
        {3, 0, 169, 99 + 68 + 8 - 14},    // the end of line 2, after one character
        {10, 10, 159, 305 + 48 + 8 - 14}, // the start of page 1
        {12, 0, 169, 305 + 58 + 8 - 14},  // the end of the document: page 1, line 1
    };
    for (const Case& c : cases) {
        d.Doc.SetCaret(0, c.offset, c.hint, 0);
        EXPECT_EQ(d.Doc.CaretState.X, c.x) << c.offset;
        EXPECT_EQ(d.Doc.CaretState.Y, c.y) << c.offset;
    }
    // A superscript caret's top meets the top of full-size text, a subscript caret's bottom its
    // bottom, the smaller font's measures grown back by 100 / 65.
    d.Doc.InsertionFormat[cfVertPos] = 1;
    d.Doc.UpdateCaretShape();
    d.Doc.SetCaret(0, 0, 0, 0);
    EXPECT_EQ(d.Doc.CaretState.Y, 99 + 48 + 8 - 14);
    d.Doc.InsertionFormat[cfVertPos] = 2;
    d.Doc.UpdateCaretShape();
    d.Doc.SetCaret(0, 0, 0, 0);
    // (the smaller font's descent of 2 pixels grown to full size gives 3 here)
    EXPECT_EQ(d.Doc.CaretState.Descent, 2);
    EXPECT_EQ(d.Doc.CaretState.Y + d.Doc.CaretState.Shape.Height, 99 + 48 + 8 + 3);
    d.Doc.InsertionFormat[cfVertPos] = 0;
    d.Doc.UpdateCaretShape();
    // At 200 % the page, the line and the caret's font grow.
    d.Doc.SetZoom(200);
    d.Doc.UpdatePageLayout();
    d.Doc.UpdateCaretShape();
    EXPECT_EQ(d.Doc.CaretState.Ascent, 29);
    d.Doc.SetCaret(0, 12, 0, 0);
    const TRect page = d.Doc.Pages[1]->ViewRect;
    EXPECT_EQ(page.Right - page.Left, 1152);
    EXPECT_EQ(page.Top, 412);
    EXPECT_EQ(d.Doc.CaretState.X, page.Left + 96 + 20 - 1);
    EXPECT_EQ(d.Doc.CaretState.Y, page.Top + 2 * (58 + 8) - 29);
}

} // namespace
