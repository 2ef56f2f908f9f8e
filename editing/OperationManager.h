// The document's undo and redo manager: recording operations, undoing and redoing them, the memory
// limit and the modified state. Bringing layout and screen up to date is the document's (ChangedRanges.h).
#pragma once
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "core/FormatRecords.h"

class TDocument;
class TOperation;

class TOperationManager {
public:
    explicit TOperationManager(TDocument* document) : Document(document) {}

    // Records an operation after the current one (an empty one is freed): the redo part is dropped,
    // and the oldest operations while the memory limit is exceeded.
    void AddOperation(std::unique_ptr<TOperation> operation);
    // Undoes the current operation, with the typing group or the linked operations before it; Range
    // gets their union. Without Refresh the document is left to the caller.
    void Undo(bool refresh, TChangedRange& range);
    void Redo(bool refresh, TChangedRange& range);
    void Undo();
    void Redo();
    void UndoAll();
    void RedoAll();
    bool CanUndo() const;
    bool CanRedo() const;
    // Forgets the undo part (the marks follow), or the redo part.
    void DiscardUndo();
    void DiscardRedo();
    // After a save: the undo part goes unless the settings keep it, and the saved mark is the current
    // index.
    void DocumentSaved();
    // The recorded operation at an index of the undo list.
    TOperation* OperationAt(int32_t index) const;
    // Puts the caret back where the current operation left it (or, with everything undone, where the
    // first one found it) when that place lies in the story being edited; without operations only
    // the selection is collapsed.
    void GoToLastEdit();

    TDocument* Document;
    // The most memory the recorded operations may take; 0 until the first operation is recorded, which
    // takes the machine's limit (UndoMemoryLimit).
    int64_t MemoryLimit = 0;

private:
    // Undoes (or redoes) the current operation with its typing group or linked ones, or all of them.
    void Replay(bool undo, bool all, bool refresh, TChangedRange& range);
};

// One eighth of the machine's physical memory, and no more than a 32-bit process can spare (256 MB).
int64_t UndoMemoryLimit(uint64_t physicalMemory);
