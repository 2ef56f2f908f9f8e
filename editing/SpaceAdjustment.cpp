// The spaces at the ends of an insertion made to fit what stands beside them: one separating space
// between two words, none between a word and the punctuation that clings to it.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "core/FormatRecords.h"
#include "core/TextUtils.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "editing/Builders.h"
#include "editing/OperationManager.h"
#include "editing/ParagraphExchange.h"

namespace {

// Other symbols (dashes, slashes, angle brackets...): the spaces beside them are left as they are.
enum TJoinClass { jcSpace, jcOpening, jcClosing, jcOther, jcSymbol };

// Characters that cling to what follows them, and to what precedes them.
const char* const OpeningChars = "([{\xAB\xBF\xA1\x91\x93";
const char* const ClosingChars = ".,;:!?)]}\xBB%\x85\x92\x94";

uint8_t PlainAt(const TDocument& doc, int32_t par, int32_t offset)
{
    const TMemory& plain = doc.Paragraphs[size_t(par)]->PlainText;
    return offset >= 0 && offset < plain.Size() ? plain.Data()[offset] : 0;
}

bool IsQuote(uint8_t c)
{
    return c == '"' || c == '\'';
}

bool IsIn(const char* set, uint8_t c)
{
    return c != 0 && std::strchr(set, char(c)) != nullptr;
}

// The class of the character at Offset; a straight quote opens after a space, a line break, the start
// of the paragraph, an opening character or another quote, and closes elsewhere.
TJoinClass ClassAt(const TDocument& doc, int32_t par, int32_t offset)
{
    const int32_t last = doc.ParagraphLength(par) - 1;
    if (offset < 0)
        return jcOpening;
    if (offset >= last)
        return jcClosing;
    const uint8_t c = PlainAt(doc, par, offset);
    if (c == ' ' || c == scLineBreak)
        return jcSpace;
    if (IsQuote(c)) {
        const TJoinClass before = ClassAt(doc, par, offset - 1);
        const uint8_t previous = PlainAt(doc, par, offset - 1);
        return before == jcSpace || before == jcOpening || IsQuote(previous) ? jcOpening : jcClosing;
    }
    if (IsIn(OpeningChars, c))
        return jcOpening;
    if (IsIn(ClosingChars, c))
        return jcClosing;
    return IsAlphaNumChar(DefaultLanguage, char(c)) ? jcOther : jcSymbol;
}

bool IsDigitAt(const TDocument& doc, int32_t par, int32_t offset)
{
    return offset >= 0 && std::isdigit(PlainAt(doc, par, offset));
}

bool IsDecimalSeparatorAt(const TDocument& doc, int32_t par, int32_t offset)
{
    const uint8_t c = PlainAt(doc, par, offset);
    return (c == ',' || c == '.') && IsDigitAt(doc, par, offset - 1) && IsDigitAt(doc, par, offset + 1);
}

// Whether a field's start or end mark stands among the tags between positions From and To of a
// paragraph (the tags that lead the character at To included).
bool FieldMarkBetween(const TDocument& doc, int32_t par, int32_t from, int32_t to)
{
    const TMemory& text = doc.Paragraphs[size_t(par)]->Text;
    const int32_t start = ByteAfterPosition(text.Data(), text.Size(), from);
    int32_t end = ByteAfterPosition(text.Data(), text.Size(), to);
    while (text.Size() - end >= InlineTagSize && text.Data()[end] == 0 &&
           !IsRunEndingTag(TagCode(text.Data() + end)))
        end += InlineTagSize;
    bool found = false;
    ForEachTag(text.Data(), start, end, [&](int32_t, int code, int32_t) {
        found = found || IsFieldMark(code);
        return !found;
    });
    return found;
}

} // namespace

TSpaceAdjustment AdjustSpacesAtJoin(TDocument& doc, const TTextPos& join, TChangedRange& range,
                                    TOperation* operation)
{
    TSpaceAdjustment result;
    const int32_t par = std::clamp(join.ParIndex, 0, doc.ParagraphCount() - 1);
    const int32_t offset = std::clamp(join.Offset, 0, doc.ParagraphLength(par) - 1);
    int32_t left = 0, right = 0;
    while (offset - left - 1 >= 0 && PlainAt(doc, par, offset - left - 1) == ' ')
        ++left;
    while (offset + right < doc.ParagraphLength(par) - 1 && PlainAt(doc, par, offset + right) == ' ')
        ++right;
    const TJoinClass before = ClassAt(doc, par, offset - left - 1);
    const TJoinClass after = ClassAt(doc, par, offset + right);
    if (before == jcSymbol || after == jcSymbol)
        return result;
    const bool decimal =
        IsDecimalSeparatorAt(doc, par, offset - left - 1) || IsDecimalSeparatorAt(doc, par, offset + right);
    const bool needed = (before == jcClosing || before == jcOther) &&
                        (after == jcOpening || after == jcOther) && before != jcSpace && after != jcSpace &&
                        !decimal;
    TChangedRange one;
    if (needed && left + right == 0) {
        if (FieldMarkBetween(doc, par, offset, offset))
            return result;
        TMemory space;
        space.AppendByte(' ');
        InsertDeleteText(doc, space, TextPosAt(par, offset), one, operation, 0, doc.StoryOfParagraph(par), 0);
        doc.ChangedRanges->UnionChangedRange(range, one);
        result.Added = true;
        return result;
    }
    // The spaces beside the join, but one when a space is needed (the left one when there is one).
    int32_t from = offset - left, to = offset + right;
    if (needed && left > 0)
        ++from;
    else if (needed)
        --to;
    if (to <= from || FieldMarkBetween(doc, par, from, to))
        return result;
    DeleteRange(doc, TextPosAt(par, from), TextPosAt(par, to), one, operation, ioNoCleanup);
    doc.ChangedRanges->UnionChangedRange(range, one);
    result.RemovedBefore = std::max(offset - from, 0);
    result.RemovedAfter = std::max(to - std::max(from, offset), 0);
    return result;
}
