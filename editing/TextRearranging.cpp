// Rearranging text: moving and duplicating a range, joining, splitting and sorting paragraphs.
#include <algorithm>
#include <cstdio>
#include <map>

#include "classlib/runtime/Exceptions.h"
#include "core/InterfaceTexts.h"
#include "core/Messages.h"
#include "core/Options.h"
#include "core/TextUtils.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/DocumentContent.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"
#include "editing/ParagraphExchange.h"
#include "editing/SubOperation.h"

namespace {

// Kinds of the rearranging operations (their names).
enum : uint8_t { okMoveText = 21, okDuplicateText = 24, okJoin = 25, okSplit = 26, okSort = 27 };

std::string ActionMessage(const char* format, uint8_t kind)
{
    char text[512];
    std::snprintf(text, sizeof text, format, OperationNames[kind]);
    return text;
}

const char* const SeveralParagraphsMessage =
    "Cette action (\"%s\") ne s'applique qu'à une sélection de plusieurs paragraphes.||Sélectionnez les "
    "paragraphes visés et recommencez.";

// Puts the sections in the order of their marks; applied on both sides of a step that moves section
// breaks, so that undo and redo find them in order too.
class TOrderSectionsOperation : public TSubOperation {
public:
    using TSubOperation::TSubOperation;
    void Undo(TChangedRange& range) override
    {
        range = EmptyChangedRange();
        OrderSectionsByMarks(*Document);
        Document->SetModeFlag(mfSectionRangesStale, true);
        range[crWholeDocument] = 1;
    }
};

// The character format in force at byte At of a paragraph's stream.
TCharFormat FormatAtByte(const TMemory& text, int32_t at)
{
    TCharFormat format = DefaultCharFormat();
    MergeFormatTags(text.Data(), 0, at, false, format);
    return format;
}

void AppendAllFormatTags(TMemory& buffer, const TCharFormat& format)
{
    for (int f = 0; f < CharFormatFieldCount; ++f)
        AppendInlineTag(buffer, f, format[f]);
}

// A text position from a byte offset of a run of paragraphs joined by the byte 29.
TTextPos PosOfByte(const TMemory& stream, int32_t firstPar, int32_t at)
{
    const auto pieces = SplitParagraphPieces(stream.Data(), stream.Size());
    for (size_t i = 0; i < pieces.size(); ++i) {
        const auto [start, length] = pieces[i];
        if (at <= start + length || i + 1 == pieces.size())
            return TextPosAt(firstPar + int32_t(i),
                             CountPositions(stream.Data() + start, std::clamp(at - start, 0, length)));
    }
    return TextPosAt(firstPar, 0);
}

int32_t PlainLength(const TDocument& doc, int32_t par)
{
    return doc.Paragraphs[size_t(par)]->PlainText.Size();
}

uint8_t PlainAt(const TDocument& doc, int32_t par, int32_t offset)
{
    const TMemory& plain = doc.Paragraphs[size_t(par)]->PlainText;
    return offset >= 0 && offset < plain.Size() ? plain.Data()[offset] : 0;
}

// A range end just after the story's last mark steps back before it (unless it may take it); an end just
// after a paragraph mark becomes the start of the next paragraph.
TTextPos AdjustRangeEnd(TDocument& doc, TTextPos end, bool mayTakeLastMark)
{
    const int story = doc.StoryOfParagraph(end.ParIndex);
    if (end.ParIndex >= doc.ParagraphCount())
        end = TextPosAt(doc.ParagraphCount() - 1, PlainLength(doc, doc.ParagraphCount() - 1));
    if (end.Offset >= PlainLength(doc, end.ParIndex)) {
        if (end.ParIndex == doc.StoryEnd(story)) {
            if (!mayTakeLastMark)
                end.Offset = PlainLength(doc, end.ParIndex) - 1;
        } else {
            end = TextPosAt(end.ParIndex + 1, 0);
        }
    }
    return end;
}

// Removes the break at a position and leaves one space between the words it separated.
void JoinAt(TDocument& doc, const TTextPos& at, TChangedRange& range, TOperation* operation)
{
    TChangedRange one;
    const bool markEnd = at.Offset >= PlainLength(doc, at.ParIndex) - 1;
    const TTextPos end = markEnd ? TextPosAt(at.ParIndex + 1, 0) : TextPosAt(at.ParIndex, at.Offset + 1);
    DeleteRange(doc, at, end, one, operation, ioAdjustSpaces);
    doc.ChangedRanges->UnionChangedRange(range, one);
    const uint8_t before = PlainAt(doc, at.ParIndex, at.Offset - 1);
    const uint8_t after = PlainAt(doc, at.ParIndex, at.Offset);
    const bool afterIsEnd = at.Offset >= PlainLength(doc, at.ParIndex) - 1;
    if (at.Offset > 0 && !afterIsEnd && before != ' ' && after != ' ') {
        doc.PrepareInsertFormat(at, 0);
        InsertPlainText(doc, " ", at, one, operation, 0);
        doc.ChangedRanges->UnionChangedRange(range, one);
    }
}

void SetSelectionFields(TChangedRange& range, const TTextPos& start, const TTextPos& end)
{
    range[crSelStartPar] = start.ParIndex;
    range[crSelStartOffset] = start.Offset;
    range[crSelEndPar] = end.ParIndex;
    range[crSelEndOffset] = end.Offset;
}

std::unique_ptr<TParagraph> CopyParagraph(TDocument& doc, const TParagraph& p)
{
    auto q = std::make_unique<TParagraph>(&doc);
    q->Text.AssignMemory(p.Text);
    q->ParaFormat = p.ParaFormat;
    q->UpdatePlainText();
    q->SetNormalized(p.GetNormalized());
    return q;
}

} // namespace

