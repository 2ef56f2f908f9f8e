// The fonts that documents name: each registered once by name and character set, and named by its
// index in character formats and font tables.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TRegisteredFont {
    int32_t Id = 0;             // fonts of one name share an id, whatever their character set
    std::string Name;
    int32_t Charset = 0;
    int32_t PitchAndFamily = 0;
};

// The default character set, and the symbol one (which a font keeps whatever is asked of it).
constexpr int32_t DefaultCharset = 0;
constexpr int32_t SymbolCharset = 2;

class TRegisteredFonts {
public:
    // Starts with the fixed fonts "Times New Roman" (index 0, the default font), "Arial", "Symbol".
    TRegisteredFonts();
    // The index of the font of that name (without regard to case) and character set (unset counts as
    // the default one), registered now when there is none.
    int32_t RegisterFont(std::string_view name, int32_t charset, int32_t pitchAndFamily);
    // The first font of that name, -1 when there is none.
    int32_t IndexOfFont(std::string_view name) const;
    // The variant of a registered font with that character set (a symbol font keeps its own).
    int32_t GetFontForCharset(int32_t fontIndex, int32_t charset);
    int32_t Count() const { return static_cast<int32_t>(Fonts.size()); }
    const TRegisteredFont& Font(int32_t index) const { return Fonts[static_cast<size_t>(index)]; }

private:
    std::vector<TRegisteredFont> Fonts;
    int32_t NextId = 0;
};

// The program's one list.
TRegisteredFonts& RegisteredFonts();
