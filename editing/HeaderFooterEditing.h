// Headers and footers as undoable edits: making the missing ones, and page numbers.
#pragma once
#include <cstdint>

#include "document/Document.h"

// Enters header and footer editing, the first section's missing headers and footers made first as one
// undoable operation; or leaves it.
void ToggleHeaderFooterEditing(TDocument& doc, int32_t page, const TTextPos* leavePosition);
// Puts page-number fields into the headers or footers as one undoable operation, unless one of them
// already holds text.
void InsertPageNumbers(TDocument& doc, const TPageNumberChoice& choice);
