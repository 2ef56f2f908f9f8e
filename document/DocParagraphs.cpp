// The document's paragraph list.
#include "document/Document.h"

TDocument::TDocument() = default;

TDocument::~TDocument() = default;
