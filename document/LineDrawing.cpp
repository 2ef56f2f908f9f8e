// Drawing one laid-out line: highlight, the text in runs of equal format with every character effect,
// formatting marks, tab leaders, objects, underlines and the selection.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/Colors.h"
#include "core/DrawSurface.h"
#include "core/Fonts.h"
#include "core/LinePatterns.h"
#include "core/Options.h"
#include "core/TabTables.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "document/LineBuilder.h"
#include "document/LineText.h"
#include "document/ObjectDrawing.h"
#include "document/Page.h"
#include "document/Section.h"
#include "document/TagTargets.h"
#include "document/Field.h"

namespace {

constexpr TColorRef Silver = 0xC0C0C0;
constexpr int32_t BreakLabelSize = 16; // half-points
constexpr int ShadowColorIndex = 16;
constexpr int GreyColorIndex = 15;
constexpr int WhiteColorIndex = 8;
// The note numbering whose numbers are runs of one symbol ("*", "**" ...).
constexpr int32_t SymbolSequenceFormat = 9;

// The texts of the break marks.
const char* const BreakLabels[] = {"Saut de page",
                                   "Saut de colonne",
                                   "Saut de section (Continu)",
                                   "Saut de section (Page suivante)",
                                   "Saut de section (Page paire)",
                                   "Saut de section (Page impaire)"};
constexpr int BreakLabelCount = int(sizeof BreakLabels / sizeof BreakLabels[0]);

int32_t PercentOf(int32_t v, int32_t p)
{
    return v * p / 100;
}

// The colours drawing takes from the palette in force; the built-in ones where there is none.
struct TLineColors {
    TColorRef Text = 0x000000;
    TColorRef Marks = 0x808080;
    TColorRef Page = 0xFFFFFF;
    TColorRef Limit = 0xC0C0C0;
    // The user's scheme is in force and gives the formatting marks a colour of their own: spaces and
    // paragraph marks are drawn in it too, else in the colour of their text.
    bool OwnMarksColor = false;
};

TLineColors PaletteColors()
{
    TLineColors c;
    if (TColorManager* manager = GetColorManager())
        if (TColorPalette* palette = manager->CurrentPalette()) {
            c.Text = palette->GetColor(csAutoText);
            c.Marks = palette->GetColor(csFormattingMarks);
            c.Page = palette->GetColor(csPageBackground);
            c.Limit = palette->GetColor(csPageMarginLimit);
            c.OwnMarksColor = palette == manager->UserPalette() && palette->DefinesSlot(csFormattingMarks);
        }
    return c;
}

// One underlined run, drawn once the text is drawn.
struct TUnderlineSpan {
    int32_t First;
    int32_t End;
    int32_t Top;
    int32_t Ascent;
    int32_t Descent;
    TCharFormat Format;
};

class TLineDrawer {
public:
    TLineDrawer(TParLine& line, TDrawSurface& surface, int32_t x, int32_t y);
    void Draw();

private:
    int32_t X(int32_t n) const { return Left + Xs[size_t(std::clamp(n, 0, Line.CharCount))]; }
    TColorRef StandardColor(int32_t index) const;
    TColorRef FormatTextColor() const;
    TColorRef MarkColor() const { return Outside ? Silver : Colors.Marks; }
    void EnsureFont();
    // The font of a format at the drawing zoom; lines through and under the text are drawn apart.
    TSelectedFont DrawingFont(TCharFormat format)
    {
        format[cfUnderline] = format[cfStrike] = format[cfDoubleStrike] = 0;
        return Doc.SelectFormatFont(format, sfDeviceHeight | sfVerticalPosition | sfSmallCaps);
    }
    int32_t TextTop() const;
    void DrawHighlight();
    void Pass();
    void Special(int32_t n, uint8_t kind, int32_t value);
    void Flush();
    void DrawCopies(int32_t x, int32_t y, const std::string& text, const int32_t* advances,
                    const TRect* clip);
    void DrawRunText(int32_t dx, int32_t dy, TColorRef color);
    void DrawMarkGlyph(int32_t n, uint8_t glyph, TColorRef color);
    void DrawBreakLabel(int32_t n, int label, int rules);
    void DrawTab(int32_t n);
    void DrawFieldCell(int32_t n);
    void DrawObject(int32_t n, int32_t handle);
    void DrawUnderlines();
    void DrawUnderlineSpan(const TUnderlineSpan& span, int32_t dy, TColorRef color);
    void DrawSelection();
    void DrawBlockBand();
    void DrawBullet();
    void DrawSpellingMarks();
    void DrawBookmarkBracket(int32_t n, bool start);
    void DrawFieldShading();

