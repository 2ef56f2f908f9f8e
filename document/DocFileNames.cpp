// The document's file names: the default name of a new document, templates, cleaned-up names.
#include "document/Document.h"

#include <cstring>

#include "core/Options.h"
#include "document/DocumentHost.h"
#include "formats/Codings.h"

namespace {

std::string WithBackslash(std::string folder)
{
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    return folder;
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

} // namespace

std::string TDocument::MakeDefaultFileName()
{
    TOptions& options = CurrentOptions();
    const std::string folder = options.LoadSave.UseDocFolder && !options.LoadSave.DocFolder.empty()
                                   ? WithBackslash(options.LoadSave.DocFolder)
                                   : WithBackslash(DocumentHost().UserDocumentsFolder());
    const std::string extension(TCodingManager::GetCodingExtension(Coding));
    std::string name;
    // Fewer documents than counter values can be open: the search always ends.
    for (int tries = 0; tries < 99; ++tries) {
        int32_t& counter = options.NewDocParams.NewDoc_Index;
        if (counter < 1 || counter > 99)
            counter = 1;
        char digits[3];
        digits[0] = char('0' + counter / 10);
        digits[1] = char('0' + counter % 10);
        digits[2] = 0;
        name = folder + "Doc" + digits + "." + extension;
        counter = counter == 99 ? 1 : counter + 1;
        if (!DocumentHost().IsDocumentOpen(name))
            break;
    }
    return name;
}

bool TDocument::IsTemplateFile() const
{
    if (GetModeFlag(mfNoOwnFile))
        return false;
    const std::string folder = WithBackslash(DocumentHost().TemplatesFolder());
    if (folder.empty() || FileName.size() <= folder.size())
        return false;
    for (size_t i = 0; i < folder.size(); ++i)
        if (LowerAscii(FileName[i]) != LowerAscii(folder[i]))
            return false;
    return true;
}

std::string RemoveControlCharacters(const std::string& text, bool keepClass1)
{
    static const char NotInFileNames[] = "\\/:*?\"<>|";
    std::string result = text;
    for (char& c : result)
        if (static_cast<unsigned char>(c) < 32 || (!keepClass1 && std::strchr(NotInFileNames, c) && c))
            c = ' ';
    const size_t first = result.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return result.substr(first, result.find_last_not_of(' ') - first + 1);
}
