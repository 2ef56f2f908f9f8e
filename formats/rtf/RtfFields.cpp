// The RTF reader's fields and bookmarks: a field's instruction becomes a field object whose marks
// enclose its result; bookmarks are marked where they start and end.
#include <algorithm>

#include "classlib/runtime/AnsiStrings.h"
#include "core/Fonts.h"
#include "core/Memory.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/Paragraph.h"
#include "document/Field.h"
#include "formats/FieldInstructions.h"
#include "formats/load/ParagraphBuilder.h"
#include "formats/rtf/RtfReading.h"

namespace {

constexpr int32_t kSymbolCharset = 2;

// The character and the font a symbol field names ("SYMBOL 183 \f "Symbol""); font empty when none.
void ParseSymbolCode(const std::string& code, uint8_t& character, std::string& font)
{
    size_t at = code.find(' ');
    int32_t value = 0;
    if (at != std::string::npos) {
        at = code.find_first_not_of(' ', at);
        int base = 10;
        if (at != std::string::npos && code.compare(at, 2, "0x") == 0) {
            base = 16;
            at += 2;
        }
        for (; at != std::string::npos && at < code.size(); ++at) {
            const char c = code[at];
            int digit = c >= '0' && c <= '9'                                   ? c - '0'
                        : base == 16 && (c | 0x20) >= 'a' && (c | 0x20) <= 'f' ? (c | 0x20) - 'a' + 10
                                                                               : -1;
            if (digit < 0)
                break;
            value = std::min(value * base + digit, 0xFFFF);
        }
    }
    character = static_cast<uint8_t>(std::max(value & 0xFF, 32));
    size_t f = code.find("\\f");
    if (f == std::string::npos)
        return;
    f = code.find_first_not_of(' ', f + 2);
    if (f == std::string::npos)
        return;
    if (code[f] == '"') {
        size_t end = code.find('"', f + 1);
        font = code.substr(f + 1, end == std::string::npos ? std::string::npos : end - f - 1);
    } else {
        font = code.substr(f, code.find(' ', f) - f);
    }
}

} // namespace

TField& TRtfReader::AddField(int kind)
{
    Doc.Fields.push_back(std::make_unique<TField>());
    TField& field = *Doc.Fields.back();
    field.Kind = static_cast<uint8_t>(kind);
    return field;
}

// At the start of a paragraph the end of a field or bookmark belongs to the paragraph before, unless
// it starts in this one.
TParagraph& TRtfReader::EndMarkParagraph(const TField& field)
{
    if (Cur->CharacterCount() != 0 || Doc.Paragraphs.size() < 2)
        return *Cur;
    const bool startsHere =
        !ForEachTag(Cur->Text.Data(), 0, Cur->Text.Size(), [&field](int32_t, int code, int32_t value) {
            return !(code == tcFieldStart && value == field.Handle);
        });
    return startsHere ? *Cur : *Doc.Paragraphs[Doc.Paragraphs.size() - 2];
}

void TRtfReader::ReadField(int depth)
{
    TField* outer = CurrentField;
    CurrentField = nullptr;
    const size_t paragraphs = Doc.Paragraphs.size();
    const int32_t length = Cur->CharacterCount();
    PushState();
    ReadGroupBody(depth, nullptr);
    PopState();
    if (TField* field = CurrentField) {
        if (Doc.Paragraphs.size() == paragraphs && Cur->CharacterCount() == length) {
            // No result in the file: a symbol shows its character in its font, any other field "?".
            std::string font;
            uint8_t character = '?';
            if (field->FieldType == kFieldTypeSymbol)
                ParseSymbolCode(field->Code, character, font);
            TFontManager& fonts = GetFontManager();
            int index = font.empty() ? -1 : fonts.IndexOfFont(font);
            if (!font.empty() && index < 0)
                index = fonts.RegisterFont(font, kSymbolCharset, 0);
            if (index >= 0 && index != Char[cfFont])
                Cur->AppendZeroWidthTag(cfFont, index);
            AddChar(character);
            if (index >= 0 && index != Char[cfFont])
                Cur->AppendZeroWidthTag(cfFont, Char[cfFont]);
        }
        OpenFields.erase(std::remove(OpenFields.begin(), OpenFields.end(), field), OpenFields.end());
        AppendInlineTag(EndMarkParagraph(*field).Text, tcFieldEnd, field->Handle);
    }
    CurrentField = outer;
}

void TRtfReader::ReadFieldInstruction(int depth)
{
    const bool outer = InInstruction;
    InInstruction = true;
    std::string text = ReadDestinationText(depth);
    InInstruction = outer;
    if (Deleted)
        return;
    if (TField* field = ParseFieldInstruction(text, kUnknownFieldType, Doc, *Cur, OpenFields))
        CurrentField = field;
}

void TRtfReader::StartBookmark(int depth)
{
    std::string name = ReadDestinationText(depth);
    if (name.empty() || InHeaderFooter || Deleted)
        return;
    if (!BookmarkKeysReady) {
        for (const auto& field : Doc.Fields)
            if (field->Kind == fkBookmark)
                BookmarkKeys.insert(AnsiUpperCase(field->Code));
        BookmarkKeysReady = true;
    }
    if (!BookmarkKeys.insert(AnsiUpperCase(name)).second)
        return;
    TField& bookmark = AddField(fkBookmark);
    ++OpenBookmarkNames[name];
    bookmark.Code = std::move(name);
    OpenFields.push_back(&bookmark);
    AppendInlineTag(Cur->Text, tcFieldStart, bookmark.Handle);
}

void TRtfReader::EndBookmark(int depth)
{
    const std::string name = ReadDestinationText(depth);
    if (Deleted)
        return;
    const auto open = OpenBookmarkNames.find(name);
    if (open == OpenBookmarkNames.end() || open->second <= 0)
        return;
    // Only a bookmark of the story being read ends here.
    const auto storyStart = OpenFields.rend() - static_cast<std::ptrdiff_t>(StoryOpenFields);
    auto it = std::find_if(OpenFields.rbegin(), storyStart,
                           [&](const TField* f) { return f->Kind == fkBookmark && f->Code == name; });
    if (it == storyStart)
        return;
    TField* bookmark = *it;
    OpenFields.erase(std::next(it).base());
    --open->second;
    AppendInlineTag(EndMarkParagraph(*bookmark).Text, tcFieldEnd, bookmark->Handle);
}

// Bookmarks and fields whose end never came end with the text.
void TRtfReader::CloseOpenBookmarks()
{
    for (auto it = OpenFields.rbegin(); it != OpenFields.rend(); ++it)
        AppendInlineTag(Cur->Text, tcFieldEnd, (*it)->Handle);
    OpenFields.clear();
}
