// What the document window knows of a point under the mouse, and the records of its mouse gestures.
#pragma once
#include <cstdint>

#include "codecs/Geometry.h"
#include "document/TextAccess.h"
#include "document/TextPos.h"
#include "editing/OperationParams.h"

class TDocObject;
class TField;
class TParLine;

// State bits of the document window that mouse gestures set. The document reads the busy ones (selecting,
// text drag, rectangle, resizing, panning, autoscroll: mask 0x52182).
enum : uint32_t {
    dsSelecting = 0x2,           // selecting by mouse
    dsDragCopy = 0x8,            // the text drag copies
    dsDropRectShown = 0x10,      // the drop point's feedback rectangle is inverted
    dsExternalDrag = 0x20,       // a drag from another program is over the window
    dsDragStarted = 0x40,        // the armed text drag moved
    dsTextDragArmed = 0x80,      // a press inside the selection may start a text drag
    dsRectSelecting = 0x100,     // Alt+drag: a rectangle of text
    dsCollapseOnRelease = 0x200, // a press inside the selection that never became a drag
    dsLinkClick = 0x400,         // a press on a link: followed on release
    dsCaretHiddenForMouse = 0x800,
    dsRulerDrag = 0x1000,         // a marker of a ruler is being dragged
    dsResizing = 0x2000,          // a picture is being scaled by a handle
    dsHandPanning = 0x10000,      // the hand tool drags the view
    dsMiddleAutoscroll = 0x40000, // the middle button scrolls
    dsMouseGestures = 0x52FFA,    // every bit above
};

// Where a client point lies: the kind of place, the text position and what is under it.
enum THitKind : int {
    hkText = 0,
    hkHeaderArea = 1, // a header not being edited
    hkFooterArea = 2,
    hkAboveText = 3,
    hkSelectionBar = 4, // left of a line
    hkRightOfLine = 5,
    hkBelowText = 6,
    hkNoPage = 7,
};

struct THitResult {
    int Kind = hkNoPage;
    TTextPos Pos{};
    bool WithinLineVertically = false;
    bool WithinLineHorizontally = false;
    bool InsideSelection = false;
    TDocObject* Object = nullptr; // the object under the point
    TRect ObjectRect{};           // in the client area
    int ObjectHandle = 0; // 1..8: top-left, top, top-right, left, right, bottom-left, bottom, bottom-right
    TParLine* Line = nullptr;
    // Fields around the character under the point: the innermost code field, a link (a hyperlink, or a
    // page reference whose result is a link) and a table of contents.
    TField* Field = nullptr;
    TField* LinkField = nullptr;
    TField* TocField = nullptr;
    TTextPiece LinkAddress{}; // a link address written in the text there (Length 0: none)
    int32_t PageIndex = -1;
    TPoint PagePoint{}; // the point as clicked, from the page's top-left corner
    TClickAndTypeData ClickAndType{};
};

// Granularity of a mouse selection.
enum TSelectionUnit : int { suCharacters = 0, suSentences = 1, suLines = 2, suParagraphs = 3, suWords = 4 };

// The mouse gesture under way and what the window keeps between clicks.
struct TMouseGesture {
    uint32_t LastClickTime = 0;
    int MoveCountdown = 0; // moves after a double click before a third click no longer counts
    int Unit = suCharacters;
    TTextRange AnchorRange{}; // the unit first selected
    TPoint PressPoint{};      // client
    TPoint LastPoint{};       // client, for the autoscroll timer
    // Rectangle selection: the corners (client), the sub-mode (0 erase, 1 format, 2 copy, 3 calculate).
    THitResult RectStart{};
    TPoint RectStartDoc{}; // the first corner in document pixels: it stays put while the view scrolls
    TPoint RectCurrent{};
    int RectMode = 2;
    bool RectFrameShown = false;
    // Picture scaling.
    TDocObject* ResizeObject = nullptr;
    TTextPos ResizePos{};
    int ResizeHandle = 0;
    TRect ResizeStartFrame{}; // client
    TRect ResizeFrame{};
    TPoint ResizeOffset{}; // the handle's place less the press point
    int32_t MinWidth = 1, MinHeight = 1, MaxWidth = 1, MaxHeight = 1; // client pixels
    bool ResizeFrameShown = false;
    // Hand panning.
    TPoint PanStartScroll{};
    TPoint PanStartPoint{};
    // Middle-button autoscroll: where the button went down (client).
    TPoint AutoscrollOrigin{};
    int Cursor = -2;                             // the cursor shown over the view
    bool ClickAndTypeDone = false;               // a click and type that nothing has followed yet
    const void* ClickAndTypeOperation = nullptr; // its operation on the undo list
};

// The main window's mouse tool (0 none, 1 the hand, 2 the format painter ...), filled in by the main window.
extern int (*MouseToolModeHook)();
// Tells the command manager that the user acted (background work waits), filled in by the shell.
extern void (*StampLastCommandHook)();

// Percentages of a picture scaled to a frame of the given size (twips) from its unscaled size, each
// within 5..1000.
int32_t ScalePercent(int32_t frameTwips, int32_t unscaledTwips);
