// Format and structure steps: character formats laid over text, paragraph-format fields, tab stops and
// the header and footer slots of a section.
#include "editing/FormatSteps.h"

#include <algorithm>

#include "core/TabTables.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/Page.h"
#include "document/ParReformatingManager.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"

void LayFormatOver(const TMemory& text, int32_t from, int32_t to, const TCharFormat& format, TMemory& out)
{
    const uint8_t* s = text.Data();
    TCharFormat atEnd = DefaultCharFormat();
    MergeFormatTags(s, 0, to, false, atEnd);
    out.Clear();
    out.Append(s, from);
    for (int f = 0; f < CharFormatFieldCount; ++f)
        if (format[f] != UndefinedField)
            AppendInlineTag(out, f, format[f]);
    for (int32_t pos = from; pos < to;) {
        if (s[pos] != 0) {
            const int32_t run = std::min(PlainRunLength(s + pos, to - pos), to - pos);
            out.Append(s + pos, run);
            pos += run;
            continue;
        }
        const int32_t tagSize = std::min(InlineTagSize, to - pos);
        const int code = TagCode(s + pos);
        if (!(IsFormatTag(code) && format[code] != UndefinedField))
            out.Append(s + pos, tagSize);
        pos += tagSize;
    }
    for (int f = 0; f < CharFormatFieldCount; ++f)
        if (format[f] != UndefinedField && atEnd[f] != format[f])
            AppendInlineTag(out, f, atEnd[f]);
    out.Append(s + to, text.Size() - to);
}

TFormatTextOperation::TFormatTextOperation(TDocument* document, const TTextRange& range,
                                           const TCharFormat& format)
    : TSubOperation(document), Range(range), Format(format)
{}

int64_t TFormatTextOperation::GetMemorySize() const
{
    return int64_t(sizeof(*this)) - int64_t(sizeof(TParagraphExchange)) + FExchange.GetMemorySize();
}

void TFormatTextOperation::Undo(TChangedRange& range)
{
    Redo(range);
}

void TFormatTextOperation::Redo(TChangedRange& range)
{
    range = EmptyChangedRange();
    TDocument& doc = *Document;
    if (FApplied) {
        FExchange.Exchange(doc, range);
        return;
    }
    FApplied = true;
    const int32_t count = doc.ParagraphCount();
    const int32_t first = std::clamp(Range.StartPos.ParIndex, 0, count - 1);
    const int32_t last = std::clamp(Range.EndPos.ParIndex, first, count - 1);
    std::vector<std::unique_ptr<TParagraph>> made;
    for (int32_t i = first; i <= last; ++i) {
        TParagraph& p = *doc.Paragraphs[size_t(i)];
        if (!p.GetNormalized())
            p.NormalizeTags();
        const int32_t from =
            i == first ? ByteAfterPosition(p.Text.Data(), p.Text.Size(), Range.StartPos.Offset) : 0;
        const int32_t to =
            i == last ? ByteAfterPosition(p.Text.Data(), p.Text.Size(), Range.EndPos.Offset) : p.Text.Size();
        auto q = std::make_unique<TParagraph>(&doc);
        LayFormatOver(p.Text, from, std::max(to, from), Format, q->Text);
        q->ParaFormat = p.ParaFormat;
        made.push_back(std::move(q));
    }
    FExchange.Begin(doc, first, last - first + 1, doc.StoryOfParagraph(first), std::move(made), range);
}

int64_t TFormatParagraphsOperation::GetMemorySize() const
{
    return int64_t(sizeof(*this)) + Data.Capacity();
}

void TFormatParagraphsOperation::AddRecord(int32_t paragraph,
                                           const std::vector<std::pair<int32_t, int32_t>>& pairs)
{
    Data.AppendDWord(uint32_t(paragraph));
    Data.AppendDWord(uint32_t(pairs.size()));
    for (const auto& [field, value] : pairs) {
        Data.AppendDWord(uint32_t(field));
        Data.AppendDWord(uint32_t(value));
    }
}

