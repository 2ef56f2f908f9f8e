// Exchanging a run of paragraphs with another version of it, kept as the bytes the versions do not share.
#include "editing/ParagraphExchange.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "document/DocObjects.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/Page.h"
#include "document/ParReformatingManager.h"
#include "document/Section.h"
#include "document/TagTargets.h"
#include "document/Field.h"
#include "editing/OperationManager.h"

namespace {

int32_t ItemSize(const uint8_t* s, int32_t pos)
{
    return s[pos] == 0 ? InlineTagSize : 1;
}

// The largest item boundary of S at or below Limit.
int32_t BoundaryAtOrBelow(const uint8_t* s, int32_t size, int32_t limit)
{
    int32_t pos = 0;
    while (pos < size && pos + ItemSize(s, pos) <= limit)
        pos += ItemSize(s, pos);
    return std::min(pos, size);
}

// The smallest item boundary of S at or above From.
int32_t BoundaryAtOrAbove(const uint8_t* s, int32_t size, int32_t from)
{
    int32_t pos = 0;
    while (pos < from && pos < size)
        pos += ItemSize(s, pos);
    return std::min(pos, size);
}

struct TTargets {
    std::set<int32_t> Sections, Fields, Objects;
    bool ForcedBreak = false;
};

void CollectTargets(const uint8_t* s, int32_t size, TTargets& t)
{
    ForEachTag(s, 0, size, [&](int32_t, int code, int32_t value) {
        if (code == tcSectionBreak)
            t.Sections.insert(value);
        else if (IsFieldMark(code))
            t.Fields.insert(value);
        else if (code == tcPicture || code == tcOLEObject)
            t.Objects.insert(value);
        else if (code == tcSpecial && (value == scColumnBreak || value == scPageBreak))
            t.ForcedBreak = true;
        return true;
    });
}

// The bytes of a version between the prefix of its first paragraph and the suffix of its last.
void BuildMiddle(const std::vector<const TMemory*>& texts, int32_t prefix, int32_t suffix, TMemory& out)
{
    out.Clear();
    for (size_t i = 0; i < texts.size(); ++i) {
        const TMemory& t = *texts[i];
        const int32_t from = i == 0 ? prefix : 0;
        const int32_t to = i + 1 == texts.size() ? t.Size() - suffix : t.Size();
        out.Append(t.Data() + from, std::max(to - from, 0));
        if (i + 1 < texts.size())
            out.AppendByte(ParagraphEndByte);
    }
}

template<typename T>
std::unique_ptr<T> TakeOut(std::vector<std::unique_ptr<T>>& list, const T* item)
{
    if (!item)
        return nullptr;
    const auto it = std::find_if(list.begin(), list.end(), [&](const auto& p) { return p.get() == item; });
    if (it == list.end())
        return nullptr;
    std::unique_ptr<T> taken = std::move(*it);
    list.erase(it);
    return taken;
}

template<typename T>
int32_t HandleOf(const std::unique_ptr<T>& item)
{
    return item->Handle;
}

} // namespace

std::vector<std::pair<int32_t, int32_t>> SplitParagraphPieces(const uint8_t* data, int32_t size)
{
    std::vector<std::pair<int32_t, int32_t>> pieces;
    int32_t start = 0;
    for (int32_t pos = 0; pos < size;) {
        if (data[pos] == 0) {
            pos += InlineTagSize;
            continue;
        }
        if (data[pos] == ParagraphEndByte) {
            pieces.emplace_back(start, pos - start);
            start = ++pos;
            continue;
        }
        ++pos;
    }
    pieces.emplace_back(start, std::max(size - start, 0));
    return pieces;
}

int32_t ByteAfterPosition(const uint8_t* s, int32_t size, int32_t offset)
{
    if (offset <= 0)
        return 0;
    int32_t counted = 0;
    for (int32_t pos = 0; pos < size;) {
        if (s[pos] != 0) {
            const int32_t run = PlainRunLength(s + pos, size - pos);
            if (counted + run >= offset)
                return pos + (offset - counted);
            counted += run;
            pos += run;
            continue;
        }
        if (size - pos < InlineTagSize)
            return size;
        pos += InlineTagSize;
        if (IsRunEndingTag(TagCode(s + pos - InlineTagSize)) && ++counted == offset)
            return pos;
    }
    return size;
}

int32_t CountPositions(const uint8_t* s, int32_t size)
{
    int32_t counted = 0;
    for (int32_t pos = 0; pos < size;) {
        if (s[pos] != 0) {
            const int32_t run = PlainRunLength(s + pos, size - pos);
            counted += run;
            pos += run;
            continue;
        }
        if (size - pos < InlineTagSize)
            break;
        if (IsRunEndingTag(TagCode(s + pos)))
            ++counted;
        pos += InlineTagSize;
    }
    return counted;
}

