// Reading and writing GIF files: header, logical screen, colour tables, extensions and frames.
#include <cstring>

#include "codecs/GIF.h"
#include "codecs/GIFCodec.h"

namespace {

// The largest file the reader takes into memory, and how much of what it holds is kept, so that a file of
// tiny blocks cannot make the image many times its size: frames, extensions and text lines.
constexpr int64_t MaxFileSize = 256LL * 1024 * 1024;
constexpr size_t MaxFrames = 65535;
constexpr size_t MaxExtensions = 65536;
constexpr size_t MaxTextLines = 1 << 20;

// Bytes of a file read in order, every read bounded by its end.
class TGIFReader {
public:
    TGIFReader(const uint8_t* data, size_t size) : Data(data), Size(size) {}

    bool AtEnd() const { return Pos >= Size; }
    // The next byte, or ';' at the end of the data.
    uint8_t PeekBlock() const { return AtEnd() ? ';' : Data[Pos]; }
    uint8_t Byte()
    {
        if (AtEnd())
            Abort();
        return Data[Pos++];
    }
    uint16_t Word()
    {
        const uint8_t low = Byte();
        return static_cast<uint16_t>(low | (Byte() << 8));
    }
    void Bytes(uint8_t* out, size_t count)
    {
        if (Size - Pos < count)
            Abort();
        if (count > 0)
            std::memcpy(out, Data + Pos, count);
        Pos += count;
    }
    void ColorTable(TGIFPalette& palette, int count)
    {
        palette.Count = count;
        for (int i = 0; i < count; ++i) {
            TRGBEntry& e = palette.Entries[static_cast<size_t>(i)];
            e.Red = Byte();
            e.Green = Byte();
            e.Blue = Byte();
        }
    }
    // Data sub-blocks up to their terminator; a block running past the end is cut to what remains.
    template<class F>
    void SubBlocks(F&& take)
    {
        while (!AtEnd()) {
            const size_t stated = Data[Pos++];
            const size_t count = std::min(stated, Size - Pos);
            if (count == 0)
                break;
            take(Data + Pos, count);
            Pos += count;
        }
    }

private:
    const uint8_t* Data;
    size_t Size;
    size_t Pos = 0;
};

// Reads an extension; its text lines are kept while LinesLeft allows.
std::unique_ptr<TExtension> ReadExtension(TGIFReader& in, size_t& linesLeft)
{
    std::unique_ptr<TExtension> e;
    switch (in.Byte()) {
    case 0xF9: e = std::make_unique<TExtension>(ekGraphicControl); break;
    case 0xFE: e = std::make_unique<TExtension>(ekComment); break;
    case 0x01: e = std::make_unique<TExtension>(ekPlainText); break;
    case 0xFF: e = std::make_unique<TExtension>(ekApplication); break;
    default: Abort();
    }
    in.Bytes(e->Fixed.data(), e->Fixed.size());
    if (e->Kind != ekGraphicControl)
        in.SubBlocks([&](const uint8_t* p, size_t n) {
            if (linesLeft > 0) {
                --linesLeft;
                e->Lines.emplace_back(reinterpret_cast<const char*>(p), n);
            }
        });
    return e;
}

constexpr int ColorCounts[8] = {2, 4, 8, 16, 32, 64, 128, 256};

// The number of bits of a colour table of Count entries; the silent abort for another count.
int BitsOfColorCount(int count)
{
    for (int i = 0; i < 8; ++i)
        if (ColorCounts[i] == count)
            return i + 1;
    Abort();
}

} // namespace

void TGIFImage::LoadFromStream(TStream& stream)
{
    Clear();
    try {
        const int64_t size = stream.GetSize() - stream.GetPosition();
        if (size < 0 || size > MaxFileSize)
            Abort();
        std::vector<uint8_t> bytes(static_cast<size_t>(size));
        stream.ReadBuffer(bytes.data(), static_cast<int32_t>(size));
        ReadFile(bytes.data(), bytes.size());
        if (!Frames.empty()) {
            CurrentIndex = 0;
            Frames.front()->GetBitmap();
        }
    } catch (const EAbort&) {
        Clear();
        throw;
    } catch (const EStreamError&) {
        Clear();
        Abort();
    } catch (const EInvalidGraphic&) {
        Clear();
        Abort();
    }
}

