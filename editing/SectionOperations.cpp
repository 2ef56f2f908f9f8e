// The section builders: the parameters (columns) of the sections of a range, the kind of a section break,
// and a header or footer of a section's own or the same as the previous section's.
#include <algorithm>
#include <iterator>
#include <set>

#include "classlib/runtime/Exceptions.h"
#include "core/RecordUtils.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/Field.h"
#include "document/InlineTags.h"
#include "document/Page.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/DocumentContent.h"
#include "editing/FormatSteps.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "editing/PageSteps.h"
#include "editing/ParagraphExchange.h"
#include "editing/SubOperation.h"

void FormatSections(TDocument& doc, const TTextRange& range, const TSectionParams& params,
                    TChangedRange& changed, TOperation* operation)
{
    changed = EmptyChangedRange();
    doc.UpdateSectionRanges();
    std::vector<TSection*> sections;
    doc.SectionsInRange(range, sections);
    if (sections.empty())
        return;
    // Each section keeps what the request leaves unset, its break kind above all.
    std::vector<TSectionParams> records;
    bool differs = false;
    for (const TSection* section : sections) {
        TSectionParams record = section->Params;
        for (int f = 0; f < SectionParamsFieldCount; ++f)
            if (IsFieldSet(params[f]))
                record[f] = params[f];
        differs =
            differs || !std::equal(std::begin(record.F), std::end(record.F), std::begin(section->Params.F));
        records.push_back(record);
    }
    if (!differs)
        return;
    const int32_t first = sections.front()->FirstParagraph, last = sections.back()->LastParagraph;
    ApplyStep(doc, std::make_unique<TFormatSectionOperation>(&doc, first, last, std::move(records)), changed,
              operation);
    SetCaretFieldsTo(changed, doc.Caret);
}

void ChangeSectionBreak(TDocument& doc, int32_t paragraph, int32_t kind, TChangedRange& changed,
                        TOperation* operation)
{
    changed = EmptyChangedRange();
    doc.UpdateSectionRanges();
    const TSection* section = doc.SectionOfParagraph(paragraph);
    // Only a section that a break ends has a kind; the last one runs to the end of the text.
    if (!section || section->LastParagraph != paragraph || section == doc.Sections.back().get() ||
        section->BreakKind() == kind || kind < 0 || kind > 3)
        return;
    ApplyStep(doc, std::make_unique<TChangeSectionBreakOperation>(&doc, paragraph, kind), changed, operation);
    SetCaretFieldsTo(changed, doc.Caret);
}

namespace {

bool AnySectionShows(const TDocument& doc, const TField* field)
{
    for (const auto& section : doc.Sections)
        for (const TField* slot : section->HeaderFooter)
            if (slot == field)
                return true;
    return false;
}

// The paragraphs of a new header or footer text copied from another one (through the range copier, so
// that its fields and pictures are copies of their own), its block field round them; none when the copy
// failed.
std::vector<std::unique_ptr<TParagraph>> CopyHeaderFooterText(TDocument& doc, TField& source,
                                                              std::unique_ptr<TField>& block,
                                                              std::vector<std::unique_ptr<TField>>& fields)
{
    std::vector<std::unique_ptr<TParagraph>> made;
    const TTextRange range = doc.GetFieldRange(source);
    const int32_t first = std::max(range.StartPos.ParIndex, 0);
    const int32_t last = std::min(range.EndPos.ParIndex, doc.ParagraphCount() - 1);
    if (last < first || !RangeCopier)
        return made;
    // Up to its last paragraph mark: the copy ends with a mark of its own, which is left out.
    const TTextRange whole =
        TextRangeOf(TextPosAt(first, 0), TextPosAt(last, std::max(doc.ParagraphLength(last) - 1, 0)));
    std::unique_ptr<TDocument> scratch = RangeCopier(doc, whole);
    if (!scratch)
        return made;
    // The copy starts in the format of the text it copies, not in the format typed text would take.
    const TCharFormat inserted = doc.InsertedTextFormat;
    doc.InsertedTextFormat = doc.GetCharFormatAt(TextPosAt(first, 1));
    TDocumentContent content;
    TakeDocumentContent(doc, *scratch, content);
    doc.InsertedTextFormat = inserted;

    block = std::make_unique<TField>();
    block->Kind = fkHeaderFooter;
    // Marks of header and footer blocks the copy may have brought stay out of the new text.
    std::set<int32_t> blocks;
    for (auto it = content.Fields.begin(); it != content.Fields.end();) {
        if ((*it)->Kind == fkHeaderFooter) {
            blocks.insert((*it)->Handle);
            it = content.Fields.erase(it);
        } else {
            ++it;
        }
    }
    const uint8_t* s = content.Buffer.Data();
    const auto pieces = SplitParagraphPieces(s, content.Buffer.Size());
    for (size_t i = 0; i < pieces.size(); ++i) {
        auto p = std::make_unique<TParagraph>(&doc);
        if (i == 0)
            AppendInlineTag(p->Text, tcFieldStart, block->Handle);
        const auto [start, length] = pieces[i];
        for (int32_t at = start; at < start + length;) {
            if (s[at] != 0) {
                p->Text.AppendByte(s[at++]);
                continue;
            }
            if (!(IsFieldMark(TagCode(s + at)) && blocks.count(TagValue(s + at))))
                p->Text.Append(s + at, InlineTagSize);
            at += InlineTagSize;
        }
        AppendInlineTag(p->Text, tcSpecial, scParagraphMark);
        if (i + 1 == pieces.size())
            AppendInlineTag(p->Text, tcFieldEnd, block->Handle);
        // The same document: the paragraphs keep the formats of those they copy.
        const int32_t original = std::min(first + int32_t(i), last);
        p->ParaFormat = pieces.size() == size_t(last - first + 1) || i >= content.Formats.size()
                            ? doc.Paragraphs[size_t(original)]->ParaFormat
                            : content.Formats[i];
        p->UpdatePlainText();
        made.push_back(std::move(p));
    }
    fields = std::move(content.Fields);
    return made;
}

} // namespace

