// Words, links, tokens and sentences around a position, and the steps from word to word.
#include <algorithm>
#include <string>

#include "classlib/runtime/StringList.h"
#include "core/CharClasses.h"
#include "core/Options.h"
#include "core/PathUtils.h"
#include "core/TextUtils.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/TextAccess.h"

namespace {

constexpr int32_t SpanishLanguage = 10;

TTextPiece Piece(int32_t par, int32_t offset, int32_t length)
{
    TTextPiece piece{};
    MakeTextPos(par, offset, piece.Pos);
    piece.Length = length;
    return piece;
}

bool Sep(uint8_t c)
{
    return IsCharClass(c, ccSeparator);
}
bool WordRun(uint8_t c)
{
    return IsCharClass(c, ccWordRun);
}
bool Stop(uint8_t c)
{
    return IsCharClass(c, ccStop);
}
bool Quote(uint8_t c)
{
    return IsCharClass(c, ccQuote);
}
bool SentenceSpace(uint8_t c)
{
    return IsCharClass(c, ccSentenceSpace);
}
bool SentenceEnd(uint8_t c)
{
    return IsCharClass(c, ccSentenceEnd);
}

bool IsDigit(uint8_t c)
{
    return c >= '0' && c <= '9';
}

// Alphabetic, by the system's test for the default language.
bool IsAlpha(uint8_t c)
{
    return !IsDigit(c) && IsAlphaNumChar(DefaultLanguage, static_cast<char>(c));
}

bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    size_t i = 0;
    for (; prefix[i]; ++i)
        if (i >= text.size() ||
            AsciiLowerCase[static_cast<uint8_t>(text[i])] != static_cast<uint8_t>(prefix[i]))
            return false;
    return true;
}

// A "." followed by two letters.
bool HasDomainDot(const std::string& text)
{
    for (size_t i = 0; i + 2 < text.size(); ++i)
        if (text[i] == '.' && IsAlpha(static_cast<uint8_t>(text[i + 1])) &&
            IsAlpha(static_cast<uint8_t>(text[i + 2])))
            return true;
    return false;
}

// Changes the flags of some characters for the length of a scope.
class TCharClassScope {
public:
    TCharClassScope() { std::copy(std::begin(CharClasses), std::end(CharClasses), Saved); }
    ~TCharClassScope() { std::copy(std::begin(Saved), std::end(Saved), CharClasses); }
    TCharClassScope(const TCharClassScope&) = delete;
    TCharClassScope& operator=(const TCharClassScope&) = delete;
    void Clear(int from, int to, TCharClass cls)
    {
        for (int c = from; c <= to; ++c)
            CharClasses[c] = static_cast<uint16_t>(CharClasses[c] & ~cls);
    }

private:
    uint16_t Saved[256];
};

// Holds the link-detection setting at a value for the length of a scope.
class TLinkDetectionScope {
public:
    explicit TLinkDetectionScope(bool on) : Saved(CurrentOptions().Edit.TreatURLsAsWords)
    {
        CurrentOptions().Edit.TreatURLsAsWords = on;
    }
    ~TLinkDetectionScope() { CurrentOptions().Edit.TreatURLsAsWords = Saved; }
    TLinkDetectionScope(const TLinkDetectionScope&) = delete;
    TLinkDetectionScope& operator=(const TLinkDetectionScope&) = delete;

private:
    bool Saved;
};

// Widens a place of a paragraph's plain text (Size bytes, the end mark last) over the characters that
// Inside accepts: to the right up to, not over, the end mark, and to the left. Offset receives the
// place clamped to the text; false for an empty text.
template<class P>
bool GrowOver(const uint8_t* p, int32_t size, int32_t place, P inside, int32_t& offset, int32_t& start,
              int32_t& end)
{
    if (size == 0)
        return false;
    const int32_t last = size - 1;
    offset = std::clamp(place, 0, last);
    end = offset;
    while (end < last && inside(p[end]))
        ++end;
    start = offset;
    while (start > 0 && inside(p[start - 1]))
        --start;
    return true;
}

bool LinkDetection()
{
    return CurrentOptions().Edit.TreatURLsAsWords;
}

} // namespace

const uint8_t* TDocument::PlainOf(int32_t paragraph, int32_t& size) const
{
    if (paragraph < 0 || paragraph >= ParagraphCount()) {
        size = 0;
        return nullptr;
    }
    const TMemory& plain = Paragraphs[static_cast<size_t>(paragraph)]->PlainText;
    size = plain.Size();
    return plain.Data();
}

