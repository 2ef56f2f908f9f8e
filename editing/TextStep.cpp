// The text step: tagged text inserted at a position or removed from a range, then exchanged back and
// forth with the text it replaced.
#include <algorithm>
#include <map>

#include "document/Document.h"
#include "classlib/runtime/Exceptions.h"
#include "document/InlineTags.h"
#include "document/ParReformatingManager.h"
#include "document/TextAccess.h"
#include "editing/SubOperation.h"

TSubOperation::~TSubOperation() = default;

int64_t TSubOperation::GetMemorySize() const
{
    return sizeof(TSubOperation);
}

void TSubOperation::Undo(TChangedRange& range)
{
    range = EmptyChangedRange();
}

TInsertDeleteOperation::TInsertDeleteOperation(TDocument* document, const TTextPos& pos, const uint8_t* text,
                                               int32_t size, int story, bool ownsObjects)
    : TTextStep(document), Story(story), OwnsObjects(ownsObjects), FInsertion(true)
{
    FRange.StartPos = FRange.EndPos = pos;
    FText.Assign(text, size);
}

TInsertDeleteOperation::TInsertDeleteOperation(TDocument* document, const TTextRange& range, int story,
                                               bool ownsObjects)
    : TTextStep(document), Story(story), OwnsObjects(ownsObjects), FRange(range)
{
    Flags = idTextInDocument;
}

int64_t TInsertDeleteOperation::GetMemorySize() const
{
    return int64_t(sizeof(*this)) - int64_t(sizeof(TParagraphExchange)) + FExchange.GetMemorySize() +
           FText.Capacity();
}

void TInsertDeleteOperation::Undo(TChangedRange& range)
{
    range = EmptyChangedRange();
    if (!FApplied) {
        if (FInsertion)
            FirstInsert(range);
        else
            FirstRemove(range);
        FApplied = true;
    } else {
        FExchange.Exchange(*Document, range);
    }
    Flags ^= idTextInDocument;
    Document->SetModeFlag(mfFieldsDirty, true);
}

void TInsertDeleteOperation::SetPositionFlags(const uint8_t* text, int32_t size)
{
    FPositions = CountPositions(text, size);
    if (FPositions != 1)
        return;
    Flags |= idSinglePosition;
    TMemory plain;
    AppendPlainText(text, size, plain);
    if (plain.Size() == 1 && plain.Data()[0] == ' ')
        Flags |= idSingleSpace;
}

void TInsertDeleteOperation::FirstInsert(TChangedRange& range)
{
    TDocument& doc = *Document;
    const int32_t par = std::clamp(FRange.StartPos.ParIndex, 0, doc.ParagraphCount() - 1);
    TParagraph& p = *doc.Paragraphs[size_t(par)];
    if (!p.GetNormalized())
        p.NormalizeTags();
    const int32_t offset = std::clamp(FRange.StartPos.Offset, 0, std::max(p.PlainText.Size() - 1, 0));
    const uint8_t* s = p.Text.Data();
    const int32_t size = p.Text.Size();
    int32_t at = ByteAfterPosition(s, size, offset);
    // New text goes in after the field marks that directly follow the position.
    while (size - at >= InlineTagSize && s[at] == 0 && IsFieldMark(TagCode(s + at)))
        at += InlineTagSize;
    const uint8_t* data = FText.Data();
    const auto pieces = SplitParagraphPieces(data, FText.Size());
    std::vector<std::unique_ptr<TParagraph>> made;
    for (size_t i = 0; i < pieces.size(); ++i) {
        auto q = std::make_unique<TParagraph>(&doc);
        if (i == 0)
            q->Text.Append(s, at);
        q->Text.Append(data + pieces[i].first, pieces[i].second);
        if (i + 1 == pieces.size())
            q->Text.Append(s + at, size - at);
        q->ParaFormat = p.ParaFormat;
        made.push_back(std::move(q));
    }
    SetPositionFlags(data, FText.Size());
    const int32_t added = int32_t(pieces.size()) - 1;
    const int32_t endOffset =
        added == 0 ? offset + FPositions : CountPositions(data + pieces.back().first, pieces.back().second);
    FExchange.Begin(doc, par, 1, Story, std::move(made), range);
    FRange.StartPos = TextPosAt(par, offset);
    FRange.EndPos = TextPosAt(par + added, endOffset);
    FText.Clear();
}

