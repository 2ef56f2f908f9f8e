// The RTF reader's style sheet: each entry becomes a style of the document's new style list, its
// formatting words its formats, its text its name; numbers become list indexes at the end.
#include <algorithm>

#include "core/RecordUtils.h"
#include "core/StyleManager.h"
#include "core/Styles.h"
#include "document/Document.h"
#include "document/Paragraph.h"
#include "formats/load/StylePasses.h"
#include "formats/rtf/RtfReading.h"

namespace {

constexpr int32_t kNoBase = 222; // the based-on number that means none
constexpr size_t kMaxStyleName = 255;
constexpr int32_t kFirstFunctionKey = 0x70;

TStyle& EmptyStyle(TStyle& style)
{
    ClearCharFormatState(style.CharFormat);
    ClearParFormatState(style.ParaFormat);
    return style;
}

bool IsNormal(const std::string& name)
{
    static const char normal[] = "normal";
    if (name.size() != 6)
        return false;
    for (size_t i = 0; i < 6; ++i)
        if ((name[i] | 0x20) != normal[i])
            return false;
    return true;
}

} // namespace

void TRtfReader::ReadStyleSheet(int depth)
{
    InStyleSheet = true;
    Result.StyleSheetRead = true;
    auto list = std::make_unique<TStyleList>(&Doc, Tabs);
    auto normal = std::make_unique<TStyle>(list.get());
    EmptyStyle(*normal);
    normal->Name = normal->DisplayName = "Normal";
    normal->Number = 0;
    normal->NextStyle = 0;
    list->AddStyle(std::move(normal));
    Doc.StyleList = std::move(list);

    while (Tok.Depth() >= depth) {
        const TRtfToken& t = Tok.Next();
        if (t.Kind == TRtfTokenKind::End)
            break;
        if (t.Kind != TRtfTokenKind::GroupStart)
            continue;
        const int inner = Tok.Depth();
        TRtfToken first = Tok.Next();
        if (first.Kind == TRtfTokenKind::GroupEnd || first.Kind == TRtfTokenKind::End)
            continue;
        if (first.Kind == TRtfTokenKind::Symbol && first.Char == '*') {
            first = Tok.Next();
            // "{\*\cs" entries are character styles; other "{\*" groups are not entries.
            if (first.Kind != TRtfTokenKind::Word || (first.Word != rw_cs && first.Word != rw_ds)) {
                if (first.Kind != TRtfTokenKind::GroupEnd)
                    SkipGroup(inner);
                continue;
            }
        }
        ReadStyleEntry(inner, &first);
    }

    // File numbers become list indexes.
    TStyleList& styles = *Doc.StyleList;
    StyleNumbers = std::make_unique<TStyleNumberIndex>(styles);
    for (auto& style : styles.Styles)
        style->BasedOn =
            style->BasedOn < 0 || style->BasedOn == kNoBase ? -1 : StyleNumbers->Find(style->BasedOn);
    ResolveNextStyles(styles, *StyleNumbers);
    ResolveStyleBases(styles);
    // Built-in styles are known by their English or French names, whatever the letter case the file
    // writes them in ("heading 1", "Titre 1").
    GetStyleManager().IdentifyBuiltInStyles(styles);
    InStyleSheet = false;
}

