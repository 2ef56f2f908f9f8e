// The Word reader's text: the piece table, the formatting pages, the walk over the stories' characters
// into paragraphs with their formats, sections, fields, bookmarks, notes and headers and footers.
#include <algorithm>
#include <string>

#include "classlib/runtime/Exceptions.h"
#include "core/Fonts.h"
#include "core/Memory.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/PageSetup.h"
#include "document/Paragraph.h"
#include "document/Section.h"
#include "document/Field.h"
#include "codecs/CodePages.h"
#include "formats/FieldInstructions.h"
#include "formats/load/ParagraphBuilder.h"
#include "formats/load/SectionChecks.h"
#include "formats/word/WinWord.h"
#include "formats/word/WordReading.h"

namespace {

constexpr uint32_t kCompressedPiece = 0x40000000;
constexpr int32_t kPageSize = 512;
constexpr int32_t kMaxSectionLength = 31680;
// Progress is told at a paragraph start once this many characters were read since it last was.
constexpr int32_t kProgressStep = 65536;

int32_t Length(int32_t v)
{
    return std::clamp(v, 0, kMaxSectionLength);
}

// The Windows code-page byte of a character of the text; '?' for one the page cannot show.
uint8_t AnsiOf(uint16_t c)
{
    if (c < 128)
        return static_cast<uint8_t>(c);
    const int b = UnicodeToAnsi(c);
    return b > 0 ? static_cast<uint8_t>(b) : '?';
}

} // namespace

void TWordReader::ReadPieces()
{
    if (!Word97 && !Complex) {
        TWordPiece piece;
        piece.To = StoryEnd;
        piece.Fc = Fib32(24);
        Pieces.push_back(piece);
    } else {
        Clx = ReadTable(Pair(352, 418));
        size_t at = 0;
        bool found = false;
        while (at < Clx.size() && !found) {
            const uint8_t type = Clx[at];
            if (type == 1) {
                const size_t size = U16(Clx, at + 1);
                if (at + 3 + size > Clx.size())
                    Abort();
                PieceGroups.emplace_back(static_cast<int32_t>(at + 3), static_cast<int32_t>(size));
                at += 3 + size;
            } else if (type == 2) {
                const uint64_t size = U32(Clx, at + 1);
                at += 5;
                if (at + size > Clx.size() || size < 4)
                    Abort();
                const size_t count = (size - 4) / 12;
                for (size_t i = 0; i < count; ++i) {
                    TWordPiece piece;
                    piece.From = static_cast<int32_t>(U32(Clx, at + 4 * i));
                    piece.To = static_cast<int32_t>(U32(Clx, at + 4 * (i + 1)));
                    const size_t pcd = at + 4 * (count + 1) + 8 * i;
                    uint32_t fc = U32(Clx, pcd + 2);
                    const uint16_t prm = U16(Clx, pcd + 6);
                    if (Word97) {
                        piece.Unicode = !(fc & kCompressedPiece);
                        if (!piece.Unicode)
                            fc = (fc & ~kCompressedPiece) / 2;
                    }
                    piece.Fc = fc;
                    piece.Prm = prm & 1 ? prm >> 1 : -1;
                    // Pieces out of order, or past the main stream, end the table.
                    if (piece.From < 0 || piece.To <= piece.From ||
                        (!Pieces.empty() && piece.From < Pieces.back().To))
                        break;
                    const uint64_t bytes = uint64_t(piece.To - piece.From) * (piece.Unicode ? 2 : 1);
                    if (uint64_t(piece.Fc) + bytes > Main.size()) {
                        const uint64_t fit =
                            Main.size() > piece.Fc ? (Main.size() - piece.Fc) / (piece.Unicode ? 2 : 1) : 0;
                        if (fit == 0)
                            break;
                        piece.To = piece.From + static_cast<int32_t>(fit);
                        Pieces.push_back(piece);
                        break;
                    }
                    Pieces.push_back(piece);
                }
                found = true;
            } else {
                Abort();
            }
        }
        if (!found)
            Abort();
    }
    if (!Pieces.empty() && Pieces.front().Prm < 0 && Pieces.size() == 1) {
        TWordPiece& only = Pieces.front();
        const uint64_t fit = Main.size() > only.Fc ? Main.size() - only.Fc : 0;
        if (uint64_t(only.To - only.From) > fit)
            only.To = only.From + static_cast<int32_t>(fit);
    }
    // The bin tables of the formatting pages.
    auto readBin = [this](const TWordFcLcb& pair, std::vector<uint32_t>& bounds,
                          std::vector<uint32_t>& pages) {
        const std::vector<uint8_t> b = ReadTable(pair);
        const size_t pageSize = Word97 ? 4 : 2;
        if (b.size() < 4)
            return;
        const size_t count = (b.size() - 4) / (4 + pageSize);
        for (size_t i = 0; i <= count; ++i)
            bounds.push_back(U32(b, 4 * i));
        for (size_t i = 0; i < count; ++i)
            pages.push_back(Word97 ? U32(b, 4 * (count + 1) + 4 * i) : U16(b, 4 * (count + 1) + 2 * i));
    };
    readBin(Pair(184, 250), ChpxBounds, ChpxPages);
    readBin(Pair(192, 258), PapxBounds, PapxPages);
}

