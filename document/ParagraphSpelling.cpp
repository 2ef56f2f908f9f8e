// The spell checker's bookkeeping on a paragraph: the range already checked and the marks found.
#include "document/Paragraph.h"

void TParagraph::ExtendSpellCheckRange(int32_t start, int32_t end, int32_t generation)
{
    if (SpellingStamp != generation) {
        SpellingStamp = generation;
        CheckedStart = CheckedEnd = 0;
        Misspellings.clear();
    }
    if (start >= end)
        return;
    if (CheckedStart >= CheckedEnd) {
        CheckedStart = start;
        CheckedEnd = end;
        return;
    }
    if (start < CheckedStart)
        CheckedStart = start;
    if (end > CheckedEnd)
        CheckedEnd = end;
}

bool TParagraph::IsRangeSpellChecked(int32_t start, int32_t end, int32_t generation) const
{
    return SpellingStamp == generation && CheckedStart < CheckedEnd && start >= CheckedStart &&
           end <= CheckedEnd;
}

void TParagraph::AddMisspelling(int32_t start, int32_t end, int32_t kind)
{
    if (start < CheckedStart || end > CheckedEnd || CheckedStart >= CheckedEnd)
        return;
    for (const TMisspelling& m : Misspellings)
        if (m.Start == start && m.End == end)
            return;
    Misspellings.push_back(TMisspelling{start, end, kind});
}
