// The rulers of the document window: drawing the page's margins, the scale, the indent markers and the
// tab stops of the caret's paragraph, and applying the markers the user drags as undoable edits.
#include "window/Ruler.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "window/BaseForms.h"
#include "core/Events.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "core/Units.h"
#include "document/Document.h"
#include "document/Paragraph.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/OperationParams.h"
#include "window/DocForm.h"

int TStraightEdge::CurrentTabKind = 0;

bool TRulerState::operator==(const TRulerState& o) const
{
    return std::memcmp(&Selection, &o.Selection, sizeof Selection) == 0 &&
           std::memcmp(&Caret, &o.Caret, sizeof Caret) == 0 &&
           std::memcmp(&PageSetup, &o.PageSetup, sizeof PageSetup) == 0 && PageLeft == o.PageLeft &&
           PageRight == o.PageRight && PageTop == o.PageTop && PageBottom == o.PageBottom && Zoom == o.Zoom &&
           Unit == o.Unit && Tabs == o.Tabs && DefaultTabInterval == o.DefaultTabInterval &&
           ReadOnly == o.ReadOnly;
}

namespace {

constexpr int SelectorSize = 24;

// Major interval (hundredths of the unit), subdivisions and twips per unit, by unit.
struct TRulerUnit {
    int32_t Major;
    int32_t Subdivisions;
    double TwipsPerUnit;
    bool LongMiddleTick;
};
constexpr TRulerUnit RulerUnits[5] = {{100, 4, 1440.0 / 2.54, true},
                                      {100, 8, 1440.0, true},
                                      {3600, 6, 20.0, false},
                                      {600, 6, 240.0, false},
                                      {2000, 10, 1440.0 / 25.4, true}};

const TRulerUnit& UnitOf(int32_t unit)
{
    return RulerUnits[std::clamp(unit, 0, 4)];
}

// Tab glyphs: width and the glyph's left edge's offset left of the stop.
constexpr int TabGlyphWidth[5] = {6, 8, 6, 8, 2};
constexpr int TabGlyphOffset[5] = {0, 3, 4, 3, 0};

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT r{left, top, right, bottom};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void DrawTabGlyph(HDC dc, int kind, int x, int bottom)
{
    const COLORREF ink = RGB(0, 0, 0);
    const int left = x - TabGlyphOffset[kind];
    switch (kind) {
    case tkLeft: // an L
        Fill(dc, left, bottom - 6, left + 2, bottom, ink);
        Fill(dc, left, bottom - 2, left + 6, bottom, ink);
        break;
    case tkRight: // a mirrored L
        Fill(dc, left + 4, bottom - 6, left + 6, bottom, ink);
        Fill(dc, left, bottom - 2, left + 6, bottom, ink);
        break;
    case tkCenter: // an inverted T
    case tkDecimal:
        Fill(dc, left + 3, bottom - 6, left + 5, bottom, ink);
        Fill(dc, left, bottom - 2, left + 8, bottom, ink);
        if (kind == tkDecimal)
            Fill(dc, left + 6, bottom - 5, left + 8, bottom - 3, ink);
        break;
    default: Fill(dc, left, bottom - 6, left + 2, bottom, ink); break;
    }
}

// The indent markers: the first-line triangle pointing down, the hanging one pointing up, the left box.
void DrawMarker(HDC dc, int kind, int x, int base, bool grayed)
{
    const COLORREF face = grayed ? RGB(192, 192, 192) : RGB(236, 236, 236);
    HBRUSH brush = CreateSolidBrush(face);
    HPEN pen = CreatePen(PS_SOLID, 1, grayed ? RGB(128, 128, 128) : RGB(0, 0, 0));
    HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
    if (kind == 0) {
        const POINT pts[5] = {{x - 4, 2}, {x + 4, 2}, {x + 4, 5}, {x, 9}, {x - 4, 5}};
        Polygon(dc, pts, 5);
    } else if (kind == 1) {
        const POINT pts[5] = {
            {x, base - 8}, {x + 4, base - 4}, {x + 4, base}, {x - 4, base}, {x - 4, base - 4}};
        Polygon(dc, pts, 5);
    } else {
        Rectangle(dc, x - 4, base, x + 5, base + 6);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

} // namespace

TStraightEdge::TStraightEdge(TDocumentForm* form, bool vertical)
    : TCustomControl(form), Vertical(vertical), FForm(form)
{
    SetParent(form);
    SetBounds(0, 0, vertical ? 24 : 200, vertical ? 200 : 24);
}

int32_t TStraightEdge::SnapPosition(int32_t twips, int32_t unit, int32_t attractor)
{
    const TRulerUnit& u = UnitOf(unit);
    const double step = double(u.Major) / u.Subdivisions / 2.0; // hundredths of the unit
    const double hundredths = twips * 100.0 / u.TwipsPerUnit;
    const double n = std::floor(hundredths / step + 0.5);
    const int32_t rounded = int32_t(std::lround(n * step * u.TwipsPerUnit / 100.0));
    if (attractor != UndefinedField && std::abs(twips - attractor) < std::abs(twips - rounded))
        return attractor;
    return rounded;
}

int32_t TStraightEdge::ToX(int32_t twips) const
{
    const TDocument& doc = *FForm->Document;
    return TextStart() + (twips >= 0 ? doc.TwipsToDeviceX(twips) : -doc.TwipsToDeviceX(-twips));
}

int32_t TStraightEdge::ToTwips(int32_t x) const
{
    const TDocument& doc = *FForm->Document;
    const int32_t d = x - TextStart();
    return d >= 0 ? doc.DeviceYToTwips(d) : -doc.DeviceYToTwips(-d);
}

const TParaFormat& TStraightEdge::MarkerFormat() const
{
    if (DragKind == 2)
        return DragParFormat;
    const TParaFormat& s = State.Selection;
    if (s[pfFirstIndent] == UndefinedField || s[pfLeftIndent] == UndefinedField ||
        s[pfRightIndent] == UndefinedField)
        return State.Caret;
    return s;
}

void TStraightEdge::UpdateFromCaret()
{
    if ((Busy & 1) || !FForm->Document || !FForm->CanEdit() || !HandleAllocated())
        return;
    TDocument& doc = *FForm->Document;
    if (doc.Pages.empty() || doc.ParagraphCount() == 0)
        return;
    TRulerState s;
    // The selected paragraphs' common format, read afresh (undo may leave the document's state behind).
    const int32_t par = std::clamp(doc.Caret.ParIndex, 0, doc.ParagraphCount() - 1);
    s.Caret = doc.Paragraphs[size_t(par)]->ParaFormat;
    s.Selection = s.Caret;
    if (doc.HasSelection())
        doc.GetParFormatStateOfRange(doc.Selection, s.Selection, false);
    const int32_t page = std::clamp(doc.Caret.PageIndex, 0, int32_t(doc.Pages.size()) - 1);
    s.PageSetup = doc.PageSetupSectionOfPage(page)->PageSetup;
    const TPageMargins margins = doc.GetPageMargins(s.PageSetup, page);
    const TRect rect = doc.GetPageRect(page);
    const TPoint topLeft = FForm->DocToClient(TPoint{rect.Left, rect.Top});
    const TPoint bottomRight = FForm->DocToClient(TPoint{rect.Right, rect.Bottom});
    s.PageLeft = topLeft.X - Left();
    s.PageRight = bottomRight.X - Left();
    s.PageTop = topLeft.Y - Top();
    s.PageBottom = bottomRight.Y - Top();
    s.Zoom = doc.ViewState.ZoomPercent;
    s.Unit = CurrentOptions().General.Measurements;
    const int32_t table = s.Caret[pfTabTable];
    if (table >= 0 && table < doc.TabManager->Count())
        s.Tabs = doc.TabManager->Table(table);
    s.DefaultTabInterval = doc.TabManager->DefaultTabInterval();
    s.ReadOnly = doc.OpenedReadOnly;
    FLeftMargin = margins.LeftZoom;
    FRightMargin = margins.RightZoom;
    if (!(s == State)) {
        State = s;
        Invalidate();
    }
}

TRulerHit TStraightEdge::HitTest(TPoint p)
{
    TRulerHit hit;
    if (!FForm->Document)
        return hit;
    TDocument& doc = *FForm->Document;
    const int h = Vertical ? Width() : Height();
    if (Vertical) {
        const int32_t top = State.PageTop + doc.TwipsToDeviceY(State.PageSetup[psTopMargin]);
        const int32_t bottom = State.PageBottom - doc.TwipsToDeviceY(State.PageSetup[psBottomMargin]);
        if (p.Y >= State.PageTop && p.Y < top)
            hit.Zone = rzTopMargin;
        else if (p.Y > bottom && p.Y <= State.PageBottom)
            hit.Zone = rzBottomMargin;
        else if (p.Y >= top && p.Y <= bottom)
            hit.Zone = rzTextBand;
        if (p.Y >= top - 3 && p.Y < top) {
            hit.Zone = rzTopMarginEdge;
            hit.GrabOffset = p.Y - top;
        } else if (p.Y >= bottom && p.Y < bottom + 3) {
            hit.Zone = rzBottomMarginEdge;
            hit.GrabOffset = p.Y - bottom;
        }
        return hit;
    }
    if (p.X >= 0 && p.X < SelectorSize && p.Y >= 0 && p.Y < SelectorSize) {
        hit.Zone = rzTabSelector;
        return hit;
    }
    const int32_t start = TextStart(), end = TextEnd();
    if (p.X >= State.PageLeft && p.X < start)
        hit.Zone = rzLeftMargin;
    else if (p.X > end && p.X <= State.PageRight)
        hit.Zone = rzRightMargin;
    else if (p.X >= State.PageLeft && p.X <= State.PageRight)
        hit.Zone = rzPageBand;
    if (p.X >= start && p.X <= end)
        hit.Zone = rzTextBand;
    if (p.X >= start - 3 && p.X < start) {
        hit.Zone = rzLeftMarginEdge;
        hit.GrabOffset = p.X - start;
    } else if (p.X >= end && p.X < end + 3) {
        hit.Zone = rzRightMarginEdge;
        hit.GrabOffset = p.X - end;
    }
    // The indent markers, then the tab stops.
    const TParaFormat& f = MarkerFormat();
    const int base = h - 8;
    const int32_t first = ToX(f[pfLeftIndent] + f[pfFirstIndent]), left = ToX(f[pfLeftIndent]);
    const int32_t right = ToX(State.PageSetup[psTextWidth] - f[pfRightIndent]);
    auto inMarker = [&](int32_t x, int top, int bottom) {
        return p.X >= x - 4 && p.X < x + 5 && p.Y >= top && p.Y < bottom;
    };
    if (inMarker(first, 2, 8)) {
        hit.Zone = rzFirstIndent;
        hit.GrabOffset = p.X - first;
    } else if (inMarker(left, base - 6, base)) {
        hit.Zone = rzHangingIndent;
        hit.GrabOffset = p.X - left;
    } else if (inMarker(left, base, base + 6)) {
        hit.Zone = rzLeftBox;
        hit.GrabOffset = p.X - left;
    } else if (inMarker(right, base - 6, base)) {
        hit.Zone = rzRightIndent;
        hit.GrabOffset = p.X - right;
    }
    if (hit.Zone >= rzFirstIndent && hit.Zone <= rzRightIndent)
        return hit;
    for (int k = 0; k < State.Tabs.Count(); ++k) {
        const int kind = std::clamp(int(TabStopKind(State.Tabs[k])), 0, 4);
        const int32_t x = ToX(TabStopPosition(State.Tabs[k])) - TabGlyphOffset[kind];
        if (p.X >= x && p.X < x + TabGlyphWidth[kind] && p.Y >= base - 6 && p.Y < base) {
            hit.Zone = rzTabStop;
            hit.TabIndex = k;
            hit.GrabOffset = p.X - x;
            return hit;
        }
    }
    return hit;
}

void TStraightEdge::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND: message.Result = 1; return;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        if (FForm->Document && FForm->CanEdit()) {
            const int w = ClientWidth(), h = ClientHeight();
            HDC memory = CreateCompatibleDC(dc);
            HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max(1, w), std::max(1, h));
            HGDIOBJ old = SelectObject(memory, bitmap);
            PaintRuler(memory, w, h);
            BitBlt(dc, 0, 0, w, h, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
            DeleteObject(bitmap);
            DeleteDC(memory);
        }
        EndPaint(Handle(), &ps);
        message.Result = 0;
        return;
    }
    case WM_LBUTTONDOWN:
        if (FForm->CanEdit())
            MouseDown(TPoint{int16_t(LOWORD(message.LParam)), int16_t(HIWORD(message.LParam))});
        message.Result = 0;
        return;
    case WM_MOUSEMOVE:
        if (FForm->CanEdit())
            MouseMove(TPoint{int16_t(LOWORD(message.LParam)), int16_t(HIWORD(message.LParam))},
                      message.WParam);
        message.Result = 0;
        return;
    case WM_LBUTTONUP:
        if (FForm->CanEdit())
            MouseUp();
        message.Result = 0;
        return;
    case WM_LBUTTONDBLCLK:
        if (FForm->CanEdit())
            DoubleClick(TPoint{int16_t(LOWORD(message.LParam)), int16_t(HIWORD(message.LParam))});
        message.Result = 0;
        return;
    case WM_CANCELMODE: CancelDrag(); break;
    default: break;
    }
    TCustomControl::WndProc(message);
}