bool TWordReader::FindRun(bool paragraphs, uint32_t fc, TWordRun& run)
{
    const std::vector<uint32_t>& bounds = paragraphs ? PapxBounds : ChpxBounds;
    const std::vector<uint32_t>& pages = paragraphs ? PapxPages : ChpxPages;
    run = TWordRun{};
    if (pages.empty())
        return false;
    const int32_t maxRuns = paragraphs ? (Word97 ? 29 : 46) : 101;
    const int32_t entrySize = paragraphs ? (Word97 ? 13 : 7) : 1;
    // Searches one page; 1 found, 0 not in it, -1 not a page.
    auto search = [&](uint32_t page) -> int {
        if (uint64_t(page) * kPageSize + kPageSize > Main.size())
            return -1;
        const uint8_t* p = Main.data() + size_t(page) * kPageSize;
        const int32_t crun = p[kPageSize - 1];
        if (crun == 0 || crun > maxRuns)
            return -1;
        auto fcAt = [p](int32_t i) {
            return p[4 * i] | uint32_t(p[4 * i + 1]) << 8 | uint32_t(p[4 * i + 2]) << 16 |
                   uint32_t(p[4 * i + 3]) << 24;
        };
        if (fc < fcAt(0) || fc >= fcAt(crun))
            return 0;
        int32_t lo = 0, hi = crun - 1;
        while (lo < hi) {
            const int32_t mid = (lo + hi + 1) / 2;
            if (fcAt(mid) <= fc)
                lo = mid;
            else
                hi = mid - 1;
        }
        run.From = fcAt(lo);
        run.To = fcAt(lo + 1);
        const int32_t offset = p[4 * (crun + 1) + lo * entrySize] * 2;
        const size_t base = size_t(page) * kPageSize;
        if (offset == 0 || offset >= kPageSize - 1)
            return 1;
        int32_t start = offset + 1, size = p[offset];
        if (paragraphs) {
            if (Word97 && size == 0) {
                size = p[offset + 1];
                start = offset + 2;
            }
            size *= 2;
        }
        // A group is read only within its page.
        size = std::max(0, std::min(size, kPageSize - 1 - start));
        run.GroupAt = static_cast<int32_t>(base) + start;
        run.GroupSize = size;
        return 1;
    };
    const size_t i = static_cast<size_t>(std::upper_bound(bounds.begin(), bounds.end(), fc) - bounds.begin());
    if (i >= 1 && i - 1 < pages.size()) {
        if (search(pages[i - 1]) == 1)
            return true;
    }
    // Pages the bin table does not list follow the last one that it does.
    if (!Complex && i >= bounds.size()) {
        const uint32_t pageCount = static_cast<uint32_t>(Main.size() / kPageSize);
        for (uint32_t page = pages.back() + 1; page < pageCount; ++page) {
            const int r = search(page);
            if (r == 1)
                return true;
            if (r < 0)
                break;
        }
    }
    run = TWordRun{};
    run.From = fc;
    run.To = fc + 1;
    return false;
}

void TWordReader::ReadSections()
{
    const std::vector<uint8_t> b = ReadTable(Pair(136, 202));
    if (b.size() < 4)
        return;
    const size_t count = (b.size() - 4) / 16;
    for (size_t i = 0; i < count; ++i) {
        SectionEnds.push_back(static_cast<int32_t>(U32(b, 4 * (i + 1))));
        SectionSepx.push_back(U32(b, 4 * (count + 1) + 12 * i + 2));
    }
}

int32_t TWordReader::SectionIndexAt(int32_t cp) const
{
    if (SectionEnds.empty())
        return -1;
    if (cp < 0)
        return static_cast<int32_t>(SectionEnds.size()) - 1;
    const auto it = std::upper_bound(SectionEnds.begin(), SectionEnds.end(), cp);
    if (it == SectionEnds.end())
        return static_cast<int32_t>(SectionEnds.size()) - 1;
    return static_cast<int32_t>(it - SectionEnds.begin());
}

void TWordReader::BuildSectionProps(int32_t cp, TWordSectionProps& props)
{
    props = DefaultWordSectionProps();
    const int32_t i = SectionIndexAt(cp);
    if (i < 0)
        return;
    const uint32_t at = SectionSepx[size_t(i)];
    if (at == 0xFFFFFFFF || uint64_t(at) + 2 > Main.size())
        return;
    const size_t size = std::min<size_t>(U16(Main, at), Main.size() - at - 2);
    DecodeSectionSprms(Ctx, Main.data() + at + 2, static_cast<int32_t>(size), props);
}

