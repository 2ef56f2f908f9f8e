// The document: the root of one open document, its members grouped by topic.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "classlib/runtime/Streams.h"
#include "codecs/Geometry.h"
#include "classlib/runtime/StringList.h"
#include "core/FormatRecords.h"
#include "document/CaretShape.h"
#include "document/PageGrid.h"
#include "document/PageSetup.h"
#include "document/Statistics.h"
#include "document/Paragraph.h"
#include "document/TextAccess.h"
#include "document/TextPos.h"
#include "document/Field.h"
#include "document/UndoList.h"

class TClock;
class TDocObject;
class TDocumentForm;
class TDocumentView;
class TField;
class TObjectManager;
class TChangedRanges;
class TOperationManager;
class TPage;
class TParReformatingManager;
class TSection;
class TStyleList;
struct TSelectedFont;
class TTabManager;
struct TDocOpeningOptions;
struct TDocStatistics;
struct TDocSavingOptions;

// The stories of the paragraph list, in order.
enum TStory : int { stMain = 0, stFootnotes = 1, stEndnotes = 2, stHeadersFooters = 3, StoryCount = 4 };

// Mode flags whose meaning the document itself gives; the other numbers belong to the code that sets them.
enum TModeFlag : int {
    mfConstructing = 0,        // the document is being built, or header/footer fields recreated
    mfPrinting = 3,            // output goes to a printer
    mfSample = 6,              // drawing a sample of the format palette: straight onto the target
    mfShowMarks = 7,           // formatting marks are shown
    mfViewLive = 9,            // scroll bars follow the zoom; painting and caret updates go ahead
    mfHoldScrolling = 11,      // scrolling and invalidation are held back
    mfHoldCaret = 13,          // caret updates are held back
    mfPaintFirstPageOnly = 16, // painting stops after the first visible page
    mfNoSelectionRepaint = 14, // Select does not repaint
    mfKeepScrollPos = 15,      // ClampScrollPos leaves the position as it is
    mfViewNotReady = 18,       // SetZoomAt only recomputes the device metrics
    mfFitsWholePages = 19,     // the zoom shows whole pages
    mfPaginationComplete = 20,
    mfSectionRangesStale = 22,
    mfColumnWidthsStale = 23,
    mfNoPaginationProgress = 24,
    mfPaginatedOnce = 25,
    mfRebuildingPages = 26,
    mfInsertAtCaretFormat = 27, // text inserted at the caret takes the format there on both sides
    mfKeepCharFormatState = 28, // Select leaves the character format state as it is
    mfNoScrollToCaret = 33,
    mfNoInsertFormat = 43, // PrepareInsertFormat does nothing
    mfNoOwnFile = 44,
    mfHidden = 51, // no window
    mfHasWindow = 52,
    mfTempFileOpen = 57,
    mfNoWrap = 53,          // line breaking wraps nothing
    mfDrawingTogether = 54, // a line drawn with others of its band: no selection of its own
    mfOverhangDrawing = 55, // the last line of a page is drawn with its overhang
    mfTempFileNoWipe = 58,
    mfPainted = 60,        // set after each paint
    mfSaving = 63,         // a save is writing the document
    mfFormatsAtMarks = 74, // formats are read at field marks as they stand, no step over them
    mfFieldsDirty = 77,
    mfPreviewShading = 81,    // the previewers draw field shading on their direct output
    mfFieldsNeedSorting = 78, // the field list is sorted by position before it is searched
    mfHeaderFooterPageFields = 79,
    mfFindBookmarkLikeFields = 82, // FindFieldAt also finds bookmarks, note texts and note numbers
    mfStatisticsStale = 89,
    mfHeaderFooterParaFormat = 95,
    mfHideBodyText = 96,        // while a header or footer is edited, the body's lines show no text
    mfStatisticsCharsOnly = 97, // statistics count characters and words only (the field updater)
    mfFreeWindowAtOnce = 98,
    mfMeasureAtZoom = 99,
    mfNoBreaks = 101, // readers write no section, page or column breaks and no notes
    ModeFlagCount = 128
};

// The largest page over all sections: width and height in twips, in screen pixels, in device units,
// and the largest text width in twips.
struct TPageExtent {
    int32_t F[7];
    constexpr int32_t& operator[](int i) { return F[i]; }
    constexpr const int32_t& operator[](int i) const { return F[i]; }
};

// Numbering of footnotes or endnotes.
struct TNoteSettings {
    int32_t Format = 0;      // 0 to 4 number styles, higher values symbol sequences
    int32_t StartNumber = 1; // added to a reference's counter for display
    uint8_t RestartMode = 0; // 0 continuous, 1 each section, 2 each page
    int32_t Position =
        0; // footnotes: 1 bottom of the page, 2 below the text; endnotes: 0 section end, 3 document end
};

