// The view's grid of page cells: cells, gaps and margins, zoom kinds, scroll ranges and visible pages.
#pragma once
#include <cstdint>

#include "codecs/Geometry.h"
#include "document/PageSetup.h"

// How the zoom is chosen: as set, or fitted to the window.
enum TZoomKind : int {
    zkPercent = 0,   // the zoom percent as set
    zkPageWidth = 1, // the widest page fills the window's width
    zkTextWidth = 2, // the widest text area fills the window's width
    zkWholePage = 3, // a whole page shows
    zkTwoPages = 4   // two pages side by side; page 1 stands alone on the right
};

// Gap between cells and outer margin of the grid, in view pixels.
constexpr int32_t PageGap = 10;

// Maximum and page step of both scroll bars.
struct TScrollRanges {
    int32_t HorzMax;
    int32_t HorzPage;
    int32_t VertMax;
    int32_t VertPage;
};

// Left and right margins of a page: twips, screen pixels at 100 %, view pixels at the zoom.
struct TPageMargins {
    int32_t LeftTwips;
    int32_t RightTwips;
    int32_t LeftScreen;
    int32_t RightScreen;
    int32_t LeftZoom;
    int32_t RightZoom;
};

// The margins of a page setup on the side that Side's bit 0 chooses (the page index): with mirror
// margins the pages of odd index have left and right exchanged.
TPageMargins GetPageMargins(const TPageSetup& pageSetup, int32_t side);

// A cell rectangle narrowed to a page of its own size, centred in the cell (halves toward zero).
TRect CenterPageInCell(const TRect& cell, int32_t pageWidth, int32_t pageHeight);

// True when a scroll from Old to New is short enough to move the window's contents (less than 85 % of
// the client extent); a longer one repaints the whole view.
bool ScrollMovesContents(int32_t oldPos, int32_t newPos, int32_t clientExtent);

// The grid: equal cells as large as the largest page, a fixed number per row, every page centred in its
// cell. All values are view pixels at the zoom.
class TPageGrid {
public:
    // Lays the grid out for PageCount pages (the layout page count) of the largest page's view size.
    void Compute(int zoomKind, int32_t pageCount, int32_t pageWidth, int32_t pageHeight, int32_t clientWidth,
                 int32_t clientHeight);
    // The cell of a page.
    TRect CellRect(int32_t pageIndex) const;
    // The range of page indexes that a view scrolled to ScrollY shows.
    int32_t FirstVisiblePage(int32_t scrollY) const;
    int32_t LastVisiblePage(int32_t scrollY) const;
    // The page whose cell (with half the gaps around it) holds a point, the nearest cell for a point
    // outside the grid.
    int32_t PageAt(TPoint p) const;
    // Both coordinates kept between 0 and the total size less the client size.
    TPoint ClampScrollPos(TPoint pos) const;
    TScrollRanges ScrollRanges() const;

    int ZoomKind = zkPercent;
    int32_t PageWidth = 0; // the cell
    int32_t PageHeight = 0;
    int32_t ClientWidth = 0;
    int32_t ClientHeight = 0;
    int32_t PagesPerRow = 1;
    int32_t Rows = 0;
    int32_t TotalWidth = 0;
    int32_t TotalHeight = 0;
};