void TWordReader::FillSection(TSection& section, int32_t cp)
{
    TWordSectionProps w;
    BuildSectionProps(cp, w);
    TPageSetup& ps = section.PageSetup;
    ps[psOrientation] = w[wsOrientation] == 2 ? 1 : 0;
    ps[psWidth] = Length(w[wsPageWidth]);
    ps[psHeight] = Length(w[wsPageHeight]);
    ps[psLeftMargin] = Length(w[wsLeftMargin]);
    ps[psRightMargin] = Length(w[wsRightMargin]);
    ps[psTopMargin] = Length(std::abs(w[wsTopMargin]));
    ps[psBottomMargin] = Length(std::abs(w[wsBottomMargin]));
    ps[psHeaderDistance] = Length(w[wsHeaderDistance]);
    ps[psFooterDistance] = Length(w[wsFooterDistance]);
    ps[psHeaderFlags] = (ps[psHeaderFlags] & 0xFF) | (w[wsTitlePage] ? 0x100 : 0);
    TSectionParams& sp = section.Params;
    sp[spColumnCount] = std::clamp(w[wsColumnCount], 1, MaxColumns);
    sp[spEqualWidths] = w[wsEvenlySpaced] ? 1 : 0;
    sp[spColumnGap] = Length(w[wsColumnGap]);
    for (int n = 0; n < MaxColumns; ++n) {
        const int32_t width = w[kWordSectionScalars + n * kWordColumnEntrySize + 1];
        const int32_t gap = w[kWordSectionScalars + n * kWordColumnEntrySize + 2];
        sp[ColumnField(n, ceWidth)] = Length(width);
        sp[ColumnField(n, ceGapAfter)] = Length(gap);
    }
    sp[spLineBetween] = w[wsLineBetween] ? 1 : 0;
    // The section keeps the numbering format in Word's own order (decimal, Roman, letters).
    section.PageNumberStyle = std::clamp(w[wsPageNumberFormat], 0, 4);
    section.PageNumberRestart = w[wsPageNumberRestart] ? std::max(0, w[wsPageNumberStart]) : -1;
    section.FullySaved = 1;
}

void TWordReader::ReadFieldTypes()
{
    struct TTable {
        TWordFcLcb Pair;
        int32_t Offset;
    };
    const TTable tables[] = {{Pair(216, 282), 0},
                             {Pair(232, 298), CcpText},
                             {Pair(224, 290), CcpText + CcpFtn},
                             {Pair(482, 538), EdnStart}};
    for (const TTable& t : tables) {
        const std::vector<uint8_t> b = ReadTable(t.Pair);
        if (b.size() < 4)
            continue;
        const size_t count = (b.size() - 4) / 6;
        for (size_t i = 0; i < count; ++i) {
            const uint8_t ch = b[4 * (count + 1) + 2 * i], type = b[4 * (count + 1) + 2 * i + 1];
            // A position outside the document (a damaged table) names no field.
            const int64_t cp = int64_t(static_cast<int32_t>(U32(b, 4 * i))) + t.Offset;
            if ((ch & 0x1F) == 19 && cp >= 0 && cp <= INT32_MAX)
                FieldTypes.emplace_back(static_cast<int32_t>(cp), type);
        }
    }
    std::sort(FieldTypes.begin(), FieldTypes.end());
}

void TWordReader::ReadNotesAndHeaders()
{
    auto positions = [this](const std::vector<uint8_t>& b, int32_t offset) {
        std::vector<int32_t> cps;
        for (size_t i = 0; i + 4 <= b.size(); i += 4)
            // Saturated: a damaged position stays past every story instead of wrapping round.
            cps.push_back(static_cast<int32_t>(std::clamp<int64_t>(
                int64_t(static_cast<int32_t>(U32(b, i))) + offset, INT32_MIN, INT32_MAX)));
        return cps;
    };
    auto notes = [&](TNotes& n, const TWordFcLcb& refs, const TWordFcLcb& texts, int32_t textOffset) {
        const std::vector<uint8_t> r = ReadTable(refs);
        if (r.size() < 4)
            return;
        size_t count = (r.size() - 4) / 6;
        n.Texts = positions(ReadTable(texts), textOffset);
        // A reference without a text is no note.
        count = std::min(count, n.Texts.empty() ? 0 : n.Texts.size() - 1);
        for (size_t i = 0; i < count; ++i) {
            n.Refs.push_back(static_cast<int32_t>(U32(r, 4 * i)));
            n.Auto.push_back(U16(r, 4 * (count + 1) + 2 * i) != 0);
        }
        n.Texts.resize(count + 1 <= n.Texts.size() ? count + 1 : 0);
    };
    notes(Footnotes, Pair(104, 170), Pair(112, 178), CcpText);
    notes(Endnotes, Pair(466, 522), Pair(474, 530), EdnStart);

    std::vector<int32_t> bounds = positions(ReadTable(Pair(176, 242)), CcpText + CcpFtn);
    if (!Word97 && !bounds.empty()) {
        // The first generation lists only the stories its flags announce: the others are inserted
        // empty, six per group.
        std::vector<int32_t> all;
        size_t next = 0;
        auto group = [&](int mask) {
            for (int bit = 0; bit < 6; ++bit) {
                all.push_back(bounds[std::min(next, bounds.size() - 1)]);
                if (mask & (1 << bit))
                    ++next;
            }
        };
        group(Dop[1] & 0x3F);
        for (size_t s = 0; s < SectionEnds.size(); ++s) {
            TWordSectionProps props;
            BuildSectionProps(s == 0 ? 0 : SectionEnds[s - 1], props);
            group(props[wsHeaderFlags]);
        }
        all.push_back(bounds[std::min(next, bounds.size() - 1)]);
        bounds = std::move(all);
    }
    if (bounds.size() > 6)
        HeaderBounds.assign(bounds.begin() + 6, bounds.end());
}

