// Finishing a built line: alignment and justification, metrics in screen pixels, line spacing and the
// space around the paragraph; the line's start x and its relayout in place.
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Units.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/LineBuilder.h"
#include "document/ZoomScaling.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"
#include "document/Section.h"

namespace {

bool IsEndCode(uint8_t c)
{
    return c >= scParagraphMark && c <= scPageBreak;
}

int32_t Field(const TParaFormat& pf, int i)
{
    return IsFieldSet(pf[i]) ? pf[i] : 0;
}

// The paragraph laid out with "exactly" line spacing.
bool HasExactSpacing(const TParagraph& p)
{
    return p.GetLaidOut() && p.ParaFormat[pfLineSpacing] < 0 && IsFieldSet(p.ParaFormat[pfLineSpacing]);
}

} // namespace

uint8_t TParLine::CharAt(int32_t n) const
{
    const int32_t i = FirstChar + n;
    if (i < 0 || i >= Paragraph->PlainText.Size())
        return 0;
    return Paragraph->PlainText.Data()[i];
}

bool TParLine::IsLonePageBreak() const
{
    if (CharCount != 1)
        return false;
    const uint8_t c = CharAt(0);
    if (c == scColumnBreak || c == scPageBreak)
        return true;
    if (c != scSectionBreak)
        return false;
    const TSection* section = Paragraph->GetSection();
    return section && section->BreakKind() != 0;
}

int32_t TParLine::GetStartX() const
{
    const TParaFormat& pf = Paragraph->ParaFormat;
    int32_t indent = Field(pf, pfLeftIndent);
    const bool first = LineIndex == 0 || (LineIndex == 1 && Paragraph->Lines[0]->IsLonePageBreak());
    if (first)
        indent += Field(pf, pfFirstIndent);
    const TDocument& doc = *Paragraph->Document;
    return doc.TwipsToScreen(ScaleBySecondPercent(indent, &doc));
}

int32_t TParLine::GetSpaceBefore() const
{
    const uint8_t c = CharAt(0);
    if (c == scSectionBreak || c == scColumnBreak || c == scPageBreak)
        return 0;
    bool carries = LineIndex == 0;
    if (LineIndex == 1) {
        const TParLine& first = *Paragraph->Lines[0];
        const uint8_t before = first.CharAt(first.CharCount - 1);
        carries = first.CharCount == 1 && (before == scColumnBreak || before == scPageBreak);
    }
    if (!carries)
        return 0;
    return Paragraph->Document->TwipsToScreen(Field(Paragraph->ParaFormat, pfSpaceBefore));
}

int32_t TParLine::GetNaturalHeight() const
{
    const TDocument& doc = *Paragraph->Document;
    return doc.TwipsToScreen((Raise + Lower) * 20) + GetSpaceBefore() + Ascent + Descent;
}

void TParLine::ApplyAlignment()
{
    const TDocument& doc = *Paragraph->Document;
    const TParaFormat& pf = Paragraph->ParaFormat;
    const int32_t alignment = Field(pf, pfAlignment);
    const bool isLastLine = LineIndex == Paragraph->LineCount() - 1;
    const int32_t n = CharCount;
    const uint8_t lastCode = n > 0 ? CharAt(n - 1) : 0;
    const bool justify = alignment == 3 && !isLastLine && lastCode != scColumnBreak &&
                         lastCode != scLineBreak && lastCode != scPageBreak;
    // Where the used width ends: before an end mark or break, then before trailing spaces.
    int32_t end = n;
    if (end > 0 && IsEndCode(CharAt(end - 1)))
        --end;
    for (int removed = 0; end > 0 && CharAt(end - 1) == ' ' && (alignment == 3 || removed < 2); ++removed)
        --end;
    int32_t limit = RightLimit;
    if (doc.GetModeFlag(mfMeasureAtZoom))
        limit /= 8;
    const int32_t freeSpace = std::max(0, limit - DecodeCharX(end));
    if (alignment == 1 || alignment == 2) {
        const int32_t shift = alignment == 1 ? freeSpace / 2 : freeSpace;
        if (shift)
            for (int32_t i = 0; i <= n; ++i)
                AddToCharX(i, shift);
        return;
    }
    if (!justify || freeSpace == 0 || end == 0)
        return;
    // Justification: from after leading spaces and after the last tab, the spaces before the last used
    // character share the free space.
    int32_t start = 0;
    while (start < end && CharAt(start) == ' ')
        ++start;
    for (int32_t i = end - 1; i >= start; --i)
        if (CharAt(i) == scTab) {
            start = i + 1;
            break;
        }
    const int32_t last = end - 1;
    int32_t spaces = 0;
    for (int32_t i = start; i < last; ++i)
        spaces += CharAt(i) == ' ' ? 1 : 0;
    if (spaces == 0)
        return;
    std::vector<int32_t> widths(static_cast<size_t>(n - last));
    for (int32_t i = last; i < n; ++i)
        widths[static_cast<size_t>(i - last)] = DecodeCharX(i + 1) - DecodeCharX(i);
    const double step = static_cast<double>(freeSpace) / spaces;
    int32_t k = 0, shift = 0;
    for (int32_t b = start + 1; b <= last; ++b) {
        if (CharAt(b - 1) == ' ') {
            ++k;
            shift = static_cast<int32_t>(std::lround(k * step));
        }
        AddToCharX(b, shift);
    }
    // The last used character and what follows it keep their widths.
    for (int32_t i = last; i < n; ++i)
        SetCharX(i + 1, DecodeCharX(i) + widths[static_cast<size_t>(i - last)]);
}

