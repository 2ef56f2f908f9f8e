// Sub-operations: the smallest undoable changes of a document, each an exchange of the state it holds
// with the document's; and the text step that inserts or removes tagged text.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "core/Memory.h"
#include "core/FormatRecords.h"
#include "document/TextPos.h"
#include "editing/ParagraphExchange.h"

class TDocument;
class TParagraph;

// The places operations and their steps put back, kept small: an operation is recorded for every typed
// character.
// A selection end: paragraph and offset.
struct TUndoPos {
    TUndoPos() = default;
    TUndoPos(const TTextPos& pos) : ParIndex(pos.ParIndex), Offset(pos.Offset) {}
    operator TTextPos() const;

    int32_t ParIndex = 0;
    int32_t Offset = 0;
};
struct TUndoRange {
    TUndoRange() = default;
    TUndoRange(const TTextRange& range) : StartPos(range.StartPos), EndPos(range.EndPos) {}
    operator TTextRange() const { return TTextRange{StartPos, EndPos}; }

    TUndoPos StartPos;
    TUndoPos EndPos;
};
// The caret: paragraph, offset and the line it stood on.
struct TUndoCaret {
    TUndoCaret() = default;
    TUndoCaret(const TTextPos& pos) : ParIndex(pos.ParIndex), Offset(pos.Offset), LineHint(pos.LineHint) {}
    operator TTextPos() const;

    int32_t ParIndex = 0;
    int32_t Offset = 0;
    int32_t LineHint = 0;
};

// One step of an operation. Applying it exchanges the state it holds with the document's and reports
// what changed; the same call undoes and redoes it.
class TSubOperation {
public:
    explicit TSubOperation(TDocument* document) : Document(document) {}
    virtual ~TSubOperation();
    TSubOperation(const TSubOperation&) = delete;
    TSubOperation& operator=(const TSubOperation&) = delete;

    // Bytes the step occupies: its instance and what it owns.
    virtual int64_t GetMemorySize() const;
    // Applies the step backwards; fills Range from the empty changed range.
    virtual void Undo(TChangedRange& range);
    // Applies the step forwards; an exchange step does the same as Undo.
    virtual void Redo(TChangedRange& range) { Undo(range); }

    TDocument* Document;
};

// Bits of TTextStep::Flags.
enum : uint8_t {
    idTextInDocument = 1, // the text is in the document (else out of it)
    idSingleSpace = 2,    // the step moves exactly one position, a space
    idSinglePosition = 4, // the step moves exactly one position
};

// A step that puts text into the document or takes it out; what the typing groups of undo look at.
class TTextStep : public TSubOperation {
public:
    using TSubOperation::TSubOperation;

    bool TextInDocument() const { return (Flags & idTextInDocument) != 0; }
    // A typing step: it moves one position.
    bool IsSingleCharacter() const { return (Flags & idSinglePosition) != 0; }
    bool IsSingleSpace() const { return (Flags & idSingleSpace) != 0; }

    uint8_t Flags = 0;
};

// One plain character typed into a paragraph, the commonest step of all, kept in a few bytes: its
// place and the character. Applying it inserts the character or takes it out again.
class TTypedCharOperation : public TTextStep {
public:
    TTypedCharOperation(TDocument* document, const TTextPos& pos, uint8_t character);

    int64_t GetMemorySize() const override;
    void Undo(TChangedRange& range) override;
    // Where the character stands while it is in the document.
    TTextRange Range() const;

private:
    int32_t FParagraph;
    int32_t FOffset;
    uint8_t FCharacter;
};

// Inserts tagged text at a position (paragraph ends as the byte 29), or removes a range of text. The
// first application builds the new paragraphs; every later one exchanges them with the old ones.
class TInsertDeleteOperation : public TTextStep {
public:
    // An insertion of Text at Pos, after the field marks that directly follow it.
    TInsertDeleteOperation(TDocument* document, const TTextPos& pos, const uint8_t* text, int32_t size,
                           int story, bool ownsObjects);
    // A removal of Range. The marks of fields the range only cuts stay, and the text after the range
    // keeps its format.
    TInsertDeleteOperation(TDocument* document, const TTextRange& range, int story, bool ownsObjects);

    int64_t GetMemorySize() const override;
    void Undo(TChangedRange& range) override;

    bool IsInsertion() const { return FInsertion; }
    // Where the text starts, and where it ends while it is in the document.
    TTextRange Range() const { return FRange; }
    int32_t PositionCount() const { return FPositions; }
    // The tagged text while it is out of the document (for a removal: what was removed).
    const TMemory& Buffer() const { return FText; }
    // Objects that the inserted text's marks name and that nothing owns yet.
    TParagraphExchange& Exchange() { return FExchange; }

    int32_t Story = 0;
    bool OwnsObjects = true;

private:
    void FirstInsert(TChangedRange& range);
    void FirstRemove(TChangedRange& range);
    void SetPositionFlags(const uint8_t* text, int32_t size);

    bool FInsertion = false;
    bool FApplied = false;
    TUndoRange FRange{};
    int32_t FPositions = 0;
    TMemory FText;
    TParagraphExchange FExchange;
};

// Replaces paragraphs from First (none: inserts) with new ones, then exchanges them back and forth.
class TReplaceParagraphsOperation : public TSubOperation {
public:
    TReplaceParagraphsOperation(TDocument* document, int32_t first, int32_t count, int story,
                                std::vector<std::unique_ptr<TParagraph>> made);
    ~TReplaceParagraphsOperation() override;
    int64_t GetMemorySize() const override;
    void Undo(TChangedRange& range) override;
    // Objects the new paragraphs' marks name and that nothing owns yet go to the exchange.
    TParagraphExchange& Exchange() { return FExchange; }

private:
    int32_t FFirst;
    int32_t FCount;
    int FStory;
    bool FApplied = false;
    std::vector<std::unique_ptr<TParagraph>> FMade;
    TParagraphExchange FExchange;
};
