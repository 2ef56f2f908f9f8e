// Note references: finding them, and numbering those of a paragraph as pagination places it.
#include "document/Document.h"

#include <algorithm>

#include "document/InlineTags.h"
#include "document/Field.h"

bool TParagraph::RefreshPageFields(int32_t firstLine, int32_t counters[2])
{
    const int32_t from =
        firstLine > 0 && firstLine < LineCount() ? Lines[size_t(firstLine)]->StreamOffset : 0;
    bool changed = false;
    ForEachTag(Text.Data(), from, Text.Size(), [&](int32_t, int code, int32_t value) {
        TField* field = code == tcFieldStart ? FieldOfTag(value) : nullptr;
        if (!field || field->Kind != fkNoteReference || !field->AutoNumbered)
            return true;
        int32_t& counter = counters[field->NoteKind()];
        if (field->UpdatePageNumber(*Document, counter)) {
            changed = true;
            // The note's text shows the number too: it is broken again when next needed. Only
            // paragraphs of the note stories: those of the main text may stand on pages.
            if (field->Owner) {
                const TTextRange range = Document->GetFieldRange(*field->Owner);
                const int32_t last = std::min(range.EndPos.ParIndex, Document->ParagraphCount() - 1);
                for (int32_t i = std::max(range.StartPos.ParIndex, 0); i <= last; ++i) {
                    const int story = Document->StoryOfParagraph(i);
                    if (story == stFootnotes || story == stEndnotes)
                        Document->Paragraphs[size_t(i)]->UpdateLayout(false, 0);
                }
            }
        }
        if (counter < INT32_MAX)
            ++counter;
        return true;
    });
    return changed;
}

bool TDocument::FindFieldOfKind3At(const TTextPos& pos, int noteKind)
{
    for (auto it = Fields.rbegin(); it != Fields.rend(); ++it) {
        const TField& f = **it;
        if (f.Kind != fkNoteReference || (noteKind != 255 && f.NoteKind() != noteKind))
            continue;
        if (TextPosInRange(pos, GetFieldRange(f)))
            return true;
    }
    return false;
}

bool TDocument::HasNoteReferencesFrom(int32_t paragraph, int noteKind)
{
    UpdateFields();
    const int32_t mainEnd = StoryEnd(stMain);
    for (const auto& f : Fields)
        if (f->Kind == fkNoteReference && f->NoteKind() == noteKind && f->StartPos.ParIndex >= paragraph &&
            f->StartPos.ParIndex <= mainEnd)
            return true;
    return false;
}
