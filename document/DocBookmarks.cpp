// Bookmark names made from text, going to bookmarks, and following hyperlinks.
#include <algorithm>
#include <cstdio>

#include "classlib/runtime/Files.h"
#include "core/Events.h"
#include "core/Options.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/FieldCodes.h"
#include "document/Field.h"

namespace {

bool IsNameSeparator(uint8_t c)
{
    if ((c >= 2 && c <= 13) || c == 15 || c == ' ')
        return true;
    static const char punctuation[] = "!\"#$%&()*+,-./:;<=>?@[]\\^_{}|~";
    for (const char* p = punctuation; *p; ++p)
        if (c == uint8_t(*p))
            return true;
    return c == 0x80 || c == 0x84 || c == 0x85 || c == 0x93 || c == 0x94 || c == 0xAB || c == 0xBB;
}

bool IsNameQuote(uint8_t c)
{
    return c == '"' || c == '\'' || c == '`' || c == 0x84 || (c >= 0x91 && c <= 0x94) || c == 0xAB ||
           c == 0xBB;
}

} // namespace

std::string TDocument::MakeBookmarkName(const TTextRange& given)
{
    TTextRange range = given;
    if (CompareTextPos(range.EndPos, range.StartPos) < 0)
        std::swap(range.StartPos, range.EndPos);
    if (CompareTextPos(range.StartPos, range.EndPos) == 0)
        range = GetSentenceRange(Caret);
    // The characters as the paragraphs hold them: tabs, breaks and objects stand as their control codes,
    // which become underscores like the other separators.
    std::string name;
    for (int32_t p = std::max(range.StartPos.ParIndex, 0);
         p <= std::min(range.EndPos.ParIndex, ParagraphCount() - 1) && name.size() < 32; ++p) {
        const TMemory& plain = Paragraphs[size_t(p)]->PlainText;
        const int32_t from =
            p == range.StartPos.ParIndex ? std::clamp(range.StartPos.Offset, 0, plain.Size()) : 0;
        const int32_t to =
            p == range.EndPos.ParIndex ? std::clamp(range.EndPos.Offset, from, plain.Size()) : plain.Size();
        name.append(reinterpret_cast<const char*>(plain.Data()) + from, size_t(to - from));
    }
    name = name.substr(0, 32);
    for (char& c : name)
        if (IsNameSeparator(uint8_t(c)) || IsNameQuote(uint8_t(c)))
            c = '_';
    if (!name.empty() && name[0] >= '0' && name[0] <= '9')
        name[0] = '_';
    while (!name.empty() && name.back() == '_')
        name.pop_back();
    UpdateFields();
    const bool numbered = !name.empty() && BookmarkNameExists(name, nullptr);
    if (name.empty() || numbered) {
        const std::string stem = name.empty() ? "Signet_" : name + "_";
        for (int32_t n = 1; n < INT32_MAX; ++n) {
            const std::string candidate = stem + std::to_string(n);
            if (!BookmarkNameExists(candidate, nullptr))
                return candidate;
        }
    }
    return name;
}

void TDocument::UpdateFieldsInDocumentOrder()
{
    int32_t& order = CurrentOptions().Internal.BkmkSort;
    if (order == 1) {
        UpdateFields();
        return;
    }
    const int32_t saved = order;
    order = 1;
    FieldRescanFirst = FieldRescanLast = UndefinedField;
    SetModeFlag(mfFieldsDirty, true);
    UpdateFields();
    order = saved;
    SetModeFlag(mfFieldsDirty, true);
}

bool TDocument::GoToBookmark(const std::string& name, bool select)
{
    UpdateFields();
    const int index = Bookmarks.IndexOf(name);
    if (index < 0)
        return false;
    const TField& bookmark = *reinterpret_cast<const TField*>(Bookmarks.Objects(index));
    const TTextRange range = GetFieldRange(bookmark);
    if (EditedHeaderFooter)
        ToggleHeaderFooterMode(-1, &range.StartPos);
    // Selected, the caret at its end; else the caret at its start.
    const TTextPos& caret = select ? range.EndPos : range.StartPos;
    SetCaret(caret.ParIndex, caret.Offset, 0, 4);
    if (select)
        Select(range.StartPos.ParIndex, range.StartPos.Offset, range.EndPos.ParIndex, range.EndPos.Offset, 0);
    MakeCaretVisible(0);
    return true;
}

bool TDocument::GoToNeighbourBookmark(bool next)
{
    UpdateFieldsInDocumentOrder();
    if (Bookmarks.Count() == 0)
        return false;
    TTextPos reference = Caret;
    if (HasSelection()) {
        const bool ordered = CompareTextPos(Selection.StartPos, Selection.EndPos) <= 0;
        reference = next == ordered ? Selection.EndPos : Selection.StartPos;
    }
    const TField* chosen = nullptr;
    for (int i = 0; i < Bookmarks.Count(); ++i) {
        const TField* f = reinterpret_cast<const TField*>(Bookmarks.Objects(i));
        if (next && CompareTextPos(f->StartPos, reference) > 0) {
            chosen = f;
            break;
        }
        if (!next && CompareTextPos(f->EndPos, reference) < 0)
            chosen = f;
    }
    // The search goes round the document.
    if (!chosen)
        chosen = reinterpret_cast<const TField*>(Bookmarks.Objects(next ? 0 : Bookmarks.Count() - 1));
    return GoToBookmark(chosen->Code, false);
}

bool TDocument::FollowHyperlink(const std::string& code)
{
    std::string address, tooltip;
    ParseHyperlinkFieldCode(code, address, tooltip);
    if (!address.empty() && address[0] == '#')
        return GoToBookmark(address.substr(1), false);
    if (address.empty())
        return false;
    TriggerEvent(10140);
    // A relative target is found from the document's folder.
    const std::string saved = GetCurrentDir();
    if (!FileName.empty())
        SetCurrentDir(ExtractFilePath(FileName));
    bool opened = false;
    try {
        opened = DocumentHost().OpenLink(address);
    } catch (...) {
        SetCurrentDir(saved);
        throw;
    }
    SetCurrentDir(saved);
    return opened;
}
