// Text positions and ranges over the document's single list of paragraphs, and their comparisons.
#pragma once
#include <cstdint>
#include <type_traits>

// A place in the text. Only ParIndex and Offset are compared; the other four are caches that the
// caret and drawing code fill.
struct TTextPos {
    int32_t ParIndex;  // index into the paragraphs of all stories together
    int32_t Offset;    // character offset in the paragraph; a tag counts as one character
    int32_t LineHint;  // line the caret was on: decides at a wrap point between two lines
    int32_t PageIndex; // page of the line
    int32_t LineIndex; // line of the paragraph that holds the position
    int32_t X;         // caret x on that line
};

// From StartPos up to EndPos, the end excluded; empty when both are the same place.
struct TTextRange {
    TTextPos StartPos;
    TTextPos EndPos;
};

// These records are stored byte for byte in undo records: their layout must not drift.
static_assert(sizeof(TTextPos) == 6 * 4 && std::is_trivially_copyable_v<TTextPos>);
static_assert(sizeof(TTextRange) == 12 * 4 && std::is_trivially_copyable_v<TTextRange>);

// Fills ParIndex and Offset only.
void MakeTextPos(int32_t parIndex, int32_t offset, TTextPos& pos);
// -1, 0 or 1: by paragraph first, then by offset.
int CompareTextPos(const TTextPos& a, const TTextPos& b);
bool IsRangeEmpty(const TTextRange& range);
bool RangesEqual(const TTextRange& a, const TTextRange& b);
// Start <= Pos < End: an empty range holds no position.
bool TextPosInRange(const TTextPos& pos, const TTextRange& range);
// Out = (later start, earlier end); true when that is not reversed, so ranges that only touch meet in
// an empty range.
bool IntersectRanges(const TTextRange& a, const TTextRange& b, TTextRange& out);
// The parts to repaint when a selection changes from Old to New: 0, 1 or 2 ranges in First, Second.
int RangeDifference(const TTextRange& oldRange, const TTextRange& newRange, TTextRange& first,
                    TTextRange& second);

// True when any byte is a forced break (column 4, line 5, page 6).
bool ContainsBreakCode(const uint8_t* bytes, int32_t length);
// True when any byte is a tab (7).
bool ContainsTabCode(const uint8_t* bytes, int32_t length);
