// The Rich Text Format reader: one pass over the tokens with a stack of formatting states; the
// formatting words of characters, paragraphs and the document, and the tables of fonts and colours.
#include "formats/rtf/RtfReader.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "classlib/runtime/DateTime.h"
#include "core/Colors.h"
#include "core/Memory.h"
#include "core/Fonts.h"
#include "core/TabTables.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/Section.h"
#include "codecs/CharTables.h"
#include "codecs/CharsetCodePages.h"
#include "codecs/CodePages.h"
#include "core/Codings.h"
#include "core/Styles.h"
#include "formats/load/ParagraphBuilder.h"
#include "formats/rtf/RtfObjects.h"
#include "formats/rtf/RtfPictures.h"
#include "formats/load/StylePasses.h"
#include "formats/rtf/RtfReading.h"
#include "formats/rtf/RtfTokenizer.h"

namespace {

constexpr int32_t kMinFontSize = 2, kMaxFontSize = 2000;
constexpr int32_t kMinScale = 1, kMaxScale = 600;
constexpr int32_t kMinZoom = 10, kMaxZoom = 500;
constexpr int32_t kMaxOffset = 32767; // raising, lowering and spacing of characters, kerning threshold

// The Windows Western form of each character of the Macintosh set from 128 up ("?" when it has none).
const uint8_t MacToAnsi[128] = {
    196, 197, 199, 201, 209, 214, 220, 225, 224, 226, 228, 227, 229, 231, 233, 232, 234, 235, 237,
    236, 238, 239, 241, 243, 242, 244, 246, 245, 250, 249, 251, 252, 134, 176, 162, 163, 167, 149,
    182, 223, 174, 169, 153, 180, 168, 63,  198, 216, 63,  177, 63,  63,  165, 181, 63,  63,  63,
    63,  63,  170, 186, 63,  230, 248, 191, 161, 172, 63,  131, 63,  63,  171, 187, 133, 160, 192,
    195, 213, 140, 156, 150, 151, 147, 148, 145, 146, 247, 63,  255, 159, 63,  128, 139, 155, 63,
    63,  135, 183, 130, 132, 137, 194, 202, 193, 203, 200, 205, 206, 207, 204, 211, 212, 63,  210,
    218, 219, 217, 63,  136, 152, 175, 63,  63,  63,  184, 63,  63,  63};

} // namespace

TRtfReader::TRtfReader(TDocument& document, TLoadInput& input)
    : Doc(document), Tok(input), Tabs(document.TabManager.get())
{}

TRtfReader::~TRtfReader() = default;

TRtfReadResult TRtfReader::Read()
{
    Cur = &Doc.StartingParagraph();
    TDocFontInfo defaultFont;
    defaultFont.Number = 0x7FFFFFFF;
    defaultFont.Name = "Times New Roman";
    defaultFont.SharedIndex = DefaultCharFormat()[cfFont];
    Fonts.push_back(defaultFont);
    PushState();
    // The outermost group; data before it are passed over.
    bool found = false;
    for (;;) {
        const TRtfToken& t = Tok.Next();
        if (t.Kind == TRtfTokenKind::End)
            break;
        if (t.Kind == TRtfTokenKind::GroupStart) {
            found = true;
            ReadGroupBody(Tok.Depth(), nullptr);
            break;
        }
    }
    Result.Complete = found && Tok.Depth() == 0 && Tok.Error() == TRtfError::None;
    // Data that end deeper than the reader reads are damaged, not a document nested deep.
    if (Tok.Error() == TRtfError::GroupTooDeep || Tok.Depth() > kMaxReadDepth)
        Result.Error = "Le document contient trop de groupes imbriqués les uns dans les autres.";
    Result.TextLength += Cur->CharacterCount();
    // The tab stops of a last paragraph that no paragraph end follows.
    FlushPendingTabs();
    CloseOpenBookmarks();
    FinishSections();
    AppendStories();
    return Result;
}

// Reads the tokens of a group opened at Depth up to its end (or the end of the data).
void TRtfReader::ReadGroupBody(int depth, const TRtfToken* first)
{
    if (first)
        HandleToken(*first);
    while (Tok.Depth() >= depth) {
        const TRtfToken& t = Tok.Next();
        if (t.Kind == TRtfTokenKind::End || t.Kind == TRtfTokenKind::GroupEnd)
            break;
        HandleToken(t);
    }
}

void TRtfReader::HandleToken(const TRtfToken& t)
{
    switch (t.Kind) {
    case TRtfTokenKind::GroupStart: ParseGroup(); break;
    case TRtfTokenKind::Word: HandleFormattingWord(t); break;
    case TRtfTokenKind::Symbol: HandleSymbol(t.Char); break;
    case TRtfTokenKind::Text: AddText(t.Text, t.Length); break;
    case TRtfTokenKind::Byte: AddText(&t.Char, 1); break;
    default: break;
    }
}

// Entered behind a "{": a destination goes to its handler (or is skipped whole), any other group is
// read with its own state.
void TRtfReader::ParseGroup()
{
    int depth = Tok.Depth();
    UnicodeSkip = 0;
    if (depth > kMaxReadDepth) {
        ReadFlattened(depth);
        return;
    }
    const TRtfToken* next = &Tok.Next();
    // Some writers put a blank between "{" and the destination word.
    int32_t blanks = 0;
    if (next->Kind == TRtfTokenKind::Text &&
        std::all_of(next->Text, next->Text + next->Length, [](uint8_t c) { return c == ' '; })) {
        blanks = next->Length;
        next = &Tok.Next();
    }
    const TRtfToken& t = *next;
    if (t.Kind == TRtfTokenKind::End || t.Kind == TRtfTokenKind::GroupEnd)
        return;
    if (t.Kind == TRtfTokenKind::Symbol && t.Char == '*') {
        const TRtfToken& w = Tok.Next();
        if (!(w.Kind == TRtfTokenKind::Word && DispatchControlWord(w.Word, depth)))
            SkipGroup(depth);
        return;
    }
    if (t.Kind == TRtfTokenKind::Word && TControlWords::IsDestination(t.Word)) {
        if (!DispatchControlWord(t.Word, depth))
            SkipGroup(depth);
        return;
    }
    TRtfToken first = t;
    PushState();
    if (blanks > 0) {
        const std::string spaces(static_cast<size_t>(blanks), ' ');
        AddText(reinterpret_cast<const uint8_t*>(spaces.data()), blanks);
    }
    ReadGroupBody(depth, &first);
    PopState();
}

