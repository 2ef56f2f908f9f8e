// A field or bookmark of a document: the object that a pair of field marks in the text points to.
#pragma once
#include <cstdint>
#include <string>

#include "document/TextPos.h"

class TDocument;
class TMemory;

// What a field is.
enum TFieldKind : uint8_t {
    fkCode = 0, // a code field: hyperlink, page reference, table of contents, date...
    fkBookmark = 1,
    fkNoteText = 2, // the text of a footnote or an endnote
    fkNoteReference = 3,
    fkNoteNumber = 4,  // an automatic note number
    fkHeaderFooter = 5 // a header or footer block in story 3
};

// Field type numbers the layout and text access test.
enum TFieldType : uint8_t {
    ftTableOfContents = 13,
    ftNumPages = 26,
    ftPage = 33,
    ftPageReference = 37,
    ftSymbol = 57,
    ftSection = 65,
    ftSectionPages = 66,
    ftHyperlink = 88,
};

// The keyword of each field type, "?" for a type without one.
constexpr int FieldTypeCount = 92;
extern const char* const FieldTypeNames[FieldTypeCount];

// Begin and end marks (tags 26 and 27) carry the field's handle. Positions count visible characters:
// field marks and format tags count for nothing.
class TField {
public:
    TField();
    ~TField();
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    // A note reference numbered by pagination: keeps Counter and shows it, plus the start number, in
    // the numbering format of its note kind. True when the shown number changed.
    bool UpdatePageNumber(const TDocument& document, int32_t counter);
    // The note kind of a reference: 1 for an endnote, 0 for a footnote.
    int NoteKind() const;

    // The keyword of the field's type, or the code up to its first blank when the type has none.
    std::string GetKeyword() const;
    // A number in the notation the code's switches ask ("alphabetic", "ALPHABETIC", "roman", "ROMAN"),
    // else in DefaultStyle (below 255), else in decimal; then the case switch.
    std::string FormatNumber(int32_t value, int32_t defaultStyle) const;
    // A date by the code's "\@" picture, or the default date (time, for a time field) format; then the
    // case switch. Empty for a zero date.
    std::string FormatDateTime(double date) const;
    // The text as the code's case switch asks: "Upper", "Lower", "FirstCap" or "Caps", tried in order.
    std::string ApplyCaseSwitch(const std::string& text) const;
    // A page reference whose result is a link ("\h").
    bool HasHyperlinkSwitch() const;

    uint8_t Kind = fkCode;
    TTextPos StartPos{};         // the begin mark
    TTextPos EndPos{};           // the end mark
    uint8_t OpensInside = 0;     // the begin mark lies inside another field
    uint8_t ClosesInside = 0;    // the end mark lies inside another field
    uint8_t FieldType = 0;       // kind 0 only
    std::string Code;            // kind 0: the field code; kind 1: the bookmark's name
    uint8_t IsEndnote = 0;       // kind 2 only
    TField* Reference = nullptr; // kind 2: the note's reference
    int32_t Number = 0;          // kind 3: the note's number as last counted
    TField* Owner = nullptr;     // kind 3: the note's text
    uint8_t AutoNumbered = 0;    // kind 3: the reference shows the automatic number
    std::string Result;          // kind 3: the number as shown
    int32_t Handle;              // what the field's marks carry
};

// Out: a paragraph's tagged Text with the result between the field's marks replaced by Result (cut at
// its first paragraph break), the format after the field kept. False when the result is already that, or
// the field's marks are not both in Text, or its result holds other fields or objects.
bool MakeFieldResultText(const TMemory& text, const TField& field, const std::string& result, TMemory& out);

// The field a mark's value names, or nullptr.
TField* FieldOfTag(int32_t handle);
