// The list of registered fonts.
#include "core/RegisteredFonts.h"

#include <climits>

#include "core/RecordUtils.h"
#include "document/FormatRecords.h"

namespace {

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

int32_t FontIdOf(int32_t fontIndex) {
    TRegisteredFonts& fonts = RegisteredFonts();
    return fontIndex >= 0 && fontIndex < fonts.Count() ? fonts.Font(fontIndex).Id : UndefinedField;
}

} // namespace

TRegisteredFonts::TRegisteredFonts() {
    RegisterFont("Times New Roman", DefaultCharset, 18);
    RegisterFont("Arial", DefaultCharset, 34);
    RegisterFont("Symbol", SymbolCharset, 18);
}

int32_t TRegisteredFonts::RegisterFont(std::string_view name, int32_t charset, int32_t pitchAndFamily) {
    if (charset == UndefinedField) charset = DefaultCharset;
    int32_t id = -1;
    for (size_t i = 0; i < Fonts.size(); ++i) {
        if (!SameName(Fonts[i].Name, name)) continue;
        if (Fonts[i].Charset == charset) return static_cast<int32_t>(i);
        id = Fonts[i].Id;
    }
    TRegisteredFont font;
    font.Id = id >= 0 ? id : NextId++;
    font.Name = std::string(name);
    font.Charset = charset;
    font.PitchAndFamily = pitchAndFamily;
    Fonts.push_back(std::move(font));
    return static_cast<int32_t>(Fonts.size() - 1);
}

int32_t TRegisteredFonts::IndexOfFont(std::string_view name) const {
    for (size_t i = 0; i < Fonts.size(); ++i)
        if (SameName(Fonts[i].Name, name)) return static_cast<int32_t>(i);
    return -1;
}

int32_t TRegisteredFonts::GetFontForCharset(int32_t fontIndex, int32_t charset) {
    if (fontIndex < 0 || fontIndex >= Count()) return fontIndex;
    const TRegisteredFont& font = Font(fontIndex);
    if (font.Charset == SymbolCharset || font.Charset == charset) return fontIndex;
    std::string name = font.Name;
    return RegisterFont(name, charset, font.PitchAndFamily);
}

TRegisteredFonts& RegisteredFonts() {
    static TRegisteredFonts* fonts = [] {
        auto* list = new TRegisteredFonts();
        SetFontIdLookup(FontIdOf);
        return list;
    }();
    return *fonts;
}