    TParLine& Line;
    TParagraph& Par;
    TDocument& Doc;
    TDrawSurface& S;
    int32_t Left, Top;
    int32_t Height;   // display height
    int32_t Baseline; // of full-size text
    bool Direct;      // printing or a sample: no marks, selection or guides
    bool Marks;
    uint8_t MarkTypes;
    bool Outside; // the paragraph lies outside the story being edited
    TLineColors Colors;
    std::vector<int32_t> Xs;
    TCharFormat Format{};
    bool FontStale = true;
    TSelectedFont Font;
    TColorRef TextColor = 0;
    // The pending run: characters First.. of the line and their bytes.
    int32_t RunFirst = 0;
    std::string Run;
    bool FirstRun = true;
    std::vector<TUnderlineSpan> Spans;
    const TField* CellField = nullptr; // the note reference met last on the line
};

TLineDrawer::TLineDrawer(TParLine& line, TDrawSurface& surface, int32_t x, int32_t y)
    : Line(line), Par(*line.Paragraph), Doc(*line.Paragraph->Document), S(surface), Left(x), Top(y)
{
    Height = Line.GetDisplayHeight();
    Direct = Doc.GetModeFlag(mfPrinting) || Doc.GetModeFlag(mfSample);
    Marks = Doc.GetModeFlag(mfShowMarks) && !Direct;
    MarkTypes = CurrentOptions().View.SpecSymbTypes;
    Outside = Doc.IsOutsideEditedStory(Par.LayoutIndex);
    Colors = PaletteColors();
    Xs.resize(size_t(std::max(0, Line.CharCount)) + 1);
    for (int32_t n = 0; n <= Line.CharCount; ++n)
        Xs[size_t(n)] = Line.GetZoomedX(n);
    Baseline = Top + Doc.ApplyZoom(Doc.LineSpaceBefore(Line) + Line.Ascent);
}

TColorRef TLineDrawer::StandardColor(int32_t index) const
{
    if (index < 0 || index >= StandardColorCount)
        index = 0;
    const TColorRef color = StandardColors[index];
    if (CurrentOptions().View.SmartColors && !Direct)
        return AdaptColorToBackground(color, Colors.Page);
    return color;
}

TColorRef TLineDrawer::FormatTextColor() const
{
    if (Outside)
        return Silver;
    const int32_t index = Format[cfColor];
    if (!IsFormatOn(index))
        return Colors.Text;
    return StandardColor(index);
}

void TLineDrawer::EnsureFont()
{
    if (!FontStale)
        return;
    Font = DrawingFont(Format);
    FontStale = false;
}

int32_t TLineDrawer::TextTop() const
{
    const TTextMetric& m = Font.Font->Metrics;
    int32_t top;
    switch (IsFormatOn(Format[cfVertPos]) ? Format[cfVertPos] : 0) {
    case 1: {
        int32_t ascent = m.Ascent;
        int32_t extra = 0;
        if (IsFormatOn(Format[cfSmallCaps])) {
            ascent = m.Ascent * 100 / 80;
            extra = ascent - m.Ascent;
        }
        top = Baseline - ascent * 100 / 65 + extra;
        break;
    }
    case 2: top = Baseline + m.Descent * 100 / 65 - m.Ascent - m.Descent; break;
    default: top = Baseline - m.Ascent; break;
    }
    const int32_t raise = IsFormatOn(Format[cfRaise]) ? Format[cfRaise] : 0;
    return top + Doc.TwipsToDeviceY((int32_t(Line.Raise) - raise) * 20);
}

// Highlight is painted under the text: each stretch of one highlight colour from its first to its last
// character boundary over the line's height.
void TLineDrawer::DrawHighlight()
{
    TCharFormat f = LineStartFormat(Line);
    int32_t start = -1, colour = 0;
    auto end = [&](int32_t n) {
        if (start >= 0 && n > start)
            S.FillRect(TRect{X(start), Top, X(n), Top + Height}, StandardColors[std::clamp(colour, 0, 16)]);
        start = -1;
    };
    bool stopped = false;
    ForEachLineItem(Line, [&](int32_t n, uint8_t, const uint8_t* tag) {
        if (stopped)
            return;
        if (tag) {
            const int code = TagCode(tag);
            const int32_t value = TagValue(tag);
            if (code == cfHighlight) {
                end(n);
                f[cfHighlight] = value;
            } else if ((code == tcSpecial && (value & 0xFF) != scTab && (value & 0xFF) >= scParagraphMark &&
                        (value & 0xFF) <= scPageBreak && (value & 0xFF) != scSectionBreak) ||
                       code == tcSectionBreak) {
                end(n);
                stopped = true;
                return;
            }
            if (!IsRunEndingTag(code))
                return;
        }
        if (IsFormatOn(f[cfHighlight]) && start < 0) {
            start = n;
            colour = f[cfHighlight];
        }
    });
    end(stopped ? 0 : Line.CharCount);
}

void TLineDrawer::DrawCopies(int32_t x, int32_t y, const std::string& text, const int32_t* advances,
                             const TRect* clip)
{
    auto copy = [&](int32_t dx, int32_t dy, TColorRef color) {
        S.SelectFont(Font.Font->Handle);
        S.WriteText(x + dx, y + dy, text, advances, color, clip);
    };
    const TTextMetric& m = Font.Font->Metrics;
    const bool outline = IsFormatOn(Format[cfOutline]);
    if (IsFormatOn(Format[cfShadow])) {
        const int32_t d = std::max(1, PercentOf(m.Ascent + m.Descent, 4)) + (outline ? 1 : 0);
        copy(d, d, StandardColor(ShadowColorIndex));
    }
    if (outline) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (dx || dy)
                    copy(dx, dy, TextColor);
        copy(0, 0, Colors.Page);
    } else if (IsFormatOn(Format[cfEmboss]) || IsFormatOn(Format[cfEngrave])) {
        const int32_t e =
            std::max(1, PercentOf(m.Ascent + m.Descent, 2)) * (IsFormatOn(Format[cfEmboss]) ? -1 : 1);
        copy(0, 0, StandardColor(GreyColorIndex));
        copy(e, e, TextColor);
    } else {
        copy(0, 0, TextColor);
    }
}

