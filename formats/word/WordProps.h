// The property records of the Word reader and the decoding of property modifiers (sprms) of both Word
// generations into them: paragraph, character, section and picture properties, in document mode (text
// being read) or style mode (a style's definition).
#pragma once
#include <cstdint>
#include <vector>

#include "core/FormatRecords.h"

class TDocument;
class TTabTable;

// Every field of the records below; not set is INT32_MIN.
constexpr int32_t kWordUnset = UndefinedField;

// Fields 0 to 14 are those of TParaFormat.
// Field 18 holds the list override of the group being decoded, for the decoder's own use.
enum TWordParaField : int {
    wpInTable = 15,
    wpRowEnd = 16,
    wpListLevel = 17,
    wpListOverride = 18,
    WordParaFieldCount = 19
};
// Fields 0 to 21 are those of TCharFormat.
enum TWordCharField : int {
    wcSpecial = 22,
    wcSymbol = 23, // font index in the low 16 bits, character in the high 16 bits
    wcObject = 24,
    wcData = 25,
    wcOle2 = 26,
    wcPictureLocation = 27,
    wcObjectLocation = 28,
    wcDeleted = 30,
    WordCharFieldCount = 31
};
enum TWordSectionField : int {
    wsOrientation = 0, // 1 portrait, 2 landscape
    wsPageWidth = 1,
    wsPageHeight = 2,
    wsLeftMargin = 3,
    wsRightMargin = 4,
    wsTopMargin = 5,
    wsBottomMargin = 6,
    wsHeaderDistance = 7,
    wsFooterDistance = 8,
    wsTitlePage = 9,
    wsHeaderFlags = 10,
    wsColumnCount = 11,
    wsBreakKind = 12,
    wsEvenlySpaced = 13,
    wsColumnGap = 14,
    wsLineBetween = 15,
    wsPageNumberFormat = 16,
    wsPageNumberStart = 17,
    wsPageNumberRestart = 18,
};
constexpr int kWordSectionScalars = 19;
constexpr int kWordColumnEntries = 64, kWordColumnEntrySize = 5;

struct TWordParaProps : TInt32Record<WordParaFieldCount> {};
struct TWordCharProps : TInt32Record<WordCharFieldCount> {};
// 19 scalars, then 64 column entries laid out as those of TSectionParams (position, width, gap after,
// two bounds).
struct TWordSectionProps : TInt32Record<kWordSectionScalars + kWordColumnEntries * kWordColumnEntrySize> {};
struct TWordPictureScale : TInt32Record<2> {};

template<int N>
void ClearWordRecord(TInt32Record<N>& record)
{
    for (int i = 0; i < N; ++i)
        record[i] = kWordUnset;
}

// What the decoders read of the reader's state.
struct TWordDecodeContext {
    bool Word97 = true;
    TDocument* Document = nullptr;       // its style list and tab manager
    std::vector<int32_t> FontMap;        // the file's font index -> the shared font table's
    std::vector<uint8_t> Lists;          // the list table with the level records that follow it
    std::vector<uint8_t> Overrides;      // the list override table
    std::vector<int32_t> StyleIndexes;   // the file's style index -> the document style (0 for none)
    std::vector<TCharFormat> StyleChars; // each document style's complete character format
    std::vector<TParaFormat> StyleParas; // each document style's complete paragraph format
    int32_t ParagraphStyle = -1;         // the document style of the paragraph being read
    bool HyperlinkOpen = false;          // a hyperlink field is open where the text is read
    int32_t DefaultFont = 0;
};

// The document style of the file's style index (0 when the file has none of that index).
int32_t MapStyle(const TWordDecodeContext& context, int32_t istd);
// A style's complete formats (its own over those of its bases).
void StyleFormats(TWordDecodeContext& context, int32_t style, TCharFormat& chars, TParaFormat& para);

// The length (opcode included) of the sprm at P, of which Avail bytes are there; 0 when it does not
// fit.
int32_t WordSprmLength(bool word97, const uint8_t* p, int32_t avail);

// Paragraph sprms of a group (no style index in front).
void DecodeParaSprms(TWordDecodeContext& context, const uint8_t* group, int32_t size, TWordParaProps& para,
                     bool styleMode);
// A paragraph group that starts with its style index (a formatting page's or a style's): in document
// mode it starts from the style's paragraph format; in style mode from nothing, with the tab table of
// BasedOn (or widow control when it has none).
void DecodeParaGroup(TWordDecodeContext& context, const uint8_t* group, int32_t size, TWordParaProps& para,
                     bool styleMode, int32_t basedOn);
void DecodeCharSprms(TWordDecodeContext& context, const uint8_t* group, int32_t size, TWordCharProps& chars,
                     bool styleMode);
void DecodeSectionSprms(TWordDecodeContext& context, const uint8_t* group, int32_t size,
                        TWordSectionProps& section);
void DecodePictureSprms(TWordDecodeContext& context, const uint8_t* group, int32_t size,
                        TWordPictureScale& scale);
// A group that may hold all kinds (a piece's property modifiers): every record is reset first.
void DecodeAllSprms(TWordDecodeContext& context, const uint8_t* group, int32_t size, TWordParaProps& para,
                    TWordCharProps& chars, TWordSectionProps& section, TWordPictureScale& scale);
