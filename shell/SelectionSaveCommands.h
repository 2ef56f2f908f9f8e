// The commands that save a part of the active document: the selection (3680), the selected picture (3700)
// and the selection as an insert (5250).
#pragma once
#include <cstdint>
#include <string>

class TDocObject;
class TDocument;

// Runs one of those commands; false for any other number.
bool ExecuteSelectionSaveCommand(int32_t command);
// The picture save command on the document: the selected picture through the picture save dialog.
bool SaveSelectedPicture(TDocument& document);
// The picture save dialog, then the file; true when it was written.
bool SavePictureAs(TDocObject& picture);
