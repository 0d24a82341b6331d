#include "about/bas_ecrypt_text.h"

#include <cstdint>

namespace vorlux {

namespace {

constexpr uint16_t kMakerNameCodes[] = {86, 111, 114, 108, 117, 120, 32, 76, 97, 98, 115};

constexpr uint8_t kWebAddressCodes[] = {104, 116, 116, 112, 115, 58,  47,  47,  119, 119, 119,
                                        46,  101, 120, 97,  109, 112, 108, 101, 46,  111, 114,
                                        103, 47,  118, 111, 114, 108, 117, 120, 47};

template <class Code, size_t N>
std::wstring Assemble(const Code (&codes)[N]) {
  std::wstring text;
  for (Code c : codes) text += static_cast<wchar_t>(c);
  return text;
}

}  // namespace

std::wstring BuildMakerName() { return Assemble(kMakerNameCodes); }
std::wstring BuildWebAddress() { return Assemble(kWebAddressCodes); }

}  // namespace vorlux
