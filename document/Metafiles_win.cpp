// Metafiles through the Windows graphics interface.
#include "document/Metafiles.h"

#include <windows.h>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Bitmap_win.h"

TMetafileHandle MetafileFromBits(const std::vector<uint8_t>& bits, bool windowsMetafile,
                                 const TMetafileHeader& header)
{
    if (bits.empty())
        return 0;
    HENHMETAFILE metafile;
    if (windowsMetafile) {
        METAFILEPICT pict{header.MapMode, header.XExt, header.YExt, nullptr};
        metafile = SetWinMetaFileBits(UINT(bits.size()), bits.data(), nullptr, &pict);
    } else {
        metafile = SetEnhMetaFileBits(UINT(bits.size()), bits.data());
    }
    return reinterpret_cast<TMetafileHandle>(metafile);
}

std::vector<uint8_t> GetMetafileBits(TMetafileHandle metafile)
{
    HENHMETAFILE handle = reinterpret_cast<HENHMETAFILE>(metafile);
    const UINT size = GetEnhMetaFileBits(handle, 0, nullptr);
    std::vector<uint8_t> bits(size);
    if (size && GetEnhMetaFileBits(handle, size, bits.data()) != size)
        bits.clear();
    return bits;
}

void DeleteMetafile(TMetafileHandle metafile)
{
    if (metafile)
        DeleteEnhMetaFile(reinterpret_cast<HENHMETAFILE>(metafile));
}

bool RenderMetafile(TMetafileHandle metafile, int32_t width, int32_t height, TBitmap& out)
{
    if (!metafile || width < 1 || height < 1)
        return false;
    out.SetPixelFormat(pf24bit);
    out.SetSize(width, height);
    return DrawIntoBitmap(out, [&](HDC dc) {
        RECT rect{0, 0, width, height};
        FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        PlayEnhMetaFile(dc, reinterpret_cast<HENHMETAFILE>(metafile), &rect);
    });
}
