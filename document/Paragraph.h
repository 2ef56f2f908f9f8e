// A paragraph: its tagged text with the plain mirror, its format, its lines and its spelling marks.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "core/Memory.h"
#include "core/FormatRecords.h"
#include "document/ParLine.h"

class TDocument;
class TSection;

// A spell checker's mark on a paragraph (offsets in the plain text, end excluded).
struct TMisspelling {
    int32_t Start;
    int32_t End;
    int32_t Kind;
};

// What SaveSnapshot takes from a paragraph to try a layout and go back.
struct TParagraphSnapshot {
    std::vector<std::unique_ptr<TParLine>> Lines;
    TMemory Text;
    TMemory PlainText;
    TMemory FormatPool;
    bool Normalized = false;
    bool LaidOut = false;
};

// The text is a stream of characters (bytes other than 0 and 1) and 8-byte inline tags (InlineTags.h).
// PlainText holds one byte per character position: the character, or the plain byte of a counted
// tag; a position's Offset indexes it, and its last byte is the end mark (2 or 3). The stream alone
// holds formats and references to sections, fields and objects.
class TParagraph {
public:
    explicit TParagraph(TDocument* document);
    ~TParagraph();
    TParagraph(const TParagraph&) = delete;
    TParagraph& operator=(const TParagraph&) = delete;

    TDocument* Document;                          // owner, not owned
    std::vector<std::unique_ptr<TParLine>> Lines; // empty until laid out
    int32_t LayoutIndex = 0;                      // index in the document when last laid out
    TParaFormat ParaFormat;
    TMemory Text;      // the tagged text stream
    TMemory PlainText; // one byte per character position
    // Entries of 5-byte items (field index, 32-bit value) ended by the byte 29: the formats that lines
    // start with, as differences from the default character format.
    TMemory FormatPool;
    int32_t SpellingStamp = 0; // check generation of the last reset
    int32_t CheckedStart = 0;  // range already checked, end excluded
    int32_t CheckedEnd = 0;
    std::vector<TMisspelling> Misspellings;

    int32_t LineCount() const { return static_cast<int32_t>(Lines.size()); }
    bool GetNormalized() const { return FNormalized; }
    void SetNormalized(bool value) { FNormalized = value; }
    bool GetLaidOut() const { return FLaidOut; }
    void SetLaidOut(bool value) { FLaidOut = value; }
    // Laid out, and its first line placed on a page.
    bool IsOnPage() const;

    // The byte offset in the stream of character N (clamped to the paragraph), after every zero-width
    // tag that precedes it.
    int32_t CharToStreamOffset(int32_t n) const;
    // The line that shows Offset. At a wrap point after line Hint the previous line's end is taken
    // when Flags bit 0 is set or when the line before does not end with a forced break.
    int32_t LineAtOffset(int32_t offset, int32_t hint, int32_t flags) const;
    // Drops the lines and the format pool; with BreakLines, normalizes the tags when needed and
    // breaks the whole text for a text width in twips (less the right indent). The paragraph is laid
    // out exactly when BreakLines is set.
    void UpdateLayout(bool breakLines, int32_t textWidth);
    // Builds lines First and after again for a right limit in layout units (eighths of a pixel).
    void BreakIntoLines(int32_t first, int32_t rightLimit);
    // Marks in each line how many lines just before it have text that reaches down into its band
    // (line spacing lower than the text): drawing draws them with it.
    void MarkSharedBands();
    // Puts every run of tags between two counted items in canonical form: field marks before format
    // tags, at most one tag per field, only for fields whose value really changes; drops format tags
    // after the end mark.
    void NormalizeTags();

    // Appends to the pool the fields of Format that differ from the default character format; the
    // entry's offset, or -1 (nothing stored) when none differ.
    int32_t StoreCharFormat(const TCharFormat& format);
    // The format of a pool entry (-1 the default), its size field divided by 8: lines keep sizes
    // multiplied by 8.
    void LoadCharFormat(int32_t poolOffset, TCharFormat& format) const;
    // The default character format with the format tags at the very start of the stream applied.
    void GetLeadingCharFormat(TCharFormat& format) const;
    // The section this paragraph ends: the last tag of the stream, stepping back over field marks, when
    // it is a section break; nullptr otherwise.
    TSection* GetSection() const;

    // Numbers the automatic note references from line FirstLine's first byte on: each takes the counter
    // of its note kind (0 footnotes, 1 endnotes), which then moves on. The texts of notes whose number
    // changed lose their lines. True when any number changed.
    bool RefreshPageFields(int32_t firstLine, int32_t counters[2]);

    // Moves the lines into Snapshot and copies the texts, the pool and the flags; clears laid out.
    void SaveSnapshot(TParagraphSnapshot& snapshot);
    // Takes the saved lines back (the current ones are freed) and copies the rest back.
    void RestoreSnapshot(TParagraphSnapshot& snapshot);

    // Widens the checked range to cover Start..End, first dropping the range and the marks when the
    // spell checker's check generation (Generation, which it passes) changed since they were made.
    void ExtendSpellCheckRange(int32_t start, int32_t end, int32_t generation);
    // The marks are of the check generation Generation and Start..End lies in the checked range.
    bool IsRangeSpellChecked(int32_t start, int32_t end, int32_t generation) const;
    // Records a mark inside the checked range, once for the same start and end.
    void AddMisspelling(int32_t start, int32_t end, int32_t kind);

    // Rebuilds the plain text from the stream.
    void UpdatePlainText();

    // --- Filling at the end, the stream and the plain text in step (ParagraphText.cpp) ---
    // Characters (bytes other than 0 and 1).
    void AppendText(const uint8_t* bytes, int32_t count);
    // A special character: a tag of code 22 and its code as the plain byte.
    void AppendSpecial(uint8_t code);
    // The break that ends the section of that handle (plain byte 3).
    void AppendSectionBreak(int32_t sectionHandle);
    // A picture (tag 24) or an OLE object (tag 25) carrying the object's handle, with its plain byte.
    void AppendObject(int code, int32_t handle);
    // A tag that takes no character position (formats, field marks).
    void AppendZeroWidthTag(int code, int32_t value);
    // Removes the last character when it is a plain character or a special one; false (nothing
    // removed) when the text is empty or ends with another tag.
    bool RemoveLastCharacter();
    // The number of character positions, and the plain byte of the last one (0 when there is none).
    int32_t CharacterCount() const { return PlainText.Size(); }
    uint8_t LastCharacter() const;

private:
    bool FNormalized = false;
    bool FLaidOut = false;
};
