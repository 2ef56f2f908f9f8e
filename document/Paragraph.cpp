// The paragraph store: positions in the tagged text, lines, the format pool and snapshots.
#include "document/Paragraph.h"

#include <cstring>

#include "document/InlineTags.h"
#include "document/TagTargets.h"

namespace {

// Ends a format-pool entry.
constexpr uint8_t PoolEntryEnd = 29;
constexpr int32_t PoolItemSize = 5;

int32_t ReadInt32(const uint8_t* p)
{
    return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                                uint32_t(p[3]) << 24);
}

// X / 8 rounded to the nearest integer, halves away from zero.
int32_t DivideBy8Rounded(int32_t x)
{
    const int32_t q = x / 8, r = x % 8;
    if (r >= 4)
        return q + 1;
    if (r <= -4)
        return q - 1;
    return q;
}

} // namespace

TParagraph::TParagraph(TDocument* document) : Document(document), ParaFormat(DefaultParaFormat()) {}

TParagraph::~TParagraph() = default;

bool TParagraph::IsOnPage() const
{
    return FLaidOut && !Lines.empty() && Lines.front()->Page != nullptr;
}

int32_t TParagraph::CharToStreamOffset(int32_t n) const
{
    const int32_t last = PlainText.Size() - 1;
    if (n > last)
        n = last;
    if (n < 0)
        n = 0;
    const uint8_t* s = Text.Data();
    const int32_t size = Text.Size();
    int32_t pos = 0, c = 0;
    while (pos < size) {
        const bool tag = s[pos] == 0;
        if (tag && size - pos < InlineTagSize)
            break;
        if (tag && IsZeroWidthTag(TagCode(s + pos))) {
            pos += InlineTagSize;
            continue;
        }
        if (c == n)
            break;
        if (tag) {
            pos += InlineTagSize;
            ++c;
        } else {
            const int32_t run = PlainRunLength(s + pos, size - pos);
            const int32_t step = run < n - c ? run : n - c;
            pos += step;
            c += step;
        }
    }
    return pos;
}

int32_t TParagraph::LineAtOffset(int32_t offset, int32_t hint, int32_t flags) const
{
    if (Lines.empty())
        return 0;
    int32_t lo = 0, hi = LineCount() - 1, line = 0;
    while (lo <= hi) {
        line = lo + (hi - lo) / 2;
        const TParLine& l = *Lines[line];
        if (offset < l.FirstChar)
            hi = line - 1;
        else if (offset >= l.FirstChar + l.CharCount)
            lo = line + 1;
        else
            break;
    }
    if (line <= hint || line == 0 || offset != Lines[line]->FirstChar)
        return line;
    // A wrap point after the hint line: the end of the previous line, unless that line ends with a
    // forced break and the caller did not ask for the end.
    if (flags & 1)
        return line - 1;
    const TParLine& prev = *Lines[line - 1];
    const int32_t lastChar = prev.FirstChar + prev.CharCount - 1;
    if (prev.CharCount > 0 && lastChar >= 0 && lastChar < PlainText.Size()) {
        const uint8_t code = PlainText.Data()[lastChar];
        if (code >= scColumnBreak && code <= scPageBreak)
            return line;
    }
    return line - 1;
}

int32_t TParagraph::StoreCharFormat(const TCharFormat& format)
{
    const TCharFormat& def = DefaultCharFormat();
    uint8_t entry[CharFormatFieldCount * PoolItemSize + 1];
    int32_t n = 0;
    for (int i = 0; i < CharFormatFieldCount; ++i) {
        if (format[i] == def[i])
            continue;
        const uint32_t v = static_cast<uint32_t>(format[i]);
        entry[n++] = static_cast<uint8_t>(i);
        for (int b = 0; b < 4; ++b)
            entry[n++] = static_cast<uint8_t>(v >> (8 * b));
    }
    if (n == 0)
        return -1;
    entry[n++] = PoolEntryEnd;
    const int32_t offset = FormatPool.Size();
    FormatPool.Append(entry, n);
    return offset;
}

void TParagraph::LoadCharFormat(int32_t poolOffset, TCharFormat& format) const
{
    format = DefaultCharFormat();
    if (poolOffset >= 0) {
        const uint8_t* pool = FormatPool.Data();
        const int32_t size = FormatPool.Size();
        for (int32_t p = poolOffset; p + PoolItemSize <= size && pool[p] < CharFormatFieldCount;
             p += PoolItemSize)
            format[pool[p]] = ReadInt32(pool + p + 1);
    }
    if (format[cfSize] != UndefinedField)
        format[cfSize] = DivideBy8Rounded(format[cfSize]);
}

void TParagraph::GetLeadingCharFormat(TCharFormat& format) const
{
    format = DefaultCharFormat();
    const uint8_t* s = Text.Data();
    const int32_t size = Text.Size();
    for (int32_t pos = 0; size - pos >= InlineTagSize && s[pos] == 0; pos += InlineTagSize) {
        const int code = TagCode(s + pos);
        if (!IsZeroWidthTag(code))
            break;
        if (IsFormatTag(code))
            format[code] = TagValue(s + pos);
    }
}

TSection* TParagraph::GetSection() const
{
    // The last item that is not a field mark, found by a forward walk.
    const uint8_t* s = Text.Data();
    const int32_t size = Text.Size();
    int32_t last = -1;
    for (int32_t pos = 0; pos < size;) {
        if (s[pos] != 0) {
            pos += PlainRunLength(s + pos, size - pos);
            last = -1;
            continue;
        }
        if (size - pos < InlineTagSize)
            return nullptr;
        if (!IsFieldMark(TagCode(s + pos)))
            last = pos;
        pos += InlineTagSize;
    }
    if (last < 0 || TagCode(s + last) != tcSectionBreak)
        return nullptr;
    return static_cast<TSection*>(ResolveTagTarget(TagValue(s + last), TTagTargetKind::Section));
}

void TParagraph::SaveSnapshot(TParagraphSnapshot& snapshot)
{
    snapshot.Text.AssignMemory(Text);
    snapshot.PlainText.AssignMemory(PlainText);
    snapshot.FormatPool.AssignMemory(FormatPool);
    snapshot.Normalized = FNormalized;
    snapshot.LaidOut = FLaidOut;
    snapshot.Lines = std::move(Lines);
    Lines.clear();
    FLaidOut = false;
}

void TParagraph::RestoreSnapshot(TParagraphSnapshot& snapshot)
{
    Text.AssignMemory(snapshot.Text);
    PlainText.AssignMemory(snapshot.PlainText);
    FormatPool.AssignMemory(snapshot.FormatPool);
    Lines = std::move(snapshot.Lines);
    snapshot.Lines.clear();
    FNormalized = snapshot.Normalized;
    FLaidOut = snapshot.LaidOut;
}

void TParagraph::UpdatePlainText()
{
    TMemory plain;
    AppendPlainText(Text.Data(), Text.Size(), plain);
    PlainText.AssignMemory(plain);
}
