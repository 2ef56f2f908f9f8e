// The parameter record of every operation code of the dispatcher; each carries its code.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>

#include "core/Memory.h"
#include "core/FormatRecords.h"
#include "document/PageSetup.h"
#include "document/TextPos.h"

class TDocument;
class TField;
class TOperation;
struct TFormatStyleListInfo;

// Operation codes.
enum TOperationCode : uint8_t {
    opChangePageParams = 0,
    opFormatParagraphs = 1,
    opFormatText = 2,
    opFormatBlock = 3,
    opStepCharFormatField = 4,
    opFormatPainter = 5,
    opReducePageCount = 6,
    opFormatTabs = 7,
    opResetToStyleFormat = 8,
    opStepParagraphFormat = 9,
    opApplyStyles = 10,
    opChangeStyleList = 11,
    opUpdateStyleFromSelection = 12,
    opInsertContent = 13,
    opInsertText = 14,
    opPaste = 15,
    opPastePiggyBank = 16,
    opDeleteRange = 17,
    opEraseBlock = 18,
    opFindReplace = 19,
    opMoveText = 20,
    opDuplicateText = 21,
    opJoinParagraphs = 22,
    opSplitParagraphs = 23,
    opSortParagraphs = 24,
    opFormatObject = 25,
    opTransformText = 26,
    opCalculate = 27,
    opInsertCalculation = 28,
    opChangeDefaultLanguage = 29,
    opClickAndType = 30,
    opAutocorrectKey = 31,
    opAutocorrectRange = 32,
    opFormatSections = 33,
    opFormatBookmark = 34,
    opRemoveBookmark = 35,
    opEditField = 36,
    opEditHyperlink = 37,
    opDeactivateHyperlinks = 38,
    opDeactivateBrokenHyperlinks = 39,
    opInsertHyperlink = 40,
    opBuildTableOfContents = 41,
    opRemoveTableOfContents = 42,
    opInsertField = 43,
    opUpdateFieldResults = 44,
    opRemoveFields = 45,
    opChangeSectionBreak = 46,
    opSetSameAsPrevious = 47,
    opInsertCharacter = 48,
    opFormatPageNumbers = 49,
    opCreateEnvelope = 50,
    OperationCodeCount = 51
};

template<uint8_t C>
struct TOperationParams {
    static constexpr uint8_t Code = C;
};

