// Mouse input of the document window: clicks, double and triple clicks and drags that select, text dragged
// to another place, Alt+drag rectangles, pictures scaled by their handles, and scrolling while a drag
// leaves the view.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "window/BaseForms.h"
#include "core/Events.h"
#include "core/Options.h"
#include "document/DocObjects.h"
#include "core/RecordUtils.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/Field.h"
#include "document/FieldCodes.h"
#include "document/Page.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/HeaderFooterEditing.h"
#include "editing/OperationManager.h"
#include "formats/Encryption.h"
#include "window/DocForm.h"
#include "window/DocWindowHost.h"

namespace {

constexpr UINT_PTR AutoscrollTimer = 3;
constexpr UINT_PTR MiddleScrollTimer = 4;
// Around the middle button's origin nothing scrolls.
constexpr int32_t MiddleDeadZone = 16;

TPoint PointOf(LPARAM lParam)
{
    return TPoint{int16_t(LOWORD(lParam)), int16_t(HIWORD(lParam))};
}

bool AltHeld()
{
    return GetKeyState(VK_MENU) < 0;
}

void StirPool(TPoint p)
{
    GetEncryptionManager().AddEntropy(p.X);
    GetEncryptionManager().AddEntropy(p.Y);
}

void RunCommand(int32_t command)
{
    if (ExecuteCommandHook)
        ExecuteCommandHook(command);
}

bool Before(const TTextPos& a, const TTextPos& b)
{
    return CompareTextPos(a, b) < 0;
}

// The range of a line, and of a whole paragraph.
TTextRange LineRange(const THitResult& hit)
{
    const int32_t par = hit.Pos.ParIndex;
    return TextRangeOf(TextPosAt(par, hit.Line->FirstChar),
                       TextPosAt(par, hit.Line->FirstChar + hit.Line->CharCount));
}

TTextRange ParagraphRange(TDocument& doc, int32_t par)
{
    return TextRangeOf(TextPosAt(par, 0), TextPosAt(par, doc.ParagraphLength(par)));
}

const char* SystemCursor(int cursor)
{
    switch (cursor) {
    case -3: return IDC_SIZENESW;
    case -4: return IDC_SIZENS;
    case -5: return IDC_SIZENWSE;
    case -6: return IDC_SIZEWE;
    case 1:
    case 2:
    case 23:
    case 24:
    case 25:
    case 26: return IDC_IBEAM;
    case 6:
    case 32: return IDC_SIZEALL; // the middle button's origin
    case 11:
    case 12:
    case 14: return IDC_HAND;
    case 29:
    case 35: return IDC_SIZENS; // autoscroll up or down
    case 31:
    case 33: return IDC_SIZEWE;
    case 28:
    case 36: return IDC_SIZENWSE;
    case 30:
    case 34: return IDC_SIZENESW;
    default: return IDC_ARROW;
    }
}

// Moves or duplicates a range to a target as one operation.
template<typename P>
void TransferText(TDocument& doc, const TTextRange& source, const TTextPos& target, uint8_t flags)
{
    P params;
    params.SourceStart = source.StartPos;
    params.SourceEnd = source.EndPos;
    params.Target = target;
    params.Flags = flags;
    ExecuteOperation(doc, params);
}

// The format painter, the highlighter and the colour pen format what the mouse selects.
bool IsFormattingTool(int tool)
{
    return tool == 2 || tool == 4 || tool == 5;
}

// The cursor over text and over the selection bar for the main window's tool.
int TextCursor(int tool, bool italic)
{
    const int slant = italic ? 1 : 0;
    switch (tool) {
    case 4: return 15 + slant;
    case 5: return 19 + slant;
    case 6: return 27;
    case 2: return 7 + slant;
    default: return 1 + slant;
    }
}

int SelectionBarCursor(int tool)
{
    switch (tool) {
    case 2: return 10;
    case 4: return 18;
    case 5: return 22;
    case 6: return 27;
    default: return 3;
    }
}

} // namespace

int (*MouseToolModeHook)() = nullptr;
void (*StampLastCommandHook)() = nullptr;

int32_t ScalePercent(int32_t frameTwips, int32_t unscaledTwips)
{
    if (unscaledTwips <= 0)
        return 100;
    return std::clamp(MulDiv(frameTwips, 100, unscaledTwips), 5, 1000);
}

