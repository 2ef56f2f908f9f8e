// Keyboard input of the document window: shortcuts first, then the navigation keys that move the caret or
// extend the selection (arrows, Home, End, PgUp, PgDn, with Ctrl and Shift), and Esc, Ctrl and the
// context-menu key.
#include <algorithm>

#include "window/BaseForms.h"
#include "core/Events.h"
#include "core/Options.h"
#include "core/Sounds.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/Page.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"
#include "formats/Encryption.h"
#include "window/DocForm.h"

namespace {

bool IsNavigationKey(WORD key)
{
    return key >= VK_PRIOR && key <= VK_DOWN;
}

bool IsBackwardKey(WORD key)
{
    return key == VK_PRIOR || key == VK_HOME || key == VK_LEFT || key == VK_UP;
}

void RunCommand(int32_t command)
{
    if (ExecuteCommandHook)
        ExecuteCommandHook(command);
}

// The character before a line's end is a forced break (column, line or page).
bool EndsWithBreak(const TParLine& line)
{
    if (line.CharCount <= 0)
        return false;
    const uint8_t c = line.CharAt(line.CharCount - 1);
    return c >= 4 && c <= 6;
}

// The paragraph laid out, so that its lines can be read.
TParagraph& LaidOutParagraph(TDocument& doc, int32_t par)
{
    TTextPos pos = TextPosAt(par, 0);
    doc.LocateTextPos(pos, 0);
    return *doc.Paragraphs[size_t(par)];
}

// The place on a line nearest to the goal column: the first boundary at or right of it, or the one
// before when that is strictly nearer.
TTextPos GoalPosition(TDocument& doc, int32_t par, int32_t lineIndex, int32_t goal, bool extending)
{
    TParagraph& p = LaidOutParagraph(doc, par);
    if (p.Lines.empty())
        return TextPosAt(par, 0);
    lineIndex = std::clamp(lineIndex, 0, p.LineCount() - 1);
    const TParLine& line = *p.Lines[size_t(lineIndex)];
    const int32_t s = line.FirstChar, n = line.CharCount;
    const bool lastLine = lineIndex == p.LineCount() - 1;
    const int32_t e = extending ? s + n : (lastLine || EndsWithBreak(line)) ? s + n - 1 : s + n;
    auto x = [&](int32_t offset) { return line.XBuffer ? line.DecodeCharX(offset - s) : 0; };
    int32_t t = std::max(s, e);
    for (int32_t o = s; o < e; ++o)
        if (x(o) >= goal) {
            t = o;
            break;
        }
    if (t > s && goal - x(t - 1) < x(t) - goal)
        --t;
    TTextPos pos = TextPosAt(par, t);
    pos.LineHint = lineIndex;
    return pos;
}

} // namespace

void TDocumentForm::KeyDown(WORD& key, uint32_t shift)
{
    // Every key stirs the random pool, with the time since the key before.
    TEncryptionManager& pool = GetEncryptionManager();
    pool.AddEntropy(key);
    const uint32_t now = GetTickCount();
    if (now != Keyboard.LastTick) {
        pool.AddEntropy(int32_t((now & 0xFFFF) - (Keyboard.LastTick & 0xFFFF)));
        Keyboard.LastTick = now;
    }
    Keyboard.LastKeyCode = key;
    Keyboard.ShortcutConsumed = false;
    // Shortcuts (the hot-key manager through the class library's key event).
    TForm::KeyDown(key, shift);
    if (key == 0) {
        Keyboard.ShortcutConsumed = true;
        return;
    }
    if (!CanEdit())
        return;
    const WORD pressed = key;
    if (IsNavigationKey(key) || key == VK_CAPITAL || key == VK_NUMLOCK) {
        NavigationKey(key, shift);
        if (IsNavigationKey(key) && !((shift & ssAlt) && key >= VK_LEFT))
            key = 0;
    } else if (key != VK_SHIFT && key != VK_CONTROL && key != VK_MENU) {
        // Any other key forgets the column of vertical moves.
        Keyboard.GoalX = NoGoalX;
    }
    if (pressed != VK_PRIOR && pressed != VK_NEXT)
        Keyboard.PageKeyRect = TRect{};
    Keyboard.Extending = false;
}

