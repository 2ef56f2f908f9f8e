// The font device in force, and the fixed-proportion device used where no system fonts exist.
#include "core/FontDevice.h"

#include <cstring>

#include "core/CharClasses.h"

namespace {

TFontDevice* GDevice = nullptr;

struct TFixedFamily {
    const char* Name;
    int32_t Charset;
    int32_t PitchAndFamily;
};

// The families of the fixed device, in the order a system reports them: a face once per character
// set, a bitmap font and an OEM font that the font manager leaves out.
constexpr int32_t Outline = ScalablePitchBit | TrueTypePitchBit;
const TFixedFamily FixedFamilies[] = {
    {"Arial", AnsiCharset, Outline | FamilySwiss},
    {"Arial", 238, Outline | FamilySwiss},
    {"Times New Roman", AnsiCharset, Outline | FamilyRoman},
    {"Courier New", AnsiCharset, Outline | FamilyModern},
    {"Symbol", SymbolCharset, Outline | FamilyDecorative},
    {"System", AnsiCharset, 1 | FamilySwiss},
    {"Terminal", OemCharset, Outline | FamilyModern},
};

bool SameFace(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b)
        if (AsciiLowerCase[static_cast<uint8_t>(*a)] != AsciiLowerCase[static_cast<uint8_t>(*b)])
            return false;
    return *a == *b;
}

// The character height of a LOGFONT height (a positive height is the cell, leading included).
int32_t EmOf(int32_t height)
{
    if (height < 0)
        return -height;
    if (height == 0)
        return 16;
    return height * 8 / 9 > 0 ? height * 8 / 9 : 1;
}

} // namespace

TFontDevice& CurrentFontDevice()
{
    return GDevice ? *GDevice : SystemFontDevice();
}

void SetFontDevice(TFontDevice* device)
{
    GDevice = device;
}

TFontHandle TFixedFontDevice::MakeFont(const TLogFont& logFont)
{
    TFixedFont font{logFont, "Arial", true};
    // A known scalable face is given as asked; any other falls back to Arial, a symbol font to Symbol.
    for (const TFixedFamily& f : FixedFamilies)
        if ((f.PitchAndFamily & ScalablePitchBit) && f.Charset != OemCharset &&
            SameFace(f.Name, logFont.FaceName)) {
            font.Face = f.Name;
            break;
        }
    if (font.Face == "Arial" && logFont.CharSet == SymbolCharset && !SameFace("Arial", logFont.FaceName))
        font.Face = "Symbol";
    Fonts.push_back(font);
    return static_cast<TFontHandle>(Fonts.size());
}

void TFixedFontDevice::DestroyFont(TFontHandle font)
{
    if (font == 0 || font > Fonts.size())
        return;
    Fonts[font - 1].Live = false;
    if (SelectedFont == font)
        SelectedFont = 0;
}

void TFixedFontDevice::SelectFont(TDCHandle, TFontHandle font)
{
    SelectedFont = font;
}

int TFixedFontDevice::LiveFonts() const
{
    int n = 0;
    for (const TFixedFont& f : Fonts)
        n += f.Live ? 1 : 0;
    return n;
}

const TFixedFontDevice::TFixedFont& TFixedFontDevice::Selected() const
{
    static const TFixedFont stock{TLogFont{-16, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "System"}, "System",
                                  true};
    if (SelectedFont == 0 || SelectedFont > Fonts.size())
        return stock;
    return Fonts[SelectedFont - 1];
}

void TFixedFontDevice::GetTextMetric(TDCHandle, TTextMetric& metric)
{
    const TFixedFont& f = Selected();
    const int32_t em = EmOf(f.LogFont.Height);
    std::memset(&metric, 0, sizeof metric);
    metric.InternalLeading = em / 8;
    metric.Height = em + metric.InternalLeading;
    metric.Ascent = em * 4 / 5 + metric.InternalLeading;
    metric.Descent = metric.Height - metric.Ascent;
    metric.ExternalLeading = em / 16;
    metric.AveCharWidth = f.LogFont.Width > 0 ? f.LogFont.Width : (em / 2 > 0 ? em / 2 : 1);
    metric.MaxCharWidth = metric.AveCharWidth;
    metric.Weight = f.LogFont.Weight;
    metric.Italic = f.LogFont.Italic;
    metric.Underlined = f.LogFont.Underline;
    metric.StruckOut = f.LogFont.StrikeOut;
    metric.CharSet = f.LogFont.CharSet;
    metric.PitchAndFamily = static_cast<uint8_t>(f.Face == "Courier New" ? FixedPitch | FamilyModern
                                                                         : VariablePitch | FamilySwiss);
}

std::string TFixedFontDevice::GetFaceName(TDCHandle)
{
    return Selected().Face;
}

void TFixedFontDevice::GetCharWidths(TDCHandle dc, int32_t widths[256])
{
    TTextMetric m;
    GetTextMetric(dc, m);
    for (int c = 0; c < 256; ++c)
        widths[c] = m.AveCharWidth;
}

int32_t TFixedFontDevice::MeasureText(TFontHandle font, std::string_view text)
{
    const TFontHandle selected = SelectedFont;
    SelectedFont = font;
    TTextMetric m;
    GetTextMetric(1, m);
    SelectedFont = selected;
    return m.AveCharWidth * static_cast<int32_t>(text.size());
}

void TFixedFontDevice::ReadKerningPairs(TDCHandle, std::vector<TKerningPair>& pairs)
{
    pairs.clear();
    const TFixedFont& f = Selected();
    if (f.Face == "Courier New" || f.Face == "Symbol" || f.Face == "System")
        return;
    const int32_t em = EmOf(f.LogFont.Height);
    pairs.push_back({'T', 'o', -(em / 8)});
    pairs.push_back({'A', 'V', -(em / 10)});
    pairs.push_back({'V', 'A', -(em / 10)});
    pairs.push_back({'A', 'T', -(em / 16)});
}

void TFixedFontDevice::EnumerateFamilies(std::vector<TFontFamilyInfo>& families)
{
    families.clear();
    for (const TFixedFamily& f : FixedFamilies)
        families.push_back({f.Name, f.Charset, f.PitchAndFamily});
}

void TFixedFontDevice::EnumerateFonts(std::vector<TFontFamilyInfo>& fonts)
{
    EnumerateFamilies(fonts);
}
