// Writing a range into memory and reading a document from memory, quietly.
#include "formats/DocumentMemory.h"

#include <algorithm>
#include <array>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Files.h"
#include "core/Codings.h"
#include "core/Options.h"
#include "core/Memory.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "editing/DocumentContent.h"
#include "editing/Envelope.h"
#include "editing/TableOfContents.h"
#include "formats/load/DocumentLoad.h"
#include "formats/save/DocumentSave.h"

namespace {

int Cancel(const std::string&, uint8_t, uint16_t, uint8_t)
{
    return 2;
}

// The styles' source of a table of contents: a named file (in the templates folder when it is not found
// as given), or with no name the template of the document's coding; none when it does not load.
std::unique_ptr<TDocument> LoadStyleSource(TDocument& document, const std::string& fileName)
{
    const std::string folder = DocumentHost().TemplatesFolder();
    std::string path = fileName;
    if (path.empty()) {
        std::array<std::string, 6> names;
        std::copy(std::begin(CurrentOptions().General.DefaultTemplates.Templates),
                  std::end(CurrentOptions().General.DefaultTemplates.Templates), names.begin());
        path = folder.empty() ? std::string()
                              : folder + TCodingManager::GetTemplateForCoding(document.Coding, names);
    } else if (!FileExists(path) && !folder.empty()) {
        path = folder + path;
    }
    if (path.empty() || !FileExists(path))
        return nullptr;
    auto source = std::make_unique<TDocument>(true);
    TDocOpeningOptions options;
    options.FileName = path;
    options.Quiet = true;
    TLoadedDocument loaded;
    try {
        if (!LoadDocumentFromFile(*source, options, loaded, Cancel, [](std::string&) { return false; }))
            return nullptr;
    } catch (const Exception&) {
        return nullptr;
    }
    return source;
}

std::unique_ptr<TDocument> LoadDocumentText(const std::string& text)
{
    return LoadDocumentFromMemory(text.data(), int64_t(text.size()), cdRtf);
}

} // namespace

bool SaveRangeToMemory(TDocument& document, const TTextRange& range, int32_t coding, TMemory& out)
{
    TDocSavingOptions options;
    options.ToMemory = 1;
    options.Range = range;
    options.Coding = coding;
    options.MemoryBlock = &out;
    options.Flags = sfKeepState;
    TLoadedDocument loaded;
    return SaveDocument(document, options, loaded, Cancel) == kSaveWritten;
}

std::unique_ptr<TDocument> LoadDocumentFromMemory(const void* data, int64_t size, int32_t coding)
{
    auto document = std::make_unique<TDocument>(true);
    TDocOpeningOptions options;
    options.SourceKind = 1;
    options.MemoryBlock = data;
    options.MemorySize = size;
    options.Coding = coding;
    options.Quiet = true;
    TLoadedDocument loaded;
    if (!LoadDocumentFromFile(*document, options, loaded, Cancel, [](std::string&) { return false; }))
        return nullptr;
    return document;
}

std::unique_ptr<TDocument> CopyRangeAsDocument(TDocument& source, const TTextRange& range)
{
    TMemory block;
    if (!SaveRangeToMemory(source, range, cdRtf, block))
        return nullptr;
    return LoadDocumentFromMemory(block.Data(), block.Size(), cdRtf);
}

void InstallRangeCopier()
{
    RangeCopier = CopyRangeAsDocument;
    StyleSourceLoader = LoadStyleSource;
    DocumentTextLoader = LoadDocumentText;
}
