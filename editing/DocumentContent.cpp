// Taking over the content of a scratch document: its text as a tagged buffer with its paragraph formats,
// and the pictures, fields, styles and tab tables its text names.
#include "editing/DocumentContent.h"

#include <algorithm>
#include <set>

#include "core/Styles.h"
#include "core/TabTables.h"
#include "document/DocObjects.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/InlineTags.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/OperationManager.h"
#include "editing/ParagraphExchange.h"

TRangeCopier RangeCopier = nullptr;

namespace {

// The target's style of the same name, else its first.
int32_t MapStyle(const TDocument& target, const TDocument& source, int32_t index)
{
    const TStyle* style = source.StyleList ? source.StyleList->StyleOf(index) : nullptr;
    if (!style || !target.StyleList)
        return 0;
    for (int32_t i = 0; i < target.StyleList->Count(); ++i)
        if (target.StyleList->StyleOf(i)->Name == style->Name)
            return i;
    return 0;
}

int32_t MapTabTable(TDocument& target, const TDocument& source, int32_t index)
{
    if (index < 0 || !source.TabManager || index >= source.TabManager->Count() || !target.TabManager)
        return -1;
    return target.TabManager->RegisterTabTable(source.TabManager->Table(index));
}

} // namespace

void TakeDocumentContent(TDocument& target, TDocument& source, TDocumentContent& content)
{
    content.Buffer.Clear();
    content.Formats.clear();
    content.Fields.clear();
    content.Positions = 0;
    const int32_t last = source.StoryLengths[stMain] - 1;
    if (last < 0)
        return;
    source.UpdateFields();

    // Bookmarks whose names the target has already lose their marks; every other field goes with the
    // text.
    std::set<int32_t> dropped, taken;
    for (const auto& field : source.Fields)
        if (field->Kind == fkBookmark && target.BookmarkNameExists(field->Code, nullptr))
            dropped.insert(field->Handle);

    for (int f = 0; f < CharFormatFieldCount; ++f)
        if (target.InsertedTextFormat[f] != UndefinedField)
            AppendInlineTag(content.Buffer, f, target.InsertedTextFormat[f]);
    for (int32_t i = 0; i <= last; ++i) {
        TParagraph& p = *source.Paragraphs[size_t(i)];
        if (!p.GetNormalized())
            p.NormalizeTags();
        const uint8_t* s = p.Text.Data();
        int32_t size = p.Text.Size();
        if (i == last) {
            // The final paragraph mark stays the target's: the last piece joins the text after it.
            int32_t endTag = -1;
            ForEachTag(s, 0, size, [&](int32_t at, int code, int32_t value) {
                if ((code == tcSpecial && value == scParagraphMark) || code == tcSectionBreak)
                    endTag = at;
                return true;
            });
            if (endTag >= 0 && endTag + InlineTagSize == size)
                size = endTag;
        }
        for (int32_t at = 0; at < size;) {
            if (s[at] != 0) {
                const int32_t run = PlainRunLength(s + at, size - at);
                content.Buffer.Append(s + at, run);
                content.Positions += run;
                at += run;
                continue;
            }
            if (size - at < InlineTagSize)
                break;
            const int code = TagCode(s + at);
            const int32_t value = TagValue(s + at);
            at += InlineTagSize;
            if (IsFieldMark(code)) {
                if (dropped.count(value))
                    continue;
                taken.insert(value);
            }
            if (code == tcSectionBreak) {
                AppendInlineTag(content.Buffer, tcSpecial, scParagraphMark);
                ++content.Positions;
                continue;
            }
            AppendInlineTag(content.Buffer, code, value);
            if (IsRunEndingTag(code))
                ++content.Positions;
        }
        if (i < last) {
            content.Buffer.AppendByte(ParagraphEndByte);
            TParaFormat format = p.ParaFormat;
            format[pfStyle] = MapStyle(target, source, format[pfStyle]);
            format[pfTabTable] = MapTabTable(target, source, format[pfTabTable]);
            content.Formats.push_back(format);
        }
    }

    for (auto it = source.Fields.begin(); it != source.Fields.end();) {
        if (taken.count((*it)->Handle)) {
            content.Fields.push_back(std::move(*it));
            it = source.Fields.erase(it);
        } else {
            ++it;
        }
    }
    source.Bookmarks.Clear();
    // Pictures pass to the target; the counting of live pictures follows them.
    if (source.ObjectManager && target.ObjectManager) {
        auto& objects = source.ObjectManager->Objects;
        for (auto& object : objects) {
            if (object->Listed && object->Image && object->Image->IsLive())
                DocumentHost().CountLivePicture(object->Image->LiveSize, -1);
            object->Listed = false;
            target.ObjectManager->AddObject(std::move(object));
        }
        objects.clear();
    }
}

void InsertDocumentContent(TDocument& doc, TDocumentContent& content, const TTextPos& pos, uint8_t options,
                           TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    if (content.Buffer.Size() == 0)
        return;
    const int32_t first = pos.ParIndex;
    TChangedRange one;
    InsertDeleteText(doc, content.Buffer, pos, one, operation, options, doc.StoryOfParagraph(first),
                     int32_t(content.Formats.size()), {}, std::move(content.Fields));
    content.Fields.clear();
    doc.ChangedRanges->UnionChangedRange(range, one);
    const TTextPos caret = doc.Caret;
    const TChangedRange inserted = range;
    for (size_t i = 0; i < content.Formats.size(); ++i) {
        const TTextPos at = TextPosAt(first + int32_t(i), 0);
        FormatParagraphs(doc, TextRangeOf(at, at), content.Formats[i], one, operation);
        doc.ChangedRanges->UnionChangedRange(range, one);
    }
    // The selection and caret stay those of the insertion.
    for (int i = crSelStartPar; i < ChangedRangeFieldCount; ++i)
        range[i] = inserted[i];
    doc.Caret = caret;
}
