// The data folder set at start-up, and the templates folder inside it.
#include "core/DataFolder.h"

namespace {

std::string Folder;

} // namespace

const std::string& DataFolder()
{
    return Folder;
}

void SetDataFolder(const std::string& folder)
{
    Folder = folder;
    if (!Folder.empty() && Folder.back() != '\\' && Folder.back() != '/')
        Folder += '\\';
}

std::string TemplatesFolder()
{
    return Folder.empty() ? std::string() : Folder + "Modèles de document\\";
}

std::string ResolveSettingsFileName(const std::string& fileName)
{
    if (fileName.find_first_of("\\/:") != std::string::npos)
        return fileName;
    return Folder + fileName;
}
