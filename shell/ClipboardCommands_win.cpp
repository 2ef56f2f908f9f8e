// The clipboard and piggy-bank commands of the edit range: copy, cut, the pastes, the piggy bank's
// appends, insert, emptying and its collect-everything switch.
#include "shell/ClipboardCommands.h"

#include <windows.h>

#include "classlib/runtime/Exceptions.h"
#include "core/Events.h"
#include "core/Messages.h"
#include "core/Sounds.h"
#include "document/Document.h"
#include "document/Field.h"
#include "editing/OperationParams.h"
#include "shell/CommandManager.h"
#include "shell/MainForm.h"
#include "tools/ClipboardManager.h"
#include "tools/PiggyBank.h"

namespace {

const char* const CopyFailedMessage =
    "Erreur lors de la copie dans le Presse-papiers. La cause peut en être une "
    "insuffisance de ressources système.";

TTextRange OrderedSelection(const TDocument& doc)
{
    TTextRange r = doc.Selection;
    if (CompareTextPos(r.EndPos, r.StartPos) < 0)
        std::swap(r.StartPos, r.EndPos);
    return r;
}

// Copies the selection; false (the error shown) when it failed.
bool CopySelection(TDocument& doc)
{
    TClipboardManager* manager = GetClipboardManager();
    if (!manager)
        return false;
    const TTextRange range = OrderedSelection(doc);
    bool copied = false;
    try {
        if (manager->OpenClipboard()) {
            manager->CopyRange(doc, range, doc.IsWholeWordRange(range) ? 0 : cfNotWholeWords);
            copied = true;
        }
    } catch (const EAbort&) {
    } catch (const std::exception&) {}
    manager->CloseClipboard();
    if (!copied)
        ShowError(CopyFailedMessage);
    return copied;
}

void DeleteSelection(TDocument& doc)
{
    const TTextRange range = OrderedSelection(doc);
    TDeleteRangeParams params;
    params.Start = range.StartPos;
    params.End = range.EndPos;
    ExecuteOperation(doc, params);
}

} // namespace

bool CopyBlockSelection(TDocument& document)
{
    TClipboardManager* manager = GetClipboardManager();
    if (!manager)
        return false;
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    try {
        manager->CopyBlock(document, document.GetBlockPieces());
    } catch (const EAbort&) {
    } catch (const std::exception&) {
        ShowError(CopyFailedMessage);
    }
    SetCursor(previous);
    if (MainForm)
        MainForm->UpdateInterface();
    TriggerEvent(2320);
    return true;
}

bool ExecuteClipboardCommand(int32_t command, TDocument* doc)
{
    TClipboardManager* manager = GetClipboardManager();
    switch (command) {
    case 3340: // copy
        if (!doc || !doc->HasSelection())
            return true;
        if (CopySelection(*doc) && !(manager && manager->CollectEverything))
            TriggerEvent(2320);
        return true;
    case 4555: { // the hyperlink menu's copy: the whole link selected, its address as the clip's text
        TTextRange link{};
        if (!doc || !manager || !doc->GetFieldAtSelection(link, ftHyperlink))
            return true;
        doc->Select(link.StartPos.ParIndex, link.StartPos.Offset, link.EndPos.ParIndex, link.EndPos.Offset,
                    0);
        struct TLinkCopy {
            TClipboardManager& Manager;
            explicit TLinkCopy(TClipboardManager& manager) : Manager(manager) { Manager.CopyLinkFlag = true; }
            ~TLinkCopy() { Manager.CopyLinkFlag = false; }
        } flag{*manager};
        if (CopySelection(*doc) && !manager->CollectEverything)
            TriggerEvent(2320);
        return true;
    }
    case 3420: // cut
        if (!doc || !doc->HasSelection())
            return true;
        if (CopySelection(*doc)) {
            DeleteSelection(*doc);
            TriggerEvent(2360);
        }
        return true;
    case 3360: // paste
    case 3380: // paste in the current format
        if (doc) {
            TPasteParams params;
            params.KeepFormat = command == 3380;
            ExecuteOperation(*doc, params);
            TriggerEvent(2340);
        }
        return true;
    case 3440: // copy to the piggy bank
    case 3445: // cut to the piggy bank
        if (!doc || !doc->HasSelection() || !manager)
            return true;
        if (doc->GetModeFlag(mfPiggyBank))
            return true;
        if (manager->GetPiggyBank().Append(*doc, OrderedSelection(*doc)) && command == 3445) {
            TSoundsSuspended quiet;
            DeleteSelection(*doc);
        }
        TriggerEvent(command == 3440 ? 2380 : 2385);
        return true;
    case 3460: // empty the piggy bank
        if (manager && manager->HasPiggyBank()) {
            manager->GetPiggyBank().Clear();
            TriggerEvent(2400);
        }
        return true;
    case 3480: // paste the piggy bank's insert
        if (doc && manager && manager->HasPiggyBank() && !manager->GetPiggyBank().IsEmpty() &&
            !doc->GetModeFlag(mfPiggyBank)) {
            ExecuteOperation(*doc, TPastePiggyBankParams{});
            TriggerEvent(2420);
        }
        return true;
    case 3485: // the piggy bank stores every copy
        if (manager)
            manager->CollectEverything = !manager->CollectEverything;
        return true;
    }
    return false;
}
