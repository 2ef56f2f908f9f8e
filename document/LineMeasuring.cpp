// A line's character widths at the document's zoom, and the boundaries drawing and the caret take from
// them.
#include <algorithm>
#include <utility>
#include <vector>

#include "core/Fonts.h"
#include "core/Units.h"
#include "document/Document.h"
#include "document/LineBuilder.h"
#include "document/LineText.h"

namespace {

// Floor of A / B for a positive B.
int64_t FloorDiv(int64_t a, int64_t b)
{
    const int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

// The natural widths of the line's characters at the zoom: each text character measured in the font of
// its format at the device resolution; other characters count their scaled laid-out width.
std::vector<int32_t> NaturalWidths(TParLine& line, const std::vector<int32_t>& scaled)
{
    TDocument& doc = *line.Paragraph->Document;
    std::vector<int32_t> natural(scaled);
    TCharFormat format = LineStartFormat(line);
    bool stale = true;
    TSelectedFont font;
    TModeFlagScope flags(doc);
    flags.On(mfMeasureAtZoom);
    // The lead byte of a double-byte character waiting for its trail byte, which gives it the pair's
    // width and takes none.
    int32_t lead = -1;
    ForEachLineItem(line, [&](int32_t n, uint8_t c, const uint8_t* tag) {
        const int32_t leadAt = std::exchange(lead, -1);
        if (tag) {
            const int code = TagCode(tag);
            if (IsFormatTag(code) && format[code] != TagValue(tag)) {
                format[code] = TagValue(tag);
                stale = true;
            }
            return;
        }
        if (n >= line.CharCount)
            return;
        if (stale) {
            font = doc.SelectFormatFont(format, sfDeviceHeight | sfVerticalPosition | sfSmallCaps);
            stale = false;
        }
        int32_t spacing = 0;
        if (IsFormatOn(format[cfSpacing]))
            spacing = doc.TwipsToDeviceX(format[cfSpacing]);
        if (font.Font->DoubleByte()) {
            if (leadAt >= 0 && leadAt == n - 1) {
                natural[size_t(leadAt)] = font.Font->PairWidth(uint8_t(line.CharAt(leadAt)), c) + spacing;
                natural[size_t(n)] = 0;
                return;
            }
            if (font.Font->IsLeadByte(c))
                lead = n;
            natural[size_t(n)] = font.Font->CharWidth(c) + spacing;
            return;
        }
        uint8_t shown = c;
        if (IsFormatOn(format[cfSmallCaps]) || IsFormatOn(format[cfAllCaps]))
            shown = UpperCaseTable(format[cfLanguage])[c];
        natural[size_t(n)] = font.Font->CharWidth(shown) + spacing;
    });
    return natural;
}

// A / B rounded half up (B positive).
int64_t RoundedQuotient(int64_t a, int64_t b)
{
    return FloorDiv(2 * a + b, 2 * b);
}

} // namespace

void TParLine::EnsureMeasured()
{
    TDocument& doc = *Paragraph->Document;
    const int32_t zoom = doc.ViewState.ZoomPercent;
    if (MeasuredZoom == zoom && Widths.Size() == CharCount * 4)
        return;
    const size_t n = size_t(std::max(0, CharCount));
    std::vector<int32_t> scaled(n), remainder(n);
    for (size_t i = 0; i < n; ++i) {
        const int64_t w = int64_t(DecodeCharX(int32_t(i) + 1)) - DecodeCharX(int32_t(i));
        scaled[i] = int32_t(FloorDiv(w * zoom, 800));
        remainder[i] = int32_t(w * zoom - int64_t(scaled[i]) * 800);
    }
    const std::vector<int32_t> natural = zoom == 100 ? scaled : NaturalWidths(*this, scaled);
    // The rounding is spread: a pixel each time the remainders add up to a whole one (or more than half
    // of one at the end), given to the character among the last six that lacks it most.
    std::vector<uint8_t> gotPixel(n, 0);
    int32_t running = 0;
    for (size_t i = 0; i < n; ++i) {
        running += remainder[i];
        if (running < 800 && !(i == n - 1 && running > 400))
            continue;
        size_t best = i;
        int32_t bestExcess = natural[i] - scaled[i];
        for (size_t j = i; j-- > 0 && i - j <= 5;) {
            const int32_t excess = natural[j] - scaled[j];
            if (excess > bestExcess ||
                (excess == bestExcess && excess >= 1 && remainder[j] > remainder[best] && !gotPixel[j])) {
                best = j;
                bestExcess = excess;
            }
        }
        ++scaled[best];
        gotPixel[best] = 1;
        running -= 800;
    }
    Widths.SetSize(int32_t(n * 4));
    std::copy(scaled.begin(), scaled.end(), reinterpret_cast<int32_t*>(Widths.Data()));
    MeasuredZoom = zoom;
}

int32_t TParLine::GetCharX(int32_t n)
{
    EnsureMeasured();
    n = std::clamp(n, 0, CharCount);
    const int32_t* w = reinterpret_cast<const int32_t*>(Widths.Data());
    int64_t sum = 0;
    for (int32_t i = 0; i < n; ++i)
        sum += w[i];
    const int32_t zoom = Paragraph->Document->ViewState.ZoomPercent;
    const int32_t start = XBuffer ? DecodeCharX(0) / 8 : 0;
    if (zoom == 100)
        return start + int32_t(sum);
    return start + int32_t(RoundedQuotient(sum * 100, zoom));
}

int32_t TParLine::GetZoomedX(int32_t n)
{
    EnsureMeasured();
    n = std::clamp(n, 0, CharCount);
    const int32_t* w = reinterpret_cast<const int32_t*>(Widths.Data());
    int64_t x =
        XBuffer ? RoundedQuotient(int64_t(DecodeCharX(0)) * Paragraph->Document->ViewState.ZoomPercent, 800)
                : 0;
    for (int32_t i = 0; i < n; ++i)
        x += w[i];
    return int32_t(x);
}

int32_t TParLine::GetDisplayHeight() const
{
    // From this line's zoomed top to the next one's, so that lines that follow each other leave no
    // row between them whatever the rounding.
    const TDocument& doc = *Paragraph->Document;
    return doc.ApplyZoom(Y + Height) - doc.ApplyZoom(Y);
}

int32_t TParLine::GetBoxWidth() const
{
    return Paragraph->Document->ApplyZoom(RightLimit / 8);
}
