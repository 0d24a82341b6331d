// Link targets and the shell's error texts.
#include "about/links.h"

#include "about/about_text.h"

namespace vorlux {

std::wstring MailLinkTarget() { return L"mailto:" + std::wstring(kMakerEmail); }

std::wstring WebLinkTarget() { return std::wstring(kMakerWebAddress); }

std::wstring_view LinkErrorText(std::intptr_t shellResult) {
  switch (shellResult) {
    case 2:
      return L"File not found.";
    case 3:
      return L"Path not found.";
    case 5:
      return L"Access denied.";
    case 27:
      return L"Incomplete association type of file.";
    case 31:
      return L"Missing association type of file.";
    default:
      return shellResult > 32 ? L"" : L"Generic access file error.";
  }
}

}  // namespace vorlux
