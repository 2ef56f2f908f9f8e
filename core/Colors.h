// Colour schemes of the views, their palettes of brushes, the colour manager and the standard colours.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Handles.h"

// A Windows RGB value: red in the low byte, then green, then blue.
using TColorRef = uint32_t;

constexpr int ColorSchemeSlotCount = 13;

// The slots of a colour scheme.
enum TColorSlot {
    csAutoText = 0,
    csFormattingMarks,
    csPageBackground,
    csPageMarginLimit,
    csPageGap,
    csPageOutline,
    csRulerBackground,
    csRulerMargins,
    csRulerCentre,
    csRulerText,
    csTabStops,
    csGreyedTabStops,
    csNewTabStops,
};

// The display name of a scheme slot (for the colour settings page).
const char* ColorSlotName(int slot);

// Thirteen colour slots, each an RGB value or -1 for the slot's default.
class TColorScheme {
public:
    TColorScheme();
    void Assign(const TColorScheme& other);
    bool IsEqual(const TColorScheme& other) const;
    // Groups of eight hexadecimal digits, one per slot from slot 0; slots the text does not reach are -1.
    void LoadFromString(const std::string& text);
    // Slots 0 up to the last one that is not -1, eight upper-case hexadecimal digits each.
    std::string SaveToString() const;
    // The stored value, or the slot's default for -1 (a fixed colour, or a system colour read now).
    TColorRef GetColor(int slot) const;
    // The built-in scheme used where the user's colours must not apply (printing).
    static TColorScheme BuiltInDefault();

    uint8_t Flags = 0;
    int32_t Slots[ColorSchemeSlotCount];
};

// One palette entry: a colour and its solid brush, made on first request.
class TPaletteColor {
public:
    TPaletteColor() = default;
    TPaletteColor(const TPaletteColor&) = delete;
    TPaletteColor& operator=(const TPaletteColor&) = delete;
    ~TPaletteColor();
    TColorRef GetColor() const { return FColor; }
    // A new colour drops the brush; it is made again on the next request.
    void SetColor(TColorRef color);
    TBrushHandle GetBrush();

private:
    void FreeBrush();
    TBrushHandle FBrush = 0;
    TColorRef FColor = 0;
};

// The colours of one scheme, resolved, with their brushes.
class TColorPalette {
public:
    void SetScheme(const TColorScheme& scheme);
    TPaletteColor& operator[](int slot) { return FColors[slot]; }
    TColorRef GetColor(int slot) const { return FColors[slot].GetColor(); }
    // The scheme gave the slot a colour of its own (not the slot's default).
    bool DefinesSlot(int slot) const { return (FDefinedSlots >> slot) & 1; }

private:
    TPaletteColor FColors[ColorSchemeSlotCount];
    uint16_t FDefinedSlots = 0;
};

// An entry of a document's colour table: the colour and its nearest standard colour index.
struct TColorTableEntry {
    bool Automatic = false;
    TColorRef Color = 0;
    int32_t StandardIndex = 0;
};

// Switches the views between the user's palette and the built-in one.
class TColorManager {
public:
    TColorManager();
    ~TColorManager();
    TColorPalette* GetDefaultPalette();
    TColorPalette* UserPalette() { return FUserPalette.get(); }
    TColorPalette* CurrentPalette() { return FCurrentPalette; }
    void UseSchemeColors();
    void UseDefaultColors();
    // The user palette takes the given scheme; the built-in palette is made again (system colours may
    // have changed) and OnColorsChanged fires, so that the program repaints its documents.
    void UpdateSchemeColors(const TColorScheme& scheme);
    std::function<void(TColorManager&)> OnColorsChanged;
    // Gives every entry of a colour table its standard colour index (0 for the automatic colour).
    static void MatchColorTable(std::vector<TColorTableEntry>& table);

private:
    std::unique_ptr<TColorPalette> FDefaultPalette;
    std::unique_ptr<TColorPalette> FUserPalette;
    TColorPalette* FCurrentPalette = nullptr;
};

// The program's colour manager, made on first use.
TColorManager* GetColorManager();
void FreeColorManager();

// The standard colours of the document formats, index 0 (automatic, given as black) to 16.
constexpr int StandardColorCount = 17;
extern const TColorRef StandardColors[StandardColorCount];

// The index 1 to 16 of the standard colour closest to an RGB value (lowest index on a tie).
int NearestStandardColor(TColorRef color);
