// What the About box's links open, and what the shell's answer means.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorlux {

// The targets, made from the maker's own texts only.
std::wstring MailLinkTarget();  // "mailto:" and the maker's e-mail address
std::wstring WebLinkTarget();   // the maker's web address

// The text for the value the shell returned on opening a target: empty above 32 (success),
// else the meaning of 2, 3, 5, 27 or 31, or a generic one for any other failure.
std::wstring_view LinkErrorText(std::intptr_t shellResult);

}  // namespace vorlux