// The run's bytes at its boundaries, capitals made for all caps and small caps; small caps draw the
// lower-case letters in the reduced font and the rest in the full one.
void TLineDrawer::DrawRunText(int32_t, int32_t, TColorRef)
{
    const uint8_t* upper = UpperCaseTable(Format[cfLanguage]);
    std::string shown = Run;
    // A double-byte font's text is drawn as it stands: the case tables are for single bytes.
    const bool doubleByte = Font.Font->DoubleByte();
    const bool caps = !doubleByte && (IsFormatOn(Format[cfAllCaps]) || IsFormatOn(Format[cfSmallCaps]));
    if (caps)
        for (char& c : shown)
            c = char(upper[uint8_t(c)]);
    const int32_t* widths = reinterpret_cast<const int32_t*>(Line.Widths.Data());
    if (!IsFormatOn(Format[cfSmallCaps]) || doubleByte) {
        DrawCopies(X(RunFirst), TextTop(), shown, widths + RunFirst, nullptr);
        return;
    }
    // Pieces of equal kind: lower-case letters (changed by upper-casing) and the rest.
    size_t i = 0;
    while (i < shown.size()) {
        const bool lower = shown[i] != Run[i];
        size_t j = i + 1;
        while (j < shown.size() && (shown[j] != Run[j]) == lower)
            ++j;
        const TSelectedFont reduced = Font;
        if (!lower) {
            Format[cfSmallCaps] = 0;
            Font = DrawingFont(Format);
        }
        const int32_t first = RunFirst + int32_t(i);
        DrawCopies(X(first), TextTop(), shown.substr(i, j - i), widths + first, nullptr);
        if (!lower) {
            Format[cfSmallCaps] = 1;
            Font = reduced;
        }
        i = j;
    }
}

// The bullet before the text of a paragraph's first line (or of the line after a lone page or column
// break): the bullet character in the bullet font, in the paragraph end's format and the text colour,
// placed at the start of its box before the text.
void TLineDrawer::DrawBullet()
{
    if (!IsFormatOn(Par.ParaFormat[pfBullets]) || Line.IsLonePageBreak())
        return;
    const bool first = Line.LineIndex == 0 || (Line.LineIndex == 1 && Par.Lines[0]->IsLonePageBreak());
    if (!first)
        return;
    TCharFormat end;
    Par.LoadCharFormat(Par.Lines.back()->FormatAtStart, end);
    if (end[cfSize] == UndefinedField)
        end[cfSize] = DefaultCharFormat()[cfSize];
    end[cfFont] = GetFontManager().BulletFont();
    const TCharFormat saved = Format;
    const TSelectedFont savedFont = Font;
    Format = end;
    Font = DrawingFont(Format);
    const uint8_t bullet = 183;
    int32_t room = std::max(Doc.TwipsToDeviceX(270), Font.Font->CharWidth(bullet));
    const int32_t firstIndent = Par.ParaFormat[pfFirstIndent];
    if (firstIndent < 0 && firstIndent != UndefinedField)
        room = std::max(room, Doc.TwipsToDeviceX(-firstIndent));
    DrawCopies(X(0) - room, TextTop(), std::string(1, char(bullet)), nullptr, nullptr);
    Format = saved;
    Font = savedFont;
}

// The spelling marks the paragraph keeps: a zigzag under each marked word of the line, red for a misspelt
// word, dark blue for one whose language has no checker.
void TLineDrawer::DrawSpellingMarks()
{
    if (Direct || Par.Misspellings.empty())
        return;
    for (const TMisspelling& m : Par.Misspellings) {
        const int32_t from = std::max(m.Start, Line.FirstChar) - Line.FirstChar;
        const int32_t to = std::min(m.End, Line.FirstChar + Line.CharCount) - Line.FirstChar;
        if (to <= from)
            continue;
        DrawZigzagLine(S, X(from), X(to), m.Kind == 0x800000 ? 0x800000 : 0x0000FF, Left, Baseline + 2);
    }
}

void TLineDrawer::Flush()
{
    if (Run.empty())
        return;
    EnsureFont();
    if (FirstRun)
        DrawBullet();
    const int32_t end = RunFirst + int32_t(Run.size());
    // The paragraph's final mark is never underlined or struck.
    const bool onlyEnd = Run.size() == 1 && end == Line.CharCount && Line.CharAt(end - 1) == scParagraphMark;
    if (IsFormatOn(Format[cfUnderline]) && !onlyEnd)
        Spans.push_back(
            TUnderlineSpan{RunFirst, end, TextTop(), Font.Font->Ascent, Font.Font->Descent, Format});
    DrawRunText(0, 0, TextColor);
    const bool strike = IsFormatOn(Format[cfStrike]), doubleStrike = IsFormatOn(Format[cfDoubleStrike]);
    if (strike || doubleStrike) {
        int32_t last = end;
        if (last == Line.CharCount && Line.CharAt(last - 1) == scParagraphMark)
            --last;
        TColorRef color = TextColor;
        if ((IsFormatOn(Format[cfEmboss]) || IsFormatOn(Format[cfEngrave])) &&
            Format[cfColor] == WhiteColorIndex)
            color = Colors.Text;
        const int32_t a = Font.Font->Ascent, top = TextTop();
        const int32_t h = std::max(1, PercentOf(a, 7));
        if (last > RunFirst) {
            if (strike && !doubleStrike) {
                S.FillRect(TRect{X(RunFirst), top + PercentOf(a, 70), X(last), top + PercentOf(a, 70) + h},
                           color);
            } else {
                const int32_t y1 = top + PercentOf(a, 60), y2 = y1 + h + std::max(1, PercentOf(a, 7));
                S.FillRect(TRect{X(RunFirst), y1, X(last), y1 + h}, color);
                S.FillRect(TRect{X(RunFirst), y2, X(last), y2 + h}, color);
            }
        }
    }
    RunFirst = end;
    Run.clear();
    FirstRun = false;
}

