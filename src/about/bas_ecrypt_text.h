// The maker's name and the displayed web address, assembled from tables of character codes so
// that neither stands in the program as one piece of text.
#pragma once

#include <string>

namespace vorlux {

std::wstring BuildMakerName();
std::wstring BuildWebAddress();

}  // namespace vorlux