// A rectangular selection (Alt+drag): the band between two x positions over the main-text lines of one
// page.
struct TBlockSelection {
    bool Active = false;
    bool WholeChars = true;      // the band covers the characters whose middles lie between the two x
    int32_t Page = -1;           // page index
    int32_t Top = 0, Bottom = 0; // on the page, screen pixels at 100 %
    int32_t X1 = 0, X2 = 0;      // from the text area's left edge, layout units, X1 <= X2
};

// What the view shows: formatting marks, the zoom and its kind.
struct TViewSettings {
    bool ShowMarks = false;
    int32_t Zoom = 100;
    uint8_t ZoomKind = 0;
};

// What the view shows and where: the zoom, the resolutions, the window's client size, the page grid and
// the scroll position.
struct TDocViewState {
    int32_t ZoomPercent = 100; // 10..500
    int32_t LayoutZoom = 100;  // the zoom of the last SetZoomAt
    uint8_t ZoomKind = 0;      // 0 percent, 1 page width, 2 text width, 3 whole page, 4 two pages
    int32_t DeviceDpiY = 96;
    int32_t DeviceDpiX = 96;
    int32_t ScreenDpi = 96; // unzoomed
    TPageExtent PageExtent{};
    int32_t ClientWidth = 0; // the window's client area, kept by the window
    int32_t ClientHeight = 0;
    TPageGrid Grid;
    TPoint ScrollPos{};
    TScrollRanges ScrollRanges{}; // for the window's scroll bars
    TRect UpdateRegion{};         // empty at creation
    // The document's own settings and position while print preview shows it.
    TViewSettings SavedViewSettings{};
    TPoint SavedScrollPos{};
};

// The caret as the view shows it: its shape, the font it was made from and its place; the word being
// typed at it.
struct TDocCaretState {
    // The word being typed, checked once the caret leaves it.
    struct TPendingWord {
        bool Pending = false;
        TTextRange Range{};
    } PendingWord;
    TTextPos OldPos{};    // the caret before the last placement
    TCharFormat Format{}; // the format the caret shape was made from
    int32_t Ascent = 0;   // of the caret format's font, pixels
    int32_t Descent = 0;
    TCaretShape Shape{1, 1, 1, false};
    int32_t X = 0; // view pixels
    int32_t Y = 0;
};

// Who wrote the document and when (dates as date-time values, 0 not set), and what it is about.
struct TDocumentInfo {
    std::string Title;
    std::string Subject;
    std::string Keywords;
    std::string Comments;
    std::string Company;
    std::string Author;
    std::string LastAuthor;
    double CreationDate = 0;
    double LastSaveDate = 0;
    double LastPrintDate = 0;
    int64_t FileSize = 0;
};

// Where page numbers go (InsertPageNumbers of the editing floor).
struct TPageNumberChoice {
    bool InFooter = false;    // else in the headers
    int Alignment = 1;        // 0 left, 1 centre, 2 right, 3 outside, 4 inside
    bool OnFirstPage = false; // the first-page header or footer gets one too
};

// Each topic of the document is implemented in a source file of its own.
class TDocument {
public:
    // A hidden document has no window (previews, templates, clips, the format palette).
    explicit TDocument(bool hidden = true);
    ~TDocument();
    TDocument(const TDocument&) = delete;
    TDocument& operator=(const TDocument&) = delete;

    // --- Paragraphs and stories (DocParagraphs.cpp) ---
    // The paragraphs of all stories, one story after another; owned.
    std::vector<std::unique_ptr<TParagraph>> Paragraphs;
    // Paragraph counts of stories 0 to 3.
    int32_t StoryLengths[StoryCount] = {};
    int32_t ParagraphCount() const { return int32_t(Paragraphs.size()); }
    // The story whose range holds paragraph I; 0 when none does.
    int StoryOfParagraph(int32_t i) const;
    int32_t StoryStart(int story) const;
    int32_t StoryEnd(int story) const;
    // Whether paragraph I lies outside the story being edited (never while printing).
    bool IsOutsideEditedStory(int32_t i) const;
    // The body's text is hidden while a header or footer is edited (mode flag 96) and paragraph I is not
    // one of them; never on a printer.
    bool IsTextHidden(int32_t i) const;
    // Appends a new paragraph to the main text (while the other stories are empty) and returns it.
    TParagraph& AppendParagraph();
    // The paragraph a reader starts in: the last one while its text is empty (the first paragraph of a
    // new document), else a new one.
    TParagraph& StartingParagraph();
    // The main text is the paragraph list; the other stories follow it, taken from the lists given.
    void AppendStories(std::vector<std::unique_ptr<TParagraph>>& footnotes,
                       std::vector<std::unique_ptr<TParagraph>>& endnotes,
                       std::vector<std::unique_ptr<TParagraph>>& headersFooters);
    // After reading: the main text's last paragraph gets its end mark when it has none, a document
    // without paragraphs gets one empty paragraph, and every paragraph's tags are put in canonical form.
    void FinishParagraphs();