void TStraightEdge::DoubleClick(TPoint p)
{
    const int zone = HitTest(p).Zone;
    int32_t command = 260; // the page setup
    if (zone == rzTabSelector) {
        CurrentTabKind = (CurrentTabKind + 1) % 5;
        Invalidate();
        TriggerEvent(11000);
        return;
    }
    if (zone >= rzFirstIndent && zone <= rzRightIndent)
        command = 9000; // the paragraph format
    else if (!Vertical && (zone == rzTextBand || zone == rzTabStop || zone == rzPageBand))
        command = 209100; // the tabs
    if (ExecuteCommandHook)
        ExecuteCommandHook(command);
}

void TStraightEdge::MouseDown(TPoint p)
{
    UpdateFromCaret();
    TDocument& doc = *FForm->Document;
    const TRulerHit hit = HitTest(p);
    switch (hit.Zone) {
    case rzTabSelector:
        CurrentTabKind = (CurrentTabKind + 1) % 5;
        Invalidate();
        TriggerEvent(11000);
        return;
    case rzTextBand:
        if (!Vertical)
            AddTabAt(p.X);
        return;
    case rzFirstIndent:
    case rzHangingIndent:
    case rzLeftBox:
    case rzRightIndent:
        StartParFormat = MarkerFormat();
        DragKind = 2;
        IndentKind = hit.Zone - rzFirstIndent;
        DragParFormat = StartParFormat;
        break;
    case rzTabStop:
        DragKind = 3;
        DragTabIndex = hit.TabIndex;
        DragTabOriginal = State.Tabs[hit.TabIndex];
        DragTabPosition = TabStopPosition(DragTabOriginal);
        DragTabRemoved = false;
        break;
    default: return;
    }
    (void)doc;
    GrabOffset = hit.GrabOffset;
    Busy |= 1;
    FForm->State |= dsRulerDrag;
    SetCapture(Handle());
    FGuideX = GuideValueX();
    DrawGuideLine();
}

