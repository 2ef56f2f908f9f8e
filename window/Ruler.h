// The rulers of the document window: margins, indents, tab stops and the scale of the caret's page and
// paragraph, changed by dragging their markers.
#pragma once
#include <cstdint>

#include "classlib/windowing/Controls.h"
#include "codecs/Geometry.h"
#include "core/FormatRecords.h"
#include "core/TabTables.h"
#include "document/PageSetup.h"

class TDocumentForm;

// What a ruler shows; compared as a whole to decide whether it must be drawn again.
struct TRulerState {
    TParaFormat Selection{}; // mixed fields not set
    TParaFormat Caret{};     // the caret paragraph's
    TPageSetup PageSetup{};
    int32_t PageLeft = 0, PageRight = 0, PageTop = 0, PageBottom = 0; // the page's edges in the ruler
    int32_t Zoom = 100;
    int32_t Unit = 0;
    TTabTable Tabs;
    int32_t DefaultTabInterval = 720;
    bool ReadOnly = false;
    bool operator==(const TRulerState& other) const;
};

// Hit zones of a ruler.
enum TRulerZone : int {
    rzNone = 0,
    rzTabSelector = 1,
    rzLeftMargin = 2,
    rzLeftMarginEdge = 3,
    rzTextBand = 4,
    rzRightMarginEdge = 5,
    rzRightMargin = 6,
    rzFirstIndent = 7,
    rzHangingIndent = 8,
    rzLeftBox = 9,
    rzRightIndent = 10,
    rzTabStop = 11,
    rzPageBand = 12,
    rzTopMargin = 13,
    rzTopMarginEdge = 14,
    rzBottomMargin = 15,
    rzBottomMarginEdge = 16,
};

struct TRulerHit {
    int Zone = rzNone;
    int32_t GrabOffset = 0;
    int TabIndex = -1;
};

class TStraightEdge : public TCustomControl {
public:
    TStraightEdge(TDocumentForm* form, bool vertical);

    // Takes the state from the caret's page and paragraph; draws again when it changed.
    void UpdateFromCaret();
    TRulerHit HitTest(TPoint p);
    // A position in twips rounded to the unit's snap step; the attractor wins when the raw position is
    // strictly nearer to it.
    static int32_t SnapPosition(int32_t twips, int32_t unit, int32_t attractor);
    // Ends a drag without applying it.
    void CancelDrag();

    bool Vertical;
    TRulerState State;
    int DragKind = 0; // 0 none, 1 margin, 2 indent, 3 tab stop
    int IndentKind = 0;
    int32_t GrabOffset = 0;
    TParaFormat DragParFormat{}, StartParFormat{};
    int DragTabIndex = -1;
    uint32_t DragTabOriginal = 0;
    int32_t DragTabPosition = 0;
    bool DragTabRemoved = false;
    bool HoverAddTab = false;
    int32_t HoverAddTabPos = 0;
    uint32_t Busy = 0;

    // The tab kind new stops take, shared by every ruler: 0 left, 1 centred, 2 right, 3 decimal, 4 bar.
    static int CurrentTabKind;

protected:
    void WndProc(TMessage& message) override;

private:
    void PaintRuler(HDC dc, int width, int height);
    // Text start and end (x in the ruler), and a twips position from the text start as x, and back.
    int32_t TextStart() const { return State.PageLeft + FLeftMargin; }
    int32_t TextEnd() const { return State.PageRight - FRightMargin; }
    int32_t ToX(int32_t twips) const;
    int32_t ToTwips(int32_t x) const;
    void MouseDown(TPoint p);
    // Opens the dialog of what was double-clicked (the page setup, the paragraph, the tabs).
    void DoubleClick(TPoint p);
    void MouseMove(TPoint p, WPARAM keys);
    void MouseUp();
    void ApplyDrag();
    void DrawGuideLine();
    int32_t GuideValueX() const;
    void AddTabAt(int32_t x);
    const TParaFormat& MarkerFormat() const;

    TDocumentForm* FForm;
    int32_t FLeftMargin = 0, FRightMargin = 0; // pixels at the zoom
    bool FGuideShown = false;
    int32_t FGuideX = 0;
};
