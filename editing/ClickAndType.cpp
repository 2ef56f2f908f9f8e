// Click and type: the steps a double click in empty space asks for (paragraphs added below the text, an
// alignment, a first-line indent, tab stops and tabs, the caret's place), run as one operation.
#include <algorithm>
#include <string>

#include "core/TabTables.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/OperationParams.h"

namespace {

// Text inserted at a place in the format that typing there would take.
void InsertAt(TDocument& doc, const std::string& text, const TTextPos& pos, TChangedRange& range,
              TOperation* operation)
{
    doc.PrepareInsertFormat(pos, 0);
    TChangedRange step = EmptyChangedRange();
    InsertPlainText(doc, text, pos, step, operation, 0);
    doc.ChangedRanges->UnionChangedRange(range, step);
}

void FormatParagraphRange(TDocument& doc, int32_t first, int32_t last, int field, int32_t value,
                          TChangedRange& range, TOperation* operation)
{
    TParaFormat format = UnsetParaFormat();
    format[field] = value;
    TChangedRange step = EmptyChangedRange();
    FormatParagraphs(doc, TextRangeOf(TextPosAt(first, 0), TextPosAt(last, doc.ParagraphLength(last))),
                     format, step, operation);
    doc.ChangedRanges->UnionChangedRange(range, step);
}

// The target paragraph's tab table changed by a step of kind 4 or 5 and applied to it.
void ChangeTabs(TDocument& doc, int32_t target, const TClickAndTypeStep& s, TChangedRange& range,
                TOperation* operation)
{
    TTabTable table;
    const int32_t index = doc.Paragraphs[size_t(target)]->ParaFormat[pfTabTable];
    if (index >= 0 && index < doc.TabManager->Count())
        table = doc.TabManager->Table(index);
    if (s.Kind == 4) {
        for (int k = table.Count() - 1; k >= 0; --k)
            if (TabStopPosition(table[k]) >= s.A)
                table.DeleteTab(TabStopPosition(table[k]));
    } else {
        table.DeleteTab(s.A);
        table.AddTab(PackTabStop(s.A, std::clamp(s.B, 0, 2), tlNone));
        table.Sort();
    }
    // The tab-setting step works on the caret's paragraph.
    doc.ClearSelection();
    doc.Caret = TextPosAt(target, 0);
    TChangedRange step = EmptyChangedRange();
    FormatTabs(doc, doc.TabManager->DefaultTabInterval(), doc.TabManager->RegisterTabTable(table),
               TextRangeOf(doc.Caret, doc.Caret), step, operation);
    doc.ChangedRanges->UnionChangedRange(range, step);
}

} // namespace

void ClickAndType(TDocument& doc, const TClickAndTypeData& data, TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    const int32_t target = data.TargetParagraph;
    const int32_t count = std::clamp(data.StepCount, 0, TClickAndTypeData::MaxSteps);
    // The caret ends after the last tab inserted, or where a step of kind 6 puts it.
    int32_t caret = 0;
    for (int i = 0; i < count; ++i) {
        const TClickAndTypeStep& s = data.Steps[i];
        if (s.Kind != 0 && (target < 0 || target >= doc.ParagraphCount()))
            continue;
        switch (s.Kind) {
        case 0: {
            // Paragraph breaks at the end of the caret's line, before its last character.
            TTextPos pos = doc.Caret;
            doc.LocateTextPos(pos, 0);
            const TParagraph& p = *doc.Paragraphs[size_t(pos.ParIndex)];
            if (pos.LineIndex >= 0 && pos.LineIndex < p.LineCount()) {
                const TParLine& line = *p.Lines[size_t(pos.LineIndex)];
                pos = TextPosAt(pos.ParIndex, line.FirstChar + std::max(0, line.CharCount - 1));
            } else {
                pos = TextPosAt(pos.ParIndex, std::max(0, doc.ParagraphLength(pos.ParIndex) - 1));
            }
            std::string breaks;
            for (int32_t n = 0; n < std::clamp(s.A, 0, 1000); ++n)
                breaks += "\r\n";
            InsertAt(doc, breaks, pos, range, operation);
            doc.SetModeFlag(mfEnterEndedList, false);
            if (target > pos.ParIndex && target < doc.ParagraphCount())
                FormatParagraphRange(doc, pos.ParIndex + 1, target, pfBullets, 0, range, operation);
            break;
        }
        case 1: FormatParagraphRange(doc, target, target, pfAlignment, s.A, range, operation); break;
        case 2: FormatParagraphRange(doc, target, target, pfFirstIndent, s.A, range, operation); break;
        case 3: {
            const int32_t at = std::clamp(s.A, 0, std::max(0, doc.ParagraphLength(target) - 1));
            InsertAt(doc, "\t", TextPosAt(target, at), range, operation);
            caret = at + 1;
            break;
        }
        case 4:
        case 5: ChangeTabs(doc, target, s, range, operation); break;
        case 6: caret = s.A; break;
        default: break;
        }
    }
    SetCaretFieldsTo(range, TextPosAt(target, caret));
}