int32_t TStraightEdge::GuideValueX() const
{
    if (DragKind == 3)
        return ToX(DragTabPosition);
    const TParaFormat& f = DragParFormat;
    switch (IndentKind) {
    case 0: return ToX(f[pfLeftIndent] + f[pfFirstIndent]);
    case 3: return ToX(State.PageSetup[psTextWidth] - f[pfRightIndent]);
    default: return ToX(f[pfLeftIndent]);
    }
}

void TStraightEdge::MouseMove(TPoint p, WPARAM keys)
{
    (void)keys;
    if (DragKind == 0) {
        // Hovering over the text band shows the stop a click would add.
        const TRulerHit hit = Vertical ? TRulerHit{} : HitTest(p);
        bool hover = false;
        int32_t pos = 0;
        if (hit.Zone == rzTextBand && !(FForm->State & dsMouseGestures)) {
            pos = SnapPosition(ToTwips(p.X), State.Unit, UndefinedField);
            hover = pos > 0 && pos <= State.PageSetup[psTextWidth] && !State.Tabs.HasTabAt(pos);
        }
        if (hover != HoverAddTab || (hover && pos != HoverAddTabPos)) {
            HoverAddTab = hover;
            HoverAddTabPos = pos;
            Invalidate();
        }
        return;
    }
    const int32_t textWidth = State.PageSetup[psTextWidth];
    const int32_t leftMarginTwips = State.PageSetup[psLeftMargin],
                  rightMarginTwips = State.PageSetup[psRightMargin];
    const int32_t raw = ToTwips(p.X - GrabOffset);
    DrawGuideLine();
    if (DragKind == 2) {
        TParaFormat& f = DragParFormat;
        const TParaFormat& s = StartParFormat;
        switch (IndentKind) {
        case 0: {
            const int32_t at = SnapPosition(raw, State.Unit, s[pfLeftIndent] + s[pfFirstIndent]);
            f[pfFirstIndent] = std::clamp(at, -leftMarginTwips, textWidth) - f[pfLeftIndent];
            break;
        }
        case 1:
        case 2: {
            const int32_t left =
                std::clamp(SnapPosition(raw, State.Unit, s[pfLeftIndent]), -leftMarginTwips, textWidth);
            f[pfLeftIndent] = left;
            if (IndentKind == 1)
                f[pfFirstIndent] = s[pfLeftIndent] + s[pfFirstIndent] - left;
            break;
        }
        default: {
            const int32_t at = SnapPosition(raw, State.Unit, textWidth - s[pfRightIndent]);
            f[pfRightIndent] = std::clamp(textWidth - at, -rightMarginTwips, textWidth);
            break;
        }
        }
    } else if (DragKind == 3) {
        const int kind = std::clamp(int(TabStopKind(DragTabOriginal)), 0, 4);
        const int32_t at = SnapPosition(ToTwips(p.X - GrabOffset + TabGlyphOffset[kind]), State.Unit,
                                        TabStopPosition(DragTabOriginal));
        if (p.Y < -8 || p.Y >= Height() + 8 || at < 1) {
            DragTabRemoved = true;
        } else {
            DragTabRemoved = false;
            const int other = State.Tabs.IndexOf(at);
            if (other < 0 || other == DragTabIndex)
                DragTabPosition = std::min(at, textWidth);
        }
    }
    FGuideX = GuideValueX();
    DrawGuideLine();
    Invalidate();
}

