// Reading Word documents of both generations (Word 6.0/95 and Word 97-2003) into a document: text,
// character and paragraph formats, styles, fonts, lists, sections and page setup, headers and footers,
// notes, fields, bookmarks, pictures and the document's settings and information.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TDocument;

// The streams of a Word document's storage.
class TWordStreamSource {
public:
    virtual ~TWordStreamSource() = default;
    // The whole stream Name of the storage's root; false when there is none or it cannot be read.
    virtual bool ReadStream(const char* name, std::vector<uint8_t>& bytes) = 0;
};

// What a read gave besides the document.
struct TWordReadResult {
    bool Read = false;      // the document was read
    bool Encrypted = false; // refused: the file is encrypted (nothing was read)
    bool Word97 = false;    // the generation read
    std::string Error;      // why reading failed (French), empty otherwise
    int64_t TextLength = 0; // characters of the main text
};

// Called now and then with the share of the text read so far (0 to 1).
using TWordProgress = std::function<void(double done)>;

// Reads the Word document of a storage into an empty document.
TWordReadResult ReadWordDocument(TDocument& document, TWordStreamSource& storage,
                                 const TWordProgress& progress = nullptr);
// Reads the Word document of a whole file held in memory, through the program's own bounded reader of
// compound files (no system service needed).
TWordReadResult ReadWordDocumentBytes(TDocument& document, const uint8_t* data, size_t size);
