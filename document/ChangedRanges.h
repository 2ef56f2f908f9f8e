// Changed ranges: where layout must start again after an edit, their union, the lines laid out again in
// place, and bringing the document and its screen up to date afterwards.
#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "core/FormatRecords.h"

class TDocument;

class TChangedRanges {
public:
    explicit TChangedRanges(TDocument* document) : Document(document) {}

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

    TDocument* Document;
    // Lines laid out again in place (paragraph, line) that must be repainted.
    std::vector<std::pair<int32_t, int32_t>> ChangedLines;
};

// What repaints a document after a change; the drawing code installs it. It gets the united changed range
// and the lines laid out again in place, and takes from the list the lines it painted. Without it a change
// to the whole document invalidates the view, and nothing else is painted.
using TRepaintHook = void (*)(TDocument& document, const TChangedRange& range,
                              std::vector<std::pair<int32_t, int32_t>>& lines);
void SetRepaintHook(TRepaintHook hook);
