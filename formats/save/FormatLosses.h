// What a document format cannot keep of a document's formatting, and the question asked before a
// save would lose it.
#pragma once
#include <string>

#include "formats/load/DocumentLoad.h"

class TDocument;
struct TTextRange;

// The losses saving Range in Coding would cause: the French list shown in the question (empty when the
// coding names none of them), and Lost telling whether anything would be lost at all.
std::string ListFormatLosses(TDocument& document, const TTextRange& range, int coding, bool& lost);

// Before a save in Coding of Range, or of the whole document when Range is null: true when the user
// must choose another format (the coding cannot be saved, or the user refused the losses). The
// question is asked once per document for whole-document saves.
bool CheckFormatLosses(TDocument& document, const TTextRange* range, int coding,
                       const TAskUser& ask = AskThroughMessages);
