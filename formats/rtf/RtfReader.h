// Reading Rich Text Format into a document: text, special characters, character and paragraph
// formats, tab stops, fonts, colours, styles, sections with their page setup, headers and footers,
// notes, fields, bookmarks and the document settings the format carries.
#pragma once
#include <cstdint>
#include <string>

class TDocument;
class TLoadInput;

// Groups nested deeper than this are read as one (the reader recurses over groups); data that end with
// more groups than this open are refused as damaged.
constexpr int kMaxReadDepth = 400;

// What a read gave besides the document.
struct TRtfReadResult {
    bool Complete = false;       // every group was read to its end
    std::string Error;           // why reading stopped early (French), empty otherwise
    int64_t TextLength = 0;      // characters read into paragraphs of the main text
    bool StyleSheetRead = false; // the file gave the document its style list
};

// The caret position that the last file read carried in its information group ("dskparnr" paragraph
// index, "dskcharnr" offset); both 0 when it carried none. Placing the caret from it is the loader's.
struct TRtfSavedCaret {
    int32_t Paragraph = 0;
    int32_t Offset = 0;
};
extern TRtfSavedCaret RtfSavedCaret;

// Reads the RTF data of the input into the document, from the input's current position: the main
// text into its paragraph list (which holds at most one empty paragraph), then the notes and the
// headers and footers as stories 1 to 3; sections, styles, fields, settings and information too.
// Damaged data never stop it: what could be read stays in the document.
TRtfReadResult ReadRtfDocument(TDocument& document, TLoadInput& input);
