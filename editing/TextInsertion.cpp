// Putting new text into a document: plain text turned into tagged text, a tagged buffer inserted as one
// text step, the text at the selection (typing), and replacing a range.
#include <algorithm>
#include <cstring>

#include "core/CharsetLanguages.h"
#include "core/FontDevice.h"
#include "core/Fonts.h"
#include "core/Options.h"
#include "core/Styles.h"
#include "core/TextUtils.h"
#include "document/ChangedRanges.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/InlineTags.h"
#include "document/Section.h"
#include "document/Field.h"
#include "document/FieldCodes.h"
#include "document/Paragraph.h"
#include "editing/ParagraphExchange.h"
#include "editing/SubOperation.h"
#include "editing/Builders.h"
#include "editing/PasteSource.h"
#include "editing/FormatSteps.h"
#include "editing/Operation.h"
#include "editing/OperationManager.h"

namespace {

void SetCaretFields(TChangedRange& range, const TTextPos& caret)
{
    range[crCaretPar] = caret.ParIndex;
    range[crCaretOffset] = caret.Offset;
    range[crCaretLine] = UndefinedField;
}

void AppendFormatTags(TMemory& buffer, const TCharFormat& format)
{
    for (int f = 0; f < CharFormatFieldCount; ++f)
        if (format[f] != UndefinedField)
            AppendInlineTag(buffer, f, format[f]);
}

// A tag for every field whose value in To differs from From.
void AppendChangedTags(TMemory& buffer, const TCharFormat& from, const TCharFormat& to)
{
    for (int f = 0; f < CharFormatFieldCount; ++f)
        if (to[f] != UndefinedField && to[f] != from[f])
            AppendInlineTag(buffer, f, to[f]);
}

// The paragraph format of a style with the style named in it.
void ApplyStyleToParagraph(TDocument& doc, int32_t paragraph, int32_t style, TChangedRange& range,
                           TOperation* operation)
{
    const TStyle* s = doc.StyleList->StyleOf(style);
    if (!s)
        return;
    TCharFormat charFormat;
    TParaFormat paraFormat;
    s->ResolveFormat(charFormat, paraFormat, 0);
    paraFormat[pfStyle] = style;
    paraFormat[pfBullets] = UndefinedField;
    TChangedRange one;
    FormatParagraphs(doc, TextRangeOf(TextPosAt(paragraph, 0), TextPosAt(paragraph, 0)), paraFormat, one,
                     operation);
    doc.ChangedRanges->UnionChangedRange(range, one);
}

// The one plain character that inserting Buffer at Pos amounts to: a character in the format the text
// already has there, the buffer's format tags saying no more than that; 0 when it is anything else.
uint8_t TypedCharacter(TDocument& doc, const TTextPos& pos, const TMemory& buffer)
{
    const uint8_t* b = buffer.Data();
    const int32_t size = buffer.Size();
    int32_t charAt = -1;
    for (int32_t i = 0; i < size;) {
        if (b[i] != 0) {
            if (charAt >= 0 || b[i] < 32)
                return 0;
            charAt = i++;
            continue;
        }
        if (size - i < InlineTagSize || !IsFormatTag(TagCode(b + i)))
            return 0;
        i += InlineTagSize;
    }
    if (charAt < 0 || doc.ParagraphCount() == 0)
        return 0;
    TParagraph& p = *doc.Paragraphs[size_t(std::clamp(pos.ParIndex, 0, doc.ParagraphCount() - 1))];
    if (!p.GetNormalized())
        p.NormalizeTags();
    const uint8_t* s = p.Text.Data();
    const int32_t length = p.Text.Size();
    const int32_t offset = std::clamp(pos.Offset, 0, std::max(p.PlainText.Size() - 1, 0));
    int32_t at = ByteAfterPosition(s, length, offset);
    while (length - at >= InlineTagSize && s[at] == 0 && IsFieldMark(TagCode(s + at)))
        at += InlineTagSize;
    TCharFormat there = DefaultCharFormat();
    MergeFormatTags(s, 0, at, false, there);
    TCharFormat atChar = there, after = there;
    MergeFormatTags(b, 0, charAt, false, atChar);
    MergeFormatTags(b, 0, size, false, after);
    const auto same = [](const TCharFormat& x, const TCharFormat& y) {
        return std::memcmp(&x, &y, sizeof x) == 0;
    };
    return same(there, atChar) && same(there, after) ? b[charAt] : 0;
}

} // namespace

