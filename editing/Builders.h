// Operation builders: free functions over the document that make an edit of steps, apply each at once,
// unite their changed ranges into Range and file them in Operation (none: made but not recorded).
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Memory.h"
#include "core/FormatRecords.h"
#include "document/PageSetup.h"
#include "document/Section.h"
#include "document/TextPos.h"

class TDocObject;
class TDocument;
class TField;
class TOperation;
struct TClickAndTypeData;
struct TFormatStyleListInfo;

// Options of the text insertion primitives and of DeleteRange.
enum : uint8_t {
    ioHasTrailingFormat = 0x01, // the buffer already ends with the tags of the format after it
    ioSelectInserted = 0x02,    // the inserted text ends selected
    ioSharedObjects = 0x04,     // embedded objects stay shared instead of owned by the step
    ioKeepEndFormat = 0x08,     // deletion: the joined paragraph does not take the first one's format
    ioNoCleanup = 0x10,         // deletion: no clean-up of removed fields and sections
    ioAdjustSpaces = 0x20,      // tidy the spaces at the ends of the insertion or at the join
    ioMayTakeLastMark = 0x40,   // a range ending on the story's last mark may take that paragraph
    ioSectionBreaks = 0x80,     // plain text: the program's own form-feed sequence makes a section break
};

// Mode flags of the editing builders.
enum : int {
    mfEnterEndedList = 28,
    mfKeyboardLanguage = 29,
    mfPasting = 39,           // a paste from the clipboard is running
    mfProgramLanguage = 40,   // inserted text takes the program-wide insertion language
    mfKeepLanguage = 41,      // inserted text keeps the language it has
    mfFormatWordAtCaret = 42, // format the word at the caret even without "FmtWithoutSel"
    mfInsertingReplacement = 65,
    mfReplacing = 66,
    mfKeepFields = 67,
    mfPlainHyperlinks = 68,
    mfNoOverwrite = 93,
};

// --- Text insertion (TextInsertion.cpp) ---
// Tagged text from plain text (paragraph and section breaks, special characters) framed by the insertion
// formats, inserted at Pos as one text step.
void InsertPlainText(TDocument& doc, const std::string& text, const TTextPos& pos, TChangedRange& range,
                     TOperation* operation, uint8_t options);
// Inserts a tagged buffer at Pos as one text step (ParagraphEnds: its 29 bytes). New sections and fields
// that the buffer's marks carry go with the step.
void InsertDeleteText(TDocument& doc, const TMemory& buffer, const TTextPos& pos, TChangedRange& range,
                      TOperation* operation, uint8_t options, int story, int32_t paragraphEnds,
                      std::vector<std::unique_ptr<TSection>> newSections = {},
                      std::vector<std::unique_ptr<TField>> newFields = {});
// What a space adjustment at a join did: the spaces it removed before and after the join, and whether it
// added one there.
struct TSpaceAdjustment {
    int32_t RemovedBefore = 0;
    int32_t RemovedAfter = 0;
    bool Added = false;
};
// Leaves one separating space at a join between two words and none beside punctuation that clings to its
// neighbour (nothing next to a field's mark), as steps of the operation.
TSpaceAdjustment AdjustSpacesAtJoin(TDocument& doc, const TTextPos& join, TChangedRange& range,
                                    TOperation* operation);
// The text at the selection: replaces it ("ReplaceSel") or goes after it; overwrite mode, and a paragraph
// break at a paragraph's end (the following style, the end of a list).
void InsertTextAtSelection(TDocument& doc, const std::string& text, uint8_t flags, TChangedRange& range,
                           TOperation* operation);
// A tagged buffer at the selection.
void InsertContentAtSelection(TDocument& doc, const TMemory& content, TChangedRange& range,
                              TOperation* operation, uint8_t flags);
// A range replaced by a text, or by a tagged buffer; the story's final paragraph mark survives.
void ReplaceRange(TDocument& doc, const TTextPos& start, const TTextPos& end, TChangedRange& range,
                  TOperation* operation, uint8_t flags, const std::string& text);
void ReplaceRangeWithContent(TDocument& doc, const TTextPos& start, const TTextPos& end, TChangedRange& range,
                             TOperation* operation, uint8_t flags, int story, const TMemory& content);
// The language and the font variant that inserted text takes.
void GetInsertionLanguage(TDocument& doc, int32_t fontIndex, int32_t& language, int32_t& outFontIndex);
// A symbol chosen in the symbol table, in the font of that name and character set.
void InsertCharacter(TDocument& doc, uint8_t code, const std::string& fontName, int32_t charset,
                     TChangedRange& range, TOperation* operation);
