// The constant tables of French interface texts that several parts of the program show. Tables that
// belong to one service stay with it: paper sizes (PaperSizes.h), screen colour slots and colour
// schemes (Colors.h), document formats and their file filters (Codings.h).
#pragma once
#include <cstdint>

#include "classlib/windowing/DialogTypes.h"

// Captions of the message form's buttons by kind (Yes, No, OK, Cancel, Abort, Retry, Ignore, All,
// No to all, Yes to all, Help) and of the form by dialog type: the class library's own.
inline constexpr const auto& ButtonCaptions = MsgDlgButtonCaptions;
inline constexpr const auto& MessageFormCaptions = MsgDlgCaptions;

// Kinds of a new version: major update, minor update, maintenance release, build number.
extern const char* const VersionKinds[4];
// The go-to dialog's targets, each followed by the prompt of its box.
extern const char* const GoToTargets[10];
extern const char* const ColumnPresets[8];
extern const char* const ApplyToChoices[5];
extern const char* const ToolbarNames[4];
extern const char* const CommandCategories[9];
extern const char* const NumberBases[4];
// A tab stop's description by kind; "%s" is its position.
extern const char* const TabKindFormats[5];
// By index of the underline kind among the 18 supported ones.
extern const char* const UnderlineNames[18];
// Captions of the special characters and marks that find and replace can insert.
extern const char* const FormattingMarks[18];
extern const char* const AddressBookCaptions[5];
// Even-page header, odd-page header, even-page footer, odd-page footer, first-page header and footer.
extern const char* const HeaderFooterKinds[6];
// Descriptions of the program's own file types, in the order of the associations.
extern const char* const OwnFileTypes[8];
extern const char* const PasteSpecialFormats[5];
// By the colour index of a character format.
extern const char* const ColorNames[17];
extern const char* const DocumentFormatNames[7];
extern const char* const PagesPerSheet[6];
extern const char* const PageSelections[3];
extern const char* const WindowCaptions[6];
extern const char* const TypingModes[2];
extern const char* const BreakKinds[6];
extern const char* const ZoomKinds[4];
extern const char* const DefaultTemplates[2];
// What the status bar says of a document's background spell check, by its spell state (off, waiting for a
// change, no problem, words without language or checker, possible misspellings, checking).
extern const char* const SpellCheckNotices[6];
// The pairs of opening and closing quotation marks that autocorrection offers, by quote style: English
// double, French guillemets, German low and high, reversed guillemets.
extern const char* const QuotationMarkPairs[4][2];
// What the whole-document autocorrection asks before applying rules 0 to 10; the first takes the typed
// text and its replacement, the fifth the quote pair.
extern const char* const AutocorrectDescriptions[11];
// The calculator's functions 1 to 97, one sentence each, in the evaluator's order.
extern const char* const CalculatorFunctionDescriptions[97];
// The special characters that can be inserted by name.
extern const char* const SpecialCharacters[17];

// Option bits of a document-property field row: which lists the field dialog offers for it.
enum TFieldRowOption : uint8_t {
    froNoCase = 0x1,
    froNumberFormat = 0x2,
    froDateFormat = 0x4,
    froTimeFormat = 0x8,
    froStyle = 0x10,
    froSearchDirection = 0x20,
    froBookmark = 0x40,
};
// A field the field dialog offers: its kind, the switch always written with it, its options, the name the
// list shows and the description under it.
struct TDocumentPropertyField {
    int32_t Kind;
    const char* FixedSwitch;
    uint8_t Options;
    const char* Name;
    const char* Description;
};
extern const TDocumentPropertyField DocumentPropertyFields[23];

// The built-in colour schemes: a name and its slots as groups of eight hexadecimal digits (empty: every
// slot at its default).
struct TBuiltInColorScheme {
    const char* Name;
    const char* Colors;
};
extern const TBuiltInColorScheme BuiltInColorSchemes[34];

// The names of undoable operations by kind, as the undo and redo texts show them ("Annulation de %s").
extern const char* const OperationNames[60];
