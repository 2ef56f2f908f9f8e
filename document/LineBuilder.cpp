// Building one line: measuring characters with the font of their format, tab stops, break characters,
// forced breaks, objects, bullets, and where the line wraps.
#include "document/LineBuilder.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "classlib/runtime/Format.h"
#include "core/Fonts.h"
#include "core/Kerning.h"
#include "core/TabTables.h"
#include "core/TextUtils.h"
#include "core/Units.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/ParLine.h"
#include "document/Paragraph.h"
#include "document/Section.h"
#include "document/TagTargets.h"
#include "document/Field.h"
#include "document/ZoomScaling.h"

namespace {

// Width of a line break in layout units before scaling (one unit per screen pixel).
constexpr int32_t LineBreakWidth = 11;
// Least width of a page, column or section break, layout units.
constexpr int32_t BreakMarkWidth = 150;
// The size of the font that measures page, column and section breaks, half-points.
constexpr int32_t BreakLabelSize = 16;
// Room kept for a bullet at least, twips.
constexpr int32_t BulletIndent = 270;
constexpr uint8_t BulletChar = 183;

bool IsBreakChar(uint8_t c)
{
    return c == scTab || c == scEmDash || c == scEnDash || c == scOptionalHyphen || c == ' ' || c == '-';
}

bool IsDecorationField(int field)
{
    return field == cfUnderline || field == cfUnderlineColor || (field >= cfShadow && field <= cfEngrave);
}

bool HasDecoration(const TCharFormat& f)
{
    return IsFieldOn(f[cfUnderline]) || IsFieldOn(f[cfUnderlineColor]) || IsFieldOn(f[cfShadow]) ||
           IsFieldOn(f[cfOutline]) || IsFieldOn(f[cfEmboss]) || IsFieldOn(f[cfEngrave]);
}

// A half-point size from a file kept within what a font can be made at.
int32_t SaneSize(int32_t halfPoints)
{
    return std::clamp(halfPoints, 2, 3276);
}

} // namespace

const uint8_t* UpperCaseTable(int32_t locale)
{
    static std::map<int32_t, std::unique_ptr<uint8_t[]>> tables;
    auto& table = tables[locale];
    if (!table) {
        table = std::make_unique<uint8_t[]>(256);
        char in[256], out[256];
        for (int c = 0; c < 256; ++c)
            in[c] = static_cast<char>(c);
        // Bytes 0 to 31 are never characters of the text: mapped to themselves.
        UpperCaseBufLocale(locale, in + 32, out + 32, 224);
        for (int c = 0; c < 32; ++c)
            out[c] = in[c];
        std::memcpy(table.get(), out, 256);
    }
    return table.get();
}

// ---------------------------------------------------------------------------------------------------
// TLineBuilder

TLineBuilder::TLineBuilder(TParagraph& paragraph, int32_t firstLine, int32_t rightLimit)
    : Document(*paragraph.Document), Paragraph(paragraph), RightLimit(rightLimit)
{
    if (firstLine == 0 || firstLine >= paragraph.LineCount())
        Format = DefaultCharFormat();
    else
        paragraph.LoadCharFormat(paragraph.Lines[static_cast<size_t>(firstLine)]->FormatAtStart, Format);
    if (Format[cfSize] == UndefinedField)
        Format[cfSize] = DefaultCharFormat()[cfSize];
    Format[cfSize] = ScaleByZoomPercent(SaneSize(Format[cfSize]), &Document);
    const TParaFormat& pf = paragraph.ParaFormat;
    Tabs = &Document.TabManager->BuildTabStops(pf[pfTabTable], pf[pfRightIndent]);
    DC = GetFontManager().Device().MeasuringDC();
    DecimalSeparator = FormatSettings.DecimalSeparator;
    SelectFont();
}

void TLineBuilder::SelectFont()
{
    Font = Document.SelectFormatFont(Format, sfLineBuilding);
    FontStale = false;
}

void TLineBuilder::EnsureFont()
{
    if (FontStale)
        SelectFont();
}

// ---------------------------------------------------------------------------------------------------
// The walk over one line

