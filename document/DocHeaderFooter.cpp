// Headers and footers: laying a header or footer out on a page, and the mode in which they are edited.
#include "document/Document.h"

#include <algorithm>

#include "classlib/runtime/Format.h"
#include "core/Messages.h"
#include "core/Styles.h"
#include "core/Units.h"
#include "document/DocumentHost.h"
#include "document/InlineTags.h"
#include "document/Page.h"
#include "document/Section.h"
#include "document/Field.h"

namespace {

// Built-in style ids of the header and footer paragraphs.
constexpr int32_t HeaderStyleId = 31;
constexpr int32_t FooterStyleId = 32;

bool IsHeaderSlot(int slot)
{
    return slot == hfOddHeader || slot == hfEvenHeader || slot == hfFirstHeader;
}

// The paragraphs of a field's range, clamped to the document.
void FieldParagraphs(TDocument& d, const TField& field, int32_t& first, int32_t& last)
{
    const TTextRange range = d.GetFieldRange(field);
    first = std::max(range.StartPos.ParIndex, 0);
    last = std::min(range.EndPos.ParIndex, d.ParagraphCount() - 1);
}

// Gives the first section a header or footer field for each slot it lacks, at the start of story 3:
// a field start, a paragraph mark and a field end, in the header or footer style. True when any was
// made.
bool CreateMissingHeadersFooters(TDocument& d)
{
    TSection& section = *d.Sections.front();
    TModeFlagScope flags(d);
    flags.On(mfConstructing);
    bool created = false;
    for (int slot = 0; slot < HeaderFooterSlotCount; ++slot) {
        if (section.HeaderFooter[slot])
            continue;
        auto field = std::make_unique<TField>();
        field->Kind = fkHeaderFooter;
        auto p = std::make_unique<TParagraph>(&d);
        AppendInlineTag(p->Text, tcFieldStart, field->Handle);
        AppendInlineTag(p->Text, tcSpecial, scParagraphMark);
        AppendInlineTag(p->Text, tcFieldEnd, field->Handle);
        p->UpdatePlainText();
        {
            TModeFlagScope paraFormat(d);
            paraFormat.On(mfHeaderFooterParaFormat);
            p->ParaFormat = DefaultParaFormat();
            const int32_t id = IsHeaderSlot(slot) ? HeaderStyleId : FooterStyleId;
            for (int32_t k = d.StyleList->Count() - 1; k >= 0; --k)
                if (const TStyle* style = d.StyleList->StyleOf(k); style && style->BuiltInId == id) {
                    TCharFormat unused;
                    style->ResolveFormat(unused, p->ParaFormat, 0);
                    p->ParaFormat[pfStyle] = k;
                    break;
                }
        }
        d.Paragraphs.insert(d.Paragraphs.begin() + d.StoryStart(stHeadersFooters), std::move(p));
        ++d.StoryLengths[stHeadersFooters];
        section.HeaderFooter[slot] = field.get();
        d.Fields.push_back(std::move(field));
        created = true;
    }
    if (created) {
        d.FieldRescanFirst = d.FieldRescanLast = INT32_MIN;
        d.SetModeFlag(mfFieldsDirty, true);
    }
    return created;
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
    bool created = false;
    {
        TBusyScope busy(*this);
        created = CreateMissingHeadersFooters(*this);
    }
    if (created) {
        // The new headers and footers take room on every page; caret and selection stay where they were.
        const TTextRange selection = Selection;
        const TTextPos caret = Caret;
        ClearPageList();
        SetModeFlag(mfPaginationComplete, false);
        SetCaret(caret.ParIndex, caret.Offset, caret.LineHint, 0);
        Selection = selection;
    }
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

void TDocument::InsertPageNumbers(const TPageNumberChoice& choice)
{
    // Headers and footers that hold text are not touched.
    for (const auto& section : Sections)
        for (TField* field : section->HeaderFooter) {
            if (!field)
                continue;
            int32_t first, last;
            FieldParagraphs(*this, *field, first, last);
            for (int32_t i = first; i <= last; ++i) {
                const TMemory& plain = Paragraphs[size_t(i)]->PlainText;
                for (int32_t c = 0; c < plain.Size(); ++c)
                    if (plain.Data()[c] != scParagraphMark && plain.Data()[c] != scSectionBreak) {
                        ShowInformation(Format(
                            "Le présent document contient un ou plusieurs en-têtes ou pieds de page non "
                            "vides. "
                            "Aucun numéro de page ne peut y être inséré automatiquement car cela pourrait "
                            "affecter ces en-têtes ou pieds de page de manière imprévisible.||||Pour insérer "
                            "un "
                            "numéro de page, veuillez, s'il vous plaît,|||| a) activer le mode \"Affichage | "
                            "En-tête et pied de page\",|| b) placer la barre d'insertion à l'intérieur de "
                            "l'en-tête ou du pied de page voulu,|| c) utiliser le bouton \"Insérer le numéro "
                            "de "
                            "page\" situé sur la barre d'outils \"En-tête/Pied de page\", ou bien appuyer "
                            "sur %s.",
                            DocumentHost().CommandShortcutText(3570)));
                        return;
                    }
            }
        }
    CreateMissingHeadersFooters(*this);
    const int odd = choice.InFooter ? hfOddFooter : hfOddHeader;
    const int even = choice.InFooter ? hfEvenFooter : hfEvenHeader;
    const int firstPage = choice.InFooter ? hfFirstFooter : hfFirstHeader;
    // "Outside" puts odd pages' numbers on the right and even pages' on the left; "inside" the reverse.
    auto alignment = [&](int slot) -> int32_t {
        const bool evenPage = slot == even;
        switch (choice.Alignment) {
        case 3: return evenPage ? 0 : 2;
        case 4: return evenPage ? 2 : 0;
        default: return std::clamp(choice.Alignment, 0, 2);
        }
    };
    UpdateFields();
    for (const auto& section : Sections)
        for (int slot : {odd, even, firstPage}) {
            TField* holder = section->HeaderFooter[slot];
            if (!holder || (slot == firstPage && !choice.OnFirstPage))
                continue;
            const TTextRange range = GetFieldRange(*holder);
            TParagraph& p = *Paragraphs[size_t(std::clamp(range.StartPos.ParIndex, 0, ParagraphCount() - 1))];
            auto number = std::make_unique<TField>();
            number->Kind = fkCode;
            number->FieldType = ftPage;
            number->Code = "PAGE";
            // The field goes before the paragraph's end mark; its result is written when the page is laid
            // out.
            int32_t at = p.Text.Size();
            ForEachTag(p.Text.Data(), 0, p.Text.Size(), [&](int32_t pos, int code, int32_t value) {
                if (code == tcSpecial && value == scParagraphMark)
                    at = pos;
                return at == p.Text.Size();
            });
            InsertInlineTag(p.Text, at, tcFieldEnd, number->Handle);
            p.Text.Insert("?", at, 1);
            InsertInlineTag(p.Text, at, tcFieldStart, number->Handle);
            p.UpdatePlainText();
            p.SetNormalized(false);
            p.UpdateLayout(false, 0);
            p.ParaFormat[pfAlignment] = alignment(slot);
            Fields.push_back(std::move(number));
        }
    FieldRescanFirst = FieldRescanLast = INT32_MIN;
    SetModeFlag(mfFieldsDirty, true);
    ClearPageList();
    SetModeFlag(mfPaginationComplete, false);
    SetModified(true);
}
