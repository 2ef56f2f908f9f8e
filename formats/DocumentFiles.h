// Loading and saving a document with what it keeps between the two: its open file, the way it was
// opened and its password.
#pragma once
#include <cstdint>

class TDocument;
struct TDocOpeningOptions;
struct TDocSavingOptions;

// Reads the document (its paragraph list empty) from a file or a memory block; the file stays open in
// the document's FileStream unless it was opened for reading only, read from a copy or lies on a
// removable disk. False when loading was given up or failed (the user has been told).
bool OpenDocumentFile(TDocument& document, TDocOpeningOptions& options);
// Writes a range into the document's file (a new file put in place of the old one once complete) or
// into memory: 0 written, 2 failed or cancelled (the old file as it was).
uint8_t SaveDocumentFile(TDocument& document, const TDocSavingOptions& options);
