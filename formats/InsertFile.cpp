// Inserting a document file: the source read from the file, or copied from the open document.
#include "formats/InsertFile.h"

#include <memory>

#include "core/OptionsHolder.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "editing/DocumentContent.h"
#include "formats/DocumentFiles.h"
#include "formats/DocumentMemory.h"
#include "formats/load/DocumentLoad.h"

bool InsertFile(TDocument& target, const std::string& fileName, int32_t coding)
{
    std::unique_ptr<TDocument> source;
    TDocument* open = DocumentHost().FindOpenDocument(fileName);
    if (open && open != &target && (!open->IsModified() || open->GetModeFlag(mfNoOwnFile))) {
        source = CopyRangeAsDocument(*open, open->GetBodyRange());
        if (source)
            source->Coding = open->Coding;
    }
    if (!source) {
        source = std::make_unique<TDocument>(true);
        TDocOpeningOptions options;
        options.FileName = fileName;
        options.Coding = coding;
        if (!OpenDocumentFile(*source, options))
            return false;
        source->CloseFileHandle();
    }
    if (!InsertDocument(target, *source))
        return false;
    if (TOptionsHolder* holder = GetOptionsHolder())
        holder->Owners.FileLists[3].Add(fileName);
    return true;
}
