// Operations: their before and after states, their memory size, and undoing and redoing their steps.
#include "editing/Operation.h"

#include <algorithm>
#include <cstdio>

#include "core/InterfaceTexts.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/Field.h"
#include "document/InlineTags.h"
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

// The field types whose results a header or footer shows for its page or the moment: they change
// without an operation, so an operation keeps them as its steps found and left them.
bool IsPageDependentFieldType(int type)
{
    return type == 10 || (type >= 15 && type <= 23) || (type >= 26 && type <= 29) ||
           (type >= 31 && type <= 33) || type == 37 || type == 65 || type == 66 || type == 69;
}

TUndoRange EmptySelectionAt(const TUndoCaret& caret)
{
    TUndoRange none;
    none.StartPos.ParIndex = none.EndPos.ParIndex = caret.ParIndex;
    none.StartPos.Offset = none.EndPos.Offset = caret.Offset;
    return none;
}

} // namespace

int64_t THeaderFooterTexts::GetMemorySize() const
{
    int64_t size = int64_t(Entries.capacity() * sizeof(TEntry));
    for (const TEntry& entry : Entries)
        size += int64_t(entry.Bytes.capacity());
    return size;
}

void CaptureHeaderFooterTexts(TDocument& doc, THeaderFooterTexts& texts)
{
    texts.Entries.clear();
    if (!doc.EditedHeaderFooter)
        return;
    const TTextRange range = doc.GetFieldRange(*doc.EditedHeaderFooter);
    for (int32_t i = std::max(range.StartPos.ParIndex, 0);
         i <= range.EndPos.ParIndex && i < doc.ParagraphCount(); ++i) {
        const TMemory& text = doc.Paragraphs[size_t(i)]->Text;
        ForEachTag(text.Data(), 0, text.Size(), [&](int32_t, int code, int32_t value) {
            if (code != tcFieldStart)
                return true;
            const TField* field = FieldOfTag(value);
            THeaderFooterTexts::TEntry entry;
            if (field && field->Kind == fkCode && IsPageDependentFieldType(field->FieldType) &&
                doc.GetFieldResultBytes(*field, entry.Bytes)) {
                entry.Handle = value;
                texts.Entries.push_back(std::move(entry));
            }
            return true;
        });
    }
}

void RestoreHeaderFooterTexts(TDocument& doc, const THeaderFooterTexts& texts)
{
    for (auto it = texts.Entries.rbegin(); it != texts.Entries.rend(); ++it)
        if (const TField* field = FieldOfTag(it->Handle))
            doc.SetFieldResultBytes(*field, it->Bytes);
}

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

// What most operations do without: the steps after the first, a selection that is not empty, and the
// texts of the header or footer fields while one is edited.
struct TOperation::TExtras {
    std::vector<std::unique_ptr<TSubOperation>> More;
    bool HasSelectionBefore = false;
    bool HasSelectionAfter = false;
    TUndoRange SelectionBefore{};
    TUndoRange SelectionAfter{};
    THeaderFooterTexts TextsBefore;
    THeaderFooterTexts TextsAfter;
};

TOperation::TOperation(TDocument* document, uint8_t kind) : Document(document), Kind(kind)
{
    CaretBefore = document->Caret;
    if (document->HasSelection()) {
        Extras().HasSelectionBefore = true;
        Extras().SelectionBefore = document->Selection;
    }
    if (document->EditedHeaderFooter)
        CaptureHeaderFooterTexts(*document, Extras().TextsBefore);
}

TOperation::~TOperation()
{
    ClearSteps();
}

TOperation::TExtras& TOperation::Extras()
{
    if (!FExtras)
        FExtras = std::make_unique<TExtras>();
    return *FExtras;
}

size_t TOperation::StepCount() const
{
    return !FFirst ? 0 : 1 + (FExtras ? FExtras->More.size() : 0);
}

TSubOperation& TOperation::Step(size_t index) const
{
    return index == 0 ? *FFirst : *FExtras->More[index - 1];
}

void TOperation::ReserveStep()
{
    if (FFirst)
        Extras().More.reserve(Extras().More.size() + 1);
}

void TOperation::Add(std::unique_ptr<TSubOperation> step)
{
    if (!FFirst)
        FFirst = std::move(step);
    else
        Extras().More.push_back(std::move(step));
}

void TOperation::ClearSteps()
{
    // The newest steps go first: an older step may hold what a newer one refers to.
    if (FExtras)
        while (!FExtras->More.empty())
            FExtras->More.pop_back();
    FFirst.reset();
}

