// The font manager: families, registered fonts, the shared-font cache, substitutions and history.
#include "core/Fonts.h"

#include <algorithm>
#include <cstring>

#include "classlib/runtime/Format.h"
#include "codecs/CharsetCodePages.h"
#include "core/CharClasses.h"
#include "core/Messages.h"
#include "core/Kerning.h"
#include "core/Options.h"
#include "core/SettingsStorage.h"
#include "core/TextUtils.h"
#include "core/Units.h"

void (*FontsReloadedHandler)() = nullptr;

namespace {

TFontManager* GFontManager = nullptr;

// The fonts every list starts with, at fixed indexes: the default font, Arial and the bullet font.
const char* const DefaultFontName = "Times New Roman";
const char* const SansFontName = "Arial";
const char* const BulletFontName = "Symbol";
const char* const FallbackFace = "Arial";
const char* const DefaultHistory = "Arial||Times New Roman||Verdana";

// Case-insensitive comparison of ASCII letters, the way the system compares face names.
int CompareNames(std::string_view a, std::string_view b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ca = AsciiLowerCase[static_cast<uint8_t>(a[i])];
        const int cb = AsciiLowerCase[static_cast<uint8_t>(b[i])];
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool SameName(std::string_view a, std::string_view b)
{
    return CompareNames(a, b) == 0;
}

int32_t Flag(int32_t v)
{
    return v != 0 && v != UndefinedField ? 1 : 0;
}

int32_t LookupFontId(int32_t index)
{
    return GFontManager ? GFontManager->FontId(index) : UndefinedField;
}

} // namespace

bool SameFontFormat(const TCharFormat& a, const TCharFormat& b)
{
    if (a[cfFont] != b[cfFont] || a[cfSize] != b[cfSize] || a[cfScale] != b[cfScale])
        return false;
    for (int i = cfBold; i <= cfUnderline; ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

void FontStateToLogFont(const TFontManager& manager, const TCharFormat& format, TLogFont& logFont)
{
    std::memset(&logFont, 0, sizeof logFont);
    logFont.Height = format[cfSize];
    logFont.Weight = Flag(format[cfBold]) * 300 + 400;
    logFont.Italic = static_cast<uint8_t>(Flag(format[cfItalic]));
    logFont.Underline = static_cast<uint8_t>(Flag(format[cfUnderline]));
    logFont.StrikeOut = static_cast<uint8_t>(Flag(format[cfStrike]));
    const TRegisteredFont& font = manager.FontOfIndex(format[cfFont]);
    logFont.CharSet = static_cast<uint8_t>(font.Charset);
    const std::string face =
        font.IsInstalled() ? manager.Families()[static_cast<size_t>(font.FamilyIndex)].Name : font.Name;
    const size_t n = std::min(face.size(), static_cast<size_t>(LogFontFaceSize - 1));
    std::memcpy(logFont.FaceName, face.data(), n);
    logFont.FaceName[n] = 0;
}

// ---------------------------------------------------------------------------------------------------
// TSharedFont

TSharedFont::TSharedFont(TFontManager& manager, const TCharFormat& format, int32_t height, TDCHandle dc)
    : Format(format), Device(manager.Device())
{
    Format[cfSize] = height;
    TLogFont lf;
    FontStateToLogFont(manager, Format, lf);
    const TRegisteredFont& registered = manager.FontOfIndex(Format[cfFont]);

    auto remake = [&] {
        const TFontHandle font = Device.MakeFont(lf);
        Device.SelectFont(dc, font);
        if (Handle)
            Device.DestroyFont(Handle);
        Handle = font;
        Device.GetTextMetric(dc, Metrics);
    };
    remake();

    if (Format[cfScale] != 100 && Format[cfScale] != UndefinedField && Format[cfScale] > 0) {
        lf.Width = std::max(1, MulDivRound(Metrics.AveCharWidth, Format[cfScale], 100));
        remake();
    }

    const std::string requested = lf.FaceName;
    std::string obtained = Device.GetFaceName(dc);
    const bool lenient = (manager.Flags & TFontManager::AllowDefaultCharsetFlag) != 0;
    if (SameName(obtained, requested)) {
        if (!registered.IsInstalled()) {
            std::strcpy(lf.FaceName, FallbackFace);
            remake();
        }
    } else if (IsDoubleByteCharset(lf.CharSet)) {
        // Another face of the same double-byte set: the requested face has none of its characters, and
        // the default set would show each byte of the text as a character of its own.
        if (!lenient)
            manager.AddSubstitution(requested, obtained);
    } else if (lenient) {
        if (lf.CharSet != AnsiCharset && lf.CharSet != DefaultCharset) {
            lf.CharSet = DefaultCharset;
            remake();
        }
    } else {
        if (lf.CharSet != AnsiCharset && lf.CharSet != DefaultCharset) {
            lf.CharSet = DefaultCharset;
            remake();
            obtained = Device.GetFaceName(dc);
        }
        if (!SameName(obtained, requested))
            manager.AddSubstitution(requested, obtained);
    }

    Ascent = Metrics.Ascent;
    Descent = Metrics.Descent + Metrics.ExternalLeading;
    Device.GetCharWidths(dc, Widths);
}

TSharedFont::~TSharedFont()
{
    if (Handle)
        Device.DestroyFont(Handle);
}

bool TSharedFont::DoubleByte() const
{
    return IsDoubleByteCharset(Metrics.CharSet);
}

bool TSharedFont::IsLeadByte(uint8_t c) const
{
    return IsDoubleByteLead(Metrics.CharSet, c);
}

int32_t TSharedFont::PairWidth(uint8_t lead, uint8_t trail)
{
    const auto key = static_cast<uint16_t>(lead << 8 | trail);
    auto it = FPairWidths.find(key);
    if (it == FPairWidths.end()) {
        const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        it = FPairWidths.emplace(key, Device.MeasureText(Handle, std::string_view(pair, 2))).first;
    }
    return it->second;
}

int32_t TSharedFont::TextWidth(std::string_view text) const
{
    int32_t w = 0;
    for (char c : text)
        w += Widths[static_cast<uint8_t>(c)];
    return w;
}

// ---------------------------------------------------------------------------------------------------
// TFontManager

TFontManager::TFontManager(TFontDevice* device) : FDevice(device ? *device : CurrentFontDevice())
{
    FHistory.SetSorted(true);
    EnumerateFamilies();
    FDefaultFont = RegisterFont(DefaultFontName, AnsiCharset, VariablePitch | FamilyRoman);
    RegisterFont(SansFontName, AnsiCharset, VariablePitch | FamilySwiss);
    FBulletFont = RegisterFont(BulletFontName, SymbolCharset, VariablePitch | FamilyRoman);
    MatchRegisteredFonts();
    FHistory.SetText(BarsToLineBreaks(DefaultHistory));
}

TFontManager::~TFontManager()
{
    FreeCache();
}

void TFontManager::EnumerateFamilies()
{
    FFamilies.clear();
    std::vector<TFontFamilyInfo> found;
    FDevice.EnumerateFamilies(found);
    std::string last;
    for (const TFontFamilyInfo& f : found) {
        if (!FFamilies.empty() && f.Name == last)
            continue;
        if (!(f.PitchAndFamily & ScalablePitchBit) || f.Charset == OemCharset)
            continue;
        FFamilies.push_back({f.Name, f.Charset, f.PitchAndFamily, false});
        last = f.Name;
    }
    std::stable_sort(FFamilies.begin(), FFamilies.end(), [](const TFontFamily& a, const TFontFamily& b) {
        return CompareNames(a.Name, b.Name) < 0;
    });
    // A face the system reported under several character sets, apart from each other, counts once.
    FFamilies.erase(
        std::unique(FFamilies.begin(), FFamilies.end(),
                    [](const TFontFamily& a, const TFontFamily& b) { return SameName(a.Name, b.Name); }),
        FFamilies.end());
}

void TFontManager::RegisterInstalledFonts()
{
    std::vector<TFontFamilyInfo> fonts;
    FDevice.EnumerateFonts(fonts);
    for (const TFontFamilyInfo& f : fonts)
        if (f.PitchAndFamily & ScalablePitchBit)
            RegisterFont(f.Name, f.Charset, f.PitchAndFamily);
}

void TFontManager::MatchRegisteredFonts()
{
    for (TRegisteredFont& font : FFonts) {
        const int family = IndexOfFamily(font.Name);
        if (family >= 0) {
            font.FamilyIndex = family;
            FFamilies[static_cast<size_t>(family)].Used = true;
        } else {
            font.FamilyIndex = -1;
        }
    }
}

int TFontManager::IndexOfFamilyTrimmed(std::string_view name, bool trimLastWord) const
{
    for (int pass = 0; pass < 2; ++pass) {
        int lo = 0, hi = static_cast<int>(FFamilies.size()) - 1;
        while (lo <= hi) {
            const int mid = lo + (hi - lo) / 2;
            const int c = CompareNames(FFamilies[static_cast<size_t>(mid)].Name, name);
            if (c == 0)
                return mid;
            if (c < 0)
                lo = mid + 1;
            else
                hi = mid - 1;
        }
        if (!trimLastWord)
            break;
        const size_t space = name.rfind(' ');
        if (space == std::string_view::npos)
            break;
        name = name.substr(0, space);
        trimLastWord = false;
    }
    return -1;
}

std::string TFontManager::FontName(int index) const
{
    const TRegisteredFont& font = Font(index);
    return font.IsInstalled() ? FFamilies[static_cast<size_t>(font.FamilyIndex)].Name : font.Name;
}

const TRegisteredFont& TFontManager::FontOfIndex(int32_t index) const
{
    if (index < 0 || index >= FontCount())
        index = FDefaultFont;
    return FFonts[static_cast<size_t>(index)];
}

int TFontManager::RegisterFont(std::string_view name, int32_t charset, int32_t pitchAndFamily)
{
    // A font table entry without a character set names the program's own (ANSI) one.
    if (charset == UndefinedField || charset < 0 || charset > 255)
        charset = AnsiCharset;
    int32_t id = -1;
    std::string key(name);
    for (char& c : key)
        c = static_cast<char>(AsciiLowerCase[static_cast<uint8_t>(c)]);
    std::vector<int32_t>& sameName = FFontsByName[key];
    for (int32_t i : sameName) {
        id = FFonts[static_cast<size_t>(i)].Id;
        if (FFonts[static_cast<size_t>(i)].Charset == charset)
            return i;
    }
    TRegisteredFont font;
    font.Id = id >= 0 ? id : FNextId++;
    font.Name = std::string(name);
    font.Charset = charset;
    font.PitchAndFamily = pitchAndFamily;
    font.FamilyIndex = IndexOfFamily(name);
    if (font.FamilyIndex >= 0)
        FFamilies[static_cast<size_t>(font.FamilyIndex)].Used = true;
    FFonts.push_back(std::move(font));
    sameName.push_back(FontCount() - 1);
    return FontCount() - 1;
}

void TFontManager::RegisterFontTable(std::vector<TFontTableEntry>& table)
{
    for (TFontTableEntry& entry : table)
        entry.FontIndex = RegisterFont(entry.Name, entry.Charset, entry.PitchAndFamily);
}

int TFontManager::IndexOfFont(std::string_view name) const
{
    for (size_t i = 0; i < FFonts.size(); ++i)
        if (SameName(FFonts[i].Name, name))
            return static_cast<int>(i);
    return -1;
}

int TFontManager::GetFontForCharset(int fontIndex, int32_t charset)
{
    if (fontIndex < 0 || fontIndex >= FontCount())
        return fontIndex;
    const TRegisteredFont font = Font(fontIndex);
    if (font.Charset == SymbolCharset)
        charset = SymbolCharset;
    return RegisterFont(font.Name, charset, font.PitchAndFamily);
}

int TFontManager::CheckFontName(const std::string& name)
{
    if (name.empty()) {
        ShowError("La zone de nom de police ne peut pas être laissée en blanc.");
        return -1;
    }
    if (IndexOfFamily(name) < 0 &&
        MessageDlgEx(Format("La police \"%s\" est absente de la liste des polices installées. Voulez-vous "
                            "utiliser cette police quand même ?",
                            name),
                     mtConfirmation, mbYesNo) != mrYes)
        return -1;
    return RegisterFont(name, AnsiCharset, 0);
}

int32_t TFontManager::FontId(int32_t index) const
{
    if (index < 0 || index >= FontCount())
        return UndefinedField;
    return FFonts[static_cast<size_t>(index)].Id;
}

TSharedFont* TFontManager::GetSharedFont(const TCharFormat& format, int32_t height, bool allowDefaultCharset,
                                         bool select, TDCHandle dc)
{
    TCharFormat key = format;
    key[cfSize] = height;
    if (FCurrent && SameFontFormat(FCurrent->Format, key)) {
        if (select && FCurrentSelectedIn != dc) {
            FDevice.SelectFont(dc, FCurrent->Handle);
            FCurrentSelectedIn = dc;
        }
        return FCurrent;
    }
    for (auto& cached : FCache) {
        TSharedFont* font = cached.get();
        if (font == FCurrent || !SameFontFormat(font->Format, key))
            continue;
        FCurrent = font;
        FCurrentSelectedIn = 0;
        if (select) {
            FDevice.SelectFont(dc, font->Handle);
            FCurrentSelectedIn = dc;
        }
        ++font->UseCount;
        return font;
    }

    const uint8_t savedFlags = Flags;
    if (allowDefaultCharset)
        Flags |= AllowDefaultCharsetFlag;
    std::shared_ptr<TSharedFont> font;
    try {
        font = std::make_shared<TSharedFont>(*this, format, height, dc);
    } catch (...) {
        Flags = savedFlags;
        throw;
    }
    Flags = savedFlags;
    // Making the font selected it into DC; a font freed below is never the selected one.
    FCurrent = font.get();
    FCurrentSelectedIn = dc;
    if (static_cast<int>(FCache.size()) >= MaxCachedFonts)
        for (int i = 0; i < FontsFreedWhenFull; ++i) {
            FreeFont(FCache.back().get());
            FCache.pop_back();
        }
    FCache.insert(FCache.begin(), std::move(font));
    return FCurrent;
}

void TFontManager::SortFontCache()
{
    std::stable_sort(FCache.begin(), FCache.end(),
                     [](const auto& a, const auto& b) { return a->UseCount > b->UseCount; });
}

void TFontManager::FreeFont(TSharedFont* font)
{
    if (font == FCurrent) {
        FCurrent = nullptr;
        FCurrentSelectedIn = 0;
    }
}

void TFontManager::FreeCache()
{
    // No context may keep a font that is about to be deleted.
    FDevice.SelectFont(FDevice.MeasuringDC(), 0);
    if (FCurrentSelectedIn)
        FDevice.SelectFont(FCurrentSelectedIn, 0);
    FCurrent = nullptr;
    FCurrentSelectedIn = 0;
    FCache.clear();
}

void TFontManager::Reload()
{
    EnumerateFamilies();
    MatchRegisteredFonts();
    FreeCache();
    GetKerningPairsManager().Clear();
    if (FontsReloadedHandler)
        FontsReloadedHandler();
}

std::string TFontManager::GetSubstitute(std::string_view name) const
{
    for (int i = 0; i < FRequestedFaces.Count(); ++i)
        if (SameName(FRequestedFaces[i], name))
            return FObtainedFaces[i];
    return std::string(name);
}

void TFontManager::AddSubstitution(const std::string& requested, const std::string& obtained)
{
    FRequestedFaces.Add(requested);
    FObtainedFaces.Add(obtained);
}

void TFontManager::LoadHistory(TSettingsStorage& storage)
{
    SetHistoryText(storage.ReadLongString("FontHistory", DefaultHistory));
}

void TFontManager::SaveHistory(TSettingsStorage& storage) const
{
    storage.WriteLongString("FontHistory", HistoryText());
}

void TFontManager::SetHistoryText(const std::string& text)
{
    FHistory.Clear();
    FHistory.SetText(BarsToLineBreaks(text));
}

std::string TFontManager::HistoryText() const
{
    std::string text;
    for (int i = 0; i < FHistory.Count(); ++i) {
        if (i > 0)
            text += "||";
        text += FHistory[i];
    }
    return text;
}

void TFontManager::GetFontNames(TStringList& list) const
{
    list.Clear();
    for (int i = 0; i < FHistory.Count(); ++i) {
        const int family = IndexOfFamily(FHistory[i]);
        if (family >= 0)
            list.Add(FFamilies[static_cast<size_t>(family)].Name, family);
    }
    if (CurrentOptions().General.FavFonts)
        return;
    for (size_t i = 0; i < FFamilies.size(); ++i)
        if (list.IndexOf(FFamilies[i].Name) < 0)
            list.Add(FFamilies[i].Name, static_cast<intptr_t>(i));
}

TFontManager& GetFontManager()
{
    if (!GFontManager) {
        GFontManager = new TFontManager;
        SetFontIdLookup(LookupFontId);
    }
    return *GFontManager;
}

void FreeFontManager()
{
    SetFontIdLookup(nullptr);
    delete GFontManager;
    GFontManager = nullptr;
}
