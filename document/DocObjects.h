// Embedded objects (pictures and OLE objects) of a document, their images, and the document's object list.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Handles.h"

class TBitmap;
class TDocObject;
class TDocument;
class TGraphic;
class TPNGImage;

// What rebuilds a Windows metafile from its bits: mapping mode (8, anisotropic), extents and handle.
struct TMetafileHeader {
    int32_t MapMode = 8;
    int32_t XExt = 0;
    int32_t YExt = 0;
    int32_t Handle = 0;
};

// Where and how an object is drawn: the rectangle in device units and the drawing flags.
struct TObjectPlacement {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    uint32_t Flags = 0;
};

enum TObjectPlacementFlag : uint32_t {
    opSelected = 2,          // draw the sizing handles
    opDeviceIndependent = 4, // play the picture into a device-independent bitmap first
    opGreyed = 8,            // the object lies outside the story being edited
    opPlaceholder = 16,      // draw a labelled box instead of the picture
    opPreview = 32,          // drawn in print preview: placeholders never apply
};

enum TDocImageKind : uint8_t { ikMetafile = 0, ikBitmap = 1 };

// The picture of an object: live (a metafile handle or a bitmap) or packed as bytes, with a smoothly
// scaled copy for the screen.
class TDocObjectImage {
public:
    explicit TDocObjectImage(TDocObject* owner);
    ~TDocObjectImage();
    TDocObjectImage(const TDocObjectImage&) = delete;
    TDocObjectImage& operator=(const TDocObjectImage&) = delete;

    // Takes a bitmap as the live picture.
    void SetBitmap(std::unique_ptr<TBitmap> bitmap);
    // Takes metafile bits as the packed picture (enhanced bits, or Windows-metafile bits with Header).
    void SetMetafileBits(const std::vector<uint8_t>& bits, bool windowsMetafile,
                         const TMetafileHeader& header);
    // Takes the bytes of a PNG file as the packed picture of a bitmap.
    void SetPngBytes(std::vector<uint8_t> bytes);
    int64_t GetMemorySize() const;
    bool IsLive() const { return Metafile != 0 || Bitmap != nullptr; }
    // Packs a live picture, or unpacks a packed one when the open documents may keep another live.
    void SetCompressed(bool pack);
    // Deflates packed metafile bits once more to save memory.
    void DeflateAgain();
    // Renders the picture once at its screen size as PNG bytes (made live for it first).
    void MakePngData();
    // The bytes a file stores the picture as: PNG bytes of a bitmap; the metafile's bits (Windows-metafile
    // bits, placed by MetafileHeader, while the picture holds them as it was read).
    std::vector<uint8_t> GetPngBytes() const;
    std::vector<uint8_t> GetStoredMetafileBits(bool& windowsMetafile) const;
    // Makes or reuses a resampled copy at the display size; false when the picture is drawn directly.
    bool PrepareScaledImage(const TObjectPlacement& placement);
    // Draws the picture (or its placeholder) on a device context.
    void Draw(TDCHandle dc, const TObjectPlacement& placement);

    std::vector<uint8_t> PackedBytes; // deflated metafile bits, or PNG bytes of a bitmap
    std::vector<uint8_t> JpegBytes;   // a JPEG picture's own bytes, written back unchanged
    bool Packed = false;
    int64_t LiveSize = 0;
    int32_t UseCount = 0;
    TMetafileHandle Metafile = 0;
    std::vector<uint8_t> PngRendering;
    TMetafileHeader MetafileHeader;
    bool FromWindowsMetafile = false;
    bool DeflatedTwice = false;
    int32_t UnpackedSize = 0; // size of the bits before the second deflation
    std::unique_ptr<TBitmap> Bitmap;
    std::unique_ptr<TGraphic> SecondGraphic;
    std::unique_ptr<TPNGImage> ScaledRendering;
    std::vector<uint8_t> PreviewBytes;
    bool RenderingGreyed = false;
    TDocImageKind Kind = ikBitmap;
    TDocObject* Owner;

private:
    // Drops the live picture and keeps the bytes as the packed one.
    void SetPacked(TDocImageKind kind, std::vector<uint8_t> bytes);
    void Pack();
    bool Unpack();
    // The counted memory of the open documents follows a picture that becomes live or packed.
    void Count(int delta);
    std::vector<uint8_t> InflatedBits() const;
};

// An object placed in the text by an inline tag carrying its Handle.
class TDocObject {
public:
    explicit TDocObject(TDocument* document);
    virtual ~TDocObject();
    TDocObject(const TDocObject&) = delete;
    TDocObject& operator=(const TDocObject&) = delete;

    virtual int64_t GetMemorySize() const;
    // The size in screen pixels at 100 %.
    void GetPixelSize(int32_t& width, int32_t& height) const;

    TDocument* Document;
    int32_t Width = 0; // twips at 100 %
    int32_t Height = 0;
    int32_t ScaleX = 100; // percent
    int32_t ScaleY = 100;
    bool KeepProportions = true; // resizing by a corner keeps the width-to-height ratio
    bool Visible = true;
    std::unique_ptr<TDocObjectImage> Image;
    int32_t Handle;      // what a picture or object tag carries
    bool Listed = false; // in its document's object list: its live picture is counted
};

class TDocPicture : public TDocObject {
public:
    using TDocObject::TDocObject;
};

// An OLE object: its data as the file formats read and write it.
class TDocOLEObject : public TDocObject {
public:
    using TDocObject::TDocObject;
    int64_t GetMemorySize() const override;
    std::vector<uint8_t> Data;
    // 1 embedded, 2 linked, 3 linked automatically, 4 subscriber, 5 publisher, 6 embedded as an icon,
    // 7 a web control, 8 a control.
    uint8_t ObjectKind = 1;
    std::string ClassName;
    std::string ObjectName;
};

// The objects of a document.
class TObjectManager {
public:
    explicit TObjectManager(TDocument* document) : Document(document) {}
    // Uncounts every live picture and frees the objects.
    ~TObjectManager();
    TObjectManager(const TObjectManager&) = delete;
    TObjectManager& operator=(const TObjectManager&) = delete;

    // Takes an object into the list and counts its live picture.
    TDocObject* AddObject(std::unique_ptr<TDocObject> object);
    // Uncounts the object's live picture, removes and frees it.
    void DeleteObject(TDocObject* object);
    // The live picture with the lowest use count other than Except's; none when there is none.
    TDocObject* LeastRecentlyUsed(const TDocObject* except) const;
    // The object a tag's handle names, none when it is not one of this document's.
    TDocObject* FindObject(int32_t handle) const;

    std::vector<std::unique_ptr<TDocObject>> Objects;
    TDocument* Document;
};

// Fades a 24-bit rendering for an object outside the story being edited.
void FadeBitmap(TBitmap& bitmap);
