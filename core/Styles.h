// Named paragraph styles and the style list of a document.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/FormatRecords.h"

class TDocument;
class TStringList;
class TStyleList;
class TTabManager;
struct TImportStylesInfo;

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

// What to import from one style list into another.
struct TImportStylesInfo {
    uint8_t Mode = 0; // 1: a style of the same name may be replaced; 0: never
    const TStyleList* Source = nullptr;
    std::vector<int32_t> Requested; // source indexes
    std::vector<int32_t> Added;     // filled: target indexes of the styles added
    std::vector<int32_t> Replaced;  // filled: target indexes of the styles replaced
    uint8_t KeepDependencies = 0;   // 1: a style pulled in only as a parent or next style replaces none
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
    // Last index whose stored (shown) name equals the text, letter case aside; -1 for none.
    int32_t IndexOfName(std::string_view name) const;
    int32_t IndexOfDisplayName(std::string_view name) const;
    // Last index with that shortcut, or that built-in id; -1 for none.
    int32_t IndexOfShortCut(int32_t shortCut) const;
    bool HasShortCut(int32_t shortCut) const { return shortCut != 0 && IndexOfShortCut(shortCut) >= 0; }
    int32_t IndexOfBuiltIn(int32_t id) const;
    // Appends the styles based on a style, and with Recursive theirs too, depth first; each once.
    void GetDerivedStyles(int32_t index, std::vector<int32_t>& out, bool recursive) const;
    // The shown names, each with its index as object.
    void GetDisplayNames(TStringList& names) const;
    // What the list occupies, for the undo accounting.
    int64_t GetMemorySize() const;
    // Removes a style: its children take its parent, every "based on" and "next style" reference
    // after it moves down by one, a next style that named it becomes Normal (or the style itself
    // when Normal goes). The paragraphs of the deleted style are the caller's.
    void DeleteStyle(int32_t index);
    // Imports styles of another list (StyleImport.cpp): missing ones are added with the parents and
    // next styles they name, existing ones of the same name replaced as the info says, asking first
    // when Ask is set. Cancel in the question raises the silent abort and leaves the list as it was.
    bool ImportStyles(TImportStylesInfo& info, bool ask);
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

// Imports style 0 of a source list into a target that has no style of its name.
void ImportNormalStyle(TStyleList& target, const TStyleList& source);

// What FindOrCreateStyle found or made.
struct TFoundStyle {
    int32_t Index = -1;
    std::unique_ptr<TStyleList> NewList; // a copy of the list with the new style, when one was made
};

// The style of a name typed in the style box: found by shown then stored name, or, once the user
// agrees, a new style of the given formats in a copy of the list. False when there is none to apply.
bool FindOrCreateStyle(const TStyleList& list, const std::string& name, const TParaFormat& paraFormat,
                       const TCharFormat& charFormat, TFoundStyle& result);

// The saved style list of a style-list change: the list, the numbers of the styles removed and
// changed, and a style to apply (or to update from the selection) afterwards.
struct TFormatStyleListInfo {
    std::unique_ptr<TStyleList> Styles;
    std::vector<int32_t> Removed;
    std::vector<int32_t> Changed;
    int32_t StyleIndex = -1;
    bool UpdateFromSelection = false;
    int64_t GetMemorySize() const;
};
