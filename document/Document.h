// The document: the root of one open document, its members grouped by topic.
#pragma once
#include <memory>
#include <vector>

#include "document/Paragraph.h"

// Each topic of the document is implemented in a source file of its own.
class TDocument {
public:
    TDocument();
    ~TDocument();
    TDocument(const TDocument&) = delete;
    TDocument& operator=(const TDocument&) = delete;

    // --- Paragraphs (DocParagraphs.cpp) ---
    // The paragraphs of all stories, one story after another; owned.
    std::vector<std::unique_ptr<TParagraph>> Paragraphs;
};
