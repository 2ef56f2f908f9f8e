// The spelling menu of the document window: the word at the caret as the spell-check manager checked it,
// the menu with the word's suggestions first, and the commands of the menu that act on the word.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class TDocument;
struct TSpellingWord;

// The word at the caret of the document: checked again (Again), or as the last check left it; false when
// that check found no word of this document.
bool CaretSpellingWord(TDocument* document, bool again, TSpellingWord& word);
// Opens a spelling menu resource at a screen point, each suggestion an item before the menu's own.
void ShowSpellingMenu(const std::string& menu, const std::vector<std::string>& suggestions, int x, int y);
// The word last checked at the caret replaced by a suggestion, as one undoable edit.
void ReplaceCaretWord(const std::string& suggestion);
// 813 ignores the word for the session, 816 adds it to the current personal dictionary; false for other
// numbers.
bool ExecuteSpellingMenuCommand(int32_t command);
