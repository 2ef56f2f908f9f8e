// The state of one Rich Text Format read, shared by the reader's source files: the tokenizer, the
// formats in force and their stack, the tables read from the file, the paragraph being filled and the
// stories, sections, styles, fields and bookmarks the read builds in the document.
#pragma once
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/Colors.h"
#include "core/TabTables.h"
#include "core/FormatRecords.h"
#include "formats/load/StylePasses.h"
#include "formats/rtf/RtfReader.h"
#include "formats/rtf/RtfTokenizer.h"

class TField;
class TParagraph;
class TStyle;

// The longest page, margin, column, indent or spacing taken from a file, in twips (22 inches).
constexpr int32_t kMaxRtfLength = 31680;
inline int32_t RtfLength(int32_t v)
{
    return std::clamp(v, 0, kMaxRtfLength);
}
inline int32_t RtfSignedLength(int32_t v)
{
    return std::clamp(v, -kMaxRtfLength, kMaxRtfLength);
}

// A font of the file's font table.
struct TDocFontInfo {
    int32_t Number = 0;
    int32_t PitchBits = 0;
    int32_t PitchAndFamily = 0;
    std::string Name;
    int32_t Charset = UndefinedField;
    int32_t SharedIndex = 0;
};

// What a group saves and its end restores.
struct TRtfState {
    TCharFormat Char;
    TParaFormat Para;
    int32_t SkipCount;
    bool Deleted;
    int32_t CharStyle;
};

using TParagraphList = std::vector<std::unique_ptr<TParagraph>>;

class TRtfReader {
public:
    TRtfReader(TDocument& document, TLoadInput& input);
    ~TRtfReader();

    TRtfReadResult Read();

    // Groups.
    void ReadGroupBody(int depth, const TRtfToken* first);
    void ParseGroup();
    bool DispatchControlWord(int word, int depth);
    void SkipGroup(int depth);
    void ReadFlattened(int depth);
    // The next token of the group opened at Depth, its nested groups skipped; nullptr at its end.
    const TRtfToken* NextOfGroup(int depth);
    void HandleToken(const TRtfToken& t);
    std::string ReadDestinationText(int depth);
    void DispatchOrSkip();

    // States.
    void PushState();
    void PopState();
    void FlushPendingTabs();

    // Text.
    // Bytes of the file (raw bytes go through the document's character set); a character the file gives
    // by name or number is already in the Windows code page.
    void AddText(const uint8_t* p, int32_t n, bool fromFile = true);
    void AddChar(uint8_t c);
    void AddWindowsChar(uint8_t c);
    // True when the font in force holds double-byte characters.
    bool DoubleByteFont() const;
    // Removes a tab that ends the paragraph being filled.
    void DropTrailingTab();
    void ReadDrawingObject(int depth);
    void ReadNestedTableProperties(int depth);
    void AddSpecial(uint8_t code);
    void EndParagraph(uint8_t mark);
    void HandleSymbol(uint8_t c);
    void HandleFormattingWord(const TRtfToken& t);
    void ReadUnicodeChar(int32_t param);
    void SetCharField(int field, int32_t value);
    int32_t ColorIndex(int32_t n) const;
    bool BreaksForbidden() const;
    // A new paragraph at the end of the list being filled.
    TParagraph& NewParagraph();

    // Tables and document information (RtfReader.cpp).
    void ReadFontTable(int depth);
    void ReadColorTable(int depth);
    void ReadInfo(int depth);
    void ReadUpr(int depth);
    void ReadDate(int depth, double& into);
    void ReadPictureOrObject(int word, int depth);

    // Sections and page setup (RtfSections.cpp).
    bool HandleSectionWord(const TRtfToken& t);
    void EndSection();
    void FinishSections();

    // The style sheet (RtfStyleSheet.cpp).
    void ReadStyleSheet(int depth);
    void ReadStyleEntry(int depth, const TRtfToken* first);
    void ReadKeyCode(int depth, TStyle& style);

    // Headers, footers and notes (RtfStories.cpp).
    void ReadHeaderFooter(int depth, int slot);
    void ReadFootnote(int depth);
    void AddNoteNumber();
    void AppendStories();
    // Sets the document's paragraph list aside for a new one that starts with the mark of Frame.
    TParagraphList BeginStory(TField& frame);
    // Puts the document's own list back; returns the list that was filled.
    TParagraphList EndStory(TParagraphList saved);
    TParagraphList ReadStory(int depth, TField& frame);

    // Fields and bookmarks (RtfFields.cpp).
    void ReadField(int depth);
    void ReadFieldInstruction(int depth);
    void StartBookmark(int depth);
    void EndBookmark(int depth);
    void CloseOpenBookmarks();
    TField& AddField(int kind);
    // The paragraph that takes the end mark of a field or bookmark ending here.
    TParagraph& EndMarkParagraph(const TField& field);

    TDocument& Doc;
    TRtfTokenizer Tok;
    TTabManager* Tabs;
    TParagraph* Cur = nullptr;
    TCharFormat Char = DefaultCharFormat();
    int32_t SkipCount = 1;
    int32_t UnicodeSkip = 0;
    bool Deleted = false;
    int32_t CharStyle = -1;
    std::vector<TRtfState> Stack;
    std::vector<TDocFontInfo> Fonts;
    std::unordered_map<int32_t, int32_t> FontByNumber;
    std::vector<TColorTableEntry> Colors;
    TTabTable PendingTabs;
    int32_t TabKind = 0, TabLeader = 0;
    int32_t CellCount = 0, CellsRead = 0;
    TRtfReadResult Result;

    // Sections.
    int32_t ColumnNumber = 0; // the column "\colw" and "\colsr" describe, from 0

    // The style sheet.
    bool InStyleSheet = false;
    // File numbers of the styles to list indexes, once the style sheet is read.
    std::unique_ptr<TStyleNumberIndex> StyleNumbers;
    TStyle* StyleEntry = nullptr; // the entry being read, its formatting words set its formats

    // Stories read aside, appended after the main text at the end.
    TParagraphList Footnotes, Endnotes, HeadersFooters;
    int StoryDepth = 0; // headers, footers and notes being read inside each other
    bool InHeaderFooter = false;
    bool FootnoteAlternate = false;
    bool Macintosh = false;   // text is in the Macintosh character set
    int32_t AnsiCodePage = 0; // the document's code page ("\\ansicpg"), 0 when not given
    int32_t MacPage = 0;      // a Macintosh code page other than Roman that raw bytes are in
    // The Macintosh code page of the raw bytes of fonts that a Macintosh character set names, by font.
    std::unordered_map<int32_t, int32_t> FontMacPages;
    int32_t DefaultFontNumber = -1; // "\\deff"

    // Fields and bookmarks.
    std::vector<TField*> OpenFields; // bookmarks and fields whose end is still to come
    size_t StoryOpenFields = 0;      // how many of them were opened before the story being read
    // Bookmark names of the document (upper case, as they are compared) and how many bookmarks of each
    // exact name are open, so that a file of many bookmarks reads in linear time.
    std::unordered_set<std::string> BookmarkKeys;
    bool BookmarkKeysReady = false;
    std::unordered_map<std::string, int32_t> OpenBookmarkNames;
    TField* CurrentField = nullptr;
    bool InInstruction = false;
};