void TLineDrawer::DrawMarkGlyph(int32_t n, uint8_t glyph, TColorRef color)
{
    EnsureFont();
    const std::string text(1, char(glyph));
    const int32_t advance = X(n + 1) - X(n);
    S.SelectFont(Font.Font->Handle);
    S.WriteText(X(n), TextTop(), text, &advance, color, nullptr);
}

// A break's label centred between the break's x and the line's right end, with dotted rules on both
// sides: one rule of every second pixel (1), of every third (2), two such rules (3).
void TLineDrawer::DrawBreakLabel(int32_t n, int label, int rules)
{
    TCharFormat labelFormat = Format;
    labelFormat[cfSize] = BreakLabelSize;
    labelFormat[cfVertPos] = 0;
    labelFormat[cfSmallCaps] = 0;
    const TSelectedFont font = DrawingFont(labelFormat);
    const std::string text = BreakLabels[std::clamp(label, 0, BreakLabelCount - 1)];
    const int32_t width = font.Font->TextWidth(text);
    const int32_t from = X(n);
    const int32_t right = Left + Doc.ApplyZoom(Line.RightLimit / 8);
    const int32_t room = std::max(right - from, width + 30);
    const int32_t x = from + (room - width) / 2;
    const int32_t height = font.Font->Metrics.Height;
    const int32_t y = Baseline - font.Font->Metrics.Ascent;
    const TColorRef text_color = Outside ? Silver : Colors.Text;
    S.SelectFont(font.Font->Handle);
    S.WriteText(x, y, text, nullptr, text_color, nullptr);
    if (room - width <= 2)
        return;
    const int32_t middle = y + height / 2;
    const TColorRef rule = MarkColor();
    auto draw = [&](int32_t x1, int32_t x2) {
        if (rules == 1) {
            DrawDottedHLine(S, x1, x2, rule, middle);
        } else if (rules == 2) {
            DrawSpacedDottedHLine(S, x1, x2, rule, middle);
        } else {
            DrawSpacedDottedHLine(S, x1, x2, rule, middle - 1);
            DrawSpacedDottedHLine(S, x1, x2, rule, middle + 1);
        }
    };
    draw(from, x - 3);
    draw(x + width + 2, from + room - 1);
}

void TLineDrawer::DrawTab(int32_t n)
{
    const int32_t x1 = X(n), x2 = X(n + 1);
    // The tab's leader: the leader of the stop the tab reached.
    const TTabTable& tabs =
        Doc.TabManager->BuildTabStops(Par.ParaFormat[pfTabTable], Par.ParaFormat[pfRightIndent]);
    int leader = 0, kind = 0;
    const int32_t from = x1 - Left;
    for (int i = 0; i < tabs.Count(); ++i) {
        int32_t position = 0, stopKind = 0, stopLeader = 0;
        UnpackTabStop(tabs[i], position, stopKind, stopLeader);
        if (stopKind != tkBar && Doc.TwipsToDeviceX(position) > from) {
            leader = stopLeader;
            kind = stopKind;
            break;
        }
    }
    if (leader >= 1 && leader <= 3) {
        EnsureFont();
        const char c = leader == 1 ? '.' : leader == 2 ? '-' : '_';
        const int32_t w = Font.Font->CharWidth(uint8_t(c));
        if (w > 0 && x2 > x1) {
            const int32_t count = (x2 - x1) / w;
            S.SelectFont(Font.Font->Handle);
            if (leader == 3) {
                const int32_t total = count + std::max(1, PercentOf(count, 20)) + 1;
                const std::string text(size_t(std::max(0, total)), c);
                const TRect clip{x1, TextTop(), x2, TextTop() + Font.Font->Metrics.Height};
                S.WriteText(x1, TextTop(), text, nullptr, TextColor, &clip);
            } else if (count > 0) {
                const int32_t rest = (x2 - x1) - count * w;
                const int32_t start = x1 + (kind == tkCenter ? rest / 2 : rest);
                const std::string text(size_t(count), c);
                const std::vector<int32_t> advances(size_t(count), w);
                S.WriteText(start, TextTop(), text, advances.data(), TextColor, nullptr);
            }
        }
    }
    if (Marks && (MarkTypes & 1)) {
        // An arrow of 10 by 5 pixels centred in the box.
        const int32_t ax = x1 + (x2 - x1 - 10) / 2, ay = Baseline - Font.Font->Metrics.Ascent / 2 - 2;
        const TColorRef c = MarkColor();
        S.FillRect(TRect{ax, ay + 2, ax + 6, ay + 3}, c);
        S.FillRect(TRect{ax + 6, ay, ax + 8, ay + 5}, c);
        S.FillRect(TRect{ax + 8, ay + 1, ax + 10, ay + 4}, c);
        S.FillRect(TRect{ax + 10, ay + 2, ax + 13, ay + 3}, c);
    }
    if (IsFormatOn(Format[cfUnderline]))
        Spans.push_back(TUnderlineSpan{n, n + 1, TextTop(), Font.Font->Ascent, Font.Font->Descent, Format});
}

void TLineDrawer::DrawObject(int32_t n, int32_t handle)
{
    auto* object = static_cast<TDocObject*>(ResolveTagTarget(handle, TTagTargetKind::Object));
    if (!object)
        return;
    const int32_t height = Doc.TwipsToDeviceYScaled(object->Height, object->ScaleY);
    TObjectPlacement placement{X(n), Baseline - height, X(n + 1), Baseline, 0};
    if (Outside)
        placement.Flags |= opGreyed;
    if (!Direct && Doc.HasSelection()) {
        const TTextRange& sel = Doc.Selection;
        const TTextPos at{Par.LayoutIndex, Line.FirstChar + n, 0, 0, 0, 0};
        const bool exactly = sel.StartPos.ParIndex == at.ParIndex && sel.EndPos.ParIndex == at.ParIndex &&
                             sel.StartPos.Offset == at.Offset && sel.EndPos.Offset == at.Offset + 1;
        if (exactly)
            placement.Flags |= opSelected;
    }
    if (Doc.GetModeFlag(mfPrinting))
        placement.Flags |= opDeviceIndependent;
    DrawObjectOnSurface(S, *object, placement);
}

