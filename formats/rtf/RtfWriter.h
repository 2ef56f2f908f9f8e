// Writing a document, or a range of it, as Rich Text Format: into memory, for a file, the clipboard, a
// safety copy or the body of an encrypted document.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "document/TextPos.h"

class TDocument;
class TMemory;

struct TRtfWriteOptions {
    // Characters from 128 up written as they are, pictures kept as PNG or JPEG data and paragraph ends
    // as a backslash and CR (files of the program's own); otherwise 7-bit standard RTF.
    bool EightBit = false;
    // A safety copy: the information group names the document's own file and coding, and the caret.
    bool SafetyCopy = false;
    // The caret's place goes into the information group.
    bool KeepCaret = false;
    // The coding the document is saved in (named in a safety copy).
    int32_t Coding = 0;
    // Called after each paragraph of the body with the number written so far.
    std::function<void(int64_t)> Progress;
};

// Appends the RTF text of the range to Out. The document is not changed, except that pictures may get
// the PNG rendering they are written with.
void WriteRtf(TDocument& document, const TTextRange& range, const TRtfWriteOptions& options, TMemory& out);