void OrderSectionsByMarks(TDocument& doc)
{
    std::vector<std::unique_ptr<TSection>> all = std::move(doc.Sections);
    doc.Sections.clear();
    const int32_t mainEnd = doc.StoryEnd(stMain);
    for (int32_t i = 0; i <= mainEnd && i < doc.ParagraphCount(); ++i) {
        const TSection* section = doc.Paragraphs[size_t(i)]->GetSection();
        if (auto taken = TakeOut(all, section))
            doc.Sections.push_back(std::move(taken));
    }
    for (auto& rest : all)
        doc.Sections.push_back(std::move(rest));
    doc.SetModeFlag(mfSectionRangesStale, true);
    doc.SetModeFlag(mfColumnWidthsStale, true);
}

TParagraphExchange::TParagraphExchange() = default;

TParagraphExchange::~TParagraphExchange() = default;

TParagraphExchange::TKeptTargets::~TKeptTargets()
{
    // Fields first: they may be the header and footer texts of the sections kept here.
    Fields.clear();
    Objects.clear();
    Sections.clear();
}

TParagraphExchange::TKeptTargets& TParagraphExchange::Kept()
{
    if (!FKept)
        FKept = std::make_unique<TKeptTargets>();
    return *FKept;
}

void TParagraphExchange::Own(std::unique_ptr<TSection> section)
{
    Kept().Sections.push_back(std::move(section));
}

void TParagraphExchange::Own(std::unique_ptr<TField> field)
{
    Kept().Fields.push_back(std::move(field));
}

void TParagraphExchange::Own(std::unique_ptr<TDocObject> object)
{
    Kept().Objects.push_back(std::move(object));
}

int64_t TParagraphExchange::GetMemorySize() const
{
    int64_t size =
        int64_t(sizeof(*this)) + Middle.Capacity() + int64_t(Formats.capacity() * sizeof(TParaFormat));
    if (!FKept)
        return size;
    size += int64_t(sizeof(TKeptTargets));
    size +=
        int64_t(FKept->Sections.size() * sizeof(TSection)) + int64_t(FKept->Fields.size() * sizeof(TField));
    for (const auto& object : FKept->Objects)
        size += object->GetMemorySize();
    return size;
}

void TParagraphExchange::Begin(TDocument& doc, int32_t first, int32_t count, int story,
                               std::vector<std::unique_ptr<TParagraph>> made, TChangedRange& range)
{
    First = first;
    Story = story;
    CountInDocument = count;
    // Both versions in canonical form, so that laying them out never changes their bytes.
    std::vector<const TMemory*> oldTexts, newTexts;
    for (int32_t i = first; i < first + count; ++i) {
        TParagraph& p = *doc.Paragraphs[size_t(i)];
        if (!p.GetNormalized())
            p.NormalizeTags();
        oldTexts.push_back(&p.Text);
    }
    for (auto& p : made) {
        p->NormalizeTags();
        newTexts.push_back(&p->Text);
    }
    // The shared prefix of the first paragraphs and suffix of the last ones, at item boundaries; none when
    // whole paragraphs come or go.
    int32_t prefix = 0, suffix = 0;
    if (!oldTexts.empty() && !newTexts.empty()) {
        const TMemory& oldFirst = *oldTexts.front();
        const TMemory& newFirst = *newTexts.front();
        const TMemory& oldLast = *oldTexts.back();
        const TMemory& newLast = *newTexts.back();
        const int32_t prefixLimit = std::min(oldFirst.Size(), newFirst.Size());
        while (prefix < prefixLimit && oldFirst.Data()[prefix] == newFirst.Data()[prefix])
            ++prefix;
        prefix = BoundaryAtOrBelow(oldFirst.Data(), oldFirst.Size(), prefix);
        int32_t suffixLimit = std::min(oldLast.Size(), newLast.Size());
        if (oldTexts.size() == 1)
            suffixLimit = std::min(suffixLimit, oldLast.Size() - prefix);
        if (newTexts.size() == 1)
            suffixLimit = std::min(suffixLimit, newLast.Size() - prefix);
        while (suffix < suffixLimit &&
               oldLast.Data()[oldLast.Size() - 1 - suffix] == newLast.Data()[newLast.Size() - 1 - suffix])
            ++suffix;
        for (;;) {
            const int32_t a =
                oldLast.Size() - BoundaryAtOrAbove(oldLast.Data(), oldLast.Size(), oldLast.Size() - suffix);
            const int32_t b =
                newLast.Size() - BoundaryAtOrAbove(newLast.Data(), newLast.Size(), newLast.Size() - suffix);
            if (a == suffix && b == suffix)
                break;
            suffix = std::min(a, b);
        }
    }
    Prefix = prefix;
    Suffix = suffix;
    BuildMiddle(newTexts, prefix, suffix, Middle);
    Formats.clear();
    for (const auto& p : made)
        Formats.push_back(p->ParaFormat);
    KeptCount = int32_t(made.size());
    made.clear();
    Exchange(doc, range);
}