// A group past the depth the reader recurses to: its text and formatting words are read as if its
// nested groups were not there (their formats last to the end of the group at the limit); destinations
// are skipped whole.
void TRtfReader::ReadFlattened(int depth)
{
    bool groupStart = true;
    while (Tok.Depth() >= depth) {
        const TRtfToken& t = Tok.Next();
        if (t.Kind == TRtfTokenKind::End)
            break;
        const bool first = groupStart;
        groupStart = t.Kind == TRtfTokenKind::GroupStart;
        if (t.Kind == TRtfTokenKind::GroupStart || t.Kind == TRtfTokenKind::GroupEnd)
            continue;
        if (first && ((t.Kind == TRtfTokenKind::Symbol && t.Char == '*') ||
                      (t.Kind == TRtfTokenKind::Word && TControlWords::IsDestination(t.Word)))) {
            SkipGroup(Tok.Depth());
            continue;
        }
        HandleToken(t);
    }
}

const TRtfToken* TRtfReader::NextOfGroup(int depth)
{
    while (Tok.Depth() >= depth) {
        const TRtfToken& t = Tok.Next();
        if (t.Kind == TRtfTokenKind::End)
            return nullptr;
        if (t.Kind == TRtfTokenKind::GroupStart)
            SkipGroup(Tok.Depth());
        else if (t.Kind != TRtfTokenKind::GroupEnd)
            return &t;
    }
    return nullptr;
}

void TRtfReader::SkipGroup(int depth)
{
    while (Tok.Depth() >= depth && Tok.Next().Kind != TRtfTokenKind::End) {}
}

// The destination handlers; false for a group to be skipped whole.
bool TRtfReader::DispatchControlWord(int word, int depth)
{
    if (depth > kMaxReadDepth)
        return false;
    switch (word) {
    case rw_fonttbl: ReadFontTable(depth); return true;
    case rw_colortbl: ReadColorTable(depth); return true;
    case rw_info: ReadInfo(depth); return true;
    case rw_upr: ReadUpr(depth); return true;
    case rw_title: Doc.Info.Title = ReadDestinationText(depth); return true;
    case rw_subject: Doc.Info.Subject = ReadDestinationText(depth); return true;
    case rw_author: Doc.Info.Author = ReadDestinationText(depth); return true;
    case rw_keywords: Doc.Info.Keywords = ReadDestinationText(depth); return true;
    case rw_doccomm: Doc.Info.Comments = ReadDestinationText(depth); return true;
    case rw_operator: Doc.Info.LastAuthor = ReadDestinationText(depth); return true;
    case rw_company: Doc.Info.Company = ReadDestinationText(depth); return true;
    case rw_creatim: ReadDate(depth, Doc.Info.CreationDate); return true;
    case rw_revtim: ReadDate(depth, Doc.Info.LastSaveDate); return true;
    case rw_printim: ReadDate(depth, Doc.Info.LastPrintDate); return true;
    case rw_stylesheet: ReadStyleSheet(depth); return true;
    case rw_header:
    case rw_headerr: ReadHeaderFooter(depth, hfOddHeader); return true;
    case rw_headerl: ReadHeaderFooter(depth, hfEvenHeader); return true;
    case rw_footer:
    case rw_footerr: ReadHeaderFooter(depth, hfOddFooter); return true;
    case rw_footerl: ReadHeaderFooter(depth, hfEvenFooter); return true;
    case rw_headerf: ReadHeaderFooter(depth, hfFirstHeader); return true;
    case rw_footerf: ReadHeaderFooter(depth, hfFirstFooter); return true;
    case rw_footnote: ReadFootnote(depth); return true;
    case rw_field:
        if (Deleted)
            return false;
        ReadField(depth);
        return true;
    case rw_fldinst: ReadFieldInstruction(depth); return true;
    case rw_bkmkstart: StartBookmark(depth); return true;
    case rw_bkmkend: EndBookmark(depth); return true;
    case rw_autosavedorigfmt: {
        int coding = TCodingManager::FindCodingByIdentifier(ReadDestinationText(depth));
        if (coding >= 0)
            Doc.Coding = coding;
        return true;
    }
    case rw_autosavedorigname: Doc.OriginalFileName = ReadDestinationText(depth); return true;
    case rw_pict:
    case rw_object:
    case rw_result: ReadPictureOrObject(word, depth); return true;
    case rw_do: ReadDrawingObject(depth); return true;
    case rw_nesttableprops: ReadNestedTableProperties(depth); return true;
    case rw_dptxbxtext:
    case rw_fldrslt:
    case rw_listtext:
    case rw_pn:
    case rw_pntext:
    case rw_shppict:
    case rw_ud:
        PushState();
        ReadGroupBody(depth, nullptr);
        PopState();
        return true;
    default: return false;
    }
}

