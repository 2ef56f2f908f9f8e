// Enhanced metafiles.
#include "classlib/graphics/Metafile_win.h"

#include <algorithm>
#include <vector>

void TMetafile::SetHandle(HENHMETAFILE handle)
{
    if (FHandle.get() != handle)
        FHandle.reset(handle);
}

SIZE TMetafile::PixelSize() const
{
    SIZE size = {0, 0};
    ENHMETAHEADER h = {};
    if (!FHandle || !GetEnhMetaFileHeader(FHandle.get(), sizeof(h), &h) || h.szlMillimeters.cx <= 0 ||
        h.szlMillimeters.cy <= 0)
        return size;
    const int64_t frameWidth = static_cast<int64_t>(h.rclFrame.right) - h.rclFrame.left;
    const int64_t frameHeight = static_cast<int64_t>(h.rclFrame.bottom) - h.rclFrame.top;
    size.cx = static_cast<LONG>(
        std::clamp<int64_t>(frameWidth * h.szlDevice.cx / (100LL * h.szlMillimeters.cx), 1, INT32_MAX));
    size.cy = static_cast<LONG>(
        std::clamp<int64_t>(frameHeight * h.szlDevice.cy / (100LL * h.szlMillimeters.cy), 1, INT32_MAX));
    return size;
}

int32_t TMetafile::GetWidth() const
{
    return PixelSize().cx;
}

int32_t TMetafile::GetHeight() const
{
    return PixelSize().cy;
}

void TMetafile::LoadFromStream(TStream& stream)
{
    const int64_t size = stream.GetSize() - stream.GetPosition();
    if (size <= 0 || size > INT32_MAX)
        throw EInvalidGraphic("Le métafichier n'est pas valide.");
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    stream.ReadBuffer(bytes.data(), static_cast<int32_t>(size));
    HENHMETAFILE handle = SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
    if (!handle)
        throw EInvalidGraphic("Le métafichier n'est pas valide.");
    SetHandle(handle);
}

void TMetafile::SaveToStream(TStream& stream)
{
    if (!FHandle)
        return;
    const UINT size = GetEnhMetaFileBits(FHandle.get(), 0, nullptr);
    std::vector<uint8_t> bytes(size);
    GetEnhMetaFileBits(FHandle.get(), size, bytes.data());
    stream.WriteBuffer(bytes.data(), static_cast<int32_t>(size));
}
