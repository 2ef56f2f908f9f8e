// The character and paragraph formats in force at a place and over a range of the text.
#include <algorithm>

#include "core/Styles.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/Field.h"

namespace {

// The size in bytes of the item at Pos (a character or an 8-byte tag), 0 at the end.
int32_t ItemSize(const uint8_t* s, int32_t size, int32_t pos)
{
    if (pos >= size)
        return 0;
    if (s[pos] != 0)
        return 1;
    return size - pos >= InlineTagSize ? InlineTagSize : 0;
}

// Calls F(code, value) for every format tag of the stream from From up to, not including, To, while
// F answers true; false when F stopped the walk.
template<class F>
bool ForEachFormatTag(const uint8_t* s, int32_t from, int32_t to, F f)
{
    return ForEachTag(s, from, to,
                      [&](int32_t, int code, int32_t value) { return !IsFormatTag(code) || f(code, value); });
}

bool IsResultField(const TField* field)
{
    return field && (field->Kind == fkCode || field->Kind == fkNoteReference || field->Kind == fkNoteNumber);
}

} // namespace

TParagraph* TDocument::NormalizedParagraph(int32_t paragraph)
{
    if (paragraph < 0 || paragraph >= ParagraphCount())
        return nullptr;
    TParagraph* p = Paragraphs[static_cast<size_t>(paragraph)].get();
    if (!p->GetNormalized())
        p->NormalizeTags();
    return p;
}

TCharFormat TDocument::CharFormatAtOffset(int32_t paragraph, int32_t offset)
{
    TCharFormat format = DefaultCharFormat();
    TParagraph* p = NormalizedParagraph(paragraph);
    if (!p)
        return format;
    const uint8_t* s = p->Text.Data();
    const int32_t size = p->Text.Size();
    int32_t pos = p->CharToStreamOffset(offset > 0 ? offset - 1 : 0);
    if (!GetModeFlag(mfFormatsAtMarks)) {
        // A character just before the end of a field that shows a result takes the format after it.
        int32_t next = pos + ItemSize(s, size, pos);
        int32_t moved = -1;
        while (next + InlineTagSize <= size && s[next] == 0 && IsFieldMark(TagCode(s + next))) {
            if (TagCode(s + next) == tcFieldEnd && IsResultField(FieldOfTag(TagValue(s + next)))) {
                next += InlineTagSize;
                while (next + InlineTagSize <= size && s[next] == 0 && IsZeroWidthTag(TagCode(s + next)))
                    next += InlineTagSize;
                moved = next;
                break;
            }
            next += InlineTagSize;
        }
        if (moved >= 0)
            pos = moved;
    }
    MergeFormatTags(s, 0, pos, false, format);
    return format;
}

TCharFormat TDocument::GetCharFormatAt(const TTextPos& pos)
{
    return GetCharFormatInParagraph(pos.ParIndex, pos.Offset);
}

TCharFormat TDocument::GetCharFormatInParagraph(int32_t paragraph, int32_t offset)
{
    if (paragraph < 0 || paragraph >= ParagraphCount())
        return DefaultCharFormat();
    TParagraph& p = *Paragraphs[static_cast<size_t>(paragraph)];
    const int32_t length = p.PlainText.Size();
    if (!GetModeFlag(mfFormatsAtMarks)) {
        bool atFieldStart = offset == 0;
        if (!atFieldStart) {
            TTextRange range;
            if (FindFieldAt(TextPosAt(paragraph, offset - 1), range, nullptr, -1, -1) &&
                CompareTextPos(range.EndPos, TextPosAt(paragraph, offset)) == 0)
                atFieldStart = true;
        }
        // Text typed where a field begins takes the style's format, not the field result's.
        for (int guard = 0; atFieldStart && guard <= length; ++guard) {
            TTextRange range;
            TField* field = FindFieldAt(TextPosAt(paragraph, offset), range, nullptr, -1, -1);
            if (!field || CompareTextPos(range.StartPos, TextPosAt(paragraph, offset)) != 0)
                break;
            if (range.StartPos.ParIndex == paragraph && range.EndPos.ParIndex == paragraph &&
                range.EndPos.Offset < length && range.EndPos.Offset > offset) {
                offset = range.EndPos.Offset;
                continue;
            }
            TCharFormat format = DefaultCharFormat();
            TParaFormat paraFormat;
            if (const TStyle* style = StyleList ? StyleList->StyleOf(p.ParaFormat[pfStyle]) : nullptr)
                style->ResolveFormat(format, paraFormat, 0);
            format[cfLanguage] = CharFormatAtOffset(paragraph, offset)[cfLanguage];
            return format;
        }
    }
    int32_t symbolSize = UndefinedField;
    if (!GetModeFlag(mfFormatsAtMarks) && offset > 0) {
        TTextRange range;
        const TField* field = FindFieldAt(TextPosAt(paragraph, offset - 1), range, nullptr, -1, fkCode);
        if (field && field->FieldType == ftSymbol) {
            TModeFlagScope flags(*this);
            flags.On(mfFormatsAtMarks);
            symbolSize = CharFormatAtOffset(paragraph, offset)[cfSize];
        }
    }
    TCharFormat format = CharFormatAtOffset(paragraph, offset);
    if (symbolSize != UndefinedField)
        format[cfSize] = symbolSize;
    return format;
}