void TFormatParagraphsOperation::Undo(TChangedRange& range)
{
    range = EmptyChangedRange();
    TDocument& doc = *Document;
    const int32_t words = Data.Size() / 4;
    int32_t* w = reinterpret_cast<int32_t*>(Data.Data());
    std::vector<int32_t> paragraphs;
    bool pagination = false;
    for (int32_t at = 0; at + 2 <= words;) {
        const int32_t par = w[at], n = w[at + 1];
        at += 2;
        const bool valid = par >= 0 && par < doc.ParagraphCount();
        for (int32_t k = 0; k < n && at + 2 <= words; ++k, at += 2) {
            const int32_t field = w[at];
            if (!valid || field < 0 || field >= ParaFormatFieldCount)
                continue;
            std::swap(doc.Paragraphs[size_t(par)]->ParaFormat[field], w[at + 1]);
            pagination |= field >= pfKeepWithNext && field <= pfWidowControl;
        }
        if (valid)
            paragraphs.push_back(par);
    }
    if (paragraphs.empty())
        return;
    if (paragraphs.size() == 1 && !pagination) {
        doc.ReformatingManager->ReformatParagraph(paragraphs.front(), 0, range);
        return;
    }
    // The paragraphs are broken again when pagination places them.
    doc.ChangedRanges->SetChangedRangeStart(range, paragraphs.front());
    if (doc.StoryOfParagraph(paragraphs.front()) == stHeadersFooters) {
        if (!doc.Pages.empty())
            range[crWholeDocument] = 1;
        doc.ClearPageList();
    } else if (range[crFirstPage] != UndefinedField && range[crFirstPage] < int32_t(doc.Pages.size())) {
        doc.Pages.resize(size_t(range[crFirstPage]));
    }
    for (int32_t par : paragraphs)
        doc.Paragraphs[size_t(par)]->UpdateLayout(false, 0);
}

TFormatTabsOperation::TFormatTabsOperation(TDocument* document, int32_t interval, int32_t tableIndex,
                                           const TTextRange& range)
    : TSubOperation(document), Interval(interval), TableIndex(tableIndex), Range(range)
{}

TFormatTabsOperation::~TFormatTabsOperation() = default;

int64_t TFormatTabsOperation::GetMemorySize() const
{
    return int64_t(sizeof(*this)) + (Nested ? Nested->GetMemorySize() : 0);
}

void TFormatTabsOperation::Undo(TChangedRange& range)
{
    range = EmptyChangedRange();
    TDocument& doc = *Document;
    if (Interval != UndefinedField && Interval != doc.TabManager->DefaultTabInterval()) {
        doc.ChangedRanges->SetChangedRangeStart(range, 0);
        const int32_t old = doc.TabManager->DefaultTabInterval();
        doc.TabManager->SetDefaultTabInterval(Interval);
        Interval = old;
        if (!doc.Pages.empty())
            range[crWholeDocument] = 1;
        doc.DiscardLayout();
    }
    TChangedRange nested;
    if (NestedMade) {
        if (Nested) {
            // The nested steps are exchanges: applying them again in reverse order undoes or redoes them.
            if (Nested->IsEmpty())
                return;
            for (size_t i = Nested->StepCount(); i-- > 0;) {
                Nested->Step(i).Undo(nested);
                doc.ChangedRanges->UnionChangedRange(range, nested);
            }
            Nested->ReverseSteps();
        }
        return;
    }
    NestedMade = true;
    if (TableIndex == UndefinedField)
        return;
    Nested = std::make_unique<TOperation>(&doc, okTabs);
    TParaFormat format;
    std::fill(std::begin(format.F), std::end(format.F), UndefinedField);
    format[pfTabTable] = TableIndex;
    FormatParagraphs(doc, Range, format, nested, Nested.get());
    doc.ChangedRanges->UnionChangedRange(range, nested);
}

TChangeSectionHeadersOperation::TChangeSectionHeadersOperation(TDocument* document, TSection* section,
                                                               TField* const slots[6])
    : TSubOperation(document), Section(section)
{
    std::copy(slots, slots + 6, Slots);
}

void TChangeSectionHeadersOperation::Undo(TChangedRange& range)
{
    range = EmptyChangedRange();
    TDocument& doc = *Document;
    for (int i = 0; i < HeaderFooterSlotCount; ++i)
        std::swap(Section->HeaderFooter[i], Slots[i]);
    doc.SetModeFlag(mfSectionRangesStale, true);
    doc.UpdateSectionRanges();
    doc.ChangedRanges->SetChangedRangeStart(range, Section->FirstParagraph);
    if (!doc.Pages.empty())
        range[crWholeDocument] = 1;
}
