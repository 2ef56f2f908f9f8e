// The Write reader: the file's 128-byte pages (header, run pages, font table) walked with every
// position checked against the file, the text read into paragraphs with their formats.
#include "formats/write/WriteReader.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "core/Fonts.h"
#include "core/TabTables.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/Paragraph.h"
#include "formats/load/ParagraphBuilder.h"
#include "formats/rtf/RtfPictures.h"

namespace {

constexpr uint32_t kPage = 128;
constexpr int32_t kChpSize = 6, kPapSize = 78;
constexpr int32_t kMaxRuns = (kPage - 5) / 6;
constexpr int32_t kMaxTabs = 14;
constexpr uint8_t kHeaderFooterBits = 0x06, kPictureBit = 0x10;

// A run of character or paragraph properties, read descriptor by descriptor from its pages.
struct TWriteRun {
    uint32_t Page = 0, LastPage = 0; // pages From..LastPage - 1 hold the run descriptors
    int32_t Index = 0;
    uint32_t End = 0;
    int32_t Offset = -1; // -1 none yet; 0xFFFF the default properties
    uint32_t RecordAt = 0;
    uint8_t Props[kPapSize] = {};
};

class TWriteReader {
public:
    TWriteReader(TDocument& document, const uint8_t* data, size_t size)
        : Doc(document), Bytes(data), Size(size)
    {}
    TWriteReadResult Read();

private:
    uint16_t U16(size_t at) const
    {
        return at + 2 <= Size ? static_cast<uint16_t>(Bytes[at] | Bytes[at + 1] << 8) : 0;
    }
    uint32_t U32(size_t at) const { return U16(at) | uint32_t(U16(at + 2)) << 16; }
    void ReadFonts(uint32_t page, uint32_t lastPage);
    // Moves to the next descriptor; false (the run then lasts to the end of the text) when none is left.
    bool NextRun(TWriteRun& run, int32_t propsSize, const uint8_t* defaults);
    void DecodeParagraph(const TWriteRun& run);
    void DecodeCharacters(const TWriteRun& run);
    void WriteAllFormat();
    void InsertPicture(uint32_t from, uint32_t to);
    void EndParagraph();

