// The small picture of a page that the page-format, columns and page-number dialogs show: the page or
// the two facing pages, their margins, columns and greeked text, and what the dialog is changing.
#pragma once
#include <cstdint>

#include "codecs/Geometry.h"
#include "document/PageSetup.h"

class TDrawSurface;

// What the sample marks.
enum TPageSampleHighlight : uint8_t {
    shNone,
    shLeftMargin, // the inside margin with mirrored margins
    shRightMargin,
    shTopMargin,
    shBottomMargin,
    shHeader,
    shFooter,
};

struct TPageSampleOptions {
    uint8_t Highlight = shNone;
    bool SinglePage = false;     // one page even with mirrored margins
    uint8_t Blocks = 1;          // the text area as 1, 2 or 3 blocks stacked from the top
    uint8_t AffectedBlock = 0;   // the block the dialog changes (the last of two, the middle of three)
    bool ShortenAffected = true; // the affected rows end short at paragraph ends
    int8_t PageNumberMark = -1;  // -1 none; 0-2 top left, centre, right; 3-5 bottom left, centre, right
};

// Draws the sample centred in Area.
void DrawPageSample(TDrawSurface& surface, const TRect& area, const TPageSetup& pageSetup,
                    const TSectionParams& params, const TPageSampleOptions& options);
