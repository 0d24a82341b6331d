// The name under which the settings dialog lists this saver.
#pragma once

#include <string>
#include <string_view>

namespace vorlux {

// The program's file name without its directory and extension, from its third character on
// ("SSVorlux.scr" gives "Vorlux"). Names of two characters or fewer give an empty text. A
// surrogate pair counts as one character, so the result never starts with half of one.
std::wstring SaverListName(std::wstring_view fileName);

}  // namespace vorlux
