// Formatting an embedded object: its size, scale and visibility exchanged as one undoable step, its
// paragraph broken into lines again at once.
#include <algorithm>
#include <utility>

#include "document/DocObjects.h"
#include "document/Document.h"
#include "document/ParReformatingManager.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/Operation.h"
#include "editing/SubOperation.h"

namespace {

// Exchanges an object's width, height, scale x, scale y and visible flag with the saved ones.
class TFormatObjectOperation : public TSubOperation {
public:
    TFormatObjectOperation(TDocument* document, TDocObject* object, int32_t paragraph,
                           const int32_t (&values)[5])
        : TSubOperation(document), FObject(object), FParagraph(paragraph)
    {
        std::copy(values, values + 5, FValues);
    }
    int64_t GetMemorySize() const override { return 2 * int64_t(sizeof *this); }
    void Undo(TChangedRange& range) override
    {
        range = EmptyChangedRange();
        int32_t visible = FObject->Visible ? 1 : 0;
        std::swap(FObject->Width, FValues[0]);
        std::swap(FObject->Height, FValues[1]);
        std::swap(FObject->ScaleX, FValues[2]);
        std::swap(FObject->ScaleY, FValues[3]);
        std::swap(visible, FValues[4]);
        FObject->Visible = (visible & 0xFF) != 0;
        if (FParagraph >= 0 && FParagraph < Document->ParagraphCount())
            Document->ReformatingManager->ReformatParagraph(FParagraph, 0, range);
    }

private:
    TDocObject* FObject;
    int32_t FParagraph;
    int32_t FValues[5];
};

} // namespace

void FormatObject(TDocument& doc, const TTextPos& position, int32_t width, int32_t height, int32_t scaleX,
                  int32_t scaleY, int32_t visible, TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    TDocObject* object = doc.GetObjectAt(position);
    if (!object)
        return;
    if (object->Width == width && object->Height == height && object->ScaleX == scaleX &&
        object->ScaleY == scaleY && (object->Visible ? 1 : 0) == (visible & 0xFF ? 1 : 0))
        return;
    const int32_t values[5] = {width, height, scaleX, scaleY, visible};
    ApplyStep(doc, std::make_unique<TFormatObjectOperation>(&doc, object, position.ParIndex, values), range,
              operation);
    range[crCaretPar] = position.ParIndex;
    range[crCaretOffset] = position.Offset;
    range[crCaretLine] = 0;
}
