// The content of a whole scratch document (a paste, a duplicated range, a clip) taken over by another
// document as a tagged buffer, and inserted there as text steps of one operation.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "core/FormatRecords.h"
#include "core/Memory.h"
#include "document/TextPos.h"

class TDocument;
class TField;
class TOperation;

struct TDocumentContent {
    // Tagged text, paragraph ends as the byte 29; it starts with the insertion format's tags.
    TMemory Buffer;
    // The paragraph format of every paragraph the buffer ends, in order.
    std::vector<TParaFormat> Formats;
    // The fields its marks name, taken from the source; they enter the target with the text.
    std::vector<std::unique_ptr<TField>> Fields;
    // Character positions in the buffer.
    int32_t Positions = 0;
};

// Takes the main text of Source for Target: its pictures pass to the target's object manager, its fields
// to Content (a bookmark whose name the target already has loses its marks), its styles are found again
// in the target by name (else the target's first style), its tab tables registered with the target's tab
// manager; section breaks become paragraph ends. The text starts in the target's insertion format, and the
// source's final paragraph mark is left out. Source is left empty of objects and fields.
void TakeDocumentContent(TDocument& target, TDocument& source, TDocumentContent& content);

// Inserts the content at Pos as one text step (options as for InsertDeleteText), then gives each paragraph
// it ended its format.
void InsertDocumentContent(TDocument& doc, TDocumentContent& content, const TTextPos& pos, uint8_t options,
                           TChangedRange& range, TOperation* operation);

// Makes the selection the insertion point: it is deleted ("ReplaceSel") or the caret goes to its end;
// the insertion formats are prepared at the caret.
void MakeInsertionPoint(TDocument& doc, TChangedRange& range, TOperation* operation);

// Inserts the whole main text of Source at the selection of Target as one undoable operation: a
// formatted source with its formatting, pictures and fields, the styles it uses that Target lacks added
// to Target's style list in the same operation; a plain-text source as text in Target's formats. Source
// gives up its pictures and fields (pass a copy of a document that stays open). False when nothing was
// inserted.
bool InsertDocument(TDocument& target, TDocument& source);

// A copy of a range of a document as a scratch document of its own (the native format written to memory
// and read back), installed by the file formats; none where it is not installed or the copy failed.
using TRangeCopier = std::unique_ptr<TDocument> (*)(TDocument& source, const TTextRange& range);
extern TRangeCopier RangeCopier;