uint8_t SpecialCharCode(uint8_t c)
{
    switch (c) {
    case 9: return scTab;
    case 11: return scLineBreak;
    case 12: return scPageBreak;
    case 14:
    case 15: return scColumnBreak;
    case 16:
    case 30: return scNonBreakingHyphen;
    case 31: return scOptionalHyphen;
    default: return 0;
    }
}

void InsertPlainText(TDocument& doc, const std::string& text, const TTextPos& pos, TChangedRange& range,
                     TOperation* operation, uint8_t options)
{
    range = EmptyChangedRange();
    const TCharFormat& inserted = doc.InsertedTextFormat;
    TMemory buffer;
    AppendFormatTags(buffer, inserted);
    const int story = doc.StoryOfParagraph(pos.ParIndex);
    std::vector<std::unique_ptr<TSection>> sections;
    std::vector<std::unique_ptr<TSubOperation>> headerSteps;
    int32_t paragraphs = 0, characters = 0;
    const size_t n = text.size();
    for (size_t i = 0; i < n; ++i) {
        const uint8_t c = uint8_t(text[i]);
        if (c == '\r' || c == '\n') {
            AppendInlineTag(buffer, tcSpecial, scParagraphMark);
            buffer.AppendByte(ParagraphEndByte);
            ++paragraphs;
            ++characters;
            if (i + 1 < n && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != text[i])
                ++i;
            AppendChangedTags(buffer, DefaultCharFormat(), inserted);
        } else if (c == 12 && (options & ioSectionBreaks) && i + 2 < n && text[i + 1] == 0 &&
                   story == stMain) {
            // The program's own sequence for a section break: form feed, 0, break kind (0 to 3).
            TSection* current = doc.SectionOfParagraph(pos.ParIndex);
            auto section = std::make_unique<TSection>(&doc);
            if (current)
                section->Assign(*current);
            section->Params[spBreakKind] = std::clamp<int32_t>(uint8_t(text[i + 2]), 0, 3);
            if (sections.empty() && current) {
                // The headers and footers go with the text before the break.
                std::copy(current->HeaderFooter, current->HeaderFooter + HeaderFooterSlotCount,
                          section->HeaderFooter);
                TField* none[HeaderFooterSlotCount] = {};
                headerSteps.push_back(std::make_unique<TChangeSectionHeadersOperation>(&doc, current, none));
            }
            AppendInlineTag(buffer, tcSectionBreak, section->Handle);
            buffer.AppendByte(ParagraphEndByte);
            sections.push_back(std::move(section));
            ++paragraphs;
            ++characters;
            i += 2;
            AppendChangedTags(buffer, DefaultCharFormat(), inserted);
        } else if (const uint8_t special = SpecialCharCode(c)) {
            AppendInlineTag(buffer, tcSpecial, special);
            ++characters;
        } else if (c >= 32) {
            buffer.AppendByte(c);
            ++characters;
        }
    }
    AppendChangedTags(buffer, inserted, doc.InsertFormatAfter);
    if (characters == 0) {
        SetCaretFields(range, doc.Caret);
        return;
    }
    for (auto& step : headerSteps)
        ApplyStep(doc, std::move(step), range, operation);
    TChangedRange one;
    InsertDeleteText(doc, buffer, pos, one, operation, uint8_t(options | ioHasTrailingFormat), story,
                     paragraphs, std::move(sections));
    doc.ChangedRanges->UnionChangedRange(range, one);
}

