// Filling paragraphs while a document is read.
#include "formats/load/ParagraphBuilder.h"

#include <memory>

#include "core/Memory.h"
#include "document/Document.h"
#include "document/InlineTags.h"

void AppendText(TParagraph& paragraph, const uint8_t* bytes, int32_t count)
{
    paragraph.Text.Append(bytes, count);
    paragraph.PlainText.Append(bytes, count);
}

void AppendSpecial(TParagraph& paragraph, uint8_t code)
{
    AppendInlineTag(paragraph.Text, tcSpecial, code);
    paragraph.PlainText.AppendByte(code);
}

void AppendObject(TParagraph& paragraph, int code, int32_t handle)
{
    AppendInlineTag(paragraph.Text, code, handle);
    paragraph.PlainText.AppendByte(PlainByteOfTag(code, handle));
}

void AppendZeroWidthTag(TParagraph& paragraph, int code, int32_t value)
{
    AppendInlineTag(paragraph.Text, code, value);
}

TParagraph& AddParagraph(TDocument& document)
{
    document.Paragraphs.push_back(std::make_unique<TParagraph>(&document));
    ++document.StoryLengths[stMain];
    return *document.Paragraphs.back();
}

TParagraph& FirstParagraph(TDocument& document)
{
    if (!document.Paragraphs.empty() && document.Paragraphs.back()->Text.Size() == 0)
        return *document.Paragraphs.back();
    return AddParagraph(document);
}

void FinishParagraphs(TDocument& document)
{
    if (document.Paragraphs.empty() || document.StoryLengths[stMain] <= 0) {
        document.Paragraphs.clear();
        for (int32_t& length : document.StoryLengths)
            length = 0;
        AddParagraph(document);
    }
    TParagraph& last = *document.Paragraphs[static_cast<size_t>(document.StoryLengths[stMain] - 1)];
    int32_t n = last.PlainText.Size();
    uint8_t end = n > 0 ? last.PlainText.Data()[n - 1] : 0;
    if (end != scParagraphMark && end != scSectionBreak)
        AppendSpecial(last, scParagraphMark);
    for (auto& p : document.Paragraphs)
        p->NormalizeTags();
}

void DropEmptyLastParagraph(std::vector<std::unique_ptr<TParagraph>>& list)
{
    if (list.size() < 2 || list.back()->PlainText.Size() != 0)
        return;
    const TMemory& text = list.back()->Text;
    TParagraph& before = *list[list.size() - 2];
    ForEachTag(text.Data(), 0, text.Size(), [&before](int32_t, int code, int32_t value) {
        if (IsFieldMark(code))
            AppendInlineTag(before.Text, code, value);
        return true;
    });
    list.pop_back();
}

bool EndsWithParagraphMark(const TParagraph& paragraph)
{
    const int32_t n = paragraph.PlainText.Size();
    return n > 0 && paragraph.PlainText.Data()[n - 1] == scParagraphMark;
}
