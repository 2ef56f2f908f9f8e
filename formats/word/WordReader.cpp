// The Word reader's road from file to document, and the document-wide tables: the file information
// block, the document properties, fonts, associated strings, the style sheet and bookmarks.
#include "formats/word/WordReader.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "classlib/runtime/Exceptions.h"
#include "core/Fonts.h"
#include "core/StyleManager.h"
#include "core/Styles.h"
#include "core/TabTables.h"
#include "document/Document.h"
#include "document/Section.h"
#include "document/Field.h"
#include "codecs/CodePages.h"
#include "formats/load/StylePasses.h"
#include "formats/load/WordStorage.h"
#include "formats/word/WinWord.h"
#include "formats/word/WordReading.h"

namespace {

constexpr int32_t kFibSize = 1024;
constexpr int32_t kDopSize = 500;
constexpr uint16_t kWord97Ident = 0xA5EC;
constexpr uint16_t kEncrypted = 0x100, kWhichTable = 0x200, kComplex = 0x4;
constexpr int32_t kFirstUnsetBuiltIn = 91, kUserStyle = 4094, kNoStyle = 4095;

// The streams of a compound file held in memory, read by the bounded reader.
class TMemoryStreamSource : public TWordStreamSource {
public:
    TMemoryStreamSource(const uint8_t* data, size_t size) : Bytes(data), Size(size) {}
    bool ReadStream(const char* name, std::vector<uint8_t>& bytes) override
    {
        TReadAt read = [this](int64_t offset, uint8_t* into, int32_t count) {
            if (offset < 0 || count < 0 || uint64_t(offset) + uint64_t(count) > Size)
                return false;
            std::memcpy(into, Bytes + offset, size_t(count));
            return true;
        };
        return ReadCompoundStream(read, static_cast<int64_t>(Size), name, bytes);
    }

private:
    const uint8_t* Bytes;
    size_t Size;
};

} // namespace

TWordReader::TWordReader(TDocument& document, TWordStreamSource& storage, TWordProgress progress)
    : Doc(document), Storage(storage), Progress(std::move(progress))
{}
TWordReader::~TWordReader() = default;