void TGIFImage::ReadFile(const uint8_t* bytes, size_t size)
{
    TGIFReader in(bytes, size);
    uint8_t signature[6];
    in.Bytes(signature, sizeof signature);
    for (int i = 0; i < 3; ++i)
        if ((signature[i] | 0x20) != "gif"[i])
            Abort();
    if (std::memcmp(signature + 3, "87a", 3) == 0)
        Version = 1;
    else if (std::memcmp(signature + 3, "89a", 3) == 0)
        Version = 2;
    else
        Abort();

    TGIFData& data = EditData();
    ScreenWidth = in.Word();
    ScreenHeight = in.Word();
    const uint8_t flags = in.Byte();
    const uint8_t background = in.Byte();
    data.AspectRatio = in.Byte();
    data.ColorTableBits = (flags & 7) + 1;
    data.ColorResolution = ((flags & 0x70) >> 4) + 1;
    if (flags & 0x80) {
        in.ColorTable(data.Palette, 1 << data.ColorTableBits);
        data.BackgroundColor = data.Palette.ColorAt(background);
    }

    std::vector<TExtension> collected;
    size_t linesLeft = MaxTextLines, extensionsLeft = MaxExtensions;
    uint8_t next = in.PeekBlock();
    while (next != 0 && next != ';') {
        while (next == '!') {
            in.Byte();
            std::unique_ptr<TExtension> e = ReadExtension(in, linesLeft);
            if (e->Kind == ekPlainText) {
                collected.clear();
            } else if (e->Kind != ekApplication && extensionsLeft > 0) {
                --extensionsLeft;
                collected.push_back(std::move(*e));
            }
            next = in.PeekBlock();
        }
        if (next != ',') {
            // Comments that belong to no frame become the image's comment text.
            if (data.Comment.empty())
                for (const TExtension& e : collected)
                    if (e.Kind == ekComment) {
                        if (!data.Comment.empty())
                            data.Comment.push_back("\r\n\r\n");
                        data.Comment.insert(data.Comment.end(), e.Lines.begin(), e.Lines.end());
                    }
            collected.clear();
            if (next != 0 && next != ';')
                Abort();
            break;
        }
        if (Frames.size() == MaxFrames)
            break;
        in.Byte();
        auto frame = std::make_unique<TGIFFrame>(*this);
        auto item = std::make_shared<TGIFItem>();
        if (data.Palette.Count > 0)
            item->BitsPerPixel = BitsOfColorCount(data.Palette.Count);
        frame->Extensions = std::move(collected);
        collected.clear();
        frame->Left = in.Word();
        frame->Top = in.Word();
        item->Width = in.Word();
        item->Height = in.Word();
        const uint8_t frameFlags = in.Byte();
        frame->Interlaced = (frameFlags & 0x40) != 0;
        if (frameFlags & 0x80) {
            item->BitsPerPixel = (frameFlags & 7) + 1;
            in.ColorTable(item->Palette, 1 << item->BitsPerPixel);
            frame->HasLocalPalette = true;
        } else {
            item->Palette = data.Palette;
        }
        item->ImageData.push_back(in.Byte());
        in.SubBlocks([&](const uint8_t* p, size_t n) {
            item->ImageData.push_back(static_cast<uint8_t>(n));
            item->ImageData.insert(item->ImageData.end(), p, p + n);
        });
        item->ImageData.push_back(0);
        if (item->Width == 0)
            item->Width = ScreenWidth;
        if (item->Height == 0)
            item->Height = ScreenHeight;
        for (const TExtension& e : frame->Extensions)
            if (e.Kind == ekGraphicControl) {
                if (e.GetFlags() & 1)
                    frame->TransparentColor = item->Palette.ColorAt(e.GetTransparentIndex());
                frame->Delay = std::max<uint32_t>(frame->Delay, e.GetDelay() * 10u);
                frame->Disposal = static_cast<uint8_t>((e.GetFlags() & 0x1C) >> 2);
            }
        frame->FItem = std::move(item);
        Frames.push_back(std::move(frame));

        while (!in.AtEnd() && in.PeekBlock() == 0)
            in.Byte();
        next = in.PeekBlock();
        if (next != '!' && next != ',' && next != ';')
            break;
    }
}

