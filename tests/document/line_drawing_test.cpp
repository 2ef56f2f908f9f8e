// Drawing paragraph lines on a recording surface over the fixed-proportion font device (a 12-point
// character is 8 pixels wide): where runs, marks, underlines, strikes, highlight and the selection fall,
// and the widths measured at the zoom that drawing and the caret share.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "core/Colors.h"
#include "core/Fonts.h"
#include "core/Options.h"
#include "core/RecordingSurface.h"
#include "core/TabTables.h"
#include "document/Document.h"
#include "document/Page.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"
#include "document/Section.h"
#include "document/TagTargets.h"
#include "document/Field.h"
#include "layout_support.h"
#include "tagged_text.h"

namespace {

constexpr int32_t Left = 100, Top = 50;

class LineDrawing : public qptest::FixedFontTest {
protected:
    void SetUp() override
    {
        FixedFontTest::SetUp();
        SavedView = CurrentOptions().View;
    }
    void TearDown() override
    {
        CurrentOptions().View = SavedView;
        FixedFontTest::TearDown();
    }
    // Breaks the notation into one line 40 characters wide and draws its first line.
    TRecordingSurface& Draw(const std::string& notation)
    {
        TParagraph& p = Break(notation, 40 * 120);
        Surface = TRecordingSurface();
        p.Lines[0]->Draw(Surface, Left, Top);
        return Surface;
    }
    TParLine& L() { return *Doc->Paragraphs[0]->Lines[0]; }
    // X of boundary N in the surface.
    int32_t XAt(int32_t n) { return Left + L().GetZoomedX(n); }
    std::vector<const TDrawOp*> Fills(TColorRef color)
    {
        std::vector<const TDrawOp*> fills;
        for (const TDrawOp* op : Surface.OfKind(TDrawOpKind::Fill))
            if (op->Color == color)
                fills.push_back(op);
        return fills;
    }
    TColorRef TextColor() { return GetColorManager()->CurrentPalette()->GetColor(csAutoText); }