    TDocument& Doc;
    const uint8_t* Bytes;
    size_t Size;
    uint32_t TextEnd = 0;
    std::vector<int32_t> FontMap;
    TWriteRun ParaRun, CharRun;
    TParaFormat Para{};
    TCharFormat Char{};
    TParagraph* Cur = nullptr;
    int64_t TextLength = 0;
};

const uint8_t kDefaultChp[kChpSize] = {0x01, 0x00, 0x18, 0x00, 0x00, 0x00};
const uint8_t* DefaultPap()
{
    static const auto pap = [] {
        std::vector<uint8_t> p(kPapSize, 0);
        p[0] = 0x3D;
        p[2] = 0x1E;
        p[10] = 240 & 0xFF;
        p[11] = 240 >> 8;
        return p;
    }();
    return pap.data();
}

void TWriteReader::ReadFonts(uint32_t page, uint32_t lastPage)
{
    TFontManager& fonts = GetFontManager();
    uint64_t at = uint64_t(page) * kPage;
    if (at + 2 > Size)
        return;
    const uint32_t count = U16(at);
    at += 2;
    while (FontMap.size() < count && at + 2 <= Size) {
        const uint16_t length = U16(at);
        if (length == 0)
            break;
        if (length == 0xFFFF) {
            // The table goes on at the start of the next page.
            ++page;
            if (page >= lastPage)
                break;
            at = uint64_t(page) * kPage;
            continue;
        }
        if (at + 2 + length > Size || length < 1)
            break;
        const uint8_t family = Bytes[at + 2];
        const char* name = reinterpret_cast<const char*>(Bytes + at + 3);
        const size_t chars = std::min<size_t>(strnlen(name, length - 1), 33);
        const std::string fontName(name, chars);
        int index = fonts.IndexOfFont(fontName);
        if (index < 0)
            index = fonts.RegisterFont(fontName, UndefinedField, family);
        FontMap.push_back(index);
        at += 2 + length;
    }
}

bool TWriteReader::NextRun(TWriteRun& run, int32_t propsSize, const uint8_t* defaults)
{
    for (; run.Page < run.LastPage; ++run.Page, run.Index = 0) {
        const uint64_t base = uint64_t(run.Page) * kPage;
        if (base + kPage > Size)
            break;
        const int32_t count = std::min<int32_t>(Bytes[base + kPage - 1], kMaxRuns);
        if (run.Index >= count)
            continue;
        const uint64_t d = base + 4 + 6 * uint64_t(run.Index++);
        run.End = std::min(U32(d), TextEnd);
        const int32_t offset = U16(d + 4);
        if (offset == run.Offset && run.RecordAt == base)
            return true;
        run.Offset = offset;
        run.RecordAt = static_cast<uint32_t>(base);
        std::memcpy(run.Props, defaults, size_t(propsSize));
        // The record fills the properties from their second byte, never past them or its page.
        const uint64_t record = base + 4 + uint64_t(offset);
        if (offset != 0xFFFF && record < base + kPage - 1) {
            const int32_t length =
                std::min<int32_t>({Bytes[record], propsSize - 1, int32_t(base + kPage - 1 - record - 1)});
            if (length > 0)
                std::memcpy(run.Props + 1, Bytes + record + 1, size_t(length));
        }
        return true;
    }
    run.End = TextEnd;
    std::memcpy(run.Props, defaults, size_t(propsSize));
    run.Offset = 0xFFFF;
    return false;
}

void TWriteReader::DecodeParagraph(const TWriteRun& run)
{
    const uint8_t* p = run.Props;
    auto s16 = [p](int at) { return static_cast<int32_t>(static_cast<int16_t>(p[at] | p[at + 1] << 8)); };
    Para = DefaultParaFormat();
    Para[pfAlignment] = p[1] & 3;
    Para[pfRightIndent] = s16(4);
    Para[pfLeftIndent] = s16(6);
    Para[pfFirstIndent] = s16(8);
    Para[pfLineSpacing] = s16(10);
    if (s16(22) != 0) {
        TTabTable tabs;
        for (int i = 0; i < kMaxTabs; ++i) {
            const int32_t position = s16(22 + 4 * i);
            if (position == 0)
                break;
            const bool decimal = (p[22 + 4 * i + 2] & 7) != 0;
            tabs.AddTab(PackTabStop(std::clamp(position, 0, TTabManager::MaxTabPosition),
                                    decimal ? tkDecimal : tkLeft, tlNone));
        }
        tabs.Sort();
        Para[pfTabTable] = Doc.TabManager->RegisterTabTable(tabs);
    }
}

void TWriteReader::DecodeCharacters(const TWriteRun& run)
{
    const uint8_t* p = run.Props;
    Char = DefaultCharFormat();
    const size_t font = size_t((p[1] & 0xFC) / 4 + (p[4] & 7) * 64);
    if (font < FontMap.size())
        Char[cfFont] = FontMap[font];
    Char[cfSize] = std::max<int32_t>(p[2], 2);
    Char[cfBold] = p[1] & 1;
    Char[cfItalic] = (p[1] & 2) / 2;
    Char[cfUnderline] = p[3] & 1;
    Char[cfVertPos] = p[5] == 0 ? 0 : p[5] < 128 ? 1 : 2;
}

void TWriteReader::WriteAllFormat()
{
    for (int f = CharFormatFieldCount - 1; f >= 0; --f)
        Cur->AppendZeroWidthTag(f, Char[f]);
}

void TWriteReader::InsertPicture(uint32_t from, uint32_t to)
{
    const uint64_t size = to > from ? to - from : 0;
    if (size < 40)
        return;
    const uint16_t mode = U16(from);
    if (mode == 0xE3 || mode == 0xE4)
        return;
    const uint32_t dataSize = U32(from + 32);
    if (dataSize > size - 40)
        return;
    TRtfPicture picture;
    picture.Kind = rpWindowsMetafile;
    picture.MetafileMode = mode & 15;
    picture.Width = static_cast<int16_t>(U16(from + 2));
    picture.Height = static_cast<int16_t>(U16(from + 4));
    picture.GoalWidth = static_cast<int16_t>(U16(from + 10));
    picture.GoalHeight = static_cast<int16_t>(U16(from + 12));
    const int32_t sx = U16(from + 36), sy = U16(from + 38);
    picture.ScaleX = sx > 0 ? sx / 10 : 100;
    picture.ScaleY = sy > 0 ? sy / 10 : 100;
    picture.Data.assign(Bytes + from + 40, Bytes + from + 40 + dataSize);
    auto object = std::make_unique<TDocPicture>(&Doc);
    if (!SetRtfPictureImage(picture, *object))
        return;
    TDocObject* added = Doc.ObjectManager->AddObject(std::move(object));
    Cur->AppendObject(tcPicture, added->Handle);
    ++TextLength;
}

void TWriteReader::EndParagraph()
{
    Cur->AppendSpecial(scParagraphMark);
    Cur->ParaFormat = Para;
    Cur = &Doc.AppendParagraph();
}

TWriteReadResult TWriteReader::Read()
{
    TWriteReadResult result;
    if (Size < kPage) {
        result.Error = "Le document est endommagé ou incomplet.";
        return result;
    }
    const uint32_t pages = static_cast<uint32_t>(std::min<size_t>(Size / kPage, UINT32_MAX));
    TextEnd = std::clamp<uint32_t>(U32(14), kPage, static_cast<uint32_t>(std::min<size_t>(Size, UINT32_MAX)));
    const uint32_t pageCount = std::min<uint32_t>(U16(96), pages);
    const uint32_t paraPage = U16(18), fontPage = U16(28);
    if (fontPage < pageCount)
        ReadFonts(fontPage, pageCount);
    CharRun.Page = (TextEnd + kPage - 1) / kPage;
    CharRun.LastPage = std::min(paraPage, pageCount);
    ParaRun.Page = paraPage;
    ParaRun.LastPage = std::min(fontPage, pageCount);
    NextRun(ParaRun, kPapSize, DefaultPap());
    DecodeParagraph(ParaRun);
    NextRun(CharRun, kChpSize, kDefaultChp);
    DecodeCharacters(CharRun);
    Cur = &Doc.StartingParagraph();
    uint32_t pos = kPage;
    bool paragraphStart = true;
    int32_t charOffset = CharRun.Offset;
    while (pos < TextEnd) {
        if (paragraphStart) {
            // Header, footer and picture paragraphs are not body text.
            while (pos < TextEnd && (ParaRun.Props[16] & (kHeaderFooterBits | kPictureBit))) {
                if (!(ParaRun.Props[16] & kHeaderFooterBits))
                    InsertPicture(pos, std::max(pos, ParaRun.End));
                pos = std::max(pos + 1, ParaRun.End);
                NextRun(ParaRun, kPapSize, DefaultPap());
                DecodeParagraph(ParaRun);
            }
            if (pos >= TextEnd)
                break;
            paragraphStart = false;
            const TCharFormat& defaults = DefaultCharFormat();
            for (int f = 0; f < CharFormatFieldCount; ++f)
                if (Char[f] != defaults[f])
                    Cur->AppendZeroWidthTag(f, Char[f]);
        }
        // The character run brought up to the position.
        bool entered = false;
        while (CharRun.End <= pos && CharRun.End < TextEnd) {
            NextRun(CharRun, kChpSize, kDefaultChp);
            entered = true;
        }
        if (entered && CharRun.Offset != charOffset) {
            charOffset = CharRun.Offset;
            DecodeCharacters(CharRun);
            WriteAllFormat();
        } else if (entered) {
            charOffset = CharRun.Offset;
        }
        const uint8_t b = Bytes[pos];
        if (b >= 32) {
            uint32_t end = std::min(TextEnd, std::max(CharRun.End, pos + 1));
            uint32_t n = pos;
            while (n < end && Bytes[n] >= 32)
                ++n;
            Cur->AppendText(Bytes + pos, static_cast<int32_t>(n - pos));
            TextLength += n - pos;
            pos = n;
            continue;
        }
        switch (b) {
        case 9: Cur->AppendSpecial(scTab), ++TextLength; break;
        case 12: Cur->AppendSpecial(scPageBreak), ++TextLength; break;
        case 13:
            EndParagraph();
            if (pos + 1 < TextEnd && Bytes[pos + 1] == 10)
                ++pos;
            while (ParaRun.End <= pos + 1 && ParaRun.End < TextEnd)
                NextRun(ParaRun, kPapSize, DefaultPap());
            DecodeParagraph(ParaRun);
            paragraphStart = true;
            break;
        default: break;
        }
        ++pos;
    }
    // A text without a final paragraph mark still gets its last paragraph's format.
    Cur->ParaFormat = Para;
    if (Cur->CharacterCount() == 0 && Doc.Paragraphs.size() > 1) {
        DropEmptyLastParagraph(Doc.Paragraphs);
        std::vector<std::unique_ptr<TParagraph>> none; // the main text alone
        Doc.AppendStories(none, none, none);
    }
    result.Read = true;
    result.TextLength = TextLength;
    return result;
}

} // namespace

TWriteReadResult ReadWriteDocument(TDocument& document, const uint8_t* data, size_t size)
{
    TWriteReader reader(document, data, size);
    return reader.Read();
}
