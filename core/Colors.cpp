// Colour schemes, palettes, the colour manager and the nearest standard colour.
#include "core/Colors.h"

#include <cstdlib>

#include "classlib/runtime/Format.h"
#include "core/SystemColors.h"

namespace {

// A default with a non-zero high byte is the fixed colour of its low 24 bits; otherwise it names a
// system colour read at the time of use.
constexpr uint32_t Fixed = 0xFF000000;

const uint32_t SlotDefaults[ColorSchemeSlotCount] = {
    SysColorWindowText, SysColorWindowText, SysColorWindow,       Fixed | 0xFF0000, SysColorButtonShadow,
    SysColorWindowText, SysColorButtonFace, SysColorButtonShadow, SysColorWindow,   SysColorWindowText,
    SysColorWindowText, SysColorButtonFace, Fixed | 0x0000FF,
};

const char* const SlotNames[ColorSchemeSlotCount] = {
    "Texte Auto",
    "Marques de mise en forme",
    "Arrière-plan de page",
    "Limite de marge de page",
    "Espace intercalaire entre 2 pages",
    "Contour et ombrage des pages",
    "Arrière-plan de la règle",
    "Marges de la règle",
    "Centre de la règle",
    "Texte de la règle",
    "Taquets de tabulation",
    "Taquets de tabulation grisés",
    "Nouveaux taquets de tabulation",
};

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

TColorManager* ColorManager = nullptr;

} // namespace

const char* ColorSlotName(int slot)
{
    return slot >= 0 && slot < ColorSchemeSlotCount ? SlotNames[slot] : "";
}

// --- TColorScheme ---

TColorScheme::TColorScheme()
{
    for (int32_t& slot : Slots)
        slot = -1;
}

void TColorScheme::Assign(const TColorScheme& other)
{
    for (int i = 0; i < ColorSchemeSlotCount; ++i)
        Slots[i] = other.Slots[i];
}

bool TColorScheme::IsEqual(const TColorScheme& other) const
{
    for (int i = 0; i < ColorSchemeSlotCount; ++i)
        if (Slots[i] != other.Slots[i])
            return false;
    return true;
}

void TColorScheme::LoadFromString(const std::string& text)
{
    // Every slot that is written can be read back; a group that is short or holds a character that is
    // no hexadecimal digit ends the text, and the slots from there on keep their defaults.
    size_t pos = 0;
    bool ended = false;
    for (int32_t& slot : Slots) {
        slot = -1;
        if (ended || pos + 8 > text.size()) {
            ended = true;
            continue;
        }
        uint32_t value = 0;
        for (int i = 0; i < 8 && !ended; ++i) {
            const int digit = HexDigit(text[pos + i]);
            if (digit < 0)
                ended = true;
            value = value << 4 | uint32_t(digit);
        }
        if (!ended)
            slot = int32_t(value);
        pos += 8;
    }
}

std::string TColorScheme::SaveToString() const
{
    int last = ColorSchemeSlotCount - 1;
    while (last >= 0 && Slots[last] == -1)
        --last;
    std::string text;
    for (int i = 0; i <= last; ++i) {
        text += HexWord(uint32_t(Slots[i]), true);
    }
    return text;
}

TColorRef TColorScheme::GetColor(int slot) const
{
    if (Slots[slot] != -1)
        return TColorRef(Slots[slot]);
    const uint32_t def = SlotDefaults[slot];
    if (def & 0xFF000000)
        return def & 0xFFFFFF;
    return GetSystemColor(int(def));
}

TColorScheme TColorScheme::BuiltInDefault()
{
    TColorScheme scheme;
    const int32_t colors[] = {0x000000, 0x000000, 0xFFFFFF, 0xFF0000, 0x808080, 0x000000};
    for (int i = 0; i < 6; ++i)
        scheme.Slots[i] = colors[i];
    return scheme;
}

// --- TPaletteColor and TColorPalette ---

TPaletteColor::~TPaletteColor()
{
    FreeBrush();
}

void TPaletteColor::FreeBrush()
{
    DeleteBrushHandle(FBrush);
    FBrush = 0;
}

void TPaletteColor::SetColor(TColorRef color)
{
    FreeBrush();
    FColor = color;
}

TBrushHandle TPaletteColor::GetBrush()
{
    if (!FBrush)
        FBrush = CreateSolidBrushHandle(FColor);
    return FBrush;
}

void TColorPalette::SetScheme(const TColorScheme& scheme)
{
    FDefinedSlots = 0;
    for (int i = 0; i < ColorSchemeSlotCount; ++i) {
        FColors[i].SetColor(scheme.GetColor(i));
        if (scheme.Slots[i] != -1)
            FDefinedSlots |= uint16_t(1u << i);
    }
}

// --- TColorManager ---

TColorManager::TColorManager() : FUserPalette(std::make_unique<TColorPalette>())
{
    FUserPalette->SetScheme(TColorScheme());
    FCurrentPalette = FUserPalette.get();
}

TColorManager::~TColorManager() = default;

TColorPalette* TColorManager::GetDefaultPalette()
{
    if (!FDefaultPalette) {
        FDefaultPalette = std::make_unique<TColorPalette>();
        FDefaultPalette->SetScheme(TColorScheme::BuiltInDefault());
    }
    return FDefaultPalette.get();
}

void TColorManager::UseSchemeColors()
{
    FCurrentPalette = FUserPalette.get();
}

void TColorManager::UseDefaultColors()
{
    FCurrentPalette = GetDefaultPalette();
}

void TColorManager::UpdateSchemeColors(const TColorScheme& scheme)
{
    FUserPalette->SetScheme(scheme);
    if (FDefaultPalette) {
        const bool current = FCurrentPalette == FDefaultPalette.get();
        FDefaultPalette.reset();
        if (current)
            FCurrentPalette = GetDefaultPalette();
        else
            GetDefaultPalette();
    }
    if (OnColorsChanged)
        OnColorsChanged(*this);
}

void TColorManager::MatchColorTable(std::vector<TColorTableEntry>& table)
{
    for (TColorTableEntry& entry : table)
        entry.StandardIndex = entry.Automatic ? 0 : NearestStandardColor(entry.Color);
}

TColorManager* GetColorManager()
{
    if (!ColorManager)
        ColorManager = new TColorManager;
    return ColorManager;
}

void FreeColorManager()
{
    delete ColorManager;
    ColorManager = nullptr;
}

// --- Standard colours ---

const TColorRef StandardColors[StandardColorCount] = {
    0x000000, // automatic: drawn in the palette's text colour
    0x000000, 0xFF0000, 0xFFFF00, 0x00FF00, 0xFF00FF, 0x0000FF, 0x00FFFF, 0xFFFFFF,
    0x800000, 0x808000, 0x008000, 0x800080, 0x000080, 0x008080, 0x808080, 0xC0C0C0,
};

int NearestStandardColor(TColorRef color)
{
    const int r = int(color & 0xFF), g = int(color >> 8 & 0xFF), b = int(color >> 16 & 0xFF);
    int best = 16;
    int bestDistance = 765;
    for (int i = 1; i < StandardColorCount; ++i) {
        const TColorRef c = StandardColors[i];
        const int distance = std::abs(r - int(c & 0xFF)) + std::abs(g - int(c >> 8 & 0xFF)) +
                             std::abs(b - int(c >> 16 & 0xFF));
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}
