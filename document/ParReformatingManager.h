// The document's queue of paragraphs whose lines must be broken again.
#pragma once
#include <cstdint>
#include <vector>

#include "core/FormatRecords.h"

class TDocument;

class TParReformatingManager {
public:
    explicit TParReformatingManager(TDocument* document) : Document(document) {}

    // Queues paragraph I once.
    void AddParagraph(int32_t i);
    bool HasPending() const { return !Pending.empty(); }
    // Breaks every waiting paragraph again (the last queued first) unless the view is busy, and
    // refreshes the document once.
    void ReformatPending();
    // Breaks paragraph I again in place when its lines keep their number and heights (the pages stay
    // and the lines from the one before LineHint on are listed for repainting); otherwise drops or
    // rebuilds its lines for pagination to place. Range tells where layout must start again.
    void ReformatParagraph(int32_t i, int32_t lineHint, TChangedRange& range);

    TDocument* Document;
    std::vector<int32_t> Pending;
};