void InsertDeleteText(TDocument& doc, const TMemory& given, const TTextPos& pos, TChangedRange& range,
                      TOperation* operation, uint8_t options, int story, int32_t,
                      std::vector<std::unique_ptr<TSection>> newSections,
                      std::vector<std::unique_ptr<TField>> newFields)
{
    range = EmptyChangedRange();
    const TMemory* buffer = &given;
    TMemory framed;
    if (!(options & ioHasTrailingFormat)) {
        // The text after the insertion point keeps the format it has.
        framed.AssignMemory(given);
        const int32_t par = std::clamp(pos.ParIndex, 0, doc.ParagraphCount() - 1);
        const TParagraph& p = *doc.Paragraphs[size_t(par)];
        TCharFormat after = DefaultCharFormat();
        MergeFormatTags(p.Text.Data(), 0, ByteAfterPosition(p.Text.Data(), p.Text.Size(), pos.Offset), false,
                        after);
        AppendFormatTags(framed, after);
        buffer = &framed;
    }
    TTextRange where;
    const uint8_t typedChar =
        newSections.empty() && newFields.empty() ? TypedCharacter(doc, pos, *buffer) : 0;
    if (typedChar) {
        // One plain character in the format around it: the compact step of typing.
        auto step = std::make_unique<TTypedCharOperation>(&doc, pos, typedChar);
        TTypedCharOperation& typed = *step;
        ApplyStep(doc, std::move(step), range, operation);
        where = typed.Range();
    } else {
        auto step = std::make_unique<TInsertDeleteOperation>(&doc, pos, buffer->Data(), buffer->Size(), story,
                                                             !(options & ioSharedObjects));
        for (auto& section : newSections)
            step->Exchange().Own(std::move(section));
        for (auto& field : newFields)
            step->Exchange().Own(std::move(field));
        TInsertDeleteOperation& inserted = *step;
        ApplyStep(doc, std::move(step), range, operation);
        where = inserted.Range();
    }
    if (options & ioAdjustSpaces) {
        // The spaces at the end first, then at the start of a text that is not empty; the inserted text
        // moves with what they removed or added before it.
        const bool empty = CompareTextPos(where.StartPos, where.EndPos) == 0;
        TChangedRange one;
        const TSpaceAdjustment atEnd = AdjustSpacesAtJoin(doc, where.EndPos, one, operation);
        doc.ChangedRanges->UnionChangedRange(range, one);
        where.EndPos.Offset -= atEnd.RemovedBefore;
        if (!empty) {
            const TSpaceAdjustment atStart = AdjustSpacesAtJoin(doc, where.StartPos, one, operation);
            doc.ChangedRanges->UnionChangedRange(range, one);
            const int32_t added = atStart.Added ? 1 : 0;
            where.StartPos.Offset += added - atStart.RemovedBefore;
            if (where.EndPos.ParIndex == where.StartPos.ParIndex)
                where.EndPos.Offset += added - atStart.RemovedBefore - atStart.RemovedAfter;
        }
    }
    MakeTextPos(where.EndPos.ParIndex, where.EndPos.Offset, doc.Caret);
    range[crSelStartPar] = (options & ioSelectInserted) ? where.StartPos.ParIndex : where.EndPos.ParIndex;
    range[crSelStartOffset] = (options & ioSelectInserted) ? where.StartPos.Offset : where.EndPos.Offset;
    range[crSelEndPar] = where.EndPos.ParIndex;
    range[crSelEndOffset] = where.EndPos.Offset;
    SetCaretFields(range, doc.Caret);
}

