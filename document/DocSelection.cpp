// The selection: setting it, the ranges of the body, the stories and the whole document, and the
// format states that follow it.
#include <algorithm>

#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/Field.h"

int32_t TDocument::ParagraphLength(int32_t paragraph) const
{
    if (paragraph < 0 || paragraph >= ParagraphCount())
        return 0;
    return Paragraphs[static_cast<size_t>(paragraph)]->PlainText.Size();
}

TTextRange TDocument::GetBodyRange() const
{
    const int32_t last = std::max(StoryEnd(stMain), 0);
    return TextRangeOf(TextPosAt(0, 0), TextPosAt(last, ParagraphLength(last)));
}

TTextRange TDocument::GetFullRange() const
{
    const int32_t last = std::max(ParagraphCount() - 1, 0);
    return TextRangeOf(TextPosAt(0, 0), TextPosAt(last, ParagraphLength(last)));
}

TTextRange TDocument::GetHeaderFooterRange()
{
    if (!EditedHeaderFooter)
        return GetBodyRange();
    return GetFieldRange(*EditedHeaderFooter);
}

TTextRange TDocument::GetStoryRange()
{
    return EditedHeaderFooter ? GetHeaderFooterRange() : GetBodyRange();
}

bool TDocument::HasSelection() const
{
    return !IsRangeEmpty(Selection);
}

bool TDocument::IsPosInSelection(const TTextPos& pos) const
{
    return HasSelection() && TextPosInRange(pos, Selection);
}

void TDocument::ClearSelection()
{
    Select(Caret.ParIndex, Caret.Offset, Caret.ParIndex, Caret.Offset, 0);
}

void TDocument::SelectAll()
{
    const TTextRange story = GetStoryRange();
    Select(story.StartPos.ParIndex, story.StartPos.Offset, story.EndPos.ParIndex, story.EndPos.Offset, 0);
}

void TDocument::GetSelectionParagraphs(int32_t& first, int32_t& last) const
{
    if (HasSelection()) {
        first = Selection.StartPos.ParIndex;
        last = Selection.EndPos.ParIndex;
    } else {
        first = last = Caret.ParIndex;
    }
}

bool TDocument::IsViewBusy()
{
    return Window && DocumentHost().IsWindowBusy(Window, 0x52182);
}

bool TDocument::IsViewBusyNoAutoscroll()
{
    return Window && DocumentHost().IsWindowBusy(Window, 0x12102);
}

bool TDocument::RangeTouchesMultiParagraphField(const TTextRange& range)
{
    UpdateFields();
    for (auto it = Fields.rbegin(); it != Fields.rend(); ++it) {
        const TField& f = **it;
        if (f.StartPos.ParIndex == f.EndPos.ParIndex)
            continue;
        TTextRange meet;
        if (!IntersectRanges(range, TextRangeOf(f.StartPos, f.EndPos), meet))
            continue;
        if (range.StartPos.ParIndex <= f.StartPos.ParIndex || range.EndPos.ParIndex >= f.EndPos.ParIndex)
            return true;
    }
    return false;
}

void TDocument::Select(int32_t fromPar, int32_t fromOffset, int32_t toPar, int32_t toOffset, int options)
{
    if (ParagraphCount() == 0)
        return;
    if (BlockSelection.Active)
        SetBlockSelection(TBlockSelection{});
    fromPar = std::clamp(fromPar, 0, ParagraphCount() - 1);
    toPar = std::clamp(toPar, 0, ParagraphCount() - 1);
    fromOffset = std::clamp(fromOffset, 0, ParagraphLength(fromPar));
    toOffset = std::clamp(toOffset, 0, ParagraphLength(toPar));
    TTextPos from = TextPosAt(fromPar, fromOffset), to = TextPosAt(toPar, toOffset);
    if (!(HasSelection() &&
          (CompareTextPos(from, SelectionAnchor) == 0 || CompareTextPos(to, SelectionAnchor) == 0)))
        SelectionAnchor = from;
    if (CompareTextPos(from, to) > 0)
        std::swap(from, to);
    TTextRange old = Selection;
    if (options & soRepaintNewOnly)
        old.EndPos = old.StartPos;

    TTextPos start = from, end = to;
    const int32_t mainLast = StoryEnd(stMain);
    if (start.Offset == ParagraphLength(start.ParIndex) && start.ParIndex < mainLast &&
        start.ParIndex + 1 < ParagraphCount())
        start = TextPosAt(start.ParIndex + 1, 0);
    if (end.Offset == 0 && end.ParIndex > 0)
        end = TextPosAt(end.ParIndex - 1, ParagraphLength(end.ParIndex - 1));
    if (CompareTextPos(end, start) < 0)
        end = start;
    start.LineHint = 2147483647;
    end.LineHint = UndefinedField;
    const bool changed = !RangesEqual(Selection, TextRangeOf(start, end));
    Selection.StartPos = start;
    Selection.EndPos = end;

    if (!GetModeFlag(mfNoSelectionRepaint)) {
        if (IsSingleObjectRange(old) && TextPosInRange(old.StartPos, Selection))
            old.EndPos = old.StartPos;
        TTextRange first, second;
        const int count = RangeDifference(old, Selection, first, second);
        if (count > 0)
            RepaintRanges(count, first, second);
    }
    if (!HasSelection()) {
        TakeFormatStatesAtCaret();
    } else if (changed) {
        GetParFormatStateOfRange(Selection, ParaFormatState, false);
        GetCharFormatStateOfRange(Selection, CharFormatState, false);
    }
    if (!(options & soNoCommandRefresh))
        DocumentHost().InvalidateCommands();
}

bool TDocument::TakeFormatStatesAtCaret()
{
    if (Caret.ParIndex >= 0 && Caret.ParIndex < ParagraphCount())
        ParaFormatState = Paragraphs[static_cast<size_t>(Caret.ParIndex)]->ParaFormat;
    if (GetModeFlag(mfKeepCharFormatState))
        return false;
    CharFormatState = GetCharFormatAt(Caret);
    return true;
}

void TDocument::RepaintRanges(int count, const TTextRange& first, const TTextRange& second)
{
    if (count > 0)
        RepaintRange(first);
    if (count > 1)
        RepaintRange(second);
}
