// The spell-checking service of the program, reached through SpellCheckManager, and the list of
// installed spell-check systems kept in the settings.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/runtime/StringList.h"
#include "document/TextPos.h"

class TDocument;
class TSettingsStorage;
class TSpellCheckSystem;

// What the last check of the word at the caret found: read by the spelling menu of the document window
// and its commands.
struct TCaretWordCheck {
    TDocument* Document = nullptr; // none: no word was found
    TTextRange Range{};
    std::string Word;
    int32_t Language = 0;
    bool HasChecker = false;
    bool Misspelled = false;
    std::vector<std::string> Suggestions;
};

// The installed systems (settings "SpellCheck", "Systems"), kept for the program's life.
class TSC_Settings {
public:
    TSC_Settings();

    // The system file names, in order.
    TStringList Systems;

    // Fills Systems from the stored value: split at ";", then, from the last entry to the first, empty
    // entries and entries equal (ignoring case) to an earlier one removed.
    void LoadSystemList(const std::string& text);
    // The value to store: each name followed by ";".
    std::string SystemListText() const;

    // Opens the program's settings for reading (the per-language flags of the systems). Until the
    // settings holder gives its own, a store that answers every read with its default.
    std::function<std::unique_ptr<TSettingsStorage>()> OpenSettingsForLoad;
};

// The one list of the program, created on first use (at start-up).
TSC_Settings& SpellCheckSettings();

class TSpellCheckManager {
public:
    // One system for each name of the settings' list, in order, with nothing read.
    TSpellCheckManager();
    ~TSpellCheckManager();
    // Makes the systems again from the settings' list (read after the manager was made).
    void LoadSystems();

    // Raised whenever every document must be checked again; each paragraph remembers the generation
    // its marks were made under and drops them when it changed.
    int32_t CheckGeneration = 1;

    // The systems, in the order of the settings' list of names.
    std::vector<std::unique_ptr<TSpellCheckSystem>> Systems;

    // The system of a language: the last with exactly that language, else the first with the same
    // primary language. With Start set it is started, and a system that cannot be read or started is
    // offered for removal; null when there is none.
    TSpellCheckSystem* GetSystem(int32_t language, bool start);
    // Whether a system serves the language's primary language (settings read quietly).
    bool HasSystemForLanguage(int32_t language);
    // Adds a system at the end of the list and its name to the settings; its index.
    int AddSystem(const std::string& fileName);
    void DeleteSystem(int index);
    // Restarts every running system (the options changed) and has every document checked again.
    void RestartSystems();
    void SaveSystemFlags(TSettingsStorage& store);
    // Raises the generation, then has the shell restart the background check of every open document.
    void RecheckDocuments();
    std::function<void()> OnRecheckDocuments;

    // Checks the word at the caret of a document (marking it when rejected and spelling is checked while
    // typing) and keeps what it found in CaretWord (SpellCheckCaret.cpp).
    void CheckWordAtCaret(TDocument& document);
    TCaretWordCheck CaretWord;
    // Forgets the last check of the word at the caret when it was made in that document (a document
    // going away).
    void ForgetCaretWord(const TDocument* document);

private:
    // Asks whether to keep a system that cannot be used; on No removes it. True when it was removed.
    bool OfferRemoval(int index, const std::string& name);
};

// The manager, created on first use.
TSpellCheckManager* SpellCheckManager();
// Frees the manager at shutdown.
void FreeSpellCheckManager();
