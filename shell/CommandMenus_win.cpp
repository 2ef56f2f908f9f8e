// Menus kept by the command manager: click handlers and shortcut texts, the states and special captions
// at each opening, the lists built at run time (favourites, recent documents, document windows) and the
// separators that separate nothing.
#include <windows.h>

#include <algorithm>

#include "classlib/runtime/Files.h"
#include "classlib/runtime/Format.h"
#include "classlib/windowing/Menus.h"
#include "core/FileList.h"
#include "core/InterfaceTexts.h"
#include "core/Languages.h"
#include "core/Options.h"
#include "core/OptionsHolder.h"
#include "core/PathUtils.h"
#include "core/ShellUtils.h"
#include "core/Events.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "editing/Builders.h"
#include "editing/Operation.h"
#include "formats/InsertFile.h"
#include "shell/CommandManager.h"
#include "shell/DocDisp.h"
#include "shell/FormatCommands_win.h"
#include "shell/MainForm.h"
#include "shell/Startup.h"
#include "tools/FindReplace.h"
#include "window/DocForm.h"

namespace {

// Walks the items below Menu depth first, the last sub-item first, each item after its sub-items.
template<typename F>
void ForEachItem(TMenuItem* menu, const F& visit)
{
    for (int i = menu->Count() - 1; i >= 0; --i) {
        TMenuItem* item = menu->Items(i);
        ForEachItem(item, visit);
        visit(item);
    }
}

// The caption without its shortcut part, and with it when the options ask for shortcuts in menus.
std::string CaptionWithShortcut(const std::string& caption, int32_t command)
{
    std::string text = caption.substr(0, caption.find('\t'));
    if (CurrentOptions().Internal.ShowHotKeys) {
        const std::string shortcut = CommandShortcutText(command);
        if (!shortcut.empty())
            text += "\t" + shortcut;
    }
    return text;
}

// The name of the operation that undo (or redo) would take back, or empty when there is none.
std::string NextOperationName(TDocument* document, bool undo)
{
    if (!document)
        return {};
    const TUndoList& list = document->UndoList;
    const int32_t index = undo ? list.CurrentIndex : list.CurrentIndex + 1;
    if (index < 0 || index >= list.Count())
        return {};
    const auto* operation = dynamic_cast<const TOperation*>(list.Operations[size_t(index)].get());
    const uint8_t kind = operation ? operation->Kind : 0;
    return OperationNames[kind < OperationKindCount ? kind : 0];
}

TMenuItem* NewItem(const std::string& caption, intptr_t tag, const TNotifyEvent& click = {})
{
    auto* item = new TMenuItem(nullptr);
    item->Caption = caption;
    item->Tag = tag;
    item->OnClick = click;
    return item;
}

// Frees the items between the list's place and its end marker, then puts a new end marker right after
// the place; returns the index to insert the new entries at.
int ClearList(TMenuItem* parent, int place, int32_t endMarker)
{
    // The items after a list never built (no end marker yet) are the menu's own.
    bool built = false;
    for (int i = place + 1; i < parent->Count() && !built; ++i)
        built = parent->Items(i)->Tag == endMarker;
    while (built && place + 1 < parent->Count()) {
        TMenuItem* next = parent->Items(place + 1);
        const bool end = next->Tag == endMarker;
        delete next;
        if (end)
            break;
    }
    TMenuItem* marker = NewItem("-", endMarker);
    marker->Visible = false;
    parent->Insert(place + 1, marker);
    return place + 1;
}

void OpenFromMenu(const std::string& fileName)
{
    if (TDocDispatcher* dispatcher = GetDocDispatcher())
        if (dispatcher->OpenFile(fileName))
            TriggerEvent(2020);
}

void BuildFavorites(TMenuItem* parent, int place)
{
    int at = ClearList(parent, place, FavoritesEnd);
    std::vector<std::string> links;
    const std::string& folder = CurrentOptions().Internal.FavFolder;
    if (!folder.empty())
        FindFilesInTree(folder, "*.lnk", links);
    std::sort(links.begin(), links.end());
    for (const std::string& link : links) {
        std::string name = ExtractFileName(link);
        name = name.substr(0, name.size() - 4);
        parent->Insert(at++, NewItem(EscapeAmpersands(name), 0, [link](TComponent*) {
                           const std::string target = GetShortcutTarget(link);
                           OpenFromMenu(target.empty() ? link : target);
                       }));
    }
}

// The recent documents open through the dispatcher; an inserted file or picture is inserted again at
// the selection of the document that commands act on.
void OpenFromMenu(int fileList, const std::string& fileName)
{
    TDocument* document = CommandManager().GetDocument();
    if (fileList == 0)
        OpenFromMenu(fileName);
    else if (document && fileList == 3)
        InsertFile(*document, fileName);
    else if (document)
        InsertPictureFromFile(*document, fileName, 14);
}

// A file history at its place: one entry per file of the holder's list, then the commands that drop
// its stale entries and all of them.
void BuildHistory(TMenuItem* parent, int place, int32_t endMarker, int fileList, int32_t staleCommand,
                  int32_t allCommand)
{
    int at = ClearList(parent, place, endMarker);
    TOptionsHolder* holder = GetOptionsHolder();
    if (!holder)
        return;
    const std::vector<std::string>& names = holder->Owners.FileLists[fileList].Names;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    auto width = [dc](const std::string& text) {
        SIZE size{};
        GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string name = names[i];
        parent->Insert(at++, NewItem(EscapeAmpersands(ShortenPath(width, name, 300)), -intptr_t(i) - 1,
                                     [name, fileList](TComponent*) { OpenFromMenu(fileList, name); }));
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    if (names.empty())
        return;
    parent->Insert(at++, NewItem("-", 0));
    parent->Insert(at++, NewItem(CommandManager().GetCommandCaption(staleCommand, true), staleCommand));
    parent->Insert(at++, NewItem(CommandManager().GetCommandCaption(allCommand, true), allCommand));
    parent->Insert(at++, NewItem("-", 0));
}

// Moves the text to the top of a search history (it is inserted when absent).
void MoveToFront(std::vector<std::string>& history, const std::string& text)
{
    history.erase(std::remove(history.begin(), history.end(), text), history.end());
    history.insert(history.begin(), text);
}

// The search history (or, for the replace menu, each search text with its replacement) at its place;
// choosing an entry brings it to the top of its history and finds (or replaces) it.
void BuildSearchHistory(TMenuItem* parent, int place, bool replace)
{
    int at = ClearList(parent, place, replace ? ReplaceHistoryEnd : FindHistoryEnd);
    size_t count = 0;
    if (FindReplaceForm)
        count = replace
                    ? std::min(FindReplaceForm->FindHistory.size(), FindReplaceForm->ReplaceHistory.size())
                    : FindReplaceForm->FindHistory.size();
    for (size_t i = 0; i < count; ++i) {
        const std::string found = FindReplaceForm->FindHistory[i];
        const std::string replacement = replace ? FindReplaceForm->ReplaceHistory[i] : std::string();
        const std::string caption = replace ? Format("%s >>> %s", found, replacement) : found;
        parent->Insert(at++,
                       NewItem(EscapeAmpersands(caption), 0, [found, replacement, replace](TComponent*) {
                           if (!FindReplaceForm)
                               return;
                           MoveToFront(FindReplaceForm->FindHistory, found);
                           if (replace)
                               MoveToFront(FindReplaceForm->ReplaceHistory, replacement);
                           CommandManager().ExecuteCommand(replace ? 3646 : 3645);
                       }));
    }
    if (count == 0) {
        TMenuItem* empty = NewItem("( Vide )", 0);
        empty->Enabled = false;
        parent->Insert(at++, empty);
    }
    parent->Insert(at++, NewItem("-", 0));
}

// The recent languages at their place ("( Vide )" when none); choosing one gives it to the selection of
// the active document and brings it to the front of the history.
void BuildLanguageHistory(TMenuItem* parent, int place)
{
    int at = ClearList(parent, place, LanguageHistoryEnd);
    const std::vector<int32_t> history = LanguageManager().History;
    for (int32_t language : history)
        parent->Insert(at++, NewItem(EscapeAmpersands(LanguageManager().GetLanguageName(language)), 0,
                                     [language](TComponent*) {
                                         if (TDocument* doc = CommandManager().GetDocument()) {
                                             TCharFormat change = UnsetCharFormat();
                                             change[cfLanguage] = language;
                                             ApplyCharacterChange(*doc, 12440, change);
                                         }
                                         LanguageManager().AddToHistory(language);
                                         DocumentHost().InvalidateCommands();
                                     }));
    if (history.empty()) {
        TMenuItem* empty = NewItem("( Vide )", 0);
        empty->Enabled = false;
        parent->Insert(at++, empty);
    }
    parent->Insert(at++, NewItem("-", 0));
}

void BuildWindowList(TMenuItem* parent, int place)
{
    int at = ClearList(parent, place, WindowListEnd);
    TDocDispatcher* dispatcher = GetDocDispatcher();
    const int count = dispatcher ? dispatcher->DocumentCount() : 0;
    if (count == 0)
        return;
    TDocument* active = MainForm ? MainForm->GetActiveDocument() : nullptr;
    parent->Insert(at++, NewItem("-", 0));
    if (count > 9) {
        TMenuItem* more = NewItem("Autres fenêtres...", 90100);
        bool activeListed = false;
        for (int i = 0; i < 9; ++i)
            activeListed = activeListed || dispatcher->Document(i) == active;
        more->Checked = !activeListed;
        parent->Insert(at++, more);
    }
    for (int i = 0; i < std::min(count, 9); ++i) {
        TDocument* document = dispatcher->Document(i);
        const std::string caption = document->Window ? document->Window->Caption() : document->FileName;
        TMenuItem* item = NewItem(Format("&%d %s", i + 1, EscapeAmpersands(caption)), 90105 + i);
        item->Checked = document == active;
        parent->Insert(at++, item);
    }
    parent->Insert(at++, NewItem("-", 0));
}

} // namespace

void TCommandManager::MenuItemClick(TComponent* sender)
{
    ExecuteCommand(static_cast<int32_t>(sender->Tag));
}

void TCommandManager::PrepareMenu(TMenuItem* menu)
{
    ForEachItem(menu, [this](TMenuItem* item) {
        if (item->Tag == 0)
            return;
        if (!item->OnClick)
            item->OnClick = [this](TComponent* sender) { MenuItemClick(sender); };
        if (item->Tag > 0 && !item->IsLine())
            item->Caption = CaptionWithShortcut(item->Caption, static_cast<int32_t>(item->Tag));
    });
}

void TCommandManager::RebuildMenuLists(TMenuItem* menu, bool force)
{
    const uint8_t dirty = force ? 0xFF : DirtyFlags;
    if (!(dirty & (cdFavorites | cdFileHistory | cdWindowList)))
        return;
    // The places, found first: rebuilding inserts items.
    std::vector<TMenuItem*> places;
    ForEachItem(menu, [&places](TMenuItem* item) {
        for (int32_t place : {FavoritesPlace, HistoryPlace, InsertedFilesPlace, InsertedPicturesPlace,
                              FindHistoryPlace, ReplaceHistoryPlace, WindowListPlace, LanguageHistoryPlace})
            if (item->Tag == place)
                places.push_back(item);
    });
    for (TMenuItem* place : places) {
        TMenuItem* parent = place->Parent();
        int index = 0;
        while (parent->Items(index) != place)
            ++index;
        place->Visible = false;
        if (place->Tag == FavoritesPlace && (dirty & cdFavorites))
            BuildFavorites(parent, index);
        else if (place->Tag == HistoryPlace && (dirty & cdFileHistory))
            BuildHistory(parent, index, HistoryEnd, 0, 340, 343);
        else if (place->Tag == InsertedFilesPlace && (dirty & cdFileHistory))
            BuildHistory(parent, index, InsertedFilesEnd, 3, 345, 346);
        else if (place->Tag == InsertedPicturesPlace && (dirty & cdFileHistory))
            BuildHistory(parent, index, InsertedPicturesEnd, 5, 349, 350);
        else if ((place->Tag == FindHistoryPlace || place->Tag == ReplaceHistoryPlace) && force)
            BuildSearchHistory(parent, index, place->Tag == ReplaceHistoryPlace);
        else if (place->Tag == LanguageHistoryPlace && force)
            BuildLanguageHistory(parent, index);
        else if (place->Tag == WindowListPlace && (dirty & cdWindowList))
            BuildWindowList(parent, index);
        TidySeparators(parent);
    }
    PrepareMenu(menu);
    if (!force)
        DirtyFlags &= ~(cdFavorites | cdFileHistory | cdWindowList);
}

void TCommandManager::UpdateMenu(TMenuItem* menu)
{
    TDocument* document = GetDocument();
    ForEachItem(menu, [this, document](TMenuItem* item) {
        const int32_t command = static_cast<int32_t>(item->Tag);
        // A sub-menu whose entries are all hidden (an empty list) is greyed.
        if (item->Count() > 0) {
            bool shown = false;
            for (int i = 0; i < item->Count() && !shown; ++i)
                shown = item->Items(i)->Visible && !item->Items(i)->IsLine();
            item->Enabled = shown;
        }
        if (command <= 0 || IsMenuListPlace(command))
            return;
        item->Enabled = IsCommandEnabled(command);
        item->Checked = GetCommandState(command) == csChecked;
        // The document-window list marks the active document (or "Autres fenêtres..." when it is
        // not among the first nine).
        if (TDocDispatcher* dispatcher = GetDocDispatcher();
            dispatcher && command >= 90100 && command <= 90113) {
            const int count = std::min(dispatcher->DocumentCount(), 9);
            bool listed = false;
            for (int i = 0; i < count; ++i)
                listed = listed || dispatcher->Document(i) == document;
            if (command == 90100)
                item->Checked = document && !listed && dispatcher->DocumentCount() > 9;
            else
                item->Checked = command - 90105 < count && dispatcher->Document(command - 90105) == document;
        }
        if (command == 3840 || command == 3860) {
            const bool undo = command == 3840;
            const std::string name = NextOperationName(document, undo);
            const std::string caption = name.empty()
                                            ? (undo ? "Pas d'action à annuler" : "Pas d'action à rétablir")
                                            : (undo ? "&Annuler " : "&Rétablir ") + name;
            item->Caption = CaptionWithShortcut(caption, command);
        } else if (command == 150260) {
            item->Visible = document && document->Bookmarks.Count() > 0;
        } else if (command == 150310) {
            item->Visible = IsCommandEnabled(15650);
        }
    });
}

void TCommandManager::TidySeparators(TMenuItem* item)
{
    auto counts = [](TMenuItem* i) {
        return (i->Visible && !i->IsLine()) || IsMenuListPlace(int32_t(i->Tag));
    };
    for (int i = item->Count() - 1; i >= 0; --i) {
        if (i >= item->Count() || !item->Items(i)->IsLine() || IsMenuListPlace(int32_t(item->Items(i)->Tag)))
            continue;
        bool before = false, after = false, doubled = false;
        for (int k = 0; k < i && !before; ++k)
            before = counts(item->Items(k));
        for (int k = i + 1; k < item->Count() && !after; ++k)
            after = counts(item->Items(k));
        for (int k = i - 1; k >= 0; --k) {
            TMenuItem* back = item->Items(k);
            if (IsMenuListPlace(int32_t(back->Tag)))
                break;
            if (!back->Visible)
                continue;
            doubled = back->IsLine();
            break;
        }
        if (!before || !after || doubled)
            delete item->Items(i);
    }
}