void TDocumentForm::NavigationKey(WORD key, uint32_t shift)
{
    TDocument& doc = *Document;
    const bool ctrl = (shift & ssCtrl) != 0, alt = (shift & ssAlt) != 0;
    // A key after a click and type keeps it: the next click no longer takes it back.
    Mouse.ClickAndTypeDone = false;
    if (key == VK_CAPITAL || key == VK_NUMLOCK) {
        // Only the first stroke of a key held down counts.
        if (Keyboard.Repeated)
            return;
        if (TSoundManager* sounds = GetSoundManager(); sounds && sounds->KeySoundsEnabled())
            TriggerEvent(key == VK_CAPITAL ? 12420 : 12430);
        (key == VK_CAPITAL ? Keyboard.CapsLockPressed : Keyboard.NumLockPressed) = true;
        return;
    }
    Keyboard.Extending = (shift & ssShift) != 0;
    const bool vertical = key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN;
    if (!vertical || alt) {
        Keyboard.GoalX = NoGoalX;
        Keyboard.PageKeyRect = TRect{};
    } else if (Keyboard.GoalX == NoGoalX) {
        Keyboard.GoalX = doc.Caret.X;
    }
    // With a selection the move starts from one of its ends.
    if (doc.HasSelection() && !alt) {
        const TTextRange& sel = doc.Selection;
        TTextPos from;
        if (!Keyboard.Extending)
            from = IsBackwardKey(key) ? sel.StartPos : sel.EndPos;
        else
            from = CompareTextPos(doc.SelectionAnchor, sel.StartPos) == 0 ? sel.EndPos : sel.StartPos;
        const bool samePlace = CompareTextPos(from, doc.Caret) == 0 ||
                               (from.Offset == doc.ParagraphLength(from.ParIndex) && doc.Caret.Offset == 0 &&
                                doc.Caret.ParIndex == from.ParIndex + 1);
        if (!samePlace) {
            TModeFlagScope flags(doc);
            flags.On(mfNoScrollToCaret);
            from.LineHint = IsBackwardKey(key) ? INT32_MAX : 0;
            doc.LocateTextPos(from, 0);
            doc.PlaceCaret(from, 0);
        }
        if (!Keyboard.Extending) {
            Keyboard.GoalX = vertical ? doc.Caret.X : NoGoalX;
            Keyboard.PageKeyRect = TRect{};
        }
    }
    if (alt && key >= VK_LEFT)
        return;

    const TTextRange story = doc.GetStoryRange();
    const int32_t first = story.StartPos.ParIndex, last = story.EndPos.ParIndex;
    const TTextPos caret = doc.Caret;
    const int32_t length = doc.ParagraphLength(caret.ParIndex);
    const bool extending = Keyboard.Extending;
    switch (key) {
    case VK_LEFT:
        if (ctrl)
            MoveCaretTo(doc.PrevWordPos(caret));
        else if (doc.HasSelection() && !extending)
            MoveCaretTo(caret);
        else if (caret.Offset > 0)
            MoveCaretTo(TextPosAt(caret.ParIndex, caret.Offset - 1));
        else if (caret.ParIndex > first)
            MoveCaretTo(
                TextPosAt(caret.ParIndex - 1, std::max(0, doc.ParagraphLength(caret.ParIndex - 1) - 1)));
        break;
    case VK_RIGHT:
        if (ctrl) {
            MoveCaretTo(doc.NextWordPos(caret));
        } else if (doc.HasSelection() && !extending) {
            MoveCaretTo(caret);
        } else if (caret.Offset < (extending ? length : length - 1)) {
            TTextPos next = TextPosAt(caret.ParIndex, caret.Offset + 1);
            // Over a line break the caret goes to the start of the next line.
            next.LineHint = doc.Paragraphs[size_t(caret.ParIndex)]->PlainText.Data()[caret.Offset] == 5
                                ? caret.LineIndex + 1
                                : caret.LineIndex;
            MoveCaretTo(next);
        } else if (caret.ParIndex < last) {
            // Extending, the end of a paragraph and the start of the next are one place: one step further.
            MoveCaretTo(TextPosAt(caret.ParIndex + 1, extending ? 1 : 0));
        }
        break;
    case VK_UP:
        if (ctrl) {
            if (caret.Offset > 0)
                MoveCaretTo(TextPosAt(caret.ParIndex, 0));
            else if (caret.ParIndex > first)
                MoveCaretTo(TextPosAt(caret.ParIndex - 1, 0));
        } else if (caret.LineIndex > 0) {
            MoveCaretTo(GoalPosition(doc, caret.ParIndex, caret.LineIndex - 1, Keyboard.GoalX, extending));
        } else if (caret.ParIndex > first) {
            TParagraph& p = LaidOutParagraph(doc, caret.ParIndex - 1);
            MoveCaretTo(GoalPosition(doc, caret.ParIndex - 1, p.LineCount() - 1, Keyboard.GoalX, extending));
        } else if (extending) {
            MoveCaretTo(story.StartPos);
        } else if (doc.EditedHeaderFooter) {
            MoveToNeighbourHeaderFooter(false);
        }
        break;
    case VK_DOWN:
        if (ctrl) {
            if (caret.ParIndex < last)
                MoveCaretTo(TextPosAt(caret.ParIndex + 1, 0));
            else
                MoveCaretTo(TextPosAt(caret.ParIndex, length));
        } else if (caret.LineIndex < doc.Paragraphs[size_t(caret.ParIndex)]->LineCount() - 1) {
            MoveCaretTo(GoalPosition(doc, caret.ParIndex, caret.LineIndex + 1, Keyboard.GoalX, extending));
        } else if (caret.ParIndex < last) {
            MoveCaretTo(GoalPosition(doc, caret.ParIndex + 1, 0, Keyboard.GoalX, extending));
        } else if (extending) {
            MoveCaretTo(TextPosAt(last, doc.ParagraphLength(last)));
        } else if (doc.EditedHeaderFooter) {
            MoveToNeighbourHeaderFooter(true);
        }
        break;
    case VK_HOME:
        if (ctrl) {
            MoveCaretTo(story.StartPos);
        } else {
            TParagraph& p = LaidOutParagraph(doc, caret.ParIndex);
            if (caret.LineIndex >= 0 && caret.LineIndex < p.LineCount()) {
                TTextPos start = TextPosAt(caret.ParIndex, p.Lines[size_t(caret.LineIndex)]->FirstChar);
                start.LineHint = caret.LineIndex;
                MoveCaretTo(start);
            }
        }
        break;
    case VK_END:
        if (ctrl) {
            TTextPos end = TextPosAt(last, doc.ParagraphLength(last));
            end.LineHint = INT32_MAX;
            MoveCaretTo(end);
        } else {
            TParagraph& p = LaidOutParagraph(doc, caret.ParIndex);
            if (caret.LineIndex >= 0 && caret.LineIndex < p.LineCount()) {
                const TParLine& line = *p.Lines[size_t(caret.LineIndex)];
                TTextPos end = TextPosAt(caret.ParIndex,
                                         line.FirstChar + line.CharCount - (EndsWithBreak(line) ? 1 : 0));
                end.LineHint = caret.LineIndex;
                MoveCaretTo(end);
            }
        }
        break;
    case VK_PRIOR:
    case VK_NEXT:
        if (ctrl)
            CtrlPageKey(key);
        else
            PageKey(key);
        break;
    default: break;
    }
}