// The text of the rest of a group: characters and escapes, nested groups too; "{\\*" groups skipped. A
// Unicode character takes the place of the fallback characters that follow it.
std::string TRtfReader::ReadDestinationText(int depth)
{
    std::string text;
    bool groupStart = false;
    int32_t skipCount = SkipCount, fallback = 0;
    // Adds a character unless it is the fallback of a Unicode character.
    auto add = [&](char c) {
        if (fallback > 0)
            --fallback;
        else
            text += c;
    };
    while (Tok.Depth() >= depth) {
        const TRtfToken& t = Tok.Next();
        const bool afterGroupStart = groupStart;
        groupStart = t.Kind == TRtfTokenKind::GroupStart;
        if (t.Kind == TRtfTokenKind::GroupStart || t.Kind == TRtfTokenKind::GroupEnd)
            fallback = 0;
        // A field inside an instruction is a field of its own, in the text.
        if (afterGroupStart && InInstruction && t.Kind == TRtfTokenKind::Word && t.Word == rw_field) {
            ReadField(Tok.Depth());
            continue;
        }
        switch (t.Kind) {
        case TRtfTokenKind::End: return text;
        case TRtfTokenKind::Text:
            for (int32_t i = 0; i < t.Length; ++i)
                add(static_cast<char>(t.Text[i]));
            break;
        case TRtfTokenKind::Byte: add(static_cast<char>(t.Char)); break;
        case TRtfTokenKind::Symbol:
            if (t.Char == '\\' || t.Char == '{' || t.Char == '}')
                add(static_cast<char>(t.Char));
            else if (t.Char == '*' && afterGroupStart)
                SkipGroup(Tok.Depth());
            else if (t.Char == '*' && InInstruction) {
                // A bare "\*" in an instruction is the format switch some writers leave unescaped.
                add('\\');
                add('*');
            } else if (t.Char == '~')
                add(static_cast<char>(160));
            break;
        case TRtfTokenKind::Word:
            if (t.Word == rw_u) {
                int code = UnicodeToAnsi(static_cast<uint32_t>(t.Param < 0 ? t.Param + 65536 : t.Param));
                // Without an 8-bit form, the fallback stands for it.
                fallback = 0;
                if (code >= 32) {
                    text += static_cast<char>(code);
                    fallback = skipCount;
                }
            } else if (t.Word == rw_uc) {
                skipCount = std::clamp(t.Param, 0, 16);
            } else if (t.Word == rw_tab) {
                add('\t');
            }
            break;
        default: break;
        }
    }
    return text;
}

void TRtfReader::PushState()
{
    FlushPendingTabs();
    Stack.push_back(TRtfState{Char, Cur->ParaFormat, SkipCount, Deleted, CharStyle});
}

void TRtfReader::PopState()
{
    if (Stack.empty())
        return;
    TRtfState saved = Stack.back();
    Stack.pop_back();
    for (int f = CharFormatFieldCount - 1; f >= 0; --f) {
        if (saved.Char[f] == Char[f])
            continue;
        Char[f] = saved.Char[f];
        if (!Deleted || !saved.Deleted)
            Cur->AppendZeroWidthTag(f, Char[f]);
    }
    Cur->ParaFormat = saved.Para;
    SkipCount = saved.SkipCount;
    Deleted = saved.Deleted;
    CharStyle = saved.CharStyle;
    UnicodeSkip = 0;
}

void TRtfReader::FlushPendingTabs()
{
    if (PendingTabs.Count() == 0)
        return;
    PendingTabs.Sort();
    if (Tabs)
        Cur->ParaFormat[pfTabTable] = Tabs->RegisterTabTable(PendingTabs);
    PendingTabs.Clear();
}

void TRtfReader::AddText(const uint8_t* p, int32_t n, bool fromFile)
{
    if (UnicodeSkip > 0) {
        int32_t skip = std::min(UnicodeSkip, n);
        UnicodeSkip -= skip;
        p += skip;
        n -= skip;
    }
    if (Deleted)
        return;
    // In a double-byte font every byte from 128 up is part of a character, kept as written.
    const bool doubleByte = DoubleByteFont();
    // Raw bytes in a Macintosh page become the Windows ones of the same characters: the font's page
    // when a Macintosh character set names it, else the document's.
    std::string converted;
    const auto fontMac = FontMacPages.find(Char[cfFont]);
    const int32_t from = !fromFile || doubleByte         ? 0
                         : fontMac != FontMacPages.end() ? fontMac->second
                         : MacPage                       ? MacPage
                         : Macintosh                     ? 10000
                                                         : 0;
    if (from == 10000) {
        converted.assign(reinterpret_cast<const char*>(p), static_cast<size_t>(n));
        for (char& c : converted)
            if (static_cast<uint8_t>(c) >= 128)
                c = static_cast<char>(MacToAnsi[static_cast<uint8_t>(c) - 128]);
        p = reinterpret_cast<const uint8_t*>(converted.data());
    } else if (from) {
        const int to = fontMac != FontMacPages.end()
                           ? CodePageOfCharset(GetFontManager().Font(Char[cfFont]).Charset)
                           : AnsiCodePage;
        converted.assign(reinterpret_cast<const char*>(p), static_cast<size_t>(n));
        for (char& c : converted) {
            if (static_cast<uint8_t>(c) < 128)
                continue;
            const int byte = UnicodeToCodePage(CodePageToUnicode(static_cast<uint8_t>(c), from), to);
            c = static_cast<char>(byte >= 128 ? byte : '?');
        }
        p = reinterpret_cast<const uint8_t*>(converted.data());
    }
    while (n > 0) {
        int32_t run = CountPlainTextRun(p, n);
        if (doubleByte)
            while (run < n && p[run] >= 128)
                ++run;
        if (run > 0) {
            Cur->AppendText(p, run);
            p += run;
            n -= run;
            continue;
        }
        switch (*p) {
        case 150: AddSpecial(scEnDash); break;
        case 151: AddSpecial(scEmDash); break;
        case 160: AddSpecial(scNonBreakingSpace); break;
        case '\t': AddSpecial(scTab); break; // written by some programs for a tab
        case '\\':
        case '{':
        case '}': Cur->AppendText(p, 1); break; // escaped in the file, plain text in the document
        default: break;                         // control bytes are not text
        }
        ++p;
        --n;
    }
}

void TRtfReader::AddChar(uint8_t c)
{
    AddText(&c, 1);
}

