// Headers and footers: laying a header or footer out on a page, and the mode in which they are edited.
#include "document/Document.h"

#include <algorithm>

#include "core/Units.h"
#include "document/DocumentHost.h"
#include "document/InlineTags.h"
#include "document/Page.h"
#include "document/Section.h"
#include "document/Field.h"

namespace {

// The paragraphs of a field's range, clamped to the document.
void FieldParagraphs(TDocument& d, const TField& field, int32_t& first, int32_t& last)
{
    const TTextRange range = d.GetFieldRange(field);
    first = std::max(range.StartPos.ParIndex, 0);
    last = std::min(range.EndPos.ParIndex, d.ParagraphCount() - 1);
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// A header or footer on a page

void TPage::RemoveHeaderFooterLines()
{
    const int32_t height = TextHeight;
    for (int32_t k = int32_t(Placements.size()) - 1; k >= 0; --k)
        if (Document->StoryOfParagraph(Placements[size_t(k)]->Paragraph->LayoutIndex) == stHeadersFooters)
            RemoveParagraphAt(k);
    TextHeight = height;
}

void TPage::LayoutHeaderFooter(TField* field)
{
    RemoveHeaderFooterLines();
    if (!field)
        return;
    TDocument& d = *Document;
    const TPageSetup& ps = d.PageSetupSectionOfPage(PageIndex)->PageSetup;
    const int32_t pageHeight = d.TwipsToScreen(ps[psHeight]);
    const int32_t cap = MulDivRound(pageHeight, 80, 100);
    int32_t first, last;
    FieldParagraphs(d, *field, first, last);
    // Broken for the page's text width; lines beyond four fifths of the page get no height.
    int32_t height = 0;
    for (int32_t i = first; i <= last; ++i) {
        TParagraph& p = *d.Paragraphs[size_t(i)];
        p.LayoutIndex = i;
        p.UpdateLayout(true, ps[psTextWidth]);
        for (const auto& line : p.Lines) {
            line->ColumnIndex = -1;
            if (height + line->Height > cap)
                line->Height = 0;
            line->Y = d.TwipsToScreen(ps[psHeaderDistance]) + height;
            height += line->Height;
        }
    }
    const int32_t textHeight = TextHeight;
    for (int32_t i = first; i <= last; ++i) {
        TParagraph& p = *d.Paragraphs[size_t(i)];
        if (p.LineCount() > 0)
            AddParagraphLines(&p, 0, p.LineCount() - 1);
    }
    TextHeight = textHeight;
    // A footer stands on the footer distance, its lines placed from the bottom up.
    if (field == FooterField && field != HeaderField) {
        const int32_t bottom = pageHeight - d.TwipsToScreen(ps[psFooterDistance]);
        for (int32_t i = first; i <= last; ++i)
            for (const auto& line : d.Paragraphs[size_t(i)]->Lines) {
                line->Y = bottom - height;
                height -= line->Height;
            }
    }
}

// ---------------------------------------------------------------------------------------------------
// The editing mode

void TDocument::ToggleHeaderFooterMode(int32_t page, const TTextPos* leavePosition)
{
    if (EditedHeaderFooter) {
        ClearSelection();
        if (EditedHeaderFooterPage >= 0 && EditedHeaderFooterPage < int32_t(Pages.size()))
            Pages[size_t(EditedHeaderFooterPage)]->RemoveHeaderFooterLines();
        EditedHeaderFooter = nullptr;
        EditedHeaderFooterPage = -1;
        const TTextPos back = leavePosition ? *leavePosition : CaretBeforeHeaderFooter;
        SetCaret(back.ParIndex, back.Offset, back.LineHint, 4);
        Invalidate();
        DocumentHost().InvalidateCommands();
        return;
    }
    CaretBeforeHeaderFooter = Caret;
    // The caret goes to the page to edit on first.
    if (page >= 0) {
        LocateTextPos(Caret, 0);
        if (Caret.PageIndex != page) {
            if (page >= int32_t(Pages.size()) && !GetModeFlag(mfPaginationComplete))
                Paginate(int32_t(Pages.size()), page);
            if (page < int32_t(Pages.size())) {
                for (const TParLine* line : Pages[size_t(page)]->Lines)
                    if (StoryOfParagraph(line->Paragraph->LayoutIndex) == stMain) {
                        SetCaret(line->Paragraph->LayoutIndex, line->FirstChar, line->LineIndex, 4);
                        break;
                    }
            }
        }
    }
    if (PreviewMode)
        DocumentHost().ClosePrintPreview(this);
    EditHeaderFooter(-1, nullptr);
}

void TDocument::EditHeaderFooter(int32_t page, TField* field)
{
    ClearSelection();
    if (EditedHeaderFooter && EditedHeaderFooterPage >= 0 && EditedHeaderFooterPage < int32_t(Pages.size()))
        Pages[size_t(EditedHeaderFooterPage)]->RemoveHeaderFooterLines();
    if (!field) {
        LocateTextPos(Caret, 0);
        page = std::max(Caret.PageIndex, 0);
    }
    if (page >= int32_t(Pages.size()) && !GetModeFlag(mfPaginationComplete))
        Paginate(int32_t(Pages.size()), page);
    if (page < 0 || page >= int32_t(Pages.size()))
        return;
    TPage& target = *Pages[size_t(page)];
    if (!field)
        field = target.HeaderField;
    if (!field)
        return;
    UpdateHeaderFooterFields(*field, page, target.GetSection());
    EditedHeaderFooter = field;
    EditedHeaderFooterPage = page;
    target.LayoutHeaderFooter(field);
    const TTextRange range = GetFieldRange(*field);
    SetCaret(range.StartPos.ParIndex, range.StartPos.Offset, 0, 4);
    Invalidate();
    DocumentHost().InvalidateCommands();
}

void TDocument::RefreshHeaderFooterMode()
{
    TField* field = EditedHeaderFooter;
    if (!field)
        return;
    const int32_t page = EditedHeaderFooterPage;
    // A change may have left the page to be paginated again.
    if (page >= int32_t(Pages.size()) && !GetModeFlag(mfPaginationComplete))
        Paginate(int32_t(Pages.size()), page);
    if (page < 0 || page >= int32_t(Pages.size()) ||
        (Pages[size_t(page)]->HeaderField != field && Pages[size_t(page)]->FooterField != field)) {
        ToggleHeaderFooterMode(-1, nullptr);
        return;
    }
    TPage& target = *Pages[size_t(page)];
    UpdateHeaderFooterFields(*field, page, target.GetSection());
    const TTextRange range = GetFieldRange(*field);
    const auto inField = [&](const TTextPos& pos) {
        return CompareTextPos(range.StartPos, pos) <= 0 && CompareTextPos(pos, range.EndPos) <= 0;
    };
    if (HasSelection() && (!inField(Selection.StartPos) || !inField(Selection.EndPos)))
        Selection = TTextRange{Caret, Caret};
    target.LayoutHeaderFooter(field);
    const TTextPos at = inField(Caret) ? Caret : range.StartPos;
    SetCaret(at.ParIndex, at.Offset, at.LineHint, HasSelection() ? 0 : 4);
}
