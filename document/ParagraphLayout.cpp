// Breaking a paragraph into lines, and the document's font selection and line spacing that it uses.
#include <algorithm>

#include "core/Fonts.h"
#include "core/Kerning.h"
#include "core/Units.h"
#include "document/Document.h"
#include "document/LineBuilder.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"
#include "document/ZoomScaling.h"

void TParagraph::UpdateLayout(bool breakLines, int32_t textWidth)
{
    Lines.clear();
    FormatPool.Clear();
    if (breakLines) {
        if (!GetNormalized())
            NormalizeTags();
        const int32_t right = ParaFormat[pfRightIndent] == UndefinedField ? 0 : ParaFormat[pfRightIndent];
        BreakIntoLines(0, Document->TwipsToScreen((textWidth - right) * 8));
    }
    SetLaidOut(breakLines);
}

void TParagraph::BreakIntoLines(int32_t first, int32_t rightLimit)
{
    first = std::clamp(first, 0, LineCount());
    TLineBuilder builder(*this, first, rightLimit);
    int32_t streamOffset = 0, firstChar = 0;
    if (first > 0 && first < LineCount()) {
        streamOffset = Lines[static_cast<size_t>(first)]->StreamOffset;
        firstChar = Lines[static_cast<size_t>(first)]->FirstChar;
    } else if (first > 0) {
        const TParLine& last = *Lines.back();
        streamOffset = last.StreamOffset + last.StreamLength;
        firstChar = last.FirstChar + last.CharCount;
    }
    Lines.resize(static_cast<size_t>(first));
    TLineStream stream{Text.Data() + streamOffset, Text.Size() - streamOffset};
    do {
        auto line = std::make_unique<TParLine>(this);
        line->StreamOffset = streamOffset;
        line->FirstChar = firstChar;
        line->FormatAtStart = StoreCharFormat(builder.Format);
        line->RightLimit = rightLimit;
        line->LineIndex = LineCount();
        const int32_t before = stream.Remaining;
        line->BuildLine(builder, stream);
        if (stream.Remaining == before && before > 0) {
            // A line that took nothing would never end the paragraph: it takes the rest.
            line->StreamLength += stream.Remaining;
            stream.Data += stream.Remaining;
            stream.Remaining = 0;
        }
        streamOffset += line->StreamLength;
        firstChar += line->CharCount;
        Lines.push_back(std::move(line));
    } while (stream.Remaining > 0);
    for (int32_t i = LineCount() - 1; i >= first; --i)
        Lines[static_cast<size_t>(i)]->FinishLayout();
    MarkSharedBands();
}

void TParagraph::MarkSharedBands()
{
    // Text stands on its baseline below the space before and the raise whatever the spacing, so a line
    // lower than its text draws down into the bands of the lines below it.
    int32_t tallest = 0;
    for (const auto& line : Lines)
        tallest = std::max(tallest, line->GetNaturalHeight());
    for (int32_t k = 0; k < LineCount(); ++k) {
        int32_t first = k, distance = 0;
        for (int32_t j = k - 1; j >= 0 && distance < tallest; --j) {
            const TParLine& above = *Lines[static_cast<size_t>(j)];
            distance += above.Height;
            if (above.GetNaturalHeight() > distance)
                first = j;
        }
        Lines[static_cast<size_t>(k)]->SharedBandLines = k - first;
    }
}

TSelectedFont TDocument::SelectFormatFont(const TCharFormat& format, int flags)
{
    TFontManager& fm = GetFontManager();
    const TDCHandle dc = fm.Device().MeasuringDC();
    const bool smallCaps = (flags & sfSmallCaps) && IsFieldOn(format[cfSmallCaps]);
    const int32_t size = format[cfSize];
    auto heightOf = [&](int32_t s) {
        return (flags & sfDeviceHeight) ? DeviceFontHeight(s) : FontHeightFromHalfPoints(s);
    };
    TSelectedFont selected;
    int32_t height = heightOf(smallCaps ? size * 80 / 100 : size);
    const bool lenient = (flags & sfAllowDefaultCharset) != 0;
    selected.Font = fm.GetSharedFont(format, height, lenient, true, dc);
    selected.Ascent = selected.Font->Ascent;
    selected.Descent = selected.Font->Descent;
    if ((flags & sfVerticalPosition) && IsFieldOn(format[cfVertPos])) {
        height = heightOf(size * (smallCaps ? 52 : 65) / 100);
        selected.Font = fm.GetSharedFont(format, height, lenient, true, dc);
    }
    selected.Hold = selected.Font->shared_from_this();
    // The kerning threshold is in half-points, as the size before scaling.
    const int32_t kerning = format[cfKerning];
    if ((flags & sfKerning) && kerning > 0 && kerning != UndefinedField &&
        UnscaleByZoomPercent(size, this) >= kerning)
        selected.Kerning = GetKerningPairsManager().SelectKerningPairs(format, height, dc);
    return selected;
}

int32_t TDocument::ApplyLineSpacing(int32_t naturalHeight, int32_t baseHeight,
                                    const TParaFormat& format) const
{
    const int32_t spacing = format[pfLineSpacing];
    if (spacing == UndefinedField)
        return naturalHeight;
    switch (format[pfSpacingRule]) {
    case 0:
        if (spacing < 0)
            return TwipsToScreen(-spacing);
        if (spacing > 0) {
            const int32_t least = TwipsToScreen(spacing);
            return naturalHeight < least ? least : naturalHeight;
        }
        return naturalHeight;
    case 1: return std::max(1, naturalHeight + MulDivRound(baseHeight, spacing - 240, 240));
    default: return naturalHeight;
    }
}