// One entry, up to the "}" of its group: its formatting words fill a scratch paragraph and the style.
void TRtfReader::ReadStyleEntry(int depth, const TRtfToken* first)
{
    auto style = std::make_unique<TStyle>(Doc.StyleList.get());
    EmptyStyle(*style);
    bool nextGiven = false;
    TParagraph scratch(&Doc);
    ClearParFormatState(scratch.ParaFormat);
    TParagraph* savedCur = Cur;
    const TCharFormat savedChar = Char;
    const bool savedDeleted = Deleted;
    TTabTable savedTabs = PendingTabs;
    PendingTabs.Clear();
    TabKind = TabLeader = 0;
    Cur = &scratch;
    Char = DefaultCharFormat();
    Deleted = false;
    StyleEntry = style.get();

    auto handle = [&](const TRtfToken& t) {
        if (t.Kind != TRtfTokenKind::Word) {
            if (t.Kind != TRtfTokenKind::GroupStart)
                HandleToken(t);
            return;
        }
        switch (t.Word) {
        case rw_s:
        case rw_ds: style->Number = t.Param; break;
        case rw_cs:
            style->Number = t.Param;
            style->IsCharacterStyle = true;
            break;
        case rw_sbasedon: style->BasedOn = t.Param; break;
        case rw_snext:
            style->NextStyle = t.Param;
            nextGiven = true;
            break;
        default: HandleFormattingWord(t); break;
        }
    };
    if (first)
        handle(*first);
    while (Tok.Depth() >= depth) {
        const TRtfToken& t = Tok.Next();
        if (t.Kind == TRtfTokenKind::End || t.Kind == TRtfTokenKind::GroupEnd)
            break;
        if (t.Kind == TRtfTokenKind::GroupStart) {
            const int inner = Tok.Depth();
            const TRtfToken* w = &Tok.Next();
            if (w->Kind == TRtfTokenKind::Symbol && w->Char == '*')
                w = &Tok.Next();
            if (w->Kind == TRtfTokenKind::Word && w->Word == rw_keycode)
                ReadKeyCode(inner, *style);
            else if (w->Kind != TRtfTokenKind::GroupEnd)
                SkipGroup(inner);
            continue;
        }
        handle(t);
    }

    // The name: the entry's text up to ";".
    std::string name;
    for (int32_t i = 0; i < scratch.CharacterCount(); ++i) {
        uint8_t c = scratch.PlainText.Data()[i];
        if (c == ';')
            break;
        if (c >= 32 && name.size() < kMaxStyleName)
            name += static_cast<char>(c);
    }
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    name.erase(0,
               name.find_first_not_of(' ') == std::string::npos ? name.size() : name.find_first_not_of(' '));
    style->Name = style->DisplayName = name;
    style->ParaFormat = scratch.ParaFormat;
    if (PendingTabs.Count() > 0) {
        PendingTabs.Sort();
        style->ParaFormat[pfTabTable] = Tabs->RegisterTabTable(PendingTabs);
    }
    if (!nextGiven)
        style->NextStyle = style->Number;

    StyleEntry = nullptr;
    Cur = savedCur;
    Char = savedChar;
    Deleted = savedDeleted;
    PendingTabs = savedTabs;
    TabKind = TabLeader = 0;

    TStyleList& list = *Doc.StyleList;
    if (IsNormal(name)) {
        // The first style takes the entry's content and stays the base of the others.
        style->BasedOn = -1;
        style->Owner = &list;
        style->ParaFormat[pfStyle] = 0;
        list.Styles[0] = std::move(style);
    } else if (!name.empty()) {
        list.AddStyle(std::move(style));
    }
}

// A style's shortcut key: the key in the low word, the shift state (1 Shift, 2 Alt, 4 Ctrl) above it.
void TRtfReader::ReadKeyCode(int depth, TStyle& style)
{
    int32_t shift = 0, key = 0;
    while (const TRtfToken* t = NextOfGroup(depth)) {
        if (t->Kind == TRtfTokenKind::Word) {
            if (t->Word == rw_shift)
                shift |= 1;
            else if (t->Word == rw_alt)
                shift |= 2;
            else if (t->Word == rw_ctrl)
                shift |= 4;
            else if (t->Word == rw_fn && t->Param >= 1 && t->Param <= 24)
                key = kFirstFunctionKey + t->Param - 1;
        } else if (t->Kind == TRtfTokenKind::Text) {
            for (int32_t i = 0; i < t->Length; ++i)
                if (t->Text[i] > ' ')
                    key = t->Text[i];
        } else if (t->Kind == TRtfTokenKind::Byte) {
            key = t->Char;
        }
    }
    if (key)
        style.ShortCut = key | shift << 16;
}
