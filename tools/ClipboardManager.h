// The clipboard manager: the one place that reads and writes the system clipboard and the data of a drop
// in progress; it writes document ranges in several formats at once, reads pastes, keeps the history of
// recent clipboard contents and owns the piggy bank.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/FormatRecords.h"
#include "document/TextPos.h"
#include "editing/PasteSource.h"

class TDocument;
class TField;
class TPiggyBank;
class TClipboardManager;

// Flags of TClipboardManager::CopyRange.
enum : uint8_t {
    cfRectangular = 1,   // the clip is a rectangular block
    cfNotWholeWords = 2, // the clip does not consist of whole words
};

// One captured clipboard content, kept in a temporary file that is wiped when the entry goes.
class TClipHistoryItem {
public:
    // Captures the open clipboard's data of a format (CF_TEXT instead when that one has none).
    TClipHistoryItem(TClipboardManager& manager, int32_t format);
    ~TClipHistoryItem();
    TClipHistoryItem(const TClipHistoryItem&) = delete;
    TClipHistoryItem& operator=(const TClipHistoryItem&) = delete;

    bool Captured() const { return Format != UndefinedField; }
    // The stored bytes: a text cut at its end, a bitmap file, or enhanced-metafile bits.
    std::string LoadContent() const;

    std::string FileName;
    int32_t Format = 0;
    std::string Caption;
};

class TClipboardManager : public TPasteSource {
public:
    // Registers the program's formats and takes the application's window as the clipboard's owner.
    TClipboardManager();
    ~TClipboardManager() override;
    TClipboardManager(const TClipboardManager&) = delete;
    TClipboardManager& operator=(const TClipboardManager&) = delete;

    // Opens the clipboard (or lists the drop's data); nothing happens when already open.
    bool OpenClipboard();
    void CloseClipboard();
    // TPasteSource.
    bool Open() override { return OpenClipboard(); }
    void Close() override { CloseClipboard(); }
    bool HasFormat(int32_t format) override;
    // A history entry being pasted counts as the clipboard's content.
    bool CanPaste() override { return PastingHistoryItem || GetPasteKind() != 0; }
    bool IsTextContent() override;
    bool IsDropping() override { return DropData != nullptr; }
    int32_t RectangularFormat() override { return RectangularSelectionFormat; }
    int32_t NotWholeWordsFormat() override { return NotWholeWordsSelectionFormat; }
    int32_t FileGroupFormat() override { return FileGroupDescriptorFormat; }
    bool PasteInto(TDocument& target, int32_t preferred, bool asText, TPasteResult& result) override;
    bool CanPastePiggyBank(const TDocument& target) override;
    bool PiggyBankContent(TDocument& target, TDocumentContent& content) override;

    bool IsUsableFormat(int32_t format);
    // 0 nothing pasteable, 1 text, 2 Rich Text Format, 3 picture.
    int GetPasteKind();
    // The data handle of a format, or 0.
    uintptr_t GetData(int32_t format);
    // The bytes of a format's global block, within the size the system reports; false without data.
    bool GetDataBytes(int32_t format, std::string& bytes);
    int32_t GetTextFormat();
    int32_t GetBestFormat();
    static bool IsHandleFormat(int32_t format);
    // The clipboard text's language, 0 without CF_LOCALE.
    int32_t GetClipboardLocale();
    int32_t ClipboardLocale() override { return GetClipboardLocale(); }
    // The measured size of the listed content: enhanced-metafile bits, CF_TEXT and Rich Text Format.
    int64_t GetClipboardDataSize();
    // Empties the open clipboard and puts a non-empty text on it as CF_TEXT.
    void SetText(const std::string& text);
    // Writes a range of a document to the open clipboard in every format it offers; raises an error
    // when the Rich Text Format cannot be written.
    void CopyRange(TDocument& document, const TTextRange& range, uint8_t flags);
    // Copies lines of a rectangular block (one range per line) as one clip marked rectangular.
    void CopyBlock(TDocument& document, const std::vector<TTextRange>& lines);

    // --- History ---
    // Captures the clipboard's content as the newest entry (the clipboard open).
    void AddHistoryItem();
    // Pastes an entry into the document the commands act on and moves it to the front.
    void PasteHistoryItem(int index);
    // After a clipboard change (the main window's idle pass): feeds the history, or the piggy bank when
    // it collects everything.
    void ClipboardChanged();

    // --- Piggy bank ---
    TPiggyBank& GetPiggyBank();
    bool HasPiggyBank() const { return PiggyBank != nullptr; }
    // The piggy bank takes every clipboard change (not kept between runs).
    bool CollectEverything = false;

    // The exit questions; false keeps the program running.
    bool QueryCloseApp();

    // A drop's data object (an IDataObject) while something is dragged over a document; none after.
    void SetDropData(void* dataObject);

    // What the manager asks of the program's shell: the document the commands act on, running a
    // command, and saving a document under a name the user gives (true when it was saved).
    std::function<TDocument*()> TargetDocument;
    std::function<void(int32_t command)> RunCommand;
    std::function<bool(TDocument& document)> SaveDocumentAs;

    // Set around the copy of the hyperlink menu: a hyperlink at the selection is copied as its address.
    bool CopyLinkFlag = false;
    int32_t LastCopyCoding = 0;
    uintptr_t OwnerWindow = 0;
    std::vector<int32_t> Formats;
    bool IsOpen = false;
    std::deque<std::unique_ptr<TClipHistoryItem>> History;
    TClipHistoryItem* PastingHistoryItem = nullptr;
    int32_t InsertCounter = 0;
    std::unique_ptr<TPiggyBank> PiggyBank;
    void* DropData = nullptr;

    // The registered formats, for the whole run.
    static int32_t RtfFormat;
    static int32_t FileGroupDescriptorFormat;
    static int32_t FileContentsFormat;
    static int32_t RectangularSelectionFormat;
    static int32_t NotWholeWordsSelectionFormat;

private:
    // Link (a hyperlink field) is set in link mode: the text is then its address.
    void RenderFormat(TDocument& document, const TTextRange& range, int32_t format, const TField* link);
    bool PasteText(TDocument& target, int32_t format, TPasteResult& result);
    bool PastePicture(TDocument& target, int32_t format, TPasteResult& result);

    struct TDropFormats;
    std::unique_ptr<TDropFormats> FDrop;
};

// The formats of the paste-special dialog's rows (their names: PasteSpecialFormats of the interface
// texts); the Rich Text row's number is filled in when the format is registered.
extern int32_t PasteSpecialFormatNumbers[5];

// The one clipboard manager while it exists.
TClipboardManager* GetClipboardManager();
