// The style-list step: exchanges the document's style list with a saved one and re-styles the
// paragraphs whose styles were removed, renumbered or changed.
#pragma once
#include <memory>

#include "core/Styles.h"
#include "editing/SubOperation.h"

class TOperation;

class TFormatStyleListOperation : public TSubOperation {
public:
    TFormatStyleListOperation(TDocument* document, std::unique_ptr<TFormatStyleListInfo> saved);
    ~TFormatStyleListOperation() override;
    int64_t GetMemorySize() const override;
    // Takes back the re-styling, then puts the old list back.
    void Undo(TChangedRange& range) override;
    // Puts the new list in; the first time re-styles the paragraphs, later times replays that.
    void Redo(TChangedRange& range) override;

    std::unique_ptr<TOperation> Nested;
    bool Applied = false;
    std::unique_ptr<TFormatStyleListInfo> Saved; // the list that is not the document's
private:
    void Exchange();
    void Restyle(TChangedRange& range);
};
