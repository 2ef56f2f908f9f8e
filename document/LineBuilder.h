// The state of breaking one paragraph into lines: the character format in force, the font selected for
// it, the kerning pairs and the tab stops. One builder serves one paragraph; nothing is global, so
// drawing may lay out while another paragraph is being broken.
#pragma once
#include <cstdint>
#include <memory>

#include "core/FontDevice.h"
#include "core/FormatRecords.h"

class TDocument;
class TParagraph;
class TSharedFont;
class TSharedKerningPairs;
class TTabTable;

// Flags of TDocument::SelectFormatFont.
enum TSelectFontFlags : int {
    sfDeviceHeight = 1,     // the height at the device resolution (at least 3 pixels)
    sfKerning = 2,          // make the font's kerning pairs current when the format kerns
    sfVerticalPosition = 4, // super- and subscripts in their smaller font
    sfSmallCaps = 8,        // small capitals in the smaller font
    sfAllowDefaultCharset = 16,
    sfLineBuilding = sfKerning | sfVerticalPosition | sfSmallCaps
};

// What selecting the font of a character format gives.
struct TSelectedFont {
    TSharedFont* Font = nullptr; // the font selected for measuring
    // Keeps the font alive when the font cache lets it go while it is still in use.
    std::shared_ptr<TSharedFont> Hold;
    int32_t Ascent = 0; // of the full-size font (also for super- and subscripts)
    int32_t Descent = 0;
    TSharedKerningPairs* Kerning = nullptr; // when the format kerns at its size, else nullptr
};

// Upper-case forms of the 256 characters under one locale, made once per locale.
const uint8_t* UpperCaseTable(int32_t locale);

class TLineBuilder {
public:
    // Starts at line N of the paragraph with the format in force there (sizes times eight), the
    // paragraph's tab stops and the font selected.
    TLineBuilder(TParagraph& paragraph, int32_t firstLine, int32_t rightLimit);

    // Selects the font of the current format when it is marked stale.
    void EnsureFont();
    void SelectFont();

    TDocument& Document;
    TParagraph& Paragraph;
    int32_t RightLimit;
    TCharFormat Format{}; // in force at the builder's place; size in eighths of half-points
    TSelectedFont Font;
    bool FontStale = false;
    const TTabTable* Tabs = nullptr; // the working table: the paragraph's stops, then default ones
    TDCHandle DC = 0;
    char DecimalSeparator = ',';
};
