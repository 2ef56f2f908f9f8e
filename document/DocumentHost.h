// What the document engine asks of the program around it: the open-documents list and document windows.
#pragma once
#include <cstdint>
#include <string>

class TDocObject;
class TDocument;
class TDocumentForm;
class TDocumentView;
struct TCharFormat;
struct TDocumentInfo;
struct TTextRange;

// What the main window's save dialog is given and answers: its title, the starting folder, the proposed
// name and the filter index (from 1, in the save filter's order).
struct TSaveDialogRequest {
    std::string Title;
    std::string Folder;
    std::string FileName;
    int32_t FilterIndex = 1;
};

// The program's document dispatcher derives from this and installs itself; until it does (and in the
// engine's own tests) a plain host serves: no windows, no other open documents.
class TDocumentHost {
public:
    virtual ~TDocumentHost();

    // The window of a document that is not hidden; none where no windows exist.
    virtual TDocumentForm* CreateDocumentWindow(TDocument* document);
    // Releases a document's window through its own closing, or frees it at once.
    virtual void FreeDocumentWindow(TDocumentForm* window, bool atOnce);
    // What the document asks of its window (scrolling, scroll bars, the caret); none without windows.
    virtual TDocumentView* ViewOf(TDocumentForm* window);
    // A long action runs on the document (nested), and ended.
    virtual void BeginBusy(TDocument* document);
    virtual void EndBusy(TDocument* document);
    // Whether a document of that file name is open.
    virtual bool IsDocumentOpen(const std::string& fileName);
    // The open document of that file name, none when it is not open.
    virtual TDocument* FindOpenDocument(const std::string& fileName);
    // The folder of document templates and the user's documents folder, each ending in a backslash
    // (empty where there is none).
    virtual std::string TemplatesFolder();
    virtual std::string UserDocumentsFolder();
    // The main window refreshes its menus, toolbars and status panels at the next idle time.
    virtual void InvalidateCommands();
    // Puts a text on the clipboard (a calculation's result); true when it is there.
    virtual bool PutTextOnClipboard(const std::string& text);
    // Copies the document's rectangular selection to the clipboard in every format the program writes;
    // false when the host has no clipboard of its own (the caller then copies the text alone).
    virtual bool CopyBlockToClipboard(TDocument& document);
    // Signals a finished calculation: the calculation event's own sound, else the system's beep.
    virtual void CalculationBeep();
    // Opens a hyperlink's target that is not in the document (a file or an address); true when opened.
    virtual bool OpenLink(const std::string& target);
    // A document was saved under its name: when it is one of the open documents, its name goes to the
    // top of the recent-files list.
    virtual void AddToRecentFiles(TDocument* document);
    // A file was saved into the templates folder: the interface lists the templates again.
    virtual void TemplatesChanged();
    // Shows a progress text in the main window's status bar (simple-text mode), repainted at once.
    virtual void ShowProgressText(const std::string& text);
    // The main window's progress bar: started with its total and a text whose "%s" stands for a file
    // path (shortened to fit), moved to a position, ended (filled when the work succeeded).
    virtual void BeginProgress(int64_t total, const std::string& text, const std::string& path);
    virtual void StepProgress(int64_t position);
    virtual void EndProgress(bool filled);
    // Saves the status bar's text before a long layout, and puts it back after (nested).
    virtual void PushStatusText();
    virtual void PopStatusText();
    // Spell-checks a word typed in the document once the caret has left it.
    virtual void CheckTypedWord(TDocument* document, const TTextRange& word);
    // Shows the document properties dialog on the information record; true on OK.
    virtual bool EditDocumentProperties(TDocumentInfo& info);
    // Asks for the password of an encrypted document, for opening it or (typed twice) for saving it;
    // true and the password enciphered in memory, false when the user cancelled. The plain host asks
    // nothing.
    virtual bool AskPassword(bool forSaving, std::string& password);
    // The main window's save dialog; true with the chosen name and filter index, false when the user
    // cancelled. The plain host asks nothing.
    virtual bool AskSaveFileName(TSaveDialogRequest& request);
    // A document was saved under a new name: its window caption, its button and the lists follow.
    virtual void DocumentRenamed(TDocument* document);
    // Some bit of Mask is set in the state word of the document's window (a mouse action or a ruler
    // is under way).
    virtual bool IsWindowBusy(TDocumentForm* window, uint32_t mask);
    // Closes the print preview that shows the document.
    virtual void ClosePrintPreview(TDocument* document);
    // The keyboard shortcut of a command as the menus write it; empty when it has none.
    virtual std::string CommandShortcutText(int command);
    // The main window types over the text (the insert key toggled).
    virtual bool IsOverwriteMode();
    // The main window's pending formatting tool changes the format that inserted text takes: a pending
    // character format (every set field but the highlight), the highlighter's colour or the pen's.
    virtual void ApplyFormattingTool(TCharFormat& format);
    // The language of the current keyboard layout (a Windows language id), 0 when unknown.
    virtual int32_t KeyboardLanguage();
    // Packs the least recently used decoded picture of the open documents other than Except's;
    // true when one was packed.
    virtual bool FreeOldestPictureCache(TDocObject* except);

    // Decoded pictures of all open documents: how many, how many bytes, and the limits.
    bool PictureCacheFull() const
    {
        return LivePictureCount > LivePictureLimit || LivePictureBytes > LivePictureBytesLimit;
    }
    void CountLivePicture(int64_t bytes, int delta)
    {
        LivePictureCount += delta;
        LivePictureBytes += delta * bytes;
    }
    int32_t LivePictureCount = 0;
    int64_t LivePictureBytes = 0;
    int32_t LivePictureLimit = 16;
    int64_t LivePictureBytesLimit = int64_t(256) << 20;
    // Packed metafile bytes of one document beyond which they are deflated once more.
    int64_t PackedMetafileLimit = int64_t(8) << 20;
    // When false, a picture is packed again as soon as it has been drawn.
    bool KeepDecodedPictures = true;
    int32_t BusyCount = 0;
    TDocument* BusyDocument = nullptr;
};

// The host in force, and installing another (none puts the plain host back).
TDocumentHost& DocumentHost();
void SetDocumentHost(TDocumentHost* host);

// Whether a file name lies in the host's templates folder (compared without regard to case).
bool LiesInTemplatesFolder(const std::string& fileName);

// Keeps the status bar's text while a long layout runs (saved at once, or on the first Push) and puts it
// back on leaving, so that an exception leaves it balanced.
class TStatusTextScope {
public:
    explicit TStatusTextScope(bool pushNow = true)
    {
        if (pushNow)
            Push();
    }
    ~TStatusTextScope()
    {
        if (FPushed)
            DocumentHost().PopStatusText();
    }
    TStatusTextScope(const TStatusTextScope&) = delete;
    TStatusTextScope& operator=(const TStatusTextScope&) = delete;
    void Push()
    {
        if (!FPushed)
            DocumentHost().PushStatusText();
        FPushed = true;
    }

private:
    bool FPushed = false;
};