    TRecordingSurface Surface;
    TViewOptions SavedView;
};

TEST_F(LineDrawing, RunsOfOneFormatAtTheirBoundaries)
{
    Draw("ab{2:1}cd{1:48}ef{22:2}");
    // Marks hidden: the paragraph mark draws nothing.
    ASSERT_EQ(Surface.Texts(), (std::vector<std::string>{"ab", "cd", "ef"}));
    const auto texts = Surface.OfKind(TDrawOpKind::Text);
    EXPECT_EQ(texts[0]->Rect.Left, Left);
    EXPECT_EQ(texts[1]->Rect.Left, Left + 16);
    EXPECT_EQ(texts[2]->Rect.Left, Left + 32);
    EXPECT_EQ(texts[0]->Advances, (std::vector<int32_t>{8, 8}));
    EXPECT_EQ(texts[2]->Advances, (std::vector<int32_t>{16, 16}));
    // Tops meet the baseline by each font's ascent: the larger font stands higher.
    const int32_t baseline = Top + L().Ascent;
    TFontManager& fm = GetFontManager();
    const TCharFormat f = DefaultCharFormat();
    const int32_t small = fm.GetSharedFont(f, Doc->DeviceFontHeight(24), false, false, 1)->Metrics.Ascent;
    const int32_t large = fm.GetSharedFont(f, Doc->DeviceFontHeight(48), false, false, 1)->Metrics.Ascent;
    EXPECT_EQ(texts[0]->Rect.Top, baseline - small);
    EXPECT_EQ(texts[2]->Rect.Top, baseline - large);
    EXPECT_NE(texts[0]->Font, texts[1]->Font); // bold
    EXPECT_EQ(texts[0]->Color, TextColor());
}

TEST_F(LineDrawing, SuperscriptTopMeetsFullSizeTextAndSubscriptBottom)
{
    Draw("a{16:1}b{16:2}c{16:0}d{22:2}");
    const auto texts = Surface.OfKind(TDrawOpKind::Text);
    ASSERT_EQ(texts.size(), 4u);
    const int32_t baseline = Top + L().Ascent;
    // The reduced font (65 %) of a 12-point character: 10.4 points, an em of 13 pixels.
    TFontManager& fm = GetFontManager();
    TCharFormat f = DefaultCharFormat();
    TSharedFont* reduced = fm.GetSharedFont(f, Doc->DeviceFontHeight(24 * 65 / 100), false, false, 1);
    EXPECT_EQ(texts[1]->Rect.Top, baseline - reduced->Metrics.Ascent * 100 / 65);
    EXPECT_EQ(texts[2]->Rect.Top, baseline + reduced->Metrics.Descent * 100 / 65 - reduced->Metrics.Ascent -
                                      reduced->Metrics.Descent);
    EXPECT_EQ(texts[3]->Rect.Top, texts[0]->Rect.Top);
}

TEST_F(LineDrawing, FormattingMarks)
{
    Doc->SetModeFlag(mfShowMarks, true);
    // The scheme gives the marks no colour of their own: spaces and the paragraph mark go with the text.
    Draw("a b{22:10}c{22:2}");
    EXPECT_EQ(Surface.Texts(), (std::vector<std::string>{"a\xB7"
                                                         "b",
                                                         "\xB0", "c", "\xB6"}));
    EXPECT_EQ(Surface.OfKind(TDrawOpKind::Text).back()->Color, TextColor());
    // A scheme with its own marks colour: each space a run of its own in it, and the paragraph mark.
    TColorScheme scheme;
    scheme.Slots[csFormattingMarks] = 0x00FF00;
    GetColorManager()->UpdateSchemeColors(scheme);
    GetColorManager()->UseSchemeColors();
    Draw("a b{22:10}c{22:2}");
    EXPECT_EQ(Surface.Texts(), (std::vector<std::string>{"a", "\xB7", "b", "\xB0", "c", "\xB6"}));
    const auto marked = Surface.OfKind(TDrawOpKind::Text);
    EXPECT_EQ(marked[1]->Color, 0x00FF00u);
    EXPECT_EQ(marked[5]->Color, 0x00FF00u);
    EXPECT_EQ(marked[2]->Color, TextColor());
    GetColorManager()->UpdateSchemeColors(TColorScheme());
    CurrentOptions().View.SpecSymbTypes = 0; // no dots for spaces, no paragraph ends
    Draw("a b{22:10}c{22:2}");
    EXPECT_EQ(Surface.Texts(), (std::vector<std::string>{"a b", "\xB0", "c"}));
    Doc->SetModeFlag(mfShowMarks, false);
    Draw("a b{22:10}c{22:2}");
    EXPECT_EQ(Surface.Texts(), (std::vector<std::string>{"a b", " ", "c"}));
}

TEST_F(LineDrawing, BreakLabelsBetweenDottedRules)
{
    Doc->SetModeFlag(mfShowMarks, true);
    Draw("ab{22:6}{22:2}");
    EXPECT_EQ(Surface.Texts(), (std::vector<std::string>{"ab", "Saut de page"}));
    // One rule of every second pixel on each side of the label, on one row.
    const std::vector<TPoint> dots =
        Surface.Pixels(GetColorManager()->CurrentPalette()->GetColor(csFormattingMarks));
    ASSERT_GT(dots.size(), 4u);
    EXPECT_EQ(dots[0].X, XAt(2));
    EXPECT_EQ(dots[1].X - dots[0].X, 2);
    for (const TPoint& p : dots)
        EXPECT_EQ(p.Y, dots[0].Y);

    // A section break names its section's kind; a stored kind outside the four is a plain section break.
    TSection& section = *Doc->Sections[0];
    struct Case {
        int32_t Kind;
        const char* Label;
    } cases[] = {{0, "Saut de section (Continu)"},
                 {3, "Saut de section (Page impaire)"},
                 {7, "Saut de section (Page suivante)"},
                 {-1, "Saut de section (Page suivante)"}};
    for (const Case& c : cases) {
        section.Params[spBreakKind] = c.Kind;
        Draw("ab{23:" + std::to_string(section.Handle) + "}");
        EXPECT_EQ(Surface.Texts(), (std::vector<std::string>{"ab", c.Label})) << c.Kind;
    }
    Doc->SetModeFlag(mfShowMarks, false);
    Draw("ab{22:6}{22:2}");
    EXPECT_EQ(Surface.Texts(), std::vector<std::string>{"ab"});
}

TEST_F(LineDrawing, UnderlinesJoinAndWordsOnlyLeavesSpaces)
{
    const TColorRef ink = TextColor();
    Draw("{6:1}ab {1:48}cd{6:0}e{22:2}");
    // One line under both sizes, at the depth of the larger font.
    auto bars = Fills(ink);
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(bars[0]->Rect.Left, XAt(0));
    EXPECT_EQ(bars[0]->Rect.Right, XAt(5));

    Draw("{6:2}ab  cd{22:2}");
    bars = Fills(ink);
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0]->Rect.Right, XAt(2));
    EXPECT_EQ(bars[1]->Rect.Left, XAt(4));
    EXPECT_EQ(bars[1]->Rect.Right, XAt(6));

    // Dotted underline of two runs: the dots continue from the line's left edge without a jump.
    Draw("{6:4}abc{2:1}def{22:2}");
    bars = Fills(ink);
    ASSERT_GT(bars.size(), 4u);
    for (const TDrawOp* dot : bars)
        EXPECT_EQ((dot->Rect.Left - Left) % 4, 0) << dot->Rect.Left;

    // Double underline: two bars; a wave: a polyline.
    Draw("{6:3}ab{22:2}");
    EXPECT_EQ(Fills(ink).size(), 2u);
    Draw("{6:11}ab{22:2}");
    EXPECT_EQ(Surface.OfKind(TDrawOpKind::Polyline).size(), 1u);
    // An underline colour draws in its own colour.
    Draw("{6:1}{7:6}ab{22:2}");
    EXPECT_EQ(Fills(0x0000FF).size(), 1u);
}