bool TDocumentForm::MouseMessage(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN: MouseDown(PointOf(message.LParam), message.WParam); return false;
    case WM_MOUSEMOVE: MouseMove(PointOf(message.LParam), message.WParam); return false;
    case WM_LBUTTONUP: MouseUp(PointOf(message.LParam), message.WParam); return false;
    case WM_LBUTTONDBLCLK: MouseDoubleClick(PointOf(message.LParam), message.WParam); return false;
    case WM_MOUSEWHEEL:
        MouseWheel(int16_t(HIWORD(message.WParam)), LOWORD(message.WParam), PointOf(message.LParam));
        message.Result = 0;
        return true;
    case WM_MBUTTONDOWN: MiddleButtonDown(PointOf(message.LParam)); return false;
    case WM_MBUTTONUP:
        StirPool(PointOf(message.LParam));
        if (State & dsMiddleAutoscroll)
            SendMessageA(Handle(), WM_CANCELMODE, 0, 0);
        return false;
    case WM_RBUTTONDOWN:
        RightButtonDown(PointOf(message.LParam), message.WParam);
        message.Result = 0;
        return true;
    case WM_RBUTTONUP:
        // The menu opened on the press: the system's context-menu message must not open another.
        StirPool(PointOf(message.LParam));
        if (CanEdit() && (State & dsMouseGestures))
            SendMessageA(Handle(), WM_CANCELMODE, 0, 0);
        message.Result = 0;
        return true;
    case WM_RBUTTONDBLCLK:
        StirPool(PointOf(message.LParam));
        if (CanEdit() && MouseToolMode() == 3)
            ViewToolClick(PointOf(message.LParam), -10);
        message.Result = 0;
        return true;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(message.WParam) != Handle()) {
            // The window's own controls have their menus.
            const std::string menu = ControlMenu(reinterpret_cast<HWND>(message.WParam));
            if (menu.empty() || !CanEdit())
                return false;
            const TPoint at = PointOf(message.LParam);
            DocWindowHost().ShowContextMenu({menu}, at.X, at.Y);
            message.Result = 0;
            return true;
        }
        ContextMenuFromKeyboard(PointOf(message.LParam));
        message.Result = 0;
        return true;
    case WM_CANCELMODE: CancelMouseMode(); return false;
    case WM_KILLFOCUS: CancelMouseMode(); return false;
    case WM_TIMER:
        if (message.WParam == MiddleScrollTimer) {
            MiddleAutoscroll();
            return true;
        }
        if (message.WParam != AutoscrollTimer)
            return false;
        DragAutoscroll();
        return true;
    case WM_SETCURSOR:
        if (LOWORD(message.LParam) != HTCLIENT || reinterpret_cast<HWND>(message.WParam) != Handle())
            return false;
        SetCursor(LoadCursorA(nullptr, SystemCursor(Mouse.Cursor)));
        message.Result = TRUE;
        return true;
    default: return false;
    }
}

void TDocumentForm::MouseDown(TPoint p, WPARAM keys)
{
    StirPool(p);
    if (!CanEdit())
        return;
    TDocument& doc = *Document;
    SetFocus();
    if (MouseToolMode() == 1) {
        // The hand: the view follows the pointer until the button is released.
        State |= dsHandPanning;
        Mouse.PanStartScroll = doc.ViewState.ScrollPos;
        Mouse.PanStartPoint = p;
        Mouse.Cursor = 12;
        SetCapture(Handle());
        TriggerEvent(10040);
        return;
    }
    // A click and type that nothing has followed is taken back by the next click.
    if (Mouse.ClickAndTypeDone) {
        Mouse.ClickAndTypeDone = false;
        if (doc.UndoList.CurrentIndex >= 0 && doc.OperationManager->OperationAt(doc.UndoList.CurrentIndex) ==
                                                  static_cast<const void*>(Mouse.ClickAndTypeOperation)) {
            TModeFlagScope flags(doc);
            flags.On(mfNoScrollToCaret);
            doc.OperationManager->Undo();
        }
    }
    if (MouseToolMode() == 3) {
        ViewToolClick(p, 10);
        return;
    }
    if (MouseToolMode() == 6) {
        PickCharFormat(p);
        return;
    }
    THitResult hit = HitTest(p);
    if (hit.Kind == hkNoPage || !hit.Line) {
        TriggerEvent(13000);
        return;
    }
    if (doc.IsOutsideEditedStory(hit.Pos.ParIndex))
        return;
    Mouse.PressPoint = p;
    Mouse.LastPoint = p;
    const bool ctrl = (keys & MK_CONTROL) != 0, shift = (keys & MK_SHIFT) != 0;
    const WPARAM buttons = keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_SHIFT | MK_CONTROL);

    // Alt+drag: a rectangle of text.
    if (AltHeld() &&
        (buttons == MK_LBUTTON || buttons == (MK_LBUTTON | MK_CONTROL) ||
         buttons == (MK_LBUTTON | MK_CONTROL | MK_SHIFT)) &&
        !doc.EditedHeaderFooter && !doc.HasMultiColumnSection()) {
        doc.ClearSelection();
        HideDocCaret();
        Mouse.RectStart = hit;
        Mouse.RectStartDoc = ClientToDoc(p);
        Mouse.RectCurrent = p;
        const int tool = MouseToolMode();
        Mouse.RectMode = (tool == 2 || tool == 4 || tool == 5) ? 1 : ctrl ? (shift ? 3 : 0) : 2;
        State |= dsRectSelecting | dsCaretHiddenForMouse;
        SetCapture(Handle());
        DrawRectFrame();
        return;
    }

    if (!IsFormattingTool(MouseToolMode()))
        TriggerEvent(13000);
    const uint32_t now = GetTickCount();
    const bool withinDoubleClick =
        Mouse.LastClickTime != 0 && now - Mouse.LastClickTime <= GetDoubleClickTime();
    if (ctrl && !shift && !hit.InsideSelection) {
        if (hit.Kind == hkSelectionBar) {
            doc.SelectAll();
            return;
        }
        if (hit.LinkAddress.Length > 0) {
            // A link address written in the text opens in its program.
            const std::string address = doc.GetText(hit.LinkAddress.Pos, hit.LinkAddress.Length);
            TriggerEvent(10140);
            DocWindowHost().ExecuteCommandWithArg(202500, reinterpret_cast<intptr_t>(address.c_str()));
            return;
        }
        const TTextRange sentence = doc.GetSentenceRange(hit.Pos);
        StartUnitSelection(sentence, suSentences);
        return;
    }
    if (shift) {
        if (!doc.HasSelection())
            doc.SelectionAnchor = doc.Caret;
        Mouse.Unit = suCharacters;
        Mouse.AnchorRange = TextRangeOf(doc.SelectionAnchor, doc.SelectionAnchor);
        ExtendSelectionTo(hit);
        State |= dsSelecting;
        SetCapture(Handle());
        return;
    }
    if (hit.Kind == hkSelectionBar) {
        if (withinDoubleClick) {
            const TTextRange story = doc.GetStoryRange();
            SelectRange(story, story.EndPos);
            return;
        }
        StartUnitSelection(LineRange(hit), suLines);
        return;
    }
    if (hit.LinkField) {
        // A link is followed when the button comes up where it went down.
        State |= dsLinkClick;
        SetCapture(Handle());
        return;
    }
    if (hit.InsideSelection) {
        if (withinDoubleClick) {
            StartUnitSelection(ParagraphRange(doc, hit.Pos.ParIndex), suParagraphs);
            Mouse.LastClickTime = 0;
        } else if (hit.ObjectHandle) {
            StartResizing(hit, p);
        } else if (CurrentOptions().Edit.DragDrop) {
            State |= dsTextDragArmed | dsCollapseOnRelease | (ctrl ? dsDragCopy : 0);
            doc.PlaceCaret(hit.Pos, 0);
            SetCapture(Handle());
        } else {
            doc.PlaceCaret(hit.Pos, 4);
            RecreateCaret();
        }
        return;
    }
    if (hit.Object) {
        // The object is the character under the point: select it alone.
        int32_t offset = hit.Pos.Offset;
        if (!doc.GetObjectAt(TextPosAt(hit.Pos.ParIndex, offset)))
            offset = std::max(0, offset - 1);
        SelectRange(TextRangeOf(TextPosAt(hit.Pos.ParIndex, offset), TextPosAt(hit.Pos.ParIndex, offset + 1)),
                    TextPosAt(hit.Pos.ParIndex, offset + 1));
        Mouse.AnchorRange = doc.Selection;
        return;
    }
    doc.PlaceCaret(hit.Pos, 4);
    Mouse.Unit = suCharacters;
    Mouse.AnchorRange = TextRangeOf(doc.Caret, doc.Caret);
    doc.SelectionAnchor = doc.Caret;
    State |= dsSelecting;
    SetCapture(Handle());
    RecreateCaret();
}

