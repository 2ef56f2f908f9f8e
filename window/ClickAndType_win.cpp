// Click and type: what a double click in empty space of a page would have to do to put the caret there
// (paragraphs added below the text, an alignment, a first-line indent, tab stops and tabs), computed for
// every hit of the document window.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "core/Options.h"
#include "core/TabTables.h"
#include "document/Document.h"
#include "document/LineBuilder.h"
#include "document/Page.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"
#include "window/DocForm.h"

namespace {

enum : uint8_t { ctLeft = 23, ctFirstLine = 24, ctCentre = 25, ctRight = 26 };

class TStepList {
public:
    explicit TStepList(TClickAndTypeData& data) : FData(data) {}
    void Add(uint8_t kind, int32_t a, int32_t b = 0)
    {
        if (FData.StepCount < TClickAndTypeData::MaxSteps)
            FData.Steps[FData.StepCount++] = TClickAndTypeStep{kind, a, b};
    }

    // Near the paragraph's left edge the caret goes to the start; further right a left tab stop at the
    // click and a second tab put the caret between the two tabs.
    void AddCaretTabs(bool nearLeftEdge, int32_t clickTwips)
    {
        if (nearLeftEdge) {
            Add(6, 0);
            return;
        }
        Add(5, clickTwips, tkLeft);
        Add(3, 0);
        Add(6, 1);
    }

private:
    TClickAndTypeData& FData;
};

bool Within(int32_t distance, int32_t a, int32_t b)
{
    return std::abs(a - b) < distance;
}

bool IsForcedBreak(uint8_t c)
{
    return c >= 4 && c <= 6;
}

} // namespace