TEST_F(LineDrawing, StrikeStopsBeforeTheParagraphMarkAndHighlightLiesUnderTheText)
{
    Draw("{4:1}ab{22:2}");
    const auto bars = Fills(TextColor());
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(bars[0]->Rect.Left, XAt(0));
    EXPECT_EQ(bars[0]->Rect.Right, XAt(2));
    Draw("{5:1}ab{22:2}");
    EXPECT_EQ(Fills(TextColor()).size(), 2u);

    Draw("{15:7}ab{15:0}c{22:2}");
    ASSERT_FALSE(Surface.Ops.empty());
    const TDrawOp& first = Surface.Ops.front();
    EXPECT_EQ(first.Kind, TDrawOpKind::Fill);
    EXPECT_EQ(first.Color, 0x00FFFFu); // yellow
    EXPECT_EQ(first.Rect.Left, XAt(0));
    EXPECT_EQ(first.Rect.Right, XAt(2));
    EXPECT_EQ(first.Rect.Top, Top);
    EXPECT_EQ(first.Rect.Bottom, Top + L().GetDisplayHeight());
}

TEST_F(LineDrawing, SmallCapsDrawLowerCaseLettersReduced)
{
    Draw("{8:1}aB{22:2}");
    const auto texts = Surface.OfKind(TDrawOpKind::Text);
    ASSERT_EQ(Surface.Texts(), (std::vector<std::string>{"A", "B"}));
    EXPECT_NE(texts[0]->Font, texts[1]->Font);
    EXPECT_GT(texts[0]->Rect.Top, texts[1]->Rect.Top); // the smaller capital stands on the baseline
}

TEST_F(LineDrawing, TabLeaderFillsTheTabsBox)
{
    TTabTable table;
    table.AddTab(PackTabStop(1440, tkLeft, 1));
    Format()[pfTabTable] = Doc->TabManager->RegisterTabTable(table);
    Draw("a{22:7}b{22:2}");
    const auto texts = Surface.OfKind(TDrawOpKind::Text);
    ASSERT_EQ(texts.size(), 3u);
    const TDrawOp& leader = *texts[1];
    // The box from the tab's x to the stop (96 pixels): dots of 8 pixels, the remainder first.
    EXPECT_EQ(leader.Text, std::string(11, '.'));
    EXPECT_EQ(leader.Rect.Left + 11 * 8, XAt(2));
    EXPECT_EQ(XAt(2), Left + 96);
}