void TWordReader::CharPropsAt(uint32_t fc, const TWordPiece& piece)
{
    TWordRun run;
    FindRun(false, fc, run);
    CharRun = run;
    RunStyle = Ctx.ParagraphStyle;
    ClearWordRecord(RunChars);
    ClearWordRecord(RunScale);
    if (run.GroupAt >= 0)
        DecodeCharSprms(Ctx, Main.data() + run.GroupAt, run.GroupSize, RunChars, false);
    if (piece.Prm >= 0 && size_t(piece.Prm) < PieceGroups.size()) {
        TWordParaProps para;
        TWordCharProps chars;
        TWordSectionProps section;
        const auto& g = PieceGroups[size_t(piece.Prm)];
        DecodeAllSprms(Ctx, Clx.data() + g.first, g.second, para, chars, section, RunScale);
        for (int f = 0; f < WordCharFieldCount; ++f)
            if (chars[f] != kWordUnset)
                RunChars[f] = chars[f];
    }
    TCharFormat format = UnitBase;
    for (int f = 0; f < CharFormatFieldCount; ++f)
        if (RunChars[f] != kWordUnset)
            format[f] = RunChars[f];
    Current = format;
    FormatDirty = true;
}

void TWordReader::FlushText()
{
    if (Pending.empty())
        return;
    Cur->AppendText(reinterpret_cast<const uint8_t*>(Pending.data()), static_cast<int32_t>(Pending.size()));
    TextLength += static_cast<int32_t>(Pending.size());
    Pending.clear();
}

void TWordReader::WriteFormat()
{
    for (int f = 0; f < CharFormatFieldCount; ++f) {
        if (Current[f] == Written[f])
            continue;
        FlushText();
        Cur->AppendZeroWidthTag(f, Current[f]);
        Written[f] = Current[f];
    }
    FormatDirty = false;
}

void TWordReader::StartUnit(int32_t cp, int32_t to, bool mainText)
{
    // The mark that ends this paragraph: its properties are the paragraph's.
    UnitEnd = to - 1;
    uint32_t markFc = 0;
    bool found = false;
    const TWordPiece* markPiece = nullptr;
    auto it = std::upper_bound(Pieces.begin(), Pieces.end(), cp,
                               [](int32_t v, const TWordPiece& p) { return v < p.To; });
    for (; it != Pieces.end() && it->From < to && !found; ++it) {
        const int32_t start = std::max(cp, it->From), end = std::min(to, it->To);
        const int32_t width = it->Unicode ? 2 : 1;
        const uint8_t* base = Main.data() + it->Fc;
        for (int32_t c = start; c < end; ++c) {
            const size_t at = size_t(c - it->From) * size_t(width);
            const uint16_t ch = width == 2 ? static_cast<uint16_t>(base[at] | base[at + 1] << 8) : base[at];
            if (ch == 13 || ch == 7 ||
                (ch == 12 && mainText && std::binary_search(SectionEnds.begin(), SectionEnds.end(), c + 1))) {
                UnitEnd = c;
                markFc = it->Fc + static_cast<uint32_t>(at);
                markPiece = &*it;
                found = true;
                break;
            }
        }
    }
    TWordRun run;
    ClearWordRecord(UnitPara);
    if (found && FindRun(true, markFc, run) && run.GroupAt >= 0) {
        DecodeParaGroup(Ctx, Main.data() + run.GroupAt, run.GroupSize, UnitPara, false, -1);
    } else {
        Ctx.ParagraphStyle = 0;
        const TParaFormat& defaults = DefaultParaFormat();
        for (int f = 0; f < ParaFormatFieldCount; ++f)
            UnitPara[f] = defaults[f];
        UnitPara[pfStyle] = 0;
    }
    if (markPiece && markPiece->Prm >= 0 && size_t(markPiece->Prm) < PieceGroups.size()) {
        TWordParaProps para;
        TWordCharProps chars;
        TWordSectionProps section;
        TWordPictureScale scale;
        const auto& g = PieceGroups[size_t(markPiece->Prm)];
        DecodeAllSprms(Ctx, Clx.data() + g.first, g.second, para, chars, section, scale);
        for (int f = 0; f < WordParaFieldCount; ++f)
            if (para[f] != kWordUnset && f != pfStyle)
                UnitPara[f] = para[f];
    }
    const int32_t style = Ctx.ParagraphStyle;
    UnitBase = style >= 0 && size_t(style) < Ctx.StyleChars.size() ? Ctx.StyleChars[size_t(style)]
                                                                   : DefaultCharFormat();
    RunStyle = -2;
}

