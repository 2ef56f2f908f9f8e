// The document window's hit test: the page, the line and the character boundary under a client point, and
// what lies there (the selection, an embedded object and its handles, the click-and-type steps).
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "document/DocObjects.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/Field.h"
#include "document/Page.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"
#include "document/Section.h"
#include "window/DocForm.h"

namespace {

bool Contains(const TRect& r, TPoint p)
{
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

// The page that holds a document point; pages are laid out further while the point lies below the last.
int32_t FindPageAt(TDocument& doc, TPoint d)
{
    for (int32_t i = 0;; ++i) {
        if (i >= int32_t(doc.Pages.size())) {
            if (doc.GetModeFlag(mfPaginationComplete) || doc.Pages.empty() ||
                d.Y < doc.GetPageRect(int32_t(doc.Pages.size()) - 1).Top)
                return -1;
            TStatusTextScope status;
            const int32_t before = int32_t(doc.Pages.size());
            doc.Paginate(before, before);
            if (int32_t(doc.Pages.size()) <= before)
                return -1;
        }
        if (Contains(doc.GetPageRect(i), d))
            return i;
    }
}

// The left edge (page pixels at the zoom) of the column a line stands in.
int32_t LineLeft(TDocument& doc, const TParLine& line, const TPageMargins& margins)
{
    int32_t x = margins.LeftZoom;
    if (line.ColumnIndex > 0) {
        TColumnGeometry column;
        doc.SectionOfParagraph(line.Paragraph->LayoutIndex)->GetColumnGeometry(line.ColumnIndex, column);
        x += doc.TwipsToDeviceX(column.Left);
    }
    return x;
}

// The innermost code field around a character, the link and the table of contents that enclose it.
void FindFieldsAt(TDocument& doc, const TTextPos& pos, THitResult& hit)
{
    TTextRange range;
    hit.Field = doc.FindFieldAt(pos, range, nullptr, -1, fkCode);
    if (!hit.Field)
        return;
    hit.LinkField = doc.FindFieldAt(pos, range, nullptr, ftHyperlink, fkCode);
    if (!hit.LinkField) {
        TField* reference = doc.FindFieldAt(pos, range, nullptr, ftPageReference, fkCode);
        if (reference && reference->HasHyperlinkSwitch())
            hit.LinkField = reference;
    }
    hit.TocField = doc.FindFieldAt(pos, range, nullptr, ftTableOfContents, fkCode);
}

} // namespace

THitResult TDocumentForm::HitTest(TPoint client)
{
    THitResult hit;
    if (!CanEdit())
        return hit;
    TDocument& doc = *Document;
    const TPoint d = ClientToDoc(client);
    const int32_t pageIndex = FindPageAt(doc, d);
    if (pageIndex < 0)
        return hit;
    TPage& page = *doc.Pages[size_t(pageIndex)];
    const TRect pageRect = doc.GetPageRect(pageIndex);
    hit.PageIndex = pageIndex;
    hit.PagePoint = TPoint{d.X - pageRect.Left, d.Y - pageRect.Top};
    const bool editingHeaders = doc.EditedHeaderFooter != nullptr;
    std::vector<TParLine*> lines;
    for (TParLine* line : page.Lines)
        if (line->Paragraph &&
            (editingHeaders || doc.StoryOfParagraph(line->Paragraph->LayoutIndex) != stHeadersFooters))
            lines.push_back(line);
    if (lines.empty())
        return hit;

    const TPageSetup& ps = doc.PageSetupSectionOfPage(pageIndex)->PageSetup;
    const TPageMargins margins = doc.GetPageMargins(ps, pageIndex);
    const int32_t pageHeight = pageRect.Bottom - pageRect.Top;
    const int32_t topMargin = doc.TwipsToDeviceY(ps[psTopMargin]);
    const int32_t bottomLimit = pageHeight - doc.TwipsToDeviceY(ps[psBottomMargin]);
    const int32_t top = page.HeaderField ? doc.TwipsToDeviceY(ps[psHeaderDistance]) : topMargin;
    const int32_t bottom =
        page.FooterField ? pageHeight - doc.TwipsToDeviceY(ps[psFooterDistance]) : bottomLimit;
    int32_t x = hit.PagePoint.X, y = hit.PagePoint.Y;
    hit.Kind = hkText;
    if (y < top) {
        hit.Kind = hkAboveText;
        y = top + 1;
    } else if (y > bottom) {
        hit.Kind = hkBelowText;
        y = bottom - 2;
    } else if (!editingHeaders && page.HeaderField && y < topMargin) {
        hit.Kind = hkHeaderArea;
    } else if (!editingHeaders && page.FooterField && y > bottomLimit) {
        hit.Kind = hkFooterArea;
    }

    // The column nearest the point, then the lowest line of it whose top is at or above the point.
    auto columnDistance = [&](const TParLine* line) {
        const int32_t left = LineLeft(doc, *line, margins);
        const int32_t right = left + line->GetBoxWidth();
        return x < left ? left - x : x > right ? x - right : 0;
    };
    int32_t column = lines.front()->ColumnIndex, best = INT32_MAX;
    for (const TParLine* line : lines)
        if (const int32_t distance = columnDistance(line); distance < best) {
            best = distance;
            column = line->ColumnIndex;
        }
    TParLine* found = nullptr;
    for (TParLine* line : lines)
        if (line->ColumnIndex == column && (!found || doc.ApplyZoom(line->Y) <= y))
            found = line;
    TParLine& line = *found;
    hit.Line = found;
    const int32_t lineTop = doc.ApplyZoom(line.Y);
    hit.WithinLineVertically = y >= lineTop && y < lineTop + line.GetDisplayHeight();
    if (hit.Kind == hkText && y >= lineTop + line.GetDisplayHeight() && &line == lines.back())
        hit.Kind = hkBelowText;

    // Left and right of the line's text.
    const int32_t left = LineLeft(doc, line, margins);
    std::vector<int32_t> bounds(size_t(line.CharCount) + 1);
    for (int32_t i = 0; i <= line.CharCount; ++i)
        bounds[size_t(i)] = left + line.GetZoomedX(i);
    int32_t lx = x;
    if (lx > bounds.back()) {
        if (hit.Kind == hkText)
            hit.Kind = hkRightOfLine;
        lx = bounds.back();
    } else if (lx < bounds.front() - std::max(1, doc.TwipsToDeviceX(10))) {
        if (hit.Kind == hkText)
            hit.Kind = hkSelectionBar;
        lx = bounds.front();
    } else if (lx < bounds.front()) {
        lx = bounds.front();
    } else {
        hit.WithinLineHorizontally = true;
    }

    // The character boundary: the first at or right of the point, or the one before when it is nearer.
    int32_t i = 0;
    while (i < line.CharCount && bounds[size_t(i)] < lx)
        ++i;
    int32_t caret = i;
    if (i > 0 && lx - bounds[size_t(i) - 1] < bounds[size_t(i)] - lx)
        caret = i - 1;
    const int32_t under = (i > 0 && lx < bounds[size_t(i)]) ? i - 1 : i;
    const int32_t paragraph = line.Paragraph->LayoutIndex;
    // Never between the two bytes of a double-byte character (its trail byte has no width of its own).
    const int32_t whole = doc.CharBoundary(paragraph, line.FirstChar + caret, true) - line.FirstChar;
    if (whole > caret && whole <= line.CharCount)
        caret = whole;
    hit.Pos = TextPosAt(paragraph, line.FirstChar + caret);
    hit.Pos.LineHint = line.LineIndex;
    hit.Pos.LineIndex = line.LineIndex;
    hit.Pos.PageIndex = pageIndex;
    hit.Pos.X = bounds[size_t(caret)];
    const bool withinLine = hit.WithinLineVertically && hit.WithinLineHorizontally;
    const uint8_t underCode = under < line.CharCount ? line.CharAt(under) : 0;
    const TTextPos underPos = TextPosAt(paragraph, line.FirstChar + under);
    hit.InsideSelection =
        withinLine && under < line.CharCount && doc.HasSelection() && TextPosInRange(underPos, doc.Selection);

    // A link address written in the text, and the fields around the character under the point.
    if (withinLine) {
        const TTextPiece address = doc.GetLinkAt(hit.Pos);
        if (address.Length > 0 && hit.Pos.Offset < address.Pos.Offset + address.Length)
            hit.LinkAddress = address;
    }
    if (withinLine && under < line.CharCount && !doc.Fields.empty())
        FindFieldsAt(doc, underPos, hit);

    // An embedded object under the point; the handles of the selected one.
    if (withinLine && under < line.CharCount && (underCode == 8 || underCode == 9))
        if ((hit.Object = doc.GetObjectAt(underPos)) != nullptr)
            ObjectClientRect(underPos, hit.ObjectRect);
    if (doc.HasSelection() && doc.IsSingleObjectRange(doc.Selection)) {
        TRect selected;
        if (ObjectClientRect(doc.Selection.StartPos, selected) &&
            (hit.ObjectHandle = ObjectHandleAt(selected, client)) != 0) {
            hit.Object = doc.GetObjectAt(doc.Selection.StartPos);
            hit.ObjectRect = selected;
            hit.InsideSelection = true;
        }
    }

    const bool singleColumn =
        line.ColumnIndex <= 0 && doc.SectionOfParagraph(paragraph)->Params[spColumnCount] <= 1;
    if ((singleColumn || doc.StoryOfParagraph(paragraph) == stHeadersFooters) && !doc.PreviewMode &&
        !doc.IsOutsideEditedStory(paragraph))
        ComputeClickAndType(hit, page, ps, margins);
    return hit;
}

bool TDocumentForm::ObjectClientRect(const TTextPos& position, TRect& rect)
{
    TDocument& doc = *Document;
    TTextPos pos = position;
    doc.LocateTextPos(pos, 0);
    TDocObject* object = doc.GetObjectAt(pos);
    if (!object || pos.PageIndex < 0 || pos.PageIndex >= int32_t(doc.Pages.size()))
        return false;
    TParagraph& p = *doc.Paragraphs[size_t(pos.ParIndex)];
    if (pos.LineIndex < 0 || pos.LineIndex >= p.LineCount())
        return false;
    TParLine& line = *p.Lines[size_t(pos.LineIndex)];
    const TPageSetup& ps = doc.PageSetupSectionOfPage(pos.PageIndex)->PageSetup;
    const int32_t left = LineLeft(doc, line, doc.GetPageMargins(ps, pos.PageIndex));
    const int32_t n = pos.Offset - line.FirstChar;
    if (n < 0 || n >= line.CharCount)
        return false;
    const TRect pageRect = doc.GetPageRect(pos.PageIndex);
    int32_t w = 0, h = 0;
    object->GetPixelSize(w, h);
    const int32_t baseline = doc.ApplyZoom(line.Y) + line.GetDisplayHeight() - doc.ApplyZoom(line.Descent);
    const TPoint origin = DocToClient(TPoint{pageRect.Left, pageRect.Top});
    rect = TRect{origin.X + left + line.GetZoomedX(n), origin.Y + baseline - doc.ApplyZoom(h),
                 origin.X + left + line.GetZoomedX(n + 1), origin.Y + baseline};
    return true;
}

int TDocumentForm::ObjectHandleAt(const TRect& r, TPoint p)
{
    const int32_t cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    const TPoint centres[8] = {{r.Left - 6, r.Top - 6},  {cx, r.Top - 6},
                               {r.Right + 6, r.Top - 6}, {r.Left - 6, cy},
                               {r.Right + 6, cy},        {r.Left - 6, r.Bottom + 6},
                               {cx, r.Bottom + 6},       {r.Right + 6, r.Bottom + 6}};
    int handle = 0, best = INT32_MAX;
    for (int k = 0; k < 8; ++k) {
        const TPoint c = centres[k];
        if (p.X < c.X - 6 || p.X >= c.X + 6 || p.Y < c.Y - 6 || p.Y >= c.Y + 6)
            continue;
        const int distance = std::abs(p.X - c.X) + std::abs(p.Y - c.Y);
        if (distance < best) {
            best = distance;
            handle = k + 1;
        }
    }
    return handle;
}
