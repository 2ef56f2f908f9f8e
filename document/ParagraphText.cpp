// Filling a paragraph at its end: text, special characters, objects and tags, the tagged text and its
// plain mirror kept in step.
#include "document/InlineTags.h"
#include "document/Paragraph.h"

void TParagraph::AppendText(const uint8_t* bytes, int32_t count)
{
    Text.Append(bytes, count);
    PlainText.Append(bytes, count);
}

void TParagraph::AppendSpecial(uint8_t code)
{
    AppendInlineTag(Text, tcSpecial, code);
    PlainText.AppendByte(code);
}

void TParagraph::AppendSectionBreak(int32_t sectionHandle)
{
    AppendInlineTag(Text, tcSectionBreak, sectionHandle);
    PlainText.AppendByte(scSectionBreak);
}

void TParagraph::AppendObject(int code, int32_t handle)
{
    AppendInlineTag(Text, code, handle);
    PlainText.AppendByte(PlainByteOfTag(code, handle));
}

void TParagraph::AppendZeroWidthTag(int code, int32_t value)
{
    AppendInlineTag(Text, code, value);
}

bool TParagraph::RemoveLastCharacter()
{
    const int32_t size = Text.Size();
    if (size == 0)
        return false;
    const uint8_t* data = Text.Data();
    int32_t length = 1;
    if (data[size - 1] == 1) {
        if (size < InlineTagSize || data[size - InlineTagSize] != 0 ||
            TagCode(data + size - InlineTagSize) != tcSpecial)
            return false;
        length = InlineTagSize;
    }
    Text.Delete(size - length, length);
    if (PlainText.Size() > 0)
        PlainText.SetSize(PlainText.Size() - 1);
    return true;
}

uint8_t TParagraph::LastCharacter() const
{
    const int32_t n = PlainText.Size();
    return n > 0 ? PlainText.Data()[n - 1] : 0;
}
