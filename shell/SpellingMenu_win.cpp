// The spelling menu of the document window and the commands that act on the word it was opened for.
#include "shell/SpellingMenu.h"

#include "classlib/windowing/Menus.h"
#include "core/PathUtils.h"
#include "document/Document.h"
#include "editing/OperationParams.h"
#include "shell/CommandManager.h"
#include "shell/MainForm.h"
#include "tools/SpellCheck.h"
#include "tools/SpellCheckSystem.h"
#include "window/DocWindowHost.h"

namespace {

constexpr int32_t NoLanguage = 0x400;

// Suggestion items stand first in the menu, each tagged -1 - its index.
bool IsSuggestionItem(const TMenuItem* item)
{
    return item->Tag < 0;
}

// The last check's word, still where it was found in the document that is active now.
bool CheckedWordStands(TDocument* document)
{
    const TCaretWordCheck& checked = SpellCheckManager()->CaretWord;
    if (!document || checked.Document != document)
        return false;
    const TTextPos& start = checked.Range.StartPos;
    const TTextPos& end = checked.Range.EndPos;
    if (start.ParIndex < 0 || start.ParIndex >= document->ParagraphCount() ||
        end.ParIndex != start.ParIndex || start.Offset < 0 ||
        end.Offset > document->ParagraphLength(start.ParIndex) || end.Offset <= start.Offset)
        return false;
    return document->GetText(start, end.Offset - start.Offset) == checked.Word;
}

} // namespace

bool CaretSpellingWord(TDocument* document, bool again, TSpellingWord& word)
{
    if (!document)
        return false;
    TSpellCheckManager& manager = *SpellCheckManager();
    if (again)
        manager.CheckWordAtCaret(*document);
    const TCaretWordCheck& checked = manager.CaretWord;
    if (checked.Document != document)
        return false;
    word.Range = checked.Range;
    word.HasChecker = checked.HasChecker;
    word.Flagged = checked.Misspelled || (!checked.HasChecker && checked.Language != NoLanguage);
    word.Suggestions = checked.Suggestions;
    return true;
}

void ShowSpellingMenu(const std::string& menu, const std::vector<std::string>& suggestions, int x, int y)
{
    if (!MainForm)
        return;
    TPopupMenu* popup = MainForm->GetPopupMenu(menu);
    TMenuItem* items = popup->Items();
    // The suggestions of the word checked before go first.
    while (items->Count() > 0 && IsSuggestionItem(items->Items(0)))
        delete items->Items(0);
    for (size_t i = 0; i < suggestions.size(); ++i) {
        auto* item = new TMenuItem(nullptr);
        item->Caption = EscapeAmpersands(suggestions[i]);
        item->Tag = -1 - static_cast<intptr_t>(i);
        item->Default = i == 0;
        const std::string suggestion = suggestions[i];
        item->OnClick = [suggestion](TComponent*) { ReplaceCaretWord(suggestion); };
        items->Insert(static_cast<int>(i), item);
    }
    if (!suggestions.empty()) {
        auto* line = new TMenuItem(nullptr);
        line->Caption = "-";
        line->Tag = -1 - static_cast<intptr_t>(suggestions.size());
        items->Insert(static_cast<int>(suggestions.size()), line);
    }
    popup->Popup(x, y);
}

void ReplaceCaretWord(const std::string& suggestion)
{
    TDocument* document = CommandManager().GetDocument();
    if (!CheckedWordStands(document))
        return;
    const TTextRange range = SpellCheckManager()->CaretWord.Range;
    document->Select(range.StartPos.ParIndex, range.StartPos.Offset, range.EndPos.ParIndex,
                     range.EndPos.Offset, 0);
    TInsertTextParams params;
    params.Text = suggestion;
    ExecuteOperation(*document, params);
    // The new word is checked in its turn.
    SpellCheckManager()->CheckWordAtCaret(*document);
}

bool ExecuteSpellingMenuCommand(int32_t command)
{
    if (command != 813 && command != 816)
        return false;
    TSpellCheckManager& manager = *SpellCheckManager();
    const TCaretWordCheck checked = manager.CaretWord;
    TDocument* document = CommandManager().GetDocument();
    if (!CheckedWordStands(document) || !checked.Misspelled)
        return true;
    TSpellCheckSystem* system = manager.GetSystem(checked.Language, true);
    if (!system)
        return true;
    if (command == 813)
        system->IgnoreAll(checked.Word);
    else
        // Without a personal dictionary a new one is made.
        system->AddToDictionary(
            checked.Word, system->EditableLexicons.Count() > 0 ? system->CurrentPersonalDictionary : -1);
    manager.CheckWordAtCaret(*document);
    return true;
}
