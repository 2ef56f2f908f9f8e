// The document dispatcher: the open documents, their windows and the decoded pictures they keep.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "document/DocumentHost.h"

class TDocument;

class TDocDispatcher : public TDocumentHost {
public:
    static constexpr int MaxDocuments = 50;

    // Serves the documents from now on: their windows, busy states and the picture cache limits (16
    // decoded pictures, three times as many on NT-family systems; half the physical memory).
    TDocDispatcher();
    // Closes every document, the last first.
    ~TDocDispatcher() override;
    TDocDispatcher(const TDocDispatcher&) = delete;
    TDocDispatcher& operator=(const TDocDispatcher&) = delete;

    // Lists a document as open; the dispatcher owns it from now on.
    TDocument* AddDocument(std::unique_ptr<TDocument> document);
    // Removes a document from the list and frees it (its window at once unless FromWindow).
    void CloseDocument(TDocument* document, bool fromWindow);
    int DocumentCount() const { return int(Documents.size()); }
    TDocument* Document(int index) const { return Documents[size_t(index)].get(); }
    // The open document of that file, searching from the newest; none when it is not open.
    TDocument* FindDocument(const std::string& fileName) const;
    bool IsOpen(const std::string& fileName) const { return FindDocument(fileName) != nullptr; }

    // Every open document's window is painted again (after the colours or the fonts changed).
    void RelayoutAllDocuments();
    // Makes a document's colour scheme the one painting uses; nothing without a document.
    void ApplyDocumentColors(TDocument* document);

    TDocumentForm* CreateDocumentWindow(TDocument* document) override;
    void FreeDocumentWindow(TDocumentForm* window, bool atOnce) override;
    TDocumentView* ViewOf(TDocumentForm* window) override;
    bool IsWindowBusy(TDocumentForm* window, uint32_t mask) override;
    bool EditDocumentProperties(TDocumentInfo& info) override;
    // The password dialogs of encrypted documents.
    bool AskPassword(bool forSaving, std::string& password) override;
    // The data folder's "Modèles de document", where the document templates are.
    std::string TemplatesFolder() override;
    bool FreeOldestPictureCache(TDocObject* except) override;
    bool IsDocumentOpen(const std::string& fileName) override { return IsOpen(fileName); }
    std::string UserDocumentsFolder() override;

private:
    std::vector<std::unique_ptr<TDocument>> Documents;
};

// The one dispatcher while it exists.
TDocDispatcher* GetDocDispatcher();
