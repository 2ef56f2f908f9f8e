// The document's queue of paragraphs whose lines must be broken again.
#pragma once
#include <cstdint>
#include <vector>

class TDocument;

class TParReformatingManager {
public:
    explicit TParReformatingManager(TDocument* document) : Document(document) {}

    // Queues paragraph I once.
    void AddParagraph(int32_t i);
    bool HasPending() const { return !Pending.empty(); }

    TDocument* Document;
    std::vector<int32_t> Pending;
};
