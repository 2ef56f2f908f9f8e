// The state of one Word document read, shared by the reader's source files: the streams, the file
// information block, the tables read from the table stream, the property lookups and the stories being
// filled.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/FormatRecords.h"
#include "formats/word/WordProps.h"
#include "formats/word/WordReader.h"

class TDocPicture;
class TField;
class TParagraph;
class TSection;

using TWordParagraphList = std::vector<std::unique_ptr<TParagraph>>;

// A (position, length) pair of the file information block.
struct TWordFcLcb {
    uint32_t Fc = 0;
    uint32_t Lcb = 0;
};

// A piece of the text: character positions From..To at file position Fc, 8-bit or UTF-16.
struct TWordPiece {
    int32_t From = 0, To = 0;
    uint32_t Fc = 0;
    bool Unicode = false;
    int32_t Prm = -1; // the index of its property group, -1 none
};

// A run of a formatting page: file positions From..To and its property group within the main stream.
struct TWordRun {
    uint32_t From = 1, To = 0; // empty until found
    int32_t GroupAt = -1;      // -1: no properties
    int32_t GroupSize = 0;
};

// Something that happens at a character position: a bookmark starts or ends.
struct TWordEvent {
    int32_t Cp;
    int Order; // ends before starts at one position
    TField* Field;
};

// One field being read: its code until the separator, then its result.
struct TWordFieldState {
    std::string Code;
    int32_t Nested = 0;      // fields inside the code
    bool InResult = false;   // past the separator
    TField* Field = nullptr; // made at the separator; none for a code that names no field
    int32_t BeginCp = 0;
};

class TWordReader {
public:
    TWordReader(TDocument& document, TWordStreamSource& storage, TWordProgress progress);
    ~TWordReader();
    TWordReadResult Read();

    // Bounded access to the streams; a read outside raises the silent abort.
    static uint16_t U16(const std::vector<uint8_t>& b, uint64_t at);
    static uint32_t U32(const std::vector<uint8_t>& b, uint64_t at);
    uint16_t Fib16(int32_t at) const { return U16(Fib, uint64_t(at)); }
    uint32_t Fib32(int32_t at) const { return U32(Fib, uint64_t(at)); }
    TWordFcLcb Pair(int32_t word6Offset, int32_t word97Offset) const;
    // The bytes of a pair in the table stream; empty when its length is below 1, the silent abort when
    // it does not lie within the stream.
    std::vector<uint8_t> ReadTable(const TWordFcLcb& pair) const;

    // Document-wide tables (WordReader.cpp).
    void ReadDocumentProperties();
    void ReadFonts();
    void ReadAssociatedStrings();
    void ReadStyleSheet();
    void ReadBookmarks();
    // The strings of a string table.
    std::vector<std::string> ReadStringTable(const std::vector<uint8_t>& b) const;
    std::string Utf16ToAnsi(const uint8_t* p, size_t count) const;

    // Text (WordText.cpp).
    void ReadPieces();
    void ReadSections();
    void ReadFieldTypes();
    void ReadNotesAndHeaders();
    void ReadText();
    // Walks the stories' characters From..To into the paragraph Cur and the ones it opens.
    void WalkRange(int32_t from, int32_t to, bool mainText);
    void StartUnit(int32_t cp, int32_t to, bool mainText);
    bool FindRun(bool paragraphs, uint32_t fc, TWordRun& run);
    void CharPropsAt(uint32_t fc, const TWordPiece& piece);
    void WriteFormat();
    void FlushText();
    void EndParagraph(uint8_t mark);
    void HandleControl(uint16_t c, int32_t cp, bool mainText);
    void HandleFieldMark(uint16_t c, int32_t cp);
    void AddSymbol(uint16_t font, uint16_t character);
    void AddNoteReference(int32_t cp, uint16_t c);
    void AddNoteNumber();
    void AddPicture();
    void FillSection(TSection& section, int32_t cp);
    int32_t SectionIndexAt(int32_t cp) const;
    void BuildSectionProps(int32_t cp, TWordSectionProps& props);
    // Reads a story's range into its own paragraph list, framed by the field's marks.
    TWordParagraphList ReadStory(int32_t from, int32_t to, TField& frame);

    // Pictures (WordPictures.cpp).
    bool ReadPicture(uint32_t location, TDocPicture& picture);

    TDocument& Doc;
    TWordStreamSource& Storage;
    TWordDecodeContext Ctx;
    std::vector<uint8_t> Fib; // the main stream's first 1024 bytes (fewer when it is shorter)
    std::vector<uint8_t> Main, Table, Data;
    bool Word97 = true;
    bool Complex = false;
    int32_t Lid = 0x409;
    int32_t CcpText = 0, CcpFtn = 0, CcpHdd = 0, CcpEdn = 0, EdnStart = 0, StoryEnd = 0;
    std::vector<uint8_t> Dop;

    // Pieces and their property groups.
    std::vector<TWordPiece> Pieces;
    std::vector<std::pair<int32_t, int32_t>> PieceGroups; // offset and size in Clx
    std::vector<uint8_t> Clx;
    // Bin tables: file position bounds and page numbers.
    std::vector<uint32_t> ChpxBounds, PapxBounds;
    std::vector<uint32_t> ChpxPages, PapxPages;
    TWordRun CharRun, ParaRun;
    // Sections: end positions and the SEPX position of each.
    std::vector<int32_t> SectionEnds;
    std::vector<uint32_t> SectionSepx;
    // Field types of field begin marks, by absolute character position.
    std::vector<std::pair<int32_t, uint8_t>> FieldTypes;
    // Notes: reference positions, auto-numbered flags, text ranges (absolute), for footnotes and endnotes.
    struct TNotes {
        std::vector<int32_t> Refs;
        std::vector<uint8_t> Auto;
        std::vector<int32_t> Texts; // n + 1 bounds
        size_t Next = 0;
    } Footnotes, Endnotes;
    std::vector<int32_t> HeaderBounds; // absolute, six per section after the separators
    std::vector<TWordEvent> Events;
    size_t NextEvent = 0;
    std::vector<TField*> Started, Ended; // bookmarks whose start (and end) marks were written
    // Note texts to read after the main text, in the order of their references.
    struct TNoteText {
        int32_t From, To;
        TField* Field;
    };
    std::vector<TNoteText> NoteTexts;
    bool FormatDirty = true; // the format in force may differ from the one last written

    // The walk.
    TParagraph* Cur = nullptr;
    TCharFormat Written{};        // the format the paragraph's tags last gave
    TCharFormat Current{};        // the format of the characters being read
    TCharFormat UnitBase{};       // the paragraph style's character format
    TWordParaProps UnitPara{};    // the properties of the paragraph being read
    TWordCharProps RunChars{};    // the character properties in force
    TWordPictureScale RunScale{}; // a picture scale the piece in force gives, mx and my, or not set
    int32_t UnitEnd = -1;         // the position of the mark that ends the paragraph being read
    int32_t RunStyle = -2;        // the paragraph style RunChars was decoded for
    std::string Pending;          // ordinary characters not yet appended
    std::vector<TWordFieldState> FieldStack;
    std::vector<TField*> OpenFields;
    TWordParagraphList FootnoteParagraphs, EndnoteParagraphs, HeaderParagraphs;
    bool InNote = false;
    int32_t TextLength = 0;
    TWordProgress Progress;
    int32_t CharsRead = 0; // the position where progress was last told
};