void SetSameAsPrevious(TDocument& doc, TChangedRange& changed, TOperation* operation)
{
    changed = EmptyChangedRange();
    TField* edited = doc.EditedHeaderFooter;
    const int32_t pageIndex = doc.EditedHeaderFooterPage;
    if (!edited || pageIndex < 0 || pageIndex >= int32_t(doc.Pages.size()))
        return;
    doc.UpdateSectionRanges();
    const TPage& page = *doc.Pages[size_t(pageIndex)];
    TSection* section = page.GetSection();
    if (!section || section->Number <= 0 || (edited != page.HeaderField && edited != page.FooterField))
        return;
    const int slot = edited == page.HeaderField ? page.HeaderSlot : page.FooterSlot;
    TField* slots[HeaderFooterSlotCount];
    std::copy(section->HeaderFooter, section->HeaderFooter + HeaderFooterSlotCount, slots);
    TChangedRange one;
    if (slots[slot] == edited) {
        // Its own text goes; the page shows the nearest earlier section's.
        slots[slot] = nullptr;
        ApplyStep(doc, std::make_unique<TChangeSectionHeadersOperation>(&doc, section, slots), one,
                  operation);
        doc.ChangedRanges->UnionChangedRange(changed, one);
        if (!AnySectionShows(doc, edited)) {
            RemoveFieldText(doc, *edited, one, operation);
            doc.ChangedRanges->UnionChangedRange(changed, one);
        }
    } else {
        // The text taken over becomes one of its own.
        std::unique_ptr<TField> block;
        std::vector<std::unique_ptr<TField>> fields;
        auto made = CopyHeaderFooterText(doc, *edited, block, fields);
        if (made.empty())
            throw EAbort();
        slots[slot] = block.get();
        auto step = std::make_unique<TReplaceParagraphsOperation>(&doc, doc.StoryStart(stHeadersFooters), 0,
                                                                  stHeadersFooters, std::move(made));
        step->Exchange().Own(std::move(block));
        for (auto& field : fields)
            step->Exchange().Own(std::move(field));
        ApplyStep(doc, std::move(step), one, operation);
        doc.ChangedRanges->UnionChangedRange(changed, one);
        ApplyStep(doc, std::make_unique<TChangeSectionHeadersOperation>(&doc, section, slots), one,
                  operation);
        doc.ChangedRanges->UnionChangedRange(changed, one);
    }
    // The pages are made again; the page goes on being edited with what it shows now.
    doc.ClearPageList();
    doc.SetModeFlag(mfPaginationComplete, false);
    doc.Paginate(0, pageIndex);
    TField* shown = nullptr;
    if (pageIndex < int32_t(doc.Pages.size())) {
        const TPage& now = *doc.Pages[size_t(pageIndex)];
        shown = slot == now.HeaderSlot ? now.HeaderField : slot == now.FooterSlot ? now.FooterField : nullptr;
    }
    if (shown)
        doc.EditHeaderFooter(pageIndex, shown);
    else
        doc.ToggleHeaderFooterMode(-1, nullptr);
    changed[crWholeDocument] = 1;
    SetCaretFieldsTo(changed, doc.Caret);
}