void TDocumentForm::StartUnitSelection(const TTextRange& range, int unit)
{
    SelectRange(range, range.EndPos);
    Mouse.AnchorRange = range;
    Mouse.Unit = unit;
    State |= dsSelecting;
    SetCapture(Handle());
}

void TDocumentForm::SelectRange(const TTextRange& range, const TTextPos& caret)
{
    TDocument& doc = *Document;
    doc.Select(range.StartPos.ParIndex, range.StartPos.Offset, range.EndPos.ParIndex, range.EndPos.Offset, 0);
    TTextPos pos = caret;
    doc.LocateTextPos(pos, 0);
    doc.PlaceCaret(pos, 0);
    if (doc.HasSelection())
        HideDocCaret();
    else
        RecreateCaret();
}

TTextRange TDocumentForm::UnitRangeAt(const THitResult& hit)
{
    TDocument& doc = *Document;
    switch (Mouse.Unit) {
    case suSentences: return doc.GetSentenceRange(hit.Pos);
    case suLines: return LineRange(hit);
    case suParagraphs: return ParagraphRange(doc, hit.Pos.ParIndex);
    case suWords: {
        const TTextPiece word = doc.GetWordAt(hit.Pos);
        if (word.Length <= 0)
            return TextRangeOf(hit.Pos, hit.Pos);
        return TextRangeOf(word.Pos, TextPosAt(word.Pos.ParIndex, word.Pos.Offset + word.Length));
    }
    default: return TextRangeOf(hit.Pos, hit.Pos);
    }
}

void TDocumentForm::ExtendSelectionTo(const THitResult& hit)
{
    TDocument& doc = *Document;
    const TTextRange& anchor = Mouse.AnchorRange;
    if (Mouse.Unit == suCharacters && !CurrentOptions().Edit.SelWholeWords) {
        doc.Select(anchor.StartPos.ParIndex, anchor.StartPos.Offset, hit.Pos.ParIndex, hit.Pos.Offset, 0);
        TTextPos caret = doc.HasSelection() ? hit.Pos : anchor.StartPos;
        doc.LocateTextPos(caret, 0);
        doc.PlaceCaret(caret, 0);
    } else {
        // Whole units: the anchor's and the one under the point, whichever side the point is on.
        TTextRange unit = UnitRangeAt(hit);
        TTextRange from = anchor;
        if (Mouse.Unit == suCharacters) {
            // Automatic word selection: both ends snap outwards to whole words once the selection leaves
            // the anchor's word.
            Mouse.Unit = suWords;
            unit = UnitRangeAt(hit);
            THitResult anchorHit = hit;
            anchorHit.Pos = anchor.StartPos;
            from = UnitRangeAt(anchorHit);
            Mouse.Unit = suCharacters;
            const bool sameWord = CompareTextPos(from.StartPos, unit.StartPos) == 0;
            if (sameWord || IsRangeEmpty(unit) || IsRangeEmpty(from)) {
                from = anchor;
                unit = TextRangeOf(hit.Pos, hit.Pos);
            }
        }
        const bool backwards = Before(unit.StartPos, from.StartPos);
        const TTextPos start = backwards ? unit.StartPos : from.StartPos;
        const TTextPos end = Before(unit.EndPos, from.EndPos) ? from.EndPos : unit.EndPos;
        TTextPos caret = backwards ? unit.StartPos : unit.EndPos;
        if (backwards)
            doc.Select(end.ParIndex, end.Offset, start.ParIndex, start.Offset, 0);
        else
            doc.Select(start.ParIndex, start.Offset, end.ParIndex, end.Offset, 0);
        doc.LocateTextPos(caret, 0);
        doc.PlaceCaret(caret, 0);
    }
    if (doc.HasSelection())
        HideDocCaret();
}