void InsertTextAtSelection(TDocument& doc, const std::string& text, uint8_t flags, TChangedRange& range,
                           TOperation* operation)
{
    range = EmptyChangedRange();
    if (doc.HasSelection()) {
        if (CurrentOptions().Edit.ReplaceSel) {
            ReplaceRange(doc, doc.Selection.StartPos, doc.Selection.EndPos, range, operation, flags, text);
            return;
        }
        doc.Caret = doc.Selection.EndPos;
        doc.Selection.StartPos = doc.Selection.EndPos;
    }
    doc.PrepareInsertFormat(doc.Caret, 1);
    const TTextPos caret = doc.Caret;
    const int32_t length = doc.ParagraphLength(caret.ParIndex);
    const bool atParagraphEnd = caret.Offset >= length - 1;
    TChangedRange one;
    InsertPlainText(doc, text, caret, one, operation, flags);
    doc.ChangedRanges->UnionChangedRange(range, one);
    const uint8_t first = text.empty() ? 0 : uint8_t(text[0]);
    if (DocumentHost().IsOverwriteMode() && !atParagraphEnd && text.size() == 1 && first >= 32 &&
        !doc.GetModeFlag(mfNoOverwrite)) {
        const TTextPos at = doc.Caret;
        DeleteRange(doc, at, TextPosAt(at.ParIndex, at.Offset + 1), one, operation, 0);
        doc.ChangedRanges->UnionChangedRange(range, one);
        MakeTextPos(at.ParIndex, at.Offset, doc.Caret);
        SetCaretFields(range, doc.Caret);
    }
    if (text.size() == 1 && (first == '\r' || first == '\n') && atParagraphEnd) {
        const int32_t par = doc.Caret.ParIndex;
        const TParagraph& current = *doc.Paragraphs[size_t(par)];
        const int32_t style = current.ParaFormat[pfStyle];
        const TStyle* s = doc.StyleList->StyleOf(style);
        if (s && s->NextStyle >= 0 && s->NextStyle != style) {
            ApplyStyleToParagraph(doc, par, s->NextStyle, range, operation);
            doc.SetModeFlag(mfEnterEndedList, false);
        }
        const TParagraph* previous = par > 0 ? doc.Paragraphs[size_t(par - 1)].get() : nullptr;
        if (previous && previous->PlainText.Size() == 1 && previous->ParaFormat[pfBullets] != 0 &&
            previous->ParaFormat[pfBullets] != UndefinedField) {
            // An empty list item ends the list.
            TParaFormat off = UnsetParaFormat();
            off[pfBullets] = 0;
            FormatParagraphs(doc, TextRangeOf(TextPosAt(par - 1, 0), TextPosAt(par, 0)), off, one, operation);
            doc.ChangedRanges->UnionChangedRange(range, one);
            doc.SetModeFlag(mfEnterEndedList, true);
        }
        SetCaretFields(range, doc.Caret);
    }
}

void InsertContentAtSelection(TDocument& doc, const TMemory& content, TChangedRange& range,
                              TOperation* operation, uint8_t flags)
{
    range = EmptyChangedRange();
    if (doc.HasSelection()) {
        if (CurrentOptions().Edit.ReplaceSel) {
            ReplaceRangeWithContent(doc, doc.Selection.StartPos, doc.Selection.EndPos, range, operation,
                                    flags, doc.StoryOfParagraph(doc.Selection.StartPos.ParIndex), content);
            return;
        }
        doc.Caret = doc.Selection.EndPos;
        doc.Selection.StartPos = doc.Selection.EndPos;
    }
    int32_t paragraphs = 0;
    for (const auto& piece : SplitParagraphPieces(content.Data(), content.Size()))
        (void)piece, ++paragraphs;
    InsertDeleteText(doc, content, doc.Caret, range, operation, flags,
                     doc.StoryOfParagraph(doc.Caret.ParIndex), paragraphs - 1);
}

namespace {

// Step 2 of a replacement: the story's final paragraph mark is not replaced.
TTextPos AdjustReplacedEnd(TDocument& doc, const TTextPos& start, TTextPos end, uint8_t flags)
{
    const int story = doc.StoryOfParagraph(start.ParIndex);
    if (end.ParIndex >= doc.ParagraphCount())
        end = TextPosAt(doc.ParagraphCount() - 1, doc.ParagraphLength(doc.ParagraphCount() - 1));
    if (end.Offset < doc.ParagraphLength(end.ParIndex) || end.ParIndex != doc.StoryEnd(story))
        return end;
    bool mayTake =
        (flags & ioMayTakeLastMark) && start.Offset == 0 && start.ParIndex != doc.StoryStart(story);
    if (mayTake && doc.Sections.size() >= 2) {
        const TSection* section = doc.SectionOfParagraph(start.ParIndex);
        mayTake = !section || section->FirstParagraph != start.ParIndex;
    }
    if (!mayTake)
        --end.Offset;
    return end;
}

// Steps 6 and 7 of a replacement: the insertion formats from the typing format.
void PrepareReplacementFormat(TDocument& doc, const TTextPos& start, bool chooseLanguage)
{
    if (start.Offset == 0)
        doc.InsertFormatBefore = doc.InsertionFormat;
    doc.InsertFormatAfter = doc.InsertionFormat;
    const int32_t highlight = doc.InsertedTextFormat[cfHighlight];
    doc.InsertedTextFormat = doc.InsertionFormat;
    doc.InsertedTextFormat[cfHighlight] = highlight;
    if (chooseLanguage) {
        int32_t language = doc.InsertedTextFormat[cfLanguage], font = doc.InsertedTextFormat[cfFont];
        GetInsertionLanguage(doc, font, language, font);
        doc.InsertedTextFormat[cfLanguage] = language;
        doc.InsertedTextFormat[cfFont] = font;
    }
}

} // namespace

