// The document's file names: the default name of a new document, templates, cleaned-up names.
#include "document/Document.h"

#include <algorithm>
#include <cstring>

#include "classlib/runtime/Files.h"
#include "core/CharClasses.h"
#include "core/Options.h"
#include "document/DocumentHost.h"
#include "core/Codings.h"

namespace {

std::string WithBackslash(std::string folder)
{
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    return folder;
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
    return !GetModeFlag(mfNoOwnFile) && LiesInTemplatesFolder(FileName);
}

std::string TDocument::SuggestFileName(const std::string& defaultName, bool keepAll)
{
    // The first sentence of the first paragraph of the main text that has one.
    std::string text;
    for (int32_t i = 0; i <= StoryEnd(stMain) && text.empty(); ++i) {
        if (ParagraphLength(i) <= 1)
            continue;
        // Its plain text: special characters stand as their codes, which the cleaning makes blanks.
        const TTextRange sentence = GetSentenceRange(TextPosAt(i, 0));
        const TMemory& plain = Paragraphs[size_t(i)]->PlainText;
        const int32_t from = std::clamp(sentence.StartPos.Offset, 0, plain.Size());
        const int32_t to = sentence.EndPos.ParIndex == i
                               ? std::clamp(sentence.EndPos.Offset, from, plain.Size())
                               : plain.Size();
        text.assign(reinterpret_cast<const char*>(plain.Data()) + from, size_t(to - from));
        // Punctuation at its end goes (and the blanks that trimming would take anyway).
        while (!text.empty() &&
               (text.back() == ' ' || IsCharClass(static_cast<unsigned char>(text.back()), ccPunctuation)))
            text.pop_back();
        text = RemoveControlCharacters(text, keepAll);
    }
    if (text.empty())
        return defaultName;
    if (keepAll)
        return text;
    text = RemoveControlCharacters(text.substr(0, 100), false);
    // A name of punctuation and blanks alone says nothing: the default stands.
    if (text.empty())
        return defaultName;
    return text + ExtractFileExt(defaultName);
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
