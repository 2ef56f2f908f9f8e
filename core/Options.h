// The record of the program's options, every field carrying its default until the settings are loaded.
#pragma once
#include <cstdint>
#include <string>

#include "core/SpellCheckOptions.h"

// The default document format and the templates of new documents (section "DefDocTemplates").
struct TDefaultDocTemplates {
    int32_t DefDocFmt = 0;
    std::string Templates[6] = {"Normal.rtf", "Normal.rtf", "Normal.rtf",
                                "Normal.rtf", "Plain.rtf",  "Plain.rtf"};
};

// Section "General".
struct TGeneralOptions {
    bool NewDocAtStartUp = true;
    bool ShowSplash = true;
    bool AlwaysShowTemplWnd = false;
    bool NewDocsContNum = true;
    bool FullPaths = true;
    bool OfferDocProp = false;
    int32_t DocsToKeep = 10;
    // 0 cm, 1 inch, 2 pt, 3 pica, 4 mm; the loader's default follows the user locale's measurement system.
    uint8_t Measurements = 0;
    TDefaultDocTemplates DefaultTemplates;
    bool FavFonts = false;
    bool UpdFlds = true;
    std::string UsrName;
};

// Section "NewDocParams" (the counter is read from section "General").
struct TNewDocParams {
    bool SpecSymbols = false; // show formatting marks in new documents
    bool Maximize = true;     // new document windows maximised
    int32_t NewDoc_Index = 1; // 1..99, the number of the next new document's name
};

// Section "Preview": the view of print preview.
struct TPreviewOptions {
    bool SpecSymbols = false; // formatting marks shown
    int32_t ZoomFactor = 100; // 10..500
    uint8_t ZoomKind = 4;     // 0..4, two pages
};

// How document views scroll.
struct TViewOptions {
    bool KeepPageCorner = false; // a new view stays at the page's top-left corner instead of its text
    bool MarginBorders = false;  // dotted limits of the page margins
    // Which formatting marks show, one bit each: 0 tab arrows, 1 spaces as dots, 2 paragraph ends,
    // 3 optional hyphens, 4 bookmark brackets.
    uint8_t SpecSymbTypes = 31;
    uint8_t FldShading = 2;  // fields shaded: 0 never, 1 while marks show, 2 always
    bool SmartColors = true; // text colours adapted to the page's background
};

// Section "LoadSave".
struct TLoadSaveOptions {
    bool SuperCmpctSave = true;  // RTF files of the program's own keep 8-bit characters as they are
    bool SaveCaretPos = false;   // the caret's place is remembered in the file
    bool CipherStrength = false; // encrypted documents carry two file keys instead of one
    uint8_t ReuseEncPass = 0;    // bit 0: the opening password is tried on every encrypted document;
                                 // bit 1: the saving password is suggested again
    // The last saving and opening passwords, enciphered in memory for this run; never stored.
    std::string LastSavingPassword;
    std::string LastOpeningPassword;
    bool UseDocFolder = true;       // new documents go to DocFolder
    std::string DocFolder;          // the documents folder, ending in a backslash
    bool OpenHLinksInPlace = false; // open hyperlinked documents and pictures in the program itself
};

// Section "Internal": the keys the program reads.
struct TInternalOptions {
    int32_t BkmkSort = 1; // bookmark lists in document order (1) or by name (0)
};

// Section "Edit".
struct TEditOptions {
    bool ReplaceSel = true;
    bool DragDrop = true;
    bool GroupUndo = true;
    bool UndoAfterSave = true;
    bool FindWordAtCursor = true;
    bool SelWholeWords = true;
    bool StepLikeColumns = false;
    bool WiseCutPaste = true;
    bool DiscrVerScroll = false;
    bool FmtWithoutSel = true;
    bool TreatURLsAsWords = true; // links count as words
    bool ClickType = true;
};

// Section "Autocorrect": the keys the program reads.
struct TAutocorrectOptions {
    // Extensions that make a token a file name, separated by "||".
    std::string FileExts =
        "ani||arj||asp||avi||bak||bat||bmp||cab||cfg||cgi||chm||cod||com||css||cur||dat||dll||doc||dot||drv||"
        "emf||exe||gif||hlp||htm||html||ico||inf||ini||jpeg||jpg||js||lnk||log||midi||mp3||mpeg||mpg||ocx||"
        "pcx||php||pif||pl||png||rar||rtf||shtml||tga||tif||tiff||tmp||ttf||txt||wav||wmf||wmv||wri||xls||"
        "xml||zip";
};

struct TOptions {
    TInternalOptions Internal;
    TNewDocParams NewDocParams;
    TPreviewOptions Preview;
    TGeneralOptions General;
    TViewOptions View;
    TEditOptions Edit;
    TLoadSaveOptions LoadSave;
    TSC_SpellCheckSystemSettings SpellCheck; // section "SpellCheck"
    TAutocorrectOptions Autocorrect;
};

// The options in force: the defaults until the settings holder has loaded its own.
TOptions& CurrentOptions();
