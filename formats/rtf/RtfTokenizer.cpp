// Tokenizing Rich Text Format: every byte is looked at through the input's bounds, so no file, however
// damaged, makes it read past the data.
#include "formats/rtf/RtfTokenizer.h"

#include <algorithm>

#include "codecs/CharTables.h"

namespace {
constexpr int32_t kParameterLimit = 2147483647;
}

const TRtfToken& TRtfTokenizer::Next()
{
    if (PendingBinary > 0)
        ReadBinary(nullptr);
    Token = TRtfToken();
    if (Failure != TRtfError::None)
        return Token;
    for (;;) {
        if (!In.Ensure(1))
            return Token;
        uint8_t c = In.Buffer[In.Pos];
        switch (c) {
        case '{':
            ++In.Pos;
            if (GroupDepth >= kMaxGroupDepth) {
                Failure = TRtfError::GroupTooDeep;
                return Token;
            }
            ++GroupDepth;
            Token.Kind = TRtfTokenKind::GroupStart;
            return Token;
        case '}':
            ++In.Pos;
            if (GroupDepth > 0)
                --GroupDepth;
            Token.Kind = TRtfTokenKind::GroupEnd;
            return Token;
        case '\\':
            ReadControl();
            if (Token.Kind != TRtfTokenKind::End)
                return Token;
            continue; // an escape that gave nothing
        case '\r':
        case '\n': ++In.Pos; continue;
        default: {
            const uint8_t* p = In.Buffer.data() + In.Pos;
            int32_t n = 1;
            int32_t limit = In.Filled - In.Pos;
            while (n < limit) {
                uint8_t d = p[n];
                if (d == '\\' || d == '{' || d == '}' || d == '\r' || d == '\n')
                    break;
                ++n;
            }
            In.Pos += n;
            Token.Kind = TRtfTokenKind::Text;
            Token.Text = p;
            Token.Length = n;
            return Token;
        }
        }
    }
}

void TRtfTokenizer::ReadControl()
{
    ++In.Pos; // the backslash
    if (!In.Ensure(1))
        return;
    uint8_t c = In.Buffer[In.Pos];
    if (LetterTable[c]) {
        ReadWord();
        return;
    }
    ++In.Pos;
    if (c == '\'') {
        // Two hexadecimal digits, each checked; a broken escape gives nothing and its characters are
        // read as what they are.
        if (!In.Ensure(2)) {
            if (In.Ensure(1) && HexValueTable[In.Buffer[In.Pos]] <= 15)
                ++In.Pos;
            return;
        }
        uint8_t high = HexValueTable[In.Buffer[In.Pos]];
        uint8_t low = HexValueTable[In.Buffer[In.Pos + 1]];
        if (high > 15)
            return;
        if (low > 15) {
            ++In.Pos;
            return;
        }
        In.Pos += 2;
        Token.Kind = TRtfTokenKind::Byte;
        Token.Char = static_cast<uint8_t>(high << 4 | low);
        return;
    }
    Token.Kind = TRtfTokenKind::Symbol;
    Token.Char = c == '\r' ? '\n' : c;
}

void TRtfTokenizer::ReadWord()
{
    char letters[kMaxControlWordLength];
    int count = 0;
    bool tooLong = false;
    while (In.Ensure(1)) {
        uint8_t lower = LetterTable[In.Buffer[In.Pos]];
        if (!lower)
            break;
        if (count < kMaxControlWordLength)
            letters[count++] = static_cast<char>(lower);
        else
            tooLong = true;
        ++In.Pos;
    }
    // The parameter: an optional minus sign and digits; the value saturates instead of overflowing.
    bool negative = false;
    if (In.Ensure(2) && In.Buffer[In.Pos] == '-' && IsDigitChar(In.Buffer[In.Pos + 1])) {
        negative = true;
        ++In.Pos;
    }
    int64_t value = 0;
    bool hasParam = false;
    while (In.Ensure(1) && IsDigitChar(In.Buffer[In.Pos])) {
        value = std::min<int64_t>(value * 10 + (In.Buffer[In.Pos] - '0'), kParameterLimit);
        hasParam = true;
        ++In.Pos;
    }
    if (In.Ensure(1) && In.Buffer[In.Pos] == ' ')
        ++In.Pos;

    Token.Word =
        tooLong ? -1 : static_cast<int16_t>(ControlWords().FindIndex(std::string_view(letters, count)));
    Token.HasParam = hasParam;
    Token.Param = static_cast<int32_t>(negative ? -value : value);
    if (Token.Word == rw_bin) {
        Token.Kind = TRtfTokenKind::Binary;
        if (Token.Param < 0)
            Token.Param = 0;
        PendingBinary = Token.Param;
        return;
    }
    Token.Kind = TRtfTokenKind::Word;
}

void TRtfTokenizer::ReadBinary(std::vector<uint8_t>* into)
{
    while (PendingBinary > 0 && In.Ensure(1)) {
        int32_t n = static_cast<int32_t>(std::min<int64_t>(PendingBinary, In.Filled - In.Pos));
        if (into)
            into->insert(into->end(), In.Buffer.data() + In.Pos, In.Buffer.data() + In.Pos + n);
        In.Pos += n;
        PendingBinary -= n;
    }
    PendingBinary = 0;
}

void TRtfTokenizer::SkipGroup()
{
    int depth = GroupDepth;
    while (GroupDepth >= depth) {
        const TRtfToken& t = Next();
        if (t.Kind == TRtfTokenKind::End)
            return;
    }
}

int64_t TRtfTokenizer::ReadHexData(std::vector<uint8_t>& into)
{
    if (PendingBinary > 0)
        ReadBinary(nullptr);
    int64_t added = 0;
    int high = -1;
    while (In.Ensure(1)) {
        // Scan the buffered bytes directly; the buffer is refilled only when they are used up.
        const uint8_t* p = In.Buffer.data();
        int32_t pos = In.Pos;
        int32_t filled = In.Filled;
        bool stop = false;
        while (pos < filled) {
            uint8_t c = p[pos];
            uint8_t v = HexValueTable[c];
            if (v <= 15) {
                if (high < 0) {
                    high = v;
                } else {
                    into.push_back(static_cast<uint8_t>(high << 4 | v));
                    ++added;
                    high = -1;
                }
            } else if (c == '\\' || c == '{' || c == '}') {
                stop = true;
                break;
            }
            ++pos;
        }
        In.Pos = pos;
        if (stop)
            break;
    }
    return added;
}
