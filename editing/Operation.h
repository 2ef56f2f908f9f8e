// An operation: one user action in the undo history, a named list of sub-operations with the caret and
// selection before and after it.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "core/FormatRecords.h"
#include "document/UndoList.h"
#include "editing/SubOperation.h"

class TDocument;

// Kinds of operations, the index of their names (OperationNames).
enum TOperationKind : uint8_t {
    okCommand = 0,
    okPageSetup = 1,
    okParagraphFormat = 5,
    okTabs = 6,
    okApplyStyle = 7,
    okCharFormat = 9,
    okFormatPainter = 10,
    okPaste = 13,
    okTyping = 15,
    okInsertCharacter = 16,
    okInsertPicture = 17,
    okDeleteText = 20,
    okReplace = 22,
    okReplaceAll = 23,
    okDefaultLanguage = 42,
    okAutocorrect = 44,
    okFormatSections = 45,
    okSectionBreak = 53,
    okHeaderFooter = 54,
    okInsertPageNumbers = 56,
    OperationKindCount = 60
};

class TOperation : public TUndoRecord {
public:
    // Copies the document's selection and caret as the state before.
    TOperation(TDocument* document, uint8_t kind);
    ~TOperation() override;

    int64_t GetMemorySize() const override;
    bool IsEmpty() const { return Steps.empty(); }
    // Files an applied step.
    void Add(std::unique_ptr<TSubOperation> step) { Steps.push_back(std::move(step)); }
    // Copies the document's selection and caret as the state after.
    void CaptureAfterState();
    // Applies the steps backwards (last first) or forwards; Range gets their union and the selection
    // and caret of before or after.
    void Undo(TChangedRange& range);
    void Redo(TChangedRange& range);
    // The operation is one typing step: a single text step that moved one position.
    TInsertDeleteOperation* SingleTypingStep() const;

    TDocument* Document;
    uint8_t Kind;
    bool Linked = false; // undone and redone together with the operation before it
    bool ScrollToCaret = true;
    std::vector<std::unique_ptr<TSubOperation>> Steps;
    TUndoRange SelectionBefore{};
    TUndoRange SelectionAfter{};
    TUndoCaret CaretBefore{};
    TUndoCaret CaretAfter{};
};

// Applies a new step, unites its changed range into Range and files it in Operation, or frees it when
// there is no operation (the change is made but not recorded).
void ApplyStep(TDocument& document, std::unique_ptr<TSubOperation> step, TChangedRange& range,
               TOperation* operation);
