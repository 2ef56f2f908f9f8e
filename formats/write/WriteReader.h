// Reading Windows Write documents into a document: text, paragraph properties (alignment, indents, line
// spacing, tab stops), character properties (font, size, bold, italic, underline, vertical position)
// and metafile pictures; header and footer paragraphs are left out.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

class TDocument;

struct TWriteReadResult {
    bool Read = false;
    std::string Error; // why reading failed (French), empty otherwise
    int64_t TextLength = 0;
};

// Reads the Write document held in memory (the whole file) into an empty document. Every page number,
// count, offset and picture size is checked against the file.
TWriteReadResult ReadWriteDocument(TDocument& document, const uint8_t* data, size_t size);