struct TChangePageParamsParams : TOperationParams<opChangePageParams> {
    TTextRange Range{};
    // Fields not set are left as they are.
    TPageSetup PageSetup = [] {
        TPageSetup p;
        for (int32_t& f : p.F)
            f = UndefinedField;
        return p;
    }();
};
struct TFormatParagraphsParams : TOperationParams<opFormatParagraphs> {
    TTextRange Range{};
    TParaFormat Format{}; // not set: left alone
};
struct TFormatTextParams : TOperationParams<opFormatText> {
    TTextRange Range{};
    TCharFormat Format{}; // not set: left alone
    uint8_t Option = 0;   // bit 0: no selection to restore afterwards
};
struct TFormatBlockParams : TOperationParams<opFormatBlock> {
    TCharFormat Format{};
};
struct TStepCharFormatFieldParams : TOperationParams<opStepCharFormatField> {
    TTextRange Range{};
    int32_t Field = 1;
    int32_t Step = 0;
};
struct TFormatPainterParams : TOperationParams<opFormatPainter> {
    TCharFormat CharFormat{};
    TParaFormat ParaFormat{};
    std::string StyleName; // empty: the formats, else this style
};
struct TReducePageCountParams : TOperationParams<opReducePageCount> {};
struct TFormatTabsParams : TOperationParams<opFormatTabs> {
    int32_t Interval = 720;              // the document's default tab interval, twips
    int32_t TableIndex = UndefinedField; // the tab table the paragraphs take; not set: theirs
    TTextRange Range{};
};
struct TResetToStyleFormatParams : TOperationParams<opResetToStyleFormat> {
    TTextRange Range{};
    uint8_t Characters = 0; // 1 the character format, 0 the paragraph format
};
struct TStepParagraphFormatParams : TOperationParams<opStepParagraphFormat> {
    TTextRange Range{};
    uint8_t Kind = 0; // 0-3 indents, 4-5 space before, 6-7 space after
    int32_t Step = 0;
};
struct TApplyStylesParams : TOperationParams<opApplyStyles> {
    TTextRange Range{};
    int32_t Style = 0;
    uint8_t ApplyCharFormat = 1;
};
struct TChangeStyleListParams : TOperationParams<opChangeStyleList> {
    TTextRange Range{};
    TFormatStyleListInfo* Info = nullptr; // the builder takes it over
};
struct TUpdateStyleFromSelectionParams : TOperationParams<opUpdateStyleFromSelection> {
    std::string ActionName = "Actualiser le style"; // named by the message that refuses mixed styles
};
struct TInsertContentParams : TOperationParams<opInsertContent> {
    const TMemory* Content = nullptr; // tagged text, paragraph ends as the byte 29
    uint8_t Flags = 0;
};
struct TInsertTextParams : TOperationParams<opInsertText> {
    std::string Text; // a 13 is a paragraph break
    uint8_t Flags = 0;
};
struct TPasteParams : TOperationParams<opPaste> {
    int32_t Format = 0;     // 0 the best available, 1 text, 13 Unicode text
    uint8_t KeepFormat = 0; // 1: the text takes the format at the selection
};
struct TPastePiggyBankParams : TOperationParams<opPastePiggyBank> {};
struct TDeleteRangeParams : TOperationParams<opDeleteRange> {
    TTextPos Start{};
    TTextPos End{};
    uint8_t Options = 0;
};
struct TEraseBlockParams : TOperationParams<opEraseBlock> {};
struct TFindReplaceParams : TOperationParams<opFindReplace> {
    TTextRange Range{};
    std::string Replacement;
    uint8_t ReplaceAll = 0;
};
struct TMoveTextParams : TOperationParams<opMoveText> {
    TTextPos SourceStart{};
    TTextPos SourceEnd{};
    TTextPos Target{};
    uint8_t Flags = 0;
};
struct TDuplicateTextParams : TOperationParams<opDuplicateText> {
    TTextPos SourceStart{};
    TTextPos SourceEnd{};
    TTextPos Target{};
    uint8_t Flags = 0;
};
struct TJoinParagraphsParams : TOperationParams<opJoinParagraphs> {
    int32_t FirstParagraph = 0;
    int32_t LastParagraph = 0;
};
struct TSplitParagraphsParams : TOperationParams<opSplitParagraphs> {
    int32_t FirstParagraph = 0;
    int32_t LastParagraph = 0;
};
struct TSortParagraphsParams : TOperationParams<opSortParagraphs> {
    TTextRange Range{};
    uint8_t Descending = 0;
};
struct TFormatObjectParams : TOperationParams<opFormatObject> {
    TTextPos Position{};
    int32_t Width = 0, Height = 0, ScaleX = 100, ScaleY = 100, Visible = 1;
};
struct TTransformTextParams : TOperationParams<opTransformText> {
    uint8_t Mode = 0; // the kind is 29 + Mode
    TTextRange Range{};
    int32_t Parameter = 0;
    uint8_t Flags = 0;
};
struct TCalculateParams : TOperationParams<opCalculate> {
    TTextRange Range{};
};
// Sums the lines of a rectangular block onto the clipboard.
struct TInsertCalculationParams : TOperationParams<opInsertCalculation> {
    std::string Block; // the block's text, a line each
};
struct TChangeDefaultLanguageParams : TOperationParams<opChangeDefaultLanguage> {
    int32_t Language = 0;
};
// What a double click in empty space asks for, as the document window's hit test computes it: the
// paragraph that receives the steps (the hit paragraph plus the paragraphs added) and the steps in order.
// Step kinds: 0 add A paragraphs at the end of the caret's line; 1 alignment A; 2 first-line indent A
// twips; 3 a tab character at offset A; 4 remove the tab stops at or right of A; 5 a tab stop of kind B at
// A; 6 the caret at offset A afterwards.
struct TClickAndTypeStep {
    uint8_t Kind;
    int32_t A;
    int32_t B;
};
struct TClickAndTypeData {
    static constexpr int MaxSteps = 8;
    uint8_t Possible;
    uint8_t Cursor; // 23 left, 24 first-line indent, 25 centre, 26 right
    int32_t TargetParagraph;
    int32_t StepCount;
    TClickAndTypeStep Steps[MaxSteps];
};
static_assert(std::is_trivially_copyable_v<TClickAndTypeData>);
struct TClickAndTypeParams : TOperationParams<opClickAndType> {
    TClickAndTypeData Data{};
};
struct TAutocorrectKeyParams : TOperationParams<opAutocorrectKey> {
    uint8_t Key = 0;
};
struct TAutocorrectRangeParams : TOperationParams<opAutocorrectRange> {
    TTextRange Range{};
};
struct TFormatSectionsParams : TOperationParams<opFormatSections> {
    // Fields not set are left as they are; the sections are those of the selection.
    TSectionParams Params = [] {
        TSectionParams p;
        for (int32_t& f : p.F)
            f = UndefinedField;
        return p;
    }();
};
struct TFormatBookmarkParams : TOperationParams<opFormatBookmark> {
    std::string Name;
};
struct TRemoveBookmarkParams : TOperationParams<opRemoveBookmark> {
    TField* Bookmark = nullptr;
};
struct TEditFieldParams : TOperationParams<opEditField> {
    TField* Field = nullptr;
    std::string FieldCode;
};
// Makes one hyperlink plain text again.
struct TEditHyperlinkParams : TOperationParams<opEditHyperlink> {
    TField* Field = nullptr;
};
struct TDeactivateHyperlinksParams : TOperationParams<opDeactivateHyperlinks> {};
struct TDeactivateBrokenHyperlinksParams : TOperationParams<opDeactivateBrokenHyperlinks> {};
struct TInsertHyperlinkParams : TOperationParams<opInsertHyperlink> {
    std::string FieldCode; // BuildHyperlinkFieldCode
    std::string Text;      // empty: the link goes round the selection
};
// What a table of contents lists and how (the table-of-contents dialog fills it in, or the code of the
// table being refreshed).
struct TTableOfContentsOptions {
    uint8_t ShowPageNumbers = 1;
    uint8_t RightAlignPageNumbers = 1; // the number after a tab to a right-aligned stop, else after a blank
    uint8_t Leader = 1;                // of that stop; 255: the leader of each entry's own last stop
    int32_t Levels = 3;                // headings 1 to Levels are listed
    uint8_t ShowTitle = 0;
    std::string Title;
    std::string StyleSource; // a template to take the table's styles from (empty: none)
    int32_t ImportOption = 0;
    uint8_t Refresh = 0; // rebuild the table at the selection, keeping its code and its styles' look
};
struct TBuildTableOfContentsParams : TOperationParams<opBuildTableOfContents> {
    TTableOfContentsOptions Options;
};
// Takes a field away with the page references and hyperlinks inside it (none: the table of contents
// at the selection).
struct TRemoveTableOfContentsParams : TOperationParams<opRemoveTableOfContents> {
    TField* Field = nullptr;
};
struct TInsertFieldParams : TOperationParams<opInsertField> {
    int32_t FieldType = 0;
    std::string Arguments;
};
struct TUpdateFieldResultsParams : TOperationParams<opUpdateFieldResults> {
    TTextRange Range{};
    uint8_t Types[12] = {}; // a set of field types 0 to 95
};
// Takes away the marks of the code field at the selection (of a type, -1 any).
struct TRemoveFieldsParams : TOperationParams<opRemoveFields> {
    int32_t TypeFilter = -1;
};
struct TChangeSectionBreakParams : TOperationParams<opChangeSectionBreak> {
    int32_t Paragraph = 0;
    uint8_t BreakKind = 1;
};
struct TSetSameAsPreviousParams : TOperationParams<opSetSameAsPrevious> {};
struct TInsertCharacterParams : TOperationParams<opInsertCharacter> {
    uint8_t Character = 0;
    std::string FontName;
    int32_t Charset = 0;
};
struct TFormatPageNumbersParams : TOperationParams<opFormatPageNumbers> {
    int32_t Style = 0;
    int32_t Restart = -1;
};
struct TCreateEnvelopeParams : TOperationParams<opCreateEnvelope> {
    std::string Recipient;
    std::string Sender;
    uint8_t Reuse = 0;
};

// Runs one operation: creates it, runs the code's builder, refreshes layout and screen for what changed
// and records it for undo. An edit that fails leaves the document as it was and the error goes on.
void ExecuteOperation(TDocument& doc, uint8_t code, const void* params);
// Runs an edit that has no operation code of its own the way ExecuteOperation runs one: an operation
// of the kind, rolled back when the builder fails, recorded for undo when it changed something.
void ExecuteBuilder(TDocument& doc, uint8_t kind,
                    const std::function<void(TChangedRange& range, TOperation* operation)>& builder);
template<typename P>
void ExecuteOperation(TDocument& doc, const P& params)
{
    ExecuteOperation(doc, P::Code, &params);
}