void TRtfReader::AddWindowsChar(uint8_t c)
{
    AddText(&c, 1, false);
}

bool TRtfReader::DoubleByteFont() const
{
    TFontManager& fonts = GetFontManager();
    const int32_t font = Char[cfFont];
    if (font < 0 || font >= fonts.FontCount())
        return false;
    return IsDoubleByteCharset(fonts.Font(font).Charset);
}

void TRtfReader::DropTrailingTab()
{
    const int32_t size = Cur->Text.Size();
    if (size < InlineTagSize)
        return;
    const uint8_t* tag = Cur->Text.Data() + size - InlineTagSize;
    if (tag[0] != 0 || tag[InlineTagSize - 1] != 1 || TagCode(tag) != tcSpecial || TagValue(tag) != scTab)
        return;
    Cur->Text.Delete(size - InlineTagSize, InlineTagSize);
    if (Cur->PlainText.Size() > 0)
        Cur->PlainText.SetSize(Cur->PlainText.Size() - 1);
}

void TRtfReader::AddSpecial(uint8_t code)
{
    // A control word standing for a character ("\\emdash", "\\tab", "\\~") is one fallback character.
    if (UnicodeSkip > 0) {
        --UnicodeSkip;
        return;
    }
    if (!Deleted)
        Cur->AppendSpecial(code);
}

TParagraph& TRtfReader::NewParagraph()
{
    Doc.Paragraphs.push_back(std::make_unique<TParagraph>(&Doc));
    return *Doc.Paragraphs.back();
}

bool TRtfReader::BreaksForbidden() const
{
    return Doc.GetModeFlag(mfNoBreaks);
}

// Ends the paragraph with a paragraph mark, or with the mark of the last section ("\sect"), and opens
// the next one in the same formats.
void TRtfReader::EndParagraph(uint8_t mark)
{
    if (Deleted || StyleEntry)
        return;
    if (StoryDepth == 0)
        Result.TextLength += Cur->CharacterCount();
    if (mark == scSectionBreak && !BreaksForbidden() && StoryDepth == 0) {
        EndSection();
    } else {
        Cur->AppendSpecial(scParagraphMark);
    }
    ColumnNumber = 0;
    FlushPendingTabs();
    TParaFormat format = Cur->ParaFormat;
    Cur = &NewParagraph();
    Cur->ParaFormat = format;
    const TCharFormat& base = DefaultCharFormat();
    for (int f = CharFormatFieldCount - 1; f >= 0; --f)
        if (Char[f] != base[f])
            Cur->AppendZeroWidthTag(f, Char[f]);
}

void TRtfReader::HandleSymbol(uint8_t c)
{
    switch (c) {
    case '\\':
    case '{':
    case '}': AddChar(c); break;
    case '~': AddSpecial(scNonBreakingSpace); break;
    case '_': AddSpecial(scNonBreakingHyphen); break;
    case '-': AddSpecial(scOptionalHyphen); break;
    case '\n': EndParagraph(scParagraphMark); break;
    default: break;
    }
}

void TRtfReader::SetCharField(int field, int32_t value)
{
    if (StyleEntry) {
        // A style records every field its entry names, even at the value in force.
        StyleEntry->CharFormat[field] = value;
        Char[field] = value;
        return;
    }
    if (Char[field] == value)
        return;
    Char[field] = value;
    if (!Deleted)
        Cur->AppendZeroWidthTag(field, value);
}

int32_t TRtfReader::ColorIndex(int32_t n) const
{
    if (Colors.empty())
        return 0;
    if (n < 0 || n >= static_cast<int32_t>(Colors.size()))
        n = 0;
    return Colors[static_cast<size_t>(n)].StandardIndex;
}

// A character given by its Unicode number: its byte in the code page of the font in force; a
// character that page lacks is written in the same font with a character set that has it, when one
// does (outside the style sheet), and the font goes back after it.
namespace {

// The double-byte code page of a language (a Windows language identifier), 0 for the others.
int DoubleBytePageOfLanguage(int32_t language)
{
    switch (language & 0x3FF) {
    case 0x11: return 932; // Japanese
    case 0x12: return 949; // Korean
    case 0x04:             // Chinese: Taiwan, Hong Kong and Macau write traditional characters
        return language == 0x0404 || language == 0x0C04 || language == 0x1404 ? 950 : 936;
    default: return 0;
    }
}

} // namespace

void TRtfReader::ReadUnicodeChar(int32_t param)
{
    uint32_t code = static_cast<uint32_t>(param < 0 ? param + 65536 : param);
    TFontManager& fonts = GetFontManager();
    const int32_t font = Char[cfFont];
    const int32_t charset = font >= 0 && font < fonts.FontCount() ? fonts.Font(font).Charset : 0;
    // A double-byte font holds the character in its own code page.
    if (DoubleByteFont()) {
        uint8_t bytes[2];
        const int n = code >= 128 ? UnicodeToDoubleByte(code, CodePageOfCharset(charset), bytes) : 0;
        if (n > 0) {
            AddText(bytes, n, false);
            UnicodeSkip = SkipCount;
            return;
        }
    }
    const int codePage = CodePageOfCharset(charset);
    int byte = UnicodeToCodePage(code, codePage);
    // Characters of a symbol font are given in the private area.
    if (byte < 0 && code >= 0xF020 && code <= 0xF0FF)
        byte = static_cast<int>(code - 0xF000);
    int32_t otherFont = -1;
    if (byte < 32 && !InStyleSheet && charset != SymbolCharset) {
        for (int page : kCharsetCodePages) {
            if (page == codePage || (byte = UnicodeToCodePage(code, page)) < 128)
                continue;
            otherFont = fonts.GetFontForCharset(font, CharsetOfCodePage(page));
            break;
        }
    }
    // A character of no single-byte page (Chinese, Japanese, Korean) is written in the same font with a
    // double-byte character set that holds it, that of the text's language first.
    if (byte < 32 && !InStyleSheet && charset != SymbolCharset && code >= 128) {
        uint8_t bytes[2];
        const int preferred = DoubleBytePageOfLanguage(Char[cfLanguage]);
        for (int i = -1; i < static_cast<int>(std::size(kDoubleByteCodePages)); ++i) {
            const int page = i < 0 ? preferred : kDoubleByteCodePages[i];
            const int n = page ? UnicodeToDoubleByte(code, page, bytes) : 0;
            if (n == 0 || (n == 1 && bytes[0] < 128))
                continue;
            SetCharField(cfFont, fonts.GetFontForCharset(font, CharsetOfCodePage(page)));
            AddText(bytes, n, false);
            SetCharField(cfFont, font);
            UnicodeSkip = SkipCount;
            return;
        }
    }
    if (byte < 32) {
        // No 8-bit form: the fallback characters that follow stand for it.
        UnicodeSkip = 0;
        return;
    }
    if (otherFont >= 0 && otherFont != font) {
        SetCharField(cfFont, otherFont);
        AddWindowsChar(static_cast<uint8_t>(byte));
        SetCharField(cfFont, font);
    } else {
        AddWindowsChar(static_cast<uint8_t>(byte));
    }
    UnicodeSkip = SkipCount;
}

