// The caret: completing a text position with its line, page and x, its shape, its place in the view.
#include "document/Document.h"

#include <algorithm>

#include "codecs/CharsetCodePages.h"
#include "core/Fonts.h"
#include "document/DocumentHost.h"
#include "document/DocumentView.h"
#include "document/LineBuilder.h"
#include "document/Page.h"
#include "document/Section.h"
#include "document/Field.h"
#include "document/InlineTags.h"

namespace {

// Cleared once the caret is placed.
constexpr int mfCaretMoved = 29;

// The field's paragraphs hold paragraph I.
bool FieldHolds(const TField* field, int32_t i)
{
    return field != nullptr && i >= field->StartPos.ParIndex && i <= field->EndPos.ParIndex;
}

// The last offset of a paragraph: the position of its end mark.
int32_t LastOffset(const TParagraph& p)
{
    return std::max(0, p.PlainText.Size() - 1);
}

} // namespace

int32_t TDocument::PageShowingParagraph(int32_t i) const
{
    if (EditedHeaderFooter && FieldHolds(EditedHeaderFooter, i) && EditedHeaderFooterPage >= 0 &&
        EditedHeaderFooterPage < int32_t(Pages.size()))
        return EditedHeaderFooterPage;
    for (const auto& page : Pages)
        if (FieldHolds(page->HeaderField, i) || FieldHolds(page->FooterField, i))
            return page->PageIndex;
    return -1;
}

void TDocument::LocateTextPos(TTextPos& pos, int32_t flag)
{
    if (Paragraphs.empty())
        return;
    TModeFlagScope flags(*this);
    flags.Off(mfViewLive);
    pos.ParIndex = std::clamp<int32_t>(pos.ParIndex, 0, ParagraphCount() - 1);
    TParagraph& p = *Paragraphs[pos.ParIndex];
    // Paginate in growing slices (1, 2, 4 ... pages) until the paragraph is placed. A paragraph that no
    // page will ever hold (a note, a header or footer not being edited) ends the search once
    // pagination is complete, or when a slice adds no page.
    TStatusTextScope status(false);
    for (int32_t more = 1; !p.GetLaidOut() || p.Lines.empty() || p.Lines.back()->Page == nullptr; more *= 2) {
        if (GetModeFlag(mfPaginationComplete))
            break;
        const int32_t count = int32_t(Pages.size());
        status.Push();
        Paginate(count, count + more - 1);
        if (int32_t(Pages.size()) <= count)
            break;
        more = std::min(more, INT32_MAX / 4);
    }
    if (!p.GetLaidOut())
        LayoutParagraph(pos.ParIndex, PageSetupOwnerSection(StoryEnd(stMain))->PageSetup[psTextWidth]);
    if (p.Lines.empty()) {
        pos.LineIndex = 0;
        pos.PageIndex = PageShowingParagraph(pos.ParIndex);
        pos.X = 0;
        return;
    }
    pos.LineIndex = p.LineAtOffset(pos.Offset, pos.LineHint, flag);
    const TParLine& line = *p.Lines[pos.LineIndex];
    pos.PageIndex = line.Page ? line.Page->PageIndex : PageShowingParagraph(pos.ParIndex);
    const int32_t n = std::clamp(pos.Offset - line.FirstChar, 0, line.CharCount);
    pos.X = line.XBuffer ? line.DecodeCharX(n) : 0;
}

bool TDocument::PrevCharPos(TTextPos& pos) const
{
    if (pos.Offset > 0) {
        --pos.Offset;
        return true;
    }
    if (pos.ParIndex <= 0)
        return false;
    --pos.ParIndex;
    pos.Offset = LastOffset(*Paragraphs[pos.ParIndex]);
    return true;
}

bool TDocument::NextCharPos(TTextPos& pos) const
{
    if (pos.Offset < LastOffset(*Paragraphs[pos.ParIndex])) {
        ++pos.Offset;
        return true;
    }
    if (pos.ParIndex >= StoryEnd(stMain))
        return false;
    ++pos.ParIndex;
    pos.Offset = 0;
    return true;
}