// The tag-22 code of a control character of plain text, 0 for any other byte.
uint8_t SpecialCharCode(uint8_t c);

// --- Pictures (PictureInsertion.cpp) ---
// Picture formats by index: bmp, emf, wmf, jpg, gif, png, tif, pcd, pcx, tga, ico, cur, ani; callers pass 13
// or 14 to have the index taken from the file's extension.
constexpr int PictureFormatCount = 13;
// The index of a file name's extension ("jpeg" and "tiff" too), 255 for none.
uint8_t PictureFormatOfFile(const std::string& fileName);
// Reads an image file into an embedded picture, scales it and inserts it at the selection as one
// operation; a missing or unreadable file is reported by message.
void InsertPictureFromFile(TDocument& doc, const std::string& fileName, int formatIndex);
// Scales a picture (the same in both directions, never above 100 %) to fit the column and the page.
void GetMaxPictureSize(TDocument& doc, TDocObject& object);

// --- Click and type (ClickAndType.cpp) ---
// Runs the steps of a double click in empty space in order (the record the document window computes).
void ClickAndType(TDocument& doc, const TClickAndTypeData& data, TChangedRange& range, TOperation* operation);

// --- Default language (DefaultLanguage.cpp) ---
// The document's default language as one step; nothing when it is already that one or no operation
// records it.
void ChangeDefaultLanguage(TDocument& doc, int32_t language, TChangedRange& range, TOperation* operation);

// --- Embedded objects (ObjectFormatting.cpp) ---
// The size (twips at 100 %), the scale (percent) and the visible flag of the object whose tag stands at
// Position, as one step; nothing when they are already so.
void FormatObject(TDocument& doc, const TTextPos& position, int32_t width, int32_t height, int32_t scaleX,
                  int32_t scaleY, int32_t visible, TChangedRange& range, TOperation* operation);

// --- Deletion (RangeDeletion.cpp) ---
void DeleteRange(TDocument& doc, const TTextPos& start, const TTextPos& end, TChangedRange& range,
                 TOperation* operation, uint8_t options);
// Removes the text of a field that nothing shows any more: whole paragraphs of its story when it fills
// them (a note's text, a header or footer), else its range.
void RemoveFieldText(TDocument& doc, TField& field, TChangedRange& range, TOperation* operation);

// --- The rectangular selection (BlockOperations.cpp) ---
enum TBlockOperationMode { bmErase = 0, bmFormat = 1 };
// Erases the characters of each piece of the rectangular selection, or gives them Format, the last
// piece first, as steps of one operation.
void ExecuteBlockOperation(TDocument& doc, TBlockOperationMode mode, const TCharFormat* format,
                           TChangedRange& range, TOperation* operation);

// --- Formatting (Formatting.cpp) ---
void FormatParagraphs(TDocument& doc, const TTextRange& range, const TParaFormat& format,
                      TChangedRange& changed, TOperation* operation);
void FormatText(TDocument& doc, const TTextRange& range, const TCharFormat& format, TChangedRange& changed,
                TOperation* operation, uint8_t option);
// The runs of a range over which one character-format field keeps one value, in text order.
struct TFieldRun {
    TTextPos Start, End;
    int32_t Value;
};
std::vector<TFieldRun> CharFormatFieldRuns(TDocument& doc, const TTextRange& range, int field);
void StepCharFormatField(TDocument& doc, const TTextRange& range, int32_t field, int32_t step,
                         TChangedRange& changed, TOperation* operation);
void ApplyFormatPainter(TDocument& doc, const TCharFormat& charFormat, const TParaFormat& paraFormat,
                        const std::string& styleName, TChangedRange& changed, TOperation* operation);
void FormatTabs(TDocument& doc, int32_t interval, int32_t tableIndex, TTextRange range,
                TChangedRange& changed, TOperation* operation);
void ResetToStyleFormat(TDocument& doc, const TTextRange& range, bool characters, TChangedRange& changed,
                        TOperation* operation);
void StepParagraphFormat(TDocument& doc, const TTextRange& range, int kind, int32_t step,
                         TChangedRange& changed, TOperation* operation);

// --- Styles (StyleApplication.cpp) ---
// Gives the range's paragraphs a style. With the character formats applied, each paragraph's
// prevailing format becomes the style's and what stood out by hand still stands out; the overrides
// replace the style's resolved formats.
void ApplyStyles(TDocument& doc, const TTextRange& range, int32_t styleIndex, TChangedRange& changed,
                 TOperation* operation, const TParaFormat* paraOverride, const TCharFormat* charOverride,
                 bool applyCharFormat);
