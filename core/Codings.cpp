// The tables of document formats and the rules over them.
#include "core/Codings.h"

#include <algorithm>

TCodingManager* CodingManager = nullptr;

namespace {

struct TCodingInfo {
    const char* Identifier;
    const char* Extension;
    bool CanSave;
    const char* Filter;
};

const TCodingInfo Codings[cdCodingCount] = {
    {"RTF", "rtf", true, "Document RTF (*.rtf)|*.rtf"},
    {"MS Word 6.0", "doc", true, "Document MS Word 6.0/95 (*.doc)|*.doc"},
    {"MS Word 97", "doc", true, "Document MS Word 97/2000/XP (*.doc)|*.doc"},
    {"Windows Write", "wri", false, "Document MS Write (*.wri)|*.wri"},
    {"Encrypted", "cod", true, "Document COD crypté (*.cod)|*.cod"},
    {"ANSI text", "txt", true, "Texte pur ANSI (*.txt)|*.txt"},
    {"DOS text", "txt", true, "Texte pur DOS (*.txt)|*.txt"},
};

const char* const PictureExtensions[] = {"bmp", "emf", "wmf", "jpg", "gif", "png", "tif",
                                         "pcd", "pcx", "tga", "ico", "cur", "ani"};

const char* const WebMediaExtensions[] = {"htm", "html", "shtml", "xml", "cgi", "pl",  "php", "asp",
                                          "wav", "midi", "wmv",   "avi", "mp3", "mpg", "mpeg"};

bool ValidCoding(int coding)
{
    return coding >= 0 && coding < cdCodingCount;
}

template<size_t N>
int IndexIn(const char* const (&list)[N], std::string_view word)
{
    for (size_t i = 0; i < N; ++i)
        if (word == list[i])
            return static_cast<int>(i);
    return -1;
}

} // namespace

std::string_view FileExtensionOf(std::string_view fileName)
{
    size_t dot = fileName.find_last_of(".\\/:");
    if (dot == std::string_view::npos || fileName[dot] != '.')
        return {};
    return fileName.substr(dot + 1);
}

std::string LowerAscii(std::string_view text)
{
    std::string s(text);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

TCodingManager::TCodingManager()
{
    CodingManager = this;
}

TCodingManager::~TCodingManager()
{
    if (CodingManager == this)
        CodingManager = nullptr;
}

std::string TCodingManager::GetOpenFilter()
{
    std::string filter;
    for (const TCodingInfo& c : Codings)
        filter.append(c.Filter).append("|");
    filter += "Tous les types de document |*.rtf;*.doc;*.dot;*.wri;*.cod;*.txt|Tous les fichiers (*.*)|*.*";
    return filter;
}

std::string TCodingManager::GetSaveFilter()
{
    std::string filter;
    for (const TCodingInfo& c : Codings)
        if (c.CanSave)
            filter.append(c.Filter).append("|");
    if (!filter.empty())
        filter.pop_back();
    return filter;
}

std::string_view TCodingManager::GetCodingIdentifier(int coding)
{
    return ValidCoding(coding) ? Codings[coding].Identifier : "";
}

std::string_view TCodingManager::GetCodingExtension(int coding)
{
    return ValidCoding(coding) ? Codings[coding].Extension : "";
}

int TCodingManager::FindCodingByIdentifier(std::string_view identifier)
{
    for (int c = 0; c < cdCodingCount; ++c)
        if (identifier == Codings[c].Identifier)
            return c;
    return -1;
}

bool TCodingManager::CanSaveCoding(int coding)
{
    return coding != cdWrite;
}

int TCodingManager::CodingToSaveFilterIndex(int coding)
{
    int index = coding + 1;
    for (int c = 0; c < coding && c < cdCodingCount; ++c)
        if (!CanSaveCoding(c))
            --index;
    return index;
}

int TCodingManager::SaveFilterIndexToCoding(int index)
{
    int coding = index - 1;
    for (int c = 0; c <= coding && c < cdCodingCount; ++c)
        if (!CanSaveCoding(c))
            ++coding;
    return coding;
}

std::string TCodingManager::AddDefaultExtension(const std::string& fileName, int saveFilterIndex)
{
    if (!fileName.empty() && fileName.back() == '.')
        return fileName.substr(0, fileName.size() - 1);
    if (!FileExtensionOf(fileName).empty())
        return fileName;
    std::string_view ext = GetCodingExtension(SaveFilterIndexToCoding(saveFilterIndex));
    if (ext.empty())
        return fileName;
    return fileName + "." + std::string(ext);
}

bool TCodingManager::IsDocumentExt(std::string_view fileName)
{
    std::string ext = LowerAscii(FileExtensionOf(fileName));
    return !ext.empty() && IsKnownExtension(ext);
}

bool TCodingManager::IsKnownExtension(std::string_view extension)
{
    std::string ext = LowerAscii(extension);
    return std::any_of(std::begin(Codings), std::end(Codings),
                       [&](const TCodingInfo& c) { return ext == c.Extension; });
}

bool TCodingManager::IsWebOrMediaExt(std::string_view fileName)
{
    return IndexIn(WebMediaExtensions, LowerAscii(FileExtensionOf(fileName))) >= 0;
}

uint8_t TCodingManager::GetPictureFormat(std::string_view fileName)
{
    std::string ext = LowerAscii(FileExtensionOf(fileName));
    if (ext.empty())
        return kNoPictureFormat;
    if (ext == "jpeg")
        return 3;
    int index = IndexIn(PictureExtensions, ext);
    return index < 0 ? kNoPictureFormat : static_cast<uint8_t>(index);
}

int TCodingManager::TemplateEntryForCoding(int coding)
{
    switch (std::min(coding, static_cast<int>(cdAnsiText))) {
    case cdWord6: return 1;
    case cdWord97: return 2;
    case cdEncrypted: return 3;
    case cdAnsiText: return 4;
    default: return 0;
    }
}

std::string TCodingManager::GetTemplateForCoding(int coding, const std::array<std::string, 6>& templates)
{
    return templates[static_cast<size_t>(TemplateEntryForCoding(coding))];
}