int32_t TDocument::CharBoundary(int32_t parIndex, int32_t offset, bool forward) const
{
    if (parIndex < 0 || parIndex >= ParagraphCount() || offset <= 0)
        return offset;
    const TParagraph& p = *Paragraphs[size_t(parIndex)];
    const TFontManager& fonts = GetFontManager();
    const uint8_t* s = p.Text.Data();
    const int32_t size = p.Text.Size();
    int32_t charset = fonts.FontOfIndex(DefaultCharFormat()[cfFont]).Charset;
    // Walks the characters before Offset with the font in force; N counts character positions.
    bool lead = false;
    int32_t n = 0, pos = 0;
    while (pos < size && n < offset) {
        if (s[pos] != 0) {
            lead = !lead && IsDoubleByteLead(charset, s[pos]);
            ++n;
            ++pos;
            continue;
        }
        if (size - pos < InlineTagSize)
            break;
        const int code = TagCode(s + pos);
        if (code == cfFont)
            charset = fonts.FontOfIndex(TagValue(s + pos)).Charset;
        lead = false;
        if (IsRunEndingTag(code))
            ++n;
        pos += InlineTagSize;
    }
    // A lead byte whose trail byte is the next byte of the text.
    if (!lead || n != offset || pos >= size || s[pos] == 0)
        return offset;
    return forward ? offset + 1 : offset - 1;
}

void TDocument::UpdateCaretShape()
{
    // The format of the next typed character, or with a selection the format at the caret.
    CaretState.Format = HasSelection() ? GetCharFormatAt(Caret) : InsertionFormat;
    // The font the text is drawn in: at the device height, in the smaller font of super- and
    // subscripts and of small capitals.
    const TSelectedFont selected =
        SelectFormatFont(CaretState.Format, sfDeviceHeight | sfVerticalPosition | sfSmallCaps);
    CaretState.Ascent = selected.Font->Ascent;
    CaretState.Descent = selected.Font->Descent;
    CaretState.Shape = ComputeCaretShape(CaretState.Ascent, CaretState.Descent,
                                         CaretState.Format[cfItalic] > 0, CaretState.Format[cfSmallCaps] > 0);
}

void TDocument::UpdateCaretGeometry()
{
    if (Caret.ParIndex < 0 || Caret.ParIndex >= ParagraphCount() || Caret.PageIndex < 0 ||
        Caret.PageIndex >= int32_t(Pages.size()))
        return;
    TParagraph& p = *Paragraphs[Caret.ParIndex];
    if (Caret.LineIndex < 0 || Caret.LineIndex >= p.LineCount())
        return;
    TParLine& line = *p.Lines[Caret.LineIndex];
    const TPage& page = *Pages[Caret.PageIndex];
    const TPageSetup& ps = PageSetupSectionOfPage(page.PageIndex)->PageSetup;
    int32_t x = page.ViewRect.Left + GetPageMargins(ps, page.PageIndex).LeftZoom;
    if (line.ColumnIndex >= 0) {
        TColumnGeometry column;
        SectionOfParagraph(Caret.ParIndex)->GetColumnGeometry(line.ColumnIndex, column);
        x += TwipsToDeviceX(column.Left);
    }
    // The boundary where drawing puts it, with the widths measured at the zoom.
    const int32_t n = std::clamp(Caret.Offset - line.FirstChar, 0, line.CharCount);
    x += (line.XBuffer ? line.GetZoomedX(n) : 0) - CaretState.Shape.XOffset;
    CaretState.X = x;
    TCaretLineMetrics m;
    m.PageTop = page.ViewRect.Top;
    m.SpaceBefore = LineSpaceBefore(line);
    m.Y = line.Y;
    m.Ascent = line.Ascent;
    m.TextAscent = line.TextAscent;
    m.Descent = line.Descent;
    m.Raise = line.Raise;
    m.LineSpacing = p.ParaFormat[pfLineSpacing];
    m.SpacingRule = p.ParaFormat[pfSpacingRule];
    CaretState.Y = CaretTop(m, CaretState.Format, CaretState.Ascent, CaretState.Descent, *this);
}

