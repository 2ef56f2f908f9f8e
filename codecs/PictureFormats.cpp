// Registering the picture classes: calling this links every codec into the program that asks for pictures by
// extension.
#include "codecs/PictureFormats.h"

#include "classlib/graphics/Picture.h"
#include "codecs/PCD.h"
#include "codecs/PCX.h"
#include "codecs/Targa.h"
#include "codecs/Tiff.h"
#include "codecs/GIF.h"
#include "codecs/PNG.h"

namespace {

template<class T>
std::unique_ptr<TGraphic> Make()
{
    return std::make_unique<T>();
}

} // namespace

void RegisterPictureFormats()
{
    TPicture::RegisterFileFormat("png", "", Make<TPNGImage>);
    TPicture::RegisterFileFormat("gif", "", Make<TGIFImage>);
    TPicture::RegisterFileFormat("tif", "", Make<TTiffImage>);
    TPicture::RegisterFileFormat("tiff", "", Make<TTiffImage>);
    TPicture::RegisterFileFormat("pcx", "", Make<TPCXImage>);
    TPicture::RegisterFileFormat("tga", "", Make<TTargaImage>);
    TPicture::RegisterFileFormat("pcd", "", Make<TPCDImage>);
}