void TDocumentForm::MoveCaretTo(TTextPos target)
{
    TDocument& doc = *Document;
    const bool hadSelection = doc.HasSelection();
    // A selection too ends between characters, never inside a double-byte one.
    const bool forward = target.ParIndex > doc.Caret.ParIndex ||
                         (target.ParIndex == doc.Caret.ParIndex && target.Offset > doc.Caret.Offset);
    target.Offset = doc.CharBoundary(target.ParIndex, target.Offset, forward);
    doc.LocateTextPos(target, Keyboard.Extending ? 1 : 0);
    if (!Keyboard.Extending) {
        doc.PlaceCaret(target, 5);
    } else {
        if (!hadSelection)
            doc.SelectionAnchor = doc.Caret;
        const TTextPos anchor = doc.SelectionAnchor;
        doc.Select(anchor.ParIndex, anchor.Offset, target.ParIndex, target.Offset, 0);
        if (hadSelection && !doc.HasSelection()) {
            TTextPos at = anchor;
            doc.LocateTextPos(at, 0);
            doc.PlaceCaret(at, 0);
        } else {
            doc.PlaceCaret(target, 1);
        }
    }
    if (doc.HasSelection())
        HideDocCaret();
    else if (!CaretShown())
        RecreateCaret();
    if (hadSelection != doc.HasSelection())
        DocumentHost().InvalidateCommands();
}

