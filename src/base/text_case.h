// Unicode case mapping for the texts the program compares (command line, settings words).
// Covers Basic Latin, Latin-1, Latin Extended-A, Greek, Cyrillic and the Cyrillic Supplement
// with their simple one-to-one mappings (plus the Kelvin, Angstrom and Ohm signs); other
// characters are left unchanged.
#pragma once

#include <string>
#include <string_view>

namespace vorlux {

wchar_t LowerChar(wchar_t c);
wchar_t UpperChar(wchar_t c);
std::wstring LowerCaseText(std::wstring_view text);
std::wstring UpperCaseText(std::wstring_view text);
bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b);
bool ContainsIgnoreCase(std::wstring_view haystack, std::wstring_view needle);

}  // namespace vorlux
