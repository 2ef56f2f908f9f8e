// Resampling of 24-bit bitmaps with a separable two-pass filter.
#pragma once

class TBitmap;

using TResampleFilter = float (*)(float x);

// While on, resampling uses the fast triangle filter instead of the Mitchell filter.
extern bool FastDrawing;

float MitchellFilter(float x);
float TriangleFilter(float x);

// Scales Source into Dest at Dest's size (Dest is sized by the caller); either is taken to 24 bits per
// pixel first when it has another format.
void Resample(const TBitmap& source, TBitmap& dest);
// The two-pass stretch: along rows first, then along columns. Empty bitmaps leave Dest as it is.
void StretchBitmap(const TBitmap& source, TBitmap& dest, TResampleFilter filter, float support);