void TDocument::PlaceCaret(const TTextPos& pos, int32_t options)
{
    // A rectangular selection ends with any move of the caret.
    if (BlockSelection.Active)
        SetBlockSelection(TBlockSelection{});
    CaretState.OldPos = Caret;
    const bool hadSelection = HasSelection();
    Caret = pos;
    // Never between the two bytes of a double-byte character: on to its end when the caret moved
    // forward, else back to its start.
    if (!HasSelection()) {
        const bool forward =
            Caret.ParIndex == CaretState.OldPos.ParIndex && Caret.Offset > CaretState.OldPos.Offset;
        const int32_t offset = CharBoundary(Caret.ParIndex, Caret.Offset, forward);
        if (offset != Caret.Offset) {
            Caret.Offset = offset;
            LocateTextPos(Caret, 0);
        }
    }
    if (!HasSelection())
        options &= ~4;
    if (options & 4)
        Selection = TTextRange{Caret, Caret};
    // Keep the caret out of the middle of line-end codes: step back before a paragraph mark, a section,
    // page, line or column break that ends its line. With a selection only while the window asks for it
    // (state value 2).
    const bool lineEndStep =
        (options & 2) == 0 && (!HasSelection() || (Window && DocumentHost().IsWindowBusy(Window, 2)));
    if (lineEndStep && Caret.ParIndex >= 0 && Caret.ParIndex < ParagraphCount()) {
        const TParagraph& p = *Paragraphs[Caret.ParIndex];
        if (Caret.LineIndex >= 0 && Caret.LineIndex < p.LineCount()) {
            TParLine& line = *p.Lines[Caret.LineIndex];
            bool moved = false;
            while (Caret.Offset > line.FirstChar && Caret.Offset <= p.PlainText.Size()) {
                const uint8_t c = p.PlainText.Data()[Caret.Offset - 1];
                if (c < 2 || c > 6)
                    break;
                --Caret.Offset;
                moved = true;
            }
            if (moved)
                LocateTextPos(Caret, 0);
        }
    }
    // A caret moved to another place, or a collapsed selection, types with the format of the text there
    // (the character before it, the first one at a paragraph's start); a caret placed again where it
    // stood keeps a typing format changed there.
    if (!HasSelection() && (hadSelection || Caret.ParIndex != CaretState.OldPos.ParIndex ||
                            Caret.Offset != CaretState.OldPos.Offset))
        if (TakeFormatStatesAtCaret())
            InsertionFormat = CharFormatState;
    UpdateCaretGeometry();
    if (!GetModeFlag(mfHoldCaret)) {
        if (!GetModeFlag(mfNoScrollToCaret))
            MakeCaretVisible(0);
        SetCaretPos();
    }
    // The word being typed is checked once the caret has left it.
    const TTextRange& word = CaretState.PendingWord.Range;
    if (CaretState.PendingWord.Pending &&
        (HasSelection() || Caret.ParIndex != word.StartPos.ParIndex || Caret.Offset < word.StartPos.Offset ||
         Caret.Offset > word.EndPos.Offset))
        CheckPendingTypedWord();
    SetModeFlag(mfCaretMoved, false);
}

void TDocument::CheckPendingTypedWord()
{
    if (!CaretState.PendingWord.Pending)
        return;
    CaretState.PendingWord.Pending = false;
    DocumentHost().CheckTypedWord(this, CaretState.PendingWord.Range);
}

TRect TDocument::CaretRect() const
{
    return TRect{CaretState.X - 10, CaretState.Y - 2, CaretState.X + CaretState.Shape.Width + 10,
                 CaretState.Y + CaretState.Shape.Height + 2};
}

bool TDocument::IsCaretVisible() const
{
    return CaretState.X >= ViewState.ScrollPos.X && CaretState.Y >= ViewState.ScrollPos.Y &&
           CaretState.X + CaretState.Shape.Width <= ViewState.ScrollPos.X + ViewState.ClientWidth &&
           CaretState.Y + CaretState.Shape.Height <= ViewState.ScrollPos.Y + ViewState.ClientHeight;
}

void TDocument::MakeCaretVisible(int mode)
{
    if (GetModeFlag(mfHoldScrolling) || !View())
        return;
    if (!IsCaretVisible() || mode == 1)
        SetScrollPos(ScrollPosToShow(CaretRect(), mode));
}

void TDocument::InvertSelectionRect()
{
    if (TDocumentView* view = View()) {
        const TPoint origin = view->ViewOrigin();
        const int32_t x = origin.X - ViewState.ScrollPos.X + CaretState.X,
                      y = origin.Y - ViewState.ScrollPos.Y + CaretState.Y;
        view->InvertCaretRect(TRect{x, y, x + CaretState.Shape.Width, y + CaretState.Shape.Height},
                              CaretState.Shape);
    }
}

void TDocument::CreateCaret()
{
    if (TDocumentView* view = View())
        view->CreateSystemCaret(CaretState.Shape);
}

void TDocument::SetCaretPos()
{
    TDocumentView* view = View();
    if (!view || !view->HasFocus())
        return;
    const TPoint origin = view->ViewOrigin();
    view->SetSystemCaretPos(TPoint{origin.X - ViewState.ScrollPos.X + CaretState.X,
                                   origin.Y - ViewState.ScrollPos.Y + CaretState.Y});
}

void TDocument::SetCaret(int32_t par, int32_t offset, int32_t lineHint, int32_t options)
{
    TTextPos pos{};
    pos.ParIndex = std::clamp<int32_t>(par, 0, ParagraphCount() - 1);
    pos.Offset = std::clamp<int32_t>(offset, 0, LastOffset(*Paragraphs[pos.ParIndex]));
    pos.LineHint = lineHint;
    LocateTextPos(pos, 0);
    PlaceCaret(pos, options);
}
