// The picture classes of the codecs in the class library's list of picture file formats.
#pragma once

// Registers each picture class under its extensions, without a description: "png", "gif", "tif" and "tiff",
// "pcx", "tga", "pcd". Registering again changes nothing.
void RegisterPictureFormats();
