// Documents for the document window's tests: RTF text loaded from memory and laid out on all its pages.
#pragma once
#include <string>

#include "document/Document.h"
#include "formats/load/DocumentLoad.h"
#include "window/DocForm.h"

namespace qptest {

// Loads RTF text into a document and paginates it whole; false when the text could not be read.
inline bool LoadRtfText(TDocument& doc, const std::string& rtf)
{
    TDocOpeningOptions options;
    options.SourceKind = 1;
    options.MemoryBlock = rtf.data();
    options.MemorySize = int64_t(rtf.size());
    options.Quiet = true;
    TLoadedDocument loaded;
    if (!LoadDocumentFromFile(doc, options, loaded))
        return false;
    doc.SetModeFlag(mfSectionRangesStale, true);
    doc.InvalidatePagination();
    doc.PaginateAll();
    return true;
}

// A client point a third into the character after a text position (its nearest boundary is the position
// itself), the caret left at the next position.
inline TPoint PointInCharacter(TDocument& doc, TDocumentForm& window, int32_t par, int32_t offset)
{
    doc.SetCaret(par, offset, 0, 4);
    doc.MakeCaretVisible(1);
    const TPoint left{doc.CaretState.X + doc.CaretState.Shape.XOffset,
                      doc.CaretState.Y + doc.CaretState.Shape.Height / 2};
    doc.SetCaret(par, offset + 1, 0, 4);
    const TPoint right{doc.CaretState.X + doc.CaretState.Shape.XOffset, left.Y};
    return window.DocToClient(TPoint{left.X + (right.X - left.X) / 3, left.Y});
}

} // namespace qptest