uint16_t TWordReader::U16(const std::vector<uint8_t>& b, uint64_t at)
{
    if (at + 2 > b.size())
        Abort();
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

uint32_t TWordReader::U32(const std::vector<uint8_t>& b, uint64_t at)
{
    if (at + 4 > b.size())
        Abort();
    return b[at] | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

TWordFcLcb TWordReader::Pair(int32_t word6Offset, int32_t word97Offset) const
{
    const int32_t at = Word97 ? word97Offset : word6Offset;
    return {Fib32(at), Fib32(at + 4)};
}

std::vector<uint8_t> TWordReader::ReadTable(const TWordFcLcb& pair) const
{
    const std::vector<uint8_t>& stream = Word97 ? Table : Main;
    if (static_cast<int32_t>(pair.Lcb) < 1)
        return {};
    if (uint64_t(pair.Fc) + pair.Lcb > stream.size())
        Abort();
    return std::vector<uint8_t>(stream.begin() + pair.Fc, stream.begin() + pair.Fc + pair.Lcb);
}

std::string TWordReader::Utf16ToAnsi(const uint8_t* p, size_t count) const
{
    std::string s;
    s.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const uint16_t c = static_cast<uint16_t>(p[2 * i] | p[2 * i + 1] << 8);
        if (c == 0)
            break;
        const int b = UnicodeToAnsi(c);
        s.push_back(static_cast<char>(b > 0 ? b : '?'));
    }
    return s;
}

std::vector<std::string> TWordReader::ReadStringTable(const std::vector<uint8_t>& b) const
{
    std::vector<std::string> strings;
    if (b.size() < 2)
        return strings;
    if (U16(b, 0) == 0xFFFF) {
        // Extended: a count, the size of the extra data, then 16-bit lengths and UTF-16 strings.
        if (b.size() < 6)
            return strings;
        const uint32_t count = U16(b, 2), extra = U16(b, 4);
        size_t at = 6;
        for (uint32_t i = 0; i < count && at + 2 <= b.size(); ++i) {
            const size_t length = U16(b, at);
            if (at + 2 + 2 * length > b.size())
                break;
            strings.push_back(Utf16ToAnsi(b.data() + at + 2, length));
            at += 2 + 2 * length + extra;
        }
        return strings;
    }
    // Byte lengths and 8-bit strings: after a count and the size of the extra data, or (first
    // generation) after the table's total size.
    size_t at = Word97 ? 4 : 2, end = b.size(), extra = 0;
    uint32_t count = UINT32_MAX;
    if (Word97) {
        if (b.size() < 4)
            return strings;
        count = U16(b, 0);
        extra = U16(b, 2);
    } else {
        end = std::min<size_t>(end, U16(b, 0));
    }
    for (uint32_t i = 0; i < count && at < end; ++i) {
        const size_t length = b[at];
        if (at + 1 + length > end)
            break;
        strings.emplace_back(reinterpret_cast<const char*>(b.data() + at + 1), length);
        at += 1 + length + extra;
    }
    return strings;
}

void TWordReader::ReadDocumentProperties()
{
    const TWordFcLcb pair = Pair(336, 402);
    Dop.assign(kDopSize, 0);
    if (static_cast<int32_t>(pair.Lcb) < 1)
        return;
    std::vector<uint8_t> bytes = ReadTable({pair.Fc, std::min<uint32_t>(pair.Lcb, kDopSize)});
    std::copy(bytes.begin(), bytes.end(), Dop.begin());
    TSection& first = *Doc.Sections.front();
    if (Dop[0] & 1)
        first.PageSetup[psHeaderFlags] |= 1;
    if (const uint16_t tab = U16(Dop, 10))
        Doc.TabManager->SetDefaultTabInterval(tab);
    const uint16_t zoom = U16(Dop, 82);
    const int32_t percent = (zoom >> 3) & 0x1FF;
    Doc.ViewState.ZoomPercent = percent < 10 || percent > 500 ? 100 : percent;
    static const uint8_t kinds[4] = {0, 3, 1, 2};
    Doc.ViewState.ZoomKind = kinds[(zoom >> 12) & 3];
    Doc.WordDopValue = U16(Dop, 18);
    Doc.Info.CreationDate = WordDateToDateTime(U32(Dop, 20));
    Doc.Info.LastSaveDate = WordDateToDateTime(U32(Dop, 24));
    Doc.Info.LastPrintDate = WordDateToDateTime(U32(Dop, 28));
    if (Dop[6] & 0x20)
        first.PageSetup[psMirrorMargins] = 1;
    TNoteSettings& fn = Doc.FootnoteSettings;
    TNoteSettings& en = Doc.EndnoteSettings;
    fn.Position = (Dop[0] >> 5) & 3;
    fn.Format = Word97 ? static_cast<int16_t>(U16(Dop, 492)) : (U16(Dop, 54) >> 2) & 0xF;
    fn.StartNumber = U16(Dop, 2) >> 2;
    fn.RestartMode = Dop[2] & 3;
    en.Position = U16(Dop, 54) & 3;
    en.Format = Word97 ? static_cast<int16_t>(U16(Dop, 494)) : (U16(Dop, 54) >> 6) & 0xF;
    en.StartNumber = U16(Dop, 52) >> 2;
    en.RestartMode = Dop[52] & 3;
    for (TNoteSettings* s : {&fn, &en})
        if (s->Format < 0 || s->Format > 9)
            s->Format = 0;
}

void TWordReader::ReadFonts()
{
    const std::vector<uint8_t> b = ReadTable(Pair(208, 274));
    TFontManager& fonts = GetFontManager();
    size_t at = Word97 ? 4 : 2;
    const size_t end = Word97 || b.size() < 2 ? b.size() : std::min<size_t>(b.size(), U16(b, 0));
    const uint32_t count = Word97 && b.size() >= 2 ? U16(b, 0) : UINT32_MAX;
    const size_t fixedPart = Word97 ? 40 : 6;
    for (uint32_t i = 0; i < count && at < end; ++i) {
        const size_t size = size_t(b[at]) + 1;
        if (at + size > end)
            break;
        // A record shorter than its fixed part names no font; it still takes its index.
        if (size <= fixedPart) {
            Ctx.FontMap.push_back(Ctx.DefaultFont);
            at += size;
            continue;
        }
        const uint8_t* e = b.data() + at;
        const int32_t pitchAndFamily = e[1], charset = e[4], alternate = e[5];
        std::string name, alt;
        if (Word97) {
            const size_t chars = (size - fixedPart) / 2;
            name = Utf16ToAnsi(e + fixedPart, chars);
            if (alternate > 0 && size_t(alternate) < chars)
                alt = Utf16ToAnsi(e + fixedPart + 2 * size_t(alternate), chars - size_t(alternate));
        } else {
            const size_t chars = size - fixedPart;
            const char* n = reinterpret_cast<const char*>(e + fixedPart);
            name.assign(n, strnlen(n, chars));
            if (alternate > 0 && size_t(alternate) < chars)
                alt.assign(n + alternate, strnlen(n + alternate, chars - size_t(alternate)));
        }
        if (!alt.empty() && fonts.IndexOfFont(name) < 0)
            name = alt;
        Ctx.FontMap.push_back(name.empty() ? Ctx.DefaultFont
                                           : fonts.RegisterFont(name, charset, pitchAndFamily));
        at += size;
    }
}

void TWordReader::ReadAssociatedStrings()
{
    const std::vector<std::string> strings = ReadStringTable(ReadTable(Pair(344, 410)));
    std::string* targets[] = {&Doc.Info.Title,    &Doc.Info.Subject, &Doc.Info.Keywords,
                              &Doc.Info.Comments, &Doc.Info.Author,  &Doc.Info.LastAuthor};
    for (size_t i = 2; i < 8 && i < strings.size(); ++i)
        if (!strings[i].empty())
            *targets[i - 2] = strings[i];
}

void TWordReader::ReadStyleSheet()
{
    const std::vector<uint8_t> b = ReadTable(Pair(96, 162));
    auto list = std::make_unique<TStyleList>(&Doc, Doc.TabManager.get());
    Doc.StyleList = std::move(list);
    TStyleList& styles = *Doc.StyleList;
    Ctx.StyleIndexes.clear();
    // Each description: where it lies, its kind and its file index.
    struct TStd {
        size_t At, Size;
        TStyle* Style;
    };
    std::vector<TStd> stds;
    if (b.size() >= 6) {
        const size_t header = U16(b, 0);
        const uint32_t count = U16(b, 2);
        const size_t base = U16(b, 4);
        size_t at = 2 + header;
        for (uint32_t istd = 0; istd < count && at + 2 <= b.size(); ++istd) {
            const size_t size = U16(b, at);
            at += 2;
            if (at + size > b.size())
                break;
            if (size >= std::max<size_t>(base, 8)) {
                auto style = std::make_unique<TStyle>(&styles);
                ClearCharFormatState(style->CharFormat);
                ClearParFormatState(style->ParaFormat);
                style->Number = static_cast<int32_t>(istd);
                const int32_t sti = U16(b, at) & 0xFFF;
                style->IsCharacterStyle = (U16(b, at + 2) & 0xF) == 2;
                if (sti < kFirstUnsetBuiltIn && sti != kUserStyle) {
                    style->IsBuiltIn = true;
                    style->BuiltInId = sti;
                    style->Name = BuiltInStyleName(sti);
                    style->DisplayName = BuiltInStyleDisplayName(sti);
                }
                TStyle& added = styles.AddStyle(std::move(style));
                stds.push_back({at, size, &added});
            }
            at += size;
        }
        // The file's style indexes point to the list's styles (later ones of the same index win).
        Ctx.StyleIndexes.assign(count, 0);
        for (int32_t i = 0; i < styles.Count(); ++i)
            Ctx.StyleIndexes[size_t(styles.Styles[size_t(i)]->Number)] = i;
        // Second pass: bases, next styles, names and formats.
        for (const TStd& s : stds) {
            const uint8_t* d = b.data() + s.At;
            TStyle& style = *s.Style;
            const int32_t baseIstd = (d[2] | d[3] << 8) >> 4, nextIstd = (d[4] | d[5] << 8) >> 4;
            style.BasedOn = baseIstd == kNoStyle ? -1 : MapStyle(Ctx, baseIstd);
            style.NextStyle = nextIstd;
            const size_t upxCount = std::min<size_t>(d[4] & 0xF, 3);
            // The name, then the property groups, each at an even offset.
            size_t at = base;
            std::string name;
            if (Word97) {
                if (at + 2 > s.Size)
                    continue;
                const size_t length = std::min<size_t>(d[at] | d[at + 1] << 8, (s.Size - at - 2) / 2);
                name = Utf16ToAnsi(d + at + 2, length);
                at += 2 + 2 * (length + 1);
            } else {
                if (at + 1 > s.Size)
                    continue;
                const size_t length = std::min<size_t>(d[at], s.Size - at - 1);
                name.assign(reinterpret_cast<const char*>(d + at + 1), length);
                at += 1 + length + 1;
            }
            if (!style.IsBuiltIn) {
                name = name.substr(0, name.find(','));
                style.Name = style.DisplayName = name;
            }
            std::vector<std::pair<size_t, size_t>> upx;
            for (size_t u = 0; u < upxCount; ++u) {
                at += at & 1;
                if (at + 2 > s.Size)
                    break;
                const size_t length = d[at] | d[at + 1] << 8;
                if (at + 2 + length > s.Size)
                    break;
                upx.emplace_back(at + 2, length);
                at += 2 + length;
            }
            const int32_t own = style.ParaFormat[pfStyle];
            size_t charGroup = 0;
            if (!style.IsCharacterStyle && !upx.empty()) {
                TWordParaProps para;
                DecodeParaGroup(Ctx, d + upx[0].first, static_cast<int32_t>(upx[0].second), para, true,
                                style.BasedOn);
                for (int f = 0; f < ParaFormatFieldCount; ++f)
                    if (para[f] != kWordUnset)
                        style.ParaFormat[f] = para[f];
                charGroup = 1;
            }
            style.ParaFormat[pfStyle] = own;
            if (charGroup < upx.size()) {
                TWordCharProps chars;
                ClearWordRecord(chars);
                DecodeCharSprms(Ctx, d + upx[charGroup].first, static_cast<int32_t>(upx[charGroup].second),
                                chars, true);
                for (int f = 0; f < CharFormatFieldCount; ++f)
                    if (chars[f] != kWordUnset)
                        style.CharFormat[f] = chars[f];
            }
        }
    }
    ResolveNextStyles(styles, TStyleNumberIndex(styles));
    ResolveStyleBases(styles);
    if (styles.Count() == 0) {
        const TStyleList& defaults = *GetStyleManager().DefaultList;
        auto copy = std::make_unique<TStyle>(&styles);
        if (defaults.Count() > 0)
            AssignStyle(*copy, *defaults.Styles.front());
        styles.AddStyle(std::move(copy));
    }
    // Each style's complete character format, on Word's own defaults.
    TCharFormat base = DefaultCharFormat();
    base[cfSize] = 20;
    base[cfLanguage] = Lid;
    Ctx.StyleChars.clear();
    Ctx.StyleParas.clear();
    for (int32_t i = 0; i < styles.Count(); ++i) {
        TCharFormat chars;
        TParaFormat para;
        ClearCharFormatState(chars);
        styles.Styles[size_t(i)]->ResolveFormat(chars, para, rfStartUndefined);
        TCharFormat complete = base;
        MergeCharFormat(complete, chars);
        Ctx.StyleChars.push_back(complete);
        StyleFormats(Ctx, i, chars, para);
        Ctx.StyleParas.push_back(para);
    }
}

void TWordReader::ReadBookmarks()
{
    const std::vector<std::string> names = ReadStringTable(ReadTable(Pair(256, 322)));
    const std::vector<uint8_t> starts = ReadTable(Pair(264, 330));
    const std::vector<uint8_t> ends = ReadTable(Pair(272, 338));
    if (starts.size() < 4 || ends.size() < 4)
        return;
    const size_t startCount = (starts.size() - 4) / 8, endCount = ends.size() / 4 - 1;
    const size_t count = std::min({startCount, names.size(), endCount});
    for (size_t i = 0; i < count; ++i) {
        const int32_t from = static_cast<int32_t>(U32(starts, 4 * i));
        const size_t ibkl = U16(starts, 4 * (startCount + 1) + 4 * i);
        if (ibkl >= endCount)
            continue;
        const int32_t to = static_cast<int32_t>(U32(ends, 4 * ibkl));
        if (from < 0 || to < from || names[i].empty())
            continue;
        Doc.Fields.push_back(std::make_unique<TField>());
        TField& field = *Doc.Fields.back();
        field.Kind = fkBookmark;
        field.Code = names[i];
        Events.push_back({from, 1, &field});
        Events.push_back({to, 0, &field});
    }
    std::stable_sort(Events.begin(), Events.end(), [](const TWordEvent& a, const TWordEvent& b) {
        return a.Cp != b.Cp ? a.Cp < b.Cp : a.Order < b.Order;
    });
}

TWordReadResult TWordReader::Read()
{
    TWordReadResult result;
    try {
        if (!Storage.ReadStream(winword::MainStreamName, Main))
            Abort();
        Fib.assign(Main.begin(), Main.begin() + std::min<size_t>(Main.size(), kFibSize));
        Word97 = Fib16(0) == kWord97Ident;
        result.Word97 = Word97;
        const uint16_t flags = Fib16(10);
        if (flags & kEncrypted) {
            result.Encrypted = true;
            return result;
        }
        Complex = flags & kComplex;
        Ctx.Word97 = Word97;
        Ctx.Document = &Doc;
        Ctx.DefaultFont = DefaultCharFormat()[cfFont];
        Lid = Fib16(6);
        if (Word97) {
            if (!Storage.ReadStream(
                    flags & kWhichTable ? winword::Table1StreamName : winword::Table0StreamName, Table))
                Abort();
            if (!Storage.ReadStream(winword::DataStreamName, Data))
                Data.clear();
        }
        ReadDocumentProperties();
        if (Word97) {
            // The list table with the level records after it, up to the override table.
            const uint32_t lists = Fib32(738), overrides = Fib32(746);
            if (overrides > lists)
                Ctx.Lists = ReadTable({lists, overrides - lists});
            Ctx.Overrides = ReadTable(Pair(746, 746));
        }
        ReadBookmarks();
        ReadFonts();
        ReadAssociatedStrings();
        ReadStyleSheet();
        ReadText();
        Doc.Coding = Word97 ? 2 : 1;
        result.TextLength = TextLength;
        result.Read = true;
    } catch (const EAbort&) {
        result.Error = "Le document est endommagé ou incomplet.";
    } catch (const std::bad_alloc&) {
        result.Error = "Mémoire insuffisante.";
    } catch (const Exception& e) {
        result.Error = e.Message;
    } catch (const std::exception&) {
        result.Error = "Le document est endommagé ou incomplet.";
    }
    return result;
}

TWordReadResult ReadWordDocument(TDocument& document, TWordStreamSource& storage,
                                 const TWordProgress& progress)
{
    TWordReader reader(document, storage, progress);
    return reader.Read();
}

TWordReadResult ReadWordDocumentBytes(TDocument& document, const uint8_t* data, size_t size)
{
    TMemoryStreamSource source(data, size);
    return ReadWordDocument(document, source);
}
