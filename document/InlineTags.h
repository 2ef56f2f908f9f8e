// Inline tags of paragraph text: their codes and classes, and reading a tagged text stream.
#pragma once
#include <cstdint>

#include "core/Memory.h"

// A tag is 8 bytes: 0, the code, a byte not used (0), the 32-bit value little-endian, 1. The leading 0
// lets a forward scan find it, the trailing 1 a backward scan; text characters are never 0 or 1.
// Codes 0 to 21 set the character format field of the same number.
enum TTagCode : int {
    tcLastFormat = 21,
    tcSpecial = 22,      // a special character, its code in the value (TSpecialChar)
    tcSectionBreak = 23, // ends the section whose handle it carries; plain byte 3
    tcPicture = 24,      // plain byte 8
    tcOLEObject = 25,    // plain byte 9
    tcFieldStart = 26,   // carries the field's handle; no character position
    tcFieldEnd = 27,
};

// Codes of special characters, as they stand in the plain text.
enum TSpecialChar : uint8_t {
    scParagraphMark = 2, // the last position of a paragraph that ends no section
    scSectionBreak = 3,  // only from tag 23
    scColumnBreak = 4,
    scLineBreak = 5,
    scPageBreak = 6,
    scTab = 7,
    scPicture = 8,   // only from tag 24
    scOLEObject = 9, // only from tag 25
    scNonBreakingSpace = 10,
    scNonBreakingHyphen = 11,
    scEmDash = 12,
    scEnDash = 13,
    scOptionalHyphen = 14,
    scFieldResult = 15,
};

// Codes 0-21: set a character format field.
constexpr bool IsFormatTag(int code)
{
    return code >= 0 && code <= tcLastFormat;
}
// Codes 26, 27: start and end of a field.
constexpr bool IsFieldMark(int code)
{
    return code == tcFieldStart || code == tcFieldEnd;
}
// Codes 22-25: take a character position and end a run of tags.
constexpr bool IsRunEndingTag(int code)
{
    return code >= tcSpecial && code <= tcOLEObject;
}
// Every tag that takes no character position (format tags, field marks, and any unknown code).
constexpr bool IsZeroWidthTag(int code)
{
    return !IsRunEndingTag(code);
}

// Reading a tag at Data (Data[0] is 0).
inline int TagCode(const uint8_t* tag)
{
    return tag[1];
}
inline int32_t TagValue(const uint8_t* tag)
{
    return static_cast<int32_t>(uint32_t(tag[3]) | uint32_t(tag[4]) << 8 | uint32_t(tag[5]) << 16 |
                                uint32_t(tag[6]) << 24);
}
// Writes the code and value of a tag in place.
void SetTag(uint8_t* tag, int code, int32_t value);

// The number of text characters before the next 0 byte (the next tag), within Count bytes.
int32_t PlainRunLength(const uint8_t* data, int32_t count);
// The plain-text byte of a counted tag: the special code of tag 22, 3, 8 or 9 for tags 23 to 25.
uint8_t PlainByteOfTag(int code, int32_t value);
// Appends to Plain one byte for every counted item of a tagged stream: the character itself, or the
// plain byte of a counted tag. A tag cut off by the end of the stream counts for nothing.
void AppendPlainText(const uint8_t* stream, int32_t size, TMemory& plain);

// Calls F(offset, code, value) for every whole tag of a stream between byte From and byte To, skipping
// text runs; stops early when F answers false. Answers whether the walk went to the end.
template<typename F>
bool ForEachTag(const uint8_t* stream, int32_t from, int32_t to, F f)
{
    for (int32_t pos = from; pos < to;) {
        if (stream[pos] != 0) {
            pos += PlainRunLength(stream + pos, to - pos);
            continue;
        }
        if (to - pos < InlineTagSize)
            break;
        if (!f(pos, TagCode(stream + pos), TagValue(stream + pos)))
            return false;
        pos += InlineTagSize;
    }
    return true;
}
