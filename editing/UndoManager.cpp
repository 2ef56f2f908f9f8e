// The undo manager: recording operations under the memory limit, undoing and redoing them with typing
// groups and linked operations, and the modified state that follows the saved mark.
#include <algorithm>

#include "core/Options.h"
#include "core/SystemUtils.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"

namespace {

// Mode flags of undo and redo.
enum : int {
    mfSingleTypingRedo = 35, // one typing step was undone or redone
    mfUndoing = 36,
    mfUndoRedoRunning = 37,
    mfDiffersFromSecondMark = 61,
    mfKeyboardLanguageUsed = 29,
};

constexpr int64_t MaxUndoMemory = int64_t(256) << 20;

TOperation* At(const TUndoList& list, int32_t index)
{
    if (index < 0 || index >= list.Count())
        return nullptr;
    return static_cast<TOperation*>(list.Operations[size_t(index)].get());
}

// Typing steps of two neighbouring operations group when the later one was typed right after the earlier
// one in the same paragraph and the group does not go on past a typed space.
bool TypingGroups(const TOperation& later, const TOperation& earlier, const TOperation& done, bool first)
{
    if (!CurrentOptions().Edit.GroupUndo)
        return false;
    const TTextStep* a = later.SingleTypingStep();
    const TTextStep* b = earlier.SingleTypingStep();
    if (!a || !b || later.Kind == okAutocorrect || earlier.Kind == okAutocorrect)
        return false;
    // Both are insertions, the later one's text now out of the document and the earlier one's in it.
    if (a->TextInDocument() || !b->TextInDocument())
        return false;
    // A typed space just undone or redone ends the group, unless it was the first.
    if (done.SingleTypingStep()->IsSingleSpace() && !first)
        return false;
    return later.CaretBefore.ParIndex == earlier.CaretBefore.ParIndex &&
           std::abs(later.CaretBefore.Offset - earlier.CaretBefore.Offset) <= 1;
}

// Every document made in a program that records operations gets its undo manager from here: linking
// this file installs the factory before any document exists.
const bool OperationManagerFactoryInstalled = [] {
    SetOperationManagerFactory([](TDocument* document) {
        return std::unique_ptr<TOperationManager, void (*)(TOperationManager*)>(
            new TOperationManager(document), [](TOperationManager* manager) { delete manager; });
    });
    return true;
}();

} // namespace

int64_t UndoMemoryLimit(uint64_t physicalMemory)
{
    const uint64_t eighth = physicalMemory / 2 / 4;
    return int64_t(std::min<uint64_t>(eighth, uint64_t(MaxUndoMemory)));
}

TOperation* TOperationManager::OperationAt(int32_t index) const
{
    return At(Document->UndoList, index);
}

void TOperationManager::GoToLastEdit()
{
    TDocument& doc = *Document;
    const TUndoList& list = doc.UndoList;
    if (list.Count() == 0) {
        doc.PlaceCaret(doc.Caret, 5);
        return;
    }
    const TOperation* operation = list.CurrentIndex >= 0 ? OperationAt(list.CurrentIndex) : OperationAt(0);
    if (!operation)
        return;
    const TTextPos pos =
        list.CurrentIndex >= 0 ? TTextPos(operation->CaretAfter) : TTextPos(operation->CaretBefore);
    const TTextRange story = doc.GetStoryRange();
    // The story's range ends one past its end mark: the end mark itself is a place for the caret.
    if (pos.ParIndex < story.StartPos.ParIndex || pos.ParIndex >= doc.ParagraphCount() ||
        CompareTextPos(pos, story.EndPos) >= 0)
        return;
    doc.SetCaret(pos.ParIndex, pos.Offset, pos.LineHint, 5);
}

bool TOperationManager::CanUndo() const
{
    return Document->UndoList.CurrentIndex >= 0;
}

bool TOperationManager::CanRedo() const
{
    return Document->UndoList.CurrentIndex + 1 < Document->UndoList.Count();
}

void TOperationManager::AddOperation(std::unique_ptr<TOperation> operation)
{
    if (!operation || operation->IsEmpty())
        return;
    TDocument& doc = *Document;
    TUndoList& list = doc.UndoList;
    doc.SetModified(true);
    operation->CaptureAfterState();
    operation->ScrollToCaret = !doc.GetModeFlag(mfNoScrollToCaret);
    DiscardRedo();
    if (MemoryLimit <= 0) {
        static const int64_t limit = UndoMemoryLimit(TotalPhysicalMemory());
        MemoryLimit = limit;
    }
    const int64_t size = operation->GetMemorySize();
    while (!list.Operations.empty() && list.TotalMemory + size > MemoryLimit) {
        list.TotalMemory -= list.Operations.front()->GetMemorySize();
        list.Operations.erase(list.Operations.begin());
        for (int32_t* mark : {&list.SavedMark, &list.SecondMark})
            if (*mark != INT32_MIN)
                --*mark;
        --list.CurrentIndex;
    }
    list.Operations.push_back(std::move(operation));
    list.TotalMemory += size;
    ++list.CurrentIndex;
    doc.SetModeFlag(mfDiffersFromSecondMark, true);
    doc.SetModeFlag(mfFieldsDirty, true);
    doc.SetModeFlag(mfKeyboardLanguageUsed, false);
    DocumentHost().InvalidateCommands();
}