TEST_F(LineDrawing, BulletStandsInItsBoxBeforeTheFirstLineAndSpellingMarksUnderTheWords)
{
    Format()[pfBullets] = 1;
    Draw("ab{22:2}");
    auto texts = Surface.OfKind(TDrawOpKind::Text);
    ASSERT_EQ(Surface.Texts(), (std::vector<std::string>{"\xB7", "ab"}));
    // The box: 270 twips (18 pixels) before the text, which the layout moved right by as much.
    EXPECT_EQ(texts[1]->Rect.Left - texts[0]->Rect.Left, 18);
    EXPECT_EQ(XAt(0), Left + 18);
    Format()[pfBullets] = 0;

    TParagraph& p = Break("un mot faux{22:2}", 40 * 120);
    p.Misspellings.push_back(TMisspelling{3, 6, 0});
    Surface = TRecordingSurface();
    p.Lines[0]->Draw(Surface, Left, Top);
    const auto marks = Surface.OfKind(TDrawOpKind::Polyline);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0]->Color, 0x0000FFu);
    EXPECT_EQ(marks[0]->Points.front().X, XAt(3));
    EXPECT_EQ(marks[0]->Points.back().X, XAt(6));
}

TEST_F(LineDrawing, BookmarkBracketsWithMarksAndFieldShading)
{
    TField bookmark, code;
    bookmark.Kind = fkBookmark;
    code.Kind = fkCode;
    const std::string b = std::to_string(RegisterTagTarget(TTagTargetKind::Field, &bookmark));
    const std::string c = std::to_string(RegisterTagTarget(TTagTargetKind::Field, &code));
    const std::string text = "a{26:" + b + "}bc{27:" + b + "}d{26:" + c + "}ef{27:" + c + "}g{22:2}";
    const TColorRef marks = GetColorManager()->CurrentPalette()->GetColor(csFormattingMarks);

    CurrentOptions().View.FldShading = 0;
    Draw(text);
    EXPECT_TRUE(Fills(marks).empty());
    EXPECT_TRUE(Fills(0xC0C0C0).empty());
    // Marks shown: a bracket opening right at the start (its side one pixel left of the boundary),
    // one opening left at the end; shading while marks show.
    CurrentOptions().View.FldShading = 1;
    Doc->SetModeFlag(mfShowMarks, true);
    Draw(text);
    const auto bracket = Fills(marks);
    ASSERT_EQ(bracket.size(), 6u);
    EXPECT_EQ(bracket[0]->Rect.Left, XAt(1) - 1);
    EXPECT_EQ(bracket[0]->Rect.Right - bracket[0]->Rect.Left, 2);
    EXPECT_EQ(bracket[3]->Rect.Left, XAt(3) - 4 + 3);
    const auto shading = Fills(0xC0C0C0);
    ASSERT_EQ(shading.size(), 1u);
    EXPECT_EQ(shading[0]->Rect.Left, XAt(4));
    EXPECT_EQ(shading[0]->Rect.Right, XAt(6));
    // A field that goes on past the line is shaded to its end.
    Draw("a{26:" + c + "}bc{22:2}");
    ASSERT_EQ(Fills(0xC0C0C0).size(), 1u);
    EXPECT_EQ(Fills(0xC0C0C0)[0]->Rect.Right, XAt(4));
    Doc->SetModeFlag(mfShowMarks, false);
    ReleaseTagTarget(std::stoi(b));
    ReleaseTagTarget(std::stoi(c));
}

TEST_F(LineDrawing, SelectionIsInvertedBetweenItsBoundaries)
{
    Draw("abcdef{22:2}");
    EXPECT_TRUE(Surface.OfKind(TDrawOpKind::Invert).empty());
    Doc->Selection = TTextRange{{0, 1, 0, 0, 0, 0}, {0, 3, 0, 0, 0, 0}};
    Draw("abcdef{22:2}");
    auto inverted = Surface.OfKind(TDrawOpKind::Invert);
    ASSERT_EQ(inverted.size(), 1u);
    EXPECT_EQ(inverted[0]->Rect.Left, XAt(1));
    EXPECT_EQ(inverted[0]->Rect.Right, XAt(3));
    EXPECT_EQ(inverted[0]->Rect.Bottom - inverted[0]->Rect.Top, L().GetDisplayHeight());
    // An italic end slants its edge.
    Draw("{3:1}abcdef{22:2}");
    EXPECT_EQ(Surface.OfKind(TDrawOpKind::InvertPolygon).size(), 1u);
    // Printing draws no selection.
    Doc->SetModeFlag(mfPrinting, true);
    Draw("abcdef{22:2}");
    EXPECT_TRUE(Surface.OfKind(TDrawOpKind::Invert).empty());
    Doc->SetModeFlag(mfPrinting, false);
}

