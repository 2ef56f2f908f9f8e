// The undo list a document owns: its recorded operations, the current index and the saved marks.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

// One recorded user action. The editing floor fills it in; the document only owns and frees it.
class TUndoRecord {
public:
    virtual ~TUndoRecord();
    // Bytes the record occupies, counted against the undo memory limit.
    virtual int64_t GetMemorySize() const = 0;
};

// Operations 0 to CurrentIndex are in effect (the undo part); those after it can be redone. Marks are
// indexes of the list, INT32_MIN once the state they name cannot be reached again.
struct TUndoList {
    std::vector<std::unique_ptr<TUndoRecord>> Operations;
    int32_t CurrentIndex = -1;
    // The index at which the document was last saved: -1, so that a fresh document is not modified.
    int32_t SavedMark = -1;
    // A further index with the same rules; mode flag 61 tells whether the current index differs from it.
    int32_t SecondMark = INT32_MIN;
    // The sum of the recorded operations' memory sizes.
    int64_t TotalMemory = 0;
    // The kind a builder asks its operation to be recorded under; 0xFF when none.
    uint8_t KindOverride = 0xFF;

    int32_t Count() const { return static_cast<int32_t>(Operations.size()); }
};
