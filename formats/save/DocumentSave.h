// Saving a document: the request, the writer chosen by coding, the bookkeeping after a save. A file is
// never destroyed by a save: the new file is written beside the old one and replaces it only once
// complete, and a failed or cancelled save leaves the old file as it was and says so.
#pragma once
#include <cstdint>
#include <string>

#include "document/TextPos.h"
#include "formats/load/DocumentLoad.h"

class TMemory;

// Save results.
constexpr uint8_t kSaveWritten = 0;
constexpr uint8_t kSaveFailed = 2;

// Tells the user that documents of the coding cannot be saved.
void SayCannotSave(int coding, const TAskUser& ask);

// Flags of a save request.
enum TDocSavingFlags : int32_t {
    sfKeepState = 1,  // the document's state is left alone: no modified flag, dates or recent-files entry
    sfCompact = 2,    // plain text on one line: spaces for breaks and tabs, hyphens for dashes
    sfWebPage = 4,    // a web page whatever the coding
    sfSafetyCopy = 8, // a safety copy: the RTF names the document's own file and format, and its caret
};

// The request of a save.
struct TDocSavingOptions {
    uint8_t ToMemory = 0; // 0: the document's file; otherwise appended to MemoryBlock
    TTextRange Range{};   // what to write (TDocument::GetBodyRange for a whole document)
    int32_t Coding = 0;
    TMemory* MemoryBlock = nullptr;
    std::string SourceFileName; // the document's own name when a temporary file is written
    int32_t Flags = 0;          // TDocSavingFlags
};

// Saves a range of the document as the request says, into the document's file (its FileName) or into
// memory; on success, unless the state is to be kept, the document takes the coding, is no longer
// modified, and its name goes to the recent files. The save runs with mode flag 63 on.
uint8_t SaveDocument(TDocument& document, const TDocSavingOptions& options, TLoadedDocument& loaded,
                     const TAskUser& ask = AskThroughMessages);

// Saves the whole document under another name (with Flags bit 0, as a web page) leaving the document's
// own name, file and state as they were.
uint8_t SaveDocumentToNamedFile(TDocument& document, const std::string& fileName, int32_t flags,
                                const TAskUser& ask = AskThroughMessages);

// Writes the whole document to FileName in a coding, leaving the document's state and name alone. The
// kept file of Loaded is closed for the replacement and opened again on the new file.
uint8_t SaveDocumentToFile(TDocument& document, const std::string& fileName, int32_t coding,
                           TLoadedDocument& loaded, const TAskUser& ask = AskThroughMessages);
// The same for a range of the document into a file of its own (none kept open afterwards).
uint8_t SaveRangeToNamedFile(TDocument& document, const TTextRange& range, const std::string& fileName,
                             int32_t coding, const TAskUser& ask = AskThroughMessages);

// Writes the document's safety copy into FileName: RTF naming the document's own file, enciphered when
// the document is encrypted and has its password; the document's state and name are left alone.
uint8_t WriteSafetyCopy(TDocument& document, const std::string& fileName,
                        const TAskUser& ask = AskThroughMessages);