    // --- Sections (DocSections.cpp) ---
    std::vector<std::unique_ptr<TSection>> Sections; // never empty
    // Recomputes every section's number and paragraph range when they are stale.
    void UpdateSectionRanges();
    TSection* SectionOfParagraph(int32_t i);
    // The section whose page setup governs paragraph I: walks back over continuous breaks.
    TSection* PageSetupOwnerSection(int32_t i);
    TSection* PageSetupSectionOfPage(int32_t n);
    void GetCurrentPageSetup(TPageSetup& out);
    // The parameters of the selection's sections; those that differ between them are not set.
    void SelectionSectionParams(TSectionParams& out);
    void SectionsInRange(const TTextRange& range, std::vector<TSection*>& list);
    void GetPageExtent(TPageExtent& out);
    bool HasMultiColumnSection() const;
    bool SectionsDifferInPageSize() const;

    // --- Mode flags (DocModeFlags.cpp) ---
    bool GetModeFlag(int k) const { return ModeFlags[k & 127] != 0; }
    void SetModeFlag(int k, bool on) { ModeFlags[k & 127] = on ? 1 : 0; }
    // Saves flag K on the stack.
    void PushModeFlag(int k);
    int PushModeFlagOn(int k);
    int PushModeFlagOff(int k);
    // Restores the N newest saved flags, newest first.
    void PopModeFlags(int n);
    int32_t ModeFlagStackDepth() const { return int32_t(ModeFlagStack.size()); }

    // --- Units and zoom (DocUnits.cpp) ---
    // Twips to device units, rounded half up (products in 64 bits; negative values truncate).
    int32_t TwipsToDeviceY(int32_t v) const;
    int32_t TwipsToDeviceX(int32_t v) const;
    int32_t TwipsToScreen(int32_t v) const;
    // The same at P percent.
    int32_t TwipsToDeviceYScaled(int32_t v, int32_t p) const;
    int32_t TwipsToDeviceXScaled(int32_t v, int32_t p) const;
    int32_t TwipsToScreenScaled(int32_t v, int32_t p) const;
    int32_t ScreenToTwips(int32_t v) const;
    int32_t DeviceYToTwips(int32_t v) const;
    int32_t ApplyZoom(int32_t v) const;
    int32_t ApplyLayoutZoom(int32_t v) const;
    // Font heights (negative: character heights) from half-points.
    int32_t FontHeightFromHalfPoints(int32_t s) const;
    int32_t DeviceFontHeight(int32_t s) const;
    // Recomputes the derived device fields of every page setup and of the page extent.
    void UpdateDeviceMetrics();
    // The zoom the zoom kind gives for the window's size and the page extent.
    int32_t EffectiveZoom();
    void SetZoom(int32_t p);
    // Anchor: a rectangle (left, top, right, bottom) of the view to keep in sight, or none.
    void SetZoomAt(int32_t p, const int32_t* anchor);

    TDocViewState ViewState;
    // A paint that arrived while the document was busy waits here, and is asked again when the last
    // busy action ends, so that nothing is drawn half-way through an edit.
    bool PaintPending = false;
    TRect PendingPaintRect{};

    // --- Pages (Page.cpp) ---
    std::vector<std::unique_ptr<TPage>> Pages;

    // --- Pagination (DocPagination.cpp) ---
    // Lays out pages from FirstPage on (the pages from there are rebuilt) until more than LastWanted
    // exist (0x7FFFFFFF: to the end) and the last one holds lines, or the main text ends.
    void Paginate(int32_t firstPage, int32_t lastWanted, int32_t extra = 0);
    // Paginates to the end unless pagination is complete.
    void PaginateAll();
    // Whether background pagination has work: not complete, and fewer than 400 pages once the
    // document was paginated to its end.
    bool WantsBackgroundPagination() const;
    // One slice of background pagination: a page at a time for at most 50 ms of Clock.
    void PaginateSlice(TClock& clock);
    // Breaks paragraph I into lines for a text width in twips unless it is laid out.
    void LayoutParagraph(int32_t i, int32_t widthTwips);
    // The width (twips) that the lines of paragraph I are broken for in column Column (-1: none).
    int32_t ColumnTextWidth(int32_t i, int32_t column);
    // Drops every paragraph's lines and frees every page; drops only the lines; empties the page list.
    void DiscardLayout();
    void DiscardLineLayout();
    void ClearPageList();
    // The page count the view's grid assumes; lays the grid out again.
    void SetLayoutPageCount(int32_t n);

    int32_t LayoutPageCount = 100;
    int32_t FieldPageCount = 0; // the page count shown by fields, set when pagination completes
    // 1: the space after a paragraph and the space before the next both count where they meet.
    uint8_t SpacingMode = 0;

    // The space before its paragraph that a line carries (screen pixels): line 0's, or line 1's after a
    // lone page or column break; none on a line that starts with a page, column or section break.
    int32_t LineSpaceBefore(const TParLine& line) const;

