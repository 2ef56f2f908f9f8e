// The GIF image and its frames: copies between images, frames and bitmaps, encoding of frames, and the
// picture format "gif".
#include "codecs/GIF.h"

#include <algorithm>

#include "classlib/graphics/Picture.h"
#include "codecs/GIFCodec.h"

namespace {

std::unique_ptr<TGraphic> MakeGIFImage()
{
    return std::make_unique<TGIFImage>();
}

// Start-up: the picture format "gif".
const bool Registered = [] {
    TPicture::RegisterFileFormat("gif", "", MakeGIFImage);
    return true;
}();

constexpr uint8_t GraphicControlBytes[6] = {4, 0, 0, 0, 0, 0};

} // namespace

bool TGIFImage::DefaultGrayscale = false;

TExtension::TExtension(TExtensionKind kind) : Kind(kind)
{
    static constexpr size_t fixedSize[4] = {6, 13, 12, 0};
    Fixed.assign(fixedSize[kind], 0);
    if (kind == ekGraphicControl)
        Fixed.assign(std::begin(GraphicControlBytes), std::end(GraphicControlBytes));
}

uint8_t TExtension::Label() const
{
    static constexpr uint8_t labels[4] = {0xF9, 0x01, 0xFF, 0xFE};
    return labels[Kind];
}

// ---- Frames

TGIFFrame::TGIFFrame(TGIFImage& owner) : FOwner(&owner) {}

void TGIFFrame::Reset()
{
    FBitmap.reset();
    FItem.reset();
    Extensions.clear();
    Left = Top = 0;
    Interlaced = Grayscale = false;
    TransparentColor = GIFNoColor;
    Delay = 0;
    Disposal = 0;
    HasLocalPalette = false;
}

void TGIFFrame::Assign(const TGIFFrame& source)
{
    if (&source == this)
        return;
    FItem = source.FItem;
    FBitmap = source.FBitmap ? std::make_unique<TBitmap>(*source.FBitmap) : nullptr;
    Left = source.Left;
    Top = source.Top;
    TransparentColor = source.TransparentColor;
    Delay = source.Delay;
    Disposal = source.Disposal;
    Interlaced = source.Interlaced;
    Grayscale = source.Grayscale;
    Extensions.clear();
    for (const TExtension& e : source.Extensions)
        if (e.Kind == ekComment)
            Extensions.push_back(e);
    // A colour table taken from another image cannot stay that image's global one.
    HasLocalPalette = &source.Owner() == &Owner() ? source.HasLocalPalette : true;
    FOwner->RecomputeScreenSize();
}

void TGIFFrame::Assign(const TGIFImage& source)
{
    if (TGIFFrame* frame = source.CurrentFrame())
        Assign(*frame);
}

void TGIFFrame::Assign(const TBitmap& source)
{
    Reset();
    FBitmap = std::make_unique<TBitmap>();
    FBitmap->Assign(source);
    if (source.Transparent)
        TransparentColor = GIFColorOf(source.TransparentColor);
    FOwner->RecomputeScreenSize();
}

void TGIFFrame::AssignTo(TBitmap& dest) const
{
    const TBitmap& bitmap = GetBitmap();
    dest.Assign(bitmap);
    if (TransparentColor != GIFNoColor) {
        dest.Transparent = true;
        dest.TransparentColor = GIFEntryOf(TransparentColor);
        const auto& palette = bitmap.GetPalette();
        if (bitmap.IsPaletted() && !palette.empty()) {
            TGIFPalette table;
            table.Count = static_cast<int>(palette.size());
            std::copy(palette.begin(), palette.end(), table.Entries.begin());
            dest.TransparentColor =
                table.Entries[static_cast<size_t>(table.NearestIndex(dest.TransparentColor))];
        }
    }
}

const TBitmap& TGIFFrame::GetBitmap() const
{
    if (!FBitmap) {
        auto bitmap = std::make_unique<TBitmap>();
        if (FItem)
            DecodeGIFItem(*FItem, Interlaced, *bitmap);
        FBitmap = std::move(bitmap);
    }
    return *FBitmap;
}

int32_t TGIFFrame::GetWidth() const
{
    return FItem ? FItem->Width : FBitmap ? FBitmap->GetWidth() : 0;
}

