// What the font services ask of the system: making fonts, their metrics, character widths, kerning pairs
// and the list of installed font families, behind one small interface.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Handles.h"

// Character sets and pitch-and-family bits the font services test.
constexpr int32_t AnsiCharset = 0;
constexpr int32_t DefaultCharset = 1;
constexpr int32_t SymbolCharset = 2;
constexpr int32_t OemCharset = 255;
// Pitch bits of a logical font's pitch and family.
constexpr int32_t FixedPitch = 1;
constexpr int32_t VariablePitch = 2;
// Bits of the pitch and family of text metrics: the "vector" bit (the font scales; bitmap fonts lack
// it) and the TrueType bit.
constexpr int32_t ScalablePitchBit = 2;
constexpr int32_t TrueTypePitchBit = 4;
constexpr int32_t FamilyRoman = 0x10;
constexpr int32_t FamilySwiss = 0x20;
constexpr int32_t FamilyModern = 0x30;
constexpr int32_t FamilyDecorative = 0x50;

constexpr int LogFontFaceSize = 32;

// A logical font, field for field the system's description of a font to make.
struct TLogFont {
    int32_t Height;
    int32_t Width;
    int32_t Escapement;
    int32_t Orientation;
    int32_t Weight;
    uint8_t Italic;
    uint8_t Underline;
    uint8_t StrikeOut;
    uint8_t CharSet;
    uint8_t OutPrecision;
    uint8_t ClipPrecision;
    uint8_t Quality;
    uint8_t PitchAndFamily;
    char FaceName[LogFontFaceSize];
};

// The text metrics of a font selected into a device context.
struct TTextMetric {
    int32_t Height;
    int32_t Ascent;
    int32_t Descent;
    int32_t InternalLeading;
    int32_t ExternalLeading;
    int32_t AveCharWidth;
    int32_t MaxCharWidth;
    int32_t Weight;
    uint8_t Italic;
    uint8_t Underlined;
    uint8_t StruckOut;
    uint8_t PitchAndFamily;
    uint8_t CharSet;
};

// One kerning pair as the system gives it.
struct TKerningPair {
    uint16_t First;
    uint16_t Second;
    int32_t Amount;
};

// A font the system enumerates: its face, character set and the pitch and family of its metrics.
struct TFontFamilyInfo {
    std::string Name;
    int32_t Charset;
    int32_t PitchAndFamily;
};

// The system's font services. The device context given to the metric calls has the font selected.
class TFontDevice {
public:
    virtual ~TFontDevice() = default;

    // The device context used for measuring: compatible with the screen, made on first use.
    virtual TDCHandle MeasuringDC() = 0;
    // The screen's pixels per inch (vertical).
    virtual int32_t ScreenDpi() = 0;
    // A new font (0 when the system refuses) and its release.
    virtual TFontHandle MakeFont(const TLogFont& logFont) = 0;
    virtual void DestroyFont(TFontHandle font) = 0;
    virtual void SelectFont(TDCHandle dc, TFontHandle font) = 0;
    virtual void GetTextMetric(TDCHandle dc, TTextMetric& metric) = 0;
    // The face of the selected font, at most 31 characters.
    virtual std::string GetFaceName(TDCHandle dc) = 0;
    // The advance widths of the characters 0 to 255 of the selected font.
    virtual void GetCharWidths(TDCHandle dc, int32_t widths[256]) = 0;
    // The advance width of Text in Font measured whole, so that a double-byte character of the font's
    // character set counts as one; the measuring context's selection is left as it was.
    virtual int32_t MeasureText(TFontHandle font, std::string_view text) = 0;
    // The kerning pairs of the selected font (none when it has none).
    virtual void ReadKerningPairs(TDCHandle dc, std::vector<TKerningPair>& pairs) = 0;
    // Every font family of every character set, in the system's order, once per face and character set.
    virtual void EnumerateFamilies(std::vector<TFontFamilyInfo>& families) = 0;
    // Every face of a family (or every family when the name is empty) with its character set.
    virtual void EnumerateFonts(std::vector<TFontFamilyInfo>& fonts) = 0;
};

// The system's font device; where no system fonts exist (the host build), a TFixedFontDevice.
TFontDevice& SystemFontDevice();
// The font device in force: the system's, unless another one was set (nullptr goes back to it).
TFontDevice& CurrentFontDevice();
void SetFontDevice(TFontDevice* device);

// A font device without the system: a few scalable families whose characters all measure half the
// font's height (times the requested width over that), with a few kerning pairs. It measures the same
// everywhere, so that layout logic can be checked to the unit.
class TFixedFontDevice : public TFontDevice {
public:
    TDCHandle MeasuringDC() override { return 1; }
    int32_t ScreenDpi() override { return 96; }
    TFontHandle MakeFont(const TLogFont& logFont) override;
    void DestroyFont(TFontHandle font) override;
    void SelectFont(TDCHandle dc, TFontHandle font) override;
    void GetTextMetric(TDCHandle dc, TTextMetric& metric) override;
    std::string GetFaceName(TDCHandle dc) override;
    void GetCharWidths(TDCHandle dc, int32_t widths[256]) override;
    // Each byte half the font's height; a double-byte character (two bytes) the whole height.
    int32_t MeasureText(TFontHandle font, std::string_view text) override;
    void ReadKerningPairs(TDCHandle dc, std::vector<TKerningPair>& pairs) override;
    void EnumerateFamilies(std::vector<TFontFamilyInfo>& families) override;
    void EnumerateFonts(std::vector<TFontFamilyInfo>& fonts) override;

    // Fonts made and not yet deleted.
    int LiveFonts() const;
    // Fonts made since the device was created.
    int FontsMade() const { return static_cast<int>(Fonts.size()); }

private:
    struct TFixedFont {
        TLogFont LogFont;
        std::string Face;
        bool Live;
    };
    const TFixedFont& Selected() const;
    std::vector<TFixedFont> Fonts;
    TFontHandle SelectedFont = 0;
};
