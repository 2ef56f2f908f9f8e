// What the paragraph and character commands share: the formats they start from and the running of
// their change records on the document.
#pragma once
#include <cstdint>

#include "core/FormatRecords.h"
#include "document/TextPos.h"

class TDocument;

// The main window's mouse is the format painter: the formatting commands change the painter's formats.
bool InFormatPainterMode();
// The formats the commands start from: the painter's in format-painter mode, else the selection's.
void CommandFormats(TDocument& doc, TCharFormat& charFormat, TParaFormat& paraFormat);
// The selection of the document, or the caret as an empty range.
TTextRange CommandRange(const TDocument& doc);
// The formats over the selection (at the caret without one); fields that differ are not set.
void SelectionFormats(TDocument& doc, TCharFormat& charFormat, TParaFormat& paraFormat);
// Runs a change record as one operation: the fields equal to the selection's are dropped first. In
// format-painter mode the record goes over the painter's format instead.
void ApplyParagraphChange(TDocument& doc, TParaFormat change);
void ApplyCharacterChange(TDocument& doc, TCharFormat change);
// A field set to 1 when it is 0 or mixed, else 0; Value when it is not already so, else Off.
int32_t Toggled(int32_t current);
int32_t SetOrClear(int32_t current, int32_t value, int32_t off);