void TDocumentForm::MouseMove(TPoint p, WPARAM keys)
{
    StirPool(p);
    if (!CanEdit())
        return;
    TDocument& doc = *Document;
    Mouse.LastPoint = p;
    if (State & dsMiddleAutoscroll) {
        // One of nine direction cursors, by the side of the origin the pointer is on.
        const int32_t dx = p.X - Mouse.AutoscrollOrigin.X, dy = p.Y - Mouse.AutoscrollOrigin.Y;
        const bool across = doc.ViewState.ScrollRanges.HorzMax > 0 && doc.ViewState.ZoomKind != zkPageWidth &&
                            doc.ViewState.ZoomKind != zkTextWidth;
        const int column = !across || std::abs(dx) <= MiddleDeadZone ? 1 : dx < 0 ? 0 : 2;
        const int row = std::abs(dy) <= MiddleDeadZone ? 1 : dy < 0 ? 0 : 2;
        Mouse.Cursor = 28 + 3 * row + column;
        return;
    }
    if (MouseToolMode() == 1) {
        if (State & dsHandPanning) {
            PanView(p);
            Mouse.Cursor = 12;
        } else {
            Mouse.Cursor = 11;
        }
        return;
    }
    if (MouseToolMode() == 3) {
        Mouse.Cursor = 13;
        return;
    }
    if (Mouse.MoveCountdown > 0 && --Mouse.MoveCountdown == 0)
        Mouse.LastClickTime = 0;
    if (State & dsSelecting) {
        const THitResult hit = HitTest(p);
        if (hit.Line) {
            TModeFlagScope flags(doc);
            ExtendSelectionTo(hit);
        }
        CheckDragAutoscroll(p);
        return;
    }
    if (State & dsTextDragArmed) {
        if (!(State & dsDragStarted) && p.X == Mouse.PressPoint.X && p.Y == Mouse.PressPoint.Y)
            return;
        if (!(State & dsDragStarted) && !(State & dsExternalDrag))
            TriggerEvent(10000);
        State = (State | dsDragStarted) & ~dsCollapseOnRelease;
        const THitResult hit = HitTest(p);
        if (hit.Line && !doc.IsOutsideEditedStory(hit.Pos.ParIndex)) {
            if (State & dsDropRectShown)
                doc.InvertSelectionRect();
            doc.PlaceCaret(hit.Pos, 2);
            doc.InvertSelectionRect();
            State |= dsDropRectShown;
        }
        Mouse.Cursor = -2;
        CheckDragAutoscroll(p);
        return;
    }
    if (State & dsRectSelecting) {
        const int tool = MouseToolMode();
        Mouse.Cursor = tool == 2 ? 9 : tool == 4 ? 17 : tool == 5 ? 21 : -2;
        DrawRectFrame();
        Mouse.RectCurrent = p;
        DrawRectFrame();
        CheckDragAutoscroll(p);
        return;
    }
    if (State & dsResizing) {
        ScalePictureByMouse(p);
        return;
    }
    // The cursor follows what lies under the pointer, and the hint tells where a link leads.
    const THitResult hit = HitTest(p);
    if (const std::string hint = LinkHint(hit); hint != Hint())
        SetHint(hint);
    if (hit.ClickAndType.Possible)
        Mouse.Cursor = hit.ClickAndType.Cursor;
    else if (hit.LinkField && hit.Kind != hkSelectionBar)
        Mouse.Cursor = 14;
    else if (hit.InsideSelection && hit.ObjectHandle)
        Mouse.Cursor = (hit.ObjectHandle == 1 || hit.ObjectHandle == 8)   ? -5
                       : (hit.ObjectHandle == 2 || hit.ObjectHandle == 7) ? -4
                       : (hit.ObjectHandle == 3 || hit.ObjectHandle == 6) ? -3
                                                                          : -6;
    else if (hit.InsideSelection)
        Mouse.Cursor = -2;
    else if (hit.Object)
        Mouse.Cursor = 6;
    else if (hit.LinkAddress.Length > 0 && (keys & MK_CONTROL))
        Mouse.Cursor = 14;
    else if (hit.Kind == hkText || hit.Kind == hkAboveText || hit.Kind == hkRightOfLine ||
             hit.Kind == hkBelowText)
        Mouse.Cursor = TextCursor(MouseToolMode(), doc.GetCharFormatAt(hit.Pos)[cfItalic] > 0);
    else if (hit.Kind == hkSelectionBar)
        Mouse.Cursor = SelectionBarCursor(MouseToolMode());
    else
        Mouse.Cursor =
            (doc.EditedHeaderFooter && (hit.Kind == hkHeaderArea || hit.Kind == hkFooterArea)) ? 1 : -2;
}

