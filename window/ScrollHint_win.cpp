// The hint beside the vertical scroll bar while its thumb is dragged: the page the view would show, and the
// heading that the page starts or that comes before it.
#include <algorithm>
#include <cstdlib>

#include "classlib/runtime/Format.h"
#include "core/Styles.h"
#include "document/Document.h"
#include "document/Page.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"
#include "window/DocForm.h"
#include "window/ScrollHint.h"

namespace {

constexpr int HintWidth = 200;

// A paragraph of one of the built-in heading styles.
bool IsHeadingParagraph(TDocument& doc, int32_t par)
{
    const int32_t style = doc.Paragraphs[size_t(par)]->ParaFormat[pfStyle];
    const TStyle* s = doc.StyleList ? doc.StyleList->StyleOf(style) : nullptr;
    return s && s->IsHeading();
}

} // namespace

TScrollHintWindow::TScrollHintWindow(TComponent* owner) : TCustomControl(owner)
{
    SetVisible(false);
}

void TScrollHintWindow::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP | WS_BORDER;
    params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    params.WndParent = nullptr;
}

void TScrollHintWindow::Paint()
{
    TCanvas& canvas = Canvas();
    RECT r{0, 0, Width(), Height()};
    canvas.Brush().SetColor(clSystemColor | COLOR_INFOBK);
    canvas.FillRect(r);
    canvas.Font().Assign(Font());
    canvas.Font().SetStyle(fsBold);
    canvas.Font().SetColor(clSystemColor | COLOR_INFOTEXT);
    SetBkMode(canvas.Handle(), TRANSPARENT);
    InflateRect(&r, -3, -2);
    canvas.DrawText(Text, r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK | DT_END_ELLIPSIS);
}

int32_t TDocumentForm::ScrollHintPage(int32_t thumb)
{
    TDocument& doc = *Document;
    const int32_t count = int32_t(doc.Pages.size());
    const int32_t step = std::max(1, doc.ViewState.Grid.PagesPerRow);
    const int32_t target = thumb + (ViewRect.Bottom - ViewRect.Top) / 2;
    int32_t best = 0, bestDistance = INT32_MAX;
    for (int32_t i = 0; i < count; i += step) {
        const TRect r = doc.PageRectInGrid(i);
        const int32_t distance = std::abs((r.Top + r.Bottom) / 2 - target);
        if (distance >= bestDistance)
            break;
        best = i;
        bestDistance = distance;
    }
    return std::min(best, count - 1);
}

std::string TDocumentForm::ScrollHintText(int32_t page)
{
    TDocument& doc = *Document;
    std::string text = Format("Page %d", page + 1);
    // The first heading the page starts, else the nearest one before it.
    int32_t heading = -1;
    const TPage& p = *doc.Pages[size_t(page)];
    for (const TParLine* line : p.Lines)
        if (line->Paragraph && line->LineIndex == 0 &&
            doc.StoryOfParagraph(line->Paragraph->LayoutIndex) == stMain &&
            IsHeadingParagraph(doc, line->Paragraph->LayoutIndex)) {
            heading = line->Paragraph->LayoutIndex;
            break;
        }
    if (heading < 0 && !p.Lines.empty() && p.Lines.front()->Paragraph)
        for (int32_t i = std::min(p.Lines.front()->Paragraph->LayoutIndex, doc.StoryEnd(stMain)); i >= 0; --i)
            if (IsHeadingParagraph(doc, i)) {
                heading = i;
                break;
            }
    if (heading >= 0) {
        std::string title = doc.GetText(TextPosAt(heading, 0), std::min(doc.ParagraphLength(heading), 201));
        if (title.size() > 200)
            title = title.substr(0, 200) + "...";
        text += "\n" + title;
    }
    return text;
}

void TDocumentForm::TrackScrollHint()
{
    TDocument& doc = *Document;
    if (doc.Pages.size() < 2)
        return;
    if (!ScrollHint) {
        ScrollHint = new TScrollHintWindow(this);
        ScrollHintShownPage = -1;
    }
    const int32_t page = ScrollHintPage(VerScrollBar->Position());
    if (page != ScrollHintShownPage) {
        ScrollHintShownPage = page;
        ScrollHint->Text = ScrollHintText(page);
        ScrollHint->Invalidate();
    }
    // Left of the bar at the thumb's height, kept on the screen.
    RECT bar;
    GetWindowRect(VerScrollBar->Handle(), &bar);
    const int range = std::max(1, VerScrollBar->Max() - VerScrollBar->PageSize());
    const int arrows = GetSystemMetrics(SM_CYVSCROLL);
    const int y = bar.top + arrows +
                  MulDiv(std::min(VerScrollBar->Position(), range), bar.bottom - bar.top - 3 * arrows, range);
    const int height = ScrollHint->Text.find('\n') == std::string::npos ? 20 : 36;
    const int x = std::max(0, int(bar.left) - HintWidth - 2);
    ScrollHint->HandleNeeded();
    SetWindowPos(ScrollHint->Handle(), HWND_TOPMOST, x, y, HintWidth, height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    State |= dsScrollHintShown;
}

void TDocumentForm::HideScrollHint()
{
    if (ScrollHint && ScrollHint->HandleAllocated())
        ShowWindow(ScrollHint->Handle(), SW_HIDE);
    State &= ~dsScrollHintShown;
}