namespace {

// The first page with a placement of one of Count paragraphs from First, or -1.
int32_t FirstPageHolding(const TDocument& doc, int32_t first, int32_t count)
{
    std::set<const TParagraph*> going;
    for (int32_t i = first; i < first + count && i < doc.ParagraphCount(); ++i)
        going.insert(doc.Paragraphs[size_t(i)].get());
    for (size_t k = 0; k < doc.Pages.size(); ++k)
        for (const auto& placement : doc.Pages[k]->Placements)
            if (going.count(placement->Paragraph))
                return int32_t(k);
    return -1;
}

} // namespace

void TParagraphExchange::Exchange(TDocument& doc, TChangedRange& range)
{
    range = EmptyChangedRange();
    std::vector<const TMemory*> texts;
    std::vector<TParaFormat> outgoingFormats;
    for (int32_t i = First; i < First + CountInDocument; ++i) {
        texts.push_back(&doc.Paragraphs[size_t(i)]->Text);
        outgoingFormats.push_back(doc.Paragraphs[size_t(i)]->ParaFormat);
    }
    TMemory outgoing;
    BuildMiddle(texts, Prefix, Suffix, outgoing);
    static const TMemory none;
    const TMemory& firstText = texts.empty() ? none : *texts.front();
    const TMemory& lastText = texts.empty() ? none : *texts.back();
    // The kept version's paragraphs, with the shared head and tail.
    const auto pieces = KeptCount > 0 ? SplitParagraphPieces(Middle.Data(), Middle.Size())
                                      : std::vector<std::pair<int32_t, int32_t>>();
    std::vector<std::unique_ptr<TParagraph>> incoming;
    for (size_t i = 0; i < pieces.size(); ++i) {
        auto p = std::make_unique<TParagraph>(&doc);
        if (i == 0)
            p->Text.Append(firstText.Data(), Prefix);
        p->Text.Append(Middle.Data() + pieces[i].first, pieces[i].second);
        if (i + 1 == pieces.size())
            p->Text.Append(lastText.Data() + lastText.Size() - Suffix, Suffix);
        p->ParaFormat = i < Formats.size()         ? Formats[i]
                        : !outgoingFormats.empty() ? outgoingFormats.back()
                                                   : DefaultParaFormat();
        p->UpdatePlainText();
        p->SetNormalized(true);
        incoming.push_back(std::move(p));
    }
    // What the marks of each side name; the shared head and tail stay either way.
    TTargets out, in;
    CollectTargets(outgoing.Data(), outgoing.Size(), out);
    CollectTargets(Middle.Data(), Middle.Size(), in);
    CollectTargets(firstText.Data(), Prefix, in);
    CollectTargets(lastText.Data() + lastText.Size() - Suffix, Suffix, in);
    const bool forcedBreak = out.ForcedBreak || KeptHasForcedBreak;
    KeptHasForcedBreak = out.ForcedBreak;

    // The kept objects whose marks come in go back to the document first.
    bool sectionsChanged = false;
    std::vector<std::unique_ptr<TSection>> keptSections;
    std::vector<std::unique_ptr<TField>> keptFields;
    std::vector<std::unique_ptr<TDocObject>> keptObjects;
    TKeptTargets nothingKept;
    TKeptTargets& kept = FKept ? *FKept : nothingKept;
    for (auto& s : kept.Sections) {
        if (in.Sections.count(HandleOf(s))) {
            doc.Sections.insert(doc.Sections.end() - 1, std::move(s));
            sectionsChanged = true;
        } else {
            keptSections.push_back(std::move(s));
        }
    }
    for (auto& f : kept.Fields)
        (in.Fields.count(HandleOf(f)) ? doc.Fields : keptFields).push_back(std::move(f));
    for (auto& o : kept.Objects)
        (in.Objects.count(HandleOf(o)) ? doc.ObjectManager->Objects : keptObjects).push_back(std::move(o));
    // Those whose marks leave come to the exchange.
    for (int32_t h : out.Sections)
        if (!in.Sections.count(h))
            if (auto taken = TakeOut(doc.Sections,
                                     static_cast<TSection*>(ResolveTagTarget(h, TTagTargetKind::Section)))) {
                keptSections.push_back(std::move(taken));
                sectionsChanged = true;
            }
    for (int32_t h : out.Fields)
        if (!in.Fields.count(h))
            if (auto taken = TakeOut(doc.Fields, FieldOfTag(h))) {
                if (doc.EditedHeaderFooter == taken.get())
                    doc.EditedHeaderFooter = nullptr;
                keptFields.push_back(std::move(taken));
            }
    for (int32_t h : out.Objects)
        if (!in.Objects.count(h))
            if (auto taken = TakeOut(doc.ObjectManager->Objects, doc.ObjectManager->FindObject(h)))
                keptObjects.push_back(std::move(taken));
    if (keptSections.empty() && keptFields.empty() && keptObjects.empty()) {
        FKept.reset();
    } else {
        Kept().Sections = std::move(keptSections);
        Kept().Fields = std::move(keptFields);
        Kept().Objects = std::move(keptObjects);
    }

    const int32_t incomingCount = int32_t(incoming.size());
    if (CountInDocument == 1 && incomingCount == 1 && !forcedBreak) {
        TParagraph& p = *doc.Paragraphs[size_t(First)];
        const int32_t offset = CountPositions(p.Text.Data(), Prefix);
        const int32_t lineHint = p.LineCount() > 0 ? p.LineAtOffset(offset, 0, 0) : 0;
        p.Text.AssignMemory(incoming.front()->Text);
        p.PlainText.AssignMemory(incoming.front()->PlainText);
        p.ParaFormat = incoming.front()->ParaFormat;
        p.SetNormalized(true);
        doc.ReformatingManager->ReformatParagraph(First, lineHint, range);
    } else {
        // The paragraph list changes: the pages from the first changed paragraph's on are rebuilt, and
        // must not keep lines of paragraphs that go.
        if (Story != stMain) {
            if (!doc.Pages.empty())
                range[crWholeDocument] = 1;
            doc.ClearPageList();
        }
        doc.ChangedRanges->SetChangedRangeStart(range, First);
        if (range[crFirstPage] != UndefinedField && range[crFirstPage] < int32_t(doc.Pages.size()))
            doc.Pages.resize(size_t(range[crFirstPage]));
        else if (range[crFirstParagraph] == UndefinedField && First < doc.ParagraphCount() &&
                 doc.Paragraphs[size_t(First)]->IsOnPage())
            doc.ClearPageList();
        // A page may still place a paragraph that goes whose lines were dropped for a re-break: the
        // pages go from the first such one on.
        const int32_t holding = FirstPageHolding(doc, First, CountInDocument);
        if (holding >= 0) {
            doc.Pages.resize(size_t(holding));
            if (range[crFirstPage] == UndefinedField || range[crFirstPage] > holding) {
                range[crFirstParagraph] = First;
                range[crFirstPage] = holding;
            }
        }
        std::vector<std::unique_ptr<TParagraph>> gone;
        for (int32_t i = First; i < First + CountInDocument; ++i)
            gone.push_back(std::move(doc.Paragraphs[size_t(i)]));
        doc.Paragraphs.erase(doc.Paragraphs.begin() + First,
                             doc.Paragraphs.begin() + First + CountInDocument);
        doc.Paragraphs.insert(doc.Paragraphs.begin() + First, std::make_move_iterator(incoming.begin()),
                              std::make_move_iterator(incoming.end()));
        doc.StoryLengths[Story] += incomingCount - CountInDocument;
        doc.SetModeFlag(mfSectionRangesStale, true);
        doc.SetModeFlag(mfStatisticsStale, true);
        doc.ChangedRanges->RemovePairsFrom(First);
        // The paragraphs that went may still be listed for the deferred re-break.
        auto& pending = doc.ReformatingManager->Pending;
        pending.erase(std::remove_if(pending.begin(), pending.end(), [&](int32_t i) { return i >= First; }),
                      pending.end());
    }
    if (sectionsChanged)
        OrderSectionsByMarks(doc);
    Middle.AssignMemory(outgoing);
    Formats = std::move(outgoingFormats);
    KeptCount = CountInDocument;
    CountInDocument = incomingCount;
    // One paragraph for one of the same format: its format need not be kept.
    if (KeptCount == 1 && CountInDocument == 1 &&
        std::memcmp(&Formats[0], &doc.Paragraphs[size_t(First)]->ParaFormat, sizeof(TParaFormat)) == 0)
        std::vector<TParaFormat>().swap(Formats);
    doc.FieldRescanFirst = UndefinedField;
    doc.FieldRescanLast = UndefinedField;
    doc.SetModeFlag(mfFieldsDirty, true);
    doc.SetModeFlag(mfFieldsNeedSorting, true);
}