void MoveText(TDocument& doc, TTextPos start, TTextPos end, TTextPos target, uint8_t flags,
              TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    if (operation)
        operation->Kind = okMoveText;
    if (CompareTextPos(end, start) < 0)
        std::swap(start, end);
    const int32_t count = doc.ParagraphCount();
    if (count == 0 || start.ParIndex < 0 || target.ParIndex < 0 || target.ParIndex >= count ||
        start.ParIndex >= count)
        return;
    end = AdjustRangeEnd(doc, end, (flags & ioMayTakeLastMark) != 0);
    target.Offset = std::clamp(target.Offset, 0, PlainLength(doc, target.ParIndex) - 1);
    const int story = doc.StoryOfParagraph(start.ParIndex);
    // Nothing to move, a move onto the range's own ends, and a target inside the range (which would
    // move the text into itself) change nothing.
    if (CompareTextPos(end, start) <= 0 || CompareTextPos(end, target) == 0 ||
        CompareTextPos(start, target) == 0)
        return;
    if (CompareTextPos(start, target) < 0 && CompareTextPos(target, end) < 0)
        return;
    if (doc.StoryOfParagraph(target.ParIndex) != story || doc.StoryOfParagraph(end.ParIndex) != story)
        return;

    // The paragraphs from the first to the last place involved, as one stream.
    const int32_t first = std::min(start.ParIndex, target.ParIndex);
    const int32_t last = std::max(end.ParIndex, target.ParIndex);
    TMemory stream;
    std::vector<int32_t> base;
    std::vector<TParaFormat> markFormats; // of each paragraph end in the stream
    for (int32_t i = first; i <= last; ++i) {
        TParagraph& p = *doc.Paragraphs[size_t(i)];
        if (!p.GetNormalized())
            p.NormalizeTags();
        base.push_back(stream.Size());
        stream.AppendMemory(p.Text);
        if (i < last) {
            stream.AppendByte(ParagraphEndByte);
            markFormats.push_back(p.ParaFormat);
        }
    }
    auto byteOf = [&](const TTextPos& pos) {
        const TMemory& text = doc.Paragraphs[size_t(pos.ParIndex)]->Text;
        return base[size_t(pos.ParIndex - first)] + ByteAfterPosition(text.Data(), text.Size(), pos.Offset);
    };
    auto formatOf = [&](const TTextPos& pos) {
        const TMemory& text = doc.Paragraphs[size_t(pos.ParIndex)]->Text;
        return FormatAtByte(text, ByteAfterPosition(text.Data(), text.Size(), pos.Offset));
    };
    const int32_t sB = byteOf(start), tB = byteOf(target);
    int32_t eB = byteOf(end);
    // Field marks right after the range's last character go with it (their partner may be inside).
    while (eB + InlineTagSize <= stream.Size() && stream.Data()[eB] == 0 &&
           IsFieldMark(TagCode(stream.Data() + eB)) && tB != eB)
        eB += InlineTagSize;
    const TCharFormat startFormat = formatOf(start), endFormat = formatOf(end),
                      targetFormat = formatOf(target);

    // The moved bytes, less the marks of fields that the range only cuts: those stay where the text was.
    std::map<int32_t, int> marks;
    ForEachTag(stream.Data(), sB, eB, [&](int32_t, int code, int32_t value) {
        if (IsFieldMark(code))
            ++marks[value];
        return true;
    });
    TMemory moved, left;
    bool movesSection = false;
    for (int32_t at = sB; at < eB;) {
        const uint8_t* s = stream.Data();
        if (s[at] != 0) {
            const int32_t run = PlainRunLength(s + at, eB - at);
            moved.Append(s + at, run);
            at += run;
            continue;
        }
        if (s[at] == 0 && eB - at >= InlineTagSize) {
            const int code = TagCode(s + at);
            if (IsFieldMark(code) && marks[TagValue(s + at)] < 2)
                left.Append(s + at, InlineTagSize);
            else
                moved.Append(s + at, InlineTagSize);
            movesSection = movesSection || code == tcSectionBreak;
            at += InlineTagSize;
        } else {
            moved.Append(s + at, 1);
            ++at;
        }
    }

    // The new stream and the formats of its paragraph ends.
    TMemory made;
    std::vector<TParaFormat> formats;
    int32_t endsBefore[2] = {};
    auto countEnds = [&](int32_t from, int32_t to) {
        int32_t n = 0;
        for (const auto& piece : SplitParagraphPieces(stream.Data() + from, to - from))
            (void)piece, ++n;
        return n - 1;
    };
    auto appendOriginal = [&](int32_t from, int32_t to) {
        const int32_t before = from == 0 ? 0 : countEnds(0, from);
        made.Append(stream.Data() + from, to - from);
        const int32_t ends = countEnds(from, to);
        for (int32_t k = 0; k < ends; ++k)
            formats.push_back(markFormats[size_t(before + k)]);
    };
    int32_t movedAt = 0, movedEnd = 0;
    auto appendMoved = [&]() {
        AppendAllFormatTags(made, startFormat);
        movedAt = made.Size();
        const int32_t before = sB == 0 ? 0 : countEnds(0, sB);
        made.AppendMemory(moved);
        const int32_t ends = countEnds(sB, eB);
        for (int32_t k = 0; k < ends; ++k)
            formats.push_back(markFormats[size_t(before + k)]);
        movedEnd = made.Size();
        AppendAllFormatTags(made, targetFormat);
    };
    auto appendCut = [&]() {
        made.AppendMemory(left);
        AppendAllFormatTags(made, endFormat);
    };
    if (tB < sB) {
        appendOriginal(0, tB);
        appendMoved();
        appendOriginal(tB, sB);
        appendCut();
        appendOriginal(eB, stream.Size());
    } else {
        appendOriginal(0, sB);
        appendCut();
        appendOriginal(eB, tB);
        appendMoved();
        appendOriginal(tB, stream.Size());
    }
    (void)endsBefore;
    formats.push_back(doc.Paragraphs[size_t(last)]->ParaFormat);

    std::vector<std::unique_ptr<TParagraph>> paragraphs;
    const auto pieces = SplitParagraphPieces(made.Data(), made.Size());
    if (pieces.size() != formats.size())
        throw EInternalError("Erreur interne : le déplacement du texte a perdu un paragraphe.");
    for (size_t i = 0; i < pieces.size(); ++i) {
        auto p = std::make_unique<TParagraph>(&doc);
        p->Text.Append(made.Data() + pieces[i].first, pieces[i].second);
        p->ParaFormat = formats[i];
        p->UpdatePlainText();
        paragraphs.push_back(std::move(p));
    }
    // Where the moved text lies now, counted before the tags are tidied (tidying moves no position).
    const TTextPos newStart = PosOfByte(made, first, movedAt);
    const TTextPos newEnd = PosOfByte(made, first, movedEnd);
    for (auto& p : paragraphs) {
        p->NormalizeTags();
        p->UpdatePlainText();
    }

    TChangedRange one;
    if (movesSection)
        ApplyStep(doc, std::make_unique<TOrderSectionsOperation>(&doc), range, operation);
    ApplyStep(doc,
              std::make_unique<TReplaceParagraphsOperation>(&doc, first, last - first + 1, story,
                                                            std::move(paragraphs)),
              one, operation);
    doc.ChangedRanges->UnionChangedRange(range, one);
    if (movesSection) {
        ApplyStep(doc, std::make_unique<TOrderSectionsOperation>(&doc), one, operation);
        doc.ChangedRanges->UnionChangedRange(range, one);
    }
    MakeTextPos(newStart.ParIndex, newStart.Offset, doc.Caret);
    if (flags & ioSelectInserted)
        SetSelectionFields(range, newStart, newEnd);
    else
        SetSelectionFields(range, TTextPos{}, TTextPos{});
    range[crCaretPar] = newStart.ParIndex;
    range[crCaretOffset] = newStart.Offset;
    range[crCaretLine] = 0;
}