void TDocumentForm::MouseUp(TPoint p, WPARAM keys)
{
    StirPool(p);
    (void)keys;
    if (!CanEdit())
        return;
    TDocument& doc = *Document;
    const uint32_t state = State;
    if (state & dsCollapseOnRelease)
        doc.PlaceCaret(doc.Caret, 4);
    if ((state & dsLinkClick) && p.X == Mouse.PressPoint.X && p.Y == Mouse.PressPoint.Y) {
        const THitResult hit = HitTest(p);
        CancelMouseMode();
        if (hit.LinkField)
            FollowLink(*hit.LinkField);
        return;
    }
    const TTextPos drop = doc.Caret;
    const TMouseGesture gesture = Mouse;
    CancelMouseMode();

    if ((state & dsTextDragArmed) && (state & dsDragStarted)) {
        if (!doc.HasSelection())
            return;
        const TTextRange source = doc.Selection;
        const bool copy = (state & dsDragCopy) != 0;
        const bool outside = Before(drop, source.StartPos) || Before(source.EndPos, drop);
        const bool atEnd =
            CompareTextPos(drop, source.StartPos) == 0 || CompareTextPos(drop, source.EndPos) == 0;
        if (outside || (copy && atEnd)) {
            const uint8_t flags =
                (CurrentOptions().Edit.WiseCutPaste && doc.IsWholeWordRange(source)) ? ioAdjustSpaces : 0;
            if (copy)
                TransferText<TDuplicateTextParams>(doc, source, drop, flags);
            else
                TransferText<TMoveTextParams>(doc, source, drop, flags);
            TriggerEvent(10020);
        } else {
            doc.PlaceCaret(drop, 4);
            RecreateCaret();
        }
        return;
    }
    if (state & dsResizing) {
        ApplyPictureScale(gesture);
        return;
    }
    if (state & dsRectSelecting) {
        FinishRectangle(gesture);
        return;
    }
    // A selection made with a formatting tool takes the tool's format.
    if ((state & dsSelecting) && doc.HasSelection()) {
        const int tool = MouseToolMode();
        if (tool == 2) {
            RunCommand(15550);
        } else if (tool == 4 || tool == 5) {
            RunCommand(tool == 4 ? 12500 : 12520);
            if (Document && Document->HasSelection()) {
                Document->PlaceCaret(Document->Caret, 4);
                RecreateCaret();
            }
        }
    }
}

void TDocumentForm::MouseDoubleClick(TPoint p, WPARAM keys)
{
    StirPool(p);
    (void)keys;
    if (!CanEdit())
        return;
    TDocument& doc = *Document;
    const int tool = MouseToolMode();
    if (tool == 1 || tool == 6)
        return;
    if (tool == 3) {
        ViewToolClick(p, 10);
        return;
    }
    if (!IsFormattingTool(tool))
        TriggerEvent(13100);
    THitResult hit = HitTest(p);
    if (hit.Kind == hkNoPage || !hit.Line) {
        RunCommand(260);
        return;
    }
    if ((hit.Kind == hkHeaderArea || hit.Kind == hkFooterArea) && !doc.EditedHeaderFooter) {
        ToggleHeaderFooterEditing(doc, hit.PageIndex, nullptr);
        return;
    }
    if (doc.EditedHeaderFooter && doc.IsOutsideEditedStory(hit.Pos.ParIndex)) {
        ToggleHeaderFooterEditing(doc, -1, &hit.Pos);
        return;
    }
    if (hit.ClickAndType.Possible) {
        doc.ClearSelection();
        TClickAndTypeParams params;
        params.Data = hit.ClickAndType;
        const int32_t before = doc.UndoList.CurrentIndex;
        ExecuteOperation(doc, params);
        if (doc.UndoList.CurrentIndex != before && doc.UndoList.CurrentIndex >= 0) {
            Mouse.ClickAndTypeDone = true;
            Mouse.ClickAndTypeOperation = doc.OperationManager->OperationAt(doc.UndoList.CurrentIndex);
        }
        RecreateCaret();
        return;
    }
    if (hit.Kind == hkSelectionBar) {
        StartUnitSelection(ParagraphRange(doc, hit.Pos.ParIndex), suParagraphs);
    } else if (hit.Object) {
        if (!doc.IsObjectSelected())
            SelectRange(TextRangeOf(hit.Pos, TextPosAt(hit.Pos.ParIndex, hit.Pos.Offset + 1)), hit.Pos);
        RunCommand(15000);
        return;
    } else {
        const TTextPiece word =
            CurrentOptions().Edit.TreatURLsAsWords ? doc.GetWordOrLinkAt(hit.Pos) : doc.GetWordAt(hit.Pos);
        if (word.Length <= 0)
            return;
        StartUnitSelection(TextRangeOf(word.Pos, TextPosAt(word.Pos.ParIndex, word.Pos.Offset + word.Length)),
                           suWords);
    }
    Mouse.MoveCountdown = 3;
    Mouse.LastClickTime = GetTickCount();
}

