// The document's undo and redo manager: recording operations, undoing and redoing them, the memory
// limit, the modified state, and bringing layout and screen up to date after a change.
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

    // --- Changed ranges (ChangedRanges.cpp) ---
    // Unites what a step changed into Dest: the earliest paragraph wins, the later step's selection
    // and caret win.
    void UnionChangedRange(TChangedRange& dest, const TChangedRange& src);
    // Where layout must start again for a change in a paragraph: the first of the paragraphs kept with
    // it, and the page of its first line.
    void SetChangedRangeStart(TChangedRange& range, int32_t paragraph);
    // Lists a line updated in place for repainting, once.
    void AddUniquePair(int32_t paragraph, int32_t line);
    void RemovePairsFrom(int32_t paragraph);
    // Brings the document up to date after a change: pagination from the first changed page, the
    // caret and selection, scrolling, and the repaint of what changed.
    void RefreshAfterChange(const TChangedRange& range);

    // --- Undo and redo (UndoManager.cpp) ---
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

    TDocument* Document;
    // Lines laid out again in place (paragraph, line) that must be repainted.
    std::vector<std::pair<int32_t, int32_t>> ChangedLines;
    // The most memory the recorded operations may take; 0 until the first operation is recorded, which
    // takes the machine's limit (UndoMemoryLimit).
    int64_t MemoryLimit = 0;

private:
    // Undoes (or redoes) the current operation with its typing group or linked ones, or all of them.
    void Replay(bool undo, bool all, bool refresh, TChangedRange& range);
};

// One eighth of the machine's physical memory, and no more than a 32-bit process can spare (256 MB).
int64_t UndoMemoryLimit(uint64_t physicalMemory);

// What repaints a document after a change; the drawing code installs it. It gets the united changed range
// and the lines laid out again in place, and takes from the list the lines it painted. Without it a change
// to the whole document invalidates the view, and nothing else is painted.
using TRepaintHook = void (*)(TDocument& document, const TChangedRange& range,
                              std::vector<std::pair<int32_t, int32_t>>& lines);
void SetRepaintHook(TRepaintHook hook);
