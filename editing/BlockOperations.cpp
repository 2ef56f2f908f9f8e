// Erasing and formatting the rectangular selection, a piece of text on each line it covers.
#include "core/Events.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "editing/Builders.h"

namespace {

constexpr int32_t evBlockFormatted = 10080;

} // namespace

void ExecuteBlockOperation(TDocument& doc, TBlockOperationMode mode, const TCharFormat* format,
                           TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    const std::vector<TTextRange> pieces = doc.GetBlockPieces();
    // From the last piece to the first, so that the places of the pieces still to come stay valid.
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) {
        if (IsRangeEmpty(*it))
            continue;
        TChangedRange one;
        if (mode == bmErase)
            DeleteRange(doc, it->StartPos, it->EndPos, one, operation, 0);
        else if (format)
            FormatText(doc, *it, *format, one, operation, 0);
        doc.ChangedRanges->UnionChangedRange(range, one);
    }
    if (mode == bmFormat)
        TriggerEvent(evBlockFormatted);
}
