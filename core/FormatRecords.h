// The character and paragraph format records, the changed-range record, and their comparisons and merges.
#pragma once
#include <cstdint>
#include <type_traits>

#include "core/RecordUtils.h"

// UndefinedField (INT32_MIN) in a field of a format record means "not set": mixed over a selection,
// or inherited from the level below.

// A record of N signed 32-bit fields reached by named indexes: copied by value, stored byte for byte.
template<int N>
struct TInt32Record {
    int32_t F[N];
    constexpr int32_t& operator[](int i) { return F[i]; }
    constexpr const int32_t& operator[](int i) const { return F[i]; }
};

// Named indexes of the character format; inline tag code i sets field i.
enum TCharField : int {
    cfFont = 0, // index into the registered fonts
    cfSize = 1, // half-points
    cfBold = 2,
    cfItalic = 3,
    cfStrike = 4,
    cfDoubleStrike = 5,
    cfUnderline = 6, // underline kind, word codes
    cfUnderlineColor = 7,
    cfSmallCaps = 8,
    cfAllCaps = 9,
    cfShadow = 10,
    cfOutline = 11,
    cfEmboss = 12,
    cfEngrave = 13,
    cfColor = 14,
    cfHighlight = 15,
    cfVertPos = 16,  // 0 normal, 1 superscript, 2 subscript
    cfScale = 17,    // horizontal scale, percent
    cfSpacing = 18,  // letter spacing, twips
    cfRaise = 19,    // points; positive raises
    cfKerning = 20,  // pair kerning, 0 off
    cfLanguage = 21, // locale identifier
    CharFormatFieldCount = 22
};

// Named indexes of the paragraph format.
enum TParaField : int {
    pfFirstIndent = 0, // twips, relative to the left indent
    pfLeftIndent = 1,
    pfLineSpacing = 2, // read by the rule in pfSpacingRule
    pfSpacingRule = 3, // 0 at least (exactly when negative), 1 multiple in 1/240 of a line
    pfRightIndent = 4,
    pfAlignment = 5, // 0 left, 1 centre, 2 right, 3 justified
    pfKeepWithNext = 6,
    pfKeepTogether = 7,
    pfPageBreakBefore = 8,
    pfWidowControl = 9,
    pfSpaceBefore = 10,
    pfSpaceAfter = 11,
    pfStyle = 12,    // index into the document's style list
    pfTabTable = 13, // index into the document's tab manager, -1 none
    pfBullets = 14,
    ParaFormatFieldCount = 15
};

// A character format: 22 signed 32-bit fields reached by TCharField.
struct TCharFormat : TInt32Record<CharFormatFieldCount> {};

// A paragraph format: 15 signed 32-bit fields reached by TParaField.
struct TParaFormat : TInt32Record<ParaFormatFieldCount> {};

// Named indexes of the range an applied edit step reports.
enum TChangedField : int {
    crWholeDocument = 0,  // 0/1, united by OR
    crFirstParagraph = 1, // UndefinedField = none, united by minimum
    crFirstPage = 2,      // UndefinedField = none
    crSelStartPar = 3,
    crSelStartOffset = 4,
    crSelEndPar = 5,
    crSelEndOffset = 6,
    crCaretPar = 7,
    crCaretOffset = 8,
    crCaretLine = 9, // line hint of the caret
    ChangedRangeFieldCount = 10
};

// What an applied edit step changed and where selection and caret go afterwards.
struct TChangedRange : TInt32Record<ChangedRangeFieldCount> {};

// These records are stored byte for byte in undo records: their layout must not drift.
static_assert(sizeof(TCharFormat) == 22 * 4 && std::is_trivially_copyable_v<TCharFormat>);
static_assert(sizeof(TParaFormat) == 15 * 4 && std::is_trivially_copyable_v<TParaFormat>);
static_assert(sizeof(TChangedRange) == 10 * 4 && std::is_trivially_copyable_v<TChangedRange>);

// The empty changed range: nothing changed, no paragraph, no page (0, UndefinedField x4, 0 x5).
TChangedRange EmptyChangedRange();

// The records prepared when the document engine starts (InitFormatDefaults).
// The default character format: size 24, scale 100, the program's default language, all else 0.
const TCharFormat& DefaultCharFormat();
// A copy of the default kept apart from it, the copy with bold set, and the base of styles based on
// nothing (font and size not set, scale 100, all else 0).
const TCharFormat& DefaultCharFormatCopy();
const TCharFormat& DefaultBoldCharFormat();
const TCharFormat& StyleBaseCharFormat();
// The default paragraph format: single line spacing (240, rule 1), no tab table, all else 0.
const TParaFormat& DefaultParaFormat();
// The base of styles: indents and alignment not set, single spacing, widow control on, no tab table;
// and its copy with widow control off.
const TParaFormat& StyleBaseParaFormat();
const TParaFormat& StyleBaseParaFormatNoWidow();

// Sets the records above for the program's default language. Until it runs they hold 0x400
// ("no language given").
void InitFormatDefaults(int32_t defaultLanguage);

// Font index -> font id of the registered font it names, or UndefinedField when the index names none. Fonts
// registered under several character sets share one id. The font manager installs its lookup; without
// one, two different indexes never name the same font.
using TFontIdLookup = int32_t (*)(int32_t fontIndex);
void SetFontIdLookup(TFontIdLookup lookup);
// True when both indexes are set and name registered fonts with the same font id.
bool SameFontId(int32_t fontA, int32_t fontB);

// All 22 fields agree: equal values agree; a set and an unset value never agree; two different font
// indexes agree when they name the same font id.
bool CharFormatsEqual(const TCharFormat& a, const TCharFormat& b);
// The common format of two pieces of text: every field of A that differs from B becomes not set (the
// font stays when both name the same font id).
void IntersectCharFormats(TCharFormat& a, const TCharFormat& b);
// Every not-set field of A takes B's value when B's is set.
void FillUnsetCharFormat(TCharFormat& a, const TCharFormat& b);
// Leaves in A only what differs from B: every field equal to B's becomes not set (the font also when
// both name the same font id).
void RemoveSameCharFormat(TCharFormat& a, const TCharFormat& b);
// The same for paragraph formats, with the indent pair (0, 1) and the spacing pair (2, 3) compared as
// pairs; a first-line indent of 0 in both also goes when the pair differs.
void RemoveSameParaFormat(TParaFormat& a, const TParaFormat& b);
