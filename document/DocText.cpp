// Reading the text of a document by position: plain text of a piece, control codes, objects, the
// language at a place, and the file names and lists the word routines consult.
#include <algorithm>

#include "classlib/runtime/AnsiStrings.h"
#include "classlib/runtime/StringList.h"
#include "core/Options.h"
#include "core/TextUtils.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/TagTargets.h"
#include "document/TextAccess.h"

const TStringList* (*AbbreviationList)(int32_t language) = nullptr;

namespace {

constexpr int32_t MaxTextPiece = 1024;

} // namespace

const TStringList& FileExtensionList()
{
    static TStringList list;
    static std::string builtFrom;
    static bool built = false;
    const std::string& exts = CurrentOptions().Autocorrect.FileExts;
    if (!built || exts != builtFrom) {
        list.Clear();
        list.SetSorted(true);
        list.SetText(BarsToLineBreaks(exts));
        builtFrom = exts;
        built = true;
    }
    return list;
}

bool IsFilePathText(std::string_view text)
{
    if (text.substr(0, 8) == "file:///")
        text.remove_prefix(8);
    // The drive: a letter and a colon, or "\\server\share".
    size_t drive = 0;
    if (text.size() >= 2 && text[1] == ':' && IsAlphaNumChar(DefaultLanguage, text[0]) &&
        !(text[0] >= '0' && text[0] <= '9')) {
        drive = 2;
    } else if (text.size() >= 2 && text[0] == '\\' && text[1] == '\\') {
        const size_t server = text.find('\\', 2);
        if (server != std::string_view::npos && server > 2) {
            const size_t share = text.find('\\', server + 1);
            drive = share == std::string_view::npos ? text.size() : share;
            if (drive == server + 1)
                drive = 0;
        }
    }
    if (drive > 0) {
        text.remove_prefix(drive);
        if (!text.empty() && text[0] == '\\')
            text.remove_prefix(1);
    }
    bool extensionFound = false;
    const size_t cut = text.find_last_of("\\:");
    const std::string_view name = cut == std::string_view::npos ? text : text.substr(cut + 1);
    const size_t dot = name.rfind('.');
    if (!name.empty() && dot != std::string_view::npos && name.size() - dot >= 2) {
        int index;
        extensionFound = FileExtensionList().Find(name.substr(dot + 1), index);
    }
    return drive > 0 || extensionFound;
}

std::string TDocument::GetText(const TTextPos& pos, int32_t length)
{
    std::string text;
    if (pos.ParIndex < 0 || pos.ParIndex >= ParagraphCount() || length <= 0)
        return text;
    const TMemory& plain = Paragraphs[static_cast<size_t>(pos.ParIndex)]->PlainText;
    const int32_t from = std::clamp(pos.Offset, 0, plain.Size());
    const int32_t to = from + std::min({length, MaxTextPiece, plain.Size() - from});
    for (int32_t i = from; i < to; ++i) {
        const uint8_t c = plain.Data()[i];
        switch (c) {
        case scNonBreakingSpace: text += ' '; break;
        case scNonBreakingHyphen: text += '-'; break;
        case scEmDash: text += '\x97'; break;
        case scEnDash: text += '\x96'; break;
        default:
            if (c >= 32)
                text += static_cast<char>(c);
            break;
        }
    }
    return text;
}

std::string TDocument::GetRangeText(const TTextRange& range)
{
    const TTextPos& s = range.StartPos;
    if (s.ParIndex < 0 || s.ParIndex >= ParagraphCount())
        return std::string();
    if (range.EndPos.ParIndex == s.ParIndex)
        return GetText(s, range.EndPos.Offset - s.Offset);
    const int32_t size = Paragraphs[static_cast<size_t>(s.ParIndex)]->PlainText.Size();
    return GetText(s, size - 1 - s.Offset);
}

bool TDocument::RangeHasControlCodes(const TTextRange& range)
{
    auto scan = [&](int32_t par, int32_t from, int32_t to) {
        if (par < 0 || par >= ParagraphCount())
            return false;
        const TMemory& plain = Paragraphs[static_cast<size_t>(par)]->PlainText;
        from = std::max(from, 0);
        to = std::min(to, plain.Size());
        for (int32_t i = from; i < to; ++i)
            if (plain.Data()[i] < 32)
                return true;
        return false;
    };
    const TTextPos& s = range.StartPos;
    const TTextPos& e = range.EndPos;
    if (s.ParIndex == e.ParIndex)
        return scan(s.ParIndex, s.Offset, e.Offset);
    if (scan(s.ParIndex, s.Offset, INT32_MAX))
        return true;
    for (int32_t p = s.ParIndex + 1; p < e.ParIndex; ++p)
        if (scan(p, 0, INT32_MAX))
            return true;
    return scan(e.ParIndex, 0, e.Offset);
}

TDocObject* TDocument::GetObjectAt(const TTextPos& pos)
{
    if (pos.ParIndex < 0 || pos.ParIndex >= ParagraphCount())
        return nullptr;
    const TParagraph& p = *Paragraphs[static_cast<size_t>(pos.ParIndex)];
    if (pos.Offset < 0 || pos.Offset >= p.PlainText.Size())
        return nullptr;
    const int32_t at = p.CharToStreamOffset(pos.Offset);
    if (p.Text.Size() - at < InlineTagSize || p.Text.Data()[at] != 0)
        return nullptr;
    const int code = TagCode(p.Text.Data() + at);
    if (code != tcPicture && code != tcOLEObject)
        return nullptr;
    return static_cast<TDocObject*>(ResolveTagTarget(TagValue(p.Text.Data() + at), TTagTargetKind::Object));
}

bool TDocument::IsSingleObjectRange(const TTextRange& range)
{
    const TTextPos& s = range.StartPos;
    if (s.ParIndex != range.EndPos.ParIndex || range.EndPos.Offset != s.Offset + 1)
        return false;
    if (s.ParIndex < 0 || s.ParIndex >= ParagraphCount())
        return false;
    const TMemory& plain = Paragraphs[static_cast<size_t>(s.ParIndex)]->PlainText;
    if (s.Offset < 0 || s.Offset >= plain.Size())
        return false;
    const uint8_t c = plain.Data()[s.Offset];
    return c == scPicture || c == scOLEObject;
}

bool TDocument::IsObjectSelected()
{
    return IsSingleObjectRange(Selection);
}

int32_t TDocument::GetLanguageAt(int32_t paragraph, int32_t offset)
{
    return CharFormatAtOffset(paragraph, offset)[cfLanguage];
}