void DuplicateText(TDocument& doc, TTextPos start, TTextPos end, const TTextPos& target, uint8_t flags,
                   TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    if (operation)
        operation->Kind = okDuplicateText;
    if (CompareTextPos(end, start) < 0)
        std::swap(start, end);
    end = AdjustRangeEnd(doc, end, (flags & ioMayTakeLastMark) != 0);
    if (CompareTextPos(end, start) <= 0)
        return;
    std::unique_ptr<TDocument> scratch = RangeCopier ? RangeCopier(doc, TextRangeOf(start, end)) : nullptr;
    if (!scratch)
        throw EAbort();
    MakeTextPos(target.ParIndex, target.Offset, doc.Caret);
    doc.PrepareInsertFormat(doc.Caret, 0);
    TDocumentContent content;
    TakeDocumentContent(doc, *scratch, content);
    if (content.Buffer.Size() == 0 || content.Positions == 0)
        return;
    InsertDocumentContent(doc, content, doc.Caret, uint8_t(flags & (ioSelectInserted | ioSharedObjects)),
                          range, operation);
}

void JoinParagraphs(TDocument& doc, int32_t first, int32_t last, TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    if (operation)
        operation->Kind = okJoin;
    if (last < first)
        std::swap(first, last);
    first = std::clamp(first, 0, doc.ParagraphCount() - 1);
    last = std::clamp(last, first, doc.ParagraphCount() - 1);
    bool deleted = false;
    if (doc.HasSelection()) {
        // Single line breaks go; a run of two or more stays.
        for (int32_t i = last; i >= first; --i) {
            for (int32_t k = PlainLength(doc, i) - 2; k >= 0; --k) {
                if (PlainAt(doc, i, k) != scLineBreak)
                    continue;
                if (PlainAt(doc, i, k - 1) == scLineBreak || PlainAt(doc, i, k + 1) == scLineBreak) {
                    while (k > 0 && PlainAt(doc, i, k - 1) == scLineBreak)
                        --k;
                    continue;
                }
                if (!deleted) {
                    TModeFlagScope scope(doc);
                    scope.On(mfNoSelectionRepaint);
                    doc.ClearSelection();
                }
                JoinAt(doc, TextPosAt(i, k), range, operation);
                deleted = true;
            }
        }
    }
    if (first == last) {
        if (!deleted) {
            ShowInformation(ActionMessage(SeveralParagraphsMessage, okJoin));
            return;
        }
        SetSelectionFields(range, TextPosAt(first, 0), TextPosAt(last, PlainLength(doc, last) - 1));
        return;
    }
    auto empty = [&](int32_t i) { return PlainLength(doc, i) <= 1; };
    int32_t separators = 0;
    for (int32_t i = first; i < last; ++i)
        if (empty(i) || empty(i + 1))
            ++separators;
    if (separators < last - first) {
        for (int32_t i = last - 1; i >= first; --i) {
            if (empty(i) || empty(i + 1) || PlainAt(doc, i, PlainLength(doc, i) - 1) != scParagraphMark)
                continue;
            JoinAt(doc, TextPosAt(i, PlainLength(doc, i) - 1), range, operation);
        }
    }
    int32_t newLast = first + separators;
    newLast = std::min(newLast, doc.ParagraphCount() - 1);
    SetSelectionFields(range, TextPosAt(first, 0), TextPosAt(newLast, PlainLength(doc, newLast) - 1));
    range[crCaretPar] = newLast;
    range[crCaretOffset] = PlainLength(doc, newLast) - 1;
    range[crCaretLine] = UndefinedField;
}