void TWordReader::EndParagraph(uint8_t mark)
{
    FlushText();
    WriteFormat();
    if (mark == scSectionBreak) {
        TSection& ended = *Doc.Sections.back();
        Cur->AppendObject(tcSectionBreak, ended.Handle);
    } else {
        Cur->AppendSpecial(mark);
    }
    TParaFormat& format = Cur->ParaFormat;
    format = DefaultParaFormat();
    for (int f = 0; f < ParaFormatFieldCount; ++f)
        if (UnitPara[f] != kWordUnset)
            format[f] = UnitPara[f];
    format[pfAlignment] = std::clamp(format[pfAlignment], 0, 3);
    Doc.Paragraphs.push_back(std::make_unique<TParagraph>(&Doc));
    Cur = Doc.Paragraphs.back().get();
    Written = DefaultCharFormat();
    FormatDirty = true;
}

void TWordReader::AddSymbol(uint16_t font, uint16_t character)
{
    const uint8_t byte = static_cast<uint8_t>(std::max<int>(character & 0xFF, 32));
    const int32_t fontIndex = font < Ctx.FontMap.size() ? Ctx.FontMap[font] : Current[cfFont];
    TFontManager& fonts = GetFontManager();
    std::string code = "SYMBOL " + std::to_string(byte);
    if (fontIndex >= 0 && fontIndex < fonts.FontCount())
        code += " \\f \"" + fonts.Font(fontIndex).Name + "\"";
    FlushText();
    WriteFormat();
    TField* field = ParseFieldInstruction(code, kFieldTypeSymbol, Doc, *Cur, OpenFields);
    if (fontIndex != Written[cfFont])
        Cur->AppendZeroWidthTag(cfFont, fontIndex);
    Cur->AppendText(&byte, 1);
    ++TextLength;
    if (fontIndex != Written[cfFont])
        Cur->AppendZeroWidthTag(cfFont, Written[cfFont]);
    if (field) {
        Cur->AppendZeroWidthTag(tcFieldEnd, field->Handle);
        OpenFields.erase(std::remove(OpenFields.begin(), OpenFields.end(), field), OpenFields.end());
    }
}

void TWordReader::HandleFieldMark(uint16_t c, int32_t cp)
{
    if (c == 19) {
        if (!FieldStack.empty() && !FieldStack.back().InResult) {
            ++FieldStack.back().Nested;
            return;
        }
        TWordFieldState state;
        state.BeginCp = cp;
        FieldStack.push_back(state);
        return;
    }
    if (FieldStack.empty())
        return;
    TWordFieldState& top = FieldStack.back();
    if (c == 20) {
        if (top.InResult || top.Nested > 0)
            return;
        FlushText();
        WriteFormat();
        const auto it =
            std::lower_bound(FieldTypes.begin(), FieldTypes.end(), std::make_pair(top.BeginCp, uint8_t(0)));
        const int type = it != FieldTypes.end() && it->first == top.BeginCp ? it->second : kUnknownFieldType;
        top.Field = ParseFieldInstruction(top.Code, type < kFieldTypeCount ? type : kUnknownFieldType, Doc,
                                          *Cur, OpenFields);
        top.InResult = true;
    } else {
        if (!top.InResult && top.Nested > 0) {
            --top.Nested;
            return;
        }
        // A field without a result shows nothing.
        if (top.Field) {
            FlushText();
            Cur->AppendZeroWidthTag(tcFieldEnd, top.Field->Handle);
            OpenFields.erase(std::remove(OpenFields.begin(), OpenFields.end(), top.Field), OpenFields.end());
        }
        FieldStack.pop_back();
    }
    Ctx.HyperlinkOpen = std::any_of(OpenFields.begin(), OpenFields.end(),
                                    [](const TField* f) { return f->FieldType == kFieldTypeHyperlink; });
}

