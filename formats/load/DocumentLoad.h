// Loading a document from a file or a memory block: opening the file (also when another program holds
// it, or it is read-only), checking the chosen format and offering to detect the real one, choosing
// the reader.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "formats/rtf/RtfReader.h"

class TDocument;
class TStream;

// Bits of the document dispatcher's open mode that a load follows.
enum TDocOpenMode : uint8_t {
    omReadOnly = 16,   // the file is opened for reading only, even when it could be written
    omCopyInUse = 128, // a file that another program holds is read from a copy without asking
};

// The request of a load.
struct TDocOpeningOptions {
    uint8_t SourceKind = 0; // 0: the named file; otherwise the memory block
    int32_t Coding = 7;     // 0 to 6, or 7 and more to detect; on return the coding read, -1 given up
    std::string FileName;
    const void* MemoryBlock = nullptr;
    int64_t MemorySize = 0;
    int32_t ReaderCounter = 0;
    bool Quiet = false;   // no questions: a wrong format gives up, a file in use is copied
    uint8_t OpenMode = 0; // the dispatcher's open mode (TDocOpenMode bits)
};

// What a load leaves for the document.
struct TLoadedDocument {
    std::unique_ptr<TStream> File; // the file kept open (others may only read it); none for a copy
    bool ReadOnly = false;         // opened for reading only (refused writing, or asked so)
    bool FromCopy = false;         // another program held the file: a copy was read
    int64_t FileSize = 0;
    int64_t TextLength = 0;
    bool StyleSheetRead = false; // the file gave the document its style list
    std::string Password;        // of an encrypted document, enciphered in memory; a known one may be given
};

// Asks the user (text, kind, buttons, optional message number or 255) and returns the button pressed.
using TAskUser =
    std::function<int(const std::string& text, uint8_t kind, uint16_t buttons, uint8_t optional)>;
// The program's message routines.
int AskThroughMessages(const std::string& text, uint8_t kind, uint16_t buttons, uint8_t optional);

// Asks for the password of an encrypted document; false when the question is cancelled.
using TAskPassword = std::function<bool(std::string& password)>;

// Reads a document into Document (whose paragraph list must be empty); false when loading was given
// up or failed (the user has been told, unless the load was quiet or cancelled).
bool LoadDocumentFromFile(TDocument& document, TDocOpeningOptions& options, TLoadedDocument& loaded,
                          const TAskUser& ask = AskThroughMessages,
                          const TAskPassword& askPassword = nullptr);