namespace {

// A range replaced by a text or by a tagged buffer (Text null): the range deleted, then the new text
// inserted at its start in the format of the replaced text's start.
void Replace(TDocument& doc, TTextPos start, TTextPos end, TChangedRange& range, TOperation* operation,
             uint8_t flags, int story, const std::string* text, const TMemory* content)
{
    range = EmptyChangedRange();
    if (CompareTextPos(end, start) < 0)
        std::swap(start, end);
    end = AdjustReplacedEnd(doc, start, end, flags);
    TModeFlagScope scope(doc);
    scope.On(mfReplacing);
    TChangedRange one;
    if (text)
        doc.InsertionFormat = doc.GetCharFormatAt(TextPosAt(start.ParIndex, start.Offset + 1));
    DeleteRange(doc, start, end, one, operation, uint8_t(flags & ~ioAdjustSpaces));
    doc.ChangedRanges->UnionChangedRange(range, one);
    PrepareReplacementFormat(doc, start, text != nullptr);
    {
        TModeFlagScope inserting(doc);
        inserting.On(mfInsertingReplacement);
        if (text) {
            InsertPlainText(doc, *text, start, one, operation, flags);
        } else {
            const int32_t paragraphs =
                int32_t(SplitParagraphPieces(content->Data(), content->Size()).size()) - 1;
            InsertDeleteText(doc, *content, start, one, operation, flags, story, paragraphs);
        }
        doc.ChangedRanges->UnionChangedRange(range, one);
    }
    // After a replacement no selection is restored.
    for (int i = crSelStartPar; i <= crSelEndOffset; ++i)
        range[i] = 0;
}

} // namespace

void ReplaceRange(TDocument& doc, const TTextPos& start, const TTextPos& end, TChangedRange& range,
                  TOperation* operation, uint8_t flags, const std::string& text)
{
    Replace(doc, start, end, range, operation, flags, doc.StoryOfParagraph(start.ParIndex), &text, nullptr);
}

void ReplaceRangeWithContent(TDocument& doc, const TTextPos& start, const TTextPos& end, TChangedRange& range,
                             TOperation* operation, uint8_t flags, int story, const TMemory& content)
{
    Replace(doc, start, end, range, operation, flags, story, nullptr, &content);
}

void GetInsertionLanguage(TDocument& doc, int32_t fontIndex, int32_t& language, int32_t& outFontIndex)
{
    outFontIndex = fontIndex;
    if (doc.GetModeFlag(mfKeepLanguage))
        return;
    // Pasted text takes the clipboard's language when it names one (a primary language alone stands
    // for its main country).
    int32_t chosen = 0;
    if (doc.GetModeFlag(mfPasting) && PasteSource()) {
        chosen = PasteSource()->ClipboardLocale();
        if (chosen > 0 && chosen < 0x400)
            chosen += 0x400;
    }
    if (chosen <= 0) {
        // The document's default language while the keyboard was not switched and both it and the
        // keyboard write the Western character set; else the keyboard's.
        const int32_t keyboard = DocumentHost().KeyboardLanguage();
        const bool western = CharsetOfLanguage(doc.DefaultLanguageId & 0xFFFF) == 0 &&
                             (keyboard == 0 || CharsetOfLanguage(keyboard & 0xFFFF) == 0);
        if (doc.DefaultLanguageId >= 0 && !doc.GetModeFlag(mfKeyboardLanguage) && western)
            chosen = doc.DefaultLanguageId;
        else
            chosen = keyboard;
    }
    if (chosen <= 0)
        return;
    language = chosen & 0xFFFF;
    // Text of another script takes the font's variant for that script's character set.
    if (const int32_t charset = CharsetOfLanguage(language); charset != 0 && fontIndex >= 0)
        outFontIndex = GetFontManager().GetFontForCharset(fontIndex, charset);
}