void TWordReader::AddNoteReference(int32_t cp, uint16_t c)
{
    const bool endnote = Endnotes.Next < Endnotes.Refs.size() && Endnotes.Refs[Endnotes.Next] == cp;
    TNotes& notes = endnote ? Endnotes : Footnotes;
    const size_t index = notes.Next++;
    FlushText();
    WriteFormat();
    auto reference = std::make_unique<TField>();
    reference->Kind = fkNoteReference;
    reference->AutoNumbered = notes.Auto[index];
    auto text = std::make_unique<TField>();
    text->Kind = fkNoteText;
    text->IsEndnote = endnote;
    text->Reference = reference.get();
    reference->Owner = text.get();
    Cur->AppendZeroWidthTag(tcFieldStart, reference->Handle);
    if (reference->AutoNumbered || c < 32) {
        Cur->AppendSpecial(scFieldResult);
    } else {
        const uint8_t b = AnsiOf(c);
        Cur->AppendText(&b, 1);
    }
    Cur->AppendZeroWidthTag(tcFieldEnd, reference->Handle);
    ++TextLength;
    TField& noteText = *text;
    Doc.Fields.push_back(std::move(reference));
    Doc.Fields.push_back(std::move(text));
    const int32_t from = notes.Texts[index], to = notes.Texts[index + 1];
    // The note's text is read after the main text; its place is kept with its field.
    NoteTexts.push_back({from, to, &noteText});
}

void TWordReader::AddNoteNumber()
{
    FlushText();
    WriteFormat();
    Doc.Fields.push_back(std::make_unique<TField>());
    TField& number = *Doc.Fields.back();
    number.Kind = fkNoteNumber;
    Cur->AppendZeroWidthTag(tcFieldStart, number.Handle);
    Cur->AppendSpecial(scFieldResult);
    Cur->AppendZeroWidthTag(tcFieldEnd, number.Handle);
}

void TWordReader::AddPicture()
{
    const int32_t location = RunChars[wcPictureLocation];
    if (location == kWordUnset)
        return;
    auto picture = std::make_unique<TDocPicture>(&Doc);
    if (!ReadPicture(static_cast<uint32_t>(location), *picture))
        return;
    TDocObject* object = Doc.ObjectManager->AddObject(std::move(picture));
    FlushText();
    WriteFormat();
    Cur->AppendObject(tcPicture, object->Handle);
    ++TextLength;
}

void TWordReader::HandleControl(uint16_t c, int32_t cp, bool mainText)
{
    const bool noBreaks = Doc.GetModeFlag(mfNoBreaks);
    auto special = [this](uint8_t code) {
        FlushText();
        WriteFormat();
        Cur->AppendSpecial(code);
        ++TextLength;
    };
    switch (c) {
    case 13: EndParagraph(scParagraphMark); break;
    case 7:
        if (UnitPara[wpInTable] == 1) {
            if (UnitPara[wpRowEnd] == 1)
                EndParagraph(scParagraphMark);
            else
                special(scTab);
        }
        break;
    case 9: special(scTab); break;
    case 11: special(scLineBreak); break;
    case 12:
        if (mainText && cp + 1 < CcpText &&
            std::binary_search(SectionEnds.begin(), SectionEnds.end(), cp + 1)) {
            if (noBreaks) {
                EndParagraph(scParagraphMark);
                break;
            }
            EndParagraph(scSectionBreak);
            TSection& ended = *Doc.Sections.back();
            Doc.Sections.push_back(std::make_unique<TSection>(&Doc));
            TSection& next = *Doc.Sections.back();
            next.SetDefaults();
            FillSection(next, cp + 1);
            TWordSectionProps props;
            BuildSectionProps(cp + 1, props);
            switch (props[wsBreakKind]) {
            case 0: ended.Params[spBreakKind] = 0; break;
            case 2: ended.Params[spBreakKind] = 1; break;
            case 3: ended.Params[spBreakKind] = 2; break;
            case 4: ended.Params[spBreakKind] = 3; break;
            default: break;
            }
        } else if (!noBreaks) {
            special(scPageBreak);
        }
        break;
    case 14:
        if (!noBreaks)
            special(scColumnBreak);
        break;
    case 30: special(scNonBreakingHyphen); break;
    case 31: special(scOptionalHyphen); break;
    default: break;
    }
}

