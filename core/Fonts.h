// The font manager: installed families, fonts registered by documents, the cache of shared fonts with
// their metrics and width tables, the substitutions the system made, and the font history.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "classlib/runtime/StringList.h"
#include "core/FontDevice.h"
#include "core/FormatRecords.h"

class TFontManager;
class TSettingsStorage;

// A font made for a character format at one device height, with what measuring needs of it.
// Fonts the cache lets go stay alive while a holder keeps them (shared_from_this).
class TSharedFont : public std::enable_shared_from_this<TSharedFont> {
public:
    // Makes the font for Format at Height (a LOGFONT height: negative for the character height) and
    // selects it into DC.
    TSharedFont(TFontManager& manager, const TCharFormat& format, int32_t height, TDCHandle dc);
    ~TSharedFont();
    TSharedFont(const TSharedFont&) = delete;
    TSharedFont& operator=(const TSharedFont&) = delete;

    TFontHandle Handle = 0;
    // The format's 22 fields with the size replaced by the height the font was made for.
    TCharFormat Format;
    TTextMetric Metrics{};
    int32_t Ascent = 0;
    // Descent plus external leading.
    int32_t Descent = 0;
    // Advance widths of the characters 0 to 255 in device units.
    int32_t Widths[256] = {};
    int32_t UseCount = 0;

    // The sum of the widths of the text's bytes.
    int32_t TextWidth(std::string_view text) const;
    int32_t CharWidth(uint8_t c) const { return Widths[c]; }
    // The font's character set is a double-byte one: its text pairs lead and trail bytes.
    bool DoubleByte() const;
    // Byte C starts a two-byte character of this font.
    bool IsLeadByte(uint8_t c) const;
    // The advance of the two-byte character Lead Trail, measured once and kept.
    int32_t PairWidth(uint8_t lead, uint8_t trail);

private:
    TFontDevice& Device;
    std::unordered_map<uint16_t, int32_t> FPairWidths;
};

// An installed font family.
struct TFontFamily {
    std::string Name;
    int32_t Charset = 0;
    int32_t PitchAndFamily = 0;
    // Some registered font names it.
    bool Used = false;
};

// A font named by a document. Fonts of one name under several character sets share one id.
struct TRegisteredFont {
    int32_t Id = 0;
    std::string Name;
    int32_t Charset = DefaultCharset;
    int32_t PitchAndFamily = 0;
    // The installed family of that name, -1 when none.
    int32_t FamilyIndex = -1;

    bool IsInstalled() const { return FamilyIndex >= 0; }
};

// An entry of a document's font table: what the file says, and the registered font it became.
struct TFontTableEntry {
    std::string Name;
    int32_t Charset = DefaultCharset;
    int32_t PitchAndFamily = 0;
    int32_t FontIndex = -1;
};

// Requests for the same character format (font, height, bold, italic, strike-outs, underline kind,
// scale) share one font.
bool SameFontFormat(const TCharFormat& a, const TCharFormat& b);
// The system's description of the font of a format: height from field 1, weight, italic, underline,
// strike-out, the registered font's character set and face (at most 31 characters).
void FontStateToLogFont(const TFontManager& manager, const TCharFormat& format, TLogFont& logFont);

class TFontManager {
public:
    static constexpr int MaxCachedFonts = 40;
    static constexpr int FontsFreedWhenFull = 10;
    // Flags bit: a font that the system substitutes may fall back to the default character set.
    static constexpr uint8_t AllowDefaultCharsetFlag = 2;

    // Over the given device (the current one when nullptr), registers "Times New Roman" (index 0,
    // the default font, that of the default character format), "Arial" (1) and "Symbol" (2, the
    // bullet font).
    explicit TFontManager(TFontDevice* device = nullptr);
    ~TFontManager();
    TFontManager(const TFontManager&) = delete;
    TFontManager& operator=(const TFontManager&) = delete;

    TFontDevice& Device() const { return FDevice; }

    // --- Installed families ---
    const std::vector<TFontFamily>& Families() const { return FFamilies; }
    // Lists the scalable families of every character set but the OEM one, once each, sorted by name.
    void EnumerateFamilies();
    // Registers every scalable font of the system.
    void RegisterInstalledFonts();
    // Ties every registered font whose name is an installed family to that family.
    void MatchRegisteredFonts();
    // Binary search by name without regard to case; with TrimLastWord, a name not found is tried once
    // more without its last word (a style variant then finds its family). -1 when absent.
    int IndexOfFamilyTrimmed(std::string_view name, bool trimLastWord) const;
    int IndexOfFamily(std::string_view name) const { return IndexOfFamilyTrimmed(name, false); }

