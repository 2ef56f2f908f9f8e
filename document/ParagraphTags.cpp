// Canonical order of the inline tags of a paragraph.
#include <algorithm>
#include <vector>

#include "document/InlineTags.h"
#include "document/Paragraph.h"

namespace {

// Field marks first: each field mark moves back over the format tags that directly precede it, so
// that in a run of tags the field marks stand before the format tags.
void MoveFieldMarksFirst(std::vector<uint8_t>& s)
{
    const size_t size = s.size();
    size_t pos = 0, formatStart = 0;
    while (pos < size) {
        if (s[pos] != 0) {
            pos += PlainRunLength(&s[pos], static_cast<int32_t>(size - pos));
            formatStart = pos;
            continue;
        }
        if (size - pos < InlineTagSize)
            return;
        const int code = TagCode(&s[pos]);
        if (IsFieldMark(code)) {
            std::rotate(s.begin() + formatStart, s.begin() + pos, s.begin() + pos + InlineTagSize);
            formatStart += InlineTagSize;
        } else if (!IsFormatTag(code)) {
            formatStart = pos + InlineTagSize;
        }
        pos += InlineTagSize;
    }
}

// One pass that leaves each run of tags at most one tag per field, only where the field's value at
// the end of the run differs from its value at the start. Returns the offsets of the tags to drop.
std::vector<size_t> FindRedundantFormatTags(const std::vector<uint8_t>& s)
{
    std::vector<size_t> dropped;
    TCharFormat current = DefaultCharFormat();
    TCharFormat runStart = current;
    int64_t tagOfField[CharFormatFieldCount];
    std::fill(std::begin(tagOfField), std::end(tagOfField), -1);
    const size_t size = s.size();
    size_t pos = 0;
    while (pos < size) {
        const bool text = s[pos] != 0;
        if (!text && size - pos < InlineTagSize)
            break;
        if (text || IsRunEndingTag(TagCode(&s[pos]))) {
            // A text run or a counted tag closes the run of tags.
            pos += text ? PlainRunLength(&s[pos], static_cast<int32_t>(size - pos)) : InlineTagSize;
            runStart = current;
            std::fill(std::begin(tagOfField), std::end(tagOfField), -1);
            continue;
        }
        const int field = TagCode(&s[pos]);
        if (IsFormatTag(field)) {
            const int32_t value = TagValue(&s[pos]);
            if (value == current[field]) {
                dropped.push_back(pos);
            } else {
                current[field] = value;
                if (tagOfField[field] >= 0) {
                    dropped.push_back(static_cast<size_t>(tagOfField[field]));
                    tagOfField[field] = -1;
                    if (value == runStart[field])
                        dropped.push_back(pos);
                    else
                        tagOfField[field] = static_cast<int64_t>(pos);
                } else {
                    tagOfField[field] = static_cast<int64_t>(pos);
                }
            }
        }
        pos += InlineTagSize;
    }
    return dropped;
}

// Copies S without the tags at the given offsets.
std::vector<uint8_t> WithoutTags(const std::vector<uint8_t>& s, std::vector<size_t> dropped)
{
    std::sort(dropped.begin(), dropped.end());
    std::vector<uint8_t> out;
    out.reserve(s.size());
    size_t from = 0;
    for (size_t at : dropped) {
        out.insert(out.end(), s.begin() + from, s.begin() + at);
        from = at + InlineTagSize;
    }
    out.insert(out.end(), s.begin() + from, s.end());
    return out;
}

// Drops the format tags that end the stream (after the end mark) while it holds at least 16 bytes.
void DropTrailingFormatTags(std::vector<uint8_t>& s)
{
    size_t pos = 0, tail = 0;
    while (pos < s.size()) {
        if (s[pos] != 0) {
            pos += PlainRunLength(&s[pos], static_cast<int32_t>(s.size() - pos));
            tail = pos;
            continue;
        }
        if (s.size() - pos < InlineTagSize)
            return;
        if (!IsFormatTag(TagCode(&s[pos])))
            tail = pos + InlineTagSize;
        pos += InlineTagSize;
    }
    size_t size = s.size();
    while (size >= 2 * InlineTagSize && size > tail)
        size -= InlineTagSize;
    s.resize(size);
}

} // namespace

void TParagraph::NormalizeTags()
{
    // Worked on a copy: the paragraph stays as it was if memory runs out.
    std::vector<uint8_t> s(Text.Data(), Text.Data() + Text.Size());
    MoveFieldMarksFirst(s);
    s = WithoutTags(s, FindRedundantFormatTags(s));
    DropTrailingFormatTags(s);
    Text.Assign(s.data(), static_cast<int32_t>(s.size()));
    FNormalized = true;
}
