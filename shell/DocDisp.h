// The document dispatcher: the open documents, their windows and the decoded pictures they keep.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "document/DocumentHost.h"

class TDocument;
class TStream;

// Flags of TDocDispatcher::OpenDocument.
enum TOpenDocumentFlag : uint32_t {
    odOpen = 0x1,      // an ordinary open
    odRecovery = 0x2,  // a recovery copy: marked restored, no limit, no histories
    odNoHistory = 0x4, // the histories are left alone
    odReadOnly = 0x8,  // opened for reading only, even when the file could be written
};
// State flags of the dispatcher.
enum TDispatcherState : uint16_t {
    dsOpeningStartup = 0x1,
    dsLoading = 0x2,
    dsReloading = 0x8,
};

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

    // True when fewer than 50 documents are open; otherwise says so and returns false.
    bool CanOpenAnother();
    // Opens a file in a new document window; true when a document was opened.
    bool OpenDocument(const std::string& fileName, int32_t coding, uint32_t flags);
    // Opens a document (the format detected), or a picture file into a new document.
    bool OpenFile(const std::string& fileName);
    // A new document holding the picture of a file, named after it; true when the picture went in.
    bool OpenPicture(const std::string& fileName);
    // A new document (command 100): from the default template when there is one; null when refused.
    TDocument* NewDocument();
    // A new document with sounds suspended; the newest document or null.
    TDocument* NewDefaultDocument();
    // The recovery copies ("*.qad" in the temporary folder) that no running copy holds; empty ones are
    // deleted. True when at least one remains.
    bool FindRecoveryFiles();
    // Writes the default templates that the templates folder lacks (creating the folder).
    void WriteDefaultTemplates();
    const std::vector<std::string>& RecoveryFiles() const { return Recovery; }
    // Offers the recovery copies, reopens the last session's documents, opens the command-line
    // documents and creates a new document unless told not to.
    void OpenStartupDocuments();
    // Writes each document changed since its last safety copy to its recovery copy, kept open so that no
    // other copy takes it; with backups on, the document's file and its current text go to the backups.
    void AutosaveAll();
    // Inserts a file at the selection of a document (the file's text and formatting, or a picture).
    void InsertFileInto(TDocument* document, const std::string& fileName);
    // Files dropped on the main window (each opened while fewer than 50 documents are open).
    void DropFiles(const std::vector<std::string>& files, bool insert);
    // The ";"-separated paths of the open documents that have files (to reopen at the next start).
    std::string OpenDocumentList() const;
    // The document was restored from a recovery copy, or is an untouched new document.
    bool IsRestored(const TDocument* document) const;
    bool IsNewDocument(const TDocument* document) const;

    uint16_t State = 0;
    int OpenedCount = 0;

    // Lists a document as open; the dispatcher owns it from now on.
    TDocument* AddDocument(std::unique_ptr<TDocument> document);
    // Removes a document from the list and frees it (its window at once unless FromWindow).
    void CloseDocument(TDocument* document, bool fromWindow);
    int DocumentCount() const { return int(Documents.size()); }
    TDocument* Document(int index) const { return Documents[size_t(index)].get(); }
    // The open document of that file, searching from the newest; none when it is not open.
    TDocument* FindDocument(const std::string& fileName) const;
    bool IsOpen(const std::string& fileName) const { return FindDocument(fileName) != nullptr; }
    TDocument* FindOpenDocument(const std::string& fileName) override { return FindDocument(fileName); }
    // Backs up a document's file and its current text (the backup command and the safety copies).
    void BackUpDocument(TDocument& document);

    // Every open document's window is painted again (after the colours or the fonts changed).
    void RelayoutAllDocuments();
    // The spell checker changed: every open document, last first, is checked again in the background
    // (its marks drawn anew) when the background check is on.
    void RecheckDocuments();
    // The window elements that the options keep for the document's kind of view (print preview or not)
    // become the ones shown; the windows are laid out again when that changed anything.
    void ApplyDocumentViewSettings(TDocument* document);
    // Makes a document's colour scheme the one painting uses; nothing without a document.
    void ApplyDocumentColors(TDocument* document);

    TDocumentForm* CreateDocumentWindow(TDocument* document) override;
    void FreeDocumentWindow(TDocumentForm* window, bool atOnce) override;
    TDocumentView* ViewOf(TDocumentForm* window) override;
    bool IsWindowBusy(TDocumentForm* window, uint32_t mask) override;
    bool EditDocumentProperties(TDocumentInfo& info) override;
    bool AskSaveFileName(TSaveDialogRequest& request) override;
    void DocumentRenamed(TDocument* document) override;
    // The password dialogs of encrypted documents.
    bool AskPassword(bool forSaving, std::string& password) override;
    // The data folder's "Modèles de document", where the document templates are.
    std::string TemplatesFolder() override;
    bool FreeOldestPictureCache(TDocObject* except) override;
    bool IsDocumentOpen(const std::string& fileName) override { return IsOpen(fileName); }
    void InvalidateCommands() override;
    bool PutTextOnClipboard(const std::string& text) override;
    bool CopyBlockToClipboard(TDocument& document) override;
    void CalculationBeep() override;
    bool OpenLink(const std::string& target) override;
    void AddToRecentFiles(TDocument* document) override;
    void ShowProgressText(const std::string& text) override;
    void BeginProgress(int64_t total, const std::string& text, const std::string& path) override;
    void StepProgress(int64_t position) override;
    void EndProgress(bool filled) override;
    void PushStatusText() override;
    void PopStatusText() override;
    // A document is inside a delicate operation (an exception there closes it).
    bool InDelicateOperation() const { return BusyCount > 0 && BusyDocument; }
    TDocument* DelicateDocument() const { return BusyDocument; }
    void ResetDelicateOperation()
    {
        BusyCount = 0;
        BusyDocument = nullptr;
    }
    std::string UserDocumentsFolder() override;

private:
    // What the dispatcher keeps about each document.
    struct TDocumentState {
        bool Restored = false;
        bool New = false;
        std::string RecoveryFile;
        std::unique_ptr<TStream> RecoveryStream; // held open against other copies
        int64_t SafetyEditCount = -1;            // the document's edit count at its last safety copy
    };
    // Lists a loaded document and shows its window.
    void ShowNewDocument(TDocument* document);

    std::vector<std::unique_ptr<TDocument>> Documents;
    std::map<const TDocument*, TDocumentState> States;
    std::vector<std::string> Recovery;
};

// The one dispatcher while it exists.
TDocDispatcher* GetDocDispatcher();
