// The document's undo and redo manager.
#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "core/FormatRecords.h"

class TDocument;

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
    // Brings the document up to date after a change: the lines updated in place, the caret.
    void RefreshAfterChange(const TChangedRange& range);

    TDocument* Document;
    // The index at which the document was last saved (-1: never); INT32_MIN once that state cannot
    // come back, so that undoing never makes the document unmodified again.
    int32_t SavedMark = -1;
    // Lines laid out again in place (paragraph, line) that must be repainted.
    std::vector<std::pair<int32_t, int32_t>> ChangedLines;
};