void TWordReader::WalkRange(int32_t from, int32_t to, bool mainText)
{
    UnitEnd = -1;
    NextEvent =
        static_cast<size_t>(std::lower_bound(Events.begin(), Events.end(), from,
                                             [](const TWordEvent& e, int32_t v) { return e.Cp < v; }) -
                            Events.begin());
    auto it = std::upper_bound(Pieces.begin(), Pieces.end(), from,
                               [](int32_t v, const TWordPiece& p) { return v < p.To; });
    for (int32_t cp = from; it != Pieces.end() && cp < to; ++it) {
        const TWordPiece& piece = *it;
        cp = std::max(cp, piece.From);
        const int32_t end = std::min(to, piece.To);
        const int32_t width = piece.Unicode ? 2 : 1;
        const uint8_t* base = Main.data() + piece.Fc;
        for (; cp < end; ++cp) {
            if (cp > UnitEnd) {
                StartUnit(cp, to, mainText);
                if (Progress && cp - CharsRead >= kProgressStep && StoryEnd > 0) {
                    CharsRead = cp;
                    Progress(double(cp) / StoryEnd);
                }
            }
            while (NextEvent < Events.size() && Events[NextEvent].Cp <= cp) {
                const TWordEvent& e = Events[NextEvent++];
                if (e.Cp < cp)
                    continue;
                FlushText();
                if (e.Order == 1) {
                    Cur->AppendZeroWidthTag(tcFieldStart, e.Field->Handle);
                    Started.push_back(e.Field);
                } else if (std::find(Started.begin(), Started.end(), e.Field) != Started.end()) {
                    Cur->AppendZeroWidthTag(tcFieldEnd, e.Field->Handle);
                    Started.erase(std::find(Started.begin(), Started.end(), e.Field));
                    Ended.push_back(e.Field);
                }
            }
            const size_t at = size_t(cp - piece.From) * size_t(width);
            const uint32_t fc = piece.Fc + static_cast<uint32_t>(at);
            if (fc < CharRun.From || fc >= CharRun.To || RunStyle != Ctx.ParagraphStyle)
                CharPropsAt(fc, piece);
            const uint16_t c = width == 2 ? static_cast<uint16_t>(base[at] | base[at + 1] << 8) : base[at];
            // Text marked as deleted is left out; its paragraph ends stay.
            if (RunChars[wcDeleted] == 1 && c != 13 && c != 7 && c != 12)
                continue;
            const bool special = RunChars[wcSpecial] == 1;
            if (c == 19 || c == 20 || c == 21) {
                HandleFieldMark(c, cp);
                continue;
            }
            if (!FieldStack.empty() && !FieldStack.back().InResult) {
                if (c >= 32)
                    FieldStack.back().Code.push_back(static_cast<char>(width == 2 ? AnsiOf(c) : c));
                else if (c == 9)
                    FieldStack.back().Code.push_back(' ');
                if (c != 13 && c != 7)
                    continue;
            }
            if (mainText) {
                while (Footnotes.Next < Footnotes.Refs.size() && Footnotes.Refs[Footnotes.Next] < cp)
                    ++Footnotes.Next;
                while (Endnotes.Next < Endnotes.Refs.size() && Endnotes.Refs[Endnotes.Next] < cp)
                    ++Endnotes.Next;
                if ((Footnotes.Next < Footnotes.Refs.size() && Footnotes.Refs[Footnotes.Next] == cp) ||
                    (Endnotes.Next < Endnotes.Refs.size() && Endnotes.Refs[Endnotes.Next] == cp)) {
                    if (!Doc.GetModeFlag(mfNoBreaks))
                        AddNoteReference(cp, c);
                    continue;
                }
            }
            if (special) {
                if (c == 1)
                    AddPicture();
                else if (c == 2 && InNote)
                    AddNoteNumber();
                else if (RunChars[wcSymbol] != kWordUnset || c == 9 || c == 17 || c == 18 || c == 31 ||
                         c == 32 || c > 41) {
                    const uint32_t symbol = static_cast<uint32_t>(RunChars[wcSymbol]);
                    if (RunChars[wcSymbol] != kWordUnset)
                        AddSymbol(static_cast<uint16_t>(symbol & 0xFFFF),
                                  static_cast<uint16_t>(symbol >> 16));
                    else
                        AddSymbol(0xFFFF, c);
                }
                continue;
            }
            const uint8_t b = width == 2 ? AnsiOf(c) : static_cast<uint8_t>(c);
            if (b < 32) {
                HandleControl(c < 32 ? c : b, cp, mainText);
                continue;
            }
            if (FormatDirty)
                WriteFormat();
            switch (b) {
            case 150: FlushText(), Cur->AppendSpecial(scEnDash), ++TextLength; break;
            case 151: FlushText(), Cur->AppendSpecial(scEmDash), ++TextLength; break;
            case 160: FlushText(), Cur->AppendSpecial(scNonBreakingSpace), ++TextLength; break;
            default: Pending.push_back(static_cast<char>(b)); break;
            }
        }
    }
    FlushText();
    WriteFormat();
}

TWordParagraphList TWordReader::ReadStory(int32_t from, int32_t to, TField& frame)
{
    TWordParagraphList saved = std::move(Doc.Paragraphs);
    Doc.Paragraphs.clear();
    Doc.Paragraphs.push_back(std::make_unique<TParagraph>(&Doc));
    Cur = Doc.Paragraphs.back().get();
    Cur->ParaFormat = DefaultParaFormat();
    Cur->AppendZeroWidthTag(tcFieldStart, frame.Handle);
    Written = DefaultCharFormat();
    FormatDirty = true;
    std::vector<TWordFieldState> outer = std::move(FieldStack);
    FieldStack.clear();
    const size_t startedBefore = Started.size();
    WalkRange(from, std::max(from, to), false);
    // Fields and bookmarks that open in the story end in it.
    for (TWordFieldState& f : FieldStack)
        if (f.Field) {
            Cur->AppendZeroWidthTag(tcFieldEnd, f.Field->Handle);
            OpenFields.erase(std::remove(OpenFields.begin(), OpenFields.end(), f.Field), OpenFields.end());
        }
    FieldStack = std::move(outer);
    while (Started.size() > startedBefore) {
        Cur->AppendZeroWidthTag(tcFieldEnd, Started.back()->Handle);
        Ended.push_back(Started.back());
        Started.pop_back();
    }
    TWordParagraphList filled = std::move(Doc.Paragraphs);
    DropEmptyLastParagraph(filled);
    TParagraph& last = *filled.back();
    if (!EndsWithParagraphMark(last))
        last.AppendSpecial(scParagraphMark);
    last.AppendZeroWidthTag(tcFieldEnd, frame.Handle);
    Doc.Paragraphs = std::move(saved);
    Cur = Doc.Paragraphs.empty() ? nullptr : Doc.Paragraphs.back().get();
    return filled;
}

