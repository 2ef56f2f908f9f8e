// The GIF picture class: every frame of a GIF file with its extensions, decoded to a bitmap on demand and
// encoded from a bitmap when saved.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "classlib/graphics/Bitmap.h"
#include "codecs/Geometry.h"

class TCanvas;
class TGIFImage;

// A colour as a Windows RGB value (red in the low byte), or GIFNoColor.
using TGIFColor = uint32_t;
constexpr TGIFColor GIFNoColor = 0x1FFFFFFF;

TGIFColor GIFColorOf(const TRGBEntry& entry);
TRGBEntry GIFEntryOf(TGIFColor color);

// A colour table: Count entries in use (0 when there is none).
struct TGIFPalette {
    int Count = 0;
    std::array<TRGBEntry, 256> Entries{};

    // The first entry of exactly this colour, or -1.
    int IndexOf(TGIFColor color) const;
    // The entry nearest to the colour by squared distance (the first of equal ones); -1 without entries.
    int NearestIndex(const TRGBEntry& color) const;
    // The colour of an entry, GIFNoColor outside the table.
    TGIFColor ColorAt(int index) const;
};

enum TExtensionKind : uint8_t { ekGraphicControl = 0, ekPlainText = 1, ekApplication = 2, ekComment = 3 };

// A block of a GIF file that is not image data: its fixed bytes (those after the label) and its text lines
// (one per data sub-block).
class TExtension {
public:
    explicit TExtension(TExtensionKind kind);
    TExtensionKind Kind;
    std::vector<uint8_t> Fixed;
    std::vector<std::string> Lines;

    uint8_t Label() const;
    // The fixed bytes of a graphic-control extension: block size 4, flags (bit 0 transparent, bits 2-4
    // disposal), the delay in hundredths of a second, the transparent index, terminator 0.
    uint8_t GetFlags() const { return Fixed[1]; }
    uint16_t GetDelay() const { return static_cast<uint16_t>(Fixed[2] | (Fixed[3] << 8)); }
    uint8_t GetTransparentIndex() const { return Fixed[4]; }
};

// A frame's image data as the file holds it (the minimum code size byte, the data sub-blocks and their
// terminator), with the frame's size, bits per pixel and colour table. Frames and copies share it.
struct TGIFItem {
    std::vector<uint8_t> ImageData;
    uint16_t Width = 0;
    uint16_t Height = 0;
    int BitsPerPixel = 0;
    TGIFPalette Palette;
};

// What the copies of an image share: the comment text, the pixel aspect byte, the global colour table and
// the background colour.
struct TGIFData {
    std::vector<std::string> Comment;
    uint8_t AspectRatio = 0;
    int ColorTableBits = 0;
    int ColorResolution = 0;
    TGIFPalette Palette;
    TGIFColor BackgroundColor = GIFNoColor;
};

// One picture of a GIF file: its position on the screen, its timing and transparency, its image data and the
// bitmap decoded from it.
class TGIFFrame {
public:
    explicit TGIFFrame(TGIFImage& owner);
    TGIFFrame(const TGIFFrame&) = delete;
    TGIFFrame& operator=(const TGIFFrame&) = delete;

    TGIFImage& Owner() const { return *FOwner; }
    // Takes another frame's image data (shared), position, timing, transparency, flags and comments.
    void Assign(const TGIFFrame& source);
    // Takes the image's current frame.
    void Assign(const TGIFImage& source);
    // Starts again from a copy of the bitmap, with its transparency.
    void Assign(const TBitmap& source);
    // The frame's bitmap; with a transparent colour the destination becomes transparent in the nearest
    // colour of the palette.
    void AssignTo(TBitmap& dest) const;

    // The frame's picture, decoded from its image data on first use. Image data that cannot be decoded ends
    // in the silent abort.
    const TBitmap& GetBitmap() const;
    bool HasBitmap() const { return FBitmap != nullptr; }
    bool HasImageData() const { return FItem != nullptr; }
    const TGIFItem* GetItem() const { return FItem.get(); }
    // The size of the image data, or of the bitmap before it is encoded.
    int32_t GetWidth() const;
    int32_t GetHeight() const;