void SplitParagraphs(TDocument& doc, int32_t first, int32_t last, TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    if (operation)
        operation->Kind = okSplit;
    if (last < first)
        std::swap(first, last);
    first = std::clamp(first, 0, doc.ParagraphCount() - 1);
    last = std::clamp(last, first, doc.ParagraphCount() - 1);
    if (first == last) {
        const TParagraph& p = *doc.Paragraphs[size_t(first)];
        if (!p.GetLaidOut() || p.LineCount() == 0)
            return;
    }
    const TTextRange saved = doc.Selection;
    {
        TModeFlagScope scope(doc);
        scope.On(mfNoSelectionRepaint);
        doc.ClearSelection();
    }
    const bool smart = CurrentOptions().Edit.WiseCutPaste;
    int32_t added = 0;
    for (int32_t i = last; i >= first; --i) {
        const TParagraph& p = *doc.Paragraphs[size_t(i)];
        if (!p.GetLaidOut() || p.LineCount() < 2)
            continue;
        std::vector<int32_t> starts;
        for (int32_t k = 1; k < p.LineCount(); ++k)
            starts.push_back(p.Lines[size_t(k)]->FirstChar);
        for (auto it = starts.rbegin(); it != starts.rend(); ++it) {
            TTextPos at = TextPosAt(i, *it);
            TChangedRange one;
            if (smart && PlainAt(doc, i, at.Offset - 1) == ' ') {
                // The space at the wrap point goes with the break.
                DeleteRange(doc, TextPosAt(i, at.Offset - 1), at, one, operation, 0);
                doc.ChangedRanges->UnionChangedRange(range, one);
                at.Offset -= 1;
            }
            doc.PrepareInsertFormat(at, 0);
            InsertPlainText(doc, "\r", at, one, operation, 0);
            doc.ChangedRanges->UnionChangedRange(range, one);
            ++added;
        }
    }
    if (added == 0) {
        doc.Selection = saved;
        return;
    }
    const int32_t end = last + added;
    SetSelectionFields(range, TextPosAt(first, 0), TextPosAt(end, PlainLength(doc, end) - 1));
    range[crCaretPar] = end;
    range[crCaretOffset] = PlainLength(doc, end) - 1;
    range[crCaretLine] = UndefinedField;
}

