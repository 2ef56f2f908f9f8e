// Character and paragraph formatting builders: the two primitives FormatText and FormatParagraphs, and the
// builders over them (size and spacing steps, the format painter, tab stops, the style's format, indent
// and spacing steps).
#include <algorithm>
#include <cstdlib>

#include "classlib/runtime/Exceptions.h"
#include "core/Options.h"
#include "core/Styles.h"
#include "core/TabTables.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/FormatSteps.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"

namespace {

// Standard font sizes in points.
constexpr int32_t StandardSizes[] = {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

bool AllUnset(const int32_t* fields, int count)
{
    return std::all_of(fields, fields + count, [](int32_t v) { return v == UndefinedField; });
}

// Value x Numerator / Denominator rounded to the nearest, halves away from zero.
int32_t MulDivRound(int32_t value, int32_t numerator, int32_t denominator)
{
    if (denominator == 0)
        return -1;
    const int64_t product = int64_t(value) * numerator;
    const int64_t half = std::llabs(int64_t(denominator)) / 2;
    const int64_t q = ((product >= 0) == (denominator > 0))
                          ? (std::llabs(product) + half) / std::llabs(int64_t(denominator))
                          : -((std::llabs(product) + half) / std::llabs(int64_t(denominator)));
    return int32_t(std::clamp<int64_t>(q, INT32_MIN + 1, INT32_MAX));
}

void SetSelectionFields(TChangedRange& range, const TDocument& doc)
{
    range[crSelStartPar] = doc.Selection.StartPos.ParIndex;
    range[crSelStartOffset] = doc.Selection.StartPos.Offset;
    range[crSelEndPar] = doc.Selection.EndPos.ParIndex;
    range[crSelEndOffset] = doc.Selection.EndPos.Offset;
    range[crCaretPar] = doc.Caret.ParIndex;
    range[crCaretOffset] = doc.Caret.Offset;
    range[crCaretLine] = doc.Caret.LineIndex;
}

int32_t SteppedValue(int32_t field, int32_t v, int32_t d)
{
    int64_t value;
    if (field == cfSize) {
        if (d == -2000) {
            value = v;
            for (int32_t s : StandardSizes)
                if (s * 2 < v)
                    value = s * 2;
        } else if (d == 2000) {
            value = v;
            for (int32_t s : StandardSizes)
                if (s * 2 > v) {
                    value = s * 2;
                    break;
                }
        } else if (d >= -1999 && d <= 1999) {
            value = int64_t(v) + d;
        } else {
            value = MulDivRound(v, d - 2000, 100);
        }
        return int32_t(std::clamp<int64_t>(value, 2, 2000));
    }
    if (field == cfSpacing)
        return int32_t(std::clamp<int64_t>(int64_t(MulDivRound(v, 1, 20)) * 20 + d, -20000, 20000));
    value = int64_t(v) + d;
    if (field == cfRaise)
        return int32_t(std::clamp<int64_t>(value, -1000, 1000));
    return int32_t(std::clamp<int64_t>(value, INT32_MIN + 1, INT32_MAX));
}

} // namespace

TCharFormat UnsetCharFormat()
{
    TCharFormat format;
    std::fill(std::begin(format.F), std::end(format.F), UndefinedField);
    return format;
}

TParaFormat UnsetParaFormat()
{
    TParaFormat format;
    std::fill(std::begin(format.F), std::end(format.F), UndefinedField);
    return format;
}

void SetCaretFieldsTo(TChangedRange& range, const TTextPos& pos)
{
    for (int i = crSelStartPar; i <= crSelEndOffset; ++i)
        range[i] = 0;
    range[crCaretPar] = pos.ParIndex;
    range[crCaretOffset] = pos.Offset;
    range[crCaretLine] = UndefinedField;
}

void FormatParagraphs(TDocument& doc, const TTextRange& range, const TParaFormat& format,
                      TChangedRange& changed, TOperation* operation)
{
    changed = EmptyChangedRange();
    if (AllUnset(format.F, ParaFormatFieldCount))
        return;
    const int32_t count = doc.ParagraphCount();
    const int32_t first = std::clamp(std::min(range.StartPos.ParIndex, range.EndPos.ParIndex), 0, count - 1);
    const int32_t last = std::clamp(std::max(range.StartPos.ParIndex, range.EndPos.ParIndex), 0, count - 1);
    auto step = std::make_unique<TFormatParagraphsOperation>(&doc);
    for (int32_t i = first; i <= last; ++i) {
        const TParaFormat& old = doc.Paragraphs[size_t(i)]->ParaFormat;
        std::vector<std::pair<int32_t, int32_t>> pairs;
        const int32_t fi = format[pfFirstIndent], li = format[pfLeftIndent];
        int32_t newFi = old[pfFirstIndent], newLi = old[pfLeftIndent];
        if (fi != UndefinedField && li != UndefinedField) {
            newFi = fi;
            newLi = li;
        } else if (fi != UndefinedField) {
            // The first line's left edge stays where it was.
            if (newFi < 0)
                newLi += newFi;
            newFi = fi;
            if (newFi < 0)
                newLi -= newFi;
        } else if (li != UndefinedField) {
            newLi = li;
            if (newFi < 0)
                newLi -= newFi;
        }
        if (newFi != old[pfFirstIndent])
            pairs.emplace_back(pfFirstIndent, newFi);
        if (newLi != old[pfLeftIndent])
            pairs.emplace_back(pfLeftIndent, newLi);
        for (int f = pfLineSpacing; f < ParaFormatFieldCount; ++f)
            if (format[f] != UndefinedField && format[f] != old[f])
                pairs.emplace_back(f, format[f]);
        if (!pairs.empty())
            step->AddRecord(i, pairs);
    }
    if (!step->HasRecords())
        return;
    ApplyStep(doc, std::move(step), changed, operation);
    SetSelectionFields(changed, doc);
}

void FormatText(TDocument& doc, const TTextRange& given, const TCharFormat& request, TChangedRange& changed,
                TOperation* operation, uint8_t option)
{
    changed = EmptyChangedRange();
    if (AllUnset(request.F, CharFormatFieldCount))
        return;
    TTextRange range = given;
    if (CompareTextPos(range.EndPos, range.StartPos) < 0)
        std::swap(range.StartPos, range.EndPos);
    if (IsRangeEmpty(range) &&
        (CurrentOptions().Edit.FmtWithoutSel || doc.GetModeFlag(mfFormatWordAtCaret))) {
        // Without a selection the word around the caret takes the format.
        const TTextPiece word = doc.GetWordAt(doc.Caret);
        const int32_t caret = doc.Caret.Offset;
        const bool inside = word.Length > 0 && word.Pos.ParIndex == doc.Caret.ParIndex &&
                            word.Pos.Offset < caret && caret < word.Pos.Offset + word.Length;
        const bool touching = doc.GetModeFlag(mfFormatWordAtCaret) && request[cfLanguage] != UndefinedField &&
                              word.Length > 0 && word.Pos.Offset <= caret &&
                              caret <= word.Pos.Offset + word.Length;
        if (inside || touching) {
            range.StartPos = TextPosAt(word.Pos.ParIndex, word.Pos.Offset);
            range.EndPos = TextPosAt(word.Pos.ParIndex, word.Pos.Offset + word.Length);
        } else if (doc.ParagraphLength(doc.Caret.ParIndex) == 1) {
            // An empty paragraph: its end mark.
            range.StartPos = TextPosAt(doc.Caret.ParIndex, 0);
            range.EndPos = TextPosAt(doc.Caret.ParIndex, 1);
        }
    }
    if (!IsRangeEmpty(range)) {
        TCharFormat format = request;
        if (doc.GetModeFlag(mfInsertAtCaretFormat))
            FillUnsetCharFormat(format, doc.InsertionFormat);
        ApplyStep(doc, std::make_unique<TFormatTextOperation>(&doc, range, format), changed, operation);
        SetSelectionFields(changed, doc);
        if (option & 1)
            for (int i = crSelStartPar; i <= crSelEndOffset; ++i)
                changed[i] = 0;
        return;
    }
    // Nothing to format: the typing format takes the change.
    for (int f = 0; f < CharFormatFieldCount; ++f)
        if (request[f] != UndefinedField)
            doc.InsertionFormat[f] = request[f];
    if (doc.GetModeFlag(mfViewLive))
        doc.SetModeFlag(mfInsertAtCaretFormat, true);
}

std::vector<TFieldRun> CharFormatFieldRuns(TDocument& doc, const TTextRange& range, int field)
{
    std::vector<TFieldRun> runs;
    for (int32_t par = range.StartPos.ParIndex; par <= range.EndPos.ParIndex; ++par) {
        TParagraph& p = *doc.Paragraphs[size_t(par)];
        if (!p.GetNormalized())
            p.NormalizeTags();
        const int32_t from = par == range.StartPos.ParIndex ? range.StartPos.Offset : 0;
        const int32_t to = par == range.EndPos.ParIndex ? range.EndPos.Offset : p.PlainText.Size();
        int32_t value = DefaultCharFormat()[field], runStart = from, position = 0;
        const uint8_t* s = p.Text.Data();
        const int32_t size = p.Text.Size();
        auto close = [&](int32_t at) {
            if (at > runStart && at > from)
                runs.push_back(
                    {TextPosAt(par, std::max(runStart, from)), TextPosAt(par, std::min(at, to)), value});
        };
        for (int32_t pos = 0; pos < size && position < to;) {
            if (s[pos] != 0) {
                const int32_t run = PlainRunLength(s + pos, size - pos);
                position += run;
                pos += run;
                continue;
            }
            const int code = TagCode(s + pos);
            if (code == field) {
                close(position);
                runStart = position;
                value = TagValue(s + pos);
            } else if (!IsFormatTag(code) && !IsFieldMark(code)) {
                ++position;
            }
            pos += InlineTagSize;
        }
        close(std::min(position, to));
    }
    runs.erase(std::remove_if(runs.begin(), runs.end(),
                              [](const TFieldRun& run) { return CompareTextPos(run.End, run.Start) <= 0; }),
               runs.end());
    return runs;
}

void StepCharFormatField(TDocument& doc, const TTextRange& given, int32_t field, int32_t step,
                         TChangedRange& changed, TOperation* operation)
{
    changed = EmptyChangedRange();
    if (field < 0 || field >= CharFormatFieldCount)
        return;
    TTextRange range = given;
    if (CompareTextPos(range.EndPos, range.StartPos) < 0)
        std::swap(range.StartPos, range.EndPos);
    TCharFormat request = UnsetCharFormat();
    if (IsRangeEmpty(range)) {
        const int32_t v = doc.InsertionFormat[field] == UndefinedField ? DefaultCharFormat()[field]
                                                                       : doc.InsertionFormat[field];
        request[field] = SteppedValue(field, v, step);
        FormatText(doc, range, request, changed, operation, 0);
        return;
    }
    TCharFormat state = doc.CharFormatState;
    doc.GetCharFormatStateOfRange(range, state, false);
    if (state[field] != UndefinedField) {
        const int32_t value = SteppedValue(field, state[field], step);
        if (value == state[field])
            return;
        request[field] = value;
        FormatText(doc, range, request, changed, operation, 0);
        return;
    }
    // A mixed field: run by run, each from its own value.
    for (const TFieldRun& run : CharFormatFieldRuns(doc, range, field)) {
        if (CompareTextPos(run.End, run.Start) <= 0)
            continue;
        TCharFormat one = UnsetCharFormat();
        one[field] = SteppedValue(field, run.Value, step);
        TChangedRange part;
        FormatText(doc, TextRangeOf(run.Start, run.End), one, part, operation, 0);
        doc.ChangedRanges->UnionChangedRange(changed, part);
    }
}

void ApplyFormatPainter(TDocument& doc, const TCharFormat& charFormat, const TParaFormat& paraFormat,
                        const std::string& styleName, TChangedRange& changed, TOperation* operation)
{
    changed = EmptyChangedRange();
    int32_t first, last;
    doc.GetSelectionParagraphs(first, last);
    const TTextRange paragraphs = TextRangeOf(TextPosAt(first, 0), TextPosAt(last, 0));
    if (!styleName.empty()) {
        // The painter carries a style: the style alone goes on, with its character formats; a name the
        // document does not know leaves it as it is.
        const int32_t index = doc.StyleList->IndexOfDisplayName(styleName);
        if (index >= 0)
            ApplyStyles(doc, paragraphs, index, changed, operation, nullptr, nullptr, true);
        return;
    }
    TCharFormat format = charFormat;
    format[cfHighlight] = UndefinedField;
    FormatText(doc, doc.Selection, format, changed, operation, 0);
    if (!AllUnset(paraFormat.F, ParaFormatFieldCount)) {
        TChangedRange one;
        FormatParagraphs(doc, paragraphs, paraFormat, one, operation);
        doc.ChangedRanges->UnionChangedRange(changed, one);
    }
}

void FormatTabs(TDocument& doc, int32_t interval, int32_t tableIndex, TTextRange range,
                TChangedRange& changed, TOperation* operation)
{
    changed = EmptyChangedRange();
    if (doc.HasSelection()) {
        range = doc.Selection;
    } else {
        range.StartPos = TextPosAt(doc.Caret.ParIndex, 0);
        range.EndPos = TextPosAt(doc.Caret.ParIndex, 0);
    }
    ApplyStep(doc, std::make_unique<TFormatTabsOperation>(&doc, interval, tableIndex, range), changed,
              operation);
    SetSelectionFields(changed, doc);
}

void ResetToStyleFormat(TDocument& doc, const TTextRange& given, bool characters, TChangedRange& changed,
                        TOperation* operation)
{
    changed = EmptyChangedRange();
    TTextRange range = given;
    if (IsRangeEmpty(range))
        range.StartPos = range.EndPos = doc.Caret;
    if (CompareTextPos(range.EndPos, range.StartPos) < 0)
        std::swap(range.StartPos, range.EndPos);
    // Runs of paragraphs that share a style, each with the style of its first paragraph.
    std::vector<TTextRange> runs;
    const int32_t first = range.StartPos.ParIndex, last = range.EndPos.ParIndex;
    for (int32_t par = first; par <= last;) {
        int32_t end = par;
        if (par != first && par != last)
            while (end + 1 < last && doc.Paragraphs[size_t(end + 1)]->ParaFormat[pfStyle] ==
                                         doc.Paragraphs[size_t(par)]->ParaFormat[pfStyle])
                ++end;
        const TTextPos start = TextPosAt(par, par == first ? range.StartPos.Offset : 0);
        const TTextPos stop = end == last
                                  ? TextPosAt(end, first == last ? range.EndPos.Offset : range.EndPos.Offset)
                                  : TextPosAt(end, doc.ParagraphLength(end));
        runs.push_back(TextRangeOf(start, stop));
        par = end + 1;
    }
    for (const TTextRange& run : runs) {
        const TStyle* style =
            doc.StyleList->StyleOf(doc.Paragraphs[size_t(run.StartPos.ParIndex)]->ParaFormat[pfStyle]);
        if (!style)
            continue;
        TCharFormat charFormat;
        TParaFormat paraFormat;
        style->ResolveFormat(charFormat, paraFormat, 0);
        charFormat[cfHighlight] = UndefinedField;
        paraFormat[pfBullets] = UndefinedField;
        TChangedRange one;
        if (characters)
            FormatText(doc, run, charFormat, one, operation, 0);
        else
            FormatParagraphs(doc, run, paraFormat, one, operation);
        doc.ChangedRanges->UnionChangedRange(changed, one);
    }
}

void StepParagraphFormat(TDocument& doc, const TTextRange& given, int kind, int32_t d, TChangedRange& changed,
                         TOperation* operation)
{
    changed = EmptyChangedRange();
    if (kind < 0 || kind > 7)
        return;
    TTextRange range = given;
    if (CompareTextPos(range.EndPos, range.StartPos) < 0)
        std::swap(range.StartPos, range.EndPos);
    const int32_t first = range.StartPos.ParIndex, last = range.EndPos.ParIndex;
    auto key = [&](int32_t par) {
        const TParaFormat& f = doc.Paragraphs[size_t(par)]->ParaFormat;
        if (kind <= 3)
            return std::vector<int32_t>{f[pfLeftIndent], f[pfFirstIndent], f[pfBullets]};
        return std::vector<int32_t>{f[kind <= 5 ? pfSpaceBefore : pfSpaceAfter]};
    };
    doc.UpdateSectionRanges();
    for (int32_t par = first; par <= last;) {
        int32_t end = par;
        while (
            end + 1 <= last && key(end + 1) == key(par) &&
            !(doc.SectionOfParagraph(end + 1) && doc.SectionOfParagraph(end + 1)->FirstParagraph == end + 1))
            ++end;
        const TSection* owner = doc.PageSetupOwnerSection(end);
        const int32_t textWidth = owner ? owner->PageSetup[psTextWidth] : 9000;
        const int32_t pageHeight = owner ? owner->PageSetup[psHeight] : 15840;
        const TParaFormat& f = doc.Paragraphs[size_t(par)]->ParaFormat;
        int32_t li = f[pfLeftIndent], fi = f[pfFirstIndent];
        TParaFormat work = UnsetParaFormat();
        switch (kind) {
        case 0:
            li = std::clamp(li + d, 0, std::max(textWidth, 0));
            if (fi < 0 && -fi > li)
                fi = -li;
            work[pfLeftIndent] = li;
            work[pfFirstIndent] = fi;
            break;
        case 1: {
            const int32_t edge = li + fi;
            li = std::clamp(li + d, 0, std::max(textWidth, 0));
            work[pfLeftIndent] = li;
            work[pfFirstIndent] = edge - li;
            break;
        }
        case 2:
        case 3:
            if (fi < 0) {
                li += fi;
                fi = 0;
            }
            if (kind == 2) {
                li += 270;
                fi = -270;
            }
            work[pfLeftIndent] = li;
            work[pfFirstIndent] = fi;
            work[pfBullets] = kind == 2 ? 1 : 0;
            break;
        case 4: work[pfSpaceBefore] = std::max(0, f[pfSpaceBefore] - 60); break;
        case 5: work[pfSpaceBefore] = std::min(pageHeight * 4 / 10, f[pfSpaceBefore] + 60); break;
        case 6: work[pfSpaceAfter] = std::max(0, f[pfSpaceAfter] - 60); break;
        case 7: work[pfSpaceAfter] = std::min(pageHeight * 4 / 10, f[pfSpaceAfter] + 60); break;
        }
        TChangedRange one;
        FormatParagraphs(doc, TextRangeOf(TextPosAt(par, 0), TextPosAt(end, 0)), work, one, operation);
        doc.ChangedRanges->UnionChangedRange(changed, one);
        par = end + 1;
    }
}
