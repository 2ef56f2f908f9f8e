// The document's fields: their places refreshed from the marks in the text, and the field around a
// position.
#include <algorithm>

#include "classlib/runtime/StringList.h"
#include "core/Options.h"
#include "core/TextUtils.h"
#include "document/Document.h"
#include "document/FieldCodes.h"
#include "document/InlineTags.h"
#include "document/Field.h"

namespace {

bool Contains(const TField& f, const TTextPos& pos)
{
    return CompareTextPos(f.StartPos, pos) <= 0 && CompareTextPos(pos, f.EndPos) <= 0;
}

} // namespace

void TDocument::UpdateFields()
{
    if (!GetModeFlag(mfFieldsDirty))
        return;
    const bool whole = FieldRescanFirst == UndefinedField;
    int32_t first = 0, last = ParagraphCount() - 1;
    if (whole) {
        Bookmarks.Clear();
    } else {
        first = std::max(FieldRescanFirst, 0);
        last = std::min(FieldRescanLast, last);
    }
    if (!Fields.empty()) {
        const int32_t mainLength = StoryLengths[stMain];
        int depth = 0;
        for (int32_t i = first; i <= last; ++i) {
            const TParagraph& p = *Paragraphs[static_cast<size_t>(i)];
            const uint8_t* s = p.Text.Data();
            const int32_t size = p.Text.Size();
            int32_t counter = 0;
            for (int32_t pos = 0; pos < size;) {
                if (s[pos] != 0) {
                    const int32_t run = PlainRunLength(s + pos, size - pos);
                    counter += run;
                    pos += run;
                    continue;
                }
                if (size - pos < InlineTagSize)
                    break;
                const int code = TagCode(s + pos);
                if (IsFieldMark(code)) {
                    if (TField* field = FieldOfTag(TagValue(s + pos))) {
                        if (code == tcFieldStart) {
                            field->OpensInside = depth > 0;
                            ++depth;
                            field->StartPos = TextPosAt(i, counter);
                            if (whole && field->Kind == fkBookmark && i < mainLength)
                                Bookmarks.Add(field->Code, reinterpret_cast<intptr_t>(field));
                        } else {
                            depth = std::max(depth - 1, 0);
                            field->ClosesInside = depth > 0;
                            field->EndPos = TextPosAt(i, counter);
                        }
                    }
                } else if (IsRunEndingTag(code)) {
                    ++counter;
                }
                pos += InlineTagSize;
            }
        }
    }
    if (whole) {
        Bookmarks.SetSorted(CurrentOptions().Internal.BkmkSort == 0);
        SetModeFlag(mfFieldsNeedSorting, true);
    }
    SetModeFlag(mfFieldsDirty, false);
}

bool TDocument::BookmarkNameExists(const std::string& name, const std::vector<TField*>* extra) const
{
    for (auto it = Fields.rbegin(); it != Fields.rend(); ++it)
        if ((*it)->Kind == fkBookmark && CompareTextLocale((*it)->Code, name) == 0)
            return true;
    if (extra)
        for (auto it = extra->rbegin(); it != extra->rend(); ++it)
            if ((*it)->Kind == fkBookmark && CompareTextLocale((*it)->Code, name) == 0)
                return true;
    return false;
}

TTextRange TDocument::GetFieldRange(const TField& field)
{
    UpdateFields();
    TTextRange range{};
    range.StartPos = field.StartPos;
    range.EndPos = field.EndPos;
    return range;
}

TField* TDocument::FindFieldAt(const TTextPos& pos, TTextRange& range, const uint8_t* excludedTypes,
                               int typeFilter, int kindFilter)
{
    if (Fields.empty())
        return nullptr;
    UpdateFields();
    if (GetModeFlag(mfFieldsNeedSorting)) {
        std::stable_sort(Fields.begin(), Fields.end(), [](const auto& a, const auto& b) {
            return CompareTextPos(a->StartPos, b->StartPos) < 0;
        });
        SetModeFlag(mfFieldsNeedSorting, false);
    }
    const int32_t count = static_cast<int32_t>(Fields.size());
    int32_t lo = 0, hi = count - 1, found = -1;
    while (lo <= hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        const TField& f = *Fields[static_cast<size_t>(mid)];
        if (Contains(f, pos)) {
            found = mid;
            break;
        }
        if (CompareTextPos(f.StartPos, pos) > 0)
            hi = mid - 1;
        else
            lo = mid + 1;
    }
    if (found < 0)
        found = std::clamp(lo, 0, count - 1);
    int32_t first = found, last = found;
    while (first > 0 && (Fields[static_cast<size_t>(first - 1)]->ClosesInside ||
                         Contains(*Fields[static_cast<size_t>(first - 1)], pos)))
        --first;
    while (last + 1 < count && (Fields[static_cast<size_t>(last + 1)]->OpensInside ||
                                Contains(*Fields[static_cast<size_t>(last + 1)], pos)))
        ++last;
    const bool bookmarkLike = GetModeFlag(mfFindBookmarkLikeFields);
    TField* result = nullptr;
    for (int32_t i = first; i <= last; ++i) {
        TField* f = Fields[static_cast<size_t>(i)].get();
        if (!bookmarkLike && (f->Kind == fkBookmark || f->Kind == fkNoteText || f->Kind == fkNoteNumber))
            continue;
        if (kindFilter != -1 && f->Kind != kindFilter)
            continue;
        if (typeFilter != -1 && f->FieldType != typeFilter)
            continue;
        if (f->Kind == fkCode && excludedTypes && (excludedTypes[f->FieldType / 8] >> (f->FieldType % 8)) & 1)
            continue;
        if (!(CompareTextPos(f->StartPos, pos) <= 0 && CompareTextPos(pos, f->EndPos) < 0))
            continue;
        if (!result || (CompareTextPos(f->StartPos, result->StartPos) >= 0 &&
                        CompareTextPos(f->EndPos, result->EndPos) <= 0))
            result = f;
    }
    if (result) {
        range.StartPos = result->StartPos;
        range.EndPos = result->EndPos;
    }
    return result;
}

std::vector<TField*> TDocument::CollectLinkedBookmarks(const TField& field)
{
    const TTextRange range = GetFieldRange(field);
    std::vector<TField*> found;
    auto add = [&](TField* f) {
        if (f && std::find(found.begin(), found.end(), f) == found.end())
            found.push_back(f);
    };
    for (auto it = Fields.rbegin(); it != Fields.rend(); ++it) {
        TField* f = it->get();
        if (f->Kind == fkCode && f->FieldType == ftHyperlink && TextPosInRange(f->StartPos, range)) {
            std::string address, tooltip;
            ParseHyperlinkFieldCode(f->Code, address, tooltip);
            if (address.size() >= 2 && address[0] == '#') {
                int index = -1;
                const std::string name = address.substr(1);
                if (Bookmarks.Sorted() ? Bookmarks.Find(name, index) : (index = Bookmarks.IndexOf(name)) >= 0)
                    add(reinterpret_cast<TField*>(Bookmarks.Objects(index)));
            }
        } else if (f->Kind == fkBookmark && CompareTextPos(f->StartPos, range.StartPos) == 0) {
            add(f);
        }
    }
    return found;
}

TField* TDocument::GetFieldAtSelection(TTextRange& range, int typeFilter)
{
    TTextPos pos = Caret;
    if (HasSelection() && !IsPosInSelection(Caret))
        pos =
            CompareTextPos(Selection.StartPos, Selection.EndPos) <= 0 ? Selection.StartPos : Selection.EndPos;
    return FindFieldAt(pos, range, nullptr, typeFilter, fkCode);
}
