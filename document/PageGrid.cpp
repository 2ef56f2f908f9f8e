// The view's grid of page cells, the fitting zooms, page margins by side and the scroll rules.
#include "document/PageGrid.h"

#include <algorithm>
#include <utility>

#include "core/Units.h"

TPageMargins GetPageMargins(const TPageSetup& p, int32_t side)
{
    TPageMargins m{p[psLeftMargin],        p[psRightMargin],    p[psScreenLeftMargin],
                   p[psScreenRightMargin], p[psZoomLeftMargin], p[psZoomRightMargin]};
    if (p[psMirrorMargins] != 0 && (side & 1) != 0) {
        std::swap(m.LeftTwips, m.RightTwips);
        std::swap(m.LeftScreen, m.RightScreen);
        std::swap(m.LeftZoom, m.RightZoom);
    }
    return m;
}

TRect CenterPageInCell(const TRect& cell, int32_t pageWidth, int32_t pageHeight)
{
    TRect r;
    r.Left = cell.Left + (cell.Right - cell.Left - pageWidth) / 2;
    r.Top = cell.Top + (cell.Bottom - cell.Top - pageHeight) / 2;
    r.Right = r.Left + pageWidth;
    r.Bottom = r.Top + pageHeight;
    return r;
}

bool ScrollMovesContents(int32_t oldPos, int32_t newPos, int32_t clientExtent)
{
    const int64_t distance = newPos > oldPos ? int64_t(newPos) - oldPos : int64_t(oldPos) - newPos;
    return distance * 100 < int64_t(clientExtent) * 85;
}

void TPageGrid::Compute(int zoomKind, int32_t pageCount, int32_t pageWidth, int32_t pageHeight,
                        int32_t clientWidth, int32_t clientHeight)
{
    ZoomKind = zoomKind;
    PageWidth = pageWidth;
    PageHeight = pageHeight;
    ClientWidth = clientWidth;
    ClientHeight = clientHeight;
    int64_t count = std::max(pageCount, 0);
    int64_t perRow;
    if (zoomKind == zkTextWidth || zoomKind == zkWholePage) {
        perRow = 1;
    } else if (zoomKind == zkTwoPages) {
        perRow = 2;
        ++count;
    } else {
        perRow = std::max<int64_t>(0, (int64_t(clientWidth) - PageGap) / (int64_t(pageWidth) + PageGap));
    }
    perRow = std::min(perRow, count);
    int64_t totalWidth;
    if (perRow <= 0) {
        totalWidth = int64_t(pageWidth) + 2 * PageGap;
        perRow = 1;
    } else {
        totalWidth = perRow * (int64_t(pageWidth) + PageGap) + PageGap;
    }
    const int64_t rows = (count + perRow - 1) / perRow;
    const int64_t totalHeight = rows * (int64_t(pageHeight) + PageGap) + PageGap;
    PagesPerRow = static_cast<int32_t>(perRow);
    Rows = static_cast<int32_t>(rows);
    TotalWidth = static_cast<int32_t>(std::clamp<int64_t>(totalWidth, clientWidth, INT32_MAX));
    TotalHeight = static_cast<int32_t>(std::clamp<int64_t>(totalHeight, clientHeight, INT32_MAX));
}

TRect TPageGrid::CellRect(int32_t pageIndex) const
{
    if (ZoomKind == zkTwoPages)
        ++pageIndex;
    const int32_t row = pageIndex / PagesPerRow;
    const int32_t column = pageIndex % PagesPerRow;
    const int32_t cellWidth = PageWidth + PageGap;
    const int32_t cellHeight = PageHeight + PageGap;
    TRect r;
    r.Left = column * cellWidth + (TotalWidth - cellWidth * (PagesPerRow - 1) - PageWidth) / 2;
    r.Top = row * cellHeight + (TotalHeight - cellHeight * (std::max(Rows, 1) - 1) - PageHeight) / 2;
    r.Right = r.Left + PageWidth;
    r.Bottom = r.Top + PageHeight;
    return r;
}

int32_t TPageGrid::FirstVisiblePage(int32_t scrollY) const
{
    const int32_t cellHeight = PageHeight + PageGap;
    int32_t row = scrollY / cellHeight;
    if (row > 0 && scrollY % cellHeight < 6)
        --row;
    return std::max(0, row * PagesPerRow - (ZoomKind == zkTwoPages ? 1 : 0));
}

int32_t TPageGrid::LastVisiblePage(int32_t scrollY) const
{
    const int32_t row = (scrollY + ClientHeight) / (PageHeight + PageGap);
    return std::max(0, (row + 1) * PagesPerRow - 1 - (ZoomKind == zkTwoPages ? 1 : 0));
}

int32_t TPageGrid::PageAt(TPoint p) const
{
    const TRect first = CellRect(ZoomKind == zkTwoPages ? -1 : 0);
    const int64_t cellWidth = int64_t(PageWidth) + PageGap, cellHeight = int64_t(PageHeight) + PageGap;
    const auto cellOf = [](int64_t offset, int64_t size, int32_t count) {
        const int64_t shifted = offset + PageGap / 2;
        const int64_t index = shifted < 0 ? 0 : shifted / size;
        return std::clamp<int64_t>(index, 0, std::max(count, 1) - 1);
    };
    const int64_t column = cellOf(int64_t(p.X) - first.Left, cellWidth, PagesPerRow);
    const int64_t row = cellOf(int64_t(p.Y) - first.Top, cellHeight, Rows);
    const int64_t index = row * PagesPerRow + column - (ZoomKind == zkTwoPages ? 1 : 0);
    return static_cast<int32_t>(std::max<int64_t>(index, 0));
}

TPoint TPageGrid::ClampScrollPos(TPoint pos) const
{
    pos.X = std::max(0, std::min(pos.X, TotalWidth - ClientWidth));
    pos.Y = std::max(0, std::min(pos.Y, TotalHeight - ClientHeight));
    return pos;
}

TScrollRanges TPageGrid::ScrollRanges() const
{
    TScrollRanges s;
    s.HorzMax = TotalWidth;
    s.HorzPage = MulDivRound(ClientWidth, 90, 100);
    s.VertMax = TotalHeight;
    s.VertPage = (ZoomKind == zkWholePage || ZoomKind == zkTwoPages) ? PageHeight + PageGap
                                                                     : MulDivRound(ClientHeight, 90, 100);
    return s;
}