// A field value that takes one character cell (a note's number): its text from the cell's left edge,
// "?" without a field; a symbol sequence of several characters spreads the cell's width over them. With
// marks a focus rectangle frames the cell.
void TLineDrawer::DrawFieldCell(int32_t n)
{
    const std::string text = CellField ? CellField->Result : std::string("?");
    const int32_t cell = X(n + 1) - X(n);
    std::vector<int32_t> advances(text.size());
    const TNoteSettings& notes =
        CellField && CellField->NoteKind() == 1 ? Doc.EndnoteSettings : Doc.FootnoteSettings;
    if (text.size() > 1 && notes.Format == SymbolSequenceFormat) {
        const int32_t count = int32_t(text.size());
        for (int32_t i = 0; i < count; ++i)
            advances[size_t(i)] = cell / count + (i < cell % count ? 1 : 0);
    } else {
        for (size_t i = 0; i < text.size(); ++i)
            advances[i] = Font.Font->CharWidth(uint8_t(text[i]));
    }
    if (!text.empty())
        DrawCopies(X(n), TextTop(), text, advances.data(), nullptr);
    if (Marks)
        S.FocusRect(TRect{X(n), Top, X(n + 1), Top + Height});
}

void TLineDrawer::Special(int32_t n, uint8_t kind, int32_t value)
{
    EnsureFont();
    switch (kind) {
    case scParagraphMark:
        if (Marks && (MarkTypes & 4))
            DrawMarkGlyph(n, 182, Colors.OwnMarksColor && !Outside ? Colors.Marks : TextColor);
        return;
    case scPageBreak:
        if (Marks)
            DrawBreakLabel(n, 0, 1);
        return;
    case scColumnBreak:
        if (Marks)
            DrawBreakLabel(n, 1, 2);
        return;
    case scSectionBreak:
        if (Marks) {
            // A kind outside the four that exist is drawn as a plain section break.
            const auto* section =
                static_cast<const TSection*>(ResolveTagTarget(value, TTagTargetKind::Section));
            int32_t breakKind = section ? section->BreakKind() : 1;
            if (breakKind < 0 || breakKind > 3)
                breakKind = 1;
            DrawBreakLabel(n, 2 + breakKind, 3);
        }
        return;
    case scLineBreak:
        if (Marks) {
            const int32_t x = X(n), a = Font.Font->Ascent, y = Baseline - a;
            const TColorRef c = MarkColor();
            S.FillRect(TRect{x + 1, y + 4, x + 10, y + 5}, c);
            S.FillRect(TRect{x + 1, y + 3, x + 3, y + 6}, c);
            S.FillRect(TRect{x + 2, y + 2, x + 4, y + 7}, c);
            S.FillRect(TRect{x + 9, y + 1, x + 10, y + 5}, c);
        }
        return;
    case scTab: DrawTab(n); return;
    case scFieldResult: DrawFieldCell(n); return;
    case scNonBreakingSpace: DrawMarkGlyph(n, Marks ? 176 : ' ', Marks ? MarkColor() : TextColor); return;
    case scNonBreakingHyphen: DrawMarkGlyph(n, Marks ? 150 : '-', TextColor); return;
    case scEmDash: DrawMarkGlyph(n, 151, TextColor); return;
    case scEnDash: DrawMarkGlyph(n, 150, TextColor); return;
    case scOptionalHyphen:
        // Shown at the line's end where the word was cut, and inside it only as a mark.
        if (n == Line.CharCount - 1)
            DrawMarkGlyph(n, '-', TextColor);
        else if (Marks && (MarkTypes & 8)) {
            const int32_t x = (X(n) + X(n + 1)) / 2, a = Font.Font->Ascent, top = Baseline - a + 2;
            const int32_t h = a + Font.Font->Descent - 4;
            S.FillRect(TRect{x, top, x + 1, top + h}, MarkColor());
            S.FillRect(TRect{x - 1, top, x + 2, top + 1}, MarkColor());
            S.FillRect(TRect{x - 1, top + h - 1, x + 2, top + h}, MarkColor());
        }
        return;
    default: return;
    }
}

