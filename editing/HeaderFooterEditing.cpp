// Headers and footers as undoable edits: the first section's missing ones made when their editing starts,
// and page numbers put into empty headers or footers.
#include "editing/HeaderFooterEditing.h"

#include <algorithm>

#include "classlib/runtime/Format.h"
#include "document/ChangedRanges.h"
#include "core/Messages.h"
#include "core/Styles.h"
#include "document/DocumentHost.h"
#include "document/InlineTags.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "document/Field.h"
#include "editing/FormatSteps.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "editing/TableOfContents.h"

namespace {

// Built-in style ids of the header and footer paragraphs.
constexpr int32_t HeaderStyleId = 31;
constexpr int32_t FooterStyleId = 32;

bool IsHeaderSlot(int slot)
{
    return slot == hfOddHeader || slot == hfEvenHeader || slot == hfFirstHeader;
}

// Gives the first section a header or footer for each slot it lacks, at the start of story 3: a field
// start, a paragraph mark and a field end, in the header or footer style. True when any was made.
bool CreateMissingHeadersFooters(TDocument& doc, TChangedRange& range, TOperation* operation)
{
    TSection& section = *doc.Sections.front();
    TModeFlagScope flags(doc);
    flags.On(mfConstructing);
    flags.On(mfHeaderFooterParaFormat);
    std::vector<std::unique_ptr<TParagraph>> made;
    std::vector<std::unique_ptr<TField>> fields;
    TField* slots[HeaderFooterSlotCount];
    std::copy(section.HeaderFooter, section.HeaderFooter + HeaderFooterSlotCount, slots);
    // Each new one goes before those made before it, as the story's first paragraph.
    for (int slot = 0; slot < HeaderFooterSlotCount; ++slot) {
        if (section.HeaderFooter[slot])
            continue;
        auto field = std::make_unique<TField>();
        field->Kind = fkHeaderFooter;
        auto p = std::make_unique<TParagraph>(&doc);
        AppendInlineTag(p->Text, tcFieldStart, field->Handle);
        AppendInlineTag(p->Text, tcSpecial, scParagraphMark);
        AppendInlineTag(p->Text, tcFieldEnd, field->Handle);
        p->ParaFormat = DefaultParaFormat();
        const int32_t id = IsHeaderSlot(slot) ? HeaderStyleId : FooterStyleId;
        for (int32_t k = doc.StyleList->Count() - 1; k >= 0; --k)
            if (const TStyle* style = doc.StyleList->StyleOf(k); style && style->BuiltInId == id) {
                TCharFormat unused;
                style->ResolveFormat(unused, p->ParaFormat, 0);
                p->ParaFormat[pfStyle] = k;
                break;
            }
        slots[slot] = field.get();
        made.insert(made.begin(), std::move(p));
        fields.push_back(std::move(field));
    }
    if (made.empty())
        return false;
    InstallHeaderFooterBlocks(doc, section, std::move(made), std::move(fields), slots, range, operation);
    return true;
}

// Records an operation made outside the dispatcher, the document brought up to date first.
void Record(TDocument& doc, std::unique_ptr<TOperation> operation, const TChangedRange& range)
{
    if (operation->IsEmpty())
        return;
    doc.ChangedRanges->RefreshAfterChange(range);
    if (!doc.GetModeFlag(mfHidden))
        doc.OperationManager->AddOperation(std::move(operation));
}

bool HoldsText(TDocument& doc, const TField& field)
{
    const TTextRange range = doc.GetFieldRange(field);
    for (int32_t i = std::max(range.StartPos.ParIndex, 0);
         i <= std::min(range.EndPos.ParIndex, doc.ParagraphCount() - 1); ++i) {
        const TMemory& plain = doc.Paragraphs[size_t(i)]->PlainText;
        for (int32_t c = 0; c < plain.Size(); ++c)
            if (plain.Data()[c] != scParagraphMark && plain.Data()[c] != scSectionBreak)
                return true;
    }
    return false;
}

} // namespace

void InstallHeaderFooterBlocks(TDocument& doc, TSection& section,
                               std::vector<std::unique_ptr<TParagraph>> made,
                               std::vector<std::unique_ptr<TField>> fields, TField* const slots[6],
                               TChangedRange& range, TOperation* operation)
{
    auto step = std::make_unique<TReplaceParagraphsOperation>(&doc, doc.StoryStart(stHeadersFooters), 0,
                                                              stHeadersFooters, std::move(made));
    for (auto& field : fields)
        step->Exchange().Own(std::move(field));
    TChangedRange one;
    ApplyStep(doc, std::move(step), one, operation);
    doc.ChangedRanges->UnionChangedRange(range, one);
    ApplyStep(doc, std::make_unique<TChangeSectionHeadersOperation>(&doc, &section, slots), one, operation);
    doc.ChangedRanges->UnionChangedRange(range, one);
}

