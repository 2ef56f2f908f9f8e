// The Rich Text Format tokenizer: turns the load's input buffer into groups, control words, symbols,
// text runs, escaped bytes and binary data, with bounded nesting and saturating parameters.
#pragma once
#include <cstdint>
#include <vector>

#include "formats/load/LoadInput.h"
#include "formats/rtf/RtfControlWords.h"

enum class TRtfTokenKind : uint8_t {
    End,        // no more data, or a fatal error (see TRtfTokenizer::Error)
    GroupStart, // "{"
    GroupEnd,   // "}"
    Word,       // a control word: Word (its number, -1 when unknown), HasParam, Param
    Symbol,     // "\" and one other character: Char ("\n" for a line end after the backslash)
    Text,       // a run of text bytes (line ends left out): Text, Length, valid until the next call
    Byte,       // one byte given as "\'hh": Char
    Binary,     // "\binN": Param bytes of data follow, read by ReadBinary or skipped by the next call
};

enum class TRtfError : uint8_t {
    None,
    GroupTooDeep, // more nested groups than kMaxGroupDepth: reading ends here
};

struct TRtfToken {
    TRtfTokenKind Kind = TRtfTokenKind::End;
    int16_t Word = -1;
    bool HasParam = false;
    int32_t Param = 0;
    uint8_t Char = 0;
    const uint8_t* Text = nullptr;
    int32_t Length = 0;
};

class TRtfTokenizer {
public:
    // Nesting deeper than this ends reading with GroupTooDeep (only a file of megabytes of braces gets
    // there: the reader itself skips groups far less deep, see kMaxReadDepth).
    static constexpr int kMaxGroupDepth = 1 << 20;

    explicit TRtfTokenizer(TLoadInput& input) : In(input) {}

    // The next token.
    const TRtfToken& Next();
    const TRtfToken& Current() const { return Token; }
    // Number of groups open.
    int Depth() const { return GroupDepth; }
    TRtfError Error() const { return Failure; }

    // After GroupStart: skips the rest of that group, up to and including its "}".
    void SkipGroup();
    // After a Binary token: appends its data to Into (or drops it when Into is null).
    void ReadBinary(std::vector<uint8_t>* into);
    // Reads hexadecimal data into Into, digit by digit: blanks, line ends and other stray characters
    // are passed over one at a time; stops before "\", "{", "}" or the end of the data. Returns the
    // number of bytes added; a single digit left over at the stop is dropped.
    int64_t ReadHexData(std::vector<uint8_t>& into);
    // True when every byte has been read.
    bool AtEnd() { return In.AtEnd(); }

private:
    void ReadControl();
    void ReadWord();

    TLoadInput& In;
    TRtfToken Token;
    int GroupDepth = 0;
    int64_t PendingBinary = 0;
    TRtfError Failure = TRtfError::None;
};