void TDocumentForm::MouseWheel(int delta, WPARAM keys, TPoint p)
{
    GetEncryptionManager().AddEntropy(delta);
    GetEncryptionManager().AddEntropy(p.X);
    if (!CanEdit())
        return;
    const WPARAM modifiers = keys & (MK_CONTROL | MK_SHIFT);
    if (modifiers == MK_CONTROL) {
        RunCommand(delta < 1 ? 6195 : 6196);
        return;
    }
    if (modifiers == (MK_CONTROL | MK_SHIFT))
        return;
    // Per notch the system's wheel lines of the bar's small step, or one large step.
    TDocument& doc = *Document;
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int32_t large = std::max(1, doc.ViewState.ScrollRanges.VertPage);
    int32_t amount = int32_t(lines) * 16;
    if (modifiers == MK_SHIFT || lines == WHEEL_PAGESCROLL || amount >= large)
        amount = large;
    const int32_t notches = delta / WHEEL_DELTA;
    const TPoint old = doc.ViewState.ScrollPos;
    doc.SetScrollPos(doc.ClampScrollPos(TPoint{old.X, old.Y - notches * amount}));
}

void TDocumentForm::CancelMouseMode()
{
    if (!Document)
        return;
    if ((State & dsDropRectShown) && CanEdit())
        Document->InvertSelectionRect();
    if (State & dsRectSelecting)
        DrawRectFrame();
    if ((State & dsResizing) && Mouse.ResizeFrameShown)
        DrawResizeFrame();
    if (HandleAllocated()) {
        KillTimer(Handle(), AutoscrollTimer);
        KillTimer(Handle(), MiddleScrollTimer);
    }
    if (State & dsHandPanning)
        TriggerEvent(10060);
    if (State & dsMiddleAutoscroll)
        InvalidateRect(Handle(), nullptr, FALSE);
    const bool hadCaretHidden = (State & dsCaretHiddenForMouse) != 0;
    State &= ~dsMouseGestures;
    if (HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
    ClipCursor(nullptr);
    if (hadCaretHidden && CanEdit() && Focused() && !Document->HasSelection())
        RecreateCaret();
}

int TDocumentForm::MouseToolMode() const
{
    return MouseToolModeHook ? MouseToolModeHook() : 0;
}

void TDocumentForm::PanView(TPoint p)
{
    TDocument& doc = *Document;
    // The pointer is held within the screen area over which the view can still follow it.
    const TPoint start = Mouse.PanStartScroll;
    const int32_t maxX = doc.ClampScrollPos(TPoint{INT32_MAX, start.Y}).X,
                  maxY = doc.ClampScrollPos(TPoint{start.X, INT32_MAX}).Y;
    POINT origin{Mouse.PanStartPoint.X, Mouse.PanStartPoint.Y};
    ClientToScreen(Handle(), &origin);
    RECT clip{origin.x - (maxX - start.X), origin.y - (maxY - start.Y), origin.x + start.X + 1,
              origin.y + start.Y + 1};
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&clip, &clip, &screen);
    ClipCursor(&clip);
    doc.SetScrollPos(
        TPoint{start.X - (p.X - Mouse.PanStartPoint.X), start.Y - (p.Y - Mouse.PanStartPoint.Y)});
    if (StampLastCommandHook)
        StampLastCommandHook();
}

void TDocumentForm::MiddleButtonDown(TPoint p)
{
    StirPool(p);
    if (!CanEdit())
        return;
    SendMessageA(Handle(), WM_CANCELMODE, 0, 0);
    SetFocus();
    State |= dsMiddleAutoscroll;
    Mouse.AutoscrollOrigin = p;
    Mouse.Cursor = 28 + 4;
    SetCapture(Handle());
    // The origin mark: a small circle with the four directions.
    HDC dc = GetDC(Handle());
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Ellipse(dc, p.X - 12, p.Y - 12, p.X + 13, p.Y + 13);
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    for (int k = 0; k < 4; ++k) {
        const int sx = k == 0 ? 0 : k == 1 ? 0 : k == 2 ? -1 : 1, sy = k == 0 ? -1 : k == 1 ? 1 : 0;
        POINT tip[3] = {{p.X + sx * 9, p.Y + sy * 9},
                        {p.X + sx * 5 + sy * 3, p.Y + sy * 5 + sx * 3},
                        {p.X + sx * 5 - sy * 3, p.Y + sy * 5 - sx * 3}};
        Polygon(dc, tip, 3);
    }
    SelectObject(dc, oldBrush);
    ReleaseDC(Handle(), dc);
    SetTimer(Handle(), MiddleScrollTimer, 10, nullptr);
}

void TDocumentForm::MiddleAutoscroll()
{
    if (!CanEdit() || !(State & dsMiddleAutoscroll)) {
        KillTimer(Handle(), MiddleScrollTimer);
        return;
    }
    // Faster the further the pointer lies beyond the dead zone around the origin.
    auto speed = [](int32_t offset) {
        if (std::abs(offset) <= MiddleDeadZone)
            return 0;
        const int32_t beyond = std::abs(offset) - MiddleDeadZone;
        return (offset < 0 ? -1 : 1) * std::max(1, beyond / 4);
    };
    TDocument& doc = *Document;
    const TPoint old = doc.ViewState.ScrollPos;
    const TPoint next =
        doc.ClampScrollPos(TPoint{old.X + speed(Mouse.LastPoint.X - Mouse.AutoscrollOrigin.X),
                                  old.Y + speed(Mouse.LastPoint.Y - Mouse.AutoscrollOrigin.Y)});
    if (next.X != old.X || next.Y != old.Y)
        doc.SetScrollPos(next);
}