namespace {

// Bytes of a file being written.
class TGIFWriter {
public:
    void Byte(uint8_t b) { Out.push_back(b); }
    void Word(uint16_t w)
    {
        Byte(static_cast<uint8_t>(w));
        Byte(static_cast<uint8_t>(w >> 8));
    }
    void Bytes(const void* p, size_t n)
    {
        const auto* b = static_cast<const uint8_t*>(p);
        if (n > 0)
            Out.insert(Out.end(), b, b + n);
    }
    // Every entry of a table of 2^Bits entries, black past the palette's own.
    void ColorTable(const TGIFPalette& palette, int bits)
    {
        for (int i = 0; i < (1 << bits); ++i) {
            const TRGBEntry e = i < palette.Count ? palette.Entries[static_cast<size_t>(i)] : TRGBEntry{};
            Byte(e.Red);
            Byte(e.Green);
            Byte(e.Blue);
        }
    }
    void Extension(const TExtension& e)
    {
        Byte('!');
        Byte(e.Label());
        Bytes(e.Fixed.data(), e.Fixed.size());
        if (e.Kind == ekGraphicControl)
            return;
        TextLines(e.Lines);
    }
    // Text lines as sub-blocks of at most 255 bytes each, and the terminator.
    void TextLines(const std::vector<std::string>& lines)
    {
        for (const std::string& line : lines)
            for (size_t at = 0; at < line.size(); at += 255) {
                const size_t n = std::min<size_t>(255, line.size() - at);
                Byte(static_cast<uint8_t>(n));
                Bytes(line.data() + at, n);
            }
        Byte(0);
    }
    std::vector<uint8_t> Out;
};

} // namespace

void TGIFImage::SaveToStream(TStream& stream)
{
    for (const auto& frame : Frames) {
        if (!frame->HasImageData() && frame->HasBitmap())
            frame->Encode();
        frame->UpdateExtensions();
        if (!frame->Extensions.empty())
            Version = 2;
    }
    RecomputeScreenSize();
    const TGIFData& data = Data();
    // The comment text that no frame carries goes in a comment of its own, which needs the later version.
    if (!data.Comment.empty())
        Version = 2;

    TGIFWriter out;
    out.Bytes("GIF", 3);
    out.Bytes(Version == 2 ? "89a" : "87a", 3);
    out.Word(ScreenWidth);
    out.Word(ScreenHeight);
    const int globalBits = data.Palette.Count > 0 ? BitsOfColorCount(data.Palette.Count) : 0;
    out.Byte(globalBits ? static_cast<uint8_t>(0x80 | ((globalBits - 1) << 4) | (globalBits - 1)) : 0);
    const int background = data.Palette.IndexOf(data.BackgroundColor);
    out.Byte(static_cast<uint8_t>(background >= 0 ? background : 0));
    out.Byte(data.AspectRatio);
    if (globalBits)
        out.ColorTable(data.Palette, globalBits);

    for (const auto& frame : Frames) {
        const TGIFItem* item = frame->GetItem();
        if (!item)
            continue;
        for (const TExtension& e : frame->Extensions)
            out.Extension(e);
        out.Byte(',');
        out.Word(frame->Left);
        out.Word(frame->Top);
        out.Word(item->Width);
        out.Word(item->Height);
        const int bits = item->Palette.Count > 0 ? BitsOfColorCount(item->Palette.Count) : 1;
        uint8_t flags = frame->Interlaced ? 0x40 : 0;
        if (frame->HasLocalPalette)
            flags = static_cast<uint8_t>(flags | 0x80 | (bits - 1));
        out.Byte(flags);
        if (frame->HasLocalPalette)
            out.ColorTable(item->Palette, bits);
        out.Bytes(item->ImageData.data(), item->ImageData.size());
    }
    if (!data.Comment.empty()) {
        out.Byte('!');
        out.Byte(0xFE);
        out.TextLines(data.Comment);
    }
    out.Byte(';');
    stream.WriteBuffer(out.Out.data(), static_cast<int32_t>(out.Out.size()));
}

void TGIFImage::ReadData(TStream& stream)
{
    uint8_t length[4];
    if (stream.Read(length, 4) != 4)
        Abort();
    const uint32_t size =
        length[0] | (length[1] << 8) | (length[2] << 16) | (static_cast<uint32_t>(length[3]) << 24);
    if (size > MaxFileSize || stream.GetSize() - stream.GetPosition() < static_cast<int64_t>(size))
        Abort();
    if (size == 0) {
        Clear();
        return;
    }
    TMemoryStream data;
    data.CopyFrom(stream, size);
    data.SetPosition(0);
    LoadFromStream(data);
}

void TGIFImage::WriteData(TStream& stream)
{
    TMemoryStream data;
    SaveToStream(data);
    const auto size = static_cast<uint32_t>(data.GetSize());
    const uint8_t length[4] = {static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),
                               static_cast<uint8_t>(size >> 16), static_cast<uint8_t>(size >> 24)};
    stream.WriteBuffer(length, 4);
    stream.WriteBuffer(data.Memory(), static_cast<int32_t>(size));
}