void TLineDrawer::Pass()
{
    Format = LineStartFormat(Line);
    FontStale = true;
    TextColor = FormatTextColor();
    RunFirst = 0;
    const bool spaceDots = Marks && (MarkTypes & 2);
    const bool ownSpaceRuns = Marks && Colors.OwnMarksColor && !Outside;
    ForEachLineItem(Line, [&](int32_t n, uint8_t c, const uint8_t* tag) {
        if (n > Line.CharCount)
            return;
        if (!tag) {
            if (Run.empty())
                RunFirst = n;
            const char shown = c == ' ' && spaceDots ? char(183) : char(c);
            if (c == ' ' && ownSpaceRuns) {
                // A space of its own in the marks colour.
                Flush();
                RunFirst = n;
                Run.push_back(shown);
                const TColorRef saved = TextColor;
                TextColor = Colors.Marks;
                Flush();
                TextColor = saved;
                return;
            }
            Run.push_back(shown);
            return;
        }
        Flush();
        RunFirst = n;
        const int code = TagCode(tag);
        const int32_t value = TagValue(tag);
        switch (code) {
        case cfFont:
        case cfSize:
        case cfBold:
        case cfItalic:
        case cfSmallCaps:
        case cfAllCaps:
        case cfVertPos:
        case cfScale:
            if (Format[code] != value)
                FontStale = true;
            Format[code] = value;
            break;
        case cfColor:
            Format[cfColor] = value;
            TextColor = FormatTextColor();
            break;
        case cfHighlight:
        case cfSpacing:
        case cfKerning:
        case cfLanguage: Format[code] = value; break;
        case tcSpecial:
            Special(n, uint8_t(value & 0xFF), value);
            RunFirst = n + 1;
            break;
        case tcSectionBreak:
            Special(n, scSectionBreak, value);
            RunFirst = n + 1;
            break;
        case tcPicture:
        case tcOLEObject:
            DrawObject(n, value);
            RunFirst = n + 1;
            break;
        case tcFieldStart:
        case tcFieldEnd:
            if (auto* field = static_cast<const TField*>(ResolveTagTarget(value, TTagTargetKind::Field))) {
                if (Marks && (MarkTypes & 16) && field->Kind == fkBookmark)
                    DrawBookmarkBracket(n, code == tcFieldStart);
                // The note reference whose number the next value cell shows, as line breaking measured it.
                if (code == tcFieldStart && field->Kind == fkNoteReference)
                    CellField = field;
            }
            break;
        default:
            if (IsFormatTag(code))
                Format[code] = value;
            break;
        }
    });
    Flush();
}

// A bracket 5 pixels wide over the line's height in 2-pixel strokes, opening to the right at a
// bookmark's start and to the left at its end.
void TLineDrawer::DrawBookmarkBracket(int32_t n, bool start)
{
    const int32_t x = start ? X(n) - 1 : X(n) - 4;
    const int32_t side = start ? x : x + 3;
    const TColorRef c = MarkColor();
    S.FillRect(TRect{side, Top, side + 2, Top + Height}, c);
    S.FillRect(TRect{x, Top, x + 5, Top + 2}, c);
    S.FillRect(TRect{x, Top + Height - 2, x + 5, Top + Height}, c);
}

// Fields shaded under their text: the stretches between the marks of code fields (from the line's start
// for a field that began before it, to its end for one that goes on), in silver, or grey outside the
// story being edited.
void TLineDrawer::DrawFieldShading()
{
    const uint8_t mode = CurrentOptions().View.FldShading;
    const bool printing = Doc.GetModeFlag(mfPrinting) || Doc.GetModeFlag(mfSample);
    if (printing ? !Doc.GetModeFlag(mfPreviewShading) : !(mode == 2 || (mode == 1 && Marks)))
        return;
    std::vector<std::pair<int32_t, int32_t>> stretches;
    int32_t open = 0, from = 0;
    ForEachLineItem(Line, [&](int32_t n, uint8_t, const uint8_t* tag) {
        if (!tag || !IsFieldMark(TagCode(tag)))
            return;
        auto* field = static_cast<const TField*>(ResolveTagTarget(TagValue(tag), TTagTargetKind::Field));
        if (!field || field->Kind != fkCode)
            return;
        if (TagCode(tag) == tcFieldStart) {
            if (open++ == 0)
                from = n;
        } else if (open > 0) {
            if (--open == 0)
                stretches.emplace_back(from, n);
        } else {
            stretches.emplace_back(0, n); // began on a line before
        }
    });
    if (open > 0)
        stretches.emplace_back(from, Line.CharCount);
    for (const auto& [a, b] : stretches)
        if (b > a)
            S.FillRect(TRect{X(a), Top, X(b), Top + Height}, Outside ? 0x808080 : Silver);
}

