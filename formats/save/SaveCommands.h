// The user's save commands on a document: Save, Save As, Save as template and saving a selection.
#pragma once
#include <cstdint>
#include <string>

#include "formats/load/DocumentLoad.h"

class TDocument;
struct TTextRange;

// Results of the save commands.
enum TSaveCommandResult : uint8_t { scSaved = 0, scCancelled = 1, scFailed = 2 };

// Shows the document properties before a first save when the options ask for it (formatted codings
// only, or whenever Force); false when the user cancelled it.
bool AskSummaryBeforeSaving(TDocument& document, bool force);

// Save: through the document's own file when it has one that may be written; otherwise, and when the
// format would lose formatting the user will not lose, Save As with the dialog.
uint8_t SaveDocumentCommand(TDocument& document, const TAskUser& ask = AskThroughMessages);
// Save As: with the dialog (FileName is then the proposal, empty for the usual one), or under FileName
// in the document's coding. On success the document has the new name, coding and file; on failure it
// keeps its old ones and the old file is untouched.
uint8_t SaveDocumentAs(TDocument& document, const std::string& fileName, bool showDialog,
                       const TAskUser& ask = AskThroughMessages);
// Save as template: a copy of the whole document into the templates folder, the document keeping its
// own name.
uint8_t SaveDocumentAsTemplate(TDocument& document, const TAskUser& ask = AskThroughMessages);

// Writes a range into a new file of its own in a coding; the document's state, name and password stay.
bool SaveRangeToFile(TDocument& document, const TTextRange& range, const std::string& fileName,
                     int32_t coding, const TAskUser& ask = AskThroughMessages);
// Save the selection into a file (the dialog starts in Folder when it is given); false when nothing was
// written.
bool SaveSelectionToFile(TDocument& document, const std::string& folder,
                         const TAskUser& ask = AskThroughMessages);

// The name proposed for an insert made of a text: its first words, at most 50 characters, without what
// cannot end a word or a file name; empty when nothing usable remains.
std::string InsertNameFromText(const std::string& text);
// Save the selection as an insert: into the inserts folder (made with its "Images" sub-folder when
// missing); false when nothing was written.
bool SaveSelectionAsInsert(TDocument& document, const TAskUser& ask = AskThroughMessages);

// Writes the document as it stands now into a temporary file (in its coding, RTF for a coding without a
// writer) and makes a backup copy of that under the document's name, leaving the document's state alone.
struct TBackupSettings;
void BackUpCurrentText(TDocument& document, const TBackupSettings& settings);

// The warning given when another open document has the name chosen.
std::string SameNameWarning(const std::string& fileName);