void ToggleHeaderFooterEditing(TDocument& doc, int32_t page, const TTextPos* leavePosition)
{
    if (!doc.EditedHeaderFooter) {
        auto operation = std::make_unique<TOperation>(&doc, okHeaderFooter);
        TChangedRange range = EmptyChangedRange();
        doc.BeginBusy();
        try {
            // The header and footer styles come first, so that the paragraphs made take them.
            TChangedRange one;
            ImportTemplateStyles(doc, one, operation.get());
            doc.ChangedRanges->UnionChangedRange(range, one);
            CreateMissingHeadersFooters(doc, range, operation.get());
        } catch (...) {
            doc.EndBusy();
            TChangedRange back;
            operation->Undo(back);
            throw;
        }
        doc.EndBusy();
        if (!operation->IsEmpty()) {
            // The new headers and footers take room on every page; caret and selection stay where they were.
            const TTextRange selection = doc.Selection;
            const TTextPos caret = doc.Caret;
            doc.ClearPageList();
            doc.SetModeFlag(mfPaginationComplete, false);
            range[crWholeDocument] = 1;
            range[crCaretPar] = caret.ParIndex;
            range[crCaretOffset] = caret.Offset;
            range[crCaretLine] = caret.LineHint;
            Record(doc, std::move(operation), range);
            doc.Selection = selection;
        }
    }
    doc.ToggleHeaderFooterMode(page, leavePosition);
}

void InsertPageNumbers(TDocument& doc, const TPageNumberChoice& choice)
{
    // Headers and footers that hold text are not touched.
    for (const auto& section : doc.Sections)
        for (TField* field : section->HeaderFooter)
            if (field && HoldsText(doc, *field)) {
                ShowInformation(Format(
                    "Le présent document contient un ou plusieurs en-têtes ou pieds de page non vides. Aucun "
                    "numéro de page ne peut y être inséré automatiquement car cela pourrait affecter ces "
                    "en-têtes ou pieds de page de manière imprévisible.||||Pour insérer un numéro de page, "
                    "veuillez, s'il vous plaît,|||| a) activer le mode \"Affichage | En-tête et pied de "
                    "page\",|| b) placer la barre d'insertion à l'intérieur de l'en-tête ou du pied de page "
                    "voulu,|| c) utiliser le bouton \"Insérer le numéro de page\" situé sur la barre "
                    "d'outils "
                    "\"En-tête/Pied de page\", ou bien appuyer sur %s.",
                    DocumentHost().CommandShortcutText(3570)));
                return;
            }
    auto operation = std::make_unique<TOperation>(&doc, okInsertPageNumbers);
    TChangedRange range = EmptyChangedRange();
    try {
        CreateMissingHeadersFooters(doc, range, operation.get());
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
        for (const auto& section : doc.Sections)
            for (int slot : {odd, even, firstPage}) {
                TField* holder = section->HeaderFooter[slot];
                if (!holder || (slot == firstPage && !choice.OnFirstPage))
                    continue;
                doc.UpdateFields();
                const int32_t par =
                    std::clamp(doc.GetFieldRange(*holder).StartPos.ParIndex, 0, doc.ParagraphCount() - 1);
                // The field goes before the paragraph's end mark; its result is written when the page is
                // laid out.
                auto number = std::make_unique<TField>();
                number->Kind = fkCode;
                number->FieldType = ftPage;
                number->Code = "PAGE";
                TMemory text;
                AppendInlineTag(text, tcFieldStart, number->Handle);
                text.AppendByte('?');
                AppendInlineTag(text, tcFieldEnd, number->Handle);
                std::vector<std::unique_ptr<TField>> fields;
                fields.push_back(std::move(number));
                TChangedRange one;
                InsertDeleteText(doc, text, TextPosAt(par, doc.ParagraphLength(par) - 1), one,
                                 operation.get(), 0, stHeadersFooters, 0, {}, std::move(fields));
                doc.ChangedRanges->UnionChangedRange(range, one);
                TParaFormat format = UnsetParaFormat();
                format[pfAlignment] = alignment(slot);
                FormatParagraphs(doc, TextRangeOf(TextPosAt(par, 0), TextPosAt(par, 0)), format, one,
                                 operation.get());
                doc.ChangedRanges->UnionChangedRange(range, one);
            }
    } catch (...) {
        TChangedRange back;
        operation->Undo(back);
        throw;
    }
    doc.ClearPageList();
    doc.SetModeFlag(mfPaginationComplete, false);
    range[crWholeDocument] = 1;
    range[crCaretPar] = doc.Caret.ParIndex;
    range[crCaretOffset] = doc.Caret.Offset;
    range[crCaretLine] = doc.Caret.LineHint;
    Record(doc, std::move(operation), range);
}
