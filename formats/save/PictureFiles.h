// Saving a document's picture as a picture file: the names the picture save command proposes, and the
// file written in one of its seven formats.
#pragma once
#include <cstdint>
#include <string>

class TDocObject;

// The formats by index (the save-picture dialog's filter index less one).
enum TPictureFileFormat : uint8_t { pfBmp, pfEmf, pfWmf, pfJpeg, pfGif, pfPng, pfTiff, pfFormatCount };

// The extension of a format index ("bmp", "emf", "wmf", "jpg", "gif", "png", "tif"), "bmp" outside them.
const char* PictureFileExtension(int formatIndex);
// The save-picture dialog's filter, one entry a format in index order.
std::string PictureSaveFilter();
// The name proposed: the pattern (two "%s": the number, then the extension) with the counter and the
// extension of the format.
std::string ProposedPictureName(const std::string& pattern, int32_t counter, int formatIndex);
// After a name was chosen: when its stem ends in digits, the next proposal continues that numbering (the
// pattern becomes the stem before the digits with "%s.%s", the counter the number plus one).
void ContinuePictureNumbering(const std::string& chosenName, std::string& pattern, int32_t& counter);

// Writes the picture into a new file in the format; false, after telling the user, when it could not.
bool WritePictureFile(TDocObject& picture, const std::string& fileName, int formatIndex);
