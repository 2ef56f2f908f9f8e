// The document load of the fuzz targets: a memory block read quietly through the program's load.
#include "fuzz/Fuzzing.h"

#include "classlib/runtime/Exceptions.h"
#include "document/Document.h"
#include "formats/load/DocumentLoad.h"

void FuzzLoadDocument(const uint8_t* data, size_t size, int32_t coding)
{
    TDocument document;
    TDocOpeningOptions options;
    options.SourceKind = 1;
    options.MemoryBlock = data;
    options.MemorySize = static_cast<int64_t>(size);
    options.Coding = coding;
    options.Quiet = true;
    TLoadedDocument loaded;
    try {
        // Every question is cancelled and no password is known.
        LoadDocumentFromFile(
            document, options, loaded, [](const std::string&, uint8_t, uint16_t, uint8_t) { return 2; },
            [](std::string&) { return false; });
    } catch (const Exception&) {
        // A damaged file may end in the program's own exception: the load's caller shows it.
    }
}
