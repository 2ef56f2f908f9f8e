// The record of the program's options, every field carrying its default until the settings are loaded.
#pragma once
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

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

// Which elements a document window (or print preview) shows, and its mouse mode.
struct TViewElements {
    bool MarginBorders = false;
    bool Ruler = true;
    bool VerRuler = true;
    bool Bookmarks = true;
    uint8_t ScrollBars = 3; // 0..3
    bool DocBtnBar = true;
    bool StatusBar = true;
    uint8_t MouseMode = 0; // 0..6
};

// Section "View".
struct TViewOptions {
    uint8_t PicDrawing = 0; // 0..1
    bool Ruler = true;
    bool VerRuler = true;
    bool Bookmarks = true;
    uint8_t ScrollBars = 3;
    bool DocBtnBar = true;
    uint8_t DocBtnBarAlign = 2; // 1..4
    bool FlatDocBtnBar = true;
    bool StatusBar = true;
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
    bool SuperCmpctSave = true; // RTF files of the program's own keep 8-bit characters as they are
    bool GetFileNameFromDoc = true;
    bool SaveCaretPos = false; // the caret's place is remembered in the file
    bool CreateBackup = false;
    int32_t Backup_MaxFiles = 5;
    bool Backup_SepFolders = true;
    int32_t Backup_MinDiff = 2;
    int32_t Backup_MaxAmount = 10;
    bool ReloadDocs = true;
    int32_t AutoSave = 3;        // minutes between automatic saves, 0 off
    bool UseDocFolder = true;    // new documents go to DocFolder
    std::string DocFolder;       // the documents folder, ending in a backslash
    bool CipherStrength = false; // encrypted documents carry two file keys instead of one; never written
    uint8_t ReuseEncPass = 0;    // bit 0: the opening password is tried on every encrypted document;
                                 // bit 1: the saving password is suggested again
    // The last saving and opening passwords, enciphered in memory for this run; never stored.
    std::string LastSavingPassword;
    std::string LastOpeningPassword;
    bool OpenHLinksInPlace = false; // open hyperlinked documents and pictures in the program itself
};

// The table-of-contents dialog's last choices (section "Internal\TOC").
struct TTocDialogOptions {
    bool PageNum = true;
    bool RightAlign = true;
    uint8_t TabLeader = 1; // -1..3, -1 kept as 255
    int32_t Levels = 3;
    bool ShowTitle = true;
    std::string Title = "Table des matières";
    std::string Template;
};

// Section "Internal\Envelopes".
struct TEnvelopeOptions {
    std::string AddrBookFldr;
    std::string LastAddrBook;
    std::string LastAddr;
    bool OmitRetAddr = false;
    std::string RetAddr; // "||" separates lines
    int32_t Width = 9184, Height = 6463;
    int32_t DA_Left = 4000, DA_Top = 5000;
    int32_t RA_Left = 1000, RA_Top = 1000;
    uint8_t FeedMethod = 5;
    bool FeedFace = false;
    std::string AddrFont;
    std::vector<uint8_t> DevMode;
    std::vector<uint8_t> DevNames;
};