int32_t TGIFFrame::GetHeight() const
{
    return FItem ? FItem->Height : FBitmap ? FBitmap->GetHeight() : 0;
}

namespace {

// The number of entries of the smallest colour table (2 to 256 entries) that holds every index of the
// bitmap's pixels.
int TableSizeFor(const TBitmap& bitmap)
{
    int highest = 0;
    const int bits = bitmap.BitsPerPixel();
    for (int32_t y = 0; y < bitmap.GetHeight(); ++y) {
        const uint8_t* row = bitmap.ScanLine(y);
        for (int32_t x = 0; x < bitmap.GetWidth(); ++x)
            highest = std::max(highest, TBitmap::GetPixelIndex(row, x, bits));
    }
    int size = 2;
    while (size <= highest)
        size *= 2;
    return size;
}

int BitsFor(int count)
{
    int bits = 1;
    while ((1 << bits) < count)
        ++bits;
    return bits;
}

} // namespace

void TGIFFrame::Encode()
{
    TBitmap& bitmap = *FBitmap;
    if (!bitmap.IsPaletted()) {
        if (Grayscale || TGIFImage::DefaultGrayscale)
            ConvertGIFToGrey(bitmap, bitmap);
        else
            ReduceGIFColors(bitmap, bitmap);
    }
    auto item = std::make_shared<TGIFItem>();
    item->Width = static_cast<uint16_t>(bitmap.GetWidth());
    item->Height = static_cast<uint16_t>(bitmap.GetHeight());
    // The table holds every index the pixels use; entries past the bitmap's palette are black, as the bitmap
    // shows them.
    item->Palette.Count = TableSizeFor(bitmap);
    const auto& palette = bitmap.GetPalette();
    for (size_t i = 0; i < palette.size() && i < static_cast<size_t>(item->Palette.Count); ++i)
        item->Palette.Entries[i] = palette[i];
    item->BitsPerPixel = BitsFor(item->Palette.Count);
    item->ImageData = EncodeGIFPixels(bitmap, Interlaced);
    if (Owner().Data().Palette.Count == 0) {
        TGIFData& data = Owner().EditData();
        data.Palette = item->Palette;
        data.ColorTableBits = item->BitsPerPixel;
        data.ColorResolution = item->BitsPerPixel;
        HasLocalPalette = false;
    } else {
        HasLocalPalette = true;
    }
    FItem = std::move(item);
}

void TGIFFrame::UpdateExtensions()
{
    std::erase_if(Extensions, [](const TExtension& e) {
        if (e.Kind != ekComment)
            return false;
        for (const std::string& line : e.Lines)
            if (!line.empty())
                return false;
        return true;
    });
    TExtension* control = nullptr;
    for (TExtension& e : Extensions)
        if (e.Kind == ekGraphicControl && !control)
            control = &e;
    if (!control && (Delay != 0 || TransparentColor != GIFNoColor || Disposal != 0)) {
        Extensions.insert(Extensions.begin(), TExtension(ekGraphicControl));
        control = &Extensions.front();
    }
    if (!control)
        return;
    const uint32_t delay = std::min<uint32_t>(Delay / 10, 0xFFFF);
    const int transparent = FItem ? FItem->Palette.IndexOf(TransparentColor) : -1;
    uint8_t flags = static_cast<uint8_t>(control->Fixed[1] & ~0x1D);
    flags = static_cast<uint8_t>(flags | ((Disposal & 7) << 2) | (transparent >= 0 ? 1 : 0));
    control->Fixed[0] = 4;
    control->Fixed[1] = flags;
    control->Fixed[2] = static_cast<uint8_t>(delay);
    control->Fixed[3] = static_cast<uint8_t>(delay >> 8);
    control->Fixed[4] = static_cast<uint8_t>(transparent >= 0 ? transparent : 0);
    control->Fixed[5] = 0;
}

// ---- The image

TGIFImage::TGIFImage() : FData(std::make_shared<TGIFData>()) {}

TGIFImage::~TGIFImage() = default;

TGIFData& TGIFImage::EditData()
{
    if (FData.use_count() > 1)
        FData = std::make_shared<TGIFData>(*FData);
    return *FData;
}