TEST_F(LineDrawing, RectangularSelectionInvertsItsBandOnTheLinesItCovers)
{
    Draw("abcdef{22:2}");
    TPage page(Doc.get(), 0);
    L().Page = &page;
    // From the middle of "b" to the middle of "e" (8 pixels, 64 layout units a character).
    TBlockSelection block;
    block.Active = true;
    block.Page = 0;
    block.Top = L().Y;
    block.Bottom = L().Y + 1;
    block.X1 = L().DecodeCharX(1) + 32;
    block.X2 = L().DecodeCharX(4) + 32;
    Doc->BlockSelection = block;
    int32_t first, end;
    L().CharSpanInX(block.X1, block.X2, first, end);
    EXPECT_EQ(first, 1); // "b" (its middle is where the band starts), "c" and "d"
    EXPECT_EQ(end, 4);
    Surface = TRecordingSurface();
    L().Draw(Surface, Left, Top);
    auto inverted = Surface.OfKind(TDrawOpKind::Invert);
    ASSERT_EQ(inverted.size(), 1u);
    EXPECT_EQ(inverted[0]->Rect.Left, XAt(1));
    EXPECT_EQ(inverted[0]->Rect.Right, XAt(4));
    // Not limited to whole characters: the band between the two x positions.
    Doc->BlockSelection.WholeChars = false;
    Surface = TRecordingSurface();
    L().Draw(Surface, Left, Top);
    inverted = Surface.OfKind(TDrawOpKind::Invert);
    ASSERT_EQ(inverted.size(), 1u);
    EXPECT_EQ(inverted[0]->Rect.Left, Left + block.X1 / 8);
    EXPECT_EQ(inverted[0]->Rect.Right, Left + block.X2 / 8);
    // A band between two characters' middles covers none; a line below the rows is left alone.
    Doc->BlockSelection.WholeChars = true;
    L().CharSpanInX(L().DecodeCharX(1) + 40, L().DecodeCharX(2) + 20, first, end);
    EXPECT_EQ(first, end);
    Doc->BlockSelection.Top = L().Y + L().Height;
    Doc->BlockSelection.Bottom = Doc->BlockSelection.Top + 10;
    Surface = TRecordingSurface();
    L().Draw(Surface, Left, Top);
    EXPECT_TRUE(Surface.OfKind(TDrawOpKind::Invert).empty());
    // A caret placed ends it.
    Doc->BlockSelection = block;
    Doc->PlaceCaret(Doc->Caret, 0);
    EXPECT_FALSE(Doc->BlockSelection.Active);
    L().Page = nullptr;
}

TEST_F(LineDrawing, NoteNumberCellShowsTheReferencesNumber)
{
    TField reference;
    reference.Kind = fkNoteReference;
    reference.Result = "12";
    const std::string r = std::to_string(RegisterTagTarget(TTagTargetKind::Field, &reference));
    const std::string text = "a{26:" + r + "}{16:1}{22:15}{16:0}{27:" + r + "}b{22:2}";
    Draw(text);
    EXPECT_EQ(Surface.Texts(), (std::vector<std::string>{"a", "12", "b"}));
    EXPECT_TRUE(Surface.OfKind(TDrawOpKind::Focus).empty());
    const auto texts = Surface.OfKind(TDrawOpKind::Text);
    EXPECT_EQ(texts[1]->Rect.Left, XAt(1));
    // Marks shown: a focus rectangle frames the cell.
    Doc->SetModeFlag(mfShowMarks, true);
    Draw(text);
    const auto focus = Surface.OfKind(TDrawOpKind::Focus);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0]->Rect.Left, XAt(1));
    EXPECT_EQ(focus[0]->Rect.Right, XAt(2));
    Doc->SetModeFlag(mfShowMarks, false);
    // Symbols share the cell's width one pixel at a time from the first.
    Doc->FootnoteSettings.Format = 9;
    reference.Result = "***";
    Draw(text);
    const int32_t cell = XAt(2) - XAt(1);
    const auto symbols = Surface.OfKind(TDrawOpKind::Text);
    ASSERT_EQ(symbols.size(), 3u);
    const std::vector<int32_t> spread = {cell / 3 + (cell % 3 > 0), cell / 3 + (cell % 3 > 1), cell / 3};
    EXPECT_EQ(symbols[1]->Advances, spread);
    Doc->FootnoteSettings.Format = 0;
    // Without a reference the cell shows "?".
    Draw("a{22:15}b{22:2}");
    EXPECT_EQ(Surface.Texts(), (std::vector<std::string>{"a", "?", "b"}));
    ReleaseTagTarget(std::stoi(r));
}

