// Where a page-setup or columns change applies (the apply-to choices of the page dialogs) and applying
// it to the chosen sections, with the section breaks the choice needs; unequal column widths fitted to
// the text width.
#pragma once
#include <cstdint>
#include <vector>

#include "document/PageSetup.h"
#include "document/TextPos.h"

class TDocument;

// The apply-to choices, by index in their list of texts.
enum TApplyTo : uint8_t {
    atWholeDocument = 0,    // "à tout le document"
    atFromHere = 1,         // "à partir de ce point"
    atSelection = 2,        // "à la sélection"
    atThisSection = 3,      // "à cette section"
    atSelectedSections = 4, // "aux sections sélectionnées"
    atNone = 255
};
// The text shown for a choice.
const char* ApplyToText(uint8_t choice);

// Unequal columns whose widths and gaps do not add up to the text width get widths in proportion to
// the room the gaps leave. Widths that add up to nothing are left alone.
void FitColumnWidths(TSectionParams& params, const TPageSetup& pageSetup);

// The choices that fit the selection, in the order the list shows them; Choice becomes the one to
// select (the first when none was given, or the whole document where a narrower choice exists).
std::vector<uint8_t> ApplyToChoices(TDocument& doc, uint8_t& choice);

// Widens a range to whole sections: from the first paragraph of its page-setup owner to the last
// paragraph of the last section that continuous breaks join to it.
void ExpandRangeToSectionRun(TDocument& doc, TTextRange& range);

// Applies a page-setup request (fields not set are left alone) to the sections the choice names (or to
// Range when given), inserting the section breaks the choice needs, as one undoable operation; the
// continuous breaks at its ends become new-page breaks.
void ApplyPageSetup(TDocument& doc, uint8_t choice, const TTextRange* range, const TPageSetup& request);
// Applies columns (fields not set are left alone; each section keeps its break kind) likewise.
void ApplyColumns(TDocument& doc, uint8_t choice, const TTextRange* range, const TSectionParams& request);