namespace {

// The character field a toggle word sets.
int ToggleField(int word)
{
    switch (word) {
    case rw_b: return cfBold;
    case rw_i: return cfItalic;
    case rw_strike: return cfStrike;
    case rw_striked: return cfDoubleStrike;
    case rw_ul: return cfUnderline;
    case rw_scaps: return cfSmallCaps;
    case rw_caps: return cfAllCaps;
    case rw_shad: return cfShadow;
    case rw_outl: return cfOutline;
    case rw_embo: return cfEmboss;
    case rw_impr: return cfEngrave;
    default: return -1;
    }
}

} // namespace

void TRtfReader::HandleFormattingWord(const TRtfToken& t)
{
    if (t.Word < 0)
        return;
    // The kind of the word decides how its parameter reads. A toggle is off with 0 and on otherwise;
    // without a parameter in a style, it is the opposite of what the style's base has where the style
    // passes resolve that (not for underline, which "\ul" simply turns on). A flag's parameter means
    // nothing, and a value without a parameter is 0.
    if (TControlWords::KindOf(t.Word) == TRtfWordKind::Toggle) {
        const int field = ToggleField(t.Word);
        if (field >= 0)
            SetCharField(field, t.HasParam                                ? t.Param != 0
                                : StyleEntry && IsStyleToggleField(field) ? kStyleToggle
                                                                          : 1);
        return;
    }
    const int32_t p = t.Param;
    TParaFormat& para = Cur->ParaFormat;
    switch (t.Word) {
    // Character formats.
    case rw_f: {
        auto it = FontByNumber.find(p);
        SetCharField(cfFont, it != FontByNumber.end() ? it->second : DefaultCharFormat()[cfFont]);
        break;
    }
    case rw_fs:
        if (p >= kMinFontSize && p <= kMaxFontSize)
            SetCharField(cfSize, p);
        break;
    case rw_ulnone: SetCharField(cfUnderline, 0); break;
    case rw_ulw: SetCharField(cfUnderline, 2); break;
    case rw_uldb: SetCharField(cfUnderline, 3); break;
    case rw_uld: SetCharField(cfUnderline, 4); break;
    case rw_ulth: SetCharField(cfUnderline, 6); break;
    case rw_uldash: SetCharField(cfUnderline, 7); break;
    case rw_uldashd: SetCharField(cfUnderline, 9); break;
    case rw_uldashdd: SetCharField(cfUnderline, 10); break;
    case rw_ulwave: SetCharField(cfUnderline, 11); break;
    case rw_ulthd: SetCharField(cfUnderline, 20); break;
    case rw_ulthdash: SetCharField(cfUnderline, 23); break;
    case rw_ulthdashd: SetCharField(cfUnderline, 25); break;
    case rw_ulthdashdd: SetCharField(cfUnderline, 26); break;
    case rw_ulhwave: SetCharField(cfUnderline, 27); break;
    case rw_ulldash: SetCharField(cfUnderline, 39); break;
    case rw_ululdbwave: SetCharField(cfUnderline, 43); break;
    case rw_ulthldash: SetCharField(cfUnderline, 55); break;
    case rw_ulc: SetCharField(cfUnderlineColor, ColorIndex(p)); break;
    case rw_cf: SetCharField(cfColor, ColorIndex(p)); break;
    case rw_highlight: SetCharField(cfHighlight, ColorIndex(p)); break;
    case rw_super: SetCharField(cfVertPos, 1); break;
    case rw_sub: SetCharField(cfVertPos, 2); break;
    case rw_nosupersub: SetCharField(cfVertPos, 0); break;
    case rw_charscalex:
        if (p >= kMinScale && p <= kMaxScale)
            SetCharField(cfScale, p);
        break;
    case rw_expnd:
        SetCharField(cfSpacing,
                     static_cast<int32_t>(std::clamp<int64_t>(int64_t(p) * 5, -kMaxOffset, kMaxOffset)));
        break;
    case rw_expndtw: SetCharField(cfSpacing, std::clamp(p, -kMaxOffset, kMaxOffset)); break;
    case rw_up: SetCharField(cfRaise, std::clamp(p, -kMaxOffset, kMaxOffset) / 2); break;
    case rw_dn: SetCharField(cfRaise, -(std::clamp(p, -kMaxOffset, kMaxOffset) / 2)); break;
    case rw_kerning: SetCharField(cfKerning, std::clamp(p, 0, kMaxOffset)); break;
    case rw_lang: SetCharField(cfLanguage, p); break;
    case rw_plain: {
        const TCharFormat& base = DefaultCharFormat();
        for (int f = 0; f < cfLanguage; ++f)
            SetCharField(f, base[f]);
        // The font goes back to the document's default font.
        if (auto it = FontByNumber.find(DefaultFontNumber); it != FontByNumber.end())
            SetCharField(cfFont, it->second);
        SetCharField(cfLanguage, Doc.DefaultLanguageId >= 0 ? Doc.DefaultLanguageId : base[cfLanguage]);
        break;
    }
    // Paragraph formats.
    case rw_fi: para[pfFirstIndent] = RtfSignedLength(p); break;
    case rw_li: para[pfLeftIndent] = RtfSignedLength(p); break;
    case rw_ri: para[pfRightIndent] = RtfSignedLength(p); break;
    case rw_sl:
        if (p == 0 || p == 1000) {
            para[pfLineSpacing] = 240;
            para[pfSpacingRule] = 1;
        } else {
            para[pfLineSpacing] = RtfSignedLength(p);
            para[pfSpacingRule] = 0;
        }
        break;
    case rw_slmult: para[pfSpacingRule] = para[pfLineSpacing] < 0 ? 0 : (p != 0); break;
    case rw_ql: para[pfAlignment] = 0; break;
    case rw_qc: para[pfAlignment] = 1; break;
    case rw_qr: para[pfAlignment] = 2; break;
    case rw_qj: para[pfAlignment] = 3; break;
    case rw_keepn: para[pfKeepWithNext] = 1; break;
    case rw_keepnoff: para[pfKeepWithNext] = 0; break;
    case rw_keep: para[pfKeepTogether] = 1; break;
    case rw_keepoff: para[pfKeepTogether] = 0; break;
    case rw_pagebb: para[pfPageBreakBefore] = 1; break;
    case rw_pagebboff: para[pfPageBreakBefore] = 0; break;
    case rw_widctlpar: para[pfWidowControl] = 1; break;
    case rw_nowidctlpar: para[pfWidowControl] = 0; break;
    case rw_sb: para[pfSpaceBefore] = RtfLength(p); break;
    case rw_s:
        para[pfStyle] = InStyleSheet   ? p
                        : StyleNumbers ? StyleNumbers->Find(p)
                                       : FindStyleByNumber(*Doc.StyleList, p);
        break;
    case rw_sa: para[pfSpaceAfter] = RtfLength(p); break;
    case rw_pard:
        para = DefaultParaFormat();
        para[pfWidowControl] = Doc.WidowControl;
        PendingTabs.Clear();
        TabKind = TabLeader = 0;
        break;
    case rw_tqc: TabKind = tkCenter; break;
    case rw_tqr: TabKind = tkRight; break;
    case rw_tqdec: TabKind = tkDecimal; break;
    case rw_tldot: TabLeader = tlDots; break;
    case rw_tlhyph: TabLeader = tlHyphens; break;
    case rw_tlul: TabLeader = tlUnderline; break;
    case rw_tx:
        if (p > 0 && p <= TTabManager::MaxTabPosition)
            PendingTabs.AddTab(PackTabStop(p, TabKind, TabLeader));
        TabKind = TabLeader = 0;
        break;
    case rw_tb:
        if (p > 0 && p <= TTabManager::MaxTabPosition)
            PendingTabs.AddTab(PackTabStop(p, tkBar, tlNone));
        break;
    case rw_pnlvlblt: {
        // The bullet's own characters are dropped: the paragraph is marked instead.
        for (int removed = 0; removed < 2 && Cur->RemoveLastCharacter(); ++removed) {}
        para[pfBullets] = 1;
        break;
    }
    // Document settings.
    case rw_deflang:
        Doc.DefaultLanguageId = p;
        SetCharField(cfLanguage, p);
        break;
    case rw_deflangcoding: Doc.DefaultLanguageCoding = p; break;
    case rw_deftab:
        Tabs->SetDefaultTabInterval(p > 0 ? std::min(p, TTabManager::MaxTabPosition) : 720);
        break;
    case rw_viewscale: Doc.ViewState.ZoomPercent = std::clamp(p, kMinZoom, kMaxZoom); break;
    case rw_viewzk: {
        static const int32_t kinds[] = {0, 3, 1, 2};
        if (p >= 0 && p <= 3)
            Doc.ViewState.ZoomKind = static_cast<uint8_t>(kinds[p]);
        break;
    }
    case rw_widowctrl:
        Doc.WidowControl = true;
        if (!InStyleSheet)
            Doc.Paragraphs.front()->ParaFormat[pfWidowControl] = 1;
        break;
    // Reader flags and text.
    case rw_uc: SkipCount = std::clamp(p, 0, 16); break;
    case rw_u: ReadUnicodeChar(p); break;
    case rw_cs: CharStyle = p; break;
    case rw_deleted: Deleted = true; break;
    case rw_lquote: AddWindowsChar(145); break;
    case rw_rquote: AddWindowsChar(146); break;
    case rw_ldblquote: AddWindowsChar(147); break;
    case rw_rdblquote: AddWindowsChar(148); break;
    case rw_bullet: AddWindowsChar(149); break;
    case rw_tab: AddSpecial(scTab); break;
    case rw_line: AddSpecial(scLineBreak); break;
    case rw_column:
        if (!BreaksForbidden())
            AddSpecial(scColumnBreak);
        break;
    case rw_page:
        if (!BreaksForbidden())
            AddSpecial(scPageBreak);
        break;
    case rw_emdash: AddSpecial(scEmDash); break;
    case rw_endash: AddSpecial(scEnDash); break;
    case rw_trowd:
        CellCount = 0;
        CellsRead = 0;
        break;
    case rw_cellx: ++CellCount; break;
    case rw_cell:
        ++CellsRead;
        if (CellsRead < CellCount)
            AddSpecial(scTab);
        PendingTabs.Clear();
        break;
    case rw_row:
        EndParagraph(scParagraphMark);
        CellsRead = 0;
        break;
    // A cell of a table inside a cell: the row's properties (and its "\\nestrow") follow its cells, so
    // every cell adds a tab and the row's end takes back the last one.
    case rw_nestcell: AddSpecial(scTab); break;
    case rw_nestrow:
        DropTrailingTab();
        EndParagraph(scParagraphMark);
        break;
    case rw_par: EndParagraph(scParagraphMark); break;
    case rw_sect: EndParagraph(scSectionBreak); break;
    case rw_chftn: AddNoteNumber(); break;
    case rw_ftnalt: FootnoteAlternate = true; break;
    case rw_mac: Macintosh = true; break;
    case rw_ansicpg:
        AnsiCodePage = p;
        if (p == 10000) // the Macintosh Roman page
            Macintosh = true;
        // The other Macintosh pages are read as the Windows page of their script.
        MacPage = p == 10006 || p == 10007 || p == 10029 ? p : 0;
        if (MacPage)
            AnsiCodePage = p == 10006 ? 1253 : p == 10007 ? 1251 : 1250;
        break;
    case rw_deff: DefaultFontNumber = p; break;
    default: HandleSectionWord(t); break;
    }
}