bool TDocument::IsLetterAt(int32_t paragraph, int32_t offset)
{
    int32_t size;
    const uint8_t* p = PlainOf(paragraph, size);
    if (offset < 0 || offset >= size)
        return false;
    const uint8_t c = p[offset];
    if (c < 128)
        return IsAlphaNumChar(DefaultLanguage, static_cast<char>(c));
    return IsAlphaNumChar(GetLanguageAt(paragraph, offset), static_cast<char>(c));
}

TTextPiece TDocument::GetWordAt(const TTextPos& pos)
{
    if (LinkDetection()) {
        const TTextPiece link = GetLinkAt(pos);
        if (link.Length > 0)
            return link;
    }
    int32_t size, offset, start, end;
    const uint8_t* p = PlainOf(pos.ParIndex, size);
    if (!GrowOver(
            p, size, pos.Offset, [](uint8_t c) { return !Sep(c); }, offset, start, end))
        return Piece(pos.ParIndex, pos.Offset, 0);
    while (start < end && p[start] >= 128 && !IsLetterAt(pos.ParIndex, start))
        ++start;
    if (start > offset)
        return Piece(pos.ParIndex, pos.Offset, 0);
    return Piece(pos.ParIndex, start, end - start);
}

TTextPiece TDocument::GetLinkAt(const TTextPos& pos)
{
    int32_t size, offset, start, end;
    const uint8_t* p = PlainOf(pos.ParIndex, size);
    if (!GrowOver(
            p, size, pos.Offset, [](uint8_t c) { return IsCharClass(c, ccLinkChar); }, offset, start, end))
        return Piece(pos.ParIndex, pos.Offset, 0);
    while (end > start && IsCharClass(p[end - 1], ccLinkTrail))
        --end;
    while (start < end && IsCharClass(p[start], ccLinkTrail))
        ++start;
    if (start > offset || offset > end || start == end)
        return Piece(pos.ParIndex, pos.Offset, 0);
    const std::string text = GetText(TextPosAt(pos.ParIndex, start), end - start);
    if ((HasDomainDot(text) && IsLinkLikeText(text)) || StartsWithNoCase(text, "file://"))
        return Piece(pos.ParIndex, start, end - start);
    return Piece(pos.ParIndex, pos.Offset, 0);
}

TTextPiece TDocument::GetTokenLinkAt(const TTextPos& pos)
{
    TTextPiece token;
    {
        // The whole token between blanks, breaks and control codes.
        TCharClassScope classes;
        classes.Clear(33, 255, ccSeparator);
        TLinkDetectionScope links(false);
        token = GetWordAt(pos);
    }
    int32_t size;
    const uint8_t* p = PlainOf(pos.ParIndex, size);
    int32_t start = token.Pos.Offset, end = start + token.Length;
    while (end > start && IsCharClass(p[end - 1], ccTokenTrim))
        --end;
    while (start < end && IsCharClass(p[start], ccTokenTrim))
        ++start;
    if (end > start && start <= pos.Offset && pos.Offset <= end &&
        IsFilePathText(GetText(TextPosAt(pos.ParIndex, start), end - start)))
        return Piece(pos.ParIndex, start, end - start);
    return Piece(pos.ParIndex, pos.Offset, 0);
}

TTextPiece TDocument::DetectLinkAt(const TTextPos& pos)
{
    const TTextPiece link = GetLinkAt(pos);
    return link.Length > 0 ? link : GetTokenLinkAt(pos);
}

TTextPiece TDocument::GetWordOrLinkAt(const TTextPos& pos)
{
    const TTextPiece link = DetectLinkAt(pos);
    return link.Length > 0 ? link : GetWordAt(pos);
}

TTextPos TDocument::PrevWordPos(const TTextPos& pos)
{
    const int32_t par = pos.ParIndex;
    int32_t size;
    const uint8_t* p = PlainOf(par, size);
    if (size == 0)
        return pos;
    int32_t offset = std::clamp(pos.Offset, 0, size);
    if (offset == 0) {
        const TTextRange story = GetStoryRange();
        if (par <= story.StartPos.ParIndex || par - 1 >= ParagraphCount())
            return pos;
        int32_t previousSize;
        PlainOf(par - 1, previousSize);
        return TextPosAt(par - 1, std::max(previousSize - 1, 0));
    }
    const int32_t from = offset;
    --offset;
    while (offset > 0 && p[offset] == ' ')
        --offset;
    const int32_t runFrom = offset;
    bool stopped = false;
    while (offset > 0 && WordRun(p[offset]) && WordRun(p[offset - 1])) {
        --offset;
        if (Stop(p[offset])) {
            stopped = true;
            break;
        }
    }
    if (offset == runFrom && !stopped)
        while (offset > 0 && !Sep(p[offset]) && IsLetterAt(par, offset - 1))
            --offset;
    if (from - offset > 1 && offset + 1 < size && Sep(p[offset]) && !Sep(p[offset + 1]))
        ++offset;
    if (LinkDetection()) {
        const TTextPiece link = GetLinkAt(TextPosAt(par, offset));
        if (link.Length > 0 && link.Pos.Offset < offset)
            offset = link.Pos.Offset;
    }
    return TextPosAt(par, offset);
}