    // --- View geometry (DocView.cpp) ---
    // Recomputes the grid, the page rectangles, the scroll range and the caret's place (nothing without a
    // window).
    void UpdatePageLayout();
    void SetZoomKind(int kind);
    // Refreshes device metrics and page setups' text sizes, recomputes the page extent and drops the
    // pages.
    void InvalidatePagination();
    // Lays the whole document out again after its text or its sections changed: the section ranges and
    // column widths are stale, pagination starts over and runs to the end.
    void Relayout();
    // Redoes the whole layout for the screen (after the colours, the fonts or the printer changed): the
    // window drops its mouse state, header and footer editing ends, every line and page goes, the caret is
    // placed again and the view is painted anew.
    void RelayoutAll();
    // The page that holds line Line of paragraph Par, paginating further in growing slices (1, 2, 4...
    // pages) while none does; -1 when pagination ends without placing it.
    int32_t FindPageOfLine(int32_t par, int32_t line);
    void ComputePageExtent();
    TPageMargins GetPageMargins(const TPageSetup& pageSetup, int32_t side) const;
    TRect PageRectInGrid(int32_t pageIndex) const;
    TRect CenterPageInCell(int32_t pageIndex, const TRect& cell);
    TRect GetPageRect(int32_t pageIndex);
    int32_t FirstVisiblePage() const;
    int32_t LastVisiblePage() const;
    // --- Scrolling and the window (DocScrolling.cpp) ---
    // What the document asks of its window; none for a hidden document.
    TDocumentView* View() const;
    // A scroll position kept within the grid (as it is while mode flag 15 is set); in text-width zoom
    // x follows the current page's text area.
    TPoint ClampScrollPos(TPoint pos);
    // Clamps and stores a new scroll position (only that while scrolling is held back): the window
    // scrolls for a change of one coordinate and repaints for both; the scroll bars follow.
    void SetScrollPos(TPoint pos);
    // Scrolls the view to a new y (x): a short distance moves the window's contents, a long one repaints.
    void ScrollView(int32_t y);
    void ScrollViewX(int32_t x);
    // The whole view is to be painted again; the region that painting covers.
    void Invalidate();
    void SetUpdateRegion(const TRect& rect);
    // The scroll position that brings a rectangle into view: mode 1 keeps it in the upper half,
    // mode 2 keeps a horizontal margin.
    TPoint ScrollPosToShow(const TRect& r, int mode) const;
    // A new view (zoom as set, at the top left) shows where the first page's text starts.
    void ScrollToFirstText();
    // Print preview: the preview's view settings in, the document's own back out.
    void SetPreviewMode(bool on);
    void SetViewSettings(const TViewSettings& settings);
    void ApplyPreviewSettings();
    void RestoreViewSettings();

    // --- Painting (DocPainting.cpp) ---
    // Paints the visible pages that meet the update region (laying out those still missing), their
    // frames and shadows, and the background between them (client coordinates).
    void Paint(TDrawSurface& surface);
    // Draws the lines of a range that lie on visible pages straight onto the window (a selection that
    // changed).
    void RepaintRange(const TTextRange& range);
    // A change of text: the window's rectangles of the range's lines on visible pages are to be
    // painted again (at the window's next paint).
    void InvalidateRange(const TTextRange& range);
    // Draws the line a located position names on the window, and the lines below whose bands its text
    // reaches; CaretShown is cleared when the caret had to be hidden for it.
    void PaintRangeLines(TDrawSurface& surface, const TTextPos& pos, bool& caretShown);
    // The rectangle of a placed line in the window (client coordinates): its page's text width wide;
    // empty when the line is on no page.
    TRect LineClientRect(const TParLine& line);
    // The page's rectangle widened by its frame and shadow meets a rectangle (view coordinates).
    bool PageAreaIntersects(int32_t pageIndex, const TRect& r);

    // --- Caret (DocCaret.cpp) ---
    // Completes the line, page and x of a position, paginating further while its paragraph is on no
    // page yet. Flag bit 0: at a wrap point the end of the line before is taken.
    void LocateTextPos(TTextPos& pos, int32_t flag = 0);
    // One character back or forward across paragraph ends (forward up to the main text's end); false
    // at the ends.
    bool PrevCharPos(TTextPos& pos) const;
    bool NextCharPos(TTextPos& pos) const;
    // Offset itself, or, when it falls between the lead and trail bytes of a double-byte character
    // (text in a font of a double-byte character set), the character's end when Forward, else its start.
    int32_t CharBoundary(int32_t parIndex, int32_t offset, bool forward) const;
    // The page that shows a paragraph that pagination does not place (a header or footer), or -1.
    int32_t PageShowingParagraph(int32_t i) const;
    // The caret's size and slant from the typing format's font.
    void UpdateCaretShape();
    // The caret's place in view pixels from its line and page.
    void UpdateCaretGeometry();
    // Makes a completed position the caret. Options: 2 keeps the caret after line-end codes, 4 clears
    // the selection.
    void PlaceCaret(const TTextPos& pos, int32_t options);
    // Clamps the offset to the paragraph, completes the position and places the caret there.
    void SetCaret(int32_t par, int32_t offset, int32_t lineHint, int32_t options);