// The most fonts one document's table registers.
constexpr size_t MaxFontTableEntries = 4096;

void TRtfReader::ReadFontTable(int depth)
{
    std::vector<TDocFontInfo> read;
    TDocFontInfo entry;
    int32_t entryMacPage = 0;
    std::vector<int32_t> macPages; // beside Read
    bool open = false;
    auto finish = [&] {
        std::string& name = entry.Name;
        while (!name.empty() &&
               (static_cast<uint8_t>(name.back()) <= 13 || name.back() == ' ' || name.back() == ';'))
            name.pop_back();
        // Fonts past what any system holds are dropped: their numbers read as the default font.
        if (open && !name.empty() && read.size() < MaxFontTableEntries) {
            read.push_back(entry);
            macPages.push_back(entryMacPage);
        }
        entry = TDocFontInfo();
        entryMacPage = 0;
        open = false;
    };
    auto addName = [&](const uint8_t* p, int32_t n) {
        for (int32_t i = 0; i < n; ++i) {
            if (p[i] == ';') {
                finish();
            } else {
                entry.Name += static_cast<char>(p[i]);
                open = true;
            }
        }
    };
    int entryDepth = depth;
    while (Tok.Depth() >= depth) {
        const TRtfToken& t = Tok.Next();
        if (t.Kind == TRtfTokenKind::End)
            break;
        switch (t.Kind) {
        case TRtfTokenKind::GroupStart: {
            const TRtfToken& n = Tok.Next();
            if (n.Kind == TRtfTokenKind::Symbol && n.Char == '*') {
                SkipGroup(Tok.Depth());
                break;
            }
            if (Tok.Depth() == depth + 1) {
                // An entry of its own.
                finish();
                entryDepth = depth + 1;
            }
            if (n.Kind == TRtfTokenKind::GroupEnd)
                break;
            if (n.Kind == TRtfTokenKind::Word && n.Word == rw_f) {
                entry.Number = n.Param;
                open = true;
            } else if (n.Kind == TRtfTokenKind::Text) {
                addName(n.Text, n.Length);
            }
            break;
        }
        case TRtfTokenKind::GroupEnd:
            if (Tok.Depth() < entryDepth) {
                finish();
                entryDepth = depth;
            }
            break;
        case TRtfTokenKind::Word:
            open = true;
            switch (t.Word) {
            case rw_f: entry.Number = t.Param; break;
            case rw_fcharset:
                // 256 and beyond name no character set: the font takes the document's. A Macintosh set
                // is read as the Windows set of its script.
                if (TMacCharset mac; MacCharset(t.Param, mac)) {
                    entry.Charset = mac.WindowsCharset;
                    entryMacPage = mac.MacPage;
                } else if (t.Param >= 0 && t.Param <= 255) {
                    entry.Charset = t.Param;
                    entryMacPage = 0;
                }
                break;
            case rw_fnil: entry.PitchAndFamily = 0; break;
            case rw_froman: entry.PitchAndFamily = 16; break;
            case rw_fswiss: entry.PitchAndFamily = 32; break;
            case rw_fmodern: entry.PitchAndFamily = 48; break;
            case rw_fscript: entry.PitchAndFamily = 64; break;
            case rw_fdecor: entry.PitchAndFamily = 80; break;
            case rw_fprq: entry.PitchBits = t.Param & 2; break;
            default: break;
            }
            break;
        case TRtfTokenKind::Text: addName(t.Text, t.Length); break;
        case TRtfTokenKind::Byte: addName(&t.Char, 1); break;
        default: break;
        }
    }
    finish();
    // A font without a character set of its own is in the document's code page.
    const int32_t documentCharset = CharsetOfCodePage(AnsiCodePage);
    TFontManager& shared = GetFontManager();
    for (size_t i = 0; i < read.size(); ++i) {
        TDocFontInfo& f = read[i];
        if (f.Charset == UndefinedField && documentCharset != 0)
            f.Charset = documentCharset;
        f.SharedIndex = shared.RegisterFont(f.Name, f.Charset, f.PitchAndFamily | f.PitchBits);
        // Fonts of one name and script share a registered font: the last one read says how its bytes read.
        if (macPages[i])
            FontMacPages[f.SharedIndex] = macPages[i];
        else
            FontMacPages.erase(f.SharedIndex);
        FontByNumber[f.Number] = f.SharedIndex;
        Fonts.push_back(f);
    }
}

