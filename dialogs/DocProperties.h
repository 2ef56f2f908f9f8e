// The document properties dialog: title, subject, author, keywords and comments of a document.
#pragma once

struct TDocumentInfo;

// Shows the five properties of the record; on OK writes them back and returns true.
bool ExecuteDocPropertiesDialog(TDocumentInfo& info);