void TStraightEdge::MouseUp()
{
    if (DragKind == 0)
        return;
    if (FGuideShown)
        DrawGuideLine();
    if (GetCapture() == Handle())
        ReleaseCapture();
    ApplyDrag();
    DragKind = 0;
    Busy &= ~1u;
    FForm->State &= ~dsRulerDrag;
    UpdateFromCaret();
    Invalidate();
}

void TStraightEdge::CancelDrag()
{
    if (FGuideShown)
        DrawGuideLine();
    DragKind = 0;
    Busy &= ~1u;
    FForm->State &= ~dsRulerDrag;
    if (HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
    if (HoverAddTab) {
        HoverAddTab = false;
        Invalidate();
    }
}

void TStraightEdge::ApplyDrag()
{
    TDocument& doc = *FForm->Document;
    const TTextRange range = doc.HasSelection() ? doc.Selection : TextRangeOf(doc.Caret, doc.Caret);
    if (DragKind == 2) {
        TFormatParagraphsParams params;
        params.Range = range;
        params.Format = UnsetParaFormat();
        bool changed = false;
        if (IndentKind == 3) {
            if (DragParFormat[pfRightIndent] != StartParFormat[pfRightIndent]) {
                params.Format[pfRightIndent] = DragParFormat[pfRightIndent];
                changed = true;
            }
        } else if (DragParFormat[pfFirstIndent] != StartParFormat[pfFirstIndent] ||
                   DragParFormat[pfLeftIndent] != StartParFormat[pfLeftIndent]) {
            params.Format[pfFirstIndent] = DragParFormat[pfFirstIndent];
            params.Format[pfLeftIndent] = DragParFormat[pfLeftIndent];
            changed = true;
        }
        if (changed) {
            ExecuteOperation(doc, params);
            TriggerEvent(11000);
        }
    } else if (DragKind == 3) {
        if (!DragTabRemoved && DragTabPosition == TabStopPosition(DragTabOriginal))
            return;
        TTabTable table = State.Tabs;
        table.DeleteTab(TabStopPosition(DragTabOriginal));
        if (!DragTabRemoved) {
            int32_t position = 0, kind = 0, leader = 0;
            UnpackTabStop(DragTabOriginal, position, kind, leader);
            table.AddTab(PackTabStop(DragTabPosition, kind, leader));
        }
        table.Sort();
        TFormatTabsParams params;
        params.Interval = doc.TabManager->DefaultTabInterval();
        params.TableIndex = doc.TabManager->RegisterTabTable(table);
        params.Range = range;
        ExecuteOperation(doc, params);
        TriggerEvent(11000);
    }
}

void TStraightEdge::AddTabAt(int32_t x)
{
    TDocument& doc = *FForm->Document;
    if (State.Tabs.Count() >= TTabTable::MaxStops) {
        Invalidate();
        ShowWarning(
            "Le nombre de taquets de tabulation dans une table de tabulations ne peut pas dépasser 50.");
        return;
    }
    const int32_t position = SnapPosition(ToTwips(x), State.Unit, UndefinedField);
    if (position <= 0 || position > State.PageSetup[psTextWidth] || State.Tabs.HasTabAt(position))
        return;
    TTabTable table = State.Tabs;
    table.AddTab(PackTabStop(position, CurrentTabKind, tlNone));
    TFormatTabsParams params;
    params.Interval = doc.TabManager->DefaultTabInterval();
    params.TableIndex = doc.TabManager->RegisterTabTable(table);
    params.Range = doc.HasSelection() ? doc.Selection : TextRangeOf(doc.Caret, doc.Caret);
    ExecuteOperation(doc, params);
    TriggerEvent(11000);
    HoverAddTab = false;
    UpdateFromCaret();
}

// The dotted guide line across the document's view at the dragged value; drawn a second time at the same
// place it goes away.
void TStraightEdge::DrawGuideLine()
{
    if (!FForm->HandleAllocated())
        return;
    const TRect view = FForm->ViewRect;
    const int32_t x = FGuideX + Left();
    if (x < view.Left || x >= view.Right) {
        FGuideShown = !FGuideShown;
        return;
    }
    HDC dc = GetDC(FForm->Handle());
    for (int32_t y = view.Top; y < view.Bottom; ++y)
        if (const int k = (y - view.Top) % 8; k == 0 || k == 2 || k == 4)
            PatBlt(dc, x, y, 1, 1, DSTINVERT);
    ReleaseDC(FForm->Handle(), dc);
    FGuideShown = !FGuideShown;
}

void TStraightEdge::PaintRuler(HDC dc, int w, int h)
{
    TDocument& doc = *FForm->Document;
    Fill(dc, 0, 0, w, h, GetSysColor(COLOR_BTNFACE));
    const COLORREF marginShade = RGB(190, 190, 190), band = RGB(255, 255, 255);
    const TRulerUnit& unit = UnitOf(State.Unit);
    HFONT font = CreateFontA(-9, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    const double stepTwips = unit.TwipsPerUnit * unit.Major / 100.0 / unit.Subdivisions;
    if (Vertical) {
        const int32_t top = State.PageTop + doc.TwipsToDeviceY(State.PageSetup[psTopMargin]);
        const int32_t bottom = State.PageBottom - doc.TwipsToDeviceY(State.PageSetup[psBottomMargin]);
        Fill(dc, 4, State.PageTop, w - 4, State.PageBottom, marginShade);
        Fill(dc, 4, top, w - 4, bottom, band);
        for (int sign = -1; sign <= 1; sign += 2)
            for (int k = sign > 0 ? 0 : 1;; ++k) {
                const int32_t y = top + sign * doc.TwipsToDeviceY(int32_t(std::lround(k * stepTwips)));
                if (y < State.PageTop || y > State.PageBottom || y < -1000 || y > h + 1000)
                    break;
                if (k % unit.Subdivisions == 0 && k > 0) {
                    const std::string text = std::to_string(k / unit.Subdivisions * unit.Major / 100);
                    RECT r{0, y - 6, w, y + 6};
                    DrawTextA(dc, text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
                } else if (k > 0) {
                    const int len =
                        (unit.LongMiddleTick && k % unit.Subdivisions == unit.Subdivisions / 2) ? 5 : 2;
                    Fill(dc, (w - len) / 2, y, (w + len) / 2, y + 1, RGB(0, 0, 0));
                }
            }
    } else {
        const int32_t start = TextStart(), end = TextEnd();
        Fill(dc, State.PageLeft, 4, State.PageRight, h - 4, marginShade);
        Fill(dc, start, 4, end, h - 4, band);
        const int base = h - 8;
        for (int sign = -1; sign <= 1; sign += 2)
            for (int k = sign > 0 ? 0 : 1;; ++k) {
                const int32_t x = start + sign * doc.TwipsToDeviceX(int32_t(std::lround(k * stepTwips)));
                if (x < State.PageLeft || x > State.PageRight || x < -1000 || x > w + 1000)
                    break;
                if (k % unit.Subdivisions == 0 && k > 0) {
                    const std::string text = std::to_string(k / unit.Subdivisions * unit.Major / 100);
                    RECT r{x - 15, 5, x + 15, base};
                    DrawTextA(dc, text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
                } else if (k > 0) {
                    const int len =
                        (unit.LongMiddleTick && k % unit.Subdivisions == unit.Subdivisions / 2) ? 5 : 2;
                    Fill(dc, x, h / 2 - len / 2, x + 1, h / 2 - len / 2 + len, RGB(0, 0, 0));
                }
            }
        // Tab stops, the dragged one at its new place, and the default stops after the last.
        int32_t lastStop = 0;
        for (int k = 0; k < State.Tabs.Count(); ++k) {
            int32_t position = TabStopPosition(State.Tabs[k]);
            lastStop = std::max(lastStop, position);
            if (DragKind == 3 && k == DragTabIndex) {
                if (DragTabRemoved)
                    continue;
                position = DragTabPosition;
            }
            DrawTabGlyph(dc, std::clamp(int(TabStopKind(State.Tabs[k])), 0, 4), ToX(position), base);
        }
        if (HoverAddTab)
            DrawTabGlyph(dc, CurrentTabKind, ToX(HoverAddTabPos), base);
        const int32_t interval = std::max<int32_t>(1, State.DefaultTabInterval);
        if (doc.TwipsToDeviceX(interval) >= 20)
            for (int32_t t = (lastStop / interval + 1) * interval; t <= State.PageSetup[psTextWidth];
                 t += interval)
                Fill(dc, ToX(t), base + 1, ToX(t) + 1, base + 4, RGB(96, 96, 96));
        // The indent markers, grayed when the selected paragraphs differ.
        const TParaFormat& f = MarkerFormat();
        const TParaFormat& s = State.Selection;
        const bool mixed =
            DragKind != 2 && (s[pfFirstIndent] == UndefinedField || s[pfLeftIndent] == UndefinedField ||
                              s[pfRightIndent] == UndefinedField);
        DrawMarker(dc, 0, ToX(f[pfLeftIndent] + f[pfFirstIndent]), base, mixed);
        DrawMarker(dc, 1, ToX(f[pfLeftIndent]), base, mixed);
        DrawMarker(dc, 2, ToX(f[pfLeftIndent]), base, mixed);
        DrawMarker(dc, 1, ToX(State.PageSetup[psTextWidth] - f[pfRightIndent]), base, mixed);
        // The tab selector in the corner.
        Fill(dc, 0, 0, SelectorSize, SelectorSize, GetSysColor(COLOR_BTNFACE));
        const RECT box{2, 2, SelectorSize - 2, SelectorSize - 2};
        FrameRect(dc, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        DrawTabGlyph(dc, CurrentTabKind, SelectorSize / 2 - 2 + TabGlyphOffset[CurrentTabKind],
                     SelectorSize / 2 + 3);
        // While dragging, the value beside the guide line.
        if (DragKind != 0) {
            const int32_t value = DragKind == 3     ? DragTabPosition
                                  : IndentKind == 0 ? DragParFormat[pfFirstIndent]
                                  : IndentKind == 3 ? DragParFormat[pfRightIndent]
                                                    : DragParFormat[pfLeftIndent];
            const std::string text = GetMeasurementsManager()->FormatValue(value);
            TextOutA(dc, FGuideX + 4, 1, text.c_str(), int(text.size()));
        }
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

void TDocumentForm::UpdateRulers()
{
    if (!CanEdit())
        return;
    for (TStraightEdge* ruler : {StraightEdge, VerStraightEdge})
        if (ruler && ruler->Visible())
            ruler->UpdateFromCaret();
}
