// Scaling of line measures by a document's zoom, or to layout units.
#include "document/ZoomScaling.h"

#include "core/Units.h"
#include "document/Document.h"

namespace {

bool FollowsZoom(const TDocument* document)
{
    return document && document->GetModeFlag(mfMeasureAtZoom);
}

// Magnitude × Multiplier / Divisor, half away from zero, with the sign put back.
int32_t ScaleMagnitude(int32_t value, int32_t multiplier, int32_t divisor)
{
    const int32_t scaled = MulDivRound(value < 0 ? -value : value, multiplier, divisor < 1 ? 1 : divisor);
    return value < 0 ? -scaled : scaled;
}

} // namespace

int32_t ScaleByZoomPercent(int32_t value, const TDocument* document)
{
    return FollowsZoom(document) ? ScaleMagnitude(value, document->ViewState.ZoomPercent, 100)
                                 : ScaleMagnitude(value, 8, 1);
}

int32_t UnscaleByZoomPercent(int32_t value, const TDocument* document)
{
    return FollowsZoom(document) ? ScaleMagnitude(value, 100, document->ViewState.ZoomPercent)
                                 : ScaleMagnitude(value, 1, 8);
}

int32_t ScaleBySecondPercent(int32_t value, const TDocument* document)
{
    return FollowsZoom(document) ? ScaleMagnitude(value, document->ViewState.LayoutZoom, 100)
                                 : ScaleMagnitude(value, 8, 1);
}

int32_t UnscaleBySecondPercent(int32_t value, const TDocument* document)
{
    return FollowsZoom(document) ? ScaleMagnitude(value, 100, document->ViewState.LayoutZoom)
                                 : ScaleMagnitude(value, 1, 8);
}
