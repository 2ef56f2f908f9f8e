// Headers and footers as undoable edits: making the missing ones, and page numbers.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "document/Document.h"

class TOperation;

// Enters header and footer editing, the first section's missing headers and footers made first as one
// undoable operation; or leaves it.
void ToggleHeaderFooterEditing(TDocument& doc, int32_t page, const TTextPos* leavePosition);
// Puts page-number fields into the headers or footers as one undoable operation, unless one of them
// already holds text.
void InsertPageNumbers(TDocument& doc, const TPageNumberChoice& choice);
// Puts header and footer paragraphs at the start of story 3 with the block fields they hold, then makes
// Slots the section's six header and footer slots: two steps.
void InstallHeaderFooterBlocks(TDocument& doc, TSection& section,
                               std::vector<std::unique_ptr<TParagraph>> made,
                               std::vector<std::unique_ptr<TField>> fields, TField* const slots[6],
                               TChangedRange& range, TOperation* operation);
