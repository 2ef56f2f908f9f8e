// Named paragraph styles and the style list of a document.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/FormatRecords.h"

class TDocument;
class TStyleList;
class TTabManager;

// Options of TStyle::ResolveFormat.
enum TResolveFormatOptions : uint8_t {
    rfStartUndefined = 1, // start from all fields not set instead of the defaults
    rfKeepLanguage = 2,   // keep the language field
};

// Every set field of the source overwrites the target's.
void MergeCharFormat(TCharFormat& target, const TCharFormat& source);
// The same, with the indent pair merged so that the first line's left edge stays where it was.
void MergeParaFormat(TParaFormat& target, const TParaFormat& source);

class TStyle {
public:
    explicit TStyle(TStyleList* owner) : Owner(owner) {}

    // The effective formats: the style's own merged over those of the styles it is based on, root
    // first. A based-on chain that comes back to a style already met is cut there.
    void ResolveFormat(TCharFormat& charFormat, TParaFormat& paraFormat, uint8_t options) const;
    // Built-in styles whose name files write in lower case (StyleDescriptions.cpp).
    bool WritesLowerCaseName() const;
    // The nine built-in heading styles.
    bool IsHeading() const;

    TStyleList* Owner;
    int32_t Number = -1; // the number a file gave the style (files name styles by it); not copied
    bool IsBuiltIn = false;
    int32_t BuiltInId = -1;  // index in the built-in names, -1 for a user style
    std::string Name;        // as stored in files
    std::string DisplayName; // as shown
    int32_t BasedOn = -1;
    int32_t NextStyle = -1;
    int32_t ShortCut = 0;
    TCharFormat CharFormat{}; // fields the style does not set are not set
    TParaFormat ParaFormat{};
    bool IsCharacterStyle = false; // formats runs of characters, not paragraphs
};

// The text of a keyboard shortcut; the shell, which manages the hot keys, sets it.
using THotKeyToText = std::string (*)(int32_t shortCut);
extern THotKeyToText HotKeyToTextHook;

// The French description of a style's own formatting, parts joined by "; ". As a whole style, the
// based-on style's display name leads, a root style shows the default font and size it does not set,
// and the keyboard shortcut follows on a line of its own.
void DescribeFormat(const TStyle& style, bool wholeStyle, std::string& text);

// The styles paragraphs name by index (never with holes), over the tab manager their tab fields index.
class TStyleList {
public:
    TStyleList(TDocument* document, TTabManager* tabManager) : Document(document), TabManager(tabManager) {}

    int32_t Count() const { return static_cast<int32_t>(Styles.size()); }
    // Replaces the styles with copies of another list's (StyleManager.cpp).
    void Assign(const TStyleList& other);
    // The style of an index, nullptr when it names none.
    const TStyle* StyleOf(int32_t index) const
    {
        return index >= 0 && index < Count() ? Styles[static_cast<size_t>(index)].get() : nullptr;
    }
    // Appends the based-on chain of a style (parent, grandparent...) to Chain and returns its root
    // (the style itself when it is based on nothing). A chain that loops is cut at the first style
    // met again; nullptr for an index that names no style.
    const TStyle* GetBaseChain(int32_t index, std::vector<int32_t>& chain) const;
    // Appends a style and writes its index into its paragraph format's style field.
    TStyle& AddStyle(std::unique_ptr<TStyle> style)
    {
        style->Owner = this;
        style->ParaFormat[pfStyle] = Count();
        Styles.push_back(std::move(style));
        return *Styles.back();
    }

    std::vector<std::unique_ptr<TStyle>> Styles;
    TDocument* Document;     // none for the style manager's list
    TTabManager* TabManager; // not owned
};
