// The screen-saver command line: switches, run modes and the window handles that follow them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorlux {

enum RunModeValue : int32_t {
  kRunModeNone = 0,
  kRunModeSetup = 1,
  kRunModeShow = 2,
  kRunModePreview = 3,
  kRunModePassword = 4,
};

// The argument text of a full command line: what follows the program's own name and the
// blanks after it. The name ends at the first blank or tab outside double quotes, so it may be
// quoted in whole or in part.
std::wstring ArgumentText(std::wstring_view commandLine);

// The argument text upper-cased; an empty text stands for "/C".
std::wstring CommandText(std::wstring_view arguments);

// Run mode of an upper-cased command text: whole values first, then containment.
int32_t RunModeOf(std::wstring_view command);

// A window handle written as text, by the leading-number rule, rounded to the nearest 32-bit
// integer (halves to even). A text without a number, or a number outside 32 bits, gives 0.
int32_t HandleFromText(std::wstring_view text);

// Setup: the handle after the first ':' (0 without one). Preview: the handle after the first
// blank (0 without one).
int32_t SetupOwnerHandle(std::wstring_view command);
int32_t PreviewHandle(std::wstring_view command);

}  // namespace vorlux