void TOperation::ReverseSteps()
{
    const size_t count = StepCount();
    for (size_t i = 0, j = count - 1; count > 1 && i < j; ++i, --j)
        std::swap(i == 0 ? FFirst : FExtras->More[i - 1], FExtras->More[j - 1]);
}

int64_t TOperation::GetMemorySize() const
{
    int64_t size = int64_t(sizeof(TOperation));
    if (FExtras) {
        size += int64_t(sizeof(TExtras)) + int64_t(FExtras->More.capacity() * sizeof(FExtras->More[0])) +
                FExtras->TextsBefore.GetMemorySize() + FExtras->TextsAfter.GetMemorySize();
    }
    for (size_t i = 0; i < StepCount(); ++i)
        size += Step(i).GetMemorySize();
    return size;
}

TUndoRange TOperation::SelectionBefore() const
{
    return FExtras && FExtras->HasSelectionBefore ? FExtras->SelectionBefore : EmptySelectionAt(CaretBefore);
}

TUndoRange TOperation::SelectionAfter() const
{
    return FExtras && FExtras->HasSelectionAfter ? FExtras->SelectionAfter : EmptySelectionAt(CaretAfter);
}

void TOperation::CaptureAfterState()
{
    if (Document->HasSelection()) {
        Extras().HasSelectionAfter = true;
        Extras().SelectionAfter = Document->Selection;
    } else if (FExtras) {
        FExtras->HasSelectionAfter = false;
    }
    CaretAfter = Document->Caret;
    CaretAfter.LineHint = Document->Caret.LineIndex;
    CaptureHeaderFooterState();
}

void TOperation::CaptureHeaderFooterState()
{
    if (FHeaderFooterCaptured)
        return;
    FHeaderFooterCaptured = true;
    if (Document->EditedHeaderFooter)
        CaptureHeaderFooterTexts(*Document, Extras().TextsAfter);
}

void TOperation::Undo(TChangedRange& range)
{
    range = EmptyChangedRange();
    // The header or footer field texts the steps left, which the page shown since may have changed.
    if (FExtras)
        RestoreHeaderFooterTexts(*Document, FExtras->TextsAfter);
    const size_t count = StepCount();
    TStepProgress progress("Annulation de %s ...", Kind, count);
    for (size_t i = count; i-- > 0;) {
        // A step that takes the caret into a header or footer from outside leaves it where it was.
        const TTextPos caret = Document->Caret;
        const bool outside = Document->StoryOfParagraph(caret.ParIndex) != stHeadersFooters;
        TChangedRange one;
        Step(i).Undo(one);
        Document->ChangedRanges->UnionChangedRange(range, one);
        if (outside && Document->StoryOfParagraph(Document->Caret.ParIndex) == stHeadersFooters)
            Document->Caret = caret;
        progress.Step(count - i);
    }
    SetRestoredState(range, SelectionBefore(), CaretBefore);
}

void TOperation::Redo(TChangedRange& range)
{
    range = EmptyChangedRange();
    if (FExtras)
        RestoreHeaderFooterTexts(*Document, FExtras->TextsBefore);
    const size_t count = StepCount();
    TStepProgress progress("Rétablissement de %s ...", Kind, count);
    for (size_t i = 0; i < count; ++i) {
        const TTextPos caret = Document->Caret;
        const bool outside = Document->StoryOfParagraph(caret.ParIndex) != stHeadersFooters;
        TChangedRange one;
        Step(i).Redo(one);
        Document->ChangedRanges->UnionChangedRange(range, one);
        if (outside && Document->StoryOfParagraph(Document->Caret.ParIndex) == stHeadersFooters)
            Document->Caret = caret;
        progress.Step(i);
    }
    SetRestoredState(range, SelectionAfter(), CaretAfter);
}

TTextStep* TOperation::SingleTypingStep() const
{
    if (StepCount() != 1)
        return nullptr;
    auto* step = dynamic_cast<TTextStep*>(FFirst.get());
    return step && step->IsSingleCharacter() ? step : nullptr;
}

void ApplyStep(TDocument& document, std::unique_ptr<TSubOperation> step, TChangedRange& range,
               TOperation* operation)
{
    // Room is made first: an applied step is always filed, so that a failure later can undo it.
    if (operation)
        operation->ReserveStep();
    TChangedRange one;
    step->Redo(one);
    document.ChangedRanges->UnionChangedRange(range, one);
    if (operation)
        operation->Add(std::move(step));
}
