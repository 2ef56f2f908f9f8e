// The names of saved pictures: the proposal from the pattern and counter, and the numbering continued
// from the name the user chose.
#include "formats/save/PictureFiles.h"

#include <cctype>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Format.h"

namespace {

const char* const Extensions[pfFormatCount] = {"bmp", "emf", "wmf", "jpg", "gif", "png", "tif"};
const char* const FilterEntries[pfFormatCount] = {
    "Image bitmap (*.bmp)|*.bmp",        "Métafichier amélioré (*.emf)|*.emf",
    "Métafichier Windows (*.wmf)|*.wmf", "Image JPEG (*.jpg)|*.jpg",
    "Image GIF (*.gif)|*.gif",           "Image PNG (*.png)|*.png",
    "Image TIFF (*.tif)|*.tif",
};

} // namespace

const char* PictureFileExtension(int formatIndex)
{
    return formatIndex >= 0 && formatIndex < pfFormatCount ? Extensions[formatIndex] : Extensions[pfBmp];
}

std::string PictureSaveFilter()
{
    std::string filter;
    for (const char* entry : FilterEntries)
        filter.append(filter.empty() ? "" : "|").append(entry);
    return filter;
}

std::string ProposedPictureName(const std::string& pattern, int32_t counter, int formatIndex)
{
    try {
        return Format(pattern, IntToStr(counter), PictureFileExtension(formatIndex));
    } catch (const Exception&) {
        // A pattern that does not take the two texts gives way to the program's own.
        return Format("Image%s.%s", IntToStr(counter), PictureFileExtension(formatIndex));
    }
}

void ContinuePictureNumbering(const std::string& chosenName, std::string& pattern, int32_t& counter)
{
    // The name without its folder (a Windows name on any system).
    const size_t slash = chosenName.find_last_of("\\/:");
    const std::string name = slash == std::string::npos ? chosenName : chosenName.substr(slash + 1);
    const size_t dot = name.rfind('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
    size_t digits = stem.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(stem[digits - 1])))
        --digits;
    // Nine digits at most, so that the number and the one after it stay in range.
    if (digits == stem.size() || stem.size() - digits > 9)
        return;
    counter = static_cast<int32_t>(std::stol(stem.substr(digits))) + 1;
    std::string prefix;
    for (char c : stem.substr(0, digits))
        prefix += c == '%' ? std::string("%%") : std::string(1, c);
    pattern = prefix + "%s.%s";
}