    // --- Registered fonts ---
    int FontCount() const { return static_cast<int>(FFonts.size()); }
    const TRegisteredFont& Font(int index) const { return FFonts[static_cast<size_t>(index)]; }
    // The family name of an installed font, else its own name.
    std::string FontName(int index) const;
    // The registered font of a format's font field; the default font for an index that names none.
    const TRegisteredFont& FontOfIndex(int32_t index) const;
    // The index of the font of that name (without regard to case) and character set (an undefined
    // character set counting as the ANSI one), registered now when absent.
    int RegisterFont(std::string_view name, int32_t charset, int32_t pitchAndFamily);
    // Registers every entry of a document's font table and stores the index in the entry.
    void RegisterFontTable(std::vector<TFontTableEntry>& table);
    // Index of the first registered font of that name without regard to case, -1 when absent.
    int IndexOfFont(std::string_view name) const;
    // The variant of a registered font under a character set (a symbol font keeps its own; an index
    // that names no font is returned as it is).
    int GetFontForCharset(int fontIndex, int32_t charset);
    // The index of a font name that the user typed: an empty name is an error; a name that is no
    // installed family is used only when the user confirms it. -1 when refused.
    int CheckFontName(const std::string& name);
    // The font id of a registered font's index, UndefinedField when the index names none.
    int32_t FontId(int32_t index) const;
    int32_t DefaultFont() const { return FDefaultFont; }
    int32_t BulletFont() const { return FBulletFont; }

    // --- Shared fonts ---
    // The shared font for Format at Height, selected into DC when Select is set. The current font
    // answers at once; then the cache is searched; else a font is made and put first (a full cache
    // first gives up its ten last fonts).
    TSharedFont* GetSharedFont(const TCharFormat& format, int32_t height, bool allowDefaultCharset,
                               bool select, TDCHandle dc);
    TSharedFont* CurrentFont() const { return FCurrent; }
    int CachedFontCount() const { return static_cast<int>(FCache.size()); }
    const TSharedFont& CachedFont(int index) const { return *FCache[static_cast<size_t>(index)]; }
    // Most used first.
    void SortFontCache();
    // Enumerates the families again, frees every shared font and kerning table and the selections.
    void Reload();

    // --- Substitutions ---
    // The face the system gave for a requested one when that was recorded, else the name itself.
    std::string GetSubstitute(std::string_view name) const;
    const TStringList& SubstitutedFaces() const { return FRequestedFaces; }
    const TStringList& ObtainedFaces() const { return FObtainedFaces; }
    void AddSubstitution(const std::string& requested, const std::string& obtained);

    // --- Font history ---
    const TStringList& History() const { return FHistory; }
    // Reads "FontHistory" (names separated by "||") into the sorted history list.
    void LoadHistory(TSettingsStorage& storage);
    void SaveHistory(TSettingsStorage& storage) const;
    // The history as one text, names separated by "||".
    void SetHistoryText(const std::string& text);
    std::string HistoryText() const;
    // Clears the list, adds the history names that are installed families (each with its family
    // index), then, unless only favourite fonts are listed, every other installed family.
    void GetFontNames(TStringList& list) const;

    uint8_t Flags = 0;

private:
    void FreeCache();
    void FreeFont(TSharedFont* font);

    TFontDevice& FDevice;
    std::vector<TFontFamily> FFamilies;
    std::vector<TRegisteredFont> FFonts;
    // The registered fonts of each name (in lower case), so that a document of many fonts registers
    // them in linear time.
    std::unordered_map<std::string, std::vector<int32_t>> FFontsByName;
    std::vector<std::shared_ptr<TSharedFont>> FCache;
    TStringList FRequestedFaces;
    TStringList FObtainedFaces;
    TStringList FHistory;
    TSharedFont* FCurrent = nullptr;
    // The device context the current font is selected into, 0 when none.
    TDCHandle FCurrentSelectedIn = 0;
    int32_t FDefaultFont = 0;
    int32_t FBulletFont = 0;
    int32_t FNextId = 0;
};

// The program's font manager, made on first use.
TFontManager& GetFontManager();
void FreeFontManager();
// Tells the open views to measure again after the installed fonts changed (installed by the shell).
extern void (*FontsReloadedHandler)();
