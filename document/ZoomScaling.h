// Scaling of line measures by a document's zoom, or to layout units.
#pragma once
#include <cstdint>

class TDocument;

// Lengths for line measuring: with a document whose measurements follow the zoom (mode flag 99), Value
// × zoom / 100 (half away from zero); otherwise Value × 8 (layout units). Negative values are scaled as
// their magnitude.
int32_t ScaleByZoomPercent(int32_t value, const TDocument* document);
int32_t UnscaleByZoomPercent(int32_t value, const TDocument* document);
// The same with the document's layout zoom in place of the zoom.
int32_t ScaleBySecondPercent(int32_t value, const TDocument* document);
int32_t UnscaleBySecondPercent(int32_t value, const TDocument* document);