    // The caret rectangle widened by 10 pixels left and right and 2 above and below.
    TRect CaretRect() const;
    // The caret lies within the client area at the scroll position.
    bool IsCaretVisible() const;
    // Scrolls the caret into view when it is out of it (or always in mode 1); the mode as for
    // ScrollPosToShow.
    void MakeCaretVisible(int mode);
    // Inverts the caret-sized rectangle at the caret's place in the window.
    void InvertSelectionRect();
    // The window's system caret: made from the caret shape, moved to the caret's place.
    void CreateCaret();
    void SetCaretPos();
    // Spell-checks the word pending since typing, and forgets it.
    void CheckPendingTypedWord();
    // 0 background checking off, 1 waiting for a change, 2 checked without problems, 3 checked with words
    // without a language or checker, 4 checked with misspellings, 5 checking.
    uint8_t SpellState = 0;

    TDocCaretState CaretState;

    // --- Owned services ---
    std::unique_ptr<TObjectManager> ObjectManager; // pictures and OLE objects
    std::unique_ptr<TTabManager> TabManager;       // the tab tables paragraphs name
    std::unique_ptr<TStyleList> StyleList;         // over the tab manager
    std::unique_ptr<TParReformatingManager> ReformatingManager;
    std::unique_ptr<TChangedRanges> ChangedRanges;
    // The undo manager is the editing floor's: it makes one for every document and gives with it the
    // function that frees it (SetOperationManagerFactory).
    std::unique_ptr<TOperationManager, void (*)(TOperationManager*)> OperationManager{nullptr, nullptr};
    // The recorded operations, owned by the document; the operation manager works on them.
    TUndoList UndoList;
    TDocumentForm* Window = nullptr; // none for a hidden document

    bool PreviewMode = false; // shown in print preview
    // Paints with the built-in colours in print preview and on a printer, else with the user's.
    void SelectColorScheme();

    // --- Selection and insertion (DocSelection.cpp) ---
    TTextPos Caret{};
    TTextRange Selection{};
    TCharFormat InsertionFormat{};
    // The end a selection is extended from.
    TTextPos SelectionAnchor{};
    // The formats in force over the selection (or at the caret), fields that differ not set.
    TCharFormat CharFormatState{};
    TParaFormat ParaFormatState{};
    // Options of Select.
    enum : int { soNoCommandRefresh = 1, soRepaintNewOnly = 2 };
    // Selects from one place to another (in either order), repaints what changed and refreshes the
    // format states.
    void Select(int32_t fromPar, int32_t fromOffset, int32_t toPar, int32_t toOffset, int options);
    bool HasSelection() const;
    void ClearSelection();
    // Without a selection: the paragraph format state and, unless flag 28 keeps it, the character format
    // state from the caret; false when the character format state was kept.
    bool TakeFormatStatesAtCaret();
    void SelectAll();
    bool IsPosInSelection(const TTextPos& pos) const;
    // From the start of the document to the end of the main text; to the end of the last story; the
    // story being edited; the header or footer being edited. Ends are one past the end mark.
    TTextRange GetBodyRange() const;
    TTextRange GetFullRange() const;
    TTextRange GetStoryRange();
    TTextRange GetHeaderFooterRange();
    void GetSelectionParagraphs(int32_t& first, int32_t& last) const;
    bool RangeTouchesMultiParagraphField(const TTextRange& range);
    void RepaintRanges(int count, const TTextRange& first, const TTextRange& second);
    // --- Rectangular selection (DocBlockSelection.cpp) ---
    TBlockSelection BlockSelection;
    // Shows another rectangular selection (an inactive one clears it), repainting the lines it leaves
    // and the lines it covers.
    void SetBlockSelection(const TBlockSelection& block);
    // Whether a line lies within the rectangular selection.
    bool IsLineInBlockSelection(const TParLine& line) const;
    // The pieces of the rectangular selection: on each line it covers, from its first to its last, the
    // characters between its two x positions (an empty range where it covers none).
    std::vector<TTextRange> GetBlockPieces();
    // The characters that the rectangular selection covers on each of its lines, a line each ended by
    // CR LF.
    std::string GetBlockText();
    // Copies the rectangular selection through the host; false when the host cannot.
    bool CopyToClipboard();

    // The window is busy with the mouse or a ruler.
    bool IsViewBusy();
    bool IsViewBusyNoAutoscroll();
    int32_t ParagraphLength(int32_t paragraph) const;

