// What the document window asks of the main window around it: command variants, context menus, the
// activation bookkeeping, the cached frame and the main window's own drag source.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "document/TextPos.h"

class TDocument;
struct TCharFormat;

// The spelling checker's word at the caret, as its check found it.
struct TSpellingWord {
    TTextRange Range{};
    bool Flagged = false;    // misspelt, or of a language that has no checker
    bool HasChecker = false; // a checker serves its language
    std::vector<std::string> Suggestions;
};

// The main window derives from this and installs itself; until it does (and in the window's own tests)
// a plain host serves, which does nothing.
class TDocWindowHost {
public:
    virtual ~TDocWindowHost();
    // Runs a command variant that takes an argument (a text is passed as a pointer to its characters).
    virtual void ExecuteCommandWithArg(int32_t command, intptr_t argument);
    // Opens the menus built from the named menu resources, joined into one ("-" between two parts stands
    // for a separator), with its top left corner at a screen point.
    virtual void ShowContextMenu(const std::vector<std::string>& menus, int x, int y);
    // A document window became the active child: the main window's part of the activation.
    virtual void DocumentActivated(TDocument* document);
    // The main window's cached frame while it is in use (else null), and the window it was taken from.
    virtual HBITMAP CachedFrame(HWND& from);
    // The window of the main window's drag source while it carries a drag of its own, else null.
    virtual HWND DragSourceWindow();
    // A character format picked from the text goes to the format palette.
    virtual void AddPaletteFormat(const TCharFormat& format);
    // The word at the caret: checked again (Again), or as the spelling checker's last check of the word
    // at the caret left it; false when that check found no word of this document.
    virtual bool SpellingWordAtCaret(TDocument* document, bool again, TSpellingWord& word);
    // Opens a spelling menu (the named menu resource, after the suggestions for the word last checked at
    // the caret) with its top left corner at a screen point.
    virtual void ShowSpellingMenu(const std::string& menu, const std::vector<std::string>& suggestions, int x,
                                  int y);
};

TDocWindowHost& DocWindowHost();
void SetDocWindowHost(TDocWindowHost* host);
