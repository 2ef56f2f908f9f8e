// Comparisons, intersections and differences of text positions and ranges.
#include "document/TextPos.h"

void MakeTextPos(int32_t parIndex, int32_t offset, TTextPos& pos)
{
    pos.ParIndex = parIndex;
    pos.Offset = offset;
}

int CompareTextPos(const TTextPos& a, const TTextPos& b)
{
    if (a.ParIndex != b.ParIndex)
        return a.ParIndex < b.ParIndex ? -1 : 1;
    if (a.Offset != b.Offset)
        return a.Offset < b.Offset ? -1 : 1;
    return 0;
}

bool IsRangeEmpty(const TTextRange& range)
{
    return CompareTextPos(range.StartPos, range.EndPos) == 0;
}

bool RangesEqual(const TTextRange& a, const TTextRange& b)
{
    return CompareTextPos(a.StartPos, b.StartPos) == 0 && CompareTextPos(a.EndPos, b.EndPos) == 0;
}

bool TextPosInRange(const TTextPos& pos, const TTextRange& range)
{
    return CompareTextPos(range.StartPos, pos) <= 0 && CompareTextPos(pos, range.EndPos) < 0;
}

bool IntersectRanges(const TTextRange& a, const TTextRange& b, TTextRange& out)
{
    const TTextPos start = CompareTextPos(a.StartPos, b.StartPos) >= 0 ? a.StartPos : b.StartPos;
    const TTextPos end = CompareTextPos(a.EndPos, b.EndPos) <= 0 ? a.EndPos : b.EndPos;
    out.StartPos = start;
    out.EndPos = end;
    return CompareTextPos(start, end) <= 0;
}

namespace {

TTextRange MakeRange(const TTextPos& start, const TTextPos& end)
{
    TTextRange r;
    r.StartPos = start;
    r.EndPos = end;
    return r;
}

} // namespace

int RangeDifference(const TTextRange& oldRange, const TTextRange& newRange, TTextRange& first,
                    TTextRange& second)
{
    const bool oldEmpty = IsRangeEmpty(oldRange);
    const bool newEmpty = IsRangeEmpty(newRange);
    if (oldEmpty && newEmpty)
        return 0;
    if (oldEmpty || newEmpty) {
        first = oldEmpty ? newRange : oldRange;
        return 1;
    }
    // A starts first (the old range on equal starts).
    const bool oldFirst = CompareTextPos(oldRange.StartPos, newRange.StartPos) <= 0;
    const TTextRange& a = oldFirst ? oldRange : newRange;
    const TTextRange& b = oldFirst ? newRange : oldRange;
    const int startOrder = CompareTextPos(a.StartPos, b.StartPos);
    const int endOrder = CompareTextPos(a.EndPos, b.EndPos);
    if (CompareTextPos(a.EndPos, b.StartPos) < 0) {
        first = a;
        second = b;
        return 2;
    }
    if (startOrder == 0 && endOrder == 0)
        return 0;
    if (startOrder == 0) {
        first = endOrder < 0 ? MakeRange(a.EndPos, b.EndPos) : MakeRange(b.EndPos, a.EndPos);
        return 1;
    }
    if (endOrder == 0) {
        first = MakeRange(a.StartPos, b.StartPos);
        return 1;
    }
    first = MakeRange(a.StartPos, b.StartPos);
    second = endOrder < 0 ? MakeRange(a.EndPos, b.EndPos) : MakeRange(b.EndPos, a.EndPos);
    return 2;
}

bool ContainsBreakCode(const uint8_t* bytes, int32_t length)
{
    for (int32_t i = 0; i < length; ++i)
        if (bytes[i] >= 4 && bytes[i] <= 6)
            return true;
    return false;
}

bool ContainsTabCode(const uint8_t* bytes, int32_t length)
{
    for (int32_t i = 0; i < length; ++i)
        if (bytes[i] == 7)
            return true;
    return false;
}