void TWordReader::ReadText()
{
    const int32_t at = Word97 ? 76 : 52;
    auto count = [this](int32_t offset) {
        return static_cast<int32_t>(std::min<uint32_t>(Fib32(offset), 0x3FFFFFFF));
    };
    CcpText = count(at);
    CcpFtn = count(at + 4);
    CcpHdd = count(at + 8);
    const int32_t mcr = count(at + 12), atn = count(at + 16);
    CcpEdn = count(at + 20);
    // Comments (and the unused macro story) lie between the headers and the endnotes.
    // Counts from a damaged file may each be huge: their sums are taken without overflow and capped.
    EdnStart =
        static_cast<int32_t>(std::min<int64_t>(int64_t(CcpText) + CcpFtn + CcpHdd + mcr + atn, 0x3FFFFFFF));
    StoryEnd = static_cast<int32_t>(std::min<int64_t>(int64_t(EdnStart) + CcpEdn, 0x3FFFFFFF));
    ReadPieces();
    ReadSections();
    ReadFieldTypes();
    ReadNotesAndHeaders();

    Doc.Paragraphs.clear();
    Doc.Paragraphs.push_back(std::make_unique<TParagraph>(&Doc));
    Cur = Doc.Paragraphs.back().get();
    Written = DefaultCharFormat();
    FormatDirty = true;
    FillSection(*Doc.Sections.front(), 0);
    WalkRange(0, CcpText, true);
    for (TWordFieldState& f : FieldStack)
        if (f.Field)
            Cur->AppendZeroWidthTag(tcFieldEnd, f.Field->Handle);
    FieldStack.clear();
    OpenFields.clear();
    while (!Started.empty()) {
        Cur->AppendZeroWidthTag(tcFieldEnd, Started.back()->Handle);
        Ended.push_back(Started.back());
        Started.pop_back();
    }
    // The empty paragraph the last mark opened goes; a last paragraph left without its mark gets one
    // when the load finishes the paragraphs.
    DropEmptyLastParagraph(Doc.Paragraphs);
    Cur = Doc.Paragraphs.back().get();

    // The notes, in the order of their references.
    InNote = true;
    TWordParagraphList footnotes, endnotes, headers;
    for (const TNoteText& note : NoteTexts) {
        TWordParagraphList filled = ReadStory(note.From, note.To, *note.Field);
        TWordParagraphList& into = note.Field->IsEndnote ? endnotes : footnotes;
        for (auto& p : filled)
            into.push_back(std::move(p));
    }
    InNote = false;
    // Headers and footers: Word's order (even, odd header; even, odd footer; first-page header and
    // footer) into the section's slots.
    static const int slots[6] = {hfEvenHeader, hfOddHeader,   hfEvenFooter,
                                 hfOddFooter,  hfFirstHeader, hfFirstFooter};
    if (!Doc.GetModeFlag(mfNoBreaks)) {
        const size_t sections = Doc.Sections.size();
        for (size_t s = 0; s < sections; ++s)
            for (int k = 0; k < 6; ++k) {
                const size_t i = 6 * s + size_t(k);
                if (i + 1 >= HeaderBounds.size())
                    break;
                // Each story ends with a paragraph mark of its own, not part of its text; a story of
                // one empty paragraph holds nothing.
                const int32_t from = HeaderBounds[i], to = std::min(HeaderBounds[i + 1], StoryEnd) - 1;
                if (from < 0 || int64_t(to) - from <= 1)
                    continue;
                Doc.Fields.push_back(std::make_unique<TField>());
                TField& frame = *Doc.Fields.back();
                frame.Kind = fkHeaderFooter;
                TWordParagraphList filled = ReadStory(from, to, frame);
                Doc.Sections[s]->HeaderFooter[slots[k]] = &frame;
                for (auto& p : filled)
                    headers.push_back(std::move(p));
            }
    }
    // Bookmarks whose marks were never both written are dropped.
    Doc.Fields.erase(std::remove_if(Doc.Fields.begin(), Doc.Fields.end(),
                                    [this](const std::unique_ptr<TField>& f) {
                                        return f->Kind == fkBookmark &&
                                               std::find(Ended.begin(), Ended.end(), f.get()) == Ended.end();
                                    }),
                     Doc.Fields.end());
    Doc.AppendStories(footnotes, endnotes, headers);
    SettleSectionColumns(Doc);
}
