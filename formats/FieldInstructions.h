// Field instructions read from files: the table of field types with their keywords, and the rewriting
// of an instruction into the form the rest of the program expects (English keyword and format words).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/Field.h"

class TDocument;
class TField;
class TParagraph;

constexpr int kFieldTypeCount = FieldTypeCount;
// The field type given to mean "not known: take it from the keyword".
constexpr int kUnknownFieldType = 255;
constexpr int kFieldTypeToc = 13;
constexpr int kFieldTypePage = 33;
constexpr int kFieldTypeFormula = 34;
constexpr int kFieldTypeSymbol = 57;
constexpr int kFieldTypeHyperlink = 88;

// A field instruction as the document keeps it.
struct TFieldInstruction {
    int Type = 0;
    std::string Code;
};

// Rewrites an instruction text: the field type (or kUnknownFieldType to take it from the keyword),
// the keyword in its upper-case English form, and the French, German and Spanish words of a general
// format switch ("\*") replaced by the English word. False when the text names no field.
bool RewriteFieldInstruction(std::string_view text, int fieldType, TFieldInstruction& result);

// Makes the field an instruction read from a file names (the type as for RewriteFieldInstruction):
// the field joins the document's field list and the reader's open fields, and its start mark ends the
// tagged text of the paragraph being filled. None, and nothing marked, when the text names no field.
TField* ParseFieldInstruction(std::string_view text, int fieldType, TDocument& document,
                              TParagraph& paragraph, std::vector<TField*>& openFields);

// Upper case by the rules of the Windows Western code page (accented letters included).
std::string UpperCaseAnsi(std::string_view text);