void TDocumentForm::CheckDragAutoscroll(TPoint p)
{
    if (!HandleAllocated())
        return;
    KillTimer(Handle(), AutoscrollTimer);
    if (p.X < ViewRect.Left || p.X >= ViewRect.Right || p.Y < ViewRect.Top || p.Y >= ViewRect.Bottom)
        SetTimer(Handle(), AutoscrollTimer, 1, nullptr);
}

void TDocumentForm::DragAutoscroll()
{
    if (!CanEdit() || !(State & (dsSelecting | dsTextDragArmed | dsRectSelecting))) {
        KillTimer(Handle(), AutoscrollTimer);
        return;
    }
    TDocument& doc = *Document;
    const TPoint p = Mouse.LastPoint;
    auto step = [](int32_t distance) { return int32_t(std::lround(distance * 5.0 / 9.0)); };
    int32_t dx = 0, dy = 0;
    if (p.X < ViewRect.Left)
        dx = -step(ViewRect.Left - p.X);
    else if (p.X >= ViewRect.Right)
        dx = step(p.X - ViewRect.Right + 1);
    if (p.Y < ViewRect.Top)
        dy = -step(ViewRect.Top - p.Y);
    else if (p.Y >= ViewRect.Bottom)
        dy = step(p.Y - ViewRect.Bottom + 1);
    const TPoint old = doc.ViewState.ScrollPos;
    const TPoint next = doc.ClampScrollPos(TPoint{old.X + dx, old.Y + dy});
    if (next.X == old.X && next.Y == old.Y)
        return;
    if (State & dsDropRectShown)
        doc.InvertSelectionRect();
    if (State & dsRectSelecting)
        DrawRectFrame();
    doc.SetScrollPos(next);
    if (State & dsDropRectShown)
        doc.InvertSelectionRect();
    if (State & dsRectSelecting)
        DrawRectFrame();
    SendMessageA(Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.X, p.Y));
}

// --- Rectangles of text ---

TRect TDocumentForm::RectFrame() const
{
    const TPoint start = DocToClient(Mouse.RectStartDoc);
    return TRect{std::min(start.X, Mouse.RectCurrent.X), std::min(start.Y, Mouse.RectCurrent.Y),
                 std::max(start.X, Mouse.RectCurrent.X) + 1, std::max(start.Y, Mouse.RectCurrent.Y) + 1};
}

void TDocumentForm::DrawRectFrame()
{
    if (!HandleAllocated())
        return;
    const TRect r = RectFrame();
    const RECT rect{r.Left, r.Top, r.Right, r.Bottom};
    HDC dc = GetDC(Handle());
    DrawFocusRect(dc, &rect);
    ReleaseDC(Handle(), dc);
}

TBlockSelection TDocumentForm::RectangleBlock(const TRect& frame)
{
    // The frame on the page where it started: its rows at 100 %, its x from the text area's left edge
    // in layout units.
    TDocument& doc = *Document;
    TBlockSelection block;
    const int32_t page = Mouse.RectStart.PageIndex;
    if (page < 0 || page >= int32_t(doc.Pages.size()))
        return block;
    const TRect pageRect = doc.GetPageRect(page);
    const TPoint origin = DocToClient(TPoint{pageRect.Left, pageRect.Top});
    const TPageSetup& ps = doc.PageSetupSectionOfPage(page)->PageSetup;
    const TPageMargins margins = doc.GetPageMargins(ps, page);
    const int64_t zoom = std::max(1, doc.ViewState.ZoomPercent);
    const int32_t left = origin.X + margins.LeftZoom;
    block.Active = true;
    block.Page = page;
    block.Top = int32_t((frame.Top - origin.Y) * 100 / zoom);
    block.Bottom = int32_t(((frame.Bottom - origin.Y) * 100 + zoom - 1) / zoom);
    block.X1 = int32_t((frame.Left - left) * 800 / zoom);
    block.X2 = int32_t((frame.Right - left) * 800 / zoom);
    return block;
}

void TDocumentForm::FinishRectangle(const TMouseGesture& gesture)
{
    TDocument& doc = *Document;
    const TMouseGesture saved = Mouse;
    Mouse = gesture;
    const TRect frame = RectFrame();
    // The block stays shown as the document's rectangular selection until the caret moves.
    doc.SetBlockSelection(RectangleBlock(frame));
    LastRectangleText = doc.GetBlockText();
    Mouse = saved;
    switch (gesture.RectMode) {
    case 0: ExecuteOperation(doc, TEraseBlockParams{}); break;
    case 1: {
        // The tool's format: the format painter's, or the highlighter's or the pen's colour alone.
        TFormatBlockParams format;
        ClearCharFormatState(format.Format);
        DocumentHost().ApplyFormattingTool(format.Format);
        ExecuteOperation(doc, format);
        break;
    }
    case 3: {
        TInsertCalculationParams sum;
        sum.Block = LastRectangleText;
        ExecuteOperation(doc, sum);
        break;
    }
    default:
        if (!doc.CopyToClipboard())
            CopyTextToClipboard(LastRectangleText);
        break;
    }
}

