// The grammar of the saver's stored setting texts: yes/no words, leading numbers and colours.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/color.h"

namespace vorlux {

// The value of the number at the start of the text (after blanks, tabs and line feeds are
// removed): decimal with an optional sign, one period and an exponent written with E or D,
// or an integer written as &H (hexadecimal) or &O (octal). 0 when there is no number.
// Empty only when the number is too large for a double.
std::optional<double> LeadingNumber(std::wstring_view text);

// A yes/no word in English or Italian, any case; otherwise a non-zero leading number is true.
// Empty when the fallback number is too large for a double.
std::optional<bool> ParseBoolWord(std::wstring_view text);

// The three parts of "red,green,blue": before the first comma, between the first two, and after
// the second (further commas included). Empty without two commas.
std::optional<std::array<std::wstring_view, 3>> SplitTriplet(std::wstring_view text);

// "red,green,blue" as a COLORREF (0x00BBGGRR). Components are rounded to the nearest integer
// (halves to even), above 255 count as 255 and below 0 as 0. A text without two commas gives
// white. Empty when a component does not fit in 16 bits or is too large for a double.
std::optional<uint32_t> ParseColorTriplet(std::wstring_view text);

}  // namespace vorlux
