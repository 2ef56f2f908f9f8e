// An operation: one user action in the undo history, a named list of sub-operations with the caret and
// selection before and after it.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
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

// The result texts of the page-dependent fields of the header or footer being edited, with the
// fields' handles.
struct THeaderFooterTexts {
    struct TEntry {
        int32_t Handle = 0;
        std::string Bytes; // between the field's marks, tags included
    };
    std::vector<TEntry> Entries;
    int64_t GetMemorySize() const;
};
// Reads them from the document, or writes them back (the last first).
void CaptureHeaderFooterTexts(TDocument& doc, THeaderFooterTexts& texts);
void RestoreHeaderFooterTexts(TDocument& doc, const THeaderFooterTexts& texts);

// An operation is recorded for every typed character: its instance is kept small. The first step is
// held in place; further steps, a selection that is not empty and the header/footer field texts live
// in a block made only when there are some.
class TOperation : public TUndoRecord {
public:
    // Copies the document's selection and caret as the state before, and the field texts of the header
    // or footer being edited.
    TOperation(TDocument* document, uint8_t kind);
    ~TOperation() override;

    int64_t GetMemorySize() const override;
    bool IsEmpty() const { return !FFirst; }
    size_t StepCount() const;
    TSubOperation& Step(size_t index) const;
    // Makes room for one more step, so that filing it cannot fail once it is applied.
    void ReserveStep();
    // Files an applied step.
    void Add(std::unique_ptr<TSubOperation> step);
    // Frees the steps, newest first.
    void ClearSteps();
    // Puts the steps in the reverse order.
    void ReverseSteps();
    // Copies the document's selection and caret as the state after.
    void CaptureAfterState();
    // Keeps the field texts of the header or footer being edited as the operation leaves them (once).
    void CaptureHeaderFooterState();
    // Applies the steps backwards (last first) or forwards; Range gets their union and the selection
    // and caret of before or after.
    void Undo(TChangedRange& range);
    void Redo(TChangedRange& range);
    // The operation is one typing step: a single text step that moved one position.
    TTextStep* SingleTypingStep() const;
    // The selection before and after (an empty one at the caret).
    TUndoRange SelectionBefore() const;
    TUndoRange SelectionAfter() const;

    TDocument* Document;
    TUndoCaret CaretBefore{};
    TUndoCaret CaretAfter{};
    uint8_t Kind;
    bool Linked = false; // undone and redone together with the operation before it
    bool ScrollToCaret = true;

private:
    struct TExtras;
    TExtras& Extras();

    bool FHeaderFooterCaptured = false;
    std::unique_ptr<TSubOperation> FFirst;
    std::unique_ptr<TExtras> FExtras;
};

// Applies a new step, unites its changed range into Range and files it in Operation, or frees it when
// there is no operation (the change is made but not recorded).
void ApplyStep(TDocument& document, std::unique_ptr<TSubOperation> step, TChangedRange& range,
               TOperation* operation);
