// Enhanced metafiles as graphics: a recorded picture, its size on the reference device, its file bytes.
#pragma once
#include <windows.h>

#include "classlib/graphics/GdiHandles_win.h"
#include "classlib/graphics/Graphic.h"

class TMetafile : public TGraphic {
public:
    TMetafile() = default;
    ~TMetafile() override = default;
    TMetafile(const TMetafile&) = delete;
    TMetafile& operator=(const TMetafile&) = delete;

    HENHMETAFILE Handle() const { return FHandle.get(); }
    // Takes the metafile over (deleted with the graphic or at the next SetHandle).
    void SetHandle(HENHMETAFILE handle);
    // The size in pixels of the device it was recorded for: the frame (0.01 mm) times that device's
    // pixels per millimetre, at least 1; 0 without a picture.
    int32_t GetWidth() const override;
    int32_t GetHeight() const override;
    // The enhanced metafile bytes from the stream's position to its end; bytes that are not one raise
    // EInvalidGraphic and keep the picture.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;

private:
    SIZE PixelSize() const;
    TEnhMetafileHandle FHandle;
};
