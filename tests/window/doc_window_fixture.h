// Points of the document window for its tests: where a click lands on a character of the text.
#pragma once
#include <cstdint>

#include "document/Document.h"
#include "tests/common/rtf_document.h"
#include "window/DocForm.h"

namespace qptest {

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