namespace {

enum TWrap { wrAccept, wrEndHere, wrRollBack };

// What a line's walk keeps between characters.
class TLineWalk {
public:
    TLineWalk(TParLine& line, TLineBuilder& builder, TLineStream& stream)
        : Line(line), Builder(builder), Stream(stream)
    {}
    void Run();

private:
    void Reset();
    bool Italic() const { return Builder.Font.Font && Builder.Font.Font->Metrics.Italic != 0; }
    int32_t ScaledTwips(int32_t twips) const
    {
        return Builder.Document.TwipsToScreen(ScaleBySecondPercent(twips, &Builder.Document));
    }
    // Tags 0 to 21.
    void FormatTag(int code, int32_t value);
    void PlainChar(uint8_t c);
    bool DoubleByteChar(uint8_t c);
    // Returns false when the line ended.
    bool SpecialChar(uint8_t code, int32_t tagPos);
    bool ObjectChar(int32_t value);
    bool Tab(int32_t tagPos);
    void ForcedBreak(uint8_t code);
    // Adds a character unless the line wraps before it; false when the line ended.
    bool AddChar(uint8_t code, int32_t width, int32_t ascent, int32_t descent, int32_t textAscent,
                 int32_t size);
    void Accept(uint8_t code, int32_t width, int32_t ascent, int32_t descent, int32_t textAscent,
                int32_t size);
    TWrap CheckWrap(uint8_t code, int32_t width);
    void RollBack();
    void EndHyphen();
    void ResolvePendingTab();
    void BulletStep();
    void SaveRollBackState();
    void EndLine(int32_t length);

    TParLine& Line;        // the line being built
    TLineBuilder& Builder; // the paragraph's build state
    TLineStream& Stream;   // the tagged text it reads

