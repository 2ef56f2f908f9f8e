// The built-in style names and the style manager, which holds the default style list of new documents.
#pragma once
#include <cstdint>
#include <memory>
#include <string_view>

#include "core/Styles.h"

class TTabManager;

constexpr int32_t BuiltInStyleCount = 92;
// The stored (English) and shown (French) names of a built-in style id; empty outside 0..91.
std::string_view BuiltInStyleName(int32_t id);
std::string_view BuiltInStyleDisplayName(int32_t id);

// Copies everything a style is but its list and its position there.
void AssignStyle(TStyle& target, const TStyle& source);

// One for the program, made on first use: the default style list and the tab tables it uses.
class TStyleManager {
public:
    TStyleManager();
    ~TStyleManager();
    TStyleManager(const TStyleManager&) = delete;
    TStyleManager& operator=(const TStyleManager&) = delete;

    // Marks the styles whose name is a built-in one, in French or in English (ASCII letters in either
    // case), and gives them both names; the others are the user's own.
    void IdentifyBuiltInStyles(TStyleList& list) const;

    std::unique_ptr<TTabManager> TabManager;
    std::unique_ptr<TStyleList> DefaultList;
    bool IdentifyDisabled = false;
};

TStyleManager& GetStyleManager();
void FreeStyleManager();