void MergeFormatTags(const uint8_t* s, int32_t from, int32_t to, bool intersect, TCharFormat& format)
{
    ForEachFormatTag(s, from, to, [&](int code, int32_t v) {
        if (format[code] == v)
            return true;
        if (!intersect)
            format[code] = v;
        else if (format[code] != UndefinedField && (code != cfFont || !SameFontId(format[code], v)))
            format[code] = UndefinedField;
        return true;
    });
}

void TDocument::GetCharFormatStateOfRange(const TTextRange& range, TCharFormat& format, bool merge)
{
    const TTextPos& s = range.StartPos;
    const TTextPos& e = range.EndPos;
    TParagraph* first = NormalizedParagraph(s.ParIndex);
    if (!first)
        return;
    const int32_t startPos = first->CharToStreamOffset(s.Offset);
    TCharFormat start = DefaultCharFormat();
    MergeFormatTags(first->Text.Data(), 0, startPos, false, start);
    if (merge)
        IntersectCharFormats(format, start);
    else
        format = start;
    if (e.ParIndex == s.ParIndex) {
        if (e.Offset - 1 > s.Offset)
            MergeFormatTags(first->Text.Data(), startPos, first->CharToStreamOffset(e.Offset - 1), true,
                            format);
        return;
    }
    MergeFormatTags(first->Text.Data(), startPos, first->Text.Size(), true, format);
    for (int32_t i = s.ParIndex + 1; i <= e.ParIndex && i < ParagraphCount(); ++i) {
        if (i == e.ParIndex && e.Offset <= 0)
            break;
        TParagraph* p = NormalizedParagraph(i);
        TCharFormat leading;
        p->GetLeadingCharFormat(leading);
        IntersectCharFormats(format, leading);
        const int32_t to = i == e.ParIndex ? p->CharToStreamOffset(e.Offset - 1) : p->Text.Size();
        MergeFormatTags(p->Text.Data(), 0, to, true, format);
    }
}

void TDocument::GetParFormatStateOfRange(const TTextRange& range, TParaFormat& format, bool merge)
{
    const int32_t first = std::max(range.StartPos.ParIndex, 0);
    const int32_t last = std::min(range.EndPos.ParIndex, ParagraphCount() - 1);
    if (first >= ParagraphCount())
        return;
    if (!merge)
        format = Paragraphs[static_cast<size_t>(first)]->ParaFormat;
    for (int32_t i = first; i <= last; ++i) {
        const TParaFormat& pf = Paragraphs[static_cast<size_t>(i)]->ParaFormat;
        for (int f = 0; f < ParaFormatFieldCount; ++f)
            if (format[f] != pf[f])
                format[f] = UndefinedField;
    }
}

bool TDocument::RangeFormatDiffers(const TTextRange& range, const TCharFormat& format)
{
    const TTextPos& s = range.StartPos;
    const TTextPos& e = range.EndPos;
    for (int32_t i = std::max(s.ParIndex, 0); i <= e.ParIndex && i < ParagraphCount(); ++i) {
        TParagraph* p = NormalizedParagraph(i);
        const int32_t from = i == s.ParIndex ? s.Offset : 0;
        if (from == 0) {
            TCharFormat leading;
            p->GetLeadingCharFormat(leading);
            if (!CharFormatsEqual(leading, format))
                return true;
        }
        const uint8_t* t = p->Text.Data();
        const int32_t fromPos = from == 0 ? 0 : p->CharToStreamOffset(from);
        // The range ends after its last character: the tags before the next one are not in it.
        int32_t to = p->Text.Size();
        if (i == e.ParIndex) {
            if (e.Offset <= 0)
                break;
            to = p->CharToStreamOffset(e.Offset - 1);
            to += ItemSize(t, p->Text.Size(), to);
        }
        if (!ForEachFormatTag(t, fromPos, to, [&](int code, int32_t v) { return v == format[code]; }))
            return true;
    }
    return false;
}

