// The list of picture file formats.
#include "classlib/graphics/Picture.h"

#include <vector>

namespace {

struct TFileFormat {
    std::string Extension;
    std::string Description;
    TGraphicClass GraphicClass;
};

// Built on first use, so that codecs can register from their own start-up code in any order.
std::vector<TFileFormat>& FileFormats()
{
    static std::vector<TFileFormat> formats;
    return formats;
}

std::string NormalExtension(const std::string& extension)
{
    std::string ext = !extension.empty() && extension[0] == '.' ? extension.substr(1) : extension;
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

} // namespace

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description,
                                  TGraphicClass graphicClass)
{
    std::string ext = NormalExtension(extension);
    for (TFileFormat& format : FileFormats())
        if (format.Extension == ext) {
            format.Description = description;
            format.GraphicClass = graphicClass;
            return;
        }
    FileFormats().push_back({ext, description, graphicClass});
}

TGraphicClass TPicture::FindFileFormat(const std::string& extension)
{
    std::string ext = NormalExtension(extension);
    for (const TFileFormat& format : FileFormats())
        if (format.Extension == ext)
            return format.GraphicClass;
    return nullptr;
}
