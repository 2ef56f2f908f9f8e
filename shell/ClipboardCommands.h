// The clipboard and piggy-bank commands (3340 - 3485), run by the edit executor.
#pragma once
#include <cstdint>

class TDocument;

// Runs a clipboard or piggy-bank command on the document the commands act on; false for another number.
bool ExecuteClipboardCommand(int32_t command, TDocument* document);
// Copies the document's rectangular selection with the busy cursor shown; a failure is shown and
// swallowed. The copy event fires either way. False when there is no clipboard manager.
bool CopyBlockSelection(TDocument& document);
