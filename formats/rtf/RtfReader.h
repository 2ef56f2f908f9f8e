// Reading Rich Text Format into a document: text, special characters, character and paragraph
// formats, tab stops, fonts, colours and the document settings the format carries.
#pragma once
#include <cstdint>
#include <string>

class TDocument;
class TLoadInput;
class TTabManager;

// Settings of the document that a file gives, for the load to apply.
struct TRtfDocumentSettings {
    int32_t DefaultTab = 720;
    int32_t ZoomPercent = 100;
    int32_t ZoomKind = 0;
    int32_t DefaultLanguage = -1;   // -1: not given
    int32_t LanguageCoding = -1;
    bool WidowControl = false;
    int OriginalCoding = -1;        // the coding named by the file, -1 none
    std::string OriginalName;
    std::string Title, Subject, Author, Keywords, Comments, Operator, Company;
};

// What a read gave.
struct TRtfReadResult {
    bool Complete = false;          // every group was read to its end
    std::string Error;              // why reading stopped early (French), empty otherwise
    int64_t TextLength = 0;         // characters read into paragraphs
    TRtfDocumentSettings Settings;
};

// Reads the RTF data of the input into the document's paragraph list (which must be empty), from the
// input's current position. Damaged data never stop it: what could be read stays in the document.
// Tab tables are registered with TabManager (stops are dropped without one).
TRtfReadResult ReadRtfDocument(TDocument& document, TLoadInput& input, TTabManager* tabManager);