void TOperationManager::Replay(bool undo, bool all, bool refresh, TChangedRange& range)
{
    TDocument& doc = *Document;
    TUndoList& list = doc.UndoList;
    TBusyScope busy(doc);
    TModeFlagScope flags(doc);
    if (undo)
        flags.On(mfUndoing);
    flags.On(mfUndoRedoRunning);
    range = EmptyChangedRange();
    int count = 0;
    bool scroll = true;
    TOperation* last = nullptr;
    while (TOperation* op = At(list, undo ? list.CurrentIndex : list.CurrentIndex + 1)) {
        list.TotalMemory -= op->GetMemorySize();
        TChangedRange one;
        if (undo)
            op->Undo(one);
        else
            op->Redo(one);
        Document->ChangedRanges->UnionChangedRange(range, one);
        range[crCaretLine] = one[crCaretLine];
        list.TotalMemory += op->GetMemorySize();
        list.CurrentIndex += undo ? -1 : 1;
        scroll = op->ScrollToCaret;
        last = op;
        ++count;
        if (all)
            continue;
        // The typing group or the linked operations go on with the next one.
        TOperation* next = At(list, undo ? list.CurrentIndex : list.CurrentIndex + 1);
        if (!next)
            break;
        const bool grouped =
            undo ? TypingGroups(*op, *next, *op, count == 1) : TypingGroups(*next, *op, *op, count == 1);
        if (!grouped && !(undo ? op->Linked : next->Linked))
            break;
    }
    if (!all && count == 1 && last->SingleTypingStep() &&
        (undo || last->SingleTypingStep()->TextInDocument()))
        doc.SetModeFlag(mfSingleTypingRedo, true);
    // Undo without Refresh leaves the document to the caller; redo always brings it up to date.
    const bool update = refresh || !undo;
    if (update) {
        TModeFlagScope keep(doc);
        if (!scroll && !all)
            keep.On(mfNoScrollToCaret);
        Document->ChangedRanges->RefreshAfterChange(range);
        doc.SetModified(list.CurrentIndex != list.SavedMark);
    }
    doc.SetModeFlag(mfSingleTypingRedo, false);
    doc.SetModeFlag(mfDiffersFromSecondMark, list.CurrentIndex != list.SecondMark);
    doc.SetModeFlag(mfFieldsDirty, true);
    doc.SetModeFlag(mfKeyboardLanguageUsed, false);
    if (refresh)
        DocumentHost().InvalidateCommands();
}

void TOperationManager::Undo(bool refresh, TChangedRange& range)
{
    Replay(true, false, refresh, range);
}

void TOperationManager::Redo(bool refresh, TChangedRange& range)
{
    Replay(false, false, refresh, range);
}

void TOperationManager::Undo()
{
    TChangedRange range;
    Replay(true, false, true, range);
}

void TOperationManager::Redo()
{
    TChangedRange range;
    Replay(false, false, true, range);
}

void TOperationManager::UndoAll()
{
    TChangedRange range;
    Replay(true, true, true, range);
}

void TOperationManager::RedoAll()
{
    TChangedRange range;
    Replay(false, true, true, range);
}

void TOperationManager::DiscardUndo()
{
    TUndoList& list = Document->UndoList;
    const int32_t dropped = list.CurrentIndex + 1;
    for (int32_t i = 0; i < dropped; ++i)
        list.TotalMemory -= list.Operations[size_t(i)]->GetMemorySize();
    list.Operations.erase(list.Operations.begin(), list.Operations.begin() + dropped);
    for (int32_t* mark : {&list.SavedMark, &list.SecondMark}) {
        // A mark at the current index names the state the document is in now: the start of the list.
        if (*mark == list.CurrentIndex)
            *mark = -1;
        else if (*mark != INT32_MIN && *mark > list.CurrentIndex)
            *mark -= dropped;
        else
            *mark = INT32_MIN;
    }
    list.CurrentIndex = -1;
}

void TOperationManager::DiscardRedo()
{
    TUndoList& list = Document->UndoList;
    while (list.Count() > list.CurrentIndex + 1) {
        list.TotalMemory -= list.Operations.back()->GetMemorySize();
        list.Operations.pop_back();
    }
    for (int32_t* mark : {&list.SavedMark, &list.SecondMark})
        if (*mark != INT32_MIN && *mark > list.CurrentIndex)
            *mark = INT32_MIN;
}

void TOperationManager::DocumentSaved()
{
    TDocument& doc = *Document;
    doc.SetModified(false);
    if (!CurrentOptions().Edit.UndoAfterSave)
        DiscardUndo();
    doc.UndoList.SavedMark = doc.UndoList.CurrentIndex;
}