TTextPos TDocument::NextWordPos(const TTextPos& pos)
{
    int32_t par = pos.ParIndex;
    int32_t size;
    const uint8_t* p = PlainOf(par, size);
    if (size == 0)
        return pos;
    const int32_t storyLast = GetStoryRange().EndPos.ParIndex;
    int32_t offset = std::max(pos.Offset, 0);
    if (par >= storyLast && offset >= size)
        return pos;
    if (offset == size - 1)
        return par >= storyLast ? TextPosAt(par, size) : TextPosAt(par + 1, 0);
    if (offset >= size) {
        ++par;
        offset = 0;
        p = PlainOf(par, size);
        if (size == 0)
            return TextPosAt(par, 0);
    }
    const int32_t last = size - 1;
    const int32_t start = offset;
    while (offset < last && !Sep(p[offset])) {
        ++offset;
        if (!IsLetterAt(par, offset - 1))
            break;
    }
    if (offset == start) {
        while (offset < last && WordRun(p[offset])) {
            if (Stop(p[offset])) {
                if (offset == start)
                    ++offset;
                break;
            }
            ++offset;
        }
    }
    while (offset < last && p[offset] == ' ')
        ++offset;
    if (LinkDetection()) {
        const TTextPiece link = GetLinkAt(pos);
        if (link.Length > 0 && link.Pos.ParIndex == par && link.Pos.Offset + link.Length > offset) {
            TLinkDetectionScope links(false);
            return NextWordPos(TextPosAt(par, link.Pos.Offset + link.Length - 1));
        }
    }
    return TextPosAt(par, offset);
}

bool TDocument::IsListLabelAt(const TTextPos& pos)
{
    int32_t size;
    const uint8_t* p = PlainOf(pos.ParIndex, size);
    if (size == 0)
        return false;
    TTextPiece word;
    {
        TLinkDetectionScope links(false);
        word = GetWordAt(pos);
    }
    const int32_t start = word.Pos.Offset, end = start + word.Length;
    if (word.Length == 0 || end >= size)
        return false;
    if (start > 0 && !IsCharClass(p[start - 1], ccStop))
        return false;
    if (!IsCharClass(p[end], ccListLabelEnd))
        return false;
    const std::string text(reinterpret_cast<const char*>(p) + start, static_cast<size_t>(word.Length));
    if (text.size() == 1 && IsAlpha(static_cast<uint8_t>(text[0])))
        return true;
    if (std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(static_cast<uint8_t>(c)); }))
        return true;
    return RomanToIntDef(text, 0) > 0;
}

bool TDocument::IsDottedAbbreviationAt(const TTextPos& pos)
{
    TTextPiece word;
    {
        TCharClassScope classes;
        classes.Clear('.', '.', ccSeparator);
        classes.Clear('-', '-', ccSeparator);
        TLinkDetectionScope links(false);
        word = GetWordAt(pos);
    }
    const std::string text = GetText(word.Pos, word.Length);
    if (text.size() < 2 || text.back() != '.')
        return false;
    for (size_t i = 0; i < text.size(); i += 2) {
        const uint8_t c = static_cast<uint8_t>(text[i]);
        const std::string one(1, static_cast<char>(c));
        if (!IsAlpha(c) || UpperCaseLocale(DefaultLanguage, one) != one)
            return false;
        if (i + 1 >= text.size() || (text[i + 1] != '.' && text[i + 1] != '-'))
            return false;
    }
    return true;
}

bool TDocument::IsWholeWordRange(const TTextRange& range)
{
    if (IsRangeEmpty(range) || IsSingleObjectRange(range))
        return false;
    auto atEdge = [&](const TTextPos& pos, bool isStart) {
        int32_t size;
        const uint8_t* p = PlainOf(pos.ParIndex, size);
        if (pos.Offset <= 0 || pos.Offset >= size - 1)
            return true;
        const bool before = Sep(p[pos.Offset - 1]), after = Sep(p[pos.Offset]);
        return isStart ? before && !after : !before && after;
    };
    return atEdge(range.StartPos, true) && atEdge(range.EndPos, false);
}

