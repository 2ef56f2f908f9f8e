// The document's default language as an undoable step.
#include "document/Document.h"
#include "editing/Builders.h"
#include "editing/FormatSteps.h"
#include "editing/Operation.h"

void TChangeDefLangOperation::Undo(TChangedRange& range)
{
    range = EmptyChangedRange();
    std::swap(Document->DefaultLanguageId, Language);
}

void ChangeDefaultLanguage(TDocument& doc, int32_t language, TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    if (language == doc.DefaultLanguageId || !operation)
        return;
    ApplyStep(doc, std::make_unique<TChangeDefLangOperation>(&doc, language), range, operation);
    const TTextPos& start = doc.HasSelection() ? doc.Selection.StartPos : doc.Caret;
    range[crSelStartPar] = start.ParIndex;
    range[crSelStartOffset] = start.Offset;
    range[crCaretPar] = doc.Caret.ParIndex;
    range[crCaretOffset] = doc.Caret.Offset;
    range[crCaretLine] = doc.Caret.LineIndex;
}