void TDocumentForm::ComputeClickAndType(THitResult& hit, TPage& page, const TPageSetup& ps,
                                        const TPageMargins& margins)
{
    TClickAndTypeData& data = hit.ClickAndType;
    data = TClickAndTypeData{};
    TDocument& doc = *Document;
    if (!CurrentOptions().Edit.ClickType || !hit.Line || hit.InsideSelection)
        return;
    if (hit.Kind == hkHeaderArea || hit.Kind == hkFooterArea || hit.Kind == hkNoPage)
        return;
    TParLine& line = *hit.Line;
    const int32_t par = line.Paragraph->LayoutIndex;
    TParagraph& paragraph = *doc.Paragraphs[size_t(par)];
    const TParaFormat& pf = paragraph.ParaFormat;
    const bool headerStory = doc.StoryOfParagraph(par) == stHeadersFooters;
    const TRect pageRect = doc.GetPageRect(hit.PageIndex);
    const int32_t pageWidth = pageRect.Right - pageRect.Left, pageHeight = pageRect.Bottom - pageRect.Top;
    const int32_t px = hit.PagePoint.X, py = hit.PagePoint.Y;
    if (px < margins.LeftZoom || px > pageWidth - margins.RightZoom)
        return;
    const int32_t lineTop = doc.ApplyZoom(line.Y), lineBottom = lineTop + line.GetDisplayHeight();
    const int32_t bottomMargin = doc.TwipsToDeviceY(ps[psBottomMargin]);
    if (headerStory ? (py < lineTop || py >= lineBottom)
                    : (py < doc.TwipsToDeviceY(ps[psTopMargin]) || py > pageHeight - bottomMargin))
        return;

    auto d = [&](int32_t hundredths) { return doc.TwipsToDeviceY((hundredths * 1440 + 50) / 100); };
    const int32_t d12 = d(12), d19 = d(19), d25 = d(25), d50 = d(50), d38 = d(38), d63 = d(63);

    // The height of a new empty line in the format of the hit line's last character.
    const int32_t lastOffset = line.FirstChar + std::max(0, line.CharCount - 1);
    const TSelectedFont font = doc.SelectFormatFont(doc.GetCharFormatInParagraph(par, lastOffset), 0);
    const int32_t h = std::max(1, font.Ascent + font.Descent);
    const int32_t spaceBefore = doc.TwipsToDeviceY(pf[pfSpaceBefore]);
    const int32_t pitch = std::max(1, doc.ApplyZoom(doc.ApplyLineSpacing(h, h, pf)) + spaceBefore +
                                          doc.TwipsToDeviceY(pf[pfSpaceAfter]));
    const int32_t firstHeight = doc.ApplyZoom(h) + spaceBefore;

    // Paragraphs below the text: only when the hit line ends the text above the click.
    TStepList steps(data);
    int32_t added = 0;
    const bool lastLineOfParagraph = line.LineIndex == paragraph.LineCount() - 1;
    const bool endsText =
        (par == doc.StoryEnd(stMain) && lastLineOfParagraph) ||
        (!page.Lines.empty() && page.Lines.back() == &line &&
         (lastLineOfParagraph || (line.CharCount > 0 && IsForcedBreak(line.CharAt(line.CharCount - 1)))));
    if (!headerStory && endsText && py >= lineBottom) {
        const int32_t limit = pageHeight - doc.ApplyZoom(page.FooterHeight) - bottomMargin;
        int32_t bottom = lineBottom;
        do {
            if (limit < bottom + firstHeight)
                break;
            ++added;
            bottom += pitch;
        } while (py >= bottom);
    }
    if (added > 0)
        steps.Add(0, added);
    data.TargetParagraph = par + added;

    // The horizontal frame, from the page's left margin.
    const int32_t X = px - margins.LeftZoom;
    const int32_t L = doc.TwipsToDeviceY(pf[pfLeftIndent] + std::min(0, pf[pfFirstIndent]));
    const int32_t R = doc.TwipsToDeviceY(ps[psTextWidth] - pf[pfRightIndent]);
    const int32_t M = L + (R - L) / 2;
    const int32_t s = doc.ApplyZoom(line.GetCharX(0)), e = doc.ApplyZoom(line.GetCharX(line.CharCount));
    const int32_t Xt = doc.DeviceYToTwips(X), Rt = doc.DeviceYToTwips(R);
    const int32_t alignment = pf[pfAlignment];
    const bool leftAligned = alignment == 0 || alignment == 3;
    const int32_t ownAlignment = leftAligned ? alignment : 0;
    const bool emptyParagraph = paragraph.CharacterCount() == 0 ||
                                (paragraph.CharacterCount() == 1 && paragraph.PlainText.Data()[0] == 2);
    const TTabTable* tabs = pf[pfTabTable] >= 0 && pf[pfTabTable] < doc.TabManager->Count()
                                ? &doc.TabManager->Table(pf[pfTabTable])
                                : nullptr;
    const bool hasTabStops = tabs && tabs->Count() > 0;
    bool accepted = false;

    if (added > 0 || emptyParagraph) {
        const bool fresh = added == 0;
        if (X >= L + d38 && X <= L + d63 && !(leftAligned && pf[pfFirstIndent] != 0) &&
            !(fresh && (Within(d19, X, L) || Within(d19, X, R) || (leftAligned && Within(d19, X, s))))) {
            data.Cursor = ctFirstLine;
            steps.Add(1, ownAlignment);
            steps.Add(2, 720);
            accepted = true;
        } else if (X >= R - d50 && X <= R && alignment != 2 &&
                   !(fresh && (Within(d19, X, L) || (leftAligned && Within(d19, X, s))))) {
            data.Cursor = ctRight;
            steps.Add(1, 2);
            accepted = true;
        } else if (X >= M - d25 && X <= M + d25 &&
                   !(fresh && (alignment == 1 || Within(d19, X, L) || Within(d19, X, R)))) {
            data.Cursor = ctCentre;
            steps.Add(1, 1);
            accepted = true;
        } else if (X >= L && X <= R - d50 && !(fresh && Within(d19, X, s))) {
            data.Cursor = ctLeft;
            steps.Add(1, ownAlignment);
            if (X - L >= d19) {
                steps.Add(4, 0);
                steps.Add(5, Xt, tkLeft);
                steps.Add(3, 0);
                if (pf[pfFirstIndent] < 0)
                    steps.Add(3, 1);
            }
            accepted = true;
        }
    } else if (X >= L && X <= R) {
        const bool holdsTab =
            std::find(paragraph.PlainText.Data(), paragraph.PlainText.Data() + paragraph.CharacterCount(),
                      7) != paragraph.PlainText.Data() + paragraph.CharacterCount();
        const int32_t lineEnd = line.FirstChar + line.CharCount;
        const bool oneLine = paragraph.LineCount() == 1;
        if (holdsTab && !Mouse.ClickAndTypeDone) {
            // a paragraph that already holds a tab is left alone
        } else if (leftAligned) {
            const bool lastLine =
                lastLineOfParagraph || (line.CharCount > 0 && IsForcedBreak(line.CharAt(line.CharCount - 1)));
            int32_t lastStop = INT32_MIN;
            for (int k = 0; tabs && k < tabs->Count(); ++k)
                lastStop = std::max(lastStop, TabStopPosition((*tabs)[k]));
            const bool stopBeyondText =
                hasTabStops && lastStop >= doc.ScreenToTwips(line.GetCharX(std::max(0, line.CharCount - 1)));
            if (lastLine && X >= e + d19 && !stopBeyondText) {
                if (X >= R - d50) {
                    data.Cursor = ctRight;
                    steps.Add(5, Rt, tkRight);
                } else if (X >= M - d25 && X <= M + d25) {
                    data.Cursor = ctCentre;
                    steps.Add(5, Xt, tkCenter);
                } else {
                    data.Cursor = ctLeft;
                    steps.Add(5, Xt, tkLeft);
                }
                steps.Add(3, lineEnd - 1);
                accepted = true;
            }
        } else if (alignment == 1 && oneLine && !hasTabStops) {
            const int32_t x0 = line.GetCharX(0), x1 = line.GetCharX(std::max(0, line.CharCount - 1));
            const int32_t c = doc.ScreenToTwips(x0 + (x1 - x0) / 2);
            if (X <= s - d19) {
                data.Cursor = ctLeft;
                steps.Add(1, 0);
                steps.Add(5, c, tkCenter);
                steps.Add(3, 0);
                steps.AddCaretTabs(X - L < d12, Xt);
                accepted = true;
            } else if (X >= e + d19) {
                steps.Add(1, 0);
                steps.Add(5, c, tkCenter);
                steps.Add(3, 0);
                if (X >= R - d50) {
                    data.Cursor = ctRight;
                    steps.Add(5, Rt, tkRight);
                } else {
                    data.Cursor = ctLeft;
                    steps.Add(5, Xt, tkLeft);
                }
                steps.Add(3, lineEnd);
                accepted = true;
            }
        } else if (alignment == 2 && oneLine && !hasTabStops && X <= s - d19) {
            steps.Add(1, 0);
            if (X >= M - d25 && X <= M + d25) {
                data.Cursor = ctCentre;
                steps.Add(5, Xt, tkCenter);
                steps.Add(3, 0);
                steps.Add(5, Rt, tkRight);
                steps.Add(3, 0);
                steps.Add(6, 1);
            } else {
                data.Cursor = ctLeft;
                steps.Add(5, Rt, tkRight);
                steps.Add(3, 0);
                steps.AddCaretTabs(X - L < d12, Xt);
            }
            accepted = true;
        }
    }
    data.Possible = accepted && data.StepCount > 0;
    if (!data.Possible)
        data = TClickAndTypeData{};
}
