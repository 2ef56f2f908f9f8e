// The piggy bank: a document of the program's own that collects clipped pieces one after another, each
// append one undoable operation, and hands its whole content over as one insert.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "document/TextPos.h"

class TClipboardManager;
class TDocument;
struct TDocumentContent;

// The mode flag that marks the piggy bank's document.
constexpr int mfPiggyBank = 104;

class TPiggyBank {
public:
    // Makes the piggy bank with an empty document.
    TPiggyBank();
    ~TPiggyBank();
    TPiggyBank(const TPiggyBank&) = delete;
    TPiggyBank& operator=(const TPiggyBank&) = delete;

    // Frees the document and builds a new, empty one titled "Pique-notes".
    void LoadDocument();
    // One paragraph holding only its end mark.
    bool IsEmpty() const;
    // Empties the document as one undoable operation; nothing when it is empty.
    void Clear();
    // Appends a copy of a range of another document as a paragraph of its own, as one undoable
    // operation; false when nothing was appended. An error inside the append takes back that append
    // alone and is shown; the clips collected before stay.
    bool Append(TDocument& source, const TTextRange& range);
    // The whole main text made ready for insertion into Target; false when it could not be read.
    bool InsertInto(TDocument& target, TDocumentContent& content);
    // Appends the clipboard's content (the collect-everything switch).
    void CollectClipboard(TClipboardManager& manager);

    std::unique_ptr<TDocument> Document;

    // Called inside each append once the clip is in (tests make an append fail through it).
    static std::function<void(TDocument& document)> AppendCheck;
};
