// Inserting a document file at the selection of another document.
#pragma once
#include <cstdint>
#include <string>

class TDocument;

// Inserts the file's document at Target's selection as one undoable operation (coding 7 and more: the
// format is detected). A document open in another window that is unchanged, or has never been saved,
// is inserted from a copy of itself, so that its pictures, fields and styles stay its own; otherwise the
// file is read into a hidden document. False when nothing was inserted (the user was told why).
bool InsertFile(TDocument& target, const std::string& fileName, int32_t coding = 7);
