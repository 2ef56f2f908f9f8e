// The style-list step: the exchange of whole style lists and the re-styling that follows the first one.
#include "editing/StyleSteps.h"

#include <algorithm>

#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"

namespace {

enum TStyleChange : uint8_t { scKept, scRemoved, scChanged };

bool Contains(const std::vector<int32_t>& list, int32_t value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

} // namespace

TFormatStyleListOperation::TFormatStyleListOperation(TDocument* document,
                                                     std::unique_ptr<TFormatStyleListInfo> saved)
    : TSubOperation(document), Nested(std::make_unique<TOperation>(document, 0)), Saved(std::move(saved))
{}

TFormatStyleListOperation::~TFormatStyleListOperation() = default;

int64_t TFormatStyleListOperation::GetMemorySize() const
{
    return static_cast<int64_t>(sizeof(*this)) + Nested->GetMemorySize() +
           (Saved ? Saved->GetMemorySize() : 0);
}

void TFormatStyleListOperation::Exchange()
{
    if (!Saved->Styles)
        return;
    std::swap(Document->StyleList, Saved->Styles);
    Document->StyleList->Document = Document;
    DocumentHost().InvalidateCommands();
}

void TFormatStyleListOperation::Undo(TChangedRange& range)
{
    range = EmptyChangedRange();
    Nested->Undo(range);
    Exchange();
    range[crWholeDocument] = 1;
}

void TFormatStyleListOperation::Redo(TChangedRange& range)
{
    range = EmptyChangedRange();
    Exchange();
    if (Applied) {
        Nested->Redo(range);
    } else {
        Applied = true;
        Restyle(range);
    }
    range[crWholeDocument] = 1;
}

void TFormatStyleListOperation::Restyle(TChangedRange& range)
{
    TDocument& doc = *Document;
    const TStyleList* old = Saved->Styles.get();
    const TStyleList& now = *doc.StyleList;
    if (!old)
        return;
    // The new number of each old style and what happened to it.
    const int32_t count = old->Count();
    std::vector<int32_t> number(static_cast<size_t>(count));
    std::vector<uint8_t> change(static_cast<size_t>(count), scKept);
    int32_t removedBefore = 0;
    for (int32_t i = 0; i < count; ++i) {
        if (Contains(Saved->Removed, i)) {
            change[size_t(i)] = scRemoved;
            ++removedBefore;
            continue;
        }
        change[size_t(i)] = Contains(Saved->Changed, i) ? scChanged : scKept;
        number[size_t(i)] = i - removedBefore;
    }
    for (int32_t i = 0; i < count; ++i) {
        if (change[size_t(i)] != scRemoved)
            continue;
        // The style of the same name in the new list, else the nearest ancestor kept, else Normal.
        int32_t replacement = now.IndexOfDisplayName(old->StyleOf(i)->DisplayName);
        if (replacement < 0) {
            std::vector<int32_t> chain;
            old->GetBaseChain(i, chain);
            for (int32_t a : chain)
                if (change[size_t(a)] != scRemoved) {
                    replacement = number[size_t(a)];
                    break;
                }
        }
        number[size_t(i)] = replacement >= 0 && replacement < now.Count() ? replacement : 0;
    }
    // Runs of consecutive paragraphs of one story whose styles map alike.
    auto keyOf = [&](int32_t par, int32_t& newNumber, uint8_t& kind) {
        const int32_t s = doc.Paragraphs[size_t(par)]->ParaFormat[pfStyle];
        if (s < 0 || s >= count) {
            newNumber = 0;
            kind = s < 0 || s >= now.Count() ? scRemoved : scKept;
            return;
        }
        newNumber = number[size_t(s)];
        kind = change[size_t(s)];
        if (kind == scKept && newNumber == s)
            kind = 255; // nothing to do
    };
    const int32_t last = doc.ParagraphCount() - 1;
    for (int32_t par = 0; par <= last;) {
        int32_t n;
        uint8_t kind;
        keyOf(par, n, kind);
        int32_t end = par;
        const int story = doc.StoryOfParagraph(par);
        for (;;) {
            if (end + 1 > last || doc.StoryOfParagraph(end + 1) != story)
                break;
            int32_t n2;
            uint8_t kind2;
            keyOf(end + 1, n2, kind2);
            if (n2 != n || kind2 != kind)
                break;
            ++end;
        }
        if (kind != 255) {
            TChangedRange one;
            ApplyStyles(doc, TextRangeOf(TextPosAt(par, 0), TextPosAt(end, doc.ParagraphLength(end))), n, one,
                        Nested.get(), nullptr, nullptr, kind != scKept);
            doc.ChangedRanges->UnionChangedRange(range, one);
        }
        par = end + 1;
    }
}