int CompareParagraphTexts(const TDocument& doc, int32_t i, int32_t j)
{
    const TMemory& a = doc.Paragraphs[size_t(i)]->PlainText;
    const TMemory& b = doc.Paragraphs[size_t(j)]->PlainText;
    const int r =
        CompareStrLocale(std::string_view(reinterpret_cast<const char*>(a.Data()), size_t(a.Size())),
                         std::string_view(reinterpret_cast<const char*>(b.Data()), size_t(b.Size())));
    if (r != 0)
        return r;
    // Texts the collation finds equal: the shorter first.
    return a.Size() < b.Size() ? -1 : a.Size() > b.Size() ? 1 : 0;
}

void SortParagraphs(TDocument& doc, const TTextRange& given, bool descending, TChangedRange& range,
                    TOperation* operation)
{
    range = EmptyChangedRange();
    if (operation)
        operation->Kind = okSort;
    TTextRange r = given;
    if (CompareTextPos(r.EndPos, r.StartPos) < 0)
        std::swap(r.StartPos, r.EndPos);
    int32_t first = std::clamp(r.StartPos.ParIndex, 0, doc.ParagraphCount() - 1);
    int32_t last = std::clamp(r.EndPos.ParIndex, first, doc.ParagraphCount() - 1);
    // A range ending at the start of a paragraph does not take it.
    if (last > first && r.EndPos.Offset == 0)
        --last;
    if (first == last) {
        ShowInformation(ActionMessage(SeveralParagraphsMessage, okSort));
        return;
    }
    if (doc.RangeTouchesMultiParagraphField(r)) {
        ShowInformation(ActionMessage("Cette action (\"%s\") ne peut pas s'appliquer à une sélection qui "
                                      "comprend des signets ou des champs de structure complexe.",
                                      okSort));
        return;
    }
    const bool lastEndsSection = PlainAt(doc, last, PlainLength(doc, last) - 1) == scSectionBreak;
    if (doc.SectionOfParagraph(first) != doc.SectionOfParagraph(last) ||
        (lastEndsSection && last != doc.ParagraphCount() - 1)) {
        ShowInformation(ActionMessage(
            "Cette action (\"%s\") ne s'applique qu'à une sélection dépourvue de saut de section.", okSort));
        return;
    }
    std::vector<int32_t> order;
    for (int32_t i = first; i <= last; ++i)
        order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
        const int c = CompareParagraphTexts(doc, a, b);
        return descending ? c > 0 : c < 0;
    });
    bool changed = false;
    for (size_t k = 0; k < order.size(); ++k)
        changed = changed || order[k] != first + int32_t(k);
    if (changed) {
        std::vector<std::unique_ptr<TParagraph>> made;
        for (int32_t i : order)
            made.push_back(CopyParagraph(doc, *doc.Paragraphs[size_t(i)]));
        ApplyStep(doc,
                  std::make_unique<TReplaceParagraphsOperation>(&doc, first, last - first + 1,
                                                                doc.StoryOfParagraph(first), std::move(made)),
                  range, operation);
        range[crWholeDocument] = 1;
    }
    SetSelectionFields(range, TextPosAt(first, 0), TextPosAt(last, PlainLength(doc, last) - 1));
    range[crCaretPar] = doc.Caret.ParIndex;
    range[crCaretOffset] = 0;
    range[crCaretLine] = UndefinedField;
}
