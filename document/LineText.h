// Walking the tagged text of one laid-out line character by character, with the format in force.
#pragma once
#include <cstdint>

#include "core/FormatRecords.h"
#include "document/InlineTags.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"

// Calls F(index, byte, tag) for every item of the line: a text character (Tag null) or a tag (Tag
// points at its 8 bytes). Index is the character index in the line of the character the item is or the
// one that follows it. A tag cut off by the end of the line is left out.
template<typename F>
void ForEachLineItem(const TParLine& line, F f)
{
    const uint8_t* s = line.Paragraph->Text.Data() + line.StreamOffset;
    const int32_t size = line.StreamLength;
    int32_t n = 0;
    for (int32_t pos = 0; pos < size;) {
        if (s[pos] != 0) {
            f(n, s[pos], static_cast<const uint8_t*>(nullptr));
            ++n;
            ++pos;
            continue;
        }
        if (size - pos < InlineTagSize)
            break;
        const uint8_t* tag = s + pos;
        f(n, uint8_t(0), tag);
        if (IsRunEndingTag(TagCode(tag)))
            ++n;
        pos += InlineTagSize;
    }
}

// The character format in force at a line's first byte, its size in half-points.
inline TCharFormat LineStartFormat(const TParLine& line)
{
    TCharFormat format;
    line.Paragraph->LoadCharFormat(line.FormatAtStart, format);
    if (format[cfSize] == UndefinedField)
        format[cfSize] = DefaultCharFormat()[cfSize];
    return format;
}

// A format field that is on (neither 0 nor not set).
inline bool IsFormatOn(int32_t v)
{
    return v != 0 && v != UndefinedField;
}