    std::vector<TExtension> Extensions;
    uint16_t Left = 0;
    uint16_t Top = 0;
    bool Interlaced = false;
    // Encoded in grey levels rather than in the colours of a reduced palette.
    bool Grayscale = false;
    TGIFColor TransparentColor = GIFNoColor;
    // In milliseconds.
    uint32_t Delay = 0;
    uint8_t Disposal = 0;
    bool HasLocalPalette = false;

private:
    friend class TGIFImage;
    void Reset();
    // Makes the image data from the bitmap: colours reduced when needed, the palette global when the image
    // has none yet.
    void Encode();
    // Brings the graphic-control extension in line with the delay, transparency and disposal, and drops
    // comments without text.
    void UpdateExtensions();

    TGIFImage* FOwner;
    mutable std::unique_ptr<TBitmap> FBitmap;
    std::shared_ptr<const TGIFItem> FItem;
};

class TGIFImage : public TGraphic {
public:
    TGIFImage();
    ~TGIFImage() override;
    TGIFImage(const TGIFImage&) = delete;
    TGIFImage& operator=(const TGIFImage&) = delete;

    // Shares the source's data and copies its frames, current index and screen size.
    void Assign(const TGIFImage& source);
    // Becomes a one-frame image of the frame, with the global colour table of the frame's image.
    void Assign(const TGIFFrame& source);
    // Becomes a one-frame image of the bitmap.
    void Assign(const TBitmap& source);
    void Clear();
    // The current frame's bitmap (frame 0 when the index is out of range); nothing when the image is empty.
    void AssignTo(TBitmap& dest) const;
    // Appends a frame made from the bitmap and makes it current; returns its index.
    int AddFrame(const TBitmap& source);

    // Draws the current frame stretched to the rectangle, through a mask where it is transparent.
    void Draw(TCanvas& canvas, const TRect& rect) const;

    // No frames, or a current frame with neither bitmap nor image data.
    bool Empty() const;
    int32_t GetWidth() const override;
    int32_t GetHeight() const override;
    std::vector<TRGBEntry> GetPalette() const;
    // Transparent drawing is on and some frame has a transparent colour.
    bool IsTransparent() const;

    // Reads a GIF file from the stream's position to its end. A file that is not one, or is damaged, ends in
    // the silent abort and leaves the image empty.
    void LoadFromStream(TStream& stream) override;
    // Writes the GIF file at the stream's position, encoding the frames that have no image data yet.
    void SaveToStream(TStream& stream) override;
    // The file with a 32-bit length before it.
    void ReadData(TStream& stream);
    void WriteData(TStream& stream);

    int FrameCount() const { return static_cast<int>(Frames.size()); }
    TGIFFrame& Frame(int index) const { return *Frames.at(static_cast<size_t>(index)); }
    // The current frame (frame 0 when the index is out of range), or null without frames.
    TGIFFrame* CurrentFrame() const;
    const TGIFData& Data() const { return *FData; }
    // The shared data, copied first when another image shares it.
    TGIFData& EditData();

    // 0 unknown, 1 "87a", 2 "89a".
    int Version = 0;
    int CurrentIndex = -1;
    uint16_t ScreenWidth = 0;
    uint16_t ScreenHeight = 0;
    // Drawing leaves transparent pixels alone.
    bool Transparent = true;
    // Frames of more than 8 bits per pixel without their own choice are encoded in grey levels.
    static bool DefaultGrayscale;

private:
    friend class TGIFFrame;
    void RecomputeScreenSize();
    void ReadFile(const uint8_t* data, size_t size);

    std::shared_ptr<TGIFData> FData;
    std::vector<std::unique_ptr<TGIFFrame>> Frames;
};
