// Reading the picture groups of Rich Text Format files and turning their data into object pictures.
#include "formats/rtf/RtfPictures.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Streams.h"
#include "document/DocObjects.h"
#include "codecs/JpegImage.h"
#include "codecs/PNG.h"
#include "formats/rtf/RtfTokenizer.h"

namespace {

constexpr int32_t kTwipsPerPixel = 15; // at 96 pixels an inch
constexpr int32_t kTwipsPerInch = 1440, kHundredthsOfMmPerInch = 2540;

uint32_t Little32(const std::vector<uint8_t>& d, size_t at)
{
    return uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 | uint32_t(d[at + 2]) << 16 | uint32_t(d[at + 3]) << 24;
}

uint16_t Little16(const std::vector<uint8_t>& d, size_t at)
{
    return static_cast<uint16_t>(d[at] | d[at + 1] << 8);
}

// The header of an enhanced metafile: its first record, with the signature and a size the data hold.
bool IsEnhancedMetafile(const std::vector<uint8_t>& d)
{
    if (d.size() < 88 || Little32(d, 0) != 1 || Little32(d, 40) != 0x464D4520)
        return false;
    const uint32_t bytes = Little32(d, 48);
    return bytes >= 88 && bytes <= d.size();
}

// The header of a Windows metafile as it stands in memory: type, header size in words, version.
bool IsWindowsMetafile(const std::vector<uint8_t>& d)
{
    if (d.size() < 18)
        return false;
    const uint16_t type = Little16(d, 0), version = Little16(d, 4);
    return (type == 1 || type == 2) && Little16(d, 2) == 9 && (version == 0x100 || version == 0x300);
}

// A JPEG picture as PNG file bytes; empty when the bytes are not a JPEG picture the program reads.
std::vector<uint8_t> JpegAsPng(const std::vector<uint8_t>& bytes, int32_t& width, int32_t& height)
{
    std::vector<uint8_t> rgb;
    TJPEGImage jpeg;
    try {
        jpeg.LoadFromBytes(bytes.data(), bytes.size());
        jpeg.Decode(rgb);
    } catch (const Exception&) {
        return {};
    }
    width = jpeg.Width();
    height = jpeg.Height();
    TPNGImage png;
    png.SetPixelFormat(pf24bit);
    png.SetSize(width, height);
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* from = rgb.data() + size_t(y) * size_t(width) * 3;
        uint8_t* to = png.ScanLine(y);
        for (int32_t x = 0; x < width; ++x, from += 3, to += 3) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
    return EncodePng(png);
}

// A side of the picture in twips: the wanted size, else the picture's own size, else its pixels.
int32_t TwipsOf(int32_t goal, int32_t own, int32_t pixels, bool metafile)
{
    int64_t twips = goal;
    if (twips <= 0 && own > 0)
        twips = metafile
                    ? (int64_t(own) * kTwipsPerInch + kHundredthsOfMmPerInch / 2) / kHundredthsOfMmPerInch
                    : int64_t(own) * kTwipsPerPixel;
    if (twips <= 0)
        twips = int64_t(pixels) * kTwipsPerPixel;
    return static_cast<int32_t>(std::clamp<int64_t>(twips, 1, kMaxPictureTwips));
}

// Reads on up to the end of the group opened at Depth (nothing when it has already ended).
void SkipToGroupEnd(TRtfTokenizer& tokenizer, int depth)
{
    while (tokenizer.Depth() >= depth)
        if (tokenizer.Next().Kind == TRtfTokenKind::End)
            return;
}

// The text of the group the tokenizer is in, up to its end, without outer blanks; at most 256 bytes kept.
std::string ReadGroupText(TRtfTokenizer& tokenizer)
{
    constexpr size_t kLimit = 256;
    std::string text;
    for (const int depth = tokenizer.Depth(); tokenizer.Depth() >= depth;) {
        const TRtfToken& t = tokenizer.Next();
        if (t.Kind == TRtfTokenKind::End)
            break;
        if (t.Kind == TRtfTokenKind::Text)
            text.append(reinterpret_cast<const char*>(t.Text),
                        std::min<size_t>(size_t(t.Length), kLimit - std::min(kLimit, text.size())));
        else if (t.Kind == TRtfTokenKind::Byte && text.size() < kLimit)
            text.push_back(static_cast<char>(t.Char));
    }
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

// Reads a "picprop" group's shape properties ("{\sp{\sn name}{\sv value}}"): an aspect ratio that is not
// locked lets the picture be resized freely.
void ReadShapeProperties(TRtfTokenizer& tokenizer, TRtfPicture& picture)
{
    std::string name;
    for (const int depth = tokenizer.Depth(); tokenizer.Depth() >= depth;) {
        const TRtfToken& t = tokenizer.Next();
        if (t.Kind == TRtfTokenKind::End)
            return;
        if (t.Kind != TRtfTokenKind::Word)
            continue;
        if (t.Word == rw_sp) {
            name.clear();
        } else if (t.Word == rw_sn) {
            name = ReadGroupText(tokenizer);
        } else if (t.Word == rw_sv) {
            const std::string value = ReadGroupText(tokenizer);
            if (name == "fLockAspectRatio" && !value.empty())
                picture.KeepProportions = value != "0";
        }
    }
}

} // namespace

void ReadRtfGroupData(TRtfTokenizer& tokenizer, int depth, std::vector<uint8_t>& data,
                      const std::function<void(const TRtfToken&)>& onWord,
                      const std::function<void()>& onGroup)
{
    while (tokenizer.Depth() >= depth) {
        tokenizer.ReadHexData(data);
        const TRtfToken& t = tokenizer.Next();
        switch (t.Kind) {
        case TRtfTokenKind::End: return;
        case TRtfTokenKind::GroupStart:
            if (onGroup)
                onGroup();
            else
                tokenizer.SkipGroup();
            break;
        case TRtfTokenKind::Binary: tokenizer.ReadBinary(&data); break;
        case TRtfTokenKind::Word:
            if (onWord)
                onWord(t);
            break;
        default: break;
        }
    }
}

void ReadRtfPicture(TRtfTokenizer& tokenizer, int depth, TRtfPicture& picture)
{
    auto onWord = [&picture](const TRtfToken& t) {
        switch (t.Word) {
        case rw_emfblip: picture.Kind = rpEnhancedMetafile; break;
        case rw_wmetafile:
            picture.Kind = rpWindowsMetafile;
            picture.MetafileMode = t.HasParam ? t.Param : 8;
            break;
        case rw_jpegblip: picture.Kind = rpJpeg; break;
        case rw_pngblip: picture.Kind = rpPng; break;
        case rw_picw: picture.Width = t.Param; break;
        case rw_pich: picture.Height = t.Param; break;
        case rw_picwgoal: picture.GoalWidth = t.Param; break;
        case rw_pichgoal: picture.GoalHeight = t.Param; break;
        case rw_picscalex: picture.ScaleX = t.Param; break;
        case rw_picscaley: picture.ScaleY = t.Param; break;
        default: break;
        }
    };
    // Of the groups inside the picture only the shape properties are read.
    auto onGroup = [&tokenizer, &picture] {
        const int inner = tokenizer.Depth();
        const TRtfToken* t = &tokenizer.Next();
        if (t->Kind == TRtfTokenKind::Symbol && t->Char == '*')
            t = &tokenizer.Next();
        if (tokenizer.Depth() == inner && t->Kind == TRtfTokenKind::Word && t->Word == rw_picprop)
            ReadShapeProperties(tokenizer, picture);
        SkipToGroupEnd(tokenizer, inner);
    };
    ReadRtfGroupData(tokenizer, depth, picture.Data, onWord, onGroup);
}

bool SetRtfPictureImage(const TRtfPicture& picture, TDocObject& object)
{
    // The picture classes read from memory blocks counted in 32 bits.
    if (picture.Data.empty() || picture.Data.size() > size_t(INT32_MAX))
        return false;
    int32_t pixelsX = 0, pixelsY = 0;
    TDocObjectImage& image = *object.Image;
    switch (picture.Kind) {
    case rpPng: {
        TPNGImage png;
        if (!DecodePng(picture.Data.data(), picture.Data.size(), png))
            return false;
        pixelsX = png.GetWidth();
        pixelsY = png.GetHeight();
        image.SetPngBytes(picture.Data);
        break;
    }
    case rpJpeg: {
        std::vector<uint8_t> png = JpegAsPng(picture.Data, pixelsX, pixelsY);
        if (png.empty())
            return false;
        image.SetPngBytes(std::move(png));
        // The photo's own bytes go back into files unchanged.
        image.JpegBytes = picture.Data;
        break;
    }
    case rpEnhancedMetafile:
    case rpWindowsMetafile: {
        const bool windows = picture.Kind == rpWindowsMetafile;
        if (windows ? !IsWindowsMetafile(picture.Data) : !IsEnhancedMetafile(picture.Data))
            return false;
        TMetafileHeader header;
        if (windows) {
            header.MapMode = picture.MetafileMode;
            header.XExt = picture.Width;
            header.YExt = picture.Height;
        }
        image.SetMetafileBits(picture.Data, windows, header);
        break;
    }
    default: return false;
    }
    const bool metafile = picture.Kind == rpEnhancedMetafile || picture.Kind == rpWindowsMetafile;
    object.Width = TwipsOf(picture.GoalWidth, picture.Width, pixelsX, metafile);
    object.Height = TwipsOf(picture.GoalHeight, picture.Height, pixelsY, metafile);
    object.ScaleX = std::clamp(picture.ScaleX, kMinPictureScale, kMaxPictureScale);
    object.ScaleY = std::clamp(picture.ScaleY, kMinPictureScale, kMaxPictureScale);
    object.KeepProportions = picture.KeepProportions;
    return true;
}

std::unique_ptr<TDocPicture> ReadRtfPictureObject(TRtfTokenizer& tokenizer, int depth, TDocument& document)
{
    TRtfPicture picture;
    ReadRtfPicture(tokenizer, depth, picture);
    auto object = std::make_unique<TDocPicture>(&document);
    if (!SetRtfPictureImage(picture, *object))
        return nullptr;
    return object;
}