void TRtfReader::ReadColorTable(int depth)
{
    int32_t rgb[3] = {0, 0, 0};
    bool given = false;
    auto endEntry = [&] {
        TColorTableEntry e;
        e.Automatic = !given;
        e.Color = static_cast<TColorRef>(rgb[0] | rgb[1] << 8 | rgb[2] << 16);
        Colors.push_back(e);
        rgb[0] = rgb[1] = rgb[2] = 0;
        given = false;
    };
    while (const TRtfToken* t = NextOfGroup(depth)) {
        if (t->Kind == TRtfTokenKind::Word &&
            (t->Word == rw_red || t->Word == rw_green || t->Word == rw_blue)) {
            rgb[t->Word == rw_red ? 0 : t->Word == rw_green ? 1 : 2] = std::clamp(t->Param, 0, 255);
            given = true;
        } else if (t->Kind == TRtfTokenKind::Text) {
            for (int32_t i = 0; i < t->Length; ++i)
                if (t->Text[i] == ';')
                    endEntry();
        }
    }
    TColorManager::MatchColorTable(Colors);
}

// A date and time from the words "\\yr", "\\mo", "\\dy", "\\hr" and "\\min" of the group, as a date-time
// value; a group without a valid date leaves the value as it was.
void TRtfReader::ReadDate(int depth, double& into)
{
    int32_t yr = 0, mo = 0, dy = 0, hr = 0, mi = 0;
    while (const TRtfToken* t = NextOfGroup(depth)) {
        if (t->Kind != TRtfTokenKind::Word)
            continue;
        switch (t->Word) {
        case rw_yr: yr = t->Param; break;
        case rw_mo: mo = t->Param; break;
        case rw_dy: dy = t->Param; break;
        case rw_hr: hr = t->Param; break;
        case rw_min: mi = t->Param; break;
        default: break;
        }
    }
    TDateTime date = 0, time = 0;
    if (!TryEncodeDate(yr, mo, dy, date))
        return;
    if (!TryEncodeTime(hr, mi, 0, 0, time))
        time = 0;
    into = date + time;
}