namespace {

// Puts a new field's marks around the character before Caret, as one step that owns the field until its
// marks are in the document.
void WrapCharacterInField(TDocument& doc, const TTextPos& caret, std::unique_ptr<TField> field,
                          TChangedRange& range, TOperation* operation)
{
    TParagraph& p = *doc.Paragraphs[size_t(caret.ParIndex)];
    if (!p.GetNormalized())
        p.NormalizeTags();
    const uint8_t* s = p.Text.Data();
    const int32_t size = p.Text.Size();
    const int32_t from = ByteAfterPosition(s, size, caret.Offset - 1);
    const int32_t to = ByteAfterPosition(s, size, caret.Offset);
    auto wrapped = std::make_unique<TParagraph>(&doc);
    wrapped->Text.Append(s, from);
    AppendInlineTag(wrapped->Text, tcFieldStart, field->Handle);
    wrapped->Text.Append(s + from, to - from);
    AppendInlineTag(wrapped->Text, tcFieldEnd, field->Handle);
    wrapped->Text.Append(s + to, size - to);
    wrapped->ParaFormat = p.ParaFormat;
    std::vector<std::unique_ptr<TParagraph>> made;
    made.push_back(std::move(wrapped));
    auto step = std::make_unique<TReplaceParagraphsOperation>(
        &doc, caret.ParIndex, 1, doc.StoryOfParagraph(caret.ParIndex), std::move(made));
    step->Exchange().Own(std::move(field));
    ApplyStep(doc, std::move(step), range, operation);
}

} // namespace

void InsertCharacter(TDocument& doc, uint8_t code, const std::string& fontName, int32_t charset,
                     TChangedRange& range, TOperation* operation)
{
    range = EmptyChangedRange();
    {
        TModeFlagScope scope(doc);
        scope.On(mfKeepLanguage);
        InsertTextAtSelection(doc, std::string(1, char(code)), 0, range, operation);
    }
    const TTextPos caret = doc.Caret;
    if (caret.Offset > 0) {
        const TTextRange character = TextRangeOf(TextPosAt(caret.ParIndex, caret.Offset - 1), caret);
        TCharFormat format = UnsetCharFormat();
        if (!fontName.empty())
            format[cfFont] = GetFontManager().RegisterFont(fontName, charset, 0);
        TChangedRange one;
        FormatText(doc, character, format, one, operation, 1);
        doc.ChangedRanges->UnionChangedRange(range, one);
        if (charset != SymbolCharset) {
            // A character of another script is marked as written in a language of that script.
            const int32_t current = doc.GetCharFormatAt(caret)[cfLanguage];
            int32_t language = LanguageForCharset(current, charset);
            if (CharsetOfLanguage(language) != charset)
                language = doc.DefaultLanguageId >= 0 ? doc.DefaultLanguageId & 0xFFFF : DefaultLanguage;
            ChangeCharacterSet(doc, character, language, one, operation);
            doc.ChangedRanges->UnionChangedRange(range, one);
        }
        if (charset == SymbolCharset) {
            // A symbol font's character is kept as a SYMBOL field, which names its font.
            auto field = std::make_unique<TField>();
            field->Kind = fkCode;
            field->FieldType = ftSymbol;
            field->Code = BuildSymbolFieldCode(code, fontName);
            WrapCharacterInField(doc, caret, std::move(field), one, operation);
            doc.ChangedRanges->UnionChangedRange(range, one);
        }
    }
    MakeTextPos(caret.ParIndex, caret.Offset, doc.Caret);
    for (int i = crSelStartPar; i <= crSelEndOffset; ++i)
        range[i] = 0;
    SetCaretFieldsTo(range, doc.Caret);
}