    // --- Text (DocText.cpp, DocWords.cpp) ---
    // The plain text of a piece of one paragraph, at most 1024 characters, special characters as
    // their ordinary forms and other control codes left out.
    std::string GetText(const TTextPos& pos, int32_t length);
    std::string GetRangeText(const TTextRange& range);
    bool RangeHasControlCodes(const TTextRange& range);
    TDocObject* GetObjectAt(const TTextPos& pos);
    bool IsSingleObjectRange(const TTextRange& range);
    bool IsObjectSelected();
    int32_t GetLanguageAt(int32_t paragraph, int32_t offset);
    TTextPiece GetWordAt(const TTextPos& pos);
    TTextPiece GetLinkAt(const TTextPos& pos);
    TTextPiece GetTokenLinkAt(const TTextPos& pos);
    TTextPiece DetectLinkAt(const TTextPos& pos);
    TTextPiece GetWordOrLinkAt(const TTextPos& pos);
    TTextPos PrevWordPos(const TTextPos& pos);
    TTextPos NextWordPos(const TTextPos& pos);
    bool IsSentenceStart(const TTextPos& pos);
    TTextRange GetSentenceRange(const TTextPos& pos);
    bool IsListLabelAt(const TTextPos& pos);
    bool IsDottedAbbreviationAt(const TTextPos& pos);
    bool IsWholeWordRange(const TTextRange& range);

    // --- Statistics (DocStatistics.cpp) ---
    // Counts the selection, the header or footer being edited, or the story being edited.
    void ComputeStatistics(TDocStatistics& stats);
    // Counts and shows the statistics message with the file's information.
    void ShowStatistics();

    // --- Formats at a place and over a range (DocFormats.cpp) ---
    // The format of the character before the offset (of the first at 0), stepping over the end of
    // a field that shows a result unless mode flag 74 is set.
    TCharFormat CharFormatAtOffset(int32_t paragraph, int32_t offset);
    // The format that text typed there takes.
    TCharFormat GetCharFormatAt(const TTextPos& pos);
    TCharFormat GetCharFormatInParagraph(int32_t paragraph, int32_t offset);
    // The common format of the range (merged into the caller's with Merge); fields that differ are
    // not set.
    void GetCharFormatStateOfRange(const TTextRange& range, TCharFormat& format, bool merge);
    void GetParFormatStateOfRange(const TTextRange& range, TParaFormat& format, bool merge);
    bool RangeFormatDiffers(const TTextRange& range, const TCharFormat& format);
    // Fills the two range-end formats below.
    void GetFormatsAtRangeEnds(const TTextRange& range);
    TCharFormat RangeStartFormat{};
    TCharFormat RangeEndFormat{};
    // The formats around an insertion point and of the text inserted there (mode 1: typing or inserting
    // at the selection or the caret, starting from the typing format InsertionFormat; any other mode:
    // at a given place).
    void PrepareInsertFormat(const TTextPos& position, int mode);
    TCharFormat InsertFormatBefore{};
    TCharFormat InsertFormatAfter{};
    TCharFormat InsertedTextFormat{};
    // Line spacing of a paragraph format applied to a line's natural height (screen pixels).
    int32_t ApplyLineSpacing(int32_t naturalHeight, int32_t baseHeight, const TParaFormat& format) const;

    // --- Line breaking (ParagraphLayout.cpp) ---
    // Selects the shared font of a character format for measuring (flags: TSelectFontFlags).
    TSelectedFont SelectFormatFont(const TCharFormat& format, int flags);

    // --- Fields (DocFields.cpp) ---
    std::vector<std::unique_ptr<TField>> Fields; // every field and bookmark, owned
    TStringList Bookmarks;                       // bookmark names, each with its field
    int32_t FieldRescanFirst = INT32_MIN;        // paragraphs to rescan; INT32_MIN: all
    int32_t FieldRescanLast = INT32_MIN;
    // Refreshes the fields' places from their marks when they may have moved.
    void UpdateFields();
    TTextRange GetFieldRange(const TField& field);
    // The bookmarks a field's hyperlinks lead to ("#" and a name) and those that begin where the field
    // does, each once, found from the last field back.
    std::vector<TField*> CollectLinkedBookmarks(const TField& field);
    // Whether a bookmark of that name (letter case ignored) is in the field list or in Extra.
    bool BookmarkNameExists(const std::string& name, const std::vector<TField*>* extra) const;
    // The innermost field around a position; ExcludedTypes is a 96-bit set of field types (or none),
    // the filters -1 for any.
    TField* FindFieldAt(const TTextPos& pos, TTextRange& range, const uint8_t* excludedTypes, int typeFilter,
                        int kindFilter);
    // The code field (of a type, -1 any) at the selection's start when the caret lies outside the
    // selection, else at the caret.
    TField* GetFieldAtSelection(TTextRange& range, int typeFilter);

