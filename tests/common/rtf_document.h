// A document read from RTF text held in memory and laid out, as the drawing and window tests start.
#pragma once
#include <cstdint>
#include <string_view>

#include "document/Document.h"
#include "formats/load/DocumentLoad.h"

namespace qptest {

// Reads RTF text into the document and lays it out to the end; false when the reader refused it.
inline bool LoadRtfText(TDocument& doc, std::string_view rtf)
{
    TDocOpeningOptions options;
    options.SourceKind = 1;
    options.MemoryBlock = rtf.data();
    options.MemorySize = int64_t(rtf.size());
    options.Quiet = true;
    TLoadedDocument loaded;
    if (!LoadDocumentFromFile(doc, options, loaded))
        return false;
    doc.Relayout();
    return true;
}

} // namespace qptest
