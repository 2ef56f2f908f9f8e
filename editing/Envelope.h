// Envelopes as a document edit: a section of the envelope's size at the document's start with the
// sender's and the recipient's address blocks.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "core/FormatRecords.h"

class TDocument;
class TOperation;
class TStyleList;

// Built-in style ids of the address blocks.
constexpr int32_t RecipientAddressStyleId = 36;
constexpr int32_t SenderAddressStyleId = 37;

// A document read from a text in the program's native format (the address-style template of the
// settings); installed by the file formats, none where it is not installed or the text does not read.
using TDocumentTextLoader = std::unique_ptr<TDocument> (*)(const std::string& text);
extern TDocumentTextLoader DocumentTextLoader;

// The program's own address styles: a list holding "Normal" and the two address styles.
std::unique_ptr<TStyleList> MakeBuiltInAddressStyles();

// Makes the caret's section the envelope (a new section of its own before the caret unless the caret
// stands in the empty first paragraph of its section and Reuse is set or the document has several
// sections): the envelope's page size, landscape, no margins, empty headers and footers, the address
// styles, then the sender's block (when there is one) and the recipient's at the positions of the
// envelope settings.
void CreateEnvelope(TDocument& doc, const std::string& recipient, const std::string& sender, bool reuse,
                    TChangedRange& range, TOperation* operation);
// The leading pages, from the first and fewer than the page count, that hold an address paragraph.
int32_t HasEnvelope(TDocument& doc);
