// The section builders: the parameters (columns) of the sections of a range, and the kind of a
// section break.
#include <algorithm>
#include <iterator>

#include "core/RecordUtils.h"
#include "document/Document.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/Operation.h"
#include "editing/PageSteps.h"

void FormatSections(TDocument& doc, const TTextRange& range, const TSectionParams& params,
                    TChangedRange& changed, TOperation* operation)
{
    changed = EmptyChangedRange();
    doc.UpdateSectionRanges();
    std::vector<TSection*> sections;
    doc.SectionsInRange(range, sections);
    if (sections.empty())
        return;
    // Each section keeps what the request leaves unset, its break kind above all.
    std::vector<TSectionParams> records;
    bool differs = false;
    for (const TSection* section : sections) {
        TSectionParams record = section->Params;
        for (int f = 0; f < SectionParamsFieldCount; ++f)
            if (IsFieldSet(params[f]))
                record[f] = params[f];
        differs =
            differs || !std::equal(std::begin(record.F), std::end(record.F), std::begin(section->Params.F));
        records.push_back(record);
    }
    if (!differs)
        return;
    const int32_t first = sections.front()->FirstParagraph, last = sections.back()->LastParagraph;
    ApplyStep(doc, std::make_unique<TFormatSectionOperation>(&doc, first, last, std::move(records)), changed,
              operation);
    SetCaretFieldsTo(changed, doc.Caret);
}

void ChangeSectionBreak(TDocument& doc, int32_t paragraph, int32_t kind, TChangedRange& changed,
                        TOperation* operation)
{
    changed = EmptyChangedRange();
    doc.UpdateSectionRanges();
    const TSection* section = doc.SectionOfParagraph(paragraph);
    // Only a section that a break ends has a kind; the last one runs to the end of the text.
    if (!section || section->LastParagraph != paragraph || section == doc.Sections.back().get() ||
        section->BreakKind() == kind || kind < 0 || kind > 3)
        return;
    ApplyStep(doc, std::make_unique<TChangeSectionBreakOperation>(&doc, paragraph, kind), changed, operation);
    SetCaretFieldsTo(changed, doc.Caret);
}