// Replaces the document's style list (when the info carries one) and applies the info's style to the
// range.
void ChangeStyleList(TDocument& doc, const TTextRange& range, std::unique_ptr<TFormatStyleListInfo> info,
                     TChangedRange& changed, TOperation* operation);
// Redefines the selection's style from the selection's formats; the paragraphs of that style and of
// the styles based on it take the new definition. A selection of several styles is refused with a
// message naming the action.
void UpdateStyleFromSelection(TDocument& doc, TChangedRange& changed, TOperation* operation,
                              const std::string& actionName);

// --- Page setup and page numbers (PageOperations.cpp) ---
// Changes the page setup of the sections that cover the range: a request of one margin or distance
// changes only that (at most four tenths of the page), a request of the orientation alone turns the
// pages, any other request the fields it sets.
void ChangePageParams(TDocument& doc, const TPageSetup& request, const TTextRange& range,
                      TChangedRange& changed, TOperation* operation);
// Steps every font size of the main text down by a half-point until the document has a page fewer;
// says so when it has one page or the text cannot shrink further (then nothing is changed).
void ReducePageCount(TDocument& doc, TChangedRange& changed, TOperation* operation);
// The page-number style and first number of the sections of the selection (or of the caret's section,
// or of the section of the header or footer being edited).
void FormatPageNumbers(TDocument& doc, int32_t style, int32_t restart, TChangedRange& changed,
                       TOperation* operation);

// --- Sections (SectionOperations.cpp) ---
// Gives the sections that cover the range the parameters the request sets (columns, gaps, the line
// between them); what it leaves unset, such as each section's break kind, stays.
void FormatSections(TDocument& doc, const TTextRange& range, const TSectionParams& params,
                    TChangedRange& changed, TOperation* operation);
// Changes the kind (0 continuous, 1 new page, 2 even page, 3 odd page) of the section break that ends in
// the paragraph; nothing when no break ends there or it already has that kind.
void ChangeSectionBreak(TDocument& doc, int32_t paragraph, int32_t kind, TChangedRange& changed,
                        TOperation* operation);
// Toggles the header or footer being edited between a text of its section's own and the one of the
// nearest earlier section: its own text is deleted and editing moves to the earlier one, or the text it
// took over is copied into a new text of its own, which is then edited.
void SetSameAsPrevious(TDocument& doc, TChangedRange& changed, TOperation* operation);

// The changed range's caret fields at Pos (line not set), its selection fields 0.
void SetCaretFieldsTo(TChangedRange& range, const TTextPos& pos);

// A character or paragraph format request with every field not set.
TCharFormat UnsetCharFormat();
TParaFormat UnsetParaFormat();

// --- Rearranging (TextRearranging.cpp) ---
// Moves a range to a target outside it (inside it, or at its own ends, nothing is done); options
// ioSelectInserted and ioMayTakeLastMark.
void MoveText(TDocument& doc, TTextPos start, TTextPos end, TTextPos target, uint8_t flags,
              TChangedRange& range, TOperation* operation);
// Inserts a copy of a range at a target (through the range copier of DocumentContent.h).
void DuplicateText(TDocument& doc, TTextPos start, TTextPos end, const TTextPos& target, uint8_t flags,
                   TChangedRange& range, TOperation* operation);
// Joins the paragraphs of a run (single line breaks and marks between non-empty paragraphs go).
void JoinParagraphs(TDocument& doc, int32_t first, int32_t last, TChangedRange& range, TOperation* operation);
// Makes every line of the laid-out paragraphs of a run a paragraph.
void SplitParagraphs(TDocument& doc, int32_t first, int32_t last, TChangedRange& range,
                     TOperation* operation);
// Sorts the paragraphs of a range by the system's collation, case distinguished.
void SortParagraphs(TDocument& doc, const TTextRange& range, bool descending, TChangedRange& changed,
                    TOperation* operation);
// The collation order of two paragraphs' plain texts (-1, 0, 1); equal texts, the shorter first.
int CompareParagraphTexts(const TDocument& doc, int32_t i, int32_t j);

// --- Transforming (TextTransform.cpp) ---
// Mode 0 retypes in another keyboard layout (Parameter: byte 0 the choice, 0 automatic, 1 ask, 2 given;
// bytes 1 and 2 the given source and target layouts), 1 upper case, 2 lower case, 3 inverted case,
// 4 capital at each sentence's start, 5 capital at each word's start, 6 another character set.
void TransformText(TDocument& doc, uint8_t mode, const TTextRange& range, int32_t parameter, uint8_t flags,
                   TChangedRange& changed, TOperation* operation);