    int32_t Pos = 0; // bytes of the stream read by this line
    bool Ended = false;
    int32_t PendingKern = 0;
    uint8_t PrevDisplayed = 0;
    // The last character was the lead byte of a double-byte character: its trail byte comes next.
    bool TrailPending = false;
    bool BulletDone = false;
    // The tab whose alignment waits for the text after it.
    bool TabPending = false;
    int32_t TabKind = 0, TabIndex = 0, TabDistance = 0;
    // Where the line may end.
    int32_t BreakPos = -1;
    int32_t BreakStreamLength = 0;
    TField* BreakFieldRefs[2] = {};
    uint8_t BreakOverhang = 0;
    // The state at the break, saved before the first format change after it.
    bool RollBackSaved = false;
    int32_t SavedAscent = 0, SavedDescent = 0, SavedTextAscent = 0;
    uint16_t SavedRaise = 0, SavedLower = 0;
    TCharFormat SavedFormat{};
    // Wrapping state.
    int OverhangingSpaces = 0;
    bool TabOverhangs = false;
    bool ForcedFirst = false;
    TField* NoteField = nullptr;
    bool ExactSpacing = false;
};

void TLineWalk::Reset()
{
    Builder.EnsureFont();
    Line.CharCount = 0;
    Line.StreamLength = 0;
    Line.ReserveCharX(16);
    Line.XBuffer[0] = 0;
    Line.SetCharX(0, Line.GetStartX());
    Line.SetItalicBit(0, Italic());
    Line.Ascent = Builder.Font.Ascent;
    Line.Descent = Builder.Font.Descent;
    Line.TextAscent = Builder.Font.Ascent;
    ExactSpacing = Builder.Paragraph.ParaFormat[pfLineSpacing] < 0;
    Line.Raise = Line.Lower = 0;
    const int32_t raise = Builder.Format[cfRaise];
    if (!ExactSpacing && raise != UndefinedField) {
        if (raise > 0)
            Line.Raise = static_cast<uint16_t>(std::min(raise, 0xFFFF));
        else if (raise < 0)
            Line.Lower = static_cast<uint16_t>(std::min(-static_cast<int64_t>(raise), int64_t{0xFFFF}));
    }
    Line.Overhang = HasDecoration(Builder.Format) ? 1 : 0;
    Line.MeasuredZoom = UndefinedField;
    Line.FieldRefs[0] = Line.FieldRefs[1] = nullptr;
}

void TLineWalk::SaveRollBackState()
{
    if (BreakPos < 0 || RollBackSaved)
        return;
    RollBackSaved = true;
    SavedAscent = Line.Ascent;
    SavedDescent = Line.Descent;
    SavedTextAscent = Line.TextAscent;
    SavedRaise = Line.Raise;
    SavedLower = Line.Lower;
    SavedFormat = Builder.Format;
}

void TLineWalk::FormatTag(int code, int32_t value)
{
    SaveRollBackState();
    switch (code) {
    case cfSize:
        Builder.Format[cfSize] = ScaleByZoomPercent(SaneSize(value), &Builder.Document);
        Builder.FontStale = true;
        break;
    case cfColor: Builder.Format[cfColor] = value; break;
    case cfRaise:
        Builder.Format[cfRaise] = value;
        if (!ExactSpacing) {
            if (value > 0)
                Line.Raise = std::max<uint16_t>(Line.Raise, static_cast<uint16_t>(std::min(value, 0xFFFF)));
            else if (value < 0 && value != UndefinedField)
                Line.Lower = std::max<uint16_t>(Line.Lower, static_cast<uint16_t>(std::min(-value, 0xFFFF)));
        }
        break;
    case cfLanguage: break;
    default:
        if (Builder.Format[code] != value)
            Builder.FontStale = true;
        Builder.Format[code] = value;
        break;
    }
    if (IsDecorationField(code) && IsFieldOn(value))
        Line.Overhang = 1;
}

void TLineWalk::BulletStep()
{
    if (BulletDone || Line.CharCount > 0)
        return;
    BulletDone = true;
    if (!IsFieldOn(Builder.Paragraph.ParaFormat[pfBullets]))
        return;
    const bool first = Line.LineIndex == 0 ||
                       (Line.LineIndex > 0 &&
                        Builder.Paragraph.Lines[static_cast<size_t>(Line.LineIndex - 1)]->IsLonePageBreak());
    if (!first)
        return;
    TCharFormat bullet = Builder.Format;
    bullet[cfFont] = GetFontManager().BulletFont();
    const TSelectedFont font = Builder.Document.SelectFormatFont(bullet, sfLineBuilding);
    int32_t room = std::max(ScaledTwips(BulletIndent), font.Font->CharWidth(BulletChar));
    const int32_t firstIndent = Builder.Paragraph.ParaFormat[pfFirstIndent];
    if (firstIndent < 0 && firstIndent != UndefinedField)
        room = std::max(room, ScaledTwips(-firstIndent));
    Line.AddToCharX(0, room);
    Builder.FontStale = true;
}

void TLineWalk::PlainChar(uint8_t c)
{
    BulletStep();
    Builder.EnsureFont();
    const TCharFormat& f = Builder.Format;
    const bool doubleByte = Builder.Font.Font->DoubleByte();
    if (doubleByte && DoubleByteChar(c))
        return;
    const bool smallCaps = !doubleByte && IsFieldOn(f[cfSmallCaps]);
    uint8_t shown = c;
    if (smallCaps || (!doubleByte && IsFieldOn(f[cfAllCaps])))
        shown = UpperCaseTable(f[cfLanguage])[c];
    const TSelectedFont* font = &Builder.Font;
    TSelectedFont fullSize;
    if (smallCaps && shown == c) {
        // Capitals and characters without case keep the full size in small capitals.
        TCharFormat full = f;
        full[cfSmallCaps] = 0;
        fullSize = Builder.Document.SelectFormatFont(full, sfLineBuilding);
        font = &fullSize;
        Builder.FontStale = true;
    }
    PendingKern = 0;
    if (Line.CharCount > 0 && font->Kerning)
        PendingKern = font->Kerning->GetKerning(PrevDisplayed, shown);
    int32_t spacing = 0;
    if (IsFieldOn(f[cfSpacing]))
        spacing = ScaledTwips(f[cfSpacing]);
    const int32_t width = font->Font->CharWidth(shown) + spacing;
    if (AddChar(c, width, font->Ascent, font->Descent, font->Ascent, 1))
        PrevDisplayed = shown;
}

// In a double-byte font the lead byte takes the whole character's width and the line may end before
// it; the trail byte follows it on the same line with no width. Case tables and kerning pairs are for
// single bytes and do not apply. False when C is a single-byte character.
bool TLineWalk::DoubleByteChar(uint8_t c)
{
    TSelectedFont& font = Builder.Font;
    int32_t spacing = 0;
    if (IsFieldOn(Builder.Format[cfSpacing]))
        spacing = ScaledTwips(Builder.Format[cfSpacing]);
    if (TrailPending) {
        TrailPending = false;
        Accept(c, 0, font.Ascent, font.Descent, font.Ascent, 1);
        PrevDisplayed = 0;
        return true;
    }
    if (!font.Font->IsLeadByte(c) || Pos + 1 >= Stream.Remaining || Stream.Data[Pos + 1] == 0)
        return false;
    PendingKern = 0;
    const int32_t width = font.Font->PairWidth(c, Stream.Data[Pos + 1]) + spacing;
    TrailPending = AddChar(c, width, font.Ascent, font.Descent, font.Ascent, 1);
    PrevDisplayed = 0;
    return true;
}

TWrap TLineWalk::CheckWrap(uint8_t code, int32_t width)
{
    if (Builder.Document.GetModeFlag(mfNoWrap))
        return wrAccept;
    const int64_t end = int64_t{Line.LastX()} + width + PendingKern;
    if (end <= Builder.RightLimit)
        return wrAccept;
    if (code == ' ') {
        if (OverhangingSpaces < 2 && !TabOverhangs) {
            ++OverhangingSpaces;
            return wrAccept;
        }
        return wrEndHere;
    }
    if (code == scTab) {
        if (OverhangingSpaces == 0 && !TabOverhangs) {
            TabOverhangs = true;
            return wrAccept;
        }
        return wrEndHere;
    }
    if (OverhangingSpaces > 0 || TabOverhangs || ForcedFirst)
        return wrEndHere;
    if (Line.CharCount > 0 && BreakPos < 0)
        return wrEndHere;
    if (BreakPos >= 0)
        return wrRollBack;
    ForcedFirst = true;
    return wrAccept;
}

bool TLineWalk::AddChar(uint8_t code, int32_t width, int32_t ascent, int32_t descent, int32_t textAscent,
                        int32_t size)
{
    switch (CheckWrap(code, width)) {
    case wrAccept: Accept(code, width, ascent, descent, textAscent, size); return true;
    case wrEndHere: EndLine(Pos); return false;
    case wrRollBack: RollBack(); return false;
    }
    return false;
}

void TLineWalk::Accept(uint8_t code, int32_t width, int32_t ascent, int32_t descent, int32_t textAscent,
                       int32_t size)
{
    if (PendingKern) {
        Line.AddToCharX(Line.CharCount, PendingKern);
        PendingKern = 0;
    }
    if (width < 0 || code == scOptionalHyphen)
        width = 0;
    Line.AppendCharX(Line.LastX() + width, Italic());
    if (Line.CharCount == 0) {
        Line.Ascent = ascent;
        Line.Descent = descent;
        Line.TextAscent = textAscent;
    } else {
        Line.Ascent = std::max(Line.Ascent, ascent);
        Line.Descent = std::max(Line.Descent, descent);
        Line.TextAscent = std::max(Line.TextAscent, textAscent);
    }
    ++Line.CharCount;
    Pos += size;
    if (IsBreakChar(code)) {
        BreakPos = Line.CharCount;
        BreakStreamLength = Pos;
        BreakFieldRefs[0] = Line.FieldRefs[0];
        BreakFieldRefs[1] = Line.FieldRefs[1];
        BreakOverhang = Line.Overhang;
        RollBackSaved = false;
        Line.StreamLength = Pos;
    }
}

void TLineWalk::EndLine(int32_t length)
{
    ResolvePendingTab();
    Line.StreamLength = length;
    Stream.Data += length;
    Stream.Remaining -= length;
    Ended = true;
}

void TLineWalk::RollBack()
{
    Line.CharCount = BreakPos;
    Line.FieldRefs[0] = BreakFieldRefs[0];
    Line.FieldRefs[1] = BreakFieldRefs[1];
    Line.Overhang = BreakOverhang;
    if (RollBackSaved) {
        Line.Ascent = SavedAscent;
        Line.Descent = SavedDescent;
        Line.TextAscent = SavedTextAscent;
        Line.Raise = SavedRaise;
        Line.Lower = SavedLower;
        Builder.Format = SavedFormat;
        Builder.FontStale = true;
    }
    EndHyphen();
    EndLine(BreakStreamLength);
}

void TLineWalk::EndHyphen()
{
    if (Line.CharCount > 0 && Line.CharAt(Line.CharCount - 1) == scOptionalHyphen) {
        Builder.EnsureFont();
        Line.AddToCharX(Line.CharCount, Builder.Font.Font->CharWidth('-'));
    }
}

void TLineWalk::ResolvePendingTab()
{
    if (!TabPending)
        return;
    TabPending = false;
    if (TabIndex >= Line.CharCount)
        return;
    const int32_t before = Line.DecodeCharX(TabIndex);
    const int32_t w = Line.LastX() - before;
    const int32_t d = TabDistance;
    int32_t shift = 0;
    int kind = TabKind;
    if (kind == tkDecimal) {
        kind = tkRight;
        for (int32_t i = TabIndex + 1; i < Line.CharCount; ++i)
            if (Line.CharAt(i) == static_cast<uint8_t>(Builder.DecimalSeparator)) {
                shift = d - (Line.DecodeCharX(i) - before);
                kind = tkDecimal;
                break;
            }
    }
    if (kind == tkCenter && w < 2 * d)
        shift = (2 * d - w) / 2;
    else if (kind == tkRight && w < d)
        shift = d - w;
    if (shift > 0)
        for (int32_t i = TabIndex + 1; i <= Line.CharCount; ++i)
            Line.AddToCharX(i, shift);
}

bool TLineWalk::Tab(int32_t tagPos)
{
    ResolvePendingTab();
    BulletStep();
    Builder.EnsureFont();
    TDocument& doc = Builder.Document;
    const int32_t lastX = Line.LastX();
    const int32_t position = UnscaleBySecondPercent(doc.ScreenToTwips(lastX + 1), &doc);
    const bool inclusive = !(Line.CharCount == 0 || Line.CharAt(Line.CharCount - 1) == scTab);
    uint32_t stop = Builder.Tabs->FindNextTab(position, inclusive);
    const TParaFormat& pf = Builder.Paragraph.ParaFormat;
    const int32_t firstIndent = pf[pfFirstIndent], leftIndent = pf[pfLeftIndent];
    if (Line.LineIndex == 0 && firstIndent < 0 && firstIndent != UndefinedField &&
        leftIndent != UndefinedField && position < leftIndent) {
        // The hanging indent is a stop of its own, unless the paragraph sets one at or before it.
        bool own = false;
        if (stop != NoTabStop && TabStopPosition(stop) <= leftIndent && pf[pfTabTable] >= 0 &&
            pf[pfTabTable] < doc.TabManager->Count())
            own = doc.TabManager->Table(pf[pfTabTable]).HasTabAt(TabStopPosition(stop));
        if (!own)
            stop = PackTabStop(leftIndent, tkLeft, tlNone);
    }
    int32_t kind = tkLeft, d = 0;
    if (stop != NoTabStop) {
        kind = TabStopKind(stop);
        const int32_t leader = static_cast<int32_t>((stop >> 28) & 0xF);
        Stream.Data[tagPos + 2] = static_cast<uint8_t>(kind + 16 * leader);
        d = ScaledTwips(TabStopPosition(stop)) - lastX;
    } else {
        Stream.Data[tagPos + 2] = 0;
    }
    PrevDisplayed = 0;
    PendingKern = 0;
    if (kind == tkLeft)
        return AddChar(scTab, d, Builder.Font.Ascent, Builder.Font.Descent, Builder.Font.Ascent,
                       InlineTagSize);
    if (!AddChar(scTab, 0, Builder.Font.Ascent, Builder.Font.Descent, Builder.Font.Ascent, InlineTagSize))
        return false;
    TabPending = true;
    TabKind = kind;
    TabIndex = Line.CharCount - 1;
    TabDistance = d;
    return true;
}

void TLineWalk::ForcedBreak(uint8_t code)
{
    ResolvePendingTab();
    EndHyphen();
    TDocument& doc = Builder.Document;
    int32_t width, ascent, descent;
    Builder.EnsureFont();
    if (code == scLineBreak) {
        width = ScaleBySecondPercent(LineBreakWidth, &doc);
        ascent = Builder.Font.Ascent;
        descent = Builder.Font.Descent;
    } else {
        TCharFormat label = DefaultCharFormat();
        label[cfFont] = GetFontManager().DefaultFont();
        label[cfSize] = ScaleByZoomPercent(BreakLabelSize, &doc);
        const TSelectedFont font = doc.SelectFormatFont(label, 0);
        ascent = font.Ascent;
        descent = font.Descent;
        width = BreakMarkWidth;
        const int32_t alignment = Builder.Paragraph.ParaFormat[pfAlignment];
        if (alignment == 0 || alignment == 3 || alignment == UndefinedField)
            width = std::max(width, Builder.RightLimit - Line.LastX());
        Builder.FontStale = true;
    }
    Accept(code, width, ascent, descent, ascent, InlineTagSize);
    // Field ends that follow a break belong to its line.
    while (Stream.Remaining - Pos >= InlineTagSize && Stream.Data[Pos] == 0 &&
           TagCode(Stream.Data + Pos) == tcFieldEnd)
        Pos += InlineTagSize;
    EndLine(Pos);
}

bool TLineWalk::ObjectChar(int32_t value)
{
    BulletStep();
    Builder.EnsureFont();
    TDocument& doc = Builder.Document;
    int32_t width = 0, height = 0;
    if (const auto* object =
            static_cast<const TDocObject*>(ResolveTagTarget(value, TTagTargetKind::Object))) {
        width = doc.TwipsToScreenScaled(ScaleBySecondPercent(object->Width, &doc), object->ScaleX);
        height = doc.TwipsToScreenScaled(ScaleBySecondPercent(object->Height, &doc), object->ScaleY);
    }
    PrevDisplayed = 0;
    PendingKern = 0;
    return AddChar(scOLEObject, width, std::max(height, 0), Builder.Font.Descent, Builder.Font.Ascent,
                   InlineTagSize);
}

bool TLineWalk::SpecialChar(uint8_t code, int32_t tagPos)
{
    switch (code) {
    case scTab: return Tab(tagPos);
    case scSectionBreak:
    case scColumnBreak:
    case scLineBreak:
    case scPageBreak: ForcedBreak(code); return false;
    default: break;
    }
    BulletStep();
    Builder.EnsureFont();
    const TSharedFont& font = *Builder.Font.Font;
    PrevDisplayed = 0;
    PendingKern = 0;
    int32_t width = 0;
    switch (code) {
    case scParagraphMark:
        ResolvePendingTab();
        Accept(code, font.CharWidth(182), Builder.Font.Ascent, Builder.Font.Descent, Builder.Font.Ascent,
               InlineTagSize);
        return true;
    case scNonBreakingSpace: width = font.CharWidth(' '); break;
    case scNonBreakingHyphen: width = font.CharWidth('-'); break;
    case scEmDash: width = font.CharWidth(151); break;
    case scEnDash: width = font.CharWidth(150); break;
    case scOptionalHyphen: width = font.CharWidth('-'); break;
    case scFieldResult:
        if (NoteField) {
            width = font.TextWidth(NoteField->Result);
            Line.FieldRefs[NoteField->AutoNumbered ? 1 : 0] = NoteField;
        } else {
            width = font.CharWidth('?');
        }
        Line.Overhang = 1;
        break;
    default: break;
    }
    return AddChar(code, width, Builder.Font.Ascent, Builder.Font.Descent, Builder.Font.Ascent,
                   InlineTagSize);
}

void TLineWalk::Run()
{
    Reset();
    const uint8_t* data = Stream.Data;
    while (!Ended) {
        const int32_t remaining = Stream.Remaining - Pos;
        if (remaining <= 0 || (data[Pos] == 0 && remaining < InlineTagSize)) {
            // The end of the text: the line takes what is left.
            EndHyphen();
            EndLine(Stream.Remaining);
            break;
        }
        if (data[Pos] != 0) {
            PlainChar(data[Pos]);
            continue;
        }
        const int code = TagCode(data + Pos);
        const int32_t value = TagValue(data + Pos);
        if (IsFormatTag(code)) {
            FormatTag(code, value);
            Pos += InlineTagSize;
        } else if (code == tcSpecial || code == tcSectionBreak) {
            const uint8_t c = code == tcSectionBreak ? uint8_t{scSectionBreak} : static_cast<uint8_t>(value);
            SpecialChar(c, Pos);
        } else if (code == tcPicture || code == tcOLEObject) {
            ObjectChar(value);
        } else {
            if (code == tcFieldStart) {
                TField* field = FieldOfTag(value);
                if (field && field->Kind == fkNoteReference)
                    NoteField = field;
            }
            Pos += InlineTagSize;
        }
    }
}

} // namespace

void TParLine::BuildLine(TLineBuilder& builder, TLineStream& stream)
{
    TLineWalk(*this, builder, stream).Run();
}