void TLineDrawer::DrawUnderlineSpan(const TUnderlineSpan& span, int32_t dy, TColorRef color)
{
    const TCharFormat& f = span.Format;
    const int32_t a = span.Ascent;
    auto p = [a](int32_t n) { return PercentOf(a, n); };
    const bool bold = IsFormatOn(f[cfBold]);
    int32_t base = span.Top + a + dy;
    base += std::max({IsFormatOn(f[cfOutline]) ? 1 : 0, IsFormatOn(f[cfShadow]) ? p(4) : 0,
                      (IsFormatOn(f[cfEmboss]) || IsFormatOn(f[cfEngrave])) ? p(2) : 0});
    const int32_t x1 = X(span.First), x2 = X(span.End);
    if (x2 <= x1)
        return;
    auto bar = [&](int32_t from, int32_t to, int32_t y, int32_t h) {
        from = std::max(from, x1);
        to = std::min(to, x2);
        if (to > from)
            S.FillRect(TRect{from, y, to, y + h}, color);
    };
    // A pattern aligned to the line's left edge so that adjacent spans continue it.
    auto pattern = [&](int32_t period, const std::vector<std::pair<int32_t, int32_t>>& marks, int32_t y,
                       int32_t h) {
        if (period <= 0)
            return;
        for (int32_t x = x1 - ((x1 - Left) % period + period) % period; x < x2; x += period)
            for (const auto& [start, length] : marks)
                bar(x + start, x + start + length, y, h);
    };
    auto wave = [&](int32_t y, int32_t pen, int32_t amplitude, int32_t period) {
        period += period % 2;
        DrawWaveLine(S, x1, x2, color, pen, amplitude, period, -Left, y);
    };
    const int32_t kind = f[cfUnderline];
    const bool thinPattern = kind == 4 || kind == 7 || kind == 39 || kind == 9 || kind == 10;
    const int32_t patternY = base + std::max(1, thinPattern ? p(12) : p(8));
    const int32_t patternH = thinPattern ? std::max(1, p(bold ? 9 : 7)) : std::max(2, p(bold ? 13 : 11));
    switch (kind) {
    case 1:
    case 2: bar(x1, x2, base + std::max(1, p(12)), std::max(1, p(bold ? 11 : 7))); break;
    case 3: {
        const int32_t h = std::max(1, a * (bold ? 53 : 33) / 1000);
        const int32_t y = base + std::max(1, a * 68 / 1000);
        bar(x1, x2, y, h);
        bar(x1, x2, y + std::max(2, a * (bold ? 163 : 155) / 1000), h);
        break;
    }
    case 6: bar(x1, x2, base + std::max(1, p(7)), std::max(2, p(12))); break;
    case 4:
    case 20: {
        const int32_t t = std::max(2, p(4));
        pattern(2 * t, {{0, t}}, patternY, patternH);
        break;
    }
    case 7:
    case 23: {
        const int32_t d = std::max(7, p(60)), g = std::max(2, p(15));
        pattern(d + g, {{0, d}}, patternY, patternH);
        break;
    }
    case 39:
    case 55: {
        const int32_t d = std::max(18, p(130)), g = std::max(5, p(35));
        pattern(d + g, {{0, d}}, patternY, patternH);
        break;
    }
    case 9:
    case 25: {
        const int32_t t = std::max(2, p(12)), d = std::max(7, p(60));
        pattern(d + 3 * t, {{0, d}, {d + t, t}}, patternY, patternH);
        break;
    }
    case 10:
    case 26: {
        const int32_t t = std::max(2, p(12)), d = std::max(7, p(60));
        pattern(d + 5 * t, {{0, d}, {d + t, t}, {d + 3 * t, t}}, patternY, patternH);
        break;
    }
    case 11:
    case 27: {
        const int32_t pen = kind == 11 ? std::max(1, p(bold ? 4 : 3)) : std::max(2, p(bold ? 6 : 5));
        wave(base + p(12), pen, std::max(1, p(6)), std::max(4, p(18)));
        break;
    }
    case 43: {
        const int32_t y = base + p(10);
        wave(y, 1, std::max(1, p(4)), std::max(4, p(20)));
        wave(y + std::max(2, p(10)), 1, std::max(1, p(4)), std::max(4, p(20)));
        break;
    }
    default: break;
    }
}

void TLineDrawer::DrawUnderlines()
{
    // Adjacent spans of the same kind and colours join, at the depth of the larger ascent.
    std::vector<TUnderlineSpan> joined;
    auto same = [](const TCharFormat& a, const TCharFormat& b) {
        return a[cfUnderline] == b[cfUnderline] && a[cfColor] == b[cfColor] &&
               a[cfUnderlineColor] == b[cfUnderlineColor] && a[cfVertPos] == b[cfVertPos];
    };
    for (const TUnderlineSpan& s : Spans) {
        if (!joined.empty() && joined.back().End == s.First && same(joined.back().Format, s.Format)) {
            TUnderlineSpan& j = joined.back();
            j.End = s.End;
            if (s.Ascent > j.Ascent) {
                j.Ascent = s.Ascent;
                j.Top = s.Top;
                j.Descent = s.Descent;
            }
            if (IsFormatOn(s.Format[cfBold]))
                j.Format[cfBold] = 1;
            continue;
        }
        joined.push_back(s);
    }
    for (const TUnderlineSpan& span : joined) {
        Format = span.Format;
        const TColorRef text = FormatTextColor();
        const int32_t index = span.Format[cfUnderlineColor];
        const TColorRef color = Outside ? Silver : IsFormatOn(index) ? StandardColor(index) : text;
        std::vector<TUnderlineSpan> pieces;
        if (span.Format[cfUnderline] == 2) {
            // Words only: the stretches of visible characters.
            int32_t start = -1;
            for (int32_t n = span.First; n <= span.End; ++n) {
                const uint8_t c = n < span.End ? Line.CharAt(n) : 0;
                const bool visible = n < span.End && c > 10 && c != ' ';
                if (visible && start < 0)
                    start = n;
                if (!visible && start >= 0) {
                    TUnderlineSpan piece = span;
                    piece.First = start;
                    piece.End = n;
                    pieces.push_back(piece);
                    start = -1;
                }
            }
        } else {
            pieces.push_back(span);
        }
        for (const TUnderlineSpan& piece : pieces) {
            if (IsFormatOn(piece.Format[cfShadow])) {
                const int32_t d = std::max(1, PercentOf(piece.Ascent + piece.Descent, 4));
                DrawUnderlineSpan(piece, d, StandardColor(ShadowColorIndex));
            }
            if (IsFormatOn(piece.Format[cfEmboss]) || IsFormatOn(piece.Format[cfEngrave])) {
                const int32_t e = std::max(1, PercentOf(piece.Ascent + piece.Descent, 2));
                DrawUnderlineSpan(piece, 0, StandardColor(GreyColorIndex));
                DrawUnderlineSpan(piece, IsFormatOn(piece.Format[cfEmboss]) ? -e : e, color);
            } else {
                DrawUnderlineSpan(piece, 0, color);
            }
        }
    }
}

// The band of a rectangular selection over the line: between its two x positions, or over the
// characters whose middles lie between them.
void TLineDrawer::DrawBlockBand()
{
    const TBlockSelection& block = Doc.BlockSelection;
    int32_t x1, x2;
    if (block.WholeChars) {
        int32_t first, end;
        Line.CharSpanInX(block.X1, block.X2, first, end);
        x1 = X(first);
        x2 = X(end);
    } else {
        const int64_t zoom = Doc.ViewState.ZoomPercent;
        const int32_t right = Left + Line.GetBoxWidth();
        x1 = std::clamp(Left + int32_t(block.X1 * zoom / 800), Left, right);
        x2 = std::clamp(Left + int32_t(block.X2 * zoom / 800), Left, right);
    }
    if (x2 > x1)
        S.InvertRect(TRect{x1, Top, x2, Top + Height});
}

