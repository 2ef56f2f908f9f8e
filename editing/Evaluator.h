// The built-in calculator: evaluates an arithmetic expression from the text in 80-bit precision.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// What one evaluation gives back.
struct TExpressionEvaluationResult {
    bool Success = false; // evaluated without error
    long double Value = 0;
    bool TextResult = false; // the last function applied converts to a notation: the result is Text
    std::string Text;
    int32_t ErrorPos = 0; // offset and length, in the given text, of the part that failed
    int32_t ErrorLength = 0;
    std::string ErrorMessage;
};

// How many digits a result shows (section "HotCalculator").
struct TCalculatorFormat {
    int32_t DigitsBeforePoint = 10; // 1..18: larger values are written in scientific notation
    int32_t DigitsAfterPoint = 6;   // 1..18
};

// The functions the calculator knows: entry 0 is the bare parenthesis, 1 to 97 the named ones.
constexpr int32_t EvaluatorFunctionCount = 98;
constexpr uint8_t NoSuchFunction = 255;
// The name of a function entry (1..97) and the description the pop-up list shows for it.
const char* EvaluatorFunctionName(int32_t index);
std::string EvaluatorFunctionDescription(int32_t index);
// The entry of a name, matched without regard to case after trailing spaces; NoSuchFunction if none.
uint8_t FindEvaluatorFunction(std::string_view name);

// Evaluates the whole text; never raises. When silent is off, a failure is also shown at once as
// "Erreur lors du calcul : %s".
TExpressionEvaluationResult EvaluateExpression(std::string_view text, bool silent);
// The display form of a value: scientific notation from 10^DigitsBeforePoint on, otherwise fixed with
// the trailing zeros and a bare decimal separator removed; the locale's decimal separator.
std::string FormatEvaluationResult(long double value, const TCalculatorFormat& format = {});
// The value of an integer written in binary, octal, hexadecimal or Roman notation (function entries
// 34 to 37); raises the program's exception for a text that is no constant of the notation.
long double ParseNotationConstant(int32_t function, std::string_view text);
