// Sub-operations that change formats and structure rather than text: character formats, paragraph
// formats, tab stops, the header and footer slots of a section and the default language.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "core/Memory.h"
#include "core/FormatRecords.h"
#include "document/TextPos.h"
#include "editing/SubOperation.h"

class TField;
class TOperation;
class TSection;

// Sets the set fields of a character format over a range of text. The first application lays the new
// format tags into the paragraphs; every application exchanges the paragraphs' tagged texts with the
// saved ones, so that undoing gives back the very bytes the text had.
class TFormatTextOperation : public TSubOperation {
public:
    TFormatTextOperation(TDocument* document, const TTextRange& range, const TCharFormat& format);
    int64_t GetMemorySize() const override;
    void Undo(TChangedRange& range) override;
    void Redo(TChangedRange& range) override;

    TTextRange Range;
    TCharFormat Format; // not set: left alone

private:
    bool FApplied = false;
    TParagraphExchange FExchange;
};

// Exchanges fields of paragraph formats: records of (paragraph, pairs of field index and value).
class TFormatParagraphsOperation : public TSubOperation {
public:
    using TSubOperation::TSubOperation;
    int64_t GetMemorySize() const override;
    void Undo(TChangedRange& range) override;
    // Appends a paragraph's record.
    void AddRecord(int32_t paragraph, const std::vector<std::pair<int32_t, int32_t>>& pairs);
    bool HasRecords() const { return Data.Size() > 0; }

    TMemory Data;
};

// Exchanges the document's default tab interval, and formats the range's paragraphs with a tab table
// through a nested operation made at the first application.
class TFormatTabsOperation : public TSubOperation {
public:
    TFormatTabsOperation(TDocument* document, int32_t interval, int32_t tableIndex, const TTextRange& range);
    ~TFormatTabsOperation() override;
    int64_t GetMemorySize() const override;
    void Undo(TChangedRange& range) override;

    std::unique_ptr<TOperation> Nested;
    bool NestedMade = false;
    int32_t Interval;
    int32_t TableIndex; // not set: the paragraphs keep theirs
    TTextRange Range;
};

// Exchanges the six header and footer slots of a section.
class TChangeSectionHeadersOperation : public TSubOperation {
public:
    TChangeSectionHeadersOperation(TDocument* document, TSection* section, TField* const slots[6]);
    void Undo(TChangedRange& range) override;
    int64_t GetMemorySize() const override { return sizeof(*this); }

    TSection* Section;
    TField* Slots[6];
};

// Exchanges the document's default language with the one it holds.
class TChangeDefLangOperation : public TSubOperation {
public:
    TChangeDefLangOperation(TDocument* document, int32_t language)
        : TSubOperation(document), Language(language)
    {}
    void Undo(TChangedRange& range) override;
    int64_t GetMemorySize() const override { return sizeof(*this); }

    int32_t Language;
};

// Lays a new character format over the text from byte From to byte To of a tagged stream: the fields
// Format sets lose their tags in between, take their new values at From, and get back at To the values
// they had there. Returns the new stream.
void LayFormatOver(const TMemory& text, int32_t from, int32_t to, const TCharFormat& format, TMemory& out);
