// The control-word table, its letter index and the scanners over control words, hexadecimal pairs,
// escapes and character runs.
#include "formats/rtf/RtfControlWords.h"

#include <cstring>

#include "codecs/CharTables.h"

namespace {

struct TWordEntry {
    std::string_view Name;
    TRtfWordKind Kind;
};

constexpr TWordEntry Words[] = {
#define QP_RTF_ENTRY(name, kind) {#name, TRtfWordKind::kind},
    QP_RTF_WORDS(QP_RTF_ENTRY)
#undef QP_RTF_ENTRY
};
static_assert(std::size(Words) == rwCount);

constexpr bool WordsSorted()
{
    for (size_t i = 1; i < std::size(Words); ++i)
        if (!(Words[i - 1].Name < Words[i].Name))
            return false;
    return true;
}
static_assert(WordsSorted(), "the control words must be in ascending byte order");

constexpr int32_t kParameterLimit = 2147483647;

} // namespace

TControlWords::TControlWords()
{
    for (auto& w : OneLetter)
        w = -1;
    for (int16_t n = 0; n < rwCount; ++n) {
        std::string_view name = Words[n].Name;
        int a = name[0] - 'a';
        if (name.size() == 1) {
            OneLetter[a] = n;
            continue;
        }
        TCell& cell = TwoLetters[a][name[1] - 'a'];
        if (name.size() == 2) {
            cell.Word = n;
        } else {
            if (cell.First < 0)
                cell.First = n;
            cell.Last = n;
        }
    }
}

int TControlWords::FindIndex(std::string_view letters) const
{
    if (letters.empty() || letters.size() > static_cast<size_t>(kMaxControlWordLength))
        return -1;
    auto letterIndex = [](char c) { return static_cast<unsigned>(c - 'a'); };
    unsigned a = letterIndex(letters[0]);
    if (a >= 26)
        return -1;
    if (letters.size() == 1)
        return OneLetter[a];
    unsigned b = letterIndex(letters[1]);
    if (b >= 26)
        return -1;
    const TCell& cell = TwoLetters[a][b];
    if (letters.size() == 2)
        return cell.Word;
    if (cell.First < 0 || cell.Last < cell.First)
        return -1;
    std::string_view rest = letters.substr(2);
    int low = cell.First, high = cell.Last;
    while (low <= high) {
        int mid = (low + high) / 2;
        int order = Words[mid].Name.substr(2).compare(rest);
        if (order == 0)
            return mid;
        if (order < 0)
            low = mid + 1;
        else
            high = mid - 1;
    }
    return -1;
}

std::string_view TControlWords::NameOf(int number)
{
    return number >= 0 && number < rwCount ? Words[number].Name : std::string_view();
}

TRtfWordKind TControlWords::KindOf(int number)
{
    return number >= 0 && number < rwCount ? Words[number].Kind : TRtfWordKind::Flag;
}

const TControlWords& ControlWords()
{
    static const TControlWords table;
    return table;
}

bool IsDestinationMarker(const char* p, const char* end)
{
    return end - p >= 3 && p[1] == '\\' && p[2] == '*';
}

bool IsControlWordStart(const char* p, const char* end)
{
    return end - p >= 2 && p[0] == '\\' && LetterTable[static_cast<uint8_t>(p[1])] != 0;
}

void ParseControlWord(char* p, const char* end, TRtfWordRecord& word)
{
    word.Start = p;
    char* q = p;
    while (q < end) {
        uint8_t lower = LetterTable[static_cast<uint8_t>(*q)];
        if (!lower)
            break;
        *q++ = static_cast<char>(lower);
    }
    word.Letters = static_cast<int32_t>(q - p);
    if (q < end && *q == ' ') {
        word.Length = word.Letters + 1;
        return;
    }
    // An optional minus sign and digits, as the format writes them.
    const char* r = q;
    if (r < end && *r == '-' && r + 1 < end && IsDigitChar(static_cast<uint8_t>(r[1])))
        ++r;
    while (r < end && IsDigitChar(static_cast<uint8_t>(*r)))
        ++r;
    if (r == q + 1 && *q == '-')
        r = q; // a lone minus is no parameter
    word.Length = static_cast<int32_t>(r - p);
    if (r < end && *r == ' ')
        ++word.Length;
}

int32_t ParameterLength(const TRtfWordRecord& word)
{
    int32_t length = word.Length;
    if (length > word.Letters && word.Start[length - 1] == ' ')
        --length;
    return length - word.Letters;
}

int32_t ParameterValue(const TRtfWordRecord& word)
{
    const char* p = word.Start + word.Letters;
    const char* end = p + ParameterLength(word);
    bool negative = p < end && *p == '-';
    if (negative)
        ++p;
    int64_t value = 0;
    for (; p < end; ++p) {
        value = value * 10 + (*p - '0');
        if (value > kParameterLimit)
            value = kParameterLimit;
    }
    return static_cast<int32_t>(negative ? -value : value);
}

int32_t ParameterOr1(const TRtfWordRecord& word)
{
    return ParameterLength(word) > 0 ? ParameterValue(word) : 1;
}

int32_t HexPairsToBytes(const char*& source, const char* end, uint8_t* destination, int32_t maximum)
{
    int32_t count = 0;
    while (count < maximum && end - source >= 2) {
        uint8_t high = HexValueTable[static_cast<uint8_t>(source[0])];
        uint8_t low = HexValueTable[static_cast<uint8_t>(source[1])];
        if (high > 15 || low > 15)
            break;
        destination[count++] = static_cast<uint8_t>(high << 4 | low);
        source += 2;
    }
    return count;
}

void BytesToHexPairs(char* destination, const uint8_t* source, int32_t count)
{
    for (int32_t i = 0; i < count; ++i) {
        *destination++ = LowerHexDigits[source[i] >> 4];
        *destination++ = LowerHexDigits[source[i] & 15];
    }
}

int32_t EscapesToBytes(char* buffer, int32_t length)
{
    const char* p = buffer;
    char* out = buffer;
    while (length >= 4 && p[0] == '\\' && p[1] == '\'') {
        uint8_t high = HexValueTable[static_cast<uint8_t>(p[2])];
        uint8_t low = HexValueTable[static_cast<uint8_t>(p[3])];
        if (high > 15 || low > 15)
            break;
        *out++ = static_cast<char>(high << 4 | low);
        p += 4;
        length -= 4;
    }
    return length;
}

void BytesToEscapes(const uint8_t* source, char* destination, int32_t count)
{
    for (int32_t i = 0; i < count; ++i) {
        *destination++ = '\\';
        *destination++ = '\'';
        *destination++ = LowerHexDigits[source[i] >> 4];
        *destination++ = LowerHexDigits[source[i] & 15];
    }
}

int32_t CountAsciiRun(const uint8_t* p, int32_t maximum)
{
    int32_t n = 0;
    while (n < maximum && CharClassTable[p[n]] == 1)
        ++n;
    return n;
}

int32_t CountHighRun(const uint8_t* p, int32_t maximum)
{
    int32_t n = 0;
    while (n < maximum && CharClassTable[p[n]] == 3)
        ++n;
    return n;
}

int32_t CountPlainTextRun(const uint8_t* p, int32_t maximum)
{
    int32_t n = 0;
    while (n < maximum && PlainTextTable[p[n]])
        ++n;
    return n;
}