void TDocument::GetFormatsAtRangeEnds(const TTextRange& range)
{
    TModeFlagScope flags(*this);
    flags.On(mfFormatsAtMarks);
    RangeStartFormat = GetCharFormatAt(TextPosAt(range.StartPos.ParIndex, range.StartPos.Offset + 1));
    RangeEndFormat = GetCharFormatAt(TextPosAt(range.EndPos.ParIndex, range.EndPos.Offset + 1));
}

namespace {

// The stream offset just after character N of a paragraph, before the tags that follow it; the start
// of the stream when N is -1.
int32_t AfterChar(const TParagraph& p, int32_t n)
{
    if (n < 0)
        return 0;
    const int32_t at = p.CharToStreamOffset(n);
    return at + ItemSize(p.Text.Data(), p.Text.Size(), at);
}

} // namespace

void TDocument::PrepareInsertFormat(const TTextPos& where, int mode)
{
    if (GetModeFlag(mfNoInsertFormat) || ParagraphCount() == 0)
        return;
    TTextPos pos = where;
    if (pos.ParIndex >= ParagraphCount()) {
        pos.ParIndex = ParagraphCount() - 1;
        pos.Offset = ParagraphLength(pos.ParIndex);
    }
    if (mode == 1 && HasSelection()) {
        const TTextPos& start = Selection.StartPos;
        InsertedTextFormat = GetCharFormatAt(start);
        InsertFormatBefore = start.Offset == 0 ? DefaultCharFormat() : InsertedTextFormat;
        TTextPos end = Selection.EndPos;
        if (end.Offset >= ParagraphLength(end.ParIndex) && end.ParIndex < StoryEnd(stMain))
            end = TextPosAt(end.ParIndex + 1, 0);
        InsertFormatAfter = GetCharFormatAt(TextPosAt(end.ParIndex, end.Offset + 1));
        InsertedTextFormat[cfHighlight] = InsertFormatAfter[cfHighlight];
        return;
    }
    if (mode == 1 && CompareTextPos(pos, Caret) == 0) {
        InsertedTextFormat = InsertionFormat;
        const int32_t par = Caret.ParIndex, offset = Caret.Offset;
        const TParagraph& p = *Paragraphs[static_cast<size_t>(std::clamp(par, 0, ParagraphCount() - 1))];
        const uint8_t* s = p.Text.Data();
        const int32_t size = p.Text.Size();
        // What follows the character before the caret, field marks stepped over.
        bool hiddenFieldEnd = false;
        if (offset > 0)
            for (int32_t at = AfterChar(p, offset - 1); size - at >= InlineTagSize && s[at] == 0;
                 at += InlineTagSize) {
                const int code = TagCode(s + at);
                if (!IsFieldMark(code))
                    break;
                if (code == tcFieldEnd && IsResultField(FieldOfTag(TagValue(s + at)))) {
                    hiddenFieldEnd = true;
                    break;
                }
            }
        const int32_t next = AfterChar(p, offset - 1);
        const bool beforeFieldStart =
            size - next >= InlineTagSize && s[next] == 0 && TagCode(s + next) == tcFieldStart;
        if (hiddenFieldEnd) {
            TModeFlagScope flags(*this);
            flags.On(mfFormatsAtMarks);
            InsertFormatBefore = GetCharFormatInParagraph(par, offset);
            InsertFormatAfter = GetCharFormatInParagraph(par, offset + 1);
        } else if (beforeFieldStart) {
            {
                TModeFlagScope flags(*this);
                flags.On(mfFormatsAtMarks);
                InsertFormatAfter = GetCharFormatAt(TextPosAt(par, offset + 1));
            }
            InsertFormatBefore =
                offset == 0 ? InsertFormatAfter : GetCharFormatAt(TextPosAt(par, offset - 1));
        } else if (GetModeFlag(mfInsertAtCaretFormat)) {
            InsertFormatBefore = InsertFormatAfter = GetCharFormatAt(Caret);
        } else {
            InsertFormatBefore = InsertionFormat;
            InsertFormatAfter = GetCharFormatAt(Caret);
        }
        if (InsertedTextFormat[cfHighlight] > 0)
            InsertedTextFormat[cfHighlight] = offset < ParagraphLength(par) - 1
                                                  ? GetCharFormatAt(TextPosAt(par, offset + 1))[cfHighlight]
                                                  : 0;
        return;
    }
    {
        TModeFlagScope flags(*this);
        flags.On(mfFormatsAtMarks);
        InsertFormatBefore = InsertFormatAfter = GetCharFormatAt(pos);
    }
    InsertedTextFormat = GetCharFormatAt(pos);
}
