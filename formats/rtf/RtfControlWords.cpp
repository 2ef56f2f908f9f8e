// The control-word table and its letter index, the writer's hexadecimal and escaped forms, and the
// counters of character runs.
#include "formats/rtf/RtfControlWords.h"

#include <cstring>

#include "classlib/runtime/Format.h"
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

void BytesToHexPairs(char* destination, const uint8_t* source, int32_t count)
{
    for (int32_t i = 0; i < count; ++i) {
        *destination++ = HexDigit(source[i] >> 4, false);
        *destination++ = HexDigit(source[i], false);
    }
}

void BytesToEscapes(const uint8_t* source, char* destination, int32_t count)
{
    for (int32_t i = 0; i < count; ++i) {
        *destination++ = '\\';
        *destination++ = '\'';
        *destination++ = HexDigit(source[i] >> 4, false);
        *destination++ = HexDigit(source[i], false);
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