void TDocumentForm::PageKey(WORD key)
{
    TDocument& doc = *Document;
    const bool up = key == VK_PRIOR;
    const TTextRange story = doc.GetStoryRange();
    const TPoint scroll = doc.ViewState.ScrollPos;
    const int32_t bottom = doc.ClampScrollPos(TPoint{scroll.X, INT32_MAX}).Y;
    // At the top or the bottom of the view the caret goes to the story's start or last line.
    if ((up && scroll.Y <= 0) || (!up && scroll.Y >= bottom)) {
        TModeFlagScope flags(doc);
        flags.On(mfNoScrollToCaret);
        if (up) {
            MoveCaretTo(story.StartPos);
        } else {
            const int32_t last = story.EndPos.ParIndex;
            TParagraph& p = LaidOutParagraph(doc, last);
            const int32_t line = std::max(0, p.LineCount() - 1);
            MoveCaretTo(GoalPosition(doc, last, line,
                                     Keyboard.GoalX == NoGoalX ? doc.Caret.X : Keyboard.GoalX,
                                     Keyboard.Extending));
        }
        return;
    }
    if (doc.ViewState.ZoomKind == zkWholePage || doc.ViewState.ZoomKind == zkTwoPages) {
        RunCommand(up ? 4225 : 4226);
        return;
    }
    const int32_t viewHeight = ViewRect.Bottom - ViewRect.Top;
    TRect& r = Keyboard.PageKeyRect;
    if (r.Right <= r.Left || r.Bottom <= r.Top) {
        const TPoint caret = DocToClient(TPoint{doc.CaretState.X, doc.CaretState.Y});
        const int32_t w = std::max(1, doc.CaretState.Shape.Width),
                      h = std::max(1, doc.CaretState.Shape.Height);
        if (caret.Y >= ViewRect.Top && caret.Y + h <= ViewRect.Bottom)
            r = TRect{caret.X, caret.Y, caret.X + w, caret.Y + h};
        else {
            const int32_t y = up ? ViewRect.Top + 10 : ViewRect.Top + viewHeight - 10 - h;
            r = TRect{caret.X, y, caret.X + w, y + h};
        }
    }
    int32_t step = viewHeight * 90 / 100;
    if (up)
        step = std::min(step, scroll.Y);
    const TPoint centre{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2 + (up ? -step : step)};
    const THitResult hit = HitTest(centre);
    if (doc.EditedHeaderFooter) {
        // Editing goes to the footer of the page met when its middle lies in the upper half of the view
        // scrolled on, else to its header.
        TModeFlagScope flags(doc);
        flags.Off(mfViewLive);
        flags.On(mfNoSelectionRepaint);
        flags.On(mfNoScrollToCaret);
        doc.LocateTextPos(doc.Caret, 0);
        const int32_t page = hit.PageIndex >= 0 ? hit.PageIndex : doc.Caret.PageIndex;
        if (page >= 0 && page < int32_t(doc.Pages.size()) && doc.Pages[size_t(page)]->HeaderField) {
            const TRect pageRect = doc.GetPageRect(page);
            const int32_t middle = (pageRect.Top + pageRect.Bottom) / 2;
            const int32_t viewTop = scroll.Y + (up ? -step : step);
            TField* target = middle < viewTop + viewHeight / 2 ? doc.Pages[size_t(page)]->FooterField
                                                               : doc.Pages[size_t(page)]->HeaderField;
            if (target && target != doc.EditedHeaderFooter) {
                doc.EditHeaderFooter(page, target);
                RecreateCaret();
            }
        }
    } else if (hit.Line && (hit.Kind == hkText || (hit.Kind >= hkAboveText && hit.Kind <= hkBelowText)) &&
               !doc.IsOutsideEditedStory(hit.Pos.ParIndex)) {
        TModeFlagScope flags(doc);
        flags.Off(mfViewLive);
        flags.On(mfNoSelectionRepaint);
        flags.On(mfNoScrollToCaret);
        MoveCaretTo(hit.Pos);
    }
    {
        TModeFlagScope flags(doc);
        flags.On(mfHoldScrolling);
        doc.SetScrollPos(TPoint{scroll.X, scroll.Y + (up ? -step : step)});
    }
    SetScrollBarPositions(doc.ViewState.ScrollPos);
    UpdateRulers();
    doc.Invalidate();
    doc.SetCaretPos();
    FlushDeferredPaint();
}

