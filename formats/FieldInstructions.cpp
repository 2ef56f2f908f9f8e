// The field-type table and the rewriting of field instructions on reading.
#include "formats/FieldInstructions.h"

#include <memory>

#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/Paragraph.h"
#include "document/Field.h"

namespace {

// The general format switch words: English, then the French, German and Spanish words for it.
const char* const FormatSwitchWords[12][4] = {
    {"ALPHABETIC", "ALPHABETIQUE", "ALPHABETISCH", "ALFABÉTICO"},
    {"ARABIC", "ARABE", "ARABISCH", "ARÁBIGO"},
    {"CAPS", "INITIALESMAJ", "INITIAL", "MAYÚSCULAS"},
    {"CARDTEXT", "TEXTECARD", "GRUNDTEXT", "CARDTEXTO"},
    {"CHARFORMAT", "FORMATCAR", "ZEICHENFORMAT", "FORMATOCARÁC"},
    {"DOLLARTEXT", "TEXTEMONNAIE", "WÄHRUNGSTEXT", "TEXTOMONEDA"},
    {"FIRSTCAP", "PREMIEREMAJ", "SATZANFANGGROSS", "PRIMERAMAYÚS"},
    {"HEXLOWER", "HEXMINUSCULE", "HEXKLEINBUCHSTABEN", "HEXMINÚS"},
    {"MERGEFORMAT", "FUSIONFORMAT", "FORMATVERBINDEN", "COMFORMATO"},
    {"ORDINAL", "ORDINAL", "ORDNUNGSZAHL", "ORDINAL"},
    {"ORDTEXT", "TEXTEORD", "ORDTEXT", "ORDTEXTO"},
    {"ROMANUPPER", "ROMAINMAJUSCULE", "RÖMISCHGROSSBUCHSTABEN", "ROMANOMAYÚS"},
};

// Characters of a switch word: letters and every code from "a" up.
bool IsWordChar(uint8_t c)
{
    return (c >= 'A' && c <= 'Z') || c >= 'a';
}
bool IsAsciiLetter(uint8_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

uint8_t UpperAnsi(uint8_t c)
{
    if (c >= 'a' && c <= 'z')
        return static_cast<uint8_t>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<uint8_t>(c - 32);
    switch (c) {
    case 0x9A: return 0x8A; // s caron
    case 0x9C: return 0x8C; // oe
    case 0x9E: return 0x8E; // z caron
    case 0xFF: return 0x9F; // y diaeresis
    default: return c;
    }
}

// Replaces the general format word that follows each "\*" switch by its English form; words elsewhere
// (bookmark names, addresses, quoted arguments) are left as written.
void TranslateFormatSwitchWords(std::string& code)
{
    size_t at = 0;
    while ((at = code.find("\\*", at)) != std::string::npos) {
        size_t start = at + 2;
        while (start < code.size() && code[start] == ' ')
            ++start;
        size_t end = start;
        while (end < code.size() && IsWordChar(static_cast<uint8_t>(code[end])))
            ++end;
        at = end;
        if (end == start)
            continue;
        std::string word = UpperCaseAnsi(std::string_view(code).substr(start, end - start));
        for (const auto& row : FormatSwitchWords) {
            if (word == row[1] || word == row[2] || word == row[3]) {
                code.replace(start, end - start, row[0]);
                at = start + std::char_traits<char>::length(row[0]);
                break;
            }
        }
    }
}

} // namespace

std::string UpperCaseAnsi(std::string_view text)
{
    std::string s(text);
    for (char& c : s)
        c = static_cast<char>(UpperAnsi(static_cast<uint8_t>(c)));
    return s;
}

bool RewriteFieldInstruction(std::string_view text, int fieldType, TFieldInstruction& result)
{
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return false;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (fieldType < 0 || fieldType >= kFieldTypeCount)
        fieldType = kUnknownFieldType;
    if (fieldType == kUnknownFieldType) {
        std::string keyword(text.substr(0, text.find(' ')));
        for (char& c : keyword)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 32);
        for (int t = 0; t < kFieldTypeCount; ++t) {
            if (keyword == FieldTypeNames[t]) {
                fieldType = t;
                break;
            }
        }
        if (fieldType == kUnknownFieldType)
            return false;
    }
    std::string code(text);
    std::string_view name = FieldTypeNames[fieldType];
    if (name != "?") {
        size_t skip = 0;
        if (fieldType == kFieldTypeFormula) {
            skip = !code.empty() && code[0] == '=' ? 1 : 0;
        } else {
            while (skip < code.size() && IsAsciiLetter(static_cast<uint8_t>(code[skip])))
                ++skip;
        }
        code.replace(0, skip, name);
    }
    TranslateFormatSwitchWords(code);
    result.Type = fieldType;
    result.Code = std::move(code);
    return true;
}

TField* ParseFieldInstruction(std::string_view text, int fieldType, TDocument& document,
                              TParagraph& paragraph, std::vector<TField*>& openFields)
{
    TFieldInstruction instruction;
    if (!RewriteFieldInstruction(text, fieldType, instruction))
        return nullptr;
    document.Fields.push_back(std::make_unique<TField>());
    TField& field = *document.Fields.back();
    field.Kind = fkCode;
    field.FieldType = static_cast<uint8_t>(instruction.Type);
    field.Code = std::move(instruction.Code);
    openFields.push_back(&field);
    AppendInlineTag(paragraph.Text, tcFieldStart, field.Handle);
    return &field;
}
