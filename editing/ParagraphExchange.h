// The exchange of a run of paragraphs with another version of it, kept as the bytes the two versions do
// not share: what every text and character-format step holds.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "core/Memory.h"
#include "core/FormatRecords.h"

class TDocObject;
class TDocument;
class TField;
class TParagraph;
class TSection;

// The paragraphs from First on are in the document in one version; the exchange holds the other: how
// many paragraphs it has, their formats, and their bytes between a prefix of the first paragraph and a
// suffix of the last that both versions share (paragraphs separated by the byte 29). Applying it puts
// the other version in and keeps the one that was there, so that it undoes and redoes itself exactly.
// Both versions are kept with their tags in canonical order. The sections, fields and objects that only
// one version's marks name follow that version into and out of the document.
class TParagraphExchange {
public:
    TParagraphExchange();
    ~TParagraphExchange();
    TParagraphExchange(const TParagraphExchange&) = delete;
    TParagraphExchange& operator=(const TParagraphExchange&) = delete;

    // Replaces the Count paragraphs from First (of story Story) with Made, and keeps them.
    void Begin(TDocument& doc, int32_t first, int32_t count, int story,
               std::vector<std::unique_ptr<TParagraph>> made, TChangedRange& range);
    // Puts the kept version back in the document, and keeps the one that was there.
    void Exchange(TDocument& doc, TChangedRange& range);
    // Objects a new version brings (a new section, field or picture) stay with the exchange until their
    // marks enter the document.
    void Own(std::unique_ptr<TSection> section);
    void Own(std::unique_ptr<TField> field);
    void Own(std::unique_ptr<TDocObject> object);
    // Bytes of the kept version and of what it owns.
    int64_t GetMemorySize() const;

    int32_t First = 0;
    int Story = 0;
    int32_t CountInDocument = 0; // paragraphs of the version in the document
    int32_t KeptCount = 0;       // paragraphs of the kept version
    int32_t Prefix = 0;
    int32_t Suffix = 0;
    TMemory Middle;                   // the kept version's bytes between prefix and suffix
    std::vector<TParaFormat> Formats; // the kept version's paragraph formats
    bool KeptHasForcedBreak = false;

private:
    void Install(TDocument& doc, std::vector<std::unique_ptr<TParagraph>> incoming, const TMemory& outgoing,
                 const TMemory& incomingMiddle, TChangedRange& range, bool forcedBreak);
    // What the kept version's marks name; most exchanges (typing) keep none, so it is made on demand.
    struct TKeptTargets {
        ~TKeptTargets();
        std::vector<std::unique_ptr<TSection>> Sections;
        std::vector<std::unique_ptr<TField>> Fields;
        std::vector<std::unique_ptr<TDocObject>> Objects;
    };
    TKeptTargets& Kept();
    std::unique_ptr<TKeptTargets> FKept;
};

// Splits a buffer at its paragraph-end bytes (a 29 outside a tag): (start, length) of each piece.
std::vector<std::pair<int32_t, int32_t>> SplitParagraphPieces(const uint8_t* data, int32_t size);
// The byte index just after the item of position Offset - 1 of a tagged stream (0 at offset 0): where
// text inserted at Offset goes, before the tags that lead the character at Offset.
int32_t ByteAfterPosition(const uint8_t* stream, int32_t size, int32_t offset);
// The number of character positions of a tagged stream (counted tags included).
int32_t CountPositions(const uint8_t* stream, int32_t size);
// Puts the document's sections in the order of their marks in the main text, the last one unmarked.
void OrderSectionsByMarks(TDocument& doc);

// The byte that ends a paragraph in a buffer of several paragraphs.
constexpr uint8_t ParagraphEndByte = 29;