bool TDocument::IsSentenceStart(const TTextPos& pos)
{
    const int32_t par = pos.ParIndex;
    int32_t size;
    const uint8_t* p = PlainOf(par, size);
    if (size == 0)
        return true;
    int32_t offset = std::clamp(pos.Offset, 0, size - 1);
    auto isSpanish = [&](int32_t at) { return (GetLanguageAt(par, at) & 0x3FF) == SpanishLanguage; };
    while (offset > 0 &&
           (Quote(p[offset - 1]) || (IsCharClass(p[offset - 1], ccSpanishOpening) && isSpanish(offset - 1))))
        --offset;
    if (offset == 0)
        return true;
    if (!SentenceSpace(p[offset - 1]))
        return false;
    while (offset > 0 && (SentenceSpace(p[offset - 1]) || Quote(p[offset - 1])))
        --offset;
    if (offset == 0)
        return true;
    const TTextPos previous = PrevWordPos(TextPosAt(par, offset));
    if (previous.ParIndex != par || previous.Offset == offset)
        return true;
    const TTextPiece word = GetWordAt(previous);
    int32_t end = word.Pos.Offset + word.Length;
    while (end < size - 1 && !SentenceSpace(p[end]) && !SentenceEnd(p[end]))
        ++end;
    const int32_t punctuation = end;
    while (end < size - 1 && SentenceEnd(p[end]))
        ++end;
    if (end == word.Pos.Offset)
        return true;
    const uint8_t before = p[offset - 1];
    const bool ellipsis =
        end - punctuation >= 3 && p[end - 1] == '.' && p[end - 2] == '.' && p[end - 3] == '.';
    if (SentenceEnd(before) && !ellipsis) {
        const std::string text = GetText(word.Pos, end - word.Pos.Offset);
        const TStringList* abbreviations =
            AbbreviationList ? AbbreviationList(GetLanguageAt(par, word.Pos.Offset)) : nullptr;
        bool listed = false;
        if (abbreviations)
            for (int i = 0; i < abbreviations->Count() && !listed; ++i)
                listed = (*abbreviations)[i] == text;
        if (!listed)
            return true;
    }
    return IsListLabelAt(word.Pos);
}

TTextRange TDocument::GetSentenceRange(const TTextPos& pos)
{
    const int32_t par = pos.ParIndex;
    int32_t size;
    const uint8_t* p = PlainOf(par, size);
    TTextRange range{};
    range.StartPos = TextPosAt(par, 0);
    range.EndPos = TextPosAt(par, 0);
    if (size == 0)
        return range;
    const int32_t last = size - 1;
    TTextPiece word = GetWordAt(pos);
    if (word.Length == 0) {
        const TTextPos next = NextWordPos(pos);
        if (next.ParIndex == par && next.Offset < last)
            word = GetWordAt(next);
        if (word.Length == 0)
            word = Piece(par, std::max(0, last - 1), 0);
    }
    int32_t start = word.Pos.Offset, end = start + word.Length;
    while (start > 0 && !IsSentenceStart(TextPosAt(par, start))) {
        const TTextPos previous = PrevWordPos(TextPosAt(par, start));
        if (previous.ParIndex != par || previous.Offset >= start)
            break;
        start = previous.Offset;
    }
    if (start > 0) {
        // A list label just before the sentence belongs to it.
        int32_t label = start - 1;
        while (label > 0 && p[label] == ' ')
            --label;
        if (label > 0 && IsCharClass(p[label], ccListLabelEnd)) {
            const TTextPiece before = GetWordAt(TextPosAt(par, label - 1));
            if (before.Length > 0 && IsListLabelAt(before.Pos))
                start = before.Pos.Offset;
        }
    }
    end = std::max(end, start + 1);
    auto isOpening = [&](int32_t at) {
        return Quote(p[at]) ||
               (IsCharClass(p[at], ccSpanishOpening) && (GetLanguageAt(par, at) & 0x3FF) == SpanishLanguage);
    };
    while (start > 0 && isOpening(start - 1))
        --start;
    while (end < last && isOpening(end - 1))
        ++end;
    while (end < last && !IsSentenceStart(TextPosAt(par, end))) {
        const TTextPos next = NextWordPos(TextPosAt(par, end));
        if (next.ParIndex != par || next.Offset <= end) {
            end = last;
            break;
        }
        end = std::min(next.Offset, last);
    }
    while (end > start && IsCharClass(p[end - 1], ccSentenceSpace))
        --end;
    range.StartPos = TextPosAt(par, start);
    range.EndPos = TextPosAt(par, end);
    return range;
}
