// Writing a range into memory and reading a document from memory, quietly.
#include "formats/DocumentMemory.h"

#include "classlib/runtime/Exceptions.h"
#include "core/Codings.h"
#include "core/Memory.h"
#include "document/Document.h"
#include "editing/DocumentContent.h"
#include "formats/load/DocumentLoad.h"
#include "formats/save/DocumentSave.h"

namespace {

int Cancel(const std::string&, uint8_t, uint16_t, uint8_t)
{
    return 2;
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
}