void TDocumentForm::MoveToNeighbourHeaderFooter(bool down)
{
    TDocument& doc = *Document;
    const int32_t page = doc.EditedHeaderFooterPage;
    if (page < 0 || page >= int32_t(doc.Pages.size()))
        return;
    if (down && page + 1 >= int32_t(doc.Pages.size()) && !doc.GetModeFlag(mfPaginationComplete)) {
        TStatusTextScope status;
        doc.Paginate(int32_t(doc.Pages.size()), int32_t(doc.Pages.size()));
    }
    const int32_t count = int32_t(doc.Pages.size());
    const bool onHeader = doc.Pages[size_t(page)]->HeaderField == doc.EditedHeaderFooter;
    // Up from a footer to the header of its page, else to the footer of the page before (or of the one
    // before that); down from a header to the footer of its page, else to the header of the next page.
    int32_t targetPage = page;
    TField* target = nullptr;
    if (down == onHeader) {
        target = down ? doc.Pages[size_t(page)]->FooterField : doc.Pages[size_t(page)]->HeaderField;
    } else {
        for (int k = 1; k <= 2 && !target; ++k) {
            targetPage = page + (down ? k : -k);
            if (targetPage < 0 || targetPage >= count)
                break;
            target = down ? doc.Pages[size_t(targetPage)]->HeaderField
                          : doc.Pages[size_t(targetPage)]->FooterField;
        }
    }
    if (!target)
        return;
    const int32_t goal = Keyboard.GoalX;
    doc.EditHeaderFooter(targetPage, target);
    // The caret goes to the new story's first line (down) or last line (up) at the goal column.
    const TTextRange story = doc.GetStoryRange();
    const int32_t par = down ? story.StartPos.ParIndex : story.EndPos.ParIndex;
    TParagraph& p = LaidOutParagraph(doc, par);
    MoveCaretTo(GoalPosition(doc, par, down ? 0 : std::max(0, p.LineCount() - 1), goal, false));
    RecreateCaret();
}