void TDocumentForm::CopyTextToClipboard(const std::string& text)
{
    if (!OpenClipboard(Handle()))
        return;
    EmptyClipboard();
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        if (void* data = GlobalLock(memory)) {
            std::copy(text.begin(), text.end(), static_cast<char*>(data));
            static_cast<char*>(data)[text.size()] = 0;
            GlobalUnlock(memory);
            if (!SetClipboardData(CF_TEXT, memory))
                GlobalFree(memory);
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

// --- Pictures scaled by their handles ---

void TDocumentForm::StartResizing(const THitResult& hit, TPoint p)
{
    TDocument& doc = *Document;
    TMouseGesture& g = Mouse;
    g.ResizeObject = hit.Object;
    g.ResizePos = doc.Selection.StartPos;
    g.ResizeHandle = hit.ObjectHandle;
    g.ResizeStartFrame = hit.ObjectRect;
    g.ResizeFrame = hit.ObjectRect;
    const TDocObject& object = *hit.Object;
    g.MinWidth = std::max(1, doc.TwipsToDeviceY(object.Width * 5 / 100));
    g.MinHeight = std::max(1, doc.TwipsToDeviceY(object.Height * 5 / 100));
    g.MaxWidth = std::max(g.MinWidth, doc.TwipsToDeviceY(std::min(object.Width, INT32_MAX / 10) * 10));
    g.MaxHeight = std::max(g.MinHeight, doc.TwipsToDeviceY(std::min(object.Height, INT32_MAX / 10) * 10));
    const TRect& r = hit.ObjectRect;
    const int h = hit.ObjectHandle;
    const int32_t hx = (h == 1 || h == 4 || h == 6)   ? r.Left
                       : (h == 3 || h == 5 || h == 8) ? r.Right
                                                      : (r.Left + r.Right) / 2;
    const int32_t hy = (h <= 3) ? r.Top : (h >= 6) ? r.Bottom : (r.Top + r.Bottom) / 2;
    g.ResizeOffset = TPoint{hx - p.X, hy - p.Y};
    g.ResizeFrameShown = false;
    State |= dsResizing;
    SetCapture(Handle());
}

void TDocumentForm::DrawResizeFrame()
{
    if (!HandleAllocated())
        return;
    const TRect& r = Mouse.ResizeFrame;
    const RECT rect{r.Left, r.Top, r.Right, r.Bottom};
    HDC dc = GetDC(Handle());
    DrawFocusRect(dc, &rect);
    ReleaseDC(Handle(), dc);
    Mouse.ResizeFrameShown = !Mouse.ResizeFrameShown;
}

void TDocumentForm::ScalePictureByMouse(TPoint p)
{
    TMouseGesture& g = Mouse;
    if (!g.ResizeObject)
        return;
    if (g.ResizeFrameShown)
        DrawResizeFrame();
    const int h = g.ResizeHandle;
    const TPoint at{p.X + g.ResizeOffset.X, p.Y + g.ResizeOffset.Y};
    TRect f = g.ResizeStartFrame;
    const bool moveLeft = h == 1 || h == 4 || h == 6, moveRight = h == 3 || h == 5 || h == 8;
    const bool moveTop = h <= 3, moveBottom = h >= 6;
    if (moveLeft)
        f.Left = std::clamp(at.X, f.Right - g.MaxWidth, f.Right - g.MinWidth);
    if (moveRight)
        f.Right = std::clamp(at.X, f.Left + g.MinWidth, f.Left + g.MaxWidth);
    if (moveTop)
        f.Top = std::clamp(at.Y, f.Bottom - g.MaxHeight, f.Bottom - g.MinHeight);
    if (moveBottom)
        f.Bottom = std::clamp(at.Y, f.Top + g.MinHeight, f.Top + g.MaxHeight);
    // A corner keeps the proportions of a picture that keeps them.
    const TDocObject& object = *g.ResizeObject;
    const bool corner = (moveLeft || moveRight) && (moveTop || moveBottom);
    if (corner && dynamic_cast<const TDocPicture*>(&object) && object.KeepProportions && object.Width > 0 &&
        object.Height > 0) {
        const double ratio = double(object.Width) * object.ScaleX / (double(object.Height) * object.ScaleY);
        const int32_t w = f.Right - f.Left, fh = f.Bottom - f.Top;
        if (fh > 0 && double(w) / fh < ratio) {
            const int32_t width = int32_t(std::lround(fh * ratio));
            if (moveLeft)
                f.Left = f.Right - width;
            else
                f.Right = f.Left + width;
        } else if (fh > 0 && double(w) / fh > ratio) {
            const int32_t height = int32_t(std::lround(w / ratio));
            if (moveTop)
                f.Top = f.Bottom - height;
            else
                f.Bottom = f.Top + height;
        }
    }
    g.ResizeFrame = f;
    DrawResizeFrame();
}

void TDocumentForm::ApplyPictureScale(const TMouseGesture& gesture)
{
    TDocument& doc = *Document;
    TDocObject* object = gesture.ResizeObject;
    if (!object)
        return;
    const TRect& f = gesture.ResizeFrame;
    const int32_t scaleX = ScalePercent(doc.DeviceYToTwips(f.Right - f.Left), object->Width);
    const int32_t scaleY = ScalePercent(doc.DeviceYToTwips(f.Bottom - f.Top), object->Height);
    if (scaleX == object->ScaleX && scaleY == object->ScaleY)
        return;
    TFormatObjectParams params;
    params.Position = gesture.ResizePos;
    params.Width = object->Width;
    params.Height = object->Height;
    params.ScaleX = scaleX;
    params.ScaleY = scaleY;
    params.Visible = object->Visible ? 1 : 0;
    ExecuteOperation(doc, params);
}