void TParLine::FinishLayout()
{
    TDocument& doc = *Paragraph->Document;
    if (CharCount > 0)
        SetItalicBit(0, GetItalicBit(1));
    ApplyAlignment();
    Ascent = UnscaleByZoomPercent(Ascent, &doc);
    Descent = UnscaleByZoomPercent(Descent, &doc);
    TextAscent = UnscaleByZoomPercent(TextAscent, &doc);

    const TParaFormat& pf = Paragraph->ParaFormat;
    Height = doc.ApplyLineSpacing(Ascent + Descent, TextAscent + Descent, pf);
    const bool exact = pf[pfLineSpacing] < 0 && IsFieldSet(pf[pfLineSpacing]);
    const int32_t index = Paragraph->LayoutIndex;
    const bool indexValid = index >= 0 && index < doc.ParagraphCount() &&
                            doc.Paragraphs[static_cast<size_t>(index)].get() == Paragraph;
    if (Ascent + Descent > Height) {
        Overhang = 1;
        if (exact) {
            if (LineIndex > 0) {
                Paragraph->Lines[static_cast<size_t>(LineIndex - 1)]->Overhang = 1;
            } else if (indexValid && index > 0 &&
                       doc.StoryOfParagraph(index - 1) == doc.StoryOfParagraph(index)) {
                TParagraph& previous = *doc.Paragraphs[static_cast<size_t>(index - 1)];
                if (previous.GetLaidOut() && previous.LineCount() > 0)
                    previous.Lines.back()->Overhang = 1;
            }
        }
    }
    const bool lastLine = LineIndex == Paragraph->LineCount() - 1;
    if (lastLine && indexValid && index + 1 < doc.ParagraphCount() &&
        doc.StoryOfParagraph(index + 1) == doc.StoryOfParagraph(index) &&
        HasExactSpacing(*doc.Paragraphs[static_cast<size_t>(index + 1)]))
        Overhang = 1;

    if (Field(pf, pfSpacingRule) == 1 || Field(pf, pfLineSpacing) >= 1)
        Height += doc.TwipsToScreen((Raise + Lower) * 20);
    Height += GetSpaceBefore();
    if (lastLine)
        Height += doc.TwipsToScreen(Field(pf, pfSpaceAfter));
}

bool TParLine::Relayout()
{
    // What stands if the line no longer fits its extent.
    const int32_t oldCount = CharCount, oldLength = StreamLength;
    const int32_t oldAscent = Ascent, oldDescent = Descent, oldTextAscent = TextAscent;
    const uint16_t oldRaise = Raise, oldLower = Lower;
    const uint8_t oldOverhang = Overhang;
    std::vector<int32_t> oldX(XBuffer, XBuffer + oldCount + 1);

    TLineBuilder builder(*Paragraph, LineIndex, RightLimit);
    TLineStream stream{Paragraph->Text.Data() + StreamOffset, StreamLength};
    BuildLine(builder, stream);
    if (CharCount == oldCount && StreamLength == oldLength) {
        FinishLayout();
        Paragraph->MarkSharedBands();
        return true;
    }
    ReserveCharX(oldCount);
    std::copy(oldX.begin(), oldX.end(), XBuffer);
    CharCount = oldCount;
    StreamLength = oldLength;
    Ascent = oldAscent;
    Descent = oldDescent;
    TextAscent = oldTextAscent;
    Raise = oldRaise;
    Lower = oldLower;
    Overhang = oldOverhang;
    return false;
}