void TGIFImage::Clear()
{
    FData = std::make_shared<TGIFData>();
    Frames.clear();
    CurrentIndex = -1;
    Version = 0;
    ScreenWidth = ScreenHeight = 0;
}

void TGIFImage::Assign(const TGIFImage& source)
{
    if (&source == this)
        return;
    Clear();
    FData = source.FData;
    Version = source.Version;
    for (const auto& frame : source.Frames) {
        auto copy = std::make_unique<TGIFFrame>(*this);
        copy->Assign(*frame);
        copy->HasLocalPalette = frame->HasLocalPalette;
        copy->Extensions = frame->Extensions;
        Frames.push_back(std::move(copy));
    }
    CurrentIndex = source.CurrentIndex;
    ScreenWidth = source.ScreenWidth;
    ScreenHeight = source.ScreenHeight;
}

void TGIFImage::Assign(const TGIFFrame& source)
{
    if (&source.Owner() == this) {
        TGIFImage copy;
        copy.Assign(source);
        Assign(copy);
        return;
    }
    Clear();
    const TGIFImage& owner = source.Owner();
    TGIFData& data = EditData();
    data.Palette = owner.Data().Palette;
    data.ColorTableBits = owner.Data().ColorTableBits;
    data.ColorResolution = owner.Data().ColorResolution;
    ScreenWidth = owner.ScreenWidth;
    ScreenHeight = owner.ScreenHeight;
    auto frame = std::make_unique<TGIFFrame>(*this);
    Frames.push_back(std::move(frame));
    Frames.back()->Assign(source);
    // The frame keeps its owner's colour tables: its own, or the global one copied with it.
    Frames.back()->HasLocalPalette = source.HasLocalPalette;
    CurrentIndex = 0;
    if (Version == 0)
        Version = 1;
}

void TGIFImage::Assign(const TBitmap& source)
{
    Clear();
    AddFrame(source);
}

int TGIFImage::AddFrame(const TBitmap& source)
{
    Frames.push_back(std::make_unique<TGIFFrame>(*this));
    Frames.back()->Assign(source);
    CurrentIndex = FrameCount() - 1;
    if (Version == 0)
        Version = 1;
    if (FrameCount() > 1)
        Version = 2;
    return CurrentIndex;
}

void TGIFImage::RecomputeScreenSize()
{
    int64_t right = 0, bottom = 0;
    for (const auto& frame : Frames) {
        right = std::max<int64_t>(right, frame->Left + static_cast<int64_t>(frame->GetWidth()));
        bottom = std::max<int64_t>(bottom, frame->Top + static_cast<int64_t>(frame->GetHeight()));
    }
    ScreenWidth = static_cast<uint16_t>(std::min<int64_t>(right, 0xFFFF));
    ScreenHeight = static_cast<uint16_t>(std::min<int64_t>(bottom, 0xFFFF));
}

TGIFFrame* TGIFImage::CurrentFrame() const
{
    if (Frames.empty())
        return nullptr;
    if (CurrentIndex >= 0 && CurrentIndex < FrameCount())
        return Frames[static_cast<size_t>(CurrentIndex)].get();
    return Frames.front().get();
}

void TGIFImage::AssignTo(TBitmap& dest) const
{
    if (Empty())
        return;
    dest.Assign(CurrentFrame()->GetBitmap());
}

bool TGIFImage::Empty() const
{
    const TGIFFrame* frame = CurrentFrame();
    return !frame || (!frame->HasBitmap() && !frame->HasImageData());
}

int32_t TGIFImage::GetWidth() const
{
    return Empty() ? 0 : CurrentFrame()->GetBitmap().GetWidth();
}

int32_t TGIFImage::GetHeight() const
{
    return Empty() ? 0 : CurrentFrame()->GetBitmap().GetHeight();
}

std::vector<TRGBEntry> TGIFImage::GetPalette() const
{
    return Empty() ? std::vector<TRGBEntry>{} : CurrentFrame()->GetBitmap().GetPalette();
}

bool TGIFImage::IsTransparent() const
{
    if (!Transparent)
        return false;
    for (const auto& frame : Frames)
        if (frame->TransparentColor != GIFNoColor)
            return true;
    return false;
}
