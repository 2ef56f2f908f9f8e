// The right button of the document window and its context menus (clipboard, text, object, link, table of
// contents, field), composed from the program's menu resources; and links followed on a click.
#include <string>
#include <vector>

#include "core/Events.h"
#include "core/Options.h"
#include "document/Document.h"
#include "document/Field.h"
#include "document/FieldCodes.h"
#include "formats/Encryption.h"
#include "window/BaseForms.h"
#include "window/DocForm.h"
#include "window/DocWindowHost.h"
#include "window/Ruler.h"
#include "classlib/windowing/ExtCtrls.h"
#include "classlib/windowing/TabSet.h"
#include "classlib/windowing/ToolBar.h"

namespace {

// The parts of a context menu, in the order they are joined.
enum : uint32_t {
    cmClipboard = 0x1,
    cmTextFormat = 0x2,
    cmObject = 0x4,
    cmHyperlink = 0x8,
    cmTableOfContents = 0x10,
    cmField = 0x20,
};

struct TMenuPart {
    uint32_t Bit;
    const char* Name;
};

constexpr TMenuPart MenuParts[] = {{cmClipboard, "CLIPBRD"}, {cmTextFormat, "TXTFMT"},   {cmObject, "OBJ"},
                                   {cmHyperlink, "HLINK"},   {cmTableOfContents, "TOC"}, {cmField, "FIELD"}};

void RunCommand(int32_t command)
{
    if (ExecuteCommandHook)
        ExecuteCommandHook(command);
}

} // namespace

std::vector<std::string> ContextMenuNames(uint32_t parts)
{
    std::vector<std::string> names;
    const char* previous = nullptr;
    for (const TMenuPart& part : MenuParts) {
        if (!(parts & part.Bit))
            continue;
        // A separator between two parts, but none between the link's and the table of contents' parts.
        if (previous && !(std::string(previous) == "HLINK" && std::string(part.Name) == "TOC"))
            names.emplace_back("-");
        names.emplace_back(part.Name);
        previous = part.Name;
    }
    return names;
}

void TDocumentForm::FollowLink(const TField& field)
{
    TDocument& doc = *Document;
    if (field.FieldType == ftHyperlink) {
        // A copy: following the link may change the document's fields.
        const std::string code = field.Code;
        doc.FollowHyperlink(code);
    } else {
        const std::string bookmark = ParsePageRefFieldCode(field.Code).Bookmark;
        doc.GoToBookmark(bookmark, false);
    }
    if (Document && !Document->HasSelection())
        RecreateCaret();
}

void TDocumentForm::RightButtonDown(TPoint p, WPARAM keys)
{
    GetEncryptionManager().AddEntropy(p.X);
    GetEncryptionManager().AddEntropy(p.Y);
    if (!CanEdit())
        return;
    TDocument& doc = *Document;
    const int tool = MouseToolMode();
    if (tool == 3) {
        ViewToolClick(p, -10);
        return;
    }
    if (tool == 6) {
        RunCommand(700);
        return;
    }
    if (tool == 1 && doc.PreviewMode) {
        // In the print preview the hand pans with the right button as well.
        MouseDown(p, keys);
        return;
    }
    if (State & dsMouseGestures)
        SendMessageA(Handle(), WM_CANCELMODE, 0, 0);
    if (tool != 0 && tool != 2 && tool != 4 && tool != 5)
        RunCommand(700);
    SetFocus();
    const THitResult hit = HitTest(p);
    if (hit.Kind == hkNoPage || hit.Kind == hkHeaderArea || hit.Kind == hkFooterArea || !hit.Line ||
        doc.IsOutsideEditedStory(hit.Pos.ParIndex))
        return;
    uint32_t parts = cmClipboard;
    if (hit.LinkField && hit.LinkField->FieldType == ftHyperlink)
        parts |= cmHyperlink;
    if (hit.TocField)
        parts |= cmTableOfContents;
    // Any other field (a symbol excepted) takes the caret, and adds its own menu.
    const bool onField = hit.Field && hit.Field != hit.LinkField && hit.Field != hit.TocField &&
                         hit.Field->FieldType != ftSymbol;
    if (onField) {
        if (!(hit.InsideSelection && doc.HasSelection()))
            doc.PlaceCaret(hit.Pos, 4);
        parts |= cmField;
    }
    // The text menu is for text outside fields.
    const bool inField = hit.Field != nullptr;
    POINT screen{p.X, p.Y};
    ClientToScreen(Handle(), &screen);
    TSpellingWord word;
    if (hit.InsideSelection && doc.HasSelection()) {
        if (doc.IsObjectSelected()) {
            parts |= cmObject;
        } else if (SpellingMenuApplies(true, word) &&
                   CompareTextPos(word.Range.StartPos, doc.Selection.StartPos) == 0 &&
                   CompareTextPos(word.Range.EndPos, doc.Selection.EndPos) == 0) {
            // The selection is the flagged word: the spelling menu instead of the others.
            SendMessageA(Handle(), WM_CONTEXTMENU, WPARAM(Handle()), MAKELPARAM(screen.x, screen.y));
            return;
        } else if (!inField) {
            parts |= cmTextFormat;
        }
    } else if (hit.Object) {
        // The object under the point alone becomes the selection.
        int32_t offset = hit.Pos.Offset;
        if (!doc.GetObjectAt(TextPosAt(hit.Pos.ParIndex, offset)))
            offset = std::max(0, offset - 1);
        SelectRange(TextRangeOf(TextPosAt(hit.Pos.ParIndex, offset), TextPosAt(hit.Pos.ParIndex, offset + 1)),
                    TextPosAt(hit.Pos.ParIndex, offset + 1));
        parts |= cmObject;
    } else {
        // The caret goes to the point, also on a link, so that the link's commands act on it.
        if (!onField)
            doc.PlaceCaret(hit.Pos, 4);
        if (SpellingMenuApplies(true, word)) {
            if (!doc.HasSelection())
                RecreateCaret();
            ShowSpellingPopup(TPoint{screen.x, screen.y}, word);
            return;
        }
        if (!inField)
            parts |= cmTextFormat;
    }
    if (!doc.HasSelection())
        RecreateCaret();
    DocWindowHost().ShowContextMenu(ContextMenuNames(parts), screen.x, screen.y);
}

