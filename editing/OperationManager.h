// The document's undo and redo manager.
#pragma once

class TDocument;

class TOperationManager {
public:
    explicit TOperationManager(TDocument* document) : Document(document) {}

    TDocument* Document;
};
