// The page setup and section parameter records, column geometry, and the page-setup defaults and checks.
#pragma once
#include <cstdint>
#include <type_traits>

#include "core/FormatRecords.h"

// Named indexes of the page setup. Lengths are twips unless said otherwise; fields psScreenWidth to
// psZoomBottomMargin are derived from the device and the zoom and written by the document alone.
enum TPageSetupField : int {
    psWidth = 0,       // 1440..31680
    psHeight = 1,      // 1440..31680
    psOrientation = 2, // byte: 1 landscape, 0 portrait
    psReserved = 3,    // not set by the defaults, not written
    psLeftMargin = 4,
    psRightMargin = 5,
    psTopMargin = 6,
    psBottomMargin = 7,
    psMirrorMargins = 8, // byte 0/1
    psScreenWidth = 9,   // screen pixels
    psScreenHeight = 10,
    psScreenLeftMargin = 11,
    psScreenRightMargin = 12,
    psScreenTopMargin = 13,
    psScreenBottomMargin = 14,
    psDeviceWidth = 15,  // device x units
    psDeviceHeight = 16, // device y units
    psDeviceHeightPlus15 = 17,
    psZoomLeftMargin = 18, // at the layout zoom
    psZoomRightMargin = 19,
    psZoomTopMargin = 20,
    psZoomBottomMargin = 21,
    psTextWidth = 22,      // width - left margin - right margin
    psHeaderDistance = 23, // from the top edge
    psFooterDistance = 24, // from the bottom edge
    psHeaderFlags = 25,    // byte 0: different odd and even pages; byte 1: different first page
    PageSetupFieldCount = 26
};

// Named indexes of the section parameters.
enum TSectionField : int {
    spBreakKind = 0,   // byte: 0 continuous, 1 new page, 2 even page, 3 odd page
    spColumnCount = 1, // 1..64
    spEqualWidths = 2,
    spColumnGap = 3, // gap of equal columns
    spColumns = 4,   // 64 column entries of ColumnEntrySize fields (TColumnEntryField)
    spLineBetween = 324,
    SectionParamsFieldCount = 325
};

constexpr int MaxColumns = 64;
constexpr int ColumnEntrySize = 5;

// Fields of one column entry; only the width and the gap after are stored values.
enum TColumnEntryField : int { ceX = 0, ceWidth = 1, ceGapAfter = 2, ceLeftBound = 3, ceRightBound = 4 };

// Index in TSectionParams of field K of column entry N.
constexpr int ColumnField(int n, int k)
{
    return spColumns + n * ColumnEntrySize + k;
}

struct TPageSetup : TInt32Record<PageSetupFieldCount> {};

struct TSectionParams : TInt32Record<SectionParamsFieldCount> {};

// One column, in twips from the left edge of the text area. The bounds are the column widened by half
// the neighbouring gaps: they decide which column a point falls into.
struct TColumnGeometry {
    int32_t Left;
    int32_t Width;
    int32_t Gap; // the gap after the column
    int32_t LeftBound;
    int32_t RightBound;
};

// These records are stored byte for byte in undo records: their layout must not drift.
static_assert(spLineBetween == ColumnField(MaxColumns, 0));
static_assert(sizeof(TPageSetup) == 26 * 4 && std::is_trivially_copyable_v<TPageSetup>);
static_assert(sizeof(TSectionParams) == 325 * 4 && std::is_trivially_copyable_v<TSectionParams>);
static_assert(sizeof(TColumnGeometry) == 5 * 4 && std::is_trivially_copyable_v<TColumnGeometry>);

// A4 portrait, margins 1417, header and footer 720 from the edges, no mirror, no header flags. The
// reserved and derived fields are left as they are.
void SetPageSetupDefaults(TPageSetup& p);
// Brings a page setup read from outside within bounds: width and height 1440..31680, each margin 0 to
// 40 % of its dimension, header and footer distances at most 40 % of the height; the text width
// follows the margins.
void ValidatePageSetup(TPageSetup& p);
// The geometry of column N (from 0) of a section on a page setup.
void ComputeColumnGeometry(const TSectionParams& params, const TPageSetup& pageSetup, int n,
                           TColumnGeometry& out);
