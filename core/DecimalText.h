// Fixed-point numbers as the numeric edit boxes show and read them: a value V with N decimals stands for
// V / 10^N, written with the locale's decimal separator and a unit after it.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

// The text of a value: at least one digit before the separator, trailing zeros of the decimals and a
// separator left at the end dropped, then the tail (a unit). With N = 2, 12345 is "123,45", 12300 "123"
// and 5 "0,05".
std::string FormatFixedValue(int32_t value, int digits, char separator, const std::string& tail = "");
// The digits of a typed number scaled to N decimals (cut, not rounded): "2,55" with N = 1 gives "25";
// the separator is Separator, else ",", else "."; empty when the text holds no digit.
std::string ScaleDecimalText(const std::string& text, int digits, char separator);
// The value of a typed text once Tail (leading blanks of it ignored) is taken out wherever it stands and
// trailing blanks are dropped; none when it is no number or does not fit in 32 bits.
std::optional<int32_t> ParseFixedValue(const std::string& text, int digits, char separator,
                                       const std::string& tail = "");
// A value moved by a step and snapped to the step's multiples (value - value mod |step| + step), then
// kept within Min (going down) or Max (going up).
int32_t StepFixedValue(int32_t value, int32_t step, int32_t min, int32_t max);