// Japanese in a font of the Shift-JIS character set: 日 (93 FA), Ｂ (82 61, whose trail byte is an "a")
// and あ (82 A0); each takes a full em (16 pixels at 12 points) on its lead byte.
TEST_F(LineDrawing, DoubleByteCharactersAreMeasuredWrappedAndDrawnWhole)
{
    const int f = GetFontManager().RegisterFont("Arial", 128, 0);
    const std::string font = "{0:" + std::to_string(f) + "}";
    Draw(font + "\x93\xfa\x82\x61" + "ab{22:2}");
    ASSERT_EQ(Surface.Texts(), (std::vector<std::string>{"\x93\xfa\x82\x61"
                                                         "ab"}));
    EXPECT_EQ(Surface.OfKind(TDrawOpKind::Text)[0]->Advances, (std::vector<int32_t>{16, 0, 16, 0, 8, 8}));
    // The case tables are for single bytes: capitals leave the text of such a font as it is.
    Draw("{9:1}" + font + "\x93\xfa\x82\x61{22:2}");
    EXPECT_EQ(Surface.Texts(), (std::vector<std::string>{"\x93\xfa\x82\x61"}));
    // A line never ends between a lead and its trail byte: five half-widths hold two characters.
    std::string text = font;
    for (int i = 0; i < 6; ++i)
        text += "\x82\xa0";
    TParagraph& p = Break(text + "{22:2}", 5 * 120);
    ASSERT_EQ(p.LineCount(), 3);
    const std::string two = "\x82\xa0\x82\xa0";
    EXPECT_EQ(qptest::LineTexts(p), (std::vector<std::string>{two, two, two + "|"}));
    EXPECT_EQ(Boundaries(0), (std::vector<int32_t>{0, 128, 128, 256, 256}));
    EXPECT_EQ(Boundaries(1), (std::vector<int32_t>{0, 128, 128, 256, 256}));
    // At another zoom the pair keeps its width on the lead byte.
    Doc->ViewState.ZoomPercent = 150;
    TParLine& line = *p.Lines[0];
    line.MeasuredZoom = INT32_MIN;
    line.EnsureMeasured();
    const int32_t* w = reinterpret_cast<const int32_t*>(line.Widths.Data());
    EXPECT_EQ(std::vector<int32_t>(w, w + 4), (std::vector<int32_t>{24, 0, 24, 0}));
}

TEST_F(LineDrawing, WidthsAtTheZoomAddUpToTheLaidOutWidth)
{
    for (int32_t zoom : {100, 150, 33, 275}) {
        Doc->ViewState.ZoomPercent = zoom;
        TParagraph& p = Break("a{1:31}bc{2:1}ddd {1:19}eeee f{22:2}", 40 * 120);
        TParLine& line = *p.Lines[0];
        line.MeasuredZoom = INT32_MIN;
        const int32_t laidOut = line.LastX() - line.DecodeCharX(0);
        const int32_t* w = reinterpret_cast<const int32_t*>((line.EnsureMeasured(), line.Widths.Data()));
        const int32_t sum = std::accumulate(w, w + line.CharCount, 0);
        EXPECT_EQ(sum, (laidOut * zoom + 400) / 800) << zoom;
        for (int32_t i = 0; i < line.CharCount; ++i) {
            const int32_t exact = (line.DecodeCharX(i + 1) - line.DecodeCharX(i)) * zoom;
            EXPECT_GE(w[i], exact / 800) << zoom << " " << i;
            EXPECT_LE(w[i], exact / 800 + 1) << zoom << " " << i;
        }
        // Back in pixels at 100 % the boundaries stay within a device pixel of the laid-out ones.
        for (int32_t i = 0; i <= line.CharCount; ++i)
            EXPECT_NEAR(line.GetCharX(i), line.DecodeCharX(i) / 8.0, std::max(1.0, 100.0 / zoom))
                << zoom << " " << i;
        EXPECT_EQ(line.GetZoomedX(line.CharCount), line.GetZoomedX(0) + sum);
    }
}

} // namespace