void TLineDrawer::DrawSelection()
{
    if (Direct || Doc.GetModeFlag(mfDrawingTogether) || Outside)
        return;
    if (Doc.IsLineInBlockSelection(Line)) {
        DrawBlockBand();
        return;
    }
    if (!Doc.HasSelection())
        return;
    const TTextRange& sel = Doc.Selection;
    const int32_t par = Par.LayoutIndex;
    if (par < sel.StartPos.ParIndex || par > sel.EndPos.ParIndex)
        return;
    const int32_t lineStart = Line.FirstChar, lineEnd = Line.FirstChar + Line.CharCount;
    const int32_t from = par == sel.StartPos.ParIndex ? std::max(sel.StartPos.Offset, lineStart) : lineStart;
    int32_t to = par == sel.EndPos.ParIndex ? std::min(sel.EndPos.Offset, lineEnd) : lineEnd;
    if (to < from || from > lineEnd)
        return;
    if (par == sel.EndPos.ParIndex && sel.EndPos.Offset < lineStart)
        return;
    const int32_t x1 = X(from - lineStart);
    int32_t x2 = X(to - lineStart);
    if (x2 <= x1)
        x2 = x1 + 3;
    const bool slantStart = Line.GetItalicBit(from - lineStart), slantEnd = Line.GetItalicBit(to - lineStart);
    if (!slantStart && !slantEnd) {
        S.InvertRect(TRect{x1, Top, x2, Top + Height});
        return;
    }
    // An italic end is slanted: its top corner moves right, its bottom corner left.
    const int32_t up = (Baseline - Top) / 4, down = (Top + Height - Baseline) / 4;
    const TPoint corners[4] = {{x1 + (slantStart ? up : 0), Top},
                               {x2 + (slantEnd ? up : 0), Top},
                               {x2 - (slantEnd ? down : 0), Top + Height},
                               {x1 - (slantStart ? down : 0), Top + Height}};
    S.InvertPolygon(corners);
}

void TLineDrawer::Draw()
{
    if (!Line.XBuffer)
        return;
    DrawHighlight();
    DrawFieldShading();
    Pass();
    DrawUnderlines();
    DrawSpellingMarks();
    DrawSelection();
}

} // namespace

namespace {

// The lines just before a line whose text reaches down into its band, when they stand on the same page
// and in the same column: drawn with it, each at its own place and clipped to the band, so that the
// band's paper does not cut their descenders. They draw no selection of their own.
void DrawLinesOverBand(TParLine& line, TDrawSurface& surface, int32_t x, int32_t y, int32_t height)
{
    TDocument& doc = *line.Paragraph->Document;
    if (line.SharedBandLines <= 0 || !line.Page || doc.GetModeFlag(mfDrawingTogether))
        return;
    const int32_t first = std::max(0, line.LineIndex - line.SharedBandLines);
    surface.SaveClip();
    surface.IntersectClip(TRect{x, y, x + line.GetBoxWidth(), y + height});
    for (int32_t j = first; j < line.LineIndex && j < line.Paragraph->LineCount(); ++j) {
        TParLine& above = *line.Paragraph->Lines[size_t(j)];
        if (above.Page != line.Page || above.ColumnIndex != line.ColumnIndex || !above.XBuffer)
            continue;
        above.EnsureMeasured();
        TModeFlagScope flags(doc);
        flags.On(mfDrawingTogether);
        flags.Off(mfOverhangDrawing);
        TLineDrawer(above, surface, x, y + doc.ApplyZoom(above.Y) - doc.ApplyZoom(line.Y)).Draw();
    }
    surface.RestoreClip();
}

} // namespace

void TParLine::Draw(TDrawSurface& surface, int32_t x, int32_t y)
{
    TDocument& doc = *Paragraph->Document;
    // A hidden line shows bare paper; the page's guides and frames are drawn around it.
    if (doc.IsTextHidden(Paragraph->LayoutIndex)) {
        surface.FillRect(TRect{x, y, x + GetBoxWidth(), y + GetDisplayHeight()}, PaletteColors().Page);
        return;
    }
    EnsureMeasured();
    const bool direct = doc.GetModeFlag(mfPrinting) || doc.GetModeFlag(mfSample);
    // A surface without a device context (a recording) is drawn on directly.
    TOffscreenSurface* buffer = direct || !surface.Handle() ? nullptr : SharedLineBuffer();
    const int32_t width = GetBoxWidth();
    int32_t height = GetDisplayHeight();
    if (doc.GetModeFlag(mfOverhangDrawing))
        height += height * 15 / 100;
    if (buffer && width > 0 && height > 0) {
        // Drawn off screen and copied once, so that a partial repaint does not flicker.
        buffer->SetSize(std::max(buffer->Width(), width), std::max(buffer->Height(), height));
        if (buffer->Width() >= width && buffer->Height() >= height) {
            buffer->FillRect(TRect{0, 0, width, height}, PaletteColors().Page);
            DrawLinesOverBand(*this, *buffer, 0, 0, height);
            TLineDrawer(*this, *buffer, 0, 0).Draw();
            surface.CopyFrom(*buffer, TRect{0, 0, width, height}, x, y);
            return;
        }
    }
    // Output to a printer is not cut to bands: every line's text stands whole.
    if (!direct)
        DrawLinesOverBand(*this, surface, x, y, height);
    TLineDrawer(*this, surface, x, y).Draw();
}
