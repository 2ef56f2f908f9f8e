// Operations: their before and after states, their memory size, and undoing and redoing their steps.
#include "editing/Operation.h"

#include <cstdio>

#include "core/InterfaceTexts.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "editing/OperationManager.h"

namespace {

// Operations of this many steps or more show their progress.
constexpr size_t ProgressSteps = 50;

// Progress of a long undo or redo in the main window, ended however the loop ends.
class TStepProgress {
public:
    TStepProgress(const char* format, uint8_t kind, size_t count)
    {
        if (count < ProgressSteps)
            return;
        char text[256];
        std::snprintf(text, sizeof text, format, OperationNames[kind < OperationKindCount ? kind : 0]);
        DocumentHost().BeginProgress(int64_t(count), text, std::string());
        FShown = true;
    }
    ~TStepProgress()
    {
        if (FShown)
            DocumentHost().EndProgress(true);
    }
    void Step(size_t position)
    {
        if (FShown)
            DocumentHost().StepProgress(int64_t(position));
    }

private:
    bool FShown = false;
};

void SetRestoredState(TChangedRange& range, const TUndoRange& selection, const TUndoCaret& caret)
{
    range[crSelStartPar] = selection.StartPos.ParIndex;
    range[crSelStartOffset] = selection.StartPos.Offset;
    range[crSelEndPar] = selection.EndPos.ParIndex;
    range[crSelEndOffset] = selection.EndPos.Offset;
    range[crCaretPar] = caret.ParIndex;
    range[crCaretOffset] = caret.Offset;
    range[crCaretLine] = caret.LineHint;
}

} // namespace

TUndoPos::operator TTextPos() const
{
    TTextPos pos{};
    MakeTextPos(ParIndex, Offset, pos);
    return pos;
}

TUndoCaret::operator TTextPos() const
{
    TTextPos pos{};
    MakeTextPos(ParIndex, Offset, pos);
    pos.LineHint = LineHint;
    return pos;
}

TOperation::TOperation(TDocument* document, uint8_t kind) : Document(document), Kind(kind)
{
    SelectionBefore = document->Selection;
    CaretBefore = document->Caret;
}

TOperation::~TOperation()
{
    // The newest steps go first: an older step may hold what a newer one refers to.
    while (!Steps.empty())
        Steps.pop_back();
}

int64_t TOperation::GetMemorySize() const
{
    int64_t size = int64_t(sizeof(TOperation)) + int64_t(Steps.capacity() * sizeof(Steps[0]));
    for (const auto& step : Steps)
        size += step->GetMemorySize();
    return size;
}

void TOperation::CaptureAfterState()
{
    SelectionAfter = Document->Selection;
    CaretAfter = Document->Caret;
    CaretAfter.LineHint = Document->Caret.LineIndex;
}

void TOperation::Undo(TChangedRange& range)
{
    range = EmptyChangedRange();
    TStepProgress progress("Annulation de %s ...", Kind, Steps.size());
    for (size_t i = Steps.size(); i-- > 0;) {
        TChangedRange one;
        Steps[i]->Undo(one);
        Document->ChangedRanges->UnionChangedRange(range, one);
        progress.Step(Steps.size() - i);
    }
    SetRestoredState(range, SelectionBefore, CaretBefore);
}

void TOperation::Redo(TChangedRange& range)
{
    range = EmptyChangedRange();
    TStepProgress progress("Rétablissement de %s ...", Kind, Steps.size());
    for (size_t i = 0; i < Steps.size(); ++i) {
        TChangedRange one;
        Steps[i]->Redo(one);
        Document->ChangedRanges->UnionChangedRange(range, one);
        progress.Step(i);
    }
    SetRestoredState(range, SelectionAfter, CaretAfter);
}

TInsertDeleteOperation* TOperation::SingleTypingStep() const
{
    if (Steps.size() != 1)
        return nullptr;
    auto* step = dynamic_cast<TInsertDeleteOperation*>(Steps.front().get());
    return step && step->IsSingleCharacter() ? step : nullptr;
}

void ApplyStep(TDocument& document, std::unique_ptr<TSubOperation> step, TChangedRange& range,
               TOperation* operation)
{
    // Room is made first: an applied step is always filed, so that a failure later can undo it.
    if (operation)
        operation->Steps.reserve(operation->Steps.size() + 1);
    TChangedRange one;
    step->Redo(one);
    document.ChangedRanges->UnionChangedRange(range, one);
    if (operation)
        operation->Add(std::move(step));
}