// Entered behind a "{" inside a destination: a destination group goes to its handler, any other group
// is skipped whole.
void TRtfReader::DispatchOrSkip()
{
    int inner = Tok.Depth();
    const TRtfToken& n = Tok.Next();
    if (n.Kind == TRtfTokenKind::GroupEnd || n.Kind == TRtfTokenKind::End)
        return;
    int word = n.Kind == TRtfTokenKind::Word ? n.Word : -1;
    if (n.Kind == TRtfTokenKind::Symbol && n.Char == '*') {
        const TRtfToken& w = Tok.Next();
        if (w.Kind == TRtfTokenKind::GroupEnd || w.Kind == TRtfTokenKind::End)
            return;
        word = w.Kind == TRtfTokenKind::Word ? w.Word : -1;
    }
    if (!(TControlWords::IsDestination(word) && DispatchControlWord(word, inner)))
        SkipGroup(inner);
}

void TRtfReader::ReadInfo(int depth)
{
    while (Tok.Depth() >= depth) {
        const TRtfToken& t = Tok.Next();
        if (t.Kind == TRtfTokenKind::End)
            break;
        if (t.Kind == TRtfTokenKind::GroupStart)
            DispatchOrSkip();
        else if (t.Kind == TRtfTokenKind::Word && t.Word == rw_dskparnr)
            RtfSavedCaret.Paragraph = std::max(t.Param, 0);
        else if (t.Kind == TRtfTokenKind::Word && t.Word == rw_dskcharnr)
            RtfSavedCaret.Offset = std::max(t.Param, 0);
    }
}

// The Unicode form of a piece of text beside its 8-bit form: the 8-bit group is skipped and the "ud"
// group read like any group of the text (its nested groups and plain characters are text too).
void TRtfReader::ReadUpr(int depth)
{
    bool first = true;
    while (Tok.Depth() >= depth) {
        const TRtfToken& t = Tok.Next();
        if (t.Kind == TRtfTokenKind::End)
            break;
        if (t.Kind != TRtfTokenKind::GroupStart)
            continue;
        if (first)
            SkipGroup(Tok.Depth());
        else
            DispatchOrSkip();
        first = false;
    }
}

// A picture or an embedded object is placed in the text unless text is being dropped; a result group on
// its own gives its pictures to the document.
void TRtfReader::ReadPictureOrObject(int word, int depth)
{
    auto toDocument = [this](int w, int d) { return DispatchControlWord(w, d); };
    if (word == rw_result) {
        ReadRtfObjectResult(Tok, depth, nullptr, toDocument);
        return;
    }
    std::unique_ptr<TDocObject> object;
    TRtfToken stray;
    if (word == rw_pict)
        object = ReadRtfPictureObject(Tok, depth, Doc);
    else
        object = ReadRtfObject(Tok, depth, Doc, toDocument, stray);
    if (object && !Deleted) {
        const int code = word == rw_pict ? tcPicture : tcOLEObject;
        Cur->AppendObject(code, Doc.ObjectManager->AddObject(std::move(object))->Handle);
    }
    // What follows an object left open is read as the document's.
    if (stray.Kind != TRtfTokenKind::End)
        HandleToken(stray);
}

// A Word 6 drawing object: the text of its text box is read into the text, the rest is passed over.
void TRtfReader::ReadDrawingObject(int depth)
{
    PushState();
    while (Tok.Depth() >= depth) {
        const TRtfToken& t = Tok.Next();
        if (t.Kind == TRtfTokenKind::End)
            break;
        if (t.Kind == TRtfTokenKind::GroupStart)
            DispatchOrSkip();
    }
    PopState();
}

// The properties of a row of a table inside a cell: only its end matters to the text.
void TRtfReader::ReadNestedTableProperties(int depth)
{
    while (const TRtfToken* t = NextOfGroup(depth))
        if (t->Kind == TRtfTokenKind::Word && t->Word == rw_nestrow)
            HandleFormattingWord(*t);
}

TRtfSavedCaret RtfSavedCaret;

TRtfReadResult ReadRtfDocument(TDocument& document, TLoadInput& input)
{
    RtfSavedCaret = {};
    TRtfReader reader(document, input);
    return reader.Read();
}