    // --- Bookmarks and hyperlinks (DocBookmarks.cpp) ---
    // A bookmark name from a range's text (an empty range: the sentence at the caret): 32 characters at
    // most, separators and quotes as underscores, no leading digit nor trailing underscore, numbered when
    // taken; "Signet_N" when nothing is left.
    std::string MakeBookmarkName(const TTextRange& range);
    // The bookmark list rebuilt in document order, whatever the setting.
    void UpdateFieldsInDocumentOrder();
    // Goes to a bookmark (selecting it, or with the caret at its start); false when there is none.
    bool GoToBookmark(const std::string& name, bool select);
    // The next bookmark starting after the selection, or the previous one ending before it, round the
    // document.
    bool GoToNeighbourBookmark(bool next);
    // A "#" target goes to its bookmark; any other is opened from the document's folder.
    bool FollowHyperlink(const std::string& code);

    // --- Notes (DocNotes.cpp) ---
    // Whether a note reference of a kind (0 footnote, 1 endnote, 255 either) holds the position.
    bool FindFieldOfKind3At(const TTextPos& pos, int noteKind);
    // Whether a note reference of a kind starts in the main text from paragraph Paragraph on.
    bool HasNoteReferencesFrom(int32_t paragraph, int noteKind);

    // --- Page-dependent field results (DocFieldResults.cpp) ---
    // The number a page shows (its section may start the numbering again).
    int32_t PageNumberOf(int32_t pageIndex) const;
    // Brings the results of the code fields of the given types (a 96-bit set) in a run of paragraphs up
    // to date; with mode flag 79 set, for the page number and section in force. True when any changed.
    bool UpdateFieldResults(int32_t firstParagraph, int32_t lastParagraph, const uint8_t* types);
    // The page-dependent fields of a header or footer brought up to date for a page of a section.
    bool UpdateHeaderFooterFields(const TField& field, int32_t pageIndex, TSection* section);
    // The result a field of paragraph Paragraph gets; false for a type it does not compute.
    bool ComputeFieldResult(const TField& field, int32_t paragraph, std::string& result);
    // Writes Text between the field's marks in its paragraph (the format after the field kept); false
    // when it is already there, or the result holds other fields or objects.
    bool ReplaceFieldResult(int32_t paragraph, const TField& field, const std::string& text);
    // The bytes between the marks of a field whose marks share its paragraph (tags included), read or
    // written back as they were; false when the marks are not found.
    bool GetFieldResultBytes(const TField& field, std::string& bytes);
    bool SetFieldResultBytes(const TField& field, const std::string& bytes);

    int32_t PageNumberInForce = 1;
    TSection* SectionInForce = nullptr;

    // --- Other computed field results (DocFieldValues.cpp) ---
    // The result of a field that does not hang on its page; false for a type it does not compute.
    bool ComputeTextFieldResult(const TField& field, int32_t paragraph, std::string& result);
    // A page reference's result: the bookmark's page number, or where it stands from the field ("\p").
    bool ComputePageReference(const TField& field, int32_t paragraph, std::string& result);
    // The bookmark of that name (letter case ignored), or nullptr.
    TField* FindBookmark(const std::string& name) const;
    // The nearest paragraph of a style holding text, searched back from From and then forward within
    // its story; -1 when none.
    int32_t FindParagraphOfStyle(int32_t style, int32_t from);
    // The whole document's statistics as fields show them (characters and words: no paragraphs, lines
    // or sentences), counted once until FieldStatisticsValid is cleared.
    const TDocStatistics& FieldStatistics();
    // Whether a code field of one of the types (a 96-bit set) lies in the headers and footers.
    bool ContainsFieldTypes(const uint8_t* types);
    // When the text changed since (mode flag 89) and the headers or footers show statistics or page
    // numbers, counts the document again for them, the selection left as it is; true when it counted.
    bool UpdateStatisticsFields();
    bool FieldStatisticsValid = false;
    TDocStatistics FieldStatisticsRecord{};

    // --- Header and footer editing (DocHeaderFooter.cpp) ---
    // Enters header and footer editing (the page to edit on, or -1 for the caret's); or leaves it, the
    // caret going to LeavePosition (or back to where it was on entry). The editing floor makes the
    // missing headers and footers first (ToggleHeaderFooterEditing).
    void ToggleHeaderFooterMode(int32_t page, const TTextPos* leavePosition);
    // Edits a header or footer on a page (no field: the header of the caret's page).
    void EditHeaderFooter(int32_t page, TField* field);
    // After a change: the edited field laid out again on its page, or editing ended when the page no
    // longer shows it.
    void RefreshHeaderFooterMode();

    TField* EditedHeaderFooter = nullptr; // a field of story 3 while one is edited
    int32_t EditedHeaderFooterPage = -1;
    TTextPos CaretBeforeHeaderFooter{};