// The help window's placement.
struct THelpWindowPlacement {
    int32_t Length = 44;
    int32_t ShowCmd = 3; // 3 maximised, 1 normal
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// Section "Internal" and its subsections.
struct TInternalOptions {
    int32_t RunCount = 0;
    int32_t LastRunVer = 0;
    uint8_t EditOptions_Tab = 0;
    uint8_t StyleListViewKind = 0;
    std::string InitDir;
    bool AdviseAtStartUp = true;
    int32_t SavePict_Index = 1;
    int32_t SavePict_Web_Index = 1;
    std::string PictureNamePattern = "Image%s.%s";
    std::string InsSymbol_Font = "Symbol";
    int32_t InsSymbol_Lang = 0;
    int32_t InsSymbol_Symbol = 32;
    int32_t BkmkSort = 1; // bookmark lists in document order (1) or by name (0)
    uint8_t DefDateFmt_Fr = 16;
    uint8_t DefTimeFmt_Fr = 37;
    uint8_t LastDateFmt_Fr = 0;
    uint8_t LastUsedDateTimeCaseFormat = 0;
    bool UpdDtTm = false;
    int32_t LastFntScaleFactor = 200;
    int32_t PasteSpec_Fmt = 0;
    bool ApplyTemplatePreview = true;
    std::string LastUsedDocTemplate;
    int32_t Highlight_Color = 6;
    int32_t Font_Color = 2;
    int32_t LastChkForUpd = 0; // calendar day number of the last update check
    bool ChkForUpdts = true;
    bool FloatFmtPlt = false;
    bool FloatFmtPltVsbl = true;
    int32_t FloatFmtPlt_x1 = 0, FloatFmtPlt_y1 = 0, FloatFmtPlt_x2 = 0, FloatFmtPlt_y2 = 0;
    TTocDialogOptions Toc;
    THelpWindowPlacement HelpPlacement;
    uint8_t OpenDlgPreview = 1;
    uint8_t TemplateDlgPreview = 2;
    int32_t OpenDlgSize = 0;
    std::string FavFolder;
    TEnvelopeOptions Envelopes;
    bool ShowHotKeys = true;
    // The customised main menu (section "Internal\Menus", "MainMenu_Fr"); empty for the built-in one.
    std::vector<uint8_t> MainMenu;
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
    int32_t HLink_ULine = 1; // the underline kind of hyperlinks
    int32_t HLink_Color = 2; // their colour (a standard colour index)
};

// Section "Print".
struct TPrintOptions {
    bool Collate = true;
    bool TwoSided = false;
    std::string PrnDuplexInfoEx;
    int32_t BookletSize = 2147483647; // 2147483647: no booklet size
    bool CutGrid = true;
    std::vector<uint8_t> DevMode;
    std::vector<uint8_t> DevNames;
};
constexpr int32_t NoBookletSize = 2147483647;

// Section "HotCalculator".
struct TCalculatorOptions {
    bool Autodetect = true;
    bool Beep = true;
    int32_t DigitsBeforePoint = 10;
    int32_t DigitsAfterPoint = 6;
    uint8_t ResHandling = 2;
    int32_t SelectedFunc = 0;
};

// Section "PageNum".
struct TPageNumOptions {
    uint8_t PageNumPos = 1;
    uint8_t PageNumAlign = 2;
    bool FirstPage = true;
};

// Section "Autocorrect".
struct TAutocorrectOptions {
    bool AsYouType = true;
    bool IniCaps = true;
    bool CapSent = true;
    bool CapsLock = true;
    bool RmvSpcs = true;
    bool ReplTxt = true;
    bool SuperscriptOrdinals = true;
    bool ScriptFract = true;
    bool FmtURL = true;
    // Extensions that make a token a file name, separated by "||".
    std::string FileExts =
        "ani||arj||asp||avi||bak||bat||bmp||cab||cfg||cgi||chm||cod||com||css||cur||dat||dll||doc||dot||drv||"
        "emf||exe||gif||hlp||htm||html||ico||inf||ini||jpeg||jpg||js||lnk||log||midi||mp3||mpeg||mpg||ocx||"
        "pcx||php||pif||pl||png||rar||rtf||shtml||tga||tif||tiff||tmp||ttf||txt||wav||wmf||wmv||wri||xls||"
        "xml||zip";
    bool SplChkrAdds = false;
};

// Section "SaveAsWeb".
struct TSaveAsWebOptions {
    std::string KWrds;
    std::string Author;
    bool SepFldr = true;
    int32_t BkClr = INT32_MIN; // none
    std::string BkImg;
    bool RestartImgNum = false;
    uint8_t DefImgFmt = 1;
};

// Section "ClipLib".
struct TClipLibraryOptions {
    std::string Folder;
    bool Visible = false;
    bool Thumbnails = true;
    std::string RecentClip;
    bool Preview = true;
    std::string AddTextClip_RecentFolder;
    std::string AddGraphicClip_RecentFolder = "Images";
    bool ReplaceAsYouType = false;
    bool ShowClipLibPanel = true;
};

struct TOptions {
    TInternalOptions Internal;
    TNewDocParams NewDocParams;
    TGeneralOptions General;
    TViewOptions View;
    TEditOptions Edit;
    TLoadSaveOptions LoadSave;
    TPrintOptions Print;
    TCalculatorOptions Calculator;
    TPageNumOptions PageNum;
    TAutocorrectOptions Autocorrect;
    TSaveAsWebOptions SaveAsWeb;
    TClipLibraryOptions ClipLib;
    TPreviewOptions Preview;
    TSC_SpellCheckSystemSettings SpellCheck; // section "SpellCheck"
};

// The options in force: the defaults until the settings holder has loaded its own.
TOptions& CurrentOptions();