void TDocumentForm::ContextMenuFromKeyboard(TPoint screen)
{
    if (!CanEdit())
        return;
    TDocument& doc = *Document;
    if (screen.X == -1 && screen.Y == -1) {
        // The system's message for the context-menu key, whose key-down already opened the menu.
        if (Keyboard.LastKeyCode == VK_APPS)
            return;
        // From the keyboard without a point: one third into the window.
        RECT r;
        GetWindowRect(Handle(), &r);
        screen = TPoint{r.left + (r.right - r.left) / 3, r.top + (r.bottom - r.top) / 3};
    }
    TSpellingWord word;
    if (SpellingMenuApplies(true, word)) {
        ShowSpellingPopup(screen, word);
        return;
    }
    TTextRange range;
    const bool link = doc.FindFieldAt(doc.Caret, range, nullptr, ftHyperlink, fkCode) != nullptr;
    const bool toc = doc.FindFieldAt(doc.Caret, range, nullptr, ftTableOfContents, fkCode) != nullptr;
    uint32_t parts = cmClipboard;
    if (link)
        parts |= cmHyperlink;
    if (toc)
        parts |= cmTableOfContents;
    if (!link && !toc)
        parts |= cmTextFormat;
    DocWindowHost().ShowContextMenu(ContextMenuNames(parts), screen.X, screen.Y);
}

bool TDocumentForm::SpellingMenuApplies(bool checkAgain, TSpellingWord& word)
{
    const uint16_t flags = CurrentOptions().SpellCheck.Flags;
    if (!(flags & scoCheckAsYouType) || !(flags & scoUnderlineMistakes))
        return false;
    if (!DocWindowHost().SpellingWordAtCaret(Document, checkAgain, word) || !word.Flagged || !Document)
        return false;
    const TTextPos caret = Document->Caret;
    return CompareTextPos(word.Range.StartPos, caret) <= 0 && CompareTextPos(caret, word.Range.EndPos) <= 0;
}

void TDocumentForm::ShowSpellingPopup(TPoint screen, const TSpellingWord& word)
{
    const char* menu = !word.HasChecker           ? "NOSPELLCHECKER"
                       : word.Suggestions.empty() ? "MSPLTWRD_NOSUGG"
                                                  : "MSPLTWRD";
    DocWindowHost().ShowSpellingMenu(menu, word.HasChecker ? word.Suggestions : std::vector<std::string>{},
                                     screen.X, screen.Y);
}

std::string TDocumentForm::ControlMenu(HWND control)
{
    auto is = [control](TControl* c) { return c && c->HandleAllocated() && c->Handle() == control; };
    if (is(StraightEdge))
        return "RULER";
    if (is(VerStraightEdge))
        return "VERRULER";
    if (is(HorScrollBar))
        return "HSCRLBAR";
    if (is(VerScrollBar))
        return "VSCRLBAR";
    if (is(BookmarkTabs))
        return "BKMRKTABS";
    if (is(PageScrollPanel) || is(PageUpSpeedButton) || is(PageDownSpeedButton))
        return "DOC";
    return {};
}
