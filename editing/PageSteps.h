// Steps that change sections rather than text: the page setup of sections and their page numbering.
#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "document/PageSetup.h"
#include "document/TextPos.h"
#include "editing/SubOperation.h"

// Exchanges the page setups of the sections that cover a range with saved records (one per section, in
// section order), by the selector: 0-5 one margin or distance (left, right, top, bottom, header,
// footer), any other value the whole record. A whole-record change also gives every section of the
// document the mirror-margins byte and the odd-and-even byte of the first record.
class TChangePageParamsOperation : public TSubOperation {
public:
    TChangePageParamsOperation(TDocument* document, const TTextRange& range, int32_t selector,
                               std::vector<TPageSetup> records);
    int64_t GetMemorySize() const override;
    void Undo(TChangedRange& range) override;
    void Redo(TChangedRange& range) override;

    TTextRange Range;
    int32_t Selector;
    std::vector<TPageSetup> Saved;

private:
    void ExchangeRecords();
    void ExchangeDocumentBytes();
    void Finish(TChangedRange& range);

    // Every section's mirror byte and header flags, to exchange after a whole-record change.
    std::vector<std::pair<int32_t, int32_t>> FDocumentBytes;
    bool FBytesMade = false;
};

// Exchanges the page-number style and restart value of the sections from the one holding the first
// paragraph to the one holding the last.
class TFormatPageNumberOperation : public TSubOperation {
public:
    TFormatPageNumberOperation(TDocument* document, int32_t firstParagraph, int32_t lastParagraph,
                               std::vector<std::pair<int32_t, int32_t>> values);
    int64_t GetMemorySize() const override;
    void Undo(TChangedRange& range) override;

    std::vector<std::pair<int32_t, int32_t>> Saved; // style, restart
    int32_t FirstParagraph;
    int32_t LastParagraph;
};

// Exchanges the parameters (columns, break kind) of the sections from the one holding the first
// paragraph to the one holding the last with saved records, one per section in section order.
class TFormatSectionOperation : public TSubOperation {
public:
    TFormatSectionOperation(TDocument* document, int32_t firstParagraph, int32_t lastParagraph,
                            std::vector<TSectionParams> records);
    int64_t GetMemorySize() const override;
    void Undo(TChangedRange& range) override;

    std::vector<TSectionParams> Saved;
    int32_t FirstParagraph;
    int32_t LastParagraph;
};

// Exchanges the kind of the section break that ends in a paragraph with a saved kind.
class TChangeSectionBreakOperation : public TSubOperation {
public:
    TChangeSectionBreakOperation(TDocument* document, int32_t paragraph, int32_t kind);
    void Undo(TChangedRange& range) override;

    int32_t Paragraph;
    int32_t SavedKind;
};
