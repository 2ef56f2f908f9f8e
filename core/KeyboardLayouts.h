// The keyboard layouts installed in the system, the current one, and retyping a character typed in one
// layout as the same key gives it in another.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct TLayout {
    uintptr_t Handle = 0;
    // The layout's language: the low word of its handle.
    int32_t LanguageId() const { return int32_t(Handle & 0xFFFF); }
};

// What the manager asks of the system's keyboard layouts; the platform's by default.
class TLayoutSystem {
public:
    virtual ~TLayoutSystem();
    virtual std::vector<uintptr_t> InstalledLayouts() = 0;
    // The layout active in the current thread.
    virtual uintptr_t ActiveLayout() = 0;
    // The character the key that types C in layout From gives in layout To (of the shift state only Shift
    // counts); -1 when no key of From types C.
    virtual int TranslateChar(uint8_t c, uintptr_t from, uintptr_t to) = 0;
    virtual void Activate(uintptr_t layout) = 0;
};

// The layouts of the platform; another system put in their place (none: the platform's again).
TLayoutSystem& PlatformLayoutSystem();
void SetLayoutSystem(TLayoutSystem* system);

class TLayoutManager {
public:
    // Rebuilds the list from the system's layouts.
    void Refresh();
    // Refreshes and makes the layout active in the current thread the current one.
    void UpdateCurrentLayout();
    // The index of the layout of that language, else the current one's.
    int32_t IndexOfLanguage(int32_t languageId) const;
    // The character the key that types Char in layout From gives in layout To; a character no key of
    // From types is kept; a control character becomes a space.
    uint8_t TranslateChar(uint8_t c, int32_t from, int32_t to) const;
    // Makes a layout the active one of the system.
    void ActivateLayout(int32_t index);

    std::vector<TLayout> Layouts;
    int32_t Current = 0;
};

// The one layout manager.
TLayoutManager& LayoutManager();
// The keyboard layout of the current thread.
uintptr_t CurrentKeyboardLayout();