void TDocumentForm::CtrlPageKey(WORD key)
{
    TDocument& doc = *Document;
    if (doc.EditedHeaderFooter)
        doc.ToggleHeaderFooterMode(-1, nullptr);
    int32_t page = std::max(0, doc.Caret.PageIndex);
    const bool up = key == VK_PRIOR;
    if (!up && page + 1 >= int32_t(doc.Pages.size()) && !doc.GetModeFlag(mfPaginationComplete)) {
        TStatusTextScope status;
        doc.Paginate(int32_t(doc.Pages.size()), int32_t(doc.Pages.size()));
    }
    // The first line of the main text on a page; none on a page without paragraphs.
    auto firstText = [&](int32_t index) -> const TParLine* {
        if (index < 0 || index >= int32_t(doc.Pages.size()))
            return nullptr;
        for (const TParLine* line : doc.Pages[size_t(index)]->Lines)
            if (line->Paragraph && doc.StoryOfParagraph(line->Paragraph->LayoutIndex) == stMain)
                return line;
        return nullptr;
    };
    const int32_t count = int32_t(doc.Pages.size());
    int32_t target = up ? page - 1 : page + 1;
    if (target >= 0 && target < count && !firstText(target))
        target += up ? -1 : 1;
    if (target < 0)
        target = 0;
    if (target >= count || !firstText(target))
        target = page;
    const TParLine* line = firstText(target);
    if (!line)
        return;
    {
        TModeFlagScope flags(doc);
        flags.On(mfNoScrollToCaret);
        TTextPos pos = TextPosAt(line->Paragraph->LayoutIndex, line->FirstChar);
        pos.LineHint = line->LineIndex;
        MoveCaretTo(pos);
    }
    doc.SetScrollPos(TPoint{doc.ViewState.ScrollPos.X, doc.GetPageRect(target).Top});
}

bool TDocumentForm::KeyMessage(TMessage& message)
{
    switch (message.Msg) {
    case CN_KEYDOWN:
        // The class library calls KeyDown; whether the key was already down is only in the message.
        Keyboard.Repeated = (message.LParam & 0x40000000) != 0;
        return false;
    case WM_GETDLGCODE:
        // Every key and character is the document's, none moves the focus between the window's controls.
        message.Result = DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
        return true;
    case WM_CHAR:
        if (message.WParam < 32 || message.WParam > 255)
            return false;
        if (!KeyChar(uint8_t(message.WParam)))
            return false;
        message.Result = 0;
        return true;
    case WM_KEYDOWN:
        if (!CanEdit())
            return false;
        if (message.WParam == VK_CONTROL) {
            if (State & dsTextDragArmed)
                State |= dsDragCopy;
        } else if (message.WParam == VK_ESCAPE) {
            if (Document->IsViewBusy())
                SendMessageA(Handle(), WM_CANCELMODE, 0, 0);
            else if (MouseToolMode() != 0)
                RunCommand(700);
            else if (Document->PreviewMode)
                RunCommand(290);
            UpdateCaretPending();
        } else if (message.WParam == VK_APPS) {
            // The system would send its own context-menu message for the key as well.
            RECT r;
            GetWindowRect(Handle(), &r);
            SendMessageA(Handle(), WM_CONTEXTMENU, WPARAM(Handle()),
                         MAKELPARAM(r.left + (r.right - r.left) / 3, r.top + (r.bottom - r.top) / 3));
            message.Result = 0;
            return true;
        }
        return false;
    case WM_KEYUP:
        if (CanEdit() && message.WParam == VK_CONTROL && (State & dsTextDragArmed))
            State &= ~dsDragCopy;
        // The key-down opened the menu: the system's own context-menu message must not open another.
        if (message.WParam == VK_APPS) {
            message.Result = 0;
            return true;
        }
        return false;
    default: return false;
    }
}