void TInsertDeleteOperation::FirstRemove(TChangedRange& range)
{
    TDocument& doc = *Document;
    const int32_t count = doc.ParagraphCount();
    TTextPos start = FRange.StartPos, end = FRange.EndPos;
    if (end.ParIndex >= count) {
        end.ParIndex = count - 1;
        end.Offset = doc.Paragraphs[size_t(count - 1)]->PlainText.Size() - 1;
    }
    start.ParIndex = std::clamp(start.ParIndex, 0, count - 1);
    end.ParIndex = std::clamp(end.ParIndex, start.ParIndex, count - 1);
    const int32_t par = start.ParIndex, last = end.ParIndex;
    for (int32_t i = par; i <= last; ++i)
        if (!doc.Paragraphs[size_t(i)]->GetNormalized())
            doc.Paragraphs[size_t(i)]->NormalizeTags();
    const TParagraph& p = *doc.Paragraphs[size_t(par)];
    const TParagraph& q = *doc.Paragraphs[size_t(last)];
    const int32_t startByte = ByteAfterPosition(p.Text.Data(), p.Text.Size(), start.Offset);
    int32_t endByte = ByteAfterPosition(q.Text.Data(), q.Text.Size(), end.Offset);
    if (last == par)
        endByte = std::max(endByte, startByte);
    FText.Clear();
    if (last == par) {
        FText.Assign(p.Text.Data() + startByte, endByte - startByte);
    } else {
        FText.Assign(p.Text.Data() + startByte, p.Text.Size() - startByte);
        FText.AppendByte(ParagraphEndByte);
        for (int32_t i = par + 1; i < last; ++i) {
            FText.AppendMemory(doc.Paragraphs[size_t(i)]->Text);
            FText.AppendByte(ParagraphEndByte);
        }
        FText.Append(q.Text.Data(), endByte);
    }
    // What stays at the join: the marks of fields the range only cuts, and the format that the text
    // after the range had.
    std::map<int32_t, int> marks;
    ForEachTag(FText.Data(), 0, FText.Size(), [&](int32_t, int code, int32_t value) {
        if (IsFieldMark(code))
            ++marks[value];
        return true;
    });
    TMemory join;
    ForEachTag(FText.Data(), 0, FText.Size(), [&](int32_t, int code, int32_t value) {
        if (IsFieldMark(code) && marks[value] < 2)
            AppendInlineTag(join, code, value);
        return true;
    });
    TCharFormat before = DefaultCharFormat(), after = DefaultCharFormat();
    MergeFormatTags(p.Text.Data(), 0, startByte, false, before);
    MergeFormatTags(q.Text.Data(), 0, endByte, false, after);
    for (int f = 0; f < CharFormatFieldCount; ++f)
        if (before[f] != after[f])
            AppendInlineTag(join, f, after[f]);
    auto joined = std::make_unique<TParagraph>(&doc);
    joined->Text.Append(p.Text.Data(), startByte);
    joined->Text.AppendMemory(join);
    joined->Text.Append(q.Text.Data() + endByte, q.Text.Size() - endByte);
    joined->ParaFormat = q.ParaFormat;
    std::vector<std::unique_ptr<TParagraph>> made;
    made.push_back(std::move(joined));
    SetPositionFlags(FText.Data(), FText.Size());
    FExchange.Begin(doc, par, last - par + 1, Story, std::move(made), range);
    FRange.StartPos = start;
    FRange.EndPos = end;
}

TTypedCharOperation::TTypedCharOperation(TDocument* document, const TTextPos& pos, uint8_t character)
    : TTextStep(document), FParagraph(pos.ParIndex), FOffset(pos.Offset), FCharacter(character)
{
    Flags = idSinglePosition | (character == ' ' ? idSingleSpace : 0);
}

int64_t TTypedCharOperation::GetMemorySize() const
{
    return sizeof(*this);
}

TTextRange TTypedCharOperation::Range() const
{
    return TextRangeOf(TextPosAt(FParagraph, FOffset), TextPosAt(FParagraph, FOffset + 1));
}

void TTypedCharOperation::Undo(TChangedRange& range)
{
    range = EmptyChangedRange();
    TDocument& doc = *Document;
    if (FParagraph < 0 || FParagraph >= doc.ParagraphCount())
        throw EInternalError("Erreur interne : le paragraphe de la saisie n'existe plus.");
    TParagraph& p = *doc.Paragraphs[size_t(FParagraph)];
    if (!p.GetNormalized())
        p.NormalizeTags();
    if (!TextInDocument())
        FOffset = std::clamp(FOffset, 0, std::max(p.PlainText.Size() - 1, 0));
    const uint8_t* s = p.Text.Data();
    const int32_t size = p.Text.Size();
    // The character goes in after the field marks that directly follow its position; taken out, it is
    // the first plain byte after the position's tags.
    int32_t at = ByteAfterPosition(s, size, FOffset);
    while (size - at >= InlineTagSize && s[at] == 0 &&
           (TextInDocument() ? !IsRunEndingTag(TagCode(s + at)) : IsFieldMark(TagCode(s + at))))
        at += InlineTagSize;
    if (TextInDocument() && (at >= size || s[at] != FCharacter))
        throw EInternalError("Erreur interne : le caractère saisi n'est plus à sa place.");
    const int32_t lineHint = p.LineCount() > 0 ? p.LineAtOffset(FOffset, 0, 0) : 0;
    if (TextInDocument())
        p.Text.Delete(at, 1);
    else
        p.Text.Insert(&FCharacter, at, 1);
    p.UpdatePlainText();
    doc.ReformatingManager->ReformatParagraph(FParagraph, lineHint, range);
    Flags ^= idTextInDocument;
    // Marks after the character moved.
    doc.FieldRescanFirst = UndefinedField;
    doc.FieldRescanLast = UndefinedField;
    doc.SetModeFlag(mfFieldsDirty, true);
    doc.SetModeFlag(mfFieldsNeedSorting, true);
}

TReplaceParagraphsOperation::TReplaceParagraphsOperation(TDocument* document, int32_t first, int32_t count,
                                                         int story,
                                                         std::vector<std::unique_ptr<TParagraph>> made)
    : TSubOperation(document), FFirst(first), FCount(count), FStory(story), FMade(std::move(made))
{}

TReplaceParagraphsOperation::~TReplaceParagraphsOperation() = default;

int64_t TReplaceParagraphsOperation::GetMemorySize() const
{
    return int64_t(sizeof(*this)) - int64_t(sizeof(TParagraphExchange)) + FExchange.GetMemorySize();
}

void TReplaceParagraphsOperation::Undo(TChangedRange& range)
{
    if (FApplied) {
        FExchange.Exchange(*Document, range);
        return;
    }
    FApplied = true;
    FExchange.Begin(*Document, FFirst, FCount, FStory, std::move(FMade), range);
    FMade.clear();
}
