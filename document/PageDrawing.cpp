// Drawing one laid-out page: its header, body lines and footer, the paper around them, the column blocks
// and rules, and on screen the margin limits, the frames and the labels of headers and footers.
#include <algorithm>
#include <memory>
#include <string>

#include "classlib/runtime/Format.h"
#include "core/DrawSurface.h"
#include "core/Fonts.h"
#include "core/LinePatterns.h"
#include "core/Options.h"
#include "document/Document.h"
#include "document/Page.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"
#include "document/Section.h"
#include "document/Field.h"

namespace {

bool Meets(const TRect& a, const TRect& b)
{
    TRect r = a;
    return IntersectRectInPlace(r, b);
}

TColorRef PaletteColor(int slot, TColorRef fallback)
{
    if (TColorManager* manager = GetColorManager())
        if (TColorPalette* palette = manager->CurrentPalette())
            return palette->GetColor(slot);
    return fallback;
}

// The paragraphs of a header or footer field.
void FieldParagraphRange(TDocument& d, TField& field, int32_t& first, int32_t& last)
{
    const TTextRange range = d.GetFieldRange(field);
    first = std::clamp(range.StartPos.ParIndex, 0, d.ParagraphCount() - 1);
    last = std::clamp(range.EndPos.ParIndex, first, d.ParagraphCount() - 1);
    // A range that ends at the start of a paragraph leaves that paragraph out.
    if (last > first && range.EndPos.Offset == 0)
        --last;
}

class TPagePainter {
public:
    TPagePainter(TPage& page, TDrawSurface& surface, int32_t left, int32_t top);
    void Draw(int32_t firstParagraph);

private:
    bool OnScreen() const { return !Printing; }
    bool InUpdate(const TRect& r) const { return Printing || Meets(r, Doc.ViewState.UpdateRegion); }
    void FillMargins(const TRect& r);
    void DrawLimits(const TRect& r);
    void DrawHeaderFooterArea(TField* field, int32_t& firstTop, int32_t& lastBottom);
    void DrawHeaderFooterLabel(int32_t x, int32_t y, TField* field);
    void BlockBounds(int32_t i);
    void DrawColumnBlock(int32_t c1, int32_t c2, int32_t y1, int32_t y2, int32_t k, bool rules);
    int32_t ColumnOffset(const TParLine& line);
    void DrawLine(TParLine& line, int32_t x, int32_t y);

