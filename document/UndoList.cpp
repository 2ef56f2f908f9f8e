// The base of undo records.
#include "document/UndoList.h"

TUndoRecord::~TUndoRecord() = default;
