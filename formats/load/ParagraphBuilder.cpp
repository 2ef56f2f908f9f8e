// The stories' helpers of the readers.
#include "formats/load/ParagraphBuilder.h"

#include "document/InlineTags.h"
#include "document/Paragraph.h"

void DropEmptyLastParagraph(std::vector<std::unique_ptr<TParagraph>>& list)
{
    if (list.size() < 2 || list.back()->CharacterCount() != 0)
        return;
    const TMemory& text = list.back()->Text;
    TParagraph& before = *list[list.size() - 2];
    ForEachTag(text.Data(), 0, text.Size(), [&before](int32_t, int code, int32_t value) {
        if (IsFieldMark(code))
            before.AppendZeroWidthTag(code, value);
        return true;
    });
    list.pop_back();
}

bool EndsWithParagraphMark(const TParagraph& paragraph)
{
    return paragraph.LastCharacter() == scParagraphMark;
}