    TPage& Page;
    TDocument& Doc;
    TDrawSurface& S;
    int32_t Left, Top;
    bool Printing;
    bool Limits; // the margin limits are shown
    const TPageSetup* PS;
    TPageMargins M{};
    int32_t W = 0, H = 0, TM = 0, LM = 0, RM = 0, T = 0, B = 0, U = 0;
    TColorRef Paper, Ink, LimitColor;
    TRect Clip{};
    TSection* Section = nullptr;
    int32_t BlockTop = 0, BlockBottom = 0;
};

TPagePainter::TPagePainter(TPage& page, TDrawSurface& surface, int32_t left, int32_t top)
    : Page(page), Doc(*page.Document), S(surface), Left(left), Top(top)
{
    Printing = Doc.GetModeFlag(mfPrinting);
    Limits = !Printing && CurrentOptions().View.MarginBorders;
    PS = &Doc.PageSetupSectionOfPage(page.PageIndex)->PageSetup;
    const TPageSetup& ps = *PS;
    M = Doc.GetPageMargins(ps, page.PageIndex);
    W = ps[psDeviceWidth];
    H = ps[psDeviceHeight];
    TM = ps[psZoomTopMargin];
    LM = M.LeftZoom;
    RM = M.RightZoom;
    T = Doc.ApplyZoom(ps[psScreenTopMargin] + page.HeaderHeight);
    B = Doc.ApplyZoom(ps[psScreenHeight] - ps[psScreenBottomMargin] - page.FooterHeight);
    // The body's bottom: below the lowest body line.
    int32_t used = ps[psScreenTopMargin] + page.HeaderHeight;
    for (const TParLine* line : page.Lines)
        if (Doc.StoryOfParagraph(line->Paragraph->LayoutIndex) != stHeadersFooters)
            used = std::max(used, line->Y + line->Height);
    U = Doc.ApplyZoom(used);
    Paper = PaletteColor(csPageBackground, 0xFFFFFF);
    Ink = PaletteColor(csAutoText, 0x000000);
    LimitColor = PaletteColor(csPageMarginLimit, 0xC0C0C0);
    Clip = TRect{Left, Top, Left + W, Top + H};
}

// A line's box, and on screen the paper beside it: the margins, the gap to the next column (with the
// rule between columns where the section asks for one).
void TPagePainter::DrawLine(TParLine& line, int32_t x, int32_t y)
{
    line.Draw(S, x, y);
    int32_t height = line.GetDisplayHeight();
    if (Doc.GetModeFlag(mfOverhangDrawing))
        height += height * 15 / 100;
    const int32_t right = x + line.GetBoxWidth();
    TSection* section = line.ColumnIndex >= 0 ? Doc.SectionOfParagraph(line.Paragraph->LayoutIndex) : nullptr;
    const int32_t count = section ? std::max(1, section->Params[spColumnCount]) : 1;
    if (!Printing) {
        if (line.ColumnIndex <= 0)
            FillMargins(TRect{Left, y, x, y + height});
        int32_t until = Left + W;
        if (section && line.ColumnIndex < count - 1) {
            TColumnGeometry next;
            section->GetColumnGeometry(line.ColumnIndex + 1, next);
            until = Left + LM + Doc.TwipsToDeviceX(next.Left);
        }
        FillMargins(TRect{right, y, until, y + height});
    }
    if (!section || section->Params[spLineBetween] != 1 || Doc.IsTextHidden(line.Paragraph->LayoutIndex))
        return;
    // The rule at the column's left bound, and at its right one unless the next column has a line at
    // this height (that line draws it).
    TColumnGeometry column;
    section->GetColumnGeometry(line.ColumnIndex, column);
    const int32_t w = Printing ? std::max(1, Doc.TwipsToDeviceX(20)) : 1;
    const int32_t origin = Left + LM;
    if (line.ColumnIndex > 0) {
        const int32_t rx = origin + Doc.TwipsToDeviceX(column.LeftBound);
        S.FillRect(TRect{rx, y, rx + w, y + height}, Ink);
    }
    if (line.ColumnIndex < count - 1) {
        bool covered = false;
        for (const TParLine* other : Page.Lines)
            covered = covered || (other->ColumnIndex == line.ColumnIndex + 1 && other->Y <= line.Y &&
                                  other->Y + other->Height > line.Y);
        if (!covered) {
            const int32_t rx = origin + Doc.TwipsToDeviceX(column.RightBound);
            S.FillRect(TRect{rx, y, rx + w, y + height}, Ink);
        }
    }
}

// The margin limits where they cross a rectangle, their 5-pixel pattern in phase with the scroll
// position.
void TPagePainter::DrawLimits(const TRect& r)
{
    const TPoint scroll = Doc.ViewState.ScrollPos;
    const auto hx = [&] { return r.Left - (((scroll.X + r.Left) % 5) + 5) % 5; };
    const auto vy = [&] { return r.Top - (((scroll.Y + r.Top) % 5) + 5) % 5; };
    const int32_t leftX = Left + LM - 1, rightX = Left + W - RM;
    const int32_t topY = Top + T - 1, bottomY = Top + B;
    S.SaveClip();
    S.IntersectClip(r);
    if (leftX >= r.Left && leftX < r.Right)
        DrawPatternVLine(S, leftX, vy(), Paper, LimitColor, r.Bottom);
    if (rightX >= r.Left && rightX < r.Right)
        DrawPatternVLine(S, rightX, vy(), Paper, LimitColor, r.Bottom);
    if (topY >= r.Top && topY < r.Bottom)
        DrawPatternHLine(S, hx(), r.Right, Paper, LimitColor, topY);
    if (bottomY >= r.Top && bottomY < r.Bottom)
        DrawPatternHLine(S, hx(), r.Right, Paper, LimitColor, bottomY);
    S.RestoreClip();
}

void TPagePainter::FillMargins(const TRect& r)
{
    if (Printing || r.Right <= r.Left || r.Bottom <= r.Top || !InUpdate(r) || !Meets(r, Clip))
        return;
    S.FillRect(r, Paper);
    if (Limits)
        DrawLimits(r);
}

int32_t TPagePainter::ColumnOffset(const TParLine& line)
{
    if (line.ColumnIndex < 0)
        return 0;
    TColumnGeometry column;
    Doc.SectionOfParagraph(line.Paragraph->LayoutIndex)->GetColumnGeometry(line.ColumnIndex, column);
    return Doc.TwipsToDeviceX(column.Left);
}

void TPagePainter::DrawHeaderFooterLabel(int32_t x, int32_t y, TField* field)
{
    const bool header = field == Page.HeaderField;
    const TPageSetup& ps = *PS;
    const int32_t flags = ps[psHeaderFlags];
    TSection* section = Page.GetSection();
    std::string label;
    const bool firstPage = (flags & 0x100) && section && !Page.Placements.empty() &&
                           Page.Placements.front()->Paragraph->LayoutIndex == section->FirstParagraph &&
                           !Page.Lines.empty() && Page.Lines.front()->LineIndex == 0;
    if (firstPage)
        label = header ? "En-tête de première page" : "Pied de première page";
    else if ((flags & 0xFF) && (Page.PageIndex + 1) % 2 == 1)
        label = header ? "En-tête de page impaire" : "Pied de page impaire";
    else if (flags & 0xFF)
        label = header ? "En-tête de page paire" : "Pied de page paire";
    else
        label = header ? "En-tête" : "Pied de page";
    if (Doc.Sections.size() > 1 && section)
        label = Format("%s de section %d", label, section->Number + 1);
    bool own = false;
    if (section)
        for (TField* f : section->HeaderFooter)
            own = own || f == field;
    const std::string second = own ? std::string() : std::string("Identique au précédent");
    TCharFormat format = DefaultCharFormat();
    format[cfFont] = GetFontManager().IndexOfFont("Arial");
    if (format[cfFont] < 0)
        format[cfFont] = 0;
    const int32_t points = Doc.ViewState.ZoomPercent <= 50 ? 7 : 8;
    TFontManager& fm = GetFontManager();
    TSharedFont* font = fm.GetSharedFont(format, Doc.FontHeightFromHalfPoints(points * 2), false, true,
                                         fm.Device().MeasuringDC());
    const int32_t width = font->TextWidth(label + second);
    const int32_t height = font->Metrics.Height;
    if (header)
        y -= height;
    const int32_t room = W - ps[psZoomLeftMargin] - ps[psZoomRightMargin] - (second.empty() ? 0 : 10);
    if (room < width || y < Top || y + height > Top + H + 1)
        return;
    S.SelectFont(font->Handle);
    S.WriteText(x, y, label, nullptr, Ink, nullptr);
    if (!second.empty()) {
        const int32_t textWidth = W - ps[psZoomLeftMargin] - ps[psZoomRightMargin];
        S.WriteText(x + textWidth - font->TextWidth(second), y, second, nullptr, Ink, nullptr);
    }
}

void TPagePainter::DrawHeaderFooterArea(TField* field, int32_t& firstTop, int32_t& lastBottom)
{
    firstTop = INT32_MIN;
    lastBottom = INT32_MIN;
    if (!field)
        return;
    const bool editedHere = field == Doc.EditedHeaderFooter && Doc.EditedHeaderFooterPage == Page.PageIndex;
    int32_t first, last;
    FieldParagraphRange(Doc, *field, first, last);
    std::vector<std::unique_ptr<TParagraphSnapshot>> snapshots;
    if (!editedHere) {
        // Another header or footer being edited keeps its text and lines as they are: the paragraphs
        // laid out here for this page are put back afterwards.
        if (Doc.EditedHeaderFooter) {
            for (int32_t i = first; i <= last; ++i) {
                snapshots.push_back(std::make_unique<TParagraphSnapshot>());
                Doc.Paragraphs[size_t(i)]->SaveSnapshot(*snapshots.back());
            }
        }
        Doc.UpdateHeaderFooterFields(*field, Page.PageIndex, Page.GetSection());
        Page.LayoutHeaderFooter(field);
    }
    for (int32_t i = first; i <= last; ++i)
        for (const auto& line : Doc.Paragraphs[size_t(i)]->Lines) {
            const TRect r{Left, Top + Doc.ApplyZoom(line->Y), Left + W,
                          Top + Doc.ApplyZoom(line->Y) + line->GetDisplayHeight()};
            if (firstTop == INT32_MIN)
                firstTop = r.Top;
            lastBottom = r.Bottom;
            if (Printing || InUpdate(r))
                DrawLine(*line, Left + LM, r.Top);
        }
    if (!editedHere) {
        Page.RemoveHeaderFooterLines();
        for (size_t k = 0; k < snapshots.size(); ++k)
            Doc.Paragraphs[size_t(first) + k]->RestoreSnapshot(*snapshots[k]);
        // The field edited on this page stands laid out again.
        if (Doc.EditedHeaderFooter && Doc.EditedHeaderFooterPage == Page.PageIndex)
            Page.LayoutHeaderFooter(Doc.EditedHeaderFooter);
    }
}

void TPagePainter::BlockBounds(int32_t i)
{
    const TParLine& line = *Page.Lines[size_t(i)];
    Section = Doc.SectionOfParagraph(line.Paragraph->LayoutIndex);
    const TParagraph& firstPar =
        *Doc.Paragraphs[size_t(std::clamp(Section->FirstParagraph, 0, Doc.ParagraphCount() - 1))];
    const TParLine* front = Page.Lines.front();
    if (!firstPar.Lines.empty() && firstPar.Lines.front()->Page == &Page)
        BlockTop = Doc.ApplyZoom(firstPar.Lines.front()->Y + firstPar.Lines.front()->SuppressedSpace);
    else if (Doc.SectionOfParagraph(front->Paragraph->LayoutIndex) == Section)
        BlockTop = Doc.ApplyZoom(front->Y);
    else
        BlockTop = Doc.ApplyZoom(line.Y);
    BlockBottom = U;
    const int32_t next = Section->LastParagraph + 1;
    if (next < Doc.ParagraphCount() && Doc.StoryOfParagraph(next) == stMain) {
        const TParagraph& p = *Doc.Paragraphs[size_t(next)];
        if (p.IsOnPage() && p.Lines.front()->Page == &Page)
            BlockBottom = Doc.ApplyZoom(p.Lines.front()->Y + p.Lines.front()->SuppressedSpace);
    }
}

void TPagePainter::DrawColumnBlock(int32_t c1, int32_t c2, int32_t y1, int32_t y2, int32_t k, bool rules)
{
    if (y1 >= y2 || !Section)
        return;
    const int32_t count = std::max(1, Section->Params[spColumnCount]);
    TColumnGeometry g1, g2;
    Section->GetColumnGeometry(c1, g1);
    Section->GetColumnGeometry(c2, g2);
    const int32_t x1 = c1 == 0 ? 0 : std::min(W, Doc.TwipsToDeviceX(g1.LeftBound) + LM);
    const int32_t x2 = c2 >= count - 1 ? W : std::min(W, Doc.TwipsToDeviceX(g2.RightBound) + LM);
    const TRect r{Left + x1, Top + y1, Left + x2, Top + y2};
    if (!InUpdate(r))
        return;
    const bool withRules = rules && Section->Params[spLineBetween] == 1 && c1 > 0;
    if (!withRules && Printing)
        return;
    if (OnScreen())
        S.FillRect(r, Paper);
    if (withRules) {
        const int32_t w = Printing ? std::max(1, Doc.TwipsToDeviceX(20)) : 1;
        S.FillRect(TRect{r.Left + w / 2, r.Top, r.Left + w / 2 + w, r.Bottom}, Ink);
        if (OnScreen() && c1 < count - 1) {
            // A later line of the section on this page in a further column: its rule too.
            const int32_t column = Page.Lines[size_t(k)]->ColumnIndex;
            bool later = false;
            for (size_t j = size_t(k) + 1; j < Page.Lines.size() && !later; ++j)
                later = Doc.SectionOfParagraph(Page.Lines[j]->Paragraph->LayoutIndex) == Section &&
                        Page.Lines[j]->ColumnIndex > column;
            if (later) {
                TColumnGeometry g;
                Section->GetColumnGeometry(c1 + 1, g);
                const int32_t x = r.Left + Doc.TwipsToDeviceX(g.LeftBound) - Doc.TwipsToDeviceX(g1.LeftBound);
                S.FillRect(TRect{x, r.Top, x + 1, r.Bottom}, Ink);
            }
        }
    }
    if (Limits)
        DrawLimits(r);
}

void TPagePainter::Draw(int32_t firstParagraph)
{
    if (OnScreen()) {
        S.SaveClip();
        TRect clip = Clip;
        if (!IntersectRectInPlace(clip, Doc.ViewState.UpdateRegion))
            clip = TRect{0, 0, 0, 0};
        S.IntersectClip(clip);
    }
    const bool editing = Doc.EditedHeaderFooter != nullptr;
    // Header: the band above its first line, the label, the band down to the text area.
    int32_t headerTop, headerBottom;
    DrawHeaderFooterArea(Page.HeaderField, headerTop, headerBottom);
    TRect band{Left, Top, Left + W, Top + TM};
    if (Page.HeaderField)
        band.Bottom = headerTop != INT32_MIN ? headerTop : Top + Doc.TwipsToDeviceY((*PS)[psHeaderDistance]);
    FillMargins(band);
    if (OnScreen() && editing && Page.HeaderField)
        DrawHeaderFooterLabel(Left + LM, band.Bottom, Page.HeaderField);
    int32_t restTop = band.Bottom;
    if (Page.HeaderField) {
        const int32_t from =
            headerBottom != INT32_MIN ? headerBottom : Top + Doc.TwipsToDeviceY((*PS)[psHeaderDistance]);
        FillMargins(TRect{Left, from, Left + W, Top + std::max(TM, T)});
        restTop = std::max(from, Top + std::max(TM, T));
        if (OnScreen() && editing)
            DrawDashedRectFrame(S, TRect{Left + LM, band.Bottom, Left + W - RM + 1, Top + T}, Ink);
    } else {
        restTop = Top + TM;
        FillMargins(TRect{Left, band.Bottom, Left + W, Top + std::max(TM, T)});
        restTop = Top + std::max(TM, T);
    }
    // Body.
    int32_t lastBody = int32_t(Page.Lines.size()) - 1;
    while (lastBody >= 0 &&
           Doc.StoryOfParagraph(Page.Lines[size_t(lastBody)]->Paragraph->LayoutIndex) == stHeadersFooters)
        --lastBody;
    bool lastOverhang = false;
    if (lastBody >= 0) {
        int32_t i0 = 0;
        if (firstParagraph != INT32_MIN) {
            i0 = lastBody;
            for (int32_t i = 0; i <= lastBody; ++i)
                if (Page.Lines[size_t(i)]->Paragraph->LayoutIndex == firstParagraph) {
                    i0 = std::max(0, i - 1);
                    break;
                }
        }
        BlockBounds(i0);
        int32_t column = Page.Lines[size_t(i0)]->ColumnIndex;
        for (int32_t i = i0; i <= lastBody; ++i) {
            TParLine& line = *Page.Lines[size_t(i)];
            const int32_t columns = Section ? Section->Params[spColumnCount] : 1;
            if (columns > 1 && line.ColumnIndex != column && i > i0) {
                const TParLine& before = *Page.Lines[size_t(i - 1)];
                DrawColumnBlock(column, column, Doc.ApplyZoom(before.Y) + before.GetDisplayHeight(),
                                BlockBottom, i - 1, true);
            }
            if (Section && line.Paragraph->LayoutIndex > Section->LastParagraph) {
                if (OnScreen() && columns > 1 && column < columns - 1)
                    DrawColumnBlock(column + 1, columns - 1, BlockTop,
                                    Doc.ApplyZoom(line.Y + line.SuppressedSpace), i - 1, false);
                BlockBounds(i);
            }
            column = line.ColumnIndex;
            const int32_t x = Left + LM + ColumnOffset(line);
            const int32_t y = Top + Doc.ApplyZoom(line.Y);
            if (Printing) {
                DrawLine(line, x, y);
                continue;
            }
            TRect r{Left, y, Left + W, y + line.GetDisplayHeight()};
            if (r.Bottom < Doc.ViewState.UpdateRegion.Top)
                continue;
            if (r.Top > Doc.ViewState.UpdateRegion.Bottom && line.ColumnIndex < 0)
                break;
            TModeFlagScope flags(Doc);
            if (i == lastBody && line.ColumnIndex < 0 && line.Overhang) {
                flags.On(mfOverhangDrawing);
                r.Bottom += line.GetDisplayHeight() * 15 / 100;
            }
            lastOverhang = line.Overhang != 0;
            if (InUpdate(r))
                DrawLine(line, x, y);
        }
        if (Section && Section->Params[spColumnCount] > 1) {
            const TParLine& lastLine = *Page.Lines[size_t(lastBody)];
            DrawColumnBlock(column, column, Doc.ApplyZoom(lastLine.Y) + lastLine.GetDisplayHeight(), U,
                            lastBody, true);
            if (OnScreen() && column < Section->Params[spColumnCount] - 1)
                DrawColumnBlock(column + 1, Section->Params[spColumnCount] - 1, BlockTop, U, lastBody, false);
        }
        const TParLine& lastLine = *Page.Lines[size_t(lastBody)];
        if (lastLine.ColumnIndex < 0) {
            int32_t bottom = Doc.ApplyZoom(lastLine.Y) + lastLine.GetDisplayHeight();
            if (lastOverhang)
                bottom += lastLine.GetDisplayHeight() * 15 / 100;
            restTop = Top + bottom;
        } else {
            restTop = Top + U;
        }
    } else if (Page.HeaderField && headerBottom != INT32_MIN) {
        restTop = std::max(restTop, headerBottom);
    }
    // Footer.
    TRect rest{Left, restTop, Left + W, Top + H};
    if (Page.FooterField) {
        // The paper below the body starts no lower than the footer's area.
        rest.Top = std::min(rest.Top, Top + B);
        int32_t footerTop, footerBottom;
        DrawHeaderFooterArea(Page.FooterField, footerTop, footerBottom);
        if (footerTop != INT32_MIN)
            rest.Bottom = footerTop;
        FillMargins(rest);
        rest = TRect{Left, footerBottom != INT32_MIN ? footerBottom : rest.Bottom, Left + W, Top + H};
    }
    FillMargins(rest);
    if (OnScreen() && editing && Page.FooterField) {
        DrawHeaderFooterLabel(Left + LM, rest.Top, Page.FooterField);
        DrawDashedRectFrame(S, TRect{Left + LM, Top + B, Left + W - RM + 1, rest.Top}, Ink);
    }
    if (OnScreen())
        S.RestoreClip();
}

} // namespace

void TPage::Draw(TDrawSurface& surface, int32_t left, int32_t top, int32_t firstParagraph)
{
    TPagePainter(*this, surface, left, top).Draw(firstParagraph);
}
