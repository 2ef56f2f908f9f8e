// Embedded OLE objects of Rich Text Format files: the "object" group with its kind, class, name, size,
// native data and result picture, and the "result" group met on its own.
#pragma once
#include <functional>
#include <memory>

class TDocOLEObject;
class TDocument;
class TRtfTokenizer;

// The reader's own handling of a destination group whose target is the document (word number, the
// group's depth); false when the group is to be skipped.
using TRtfDocumentDispatch = std::function<bool(int word, int depth)>;

// Reads the rest of an "object" group opened at Depth. Formatting inside it does not reach the
// document; a "shppict" group in its result is a group of the text (its picture goes to the document
// through ToDocument). The object when its result gave it a picture, none otherwise. A group left
// open by a damaged file ends at the first paragraph word at its own level: that word is put in Stray
// (End when none) for the document to read.
struct TRtfToken;
std::unique_ptr<TDocOLEObject> ReadRtfObject(TRtfTokenizer& tokenizer, int depth, TDocument& document,
                                             const TRtfDocumentDispatch& toDocument, TRtfToken& stray);

// Reads the rest of a "result" group opened at Depth: its destinations go to the object (none: to the
// document through ToDocument), other groups are entered, and text and words are passed over.
void ReadRtfObjectResult(TRtfTokenizer& tokenizer, int depth, TDocOLEObject* object,
                         const TRtfDocumentDispatch& toDocument);
