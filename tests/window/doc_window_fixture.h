// Documents for the document window's tests: RTF text loaded from memory and laid out on all its pages.
#pragma once
#include <string>

#include "document/Document.h"
#include "formats/load/DocumentLoad.h"

namespace qptest {

// Loads RTF text into a document and paginates it whole; false when the text could not be read.
inline bool LoadRtfText(TDocument& doc, const std::string& rtf)
{
    TDocOpeningOptions options;
    options.SourceKind = 1;
    options.MemoryBlock = rtf.data();
    options.MemorySize = int64_t(rtf.size());
    options.Quiet = true;
    TLoadedDocument loaded;
    if (!LoadDocumentFromFile(doc, options, loaded))
        return false;
    doc.SetModeFlag(mfSectionRangesStale, true);
    doc.InvalidatePagination();
    doc.PaginateAll();
    return true;
}

} // namespace qptest