TEST_F(LineDrawing, BodyTextHiddenWhileAHeaderIsEditedShowsBarePaper)
{
    TField header;
    Doc->EditedHeaderFooter = &header;
    Doc->SetModeFlag(mfHideBodyText, true);
    Draw("{14:6}hidden{15:7} text{22:2}");
    EXPECT_TRUE(Surface.Texts().empty());
    ASSERT_EQ(Surface.Ops.size(), 1u);
    EXPECT_EQ(Surface.Ops[0].Kind, TDrawOpKind::Fill);
    EXPECT_EQ(Surface.Ops[0].Color, GetColorManager()->CurrentPalette()->GetColor(csPageBackground));
    // Without the flag the body is drawn (greyed, being outside the header).
    Doc->SetModeFlag(mfHideBodyText, false);
    Draw("{14:6}hidden{15:7} text{22:2}");
    EXPECT_EQ(Surface.Texts(), (std::vector<std::string>{"hidden", " text"}));
    Doc->EditedHeaderFooter = nullptr;
}

namespace {

TEST_F(LineDrawing, LinesLowerThanTheirTextAreDrawnWithTheLinesBelow)
{
    // Twenty characters a line, three lines.
    const std::string text = std::string(20, 'g') + " " + std::string(20, 'g') + " " + "gg{22:2}";
    TParagraph& loose = Break(text, 20 * 120);
    ASSERT_EQ(loose.LineCount(), 3);
    for (const auto& line : loose.Lines)
        EXPECT_EQ(line->SharedBandLines, 0);
    // Exactly 8 points: the descenders of each line reach into the band of the next.
    Format()[pfSpacingRule] = 0;
    Format()[pfLineSpacing] = -160;
    TParagraph& p = Break(text, 20 * 120);
    ASSERT_EQ(p.LineCount(), 3);
    ASSERT_GT(p.Lines[0]->GetNaturalHeight(), p.Lines[0]->Height);
    EXPECT_EQ(p.Lines[0]->SharedBandLines, 0);
    EXPECT_EQ(p.Lines[1]->SharedBandLines, 1);
    EXPECT_EQ(p.Lines[2]->SharedBandLines, 1);
    // Exactly 2 points: the text of a line reaches two bands down.
    Format()[pfLineSpacing] = -40;
    Break(text, 20 * 120);
    EXPECT_EQ(p.Lines[2]->SharedBandLines, 2);
    Format()[pfLineSpacing] = -160;
    Break(text, 20 * 120);

    // Placed on one page, the second line draws the first at its own place, clipped to the band, and
    // only the second line's part of a selection across both.
    TPage page(Doc.get(), 0);
    int32_t y = 100;
    for (const auto& line : p.Lines) {
        line->Page = &page;
        line->ColumnIndex = -1;
        line->Y = y;
        y += line->Height;
    }
    TParLine& second = *p.Lines[1];
    Doc->Selection = TTextRange{{0, 2, 0, 0, 0, 0}, {0, 25, 0, 0, 0, 0}};
    Surface = TRecordingSurface();
    second.Draw(Surface, Left, Top);
    const auto texts = Surface.OfKind(TDrawOpKind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->Text, std::string(20, 'g') + " ");
    EXPECT_EQ(texts[0]->Rect.Top, texts[1]->Rect.Top - second.Height);
    EXPECT_TRUE(texts[0]->Clipped);
    EXPECT_EQ(texts[0]->Clip.Top, Top);
    EXPECT_EQ(texts[0]->Clip.Bottom, Top + second.GetDisplayHeight());
    EXPECT_FALSE(texts[1]->Clipped);
    const auto inverted = Surface.OfKind(TDrawOpKind::Invert);
    ASSERT_EQ(inverted.size(), 1u);
    EXPECT_EQ(inverted[0]->Rect.Top, Top);
    Doc->Selection = TTextRange{};
    // A line before it on another page (or in another column) is not drawn with it; nor on a printer.
    TPage other(Doc.get(), 1);
    p.Lines[0]->Page = &other;
    Surface = TRecordingSurface();
    second.Draw(Surface, Left, Top);
    EXPECT_EQ(Surface.OfKind(TDrawOpKind::Text).size(), 1u);
    p.Lines[0]->Page = &page;
    Doc->SetModeFlag(mfPrinting, true);
    Surface = TRecordingSurface();
    second.Draw(Surface, Left, Top);
    EXPECT_EQ(Surface.OfKind(TDrawOpKind::Text).size(), 1u);
    Doc->SetModeFlag(mfPrinting, false);
    for (const auto& line : p.Lines)
        line->Page = nullptr;
}

} // namespace
