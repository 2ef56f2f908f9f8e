// Owners of GDI handles, one type per kind of handle, each freeing its handle the one way that kind is
// freed: objects (fonts, brushes, pens, bitmaps, regions), memory device contexts, the screen's device
// context, and enhanced metafiles.
#pragma once
#include <windows.h>

#include <memory>
#include <type_traits>

struct TGdiObjectDeleter {
    void operator()(void* handle) const { DeleteObject(static_cast<HGDIOBJ>(handle)); }
};
struct TMemoryDCDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct TEnhMetafileDeleter {
    void operator()(HENHMETAFILE metafile) const { DeleteEnhMetaFile(metafile); }
};

// A font, brush, pen, bitmap or region the owner deletes: TGdiObject<HFONT>, TGdiObject<HRGN>...
template<class H>
using TGdiObject = std::unique_ptr<std::remove_pointer_t<H>, TGdiObjectDeleter>;
// A device context made by CreateCompatibleDC or CreateDC.
using TMemoryDC = std::unique_ptr<HDC__, TMemoryDCDeleter>;
using TEnhMetafileHandle = std::unique_ptr<HENHMETAFILE__, TEnhMetafileDeleter>;

// The screen's device context for the life of the object.
class TScreenDC {
public:
    TScreenDC() : FDC(GetDC(nullptr)) {}
    ~TScreenDC()
    {
        if (FDC)
            ReleaseDC(nullptr, FDC);
    }
    TScreenDC(const TScreenDC&) = delete;
    TScreenDC& operator=(const TScreenDC&) = delete;
    HDC get() const { return FDC; }
    operator HDC() const { return FDC; }

private:
    HDC FDC;
};
