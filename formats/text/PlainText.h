// Plain text in the ANSI and DOS code pages: reading a file into paragraphs and writing a range back.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "core/FormatRecords.h"
#include "document/TextPos.h"

class TDocument;
class TLoadInput;
class TMemory;

// What every paragraph of a text file starts with: the formats of the coding's template.
struct TPlainTextFormats {
    std::vector<uint8_t> InitialTags; // inline tags (character formats)
    TParaFormat ParaFormat = DefaultParaFormat();
};

// Reads the data into the document's paragraph list (which must be empty): one paragraph per line.
// A CR LF pair is one line end, every other CR or LF one each, so blank lines survive. The text length
// read is added to TextLength.
void ReadPlainTextDocument(TDocument& document, TLoadInput& input, const TPlainTextFormats& formats,
                           int64_t& textLength);

// Appends the range as 8-bit text to Out. Compact gives spaces for line and paragraph ends; ForFile
// drops the final paragraph mark of a range that reaches the very end of its last paragraph.
// ParagraphDone hears the number of paragraphs written so far after each one.
void WritePlainText(const TDocument& document, const TTextRange& range, bool compact, bool forFile,
                    TMemory& out, const std::function<void(int64_t written)>& paragraphDone = nullptr);