    // --- Document information and files (Document.cpp) ---
    // Makes a fresh or loaded-empty document a new one.
    void ResetAsNew();
    void SetModified(bool modified);
    bool IsModified() const { return FModified; }
    // Tells the open-documents list that a long action runs on this document, and that it ended (through
    // TBusyScope, so that an exception leaves them balanced).
    void BeginBusy();
    void EndBusy();
    // A busy action runs on this document.
    bool IsBusy() const;
    // "Doc" + the settings' two-digit counter + the coding's extension, in the default documents
    // folder, not the name of an open document; the counter moves on (99 wraps to 1).
    std::string MakeDefaultFileName();
    // A file name from the document's first sentence, without characters a file name cannot hold, at
    // most 100 characters, with the extension of DefaultName; DefaultName itself when the text has no
    // sentence. KeepAll keeps the sentence whole (no cut, no extension).
    std::string SuggestFileName(const std::string& defaultName, bool keepAll);
    // Whether the document's file lies in the templates folder (never before it has a file).
    bool IsTemplateFile() const;
    // Closes the file the document keeps open, if any.
    void CloseFileHandle();
    // Overwrites the temporary file with zeros over its whole size.
    void WipeTempFile();
    // Shows the document properties dialog; on OK the statistics are stale and the document modified.
    void EditProperties();

    TDocumentInfo Info;
    TNoteSettings FootnoteSettings;
    TNoteSettings EndnoteSettings;
    int32_t WordDopValue = 0; // the 16-bit word a Word file's document properties hold at offset 18
    int32_t Coding = 0;       // index in the document format list
    std::string FileName;
    std::string OriginalFileName;   // the name of the file a safety copy was made of
    int32_t DefaultLanguageId = -1; // language of new text; -1 the program's
    int32_t DefaultLanguageCoding = -1;
    bool WidowControl = false;           // new paragraphs keep widows and orphans
    bool FormatLossesAccepted = false;   // the user agreed once to lose formatting in a save
    bool SummaryAsked = false;           // the summary is to be asked for at the next save
    std::unique_ptr<TStream> FileStream; // the document's file, kept open (others may only read it)
    bool OpenedReadOnly = false;         // the file was opened for reading only
    bool OpenedFromCopy = false;         // another program held the file: a copy was read
    std::string Password;                // of an encrypted document, enciphered in memory
    std::string TempFileName;            // open while mode flag 57 is set
    int64_t EditCount = 0;               // changes applied (edits, undo and redo), for the safety copies

private:
    const uint8_t* PlainOf(int32_t paragraph, int32_t& size) const;
    bool IsLetterAt(int32_t paragraph, int32_t offset);
    TParagraph* NormalizedParagraph(int32_t paragraph);

    // One byte per mode flag, and the save stack: flag + 65536 × saved value.
    uint8_t ModeFlags[ModeFlagCount] = {};
    std::vector<int32_t> ModeFlagStack;
    bool FModified = false;
};

// Saves mode flags on entry and restores them on leaving, so that an exception leaves them balanced.
class TModeFlagScope {
public:
    explicit TModeFlagScope(TDocument& document) : FDocument(document) {}
    ~TModeFlagScope() { FDocument.PopModeFlags(FCount); }
    TModeFlagScope(const TModeFlagScope&) = delete;
    TModeFlagScope& operator=(const TModeFlagScope&) = delete;
    void On(int k)
    {
        FDocument.PushModeFlagOn(k);
        ++FCount;
    }
    void Off(int k)
    {
        FDocument.PushModeFlagOff(k);
        ++FCount;
    }
    void Save(int k)
    {
        FDocument.PushModeFlag(k);
        ++FCount;
    }

private:
    TDocument& FDocument;
    int FCount = 0;
};

// Tells the open-documents list that a long action runs on the document for as long as it lives, however
// the action ends.
class TBusyScope {
public:
    explicit TBusyScope(TDocument& document) : FDocument(document) { FDocument.BeginBusy(); }
    ~TBusyScope() { FDocument.EndBusy(); }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

private:
    TDocument& FDocument;
};

// Text with every character below 32 (and, unless KeepClass1, every character a file name cannot hold)
// made a space, then trimmed.
// How every document gets its undo manager; the editing floor installs it. Without it (a program of the
// lower floors alone) documents have none.
using TOperationManagerFactory =
    std::unique_ptr<TOperationManager, void (*)(TOperationManager*)> (*)(TDocument*);
void SetOperationManagerFactory(TOperationManagerFactory factory);

std::string RemoveControlCharacters(const std::string& text, bool keepClass1);
// Walks a paragraph's tag stream from byte From up to, not including, To: each format tag sets its field
// of Format, or with Intersect makes a field that differs not set (the font only when the two name
// different fonts).
void MergeFormatTags(const uint8_t* stream, int32_t from, int32_t to, bool intersect, TCharFormat& format);

// Sort orders for lists of records of 32-bit fields: by the first field; by the second, then the third.
int CompareByFirstField(const void* a, const void* b);
int CompareBySecondThenThird(const void* a, const void* b);