// The character-set change: the text of a range takes a language, and its fonts their variants for that
// language's script.
void ChangeCharacterSet(TDocument& doc, const TTextRange& range, int32_t language, TChangedRange& changed,
                        TOperation* operation);

// --- Pasting (Paste.cpp) ---
// The clipboard's content at the selection (Format: 0 the best, 1 or 13 text); a damaged content shows
// the error and takes the whole operation back.
void PasteFromClipboard(TDocument& doc, int32_t format, bool keepFormat, TChangedRange& range,
                        TOperation* operation);
// The piggy bank's content at the selection.
void PastePiggyBank(TDocument& doc, TChangedRange& range, TOperation* operation);

// --- Fields, bookmarks and hyperlinks (FieldEditing.cpp) ---
// One step putting a new field's marks in the text around Start..End; an order is how many marks
// already standing at the place the new mark goes after (0x7FFFFFFF: after them all).
void InsertFieldMarks(TDocument& doc, std::unique_ptr<TField> field, const TTextPos& start,
                      int32_t beginOrder, const TTextPos& end, int32_t endOrder, TChangedRange& range,
                      TOperation* operation);
// One step putting one mark of a field whose other mark is in the text.
void InsertFieldMark(TDocument& doc, TField& field, bool isEnd, const TTextPos& pos, int32_t order,
                     TChangedRange& range, TOperation* operation);
// One step taking both marks of a field out of the text; the text between stays.
void RemoveFieldMarks(TDocument& doc, const TField& field, TChangedRange& range, TOperation* operation);
// A bookmark of that name round the selection, or at the caret.
void FormatBookmark(TDocument& doc, const std::string& name, TChangedRange& range, TOperation* operation);
void RemoveField(TDocument& doc, TField& field, TChangedRange& range, TOperation* operation);
// Removes a field's marks and those of the page references and hyperlinks inside it.
void RemoveFieldWithLinks(TDocument& doc, TField& field, TChangedRange& range, TOperation* operation);
void EditField(TDocument& doc, TField& field, const std::string& code, TChangedRange& range,
               TOperation* operation);
// A hyperlink made plain text: its marks go, its text takes its paragraph style's underline and colour.
void DeactivateHyperlink(TDocument& doc, TField& field, TChangedRange& range, TOperation* operation);
// Every hyperlink meeting the selection (without one, says so).
void DeactivateHyperlinks(TDocument& doc, TChangedRange& range, TOperation* operation);
// The hyperlinks to bookmarks the document no longer has.
std::vector<TField*> FindBrokenHyperlinks(TDocument& doc);
// Those, after asking.
void DeactivateBrokenHyperlinks(TDocument& doc, TChangedRange& range, TOperation* operation);
// A hyperlink of a code round the selection (Text empty) or round Text inserted at the selection, in the
// hyperlink format of the settings.
void InsertHyperlink(TDocument& doc, const std::string& code, const std::string& text, TChangedRange& range,
                     TOperation* operation);
// A field of a type at the selection, its result "?" until results are computed; dates and times
// written in the program's language.
void InsertField(TDocument& doc, int type, const std::string& arguments, TChangedRange& range,
                 TOperation* operation);
bool IsDateTimeFieldType(int type);
// The set of every field type whose result the program computes.
void AllComputedFieldTypes(uint8_t types[12]);
// The results of the fields of Types in a range written between their marks, one step per changed
// result; the caret and selection after a field move with its change in length.
void UpdateFieldResults(TDocument& doc, const TTextRange& range, const uint8_t* types, TChangedRange& changed,
                        TOperation* operation);
// Paginates, updates every computed field of the range as one operation, and paginates again.
void RefreshFields(TDocument& doc, const TTextRange& range);

// --- Calculation (Calculation.cpp) ---
struct TCalculationResult {
    long double Value = 0;
    bool Success = false;
};
// Calculates a range's expression (its first paragraph only), its result placed as the calculator's
// settings say: on the clipboard, after the expression, or in its place; a failure selects the faulty
// part. An empty range finds the expression around the caret and selects it.
void CalculateAutodetected(TDocument& doc, TTextRange range, TChangedRange& changed, TOperation* operation,
                           TCalculationResult* result);
// Selects the longest span around the caret (32 characters each side) that calculates; false for none.
bool DetectExpressionAtCaret(TDocument& doc);
// The sum of a column's pieces (numbers in French notation are read with their thousands blanks); false
// when a non-empty piece does not calculate.
bool SumColumn(const std::vector<std::string>& pieces, long double& sum);
// Sums the lines of a rectangular block (each ended by a line break) onto the clipboard; nothing when one
// does not calculate.
void SumBlock(TDocument& doc, const std::string& block, TChangedRange& changed);
