// Documents written into memory and read back from it: the clipboard's formats, clips and duplicated
// ranges go through these.
#pragma once
#include <cstdint>
#include <memory>

#include "document/TextPos.h"

class TDocument;
class TMemory;

// Appends a range of the document written in a coding to Out, leaving the document's state alone; false
// when the writer failed (nobody is asked anything).
bool SaveRangeToMemory(TDocument& document, const TTextRange& range, int32_t coding, TMemory& out);
// A hidden document read from a memory block in a coding, quietly; none when it cannot be read.
std::unique_ptr<TDocument> LoadDocumentFromMemory(const void* data, int64_t size, int32_t coding);
// A range as a hidden document of its own: written in the native format and read back.
std::unique_ptr<TDocument> CopyRangeAsDocument(TDocument& source, const TTextRange& range);
// Makes CopyRangeAsDocument the range copier of the editing floor, and gives it the loaders of style
// sources (tables of contents) and of the envelope's address-style template.
void InstallRangeCopier();
